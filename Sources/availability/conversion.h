#pragma once

#include "availability/day_mark_store.h"
#include "availability/remembered_conversions.h"
#include "calendar/calendar.h"
#include "calendar/stage.h"

#include <memory>

namespace bz {

class Locale;

// What an availability conversion reads and writes besides its arguments: the calendar (read
// only), the stage it reaches, the open transfer's day marks (none before the first Prepare),
// the locale of every text conversion and the conversions the transfer remembers. The day-mark
// store is reached through its owner on every use: a host call may open or close a transfer
// meanwhile.
struct Conversion {
    const Calendar& calendar;
    Stage& strStage;
    const std::unique_ptr<DayMarkStore>& dictMarkedDays;
    const Locale& locale;
    RememberedConversions& remembered;
};

} // namespace bz
