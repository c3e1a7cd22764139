#include "NativeWindow.h"

#include "fw/Controls.h"
#include "fw/Delegate.h"
#include "fw/Runtime.h"
#include "fw/Window.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

namespace fw {

namespace {

    // A control keeps the numbers it is given, as its setters store them and
    // its getters return them, so a record reads back as it was written; only
    // its widget gets them bounded, to what Qt draws in bounded time and
    // memory. A control stands within the reach of the largest window (32000
    // pixels), and no side is longer than 8192: a style paints a button whole
    // into an image of its size, at 32000 square 4 GB and seconds of work.
    constexpr std::int64_t kMaxPlace = 32000;
    constexpr std::int64_t kMaxSide = 8192;

    int ToPlace(std::int64_t value) { return int(std::clamp(value, -kMaxPlace, kMaxPlace)); }

    int ToSide(std::int64_t value) { return int(std::clamp<std::int64_t>(value, 0, kMaxSide)); }

    QColor ToQColor(Color color) { return QColor(color.red, color.green, color.blue, 255 - color.transparency); }

    // Sets a colour for the active and inactive states only, so that a
    // disabled widget still looks disabled.
    void SetEnabledColor(QPalette& palette, QPalette::ColorRole role, Color color)
    {
        palette.setColor(QPalette::Active, role, ToQColor(color));
        palette.setColor(QPalette::Inactive, role, ToQColor(color));
    }

    // Sets the colours into the widget's palette, leaving the other roles to
    // the window's. Setting a palette resolves it anew and sends events, so
    // the colours set last are not set again.
    void ApplyColors(ControlNative& native, QWidget& widget, std::vector<std::pair<QPalette::ColorRole, Color>> colors)
    {
        if (native.appliedColors == colors)
            return;
        QPalette palette;
        for (const auto& [role, color] : colors)
            SetEnabledColor(palette, role, color);
        widget.setPalette(palette);
        native.appliedColors = std::move(colors);
    }

    // At most as tall as the tallest control: 8192 pixels, or the points that
    // make them at 96 dots an inch; at least one pixel or point.
    int ToPixelSize(double size) { return int(std::clamp(std::round(size), 1.0, double(kMaxSide))); }

    double ToPointSize(double size) { return std::clamp(size, 1.0, kMaxSide * 72.0 / 96.0); }

    // "System" with size 0 is the application's default font, and so is any
    // size that is not a positive number (NaN, infinities).
    QFont ToQFont(const FontSpec& spec)
    {
        QFont font = QApplication::font();
        if (!spec.name.empty() && spec.name != "System")
            font.setFamilies({ QString::fromUtf8(spec.name.data(), qsizetype(spec.name.size())) });
        if (std::isfinite(spec.size) && spec.size > 0) {
            switch (spec.unit) {
            case 1: // pixels
                font.setPixelSize(ToPixelSize(spec.size));
                break;
            case 3: // inches
                font.setPointSizeF(ToPointSize(spec.size * 72.0));
                break;
            case 4: // millimetres
                font.setPointSizeF(ToPointSize(spec.size * 72.0 / 25.4));
                break;
            default: // the default unit and points
                font.setPointSizeF(ToPointSize(spec.size));
                break;
            }
        }
        font.setBold(spec.bold);
        font.setItalic(spec.italic);
        font.setUnderline(spec.underline);
        return font;
    }

    Qt::FocusPolicy FocusPolicy(bool allowFocus, bool tabStop)
    {
        if (!allowFocus)
            return Qt::NoFocus;
        return tabStop ? Qt::StrongFocus : Qt::ClickFocus;
    }

    // The text as the text box shows it: a CR or CR LF is a line break.
    QString DisplayText(const std::string& text)
    {
        QByteArray bytes(text.data(), qsizetype(text.size()));
        bytes.replace("\r\n", "\n");
        bytes.replace('\r', '\n');
        return QString::fromUtf8(bytes);
    }

    // The user's text in the framework's convention, with CR as line break.
    std::string FromDisplayText(const QString& text)
    {
        QByteArray bytes = text.toUtf8();
        bytes.replace('\n', '\r');
        return bytes.toStdString();
    }

    Qt::Alignment ToAlignment(std::int64_t textAlignment)
    {
        switch (textAlignment) {
        case 2:
            return Qt::AlignHCenter;
        case 3:
            return Qt::AlignRight;
        default: // 0 is the default, left; 1 is left
            return Qt::AlignLeft;
        }
    }

    // Fetches the delegate the control holds for the event and invokes it
    // with the control.
    void InvokeHandler(Control& control, int eventIndex)
    {
        const DelegatePtr delegate = control.EventDelegate(eventIndex);
        if (delegate)
            delegate->Invoke(control.shared_from_this());
    }

    // Raises the event of the control behind a native signal, if it still exists.
    void RaiseFromNative(const std::weak_ptr<Object>& weak, int eventIndex)
    {
        Dispatch([&] {
            if (auto control = std::dynamic_pointer_cast<Control>(weak.lock()))
                control->RaiseEvent(eventIndex);
        });
    }

} // namespace

ControlNative::ControlNative(QWidget* nativeWidget)
    : widget(nativeWidget)
{
}

ControlNative::~ControlNative()
{
    if (!widget)
        return;
    widget->hide();
    if (QCoreApplication::instance())
        widget->deleteLater();
    else
        delete widget.data();
}

void OpenEventStub(Control& control) { InvokeHandler(control, kOpenEvent); }

void ActionEventStub(Control& control) { InvokeHandler(control, kActionEvent); }

void RuntimeAddEventHandler(const ObjectPtr& control, int eventIndex, EventStub stub, DelegatePtr delegate)
{
    CheckMainThread("RuntimeAddEventHandler");
    NotifyCall("RuntimeAddEventHandler");
    const std::string event = "event " + std::to_string(eventIndex);
    if (!control)
        throw NilObjectException("RuntimeAddEventHandler: the control for " + event + " is nil");
    auto typed = std::dynamic_pointer_cast<Control>(control);
    if (!typed)
        throw IllegalCastException(
            "RuntimeAddEventHandler: an object of class " + control->Class().name + " is not a Control");
    if (!stub)
        throw RuntimeException("RuntimeAddEventHandler: no stub given for " + event);
    if (!delegate)
        throw NilObjectException("RuntimeAddEventHandler: the delegate for " + event + " is nil");
    typed->m_handlers.insert_or_assign(eventIndex, Control::Handler { stub, std::move(delegate) });
}

// Control

namespace {
    using detail::BooleanProperty;
    using detail::IntegerProperty;
    using detail::StringProperty;

    constexpr PropertyInfo kControlProperties[] = {
        StringProperty<Control, &Control::Name>("Name"),
        IntegerProperty<Control, &Control::Index>("Index"),
        IntegerProperty<Control, &Control::TabPanelIndex>("TabPanelIndex"),
    };
} // namespace

Control::Control() = default;

Control::~Control() = default;

const ClassInfo& Control::Lookup__()
{
    static const ClassInfo& cls = RegisterClass<Control>("Control", Object::Lookup__(), kControlProperties);
    return cls;
}

FW_STORED_SETTER(Control, Name, std::string, m_name)
FW_STORED_SETTER(Control, Index, std::int64_t, m_index)
FW_STORED_SETTER(Control, TabPanelIndex, std::int64_t, m_tabPanelIndex)

DelegatePtr Control::EventDelegate(int eventIndex) const
{
    auto it = m_handlers.find(eventIndex);
    return it == m_handlers.end() ? nullptr : it->second.delegate;
}

void Control::RaiseEvent(int eventIndex)
{
    auto it = m_handlers.find(eventIndex);
    if (it == m_handlers.end())
        return;
    // The handler may replace itself or drop the last reference to the control.
    const Handler handler = it->second;
    const ObjectPtr keepAlive = weak_from_this().lock();
    Dispatch([&] { handler.stub(*this); });
}

// RectControl

namespace {
    using R = RectControl;

    constexpr PropertyInfo kRectControlProperties[] = {
        IntegerProperty<R, &R::Left>("Left"),
        IntegerProperty<R, &R::Top>("Top"),
        IntegerProperty<R, &R::Width>("Width"),
        IntegerProperty<R, &R::Height>("Height"),
        BooleanProperty<R, &R::LockLeft>("LockLeft"),
        BooleanProperty<R, &R::LockTop>("LockTop"),
        BooleanProperty<R, &R::LockRight>("LockRight"),
        BooleanProperty<R, &R::LockBottom>("LockBottom"),
        IntegerProperty<R, &R::TabIndex>("TabIndex"),
        BooleanProperty<R, &R::TabStop>("TabStop"),
        BooleanProperty<R, &R::AllowAutoDeactivate>("AllowAutoDeactivate"),
        BooleanProperty<R, &R::Enabled>("Enabled"),
        StringProperty<R, &R::Tooltip>("Tooltip"),
        BooleanProperty<R, &R::Transparent>("Transparent"),
        BooleanProperty<R, &R::Visible>("Visible"),
        StringProperty<R, &R::InitialParent>("InitialParent"),
    };
} // namespace

RectControl::RectControl() = default;

RectControl::~RectControl() = default;

const ClassInfo& RectControl::Lookup__()
{
    static const ClassInfo& cls
        = RegisterClass<RectControl>("RectControl", Control::Lookup__(), kRectControlProperties);
    return cls;
}

void RectControl::BeginProperties()
{
    if (m_native)
        ++m_native->batchDepth;
}

// The widget takes what the record set, once, after its last entry.
void RectControl::EndProperties()
{
    if (!m_native || m_native->batchDepth == 0 || --m_native->batchDepth > 0)
        return;
    if (std::exchange(m_native->syncPending, false))
        SyncNative();
    if (std::exchange(m_native->tabOrderPending, false)) {
        if (auto window = ParentWindow())
            ApplyTabOrder(*window);
    }
}

void RectControl::Constructor()
{
    CheckMainThread("RectControl.Constructor");
    NotifyCall("RectControl.Constructor");
    const std::shared_ptr<Window> window = ParentWindow();
    if (!window)
        throw NilObjectException("RectControl.Constructor: the control of class " + Class().name
            + " has no window; make it with Window.New__");
    if (!ContentArea(*window))
        throw RuntimeException("RectControl.Constructor: the window of class " + window->Class().name
            + " is not built yet; controls are made from its CreateControls");
    if (m_native)
        throw RuntimeException("RectControl.Constructor: the control of class " + Class().name + " is already built");
    m_native = MakeNative(*window);
    SyncNative();
    ApplyTabOrder(*window);
}

// Controls stand at Left/Top in the content area, which has no layout: they
// keep their place and size when the window is resized.
void RectControl::SyncNative()
{
    QWidget* widget = m_native ? m_native->widget.data() : nullptr;
    if (!widget)
        return;
    widget->setGeometry(ToPlace(m_left), ToPlace(m_top), ToSide(m_width), ToSide(m_height));
    widget->setEnabled(m_enabled);
    widget->setToolTip(QString::fromUtf8(m_tooltip.data(), qsizetype(m_tooltip.size())));
    widget->setFocusPolicy(FocusPolicy(true, m_tabStop));
    widget->setVisible(m_visible);
}

namespace {
    // Inside a record the widget is brought up to date once, at its end.
    bool DeferSync(ControlNative& native)
    {
        if (native.batchDepth == 0)
            return false;
        native.syncPending = true;
        return true;
    }
} // namespace

// A setter that stores the value and pushes the control's state to its widget.
#define FW_SYNCED_SETTER(Class, Property, Type, member)                                                                \
    void Class::Property(Type value)                                                                                   \
    {                                                                                                                  \
        CheckMainThread(#Class "." #Property);                                                                         \
        member = std::move(value);                                                                                     \
        if (Native() && !DeferSync(*Native()))                                                                         \
            SyncNative();                                                                                              \
    }

FW_SYNCED_SETTER(RectControl, Left, std::int64_t, m_left)
FW_SYNCED_SETTER(RectControl, Top, std::int64_t, m_top)
FW_SYNCED_SETTER(RectControl, Width, std::int64_t, m_width)
FW_SYNCED_SETTER(RectControl, Height, std::int64_t, m_height)
FW_SYNCED_SETTER(RectControl, TabStop, bool, m_tabStop)
FW_SYNCED_SETTER(RectControl, Enabled, bool, m_enabled)
FW_SYNCED_SETTER(RectControl, Tooltip, std::string, m_tooltip)
FW_SYNCED_SETTER(RectControl, Transparent, bool, m_transparent)
FW_SYNCED_SETTER(RectControl, Visible, bool, m_visible)

// The locks are kept; every control stays at its left and top edges.
FW_STORED_SETTER(RectControl, LockLeft, bool, m_lockLeft)
FW_STORED_SETTER(RectControl, LockTop, bool, m_lockTop)
FW_STORED_SETTER(RectControl, LockRight, bool, m_lockRight)
FW_STORED_SETTER(RectControl, LockBottom, bool, m_lockBottom)
FW_STORED_SETTER(RectControl, AllowAutoDeactivate, bool, m_allowAutoDeactivate)
FW_STORED_SETTER(RectControl, InitialParent, std::string, m_initialParent)

void RectControl::TabIndex(std::int64_t value)
{
    CheckMainThread("RectControl.TabIndex");
    // The chain already follows an unchanged index.
    const bool changed = std::exchange(m_tabIndex, value) != value;
    if (!m_native || !changed)
        return;
    if (m_native->batchDepth > 0)
        m_native->tabOrderPending = true;
    else if (auto window = ParentWindow())
        ApplyTabOrder(*window);
}

// TextEdit

namespace {
    constexpr PropertyInfo kTextEditProperties[] = {
        BooleanProperty<TextEdit, &TextEdit::AllowSpellChecking>("AllowSpellChecking"),
    };

    // The font properties of a class with Font() and Font(FontSpec).
    template <class C, auto Field> void SetFontField(Object& object, const PropertyValue& value)
    {
        C& control = detail::As<C>(object);
        FontSpec font = control.Font();
        using V = std::remove_cvref_t<decltype(font.*Field)>;
        font.*Field = std::get<V>(value);
        control.Font(std::move(font));
    }

    template <class C>
    constexpr PropertyInfo FontName { "FontName", PropertyType::String, "String", &SetFontField<C, &FontSpec::name> };
    template <class C>
    constexpr PropertyInfo FontSize { "FontSize", PropertyType::Single, "Single", &SetFontField<C, &FontSpec::size> };
    template <class C>
    constexpr PropertyInfo FontUnit { "FontUnit", PropertyType::FontUnits, "FontUnits",
        &SetFontField<C, &FontSpec::unit> };
    template <class C>
    constexpr PropertyInfo Bold { "Bold", PropertyType::Boolean, "Boolean", &SetFontField<C, &FontSpec::bold> };
    template <class C>
    constexpr PropertyInfo Italic { "Italic", PropertyType::Boolean, "Boolean", &SetFontField<C, &FontSpec::italic> };
    template <class C>
    constexpr PropertyInfo Underline { "Underline", PropertyType::Boolean, "Boolean",
        &SetFontField<C, &FontSpec::underline> };
} // namespace

const ClassInfo& TextEdit::Lookup__()
{
    static const ClassInfo& cls = RegisterClass<TextEdit>("TextEdit", RectControl::Lookup__(), kTextEditProperties);
    return cls;
}

// TextField

namespace {
    using T = TextField;

    constexpr PropertyInfo kTextFieldProperties[] = {
        detail::ColorProperty<T, &T::BackgroundColor>("BackgroundColor"),
        BooleanProperty<T, &T::HasBorder>("HasBorder"),
        StringProperty<T, &T::Format>("Format"),
        BooleanProperty<T, &T::Password>("Password"),
        detail::ColorProperty<T, &T::TextColor>("TextColor"),
        BooleanProperty<T, &T::AllowFocusRing>("AllowFocusRing"),
        FontName<T>,
        FontSize<T>,
        FontUnit<T>,
        Bold<T>,
        Italic<T>,
        Underline<T>,
        StringProperty<T, &T::Hint>("Hint"),
        StringProperty<T, &T::Text>("Text"),
        BooleanProperty<T, &T::AllowTabs>("AllowTabs"),
        IntegerProperty<T, &T::TextAlignment>("TextAlignment", "TextAlignments"),
        IntegerProperty<T, &T::MaximumCharactersAllowed>("MaximumCharactersAllowed"),
        StringProperty<T, &T::ValidationMask>("ValidationMask"),
        BooleanProperty<T, &T::ReadOnly>("ReadOnly"),
        StringProperty<T, &T::DataSource>("DataSource"),
        StringProperty<T, &T::DataField>("DataField"),
    };

    QPlainTextEdit* TextBox(const ControlNative* native)
    {
        return native ? qobject_cast<QPlainTextEdit*>(native->widget.data()) : nullptr;
    }

    // Replaces the box's whole text as QPlainTextEdit::setPlainText does (no
    // undo history, unmodified, cursor and view at the start) but lays it out
    // once: setPlainText lays it out twice more for a selection and a format
    // of its own, and the moves of its cursor shape the lines again. Here the
    // text goes in after the old, the old is cut, and the layout keeps its
    // glyphs. Kept over setPlainText for speed: about 6x alone, 1.6x with the repaint.
    void ReplaceText(QPlainTextEdit& box, const QString& text)
    {
        QTextDocument* document = box.document();
        const bool undo = document->isUndoRedoEnabled();
        document->setUndoRedoEnabled(false);
        const int oldEnd = document->characterCount() - 1;
        QTextCursor cursor(document);
        cursor.beginEditBlock();
        cursor.setPosition(oldEnd);
        cursor.insertText(text);
        // The box's own cursor, before the old text's end, is left at the start.
        cursor.setPosition(0);
        cursor.setPosition(oldEnd, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            block.layout()->setCacheEnabled(true);
        cursor.endEditBlock();
        document->setUndoRedoEnabled(undo);
        document->setModified(false);
        const QTextCursor shown = box.textCursor();
        if (shown.position() != 0 || shown.hasSelection())
            box.setTextCursor(QTextCursor(document));
        else
            box.ensureCursorVisible();
    }

    void ShowText(ControlNative& native, const std::string& text)
    {
        QPlainTextEdit* box = TextBox(&native);
        if (!box)
            return;
        const QString display = DisplayText(text);
        if (box->document()->toPlainText() == display)
            return;
        native.syncingText = true;
        ReplaceText(*box, display);
        native.syncingText = false;
    }
} // namespace

TextField::TextField() = default;

TextField::~TextField() = default;

const ClassInfo& TextField::Lookup__()
{
    static const ClassInfo& cls = RegisterClass<TextField>("TextField", TextEdit::Lookup__(), kTextFieldProperties);
    return cls;
}

void TextField::Text(std::string value)
{
    // The user's own edit, copied back from the widget, is not an operation.
    if (Native() && Native()->syncingText) {
        m_text = std::move(value);
        return;
    }
    CheckMainThread("TextField.Text");
    NotifyCall("TextField.Text");
    m_text = std::move(value);
    if (Native() && !DeferSync(*Native()))
        ShowText(*Native(), m_text);
}

std::unique_ptr<ControlNative> TextField::MakeNative(Window& window)
{
    auto* box = new QPlainTextEdit(ContentArea(window));
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Japanese text has no spaces to break at.
    box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto native = std::make_unique<ControlNative>(box);
    // Keeps Text in step with what the user types into an editable box.
    QObject::connect(box, &QPlainTextEdit::textChanged, box, [weak = weak_from_this(), box] {
        auto self = std::dynamic_pointer_cast<TextField>(weak.lock());
        if (!self || !self->Native() || self->Native()->syncingText)
            return;
        self->Native()->syncingText = true;
        Dispatch([&] { self->Text(FromDisplayText(box->toPlainText())); });
        self->Native()->syncingText = false;
    });
    return native;
}

void TextField::SyncNative()
{
    RectControl::SyncNative();
    QPlainTextEdit* box = TextBox(Native());
    if (!box)
        return;
    box->setReadOnly(m_readOnly);
    // Read-only text can still be selected and copied, by mouse and keyboard.
    box->setTextInteractionFlags(
        m_readOnly ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard : Qt::TextEditorInteraction);
    // Tab moves the focus on when tabs are not allowed, or cannot be typed.
    box->setTabChangesFocus(!m_allowTabs || m_readOnly);
    box->setFrameShape(m_hasBorder ? QFrame::StyledPanel : QFrame::NoFrame);

    // The box draws its own background: Transparent leaves it as it is.
    ApplyColors(*Native(), *box, { { QPalette::Base, m_backgroundColor }, { QPalette::Text, m_textColor } });
    box->setFont(ToQFont(m_font));
    box->setPlaceholderText(QString::fromUtf8(m_hint.data(), qsizetype(m_hint.size())));

    QTextOption option = box->document()->defaultTextOption();
    option.setAlignment(ToAlignment(m_textAlignment));
    box->document()->setDefaultTextOption(option);

    ShowText(*Native(), m_text);
}

FW_SYNCED_SETTER(TextField, ReadOnly, bool, m_readOnly)
FW_SYNCED_SETTER(TextField, HasBorder, bool, m_hasBorder)
FW_SYNCED_SETTER(TextField, BackgroundColor, Color, m_backgroundColor)
FW_SYNCED_SETTER(TextField, TextColor, Color, m_textColor)
FW_SYNCED_SETTER(TextField, TextAlignment, std::int64_t, m_textAlignment)
FW_SYNCED_SETTER(TextField, AllowTabs, bool, m_allowTabs)
FW_SYNCED_SETTER(TextField, Hint, std::string, m_hint)
FW_SYNCED_SETTER(TextField, Font, FontSpec, m_font)

// Kept for the record; a multi-line box has no password mask, format,
// validation mask or data binding here, and a read-only one limits no typing.
FW_STORED_SETTER(TextField, Password, bool, m_password)
FW_STORED_SETTER(TextField, MaximumCharactersAllowed, std::int64_t, m_maximumCharactersAllowed)
FW_STORED_SETTER(TextField, Format, std::string, m_format)
FW_STORED_SETTER(TextField, ValidationMask, std::string, m_validationMask)
FW_STORED_SETTER(TextField, DataSource, std::string, m_dataSource)
FW_STORED_SETTER(TextField, DataField, std::string, m_dataField)
FW_STORED_SETTER(TextField, AllowFocusRing, bool, m_allowFocusRing)

// BevelButton

namespace {
    using B = BevelButton;

    constexpr PropertyInfo kBevelButtonProperties[] = {
        StringProperty<B, &B::Caption>("Caption"),
        IntegerProperty<B, &B::CaptionAlignment>("CaptionAlignment", "BevelButton.CaptionAlignments"),
        IntegerProperty<B, &B::CaptionPosition>("CaptionPosition", "BevelButton.CaptionPositions"),
        IntegerProperty<B, &B::CaptionDelta>("CaptionDelta"),
        IntegerProperty<B, &B::IconAlignment>("IconAlignment", "BevelButton.IconAlignments"),
        IntegerProperty<B, &B::IconDeltaX>("IconDeltaX"),
        IntegerProperty<B, &B::IconDeltaY>("IconDeltaY"),
        IntegerProperty<B, &B::BevelStyle>("BevelStyle", "BevelButton.BevelStyles"),
        IntegerProperty<B, &B::MenuStyle>("MenuStyle", "BevelButton.MenuStyles"),
        BooleanProperty<B, &B::HasBackgroundColor>("HasBackgroundColor"),
        detail::ColorProperty<B, &B::BackgroundColor>("BackgroundColor"),
        detail::ColorProperty<B, &B::TextColor>("TextColor"),
        BooleanProperty<B, &B::Value>("Value"),
        IntegerProperty<B, &B::ButtonStyle>("ButtonStyle", "BevelButton.ButtonStyles"),
        BooleanProperty<B, &B::AllowFocus>("AllowFocus"),
        FontName<B>,
        FontSize<B>,
        FontUnit<B>,
        Bold<B>,
        Italic<B>,
        Underline<B>,
    };
} // namespace

BevelButton::BevelButton() = default;

BevelButton::~BevelButton() = default;

const ClassInfo& BevelButton::Lookup__()
{
    static const ClassInfo& cls
        = RegisterClass<BevelButton>("BevelButton", RectControl::Lookup__(), kBevelButtonProperties);
    return cls;
}

std::unique_ptr<ControlNative> BevelButton::MakeNative(Window& window)
{
    auto* button = new QPushButton(ContentArea(window));
    button->setAutoDefault(false);
    QObject::connect(
        button, &QPushButton::clicked, button, [weak = weak_from_this()] { RaiseFromNative(weak, kActionEvent); });
    return std::make_unique<ControlNative>(button);
}

void BevelButton::SyncNative()
{
    RectControl::SyncNative();
    auto* button = Native() ? qobject_cast<QPushButton*>(Native()->widget.data()) : nullptr;
    if (!button)
        return;
    // An ampersand is shown as itself, not taken for a mnemonic.
    button->setText(QString::fromUtf8(m_caption.data(), qsizetype(m_caption.size())).replace('&', "&&"));
    button->setFocusPolicy(FocusPolicy(m_allowFocus, TabStop()));
    // A push button centres its caption (3); the other alignments need a style sheet.
    switch (m_captionAlignment) {
    case 1:
        button->setStyleSheet("text-align: left;");
        break;
    case 2:
        button->setStyleSheet("text-align: right;");
        break;
    default:
        button->setStyleSheet(QString());
        break;
    }
    button->setCheckable(m_buttonStyle != 0);
    button->setChecked(m_buttonStyle != 0 && m_value);
    std::vector<std::pair<QPalette::ColorRole, Color>> colors { { QPalette::ButtonText, m_textColor } };
    if (m_hasBackgroundColor)
        colors.emplace_back(QPalette::Button, m_backgroundColor);
    ApplyColors(*Native(), *button, std::move(colors));
    button->setFont(ToQFont(m_font));
}

FW_SYNCED_SETTER(BevelButton, Caption, std::string, m_caption)
FW_SYNCED_SETTER(BevelButton, CaptionAlignment, std::int64_t, m_captionAlignment)
FW_SYNCED_SETTER(BevelButton, HasBackgroundColor, bool, m_hasBackgroundColor)
FW_SYNCED_SETTER(BevelButton, BackgroundColor, Color, m_backgroundColor)
FW_SYNCED_SETTER(BevelButton, TextColor, Color, m_textColor)
FW_SYNCED_SETTER(BevelButton, Value, bool, m_value)
FW_SYNCED_SETTER(BevelButton, ButtonStyle, std::int64_t, m_buttonStyle)
FW_SYNCED_SETTER(BevelButton, AllowFocus, bool, m_allowFocus)
FW_SYNCED_SETTER(BevelButton, Font, FontSpec, m_font)

// The button shows a caption only: positions, icons and bevel and menu styles
// are kept for the record and give every button the same plain look.
FW_STORED_SETTER(BevelButton, CaptionPosition, std::int64_t, m_captionPosition)
FW_STORED_SETTER(BevelButton, CaptionDelta, std::int64_t, m_captionDelta)
FW_STORED_SETTER(BevelButton, IconAlignment, std::int64_t, m_iconAlignment)
FW_STORED_SETTER(BevelButton, IconDeltaX, std::int64_t, m_iconDeltaX)
FW_STORED_SETTER(BevelButton, IconDeltaY, std::int64_t, m_iconDeltaY)
FW_STORED_SETTER(BevelButton, BevelStyle, std::int64_t, m_bevelStyle)
FW_STORED_SETTER(BevelButton, MenuStyle, std::int64_t, m_menuStyle)

// Canvas

namespace {
    using C = Canvas;

    constexpr PropertyInfo kCanvasProperties[] = {
        BooleanProperty<C, &C::AllowFocusRing>("AllowFocusRing"),
        BooleanProperty<C, &C::AllowFocus>("AllowFocus"),
        BooleanProperty<C, &C::AllowTabs>("AllowTabs"),
        BooleanProperty<C, &C::DoubleBuffer>("DoubleBuffer"),
    };
} // namespace

Canvas::Canvas() = default;

Canvas::~Canvas() = default;

const ClassInfo& Canvas::Lookup__()
{
    static const ClassInfo& cls = RegisterClass<Canvas>("Canvas", RectControl::Lookup__(), kCanvasProperties);
    return cls;
}

// A plain widget draws nothing of its own; only an opaque canvas fills its
// background.
std::unique_ptr<ControlNative> Canvas::MakeNative(Window& window)
{
    return std::make_unique<ControlNative>(new QWidget(ContentArea(window)));
}

void Canvas::SyncNative()
{
    RectControl::SyncNative();
    QWidget* widget = Native() ? Native()->widget.data() : nullptr;
    if (!widget)
        return;
    widget->setAutoFillBackground(!Transparent());
    widget->setFocusPolicy(FocusPolicy(m_allowFocus, TabStop()));
}

FW_SYNCED_SETTER(Canvas, AllowFocus, bool, m_allowFocus)
FW_STORED_SETTER(Canvas, AllowFocusRing, bool, m_allowFocusRing)
FW_STORED_SETTER(Canvas, AllowTabs, bool, m_allowTabs)
FW_STORED_SETTER(Canvas, DoubleBuffer, bool, m_doubleBuffer)

#undef FW_SYNCED_SETTER
#undef FW_STORED_SETTER

QWidget* NativeWidget(const RectControl& control)
{
    return control.Native() ? control.Native()->widget.data() : nullptr;
}

} // namespace fw
