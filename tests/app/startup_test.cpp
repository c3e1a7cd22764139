#include "app/App.h"
#include "app/MenuBar1.h"
#include "app/Startup.h"
#include "fw/Framework.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using velunto::App;

// A process can start the program only once: the menu bar's holder is never
// emptied and the runtime's failure status sticks. So each launch runs in a
// child process of its own, which exits 0 when all its checks passed and
// whose stderr must match the pattern.
void InOwnProcess(const std::function<void()>& launch, const char* stderrPattern = "")
{
    EXPECT_EXIT(
        {
            launch();
            std::exit(testing::Test::HasFailure() ? 1 : 0);
        },
        testing::ExitedWithCode(0), stderrPattern);
}

// Starts the program as main does and records every framework operation. The
// hook sees each operation as it starts and may inspect the program or throw
// to make the operation fail.
struct Launch {
    std::function<void(std::string_view)> hook;
    std::vector<std::string> calls;
    int status = -1;

    void Run()
    {
        fw::SetCallObserver([this](std::string_view operation) {
            calls.emplace_back(operation);
            hook(operation);
        });
        fw::RuntimeInit();
        fw::RuntimePerformInitializers(velunto::kInitializers);
        velunto::Main_();
        fw::RuntimePerformFinalizers();
        status = fw::RuntimeExit();
        fw::SetCallObserver({});
    }

    std::ptrdiff_t Count(std::string_view operation) const { return std::ranges::count(calls, operation); }
    std::ptrdiff_t First(std::string_view operation) const
    {
        return std::ranges::find(calls, operation) - calls.begin();
    }
};

// The framework operations of a normal run in the order the program calls
// them; true where the run calls the operation exactly once.
constexpr std::pair<std::string_view, bool> kStartupOrder[]
    = { { "RuntimeInit", true }, { "RuntimePerformInitializers", true }, { "RuntimeCreateDelegate", false },
          { "RuntimeSetExceptionHelper_", true }, { "Application.SetSupportsHiDPI_", true },
          { "RuntimeInitExternalClasses_", true }, { "InitPluginEntrypoints_", true }, { "RuntimeNewObject", false },
          { "Application.x_SetVersionData_", true }, { "Application.SanityCheckWDDM_", true },
          { "MenuItem.AddMenu", false }, { "Application.MenuBar", false }, { "RuntimeRegisterAppObject_", true },
          { "RuntimeCreateDelegate", false }, { "RunFrameworkInitialization_", true }, { "Window.Constructor", true },
          { "RuntimeRun_", true }, { "RuntimePerformFinalizers", true }, { "RuntimeExit", true } };

// What a player sees once the loop runs, checked from inside it before quitting.
void CheckLaunched()
{
    const auto app = std::dynamic_pointer_cast<App>(fw::RegisteredApp());
    ASSERT_NE(app, nullptr) << "the registered application object is not an App";
    EXPECT_EQ(std::tuple(app->MajorVersion(), app->MinorVersion(), app->BugVersion(), app->NonReleaseVersion(),
                  app->StageCode(), app->LongVersion(), app->ShortVersion(), app->PackageInfo()),
        std::tuple(1, 0, 0, 0, 3, "1.01r", "1.01r", ""));

    const auto window = fw::GetImplicitWindow_("MainWindow.MainWindow");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(std::ranges::any_of(QApplication::topLevelWidgets(),
        [](QWidget* widget) { return widget->isVisible() && widget->windowTitle() == "Velunto"; }));
    ASSERT_NE(app->MenuBar(), nullptr);
    EXPECT_EQ(app->MenuBar(), window->MenuBar());
    EXPECT_EQ(app->MenuBar(), velunto::MenuBar1::Instance());

    for (std::string_view event : { "Activate", "AppearanceChanged", "CancelClose", "Close", "Deactivate",
             "EnableMenuItems", "HandleAppleEvent", "NewDocument", "Open", "OpenDocument", "UnhandledException" })
        EXPECT_FALSE(app->IsEventImplemented(event)) << event;
}

TEST(Startup, RunsItsStepsInOrderAndOpensTheWindowOnceTheAppHoldsItsMenuBar)
{
    InOwnProcess([] {
        Launch launch;
        bool appReadyBeforeWindow = false;
        launch.hook = [&](std::string_view operation) {
            if (operation == "Window.Constructor")
                appReadyBeforeWindow = fw::RegisteredApp() && fw::RegisteredApp()->MenuBar();
            if (operation == "RuntimeRun_")
                QTimer::singleShot(0, qApp, [] {
                    CheckLaunched();
                    fw::RuntimeQuit();
                });
        };
        launch.Run();
        EXPECT_EQ(launch.status, 0);
        EXPECT_TRUE(appReadyBeforeWindow);

        auto next = launch.calls.begin();
        for (const auto& [operation, once] : kStartupOrder) {
            next = std::find(next, launch.calls.end(), operation);
            ASSERT_NE(next, launch.calls.end())
                << operation << " missing or out of order in " << testing::PrintToString(launch.calls);
            EXPECT_TRUE(!once || launch.Count(operation) == 1) << operation << " was called more than once";
            ++next;
        }
        // The one menu bar is built whole before the app object takes it, and never again.
        EXPECT_EQ(launch.Count("MenuItem.AddMenu"), 11);
        EXPECT_EQ(std::count(launch.calls.begin(), launch.calls.begin() + launch.First("Application.MenuBar"),
                      "MenuItem.AddMenu"),
            11);
    });
}

TEST(Startup, AFaultWhileTheMenuBarIsBuiltIsReportedAndSkipsTheRest)
{
    InOwnProcess(
        [] {
            Launch launch;
            launch.hook = [](std::string_view operation) {
                if (operation == "MenuItem.AddMenu")
                    throw fw::UnsupportedOperationException("injected while the menu bar is built");
                if (operation == "RuntimePerformFinalizers") {
                    EXPECT_EQ(fw::RegisteredApp(), nullptr);
                    EXPECT_EQ(fw::GetImplicitWindow_("MainWindow.MainWindow"), nullptr);
                    EXPECT_EQ(QCoreApplication::instance(), nullptr);
                }
            };
            launch.Run();
            for (std::string_view skipped : { "Application.MenuBar", "RuntimeRegisterAppObject_",
                     "RunFrameworkInitialization_", "Window.Constructor", "RuntimeRun_" })
                EXPECT_EQ(launch.Count(skipped), 0) << skipped;
            EXPECT_EQ(launch.Count("UnhandledException_"), 1);
            EXPECT_GT(launch.First("RuntimePerformFinalizers"), launch.First("UnhandledException_"));
            EXPECT_NE(launch.status, 0);
        },
        "Unhandled exception: .*UnsupportedOperationException.*injected while the menu bar is built");
}

} // namespace
