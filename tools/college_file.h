#pragma once

#include "hostsim/host.h"
#include "runtime/date.h"
#include "runtime/locale.h"

#include <cstdint>
#include <string>
#include <vector>

namespace bz::preview {

// A college as the previewer's college file describes it.
struct College {
    Date startDate = 0;
    Date startTime = 0;
    Date endTime = 0;
    std::int16_t periodsPerDay = 0;
    std::int16_t weeksPerYear = 0;
    std::vector<std::int16_t> daysOfWeek; // 1 = Sunday .. 7 = Saturday, first teaching day first
};

// Reads a college file: one "key: value" line for each of the six keys below, in any order,
// keys in any case; blank lines and lines starting with '#' are ignored.
//
//   start date:      the first day of the calendar, a date in `locale` or year-month-day
//   start time:      when the teaching day starts, a time of day (09:00)
//   end time:        when it ends, a later time of day
//   periods per day: 1 to 1440
//   weeks per year:  1 to 32767
//   days of week:    the teaching days, first one first: names (Mon, Tuesday) or numbers
//                    (1 = Sunday .. 7 = Saturday), separated by blanks or commas
//
// InputError naming `fileName` and the line for anything else.
College readCollege(const std::u16string& text, const std::string& fileName, const Locale& locale);

// The college's members as the in-memory host answers them.
hostsim::CollegeCalendar calendarOf(const College& college);

// The English short name of weekday `weekday` (1 = Sunday .. 7 = Saturday).
const char* weekdayName(int weekday);

} // namespace bz::preview
