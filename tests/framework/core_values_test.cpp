#include "fw/Exceptions.h"
#include "fw/Values.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using namespace fw;

namespace {

TEST(Values, ChrEncodesUtf8AtEveryLengthBoundary)
{
    const std::pair<std::int64_t, std::string> cases[] = { { 0, std::string(1, '\0') }, { 0x7F, "\x7F" },
        { 0x80, "\xC2\x80" }, { 0x7FF, "\xDF\xBF" }, { 0x800, "\xE0\xA0\x80" }, { 0xFFFF, "\xEF\xBF\xBF" },
        { 0x10000, "\xF0\x90\x80\x80" }, { 0x10FFFF, "\xF4\x8F\xBF\xBF" } };
    for (const auto& [codePoint, utf8] : cases)
        EXPECT_EQ(Chr(codePoint), utf8) << codePoint;
    for (std::int64_t invalid : { -1LL, 0xD800LL, 0xDFFFLL, 0x110000LL, LLONG_MIN, LLONG_MAX })
        EXPECT_THROW(Chr(invalid), RuntimeException) << invalid;
}

TEST(Values, StrAndRuntimeAddString)
{
    const std::pair<std::int64_t, const char*> cases[]
        = { { 0, "0" }, { -1, "-1" }, { INT64_MIN, "-9223372036854775808" }, { INT64_MAX, "9223372036854775807" } };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(Str(value), text);
    EXPECT_THROW(Str(5, "#0.00"), UnsupportedOperationException);
    EXPECT_EQ(RuntimeAddString("正解", std::string_view("\0！", 4)), std::string("正解\0！", 10));
}

TEST(Values, RndIsReproducibleFromASeedAndCanBeFed)
{
    auto draw = [](int count) {
        std::vector<double> values;
        for (int i = 0; i < count; ++i)
            values.push_back(Rnd());
        return values;
    };
    SeedRnd(2024);
    const auto first = draw(20);
    SeedRnd(2024);
    EXPECT_EQ(draw(20), first);
    SeedRnd(2025);
    EXPECT_NE(draw(20), first);

    // Regression: a source keeping its own state was copied on every draw and
    // handed out its first value forever.
    SetRndSource([n = 0]() mutable { return 0.25 * n++; });
    EXPECT_EQ(draw(3), (std::vector<double> { 0.0, 0.25, 0.5 }));
    SetRndSource({});
    SeedRnd(2024);
    EXPECT_EQ(draw(20), first);
}

TEST(Values, RndStaysInTheUnitIntervalAndSpreadsEvenly)
{
    SeedRnd(7);
    constexpr int kDraws = 200000;
    int belowFourFifths = 0;
    for (int i = 0; i < kDraws; ++i) {
        const double value = Rnd();
        ASSERT_TRUE(value >= 0.0 && value < 1.0) << value;
        belowFourFifths += value < 0.8;
    }
    EXPECT_NEAR(double(belowFourFifths) / kDraws, 0.8, 0.005);
}

} // namespace
