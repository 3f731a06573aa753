#pragma once

#include "availability/pattern.h"
#include "runtime/date.h"
#include "runtime/error.h"
#include "runtime/integer.h"
#include "runtime/locale.h"

#include <array>
#include <optional>
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

// The first field that fails to convert, and its run-time error.
struct FieldFailure {
    std::size_t field;
    AutomationError error;
};

// Converts `rule.fields` in the component's order, with its conversions; nothing when all five
// convert.
std::optional<FieldFailure> convertFields(Rule& rule, const Locale& locale);

} // namespace bz::preview
