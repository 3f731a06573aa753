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

// The index of the first element equal to `value`, or -1. `values` holds an array's elements
// from index `lowerBound` on; an empty span is an array without bounds (error 9).
Integer IndexOfValue(std::span<const Integer> values, std::int32_t lowerBound, Integer value);

} // namespace bz
