#pragma once

#include "availability/conversion.h"
#include "runtime/object.h"

#include <array>
#include <string>

namespace bz {

// The fields of an availability pattern "first date|last date|teaching day|start|end[|...]":
// at most six, split at "|" with nothing trimmed; the fields not present are empty.
using PatternFields = std::array<std::u16string, 6>;

// Splits at every "|". Error 9 for a seventh field, error 6 for a separator at position 32767
// or later.
PatternFields SplitPattern(const std::u16string& pattern);

// Converts the pattern's first five fields and writes the rule into the resource.
void ApplyAvailabilityPattern(const Conversion& conversion, const ObjectRef& target,
                              const std::u16string& pattern);

} // namespace bz
