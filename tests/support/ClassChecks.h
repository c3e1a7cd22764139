#pragma once

#include "fw/Object.h"

#include <set>
#include <string>
#include <vector>

namespace velunto::test {

// The property names declared more than once along the class and its bases,
// compared with ASCII case folded: the record reader would only ever find the
// first of them, so any entry here is a fault in the property tables.
inline std::vector<std::string> RepeatedPropertyNames(const fw::ClassInfo& cls)
{
    std::set<std::string> seen;
    std::vector<std::string> repeated;
    for (const fw::ClassInfo* c = &cls; c; c = c->base) {
        for (const fw::PropertyInfo& property : c->properties) {
            std::string folded;
            for (char ch : property.name)
                folded += ch >= 'A' && ch <= 'Z' ? char(ch - 'A' + 'a') : ch;
            if (!seen.insert(folded).second)
                repeated.push_back(folded);
        }
    }
    return repeated;
}

} // namespace velunto::test
