#include "app/App.h"
#include "app/MenuBar1.h"
#include "app/Startup.h"
#include "fw/Framework.h"
#include "quiz/MainWindow.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace {

using velunto::App;

// A process can start the program only once: the menu bar's holder is never
// emptied and the runtime's failure status sticks. So each launch runs in a
// child process of its own, which exits 0 when all its checks passed.
void InOwnProcess(const std::function<void()>& launch)
{
    EXPECT_EXIT(
        {
            launch();
            std::exit(testing::Test::HasFailure() ? 1 : 0);
        },
        testing::ExitedWithCode(0), "");
}

// Starts the program as main does and records every framework operation. The
// hook sees each operation as it starts and may inspect the program or throw
// to make the operation fail; what the hook itself calls is not recorded.
class Launch {
public:
    std::function<void(std::string_view)> hook;
    std::function<void()> afterMain; // between Main_ and the finalisers
    std::vector<std::string> calls;
    int status = -1;

    void Run()
    {
        fw::SetCallObserver([this](std::string_view operation) {
            if (m_quiet)
                return;
            calls.emplace_back(operation);
            if (hook)
                Unrecorded([&] { hook(operation); });
        });
        fw::RuntimeInit();
        fw::RuntimePerformInitializers(velunto::kInitializers);
        velunto::Main_();
        if (afterMain)
            Unrecorded(afterMain);
        fw::RuntimePerformFinalizers();
        status = fw::RuntimeExit();
        fw::SetCallObserver({});
    }

    void Unrecorded(const std::function<void()>& body)
    {
        struct Restore {
            bool& flag;
            bool saved;
            ~Restore() { flag = saved; }
        } restore { m_quiet, m_quiet };
        m_quiet = true;
        body();
    }

    std::ptrdiff_t Count(std::string_view operation) const { return std::ranges::count(calls, operation); }

    std::ptrdiff_t First(std::string_view operation) const
    {
        const auto found = std::ranges::find(calls, operation);
        return found == calls.end() ? -1 : found - calls.begin();
    }

    std::string Listing() const
    {
        std::string text;
        for (const std::string& call : calls)
            text += "\n  " + call;
        return text;
    }

private:
    bool m_quiet = false;
};

// Sends stderr to a file until Take(); gtest's own capture is taken by the
// death test that runs the launch.
class StderrCapture {
public:
    StderrCapture()
        : m_file(std::tmpfile())
    {
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        dup2(fileno(m_file), STDERR_FILENO);
    }
    ~StderrCapture() { std::fclose(m_file); }

    std::string Take()
    {
        std::fflush(stderr);
        dup2(m_saved, STDERR_FILENO);
        close(m_saved);
        std::string text;
        std::rewind(m_file);
        for (int c; (c = std::fgetc(m_file)) != EOF;)
            text += char(c);
        return text;
    }

private:
    std::FILE* m_file;
    int m_saved;
};

QWidget* ShownQuizWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->windowTitle() == "Velunto")
            return widget;
    }
    return nullptr;
}

// Armed as the event loop starts: once the quiz window is shown, runs the
// check and quits. A reaper fails the test instead of letting it hang.
void QuitOnceShown(Launch& launch, std::function<void()> check)
{
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, &launch, check = std::move(check)] {
        if (!ShownQuizWindow())
            return;
        poll->stop();
        try {
            launch.Unrecorded(check);
        } catch (const std::exception& e) {
            ADD_FAILURE() << "the check after launch raised: " << e.what();
        }
        fw::RuntimeQuit();
    });
    poll->start(5);
    QTimer::singleShot(10'000, qApp, [] {
        ADD_FAILURE() << "the quiz window was not shown within 10 s";
        fw::RuntimeQuit();
    });
}

// The framework operations of a normal run, in the order the program calls them.
constexpr std::string_view kStartupOrder[] = {
    "RuntimeInit",
    "RuntimePerformInitializers",
    "RuntimeCreateDelegate",
    "RuntimeSetExceptionHelper_",
    "Application.SetSupportsHiDPI_",
    "RuntimeInitExternalClasses_",
    "InitPluginEntrypoints_",
    "RuntimeNewObject",
    "Application.x_SetVersionData_",
    "Application.SanityCheckWDDM_",
    "Application.MenuBar",
    "RuntimeRegisterAppObject_",
    "RuntimeCreateDelegate",
    "RunFrameworkInitialization_",
    "RuntimeRun_",
    "RuntimePerformFinalizers",
    "RuntimeExit",
};

// Of those, the ones a normal run calls exactly once, with the window's construction.
constexpr std::string_view kCalledOnce[] = {
    "RuntimeInit",
    "RuntimePerformInitializers",
    "RuntimeSetExceptionHelper_",
    "Application.SetSupportsHiDPI_",
    "RuntimeInitExternalClasses_",
    "InitPluginEntrypoints_",
    "Application.x_SetVersionData_",
    "Application.SanityCheckWDDM_",
    "RuntimeRegisterAppObject_",
    "RunFrameworkInitialization_",
    "RuntimeRun_",
    "Window.Constructor",
};

constexpr std::string_view kApplicationEvents[] = {
    "Activate",
    "AppearanceChanged",
    "CancelClose",
    "Close",
    "Deactivate",
    "EnableMenuItems",
    "HandleAppleEvent",
    "NewDocument",
    "Open",
    "OpenDocument",
    "UnhandledException",
};

TEST(Startup, RunsItsStepsInOrderAndOpensTheWindowOnlyOnceTheAppIsRegistered)
{
    InOwnProcess([] {
        Launch launch;
        bool registeredBeforeWindow = false;
        bool menuBarBeforeWindow = false;
        launch.hook = [&](std::string_view operation) {
            if (operation == "Window.Constructor") {
                const auto app = fw::RegisteredApp();
                registeredBeforeWindow = app != nullptr;
                menuBarBeforeWindow = app && app->MenuBar() != nullptr;
            }
            if (operation == "RuntimeRun_")
                QuitOnceShown(launch, [] {});
        };
        launch.Run();
        EXPECT_EQ(launch.status, 0);

        std::size_t next = 0;
        for (const std::string& call : launch.calls) {
            if (next < std::size(kStartupOrder) && call == kStartupOrder[next])
                ++next;
        }
        EXPECT_EQ(next, std::size(kStartupOrder))
            << "missing or out of order: " << kStartupOrder[std::min(next, std::size(kStartupOrder) - 1)]
            << "; recorded:" << launch.Listing();
        for (std::string_view operation : kCalledOnce)
            EXPECT_EQ(launch.Count(operation), 1) << operation << "; recorded:" << launch.Listing();

        // The menu bar is built while the app object is set up, between its
        // version data and its menu-bar setter, and never again.
        EXPECT_EQ(launch.Count("MenuItem.AddMenu"), 11);
        const auto sanityCheck = launch.First("Application.SanityCheckWDDM_");
        const auto menuBarSetter = launch.First("Application.MenuBar");
        for (std::size_t index = 0; index < launch.calls.size(); ++index) {
            if (launch.calls[index] == "MenuItem.AddMenu") {
                EXPECT_GT(std::ptrdiff_t(index), sanityCheck);
                EXPECT_LT(std::ptrdiff_t(index), menuBarSetter);
            }
        }

        // The window comes from the late start-up, after the framework is up.
        EXPECT_GT(launch.First("Window.Constructor"), launch.First("RuntimeRegisterAppObject_"));
        EXPECT_GT(launch.First("Window.Constructor"), launch.First("RunFrameworkInitialization_"));
        EXPECT_TRUE(registeredBeforeWindow);
        EXPECT_TRUE(menuBarBeforeWindow);
    });
}

TEST(Startup, AfterLaunchTheAppHoldsItsVersionDataAndSharesOneMenuBarWithTheWindow)
{
    InOwnProcess([] {
        Launch launch;
        launch.hook = [&](std::string_view operation) {
            if (operation != "RuntimeRun_")
                return;
            QuitOnceShown(launch, [] {
                const auto app = std::dynamic_pointer_cast<App>(fw::RegisteredApp());
                ASSERT_NE(app, nullptr) << "the registered application object is not an App";
                EXPECT_EQ(&app->Class(), &App::Lookup__());
                EXPECT_EQ(fw::FindClass("App"), &App::Lookup__());
                EXPECT_EQ(App::Lookup__().base, &fw::Application::Lookup__());

                EXPECT_EQ(app->MajorVersion(), 1);
                EXPECT_EQ(app->MinorVersion(), 0);
                EXPECT_EQ(app->BugVersion(), 0);
                EXPECT_EQ(app->NonReleaseVersion(), 0);
                EXPECT_EQ(app->StageCode(), 3);
                EXPECT_EQ(app->LongVersion(), "1.01r");
                EXPECT_EQ(app->ShortVersion(), "1.01r");
                EXPECT_EQ(app->PackageInfo(), "");

                const auto window = fw::GetImplicitWindow_("MainWindow.MainWindow");
                ASSERT_NE(window, nullptr);
                ASSERT_NE(app->MenuBar(), nullptr);
                EXPECT_EQ(app->MenuBar(), window->MenuBar());
                EXPECT_EQ(app->MenuBar(), velunto::MenuBar1::Instance());

                for (std::string_view event : kApplicationEvents)
                    EXPECT_FALSE(app->IsEventImplemented(event)) << event;
            });
        };
        launch.Run();
        EXPECT_EQ(launch.status, 0);
        EXPECT_EQ(launch.Count("MenuItem.AddMenu"), 11) << "the menu bar was built more than once";
    });
}

TEST(Startup, AFaultWhileTheMenuBarIsBuiltIsReportedAndSkipsTheRest)
{
    InOwnProcess([] {
        Launch launch;
        launch.hook = [](std::string_view operation) {
            if (operation == "MenuItem.AddMenu")
                throw fw::UnsupportedOperationException("injected while the menu bar is built");
        };
        bool registered = true;
        bool windowOpened = true;
        bool nativeAppStarted = true;
        std::string report;
        StderrCapture capture;
        launch.afterMain = [&] {
            report = capture.Take();
            registered = fw::RegisteredApp() != nullptr;
            windowOpened = fw::GetImplicitWindow_("MainWindow.MainWindow") != nullptr;
            nativeAppStarted = QCoreApplication::instance() != nullptr;
        };
        launch.Run();

        EXPECT_FALSE(registered);
        EXPECT_FALSE(windowOpened);
        EXPECT_FALSE(nativeAppStarted);
        EXPECT_NE(report.find("UnsupportedOperationException"), std::string::npos) << report;
        EXPECT_NE(report.find("injected while the menu bar is built"), std::string::npos) << report;
        for (std::string_view skipped : { "Application.MenuBar", "RuntimeRegisterAppObject_",
                 "RunFrameworkInitialization_", "Window.Constructor", "RuntimeRun_" })
            EXPECT_EQ(launch.Count(skipped), 0) << skipped << "; recorded:" << launch.Listing();
        EXPECT_EQ(launch.Count("UnhandledException_"), 1);
        EXPECT_GT(launch.First("RuntimePerformFinalizers"), launch.First("UnhandledException_"));
        EXPECT_NE(launch.status, 0);
    });
}

TEST(Startup, AFailureOfTheReportItselfLeavesMain)
{
    InOwnProcess([] {
        fw::SetCallObserver([](std::string_view operation) {
            if (operation == "MenuItem.AddMenu")
                throw fw::UnsupportedOperationException("injected while the menu bar is built");
            if (operation == "UnhandledException_")
                throw fw::RuntimeException("injected into the report");
        });
        fw::RuntimeInit();
        fw::RuntimePerformInitializers(velunto::kInitializers);
        try {
            velunto::Main_();
            ADD_FAILURE() << "Main_ kept the failure of its report to itself";
        } catch (const fw::RuntimeException& e) {
            EXPECT_STREQ(e.what(), "injected into the report");
        }
        fw::SetCallObserver({});
        EXPECT_EQ(fw::RegisteredApp(), nullptr);
        fw::RuntimePerformFinalizers();
    });
}

} // namespace
