#include "app/App.h"
#include "app/MenuBar1.h"
#include "app/Startup.h"
#include "quiz/MainWindow.h"

#include "NativeWindow.h"
#include "fw/Framework.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using velunto::App;

// The start-up's own framework calls in a normal run, from the process entry to
// its exit status. Of the building of the menu bar and the window (tested with
// them) only the menu bar's new objects show.
std::vector<std::string> NormalRun()
{
    std::vector<std::string> calls = { "RuntimeInit", "RuntimePerformInitializers", "RuntimeCreateDelegate",
        "RuntimeSetExceptionHelper_", "Application.SetSupportsHiDPI_", "RuntimeInitExternalClasses_",
        "InitPluginEntrypoints_", "RuntimeNewObject", "Application.x_SetVersionData_", "Application.SanityCheckWDDM_" };
    calls.insert(calls.end(), 12, "RuntimeNewObject"); // the menu bar and its eleven items
    calls.insert(calls.end(),
        { "Application.MenuBar", "RuntimeRegisterAppObject_", "RuntimeCreateDelegate", "RunFrameworkInitialization_",
            "GetImplicitWindow_", "RuntimeNewObject", "Window.Constructor", "RuntimeRun_", "RuntimePerformFinalizers",
            "RuntimeExit" });
    return calls;
}

// Runs the program's real process entry in a child process (a process starts
// the program once), recording the start-up's calls but none from the window's
// set-up or the running loop. The hook sees each call as it starts and may
// throw to make it fail. Checked: the calls, a failure status exactly when a
// call failed, a menu-bar holder that is empty or whole, and no native
// application left once the run is over.
void Launch(const std::function<void(std::string_view)>& hook, const std::vector<std::string>& expected, bool failing)
{
    EXPECT_EXIT(
        {
            const auto normal = NormalRun();
            std::vector<std::string> calls;
            bool inside = false;
            fw::SetCallObserver([&](std::string_view op) {
                inside
                    = inside && op != "RuntimeRun_" && op != "UnhandledException_" && op != "RuntimePerformFinalizers";
                if (!inside && (op == "UnhandledException_" || std::ranges::find(normal, op) != normal.end()))
                    calls.emplace_back(op);
                inside = inside || op == "Window.Constructor" || op == "RuntimeRun_";
                hook(op);
            });
            const int status = velunto::RunProcess();
            fw::SetCallObserver({});
            EXPECT_EQ(calls, expected);
            EXPECT_EQ(status != 0, failing);
            EXPECT_EQ(QCoreApplication::instance(), nullptr);
            const auto held = velunto::MenuBar1::implicitInstance_;
            EXPECT_TRUE(!held || held->Children().size() == 2);
            EXPECT_EQ(velunto::MenuBar1::Instance()->Child("EditMenu")->Children().size(), 8u);
            std::exit(testing::Test::HasFailure() ? 1 : 0);
        },
        testing::ExitedWithCode(0), failing ? "Unhandled exception: UnsupportedOperationException: injected" : "");
}

TEST(Startup, RunsItsStepsInOrderFromTheEntryToTheLoop)
{
    // The program's rows come last, in this order; the holder's does nothing.
    EXPECT_EQ(velunto::kInitializers,
        (std::array<fw::Initializer, 4> { &App::ctblinit__, &velunto::MainWindow::ctblinit__,
            &velunto::MenuBar1::implicitInstanceInit__, &velunto::MenuBar1::ctblinit__ }));
    Launch(
        [](std::string_view op) {
            // The rows have run before Main_ starts; no menu bar is built yet.
            EXPECT_TRUE(op != "RuntimeSetExceptionHelper_"
                || (fw::FindClass("App")->IsA(fw::Application::Lookup__())
                    && fw::FindClass("MainWindow.MainWindow")->IsA(fw::Window::Lookup__())
                    && fw::FindClass("MenuBar1.MenuBar1")->IsA(fw::MenuBar::Lookup__())
                    && !velunto::MenuBar1::implicitInstance_));
            if (op == "RuntimeRun_")
                QTimer::singleShot(0, qApp, [] {
                    fw::RuntimeQuit(); // queued: the checks below run first
                    // What a player finds once the loop runs.
                    const auto app = std::dynamic_pointer_cast<App>(fw::RegisteredApp());
                    ASSERT_NE(app, nullptr) << "the registered application object is not an App";
                    EXPECT_EQ(std::tuple(app->MajorVersion(), app->MinorVersion(), app->BugVersion(),
                                  app->NonReleaseVersion(), app->StageCode(), app->LongVersion(), app->ShortVersion(),
                                  app->PackageInfo()),
                        std::tuple(1, 0, 0, 0, 3, "1.01r", "1.01r", ""));
                    EXPECT_TRUE(fw::SupportsHiDPI());
                    const auto window = fw::GetImplicitWindow_("MainWindow.MainWindow");
                    ASSERT_TRUE(window && fw::NativeWindow(*window)->isVisible());
                    EXPECT_TRUE(app->MenuBar() == velunto::MenuBar1::Instance() && window->MenuBar() == app->MenuBar());
                    for (std::string_view event :
                        { "Activate", "AppearanceChanged", "CancelClose", "Close", "Deactivate", "EnableMenuItems",
                            "HandleAppleEvent", "NewDocument", "Open", "OpenDocument", "UnhandledException" })
                        EXPECT_FALSE(app->IsEventImplemented(event)) << event;
                });
        },
        NormalRun(), false);
}

// A failing call ends the run there: the framework reports it, and the
// finalisation and a failure status follow.
TEST(Startup, AFailingCallSkipsTheRestAndIsReported)
{
    const std::pair<std::string_view, long> faults[]
        = { { "RuntimePerformInitializers", 1 }, { "RuntimeSetExceptionHelper_", 1 }, { "InitPluginEntrypoints_", 1 },
              { "RuntimeNewObject", 3 }, // the menu bar's first item
              { "RunFrameworkInitialization_", 1 }, { "Window.Constructor", 1 }, { "RuntimeRun_", 1 } };
    for (const auto& [fault, occurrence] : faults) {
        SCOPED_TRACE(fault);
        std::vector<std::string> expected = NormalRun();
        auto last = expected.begin();
        while (std::count(expected.begin(), ++last, fault) < occurrence) { }
        expected.erase(last, expected.end());
        expected.insert(expected.end(), { "UnhandledException_", "RuntimePerformFinalizers", "RuntimeExit" });
        Launch(
            [fault, occurrence, seen = 0L](std::string_view op) mutable {
                if (op == fault && ++seen == occurrence)
                    throw fw::UnsupportedOperationException("injected");
            },
            expected, true);
    }
}

} // namespace
