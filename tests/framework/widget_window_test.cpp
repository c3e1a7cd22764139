#include "WidgetFixture.h"

#include <QMenuBar>
#include <QTest>

#include <thread>

namespace velunto::test {
namespace {

    struct WindowValues {
        bool hasMaximizeButton = false;
        bool resizeable = true;
        bool visible = true;
        bool hasBackgroundColor = true;
        std::int64_t height = 518;
    };

    std::string WindowRecord(const WindowValues& v = {})
    {
        fw::PropertyRecordWriter w;
        w.Integer("Width", 730).Integer("Height", v.height).Integer("MinimumWidth", 64).Integer("MinimumHeight", 64);
        w.Integer("MaximumWidth", 32000).Integer("MaximumHeight", 32000).String("Title", "Velunto");
        w.Boolean("HasCloseButton", true).Boolean("HasMaximizeButton", v.hasMaximizeButton);
        w.Boolean("HasMinimizeButton", true).Boolean("Resizeable", v.resizeable).Boolean("Visible", v.visible);
        w.Boolean("HasBackgroundColor", v.hasBackgroundColor)
            .ColorValue("BackgroundColor", fw::Color::FromValue(0x24BE14));
        return std::move(w).Bytes();
    }

    std::shared_ptr<fw::MenuBar> MakeMenuBar()
    {
        auto bar = fw::RuntimeCheckCast<fw::MenuBar>(fw::RuntimeNewObject(fw::MenuBar::Lookup__()));
        bar->Constructor();
        auto file = fw::RuntimeCheckCast<fw::MenuItem>(fw::RuntimeNewObject(fw::MenuItem::Lookup__()));
        file->Constructor();
        file->Text("File");
        bar->AddMenu(file);
        return bar;
    }

    // Builds a window as the program does: menu bar first, then the record.
    std::shared_ptr<TestWindow> OpenWithRecord(const std::string& record, std::shared_ptr<fw::MenuBar> bar = nullptr)
    {
        return OpenWindow({}, [&](TestWindow& w) {
            if (bar)
                w.MenuBar(bar);
            fw::SetProperties_(w.shared_from_this(), record);
        });
    }

    using WindowProperties = WidgetTest;

    TEST_F(WindowProperties, TheRecordTakesEffectOnTheQtWindow)
    {
        const auto window = OpenWithRecord(WindowRecord(), MakeMenuBar());
        QWidget* top = fw::NativeWindow(*window);
        QWidget* content = fw::ContentArea(*window);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(top));
        EXPECT_EQ(content->size(), QSize(730, 518));
        EXPECT_EQ(content->palette().color(QPalette::Window), QColor(0x24, 0xBE, 0x14));

        // The menu bar stands in the window, above the content area; hidden, it leaves the content as it was.
        auto* bar = top->findChild<QMenuBar*>();
        ASSERT_NE(bar, nullptr);
        EXPECT_TRUE(bar->isVisible());
        EXPECT_GE(content->geometry().top(), bar->geometry().bottom());
        EXPECT_EQ(top->height(), 518 + content->geometry().top());
        EXPECT_EQ(top->minimumHeight(), 64 + content->geometry().top());
        window->MenuBarVisible(false);
        EXPECT_FALSE(bar->isVisible());
        EXPECT_EQ(content->size(), QSize(730, 518));
        EXPECT_EQ(top->height(), 518);
    }

    TEST_F(WindowProperties, TitleBarButtonsFollowTheFlags)
    {
        for (const auto& [hasMaximizeButton, resizeable, maximiseShown] :
            { std::tuple { false, true, false }, { true, true, true }, { true, false, false } }) {
            const auto window = OpenWithRecord(WindowRecord({ hasMaximizeButton, resizeable }));
            const Qt::WindowFlags flags = fw::NativeWindow(*window)->windowFlags();
            const auto buttons
                = Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
            EXPECT_EQ(flags & buttons, maximiseShown ? buttons : buttons & ~Qt::WindowMaximizeButtonHint)
                << "maximise " << hasMaximizeButton << " resizeable " << resizeable;
            window->Close();
        }
    }

    TEST_F(WindowProperties, FixedHiddenAndPlainFromTheRecordThenChangedBySetters)
    {
        const auto window = OpenWithRecord(
            WindowRecord({ .resizeable = false, .visible = false, .hasBackgroundColor = false, .height = INT64_MAX }));
        QWidget* top = fw::NativeWindow(*window);
        EXPECT_EQ(top->minimumSize(), top->maximumSize());
        // Qt takes no more than the window's range; the hidden window keeps the number.
        EXPECT_TRUE(fw::ContentArea(*window)->height() == 32000 && window->Height() == INT64_MAX);
        EXPECT_FALSE(top->isVisible());
        EXPECT_FALSE(fw::ContentArea(*window)->autoFillBackground());
        window->Resizeable(true);
        window->Visible(true);
        window->HasBackgroundColor(true);
        window->Width(400);
        EXPECT_NE(top->minimumSize(), top->maximumSize());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(top));
        EXPECT_TRUE(fw::ContentArea(*window)->autoFillBackground());
        EXPECT_EQ(fw::ContentArea(*window)->size(), QSize(400, 32000));
    }

    using WindowLifetime = WidgetTest;

    TEST_F(WindowLifetime, ASetUpEventsExceptionReachesTheCallerAndTheWindowIsNotHeld)
    {
        std::weak_ptr<fw::Object> weak;
        EXPECT_THROW(OpenWindow([&](TestWindow& w) {
            weak = w.shared_from_this();
            throw fw::NilObjectException("from CreateControls");
        }),
            fw::NilObjectException);
        EXPECT_EQ(fw::GetImplicitWindow_("TestWindow"), nullptr);
        EXPECT_TRUE(weak.expired());
    }

    // The framework alone holds an open window; closing it, by the program or
    // by the user, ends the hold and the window dies.
    TEST_F(WindowLifetime, ClosingEndsTheHold)
    {
        const std::function<void(fw::Window&)> closers[] = {
            [](fw::Window& w) { w.Close(); },
            [](fw::Window& w) { fw::NativeWindow(w)->close(); },
        };
        for (const auto& close : closers) {
            std::weak_ptr<fw::Window> weak = OpenWithRecord(WindowRecord());
            ASSERT_EQ(fw::GetImplicitWindow_("TestWindow"), weak.lock());
            close(*weak.lock());
            EXPECT_EQ(fw::GetImplicitWindow_("TestWindow"), nullptr);
            EXPECT_TRUE(weak.expired());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    // UI operations refuse to run on any thread but the main one, and change nothing.
    TEST_F(WindowLifetime, OperationsOffTheMainThreadRaise)
    {
        const auto window = OpenWithRecord(WindowRecord());
        const auto field = AddControl<fw::TextField>(*window, "Field");
        const auto pending = fw::RuntimeCheckCast<fw::Canvas>(window->New__(fw::Canvas::Lookup__()));
        const auto bar = MakeMenuBar();
        const auto quit = fw::RuntimeCheckCast<fw::QuitMenuItem>(fw::RuntimeNewObject(fw::QuitMenuItem::Lookup__()));
        const std::function<void()> operations[] = {
            [&] { OpenWindow(); },
            [&] { window->Title("x"); },
            [&] { window->MenuBar(bar); },
            [&] { window->AddControl_("Other", field); },
            [&] { window->Close(); },
            [&] { fw::GetImplicitWindow_("TestWindow"); },
            [&] { pending->Constructor(); },
            [&] { field->Text("x"); },
            [&] { field->Left(5); },
            [&] { bar->Constructor(); },
            [&] { bar->Shortcut("Cmd+Q"); },
            [&] { bar->AddMenu(quit); },
            [&] { bar->Lookup_("FileQuit"); },
            [&] { quit->Action(); },
        };
        for (std::size_t i = 0; i < std::size(operations); ++i) {
            std::string raised;
            std::thread([&] {
                try {
                    operations[i]();
                } catch (const fw::RuntimeException& error) {
                    raised = error.ClassName();
                }
            }).join();
            EXPECT_EQ(raised, "ThreadAccessingUIException") << "operation " << i;
        }
        EXPECT_TRUE(fw::GetImplicitWindow_("TestWindow") == window && fw::NativeWidget(*pending) == nullptr);
        EXPECT_TRUE(field->Text().empty() && fw::NativeWidget(*field)->x() == 0);
        EXPECT_TRUE(bar->Children().size() == 1 && bar->Shortcut().empty());
    }

} // namespace
} // namespace velunto::test
