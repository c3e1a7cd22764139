#pragma once

// A window class for the widget tests, with set-up events and handlers the
// tests fill in, and helpers that make controls as the program does.

#include "NativeWindow.h"

#include "fw/Framework.h"

#include <QCoreApplication>

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

    std::function<void(TestWindow&)> onLayout;
    std::function<void(TestWindow&)> onCreateControls;
    std::function<void(fw::Control&)> onEvent;
    // The name of each control whose handler ran, in order.
    std::vector<std::string> handled;

    void Layout() override
    {
        if (onLayout)
            onLayout(*this);
    }
    void CreateControls() override
    {
        if (onCreateControls)
            onCreateControls(*this);
    }
    void Action(const std::shared_ptr<fw::BevelButton>& button) { Handle(*button); }
    void Open(const std::shared_ptr<fw::TextField>& field) { Handle(*field); }

private:
    void Handle(fw::Control& control)
    {
        handled.push_back(control.Name());
        if (onEvent)
            onEvent(control);
    }
};

inline std::shared_ptr<TestWindow> NewTestWindow()
{
    return fw::RuntimeCheckCast<TestWindow>(fw::RuntimeNewObject(TestWindow::Lookup__()));
}

// Makes, constructs and registers a control the way a window's
// CreateControls does, then names and places it.
template <class C>
std::shared_ptr<C> AddControl(
    fw::Window& window, const std::string& name, int left = 0, int top = 0, int width = 80, int height = 22)
{
    auto control = fw::RuntimeCheckCast<C>(window.New__(C::Lookup__()));
    control->Constructor();
    window.AddControl_(name, control);
    control->Name(name);
    control->Left(left);
    control->Top(top);
    control->Width(width);
    control->Height(height);
    return control;
}

inline void Wire(const std::shared_ptr<TestWindow>& window, const std::shared_ptr<fw::BevelButton>& button)
{
    fw::RuntimeAddEventHandler(button, fw::kActionEvent, &fw::ActionEventStub,
        fw::RuntimeCreateDelegate(fw::Invoker<fw::BevelButton> {}, &TestWindow::Action, window, "( BevelButton )", 1));
}

// Every test leaves no window behind: the ones still held are closed and
// their widgets deleted.
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
