#pragma once

#include "availability/conversion.h"
#include "runtime/date.h"
#include "runtime/integer.h"
#include "runtime/object.h"

namespace bz {

// Writes one weekly rule into the resource `target`: on teaching day `teachingDay` of every
// week from `firstDate` to `lastDate` (both within the calendar) the resource is available from
// `startTime` to `endTime`. Each resource day is cleared once per transfer, by the first rule
// that reaches it. The times are clamped to the teaching day in place.
void SetAvailabilities(const Conversion& conversion, const ObjectRef& target, Date firstDate,
                       Date lastDate, Date& startTime, Date& endTime, Integer teachingDay);

} // namespace bz
