#include "runtime/date.h"
#include "support/error_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace bz {
namespace {

using testing::errorOf;

bool operator==(CivilDate a, CivilDate b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

// Seconds since midnight as a time-of-day fraction.
double at(int hour, int minute, int second = 0) {
    return (hour * 3600 + minute * 60 + second) / 86400.0;
}

TEST(CivilDays, KnownDays) {
    const struct {
        CivilDate date;
        std::int64_t day;
    } cases[] = {
        {{1899, 12, 30}, 0},    {{1899, 12, 29}, -1},      {{1900, 1, 1}, 2},
        {{1900, 3, 1}, 61},     {{1970, 1, 1}, 25569},     {{2000, 1, 1}, 36526},
        {{2024, 2, 29}, 45351}, {{2026, 1, 5}, 46027},     {{1765, 4, 24}, -49192},
        {{100, 1, 1}, -657434}, {{9999, 12, 31}, 2958465},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(daysFromCivil(c.date), c.day) << c.date.year << "-" << c.date.month;
        EXPECT_TRUE(civilFromDays(c.day) == c.date) << c.day;
    }
}

TEST(CivilDays, OutOfRangeFieldsCarry) {
    EXPECT_EQ(daysFromCivil({2000, 14, 2}), daysFromCivil({2001, 2, 2}));
    EXPECT_EQ(daysFromCivil({2000, 0, 1}), daysFromCivil({1999, 12, 1}));
    EXPECT_EQ(daysFromCivil({2000, -11, 1}), daysFromCivil({1999, 1, 1}));
    EXPECT_EQ(daysFromCivil({2000, 1, 32}), daysFromCivil({2000, 2, 1}));
    EXPECT_EQ(daysFromCivil({2000, 3, 0}), daysFromCivil({2000, 2, 29}));
}

// Every day of the Date range, and some beyond it: consecutive day numbers are consecutive calendar
// dates, each round-trips, and the weekday advances by one.
TEST(CivilDays, ExhaustiveWalk) {
    constexpr std::int64_t first = -657434;
    constexpr std::int64_t last = 2958465;
    CivilDate previous = civilFromDays(first - 1000);
    int previousWeekday = weekday(minDate, 1) - 1;
    for (std::int64_t day = first - 999; day <= last + 1000; ++day) {
        const CivilDate date = civilFromDays(day);
        ASSERT_EQ(daysFromCivil(date), day);
        const bool nextDay = date.year == previous.year && date.month == previous.month &&
                             date.day == previous.day + 1;
        const bool nextMonth = date.year == previous.year && date.month == previous.month + 1 &&
                               date.day == 1 && previous.day >= 28;
        const bool nextYear = date.year == previous.year + 1 && date.month == 1 && date.day == 1 &&
                              previous.month == 12 && previous.day == 31;
        ASSERT_TRUE(nextDay || nextMonth || nextYear) << day;
        previous = date;
        if (day >= first && day <= last) {
            const int current = weekday(static_cast<double>(day), 1);
            ASSERT_EQ(current, previousWeekday % 7 + 1) << day;
            previousWeekday = current;
        }
    }
}

TEST(SplitDate, PlatformSplit) {
    const struct {
        Date date;
        std::int64_t day;
        double time;
        Date joined; // the same moment, joined back from the fields
    } cases[] = {
        {0.0, 0, 0.0, 0.0},
        {1.25, 1, 0.25, 1.25},
        {-1.25, -1, 0.25, -1.25},
        {-0.75, 0, 0.75, 0.75},
        {-2.5, -2, 0.5, -2.5},
        {-1.0, -1, 0.0, -1.0},
        {minDate - 0.5, -657434, 0.5, minDate - 0.5},
        {maxDate + 0.5, 2958465, 0.5, maxDate + 0.5},
    };
    for (const auto& c : cases) {
        const DateFields fields = splitDate(c.date);
        EXPECT_EQ(fields.day, c.day) << c.date;
        EXPECT_EQ(fields.time, c.time) << c.date;
        EXPECT_EQ(joinDate(fields.day, fields.time), c.joined) << c.date;
    }
}

TEST(SplitDate, OutsideTheRangeOverflows) {
    for (const double date :
         {minDate - 1.0, maxDate + 1.0, std::numeric_limits<double>::quiet_NaN(),
          std::numeric_limits<double>::infinity(), -1e300})
        EXPECT_EQ(errorOf([&] { splitDate(date); }), 6) << date;
}

TEST(JoinDate, RejectsFieldsOutsideTheRange) {
    EXPECT_EQ(errorOf([] { joinDate(-657435, 0.0); }), 6);
    EXPECT_EQ(errorOf([] { joinDate(2958466, 0.0); }), 6);
    EXPECT_EQ(errorOf([] { joinDate(0, 1.0); }), 6);
    EXPECT_EQ(errorOf([] { joinDate(0, -0.25); }), 6);
    EXPECT_EQ(joinDate(-657434, 0.5), -657434.5);
}

TEST(DateTimeFields, CalendarAndTime) {
    const struct {
        Date date;
        CivilDate civil;
        TimeOfDay time;
        bool hasDate;
        bool hasTime;
    } cases[] = {
        {0.0, {1899, 12, 30}, {0, 0, 0}, false, false},
        {365.25, {1900, 12, 30}, {6, 0, 0}, true, true},
        {-1.25, {1899, 12, 29}, {6, 0, 0}, true, true},
        {-0.75, {1899, 12, 30}, {18, 0, 0}, false, true},
        {-49192.24, {1765, 4, 24}, {5, 45, 36}, true, true},
        {46027.0 + at(10, 0), {2026, 1, 5}, {10, 0, 0}, true, true},
        // Seconds round to the nearest, a half second up, a few millionths below it down.
        {1.0 + 0.4 / 86400, {1899, 12, 31}, {0, 0, 0}, true, true},
        {1.0 + 0.6 / 86400, {1899, 12, 31}, {0, 0, 1}, true, true},
        {1.0 + at(13, 59, 59) + 0.5001 / 86400, {1899, 12, 31}, {14, 0, 0}, true, true},
        {45000.0 + 0.5 / 86400, {2023, 3, 15}, {0, 0, 1}, true, true},
        {45000.0 + 0.499996 / 86400, {2023, 3, 15}, {0, 0, 0}, true, true},
        {2958465.0 + 1.49999 / 86400, {9999, 12, 31}, {0, 0, 1}, true, true},
        // The time is shown unless the Date has none at all, whatever it rounds to.
        {1.0 + 1e-13, {1899, 12, 31}, {0, 0, 0}, true, false},
        {1.0 + 2e-12, {1899, 12, 31}, {0, 0, 0}, true, true},
        // A time rounding to midnight moves to the next day, before and after day 0; whether a
        // date is shown depends on the day before rounding.
        {1.0 + 86399.6 / 86400, {1900, 1, 1}, {0, 0, 0}, true, true},
        {-1.0 - 86399.6 / 86400, {1899, 12, 30}, {0, 0, 0}, true, true},
        {-2.0 - 86399.6 / 86400, {1899, 12, 29}, {0, 0, 0}, true, true},
        {86399.6 / 86400, {1899, 12, 31}, {0, 0, 0}, false, true},
    };
    for (const auto& c : cases) {
        const DateTimeFields fields = dateTimeFields(c.date);
        EXPECT_TRUE(fields.date == c.civil) << c.date;
        EXPECT_EQ(fields.time.hour, c.time.hour) << c.date;
        EXPECT_EQ(fields.time.minute, c.time.minute) << c.date;
        EXPECT_EQ(fields.time.second, c.time.second) << c.date;
        EXPECT_EQ(fields.hasDatePart, c.hasDate) << c.date;
        EXPECT_EQ(fields.hasTimePart, c.hasTime) << c.date;
    }
}

TEST(TimeOfDayAtWholeSeconds, DropsTheDayAndRounds) {
    const struct {
        Date date;
        Date expected;
    } cases[] = {
        {46027.0 + 10.0 / 24, at(10, 0)},
        {-1.25, 0.25},
        {-0.75, 0.75},
        {2958465.0 + at(23, 59, 59), at(23, 59, 59)},
        {12.0 + at(9, 30, 15) + 0.3 / 86400, at(9, 30, 15)},
        {12.0 + at(9, 30, 15) + 0.7 / 86400, at(9, 30, 16)},
        {12.0 + 86399.7 / 86400, 0.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(timeOfDayAtWholeSeconds(c.date), c.expected) << c.date;
}

TEST(AddDays, KeepsTheTimeOfDay) {
    const struct {
        Date date;
        double days;
        Date expected;
    } cases[] = {
        {36526.5, 7, 36533.5},
        {-1.25, 1, 0.25},
        {-0.75, -1, -1.75},
        {-2.5, 3, 1.5},
        {1.5, -3, -2.5},
        {0.25, -1, -1.25},
        {10.0, 1.9, 11.0},
        {10.0, -1.9, 9.0},
        {minDate - 0.5, 0, minDate - 0.5},
        {maxDate - 1, 1, maxDate},
    };
    for (const auto& c : cases)
        EXPECT_EQ(addDays(c.date, c.days), c.expected) << c.date << " + " << c.days;
}

TEST(AddDays, LeavingTheRangeOverflows) {
    EXPECT_EQ(errorOf([] { addDays(maxDate, 1); }), 6);
    EXPECT_EQ(errorOf([] { addDays(minDate, -1); }), 6);
    EXPECT_EQ(errorOf([] { addDays(0.0, 1e300); }), 6);
    EXPECT_EQ(errorOf([] { addDays(0.0, std::numeric_limits<double>::quiet_NaN()); }), 6);
}

TEST(MinuteDifference, CountsMinuteBoundariesCrossed) {
    const double monday = 46027.0;
    const struct {
        Date from;
        Date to;
        std::int64_t minutes;
    } cases[] = {
        {at(9, 0), at(9, 59, 59), 59},
        {at(9, 0, 59), at(9, 1), 1},
        {at(9, 0), 10.0 / 24, 60},
        // Sums of fractions a few ulps below a whole minute still count that minute.
        {0.0, 9.0 / 24 + 1.0 / 24, 600},
        {at(9, 0), monday + 10.0 / 24 - monday, 60},
        {monday + 9.0 / 24, maxDate + 10.0 / 24, std::int64_t{2958465 - 46027} * 1440 + 60},
        {1.0 + at(23, 59), 2.0, 1},
        {0.999, 1.0, 2},
        {-1.25, -0.75, 2160},
        {-0.75, -1.75, -1440},
        {-1.0 - at(23, 59), 0.0, 1},
        {at(10, 0), at(9, 0), -60},
    };
    for (const auto& c : cases)
        EXPECT_EQ(minuteDifference(c.from, c.to), c.minutes) << c.from << " to " << c.to;
}

TEST(Weekday, CountedFromTheFirstDay) {
    for (int firstDay = 1; firstDay <= 7; ++firstDay)
        EXPECT_EQ(weekday(36526.0, firstDay), 8 - firstDay) << firstDay; // Saturday 1 Jan 2000

    const struct {
        Date date;
        int firstDay;
        int weekday;
    } cases[] = {
        {0.0, 1, 7},     {-1.0, 1, 6},    {-0.75, 1, 7},   {-1.25, 1, 6},   {46027.5, 1, 2},
        {46027.5, 2, 1}, {46027.5, 3, 7}, {minDate, 1, 6}, {maxDate, 6, 1}, {-49192.24, 1, 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(weekday(c.date, c.firstDay), c.weekday) << c.date << " from " << c.firstDay;
}

TEST(MakeDate, FromCalendarFields) {
    EXPECT_EQ(makeDate({2026, 1, 5}, {9, 0, 0}), 46027.375);
    EXPECT_EQ(makeDate({2026, 1, 5}, {10, 0, 0}), 46027.0 + 10.0 / 24);
    EXPECT_EQ(makeDate({1899, 12, 29}, {6, 0, 0}), -1.25);
    EXPECT_EQ(makeDate({1899, 12, 30}, {18, 0, 0}), 0.75);
    EXPECT_EQ(makeDate({100, 1, 1}, {12, 0, 0}), -657434.5);
    EXPECT_EQ(makeDate({2000, 1, 1}, {25, 0, 0}), 36527.0 + 1.0 / 24);
    EXPECT_EQ(makeDate({2000, 1, 1}, {0, -1, 0}), 36526.0 - 1.0 + at(23, 59));
    EXPECT_EQ(errorOf([] { makeDate({99, 12, 31}, {0, 0, 0}); }), 6);
    EXPECT_EQ(errorOf([] { makeDate({10000, 1, 1}, {0, 0, 0}); }), 6);
    EXPECT_EQ(errorOf([] { makeDate({9999, 12, 31}, {24, 0, 0}); }), 6);
}

} // namespace
} // namespace bz
