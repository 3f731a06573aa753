#include "date_to_period.h"

#include "runtime/error.h"

namespace bz {

Integer DateToPeriod(const Calendar& calendar, Stage& strStage, Date t) {
    return convertDateToPeriod(calendar, strStage, t).result;
}

PeriodConversion convertDateToPeriod(const Calendar& calendar, Stage& strStage, Date t) {
    const Stage entryStage = strStage;
    strStage.setDateToPeriod(t);

    const DateFields fields = splitDate(t);
    const Integer days = toInteger(fields.day - splitDate(calendar.dtYearStart).day);
    const Integer week = divideInteger(days, 7);
    const Integer dayOffset = modInteger(days, 7);
    const Integer weekBase =
        multiplyInteger(multiplyInteger(week, calendar.intDaysPerWeek), calendar.intPeriodsPerDay);
    const Integer position = IndexOfValue(calendar.aDayOffsets, 0, dayOffset);
    const Integer base = addInteger(weekBase, multiplyInteger(position, calendar.intPeriodsPerDay));

    // The time of day as t's text form shows it: whole seconds.
    const DateFields timeOfDay = timeOfDayAtWholeSeconds(fields);
    const Integer minutes = toInteger(minuteDifference(splitDate(calendar.dtDayStart), timeOfDay));
    if (calendar.intPeriodMinutes == 0)
        raise(minutes == 0 ? ErrorNumber::Overflow : ErrorNumber::DivisionByZero);
    const double periods = static_cast<double>(minutes) / calendar.intPeriodMinutes;
    const Integer result = toInteger(periods + base);

    strStage = entryStage;
    const bool exactHalf =
        minutes % calendar.intPeriodMinutes != 0 && 2 * minutes % calendar.intPeriodMinutes == 0;
    return {result, fields.day, timeOfDay.time, days, position, base, exactHalf};
}

Integer IndexOfValue(std::span<const Integer> values, std::int32_t lowerBound, Integer value) {
    if (values.empty())
        raise(ErrorNumber::SubscriptOutOfRange);
    const Integer last = toInteger(std::int64_t{lowerBound} + std::ssize(values) - 1);
    const Integer first = toInteger(std::int64_t{lowerBound});
    // An Integer counter, as the runtime's loop has it: stepping past 32767 overflows.
    for (Integer i = first; i <= last; i = addInteger(i, 1))
        if (values[static_cast<std::size_t>(i - first)] == value)
            return i;
    return -1;
}

} // namespace bz
