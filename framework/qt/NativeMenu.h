#pragma once

// The Qt side of the framework's menus; not for program code.

#include "fw/Menu.h"

#include <QKeySequence>
#include <QPointer>

#include <memory>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace fw {

// The native counterpart of one MenuItem. The Qt objects are made lazily,
// when the item first reaches a window: the program builds its menu bar before
// the native application exists. One QAction per item is shared by every
// window that shows the bar; an item with children also gets a QMenu, which
// becomes the action's menu.
struct MenuNative {
    MenuNative();
    ~MenuNative();

    QKeySequence shortcut; // parsed from MenuItem::Shortcut, kept while no action exists
    std::unique_ptr<QAction> action;
    std::unique_ptr<QMenu> menu;
    // For a menu bar: the native bars made for windows, pruned as windows die.
    std::vector<QPointer<QMenuBar>> bars;
};

// A new QMenuBar, parented to the window widget, that shows the bar's menus.
// Each window gets its own QMenuBar; the menus and actions are shared.
QMenuBar* MakeNativeMenuBar(MenuBar& bar, QWidget* parent);

// The item's action, made (with those of its children) if it does not exist
// yet. Needs the native application.
QAction* NativeAction(MenuItem& item);

// The item's menu, or nullptr while it has no children or no native side.
QMenu* NativeMenu(MenuItem& item);

// Parses a shortcut text such as "Cmd+Q" or "Shift+Cmd+Z": "Cmd" and "Option"
// become Qt's Ctrl and Alt, and QKeySequence reads the rest. The empty text
// gives the empty sequence; a text that is not one key with its modifiers
// raises RuntimeException naming it.
QKeySequence ParseShortcut(std::string_view text);

} // namespace fw
