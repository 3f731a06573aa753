#include "derived_calendar.h"

#include "shell/link_helper_state.h"

namespace bz::preview {

DerivedCalendar derivedCalendar(const LinkHelperState& state) {
    return {state.dtYearStart,
            state.dtYearEnd,
            state.dtDayStart,
            state.dtDayEnd,
            state.intStartWeekday,
            state.intPeriodsPerDay,
            state.intPeriodMinutes,
            std::vector<int>(state.aDayOffsets.begin(), state.aDayOffsets.end())};
}

} // namespace bz::preview
