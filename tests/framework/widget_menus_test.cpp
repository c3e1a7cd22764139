#include "NativeMenu.h"
#include "WidgetFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace velunto::test {
namespace {

    template <class T = fw::MenuItem>
    std::shared_ptr<T> MakeItem(const std::string& name, const std::string& text, const char* shortcut = "")
    {
        auto item = fw::RuntimeCheckCast<T>(fw::RuntimeNewObject(T::Lookup__()));
        item->Constructor();
        item->Name(name);
        item->AutoEnabled(true);
        item->Text(text);
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
        const char* const edit[][3] = { { "EditUndo", "Undo", "Cmd+Z" }, { "UntitledMenu1", "-", "" },
            { "EditCut", "Cut", "Cmd+X" }, { "EditCopy", "Copy", "Cmd+C" }, { "EditPaste", "Paste", "Cmd+V" },
            { "EditClear", "Delete", "" }, { "UntitledMenu0", "-", "" }, { "EditSelectAll", "Select All", "Cmd+A" } };
        for (const auto& [name, text, shortcut] : edit)
            bar->Child("EditMenu")->AddMenu(MakeItem(name, text, shortcut));
        return bar;
    }

    QAction* ActionOf(fw::MenuBar& bar, std::string_view name) { return fw::NativeAction(*bar.Lookup_(name)); }

    TEST(MenuTree, ChildFindsOnlyDirectChildrenAndLookupSearchesEveryDepth)
    {
        const auto bar = MakeBar();
        EXPECT_EQ(bar->Child("FileQuit"), nullptr);
        EXPECT_EQ(bar->Lookup_("Missing"), nullptr);
        for (const char* name : { "FileMenu", "FileQuit", "UntitledMenu0", "EditSelectAll" }) {
            const auto item = bar->Lookup_(name);
            EXPECT_EQ(item ? item->Name() : "", name);
        }
        EXPECT_EQ(bar->Lookup_("EditSelectAll")->Parent(), bar->Child("EditMenu").get());
        EXPECT_NE(std::dynamic_pointer_cast<fw::QuitMenuItem>(bar->Lookup_("FileQuit")), nullptr);
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
    }

    TEST(MenuTree, ChildOutlivingItsParentForgetsIt)
    {
        // Regression: a child still held elsewhere kept a dangling pointer to its dead parent.
        auto bar = MakeBar();
        const auto quit = bar->Lookup_("FileQuit");
        bar.reset();
        EXPECT_EQ(quit->Parent(), nullptr);
    }

    TEST(MenuShortcut, TextsMapToKeySequencesAndUnreadableOnesChangeNothing)
    {
        const std::pair<const char*, QKeySequence> rows[] = { { "cmd+a", Qt::CTRL | Qt::Key_A },
            { "Shift+Cmd+Z", Qt::CTRL | Qt::SHIFT | Qt::Key_Z }, { "Option+5", Qt::ALT | Qt::Key_5 },
            { "Cmd++", Qt::CTRL | Qt::Key_Plus }, { "", QKeySequence() }, { "Cmd+Q", Qt::CTRL | Qt::Key_Q } };
        const auto item = MakeItem("Item", "Item");
        for (const auto& [text, expected] : rows) {
            item->Shortcut(text);
            EXPECT_EQ(fw::NativeAction(*item)->shortcut(), expected) << text;
        }
        for (const char* text : { "Cmd+", "Hyper+Q", "Cmd+QQ", "+Q", "Cmd++Q", "Cmd+Q, Cmd+W" }) {
            try {
                item->Shortcut(text);
                ADD_FAILURE() << text << ": no exception";
            } catch (const fw::RuntimeException& error) {
                EXPECT_NE(std::string(error.what()).find(std::string("\"") + text + "\""), std::string::npos);
            }
            EXPECT_EQ(item->Shortcut(), "Cmd+Q");
            EXPECT_EQ(fw::NativeAction(*item)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q)) << text;
        }
    }

    TEST(MenuNative, BarShowsMenusInOrderWithSeparators)
    {
        const auto bar = MakeBar();
        QWidget window;
        QMenuBar* menuBar = fw::MakeNativeMenuBar(*bar, &window);
        ASSERT_EQ(menuBar->actions().size(), 2);
        EXPECT_EQ(menuBar->actions()[0]->text(), "File");
        QStringList shown;
        for (QAction* action : menuBar->actions()[1]->menu()->actions())
            shown << (action->isSeparator() ? "-" : action->text() + " " + action->shortcut().toString());
        EXPECT_EQ(shown.join('|').toStdString(),
            "Undo Ctrl+Z|-|Cut Ctrl+X|Copy Ctrl+C|Paste Ctrl+V|Delete |-|Select All Ctrl+A");

        // A menu appended later, and an item appended to it, reach the bar already shown.
        bar->AddMenu(MakeItem("HelpMenu", "Help"));
        bar->Child("HelpMenu")->AddMenu(MakeItem("HelpAbout", "About"));
        ASSERT_EQ(menuBar->actions().size(), 3);
        ASSERT_NE(menuBar->actions()[2]->menu(), nullptr);
        EXPECT_EQ(menuBar->actions()[2]->menu()->actions().size(), 1);
    }

    // A window holding the bar, a read-only text box and a plain button.
    class MenuWindow : public WidgetTest {
    protected:
        void SetUp() override
        {
            window = OpenWindow(
                [](TestWindow& w) {
                    const auto text = AddControl<fw::TextField>(w, "Box", 0, 0, 300);
                    text->ReadOnly(true);
                    text->Text("読み取り専用");
                },
                [this](TestWindow& w) { w.MenuBar(bar); });
            field = Control<fw::TextField>(*window, "Box");
            box = fw::NativeWidget(*field);
            button = new QPushButton("Button", fw::ContentArea(*window));
            button->move(0, 120);
            button->show();
            fw::NativeWindow(*window)->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(fw::NativeWindow(*window)));
            Focus(box);
        }

        static void Focus(QWidget* widget)
        {
            widget->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), widget);
        }

        std::shared_ptr<fw::MenuBar> bar = MakeBar();
        std::shared_ptr<TestWindow> window;
        fw::TextFieldPtr field;
        QWidget* box = nullptr;
        QPushButton* button = nullptr;
    };

    // Quitting closes every window, so each way gets a window of its own.
    TEST_F(MenuWindow, QuitItemEndsTheLoopByMenu)
    {
        EXPECT_TRUE(RunLoopUntilQuit([this] { ActionOf(*bar, "FileQuit")->trigger(); }));
    }

    TEST_F(MenuWindow, QuitItemEndsTheLoopByShortcut)
    {
        EXPECT_TRUE(RunLoopUntilQuit([this] { QTest::keyClick(box, Qt::Key_Q, Qt::ControlModifier); }));
    }

    TEST_F(MenuWindow, EditItemsActOnTheFocusedReadOnlyBox)
    {
        auto enabled = [&] {
            std::string states;
            for (const char* name : { "EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll" })
                states += ActionOf(*bar, name)->isEnabled() ? '1' : '0';
            return states;
        };
        EXPECT_EQ(enabled(), "001001");
        Focus(button);
        EXPECT_EQ(enabled(), "000000");
        Focus(box);
        EXPECT_EQ(enabled(), "001001");

        // Select All and Copy, by menu and by key: one copy each, neither none nor twice.
        QGuiApplication::clipboard()->clear();
        QSignalSpy byMenu(QGuiApplication::clipboard(), &QClipboard::dataChanged);
        ActionOf(*bar, "EditSelectAll")->trigger();
        ActionOf(*bar, "EditCopy")->trigger();
        EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "読み取り専用");
        EXPECT_EQ(byMenu.count(), 1);
        qobject_cast<QPlainTextEdit*>(box)->moveCursor(QTextCursor::Start); // nothing selected
        QGuiApplication::clipboard()->clear();
        QSignalSpy byKey(QGuiApplication::clipboard(), &QClipboard::dataChanged);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "読み取り専用");
        EXPECT_EQ(byKey.count(), 1);

        // Called anyway, the changing items leave the read-only box as it is.
        QGuiApplication::clipboard()->setText("pasted");
        for (const char* name : { "EditUndo", "EditCut", "EditPaste", "EditClear" })
            bar->Lookup_(name)->Action();
        EXPECT_EQ(field->Text(), "読み取り専用");
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "pasted");

        // The box turning editable while it has the focus shows when the menu opens.
        field->ReadOnly(false);
        QMenu* edit = fw::NativeMenu(*bar->Child("EditMenu"));
        edit->popup(QPoint(0, 0));
        EXPECT_EQ(enabled(), "011111");
        edit->hide();
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
                    // Left open, as when the application quits from an open menu.
                    fw::NativeMenu(*bar->Child("EditMenu"))->popup(QPoint(0, 0));
                    QApplication::processEvents();
                }
                fw::RuntimePerformFinalizers();
                bar.reset();
                std::exit(0);
            },
            testing::ExitedWithCode(0), "");
    }

} // namespace
} // namespace velunto::test
