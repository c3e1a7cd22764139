#pragma once

// Shared between the framework's core and its native side; not for program code.

#include <exception>
#include <functional>
#include <string_view>

namespace fw::detail {

// Registers a step for RuntimePerformFinalizers, which runs them in reverse order.
void AddFinalizer(std::function<void()> step);

// Names of properties, classes' events and menu items compare this way.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) noexcept;

// What Dispatch calls after reporting a handler's exception, to end the run:
// set by RuntimeRun_ while its event loop runs, nullptr otherwise.
void SetRunEnder(void (*ender)() noexcept) noexcept;

// Whether an unhandled exception has been reported since RuntimeInit.
bool HasFailed() noexcept;

// Writes the one-line report of an exception on stderr: its class and message.
void ReportException(std::exception_ptr exception) noexcept;

} // namespace fw::detail
