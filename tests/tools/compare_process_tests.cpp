// bz-preview --compare run as a process on small files: what changed between two runs, in text
// and JSON, and its exit status.

#include "tools/preview_process.h"

#include <gmock/gmock.h>
#include <nlohmann/json.hpp>

namespace bz::testing {
namespace {

using ::testing::HasSubstr;

// Tuesdays and Thursdays from Tuesday 7 January 2025, 08:00 to 10:00 in four half-hour periods,
// two weeks: the closing day is Thursday 23 January, in week 3.
const std::string college = R"({"startDate": "2025-01-07", "startTime": "08:00",
 "endTime": "10:00", "PeriodsPerDay": 4, "WeeksPerYear": 2, "DaysOfWeek": [3, 5]})";
// Hall on Thursdays, Gym failing, Lab on the first three Tuesdays.
const std::string lastNight = "hostkey,name,pattern\n"
                              "H1,Hall,2025-01-01|2025-12-31|2|08:30|09:30\n"
                              "H2,Gym,x\n"
                              "H3,Lab,2025-01-07|2025-01-23|1|08:00|09:00\n";

// The JSON preview of `patterns` under `collegeText`, checked against its schema.
std::string jsonPreview(const std::string& collegeText, const std::string& patterns,
                        const std::string& form = "") {
    const TempFile collegeFile(collegeText), patternsFile(patterns);
    const PreviewRun run = runPreview("--format json " + form + " -c " + collegeFile.path() +
                                      " -p " + patternsFile.path() + " --locale en-GB");
    EXPECT_LE(run.status, 1) << run.err;
    EXPECT_EQ(schemaErrors(run.out, "preview-v2.schema.json"), "");
    return run.out;
}

// Tonight Hall starts half an hour earlier, Gym is mended and written on one day, Lab is gone
// and Pool is new, with a line that fails.
TEST(CompareProcessTest, ListsWhatChangedResourceByResourceWithTonightsLines) {
    const TempFile earlier(jsonPreview(college, lastNight));
    const TempFile collegeFile(college);
    // Pool fails on more lines than a screenful shows.
    std::string pool;
    for (int i = 0; i < 25; ++i)
        pool += "H4,Pool,y\n";
    const TempFile tonight("hostkey,name,pattern\n"
                           "H1,Hall,2025-01-01|2025-12-31|2|08:00|09:30\n"
                           "H2,Gym,2025-01-07|2025-01-07|1|08:00|08:30\n" +
                           pool);
    const std::string run = "-c " + collegeFile.path() + " -p " + tonight.path() +
                            " --locale en-GB --compare " + earlier.path();
    const PreviewRun text = runPreview(run);
    EXPECT_EQ(text.status, 1) << text.err;
    const std::string p = tonight.path();
    for (const std::string& line : std::vector<std::string>{
             "4 resources changed, 0 unchanged; warnings: 0 new, 0 gone.",
             "Hall (host key H1): changed\n  weeks 1-3: Thu 08:00-08:30 now available (" + p +
                 ":2)",
             "Gym (host key H2): changed\n  week 1: Tue 08:00-08:30 now available (" + p +
                 ":3), 08:30-10:00 now unavailable (" + p + ":3)",
             "  report line gone: Error converting availability for 'Gym': Parsing availability "
             "string (was ",
             "Pool (host key H4): new resource\n  new report line: Error converting availability "
             "for 'Pool': Parsing availability string (" +
                 p + ":4)",
             "for 'Pool': Parsing availability string (" + p +
                 ":22)\n  ... and 6 more lines "
                 "(--format json or html shows them all)\n\nLab (host key H3): gone\n"})
        EXPECT_THAT(text.out, HasSubstr(line));

    const PreviewRun json = runPreview(run + " --format json");
    EXPECT_EQ(json.status, 1) << json.err;
    EXPECT_EQ(schemaErrors(json.out, "comparison-v1.schema.json"), "");
    const auto document = nlohmann::json::parse(json.out);
    EXPECT_EQ(document["changed"], true);
    const auto& gym = document["resources"][1];
    EXPECT_EQ(gym["hostKey"], "H2");
    EXPECT_EQ(gym["days"], nlohmann::json::parse(R"([{"weekday": "Tue", "weeks": [[1, 1]],
        "dates": ["2025-01-07"], "periods": [
        {"from": "08:00", "to": "08:30", "now": "available",
         "source": {"file": ")" + p + R"(", "line": 3}},
        {"from": "08:30", "to": "10:00", "now": "unavailable",
         "source": {"file": ")" + p + R"(", "line": 3}}]}])"));
    EXPECT_EQ(gym["goneReportLines"][0]["source"]["line"], 3);
    EXPECT_EQ(document["resources"][2]["newReportLines"].size(), 25u);
    EXPECT_EQ(document["resources"][3]["change"], "disappeared");
}

// The same run, and the same preview: nothing changed, exit status 0, in every format.
TEST(CompareProcessTest, APreviewComparedWithItselfOrItsOwnRunChangedNothing) {
    const TempFile earlier(jsonPreview(college, lastNight));
    const TempFile collegeFile(college), patterns(lastNight), page("", ".html");
    const std::string withItself = "--compare " + earlier.path() + " " + earlier.path();
    const std::string withItsRun = "-c " + collegeFile.path() + " -p " + patterns.path() +
                                   " --locale en-GB --compare " + earlier.path();
    for (const std::string& args : {withItself, withItsRun}) {
        const PreviewRun text = runPreview(args);
        EXPECT_EQ(text.status, 0) << args << '\n' << text.err;
        EXPECT_THAT(text.out, HasSubstr("\nNothing changed: 3 resources the same.\n"));
        const PreviewRun json = runPreview(args + " --format json");
        EXPECT_EQ(json.status, 0) << json.err;
        EXPECT_EQ(schemaErrors(json.out, "comparison-v1.schema.json"), "");
        EXPECT_EQ(nlohmann::json::parse(json.out)["unchangedResources"], 3);
        EXPECT_EQ(runPreview(args + " --format html -o " + page.path()).status, 0);
        EXPECT_THAT(contentOf(page.path()), HasSubstr("0 resources changed, 3 unchanged."));
    }
}

// A week later the calendar starts on 14 January: the days are compared by date, each folded
// form or day by day, and what falls outside the new calendar is named by its date.
TEST(CompareProcessTest, ACalendarThatMovedIsListedFirstAndTheDaysComparedByDate) {
    std::string moved = college;
    moved.replace(moved.find("2025-01-07"), 10, "2025-01-14");
    const TempFile earlier(jsonPreview(college, lastNight));
    const TempFile later(jsonPreview(moved, lastNight, "--days"));
    const PreviewRun run = runPreview("--compare " + earlier.path() + " " + later.path());
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_THAT(run.out, HasSubstr("The calendar changed; days are compared by date and time of "
                                   "day:\n  firstDay: 2025-01-07 -> 2025-01-14\n  closingDay: "
                                   "2025-01-23 -> 2025-01-30\n2 resources changed, 1 unchanged"));
    EXPECT_THAT(run.out, HasSubstr("Hall (host key H1): changed\n"
                                   "  2025-01-09: Thu 08:00-10:00 no longer written\n"
                                   "  week 3: Thu 08:00-08:30 now unavailable, 08:30-09:30 now "
                                   "available, 09:30-10:00 now unavailable\n"));
    EXPECT_THAT(run.out, HasSubstr("Lab (host key H3): changed\n"
                                   "  2025-01-07: Tue 08:00-10:00 no longer written\n"));
}

} // namespace
} // namespace bz::testing
