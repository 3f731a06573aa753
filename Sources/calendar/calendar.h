#pragma once

#include "runtime/date.h"
#include "runtime/integer.h"

#include <cstdint>
#include <vector>

namespace bz {

// The college calendar, derived from the college's members when the college is handed over and
// written only then; every conversion reads it.
struct Calendar {
    Date dtYearStart = 0;
    Date dtYearEnd = 0;
    Integer intStartWeekday = 0;
    Date dtDayStart = 0;
    Date dtDayEnd = 0;
    Integer intPeriodMinutes = 0;
    // The teaching days' offsets from the first teaching day; empty until a college is set.
    std::vector<Integer> aDayOffsets;
    Integer intPeriodsPerDay = 0;
    Integer intDaysPerWeek = 0;
    Integer intDayCount = 0;
    // Advanced by every hand-over, complete or failed: what was derived from the calendar of an
    // older generation may no longer hold.
    std::uint64_t generation = 0;
};

} // namespace bz
