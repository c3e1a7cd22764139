#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velunto {

// Answer codes as the letter buttons store them in abcd.
inline constexpr std::int64_t kAnswerA = 0;
inline constexpr std::int64_t kAnswerB = 1;
inline constexpr std::int64_t kAnswerC = 2;
inline constexpr std::int64_t kAnswerD = 3;

struct QuizQuestion {
    std::string_view prompt;
    std::string_view choices;
    std::int64_t correctAnswer;
    std::string_view wrongAnswer;
};

inline constexpr int kQuestionCount = 10;

// Question 1 to 10 of a pass. Questions 1 and 6 have two alternatives: bunki
// true picks the first, false the second; the other eight ignore bunki.
// Raises std::out_of_range for any other number.
const QuizQuestion& Question(int number, bool bunki);

// The shown text of a question: the prompt, one CR, the choice line.
std::string QuestionText(std::string_view prompt, std::string_view choices);

} // namespace velunto
