#pragma once

// A stand-in class with a property of every record type, for the record
// reader's tests and its fuzz target.

#include "fw/PropertyRecord.h"

#include <vector>

namespace fw::test {

class RecBase : public Object {
public:
    std::string name;
    std::int64_t index = 0;
    bool visible = false;
};

class RecThing : public RecBase {
public:
    std::int64_t width = 0;
    Color background;
    float fontSize = -1;
    std::uint8_t fontUnit = 0;
    std::vector<bool> transparentSets; // every value Transparent was set to, in order
};

template <class T, auto Member> void Set(Object& object, const PropertyValue& value)
{
    static_cast<T&>(object).*Member = std::get<std::remove_reference_t<decltype(std::declval<T&>().*Member)>>(value);
}

inline const PropertyInfo kBaseProperties[] = {
    { "Name", PropertyType::String, "String", Set<RecBase, &RecBase::name> },
    { "Index", PropertyType::Integer, "Integer", Set<RecBase, &RecBase::index> },
    { "Visible", PropertyType::Boolean, "Boolean", Set<RecBase, &RecBase::visible> },
    { "Broken", PropertyType::Integer, "Integer", [](Object&, const PropertyValue&) { throw NilObjectException(); } },
};

inline const PropertyInfo kThingProperties[] = {
    { "Width", PropertyType::Integer, "Integer", Set<RecThing, &RecThing::width> },
    { "BackgroundColor", PropertyType::Color, "Color", Set<RecThing, &RecThing::background> },
    { "FontSize", PropertyType::Single, "Single", Set<RecThing, &RecThing::fontSize> },
    { "FontUnit", PropertyType::FontUnits, "FontUnits", Set<RecThing, &RecThing::fontUnit> },
    { "Transparent", PropertyType::Boolean, "Boolean",
        [](Object& o, const PropertyValue& v) {
            static_cast<RecThing&>(o).transparentSets.push_back(std::get<bool>(v));
        } },
};

inline std::shared_ptr<RecThing> NewThing()
{
    static const ClassInfo& cls = RegisterClass<RecThing>(
        "RecThing", RegisterClass<RecBase>("RecBase", Object::Lookup__(), kBaseProperties), kThingProperties);
    return std::dynamic_pointer_cast<RecThing>(RuntimeNewObject(cls));
}

} // namespace fw::test
