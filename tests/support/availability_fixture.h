#pragma once

#include "support/fixture.h"

#include <map>
#include <vector>

namespace bz::testing {

// A calendar from Monday 5 January 2026, Monday to Friday, 09:00 to 17:00 in eight 60-minute
// periods, 52 weeks: day index d starts at period 8 * d, and Wednesday of week w is day 5w + 2.
inline hostsim::CollegeCalendar hourlyCalendar() {
    hostsim::CollegeCalendar calendar = standardCalendar();
    calendar.periodsPerDay = Integer{8};
    return calendar;
}

// The first period of teaching day `position` (0 = Monday) of week `week`.
constexpr std::int32_t dayStart(int week, int position) {
    return (week * 5 + position) * 8;
}

// A resource named "Room 12" with host key "R12", and an open transfer.
class AvailabilityTest : public LinkHelperTest {
  protected:
    AvailabilityTest() : room_(host_.addResource(u"Room 12", u"R12")) {
        handOver(hourlyCalendar());
        PrepareAvailabilityTransfer(state_.transfer);
        host_.takeCalls();
    }

    // The periods of the resource that hold `value`, in order.
    std::vector<std::int32_t> periodsSetTo(bool value) const { return room_.periodsSetTo(value); }

    hostsim::Resource& room_;
};

// A period run from `first` to `last` inclusive.
inline std::vector<std::int32_t> run(std::int32_t first, std::int32_t last) {
    std::vector<std::int32_t> periods;
    for (std::int32_t p = first; p <= last; ++p)
        periods.push_back(p);
    return periods;
}

inline std::vector<std::int32_t> join(std::initializer_list<std::vector<std::int32_t>> parts) {
    std::vector<std::int32_t> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

} // namespace bz::testing
