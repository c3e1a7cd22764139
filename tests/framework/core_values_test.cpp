#include "fw/Exceptions.h"
#include "fw/Values.h"

#include <gtest/gtest.h>

#include <vector>

using namespace fw;

namespace {

TEST(Values, ChrStrAndJoiningTexts)
{
    const std::pair<std::int64_t, std::string> cases[] = { { 0, std::string(1, '\0') }, { 0x7F, "\x7F" },
        { 0x80, "\xC2\x80" }, { 0x7FF, "\xDF\xBF" }, { 0x800, "\xE0\xA0\x80" }, { 0xFFFF, "\xEF\xBF\xBF" },
        { 0x10000, "\xF0\x90\x80\x80" }, { 0x10FFFF, "\xF4\x8F\xBF\xBF" } };
    for (const auto& [codePoint, utf8] : cases)
        EXPECT_EQ(Chr(codePoint), utf8) << codePoint;
    for (std::int64_t invalid :
        std::initializer_list<std::int64_t> { -1, 0xD800, 0xDFFF, 0x110000, INT64_MIN, INT64_MAX })
        EXPECT_THROW(Chr(invalid), RuntimeException) << invalid;
    const std::pair<std::int64_t, const char*> texts[]
        = { { 0, "0" }, { -1, "-1" }, { INT64_MIN, "-9223372036854775808" }, { INT64_MAX, "9223372036854775807" } };
    for (const auto& [value, text] : texts)
        EXPECT_EQ(Str(value), text);
    EXPECT_THROW(Str(5, "#0.00"), UnsupportedOperationException);
    EXPECT_EQ(RuntimeAddString("正解", std::string_view("\0！", 4)), std::string("正解\0！", 10));
}

TEST(Values, RndCanBeFed)
{
    // Regression: a source keeping its own state was copied on every draw and
    // handed out its first value forever.
    SetRndSource([n = 0]() mutable { return 0.25 * n++; });
    EXPECT_EQ((std::vector<double> { Rnd(), Rnd(), Rnd() }), (std::vector<double> { 0.0, 0.25, 0.5 }));
    SetRndSource({});
}

} // namespace
