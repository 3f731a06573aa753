#pragma once

#include "availability/day_mark_store.h"
#include "calendar/calendar.h"
#include "calendar/stage.h"

namespace bz {

class Locale;

// What an availability conversion reads and writes besides its arguments: the calendar (read
// only), the stage it reaches, the open transfer's day marks (none before the first Prepare)
// and the locale of every text conversion.
struct Conversion {
    const Calendar& calendar;
    Stage& strStage;
    DayMarkStore* dictMarkedDays;
    const Locale& locale;
};

} // namespace bz
