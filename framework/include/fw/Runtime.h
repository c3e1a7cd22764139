#pragma once

#include <exception>
#include <functional>
#include <span>
#include <string_view>

namespace fw {

using Initializer = void (*)();

// Runs a function under exception handling: nullptr when it ends normally, the
// exception when it raises one of the RuntimeException family; any other
// exception passes on.
using ExceptionHelper = std::exception_ptr (*)(void (*function)(void*), void* argument);

// Readies the runtime for every later call.
void RuntimeInit();

// Runs the framework's own initialisers and then the program's rows, in order.
void RuntimePerformInitializers(std::span<const Initializer> programRows);

// Releases what the framework holds (application object, windows, native
// application) in the reverse order of their making.
void RuntimePerformFinalizers();

// The process's exit status: 0 after a normal run, 1 once an unhandled
// exception has been reported (by UnhandledException_, by Dispatch or by a
// failing finaliser).
int RuntimeExit();

// The framework's own routine for running a call under exception handling.
std::exception_ptr CallFunctionWithExceptionHandling_(void (*function)(void*), void* argument);

// Installs the routine the framework runs event handlers through.
void RuntimeSetExceptionHelper_(ExceptionHelper helper);

// Reports an exception that ended the start-up or the run: one line on stderr
// naming its class and message. The exit status becomes non-zero.
void UnhandledException_(std::exception_ptr exception);

// Starts the native application and calls the routine once, on the main
// thread, once it is up.
void RunFrameworkInitialization_(void (*routine)());

// Runs the event loop; returns when the application quits or a handler fails,
// and at once when one has failed before.
void RuntimeRun_();

// Asks the running event loop to return.
void RuntimeQuit();

// Raises ThreadAccessingUIException unless called on the main thread.
void CheckMainThread(std::string_view operation);

// Runs a handler as the event loop does: an exception it raises never passes
// on. It is reported on stderr and ends the run: the running event loop
// returns and the exit status becomes 1.
void Dispatch(const std::function<void()>& handler) noexcept;

// Test hook: the observer sees the name of every framework operation as it
// starts (for recording call order), and may throw to make the operation fail.
// Free functions are named as declared ("RuntimeInit", "SetProperties_"),
// members as "Class.Member" ("Window.Constructor", "MenuItem.AddMenu",
// "Application.MenuBar" for the setter and the getter alike).
void SetCallObserver(std::function<void(std::string_view operation)> observer);
void NotifyCall(std::string_view operation);

} // namespace fw
