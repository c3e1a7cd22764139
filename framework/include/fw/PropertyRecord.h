#pragma once

#include "fw/Object.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace fw {

// One entry of a property record as the reader finds it.
struct RecordEntry {
    std::size_t index;        // 0 for the first entry
    std::size_t offset;       // byte offset of the entry's name
    std::string_view name;    // as stored
    const PropertyInfo* property;
    PropertyValue value;
};

// Walks a record for an object of the class, entry by entry, handing each to
// the visitor. Raises PropertyRecordException on an empty name, a name without
// its space, a name the class and its bases do not declare, or a value that
// would run past the end; never reads past the record's end.
void ReadPropertyRecord(const ClassInfo& cls, std::string_view record,
    const std::function<void(const RecordEntry&)>& visitor);

// Sets every property the record lists, in order. What was set before a fault
// stays set.
void SetProperties_(const ObjectPtr& object, std::string_view record);

// Builds a record: name, one space, the encoded value, for each call in turn.
class PropertyRecordWriter {
public:
    PropertyRecordWriter& Integer(std::string_view name, std::int64_t value);
    // An enumeration based on Integer is stored as its member's number.
    PropertyRecordWriter& Enumeration(std::string_view name, std::int64_t value) { return Integer(name, value); }
    PropertyRecordWriter& Boolean(std::string_view name, bool value);
    PropertyRecordWriter& String(std::string_view name, std::string_view value);
    PropertyRecordWriter& ColorValue(std::string_view name, Color value);
    PropertyRecordWriter& Single(std::string_view name, float value);
    PropertyRecordWriter& FontUnits(std::string_view name, std::uint8_t value);

    const std::string& Bytes() const& noexcept { return m_bytes; }
    std::string Bytes() && noexcept { return std::move(m_bytes); }

private:
    PropertyRecordWriter& Name(std::string_view name);
    std::string m_bytes;
};

} // namespace fw
