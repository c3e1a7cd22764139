// Applies arbitrary bytes as a property record to a stand-in object. Malformed
// records must end in a PropertyRecordException and never in a read past the
// record's end.
#include "RecordFixture.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A fresh object for each input, so that a finding reproduces alone.
    const auto thing = fw::test::NewThing();
    try {
        fw::SetProperties_(thing, std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const fw::RuntimeException&) {
    }
    return 0;
}
