#pragma once

#include "fw/Object.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

struct MenuNative;

// A menu, a menu item or (as MenuBar) a menu bar. Each item is held by its
// parent; children are found by name.
class MenuItem : public Object {
public:
    MenuItem();
    ~MenuItem() override;

    static const ClassInfo& Lookup__();

    // Brings a new item into its default state: no parent, no children.
    void Constructor();

    const std::string& Name() const noexcept { return m_name; }
    void Name(std::string value);
    bool AutoEnabled() const noexcept { return m_autoEnabled; }
    void AutoEnabled(bool value);
    // The caption; "-" shows a separator line.
    const std::string& Text() const noexcept { return m_text; }
    void Text(std::string value);
    bool Visible() const noexcept { return m_visible; }
    void Visible(bool value);
    // "Cmd+Q" names the platform's command modifier (Ctrl on Linux and
    // Windows, Command on macOS); the empty text means no shortcut.
    const std::string& Shortcut() const noexcept { return m_shortcut; }
    void Shortcut(std::string value);

    // Appends the item as this item's last child; from now on this item holds it.
    void AddMenu(const std::shared_ptr<MenuItem>& item);
    // The direct child of that name, or nullptr.
    std::shared_ptr<MenuItem> Child(std::string_view name) const;
    // The item of that name anywhere below this one, or nullptr.
    std::shared_ptr<MenuItem> Lookup_(std::string_view name) const;

    const std::vector<std::shared_ptr<MenuItem>>& Children() const noexcept { return m_children; }
    MenuItem* Parent() const noexcept { return m_parent; }

    // What choosing the item does. The standard Edit items (by their names
    // EditUndo, EditCut, EditCopy, EditPaste, EditClear, EditSelectAll) act on
    // the focused text box; other items do nothing.
    virtual void Action();

    // The native counterpart, for the framework's own adapters.
    MenuNative& Native();

private:
    std::string m_name;
    bool m_autoEnabled = true;
    std::string m_text;
    bool m_visible = true;
    std::string m_shortcut;
    std::vector<std::shared_ptr<MenuItem>> m_children;
    MenuItem* m_parent = nullptr;
    std::unique_ptr<MenuNative> m_native;
};

// An item whose action quits the application, so that RuntimeRun_ returns.
class QuitMenuItem : public MenuItem {
public:
    static const ClassInfo& Lookup__();
    void Action() override;
};

// A menu bar: a menu item whose children are the top-level menus.
class MenuBar : public MenuItem {
public:
    static const ClassInfo& Lookup__();
};

using MenuItemPtr = std::shared_ptr<MenuItem>;

} // namespace fw
