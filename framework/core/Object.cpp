#include "fw/Object.h"

#include "RuntimeInternal.h"
#include "fw/Runtime.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace fw {

namespace {

    char FoldAscii(char c) noexcept { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

    // The registry hands out references to its entries for the whole run, so each
    // class lives in its own allocation that never moves.
    struct Registry {
        std::mutex mutex;
        std::map<std::string, std::unique_ptr<ClassInfo>, std::less<>> classes;
    };

    Registry& TheRegistry()
    {
        static Registry registry;
        return registry;
    }

} // namespace

bool detail::EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) noexcept
{
    return std::ranges::equal(a, b, [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

bool ClassInfo::IsA(const ClassInfo& other) const noexcept
{
    for (const ClassInfo* cls = this; cls; cls = cls->base) {
        if (cls == &other)
            return true;
    }
    return false;
}

const PropertyInfo* ClassInfo::FindProperty(std::string_view propertyName) const noexcept
{
    for (const ClassInfo* cls = this; cls; cls = cls->base) {
        for (const PropertyInfo& property : cls->properties) {
            if (detail::EqualsIgnoringAsciiCase(property.name, propertyName))
                return &property;
        }
    }
    return nullptr;
}

Object::Object()
    : m_class(&Lookup__())
{
}

Object::~Object() = default;

const ClassInfo& Object::Lookup__()
{
    static const ClassInfo& cls = [] {
        ClassInfo info;
        info.name = "Object";
        info.factory = [] { return std::make_shared<Object>(); };
        return std::cref(RegisterClass(std::move(info)));
    }();
    return cls;
}

const ClassInfo& RegisterClass(ClassInfo info)
{
    if (info.name.empty())
        throw RuntimeException("RegisterClass: a class needs a name");
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    auto found = registry.classes.find(info.name);
    if (found != registry.classes.end())
        return *found->second;
    auto name = info.name;
    auto& slot = registry.classes[std::move(name)];
    slot = std::make_unique<ClassInfo>(std::move(info));
    return *slot;
}

const ClassInfo* FindClass(std::string_view name) noexcept
{
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    auto found = registry.classes.find(name);
    return found == registry.classes.end() ? nullptr : found->second.get();
}

ObjectPtr RuntimeNewObject(const ClassInfo& cls)
{
    NotifyCall("RuntimeNewObject");
    if (!cls.factory)
        throw RuntimeException("RuntimeNewObject: class " + cls.name + " cannot be instantiated (it has no factory)");
    ObjectPtr object = cls.factory();
    if (!object)
        throw RuntimeException("RuntimeNewObject: the factory of class " + cls.name + " made no object");
    object->m_class = &cls;
    return object;
}

ObjectPtr RuntimeCheckCast(const ObjectPtr& object, const ClassInfo& cls)
{
    NotifyCall("RuntimeCheckCast");
    if (object && !object->Class().IsA(cls))
        throw IllegalCastException("an object of class " + object->Class().name + " is not a " + cls.name);
    return object;
}

bool RuntimeIsEventHandled_(const ObjectPtr&, std::string_view className, std::string_view eventName, bool)
{
    NotifyCall("RuntimeIsEventHandled_");
    // Both lookups, for program classes and for framework classes, read the
    // class's own list: an event implemented only by a base does not count.
    const ClassInfo* cls = FindClass(className);
    if (!cls)
        return false;
    return std::ranges::any_of(
        cls->events, [eventName](const std::string& event) { return detail::EqualsIgnoringAsciiCase(event, eventName); });
}

} // namespace fw
