#include "app/Startup.h"

#include "app/App.h"
#include "app/MenuBar1.h"
#include "fw/Application.h"
#include "fw/Delegate.h"
#include "fw/Exceptions.h"
#include "quiz/MainWindow.h"

#include <exception>
#include <memory>

namespace velunto {

const std::array<fw::Initializer, 4> kInitializers = {
    &App::ctblinit__,
    &MainWindow::ctblinit__,
    &MenuBar1::implicitInstanceInit__,
    &MenuBar1::ctblinit__,
};

int RunProcess()
{
    // Main_ reports every failure of the start-up and the run itself; what
    // still arrives here is a failure of the runtime's set-up or of that report.
    // The process must then not end with success.
    bool escaped = false;
    try {
        fw::RuntimeInit();
        fw::RuntimePerformInitializers(kInitializers);
        Main_();
    } catch (...) {
        escaped = true;
        // A failure of the runtime's set-up has not been reported yet; a
        // second failure of the report leaves only the exit status.
        try {
            fw::UnhandledException_(std::current_exception());
        } catch (...) {
        }
    }
    fw::RuntimePerformFinalizers();
    const int status = fw::RuntimeExit();
    return status == 0 && escaped ? 1 : status;
}

void Main_()
{
    // Every step runs only while the ones before it succeeded: the first
    // exception skips the rest and goes to the framework's report. An
    // exception raised by the report itself passes on to main.
    try {
        {
            // The framework keeps only the raw entry; the delegate is released here.
            const auto helper = fw::RuntimeCreateDelegate(
                fw::Invoker<void> {}, &fw::CallFunctionWithExceptionHandling_, nullptr, "( Ptr, Ptr ) as Object", 0);
            fw::RuntimeSetExceptionHelper_(helper->Entry());
        }
        EarlyStartup_();
        {
            const auto lateStartup = fw::RuntimeCreateDelegate(fw::Invoker<void> {}, &LateStartup_, nullptr, "(  )", 0);
            fw::RunFrameworkInitialization_(lateStartup->Entry());
        }
        fw::RuntimeRun_();
    } catch (...) {
        fw::UnhandledException_(std::current_exception());
    }
}

void EarlyStartup_()
{
    fw::Application::SetSupportsHiDPI_(true);
    fw::RuntimeInitExternalClasses_();
    fw::InitPluginEntrypoints_();
    InitFileTypes_();
    NewAppInstance_();
    ApplicationAddMenuHandlers_();
}

void InitFileTypes_() { }

void NewAppInstance_()
{
    auto app = std::dynamic_pointer_cast<App>(fw::RuntimeNewObject(App::Lookup__()));
    if (!app)
        throw fw::IllegalCastException("the class registered as App does not make App objects");
    app->Constructor();
    app->x_SetVersionData_(1, 0, 0, 0, 3, "1.01r", "1.01r", "");
    app->SanityCheckWDDM_();
    // The first use builds the one menu bar, before any window exists.
    app->MenuBar(MenuBar1::Instance());
    fw::RuntimeRegisterAppObject_(std::move(app));
}

void ApplicationAddMenuHandlers_() { }

void LateStartup_() { MakeDefaultView_(); }

void MakeDefaultView_()
{
    // The framework holds the window from now on; the reference returned here is dropped.
    MainWindow::Instance();
}

} // namespace velunto
