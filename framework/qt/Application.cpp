#include "RuntimeInternal.h"

#include "fw/Application.h"
#include "fw/Controls.h"
#include "fw/Menu.h"
#include "fw/Runtime.h"
#include "fw/Window.h"

#include <QGuiApplication>

namespace fw {

namespace {

    struct ApplicationState {
        std::shared_ptr<Application> app;
        bool finalizerAdded = false;
        bool supportsHiDPI = false;
    };

    ApplicationState& TheApplicationState()
    {
        static ApplicationState state;
        return state;
    }

    // The exception classes are registered so that the runtime can name and
    // find them like any other class.
    void RegisterExceptionClasses()
    {
        auto exceptionClass = [](std::string name, const ClassInfo& base) -> const ClassInfo& {
            ClassInfo info;
            info.name = std::move(name);
            info.base = &base;
            return RegisterClass(std::move(info));
        };
        const ClassInfo& runtimeException = exceptionClass("RuntimeException", Object::Lookup__());
        for (const char* name : { "NilObjectException", "ThreadAccessingUIException", "IllegalCastException",
                 "PropertyRecordException", "UnsupportedOperationException" })
            exceptionClass(name, runtimeException);
    }

} // namespace

Application::Application() = default;

Application::~Application() = default;

const ClassInfo& Application::Lookup__()
{
    static const ClassInfo& cls = RegisterClass<Application>("Application", Object::Lookup__());
    return cls;
}

void Application::SetSupportsHiDPI_(bool enabled)
{
    NotifyCall("Application.SetSupportsHiDPI_");
    TheApplicationState().supportsHiDPI = enabled;
    // Qt 6 always scales for high resolution; the flag decides whether
    // fractional scale factors are kept. It takes effect only before the
    // native application exists.
    if (!QCoreApplication::instance())
        QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
            enabled ? Qt::HighDpiScaleFactorRoundingPolicy::PassThrough : Qt::HighDpiScaleFactorRoundingPolicy::Round);
}

void Application::x_SetVersionData_(std::int64_t majorVersion, std::int64_t minorVersion, std::int64_t bugVersion,
    std::int64_t nonReleaseVersion, std::int64_t stageCode, std::string longVersion, std::string shortVersion,
    std::string packageInfo)
{
    NotifyCall("Application.x_SetVersionData_");
    m_majorVersion = majorVersion;
    m_minorVersion = minorVersion;
    m_bugVersion = bugVersion;
    m_nonReleaseVersion = nonReleaseVersion;
    m_stageCode = stageCode;
    m_longVersion = std::move(longVersion);
    m_shortVersion = std::move(shortVersion);
    m_packageInfo = std::move(packageInfo);
}

void Application::SanityCheckWDDM_() { NotifyCall("Application.SanityCheckWDDM_"); }

std::shared_ptr<MenuBar> Application::MenuBar() const
{
    CheckMainThread("Application.MenuBar");
    NotifyCall("Application.MenuBar");
    return m_menuBar;
}

// Linux has no global menu bar: the application keeps the bar, and each
// window that takes it shows it.
void Application::MenuBar(std::shared_ptr<fw::MenuBar> bar)
{
    CheckMainThread("Application.MenuBar");
    NotifyCall("Application.MenuBar");
    m_menuBar = std::move(bar);
}

// The framework's own classes are registered by its rows of the initialiser
// table; what is left are the classes the runtime makes by itself.
void RuntimeInitExternalClasses_()
{
    NotifyCall("RuntimeInitExternalClasses_");
    RegisterExceptionClasses();
}

// The bevel button is built in; this only registers its class.
void InitPluginEntrypoints_()
{
    NotifyCall("InitPluginEntrypoints_");
    BevelButton::Lookup__();
}

void RuntimeRegisterAppObject_(std::shared_ptr<Application> app)
{
    NotifyCall("RuntimeRegisterAppObject_");
    if (!app)
        throw NilObjectException("RuntimeRegisterAppObject_: the application object is nil");
    ApplicationState& state = TheApplicationState();
    state.app = std::move(app);
    if (!state.finalizerAdded) {
        state.finalizerAdded = true;
        detail::AddFinalizer([] {
            ApplicationState& held = TheApplicationState();
            held.finalizerAdded = false;
            held.app.reset();
        });
    }
}

std::shared_ptr<Application> RegisteredApp() { return TheApplicationState().app; }

bool SupportsHiDPI() { return TheApplicationState().supportsHiDPI; }

} // namespace fw
