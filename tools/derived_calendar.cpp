#include "derived_calendar.h"

#include "calendar/calendar.h"

namespace bz::preview {

DerivedCalendar derivedCalendar(const Calendar& calendar) {
    return {calendar.dtYearStart,
            calendar.dtYearEnd,
            calendar.dtDayStart,
            calendar.dtDayEnd,
            calendar.intStartWeekday,
            calendar.intPeriodsPerDay,
            calendar.intPeriodMinutes,
            std::vector<int>(calendar.aDayOffsets.begin(), calendar.aDayOffsets.end())};
}

} // namespace bz::preview
