#include "quiz_fixture.h"

#include "app/MenuBar1.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>

namespace {

using QuizWindow = QuizWindowTest;
using velunto::MainWindow;
using velunto::MenuBar1;

// In creation order, D before C, each found by its accessor. The hidden,
// disabled No button is wired like the others.
TEST_F(QuizWindow, MakesItsControlsInOrderAndFindsEachByName)
{
    const MainWindow& w = *window;
    const std::pair<std::shared_ptr<fw::Control>, std::string> controls[] = { { w.TextField1(), "TextField1" },
        { w.OKButton(), "OKButton" }, { w.NoBtutton(), "NoBtutton" }, { w.AButton(), "AButton" },
        { w.BButton(), "BButton" }, { w.DButton(), "DButton" }, { w.CButton(), "CButton" },
        { w.ResetButton(), "ResetButton" }, { w.Canvas1(), "Canvas1" }, { w.Canvas2(), "Canvas2" } };
    ASSERT_EQ(window->Controls().size(), std::size(controls));
    for (std::size_t n = 0; const auto& [control, name] : controls) {
        EXPECT_EQ(window->Controls()[n++], control) << name;
        EXPECT_EQ(control->Name(), name);
    }
    fw::ActionEventStub(*window->NoBtutton());
    EXPECT_EQ(window->i, 9);
}

TEST_F(QuizWindow, GetterGivesTheOpenWindowElseANewOne)
{
    window->i = 5;
    EXPECT_EQ(MainWindow::Instance(), window);
    EXPECT_EQ(window->i, 5);
    window->Close();
    const auto fresh = MainWindow::Instance();
    EXPECT_NE(fresh, window);
    window = fresh;
    EXPECT_EQ(Get(), State {});
    EXPECT_TRUE(window->IsEventImplemented("Layout") && window->IsEventImplemented("CreateControls"));
    for (const char* event :
        { "Open", "Activate", "Deactivate", "Moved", "Resized", "Paint", "EnableMenuItems", "CancelClose", "Close" })
        EXPECT_FALSE(window->IsEventImplemented(event)) << event;
}

// The menu bar as the platform shows it, top to bottom, with the read-only
// text box focused (a trailing "off": disabled), and each item as the window's
// accessor finds it.
TEST_F(QuizWindow, ShowsTheSharedMenuBarItemByItem)
{
    const std::tuple<std::string, std::function<fw::MenuItemPtr(const MainWindow&)>, std::string> rows[] = {
        { "FileMenu", &MainWindow::FileMenu, "ファイル" },
        { "FileQuit", &MainWindow::FileQuit, "終了 Ctrl+Q" },
        { "EditMenu", &MainWindow::EditMenu, "編集" },
        { "EditUndo", &MainWindow::EditUndo, "元に戻す Ctrl+Z off" },
        { "UntitledMenu1", &MainWindow::UntitledMenu1, "-" },
        { "EditCut", &MainWindow::EditCut, "カット Ctrl+X off" },
        { "EditCopy", &MainWindow::EditCopy, "コピー Ctrl+C" },
        { "EditPaste", &MainWindow::EditPaste, "貼り付け Ctrl+V off" },
        { "EditClear", &MainWindow::EditClear, "削除 off" },
        { "UntitledMenu0", &MainWindow::UntitledMenu0, "-" },
        { "EditSelectAll", &MainWindow::EditSelectAll, "すべてを選択 Ctrl+A" },
    };
    ASSERT_EQ(window->MenuBar(), MenuBar1::Instance());
    fw::NativeWindow(*window)->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fw::NativeWindow(*window)));
    QWidget* box = fw::NativeWidget(*window->TextField1());
    box->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), box);

    std::vector<std::string> shown, expected;
    auto show = [&](QAction* action) {
        QString text = action->isSeparator() ? "-" : action->text();
        text += action->shortcut().isEmpty() ? "" : " " + action->shortcut().toString();
        shown.push_back(
            (text + (action->isEnabled() ? "" : " off") + (action->isVisible() ? "" : " hidden")).toStdString());
    };
    for (QAction* menu : window->Native()->menuBar->actions()) {
        show(menu);
        for (QAction* item : menu->menu()->actions())
            show(item);
    }
    for (const auto& [name, accessor, text] : rows) {
        expected.push_back(text);
        const auto item = accessor(*window);
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->Name(), name);
        EXPECT_EQ(item->Class().name, name == "FileQuit" ? "QuitMenuItem" : "MenuItem");
        EXPECT_TRUE(item->AutoEnabled() && item->Visible()) << name;
    }
    EXPECT_EQ(shown, expected);

    // The items act on the focused box: the changing ones, even when run
    // while disabled, leave the read-only box and the clipboard alone.
    QGuiApplication::clipboard()->setText("pasted");
    window->EditSelectAll()->Action();
    for (const auto& item : { window->EditUndo(), window->EditCut(), window->EditPaste(), window->EditClear() })
        item->Action();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "pasted");
    window->EditCopy()->Action();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "Veluntoへようこそ！\nOKボタンを押してください");
    window->MenuBar(nullptr);
    for (const auto& [name, accessor, text] : rows)
        EXPECT_THROW(accessor(*window), fw::NilObjectException) << name;
}

// A window object never constructed has no native side and no controls.
TEST(QuizBareWindow, LayoutAttachesTheMenuBarBeforeItsRecordAndStepsNeedTheTextBox)
{
    const auto bare = fw::RuntimeCheckCast<MainWindow>(fw::RuntimeNewObject(MainWindow::Lookup__()));
    fw::SetCallObserver([](std::string_view op) {
        if (op == "Window.MenuBar")
            throw fw::RuntimeException("injected");
    });
    EXPECT_THROW(bare->Layout(), fw::RuntimeException);
    fw::SetCallObserver({});
    EXPECT_EQ(bare->Title(), ""); // a menu-bar fault leaves the record unapplied
    bare->Layout();
    EXPECT_EQ(std::tuple(bare->Title(), bare->Width(), bare->Height()), std::tuple("Velunto", 730, 518));

    bare->i = 3;
    EXPECT_THROW(bare->OKButton_Action(nullptr), fw::NilObjectException);
    EXPECT_THROW(bare->ResetButton_Action(nullptr), fw::NilObjectException);
    EXPECT_THROW(bare->TextField1_Open(nullptr), fw::NilObjectException);
}

} // namespace
