#pragma once

#include "calendar/college_setup.h"
#include "hostsim/host.h"
#include "runtime/date.h"
#include "runtime/locale.h"
#include "shell/link_helper_state.h"

#include <memory>

namespace bz::bench {

// From Monday 5 January 2026, Monday to Friday, 09:00 to 17:00 in eight hourly periods, for
// `weeks` weeks: intDayCount is 5 * weeks.
inline hostsim::CollegeCalendar weekdayCalendar(std::int16_t weeks) {
    return {DateValue{makeDate({2026, 1, 5}, {0, 0, 0})},
            DateValue{makeDate({1899, 12, 30}, {9, 0, 0})},
            DateValue{makeDate({1899, 12, 30}, {17, 0, 0})},
            Integer{8},
            Integer{weeks},
            hostsim::weekdayList({2, 3, 4, 5, 6})};
}

// A link helper's state with that college handed over, in en-GB.
struct CollegeState {
    explicit CollegeState(std::int16_t weeks)
        : locale(makePortableLocale(PortableLocaleKind::EnGb)), state(*locale) {
        host.setCalendar(weekdayCalendar(weeks));
        SetActiveCollegeReference(state.varCollege, state.calendar, state.locale,
                                  hostsim::refTo(host.college()));
    }

    std::unique_ptr<Locale> locale;
    hostsim::Host host;
    LinkHelperState state;
};

} // namespace bz::bench
