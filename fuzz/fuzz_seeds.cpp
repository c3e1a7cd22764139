// Writes the program's eleven property records as seeds for fuzz_window: an
// input for each, sent during set-up to the object of its kind, one with all
// eleven in the order the program applies them, and one for each kind's entry
// alone. A short input lets the fuzzer reach a value's bytes, which in a whole
// record it rarely hits.
#include "WindowInput.h"

#include "quiz/Records.h"

#include "fw/Framework.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds DIRECTORY\n");
        return 2;
    }
    using velunto::fuzz::Target;
    namespace records = velunto::records;
    const struct {
        const char* name;
        Target target;
        const fw::ClassInfo& cls;
        const std::string& (*record)();
    } kRecords[] = {
        { "MainWindow", Target::Window, fw::Window::Lookup__(), &records::MainWindow },
        { "TextField1", Target::TextField, fw::TextField::Lookup__(), &records::TextField1 },
        { "OKButton", Target::BevelButton, fw::BevelButton::Lookup__(), &records::OKButton },
        { "NoBtutton", Target::BevelButton, fw::BevelButton::Lookup__(), &records::NoBtutton },
        { "AButton", Target::BevelButton, fw::BevelButton::Lookup__(), &records::AButton },
        { "BButton", Target::BevelButton, fw::BevelButton::Lookup__(), &records::BButton },
        { "DButton", Target::BevelButton, fw::BevelButton::Lookup__(), &records::DButton },
        { "CButton", Target::BevelButton, fw::BevelButton::Lookup__(), &records::CButton },
        { "ResetButton", Target::BevelButton, fw::BevelButton::Lookup__(), &records::ResetButton },
        { "Canvas1", Target::Canvas, fw::Canvas::Lookup__(), &records::Canvas1 },
        { "Canvas2", Target::Canvas, fw::Canvas::Lookup__(), &records::Canvas2 },
    };
    const std::filesystem::path directory(argv[1]);
    std::filesystem::create_directories(directory);
    bool written = true;
    const auto write = [&](const char* name, const std::string& input) {
        written = (std::ofstream(directory / name, std::ios::binary) << input).good() && written;
    };
    std::string all;
    std::set<std::string> entriesWritten;
    for (const auto& [name, target, cls, record] : kRecords) {
        std::string input;
        velunto::fuzz::AppendRecord(input, target, record());
        write(name, input);
        velunto::fuzz::AppendRecord(all, target, record());
        // Each entry alone, from the first record of its kind that has it.
        std::vector<std::size_t> offsets;
        fw::ReadPropertyRecord(cls, record(), [&](const fw::RecordEntry& entry) { offsets.push_back(entry.offset); });
        offsets.push_back(record().size());
        for (std::size_t i = 0; i + 1 < offsets.size(); ++i) {
            const std::string_view entry = std::string_view(record()).substr(offsets[i], offsets[i + 1] - offsets[i]);
            const std::string seed = cls.name + "." + std::string(entry.substr(0, entry.find(' ')));
            if (!entriesWritten.insert(seed).second)
                continue;
            input.clear();
            velunto::fuzz::AppendRecord(input, target, entry);
            write(seed.c_str(), input);
        }
    }
    write("all", all);
    if (!written)
        std::fprintf(stderr, "fuzz_seeds: could not write the seeds into %s\n", argv[1]);
    return written ? 0 : 1;
}
