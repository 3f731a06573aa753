#pragma once

#include "availability/day_mark_store.h"
#include "calendar/calendar.h"
#include "calendar/stage.h"

#include <memory>

namespace bz {

class Locale;

// What an availability conversion reads and writes besides its arguments: the calendar (read
// only), the stage it reaches, the open transfer's day marks (none before the first Prepare)
// and the locale of every text conversion. The day-mark store is looked up at every use: the
// host may open a new transfer from inside a host call of the conversion.
struct Conversion {
    const Calendar& calendar;
    Stage& strStage;
    const std::unique_ptr<DayMarkStore>& dictMarkedDays;
    const Locale& locale;
};

} // namespace bz
