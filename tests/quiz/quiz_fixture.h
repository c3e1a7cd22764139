#pragma once

#include "quiz/MainWindow.h"

#include "NativeWindow.h"
#include "fw/Framework.h"

#include <QTest>
#include <gtest/gtest.h>

#include <string>

// Opens the quiz window as the start-up does and closes it afterwards, so that
// every test starts from a fresh window with fresh game state.
class QuizWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = velunto::MainWindow::Instance();
        ASSERT_TRUE(window && fw::NativeWindow(*window) && QTest::qWaitForWindowExposed(fw::NativeWindow(*window)));
    }

    void TearDown() override
    {
        fw::SetRndSource({});
        if (window)
            window->Close();
    }

    QWidget* Native(const std::string& name) const
    {
        auto control = fw::RuntimeCheckCast<fw::RectControl>(window->ControlByName_(name));
        return control ? fw::NativeWidget(*control) : nullptr;
    }

    void Click(const std::string& name)
    {
        QWidget* widget = Native(name);
        ASSERT_NE(widget, nullptr) << name;
        QTest::mouseClick(widget, Qt::LeftButton);
    }

    std::shared_ptr<velunto::MainWindow> window;
};
