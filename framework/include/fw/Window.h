#pragma once

#include "fw/Object.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

class MenuBar;
class Control;
struct WindowNative;

// A top-level window. Width, Height and the size limits are those of the
// content area; the menu bar, where the platform puts it in the window, sits
// above that area.
class Window : public Object {
public:
    Window();
    ~Window() override;

    static const ClassInfo& Lookup__();

    // Builds the native window, raises Layout and CreateControls, holds the
    // window, shows it when Visible, then raises each control's Open.
    void Constructor();

    std::shared_ptr<fw::MenuBar> MenuBar() const;
    void MenuBar(std::shared_ptr<fw::MenuBar> bar);

    // A new, not yet constructed control of the class, made for this window.
    ObjectPtr New__(const ClassInfo& cls);
    // Registers the control under the name; from now on the window holds it.
    void AddControl_(std::string_view name, const ObjectPtr& control);
    // The control registered under the name, or nullptr.
    ObjectPtr ControlByName_(std::string_view name) const;
    // Every registered control, in order of registration.
    const std::vector<std::shared_ptr<Control>>& Controls() const noexcept { return m_controls; }

    // Closes the window; the framework lets go of it.
    void Close();

    // Properties of the window record.
    std::int64_t Width() const;
    void Width(std::int64_t value);
    std::int64_t Height() const;
    void Height(std::int64_t value);
    std::int64_t MinimumWidth() const noexcept { return m_minimumWidth; }
    void MinimumWidth(std::int64_t value);
    std::int64_t MinimumHeight() const noexcept { return m_minimumHeight; }
    void MinimumHeight(std::int64_t value);
    std::int64_t MaximumWidth() const noexcept { return m_maximumWidth; }
    void MaximumWidth(std::int64_t value);
    std::int64_t MaximumHeight() const noexcept { return m_maximumHeight; }
    void MaximumHeight(std::int64_t value);
    std::int64_t Type() const noexcept { return m_type; }
    void Type(std::int64_t value);
    const std::string& Title() const noexcept { return m_title; }
    void Title(std::string value);
    bool HasCloseButton() const noexcept { return m_hasCloseButton; }
    void HasCloseButton(bool value);
    bool HasMaximizeButton() const noexcept { return m_hasMaximizeButton; }
    void HasMaximizeButton(bool value);
    bool HasMinimizeButton() const noexcept { return m_hasMinimizeButton; }
    void HasMinimizeButton(bool value);
    bool HasFullScreenButton() const noexcept { return m_hasFullScreenButton; }
    void HasFullScreenButton(bool value);
    bool Resizeable() const noexcept { return m_resizeable; }
    void Resizeable(bool value);
    bool Composite() const noexcept { return m_composite; }
    void Composite(bool value);
    std::int64_t MacProcId() const noexcept { return m_macProcId; }
    void MacProcId(std::int64_t value);
    bool FullScreen() const noexcept { return m_fullScreen; }
    void FullScreen(bool value);
    std::int64_t DefaultLocation() const noexcept { return m_defaultLocation; }
    void DefaultLocation(std::int64_t value);
    bool Visible() const noexcept { return m_visible; }
    void Visible(bool value);
    bool HasBackgroundColor() const noexcept { return m_hasBackgroundColor; }
    void HasBackgroundColor(bool value);
    Color BackgroundColor() const noexcept { return m_backgroundColor; }
    void BackgroundColor(Color value);
    bool MenuBarVisible() const noexcept { return m_menuBarVisible; }
    void MenuBarVisible(bool value);
    bool LiveResize() const noexcept { return m_liveResize; }
    void LiveResize(bool value);

    // A record's properties reach the native window together.
    void BeginProperties() override;
    void EndProperties() override;

    // Set-up events, raised by Constructor; the program's window class
    // overrides the ones it implements.
    virtual void Layout() { }
    virtual void CreateControls() { }

    // The native window, for the framework's own adapters; nullptr before Constructor.
    WindowNative* Native() const noexcept { return m_native.get(); }

private:
    std::unique_ptr<WindowNative> m_native;
    std::shared_ptr<fw::MenuBar> m_menuBar;
    std::vector<std::shared_ptr<Control>> m_controls;
    std::map<std::string, std::weak_ptr<Control>, std::less<>> m_controlsByName;
    std::int64_t m_width = 300;
    std::int64_t m_height = 300;
    std::int64_t m_minimumWidth = 64;
    std::int64_t m_minimumHeight = 64;
    std::int64_t m_maximumWidth = 32000;
    std::int64_t m_maximumHeight = 32000;
    std::int64_t m_type = 0;
    std::string m_title;
    bool m_hasCloseButton = true;
    bool m_hasMaximizeButton = true;
    bool m_hasMinimizeButton = true;
    bool m_hasFullScreenButton = false;
    bool m_resizeable = true;
    bool m_composite = false;
    std::int64_t m_macProcId = 0;
    bool m_fullScreen = false;
    std::int64_t m_defaultLocation = 0;
    bool m_visible = true;
    bool m_hasBackgroundColor = false;
    Color m_backgroundColor;
    bool m_menuBarVisible = true;
    bool m_liveResize = true;
};

// The window the framework holds for the class name, or nullptr.
std::shared_ptr<Window> GetImplicitWindow_(std::string_view className);

} // namespace fw
