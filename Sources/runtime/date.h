#pragma once

#include <cstdint>

namespace bz {

// A Date: days since 30 December 1899 as a double. Before that day the integer part counts days
// back and the fraction is still the time of day, added forward (-1.25 is 29 Dec 1899 06:00).
using Date = double;

// The first and the last day of the Date range: 1 Jan 100 and 31 Dec 9999. Both days are Dates
// with any time of day, so the range runs from just above -657435 to just below 2958466.
inline constexpr Date minDate = -657434.0;
inline constexpr Date maxDate = 2958465.0;

struct CivilDate {
    int year;
    int month; // 1..12
    int day;   // 1..31
};

struct TimeOfDay {
    int hour;   // 0..23
    int minute; // 0..59
    int second; // 0..59
};

// The day part of a Date (truncated toward zero) and the time of day as a fraction in [0, 1).
struct DateFields {
    std::int64_t day;
    double time;
};

// A floating value as a Date: error 6 outside the Date range (NaN and infinities included).
Date checkedDate(double value);
// Whether `value` lies in the Date range, as checkedDate tests it.
bool inDateRange(double value);

// Error 6 for a Date outside the range (NaN and infinities included).
DateFields splitDate(Date date);
// The Date of a day number and a time-of-day fraction in [0, 1); error 6 outside the Date range.
Date joinDate(std::int64_t day, double time);

// Day numbers counted from 30 December 1899 (day 0) in the proleptic Gregorian calendar. A month
// outside 1..12 or a day beyond its month carries over, as in DateSerial(2000, 14, 2).
std::int64_t daysFromCivil(CivilDate date);
CivilDate civilFromDays(std::int64_t day);

// The calendar date and the time of day at whole seconds that a Date's text form shows. Seconds
// are rounded to the nearest, a half second up; a time that rounds up to midnight moves to the
// next day.
struct DateTimeFields {
    CivilDate date;
    TimeOfDay time;
    bool hasDatePart; // false for day 0 (30 Dec 1899), which the text form omits
    bool hasTimePart; // false when the Date has no time of day (a fraction under 1e-12 of a day)
};
DateTimeFields dateTimeFields(Date date);

// The time-of-day value of a Date at whole seconds (date part zero), as read back from its text.
Date timeOfDayAtWholeSeconds(Date date);
// The same of a Date already split: day 0 and the time at whole seconds.
DateFields timeOfDayAtWholeSeconds(const DateFields& fields);
// Those whole seconds, 0..86399.
std::int64_t secondsOfDay(const DateFields& fields);

// Date operations with the runtime's meaning (first day of week 1, first week of year 1).
// Adds days (interval "d") keeping the time of day; a fractional count is cut toward zero to
// whole days. Error 6 out of range.
Date addDays(Date date, double days);
// Minute boundaries crossed from `from` to `to` (interval "n").
std::int64_t minuteDifference(Date from, Date to);
std::int64_t minuteDifference(const DateFields& from, const DateFields& to);
// The weekday 1..7 of a date, counted from `firstDayOfWeek` (1 = Sunday .. 7 = Saturday).
int weekday(Date date, int firstDayOfWeek);

// A Date from calendar fields, carrying fields outside their ranges (25:00 is 01:00 of the next
// day); error 6 when it falls outside the Date range.
Date makeDate(CivilDate date, TimeOfDay time);

} // namespace bz
