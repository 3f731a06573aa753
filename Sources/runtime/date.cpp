#include "date.h"

#include "error.h"

#include <cmath>
#include <limits>

namespace bz {

namespace {

static_assert(std::numeric_limits<std::int64_t>::digits >= 63);

constexpr std::int64_t minDay = -657434;       // 1 Jan 100
constexpr std::int64_t maxDay = 2958465;       // 31 Dec 9999
constexpr std::int64_t epochFrom1970 = -25569; // 30 Dec 1899 counted from 1 Jan 1970
constexpr std::int64_t secondsPerDay = 86400;
constexpr std::int64_t minutesPerDay = 1440;

// Added to a time fraction before it is cut into whole minutes, so that a time stored a few ulps
// below a whole minute (10:00 is 0.41666...) is not read as the minute before. It covers the
// representation error of the whole Date, which grows with the day number, and stays far below a
// second (under a millisecond at 31 Dec 9999).
double nudge(const DateFields& fields) {
    return 1e-11 + static_cast<double>(fields.day < 0 ? -fields.day : fields.day) * 0x1p-50;
}

// The time of day at whole seconds, rounded to the nearest: 0..86400 (86400 is the next midnight).
// Rounding needs no cover for representation error, only the platform's own, smaller nudge: a
// Date a few millionths of a second below a half second rounds down, as the platform shows it.
std::int64_t roundedSeconds(const DateFields& fields) {
    const double roundingNudge =
        1e-11 + static_cast<double>(fields.day < 0 ? -fields.day : fields.day) * 0x1p-55;
    // Never negative, so the cast is the floor.
    return static_cast<std::int64_t>((fields.time + roundingNudge) * secondsPerDay + 0.5);
}

// Below this a time of day is not shown at all (the platform's threshold, in days).
constexpr double shownTime = 1e-12;

// The whole minutes elapsed in the time of day, truncated: 0..1439.
std::int64_t truncatedMinutes(const DateFields& fields) {
    // Never negative, so the cast is the floor.
    const auto minutes = static_cast<std::int64_t>((fields.time + nudge(fields)) * minutesPerDay);
    return minutes < minutesPerDay ? minutes : minutesPerDay - 1;
}

// Floor division, for carrying units toward minus infinity.
std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - (a % b < 0 ? 1 : 0);
}

} // namespace

bool inDateRange(double value) {
    // NaN fails both comparisons.
    return value > static_cast<double>(minDay - 1) && value < static_cast<double>(maxDay + 1);
}

Date checkedDate(double value) {
    if (!inDateRange(value))
        raise(ErrorNumber::Overflow);
    return value;
}

DateFields splitDate(Date date) {
    // The range keeps the cast to an integer defined; the cast cuts toward zero, as the day part
    // is counted on both sides of day 0.
    const auto day = static_cast<std::int64_t>(checkedDate(date));
    return {day, std::fabs(date - static_cast<double>(day))};
}

Date joinDate(std::int64_t day, double time) {
    if (day < minDay || day > maxDay || !(time >= 0.0 && time < 1.0))
        raise(ErrorNumber::Overflow);
    const auto whole = static_cast<double>(day);
    return day < 0 ? whole - time : whole + time;
}

// Howard Hinnant's days_from_civil, shifted to this epoch. A month outside 1..12 carries into the
// year and a day beyond the month into the next, as DateSerial(2000, 14, 2) is 2 Feb 2001.
std::int64_t daysFromCivil(CivilDate date) {
    const std::int64_t months = std::int64_t{date.year} * 12 + date.month - 1;
    const std::int64_t month = months - floorDiv(months, 12) * 12 + 1; // [1, 12]
    const std::int64_t y = floorDiv(months, 12) - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;                         // [0, 399]
    const std::int64_t mp = (month + 9) % 12;                       // [0, 11]
    const std::int64_t doy = (153 * mp + 2) / 5 + date.day - 1;     // [0, 365]
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy; // [0, 146096]
    return era * 146097 + doe - 719468 - epochFrom1970;
}

// Howard Hinnant's civil_from_days, shifted to this epoch.
CivilDate civilFromDays(std::int64_t day) {
    const std::int64_t z = day + epochFrom1970 + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;                                      // [0, 146096]
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365; // [0, 399]
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);               // [0, 365]
    const std::int64_t mp = (5 * doy + 2) / 153;                                    // [0, 11]
    const auto d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);                  // [1, 31]
    const auto m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);                     // [1, 12]
    const auto y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
    return {y, m, d};
}

// Which parts are shown is decided on the Date as stored, before the time is rounded: a time that
// rounds to midnight still shows (as 00:00:00, on the next day), and day 0 shows no date even when
// its time rounds into day 1.
DateTimeFields dateTimeFields(Date date) {
    const DateFields fields = splitDate(date);
    std::int64_t day = fields.day;
    std::int64_t seconds = roundedSeconds(fields);
    if (seconds == secondsPerDay) {
        ++day;
        seconds = 0;
    }
    const auto s = static_cast<int>(seconds);
    return {civilFromDays(day),
            {s / 3600, s / 60 % 60, s % 60},
            fields.day != 0,
            fields.time >= shownTime};
}

Date timeOfDayAtWholeSeconds(Date date) {
    return timeOfDayAtWholeSeconds(splitDate(date)).time;
}

DateFields timeOfDayAtWholeSeconds(const DateFields& fields) {
    return {0, static_cast<double>(secondsOfDay(fields)) / secondsPerDay};
}

std::int64_t secondsOfDay(const DateFields& fields) {
    // A time of day rounds to 0 .. secondsPerDay seconds: only the last one wraps.
    const std::int64_t seconds = roundedSeconds(fields);
    return seconds == secondsPerDay ? 0 : seconds;
}

Date addDays(Date date, double days) {
    const DateFields fields = splitDate(date);
    // The count is cut to whole days toward zero, as the runtime converts the number of intervals;
    // a count that cannot keep the date in range overflows.
    if (!(std::fabs(days) <= static_cast<double>(maxDay - minDay + 1)))
        raise(ErrorNumber::Overflow);
    return joinDate(fields.day + static_cast<std::int64_t>(days), fields.time);
}

std::int64_t minuteDifference(Date from, Date to) {
    return minuteDifference(splitDate(from), splitDate(to));
}

std::int64_t minuteDifference(const DateFields& from, const DateFields& to) {
    return (to.day - from.day) * minutesPerDay + truncatedMinutes(to) - truncatedMinutes(from);
}

int weekday(Date date, int firstDayOfWeek) {
    const std::int64_t shifted = (splitDate(date).day + 6 - (firstDayOfWeek - 1)) % 7;
    return static_cast<int>(shifted < 0 ? shifted + 7 : shifted) + 1;
}

// The time is formed as whole seconds over 86400 (one rounding, so 10:00 is the double nearest to
// 10/24); whole days in the time fields carry into the day, as TimeSerial(25, 0, 0) is day 1 01:00.
Date makeDate(CivilDate date, TimeOfDay time) {
    const std::int64_t seconds =
        std::int64_t{time.hour} * 3600 + std::int64_t{time.minute} * 60 + time.second;
    const std::int64_t carry = floorDiv(seconds, secondsPerDay);
    return joinDate(daysFromCivil(date) + carry,
                    static_cast<double>(seconds - carry * secondsPerDay) / secondsPerDay);
}

} // namespace bz
