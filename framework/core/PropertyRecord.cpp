#include "fw/PropertyRecord.h"

#include "fw/Runtime.h"

#include <bit>
#include <limits>
#include <utility>

namespace fw {

namespace {

    constexpr std::size_t kMaxNameShown = 40;

    std::string_view TypeName(const PropertyInfo& property) noexcept
    {
        if (!property.typeName.empty())
            return property.typeName;
        switch (property.type) {
        case PropertyType::Integer:
            return "Integer";
        case PropertyType::Boolean:
            return "Boolean";
        case PropertyType::String:
            return "String";
        case PropertyType::Color:
            return "Color";
        case PropertyType::Single:
            return "Single";
        case PropertyType::FontUnits:
            return "FontUnits";
        }
        return "?";
    }

    // Names come from untrusted bytes: show them escaped and cut short.
    std::string Printable(std::string_view name)
    {
        static constexpr char kHex[] = "0123456789ABCDEF";
        std::string shown = "\"";
        for (std::size_t i = 0; i < name.size() && i < kMaxNameShown; ++i) {
            const auto c = static_cast<unsigned char>(name[i]);
            if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
                shown += char(c);
            } else {
                shown += "\\x";
                shown += kHex[c >> 4];
                shown += kHex[c & 0xF];
            }
        }
        shown += '"';
        if (name.size() > kMaxNameShown)
            shown += "... (" + std::to_string(name.size()) + " bytes)";
        return shown;
    }

    // Reads the record front to back. Every read first checks the bytes left, so
    // no length in the record can take the position past its end.
    class RecordReader {
    public:
        RecordReader(const ClassInfo& cls, std::string_view record)
            : m_class(cls)
            , m_record(record)
        {
        }

        void Walk(const std::function<void(const RecordEntry&)>& visitor)
        {
            for (std::size_t index = 0; m_position < m_record.size(); ++index) {
                m_index = index;
                m_entryOffset = m_position;
                m_name = {};
                m_property = nullptr;

                const std::size_t space = m_record.find(' ', m_position);
                if (space == std::string_view::npos) {
                    m_name = m_record.substr(m_position);
                    Fail("the name has no space after it before the record ends");
                }
                m_name = m_record.substr(m_position, space - m_position);
                if (m_name.empty())
                    Fail("the name is empty");
                m_property = m_class.FindProperty(m_name);
                if (!m_property)
                    Fail("no property of that name in " + m_class.name + " or its bases");
                m_position = space + 1;

                const RecordEntry entry { index, m_entryOffset, m_name, m_property, ReadValue() };
                visitor(entry);
            }
        }

    private:
        PropertyValue ReadValue()
        {
            switch (m_property->type) {
            case PropertyType::Integer:
                return static_cast<std::int64_t>(ReadLittleEndian(8, "8-byte integer"));
            case PropertyType::Boolean:
                // Only 00 is False: any other byte counts as True.
                return ReadLittleEndian(1, "1-byte boolean") != 0;
            case PropertyType::String: {
                const auto length = static_cast<std::size_t>(ReadLittleEndian(4, "4-byte string length"));
                if (length > Remaining())
                    Fail("the string of " + std::to_string(length) + " bytes runs past the end of the record ("
                        + std::to_string(Remaining()) + " bytes left)");
                std::string text(m_record.substr(m_position, length));
                m_position += length;
                return text;
            }
            case PropertyType::Color:
                return Color::FromValue(static_cast<std::uint32_t>(ReadLittleEndian(4, "4-byte colour")));
            case PropertyType::Single:
                return std::bit_cast<float>(static_cast<std::uint32_t>(ReadLittleEndian(4, "4-byte single")));
            case PropertyType::FontUnits:
                return static_cast<std::uint8_t>(ReadLittleEndian(1, "1-byte font unit"));
            }
            Fail("the property's declared type is unknown");
        }

        std::uint64_t ReadLittleEndian(std::size_t width, std::string_view what)
        {
            if (width > Remaining())
                Fail("the " + std::string(what) + " runs past the end of the record (" + std::to_string(Remaining())
                    + " bytes left)");
            std::uint64_t value = 0;
            for (std::size_t i = 0; i < width; ++i)
                value |= std::uint64_t(static_cast<unsigned char>(m_record[m_position + i])) << (8 * i);
            m_position += width;
            return value;
        }

        std::size_t Remaining() const noexcept { return m_record.size() - m_position; }

        [[noreturn]] void Fail(const std::string& why) const
        {
            std::string message = "property record for class " + m_class.name + ", entry " + std::to_string(m_index)
                + " at byte " + std::to_string(m_entryOffset) + ", name " + Printable(m_name);
            if (m_property)
                message += " (" + std::string(TypeName(*m_property)) + ")";
            message += ": " + why;
            throw PropertyRecordException(message);
        }

        const ClassInfo& m_class;
        std::string_view m_record;
        std::size_t m_position = 0;
        std::size_t m_index = 0;
        std::size_t m_entryOffset = 0;
        std::string_view m_name;
        const PropertyInfo* m_property = nullptr;
    };

    void AppendLittleEndian(std::string& bytes, std::uint64_t value, std::size_t width)
    {
        for (std::size_t i = 0; i < width; ++i)
            bytes += char(value >> (8 * i) & 0xFF);
    }

} // namespace

void ReadPropertyRecord(
    const ClassInfo& cls, std::string_view record, const std::function<void(const RecordEntry&)>& visitor)
{
    RecordReader(cls, record).Walk(visitor);
}

namespace {

    // Brackets a walk with the object's hooks. What was set before a fault
    // still reaches the native side: the end runs on the way out as well.
    class PropertyBatch {
    public:
        explicit PropertyBatch(Object& object)
            : m_object(object)
        {
            m_object.BeginProperties();
        }

        PropertyBatch(const PropertyBatch&) = delete;
        PropertyBatch& operator=(const PropertyBatch&) = delete;

        // The normal end, whose own fault reaches the caller.
        void End()
        {
            if (std::exchange(m_ended, true))
                return;
            m_object.EndProperties();
        }

        // On a fault the entry's exception is the one reported; a second
        // one from the end is dropped.
        ~PropertyBatch()
        {
            try {
                End();
            } catch (...) {
            }
        }

    private:
        Object& m_object;
        bool m_ended = false;
    };

} // namespace

void SetProperties_(const ObjectPtr& object, std::string_view record)
{
    NotifyCall("SetProperties_");
    if (!object)
        throw NilObjectException("SetProperties_ was given a nil object");
    Object& target = *object;
    PropertyBatch batch(target);
    ReadPropertyRecord(target.Class(), record, [&target](const RecordEntry& entry) {
        if (!entry.property->set)
            throw PropertyRecordException("property record for class " + target.Class().name + ", entry "
                + std::to_string(entry.index) + " at byte " + std::to_string(entry.offset) + ", name "
                + Printable(entry.name) + " (" + std::string(TypeName(*entry.property))
                + "): the property cannot be set");
        entry.property->set(target, entry.value);
    });
    batch.End();
}

PropertyRecordWriter& PropertyRecordWriter::Name(std::string_view name)
{
    // A record the reader cannot walk is refused here rather than at start-up.
    if (name.empty() || name.find(' ') != std::string_view::npos)
        throw PropertyRecordException("PropertyRecordWriter: " + Printable(name) + " cannot name a property");
    m_bytes.append(name);
    m_bytes += ' ';
    return *this;
}

PropertyRecordWriter& PropertyRecordWriter::Integer(std::string_view name, std::int64_t value)
{
    Name(name);
    AppendLittleEndian(m_bytes, static_cast<std::uint64_t>(value), 8);
    return *this;
}

PropertyRecordWriter& PropertyRecordWriter::Boolean(std::string_view name, bool value)
{
    Name(name);
    m_bytes += char(value ? 1 : 0);
    return *this;
}

PropertyRecordWriter& PropertyRecordWriter::String(std::string_view name, std::string_view value)
{
    if (value.size() > std::numeric_limits<std::uint32_t>::max())
        throw PropertyRecordException("PropertyRecordWriter: the text of " + Printable(name) + " is too long");
    Name(name);
    AppendLittleEndian(m_bytes, value.size(), 4);
    m_bytes.append(value);
    return *this;
}

PropertyRecordWriter& PropertyRecordWriter::ColorValue(std::string_view name, Color value)
{
    Name(name);
    AppendLittleEndian(m_bytes, value.Value(), 4);
    return *this;
}

PropertyRecordWriter& PropertyRecordWriter::Single(std::string_view name, float value)
{
    Name(name);
    AppendLittleEndian(m_bytes, std::bit_cast<std::uint32_t>(value), 4);
    return *this;
}

PropertyRecordWriter& PropertyRecordWriter::FontUnits(std::string_view name, std::uint8_t value)
{
    Name(name);
    AppendLittleEndian(m_bytes, value, 1);
    return *this;
}

} // namespace fw
