#include "quiz/Questions.h"

#include "quiz/Messages.h"

#include "fw/Values.h"

#include <array>
#include <stdexcept>

namespace velunto {

namespace {

    // Shared by question 1's second alternative and question 2.
    constexpr std::string_view kCapitalsChoices = "A：ワシントンDC、B：ニューヨーク、C:ローマ、D:パリ";

    struct QuestionPair {
        QuizQuestion first; // bunki true
        QuizQuestion second; // bunki false; the same as first for a question without alternatives
    };

    constexpr QuestionPair Single(QuizQuestion question) { return { question, question }; }

    constexpr std::array<QuestionPair, kQuestionCount> kQuestionSet { {
        { { "「地球の裏側を何という？」", "A：外積、B：円心、C:重心、D:対せき点", kAnswerD, kWrongAnswerD },
            { "「アメリカ合衆国の首都は」", kCapitalsChoices, kAnswerA, kWrongAnswerA } },
        Single({ "「イタリアの首都は」", kCapitalsChoices, kAnswerC, kWrongAnswerC }),
        Single({ "「東ローマ帝国の首都は」", "A：ワシントンDC、B：ニューヨーク、C:マドリード、D:コンスタンチノープル",
            kAnswerD, kWrongAnswerD }),
        Single({ "「フランスの有名な海岸は」", "A：コートジボワール、B：コートダジュール、C:ローマ、D:パリ", kAnswerB,
            kWrongAnswerB }),
        Single({ "「モンゴルの気候は」", "A：ステップ、B：ツンドラ、C:ローマ、D:熱帯", kAnswerA, kWrongAnswerA }),
        { { "「BRICSでないのは？」", "A：ロシア、B:日本、C:ブラジル、D:中国", kAnswerB, kWrongAnswerB },
            { "「マレーシアにおけるマレー人優遇政策は？」",
                "A：白豪主義、B:アベノミクス、C:ブミプトラ政策、D:一人っ子政策", kAnswerC, kWrongAnswerC } },
        Single({ "「フランスで発電量が最も多いのは」", "A：原子力、B:石油、C:天然ガス、D:バイオマス", kAnswerA,
            kWrongAnswerA }),
        Single({ "「中国の首都は」", "A：大連、B：南京、C:北京、D:西安", kAnswerC, kWrongAnswerC }),
        Single(
            { "「チベット高原の気候は」", "A：モンスーン、B：ツンドラ、C:温帯、D:ステップ", kAnswerB, kWrongAnswerB }),
        Single({ "「インカ帝国を征服したのは」", "A：カエサル、B：ピサロ、C:テムジン、D:コロンブス", kAnswerB,
            kWrongAnswerB }),
    } };

} // namespace

const QuizQuestion& Question(int number, bool bunki)
{
    if (number < 1 || number > kQuestionCount)
        throw std::out_of_range("Question: there is no question " + std::to_string(number));
    const QuestionPair& pair = kQuestionSet[static_cast<std::size_t>(number - 1)];
    return bunki ? pair.first : pair.second;
}

std::string QuestionText(std::string_view prompt, std::string_view choices)
{
    std::string text(prompt);
    text += fw::Chr(13);
    text += choices;
    return text;
}

} // namespace velunto
