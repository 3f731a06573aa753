#pragma once

#include "runtime/variant.h"
#include "shell/link_helper_state.h"

#include <vector>

namespace bz {

// Stores the college reference and derives the calendar fields from the college's members.
// Handing over Nothing only releases the previous college.
void SetActiveCollegeReference(LinkHelperState& state, const Variant& college);

// Each teaching day's distance in days (0 to 6) from the first one, in the list's order.
std::vector<Integer> DayOffsets(const Variant& teachingDays, const Locale& locale);

} // namespace bz
