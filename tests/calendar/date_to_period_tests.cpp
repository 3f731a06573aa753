#include "calendar/date_to_period.h"
#include "calendar/weekly_period.h"
#include "runtime/text.h"
#include "support/fixture.h"

#include <array>

namespace bz::testing {
namespace {

class DateToPeriodTest : public LinkHelperTest {
  protected:
    DateToPeriodTest() { handOver(standardCalendar()); }
    Integer periodOf(Date t) { return DateToPeriod(state_.calendar, state_.strStage, t); }
};

TEST_F(DateToPeriodTest, MapsToTheNearestBoundaryWithHalvesToEven) {
    struct Case {
        Date t;
        Integer period;
    };
    const Case cases[] = {
        {at(2026, 1, 5, 9, 0), 0},      {at(2026, 1, 5, 9, 15), 0},     {at(2026, 1, 5, 9, 45), 2},
        {at(2026, 1, 5, 8, 30), -1},    {day(2026, 1, 5), -18},         {at(2026, 1, 6, 10, 0), 18},
        {at(2026, 1, 26, 11, 15), 244}, {at(2026, 1, 26, 11, 45), 246}, {at(2026, 1, 9, 10, 0), 66},
        {at(2026, 1, 5, 17, 0), 16},    {at(2026, 1, 5, 9, 16), 1},     {at(2026, 1, 12, 9, 0), 80},
    };
    for (const Case& c : cases)
        EXPECT_EQ(periodOf(c.t), c.period) << c.t;
}

TEST_F(DateToPeriodTest, TakesTheTimeOfDayAtWholeSeconds) {
    // 09:14:59.6 reads back as 09:15:00, exactly half a period: to even.
    EXPECT_EQ(periodOf(at(2026, 1, 5, 9, 14) + 59.6 / 86400), 0);
    // Minutes count the boundaries crossed: 09:15:59 is still 15 minutes, 09:15:59.6 reads back
    // as 09:16:00.
    EXPECT_EQ(periodOf(at(2026, 1, 5, 9, 15) + 59.4 / 86400), 0);
    EXPECT_EQ(periodOf(at(2026, 1, 5, 9, 15) + 59.6 / 86400), 1);
}

TEST_F(DateToPeriodTest, RestoresTheStageAfterSuccessAndKeepsItsOwnAfterAnError) {
    state_.strStage.set(u"Setting Availabilities");
    periodOf(at(2026, 1, 6, 10, 0));
    EXPECT_EQ(stageText(), u"Setting Availabilities");

    // Week 410 starts beyond the 32767 periods an Integer holds.
    const Date tooLate = at(2026, 1, 5, 9, 0) + 7.0 * 410;
    EXPECT_EQ(errorOf([&] { periodOf(tooLate); }), 6);
    EXPECT_EQ(stageText(), u"Date To Period" + locale_->formatDate(tooLate));
}

TEST_F(DateToPeriodTest, IntegerOverflowAtEveryStep) {
    // 96 periods a day, 7 days: week 48 still fits, its seventh day and week 49 do not.
    hostsim::CollegeCalendar calendar = standardCalendar();
    calendar.daysOfWeek = hostsim::weekdayList({2, 3, 4, 5, 6, 7, 1});
    calendar.periodsPerDay = Integer{96};
    calendar.endTime = DateValue{timeOfDay(9, 0) + 96 * 5.0 / 1440};
    handOver(calendar);
    const Date week48 = at(2026, 1, 5, 9, 0) + 48 * 7;
    EXPECT_EQ(periodOf(week48), 48 * 7 * 96);
    EXPECT_EQ(errorOf([&] { periodOf(week48 + 6); }), 6);
    EXPECT_EQ(errorOf([&] { periodOf(week48 + 7); }), 6);
    // More than 32767 days from the calendar's start.
    EXPECT_EQ(errorOf([&] { periodOf(day(2026, 1, 5) + 32768); }), 6);
    EXPECT_EQ(errorOf([&] { periodOf(day(2026, 1, 5) - 32769); }), 6);
}

// The conversion's result, or its error number and stage, as a text to compare.
template <class Convert> std::string outcome(Convert convert, Stage& stage, const Locale& locale) {
    try {
        return std::to_string(convert());
    } catch (const AutomationError& error) {
        return "error " + std::to_string(error.number()) + " at " + toUtf8(stage.text(locale));
    }
}

TEST_F(DateToPeriodTest, WeekOnWeekAgreesWithTheFullConversion) {
    hostsim::CollegeCalendar odd = standardCalendar(); // 45 periods a week: halves alternate
    odd.periodsPerDay = Integer{9};
    odd.endTime = DateValue{timeOfDay(18, 0)};
    hostsim::CollegeCalendar dense = standardCalendar(); // week 49 overflows
    dense.daysOfWeek = hostsim::weekdayList({2, 3, 4, 5, 6, 7, 1});
    dense.periodsPerDay = Integer{96};
    dense.endTime = DateValue{timeOfDay(9, 0) + 96 * 5.0 / 1440};
    const struct {
        hostsim::CollegeCalendar calendar;
        Date first;
    } cases[]{
        {standardCalendar(), at(2026, 1, 7, 10, 20)},
        {standardCalendar(), at(2026, 1, 5, 9, 14) + 59.6 / 86400},
        {odd, at(2026, 1, 6, 9, 30)},
        {odd, at(2026, 1, 6, 10, 0)},
        {dense, at(2026, 1, 11, 9, 0)},
        {standardCalendar(), day(2026, 1, 5) - 7 * 3 + timeOfDay(9, 0)},
    };
    for (const auto& c : cases) {
        handOver(c.calendar);
        WeeklyPeriod weekly;
        Stage stage;
        for (int week = 0; week < 60; week += week == 20 ? 2 : 1) {
            const Date t = c.first + 7.0 * week;
            EXPECT_EQ(
                outcome([&] { return weekly.next(state_.calendar, stage, t); }, stage, *locale_),
                outcome([&] { return periodOf(t); }, state_.strStage, *locale_))
                << c.first << " week " << week;
        }
    }
}

TEST_F(DateToPeriodTest, WithoutACollegeTheCalendarIsMissing) {
    Calendar bare;
    Stage stage;
    // 30 Dec 1899 + 10 days: week 1 fits, but there are no teaching days.
    EXPECT_EQ(errorOf([&] { DateToPeriod(bare, stage, 10.0); }), 9);
    EXPECT_EQ(errorOf([&] { DateToPeriod(bare, stage, 40000.0); }), 6);
    bare.aDayOffsets = {0, 1, 2};
    EXPECT_EQ(errorOf([&] { DateToPeriod(bare, stage, 1.25); }), 11);
    EXPECT_EQ(errorOf([&] { DateToPeriod(bare, stage, 0.0); }), 6); // 0 / 0
}

TEST(IndexOfValueTest, FindsTheFirstMatchFromTheLowerBound) {
    const std::array<Integer, 5> weekdays{0, 1, 2, 3, 4};
    EXPECT_EQ(IndexOfValue(weekdays, 0, 3), 3);
    EXPECT_EQ(IndexOfValue(weekdays, 0, 6), -1);
    const std::array<Integer, 3> repeated{0, 2, 2};
    EXPECT_EQ(IndexOfValue(repeated, 0, 2), 1);
    EXPECT_EQ(IndexOfValue(repeated, 5, 0), 5);
    EXPECT_EQ(errorOf([] { IndexOfValue({}, 0, 0); }), 9);
    // The counter steps past 32767 when the last index is 32767 and nothing matches.
    EXPECT_EQ(errorOf([&] { IndexOfValue(repeated, 32765, 7); }), 6);
    EXPECT_EQ(IndexOfValue(repeated, 32765, 2), 32766);
}

} // namespace
} // namespace bz::testing
