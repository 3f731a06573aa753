#pragma once

#include "calendar/calendar.h"
#include "calendar/stage.h"
#include "runtime/date.h"
#include "runtime/integer.h"

#include <span>

namespace bz {

// The period index of the nearest period boundary to `t` in the college calendar. While it
// runs the stage is "Date To Period" with t's text; a successful conversion restores it.
Integer DateToPeriod(const Calendar& calendar, Stage& strStage, Date t);

// A conversion with what it found on the way: the same time of day exactly a week later is the
// same conversion but for the week (see WeeklyPeriod).
struct PeriodConversion {
    Integer result;
    std::int64_t day; // t's day number
    double timeOfDay; // t's time of day at whole seconds
    Integer days;     // from dtYearStart
    Integer position; // of t's weekday among the teaching days
    Integer base;     // the period index of the day's first period
    bool exactHalf;   // the periods into the day end in exactly one half
};
PeriodConversion convertDateToPeriod(const Calendar& calendar, Stage& strStage, Date t);

// The index of the first element equal to `value`, or -1. `values` holds an array's elements
// from index `lowerBound` on; an empty span is an array without bounds (error 9).
Integer IndexOfValue(std::span<const Integer> values, std::int32_t lowerBound, Integer value);

} // namespace bz
