#pragma once

// An input of the window fuzz target: property records, one after the other
// with kSeparator between them, each a kind byte and the record's bytes. The
// kind's two low bits name the object that takes the record; bit 2 sends it
// after the window is built and shown, rather than during its set-up, where
// the program applies its own records. A separator, unlike a length, lets a
// record grow or shrink as the fuzzer changes it.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velunto::fuzz {

inline constexpr std::string_view kSeparator = "\n|\n";

enum class Target { Window, TextField, BevelButton, Canvas };

struct InputRecord {
    Target target;
    bool late;
    std::string_view bytes;
};

inline std::vector<InputRecord> SplitInput(std::string_view input)
{
    std::vector<InputRecord> records;
    while (!input.empty()) {
        const std::string_view part = input.substr(0, input.find(kSeparator));
        input.remove_prefix(std::min(input.size(), part.size() + kSeparator.size()));
        if (!part.empty())
            records.push_back({ Target(part[0] & 3), (part[0] & 4) != 0, part.substr(1) });
    }
    return records;
}

inline void AppendRecord(std::string& input, Target target, std::string_view record)
{
    if (!input.empty())
        input += kSeparator;
    input += char(target);
    input += record;
}

} // namespace velunto::fuzz
