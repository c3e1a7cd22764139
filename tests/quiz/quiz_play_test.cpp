#include "quiz_fixture.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <vector>

namespace {

struct AskedQuestion {
    const char* text;
    char right;
};
using Pass = std::array<AskedQuestion, 10>;

constexpr AskedQuestion kQuestion1First { "「地球の裏側を何という？」\rA：外積、B：円心、C:重心、D:対せき点", 'D' };
constexpr AskedQuestion kQuestion1Second {
    "「アメリカ合衆国の首都は」\rA：ワシントンDC、B：ニューヨーク、C:ローマ、D:パリ", 'A'
};
constexpr AskedQuestion kQuestion6First { "「BRICSでないのは？」\rA：ロシア、B:日本、C:ブラジル、D:中国", 'B' };
constexpr AskedQuestion kQuestion6Second {
    "「マレーシアにおけるマレー人優遇政策は？」\rA：白豪主義、B:アベノミクス、C:ブミプトラ政策、D:一人っ子政策", 'C'
};

constexpr Pass MakePass(AskedQuestion first, AskedQuestion sixth)
{
    return { first, { "「イタリアの首都は」\rA：ワシントンDC、B：ニューヨーク、C:ローマ、D:パリ", 'C' },
        { "「東ローマ帝国の首都は」\rA：ワシントンDC、B：ニューヨーク、C:マドリード、D:コンスタンチノープル", 'D' },
        { "「フランスの有名な海岸は」\rA：コートジボワール、B：コートダジュール、C:ローマ、D:パリ", 'B' },
        { "「モンゴルの気候は」\rA：ステップ、B：ツンドラ、C:ローマ、D:熱帯", 'A' }, sixth,
        { "「フランスで発電量が最も多いのは」\rA：原子力、B:石油、C:天然ガス、D:バイオマス", 'A' },
        { "「中国の首都は」\rA：大連、B：南京、C:北京、D:西安", 'C' },
        { "「チベット高原の気候は」\rA：モンスーン、B：ツンドラ、C:温帯、D:ステップ", 'B' },
        { "「インカ帝国を征服したのは」\rA：カエサル、B：ピサロ、C:テムジン、D:コロンブス", 'B' } };
}

constexpr const char* kIntroduction = "このソフトはテキストベースのクイズゲームです。";
constexpr const char* kReset = "最初からやり直します！";

class QuizPlay : public QuizWindowTest {
protected:
    std::string Shown() const { return window->TextField1()->Text(); }

    // Clicks each button in turn ("OK", "Reset" or a letter) and compares the
    // text shown after it, where one is given (not "").
    void Play(std::initializer_list<std::pair<std::string, std::string>> steps)
    {
        for (const auto& [button, shown] : steps) {
            Click(button + "Button");
            EXPECT_EQ(shown.empty() ? shown : Shown(), shown) << "after " << button;
        }
    }

    // Rnd hands out these values in turn; asking for more fails the test.
    static void FeedRnd(std::vector<double> values)
    {
        fw::SetRndSource([values = std::move(values), next = std::make_shared<std::size_t>(0)] {
            EXPECT_LT(*next, values.size()) << "Rnd was asked more often than expected";
            return *next < values.size() ? values[(*next)++] : 0.0;
        });
    }

    // One whole pass. Before each answer a decoy letter is pressed first: only
    // the last letter may count, and neither shows anything.
    void PlayPass(const Pass& pass, std::string_view letters, int percent)
    {
        Play({ { "OK", kIntroduction }, { "OK", "それではゲームスタート！" } });
        for (std::size_t q = 0; q < pass.size(); ++q) {
            SCOPED_TRACE("question " + std::to_string(q + 1));
            const auto& [text, right] = pass[q];
            const char letter = letters[q];
            Play({ { "OK", text }, { std::string { char('A' + (letter - 'A' + 1) % 4) }, text },
                { std::string { letter }, text },
                { "OK", (letter == right ? "正解！" : "ハズレ。正解は" + std::string { right }) + "ですね" } });
        }
        Play({ { "OK", "10問終了。正答率は" + std::to_string(percent) + "%ですね" }, { "OK", "最初に戻ります" } });
    }
};

// Three passes in a row, each starting with the introduction at the 25th press.
// The draws pick: both first alternatives; both second ones (a product of
// exactly 4.0 is not below 4.0); the second of question 1 and, just below 0.8,
// the first of question 6.
TEST_F(QuizPlay, PassesScoreEveryAnswerAgainstTheAlternativeShown)
{
    FeedRnd({ 0.5, 0.0, 0.8, 0.8, 0.9, std::nextafter(0.8, 0.0) });
    PlayPass(MakePass(kQuestion1First, kQuestion6First), "DCDBABACBB", 100);
    PlayPass(MakePass(kQuestion1Second, kQuestion6Second), "BAACDDBDAC", 0);
    PlayPass(MakePass(kQuestion1Second, kQuestion6First), "ACABABAABC", 70);
}

// The window opens with the welcome and zero state. Reset takes two presses
// back to the introduction, twice in a row as once; the count stays until then
// and the last letter still counts after it. With no letter pressed since the
// window opened, A is judged.
TEST_F(QuizPlay, OpensWithTheWelcomeAndResetsAtItAndMidPass)
{
    EXPECT_EQ(Shown(), "Veluntoへようこそ！\rOKボタンを押してください");
    EXPECT_TRUE(window->i == 0 && window->abcd == 0 && window->HP == 0 && window->hantei.empty() && !window->bunki);
    FeedRnd({ 0.9, 0.5 });
    Play({ { "Reset", "" }, { "Reset", kReset }, { "OK", kReset }, { "OK", kIntroduction }, { "OK", "" },
        { "OK", kQuestion1Second.text }, { "OK", "正解！ですね" }, { "D", "" }, { "OK", "" }, { "Reset", kReset },
        { "OK", kReset } });
    EXPECT_EQ(window->HP, 1);
    Play({ { "OK", kIntroduction } });
    EXPECT_EQ(window->HP, 0);
    Play({ { "OK", "" }, { "OK", kQuestion1First.text }, { "OK", "正解！ですね" } });
}

// ACourse runs on the same counter; at 8 it shows its second question and
// judges it in the same call, so the verdict is what stays shown.
TEST_F(QuizPlay, ACourseStepsOnTheSameCounter)
{
    const std::tuple<std::int64_t, std::int64_t, std::string> steps[] = { { 5, 3, Shown() },
        { 6, 3, "問題１「イタリアの首都は」\rA：ワシントンDC、B：ニューヨーク、C:ローマ、D:パリ" },
        { 7, 2, "正解！ですね" }, { 8, 3, "ハズレ。正解はCですね" } };
    for (const auto& [start, letter, shown] : steps) {
        window->i = start;
        window->abcd = letter;
        window->ACourse();
        EXPECT_EQ(Shown(), shown) << start;
        EXPECT_EQ(window->i, start + 1);
    }
    EXPECT_EQ(window->HP, 1);
}

// A window never constructed has no text box: a step stops where it would
// show its text, keeps what it changed before, and leaves i alone.
TEST(QuizGame, WithoutTheTextBoxAStepStopsAndKeepsWhatItChanged)
{
    auto window = fw::RuntimeCheckCast<velunto::MainWindow>(fw::RuntimeNewObject(velunto::MainWindow::Lookup__()));
    window->i = 3;
    window->abcd = 3;
    window->bunki = true;
    EXPECT_THROW(window->OKButton_Action(nullptr), fw::NilObjectException);
    EXPECT_TRUE(window->hantei == "正解！" && window->HP == 1 && window->i == 3);
    EXPECT_THROW(window->ResetButton_Action(nullptr), fw::NilObjectException);
    EXPECT_THROW(window->TextField1_Open(nullptr), fw::NilObjectException);
    EXPECT_EQ(window->i, 3);
}

} // namespace
