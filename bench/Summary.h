#pragma once

// How both benchmarks print a figure: velunto's and the bare program's
// samples, taken in interleaved rounds, as min / median / max, and the ratio
// velunto/bare. The ratio row is formed per round (each round's velunto
// sample over the bare sample taken beside it), then summarised; the ratio of
// the two medians follows in brackets.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

struct Spread {
    double min;
    double median;
    double max;
};

inline Spread SpreadOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    const double median = values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    return { values.front(), median, values.back() };
}

// One figure, four lines. Samples are in the unit named; velunto[i] and
// bare[i] come from the same round.
inline void PrintFigure(const std::string& title, const char* unit, const std::vector<double>& velunto,
    const std::vector<double>& bare, const std::string& bareNote = {})
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i < velunto.size() && i < bare.size(); ++i)
        ratios.push_back(velunto[i] / bare[i]);
    const Spread v = SpreadOf(velunto);
    const Spread b = SpreadOf(bare);
    const Spread r = SpreadOf(ratios);
    std::printf("%-34s%10s%14s%14s\n", title.c_str(), "min", "median", "max");
    std::printf("  %-32s%10.1f %-3s%10.1f %-3s%10.1f %s\n", "velunto", v.min, unit, v.median, unit, v.max, unit);
    std::printf("  %-32s%10.1f %-3s%10.1f %-3s%10.1f %s%s\n", "bare Qt 6", b.min, unit, b.median, unit, b.max, unit,
        bareNote.c_str());
    std::printf("  %-32s%10.2fx   %10.2fx   %10.2fx    (of medians %.2fx)\n", "velunto/bare", r.min, r.median, r.max,
        v.median / b.median);
}

} // namespace bench
