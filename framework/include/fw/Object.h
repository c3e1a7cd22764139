#pragma once

#include "fw/Exceptions.h"
#include "fw/Values.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace fw {

class Object;
struct ClassInfo;
using ObjectPtr = std::shared_ptr<Object>;

// How a settable property's value is encoded in a property record.
enum class PropertyType {
    Integer,   // 8 bytes, signed, little-endian; also enumerations based on Integer
    Boolean,   // 1 byte
    String,    // 4-byte little-endian byte count, then the bytes
    Color,     // 4 bytes, see Color
    Single,    // 4 bytes, IEEE 754 single precision
    FontUnits, // 1 byte, an enumeration on an unsigned byte
};

using PropertyValue = std::variant<std::int64_t, bool, std::string, Color, float, std::uint8_t>;

// One settable property of a class, as the record reader finds it.
struct PropertyInfo {
    std::string_view name;
    PropertyType type;
    std::string_view typeName; // the declared type as named, e.g. "Integer" or "Window.Types"
    void (*set)(Object& object, const PropertyValue& value);
};

// A registered class: its name, its base, how to make an object of it, the
// properties it declares itself and the events it implements itself.
struct ClassInfo {
    std::string name;
    const ClassInfo* base = nullptr;
    std::function<ObjectPtr()> factory; // empty for classes that cannot be made
    std::span<const PropertyInfo> properties;
    std::vector<std::string> events;

    bool IsA(const ClassInfo& other) const noexcept;
    // Looks the name up in this class and then in each base, ignoring ASCII case.
    const PropertyInfo* FindProperty(std::string_view propertyName) const noexcept;
};

// Root of every runtime object. Objects are reference counted through
// std::shared_ptr; objects of registered classes come from RuntimeNewObject,
// which records their class.
class Object : public std::enable_shared_from_this<Object> {
public:
    Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object();

    const ClassInfo& Class() const noexcept { return *m_class; }

    // Called by SetProperties_ around a record's walk, so that an object can
    // push its state to the native side once instead of after every property.
    // The end runs also when an entry fails.
    virtual void BeginProperties() { }
    virtual void EndProperties() { }

    static const ClassInfo& Lookup__();

private:
    friend ObjectPtr RuntimeNewObject(const ClassInfo& cls);
    const ClassInfo* m_class;
};

// Registers a class under its name. A second registration under the same name
// returns the class registered first and changes nothing.
const ClassInfo& RegisterClass(ClassInfo info);

template <class T>
const ClassInfo& RegisterClass(std::string name, const ClassInfo& base,
    std::span<const PropertyInfo> properties = {}, std::vector<std::string> events = {})
{
    ClassInfo info;
    info.name = std::move(name);
    info.base = &base;
    if constexpr (!std::is_abstract_v<T> && std::is_default_constructible_v<T>)
        info.factory = [] { return std::make_shared<T>(); };
    info.properties = properties;
    info.events = std::move(events);
    return RegisterClass(std::move(info));
}

// The class registered under the name, or nullptr.
const ClassInfo* FindClass(std::string_view name) noexcept;

// A new, not yet constructed object of the class.
ObjectPtr RuntimeNewObject(const ClassInfo& cls);

// Nil stays nil; an object of the class or of a class derived from it is
// returned as it is; any other object raises IllegalCastException.
ObjectPtr RuntimeCheckCast(const ObjectPtr& object, const ClassInfo& cls);

template <class T>
std::shared_ptr<T> RuntimeCheckCast(const ObjectPtr& object)
{
    if (!object)
        return nullptr;
    RuntimeCheckCast(object, T::Lookup__());
    auto typed = std::dynamic_pointer_cast<T>(object);
    if (!typed)
        throw IllegalCastException("an object of class " + object->Class().name + " is not a " + T::Lookup__().name);
    return typed;
}

// Whether the class registered under className implements the named event
// itself. The flag selects the lookup for program classes; both lookups answer
// from the class's own event list.
bool RuntimeIsEventHandled_(const ObjectPtr& object, std::string_view className, std::string_view eventName, bool programClass);

} // namespace fw
