#pragma once

#include "availability/conversion.h"
#include "runtime/date.h"
#include "runtime/error.h"
#include "runtime/integer.h"
#include "runtime/object.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

namespace bz {

class Locale;
class RememberedConversions;

// The fields of an availability pattern "first date|last date|teaching day|start|end[|...]":
// at most six, split at "|" with nothing trimmed; the fields not present are empty. They view
// the pattern they were split from.
using PatternFields = std::array<std::u16string_view, 6>;

// Splits at every "|". Error 9 for a seventh field, error 6 for a separator at position 32767
// or later.
PatternFields SplitPattern(const std::u16string& pattern);

// The five fields a rule is made of, in the pattern's order; `whole` stands for the pattern
// itself, when it does not split.
enum class PatternField : std::size_t {
    firstDate,
    lastDate,
    teachingDay,
    startTime,
    endTime,
    whole
};

// A pattern's rule, its fields converted.
struct PatternRule {
    Date firstDate = 0;
    Date lastDate = 0;
    Integer teachingDay = 0;
    Date startTime = 0;
    Date endTime = 0;
};

// Why a pattern does not convert: the first part that failed, its text and its run-time error.
struct PatternFailure {
    PatternField field;
    std::u16string text;
    AutomationError error;
};

// A pattern converted: its rule, or the part that failed.
using ConvertedPattern = std::variant<PatternRule, PatternFailure>;

// Splits the pattern and converts its first five fields in the pattern's order (field 5 is never
// read), through `remembered`: the rule, or the first failure.
ConvertedPattern ConvertPattern(const Locale& locale, RememberedConversions& remembered,
                                const std::u16string& pattern);

// Converts the pattern's first five fields and writes the rule into the resource; a failure is
// raised as its run-time error before the resource is touched.
void ApplyAvailabilityPattern(const Conversion& conversion, const ObjectRef& target,
                              const std::u16string& pattern);

} // namespace bz
