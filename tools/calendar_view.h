#pragma once

#include "derived_calendar.h"
#include "runtime/date.h"
#include "runtime/locale.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace bz::preview {

// The days a grid shows: those between `from` and `to` (inclusive), and of them the first
// `weeks` weeks of the calendar.
struct DayRange {
    std::optional<Date> from;
    std::optional<Date> to;
    std::optional<int> weeks;
};

// A teaching day of the calendar: its calendar week (from 0), position in the week, date and
// first period index.
struct TeachingDay {
    int week;
    int position;
    Date date;
    std::int32_t firstPeriod;
};

// The teaching days from the calendar's first day up to its closing day, within `range`.
std::vector<TeachingDay> teachingDays(const DerivedCalendar& calendar, const DayRange& range);

// The English short name of weekday `weekday` (1 = Sunday .. 7 = Saturday).
const char* weekdayName(int weekday);
// "Mon 02/09/2024": the weekday and the date in the locale's text form.
std::string dayLabel(Date date, const Locale& locale);
// "09:00" for a time of day.
std::string clockText(Date time);
// The start of period `period` of a teaching day ("09:30"); period periodsPerDay is the end.
std::string periodStart(const DerivedCalendar& calendar, int period);

// One paragraph on the calendar: first and closing day, teaching days and periods.
void printCalendarSummary(std::ostream& out, const DerivedCalendar& calendar, const Locale& locale);

} // namespace bz::preview
