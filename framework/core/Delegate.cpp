#include "fw/Delegate.h"

namespace fw {

Delegate::Delegate(Call call, std::weak_ptr<Object> target, std::string signature, int flag)
    : m_call(std::move(call))
    , m_target(std::move(target))
    , m_signature(std::move(signature))
    , m_flag(flag)
{
}

void Delegate::Invoke(const ObjectPtr& argument) const
{
    // The lock keeps the target alive for the whole call, even if the handler
    // lets go of the last other reference to it.
    ObjectPtr target = m_target.lock();
    if (!target)
        throw NilObjectException("the delegate's target is gone (handler " + m_signature + ")");
    if (!m_call)
        throw NilObjectException("the delegate has no method (handler " + m_signature + ")");
    m_call(*target, argument);
}

} // namespace fw
