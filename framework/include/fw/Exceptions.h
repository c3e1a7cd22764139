#pragma once

#include <stdexcept>
#include <string>

namespace fw {

// Root of the runtime's exception family. Every exception the framework raises
// on purpose derives from it and carries the name of its runtime class.
class RuntimeException : public std::runtime_error {
public:
    explicit RuntimeException(const std::string& message)
        : RuntimeException("RuntimeException", message) { }

    const std::string& ClassName() const noexcept { return m_className; }

protected:
    RuntimeException(std::string className, const std::string& message)
        : std::runtime_error(message)
        , m_className(std::move(className)) { }

private:
    std::string m_className;
};

// A method or property was used through a nil object.
class NilObjectException : public RuntimeException {
public:
    explicit NilObjectException(const std::string& message = "the object is nil")
        : RuntimeException("NilObjectException", message) { }
};

// A user-interface operation was called from a thread other than the main one.
class ThreadAccessingUIException : public RuntimeException {
public:
    explicit ThreadAccessingUIException(const std::string& message)
        : RuntimeException("ThreadAccessingUIException", message) { }
};

// An object was cast to a class it does not belong to.
class IllegalCastException : public RuntimeException {
public:
    explicit IllegalCastException(const std::string& message)
        : RuntimeException("IllegalCastException", message) { }
};

// A property record could not be walked or applied.
class PropertyRecordException : public RuntimeException {
public:
    explicit PropertyRecordException(const std::string& message)
        : RuntimeException("PropertyRecordException", message) { }
};

// An operation was asked for something this framework does not offer.
class UnsupportedOperationException : public RuntimeException {
public:
    explicit UnsupportedOperationException(const std::string& message)
        : RuntimeException("UnsupportedOperationException", message) { }
};

} // namespace fw
