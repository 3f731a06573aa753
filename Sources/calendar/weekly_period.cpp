#include "weekly_period.h"

#include <cstdint>

namespace bz {

namespace {

bool fitsInteger(std::int64_t value) {
    return value >= INT16_MIN && value <= INT16_MAX;
}

} // namespace

WeeklyPeriod::CalendarUsed::CalendarUsed(const Calendar& calendar)
    : dtYearStart(calendar.dtYearStart), dtDayStart(calendar.dtDayStart),
      intPeriodMinutes(calendar.intPeriodMinutes), intPeriodsPerDay(calendar.intPeriodsPerDay),
      intDaysPerWeek(calendar.intDaysPerWeek), aDayOffsets(calendar.aDayOffsets.data()),
      offsetCount(calendar.aDayOffsets.size()) {}

Integer WeeklyPeriod::next(const Calendar& calendar, Stage& strStage, Date t) {
    const CalendarUsed used(calendar);
    const bool inRange = t > minDate - 1 && t < maxDate + 1;
    std::optional<PeriodConversion> derived;
    if (last_ && inRange && calendarUsed_ == used)
        derived = next(calendar, splitDate(t));
    if (!derived) {
        calendarUsed_.reset();
        derived = convertDateToPeriod(calendar, strStage, t);
        calendarUsed_ = used;
    }
    last_ = derived;
    return last_->result;
}

// The conversion a week after the last one, or nothing where it may differ from the full one.
std::optional<PeriodConversion> WeeklyPeriod::next(const Calendar& calendar,
                                                   const DateFields& fields) const {
    const PeriodConversion& last = *last_;
    if (fields.day != last.day + 7 || last.days < 0 || last.exactHalf ||
        timeOfDayAtWholeSeconds(fields).time != last.timeOfDay)
        return std::nullopt;
    const std::int64_t days = std::int64_t{last.days} + 7;
    const std::int64_t weekDays = days / 7 * calendar.intDaysPerWeek;
    const std::int64_t weekBase = weekDays * calendar.intPeriodsPerDay;
    const std::int64_t base = weekBase + std::int64_t{last.position} * calendar.intPeriodsPerDay;
    const std::int64_t result = last.result + (base - last.base);
    if (!fitsInteger(days) || !fitsInteger(weekDays) || !fitsInteger(weekBase) ||
        !fitsInteger(base) || !fitsInteger(result))
        return std::nullopt;
    return PeriodConversion{static_cast<Integer>(result),
                            fields.day,
                            last.timeOfDay,
                            static_cast<Integer>(days),
                            last.position,
                            static_cast<Integer>(base),
                            false};
}

} // namespace bz
