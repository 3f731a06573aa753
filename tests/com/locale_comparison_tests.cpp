// The portable locale next to the platform's conversions for the same user locale (LC_ALL, set
// per run), on one table of inputs. Every difference is printed; the ones known (and reported to
// the portable locale's owner) are listed below with their reason, any other one fails.
#include "runtime/com/platform_locale.h"
#include "runtime/error.h"
#include "runtime/text.h"

#include <gmock/gmock.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>

namespace bz::test {
namespace {

// A conversion's outcome as text: its value, or the run-time error it raised.
std::string outcome(const std::function<std::string()>& conversion) {
    try {
        return conversion();
    } catch (const AutomationError& error) {
        return "error " + std::to_string(error.number());
    }
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

const std::set<std::string> knownDifferences{
    // Wine's de-DE short date is d.M.yyyy; Windows' is dd.MM.yyyy, as the portable locale has it.
    "de_DE formatDate(-300000)",
    "de_DE formatDate(-49192.24)",
    "de_DE formatDate(-657433.5)",
    "de_DE formatDate(-657434)",
    "de_DE formatDate(2.5)",
    "de_DE formatDate(45000.000005787)",
    "de_DE formatDate(45001.000005787)",
    "de_DE formatDate(46027)",
    "de_DE formatDate(46027.5)",
    "de_DE formatDate(46027.5452199074)",
    "de_DE formatDate(46027.99999999)",
    // A point between two numbers in en-US and en-GB: Wine reads an hour and minutes (5.1 is
    // 05:01),
    // which the portable locale does not (a point is neither locale's time separator).
    "en_GB parseDate(\"1.2\")",
    "en_GB parseDate(\"5.1\")",
    "en_US parseDate(\"1.2\")",
    "en_US parseDate(\"5.1\")",
    // Two numbers that are no day and month in either order: Wine reads 0/1 as 1 January 2000
    // (a two-digit year and a month), the portable locale refuses it.
    "de_DE parseDate(\"0/1\")",
    "en_GB parseDate(\"0/1\")",
    "en_US parseDate(\"0/1\")",
    // A grouping character after the decimal character or the exponent: Wine drops it there too and
    // reads 1.234,5 as 1.2345 in en-US; the portable locale refuses such text rather than misread a
    // number written with the other locale's characters.
    "de_DE parseNumber(\"1,.5\")",
    "de_DE parseNumber(\"1,2.3\")",
    "de_DE parseNumber(\"1,234.5\")",
    "de_DE parseNumber(\"1,5.\")",
    "de_DE parseNumber(\"1.234,5.6\")",
    "en_GB parseNumber(\"1,234.5,6\")",
    "en_GB parseNumber(\"1.,5\")",
    "en_GB parseNumber(\"1.2,3\")",
    "en_GB parseNumber(\"1.234,5\")",
    "en_GB parseNumber(\"1.5,\")",
    "en_GB parseNumber(\"1e3,\")",
    "en_US parseNumber(\"1,234.5,6\")",
    "en_US parseNumber(\"1.,5\")",
    "en_US parseNumber(\"1.2,3\")",
    "en_US parseNumber(\"1.234,5\")",
    "en_US parseNumber(\"1.5,\")",
    "en_US parseNumber(\"1e3,\")",
};

class LocaleComparison : public testing::Test {
  protected:
    // Compares one conversion on both sides and prints it when they differ.
    void compare(const std::string& what, const std::function<std::string(const Locale&)>& run) {
        const std::string portableOutcome = outcome([&] { return run(*portable_); });
        const std::string platformOutcome = outcome([&] { return run(platform_); });
        if (portableOutcome == platformOutcome)
            return;
        const std::string difference = locale_ + " " + what;
        std::printf("%s: portable %s, platform %s\n", difference.c_str(), portableOutcome.c_str(),
                    platformOutcome.c_str());
        if (!knownDifferences.contains(difference))
            unexpected_.push_back(difference);
    }

    // The locale's name without its character set (en_GB of en_GB.UTF-8).
    const std::string locale_ = [] {
        const char* name = std::getenv("LC_ALL");
        const std::string text = name ? name : "";
        return text.substr(0, text.find('.'));
    }();
    const std::unique_ptr<Locale> portable_ = makePortableLocale(portableLocaleFromEnvironment());
    const com::PlatformLocale platform_;
    std::vector<std::string> unexpected_;
};

TEST_F(LocaleComparison, DatesFormatAlike) {
    for (const double date : {0.0,
                              365.0,
                              365.25,
                              -49192.24,
                              -657434.0,
                              2958465.0,
                              46027.0,
                              46027.5,
                              46027.0 + (13 * 3600 + 5 * 60 + 7) / 86400.0,
                              0.75,
                              -1.25,
                              1.0,
                              2.5,
                              46027.99999999,
                              45000.000005787,
                              45001.0 + 0.5 / 86400,
                              1.0 + 1.4999991 / 86400,
                              1.0 + 1.4999992 / 86400,
                              2958465.0 + 1.49999 / 86400,
                              86399.6 / 86400,
                              -1.0 - 86399.6 / 86400,
                              1.0 + 1e-13,
                              1.0 + 2e-12,
                              -657433.5,
                              -300000.0}) {
        compare("formatDate(" + number(date) + ")",
                [&](const Locale& locale) { return toUtf8(locale.formatDate(date)); });
    }
    EXPECT_THAT(unexpected_, testing::IsEmpty());
}

const char16_t* const dateTexts[]{u"1/2/1970",
                                  u"2 January, 1970",
                                  u"1970-1-13",
                                  u"6/30/2011 01:20:34 PM",
                                  u"1 am",
                                  u"13:00 AM",
                                  u"02.01.1970",
                                  u"02/09/2024",
                                  u" 5/1/2026 ",
                                  u"",
                                  u"0",
                                  u"24:00",
                                  u"1 2 am",
                                  u"1.2.3.4",
                                  u"2013-05-14 02:04:12.017000000",
                                  u"31/12/2025",
                                  u"12/31/2025",
                                  u"9:00",
                                  u"17:30:15",
                                  u"5 Jan 2026 9:00",
                                  u"Jan 5, 2026",
                                  u"5. Januar 2026",
                                  u"5.1.2026",
                                  u"2026-01-05 09:30",
                                  u"1/5/2026 9:30 PM",
                                  u"12:00 AM",
                                  u"12:00 PM",
                                  u"5/1",
                                  u"13/1/2024",
                                  u"1/13/2024",
                                  u"2/31/2024",
                                  u"31/2/2024",
                                  u"13/13/2024",
                                  u"29/2/2024",
                                  u"2/29/2024",
                                  u"29/2/2023",
                                  u"2024/13/1",
                                  u"2024-13-01",
                                  u"13.1.2024",
                                  u"1970.1.2",
                                  u"2.1.1970 10:00",
                                  u"5/1 10:00",
                                  u"5-1",
                                  u"5 1",
                                  u"5.1",
                                  u"1.2",
                                  u"Jan 5",
                                  u"5 Jan",
                                  u"5. Januar",
                                  u"13/1",
                                  u"5/30",
                                  u"5/2024",
                                  u"2024/5",
                                  u"5/1/",
                                  u"12:00 5/1",
                                  u"9:30 PM 1/5/2026",
                                  u"09:30 5. Januar 2026",
                                  u"0/1"};

TEST_F(LocaleComparison, DateTextsParseAlike) {
    for (const char16_t* text : dateTexts) {
        compare("parseDate(\"" + toUtf8(text) + "\")",
                [&](const Locale& locale) { return number(locale.parseDate(text)); });
    }
    EXPECT_THAT(unexpected_, testing::IsEmpty());
}

TEST_F(LocaleComparison, NumbersParseAlike) {
    for (const char16_t* text :
         {u"1.5",     u"1,5",   u"1,234.5", u"1.234,5", u" 42 ",      u"-3",       u"",
          u"TRUE",    u"1e3",   u"2,5",     u"-32768",  u"32767.5",   u"0.5",      u"1.5.6",
          u"1,2",     u"12,34", u",5",      u"1,",      u"1,,2",      u"1,.5",     u"1.,5",
          u"1..2",    u"1,e3",  u"1.2,3",   u"1,2.3",   u"1.5,",      u"1,5.",     u"1,234,5",
          u"1.234.5", u"1e3,",  u"1 234",   u"-,5",     u"1,234.5,6", u"1.234,5.6"}) {
        compare("parseNumber(\"" + toUtf8(text) + "\")",
                [&](const Locale& locale) { return number(locale.parseNumber(text)); });
    }
    compare("decimalSeparator()", [&](const Locale& locale) {
        return toUtf8(std::u16string(1, locale.decimalSeparator()));
    });
    EXPECT_THAT(unexpected_, testing::IsEmpty());
}

} // namespace
} // namespace bz::test
