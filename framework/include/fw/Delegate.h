#pragma once

#include "fw/Object.h"
#include "fw/Runtime.h"

#include <string>
#include <string_view>

namespace fw {

class Control;

// Event numbers under which handlers are attached to controls.
inline constexpr int kOpenEvent = 2;    // Open of TextField
inline constexpr int kActionEvent = 17; // Action of BevelButton

// Tag naming the argument class of the handlers a delegate invokes.
template <class Arg>
struct Invoker { };

// A method bound to an object. The delegate holds its target weakly: once the
// target is gone, invoking raises NilObjectException and calls nothing.
class Delegate final : public Object {
public:
    using Call = std::function<void(Object& target, const ObjectPtr& argument)>;

    Delegate(Call call, std::weak_ptr<Object> target, std::string signature, int flag);

    void Invoke(const ObjectPtr& argument) const;

    const std::string& Signature() const noexcept { return m_signature; }
    int Flag() const noexcept { return m_flag; }

private:
    Call m_call;
    std::weak_ptr<Object> m_target;
    std::string m_signature;
    int m_flag;
};

using DelegatePtr = std::shared_ptr<Delegate>;

// A routine with no target; its raw entry can be handed on.
template <class Fn>
class RoutineDelegate final : public Object {
public:
    RoutineDelegate(Fn* entry, std::string signature, int flag)
        : m_entry(entry)
        , m_signature(std::move(signature))
        , m_flag(flag) { }

    Fn* Entry() const noexcept { return m_entry; }
    const std::string& Signature() const noexcept { return m_signature; }
    int Flag() const noexcept { return m_flag; }

private:
    Fn* m_entry;
    std::string m_signature;
    int m_flag;
};

// A delegate over a method of target, invoked with an argument of class Arg.
template <class Arg, class T>
DelegatePtr RuntimeCreateDelegate(Invoker<Arg>, void (T::*method)(const std::shared_ptr<Arg>&),
    const std::shared_ptr<T>& target, std::string_view signature, int flag)
{
    NotifyCall("RuntimeCreateDelegate");
    auto call = [method](Object& object, const ObjectPtr& argument) {
        (static_cast<T&>(object).*method)(RuntimeCheckCast<Arg>(argument));
    };
    return std::make_shared<Delegate>(std::move(call), target, std::string(signature), flag);
}

// A delegate over a routine with no target object.
template <class Fn>
std::shared_ptr<RoutineDelegate<Fn>> RuntimeCreateDelegate(Invoker<void>, Fn* routine, std::nullptr_t,
    std::string_view signature, int flag)
{
    NotifyCall("RuntimeCreateDelegate");
    return std::make_shared<RoutineDelegate<Fn>>(routine, std::string(signature), flag);
}

// A stub is the per-event routine the control calls when it raises the event:
// it fetches the delegate the control holds for that event and invokes it.
using EventStub = void (*)(Control& control);
void OpenEventStub(Control& control);
void ActionEventStub(Control& control);

// Attaches the delegate to the control's event; a later call for the same
// event replaces the earlier handler.
void RuntimeAddEventHandler(const ObjectPtr& control, int eventIndex, EventStub stub, DelegatePtr delegate);

} // namespace fw
