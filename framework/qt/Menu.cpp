#include "NativeMenu.h"

#include "RuntimeInternal.h"
#include "fw/Runtime.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

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

    // The text box that has the keyboard focus, if any: the one the Edit items
    // act on. TextField's QPlainTextEdit is the framework's only text widget.
    QPlainTextEdit* FocusedText() { return qobject_cast<QPlainTextEdit*>(QApplication::focusWidget()); }

    bool CanPerform(EditCommand command, const QPlainTextEdit* box)
    {
        if (!box)
            return false;
        switch (command) {
        case EditCommand::Copy:
        case EditCommand::SelectAll:
            return true;
        case EditCommand::Undo:
            return !box->isReadOnly() && box->document()->isUndoAvailable();
        case EditCommand::Cut:
        case EditCommand::Paste:
        case EditCommand::Clear:
            return !box->isReadOnly();
        case EditCommand::None:
            break;
        }
        return false;
    }

    void Perform(EditCommand command)
    {
        QPlainTextEdit* box = FocusedText();
        // Called from code the item may be disabled; a read-only box still must not change.
        if (!CanPerform(command, box))
            return;
        switch (command) {
        case EditCommand::Undo:
            box->undo();
            break;
        case EditCommand::Cut:
            box->cut();
            break;
        case EditCommand::Copy:
            box->copy();
            break;
        case EditCommand::Paste:
            box->paste();
            break;
        case EditCommand::Clear: {
            QTextCursor cursor = box->textCursor();
            cursor.removeSelectedText();
            box->setTextCursor(cursor);
            break;
        }
        case EditCommand::SelectAll:
            box->selectAll();
            break;
        case EditCommand::None:
            break;
        }
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
} // namespace

QKeySequence ParseShortcut(std::string_view text)
{
    if (text.empty())
        return {};
    // The menus name the modifiers as the Mac does; Qt's Ctrl is the
    // platform's command key (Command on macOS) and its Alt is Option.
    QString portable = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    portable.replace(QLatin1StringView("cmd+"), QLatin1StringView("ctrl+"), Qt::CaseInsensitive);
    portable.replace(QLatin1StringView("option+"), QLatin1StringView("alt+"), Qt::CaseInsensitive);
    const QKeySequence sequence = QKeySequence::fromString(portable, QKeySequence::PortableText);
    // One key with its modifiers; what Qt cannot read it gives as Key_unknown.
    if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown)
        throw RuntimeException("MenuItem.Shortcut: cannot read the shortcut \"" + std::string(text) + "\"");
    return sequence;
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
