#include "WidgetFixture.h"

#include "support/ClassChecks.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

namespace velunto::test {
namespace {

    // The common head of every control record, in the text field's order.
    fw::PropertyRecordWriter& Placed(
        fw::PropertyRecordWriter& w, const char* name, int left, int top, int width, int height, int tabIndex)
    {
        return w.String("Name", name)
            .Integer("Index", -2147483648LL)
            .Integer("Left", left)
            .Integer("Top", top)
            .Integer("Width", width)
            .Integer("Height", height)
            .Boolean("LockLeft", true)
            .Boolean("LockTop", true)
            .Boolean("LockRight", false)
            .Boolean("LockBottom", false)
            .Integer("TabIndex", tabIndex)
            .Integer("TabPanelIndex", 0)
            .Boolean("TabStop", true)
            .Boolean("AllowAutoDeactivate", true);
    }

    fw::PropertyRecordWriter& SystemFont(fw::PropertyRecordWriter& w)
    {
        return w.String("FontName", "System")
            .Single("FontSize", 0)
            .FontUnits("FontUnit", 0)
            .Boolean("Bold", false)
            .Boolean("Italic", false)
            .Boolean("Underline", false);
    }

    std::string TextFieldRecord()
    {
        fw::PropertyRecordWriter w;
        Placed(w, "TextField1", 33, 20, 645, 137, 0)
            .ColorValue("BackgroundColor", fw::Color::FromValue(0xFFFFFF))
            .Boolean("HasBorder", true)
            .Boolean("Enabled", true)
            .String("Format", "")
            .String("Tooltip", "")
            .Boolean("Password", false)
            .ColorValue("TextColor", fw::Color::FromValue(0))
            .Boolean("Transparent", true)
            .Boolean("AllowFocusRing", true)
            .Boolean("Visible", true);
        SystemFont(w)
            .String("Hint", "")
            .String("Text", "")
            .Boolean("AllowTabs", true)
            .Enumeration("TextAlignment", 1)
            .Boolean("AllowSpellChecking", false)
            .Integer("MaximumCharactersAllowed", -1)
            .String("ValidationMask", "")
            .Boolean("ReadOnly", true)
            .String("DataSource", "")
            .String("DataField", "");
        return std::move(w).Bytes();
    }

    std::string ButtonRecord(const char* name, const char* caption, int left, int tabIndex, bool shown)
    {
        fw::PropertyRecordWriter w;
        w.Boolean("AllowAutoDeactivate", true).Boolean("Transparent", true);
        Placed(w, name, left, 368, 68, 41, tabIndex)
            .String("InitialParent", "")
            .Boolean("Visible", shown)
            .String("Tooltip", "")
            .Boolean("Enabled", shown)
            .String("Caption", caption)
            .Enumeration("CaptionAlignment", 3)
            .Enumeration("CaptionPosition", 1)
            .Integer("CaptionDelta", 0)
            .Enumeration("IconAlignment", 0)
            .Integer("IconDeltaX", 0)
            .Integer("IconDeltaY", 0)
            .Enumeration("BevelStyle", 0)
            .Enumeration("MenuStyle", 0)
            .Boolean("HasBackgroundColor", false)
            .ColorValue("BackgroundColor", fw::Color {})
            .ColorValue("TextColor", fw::Color {})
            .Boolean("Value", false)
            .Enumeration("ButtonStyle", 0)
            .Boolean("AllowFocus", false);
        SystemFont(w);
        return std::move(w).Bytes();
    }

    std::string CanvasRecord(const char* name, int tabIndex)
    {
        fw::PropertyRecordWriter w;
        Placed(w, name, 261, 159, 206, 176, tabIndex)
            .Boolean("Enabled", true)
            .String("Tooltip", "")
            .Boolean("AllowFocusRing", true)
            .Boolean("Visible", true)
            .Boolean("AllowFocus", false)
            .Boolean("AllowTabs", false)
            .Boolean("Transparent", true)
            .Boolean("DoubleBuffer", false)
            .Boolean("Transparent", true)
            .String("InitialParent", "");
        return std::move(w).Bytes();
    }

    // A window whose CreateControls runs the test's set-up.
    std::shared_ptr<TestWindow> OpenWindow(std::function<void(TestWindow&)> createControls = {})
    {
        auto window = NewTestWindow();
        window->onLayout = [](TestWindow& w) {
            w.Width(730);
            w.Height(518);
        };
        window->onCreateControls = std::move(createControls);
        window->Constructor();
        return window;
    }

    template <class C> std::shared_ptr<C> FromRecord(fw::Window& window, const char* name, const std::string& record)
    {
        auto control = fw::RuntimeCheckCast<C>(window.New__(C::Lookup__()));
        control->Constructor();
        window.AddControl_(name, control);
        fw::SetProperties_(window.ControlByName_(name), record);
        return control;
    }

    QPlainTextEdit* Box(const fw::TextField& field) { return qobject_cast<QPlainTextEdit*>(fw::NativeWidget(field)); }

    TEST(ControlClasses, DeclareEachPropertyOnceAlongTheirChain)
    {
        const std::pair<const fw::ClassInfo*, std::size_t> classes[] = {
            { &fw::TextField::Lookup__(), 21 },
            { &fw::TextEdit::Lookup__(), 1 },
            { &fw::BevelButton::Lookup__(), 21 },
            { &fw::Canvas::Lookup__(), 4 },
            { &fw::RectControl::Lookup__(), 16 },
            { &fw::Control::Lookup__(), 3 },
        };
        for (const auto& [cls, own] : classes) {
            SCOPED_TRACE(cls->name);
            EXPECT_EQ(cls->properties.size(), own);
            EXPECT_TRUE(RepeatedPropertyNames(*cls).empty());
        }
        EXPECT_EQ(
            fw::BevelButton::Lookup__().FindProperty("captionalignment")->typeName, "BevelButton.CaptionAlignments");
        EXPECT_EQ(fw::TextField::Lookup__().FindProperty("TextAlignment")->typeName, "TextAlignments");
        EXPECT_EQ(fw::TextField::Lookup__().FindProperty("FontUnit")->type, fw::PropertyType::FontUnits);
    }

    using ControlPlacement = WidgetTest;

    TEST_F(ControlPlacement, RecordsTakeEffectOnTheWidgets)
    {
        const auto window = OpenWindow([](TestWindow& w) {
            FromRecord<fw::TextField>(w, "TextField1", TextFieldRecord());
            FromRecord<fw::BevelButton>(w, "OKButton", ButtonRecord("OKButton", "OK", 52, 2, true));
            FromRecord<fw::BevelButton>(w, "NoBtutton", ButtonRecord("NoBtutton", "NO", 132, 3, false));
            FromRecord<fw::Canvas>(w, "Canvas1", CanvasRecord("Canvas1", 1));
        });
        ASSERT_TRUE(QTest::qWaitForWindowExposed(fw::NativeWindow(*window)));

        const auto field = fw::RuntimeCheckCast<fw::TextField>(window->ControlByName_("TextField1"));
        QPlainTextEdit* box = Box(*field);
        EXPECT_EQ(box->parentWidget(), fw::ContentArea(*window));
        EXPECT_EQ(box->geometry(), QRect(33, 20, 645, 137));
        EXPECT_TRUE(box->isVisible());
        EXPECT_TRUE(box->isReadOnly());
        EXPECT_EQ(box->textInteractionFlags(), Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        EXPECT_NE(box->frameShape(), QFrame::NoFrame);
        EXPECT_EQ(box->palette().color(QPalette::Base), QColor(Qt::white));
        EXPECT_EQ(box->palette().color(QPalette::Text), QColor(Qt::black));
        EXPECT_EQ(box->font(), QApplication::font());
        EXPECT_EQ(box->document()->defaultTextOption().alignment(), Qt::AlignLeft);
        EXPECT_EQ(field->Index(), -2147483648LL);

        auto* ok = qobject_cast<QPushButton*>(
            fw::NativeWidget(*fw::RuntimeCheckCast<fw::BevelButton>(window->ControlByName_("OKButton"))));
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->geometry(), QRect(52, 368, 68, 41));
        EXPECT_EQ(ok->text(), "OK");
        EXPECT_TRUE(ok->isVisible() && ok->isEnabled());
        EXPECT_EQ(ok->focusPolicy(), Qt::NoFocus);

        QWidget* no = fw::NativeWidget(*fw::RuntimeCheckCast<fw::BevelButton>(window->ControlByName_("NoBtutton")));
        EXPECT_FALSE(no->isVisible());
        EXPECT_FALSE(no->isEnabled());

        const auto canvas = fw::RuntimeCheckCast<fw::Canvas>(window->ControlByName_("Canvas1"));
        EXPECT_TRUE(canvas->Transparent());
        EXPECT_FALSE(fw::NativeWidget(*canvas)->autoFillBackground());
        EXPECT_EQ(fw::NativeWidget(*canvas)->geometry(), QRect(261, 159, 206, 176));
    }

    TEST_F(ControlPlacement, SettersMoveTheWidgetAfterConstruction)
    {
        const auto window = OpenWindow();
        const auto button = AddControl<fw::BevelButton>(*window, "B", 10, 20, 60, 33);
        QWidget* widget = fw::NativeWidget(*button);
        EXPECT_EQ(widget->geometry(), QRect(10, 20, 60, 33));
        button->Left(100);
        button->Height(50);
        button->Caption("R&D");
        button->Enabled(false);
        button->Visible(false);
        EXPECT_EQ(widget->geometry(), QRect(100, 20, 60, 50));
        EXPECT_EQ(qobject_cast<QPushButton*>(widget)->text(), "R&&D");
        EXPECT_FALSE(widget->isEnabled());
        EXPECT_TRUE(widget->isHidden());
    }

    TEST_F(ControlPlacement, ResizingTheWindowMovesNothing)
    {
        const auto window = OpenWindow([](TestWindow& w) {
            FromRecord<fw::TextField>(w, "TextField1", TextFieldRecord());
            FromRecord<fw::Canvas>(w, "Canvas1", CanvasRecord("Canvas1", 1));
        });
        const QRect boxBefore
            = fw::NativeWidget(*fw::RuntimeCheckCast<fw::TextField>(window->ControlByName_("TextField1")))->geometry();
        for (const QSize size : { QSize(1200, 900), QSize(200, 150) }) {
            fw::NativeWindow(*window)->resize(size);
            QTRY_COMPARE(fw::ContentArea(*window)->width(), size.width());
            for (const auto& control : window->Controls()) {
                const auto& rect = dynamic_cast<const fw::RectControl&>(*control);
                EXPECT_EQ(fw::NativeWidget(rect)->geometry(),
                    QRect(int(rect.Left()), int(rect.Top()), int(rect.Width()), int(rect.Height())));
            }
        }
        EXPECT_EQ(boxBefore, QRect(33, 20, 645, 137));
        EXPECT_EQ(window->Width(), 200); // the user's size is the window's
    }

    TEST_F(ControlPlacement, TabOrderFollowsTabIndexNotCreationOrder)
    {
        const auto window = OpenWindow([](TestWindow& w) {
            // Buttons that take no focus and canvases keep their place in the chain too.
            AddControl<fw::TextField>(w, "Third")->TabIndex(7);
            AddControl<fw::BevelButton>(w, "First")->TabIndex(0);
            AddControl<fw::Canvas>(w, "Fourth")->TabIndex(9);
            AddControl<fw::TextField>(w, "Second")->TabIndex(2);
            fw::RuntimeCheckCast<fw::BevelButton>(w.ControlByName_("First"))->AllowFocus(false);
        });
        std::vector<QWidget*> ours;
        for (const char* name : { "First", "Second", "Third", "Fourth" })
            ours.push_back(fw::NativeWidget(*fw::RuntimeCheckCast<fw::RectControl>(window->ControlByName_(name))));
        std::vector<QWidget*> chain;
        QWidget* widget = ours.front();
        do {
            if (std::find(ours.begin(), ours.end(), widget) != ours.end())
                chain.push_back(widget);
            widget = widget->nextInFocusChain();
        } while (widget != ours.front());
        EXPECT_EQ(chain, ours);
        EXPECT_EQ(ours.front()->focusPolicy(), Qt::NoFocus);
    }

    using TextBox = WidgetTest;

    TEST_F(TextBox, TextKeepsItsBytesAndShowsACrAsALineBreak)
    {
        const auto window = OpenWindow();
        const auto field = AddControl<fw::TextField>(*window, "Field", 0, 0, 300, 100);
        const std::string bytes("one\rtwo\r\nthree\nf\0ur", 19);
        field->Text(bytes);
        EXPECT_EQ(field->Text(), bytes);
        QPlainTextEdit* box = Box(*field);
        EXPECT_EQ(box->document()->blockCount(), 4);
        EXPECT_EQ(box->document()->findBlockByNumber(1).text(), "two");
        EXPECT_EQ(box->document()->findBlockByNumber(2).text(), "three");

        field->Text("");
        EXPECT_EQ(box->toPlainText(), "");
    }

    TEST_F(TextBox, AReadOnlyBoxTakesNoTypingButCanBeCopied)
    {
        const auto window
            = OpenWindow([](TestWindow& w) { FromRecord<fw::TextField>(w, "TextField1", TextFieldRecord()); });
        const auto field = fw::RuntimeCheckCast<fw::TextField>(window->ControlByName_("TextField1"));
        field->Text("first\rsecond");
        QPlainTextEdit* box = Box(*field);
        box->setFocus();
        QTest::keyClicks(box, "typed");
        QTest::keyClick(box, Qt::Key_Backspace);
        EXPECT_EQ(field->Text(), "first\rsecond");
        EXPECT_EQ(box->toPlainText(), "first\nsecond");

        box->selectAll();
        box->copy();
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "first\nsecond");
    }

    TEST_F(TextBox, AnEditableBoxKeepsTextInStepWithTheUser)
    {
        const auto window = OpenWindow();
        const auto field = AddControl<fw::TextField>(*window, "Field", 0, 0, 300, 100);
        field->Text("ab");
        Box(*field)->moveCursor(QTextCursor::End);
        QTest::keyClick(Box(*field), Qt::Key_Return);
        QTest::keyClicks(Box(*field), "c");
        EXPECT_EQ(field->Text(), "ab\rc");
    }

    TEST_F(TextBox, LongTextWrapsAndScrolls)
    {
        const auto window = OpenWindow();
        const auto field = AddControl<fw::TextField>(*window, "Field", 0, 0, 200, 60);
        field->ReadOnly(true);
        std::string text;
        for (int i = 0; i < 40; ++i)
            text += "日本語のとても長い文章です";
        field->Text(text);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(fw::NativeWindow(*window)));
        QPlainTextEdit* box = Box(*field);
        EXPECT_EQ(box->document()->blockCount(), 1);
        QTRY_VERIFY(box->verticalScrollBar()->maximum() > 0);
        EXPECT_EQ(box->horizontalScrollBar()->maximum(), 0);
    }

    TEST_F(TextBox, AlignmentAndFontFollowTheirProperties)
    {
        const auto window = OpenWindow();
        const auto field = AddControl<fw::TextField>(*window, "Field");
        const std::pair<int, Qt::Alignment> alignments[]
            = { { 0, Qt::AlignLeft }, { 1, Qt::AlignLeft }, { 2, Qt::AlignHCenter }, { 3, Qt::AlignRight } };
        for (const auto& [code, alignment] : alignments) {
            field->TextAlignment(code);
            EXPECT_EQ(Box(*field)->document()->defaultTextOption().alignment(), alignment) << code;
        }
        field->Font({ .name = "Serif", .size = 18, .bold = true });
        const QFont font = Box(*field)->font();
        EXPECT_EQ(font.pointSizeF(), 18);
        EXPECT_TRUE(font.bold());
        EXPECT_TRUE(font.families().contains("Serif"));
        field->HasBorder(false);
        EXPECT_EQ(Box(*field)->frameShape(), QFrame::NoFrame);
    }

} // namespace
} // namespace velunto::test
