#pragma once

#include "quiz/MainWindow.h"

#include "NativeWindow.h"
#include "fw/Framework.h"

#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

// Opens the quiz window as the start-up does and closes it afterwards, so that
// every test starts from a fresh window with fresh game state.
class QuizWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = velunto::MainWindow::Instance();
        ASSERT_NE(window, nullptr);
        ASSERT_NE(fw::NativeWindow(*window), nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(fw::NativeWindow(*window)));
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

    std::string Shown() const { return window->TextField1()->Text(); }
    std::string PressOK()
    {
        Click("OKButton");
        return Shown();
    }

    // Rnd hands out these values in turn; asking for more fails the test.
    static void FeedRnd(std::vector<double> values)
    {
        // The framework copies the source for each call, so the position is shared.
        auto next = std::make_shared<std::size_t>(0);
        fw::SetRndSource([values = std::move(values), next] {
            if (*next < values.size())
                return values[(*next)++];
            ADD_FAILURE() << "Rnd was asked more often than expected";
            return 0.0;
        });
    }

    std::shared_ptr<velunto::MainWindow> window;
};
