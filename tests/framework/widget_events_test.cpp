#include "WidgetFixture.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace velunto::test {
namespace {

    QPushButton* Button(const fw::BevelButton& button) { return qobject_cast<QPushButton*>(fw::NativeWidget(button)); }

    void Click(const fw::BevelButton& button) { QTest::mouseClick(Button(button), Qt::LeftButton); }

    // A handler target apart from the window, so that it can die first.
    class Receiver : public fw::Object {
    public:
        inline static int calls = 0;
        void Action(const std::shared_ptr<fw::BevelButton>&) { ++calls; }
    };

    using EventRoad = WidgetTest;

    // The handler follows the control, not the order of creation.
    TEST_F(EventRoad, AClickReachesTheBoundMethodWithTheButton)
    {
        std::shared_ptr<fw::BevelButton> d, c;
        const auto window = NewTestWindow();
        window->onCreateControls = [&](TestWindow& w) {
            d = AddControl<fw::BevelButton>(w, "DButton", 261, 421, 60, 33);
            c = AddControl<fw::BevelButton>(w, "CButton", 196, 421, 60, 33);
            Wire(window, d);
            Wire(window, c);
        };
        std::vector<fw::Control*> received;
        window->onEvent = [&](fw::Control& control) { received.push_back(&control); };
        window->Constructor();

        Click(*c);
        Click(*d);
        Click(*c);
        EXPECT_EQ(window->handled, (std::vector<std::string> { "CButton", "DButton", "CButton" }));
        EXPECT_EQ(received, (std::vector<fw::Control*> { c.get(), d.get(), c.get() }));
    }

    TEST_F(EventRoad, ADisabledButtonCannotBeClicked)
    {
        const auto window = NewTestWindow();
        window->Constructor();
        const auto button = AddControl<fw::BevelButton>(*window, "NoBtutton");
        Wire(window, button);
        button->Enabled(false);
        Click(*button);
        EXPECT_TRUE(window->handled.empty());
        button->Enabled(true);
        Click(*button);
        EXPECT_EQ(window->handled, std::vector<std::string> { "NoBtutton" });
    }

    TEST_F(EventRoad, OpenIsRaisedOnceTheWindowIsShownAndBuilt)
    {
        const auto window = NewTestWindow();
        window->onCreateControls = [&](TestWindow& w) {
            const auto field = AddControl<fw::TextField>(w, "TextField1");
            fw::RuntimeAddEventHandler(field, fw::kOpenEvent, &fw::OpenEventStub,
                fw::RuntimeCreateDelegate(
                    fw::Invoker<fw::TextField> {}, &TestWindow::Open, window, "( TextField )", 1));
            AddControl<fw::Canvas>(w, "Canvas1");
        };
        bool shownAtOpen = false;
        window->onEvent = [&](fw::Control& control) {
            shownAtOpen = fw::NativeWindow(*window)->isVisible() && window->Controls().size() == 2;
            dynamic_cast<fw::TextField&>(control).Text("welcome");
        };
        window->Constructor();
        EXPECT_EQ(window->handled, std::vector<std::string> { "TextField1" });
        EXPECT_TRUE(shownAtOpen);
        EXPECT_EQ(fw::RuntimeCheckCast<fw::TextField>(window->ControlByName_("TextField1"))->Text(), "welcome");
    }

    TEST_F(EventRoad, ALaterHandlerReplacesTheEarlierOne)
    {
        const auto window = NewTestWindow();
        window->Constructor();
        const auto button = AddControl<fw::BevelButton>(*window, "OKButton");
        const auto receiver = std::make_shared<Receiver>();
        Receiver::calls = 0;
        Wire(window, button);
        fw::RuntimeAddEventHandler(button, fw::kActionEvent, &fw::ActionEventStub,
            fw::RuntimeCreateDelegate(
                fw::Invoker<fw::BevelButton> {}, &Receiver::Action, receiver, "( BevelButton )", 1));
        Click(*button);
        EXPECT_EQ(Receiver::calls, 1);
        EXPECT_TRUE(window->handled.empty());

        EXPECT_THROW(
            fw::RuntimeAddEventHandler(nullptr, fw::kActionEvent, &fw::ActionEventStub,
                fw::RuntimeCreateDelegate(fw::Invoker<fw::BevelButton> {}, &Receiver::Action, receiver, "", 1)),
            fw::NilObjectException);
    }

    TEST_F(EventRoad, ADeadTargetRaisesNilObjectAndCallsNothing)
    {
        const auto window = NewTestWindow();
        window->Constructor();
        const auto button = AddControl<fw::BevelButton>(*window, "OKButton");
        auto receiver = std::make_shared<Receiver>();
        Receiver::calls = 0;
        fw::RuntimeAddEventHandler(button, fw::kActionEvent, &fw::ActionEventStub,
            fw::RuntimeCreateDelegate(
                fw::Invoker<fw::BevelButton> {}, &Receiver::Action, receiver, "( BevelButton )", 1));
        receiver.reset();

        testing::internal::CaptureStderr();
        Click(*button);
        const std::string report = testing::internal::GetCapturedStderr();
        EXPECT_EQ(Receiver::calls, 0);
        EXPECT_NE(report.find("NilObjectException"), std::string::npos) << report;
    }

    // A handler's exception is reported; the loop runs on and the window
    // still answers the next click.
    TEST_F(EventRoad, AHandlersExceptionIsReportedAndTheLoopRunsOn)
    {
        std::shared_ptr<fw::BevelButton> failing, quitting;
        const auto window = NewTestWindow();
        window->onCreateControls = [&](TestWindow& w) {
            failing = AddControl<fw::BevelButton>(w, "Failing");
            quitting = AddControl<fw::BevelButton>(w, "Quitting", 100);
            Wire(window, failing);
            Wire(window, quitting);
        };
        window->onEvent = [](fw::Control& control) {
            if (control.Name() == "Failing")
                throw fw::RuntimeException("handler failed");
            fw::RuntimeQuit();
        };
        window->Constructor();

        QTimer::singleShot(0, [&] { Click(*failing); });
        QTimer::singleShot(10, [&] { Click(*quitting); });
        bool reaped = false;
        QTimer reaper;
        reaper.setSingleShot(true);
        QObject::connect(&reaper, &QTimer::timeout, [&] {
            reaped = true;
            QCoreApplication::exit(1);
        });
        reaper.start(5000);

        testing::internal::CaptureStderr();
        fw::RuntimeRun_();
        const std::string report = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(reaped);
        EXPECT_EQ(window->handled, (std::vector<std::string> { "Failing", "Quitting" }));
        EXPECT_NE(report.find("RuntimeException: handler failed"), std::string::npos) << report;
        EXPECT_TRUE(fw::NativeWindow(*window)->isVisible());
    }

    TEST_F(EventRoad, RaiseEventWithoutAHandlerDoesNothing)
    {
        const auto window = NewTestWindow();
        window->Constructor();
        const auto button = AddControl<fw::BevelButton>(*window, "Plain");
        testing::internal::CaptureStderr();
        Click(*button);
        button->RaiseEvent(fw::kOpenEvent);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(button->EventDelegate(fw::kActionEvent), nullptr);
    }

} // namespace
} // namespace velunto::test
