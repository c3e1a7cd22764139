#include "RuntimeInternal.h"
#include "fw/Exceptions.h"
#include "fw/Runtime.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {

class Runtime : public testing::Test {
protected:
    void SetUp() override { RuntimeInit(); }
    void TearDown() override
    {
        RuntimeSetExceptionHelper_(nullptr);
        RuntimeInit();
    }

    // What the call writes on stderr.
    static std::string Stderr(const std::function<void()>& call)
    {
        testing::internal::CaptureStderr();
        call();
        return testing::internal::GetCapturedStderr();
    }
};

int g_helperRuns = 0;
std::exception_ptr CountingHelper(void (*function)(void*), void* argument)
{
    ++g_helperRuns;
    return CallFunctionWithExceptionHandling_(function, argument);
}

TEST_F(Runtime, HelperReturnsOnlyTheRuntimeExceptionFamily)
{
    int calls = 0;
    EXPECT_EQ(
        CallFunctionWithExceptionHandling_([](void* counter) { ++*static_cast<int*>(counter); }, &calls), nullptr);
    EXPECT_EQ(calls, 1);
    std::exception_ptr raised = CallFunctionWithExceptionHandling_([](void*) { throw NilObjectException(); }, nullptr);
    EXPECT_THROW(std::rethrow_exception(raised), NilObjectException);
    auto foreign = [](void*) { throw std::logic_error("not ours"); };
    EXPECT_THROW(CallFunctionWithExceptionHandling_(foreign, nullptr), std::logic_error);
}

int g_runEnds = 0;

// Dispatch is what native events go through: nothing it runs may throw past it,
// and what a handler throws ends the run as a failure.
TEST_F(Runtime, DispatchReportsWhatAHandlerThrowsThroughTheInstalledHelperAndEndsTheRun)
{
    RuntimeSetExceptionHelper_(&CountingHelper);
    detail::SetRunEnder([]() noexcept { ++g_runEnds; });
    g_helperRuns = g_runEnds = 0;
    const std::pair<std::function<void()>, std::string> cases[] = {
        { [] {}, "" },
        { [] { throw NilObjectException(); }, "Unhandled exception: NilObjectException: the object is nil\n" },
        { [] { throw IllegalCastException("x\ry"); }, "Unhandled exception: IllegalCastException: x y\n" },
        { [] { throw std::runtime_error("disk"); }, "Unhandled exception: std::exception: disk\n" },
        { [] { throw 42; }, "Unhandled exception: unknown\n" },
    };
    for (const auto& [handler, report] : cases) {
        RuntimeInit();
        EXPECT_EQ(Stderr([&] { Dispatch(handler); }), report);
        EXPECT_EQ(RuntimeExit(), report.empty() ? 0 : 1) << report;
    }
    detail::SetRunEnder(nullptr);
    EXPECT_EQ(g_helperRuns, 5);
    EXPECT_EQ(g_runEnds, 4);
}

TEST_F(Runtime, UnhandledExceptionReportsOneLineAndFailsTheExit)
{
    EXPECT_EQ(RuntimeExit(), 0);
    EXPECT_EQ(Stderr([] {
        UnhandledException_(std::make_exception_ptr(ThreadAccessingUIException("Window.Constructor off thread")));
    }),
        "Unhandled exception: ThreadAccessingUIException: Window.Constructor off thread\n");
    EXPECT_EQ(RuntimeExit(), 1);
    RuntimeInit();
    EXPECT_EQ(RuntimeExit(), 0);
}

TEST_F(Runtime, FinalizersRunInReverseOnceEvenWhenOneFails)
{
    std::string order;
    detail::AddFinalizer([&] { order += 'a'; });
    detail::AddFinalizer([&] { throw NilObjectException(); });
    detail::AddFinalizer([&] { order += 'c'; });
    EXPECT_NE(Stderr(RuntimePerformFinalizers).find("NilObjectException"), std::string::npos);
    RuntimePerformFinalizers();
    EXPECT_EQ(order, "ca");
    EXPECT_EQ(RuntimeExit(), 1);
}

} // namespace
