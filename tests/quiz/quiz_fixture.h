#pragma once

#include "quiz/MainWindow.h"

#include "NativeWindow.h"
#include "fw/Framework.h"

#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

// The window's game state as a whole.
struct State {
    State(std::int64_t step = 0, std::int64_t answer = 0, std::int64_t right = 0, std::string verdict = {},
        bool branch = false)
        : i(step)
        , abcd(answer)
        , HP(right)
        , hantei(std::move(verdict))
        , bunki(branch)
    {
    }
    std::int64_t i, abcd, HP;
    std::string hantei;
    bool bunki;
    friend bool operator==(const State&, const State&) = default;
    friend std::ostream& operator<<(std::ostream& out, const State& s)
    {
        return out << "{" << s.i << ", " << s.abcd << ", " << s.HP << ", \"" << s.hantei << "\", " << s.bunki << "}";
    }
};

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
        fw::SetCallObserver({});
        fw::SetRndSource({});
        window->Close();
    }

    State Get() const { return { window->i, window->abcd, window->HP, window->hantei, window->bunki }; }
    void Put(const State& s)
    {
        std::tie(window->i, window->abcd, window->HP, window->hantei, window->bunki)
            = std::tie(s.i, s.abcd, s.HP, s.hantei, s.bunki);
    }
    std::string Shown() const { return window->TextField1()->Text(); }
    // Clicks the control as a player does; the text box must then show the text.
    void Press(const std::string& name, const std::string& shown)
    {
        QTest::mouseClick(
            fw::NativeWidget(*fw::RuntimeCheckCast<fw::RectControl>(window->ControlByName_(name))), Qt::LeftButton);
        EXPECT_EQ(Shown(), shown) << "after " << name;
    }

    // Runs the call and returns every text it wrote to the text box, in order.
    // With fail set, writing the text box raises instead, until the next call.
    std::vector<std::string> Writes(const std::function<void()>& call, bool fail = false)
    {
        const auto field = window->TextField1();
        std::vector<std::string> before; // the box's text as each write starts
        fw::SetCallObserver([&](std::string_view op) {
            if (op == "TextField.Text" && fail)
                throw fw::RuntimeException("the text box cannot be written");
            if (op == "TextField.Text")
                before.push_back(field->Text());
        });
        call();
        fw::SetCallObserver({});
        before.push_back(field->Text());
        return { before.begin() + 1, before.end() };
    }

    std::shared_ptr<velunto::MainWindow> window;
};
