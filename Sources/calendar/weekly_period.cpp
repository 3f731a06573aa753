#include "weekly_period.h"

#include <cstdint>

namespace bz {

namespace {

bool fitsInteger(std::int64_t value) {
    return value >= INT16_MIN && value <= INT16_MAX;
}

} // namespace

Integer WeeklyPeriod::next(const Calendar& calendar, Stage& strStage, Date t) {
    if (last_ && last_->calendarGeneration == calendar.generation && inDateRange(t) &&
        advance(calendar, splitDate(t)))
        return last_->conversion.result;
    last_.reset(); // a failed conversion leaves nothing to derive from
    last_ = Last{convertDateToPeriod(calendar, strStage, t), calendar.generation};
    return last_->conversion.result;
}

// Moves the last conversion on by a week, in place; false, and nothing changed, where the
// conversion of `fields` may differ from the full one.
bool WeeklyPeriod::advance(const Calendar& calendar, const DateFields& fields) {
    PeriodConversion& last = last_->conversion;
    if (fields.day != last.day + 7 || last.days < 0 || last.exactHalf ||
        secondsOfDay(fields) != last.secondsOfDay)
        return false;
    const std::int64_t days = std::int64_t{last.days} + 7;
    const std::int64_t weekDays = days / 7 * calendar.intDaysPerWeek;
    const std::int64_t weekBase = weekDays * calendar.intPeriodsPerDay;
    const std::int64_t base = weekBase + std::int64_t{last.position} * calendar.intPeriodsPerDay;
    const std::int64_t result = last.result + (base - last.base);
    if (!fitsInteger(days) || !fitsInteger(weekDays) || !fitsInteger(weekBase) ||
        !fitsInteger(base) || !fitsInteger(result))
        return false;
    last.result = static_cast<Integer>(result);
    last.day = fields.day;
    last.days = static_cast<Integer>(days);
    last.base = static_cast<Integer>(base);
    return true;
}

} // namespace bz
