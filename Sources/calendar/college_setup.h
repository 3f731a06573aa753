#pragma once

#include "calendar/calendar.h"
#include "runtime/variant.h"

#include <vector>

namespace bz {

class Locale;

// Stores the college reference and derives the calendar fields from the college's members.
// Handing over Nothing only releases the previous college. A failing read leaves the fields read
// before it in place.
void SetActiveCollegeReference(Variant& varCollege, Calendar& calendar, const Locale& locale,
                               const Variant& college);

// Each teaching day's distance in days (0 to 6) from the first one, in the list's order.
std::vector<Integer> DayOffsets(const Variant& teachingDays, const Locale& locale);

} // namespace bz
