#pragma once

#include "runtime/date.h"

#include <vector>

namespace bz {
struct Calendar;
}

namespace bz::preview {

// The calendar as the component derived it from the college.
struct DerivedCalendar {
    Date yearStart = 0;
    Date yearEnd = 0; // the closing day
    Date dayStart = 0;
    Date dayEnd = 0;
    int startWeekday = 0; // of yearStart, 1 = Sunday
    int periodsPerDay = 0;
    int periodMinutes = 0;
    std::vector<int> dayOffsets; // days from the first teaching day, one per teaching day

    int periodsPerWeek() const { return periodsPerDay * static_cast<int>(dayOffsets.size()); }
    // The weeks from the first day to the closing day, the closing day's week included.
    int weekCount() const {
        return yearEnd < yearStart ? 0 : static_cast<int>((yearEnd - yearStart) / 7) + 1;
    }
};

DerivedCalendar derivedCalendar(const Calendar& calendar);

} // namespace bz::preview
