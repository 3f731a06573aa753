#include "availability/weekly_writer.h"
#include "support/availability_fixture.h"

#include <string>

namespace bz::testing {
namespace {

class WeeklyWriterTest : public AvailabilityTest {
  protected:
    void write(Date first, Date last, Date start, Date end, Integer teachingDay) {
        write(room_, first, last, start, end, teachingDay);
    }
    void write(hostsim::Resource& resource, Date first, Date last, Date start, Date end,
               Integer teachingDay) {
        SetAvailabilities(state_.conversion(), ObjectRef(&resource), first, last, start, end,
                          teachingDay);
    }

    // The calls as a compact script: "59", "510", "616(first,count,value)", "510=".
    static std::vector<std::string> script(const hostsim::CallLog& calls) {
        std::vector<std::string> lines;
        for (const hostsim::Call& call : calls) {
            const std::int32_t id = std::get<std::int32_t>(call.member);
            std::string line = std::to_string(id);
            if (call.kind == InvokeKind::PropertyPutRef) {
                EXPECT_EQ(call.args.at(0).variantType, 9);
                line += "=";
            } else if (id == 616) {
                EXPECT_EQ(call.kind, InvokeKind::Method);
                EXPECT_EQ(call.args.at(0).variantType, 3);
                EXPECT_EQ(call.args.at(1).variantType, 3);
                EXPECT_EQ(call.args.at(2).variantType, 0x400B);
                line += "(" + std::to_string(call.args[0].value.get<Long>()) + "," +
                        std::to_string(call.args[1].value.get<Long>()) + "," +
                        (call.args[2].value.get<Boolean>().value ? "T" : "F") + ")";
            } else {
                EXPECT_EQ(call.kind, InvokeKind::MethodOrPropertyGet);
            }
            lines.push_back(line);
        }
        return lines;
    }
    using Script = std::vector<std::string>;
};

TEST_F(WeeklyWriterTest, EachWeekClearsTheDayOnceThenSetsTheSpanAndStoresItBack) {
    write(day(2026, 1, 7), day(2026, 1, 21), timeOfDay(9, 0), timeOfDay(11, 0), 3);
    EXPECT_EQ(script(host_.takeCalls()),
              (Script{"59", "510", "616(16,8,F)", "616(16,2,T)", "510=", "510", "616(56,8,F)",
                      "616(56,2,T)", "510=", "510", "616(96,8,F)", "616(96,2,T)", "510="}));
    EXPECT_EQ(periodsSetTo(true), join({run(16, 17), run(56, 57), run(96, 97)}));
    EXPECT_EQ(periodsSetTo(false), join({run(18, 23), run(58, 63), run(98, 103)}));
    EXPECT_EQ(stageText(), u"Setting Availabilities");
    expectAllReleased();
}

TEST_F(WeeklyWriterTest, RulesForOneDayAddUpWithinATransferAndStartAfreshInTheNext) {
    write(day(2026, 1, 7), day(2026, 1, 7), timeOfDay(9, 0), timeOfDay(11, 0), 3);
    write(day(2026, 1, 7), day(2026, 1, 7), timeOfDay(14, 0), timeOfDay(16, 0), 3);
    EXPECT_EQ(script(host_.takeCalls()), (Script{"59", "510", "616(16,8,F)", "616(16,2,T)",
                                                 "510=", "59", "510", "616(21,2,T)", "510="}));
    EXPECT_EQ(periodsSetTo(true), (std::vector<std::int32_t>{16, 17, 21, 22}));

    FinishAvailabilityTransfer(state_.transfer, nullptr);
    PrepareAvailabilityTransfer(state_.transfer);
    write(day(2026, 1, 7), day(2026, 1, 7), timeOfDay(14, 0), timeOfDay(16, 0), 3);
    EXPECT_EQ(periodsSetTo(true), (std::vector<std::int32_t>{21, 22}));
}

TEST_F(WeeklyWriterTest, ResourcesAreClearedIndependently) {
    hostsim::Resource& other = host_.addResource(u"Room 13", u"R13");
    write(day(2026, 1, 7), day(2026, 1, 7), timeOfDay(9, 0), timeOfDay(11, 0), 3);
    write(other, day(2026, 1, 7), day(2026, 1, 7), timeOfDay(14, 0), timeOfDay(16, 0), 3);
    EXPECT_EQ(periodsSetTo(true), (std::vector<std::int32_t>{16, 17}));
    EXPECT_EQ(other.periods().size(), 8u);
    EXPECT_EQ(other.periods().at(21), true);
    EXPECT_EQ(other.periods().at(16), false);
}

TEST_F(WeeklyWriterTest, TheFirstOccurrenceFollowsTheFirstDate) {
    struct Case {
        Date first;
        Date last;
        std::vector<std::int32_t> available;
    };
    const Case cases[] = {
        // A Wednesday first date is the first week written; a Wednesday last date the last one.
        {day(2026, 1, 14), day(2026, 1, 28), join({run(56, 57), run(96, 97), run(136, 137)})},
        // A Thursday first date starts on the Wednesday of the following week.
        {day(2026, 1, 8), day(2026, 1, 21), join({run(56, 57), run(96, 97)})},
        // A first date before the calendar starts in its first week.
        {day(2025, 12, 1), day(2026, 1, 14), join({run(16, 17), run(56, 57)})},
        // Tuesday to the same Tuesday holds no Wednesday.
        {day(2026, 1, 13), day(2026, 1, 13), {}},
    };
    for (const Case& c : cases) {
        room_.periods().clear();
        PrepareAvailabilityTransfer(state_.transfer);
        write(c.first, c.last, timeOfDay(9, 0), timeOfDay(11, 0), 3);
        EXPECT_EQ(periodsSetTo(true), c.available) << (&c - cases);
    }
}

TEST_F(WeeklyWriterTest, AWeekWithoutOccurrenceStillReadsTheHostKeyOnce) {
    write(day(2026, 1, 13), day(2026, 1, 13), timeOfDay(9, 0), timeOfDay(11, 0), 3);
    EXPECT_EQ(script(host_.takeCalls()), Script{"59"});
}

TEST_F(WeeklyWriterTest, RulesOutsideTheCalendarOrBackwardsWriteNothing) {
    const Date yearEnd = state_.calendar.dtYearEnd;
    struct Case {
        Date first;
        Date last;
    };
    const Case cases[] = {
        {day(2025, 9, 1), day(2025, 12, 19)}, // wholly before the calendar
        {yearEnd + 1, yearEnd + 100},         // wholly after it
        {day(2026, 3, 10), day(2026, 3, 5)},  // last date before the first
        {day(2027, 9, 1), day(2026, 3, 5)},   // both
        // in the last week of the Date range: its Wednesday lies before the first date, and the
        // Wednesday after it beyond 31 Dec 9999
        {day(9999, 12, 30), day(9999, 12, 31)},
    };
    for (const Case& c : cases) {
        write(c.first, c.last, timeOfDay(9, 0), timeOfDay(11, 0), 3);
        EXPECT_EQ(script(host_.takeCalls()), Script{"59"}) << (&c - cases);
    }
    EXPECT_TRUE(room_.periods().empty());
}

TEST_F(WeeklyWriterTest, AtTheEndsOfTheDateRangeTheRuleKeepsItsWeeks) {
    // A teaching day past 31 Dec 9999 is no week of the rule.
    hostsim::CollegeCalendar calendar = hourlyCalendar();
    calendar.daysOfWeek = hostsim::weekdayList({2, 3, 4, 5, 6, 7, 1});
    handOver(calendar);
    host_.takeCalls();
    write(day(9999, 12, 31), day(9999, 12, 31), timeOfDay(9, 0), timeOfDay(11, 0), 7);
    EXPECT_EQ(script(host_.takeCalls()), Script{"59"});

    // A calendar closing on 31 Dec 9999 writes its closing day.
    calendar = hourlyCalendar();
    calendar.startDate = DateValue{day(9999, 12, 6)};
    calendar.weeksPerYear = Integer{3};
    handOver(calendar);
    write(day(9999, 12, 6), day(9999, 12, 31), timeOfDay(9, 0), timeOfDay(10, 0), 5);
    EXPECT_EQ(periodsSetTo(true), (std::vector<std::int32_t>{dayStart(0, 4), dayStart(1, 4),
                                                             dayStart(2, 4), dayStart(3, 4)}));

    // On 1 Jan 100 a teaching day given by negative times of day (-0.375 is 09:00) starts the day.
    calendar = hourlyCalendar();
    calendar.startDate = DateValue{minDate};
    calendar.startTime = DateValue{-timeOfDay(9, 0)};
    calendar.endTime = DateValue{-timeOfDay(17, 0)};
    handOver(calendar);
    room_.periods().clear();
    write(minDate, minDate, -timeOfDay(9, 0), -timeOfDay(17, 0), 1);
    EXPECT_EQ(periodsSetTo(true), run(0, 7));
}

TEST_F(WeeklyWriterTest, ALastDateBeyondTheCalendarRunsToItsClosingDayInclusive) {
    // The closing day is the Friday of week 52, one week after the last calendar week.
    const Date yearEnd = state_.calendar.dtYearEnd;
    write(yearEnd - 7, yearEnd + 30, timeOfDay(9, 0), timeOfDay(10, 0), 5);
    EXPECT_EQ(periodsSetTo(true), (std::vector<std::int32_t>{dayStart(51, 4), dayStart(52, 4)}));
}

TEST_F(WeeklyWriterTest, DaysBeyondTheMarkedRangeAreClearedByEveryRule) {
    // Day 264, the closing Friday, lies past intDayCount (260): it is never found marked.
    const Date yearEnd = state_.calendar.dtYearEnd;
    write(yearEnd, yearEnd, timeOfDay(9, 0), timeOfDay(10, 0), 5);
    write(yearEnd, yearEnd, timeOfDay(11, 0), timeOfDay(12, 0), 5);
    const std::int32_t first = dayStart(52, 4);
    EXPECT_EQ(script(host_.takeCalls()),
              (Script{"59", "510", "616(" + std::to_string(first) + ",8,F)",
                      "616(" + std::to_string(first) + ",1,T)", "510=", "59", "510",
                      "616(" + std::to_string(first) + ",8,F)",
                      "616(" + std::to_string(first + 2) + ",1,T)", "510="}));
}

TEST_F(WeeklyWriterTest, TimesAreClampedToTheTeachingDayInPlace) {
    Date start = timeOfDay(7, 0);
    Date end = timeOfDay(19, 0);
    SetAvailabilities(state_.conversion(), ObjectRef(&room_), day(2026, 1, 7), day(2026, 1, 7),
                      start, end, 3);
    EXPECT_EQ(start, timeOfDay(9, 0));
    EXPECT_EQ(end, timeOfDay(17, 0));
    EXPECT_EQ(periodsSetTo(true), run(16, 23));
}

TEST_F(WeeklyWriterTest, AnEmptySpanStillClearsAndStoresTheDay) {
    write(day(2026, 1, 7), day(2026, 1, 14), timeOfDay(12, 0), timeOfDay(11, 0), 3);
    write(day(2026, 1, 7), day(2026, 1, 7), timeOfDay(12, 0), timeOfDay(12, 20), 3);
    EXPECT_EQ(script(host_.takeCalls()), (Script{"59", "510", "616(16,8,F)", "510=", "510",
                                                 "616(56,8,F)", "510=", "59", "510", "510="}));
    EXPECT_TRUE(periodsSetTo(true).empty());
}

TEST_F(WeeklyWriterTest, TeachingDayOutsideTheWeekFailsBeforeTouchingTheResource) {
    for (Integer teachingDay : {Integer{0}, Integer{6}, Integer{-32768}}) {
        const int error = errorOf([&] {
            write(day(2026, 1, 7), day(2026, 1, 7), timeOfDay(9, 0), timeOfDay(11, 0), teachingDay);
        });
        EXPECT_EQ(error, teachingDay == -32768 ? 6 : 9);
        EXPECT_EQ(stageText(), u"Calculating Day of Week");
    }
    EXPECT_TRUE(host_.log().empty());
}

TEST_F(WeeklyWriterTest, AFailedWeekKeepsEarlierWeeksAndLeavesItsDayUnmarked) {
    int availabilityReads = 0;
    hostsim::Resource& room = room_;
    // The second week's availability object rejects the span.
    room.define(host::DISPID_ResourceAvailability, [&](hostsim::Invocation& call) -> Variant {
        if (call.kind == InvokeKind::PropertyPutRef) {
            room.periods() =
                dynamic_cast<hostsim::Availability&>(*call.value(0).get<ObjectRef>()).periods();
            return {};
        }
        auto& availability = host_.make<hostsim::Availability>(host_.log(), room.periods());
        if (++availabilityReads == 2)
            availability.fail(
                host::DISPID_AvailabilitySetRange,
                hostsim::hostError(static_cast<std::int32_t>(0x80040005), u"read only"));
        return hostsim::refTo(availability);
    });
    try {
        write(day(2026, 1, 7), day(2026, 1, 21), timeOfDay(9, 0), timeOfDay(11, 0), 3);
        FAIL() << "no error";
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.description(), u"read only");
    }
    EXPECT_EQ(stageText(), u"Setting Availabilities");
    EXPECT_EQ(periodsSetTo(true), run(16, 17));
    EXPECT_TRUE(DayHasBeenMarked(state_.calendar, dayMarks(), u"R12", 16));
    EXPECT_FALSE(DayHasBeenMarked(state_.calendar, dayMarks(), u"R12", 56));
    expectAllReleased();
}

TEST_F(WeeklyWriterTest, ACollegeHandedOverInsideAHostCallRulesTheRestOfTheRule) {
    // Thursday is the fourth of Monday to Friday and the third of Monday, Tuesday and Thursday to
    // Saturday: weeks of the same size, other offsets.
    hostsim::CollegeCalendar shifted = hourlyCalendar();
    shifted.daysOfWeek = hostsim::weekdayList({2, 3, 5, 6, 7});
    hostsim::Resource& room = room_;
    int stores = 0;
    room.define(host::DISPID_ResourceAvailability, [&](hostsim::Invocation& call) -> Variant {
        if (call.kind != InvokeKind::PropertyPutRef)
            return hostsim::refTo(host_.make<hostsim::Availability>(host_.log(), room.periods()));
        room.periods() =
            dynamic_cast<hostsim::Availability&>(*call.value(0).get<ObjectRef>()).periods();
        // Twice, as the second calendar's offsets may take the place the first one's had.
        if (++stores == 2) {
            handOver(shifted);
            handOver(shifted);
        }
        return {};
    });
    write(day(2026, 1, 8), day(2026, 2, 5), timeOfDay(9, 0), timeOfDay(10, 0), 4);
    EXPECT_EQ(periodsSetTo(true),
              (std::vector<std::int32_t>{dayStart(0, 3), dayStart(1, 3), dayStart(2, 2),
                                         dayStart(3, 2), dayStart(4, 2)}));
}

TEST_F(WeeklyWriterTest, AConversionFailureReportsTheDateBeingConverted) {
    hostsim::CollegeCalendar calendar = hourlyCalendar();
    calendar.weeksPerYear = Integer{900};
    handOver(calendar);
    PrepareAvailabilityTransfer(state_.transfer);
    // The Monday of week 819 starts at period 32760 and ends at 32768, past what an Integer holds.
    const Date week819 = day(2026, 1, 5) + 819 * 7;
    EXPECT_EQ(errorOf([&] { write(week819 - 7, week819, timeOfDay(9, 0), timeOfDay(10, 0), 1); }),
              6);
    EXPECT_EQ(stageText(), u"Date To Period" + locale_->formatDate(week819 + timeOfDay(17, 0)));
    EXPECT_EQ(periodsSetTo(true), std::vector<std::int32_t>{dayStart(818, 0)});
}

TEST_F(WeeklyWriterTest, NoCalendarOrNoTransferEndsTheRule) {
    LinkHelperState bare(*locale_);
    Date start = timeOfDay(9, 0);
    Date end = timeOfDay(10, 0);
    EXPECT_EQ(errorOf([&] {
                  SetAvailabilities(bare.conversion(), ObjectRef(&room_), day(2026, 1, 7),
                                    day(2026, 1, 7), start, end, 1);
              }),
              9);
    state_.transfer.dictMarkedDays.reset();
    EXPECT_EQ(errorOf([&] {
                  write(day(2026, 1, 7), day(2026, 1, 7), timeOfDay(9, 0), timeOfDay(11, 0), 3);
              }),
              91);
    EXPECT_TRUE(room_.periods().empty());
    expectAllReleased();
}

} // namespace
} // namespace bz::testing
