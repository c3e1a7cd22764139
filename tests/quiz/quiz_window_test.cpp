#include "quiz_fixture.h"

#include "app/MenuBar1.h"

#include <QDir>
#include <QImage>
#include <QMenu>
#include <QMenuBar>

namespace {

using QuizWindow = QuizWindowTest;

const QColor kGreen(36, 190, 20);

// Also saves a screenshot to the build folder for a person to look at.
TEST_F(QuizWindow, IsSetUpFromItsRecord)
{
    QWidget* top = fw::NativeWindow(*window);
    QWidget* content = fw::ContentArea(*window);
    EXPECT_EQ(content->size(), QSize(730, 518));
    EXPECT_EQ(top->windowTitle(), QString("Velunto"));
    const auto buttons = Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    EXPECT_EQ(top->windowFlags() & buttons, Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    EXPECT_EQ(content->minimumSize(), QSize(64, 64));
    EXPECT_EQ(content->maximumSize(), QSize(32000, 32000));
    EXPECT_EQ(content->grab().toImage().pixelColor(5, 5), kGreen);

    const QString folder = qEnvironmentVariable("VELUNTO_ARTIFACTS", QDir::tempPath());
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(top->grab().save(folder + "/quiz_window.png"));
}

// Listed by TabIndex, which is also the focus chain's order.
TEST_F(QuizWindow, ControlsStandWhereTheirRecordsPutThemInTabOrder)
{
    const std::tuple<std::string, QRect, bool> controls[]
        = { { "TextField1", { 33, 20, 645, 137 }, true }, { "Canvas1", { 261, 159, 206, 176 }, true },
              { "OKButton", { 52, 368, 68, 41 }, true }, { "NoBtutton", { 132, 368, 68, 41 }, false },
              { "AButton", { 52, 421, 60, 33 }, true }, { "BButton", { 124, 421, 60, 33 }, true },
              { "CButton", { 196, 421, 60, 33 }, true }, { "DButton", { 261, 421, 60, 33 }, true },
              { "ResetButton", { 212, 368, 68, 41 }, true }, { "Canvas2", { 552, 368, 105, 105 }, true } };
    const QImage screen = fw::ContentArea(*window)->grab().toImage();
    QWidget* chain = Native("TextField1");
    for (const auto& [name, place, shown] : controls) {
        SCOPED_TRACE(name);
        QWidget* widget = Native(name);
        ASSERT_NE(widget, nullptr);
        while (chain->parentWidget() != widget->parentWidget())
            chain = chain->nextInFocusChain();
        EXPECT_EQ(chain, widget);
        chain = chain->nextInFocusChain();
        EXPECT_EQ(widget->geometry(), place);
        EXPECT_EQ(widget->isVisible(), shown);
        EXPECT_EQ(widget->isEnabled(), shown);
        // Nothing draws on a canvas: the window's green shows throughout.
        for (int y = place.top(); name.starts_with("Canvas") && y <= place.bottom(); y += 5)
            for (int x = place.left(); x <= place.right(); x += 5)
                ASSERT_EQ(screen.pixelColor(x, y), kGreen) << x << "," << y;
    }
    // D is created sixth, before C, yet each button reaches the handler of its own name.
    for (const auto& [letter, code] : { std::pair { "D", 3 }, { "C", 2 }, { "B", 1 }, { "A", 0 } }) {
        Click(std::string(letter) + "Button");
        EXPECT_EQ(window->abcd, code) << letter;
    }
}

// The menu bar as the platform shows it: captions, separators and shortcuts in order.
TEST_F(QuizWindow, SharesOneMenuBarShownInTheTablesOrder)
{
    EXPECT_EQ(window->MenuBar(), velunto::MenuBar1::Instance());
    QStringList shown;
    for (QAction* menu : window->Native()->menuBar->actions()) {
        shown << menu->text() + ":";
        for (QAction* item : menu->menu()->actions())
            shown << (item->isSeparator() ? "---"
                                          : item->text() + " " + item->shortcut().toString(QKeySequence::NativeText));
    }
    EXPECT_EQ(shown.join("|").toStdString(),
        "ファイル:|終了 Ctrl+Q|編集:|元に戻す Ctrl+Z|---|カット Ctrl+X|コピー Ctrl+C|貼り付け Ctrl+V|削除 "
        "|---|すべてを選択 Ctrl+A");
}

// A build that fails part-way must leave the holder empty; the next call builds
// a whole bar, and the call after it nothing.
TEST(QuizMenuBar, FailedBuildLeavesNothingHeld)
{
    const auto held = std::exchange(velunto::MenuBar1::implicitInstance_, nullptr);
    int addMenus = 0;
    int items = 0;
    fw::SetCallObserver([&](std::string_view op) {
        items += op == "MenuItem.Constructor";
        if (op == "MenuItem.AddMenu" && ++addMenus == 4)
            throw fw::RuntimeException("injected fault");
    });
    EXPECT_THROW(velunto::MenuBar1::Instance(), fw::RuntimeException);
    EXPECT_EQ(velunto::MenuBar1::implicitInstance_, nullptr);
    items = 0;
    const auto bar = velunto::MenuBar1::Instance();
    EXPECT_EQ(velunto::MenuBar1::Instance(), bar);
    EXPECT_EQ(items, 11);
    fw::SetCallObserver({});
    velunto::MenuBar1::implicitInstance_ = held;
}

} // namespace
