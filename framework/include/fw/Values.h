#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace fw {

// A colour as the property records store it: the four bytes, read little-endian,
// form the value 0xTTRRGGBB, so the stored order is blue, green, red, then the
// transparency byte (0 is fully opaque, 255 fully transparent).
struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t transparency = 0;

    static constexpr Color FromValue(std::uint32_t value) noexcept
    {
        return { std::uint8_t(value >> 16), std::uint8_t(value >> 8), std::uint8_t(value), std::uint8_t(value >> 24) };
    }
    constexpr std::uint32_t Value() const noexcept
    {
        return std::uint32_t(transparency) << 24 | std::uint32_t(red) << 16 | std::uint32_t(green) << 8 | blue;
    }
    friend constexpr bool operator==(const Color&, const Color&) = default;
};

// Joins two texts into a new one.
std::string RuntimeAddString(std::string_view left, std::string_view right);

// The one-character text of a Unicode code point, as UTF-8 (Chr(13) is CR).
std::string Chr(std::int64_t codePoint);

// The decimal text of an integer. Only the empty format is supported.
std::string Str(std::int64_t value, std::string_view format = {});

// A double spread evenly over [0, 1), seeded from the system at start.
double Rnd();

// Test hooks: reseed the generator, or replace it by a source of fixed values
// (an empty function restores the generator).
void SeedRnd(std::uint64_t seed);
void SetRndSource(std::function<double()> source);

} // namespace fw
