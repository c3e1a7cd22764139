#pragma once

#include "fw/Delegate.h"
#include "fw/Object.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace fw {

class Window;
struct ControlNative;

// Base of every control: its name in the window, its event handlers and its
// link back to the window that made it.
class Control : public Object {
public:
    Control();
    ~Control() override;

    static const ClassInfo& Lookup__();

    const std::string& Name() const noexcept { return m_name; }
    void Name(std::string value);
    std::int64_t Index() const noexcept { return m_index; }
    void Index(std::int64_t value);
    std::int64_t TabPanelIndex() const noexcept { return m_tabPanelIndex; }
    void TabPanelIndex(std::int64_t value);

    // The window that made the control; nullptr once it is gone.
    std::shared_ptr<Window> ParentWindow() const { return m_window.lock(); }

    // The delegate attached to the event, or nullptr.
    DelegatePtr EventDelegate(int eventIndex) const;
    // Raises the event as the event loop does: through its stub, with any
    // exception reported and kept from the caller. Does nothing without a handler.
    void RaiseEvent(int eventIndex);

private:
    friend class Window;
    friend void RuntimeAddEventHandler(const ObjectPtr&, int, EventStub, DelegatePtr);
    struct Handler {
        EventStub stub;
        DelegatePtr delegate;
    };
    std::string m_name;
    std::int64_t m_index = -2147483648LL;
    std::int64_t m_tabPanelIndex = 0;
    std::weak_ptr<Window> m_window;
    std::map<int, Handler> m_handlers;
};

// A control with a rectangle in the window's content area.
class RectControl : public Control {
public:
    RectControl();
    ~RectControl() override;

    static const ClassInfo& Lookup__();

    // Brings the control into its default state and makes its native widget
    // in the window that made it.
    void Constructor();

    std::int64_t Left() const noexcept { return m_left; }
    void Left(std::int64_t value);
    std::int64_t Top() const noexcept { return m_top; }
    void Top(std::int64_t value);
    std::int64_t Width() const noexcept { return m_width; }
    void Width(std::int64_t value);
    std::int64_t Height() const noexcept { return m_height; }
    void Height(std::int64_t value);
    bool LockLeft() const noexcept { return m_lockLeft; }
    void LockLeft(bool value);
    bool LockTop() const noexcept { return m_lockTop; }
    void LockTop(bool value);
    bool LockRight() const noexcept { return m_lockRight; }
    void LockRight(bool value);
    bool LockBottom() const noexcept { return m_lockBottom; }
    void LockBottom(bool value);
    std::int64_t TabIndex() const noexcept { return m_tabIndex; }
    void TabIndex(std::int64_t value);
    bool TabStop() const noexcept { return m_tabStop; }
    void TabStop(bool value);
    bool AllowAutoDeactivate() const noexcept { return m_allowAutoDeactivate; }
    void AllowAutoDeactivate(bool value);
    bool Enabled() const noexcept { return m_enabled; }
    void Enabled(bool value);
    const std::string& Tooltip() const noexcept { return m_tooltip; }
    void Tooltip(std::string value);
    bool Transparent() const noexcept { return m_transparent; }
    void Transparent(bool value);
    bool Visible() const noexcept { return m_visible; }
    void Visible(bool value);
    const std::string& InitialParent() const noexcept { return m_initialParent; }
    void InitialParent(std::string value);

    // The native widget, for the framework's own adapters; nullptr before Constructor.
    ControlNative* Native() const noexcept { return m_native.get(); }

    // A record's properties reach the widget together.
    void BeginProperties() override;
    void EndProperties() override;

protected:
    // Makes the control's native widget; each control class makes its own kind.
    virtual std::unique_ptr<ControlNative> MakeNative(Window& window) = 0;
    // Pushes every property to the native widget.
    virtual void SyncNative();

private:
    std::unique_ptr<ControlNative> m_native;
    std::int64_t m_left = 0;
    std::int64_t m_top = 0;
    std::int64_t m_width = 80;
    std::int64_t m_height = 22;
    bool m_lockLeft = true;
    bool m_lockTop = true;
    bool m_lockRight = false;
    bool m_lockBottom = false;
    std::int64_t m_tabIndex = 0;
    bool m_tabStop = true;
    bool m_allowAutoDeactivate = true;
    bool m_enabled = true;
    std::string m_tooltip;
    bool m_transparent = false;
    bool m_visible = true;
    std::string m_initialParent;
};

// Font properties shared by the text field and the bevel button. "System"
// with size 0 is the platform's default font.
struct FontSpec {
    std::string name = "System";
    float size = 0;
    std::uint8_t unit = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

class TextEdit : public RectControl {
public:
    static const ClassInfo& Lookup__();

    bool AllowSpellChecking() const noexcept { return m_allowSpellChecking; }
    void AllowSpellChecking(bool value) { m_allowSpellChecking = value; }

private:
    bool m_allowSpellChecking = false;
};

// A text box. Its Text is kept byte for byte as set; a CR shows as a line
// break, long text wraps and scrolls, and the text can be selected and copied.
class TextField : public TextEdit {
public:
    TextField();
    ~TextField() override;

    static const ClassInfo& Lookup__();

    const std::string& Text() const noexcept { return m_text; }
    // Replaces the whole text.
    void Text(std::string value);

    bool ReadOnly() const noexcept { return m_readOnly; }
    void ReadOnly(bool value);
    bool HasBorder() const noexcept { return m_hasBorder; }
    void HasBorder(bool value);
    Color BackgroundColor() const noexcept { return m_backgroundColor; }
    void BackgroundColor(Color value);
    Color TextColor() const noexcept { return m_textColor; }
    void TextColor(Color value);
    std::int64_t TextAlignment() const noexcept { return m_textAlignment; }
    void TextAlignment(std::int64_t value);
    bool AllowTabs() const noexcept { return m_allowTabs; }
    void AllowTabs(bool value);
    bool Password() const noexcept { return m_password; }
    void Password(bool value);
    std::int64_t MaximumCharactersAllowed() const noexcept { return m_maximumCharactersAllowed; }
    void MaximumCharactersAllowed(std::int64_t value);
    const std::string& Format() const noexcept { return m_format; }
    void Format(std::string value);
    const std::string& Hint() const noexcept { return m_hint; }
    void Hint(std::string value);
    const std::string& ValidationMask() const noexcept { return m_validationMask; }
    void ValidationMask(std::string value);
    const std::string& DataSource() const noexcept { return m_dataSource; }
    void DataSource(std::string value);
    const std::string& DataField() const noexcept { return m_dataField; }
    void DataField(std::string value);
    bool AllowFocusRing() const noexcept { return m_allowFocusRing; }
    void AllowFocusRing(bool value);
    const FontSpec& Font() const noexcept { return m_font; }
    void Font(FontSpec value);

protected:
    std::unique_ptr<ControlNative> MakeNative(Window& window) override;
    void SyncNative() override;

private:
    std::string m_text;
    bool m_readOnly = false;
    bool m_hasBorder = true;
    Color m_backgroundColor = Color::FromValue(0xFFFFFF);
    Color m_textColor;
    std::int64_t m_textAlignment = 0;
    bool m_allowTabs = false;
    bool m_password = false;
    std::int64_t m_maximumCharactersAllowed = -1;
    std::string m_format;
    std::string m_hint;
    std::string m_validationMask;
    std::string m_dataSource;
    std::string m_dataField;
    bool m_allowFocusRing = true;
    FontSpec m_font;
};

// A push button that raises Action (event 17) when clicked.
class BevelButton : public RectControl {
public:
    BevelButton();
    ~BevelButton() override;

    static const ClassInfo& Lookup__();

    const std::string& Caption() const noexcept { return m_caption; }
    void Caption(std::string value);
    std::int64_t CaptionAlignment() const noexcept { return m_captionAlignment; }
    void CaptionAlignment(std::int64_t value);
    std::int64_t CaptionPosition() const noexcept { return m_captionPosition; }
    void CaptionPosition(std::int64_t value);
    std::int64_t CaptionDelta() const noexcept { return m_captionDelta; }
    void CaptionDelta(std::int64_t value);
    std::int64_t IconAlignment() const noexcept { return m_iconAlignment; }
    void IconAlignment(std::int64_t value);
    std::int64_t IconDeltaX() const noexcept { return m_iconDeltaX; }
    void IconDeltaX(std::int64_t value);
    std::int64_t IconDeltaY() const noexcept { return m_iconDeltaY; }
    void IconDeltaY(std::int64_t value);
    std::int64_t BevelStyle() const noexcept { return m_bevelStyle; }
    void BevelStyle(std::int64_t value);
    std::int64_t MenuStyle() const noexcept { return m_menuStyle; }
    void MenuStyle(std::int64_t value);
    std::int64_t ButtonStyle() const noexcept { return m_buttonStyle; }
    void ButtonStyle(std::int64_t value);
    bool HasBackgroundColor() const noexcept { return m_hasBackgroundColor; }
    void HasBackgroundColor(bool value);
    Color BackgroundColor() const noexcept { return m_backgroundColor; }
    void BackgroundColor(Color value);
    Color TextColor() const noexcept { return m_textColor; }
    void TextColor(Color value);
    bool Value() const noexcept { return m_value; }
    void Value(bool value);
    bool AllowFocus() const noexcept { return m_allowFocus; }
    void AllowFocus(bool value);
    const FontSpec& Font() const noexcept { return m_font; }
    void Font(FontSpec value);

protected:
    std::unique_ptr<ControlNative> MakeNative(Window& window) override;
    void SyncNative() override;

private:
    std::string m_caption;
    std::int64_t m_captionAlignment = 3;
    std::int64_t m_captionPosition = 1;
    std::int64_t m_captionDelta = 0;
    std::int64_t m_iconAlignment = 0;
    std::int64_t m_iconDeltaX = 0;
    std::int64_t m_iconDeltaY = 0;
    std::int64_t m_bevelStyle = 0;
    std::int64_t m_menuStyle = 0;
    std::int64_t m_buttonStyle = 0;
    bool m_hasBackgroundColor = false;
    Color m_backgroundColor;
    Color m_textColor;
    bool m_value = false;
    bool m_allowFocus = true;
    FontSpec m_font;
};

// An area the program may draw on; with nothing drawn it is empty and, when
// Transparent, shows the window behind it.
class Canvas : public RectControl {
public:
    Canvas();
    ~Canvas() override;

    static const ClassInfo& Lookup__();

    bool AllowFocusRing() const noexcept { return m_allowFocusRing; }
    void AllowFocusRing(bool value);
    bool AllowFocus() const noexcept { return m_allowFocus; }
    void AllowFocus(bool value);
    bool AllowTabs() const noexcept { return m_allowTabs; }
    void AllowTabs(bool value);
    bool DoubleBuffer() const noexcept { return m_doubleBuffer; }
    void DoubleBuffer(bool value);

protected:
    std::unique_ptr<ControlNative> MakeNative(Window& window) override;
    void SyncNative() override;

private:
    bool m_allowFocusRing = true;
    bool m_allowFocus = false;
    bool m_allowTabs = false;
    bool m_doubleBuffer = false;
};

using TextFieldPtr = std::shared_ptr<TextField>;
using BevelButtonPtr = std::shared_ptr<BevelButton>;
using CanvasPtr = std::shared_ptr<Canvas>;

} // namespace fw
