#include "runtime/locale.h"
#include "runtime/text.h"
#include "support/error_number.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>

namespace bz {
namespace {

using testing::errorOf;
using Kind = PortableLocaleKind;

const Locale& localeOf(Kind kind) {
    static const auto enUs = makePortableLocale(Kind::EnUs);
    static const auto enGb = makePortableLocale(Kind::EnGb);
    static const auto deDe = makePortableLocale(Kind::DeDe);
    return kind == Kind::EnGb ? *enGb : kind == Kind::DeDe ? *deDe : *enUs;
}

const char* nameOf(Kind kind) {
    return kind == Kind::EnGb ? "en-GB" : kind == Kind::DeDe ? "de-DE" : "en-US";
}

constexpr Kind allKinds[] = {Kind::EnUs, Kind::EnGb, Kind::DeDe};

Date at(CivilDate date, int hour = 0, int minute = 0, int second = 0) {
    return makeDate(date, {hour, minute, second});
}

double seconds(int hour, int minute, int second = 0) {
    return (hour * 3600 + minute * 60 + second) / 86400.0;
}

TEST(FormatDate, ByLocale) {
    const struct {
        Kind kind;
        Date date;
        const char* text;
    } cases[] = {
        {Kind::EnUs, 365.25, "12/30/1900 6:00:00 AM"},
        {Kind::EnUs, 0.0, "12:00:00 AM"},
        {Kind::EnUs, 365.0, "12/30/1900"},
        {Kind::EnUs, -49192.24, "4/24/1765 5:45:36 AM"},
        {Kind::EnUs, -657434.0, "1/1/100"},
        {Kind::EnUs, 2958465.0, "12/31/9999"},
        {Kind::EnUs, -1.25, "12/29/1899 6:00:00 AM"},
        {Kind::EnUs, -0.75, "6:00:00 PM"},
        {Kind::EnUs, 0.5, "12:00:00 PM"},
        {Kind::EnUs, 46027.0 + seconds(13, 5, 9), "1/5/2026 1:05:09 PM"},
        {Kind::EnUs, 1.0 + 86399.6 / 86400, "1/1/1900 12:00:00 AM"},
        {Kind::EnUs, 86399.6 / 86400, "12:00:00 AM"},
        {Kind::EnUs, 45000.0 + 0.5 / 86400, "3/15/2023 12:00:01 AM"},
        {Kind::EnUs, 45000.0 + 0.499996 / 86400, "3/15/2023 12:00:00 AM"},
        {Kind::EnUs, 1.0 + 1e-13, "12/31/1899"},
        {Kind::EnGb, 365.25, "30/12/1900 06:00:00"},
        {Kind::EnGb, 0.0, "00:00:00"},
        {Kind::EnGb, -657434.0, "01/01/100"},
        {Kind::EnGb, -300000.0, "16/08/1078"},
        {Kind::EnGb, -0.75, "18:00:00"},
        {Kind::EnGb, 46027.5, "05/01/2026 12:00:00"},
        {Kind::DeDe, 365.25, "30.12.1900 06:00:00"},
        {Kind::DeDe, 25570.0, "02.01.1970"},
        {Kind::DeDe, -657433.5, "02.01.100 12:00:00"},
        {Kind::DeDe, -49192.24, "24.04.1765 05:45:36"},
        {Kind::DeDe, 2958465.0 + seconds(23, 59, 59), "31.12.9999 23:59:59"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toUtf8(localeOf(c.kind).formatDate(c.date)), c.text)
            << nameOf(c.kind) << " " << c.date;
}

TEST(ParseDate, AcceptedByLocale) {
    const struct {
        Kind kind;
        const char* text;
        Date date;
    } cases[] = {
        {Kind::EnUs, "1/2/1970", 25570.0},
        {Kind::EnUs, "  1/2/1970\t ", 25570.0},
        {Kind::EnUs, "1-2-1970", 25570.0},
        {Kind::EnUs, "1 2 1970", 25570.0},
        {Kind::EnUs, "2 January, 1970", 25570.0},
        {Kind::EnUs, "January 2, 1970", 25570.0},
        {Kind::EnUs, "jan 2 1970", 25570.0},
        {Kind::EnUs, "2-JAN-1970", 25570.0},
        {Kind::EnUs, "1970-1-13", 25581.0},
        {Kind::EnUs, "2024-09-02", 45537.0},
        {Kind::EnUs, "2/29/2024", 45351.0},
        {Kind::EnUs, "6/30/2011 01:20:34 PM", at({2011, 6, 30}, 13, 20, 34)},
        {Kind::EnUs, "12/29/1899 6:00 AM", -1.25},
        {Kind::EnUs, "12/30/1899", 0.0},
        {Kind::EnUs, "1/1/100", -657434.0},
        {Kind::EnUs, "12/31/9999 23:59:59", 2958465.0 + seconds(23, 59, 59)},
        {Kind::EnUs, "1 am", 1.0 / 24},
        {Kind::EnUs, "1am", 1.0 / 24},
        {Kind::EnUs, "13:00 AM", 13.0 / 24},
        {Kind::EnUs, "12:00 AM", 0.0},
        {Kind::EnUs, "12:30 pm", 12.5 / 24},
        {Kind::EnUs, "11:59:59PM", seconds(23, 59, 59)},
        {Kind::EnUs, "09:00", 0.375},
        {Kind::EnUs, "9:00:30", seconds(9, 0, 30)},
        {Kind::EnUs, "23:59", seconds(23, 59)},
        // A month out of range that is a valid day: day and month swapped.
        {Kind::EnUs, "13/1/2024", at({2024, 1, 13})},
        {Kind::EnUs, "13-1-2024 10:00", at({2024, 1, 13}, 10)},
        {Kind::EnUs, "2024/13/1", at({2024, 1, 13})},
        {Kind::EnUs, "1970-13-01", at({1970, 1, 13})},
        {Kind::EnGb, "1/13/2024", at({2024, 1, 13})},
        {Kind::EnGb, "2/29/2024", at({2024, 2, 29})},
        {Kind::DeDe, "6/30/2011 01:20:34 PM", at({2011, 6, 30}, 13, 20, 34)},
        // A time before the date.
        {Kind::EnUs, "9:30 PM 1/5/2026", at({2026, 1, 5}, 21, 30)},
        {Kind::DeDe, "09:30 5. Januar 2026", at({2026, 1, 5}, 9, 30)},
        // A month and a year: the first of that month.
        {Kind::EnUs, "5/2024", at({2024, 5, 1})},
        {Kind::EnGb, "2024/5", at({2024, 5, 1})},
        {Kind::EnGb, "1/2/1970", 25600.0},
        {Kind::EnGb, "1970-1-13", 25581.0},
        {Kind::EnGb, "2 January 1970 09:00", 25570.375},
        {Kind::EnGb, "29/02/2024 13:00", 45351.0 + 13.0 / 24},
        {Kind::DeDe, "02.01.1970", 25570.0},
        {Kind::DeDe, "2. Januar 1970", 25570.0},
        {Kind::DeDe, "3. M\u00e4rz 2024", at({2024, 3, 3})},
        {Kind::DeDe, "3. M\u00c4RZ 2024", at({2024, 3, 3})},
        {Kind::DeDe, "1970-1-13", 25581.0},
        {Kind::DeDe, "02.01.1970 13:45:10", at({1970, 1, 2}, 13, 45, 10)},
        {Kind::DeDe, "13:45", seconds(13, 45)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(localeOf(c.kind).parseDate(fromUtf8(c.text)), c.date)
            << nameOf(c.kind) << " \"" << c.text << "\"";
}

// A day and month without a year fall in the current year: a fixed one here, a leap year, so that
// 29 February is a date.
TEST(ParseDate, NoYearIsTheCurrentYear) {
    constexpr int year = 2028;
    const auto locale = [](Kind kind) { return makePortableLocale(kind, [] { return year; }); };
    const struct {
        Kind kind;
        const char* text;
        CivilDate date;
        double time;
    } cases[] = {
        {Kind::EnUs, "5/1", {year, 5, 1}, 0.0},
        {Kind::EnUs, "5-1", {year, 5, 1}, 0.0},
        {Kind::EnUs, "5 1", {year, 5, 1}, 0.0},
        {Kind::EnUs, "5/1 10:00", {year, 5, 1}, seconds(10, 0)},
        {Kind::EnUs, "13/1", {year, 1, 13}, 0.0},
        {Kind::EnUs, "Jan 5", {year, 1, 5}, 0.0},
        {Kind::EnGb, "5/1", {year, 1, 5}, 0.0},
        {Kind::EnGb, "5/12 9 pm", {year, 12, 5}, seconds(21, 0)},
        {Kind::EnGb, "5/30", {year, 5, 30}, 0.0},
        {Kind::EnGb, "5 Jan", {year, 1, 5}, 0.0},
        {Kind::EnGb, "29/2", {year, 2, 29}, 0.0},
        {Kind::DeDe, "5.1", {year, 1, 5}, 0.0},
        {Kind::DeDe, "5. Januar", {year, 1, 5}, 0.0},
        {Kind::DeDe, "5.1 12:30", {year, 1, 5}, seconds(12, 30)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(locale(c.kind)->parseDate(fromUtf8(c.text)), makeDate(c.date, {0, 0, 0}) + c.time)
            << nameOf(c.kind) << " \"" << c.text << "\"";

    // By default the year is the system clock's, read around the call so that a new year may
    // begin in between.
    using namespace std::chrono;
    const auto clockYear = [] {
        return static_cast<int>(year_month_day(floor<days>(system_clock::now())).year());
    };
    const int before = clockYear();
    const int parsed = dateTimeFields(localeOf(Kind::EnUs).parseDate(u"5/1")).date.year;
    EXPECT_TRUE(parsed == before || parsed == clockYear()) << parsed;
}

// One- and two-digit years fall in 1930..2029.
TEST(ParseDate, TwoDigitYearsFallIn1930To2029) {
    const Locale& locale = localeOf(Kind::EnUs);
    for (const auto& [text, year] : {std::pair{"1/2/70", 1970},
                                     {"1/2/05", 2005},
                                     {"1/2/5", 2005},
                                     {"1/2/29", 2029},
                                     {"1/2/30", 1930},
                                     {"1/2/99", 1999}})
        EXPECT_EQ(dateTimeFields(locale.parseDate(fromUtf8(text))).date.year, year) << text;
}

TEST(ParseDate, RejectedInEveryLocale) {
    const char* texts[] = {
        "",
        " \t ",
        "0",
        "24:00",
        "1 2 am",
        "1.2.3.4",
        "2013-05-14 02:04:12.017000000",
        "TRUE",
        "1/",
        "/2",
        "5/1/",
        "13/13",
        "0/5/2024",
        "13/13/2024",
        "29/2/2023",
        "12:60",
        "10:00:60",
        "abc",
        "1/2/1970 x",
        "1/2-1970",
        "1:2:3:4",
        "123:00",
        "2/29/2023",
        "00/01/2000",
        "1/2/1970 25:00",
        "am",
        "1/2/1970 am",
        "1970-13-13",
        "1970-02-30",
        "/1/2/1970",
        "1/2/1970/",
        ":10",
        "10:",
        "10::00",
        "1/2/ 1970 10",
        "1 1 1 1",
        "March March 2020",
        "2:January:1970",
        "2 3 January",
    };
    for (const Kind kind : allKinds)
        for (const char* text : texts)
            EXPECT_EQ(errorOf([&] { localeOf(kind).parseDate(fromUtf8(text)); }), 13)
                << nameOf(kind) << " \"" << text << "\"";
}

TEST(ParseDate, RejectedByLocale) {
    const struct {
        Kind kind;
        const char* text;
    } cases[] = {
        {Kind::EnUs, "02.01.1970"},      {Kind::EnUs, "2/31/2024"},  {Kind::EnUs, "31/2/2024"},
        {Kind::EnUs, "2. Januar 1970"},  {Kind::EnGb, "31/02/2024"}, {Kind::EnGb, "2/30/2024"},
        {Kind::EnGb, "02.01.1970"},      {Kind::EnGb, "5.1.2026"},   {Kind::EnGb, "1970.1.2"},
        {Kind::DeDe, "January 2, 1970"}, {Kind::DeDe, "31.02.2024"}, {Kind::DeDe, "5. January"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(errorOf([&] { localeOf(c.kind).parseDate(fromUtf8(c.text)); }), 13)
            << nameOf(c.kind) << " \"" << c.text << "\"";
}

TEST(ParseDate, YearsOutsideTheRangeOverflow) {
    for (const char* text : {"1/1/10000", "12/31/0099", "1/1/099", "1/1/99999999999"})
        EXPECT_EQ(errorOf([&] { localeOf(Kind::EnUs).parseDate(fromUtf8(text)); }), 6) << text;
}

// Every Date at whole seconds reads back from its own text form in each locale.
TEST(ParseDate, ReadsBackItsTextForm) {
    std::mt19937_64 random(20240902);
    std::uniform_int_distribution<std::int64_t> days(-657434, 2958465);
    std::uniform_int_distribution<int> secondsOfDay(0, 86399);
    for (const Kind kind : allKinds) {
        const Locale& locale = localeOf(kind);
        for (int i = 0; i < 20000; ++i) {
            const std::int64_t day = i < 3 ? std::int64_t{i} - 1 : days(random);
            const int second = i % 5 == 0 ? 0 : secondsOfDay(random);
            const Date date = makeDate(civilFromDays(day), {0, 0, second});
            const std::u16string text = locale.formatDate(date);
            ASSERT_EQ(locale.parseDate(text), date) << nameOf(kind) << " " << toUtf8(text);
        }
    }
}

// The time-of-day part of text read as a date, as the conversion to periods takes it.
Date timeOfDay(const Locale& locale, std::u16string_view text) {
    return timeOfDayAtWholeSeconds(locale.parseDate(text));
}

TEST(ParseDate, TimeOfDayKeepsOnlyTheTime) {
    const Locale& locale = localeOf(Kind::EnUs);
    EXPECT_EQ(timeOfDay(locale, u"6/30/2011 01:20:34 PM"), seconds(13, 20, 34));
    EXPECT_EQ(timeOfDay(locale, u"12/29/1899 6:00 AM"), 0.25);
    EXPECT_EQ(timeOfDay(locale, u"12/31/9999 10:00"), 10.0 / 24);
    EXPECT_EQ(timeOfDay(locale, u"1/2/1970"), 0.0);
    EXPECT_EQ(timeOfDay(locale, u"10:00"), 10.0 / 24);
    EXPECT_EQ(errorOf([&] { timeOfDay(locale, u""); }), 13);
    EXPECT_EQ(errorOf([&] { timeOfDay(locale, u"1/1/10000 10:00"); }), 6);
}

// The time of day read back from a Date's text form is the Date's time at whole seconds.
TEST(ParseDate, TimeOfDayMatchesTheTextFormAtWholeSeconds) {
    const Date dates[] = {
        46027.0 + 10.0 / 24,
        46027.0 + 9.0 / 24 + 1.0 / 24,
        -1.25,
        -0.75,
        0.0,
        12.0 + 86399.7 / 86400,
        -12.0 - 86399.7 / 86400,
        12.0 + 41400.5001 / 86400,
        2958465.0 + 86399.4 / 86400,
    };
    for (const Kind kind : allKinds)
        for (const Date date : dates)
            EXPECT_EQ(timeOfDay(localeOf(kind), localeOf(kind).formatDate(date)),
                      timeOfDayAtWholeSeconds(date))
                << nameOf(kind) << " " << date;
    // Every second of a day, as the conversion to periods takes it arithmetically.
    const Locale& locale = localeOf(Kind::EnGb);
    for (int second = 0; second < 86400; ++second) {
        const Date date = 46027.0 + second / 86400.0;
        ASSERT_EQ(timeOfDay(locale, locale.formatDate(date)), timeOfDayAtWholeSeconds(date))
            << second;
    }
}

TEST(ParseNumber, AcceptedByLocale) {
    const struct {
        Kind kind;
        const char* text;
        double value;
    } cases[] = {
        {Kind::EnUs, "1,234.5", 1234.5},
        {Kind::EnUs, "-1.5", -1.5},
        {Kind::EnUs, "+2", 2.0},
        {Kind::EnUs, " 3 ", 3.0},
        {Kind::EnUs, ".5", 0.5},
        {Kind::EnUs, "5.", 5.0},
        {Kind::EnUs, "1e3", 1000.0},
        {Kind::EnUs, "1.5E-2", 0.015},
        {Kind::EnUs, "007", 7.0},
        {Kind::EnUs, "1,000,000", 1e6},
        {Kind::EnUs, "1e-400", 0.0},
        {Kind::EnGb, "2.25", 2.25},
        {Kind::DeDe, "1.234,5", 1234.5},
        {Kind::DeDe, "1,5", 1.5},
        {Kind::DeDe, "1.5", 15.0},
        {Kind::DeDe, "-0,25E1", -2.5},
        // Grouping characters anywhere in the integer part after its first digit.
        {Kind::EnUs, "1,", 1.0},
        {Kind::EnUs, "1,,2", 12.0},
        {Kind::EnUs, "1,.5", 1.5},
        {Kind::EnUs, "1,e3", 1000.0},
        {Kind::EnUs, "12,34", 1234.0},
        {Kind::DeDe, "1.", 1.0},
        {Kind::DeDe, "1..2", 12.0},
        {Kind::DeDe, "1.,5", 1.5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(localeOf(c.kind).parseNumber(fromUtf8(c.text)), c.value)
            << nameOf(c.kind) << " \"" << c.text << "\"";
}

// Leading zeros, before or after the decimal character, do not make a number large.
TEST(ParseNumber, TooSmallForADoubleIsZero) {
    const Locale& locale = localeOf(Kind::EnUs);
    const std::u16string zeros(400, u'0');
    EXPECT_EQ(locale.parseNumber(zeros + u"1e-400"), 0.0);
    EXPECT_EQ(locale.parseNumber(u"0." + zeros + u"1e5"), 0.0);
    EXPECT_EQ(locale.parseNumber(u"0." + zeros + u"1e400"), 1e-1);
    EXPECT_EQ(errorOf([&] { locale.parseNumber(u"1" + zeros + u"e-5"); }), 6);
}

TEST(ParseNumber, Rejected) {
    const struct {
        Kind kind;
        const char* text;
        int error;
    } cases[] = {
        {Kind::EnUs, "", 13},      {Kind::EnUs, "  ", 13},      {Kind::EnUs, "TRUE", 13},
        {Kind::EnUs, ",5", 13},    {Kind::EnUs, ",1", 13},      {Kind::EnUs, "1.2,3", 13},
        {Kind::EnUs, "1e", 13},    {Kind::EnUs, "--1", 13},     {Kind::EnUs, "1 2", 13},
        {Kind::EnUs, "1.2.3", 13}, {Kind::EnUs, "0x10", 13},    {Kind::EnUs, "e5", 13},
        {Kind::EnUs, "1.5e+", 13}, {Kind::EnUs, ".", 13},       {Kind::EnUs, "-", 13},
        {Kind::DeDe, "1,2,3", 13}, {Kind::DeDe, "1,234.5", 13}, {Kind::EnUs, "\u0661", 13},
        {Kind::EnUs, "1e309", 6},  {Kind::EnUs, "-1e400", 6},
    };
    for (const auto& c : cases)
        EXPECT_EQ(errorOf([&] { localeOf(c.kind).parseNumber(fromUtf8(c.text)); }), c.error)
            << nameOf(c.kind) << " \"" << c.text << "\"";
}

TEST(TextToInteger, RoundsHalfToEven) {
    const struct {
        Kind kind;
        const char* text;
        int value;
    } cases[] = {
        {Kind::EnUs, "-1.5", -2},         {Kind::EnUs, "-0.5", 0},
        {Kind::EnUs, "0.5", 0},           {Kind::EnUs, "0.6", 1},
        {Kind::EnUs, "1.5", 2},           {Kind::EnUs, "2.5", 2},
        {Kind::EnUs, "3.5", 4},           {Kind::EnUs, " 3 ", 3},
        {Kind::EnUs, "-32768", -32768},   {Kind::EnUs, "32767", 32767},
        {Kind::EnUs, "-32768.5", -32768}, {Kind::EnUs, "32767.49", 32767},
        {Kind::DeDe, "2,5", 2},           {Kind::DeDe, "1.000", 1000},
        {Kind::DeDe, "2.5", 25},
    };
    for (const auto& c : cases)
        EXPECT_EQ(textToInteger(localeOf(c.kind), fromUtf8(c.text)), c.value)
            << nameOf(c.kind) << " \"" << c.text << "\"";
}

TEST(TextToInteger, RejectsOutOfRangeAndNonNumbers) {
    const struct {
        const char* text;
        int error;
    } cases[] = {
        {"-32769", 6}, {"32768", 6}, {"32767.5", 6}, {"-32768.51", 6},
        {"1e10", 6},   {"", 13},     {"TRUE", 13},   {"1/2/1970", 13},
    };
    for (const auto& c : cases)
        EXPECT_EQ(errorOf([&] { textToInteger(localeOf(Kind::EnUs), fromUtf8(c.text)); }), c.error)
            << "\"" << c.text << "\"";
}

class EnvironmentLocale : public ::testing::Test {
  protected:
    void SetUp() override {
        for (std::size_t i = 0; i < 3; ++i) {
            const char* value = std::getenv(names[i]);
            saved[i] = value ? std::optional<std::string>(value) : std::nullopt;
        }
    }
    void TearDown() override {
        for (std::size_t i = 0; i < 3; ++i)
            set(names[i], saved[i] ? saved[i]->c_str() : nullptr);
    }
    static void set(const char* name, const char* value) {
#ifdef _WIN32
        _putenv_s(name, value ? value : ""); // an empty value removes the variable
#else
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
#endif
    }
    static Kind with(const char* all, const char* time, const char* lang) {
        set("LC_ALL", all);
        set("LC_TIME", time);
        set("LANG", lang);
        return portableLocaleFromEnvironment();
    }

    static constexpr const char* names[3] = {"LC_ALL", "LC_TIME", "LANG"};
    std::optional<std::string> saved[3];
};

TEST_F(EnvironmentLocale, FirstSetVariableNamesTheLocale) {
    EXPECT_EQ(with(nullptr, nullptr, nullptr), Kind::EnUs);
    EXPECT_EQ(with("en_GB.UTF-8", "de_DE.UTF-8", "en_US.UTF-8"), Kind::EnGb);
    EXPECT_EQ(with("", "de_DE.UTF-8", "en_GB.UTF-8"), Kind::DeDe);
    EXPECT_EQ(with(nullptr, nullptr, "en_GB"), Kind::EnGb);
    EXPECT_EQ(with(nullptr, nullptr, "en-GB"), Kind::EnGb);
    EXPECT_EQ(with(nullptr, nullptr, "de"), Kind::DeDe);
    EXPECT_EQ(with(nullptr, "de_AT", nullptr), Kind::DeDe);
    EXPECT_EQ(with("C", "de_DE", nullptr), Kind::EnUs);
    EXPECT_EQ(with(nullptr, nullptr, "dev"), Kind::EnUs);
    EXPECT_EQ(with(nullptr, nullptr, "fr_FR"), Kind::EnUs);
}

// Any text gives a value in range or error 13 or 6, never anything else.
TEST(Robustness, RandomTextGivesAValueOrAnError) {
    const std::u16string alphabet = u"0123456789/-.:, \t\u00A0aAmMpPjJnNuryDdeEzZ\u00e4\u00c4+x";
    const std::u16string seeds[] = {u"6/30/2011 01:20:34 PM", u"2 January, 1970",
                                    u"02.01.1970 13:45", u"1,234.5e-3", u"2. M\u00e4rz 2024 1 am"};
    std::mt19937 random(13);
    for (int i = 0; i < 100000; ++i) {
        std::u16string text = seeds[static_cast<std::size_t>(i) % std::size(seeds)];
        const int edits = static_cast<int>(random() % 6);
        for (int k = 0; k < edits; ++k) {
            const std::size_t where = random() % (text.size() + 1);
            const auto c =
                i % 7 == 0 ? static_cast<char16_t>(random()) : alphabet[random() % alphabet.size()];
            if (random() % 3 == 0 && where < text.size())
                text.erase(where, 1);
            else
                text.insert(where, 1, c);
        }
        for (const Kind kind : allKinds) {
            const Locale& locale = localeOf(kind);
            Date date = 0.0;
            const int dateError = errorOf([&] { date = locale.parseDate(text); });
            ASSERT_TRUE(dateError == 13 || dateError == 6 ||
                        (dateError == 0 && date >= minDate - 1 && date < maxDate + 1))
                << toUtf8(text);
            double number = 0.0;
            const int numberError = errorOf([&] { number = locale.parseNumber(text); });
            ASSERT_TRUE(numberError == 13 || numberError == 6 ||
                        (numberError == 0 && std::isfinite(number)))
                << toUtf8(text);
        }
    }
}

} // namespace
} // namespace bz
