#include "quiz_fixture.h"

#include <cmath>

namespace {

using velunto::MainWindow;

const std::string kIntroduction = "このソフトはテキストベースのクイズゲームです。";
const std::string kReset = "最初からやり直します！";

// The answer key: each question as shown (questions 1 and 6 by alternative,
// the first one asked when bunki is true) and its right letter.
constexpr std::tuple<int, bool, const char*, char> kKey[] = {
    { 1, true, "「地球の裏側を何という？」\rA：外積、B：円心、C:重心、D:対せき点", 'D' },
    { 1, false, "「アメリカ合衆国の首都は」\rA：ワシントンDC、B：ニューヨーク、C:ローマ、D:パリ", 'A' },
    { 2, true, "「イタリアの首都は」\rA：ワシントンDC、B：ニューヨーク、C:ローマ、D:パリ", 'C' },
    { 3, true, "「東ローマ帝国の首都は」\rA：ワシントンDC、B：ニューヨーク、C:マドリード、D:コンスタンチノープル",
        'D' },
    { 4, true, "「フランスの有名な海岸は」\rA：コートジボワール、B：コートダジュール、C:ローマ、D:パリ", 'B' },
    { 5, true, "「モンゴルの気候は」\rA：ステップ、B：ツンドラ、C:ローマ、D:熱帯", 'A' },
    { 6, true, "「BRICSでないのは？」\rA：ロシア、B:日本、C:ブラジル、D:中国", 'B' },
    { 6, false,
        "「マレーシアにおけるマレー人優遇政策は？」\rA：白豪主義、B:アベノミクス、C:ブミプトラ政策、D:一人っ子政策",
        'C' },
    { 7, true, "「フランスで発電量が最も多いのは」\rA：原子力、B:石油、C:天然ガス、D:バイオマス", 'A' },
    { 8, true, "「中国の首都は」\rA：大連、B：南京、C:北京、D:西安", 'C' },
    { 9, true, "「チベット高原の気候は」\rA：モンスーン、B：ツンドラ、C:温帯、D:ステップ", 'B' },
    { 10, true, "「インカ帝国を征服したのは」\rA：カエサル、B：ピサロ、C:テムジン、D:コロンブス", 'B' },
};

class QuizPlay : public QuizWindowTest {
protected:
    // One pass as a player clicks it; the q-th answer lies offsets[q] letters
    // past the right one. A decoy letter pressed first must not count, and no
    // letter shows anything. The last verdict stays until the next judging.
    void PlayPass(bool first1, bool first6, std::string_view offsets)
    {
        Press("OKButton", kIntroduction);
        Press("OKButton", "それではゲームスタート！");
        std::size_t q = 0;
        for (const auto& [number, first, text, right] : kKey) {
            if ((number == 1 && first != first1) || (number == 6 && first != first6))
                continue;
            SCOPED_TRACE(text);
            const std::string verdict = window->hantei;
            Press("OKButton", text);
            const char letter = char('A' + (right - 'A' + offsets[q++] - '0') % 4);
            for (char pressed : { char('A' + (letter - 'A' + 1) % 4), letter })
                Press(std::string { pressed } + "Button", text);
            EXPECT_EQ(window->hantei, verdict);
            Press("OKButton", (letter == right ? "正解！" : "ハズレ。正解は" + std::string { right }) + "ですね");
        }
        const std::string verdict = window->hantei;
        const auto percent = 10 * std::ranges::count(offsets, '0');
        Press("OKButton", "10問終了。正答率は" + std::to_string(percent) + "%ですね");
        Press("OKButton", "最初に戻ります");
        EXPECT_EQ(window->hantei, verdict);
        EXPECT_EQ(window->i, 0);
    }
};

// Four passes in a row, with the draws fixed: every question, both
// alternatives of 1 and 6 included, judged right and wrong.
TEST_F(QuizPlay, EveryAnswerIsJudgedAgainstTheAlternativeShown)
{
    EXPECT_EQ(Shown(), "Veluntoへようこそ！\rOKボタンを押してください");
    // Two draws per pass, for questions 1 and 6; a product of exactly 4.0 is not below 4.0.
    const double draws[] = { 0.0, std::nextafter(0.8, 0.0), 0.8, 0.9, 0.8, 0.99, 0.5, 0.5 };
    std::size_t drawn = 0;
    fw::SetRndSource([&] { return draws[drawn++ % std::size(draws)]; });
    PlayPass(true, true, "0000000000");
    PlayPass(false, false, "1111111111");
    PlayPass(false, false, "0300300030");
    PlayPass(true, true, "2323232323");
    EXPECT_EQ(drawn, std::size(draws));
}

// Each row runs twice from the same state: once with the text box refusing
// its text, once normally. What the step changes before it shows its text
// survives the refusal; what it does after, the final i + 1 included, does not.
TEST_F(QuizPlay, EachStepChangesTheStateAroundItsTextInItsOrder)
{
    using Call = void (*)(MainWindow&);
    const Call ok = [](MainWindow& w) { w.OKButton_Action(nullptr); };
    const Call course = [](MainWindow& w) { w.ACourse(); };
    const std::string wrongA = "ハズレ。正解はA", wrongC = "ハズレ。正解はC";
    const struct {
        const char* what;
        Call call;
        State before, refused, after;
        std::vector<std::string> shown;
    } rows[] = {
        { "0", ok, { 0, 0, 5 }, { 0, 0, 0 }, { 1, 0, 0 }, { kIntroduction } },
        { "1", ok, { 1, 0, 5 }, { 1, 0, 5 }, { 2, 0, 5, "", true }, { "それではゲームスタート！" } },
        { "3", ok, { 3, 0, 2 }, { 3, 0, 3, "正解！" }, { 4, 0, 3, "正解！" }, { "正解！ですね" } },
        { "11", ok, { 11, 1, 4, "h" }, { 11, 1, 4, wrongA }, { 12, 1, 4, wrongA, true }, { wrongA + "ですね" } },
        { "22", ok, { 22, 0, 7, "h" }, { 22, 0, 7, "h" }, { 23, 0, 7, "h" }, { "10問終了。正答率は70%ですね" } },
        { "23", ok, { 23, 0, 7, "h" }, { 23, 0, 7, "h" }, { 0, 0, 0, "h" }, { "最初に戻ります" } },
        { "-1", ok, { -1, 2, 7, "h", true }, { 0, 2, 7, "h", true }, { 0, 2, 7, "h", true }, {} },
        { "24", ok, { 24, 2, 7, "h", true }, { 25, 2, 7, "h", true }, { 25, 2, 7, "h", true }, {} },
        { "Reset", [](MainWindow& w) { w.ResetButton_Action(nullptr); }, { 7, 2, 3, "h", true }, { 7, 2, 3, "h", true },
            { -1, 2, 3, "h", true }, { kReset } },
        { "No", [](MainWindow& w) { w.NoBtutton_Action(nullptr); }, { 3, 2, 3, "h", true }, { 9, 2, 3, "h", true },
            { 9, 2, 3, "h", true }, {} },
        { "ACourse 6", course, { 6, 2 }, { 6, 2 }, { 7, 2 },
            { "問題１「イタリアの首都は」\rA：ワシントンDC、B：ニューヨーク、C:ローマ、D:パリ" } },
        { "ACourse 7", course, { 7, 2 }, { 7, 2, 1, "正解！" }, { 8, 2, 1, "正解！" }, { "正解！ですね" } },
        { "ACourse 8", course, { 8, 3, 1, "h" }, { 8, 3, 1, "h" }, { 9, 3, 1, wrongC },
            { "問題2「スペインの首都は」\rA：ワシントンDC、B：ニューヨーク、C:マドリード、D:パリ",
                wrongC + "ですね" } },
        { "ACourse 9", course, { 9 }, { 10 }, { 10 }, {} },
    };
    fw::SetRndSource([] { return 0.5; });
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Put(row.before);
        if (row.shown.empty())
            EXPECT_NO_THROW(Writes([&] { row.call(*window); }, true));
        else
            EXPECT_THROW(Writes([&] { row.call(*window); }, true), fw::RuntimeException);
        EXPECT_EQ(Get(), row.refused);
        Put(row.before);
        EXPECT_EQ(Writes([&] { row.call(*window); }), row.shown);
        EXPECT_EQ(Get(), row.after);
    }
}

// Reset from anywhere shows its message and sets i to -1, and nothing else.
TEST_F(QuizPlay, ResetWorksAtAnyStep)
{
    for (std::int64_t step = -1; step <= 23; ++step) {
        Put({ step, 2, 4, "h", true });
        Press("ResetButton", kReset);
        EXPECT_EQ(Get(), (State { -1, 2, 4, "h", true })) << step;
    }
}

} // namespace
