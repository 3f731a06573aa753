#pragma once

#include "hostsim/host.h"

namespace bz::test {

// The college calendar of the Wine tests: from Monday 5 January 2026, Monday to Friday
// 09:00-17:00 in 16 periods of 30 minutes, 52 weeks. Teaching day d starts at period 16 * d.
inline hostsim::CollegeCalendar standardCalendar() {
    return {Variant(DateValue{46027.0}),   Variant(DateValue{9.0 / 24}),
            Variant(DateValue{17.0 / 24}), Variant(std::int16_t{16}),
            Variant(std::int16_t{52}),     hostsim::weekdayList({2, 3, 4, 5, 6})};
}

} // namespace bz::test
