#include "quiz_fixture.h"

#include <array>
#include <cmath>

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
    // One whole pass through the buttons. Before each answer a decoy letter is
    // pressed first: only the last letter may count, and neither shows anything.
    void PlayPass(const Pass& pass, std::string_view letters, int percent)
    {
        EXPECT_EQ(PressOK(), kIntroduction);
        EXPECT_EQ(window->HP, 0);
        EXPECT_EQ(PressOK(), "それではゲームスタート！");
        for (std::size_t q = 0; q < pass.size(); ++q) {
            SCOPED_TRACE("question " + std::to_string(q + 1));
            EXPECT_EQ(PressOK(), pass[q].text);
            Click(std::string(1, char('A' + (letters[q] - 'A' + 1) % 4)) + "Button");
            Click(std::string(1, letters[q]) + "Button");
            EXPECT_EQ(Shown(), pass[q].text);
            const std::string verdict
                = letters[q] == pass[q].right ? "正解！" : std::string("ハズレ。正解は") + pass[q].right;
            EXPECT_EQ(PressOK(), verdict + "ですね");
            EXPECT_EQ(window->hantei, verdict);
        }
        EXPECT_EQ(PressOK(), "10問終了。正答率は" + std::to_string(percent) + "%ですね");
        EXPECT_EQ(PressOK(), "最初に戻ります");
        EXPECT_EQ(window->i, 0);
        EXPECT_EQ(window->HP, 0);
    }
};

TEST_F(QuizPlay, OpensWithTheWelcomeAndZeroState)
{
    EXPECT_EQ(Shown(), "Veluntoへようこそ！\rOKボタンを押してください");
    EXPECT_EQ(Native("TextField1")->property("plainText").toString(), "Veluntoへようこそ！\nOKボタンを押してください");
    EXPECT_TRUE(window->i == 0 && window->abcd == 0 && window->HP == 0 && window->hantei.empty() && !window->bunki);
}

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

// Reset twice is Reset once; with no letter pressed since the window opened, A is judged.
TEST_F(QuizPlay, ResetAtTheWelcomeTakesTwoPressesBackAndNoLetterMeansA)
{
    Click("ResetButton");
    Click("ResetButton");
    EXPECT_EQ(Shown(), kReset);
    EXPECT_EQ(PressOK(), kReset);
    EXPECT_EQ(window->i, 0);
    EXPECT_EQ(PressOK(), kIntroduction);
    FeedRnd({ 0.9 });
    PressOK();
    EXPECT_EQ(PressOK(), kQuestion1Second.text);
    EXPECT_EQ(PressOK(), "正解！ですね");
}

TEST_F(QuizPlay, ResetMidPassKeepsTheCountUntilTheIntroductionAndTheLastLetter)
{
    FeedRnd({ 0.5, 0.5 });
    for (int press = 0; press < 3; ++press)
        PressOK();
    Click("DButton");
    EXPECT_EQ(PressOK(), "正解！ですね");
    PressOK();
    Click("ResetButton");
    EXPECT_EQ(Shown(), kReset);
    EXPECT_EQ(PressOK(), kReset);
    EXPECT_EQ(window->HP, 1);
    EXPECT_EQ(PressOK(), kIntroduction);
    EXPECT_EQ(window->HP, 0);
    PressOK();
    EXPECT_EQ(PressOK(), kQuestion1First.text);
    EXPECT_EQ(PressOK(), "正解！ですね");
}

// At 8 ACourse shows its second question and judges it in the same call.
TEST_F(QuizPlay, ACourseStepsOnTheSameCounter)
{
    const std::string welcome = Shown();
    const std::pair<std::int64_t, const char*> steps[] = { { -1, welcome.c_str() }, { 5, welcome.c_str() },
        { 6, "問題１「イタリアの首都は」\rA：ワシントンDC、B：ニューヨーク、C:ローマ、D:パリ" }, { 7, "正解！ですね" },
        { 8, "ハズレ。正解はCですね" }, { 23, "ハズレ。正解はCですね" } };
    for (const auto& [start, shown] : steps) {
        window->i = start;
        window->abcd = start == 7 ? 2 : 3;
        window->ACourse();
        EXPECT_EQ(Shown(), shown) << start;
        EXPECT_EQ(window->i, start + 1);
    }
    EXPECT_EQ(window->HP, 1);
}

// A window never constructed has no text box: an operation stops where it
// would show its text, keeps what it changed before, and leaves i alone.
TEST(QuizGame, WithoutTheTextBoxAStepStopsAndKeepsWhatItChanged)
{
    auto window = fw::RuntimeCheckCast<velunto::MainWindow>(fw::RuntimeNewObject(velunto::MainWindow::Lookup__()));
    window->i = 3;
    window->abcd = 3;
    window->bunki = true;
    EXPECT_THROW(window->OKButton_Action(nullptr), fw::NilObjectException);
    EXPECT_TRUE(window->hantei == "正解！" && window->HP == 1 && window->i == 3);
    EXPECT_THROW(window->ResetButton_Action(nullptr), fw::NilObjectException);
    EXPECT_EQ(window->i, 3);
    EXPECT_THROW(window->TextField1_Open(nullptr), fw::NilObjectException);
    EXPECT_THROW(window->EditUndo(), fw::NilObjectException);
}

} // namespace
