#include "calendar/college_setup.h"
#include "support/fixture.h"

#include <vector>

namespace bz::testing {
namespace {

using hostsim::weekdayList;

class CollegeSetupTest : public LinkHelperTest {};

std::vector<std::u16string> membersRead(const hostsim::CallLog& calls) {
    std::vector<std::u16string> names;
    for (const hostsim::Call& call : calls) {
        EXPECT_EQ(call.kind, InvokeKind::MethodOrPropertyGet);
        EXPECT_TRUE(call.args.empty());
        names.push_back(std::get<std::u16string>(call.member));
    }
    return names;
}

TEST_F(CollegeSetupTest, DerivesTheWholeCalendarFromTenReadsInOrder) {
    handOver(standardCalendar());

    EXPECT_EQ(membersRead(host_.log()),
              (std::vector<std::u16string>{u"startDate", u"PeriodsPerDay", u"startTime", u"endTime",
                                           u"PeriodsPerDay", u"startTime", u"endTime",
                                           u"DaysOfWeek", u"WeeksPerYear", u"WeeksPerYear"}));
    EXPECT_EQ(state_.calendar.dtYearStart, day(2026, 1, 5));
    EXPECT_EQ(state_.calendar.intStartWeekday, 2);
    EXPECT_EQ(state_.calendar.intPeriodsPerDay, 16);
    EXPECT_EQ(state_.calendar.intPeriodMinutes, 30);
    EXPECT_EQ(state_.calendar.dtDayStart, timeOfDay(9, 0));
    EXPECT_EQ(state_.calendar.dtDayEnd, timeOfDay(17, 0));
    EXPECT_EQ(state_.calendar.aDayOffsets, (std::vector<Integer>{0, 1, 2, 3, 4}));
    EXPECT_EQ(state_.calendar.intDaysPerWeek, 5);
    EXPECT_EQ(state_.calendar.dtYearEnd, day(2026, 1, 5) + 368);
    EXPECT_EQ(weekday(state_.calendar.dtYearEnd, 1), 6); // a Friday
    EXPECT_EQ(state_.calendar.intDayCount, 260);
    EXPECT_EQ(host_.college().references(), 1); // the component holds the college
}

TEST_F(CollegeSetupTest, OffsetsWrapIntoTheNextWeekAndIgnoreTheListsLowerBound) {
    struct Case {
        Variant list;
        std::vector<Integer> offsets;
    };
    const Case cases[] = {
        {weekdayList({6, 7, 1}), {0, 1, 2}},    {weekdayList({4, 2}), {0, 5}},
        {weekdayList({2, 3, 4}, 1), {0, 1, 2}}, {weekdayList({3}), {0}},
        {weekdayList({1, 7}), {0, 6}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DayOffsets(c.list, *locale_), c.offsets);
}

TEST_F(CollegeSetupTest, OffsetsAcceptNumbersOfAnyKindAndRejectTheRest) {
    Array mixed(VarType::Variant, {{0, 3}});
    mixed.elements() = {Variant(u"2"), Variant(3.0), Variant(Long{4})};
    EXPECT_EQ(DayOffsets(mixed, *locale_), (std::vector<Integer>{0, 1, 2}));

    mixed.elements()[1] = u"Tuesday";
    EXPECT_EQ(errorOf([&] { DayOffsets(mixed, *locale_); }), 13);
    EXPECT_EQ(errorOf([&] { DayOffsets(Variant(Integer{2}), *locale_); }), 13);
    EXPECT_EQ(errorOf([&] { DayOffsets(Array(VarType::Variant, {{0, 0}}), *locale_); }), 9);
    // The Integer loop counter steps past 32767 after the last element.
    EXPECT_EQ(errorOf([&] { DayOffsets(weekdayList({1, 2}, 32766), *locale_); }), 6);
}

TEST_F(CollegeSetupTest, ASingleTeachingDayClosesTheCalendarWholeWeeksLater) {
    hostsim::CollegeCalendar calendar = standardCalendar();
    calendar.daysOfWeek = weekdayList({4});
    calendar.weeksPerYear = Integer{40};
    handOver(calendar);
    EXPECT_EQ(state_.calendar.aDayOffsets, std::vector<Integer>{0});
    EXPECT_EQ(state_.calendar.intDaysPerWeek, 1);
    EXPECT_EQ(state_.calendar.dtYearEnd, day(2026, 1, 5) + 280);
    EXPECT_EQ(state_.calendar.intDayCount, 40);
}

TEST_F(CollegeSetupTest, PeriodLengthRoundsHalfToEven) {
    struct Case {
        int endHour, endMinute, periods, minutes;
    };
    const Case cases[] = {{17, 0, 16, 30}, {17, 0, 9, 53}, {16, 30, 4, 112}, {16, 30, 12, 38}};
    for (const Case& c : cases) {
        hostsim::CollegeCalendar calendar = standardCalendar();
        calendar.endTime = DateValue{timeOfDay(c.endHour, c.endMinute)};
        calendar.periodsPerDay = Integer(c.periods);
        handOver(calendar);
        EXPECT_EQ(state_.calendar.intPeriodMinutes, c.minutes) << c.periods << " periods";
    }
}

TEST_F(CollegeSetupTest, HandingOverNothingKeepsTheCalendarAndReleasesTheCollege) {
    handOver(standardCalendar());
    Variant nothing = Variant::nothing();
    SetActiveCollegeReference(state_.varCollege, state_.calendar, state_.locale, nothing);
    EXPECT_EQ(host_.college().references(), 0);
    EXPECT_EQ(state_.calendar.dtYearStart, day(2026, 1, 5));
    EXPECT_EQ(state_.calendar.aDayOffsets, (std::vector<Integer>{0, 1, 2, 3, 4}));
    EXPECT_EQ(state_.calendar.intDayCount, 260);
}

TEST_F(CollegeSetupTest, HandingOverANewCollegeRecomputesAndSwapsReferences) {
    handOver(standardCalendar());
    hostsim::SimObject& other = host_.addObject(u"other college");
    other.setProperty(u"startDate", u"2027-09-06");
    other.setProperty(u"startTime", u"08:00");
    other.setProperty(u"endTime", u"16:00");
    other.setProperty(u"PeriodsPerDay", u"8");
    other.setProperty(u"WeeksPerYear", u"30");
    other.setProperty(u"DaysOfWeek", weekdayList({2, 4}));

    Variant reference = hostsim::refTo(other);
    SetActiveCollegeReference(state_.varCollege, state_.calendar, state_.locale, reference);
    EXPECT_EQ(host_.college().references(), 0);
    EXPECT_EQ(other.references(), 2);
    EXPECT_EQ(state_.calendar.dtYearStart, day(2027, 9, 6));
    EXPECT_EQ(state_.calendar.intPeriodMinutes, 60);
    EXPECT_EQ(state_.calendar.aDayOffsets, (std::vector<Integer>{0, 2}));
    EXPECT_EQ(state_.calendar.intDayCount, 60);
}

// The weeks are read before the offsets and the teaching days that multiply them are taken.
TEST_F(CollegeSetupTest, ACollegeHandedOverInsideTheWeeksReadIsSeenByTheRest) {
    hostsim::SimObject& other = host_.addObject(u"one-day college");
    hostsim::CollegeCalendar oneDay = standardCalendar();
    other.setProperty(u"startDate", oneDay.startDate);
    other.setProperty(u"startTime", oneDay.startTime);
    other.setProperty(u"endTime", oneDay.endTime);
    other.setProperty(u"PeriodsPerDay", oneDay.periodsPerDay);
    other.setProperty(u"WeeksPerYear", oneDay.weeksPerYear);
    other.setProperty(u"DaysOfWeek", weekdayList({6}));
    host_.setCalendar(standardCalendar());
    bool handedOver = false;
    host_.college().define(u"WeeksPerYear", [&](hostsim::Invocation&) {
        if (!std::exchange(handedOver, true)) {
            Variant reference = hostsim::refTo(other);
            SetActiveCollegeReference(state_.varCollege, state_.calendar, state_.locale, reference);
        }
        return Variant(Integer{52});
    });
    Variant college = hostsim::refTo(host_.college());
    SetActiveCollegeReference(state_.varCollege, state_.calendar, state_.locale, college);
    EXPECT_EQ(state_.calendar.dtYearEnd, day(2026, 1, 5) + 364);
    EXPECT_EQ(state_.calendar.intDayCount, 52);
}

TEST_F(CollegeSetupTest, FailuresEndTheSetUpWithTheirRunTimeError) {
    struct Case {
        std::vector<std::pair<const char16_t*, Variant>> members;
        int error;
    };
    const Case cases[] = {
        {{{u"startDate", u"not a date"}}, 13},
        {{{u"startTime", u""}}, 13},
        {{{u"PeriodsPerDay", u"many"}}, 13},
        {{{u"PeriodsPerDay", Long{40000}}}, 6},
        {{{u"PeriodsPerDay", Integer{0}}}, 11},
        {{{u"PeriodsPerDay", Integer{0}}, {u"endTime", DateValue{timeOfDay(9, 0)}}}, 6},
        {{{u"PeriodsPerDay", Integer{1}}, {u"endTime", DateValue{timeOfDay(9, 0) + 30}}}, 6},
        {{{u"DaysOfWeek", Integer{2}}}, 13},
        {{{u"DaysOfWeek", Array(VarType::Variant, {{0, 0}})}}, 9},
        {{{u"WeeksPerYear", u"many"}}, 13},
    };
    for (const Case& c : cases) {
        hostsim::Host host;
        host.setCalendar(standardCalendar());
        for (const auto& [member, value] : c.members)
            host.college().setProperty(member, value);
        Variant varCollege;
        Calendar calendar;
        Variant college = hostsim::refTo(host.college());
        EXPECT_EQ(
            errorOf([&] { SetActiveCollegeReference(varCollege, calendar, *locale_, college); }),
            c.error)
            << "case " << (&c - cases);
        EXPECT_EQ(varCollege, college); // stored before the first read
    }
}

TEST_F(CollegeSetupTest, TooManyCalendarDaysOverflowAfterTheClosingDayIsWritten) {
    hostsim::CollegeCalendar calendar = standardCalendar();
    calendar.weeksPerYear = Integer{6554}; // 6554 * 5 = 32770
    host_.setCalendar(calendar);
    Variant college = hostsim::refTo(host_.college());
    EXPECT_EQ(errorOf([&] {
                  SetActiveCollegeReference(state_.varCollege, state_.calendar, state_.locale,
                                            college);
              }),
              6);
    EXPECT_EQ(state_.calendar.dtYearEnd, day(2026, 1, 5) + 6554 * 7 + 4);
    EXPECT_EQ(state_.calendar.intDayCount, 0);
}

TEST_F(CollegeSetupTest, AMissingMemberIsError438AndANonObjectIs424) {
    host_.setCalendar(standardCalendar());
    host_.college().remove(u"WeeksPerYear");
    Variant college = hostsim::refTo(host_.college());
    EXPECT_EQ(errorOf([&] {
                  SetActiveCollegeReference(state_.varCollege, state_.calendar, state_.locale,
                                            college);
              }),
              438);
    EXPECT_EQ(state_.calendar.aDayOffsets.size(), 5u);

    Variant text = u"college";
    EXPECT_EQ(errorOf([&] {
                  SetActiveCollegeReference(state_.varCollege, state_.calendar, state_.locale,
                                            text);
              }),
              424);
    EXPECT_EQ(state_.varCollege, college);
}

TEST_F(CollegeSetupTest, HostFailuresPassThroughUnchanged) {
    host_.setCalendar(standardCalendar());
    host_.college().fail(u"DaysOfWeek",
                         hostsim::hostError(static_cast<std::int32_t>(0x80040201), u"no days"));
    Variant college = hostsim::refTo(host_.college());
    try {
        SetActiveCollegeReference(state_.varCollege, state_.calendar, state_.locale, college);
        FAIL() << "no error";
    } catch (const AutomationError& error) {
        EXPECT_EQ(static_cast<std::uint32_t>(error.hresult()), 0x80040201u);
        EXPECT_EQ(error.description(), u"no days");
    }
    EXPECT_EQ(state_.calendar.dtDayEnd, timeOfDay(17, 0));
    EXPECT_TRUE(state_.calendar.aDayOffsets.empty());
}

} // namespace
} // namespace bz::testing
