#include "weekly_period.h"

#include <cstdint>

namespace bz {

namespace {

bool fitsInteger(std::int64_t value) {
    return value >= INT16_MIN && value <= INT16_MAX;
}

} // namespace

Integer WeeklyPeriod::next(const Calendar& calendar, Stage& strStage, Date t) {
    std::optional<PeriodConversion> derived;
    if (last_ && last_->calendarGeneration == calendar.generation && inDateRange(t))
        derived = next(calendar, splitDate(t));
    if (!derived) {
        last_.reset(); // a failed conversion leaves nothing to derive from
        derived = convertDateToPeriod(calendar, strStage, t);
    }
    last_ = Last{*derived, calendar.generation};
    return derived->result;
}

// The conversion a week after the last one, or nothing where it may differ from the full one.
std::optional<PeriodConversion> WeeklyPeriod::next(const Calendar& calendar,
                                                   const DateFields& fields) const {
    const PeriodConversion& last = last_->conversion;
    if (fields.day != last.day + 7 || last.days < 0 || last.exactHalf ||
        secondsOfDay(fields) != last.secondsOfDay)
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
                            last.secondsOfDay,
                            static_cast<Integer>(days),
                            last.position,
                            static_cast<Integer>(base),
                            false};
}

} // namespace bz
