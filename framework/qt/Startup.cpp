#include "NativeWindow.h"
#include "RuntimeInternal.h"

#include "fw/Application.h"
#include "fw/Controls.h"
#include "fw/Exceptions.h"
#include "fw/Menu.h"
#include "fw/Runtime.h"
#include "fw/Window.h"

#include <QApplication>
#include <QMetaObject>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <utility>

namespace fw {

namespace {

    // Qt keeps references to argc and argv for the application's lifetime.
    // The program takes no arguments.
    int g_argc = 1;
    char g_programName[] = "velunto";
    char* g_argv[] = { g_programName, nullptr };

    // The native application while it stands. Its owner is the finaliser that
    // RunFrameworkInitialization_ registers; this pointer only observes it.
    QApplication* g_application = nullptr;
    bool g_exitGuardRenewed = false;

    // The framework operation that is running native code which may end the
    // process (the start-up and the event loop), or nullptr.
    const char* g_nativeCall = nullptr;

    class NativeCall {
    public:
        explicit NativeCall(const char* operation)
            : m_outer(std::exchange(g_nativeCall, operation))
        {
        }
        ~NativeCall() { g_nativeCall = m_outer; }
        NativeCall(const NativeCall&) = delete;
        NativeCall& operator=(const NativeCall&) = delete;

    private:
        const char* m_outer;
    };

    // Ends the process at once with status 1, after one line saying why.
    [[noreturn]] void EndNow(const std::string& reason)
    {
        detail::ReportException(std::make_exception_ptr(RuntimeException(reason)));
        std::fflush(nullptr);
        std::_Exit(1);
    }

    // Qt's X11 layer calls exit() from inside the event loop when the display
    // goes away (the server dies, the window is killed, a forwarded connection
    // drops). exit() would then destroy the statics that hold the windows, the
    // menus, the program's objects and Qt's own state while the loop still runs
    // on them, and the process would crash. So while the start-up or the loop
    // runs, this exit handler runs before those destructors and ends the
    // process without running any of them.
    void EndWithoutDestroying()
    {
        if (g_nativeCall)
            EndNow(std::string(g_nativeCall)
                + ": the windowing system ended the process; the display has most likely gone away");
    }

    // Exit handlers run in the reverse order of their registration, so the
    // guard is registered again once statics made after it (the list of
    // windows, say) exist.
    void GuardExit() { std::atexit(&EndWithoutDestroying); }

    bool IsSet(const char* name)
    {
        const char* value = std::getenv(name);
        return value && *value;
    }

    // Qt aborts the process when it finds no display; say so in an exception
    // instead.
    void CheckDisplay()
    {
#if defined(__linux__)
        if (!IsSet("QT_QPA_PLATFORM") && !IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY"))
            throw RuntimeException("RunFrameworkInitialization_: no display is available (DISPLAY and "
                                   "WAYLAND_DISPLAY are unset); start the program inside a desktop session, or set "
                                   "QT_QPA_PLATFORM=offscreen to run it without one");
#endif
    }

    QtMessageHandler g_previousHandler = nullptr;

    // Qt ends the process with an abort when its platform plugin cannot start
    // (a display that no server answers, say). While the native application is
    // being made, such an end is turned into one clear line and a failure status.
    void PlatformStartHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (type != QtFatalMsg) {
            if (g_previousHandler)
                g_previousHandler(type, context, message);
            else
                std::fprintf(stderr, "%s\n", qUtf8Printable(message));
            return;
        }
        // Qt's own lines above name the display and the plugin.
        EndNow("RunFrameworkInitialization_: no Qt platform plugin could open the display, so no window can open");
    }

    std::shared_ptr<QApplication> MakeNativeApplication()
    {
        g_previousHandler = qInstallMessageHandler(&PlatformStartHandler);
        auto application = std::make_shared<QApplication>(g_argc, g_argv);
        qInstallMessageHandler(g_previousHandler);
        return application;
    }

    // Holds the native application until the process ends: a union does not
    // destroy its member, so no destructor at exit touches it.
    void KeepToProcessEnd(std::shared_ptr<QApplication> application)
    {
        union Holder {
            std::shared_ptr<QApplication> application;
            ~Holder() { }
        };
        static Holder kept { std::move(application) };
    }

    void DestroyNativeApplication(std::shared_ptr<QApplication>& application)
    {
        ReleaseAllWindows();
        // Widgets whose windows were released are deleted later; do it now.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // Qt 6.4's Wayland client can hang in its teardown, so on Wayland the application outlives the run.
        if (QApplication::platformName().startsWith(u"wayland"))
            KeepToProcessEnd(std::move(application));
        application.reset();
        g_application = nullptr;
        g_exitGuardRenewed = false;
    }

    void EndLoop() noexcept { QCoreApplication::exit(1); }

} // namespace

void RuntimePerformInitializers(std::span<const Initializer> programRows)
{
    NotifyCall("RuntimePerformInitializers");
    // The framework's rows: its classes, bases first.
    Object::Lookup__();
    Application::Lookup__();
    Window::Lookup__();
    Control::Lookup__();
    RectControl::Lookup__();
    TextEdit::Lookup__();
    TextField::Lookup__();
    BevelButton::Lookup__();
    Canvas::Lookup__();
    MenuItem::Lookup__();
    QuitMenuItem::Lookup__();
    MenuBar::Lookup__();
    for (Initializer row : programRows) {
        if (row)
            row();
    }
}

void RunFrameworkInitialization_(void (*routine)())
{
    CheckMainThread("RunFrameworkInitialization_");
    NotifyCall("RunFrameworkInitialization_");
    const NativeCall call("RunFrameworkInitialization_");
    if (!g_application) {
        if (QCoreApplication::instance())
            throw RuntimeException("RunFrameworkInitialization_: another native application already exists");
        CheckDisplay();
        auto application = MakeNativeApplication();
        g_application = application.get();
        GuardExit();
        detail::AddFinalizer(
            [application = std::move(application)]() mutable { DestroyNativeApplication(application); });
    }
    if (routine)
        routine();
}

void RuntimeRun_()
{
    CheckMainThread("RuntimeRun_");
    NotifyCall("RuntimeRun_");
    if (!g_application)
        throw RuntimeException("RuntimeRun_: the framework is not initialised; call RunFrameworkInitialization_ first");
    // A handler that failed before the loop started has ended the run already.
    if (detail::HasFailed())
        return;
    if (!g_exitGuardRenewed) {
        g_exitGuardRenewed = true;
        GuardExit();
    }
    const NativeCall call("RuntimeRun_");
    detail::SetRunEnder(&EndLoop);
    QApplication::exec();
    detail::SetRunEnder(nullptr);
}

// Queued, so that a quit asked for before the loop runs (or from another
// thread) still ends the loop once it does.
void RuntimeQuit()
{
    NotifyCall("RuntimeQuit");
    if (QCoreApplication* application = QCoreApplication::instance())
        QMetaObject::invokeMethod(
            application, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

} // namespace fw
