#include "WidgetFixture.h"

#include "support/ClassChecks.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

namespace velunto::test {
namespace {

    QPlainTextEdit* Box(const fw::TextField& field) { return qobject_cast<QPlainTextEdit*>(fw::NativeWidget(field)); }

    // The head of every control record.
    fw::PropertyRecordWriter Placed(
        const char* name, std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height, int tabIndex)
    {
        fw::PropertyRecordWriter w;
        w.String("Name", name).Integer("Index", -2147483648LL).Integer("Left", left).Integer("Top", top);
        w.Integer("Width", width).Integer("Height", height).Integer("TabIndex", tabIndex);
        return w;
    }

    template <class C> void FromRecord(fw::Window& window, const char* name, const std::string& record)
    {
        fw::SetProperties_(AddControl<C>(window, name), record);
    }

    TEST(FrameworkClasses, DeclareEachPropertyOnceAlongTheirChain)
    {
        for (const fw::ClassInfo* cls : { &fw::TextField::Lookup__(), &fw::TextEdit::Lookup__(),
                 &fw::BevelButton::Lookup__(), &fw::Canvas::Lookup__(), &fw::Window::Lookup__() })
            EXPECT_EQ(RepeatedPropertyNames(*cls), std::vector<std::string> {}) << cls->name;
    }

    using Controls = WidgetTest;

    TEST_F(Controls, RecordsTakeEffectOnTheWidgets)
    {
        const auto window = OpenWindow([](TestWindow& w) {
            FromRecord<fw::TextField>(w, "TextField1",
                Placed("TextField1", INT64_MIN, INT64_MIN, INT64_MIN, INT64_MIN, 0)
                    .ColorValue("BackgroundColor", fw::Color::FromValue(0xFFFFF0))
                    .ColorValue("TextColor", fw::Color::FromValue(0x24BE14))
                    .String("FontName", "System")
                    .Single("FontSize", 0)
                    .Enumeration("TextAlignment", 1)
                    .Boolean("ReadOnly", true)
                    .Bytes());
            FromRecord<fw::BevelButton>(w, "OKButton",
                Placed("OKButton", 52, 368, 68, 41, 2).String("Caption", "R&D").Boolean("AllowFocus", false).Bytes());
            FromRecord<fw::BevelButton>(w, "NoButton",
                Placed("NoButton", 132, 368, 68, 41, 3).Boolean("Visible", false).Boolean("Enabled", false).Bytes());
            FromRecord<fw::Canvas>(w, "Canvas1",
                Placed("Canvas1", INT64_MAX, INT64_MAX, INT64_MAX, INT64_MAX, 1).Boolean("Transparent", true).Bytes());
        });
        ASSERT_TRUE(QTest::qWaitForWindowExposed(fw::NativeWindow(*window)));

        QPlainTextEdit* box = Box(*Control<fw::TextField>(*window, "TextField1"));
        EXPECT_EQ(box->parentWidget(), fw::ContentArea(*window));
        // Places reach Qt within the largest window, sides within what paints quickly; the control keeps the numbers.
        EXPECT_EQ(box->geometry(), QRect(-32000, -32000, 0, 0));
        EXPECT_EQ(box->textInteractionFlags(), Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        EXPECT_EQ(box->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xF0));
        EXPECT_EQ(box->palette().color(QPalette::Text), QColor(0x24, 0xBE, 0x14));
        EXPECT_EQ(box->font(), QApplication::font());
        EXPECT_EQ(box->document()->defaultTextOption().alignment(), Qt::AlignLeft);

        auto* ok = qobject_cast<QPushButton*>(fw::NativeWidget(*Control<fw::BevelButton>(*window, "OKButton")));
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), "R&&D"); // a caption shows no mnemonic
        EXPECT_TRUE(ok->isVisible() && ok->isEnabled());
        EXPECT_EQ(ok->focusPolicy(), Qt::NoFocus);
        QWidget* no = fw::NativeWidget(*Control<fw::BevelButton>(*window, "NoButton"));
        EXPECT_FALSE(no->isVisible() || no->isEnabled());
        QWidget* canvas = fw::NativeWidget(*Control<fw::Canvas>(*window, "Canvas1"));
        EXPECT_FALSE(canvas->autoFillBackground());
        EXPECT_EQ(canvas->geometry(), QRect(32000, 32000, 8192, 8192));
        EXPECT_EQ(Control<fw::Canvas>(*window, "Canvas1")->Width(), INT64_MAX);
    }

    TEST_F(Controls, WhatARecordSetBeforeAFaultReachesTheWidgets)
    {
        const auto window = OpenWindow([](TestWindow& w) { AddControl<fw::BevelButton>(w, "OK"); });
        const auto ok = Control<fw::BevelButton>(*window, "OK");
        EXPECT_THROW(
            fw::SetProperties_(ok, Placed("OK", 5, 6, 70, 30, 1).String("Caption", "OK").Boolean("Nope", true).Bytes()),
            fw::PropertyRecordException);
        auto* button = qobject_cast<QPushButton*>(fw::NativeWidget(*ok));
        EXPECT_EQ(button->geometry(), QRect(5, 6, 70, 30));
        EXPECT_EQ(button->text(), "OK");
        ok->Left(9); // outside a record a setter takes effect at once
        EXPECT_EQ(button->x(), 9);

        EXPECT_THROW(
            fw::SetProperties_(window, fw::PropertyRecordWriter().Integer("Width", 420).Boolean("Nope", true).Bytes()),
            fw::PropertyRecordException);
        QTRY_COMPARE(fw::ContentArea(*window)->width(), 420);
    }

    TEST_F(Controls, ResizingTheWindowMovesNothing)
    {
        const auto window = OpenWindow([](TestWindow& w) {
            AddControl<fw::TextField>(w, "Field", 33, 20, 300);
            AddControl<fw::Canvas>(w, "Canvas", 261, 159, 200);
        });
        for (const QSize size : { QSize(1200, 900), QSize(200, 150) }) {
            fw::NativeWindow(*window)->resize(size);
            QTRY_COMPARE(fw::ContentArea(*window)->width(), size.width());
            EXPECT_EQ(fw::NativeWidget(*Control<fw::TextField>(*window, "Field"))->geometry(), QRect(33, 20, 300, 100));
            EXPECT_EQ(fw::NativeWidget(*Control<fw::Canvas>(*window, "Canvas"))->geometry(), QRect(261, 159, 200, 66));
        }
        EXPECT_EQ(window->Width(), 200); // the user's size is the window's
    }

    TEST_F(Controls, TabOrderFollowsTabIndexNotCreationOrder)
    {
        const auto window = OpenWindow([](TestWindow& w) {
            // Buttons that take no focus and canvases keep their place in the chain too.
            AddControl<fw::TextField>(w, "Third")->TabIndex(7);
            AddControl<fw::BevelButton>(w, "First")->TabIndex(0);
            AddControl<fw::Canvas>(w, "Fourth")->TabIndex(9);
            AddControl<fw::TextField>(w, "Second")->TabIndex(2);
            Control<fw::BevelButton>(w, "First")->AllowFocus(false);
        });
        std::vector<QWidget*> ours;
        for (const char* name : { "First", "Second", "Third", "Fourth" })
            ours.push_back(fw::NativeWidget(*Control<fw::RectControl>(*window, name)));
        std::vector<QWidget*> chain;
        QWidget* widget = ours.front();
        do {
            if (std::find(ours.begin(), ours.end(), widget) != ours.end())
                chain.push_back(widget);
            widget = widget->nextInFocusChain();
        } while (widget != ours.front());
        EXPECT_EQ(chain, ours);
    }

    TEST_F(Controls, TextBoxKeepsItsBytesAndTakesTypingOnlyWhenEditable)
    {
        const auto window = OpenWindow();
        const auto field = AddControl<fw::TextField>(*window, "Field", 0, 0, 300);
        QPlainTextEdit* box = Box(*field);
        const std::string bytes("one\rtwo\r\nthree\nf\0ur", 19);
        field->Text(bytes);
        EXPECT_EQ(field->Text(), bytes);
        EXPECT_EQ(box->document()->blockCount(), 4); // a CR shows as a line break
        EXPECT_EQ(box->document()->findBlockByNumber(1).text(), "two");
        EXPECT_EQ(box->document()->findBlockByNumber(2).text(), "three");

        field->Text("ab");
        field->ReadOnly(true);
        box->moveCursor(QTextCursor::End);
        QTest::keyClicks(box, "typed");
        QTest::keyClick(box, Qt::Key_Backspace);
        EXPECT_EQ(field->Text(), "ab");
        field->ReadOnly(false);
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClicks(box, "c");
        EXPECT_EQ(field->Text(), "ab\rc");
    }

    TEST_F(Controls, LongTextWrapsAndScrolls)
    {
        const auto window = OpenWindow();
        const auto field = AddControl<fw::TextField>(*window, "Field", 0, 0, 200);
        std::string text;
        for (int i = 0; i < 40; ++i)
            text += "日本語のとても長い文章です";
        field->Text(text);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(fw::NativeWindow(*window)));
        EXPECT_EQ(Box(*field)->document()->blockCount(), 1);
        QTRY_VERIFY(Box(*field)->verticalScrollBar()->maximum() > 0);
        EXPECT_EQ(Box(*field)->horizontalScrollBar()->maximum(), 0);
    }

    TEST_F(Controls, TextBoxAlignmentFontAndBorderFollowTheirProperties)
    {
        const auto window = OpenWindow();
        const auto field = AddControl<fw::TextField>(*window, "Field");
        const std::pair<int, Qt::Alignment> alignments[]
            = { { 0, Qt::AlignLeft }, { 2, Qt::AlignHCenter }, { 3, Qt::AlignRight } };
        for (const auto& [code, alignment] : alignments) {
            field->TextAlignment(code);
            EXPECT_EQ(Box(*field)->document()->defaultTextOption().alignment(), alignment) << code;
        }
        // A size that is not a positive number is the default; others are bounded. Units: pixels, points, inches, mm.
        const qreal standard = QApplication::font().pointSizeF();
        const std::tuple<float, std::uint8_t, qreal, int> fonts[]
            = { { 18, 2, 18, -1 }, { NAN, 1, standard, -1 }, { INFINITY, 1, standard, -1 }, { -3, 0, standard, -1 },
                  { 3e9f, 1, -1, 8192 }, { 1e30f, 3, 6144, -1 }, { 0.01f, 4, 1, -1 } };
        for (const auto& [size, unit, points, pixels] : fonts) {
            field->Font({ .name = "Serif", .size = size, .unit = unit, .bold = true });
            const QFont font = Box(*field)->font();
            EXPECT_EQ(std::tuple(font.pointSizeF(), font.pixelSize()), std::tuple(points, pixels)) << size;
        }
        EXPECT_TRUE(Box(*field)->font().bold() && Box(*field)->font().families().contains("Serif"));
        field->HasBorder(false);
        EXPECT_EQ(Box(*field)->frameShape(), QFrame::NoFrame);
    }

} // namespace
} // namespace velunto::test
