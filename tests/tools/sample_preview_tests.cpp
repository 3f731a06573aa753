// The embedded sample, run end to end: grids and report checked against values worked out by
// hand from the sample college (Mon 2 Sep 2024, Mon-Fri, 09:00-17:00 in eight hourly periods,
// four weeks, closing day Fri 4 Oct 2024) and the sample patterns.

#include "tools/preview_run.h"

#include <map>

namespace bz::testing {
namespace {

using Lines = std::vector<std::string>;

// Every teaching day from the first day to the closing day, as en-GB rows label them.
const char* const sampleDays[] = {
    "W1 Mon 02/09/2024", "W1 Tue 03/09/2024", "W1 Wed 04/09/2024", "W1 Thu 05/09/2024",
    "W1 Fri 06/09/2024", "W2 Mon 09/09/2024", "W2 Tue 10/09/2024", "W2 Wed 11/09/2024",
    "W2 Thu 12/09/2024", "W2 Fri 13/09/2024", "W3 Mon 16/09/2024", "W3 Tue 17/09/2024",
    "W3 Wed 18/09/2024", "W3 Thu 19/09/2024", "W3 Fri 20/09/2024", "W4 Mon 23/09/2024",
    "W4 Tue 24/09/2024", "W4 Wed 25/09/2024", "W4 Thu 26/09/2024", "W4 Fri 27/09/2024",
    "W5 Mon 30/09/2024", "W5 Tue 01/10/2024", "W5 Wed 02/10/2024", "W5 Thu 03/10/2024",
    "W5 Fri 04/10/2024"};

// A resource's section: heading, the start-time header of 09:00 to 16:00, and one row per
// sample day, "........" unless `written` says otherwise.
Lines sampleSection(const std::string& heading, const std::map<std::string, std::string>& written) {
    Lines lines = {heading,
                   "                   01111111",
                   "                   90123456",
                   "  period start     ::::::::",
                   "                   00000000",
                   "                   00000000"};
    for (const char* day : sampleDays) {
        const auto found = written.find(day);
        lines.push_back(std::string(day) + "  " +
                        (found == written.end() ? "........" : found->second));
    }
    return lines;
}

class SamplePreviewTest : public ::testing::Test {
  protected:
    PreviewRun run_ = preview({"--locale", "en-GB"});
};

TEST_F(SamplePreviewTest, RunsWithoutComplaint) {
    EXPECT_EQ(run_.status, 0);
    EXPECT_EQ(run_.err, "");
}

TEST_F(SamplePreviewTest, DescribesTheCalendarTheComponentDerived) {
    const Lines lines = run_.outLines();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], "Locale: en-GB");
    EXPECT_EQ(lines[1], "Calendar: Mon 02/09/2024 to Fri 04/10/2024 (closing day)");
    EXPECT_EQ(lines[2], "Teaching days: Mon Tue Wed Thu Fri");
    EXPECT_EQ(lines[3], "Periods: 8 a day of 60 minutes from 09:00");
}

TEST_F(SamplePreviewTest, RulesForOneDayAddUpAndTimesAreClampedToTheDay) {
    // Mondays: 09-12 and 14-16 after one clearing; Wednesdays of weeks 2 and 3: 10:00 to 17:30,
    // clamped at 17:00.
    EXPECT_EQ(run_.section("Room 12 (host key R12)"),
              sampleSection("Room 12 (host key R12)", {{"W1 Mon 02/09/2024", "###--##-"},
                                                       {"W2 Mon 09/09/2024", "###--##-"},
                                                       {"W3 Mon 16/09/2024", "###--##-"},
                                                       {"W4 Mon 23/09/2024", "###--##-"},
                                                       {"W2 Wed 11/09/2024", "-#######"},
                                                       {"W3 Wed 18/09/2024", "-#######"}}));
}

TEST_F(SamplePreviewTest, ARuleBeyondTheCalendarRunsToItsClosingDay) {
    // Tuesdays all day; Fridays 09-11 from 23 Sep "to 20 Dec", which stops at Fri 4 Oct. The
    // rule for a sixth teaching day writes nothing.
    EXPECT_EQ(run_.section("Lab 3 (host key LAB3)"),
              sampleSection("Lab 3 (host key LAB3)", {{"W1 Tue 03/09/2024", "########"},
                                                      {"W2 Tue 10/09/2024", "########"},
                                                      {"W3 Tue 17/09/2024", "########"},
                                                      {"W4 Tue 24/09/2024", "########"},
                                                      {"W4 Fri 27/09/2024", "##------"},
                                                      {"W5 Fri 04/10/2024", "##------"}}));
}

TEST_F(SamplePreviewTest, AnEndHalfWayThroughAPeriodGoesToTheEvenBoundary) {
    // 13:00 to 15:30 is period 4 to 6.5, which rounds to 6: periods 4 and 5.
    EXPECT_EQ(run_.section("J Smith (host key JSMITH)"),
              sampleSection("J Smith (host key JSMITH)", {{"W1 Thu 05/09/2024", "----##--"},
                                                          {"W2 Thu 12/09/2024", "----##--"},
                                                          {"W3 Thu 19/09/2024", "----##--"},
                                                          {"W4 Thu 26/09/2024", "----##--"}}));
}

TEST_F(SamplePreviewTest, ShowsTheReportOneLinePerFailedField) {
    EXPECT_EQ(run_.section("Error report, as the transfer object received it:"),
              (Lines{"Error report, as the transfer object received it:",
                     "Error converting availability for 'Lab 3': Calculating Day of Week",
                     "Error converting availability for 'J Smith': Parsing availability string",
                     "Error converting availability for 'J Smith': Parsing availability string",
                     "Error converting availability for 'J Smith': Parsing availability string"}));
}

TEST(SampleRangeTest, WeeksFromAndToLimitTheRowsShown) {
    struct Case {
        std::vector<std::string> args;
        Lines rows; // of Room 12, after its six header lines
    };
    const Case cases[] = {
        {{"--weeks", "1"},
         {"W1 Mon 02/09/2024  ###--##-", "W1 Tue 03/09/2024  ........",
          "W1 Wed 04/09/2024  ........", "W1 Thu 05/09/2024  ........",
          "W1 Fri 06/09/2024  ........"}},
        {{"--from", "18/09/2024", "--to", "23/09/2024"},
         {"W3 Wed 18/09/2024  -#######", "W3 Thu 19/09/2024  ........",
          "W3 Fri 20/09/2024  ........", "W4 Mon 23/09/2024  ###--##-"}},
        // A week count starts at the first day shown.
        {{"--from", "2024-09-26", "--weeks", "1"},
         {"W4 Thu 26/09/2024  ........", "W4 Fri 27/09/2024  ........"}},
        {{"--from", "05/10/2024"}, {"  no teaching day in the range shown"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"--locale", "en-GB"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const PreviewRun run = preview(args);
        EXPECT_EQ(run.status, 0);
        Lines rows = run.section("Room 12 (host key R12)");
        // Past the heading and, when there are rows, the five lines of start times.
        const std::ptrdiff_t skip = rows.size() == 2 ? 1 : 6;
        rows.erase(rows.begin(), rows.begin() + std::min(skip, std::ssize(rows)));
        EXPECT_EQ(rows, c.rows) << c.args[0] << " " << c.args[1];
    }
}

TEST(SampleLocaleTest, DatesAreShownInTheLocale) {
    const PreviewRun us = preview({"--locale", "en-US", "--weeks", "1"});
    EXPECT_THAT(us.outLines(), ::testing::Contains("W1 Mon 9/2/2024  ###--##-"));
    const PreviewRun de = preview({"--locale", "de-DE", "--weeks", "1"});
    EXPECT_THAT(de.outLines(), ::testing::Contains("W1 Mon 02.09.2024  ###--##-"));
}

} // namespace
} // namespace bz::testing
