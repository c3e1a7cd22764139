#include "NativeMenu.h"
#include "NativeWindow.h"

#include "fw/Framework.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace {

template <class T = fw::MenuItem>
std::shared_ptr<T> MakeItem(const std::string& name, const std::string& text, const char* shortcut = "")
{
    auto item = fw::RuntimeCheckCast<T>(fw::RuntimeNewObject(T::Lookup__()));
    item->Constructor();
    item->Name(name);
    item->AutoEnabled(true);
    item->Text(text);
    item->Visible(true);
    if (text != "-")
        item->Shortcut(shortcut);
    return item;
}

// A bar like the program's: File (Quit) and Edit with its six items and two separators.
std::shared_ptr<fw::MenuBar> MakeBar()
{
    auto bar = fw::RuntimeCheckCast<fw::MenuBar>(fw::RuntimeNewObject(fw::MenuBar::Lookup__()));
    bar->Constructor();
    bar->AddMenu(MakeItem("FileMenu", "File"));
    bar->Child("FileMenu")->AddMenu(MakeItem<fw::QuitMenuItem>("FileQuit", "Quit", "Cmd+Q"));
    bar->AddMenu(MakeItem("EditMenu", "Edit"));
    const auto edit = bar->Child("EditMenu");
    edit->AddMenu(MakeItem("EditUndo", "Undo", "Cmd+Z"));
    edit->AddMenu(MakeItem("UntitledMenu1", "-"));
    edit->AddMenu(MakeItem("EditCut", "Cut", "Cmd+X"));
    edit->AddMenu(MakeItem("EditCopy", "Copy", "Cmd+C"));
    edit->AddMenu(MakeItem("EditPaste", "Paste", "Cmd+V"));
    edit->AddMenu(MakeItem("EditClear", "Delete"));
    edit->AddMenu(MakeItem("UntitledMenu0", "-"));
    edit->AddMenu(MakeItem("EditSelectAll", "Select All", "Cmd+A"));
    return bar;
}

QAction* ActionOf(fw::MenuBar& bar, std::string_view name) { return fw::NativeAction(*bar.Lookup_(name)); }

TEST(MenuTree, ChildFindsOnlyDirectChildrenAndLookupSearchesEveryDepth)
{
    const auto bar = MakeBar();
    ASSERT_NE(bar->Child("FileMenu"), nullptr);
    EXPECT_EQ(bar->Child("FileQuit"), nullptr);
    EXPECT_EQ(bar->Child("Missing"), nullptr);
    EXPECT_EQ(bar->Lookup_("Missing"), nullptr);

    const std::pair<const char*, const char*> rows[] = {
        { "FileMenu", "" },
        { "FileQuit", "FileMenu" },
        { "EditMenu", "" },
        { "EditUndo", "EditMenu" },
        { "UntitledMenu0", "EditMenu" },
        { "EditSelectAll", "EditMenu" },
    };
    for (const auto& [name, parent] : rows) {
        SCOPED_TRACE(name);
        const auto item = bar->Lookup_(name);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->Name(), name);
        EXPECT_EQ(item->Parent() == bar.get() ? "" : item->Parent()->Name(), parent);
    }
    EXPECT_NE(std::dynamic_pointer_cast<fw::QuitMenuItem>(bar->Lookup_("FileQuit")), nullptr);
    EXPECT_EQ(std::dynamic_pointer_cast<fw::QuitMenuItem>(bar->Lookup_("EditCopy")), nullptr);

    // Depth first in order: the first menu's child wins over a later menu of the same name.
    bar->AddMenu(MakeItem("FileQuit", "Second"));
    EXPECT_EQ(bar->Lookup_("FileQuit")->Text(), "Quit");
}

TEST(MenuTree, AddMenuRefusesWhatWouldCorruptTheTree)
{
    const auto bar = MakeBar();
    const auto edit = bar->Child("EditMenu");
    const auto undo = bar->Lookup_("EditUndo");
    EXPECT_THROW(edit->AddMenu(nullptr), fw::NilObjectException);
    EXPECT_THROW(bar->Child("FileMenu")->AddMenu(undo), fw::RuntimeException);
    EXPECT_THROW(edit->AddMenu(edit), fw::RuntimeException);
    const auto loose = MakeItem("Loose", "Loose");
    loose->AddMenu(MakeItem("Inner", "Inner"));
    EXPECT_THROW(loose->Child("Inner")->AddMenu(loose), fw::RuntimeException);
    EXPECT_EQ(edit->Children().size(), 8u);
    EXPECT_EQ(undo->Parent(), edit.get());
    EXPECT_EQ(bar->Child("FileMenu")->Children().size(), 1u);
}

TEST(MenuTree, ChildOutlivingItsParentForgetsIt)
{
    // Regression: a child still held elsewhere kept a dangling pointer to its dead parent.
    auto bar = MakeBar();
    const auto quit = bar->Lookup_("FileQuit");
    bar.reset();
    EXPECT_EQ(quit->Parent(), nullptr);
}

TEST(MenuShortcut, TextsMapToKeySequences)
{
    const std::pair<const char*, QKeySequence> rows[] = {
        { "Cmd+Q", QKeySequence(Qt::CTRL | Qt::Key_Q) },
        { "cmd+a", QKeySequence(Qt::CTRL | Qt::Key_A) },
        { "Shift+Cmd+Z", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z) },
        { "Option+F5", QKeySequence(Qt::ALT | Qt::Key_F5) },
        { "Cmd++", QKeySequence(Qt::CTRL | Qt::Key_Plus) },
        { "Cmd+1", QKeySequence(Qt::CTRL | Qt::Key_1) },
        { "", QKeySequence() },
    };
    const auto item = MakeItem("Item", "Item");
    for (const auto& [text, expected] : rows) {
        SCOPED_TRACE(text);
        item->Shortcut(text);
        EXPECT_EQ(item->Shortcut(), text);
        EXPECT_EQ(fw::NativeAction(*item)->shortcut(), expected);
    }
}

TEST(MenuShortcut, UnreadableTextRaisesNamingItAndChangesNothing)
{
    const auto item = MakeItem("Item", "Item", "Cmd+Q");
    for (const char* text : { "Cmd+", "Hyper+Q", "Cmd+QQ", "+Q", "Cmd++Q", "Cmd+F99" }) {
        SCOPED_TRACE(text);
        try {
            item->Shortcut(text);
            ADD_FAILURE() << "no exception";
        } catch (const fw::RuntimeException& error) {
            EXPECT_NE(std::string(error.what()).find(std::string("\"") + text + "\""), std::string::npos);
        }
        EXPECT_EQ(item->Shortcut(), "Cmd+Q");
        EXPECT_EQ(fw::NativeAction(*item)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    }
}

TEST(MenuNative, BarShowsMenusInOrderWithSeparators)
{
    const auto bar = MakeBar();
    QWidget window;
    QMenuBar* menuBar = fw::MakeNativeMenuBar(*bar, &window);
    ASSERT_EQ(menuBar->actions().size(), 2);
    EXPECT_EQ(menuBar->actions()[0]->text(), "File");
    QMenu* edit = menuBar->actions()[1]->menu();
    ASSERT_NE(edit, nullptr);
    QStringList shown;
    for (QAction* action : edit->actions())
        shown << (action->isSeparator() ? "-" : action->text() + " " + action->shortcut().toString());
    EXPECT_EQ(
        shown.join('|').toStdString(), "Undo Ctrl+Z|-|Cut Ctrl+X|Copy Ctrl+C|Paste Ctrl+V|Delete |-|Select All Ctrl+A");

    // A menu appended later reaches the bar already shown.
    bar->AddMenu(MakeItem("HelpMenu", "Help"));
    EXPECT_EQ(menuBar->actions().size(), 3);
    // So does an item appended to a menu that had none.
    bar->Child("HelpMenu")->AddMenu(MakeItem("HelpAbout", "About"));
    ASSERT_NE(menuBar->actions()[2]->menu(), nullptr);
    EXPECT_EQ(menuBar->actions()[2]->menu()->actions().size(), 1);
}

// Runs the event loop until the quit item ends it, or the reaper does.
void ExpectQuitEndsLoop(const std::function<void()>& quit)
{
    bool reaped = false;
    QTimer::singleShot(0, quit);
    QTimer reaper;
    reaper.setSingleShot(true);
    QObject::connect(&reaper, &QTimer::timeout, [&] {
        reaped = true;
        fw::RuntimeQuit();
    });
    reaper.start(20000);
    fw::RuntimeRun_();
    EXPECT_FALSE(reaped) << "the quit item did not end the event loop";
}

// A window of the framework's own, holding the bar, a read-only text box and a button.
class EditWindow : public fw::Window {
public:
    explicit EditWindow(std::shared_ptr<fw::MenuBar> bar)
        : m_bar(std::move(bar))
    {
    }
    void Layout() override { MenuBar(m_bar); }
    void CreateControls() override
    {
        box = fw::RuntimeCheckCast<fw::TextField>(New__(fw::TextField::Lookup__()));
        box->Constructor();
        box->Width(300);
        box->Height(100);
        box->ReadOnly(true);
        box->Text("読み取り専用");
        AddControl_("Box", box);
    }
    fw::TextFieldPtr box;

private:
    std::shared_ptr<fw::MenuBar> m_bar;
};

class MenuWindow : public testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_shared<EditWindow>(bar);
        window->Constructor();
        box = fw::NativeWidget(*window->box);
        ASSERT_NE(box, nullptr);
        button = new QPushButton("Button", fw::ContentArea(*window));
        button->move(0, 120);
        button->show();
        QWidget* top = fw::NativeWindow(*window);
        top->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(top));
        Focus(box);
        QGuiApplication::clipboard()->clear();
    }
    void TearDown() override { window->Close(); }

    static void Focus(QWidget* widget)
    {
        widget->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), widget);
    }

    std::shared_ptr<fw::MenuBar> bar = MakeBar();
    std::shared_ptr<EditWindow> window;
    QWidget* box = nullptr;
    QPushButton* button = nullptr;
};

// Quitting closes every window, so each way gets a window of its own.
TEST_F(MenuWindow, QuitItemEndsTheLoopByMenu)
{
    ExpectQuitEndsLoop([this] { ActionOf(*bar, "FileQuit")->trigger(); });
}

TEST_F(MenuWindow, QuitItemEndsTheLoopByShortcut)
{
    ExpectQuitEndsLoop([this] { QTest::keyClick(box, Qt::Key_Q, Qt::ControlModifier); });
}

TEST_F(MenuWindow, EditItemsFollowTheFocusedBox)
{
    const char* const names[] = { "EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll" };
    auto enabled = [&] {
        std::string states;
        for (const char* name : names)
            states += ActionOf(*bar, name)->isEnabled() ? '1' : '0';
        return states;
    };
    EXPECT_EQ(enabled(), "001001");
    Focus(button);
    EXPECT_EQ(enabled(), "000000");
    Focus(box);
    EXPECT_EQ(enabled(), "001001");

    // Called anyway, the changing items leave the read-only box as it is.
    ActionOf(*bar, "EditSelectAll")->trigger();
    QGuiApplication::clipboard()->setText("pasted");
    for (const char* name : { "EditCut", "EditPaste", "EditClear", "EditUndo" })
        bar->Lookup_(name)->Action();
    EXPECT_EQ(window->box->Text(), "読み取り専用");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "pasted");

    // The box turning editable while it has the focus shows when the menu opens.
    window->box->ReadOnly(false);
    QMenu* edit = fw::NativeMenu(*bar->Child("EditMenu"));
    edit->popup(QPoint(0, 0));
    EXPECT_EQ(enabled(), "011111");
    edit->hide();
}

TEST_F(MenuWindow, CopyAndSelectAllWorkOnTheReadOnlyBoxByMenuAndByKey)
{
    const std::pair<const char*, std::function<void()>> ways[] = {
        { "menu",
            [this] {
                ActionOf(*bar, "EditSelectAll")->trigger();
                ActionOf(*bar, "EditCopy")->trigger();
            } },
        { "key",
            [this] {
                QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
            } },
    };
    for (const auto& [way, act] : ways) {
        SCOPED_TRACE(way);
        QGuiApplication::clipboard()->clear();
        QSignalSpy copies(QGuiApplication::clipboard(), &QClipboard::dataChanged);
        act();
        EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "読み取り専用");
        EXPECT_EQ(copies.count(), 1) << "one copy, neither none nor twice";
    }
}

TEST(MenuLifetime, BarOutlivingTheNativeApplicationIsSafe)
{
    // Regression: the program's bar, held by a static, freed its shown menus after the native application was gone.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            auto bar = MakeBar();
            {
                QWidget window;
                fw::MakeNativeMenuBar(*bar, &window);
                window.show();
                QMenu* edit = fw::NativeMenu(*bar->Child("EditMenu"));
                // Left open, as when the application quits from an open menu.
                edit->popup(QPoint(0, 0));
                QApplication::processEvents();
            }
            fw::RuntimePerformFinalizers();
            bar.reset();
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}

TEST(MenuThread, OperationsOffTheMainThreadRaise)
{
    const auto bar = MakeBar();
    const auto quit = bar->Lookup_("FileQuit");
    const std::pair<const char*, std::function<void()>> operations[] = {
        { "Constructor", [&] { bar->Constructor(); } },
        { "Name", [&] { bar->Name("x"); } },
        { "AutoEnabled", [&] { bar->AutoEnabled(false); } },
        { "Text", [&] { bar->Text("x"); } },
        { "Visible", [&] { bar->Visible(false); } },
        { "Shortcut", [&] { bar->Shortcut("Cmd+Q"); } },
        { "AddMenu", [&] { bar->AddMenu(nullptr); } },
        { "Child", [&] { bar->Child("FileMenu"); } },
        { "Lookup_", [&] { bar->Lookup_("FileQuit"); } },
        { "Action", [&] { quit->Action(); } },
    };
    for (const auto& [name, operation] : operations) {
        SCOPED_TRACE(name);
        std::string raised;
        std::thread([&] {
            try {
                operation();
            } catch (const fw::RuntimeException& error) {
                raised = error.ClassName() + ": " + error.what();
            }
        }).join();
        EXPECT_EQ(raised.rfind("ThreadAccessingUIException: MenuItem.", 0), 0u) << raised;
    }
    EXPECT_EQ(bar->Children().size(), 2u);
    EXPECT_EQ(bar->Shortcut(), "");
}

} // namespace
