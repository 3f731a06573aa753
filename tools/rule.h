#pragma once

#include "availability/pattern.h"

#include <array>
#include <cstddef>
#include <string>

namespace bz::preview {

// A pattern the component accepted: its fields as written and the rule they convert to.
struct Rule {
    PatternFields fields;
    PatternRule values;
};

// How the views name each part of a pattern: "first date" .. "end time", "pattern" for the whole.
inline std::string fieldName(PatternField field) {
    static constexpr std::array<const char*, 6> names = {"first date", "last date", "teaching day",
                                                         "start time", "end time",  "pattern"};
    return names[static_cast<std::size_t>(field)];
}

} // namespace bz::preview
