#pragma once

// A window class whose set-up events and handlers run what the test gives,
// and helpers that make controls as the program does.

#include "NativeWindow.h"

#include "fw/Framework.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace velunto::test {

class TestWindow : public fw::Window {
public:
    static const fw::ClassInfo& Lookup__()
    {
        static const fw::ClassInfo& cls = fw::RegisterClass<TestWindow>("TestWindow", fw::Window::Lookup__());
        return cls;
    }
    using Hook = std::function<void(TestWindow&)>;
    Hook onLayout, onCreateControls;
    std::function<void(fw::Control&)> onEvent;
    std::vector<std::string> handled; // the name of each control whose handler ran, in order

    void Layout() override { Run(onLayout); }
    void CreateControls() override { Run(onCreateControls); }
    void Action(const std::shared_ptr<fw::BevelButton>& button) { Handle(*button); }
    void Open(const std::shared_ptr<fw::TextField>& field) { Handle(*field); }

private:
    void Run(const Hook& hook)
    {
        if (hook)
            hook(*this);
    }
    void Handle(fw::Control& control)
    {
        handled.push_back(control.Name());
        if (onEvent)
            onEvent(control);
    }
};

inline std::shared_ptr<TestWindow> OpenWindow(TestWindow::Hook createControls = {}, TestWindow::Hook layout = {})
{
    auto window = fw::RuntimeCheckCast<TestWindow>(fw::RuntimeNewObject(TestWindow::Lookup__()));
    window->onLayout = std::move(layout);
    window->onCreateControls = std::move(createControls);
    window->Constructor();
    return window;
}

// Makes, constructs and registers a control as a window's CreateControls does.
template <class C>
std::shared_ptr<C> AddControl(fw::Window& window, const std::string& name, int left = 0, int top = 0, int width = 80)
{
    auto control = fw::RuntimeCheckCast<C>(window.New__(C::Lookup__()));
    control->Constructor();
    window.AddControl_(name, control);
    control->Name(name);
    control->Left(left);
    control->Top(top);
    control->Width(width);
    control->Height(width / 3);
    return control;
}

template <class C> std::shared_ptr<C> Control(fw::Window& window, const std::string& name)
{
    return fw::RuntimeCheckCast<C>(window.ControlByName_(name));
}

// Binds the button's Action to the window's handler.
inline void Wire(TestWindow& window, const std::shared_ptr<fw::BevelButton>& button)
{
    fw::RuntimeAddEventHandler(button, fw::kActionEvent, &fw::ActionEventStub,
        fw::RuntimeCreateDelegate(fw::Invoker<fw::BevelButton> {}, &TestWindow::Action,
            std::static_pointer_cast<TestWindow>(window.shared_from_this()), "( BevelButton )", 1));
}

// Runs the event loop from the given start until something quits it; false
// when the reaper had to end it instead.
inline bool RunLoopUntilQuit(const std::function<void()>& start)
{
    bool reaped = false;
    QTimer::singleShot(0, start);
    QTimer reaper;
    reaper.setSingleShot(true);
    QObject::connect(&reaper, &QTimer::timeout, [&] {
        reaped = true;
        fw::RuntimeQuit();
    });
    reaper.start(20000);
    fw::RuntimeRun_();
    return !reaped;
}

// No test leaves a window behind.
class WidgetTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        while (auto window = fw::GetImplicitWindow_("TestWindow"))
            window->Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

} // namespace velunto::test
