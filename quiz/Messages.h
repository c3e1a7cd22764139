#pragma once

// Every fixed text the game shows. The texts are exact: full-width and ASCII
// punctuation differ on purpose, and none holds a line break of its own (the
// two-line messages are joined with Chr(13) where they are shown).

#include <string_view>

namespace velunto {

inline constexpr std::string_view kWelcomeFirstLine = "Veluntoへようこそ！";
inline constexpr std::string_view kWelcomeSecondLine = "OKボタンを押してください";
inline constexpr std::string_view kIntroductionMessage = "このソフトはテキストベースのクイズゲームです。";
inline constexpr std::string_view kStartMessage = "それではゲームスタート！";
inline constexpr std::string_view kCorrectVerdict = "正解！";
inline constexpr std::string_view kVerdictSuffix = "ですね";
inline constexpr std::string_view kResultPrefix = "10問終了。正答率は";
inline constexpr std::string_view kResultSuffix = "%ですね";
inline constexpr std::string_view kReturnMessage = "最初に戻ります";
inline constexpr std::string_view kResetMessage = "最初からやり直します！";

// The wrong-answer texts, one per right letter.
inline constexpr std::string_view kWrongAnswerA = "ハズレ。正解はA";
inline constexpr std::string_view kWrongAnswerB = "ハズレ。正解はB";
inline constexpr std::string_view kWrongAnswerC = "ハズレ。正解はC";
inline constexpr std::string_view kWrongAnswerD = "ハズレ。正解はD";

// The two-question course of ACourse: the first prompt has the full-width "１",
// the second the ASCII "2".
inline constexpr std::string_view kCourseFirstPrompt = "問題１「イタリアの首都は」";
inline constexpr std::string_view kCourseSecondPrompt = "問題2「スペインの首都は」";
inline constexpr std::string_view kCourseSecondChoices = "A：ワシントンDC、B：ニューヨーク、C:マドリード、D:パリ";

} // namespace velunto
