#pragma once

#include "fw/Object.h"

#include <map>
#include <string>
#include <vector>

namespace velunto::test {

// The property names declared more than once along the class and its bases,
// compared with ASCII case folded: the record reader would only ever find the
// first of them, so any entry here is a fault in the property tables.
inline std::vector<std::string> RepeatedPropertyNames(const fw::ClassInfo& cls)
{
    std::map<std::string, int> counts;
    for (const fw::ClassInfo* c = &cls; c; c = c->base) {
        for (const fw::PropertyInfo& property : c->properties) {
            std::string folded(property.name);
            for (char& ch : folded)
                ch = ch >= 'A' && ch <= 'Z' ? char(ch - 'A' + 'a') : ch;
            ++counts[folded];
        }
    }
    std::vector<std::string> repeated;
    for (const auto& [name, count] : counts) {
        if (count > 1)
            repeated.push_back(name);
    }
    return repeated;
}

} // namespace velunto::test
