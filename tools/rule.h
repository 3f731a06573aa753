#pragma once

#include "availability/pattern.h"
#include "runtime/date.h"
#include "runtime/integer.h"
#include "runtime/locale.h"

#include <array>
#include <string>

namespace bz::preview {

// An availability pattern converted as the component converts it.
struct Rule {
    PatternFields fields;
    Date firstDate = 0;
    Date lastDate = 0;
    Integer teachingDay = 0;
    Date startTime = 0;
    Date endTime = 0;
};

inline constexpr std::array<const char*, 5> fieldNames = {"first date", "last date", "teaching day",
                                                          "start time", "end time"};

// Converts `rule.fields` in the component's order, with its conversions. The index of the
// first field that fails, -1 when all five convert.
int convertFields(Rule& rule, const Locale& locale);

} // namespace bz::preview
