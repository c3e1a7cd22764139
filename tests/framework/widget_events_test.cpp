#include "WidgetFixture.h"

#include <QPushButton>
#include <QTest>

namespace velunto::test {
namespace {

    void Click(const fw::BevelButton& button)
    {
        QTest::mouseClick(qobject_cast<QPushButton*>(fw::NativeWidget(button)), Qt::LeftButton);
    }

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
        const auto window = OpenWindow([&](TestWindow& w) {
            d = AddControl<fw::BevelButton>(w, "DButton", 261, 421);
            c = AddControl<fw::BevelButton>(w, "CButton", 196, 421);
            Wire(w, d);
            Wire(w, c);
        });
        std::vector<fw::Control*> received;
        window->onEvent = [&](fw::Control& control) { received.push_back(&control); };
        Click(*c);
        Click(*d);
        c->Enabled(false); // a disabled button cannot be clicked
        Click(*c);
        c->Enabled(true);
        Click(*c);
        EXPECT_EQ(received, (std::vector<fw::Control*> { c.get(), d.get(), c.get() }));
    }

    TEST_F(EventRoad, OpenIsRaisedOnceTheWindowIsShownAndBuilt)
    {
        bool shownAtOpen = false;
        const auto window = OpenWindow([&](TestWindow& w) {
            fw::RuntimeAddEventHandler(AddControl<fw::TextField>(w, "TextField1"), fw::kOpenEvent, &fw::OpenEventStub,
                fw::RuntimeCreateDelegate(fw::Invoker<fw::TextField> {}, &TestWindow::Open,
                    std::static_pointer_cast<TestWindow>(w.shared_from_this()), "( TextField )", 1));
            AddControl<fw::Canvas>(w, "Canvas1");
            w.onEvent
                = [&](fw::Control&) { shownAtOpen = fw::NativeWindow(w)->isVisible() && w.Controls().size() == 2; };
        });
        EXPECT_EQ(window->handled, std::vector<std::string> { "TextField1" });
        EXPECT_TRUE(shownAtOpen);
    }

    // A later handler replaces the earlier one, and holds its target weakly.
    TEST_F(EventRoad, ADeadTargetRaisesNilObjectAndCallsNothing)
    {
        const auto window = OpenWindow();
        const auto button = AddControl<fw::BevelButton>(*window, "OKButton");
        auto receiver = std::make_shared<Receiver>();
        Receiver::calls = 0;
        Wire(*window, button);
        fw::RuntimeAddEventHandler(button, fw::kActionEvent, &fw::ActionEventStub,
            fw::RuntimeCreateDelegate(
                fw::Invoker<fw::BevelButton> {}, &Receiver::Action, receiver, "( BevelButton )", 1));
        Click(*button);
        EXPECT_EQ(Receiver::calls, 1);

        receiver.reset();
        testing::internal::CaptureStderr();
        Click(*button);
        const std::string report = testing::internal::GetCapturedStderr();
        EXPECT_EQ(Receiver::calls, 1);
        EXPECT_TRUE(window->handled.empty());
        EXPECT_NE(report.find("NilObjectException"), std::string::npos) << report;
    }

    // Regression: a handler's exception was reported, the game went on, and a
    // later quit exited 0. Now it ends the run as a failure, and no later run starts.
    TEST_F(EventRoad, AHandlersExceptionEndsTheRunAsAFailure)
    {
        std::shared_ptr<fw::BevelButton> failing;
        const auto window = OpenWindow([&](TestWindow& w) { Wire(w, failing = AddControl<fw::BevelButton>(w, "F")); });
        window->onEvent = [](fw::Control&) { throw fw::RuntimeException("handler failed"); };
        testing::internal::CaptureStderr();
        EXPECT_TRUE(RunLoopUntilQuit([&] { Click(*failing); }));
        const std::string report = testing::internal::GetCapturedStderr();
        EXPECT_NE(report.find("RuntimeException: handler failed"), std::string::npos) << report;
        EXPECT_EQ(fw::RuntimeExit(), 1);
        EXPECT_TRUE(RunLoopUntilQuit([] {}));
    }

} // namespace
} // namespace velunto::test
