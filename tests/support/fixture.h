#pragma once

#include "availability/transfer.h"
#include "calendar/college_setup.h"
#include "hostsim/host.h"
#include "runtime/date.h"
#include "runtime/error.h"
#include "runtime/locale.h"
#include "shell/link_helper_state.h"
#include "support/error_number.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace bz::testing {

inline Date day(int year, int month, int dayOfMonth) {
    return makeDate({year, month, dayOfMonth}, {0, 0, 0});
}
inline Date at(int year, int month, int dayOfMonth, int hour, int minute) {
    return makeDate({year, month, dayOfMonth}, {hour, minute, 0});
}
inline Date timeOfDay(int hour, int minute) {
    return makeDate({1899, 12, 30}, {hour, minute, 0});
}

// The calendar most tests use: from Monday 5 January 2026, Monday to Friday, 09:00 to 17:00 in
// 16 periods of 30 minutes, 52 weeks.
inline hostsim::CollegeCalendar standardCalendar() {
    return {DateValue{day(2026, 1, 5)},
            DateValue{timeOfDay(9, 0)},
            DateValue{timeOfDay(17, 0)},
            Integer{16},
            Integer{52},
            hostsim::weekdayList({2, 3, 4, 5, 6})};
}

// A link helper's state and an in-memory host, in the en-GB locale.
class LinkHelperTest : public ::testing::Test {
  protected:
    LinkHelperTest() : locale_(makePortableLocale(PortableLocaleKind::EnGb)), state_(*locale_) {}

    void handOver(const hostsim::CollegeCalendar& calendar) {
        host_.setCalendar(calendar);
        SetActiveCollegeReference(state_.varCollege, state_.calendar, state_.locale,
                                  hostsim::refTo(host_.college()));
    }
    std::u16string stageText() const { return state_.strStage.text(*locale_); }
    DayMarkStore* dayMarks() { return state_.transfer.dictMarkedDays.get(); }

    // Every host object is released again; only the college stays held by the component.
    void expectAllReleased() {
        for (const auto& object : host_.objects()) {
            if (object.get() != &host_.college()) {
                EXPECT_EQ(object->references(), 0) << "a reference to a host object leaked";
            }
        }
    }

    std::unique_ptr<Locale> locale_;
    hostsim::Host host_;
    LinkHelperState state_;
};

} // namespace bz::testing
