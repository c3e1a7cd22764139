#include "NativeMenu.h"
#include "NativeWindow.h"

#include "fw/Controls.h"
#include "fw/Menu.h"
#include "fw/Runtime.h"
#include "fw/Window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <limits>
#include <memory>
#include <utility>

namespace fw {

namespace {

    // The windows the framework holds, oldest first: each from its
    // Constructor until it is closed.
    std::vector<std::shared_ptr<Window>>& HeldWindows()
    {
        static std::vector<std::shared_ptr<Window>> windows;
        return windows;
    }

    // Lets go of the window. The reference is dropped after the list is
    // consistent again, since dropping it may destroy the window.
    void ReleaseWindow(const Window& window)
    {
        auto& windows = HeldWindows();
        auto it = std::find_if(windows.begin(), windows.end(), [&](const auto& held) { return held.get() == &window; });
        if (it == windows.end())
            return;
        std::shared_ptr<Window> released = std::move(*it);
        windows.erase(it);
    }

    // As a control does, the window keeps the sizes and limits it is given (a
    // hidden window's getters return them) and Qt gets them bounded: within the
    // window's own range, up to 32000 pixels, inside the 32767 of X11.
    constexpr std::int64_t kMaxSide = 32000;

    int ToPixels(std::int64_t value) { return int(std::clamp<std::int64_t>(value, 0, kMaxSide)); }

    QString ToQString(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

    bool IsShown(const WindowNative* native)
    {
        return native && native->content && native->content->window()->isVisible();
    }

} // namespace

// The top-level widget: tells the framework when the window is closed, by the
// user or by Close, so that it lets go of the window.
class TopLevelWidget final : public QWidget {
public:
    explicit TopLevelWidget(Window& owner)
        : m_owner(&owner)
    {
    }

    // Called when the Window dies before its widget (which is deleted later).
    void Detach() noexcept { m_owner = nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        QWidget::closeEvent(event);
        if (!event->isAccepted() || !m_owner)
            return;
        // Releasing may destroy the Window, which only detaches this widget
        // and deletes it later, never inside this handler.
        const Window* owner = m_owner;
        Dispatch([owner] { ReleaseWindow(*owner); });
    }

private:
    Window* m_owner;
};

WindowNative::WindowNative(Window& owner)
    : topLevel(new TopLevelWidget(owner))
{
    layout = new QVBoxLayout(topLevel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The window's limits follow those of the content area plus the menu bar.
    layout->setSizeConstraint(QLayout::SetMinAndMaxSize);
    content = new QWidget(topLevel);
    layout->addWidget(content);
}

WindowNative::~WindowNative()
{
    if (!topLevel)
        return;
    topLevel->Detach();
    topLevel->hide();
    // The widget may be inside one of its own event handlers (a close, or a
    // click on one of its buttons), so it is deleted once control returns.
    if (QCoreApplication::instance())
        topLevel->deleteLater();
    else
        delete topLevel.data();
}

namespace {

    // The size the content area is given for size, within the limits.
    QSize ContentTarget(QSize size, QSize minimum, QSize maximum, bool resizeable)
    {
        return resizeable ? size.expandedTo(minimum).boundedTo(maximum.expandedTo(minimum)) : size;
    }

    // Sizes the window so that its content area is size, within the limits.
    void SizeWindow(WindowNative& native, QSize size, QSize minimum, QSize maximum, bool resizeable)
    {
        native.applyingGeometry = true;
        if (resizeable) {
            native.content->setMinimumSize(minimum);
            native.content->setMaximumSize(maximum.expandedTo(minimum));
        } else {
            native.content->setFixedSize(size);
        }
        const QSize target = ContentTarget(size, minimum, maximum, resizeable);
        int barHeight = 0;
        if (native.menuBar && !native.menuBar->isHidden()) {
            barHeight = native.menuBar->heightForWidth(target.width());
            if (barHeight < 0)
                barHeight = native.menuBar->sizeHint().height();
        }
        native.topLevel->resize(target.width(), target.height() + barHeight);
        native.layout->invalidate();
        native.layout->activate();
        // The bar's height is the layout's to decide; correct by what is left over.
        const QSize leftOver = target - native.content->size();
        if (!leftOver.isNull()) {
            native.topLevel->resize(native.topLevel->size() + leftOver);
            native.layout->invalidate();
            native.layout->activate();
        }
        native.applyingGeometry = false;
    }

    Qt::WindowFlags TitleBarFlags(const Window& window)
    {
        Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
        if (window.HasCloseButton())
            flags |= Qt::WindowCloseButtonHint;
        if (window.HasMinimizeButton())
            flags |= Qt::WindowMinimizeButtonHint;
        if (window.HasMaximizeButton() && window.Resizeable())
            flags |= Qt::WindowMaximizeButtonHint;
        return flags;
    }

    void ApplyVisibility(const Window& window, WindowNative& native)
    {
        if (native.building)
            return;
        if (!window.Visible())
            native.topLevel->hide();
        else if (window.FullScreen())
            native.topLevel->showFullScreen();
        else
            native.topLevel->show();
    }

    void ApplyFlags(const Window& window, WindowNative& native)
    {
        const Qt::WindowFlags flags = TitleBarFlags(window);
        if (native.topLevel->windowFlags() == flags)
            return;
        // Changing the flags hides a shown window; it is shown again as it was.
        native.topLevel->setWindowFlags(flags);
        ApplyVisibility(window, native);
    }

    void ApplyBackground(const Window& window, WindowNative& native)
    {
        QWidget* content = native.content;
        content->setAutoFillBackground(window.HasBackgroundColor());
        if (window.HasBackgroundColor()) {
            const Color color = window.BackgroundColor();
            QPalette palette = content->palette();
            palette.setColor(QPalette::Window, QColor(color.red, color.green, color.blue, 255 - color.transparency));
            content->setPalette(palette);
        } else {
            content->setPalette(QPalette());
        }
    }

    void ApplyMenuBar(const std::shared_ptr<MenuBar>& bar, bool visible, WindowNative& native)
    {
        if (native.menuBar) {
            native.layout->setMenuBar(nullptr);
            native.menuBar->hide();
            native.menuBar->deleteLater();
            native.menuBar = nullptr;
        }
        if (!bar)
            return;
        native.menuBar = MakeNativeMenuBar(*bar, native.topLevel);
        // Linux has no global menu bar: the bar always stands in the window.
        native.menuBar->setNativeMenuBar(false);
        native.layout->setMenuBar(native.menuBar);
        native.menuBar->setVisible(visible);
    }

    using W = Window;
    using detail::BooleanProperty;
    using detail::IntegerProperty;

    constexpr PropertyInfo kWindowProperties[] = {
        IntegerProperty<W, &W::Width>("Width"),
        IntegerProperty<W, &W::Height>("Height"),
        IntegerProperty<W, &W::MinimumWidth>("MinimumWidth"),
        IntegerProperty<W, &W::MinimumHeight>("MinimumHeight"),
        IntegerProperty<W, &W::MaximumWidth>("MaximumWidth"),
        IntegerProperty<W, &W::MaximumHeight>("MaximumHeight"),
        IntegerProperty<W, &W::Type>("Type", "Window.Types"),
        detail::StringProperty<W, &W::Title>("Title"),
        BooleanProperty<W, &W::HasCloseButton>("HasCloseButton"),
        BooleanProperty<W, &W::HasMaximizeButton>("HasMaximizeButton"),
        BooleanProperty<W, &W::HasMinimizeButton>("HasMinimizeButton"),
        BooleanProperty<W, &W::HasFullScreenButton>("HasFullScreenButton"),
        BooleanProperty<W, &W::Resizeable>("Resizeable"),
        BooleanProperty<W, &W::Composite>("Composite"),
        IntegerProperty<W, &W::MacProcId>("MacProcId"),
        BooleanProperty<W, &W::FullScreen>("FullScreen"),
        IntegerProperty<W, &W::DefaultLocation>("DefaultLocation", "Window.Locations"),
        BooleanProperty<W, &W::Visible>("Visible"),
        BooleanProperty<W, &W::HasBackgroundColor>("HasBackgroundColor"),
        detail::ColorProperty<W, &W::BackgroundColor>("BackgroundColor"),
        BooleanProperty<W, &W::MenuBarVisible>("MenuBarVisible"),
        BooleanProperty<W, &W::LiveResize>("LiveResize"),
    };

} // namespace

namespace {
    // Applies the size a record left pending, before anything that needs it.
    void ApplyPendingSize(Window& window, WindowNative& native);
} // namespace

Window::Window() = default;

Window::~Window() = default;

const ClassInfo& Window::Lookup__()
{
    static const ClassInfo& cls = RegisterClass<Window>("Window", Object::Lookup__(), kWindowProperties);
    return cls;
}

void Window::BeginProperties()
{
    if (m_native)
        ++m_native->batchDepth;
}

// The window is sized once, after the record's last entry.
void Window::EndProperties()
{
    if (m_native && m_native->batchDepth > 0 && --m_native->batchDepth == 0)
        ApplyPendingSize(*this, *m_native);
}

void Window::Constructor()
{
    CheckMainThread("Window.Constructor");
    NotifyCall("Window.Constructor");
    auto self = std::dynamic_pointer_cast<Window>(weak_from_this().lock());
    if (!self)
        throw RuntimeException("Window.Constructor: the window of class " + Class().name
            + " was not made by RuntimeNewObject, so the framework cannot hold it");
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        throw RuntimeException(
            "Window.Constructor: the framework is not initialised; call RunFrameworkInitialization_ first");
    if (m_native && !m_native->building)
        throw RuntimeException("Window.Constructor: the window of class " + Class().name + " is already built");

    if (!m_native) {
        m_native = std::make_unique<WindowNative>(*this);
        m_native->topLevel->setWindowTitle(ToQString(m_title));
        m_native->topLevel->setWindowFlags(TitleBarFlags(*this));
        ApplyBackground(*this, *m_native);
        ApplyMenuBar(m_menuBar, m_menuBarVisible, *m_native);
        SizeWindow(*m_native, QSize(ToPixels(m_width), ToPixels(m_height)),
            QSize(ToPixels(m_minimumWidth), ToPixels(m_minimumHeight)),
            QSize(ToPixels(m_maximumWidth), ToPixels(m_maximumHeight)), m_resizeable);
    }

    // The set-up events are the program's: what they raise reaches our caller.
    Layout();
    CreateControls();

    m_native->building = false;
    HeldWindows().push_back(self);
    ApplyTabOrder(*this);
    ApplyVisibility(*this, *m_native);

    // A handler may add controls; the ones present now are opened.
    const auto controls = m_controls;
    for (const auto& control : controls)
        control->RaiseEvent(kOpenEvent);
}

std::shared_ptr<MenuBar> Window::MenuBar() const
{
    CheckMainThread("Window.MenuBar");
    NotifyCall("Window.MenuBar");
    return m_menuBar;
}

void Window::MenuBar(std::shared_ptr<fw::MenuBar> bar)
{
    CheckMainThread("Window.MenuBar");
    NotifyCall("Window.MenuBar");
    m_menuBar = std::move(bar);
    if (!m_native)
        return;
    ApplyPendingSize(*this, *m_native);
    const QSize size
        = IsShown(m_native.get()) ? m_native->content->size() : QSize(ToPixels(m_width), ToPixels(m_height));
    ApplyMenuBar(m_menuBar, m_menuBarVisible, *m_native);
    // The bar takes its height from above the content area, not from it.
    SizeWindow(*m_native, size, QSize(ToPixels(m_minimumWidth), ToPixels(m_minimumHeight)),
        QSize(ToPixels(m_maximumWidth), ToPixels(m_maximumHeight)), m_resizeable);
}

ObjectPtr Window::New__(const ClassInfo& cls)
{
    CheckMainThread("Window.New__");
    NotifyCall("Window.New__");
    if (!cls.IsA(Control::Lookup__()))
        throw RuntimeException("Window.New__: class " + cls.name + " is not a control class");
    auto self = std::dynamic_pointer_cast<Window>(weak_from_this().lock());
    if (!self)
        throw RuntimeException(
            "Window.New__: the window of class " + Class().name + " was not made by RuntimeNewObject");
    ObjectPtr object = RuntimeNewObject(cls);
    auto control = std::dynamic_pointer_cast<Control>(object);
    if (!control)
        throw IllegalCastException("Window.New__: an object of class " + cls.name + " is not a Control");
    control->m_window = self;
    return object;
}

void Window::AddControl_(std::string_view name, const ObjectPtr& control)
{
    CheckMainThread("Window.AddControl_");
    NotifyCall("Window.AddControl_");
    if (!control)
        throw NilObjectException("Window.AddControl_: the control to register as \"" + std::string(name) + "\" is nil");
    auto typed = std::dynamic_pointer_cast<Control>(control);
    if (!typed)
        throw IllegalCastException(
            "Window.AddControl_: an object of class " + control->Class().name + " is not a Control");
    if (typed->m_window.expired())
        typed->m_window = std::dynamic_pointer_cast<Window>(weak_from_this().lock());
    if (std::find(m_controls.begin(), m_controls.end(), typed) == m_controls.end())
        m_controls.push_back(typed);
    m_controlsByName.insert_or_assign(std::string(name), typed);
    if (m_native && !m_native->building)
        ApplyTabOrder(*this);
}

ObjectPtr Window::ControlByName_(std::string_view name) const
{
    CheckMainThread("Window.ControlByName_");
    NotifyCall("Window.ControlByName_");
    auto it = m_controlsByName.find(name);
    return it == m_controlsByName.end() ? nullptr : it->second.lock();
}

void Window::Close()
{
    CheckMainThread("Window.Close");
    NotifyCall("Window.Close");
    // Keeps the window alive to the end of this call, whoever else lets go.
    const ObjectPtr self = weak_from_this().lock();
    if (m_native && m_native->topLevel)
        m_native->topLevel->close();
    ReleaseWindow(*this);
}

namespace {

    QSize MinimumSize(const Window& window)
    {
        return QSize(ToPixels(window.MinimumWidth()), ToPixels(window.MinimumHeight()));
    }

    QSize MaximumSize(const Window& window)
    {
        return QSize(ToPixels(window.MaximumWidth()), ToPixels(window.MaximumHeight()));
    }

    // The size of the content area once the pending size is applied.
    QSize PendingContentSize(const Window& window, const WindowNative& native)
    {
        return ContentTarget(QSize(ToPixels(native.pendingWidth), ToPixels(native.pendingHeight)), MinimumSize(window),
            MaximumSize(window), window.Resizeable());
    }

} // namespace

std::int64_t Window::Width() const
{
    if (IsShown(m_native.get()) && !m_native->applyingGeometry)
        return m_native->geometryPending ? PendingContentSize(*this, *m_native).width() : m_native->content->width();
    return m_width;
}

std::int64_t Window::Height() const
{
    if (IsShown(m_native.get()) && !m_native->applyingGeometry)
        return m_native->geometryPending ? PendingContentSize(*this, *m_native).height() : m_native->content->height();
    return m_height;
}

namespace {

    // The setters of the size properties share this: the other dimension
    // keeps what the user made of it. Inside a record only the last size
    // counts, and it is applied once, at the end.
    void Resize(Window& window, WindowNative* native, std::int64_t width, std::int64_t height)
    {
        if (!native)
            return;
        if (native->batchDepth > 0) {
            native->pendingWidth = width;
            native->pendingHeight = height;
            native->geometryPending = true;
            return;
        }
        SizeWindow(*native, QSize(ToPixels(width), ToPixels(height)), MinimumSize(window), MaximumSize(window),
            window.Resizeable());
    }

    void ApplyPendingSize(Window& window, WindowNative& native)
    {
        if (!std::exchange(native.geometryPending, false))
            return;
        const int depth = std::exchange(native.batchDepth, 0);
        Resize(window, &native, native.pendingWidth, native.pendingHeight);
        native.batchDepth = depth;
    }

} // namespace

void Window::Width(std::int64_t value)
{
    CheckMainThread("Window.Width");
    m_height = Height();
    m_width = value;
    Resize(*this, m_native.get(), m_width, m_height);
}

void Window::Height(std::int64_t value)
{
    CheckMainThread("Window.Height");
    m_width = Width();
    m_height = value;
    Resize(*this, m_native.get(), m_width, m_height);
}

#define FW_WINDOW_LIMIT_SETTER(Property, member)                                                                       \
    void Window::Property(std::int64_t value)                                                                          \
    {                                                                                                                  \
        CheckMainThread("Window." #Property);                                                                          \
        const std::int64_t width = Width(), height = Height();                                                         \
        member = value;                                                                                                \
        Resize(*this, m_native.get(), width, height);                                                                  \
    }

FW_WINDOW_LIMIT_SETTER(MinimumWidth, m_minimumWidth)
FW_WINDOW_LIMIT_SETTER(MinimumHeight, m_minimumHeight)
FW_WINDOW_LIMIT_SETTER(MaximumWidth, m_maximumWidth)
FW_WINDOW_LIMIT_SETTER(MaximumHeight, m_maximumHeight)
#undef FW_WINDOW_LIMIT_SETTER

void Window::Resizeable(bool value)
{
    CheckMainThread("Window.Resizeable");
    const std::int64_t width = Width(), height = Height();
    m_resizeable = value;
    if (!m_native)
        return;
    if (value) // undo the fixed size of a window that was not resizeable
        m_native->content->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    Resize(*this, m_native.get(), width, height);
    ApplyFlags(*this, *m_native);
}

FW_STORED_SETTER(Window, Type, std::int64_t, m_type)

void Window::Title(std::string value)
{
    CheckMainThread("Window.Title");
    m_title = std::move(value);
    if (m_native)
        m_native->topLevel->setWindowTitle(ToQString(m_title));
}

#define FW_WINDOW_FLAG_SETTER(Property, member)                                                                        \
    void Window::Property(bool value)                                                                                  \
    {                                                                                                                  \
        CheckMainThread("Window." #Property);                                                                          \
        member = value;                                                                                                \
        if (m_native)                                                                                                  \
            ApplyFlags(*this, *m_native);                                                                              \
    }

FW_WINDOW_FLAG_SETTER(HasCloseButton, m_hasCloseButton)
FW_WINDOW_FLAG_SETTER(HasMaximizeButton, m_hasMaximizeButton)
FW_WINDOW_FLAG_SETTER(HasMinimizeButton, m_hasMinimizeButton)
#undef FW_WINDOW_FLAG_SETTER

// Qt has no separate full-screen button; FullScreen decides how a shown
// window is shown.
FW_STORED_SETTER(Window, HasFullScreenButton, bool, m_hasFullScreenButton)

FW_STORED_SETTER(Window, Composite, bool, m_composite)

FW_STORED_SETTER(Window, MacProcId, std::int64_t, m_macProcId)

void Window::FullScreen(bool value)
{
    CheckMainThread("Window.FullScreen");
    m_fullScreen = value;
    if (m_native && IsShown(m_native.get()) && m_native->topLevel->isFullScreen() != value)
        ApplyPendingSize(*this, *m_native);
    if (m_native && IsShown(m_native.get())) {
        if (value)
            m_native->topLevel->showFullScreen();
        else
            m_native->topLevel->showNormal();
    }
}

// The window manager places a new window; no other placement is offered.
FW_STORED_SETTER(Window, DefaultLocation, std::int64_t, m_defaultLocation)

void Window::Visible(bool value)
{
    CheckMainThread("Window.Visible");
    m_visible = value;
    if (!m_native)
        return;
    // A window about to be shown or hidden takes its size first.
    if (!m_native->building && m_native->topLevel->isVisible() != value)
        ApplyPendingSize(*this, *m_native);
    ApplyVisibility(*this, *m_native);
}

void Window::HasBackgroundColor(bool value)
{
    CheckMainThread("Window.HasBackgroundColor");
    m_hasBackgroundColor = value;
    if (m_native)
        ApplyBackground(*this, *m_native);
}

void Window::BackgroundColor(Color value)
{
    CheckMainThread("Window.BackgroundColor");
    m_backgroundColor = value;
    if (m_native)
        ApplyBackground(*this, *m_native);
}

void Window::MenuBarVisible(bool value)
{
    CheckMainThread("Window.MenuBarVisible");
    const std::int64_t width = Width(), height = Height();
    m_menuBarVisible = value;
    if (!m_native || !m_native->menuBar)
        return;
    m_native->menuBar->setVisible(value);
    Resize(*this, m_native.get(), width, height);
}

FW_STORED_SETTER(Window, LiveResize, bool, m_liveResize)

std::shared_ptr<Window> GetImplicitWindow_(std::string_view className)
{
    CheckMainThread("GetImplicitWindow_");
    NotifyCall("GetImplicitWindow_");
    const auto& windows = HeldWindows();
    auto it = std::find_if(
        windows.rbegin(), windows.rend(), [&](const auto& window) { return window->Class().name == className; });
    return it == windows.rend() ? nullptr : *it;
}

void ReleaseAllWindows()
{
    // Newest first; each release may run a window's destructor.
    while (!HeldWindows().empty())
        ReleaseWindow(*HeldWindows().back());
}

void ApplyTabOrder(Window& window)
{
    std::vector<RectControl*> controls;
    for (const auto& control : window.Controls()) {
        auto* rect = dynamic_cast<RectControl*>(control.get());
        if (rect && NativeWidget(*rect))
            controls.push_back(rect);
    }
    std::stable_sort(controls.begin(), controls.end(),
        [](const RectControl* a, const RectControl* b) { return a->TabIndex() < b->TabIndex(); });
    // Qt leaves widgets that take no focus out of setTabOrder; they are put in
    // their place all the same, so that the chain follows TabIndex throughout.
    std::vector<Qt::FocusPolicy> policies;
    for (RectControl* control : controls) {
        policies.push_back(NativeWidget(*control)->focusPolicy());
        if (policies.back() == Qt::NoFocus)
            NativeWidget(*control)->setFocusPolicy(Qt::TabFocus);
    }
    for (std::size_t i = 1; i < controls.size(); ++i)
        QWidget::setTabOrder(NativeWidget(*controls[i - 1]), NativeWidget(*controls[i]));
    for (std::size_t i = 0; i < controls.size(); ++i)
        NativeWidget(*controls[i])->setFocusPolicy(policies[i]);
}

QWidget* NativeWindow(const Window& window) { return window.Native() ? window.Native()->topLevel.data() : nullptr; }

QWidget* ContentArea(const Window& window) { return window.Native() ? window.Native()->content : nullptr; }

} // namespace fw
