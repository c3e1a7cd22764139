#include "RuntimeInternal.h"
#include "fw/Exceptions.h"
#include "fw/Runtime.h"

#include <gtest/gtest.h>

#include <thread>

using namespace fw;

namespace {

class Runtime : public testing::Test {
protected:
    void SetUp() override
    {
        RuntimeInit();
        RuntimeSetExceptionHelper_(nullptr);
    }
    void TearDown() override
    {
        SetCallObserver({});
        RuntimeSetExceptionHelper_(nullptr);
        RuntimeInit();
    }

    // What Dispatch writes on stderr for the handler.
    static std::string DispatchReport(const std::function<void()>& handler)
    {
        testing::internal::CaptureStderr();
        Dispatch(handler);
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
    auto count = [](void* counter) { ++*static_cast<int*>(counter); };
    EXPECT_EQ(CallFunctionWithExceptionHandling_(count, &calls), nullptr);
    EXPECT_EQ(calls, 1);

    auto nil = [](void*) { throw NilObjectException(); };
    std::exception_ptr raised = CallFunctionWithExceptionHandling_(nil, nullptr);
    ASSERT_NE(raised, nullptr);
    EXPECT_THROW(std::rethrow_exception(raised), NilObjectException);

    auto foreign = [](void*) { throw std::logic_error("not ours"); };
    EXPECT_THROW(CallFunctionWithExceptionHandling_(foreign, nullptr), std::logic_error);
}

TEST_F(Runtime, DispatchReportsWhatAHandlerThrowsWithoutFailingTheRun)
{
    const std::pair<std::function<void()>, std::string> cases[] = {
        { [] { throw NilObjectException(); }, "Unhandled exception: NilObjectException: the object is nil\n" },
        { [] { throw std::runtime_error("disk"); }, "Unhandled exception: std::exception: disk\n" },
        { [] { throw 42; }, "Unhandled exception: unknown\n" },
        { [] {}, "" },
    };
    for (const auto& [handler, report] : cases)
        EXPECT_EQ(DispatchReport(handler), report);
    EXPECT_EQ(RuntimeExit(), 0);
}

TEST_F(Runtime, DispatchRunsHandlersThroughTheInstalledHelper)
{
    RuntimeSetExceptionHelper_(&CountingHelper);
    g_helperRuns = 0;
    bool ran = false;
    EXPECT_EQ(DispatchReport([&] { ran = true; }), "");
    EXPECT_TRUE(ran);
    EXPECT_EQ(
        DispatchReport([] { throw IllegalCastException("x\ry"); }), "Unhandled exception: IllegalCastException: x y\n");
    EXPECT_EQ(g_helperRuns, 2);
}

TEST_F(Runtime, UnhandledExceptionReportsOneLineAndFailsTheExit)
{
    std::vector<std::string> calls;
    SetCallObserver([&](std::string_view op) { calls.emplace_back(op); });
    EXPECT_EQ(RuntimeExit(), 0);
    testing::internal::CaptureStderr();
    UnhandledException_(std::make_exception_ptr(ThreadAccessingUIException("Window.Constructor off thread")));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
        "Unhandled exception: ThreadAccessingUIException: Window.Constructor off thread\n");
    EXPECT_EQ(RuntimeExit(), 1);
    RuntimeInit();
    EXPECT_EQ(RuntimeExit(), 0);
    EXPECT_EQ(calls,
        (std::vector<std::string> {
            "RuntimeExit", "UnhandledException_", "RuntimeExit", "RuntimeInit", "RuntimeExit" }));
}

TEST_F(Runtime, AFailingReportPassesOnAndLeavesTheStatus)
{
    SetCallObserver([](std::string_view op) {
        if (op == "UnhandledException_")
            throw RuntimeException("report failed");
    });
    EXPECT_THROW(UnhandledException_(std::make_exception_ptr(NilObjectException())), RuntimeException);
    SetCallObserver({});
    EXPECT_EQ(RuntimeExit(), 0);
}

TEST_F(Runtime, FinalizersRunInReverseOnceEvenWhenOneFails)
{
    std::string order;
    detail::AddFinalizer([&] { order += 'a'; });
    detail::AddFinalizer([&] { throw NilObjectException(); });
    detail::AddFinalizer([&] { order += 'c'; });
    testing::internal::CaptureStderr();
    RuntimePerformFinalizers();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("NilObjectException"), std::string::npos);
    RuntimePerformFinalizers();
    EXPECT_EQ(order, "ca");
    EXPECT_EQ(RuntimeExit(), 1);
}

TEST_F(Runtime, MainThreadCheckNamesTheOperationElsewhere)
{
    EXPECT_NO_THROW(CheckMainThread("Window.Constructor"));
    std::string message;
    std::thread([&] {
        try {
            CheckMainThread("Window.Constructor");
        } catch (const ThreadAccessingUIException& e) {
            message = e.what();
        }
    }).join();
    EXPECT_NE(message.find("Window.Constructor"), std::string::npos) << message;
}

} // namespace
