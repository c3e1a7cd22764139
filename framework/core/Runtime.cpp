#include "fw/Runtime.h"

#include "RuntimeInternal.h"
#include "fw/Exceptions.h"

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace fw {

namespace {

    using Observer = std::function<void(std::string_view)>;

    struct RuntimeState {
        std::mutex mutex;
        std::vector<std::function<void()>> finalizers;
        std::shared_ptr<const Observer> observer;
    };

    RuntimeState& TheState()
    {
        static RuntimeState state;
        return state;
    }

    // Set while the library is loaded, which happens on the process's main
    // thread; RuntimeInit confirms it.
    std::atomic<std::thread::id> g_mainThread { std::this_thread::get_id() };
    std::atomic<ExceptionHelper> g_exceptionHelper { nullptr };
    std::atomic<bool> g_failed { false };
    std::atomic<void (*)() noexcept> g_runEnder { nullptr };

    void Fail(const std::exception_ptr& exception) noexcept
    {
        detail::ReportException(exception);
        g_failed = true;
    }

    // The report is one line, so line breaks inside a message (a CR made with
    // Chr(13), for example) are shown as spaces.
    std::string OneLine(std::string text)
    {
        for (char& c : text) {
            if (c == '\r' || c == '\n')
                c = ' ';
        }
        return text;
    }

    std::string Describe(const std::exception_ptr& exception)
    {
        try {
            std::rethrow_exception(exception);
        } catch (const RuntimeException& e) {
            return e.ClassName() + ": " + e.what();
        } catch (const std::exception& e) {
            return std::string("std::exception: ") + e.what();
        } catch (...) {
            return "unknown";
        }
    }

    void RunHandler(void* handler) { (*static_cast<const std::function<void()>*>(handler))(); }

} // namespace

void RuntimeInit()
{
    NotifyCall("RuntimeInit");
    g_mainThread = std::this_thread::get_id();
    g_failed = false;
}

void RuntimePerformFinalizers()
{
    NotifyCall("RuntimePerformFinalizers");
    RuntimeState& state = TheState();
    // One step at a time, without the lock, so that a step may register
    // another (which then runs next) or use the runtime.
    for (;;) {
        std::function<void()> step;
        {
            std::lock_guard lock(state.mutex);
            if (state.finalizers.empty())
                return;
            step = std::move(state.finalizers.back());
            state.finalizers.pop_back();
        }
        // A failing step must not keep the others from releasing what they hold;
        // nobody is left to catch it, so it counts as unhandled.
        try {
            step();
        } catch (...) {
            Fail(std::current_exception());
        }
    }
}

int RuntimeExit()
{
    NotifyCall("RuntimeExit");
    return g_failed ? 1 : 0;
}

std::exception_ptr CallFunctionWithExceptionHandling_(void (*function)(void*), void* argument)
{
    try {
        NotifyCall("CallFunctionWithExceptionHandling_");
        if (!function)
            throw NilObjectException("CallFunctionWithExceptionHandling_ was given no function");
        function(argument);
        return nullptr;
    } catch (const RuntimeException&) {
        return std::current_exception();
    }
}

void RuntimeSetExceptionHelper_(ExceptionHelper helper)
{
    NotifyCall("RuntimeSetExceptionHelper_");
    g_exceptionHelper = helper;
}

void UnhandledException_(std::exception_ptr exception)
{
    NotifyCall("UnhandledException_");
    if (exception)
        Fail(exception);
}

void CheckMainThread(std::string_view operation)
{
    if (std::this_thread::get_id() != g_mainThread.load())
        throw ThreadAccessingUIException(std::string(operation) + " was called off the main thread");
}

void Dispatch(const std::function<void()>& handler) noexcept
{
    if (!handler)
        return;
    std::exception_ptr raised;
    try {
        ExceptionHelper helper = g_exceptionHelper.load();
        if (!helper)
            helper = &CallFunctionWithExceptionHandling_;
        // The helper takes a plain pointer; RunHandler only reads through it.
        raised = helper(&RunHandler, const_cast<std::function<void()>*>(&handler));
    } catch (...) {
        raised = std::current_exception();
    }
    if (!raised)
        return;
    // Nobody planned for the state a failed handler leaves behind: like an
    // exception escaping main, it ends the run, and the exit status says so.
    Fail(raised);
    if (auto ender = g_runEnder.load())
        ender();
}

void SetCallObserver(std::function<void(std::string_view operation)> observer)
{
    auto shared = observer ? std::make_shared<const Observer>(std::move(observer)) : nullptr;
    RuntimeState& state = TheState();
    std::lock_guard lock(state.mutex);
    state.observer = std::move(shared);
}

void NotifyCall(std::string_view operation)
{
    std::shared_ptr<const Observer> observer;
    {
        RuntimeState& state = TheState();
        std::lock_guard lock(state.mutex);
        observer = state.observer;
    }
    // Called without the lock: the observer may itself call the framework.
    if (observer)
        (*observer)(operation);
}

namespace detail {

    void AddFinalizer(std::function<void()> step)
    {
        RuntimeState& state = TheState();
        std::lock_guard lock(state.mutex);
        state.finalizers.push_back(std::move(step));
    }

    void SetRunEnder(void (*ender)() noexcept) noexcept { g_runEnder = ender; }

    bool HasFailed() noexcept { return g_failed; }

    void ReportException(std::exception_ptr exception) noexcept
    {
        if (!exception)
            return;
        try {
            const std::string line = "Unhandled exception: " + OneLine(Describe(exception)) + "\n";
            std::fwrite(line.data(), 1, line.size(), stderr);
        } catch (...) {
            std::fputs("Unhandled exception: unknown\n", stderr);
        }
        std::fflush(stderr);
    }

} // namespace detail

} // namespace fw
