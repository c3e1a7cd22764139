#include "NativeMenu.h"

#include "RuntimeInternal.h"
#include "fw/Runtime.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <array>
#include <set>
#include <utility>

namespace fw {

namespace {

    constexpr std::string_view kSeparatorText = "-";

    using detail::EqualsIgnoringAsciiCase;

    // Runs the checks every menu operation starts with.
    void Enter(std::string_view operation)
    {
        CheckMainThread(operation);
        NotifyCall(operation);
    }

    // The standard Edit items, recognised by their names.
    enum class EditCommand { None, Undo, Cut, Copy, Paste, Clear, SelectAll };

    EditCommand EditCommandOf(std::string_view name) noexcept
    {
        static constexpr std::array<std::pair<std::string_view, EditCommand>, 6> kCommands { {
            { "EditUndo", EditCommand::Undo },
            { "EditCut", EditCommand::Cut },
            { "EditCopy", EditCommand::Copy },
            { "EditPaste", EditCommand::Paste },
            { "EditClear", EditCommand::Clear },
            { "EditSelectAll", EditCommand::SelectAll },
        } };
        for (const auto& [commandName, command] : kCommands) {
            if (EqualsIgnoringAsciiCase(name, commandName))
                return command;
        }
        return EditCommand::None;
    }

    // The text widget that has the keyboard focus, if any: the one the Edit
    // items act on.
    struct TextTarget {
        QLineEdit* line = nullptr;
        QPlainTextEdit* plain = nullptr;
        QTextEdit* rich = nullptr;

        explicit operator bool() const noexcept { return line || plain || rich; }

        bool ReadOnly() const
        {
            if (line)
                return line->isReadOnly();
            return plain ? plain->isReadOnly() : rich->isReadOnly();
        }

        bool UndoAvailable() const
        {
            if (line)
                return line->isUndoAvailable();
            return plain ? plain->document()->isUndoAvailable() : rich->document()->isUndoAvailable();
        }
    };

    TextTarget FocusedText()
    {
        TextTarget target;
        QWidget* focus = QApplication::focusWidget();
        if (!focus)
            return target;
        target.line = qobject_cast<QLineEdit*>(focus);
        target.plain = qobject_cast<QPlainTextEdit*>(focus);
        target.rich = qobject_cast<QTextEdit*>(focus);
        return target;
    }

    bool CanPerform(EditCommand command, const TextTarget& target)
    {
        if (!target)
            return false;
        switch (command) {
        case EditCommand::Copy:
        case EditCommand::SelectAll:
            return true;
        case EditCommand::Undo:
            return !target.ReadOnly() && target.UndoAvailable();
        case EditCommand::Cut:
        case EditCommand::Paste:
        case EditCommand::Clear:
            return !target.ReadOnly();
        case EditCommand::None:
            break;
        }
        return false;
    }

    template <class Edit> void ClearSelection(Edit* edit)
    {
        QTextCursor cursor = edit->textCursor();
        cursor.removeSelectedText();
        edit->setTextCursor(cursor);
    }

    template <class Edit> void PerformOn(Edit* edit, EditCommand command)
    {
        switch (command) {
        case EditCommand::Undo:
            edit->undo();
            break;
        case EditCommand::Cut:
            edit->cut();
            break;
        case EditCommand::Copy:
            edit->copy();
            break;
        case EditCommand::Paste:
            edit->paste();
            break;
        case EditCommand::Clear:
            if constexpr (std::is_same_v<Edit, QLineEdit>) {
                // del() would remove the character after the cursor when nothing is selected.
                if (edit->hasSelectedText())
                    edit->del();
            } else {
                ClearSelection(edit);
            }
            break;
        case EditCommand::SelectAll:
            edit->selectAll();
            break;
        case EditCommand::None:
            break;
        }
    }

    void Perform(EditCommand command)
    {
        const TextTarget target = FocusedText();
        // Called from code the item may be disabled; a read-only box still must not change.
        if (!CanPerform(command, target))
            return;
        if (target.line)
            PerformOn(target.line, command);
        else if (target.plain)
            PerformOn(target.plain, command);
        else
            PerformOn(target.rich, command);
    }

    bool IsSeparator(const MenuItem& item) { return item.Text() == kSeparatorText; }

    bool HaveApplication() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

    // Keeps an auto-enabled item's state in line with what it can do now.
    void RefreshEnabled(MenuItem& item)
    {
        QAction* action = item.Native().action.get();
        if (!action)
            return;
        const EditCommand command = EditCommandOf(item.Name());
        if (!item.AutoEnabled() || command == EditCommand::None) {
            action->setEnabled(true);
            return;
        }
        action->setEnabled(CanPerform(command, FocusedText()));
    }

    // Pushes the item's caption, separator state, visibility and shortcut to its action.
    void SyncAction(MenuItem& item)
    {
        MenuNative& native = item.Native();
        QAction* action = native.action.get();
        if (!action)
            return;
        const bool separator = IsSeparator(item);
        action->setSeparator(separator);
        action->setText(separator ? QString() : QString::fromStdString(item.Text()));
        action->setVisible(item.Visible());
        action->setShortcut(separator ? QKeySequence() : native.shortcut);
    }

    void Realize(MenuItem& item);
    void RegisterRealized(MenuNative& native);

    // Gives the item its QMenu, holding the actions of all its children.
    void EnsureMenu(MenuItem& item)
    {
        MenuNative& native = item.Native();
        if (native.menu)
            return;
        native.menu = std::make_unique<QMenu>();
        // As the action's menu, the QMenu reports this action as its menuAction,
        // so shortcuts inside it match the window whose bar shows the action.
        native.action->setMenu(native.menu.get());
        QObject::connect(native.menu.get(), &QMenu::aboutToShow, native.menu.get(), [&item] {
            for (const MenuItemPtr& child : item.Children())
                RefreshEnabled(*child);
        });
        for (const MenuItemPtr& child : item.Children()) {
            Realize(*child);
            native.menu->addAction(child->Native().action.get());
        }
    }

    // Makes the item's action (and, for an item with children, its menu and
    // the children's actions). Nothing is made twice.
    void Realize(MenuItem& item)
    {
        MenuNative& native = item.Native();
        if (dynamic_cast<MenuBar*>(&item)) {
            for (const MenuItemPtr& child : item.Children())
                Realize(*child);
            return;
        }
        if (native.action)
            return;
        native.action = std::make_unique<QAction>();
        RegisterRealized(native);
        QAction* action = native.action.get();
        if (dynamic_cast<QuitMenuItem*>(&item))
            action->setMenuRole(QAction::QuitRole);
        QObject::connect(action, &QAction::triggered, action, [&item] {
            if (IsSeparator(item))
                return;
            // The item may let go of the last reference to itself while it acts.
            const ObjectPtr keep = item.weak_from_this().lock();
            Dispatch([&item] { item.Action(); });
        });
        QObject::connect(qApp, &QApplication::focusChanged, action, [&item] { RefreshEnabled(item); });
        SyncAction(item);
        RefreshEnabled(item);
        if (!item.Children().empty())
            EnsureMenu(item);
    }

    // Shows a child appended after the parent reached the screen.
    void AttachNative(MenuItem& parent, MenuItem& child)
    {
        MenuNative& native = parent.Native();
        if (dynamic_cast<MenuBar*>(&parent)) {
            std::erase_if(native.bars, [](const QPointer<QMenuBar>& bar) { return bar.isNull(); });
            if (native.bars.empty())
                return;
            Realize(child);
            for (const QPointer<QMenuBar>& bar : native.bars)
                bar->addAction(child.Native().action.get());
            return;
        }
        if (!native.action)
            return;
        if (!native.menu) {
            EnsureMenu(parent);
            return;
        }
        Realize(child);
        native.menu->addAction(child.Native().action.get());
    }

    struct ModifierName {
        std::string_view name;
        Qt::KeyboardModifier modifier;
    };

    // Qt's Ctrl is the Command key on macOS, so "Cmd" maps to it everywhere,
    // and "Ctrl" there means the Control key, which Qt calls Meta.
#ifdef Q_OS_MACOS
    constexpr Qt::KeyboardModifier kControlKey = Qt::MetaModifier;
#else
    constexpr Qt::KeyboardModifier kControlKey = Qt::ControlModifier;
#endif

    constexpr std::array<ModifierName, 8> kModifiers { {
        { "Cmd", Qt::ControlModifier },
        { "Command", Qt::ControlModifier },
        { "Ctrl", kControlKey },
        { "Control", kControlKey },
        { "Shift", Qt::ShiftModifier },
        { "Alt", Qt::AltModifier },
        { "Option", Qt::AltModifier },
        { "Opt", Qt::AltModifier },
    } };

    // The Qt key for the key part of a shortcut, or Key_unknown. The program's
    // shortcuts name one key each, a letter such as the Q of "Cmd+Q".
    Qt::Key ParseKey(std::string_view text)
    {
        // Qt's key code for a printable character is its upper-case code point.
        const QString character = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUpper();
        if (character.size() != 1 || !character[0].isPrint() || character[0].isSpace())
            return Qt::Key_unknown;
        return static_cast<Qt::Key>(character[0].unicode());
    }

} // namespace

QKeySequence ParseShortcut(std::string_view text)
{
    if (text.empty())
        return {};
    auto fail = [text]() -> RuntimeException {
        return RuntimeException("MenuItem.Shortcut: cannot read the shortcut \"" + std::string(text) + "\"");
    };
    // The key follows the last '+'; "Cmd++" names the plus key itself.
    std::string_view modifiers;
    std::string_view key = text;
    if (const auto plus = text.rfind('+'); plus != std::string_view::npos) {
        key = text.substr(plus + 1);
        modifiers = text.substr(0, plus);
        if (key.empty() && !modifiers.empty() && modifiers.back() == '+') {
            key = "+";
            modifiers.remove_suffix(1);
        } else if (key.empty() && modifiers.empty()) {
            key = "+";
        } else if (modifiers.empty()) {
            throw fail();
        }
    }
    Qt::KeyboardModifiers combined;
    while (!modifiers.empty()) {
        const auto plus = modifiers.find('+');
        const std::string_view name = modifiers.substr(0, plus);
        const auto found = std::ranges::find_if(kModifiers,
            [name](const ModifierName& candidate) { return EqualsIgnoringAsciiCase(name, candidate.name); });
        if (found == kModifiers.end())
            throw fail();
        combined |= found->modifier;
        if (plus == std::string_view::npos)
            break;
        modifiers.remove_prefix(plus + 1);
        if (modifiers.empty())
            throw fail();
    }
    const Qt::Key parsed = ParseKey(key);
    if (parsed == Qt::Key_unknown)
        throw fail();
    return QKeySequence(QKeyCombination(combined, parsed));
}

namespace {

    // Every native side that holds Qt objects. The program's menu bar can
    // outlive the native application (a static holds it), so the Qt objects
    // must go while the application still stands. The set is never destroyed:
    // a static may still unregister from it at exit.
    std::set<MenuNative*>& RealizedNatives()
    {
        static auto* natives = new std::set<MenuNative*>;
        return *natives;
    }

    void DropRealizedNatives()
    {
        std::set<MenuNative*>& natives = RealizedNatives();
        // Menus first: each holds actions of other items.
        for (MenuNative* native : natives)
            native->menu.reset();
        for (MenuNative* native : natives) {
            native->action.reset();
            native->bars.clear();
        }
        natives.clear();
    }

    void RegisterRealized(MenuNative& native)
    {
        static QPointer<QCoreApplication> cleanupFor;
        if (cleanupFor != QCoreApplication::instance()) {
            cleanupFor = QCoreApplication::instance();
            qAddPostRoutine(&DropRealizedNatives);
        }
        RealizedNatives().insert(&native);
    }

} // namespace

MenuNative::MenuNative() = default;

MenuNative::~MenuNative()
{
    if (action)
        RealizedNatives().erase(this);
}

MenuItem::MenuItem()
    : m_native(std::make_unique<MenuNative>())
{
}

MenuItem::~MenuItem()
{
    // A child that outlives its parent (someone else still holds it) must not
    // point at the dead parent.
    for (const MenuItemPtr& child : m_children)
        child->m_parent = nullptr;
}

const ClassInfo& MenuItem::Lookup__()
{
    static const ClassInfo& cls = RegisterClass<MenuItem>("MenuItem", Object::Lookup__());
    return cls;
}

const ClassInfo& QuitMenuItem::Lookup__()
{
    static const ClassInfo& cls = RegisterClass<QuitMenuItem>("QuitMenuItem", MenuItem::Lookup__());
    return cls;
}

const ClassInfo& MenuBar::Lookup__()
{
    static const ClassInfo& cls = RegisterClass<MenuBar>("MenuBar", MenuItem::Lookup__());
    return cls;
}

void MenuItem::Constructor()
{
    // The C++ constructor has already brought the item into its default state.
    Enter("MenuItem.Constructor");
}

void MenuItem::Name(std::string value)
{
    Enter("MenuItem.Name");
    m_name = std::move(value);
    RefreshEnabled(*this);
}

void MenuItem::AutoEnabled(bool value)
{
    Enter("MenuItem.AutoEnabled");
    m_autoEnabled = value;
    RefreshEnabled(*this);
}

void MenuItem::Text(std::string value)
{
    Enter("MenuItem.Text");
    m_text = std::move(value);
    SyncAction(*this);
}

void MenuItem::Visible(bool value)
{
    Enter("MenuItem.Visible");
    m_visible = value;
    SyncAction(*this);
}

void MenuItem::Shortcut(std::string value)
{
    Enter("MenuItem.Shortcut");
    // Parse first so that an unreadable shortcut changes nothing.
    m_native->shortcut = ParseShortcut(value);
    m_shortcut = std::move(value);
    SyncAction(*this);
}

void MenuItem::AddMenu(const std::shared_ptr<MenuItem>& item)
{
    Enter("MenuItem.AddMenu");
    if (!item)
        throw NilObjectException("MenuItem.AddMenu was given a nil item");
    if (dynamic_cast<const MenuBar*>(item.get()))
        throw RuntimeException("MenuItem.AddMenu: a menu bar cannot be placed inside a menu");
    if (item->m_parent)
        throw RuntimeException("MenuItem.AddMenu: the item \"" + item->m_name + "\" already has a parent");
    for (const MenuItem* ancestor = this; ancestor; ancestor = ancestor->m_parent) {
        if (ancestor == item.get())
            throw RuntimeException("MenuItem.AddMenu: the item \"" + item->m_name
                + "\" cannot become a child of itself or of its own child");
    }
    m_children.push_back(item);
    item->m_parent = this;
    AttachNative(*this, *item);
}

std::shared_ptr<MenuItem> MenuItem::Child(std::string_view name) const
{
    Enter("MenuItem.Child");
    for (const MenuItemPtr& child : m_children) {
        if (EqualsIgnoringAsciiCase(child->m_name, name))
            return child;
    }
    return nullptr;
}

namespace {

    // Depth first, each child before its own children, in the order they were appended.
    MenuItemPtr FindBelow(const MenuItem& item, std::string_view name)
    {
        for (const MenuItemPtr& child : item.Children()) {
            if (EqualsIgnoringAsciiCase(child->Name(), name))
                return child;
            if (MenuItemPtr found = FindBelow(*child, name))
                return found;
        }
        return nullptr;
    }

} // namespace

std::shared_ptr<MenuItem> MenuItem::Lookup_(std::string_view name) const
{
    Enter("MenuItem.Lookup_");
    return FindBelow(*this, name);
}

void MenuItem::Action()
{
    Enter("MenuItem.Action");
    if (IsSeparator(*this))
        return;
    if (const EditCommand command = EditCommandOf(m_name); command != EditCommand::None && HaveApplication())
        Perform(command);
}

MenuNative& MenuItem::Native() { return *m_native; }

void QuitMenuItem::Action()
{
    Enter("MenuItem.Action");
    RuntimeQuit();
}

QMenuBar* MakeNativeMenuBar(MenuBar& bar, QWidget* parent)
{
    MenuNative& native = bar.Native();
    Realize(bar);
    auto* menuBar = new QMenuBar(parent);
    for (const MenuItemPtr& menu : bar.Children())
        menuBar->addAction(menu->Native().action.get());
    std::erase_if(native.bars, [](const QPointer<QMenuBar>& known) { return known.isNull(); });
    native.bars.emplace_back(menuBar);
    return menuBar;
}

QAction* NativeAction(MenuItem& item)
{
    if (!item.Native().action && HaveApplication())
        Realize(item);
    return item.Native().action.get();
}

QMenu* NativeMenu(MenuItem& item) { return item.Native().menu.get(); }

} // namespace fw
