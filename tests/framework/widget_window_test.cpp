#include "WidgetFixture.h"

#include "support/ClassChecks.h"

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
    };

    // A window record with all 22 entries, in the order the program writes them.
    std::string WindowRecord(const WindowValues& v = {})
    {
        return fw::PropertyRecordWriter()
            .Integer("Width", 730)
            .Integer("Height", 518)
            .Integer("MinimumWidth", 64)
            .Integer("MinimumHeight", 64)
            .Integer("MaximumWidth", 32000)
            .Integer("MaximumHeight", 32000)
            .Enumeration("Type", 0)
            .String("Title", "Velunto")
            .Boolean("HasCloseButton", true)
            .Boolean("HasMaximizeButton", v.hasMaximizeButton)
            .Boolean("HasMinimizeButton", true)
            .Boolean("HasFullScreenButton", false)
            .Boolean("Resizeable", v.resizeable)
            .Boolean("Composite", false)
            .Integer("MacProcID", 0)
            .Boolean("FullScreen", false)
            .Enumeration("DefaultLocation", 0)
            .Boolean("Visible", v.visible)
            .Boolean("HasBackgroundColor", v.hasBackgroundColor)
            .ColorValue("BackgroundColor", fw::Color::FromValue(0x0024BE14))
            .Boolean("MenuBarVisible", true)
            .Boolean("LiveResize", true)
            .Bytes();
    }

    std::shared_ptr<fw::MenuBar> MakeMenuBar()
    {
        auto bar = fw::RuntimeCheckCast<fw::MenuBar>(fw::RuntimeNewObject(fw::MenuBar::Lookup__()));
        bar->Constructor();
        auto file = fw::RuntimeCheckCast<fw::MenuItem>(fw::RuntimeNewObject(fw::MenuItem::Lookup__()));
        file->Constructor();
        file->Name("FileMenu");
        file->Text("File");
        bar->AddMenu(file);
        return bar;
    }

    // Builds a window as the program does: menu bar first, then the record.
    std::shared_ptr<TestWindow> OpenWindow(const std::string& record, std::shared_ptr<fw::MenuBar> bar = nullptr)
    {
        auto window = NewTestWindow();
        window->onLayout = [&](TestWindow& w) {
            if (bar)
                w.MenuBar(bar);
            fw::SetProperties_(w.shared_from_this(), record);
        };
        window->Constructor();
        return window;
    }

    using WindowProperties = WidgetTest;

    TEST_F(WindowProperties, TheRecordTakesEffectOnTheQtWindow)
    {
        const auto window = OpenWindow(WindowRecord(), MakeMenuBar());
        QWidget* top = fw::NativeWindow(*window);
        QWidget* content = fw::ContentArea(*window);
        ASSERT_TRUE(top && content);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(top));

        EXPECT_EQ(content->size(), QSize(730, 518));
        EXPECT_EQ(window->Width(), 730);
        EXPECT_EQ(window->Height(), 518);
        EXPECT_EQ(window->MacProcId(), 0);
        EXPECT_TRUE(window->LiveResize()); // the record's last entry was reached
        EXPECT_EQ(top->windowTitle(), "Velunto");

        // The menu bar stands in the window, above the content area.
        auto* bar = top->findChild<QMenuBar*>();
        ASSERT_NE(bar, nullptr);
        EXPECT_TRUE(bar->isVisible());
        EXPECT_GE(content->geometry().top(), bar->geometry().bottom());
        EXPECT_EQ(top->height(), 518 + content->geometry().top());

        EXPECT_EQ(content->minimumSize(), QSize(64, 64));
        EXPECT_EQ(content->maximumSize(), QSize(32000, 32000));
        EXPECT_EQ(top->minimumHeight(), 64 + content->geometry().top());

        EXPECT_TRUE(content->autoFillBackground());
        EXPECT_EQ(content->palette().color(QPalette::Window), QColor(0x24, 0xBE, 0x14));
    }

    TEST_F(WindowProperties, TitleBarButtonsFollowTheFlags)
    {
        struct Row {
            bool hasMaximizeButton, resizeable, maximiseShown;
        };
        for (const Row row : { Row { false, true, false }, Row { true, true, true }, Row { true, false, false } }) {
            SCOPED_TRACE(
                testing::Message() << "maximise " << row.hasMaximizeButton << " resizeable " << row.resizeable);
            const auto window = OpenWindow(WindowRecord({ row.hasMaximizeButton, row.resizeable }));
            const Qt::WindowFlags flags = fw::NativeWindow(*window)->windowFlags();
            EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
            EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
            EXPECT_EQ(bool(flags & Qt::WindowMaximizeButtonHint), row.maximiseShown);
            window->Close();
        }
    }

    TEST_F(WindowProperties, ANonResizeableWindowHasAFixedSize)
    {
        const auto window = OpenWindow(WindowRecord({ .resizeable = false }));
        QWidget* top = fw::NativeWindow(*window);
        EXPECT_EQ(top->minimumSize(), top->maximumSize());
        EXPECT_EQ(fw::ContentArea(*window)->size(), QSize(730, 518));

        window->Resizeable(true);
        EXPECT_NE(top->minimumSize(), top->maximumSize());
        window->Width(400);
        EXPECT_EQ(fw::ContentArea(*window)->size(), QSize(400, 518));
    }

    TEST_F(WindowProperties, VisibilityAndBackgroundFollowTheirProperties)
    {
        const auto window = OpenWindow(WindowRecord({ .visible = false, .hasBackgroundColor = false }));
        QWidget* top = fw::NativeWindow(*window);
        EXPECT_FALSE(top->isVisible());
        EXPECT_FALSE(fw::ContentArea(*window)->autoFillBackground());

        window->Visible(true);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(top));
        window->HasBackgroundColor(true);
        EXPECT_TRUE(fw::ContentArea(*window)->autoFillBackground());
        window->Visible(false);
        EXPECT_FALSE(top->isVisible());
    }

    TEST_F(WindowProperties, HidingTheMenuBarKeepsTheContentSize)
    {
        const auto window = OpenWindow(WindowRecord(), MakeMenuBar());
        auto* bar = fw::NativeWindow(*window)->findChild<QMenuBar*>();
        window->MenuBarVisible(false);
        EXPECT_FALSE(bar->isVisible());
        EXPECT_EQ(fw::ContentArea(*window)->size(), QSize(730, 518));
        EXPECT_EQ(fw::NativeWindow(*window)->height(), 518);
    }

    TEST(WindowClass, DeclaresTheRecordPropertiesOnce)
    {
        EXPECT_EQ(fw::Window::Lookup__().properties.size(), 22u);
        EXPECT_TRUE(RepeatedPropertyNames(fw::Window::Lookup__()).empty());
        const fw::PropertyInfo* procId = fw::Window::Lookup__().FindProperty("MacProcID");
        ASSERT_NE(procId, nullptr);
        EXPECT_EQ(procId->name, "MacProcId");
        EXPECT_EQ(fw::Window::Lookup__().FindProperty("DefaultLocation")->typeName, "Window.Locations");
    }

    using WindowLifetime = WidgetTest;

    TEST_F(WindowLifetime, ASetUpEventsExceptionReachesTheCallerAndTheWindowIsNotHeld)
    {
        auto window = NewTestWindow();
        window->onCreateControls = [](TestWindow&) { throw fw::NilObjectException("from CreateControls"); };
        EXPECT_THROW(window->Constructor(), fw::NilObjectException);
        EXPECT_EQ(fw::GetImplicitWindow_("TestWindow"), nullptr);
        EXPECT_FALSE(fw::NativeWindow(*window)->isVisible());
    }

    // Closing by the program and by the user both end the framework's hold,
    // and the window dies once nobody else holds it.
    TEST_F(WindowLifetime, ClosingEndsTheHold)
    {
        const std::function<void(fw::Window&)> closers[] = {
            [](fw::Window& w) { w.Close(); },
            [](fw::Window& w) { fw::NativeWindow(w)->close(); },
        };
        for (const auto& close : closers) {
            std::weak_ptr<fw::Window> weak;
            {
                auto window = OpenWindow(WindowRecord());
                weak = window;
                EXPECT_EQ(fw::GetImplicitWindow_("TestWindow"), window);
                close(*window);
                EXPECT_EQ(fw::GetImplicitWindow_("TestWindow"), nullptr);
                EXPECT_FALSE(fw::NativeWindow(*window)->isVisible());
            }
            EXPECT_TRUE(weak.expired());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    TEST_F(WindowLifetime, TheFrameworkHoldsAnOpenWindowAlone)
    {
        std::weak_ptr<fw::Window> weak = OpenWindow(WindowRecord());
        const auto held = fw::GetImplicitWindow_("TestWindow");
        EXPECT_EQ(held, weak.lock());
        EXPECT_EQ(fw::GetImplicitWindow_("NoSuchWindow"), nullptr);
    }

    // UI operations refuse to run on any thread but the main one.
    TEST_F(WindowLifetime, OperationsOffTheMainThreadRaise)
    {
        const auto window = OpenWindow(WindowRecord());
        const auto field = AddControl<fw::TextField>(*window, "Field");
        const auto bar = MakeMenuBar();
        const auto pending = fw::RuntimeCheckCast<fw::Canvas>(window->New__(fw::Canvas::Lookup__()));
        const std::pair<const char*, std::function<void()>> operations[] = {
            { "Constructor", [&] { NewTestWindow()->Constructor(); } },
            { "Title", [&] { window->Title("x"); } },
            { "Width", [&] { window->Width(10); } },
            { "MenuBar", [&] { window->MenuBar(bar); } },
            { "New__", [&] { window->New__(fw::Canvas::Lookup__()); } },
            { "AddControl_", [&] { window->AddControl_("Other", field); } },
            { "ControlByName_", [&] { window->ControlByName_("Field"); } },
            { "Close", [&] { window->Close(); } },
            { "GetImplicitWindow_", [] { fw::GetImplicitWindow_("TestWindow"); } },
            { "RectControl.Constructor", [&] { pending->Constructor(); } },
            { "TextField.Text", [&] { field->Text("x"); } },
            { "RectControl.Left", [&] { field->Left(5); } },
        };
        for (const auto& [name, operation] : operations) {
            SCOPED_TRACE(name);
            bool raised = false;
            std::thread([&] {
                try {
                    operation();
                } catch (const fw::ThreadAccessingUIException&) {
                    raised = true;
                } catch (...) {
                }
            }).join();
            EXPECT_TRUE(raised);
        }
        EXPECT_EQ(fw::GetImplicitWindow_("TestWindow"), window);
        EXPECT_EQ(field->Text(), "");
        EXPECT_EQ(fw::NativeWidget(*field)->x(), 0);
        EXPECT_EQ(fw::NativeWidget(*pending), nullptr);
    }

} // namespace
} // namespace velunto::test
