// The previewer with the user's own college and patterns files.

#include "tools/preview_run.h"

namespace bz::testing {
namespace {

using Lines = std::vector<std::string>;

// Tuesdays and Thursdays from Tuesday 7 January 2025, 08:00 to 10:00 in four half-hour periods,
// two weeks: the closing day is Thursday 23 January, 2 * 7 + 2 days after the start.
const char* const twoDayCollege = "# a small college\r\n"
                                  "Start Date: 2025-01-07\r\n"
                                  "start time: 08:00\r\n"
                                  "end time:   10:00\r\n"
                                  "periods per day: 4\r\n"
                                  "weeks per year: 2\r\n"
                                  "days of week: tuesday, 5\r\n";

class CustomFilesTest : public ::testing::Test {
  protected:
    PreviewRun run(const std::string& patterns, const std::string& locale = "en-GB") {
        const TempFile patternsFile(patterns);
        return preview(
            {"--college", college_.path(), "--patterns", patternsFile.path(), "--locale", locale});
    }

    TempFile college_{twoDayCollege};
};

TEST_F(CustomFilesTest, ShowsTheCollegesOwnDaysAndPeriods) {
    const PreviewRun result = run("Hall | H1 |2025-01-01|2025-12-31|2|08:30|09:30\n");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_THAT(result.outLines(),
                ::testing::IsSupersetOf({"Calendar: Tue 07/01/2025 to Thu 23/01/2025 (closing day)",
                                         "Teaching days: Tue Thu",
                                         "Periods: 4 a day of 30 minutes from 08:00"}));
    // Every Thursday up to the closing day; 08:30 to 09:30 is periods 1 and 2.
    EXPECT_EQ(
        result.section("Hall (host key H1)"),
        (Lines{"Hall (host key H1)", "                   0000", "                   8899",
               "  period start     ::::", "                   0303", "                   0000",
               "W1 Tue 07/01/2025  ....", "W1 Thu 09/01/2025  -##-", "W2 Tue 14/01/2025  ....",
               "W2 Thu 16/01/2025  -##-", "W3 Tue 21/01/2025  ....", "W3 Thu 23/01/2025  -##-"}));
    EXPECT_THAT(result.outLines(), ::testing::Contains("Error report: none"));
}

TEST_F(CustomFilesTest, PatternsAreReadUnderTheLocaleAndSentAsWritten) {
    // 14.01.2025 is a date in de-DE only, 14 January 2025 in en-US only.
    const std::string patterns = "Hall|H1|14.01.2025|14.01.2025|1|08:00|08:30\n"
                                 "Hall|H1|14 January 2025|14 January 2025|1|09:30|10:00\n";
    const PreviewRun german = run(patterns, "de-DE");
    EXPECT_THAT(german.outLines(), ::testing::Contains("W2 Tue 14.01.2025  #---"));
    EXPECT_THAT(german.outLines(),
                ::testing::Contains("Error converting availability for 'Hall': Parsing "
                                    "availability string"));
    const PreviewRun american = run(patterns, "en-US");
    EXPECT_THAT(american.outLines(), ::testing::Contains("W2 Tue 1/14/2025  ---#"));
}

TEST_F(CustomFilesTest, ResourcesAreToldApartByNameAndHostKey) {
    // Two names with one key share the key's day marks: the second rule finds the day cleared.
    const PreviewRun result = run("A|K|2025-01-07|2025-01-07|1|08:00|08:30\n"
                                  "B|K|2025-01-07|2025-01-07|1|09:30|10:00\n"
                                  "A|K2|2025-01-07|2025-01-07|1|09:00|09:30\n");
    EXPECT_THAT(result.section("A (host key K)"), ::testing::Contains("W1 Tue 07/01/2025  #---"));
    EXPECT_THAT(result.section("B (host key K)"), ::testing::Contains("W1 Tue 07/01/2025  ...#"));
    EXPECT_THAT(result.section("A (host key K2)"), ::testing::Contains("W1 Tue 07/01/2025  --#-"));
}

TEST_F(CustomFilesTest, NotesAStartDateOffTheFirstTeachingDay) {
    const TempFile thursdayFirst("start date: 2025-01-07\nstart time: 08:00\nend time: 10:00\n"
                                 "periods per day: 4\nweeks per year: 1\ndays of week: Thu Tue\n");
    const TempFile patterns("");
    const PreviewRun result = preview(
        {"--college", thursdayFirst.path(), "--patterns", patterns.path(), "--locale", "en-GB"});
    EXPECT_THAT(result.outLines(),
                ::testing::Contains("Note: the start date is not a Thu; the component counts the "
                                    "teaching days from the start date's weekday"));
    // Offsets (0, 5) from a Tuesday start: Tuesday, then Sunday.
    EXPECT_THAT(result.outLines(), ::testing::Contains("Teaching days: Tue Sun"));
    EXPECT_THAT(result.outLines(), ::testing::Contains("No availability fields to send."));
}

TEST(OutsideTheCalendarTest, WritesOffEveryTeachingDayAreListed) {
    // Before 30 Dec 1899 a date plus a time of day is a plain floating addition: Mon 25 Dec
    // (-5) + 12:00 is -4.5, which reads as Tue 26 Dec 12:00, and + 10:00 reads as 26 Dec 14:00.
    // Tuesday is no teaching day, so both count from the previous week's last teaching day
    // (base -8): from period -5 up to -3, so periods -5 and -4. The clearing of the day (09:00
    // and 17:00 read as 15:00 and 07:00) runs backwards and writes nothing.
    const TempFile college("start date: 1899-12-25\nstart time: 09:00\nend time: 17:00\n"
                           "periods per day: 8\nweeks per year: 2\ndays of week: Mon\n");
    const TempFile patterns("X|X|1899-12-25|1899-12-25|1|12:00|10:00\n");
    const PreviewRun result =
        preview({"--college", college.path(), "--patterns", patterns.path(), "--locale", "en-GB"});
    EXPECT_EQ(result.section("X (host key X)"),
              (Lines{"X (host key X)",
                     "Written outside the calendar's teaching days, periods -5..-4 available",
                     "                   01111111", "                   90123456",
                     "  period start     ::::::::", "                   00000000",
                     "                   00000000", "W1 Mon 25/12/1899  ........",
                     "W2 Mon 01/01/1900  ........", "W3 Mon 08/01/1900  ........"}));
}

} // namespace
} // namespace bz::testing
