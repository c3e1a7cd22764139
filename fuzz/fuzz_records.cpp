// Applies arbitrary bytes as a property record. Malformed records must end in
// a PropertyRecordException and never in a read past the record's end.
#include "fw/PropertyRecord.h"

#include <cstddef>
#include <cstdint>

namespace {

class FuzzBase : public fw::Object {
public:
    std::string name;
    std::int64_t index = 0;
    bool visible = false;
};

class FuzzThing : public FuzzBase {
public:
    std::int64_t width = 0;
    fw::Color color;
    float size = 0;
    std::uint8_t unit = 0;
};

template <class T, auto Member> void Set(fw::Object& object, const fw::PropertyValue& value)
{
    static_cast<T&>(object).*Member = std::get<std::remove_reference_t<decltype(std::declval<T&>().*Member)>>(value);
}

const fw::PropertyInfo kBaseProperties[] = {
    { "Name", fw::PropertyType::String, "String", Set<FuzzBase, &FuzzBase::name> },
    { "Index", fw::PropertyType::Integer, "Integer", Set<FuzzBase, &FuzzBase::index> },
    { "Visible", fw::PropertyType::Boolean, "Boolean", Set<FuzzBase, &FuzzBase::visible> },
};

const fw::PropertyInfo kThingProperties[] = {
    { "Width", fw::PropertyType::Integer, "Integer", Set<FuzzThing, &FuzzThing::width> },
    { "BackgroundColor", fw::PropertyType::Color, "Color", Set<FuzzThing, &FuzzThing::color> },
    { "FontSize", fw::PropertyType::Single, "Single", Set<FuzzThing, &FuzzThing::size> },
    { "FontUnit", fw::PropertyType::FontUnits, "FontUnits", Set<FuzzThing, &FuzzThing::unit> },
};

const fw::ClassInfo& ThingClass()
{
    static const fw::ClassInfo& cls = fw::RegisterClass<FuzzThing>("FuzzThing",
        fw::RegisterClass<FuzzBase>("FuzzBase", fw::Object::Lookup__(), kBaseProperties), kThingProperties);
    return cls;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const fw::ObjectPtr object = fw::RuntimeNewObject(ThingClass());
    try {
        fw::SetProperties_(object, std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const fw::RuntimeException&) {
    }
    return 0;
}
