#include "NativeMenu.h"
#include "WidgetFixture.h"

#include <QApplication>
#include <QMenu>

namespace velunto::test {
namespace {

    template <class T = fw::MenuItem> std::shared_ptr<T> MakeItem(const std::string& name, const std::string& text)
    {
        auto item = fw::RuntimeCheckCast<T>(fw::RuntimeNewObject(T::Lookup__()));
        item->Constructor();
        item->Name(name);
        item->Text(text);
        return item;
    }

    // File (Quit) and Edit (Undo).
    std::shared_ptr<fw::MenuBar> MakeBar()
    {
        auto bar = fw::RuntimeCheckCast<fw::MenuBar>(fw::RuntimeNewObject(fw::MenuBar::Lookup__()));
        bar->Constructor();
        bar->AddMenu(MakeItem("FileMenu", "File"));
        bar->AddMenu(MakeItem("EditMenu", "Edit"));
        bar->Child("FileMenu")->AddMenu(MakeItem<fw::QuitMenuItem>("FileQuit", "Quit"));
        bar->Child("EditMenu")->AddMenu(MakeItem("EditUndo", "Undo"));
        return bar;
    }

    TEST(MenuTree, ChildIsDirectLookupSearchesDepthFirstAndAddMenuKeepsATree)
    {
        const auto bar = MakeBar();
        const auto edit = bar->Child("EditMenu");
        const auto undo = bar->Lookup_("EditUndo");
        EXPECT_EQ(bar->Child("EditUndo"), nullptr);
        EXPECT_EQ(bar->Lookup_("Missing"), nullptr);
        // The first menu's child wins over a later menu of the same name.
        bar->AddMenu(MakeItem("FileQuit", "Second"));
        EXPECT_EQ(bar->Lookup_("FileQuit")->Text(), "Quit");

        EXPECT_THROW(edit->AddMenu(nullptr), fw::NilObjectException);
        EXPECT_THROW(bar->Child("FileMenu")->AddMenu(undo), fw::RuntimeException); // it has a parent
        EXPECT_THROW(edit->AddMenu(edit), fw::RuntimeException);
        const auto loose = MakeItem("Loose", "Loose");
        loose->AddMenu(MakeItem("Inner", "Inner"));
        EXPECT_THROW(loose->Child("Inner")->AddMenu(loose), fw::RuntimeException);
        EXPECT_EQ(edit->Children().size(), 1u);
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
            EXPECT_THROW(item->Shortcut(text), fw::RuntimeException) << text;
            EXPECT_EQ(item->Shortcut(), "Cmd+Q");
            EXPECT_EQ(fw::NativeAction(*item)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q)) << text;
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
