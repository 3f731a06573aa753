// bz-preview run as a process on small files: what it prints and its exit status.

#include "tools/preview_process.h"

#include <gmock/gmock.h>
#include <nlohmann/json.hpp>

#include <regex>
#include <vector>

namespace bz::testing {
namespace {

// Tuesdays and Thursdays from Tuesday 7 January 2025, 08:00 to 10:00 in four half-hour periods,
// two weeks: the closing day is Thursday 23 January, in week 3.
const std::string college = R"({"startDate": "2025-01-07", "startTime": "08:00",
 "endTime": "10:00", "PeriodsPerDay": 4, "WeeksPerYear": 2, "DaysOfWeek": [3, 5]})";
const std::string header = "hostkey,name,pattern\n";
const std::string thursdays = "H1,Hall,2025-01-01|2025-12-31|2|08:30|09:30\n";
const std::string early = "H1,Hall,2025-01-07|2025-01-23|1|07:00|09:00\n";

struct Case {
    const char* what;
    std::string args; // {college} and {patterns} stand for the files' paths
    std::string patterns;
    int status;
    std::vector<std::string> outHas; // lines the output holds
    std::string errHas;              // what standard error holds; empty: nothing
    std::string collegeText = college;
    std::string input = "";
    std::string environment = "";
};

std::string expanded(std::string text, const TempFile& collegeFile, const TempFile& patterns) {
    text = std::regex_replace(text, std::regex("\\{college\\}"), collegeFile.path());
    return std::regex_replace(text, std::regex("\\{patterns\\}"), patterns.path());
}

const std::string files = "--college {college} --patterns {patterns} --locale en-GB";

// `text` in UTF-16 after a byte-order mark, little- or big-endian.
std::string utf16(const std::u16string& text, bool bigEndian) {
    std::string bytes;
    for (const char16_t unit : u"\uFEFF" + text) {
        const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

TEST(PreviewProcessTest, PrintsWhatTheTransferWritesAndExitsWithItsStatus) {
    const Case cases[] = {
        {"byte-order mark, CRLF, --college=FILE",
         "--college={college} --patterns {patterns} --locale en-GB",
         "\xEF\xBB\xBFhostkey,name,pattern\r\nH1,Hall,2025-01-01|2025-12-31|2|08:30|09:30\r\n",
         0,
         {"Hall (host key H1)", "  weeks 1-3: Thu 08:30-09:30", "Error report: none"},
         ""},
        {"standard input",
         "-c {college} -p - --locale en-GB",
         "",
         0,
         {"  weeks 1-3: Thu 08:30-09:30"},
         "",
         college,
         header + thursdays},
        {"quoted fields with commas, quotes and |",
         files,
         header + "H1,\"Hall, \"\"Main\"\" | East\",\"2025-01-07|2025-01-07|1|08:00|09:00\"\n",
         0,
         {"Hall, \"Main\" | East (host key H1)", "  week 1: Tue 08:00-09:00"},
         ""},
        {"columns mapped",
         files + " --columns hostkey=ID,pattern=Availability",
         "Availability,ID\n2025-01-07|2025-01-09|1|08:00|08:30,H1\n",
         0,
         {"H1 (host key H1)", "  week 1: Tue 08:00-08:30"},
         ""},
        {"every bad line traced",
         files,
         header + "H1,Hall,2025-01-07|2025-01-07|1|nine|09:00\n" +
             "H1,Hall,2025-01-07|2025-01-07|3|08:00|09:00\nH1,Hall,2025-01-07\n" + thursdays,
         1,
         {"Error report, 3 lines as the transfer object received them:",
          "  Error converting availability for 'Hall': Parsing availability string",
          "    {patterns}:2: start time 'nine': run-time error 13 (Type mismatch)",
          "  Error converting availability for 'Hall': Calculating Day of Week",
          "    {patterns}:3: teaching day '3': run-time error 9 (Subscript out of range)",
          "    {patterns}:4: last date '': run-time error 13 (Type mismatch)",
          "  weeks 1-3: Thu 08:30-09:30"},
         ""},
        {"warnings",
         files,
         header + "H1,Hall,2025-01-07|2025-01-23|1|07:00|09:00\n",
         0,
         {"  {patterns}:2: start time 07:00 lies before the teaching day, which starts at 08:00: "
          "the span starts then"},
         ""},
        {"the same warning on many lines: once, with the count and the first lines",
         files,
         header + early + early + early + early,
         0,
         {"  4 lines ({patterns}:2, {patterns}:3, {patterns}:4, ...): start time 07:00 lies "
          "before the teaching day, which starts at 08:00: the span starts then"},
         ""},
        {"dates read with day and month swapped: one line, whatever the dates",
         files,
         header + "H1,Hall,01/13/2025|2025-01-23|1|08:00|09:00\n" +
             "H1,Hall,01/14/2025|2025-01-23|1|08:00|09:00\n",
         0,
         {"  2 lines ({patterns}:2, {patterns}:3): first date read with day and month swapped, "
          "since the locale's month is no month (the first: '01/13/2025' is read as 13/01/2025)"},
         ""},
        {"--resource limits the report lines and the warnings",
         files + " --resource H1",
         header + "H2,Gym,2025-01-07|2025-01-23|1|07:00|09:00\nH2,Gym,x\n" +
             "H1,Hall,2025-01-07|2025-01-23|1|07:00|09:00\nH1,Hall,x\n",
         1,
         {"Error report, 2 lines as the transfer object received them, 1 of them on the "
          "resources shown:",
          "Warnings:\n  {patterns}:4: start time 07:00 lies before the teaching day, which starts "
          "at "
          "08:00: the span starts then"},
         ""},
        {"a bad --from, found before the patterns file is read",
         files + " --grid --from 32/01/2025",
         "hostkey,name\nH1,Hall\n",
         2,
         {},
         "bz-preview: --from: '32/01/2025' is not a date in en-GB\n"},
        {"--compare: a preview of another schema version, named",
         "--compare {college} {college}",
         "",
         2,
         {},
         "bz-preview: {college}: a preview of schema version 3; this previewer compares "
         "version 2\n",
         R"({"schemaVersion": 3, "form": "weeks", "resources": []})"},
        {"--compare: a preview of version 1, which had no schemaVersion",
         "--compare {college} {college}",
         "",
         2,
         {},
         "bz-preview: {college}: no schemaVersion: a preview of version 1, or no preview\n",
         R"({"resources": [], "report": {"text": "", "lines": []}, "warnings": []})"},
        {"--compare with two previews and files to run",
         files + " --compare {college} {college}",
         "",
         2,
         {},
         "bz-preview: --compare with two previews runs nothing: leave out --college and "
         "--patterns\n"},
        {"--days without --format json",
         files + " --days",
         header,
         2,
         {},
         "bz-preview: --days needs --format json\n"},
        {"warnings under --strict",
         files + " --strict",
         header + "H1,Hall,2025-01-07|2025-01-23|1|07:00|09:00\n",
         1,
         {},
         ""},
        {"malformed CSV lines, each reported",
         files,
         header + "H1,Hall,x,y\nH1,\"Hall,2025\n" + thursdays,
         2,
         {"  weeks 1-3: Thu 08:30-09:30"},
         "bz-preview: {patterns}:2: more fields than the header has columns\n"
         "bz-preview: {patterns}:3: a quoted field is not closed on its line\n"},
        {"semicolons, as spreadsheets write CSV under German or French settings",
         files,
         "hostkey;name;pattern\nH1;Saal 1, Nord;2025-01-01|2025-12-31|2|08:30|09:30\n",
         0,
         {"Saal 1, Nord (host key H1)", "  weeks 1-3: Thu 08:30-09:30"},
         ""},
        {"tabs",
         files,
         "hostkey\tname\tpattern\nH1\tHall; East\t2025-01-01|2025-12-31|2|08:30|09:30\n",
         0,
         {"Hall; East (host key H1)", "  weeks 1-3: Thu 08:30-09:30"},
         ""},
        {"a quoted line break; the broken record after it and the next each at its own line",
         files,
         "hostkey,name,notes,pattern\r\nH1,Hall,\"first floor\r\nkey at "
         "desk\",2025-01-01|2025-12-31|"
         "2|08:30|09:30\r\nH2,Room,\"a\"b,c\r\nH1,Hall,,2025-01-07|2025-01-07|1|nine|09:00\r\n",
         2,
         {"  weeks 1-3: Thu 08:30-09:30",
          "    {patterns}:5: start time 'nine': run-time error 13 (Type mismatch)"},
         "bz-preview: {patterns}:4: text follows the closing quote of a quoted field\n"},
        {"Windows-1252, with a warning naming it",
         files,
         header + "S1,Salle \xE9t\xE9 \x80,2025-01-01|2025-12-31|2|08:30|09:30\n",
         0,
         {"Salle été € (host key S1)", "  weeks 1-3: Thu 08:30-09:30",
          "  {patterns}:2: the text is not UTF-8: read as Windows-1252 (--encoding names another)"},
         ""},
        {"UTF-16LE with a byte-order mark, CRLF",
         files,
         utf16(u"hostkey,name,pattern\r\nS1,Salle été 𝄞,2025-01-01|2025-12-31|2|08:30|09:30\r\n",
               false),
         0,
         {"Salle été 𝄞 (host key S1)", "  weeks 1-3: Thu 08:30-09:30"},
         ""},
        {"UTF-16BE with a byte-order mark",
         files,
         utf16(u"hostkey,name,pattern\nS1,Αίθουσα,2025-01-01|2025-12-31|2|08:30|09:30\n", true),
         0,
         {"Αίθουσα (host key S1)", "  weeks 1-3: Thu 08:30-09:30"},
         ""},
        {"--delimiter and --encoding said: the header's as many commas go into one column",
         files + " --delimiter ';' --encoding windows-1252",
         "hostkey;name;pattern;a,b,c\nS1;Salle \xE9t\xE9;2025-01-01|2025-12-31|2|08:30|09:30;\n",
         0,
         {"Salle été (host key S1)", "Warnings: none"},
         ""},
        {"the delimiter that splits out the columns, though commas are as many",
         files,
         "hostkey;name;pattern;notes (room, floor, wing, desk)\n"
         "H1;Hall;2025-01-01|2025-12-31|2|08:30|09:30;a, b\n",
         0,
         {"Hall (host key H1)", "  weeks 1-3: Thu 08:30-09:30"},
         ""},
        {"a header that names no column under any delimiter: what it holds",
         files,
         "id|room|availability,notes\nH1|Hall|x,\n",
         2,
         {},
         "bz-preview: {patterns}:1: the header names none of the columns 'hostkey', 'name' and "
         "'pattern': split at commas, it holds 'id|room|availability', 'notes' (--delimiter and "
         "--columns say others)\n"},
        {"no pattern column",
         files,
         "hostkey,name\nH1,Hall\n",
         2,
         {},
         "bz-preview: {patterns}:1: the header has no 'pattern' column (--columns maps other "
         "names)\n"},
        {"not UTF-8, said to be UTF-8",
         files + " --encoding utf-8",
         header + "H1,Caf\xE9,2025-01-07|2025-01-07|1|08:00|09:00\n",
         2,
         {},
         "bz-preview: {patterns}:2: the text is not valid UTF-8\n"},
        {"missing file",
         "-c /nonexistent/college.json -p {patterns}",
         header,
         2,
         {},
         "bz-preview: /nonexistent/college.json: cannot read it: No such file or directory\n"},
        {"a directory",
         "-c / -p {patterns}",
         header,
         2,
         {},
         "bz-preview: /: cannot read it: it is a directory\n"},
        {"malformed JSON",
         files,
         header,
         2,
         {},
         "bz-preview: {college}:2: syntax error while parsing object",
         "{\n\"startDate\": 2025-,\n}"},
        {"a college the component rejects",
         files,
         header,
         2,
         {},
         "bz-preview: {college}:2: the component cannot set up the college from 'WeeksPerYear': "
         "run-time error 6 (Overflow)\n",
         std::regex_replace(college, std::regex("\"WeeksPerYear\": 2"), "\"WeeksPerYear\": 20000")},
        {"an unknown college member",
         files,
         header,
         2,
         {},
         "bz-preview: {college}:1: 'colour' is not a college member",
         "{\"colour\": 1}"},
        {"the embedded sample, its lines named as the example files' lines",
         "--locale en-GB",
         "",
         1,
         {"Room 0511 (host key R0511)",
          "    examples/patterns.csv:25: start time 'nine': run-time error 13 (Type mismatch)"},
         ""},
        {"--college without --patterns",
         "-c {college}",
         "",
         2,
         {},
         "bz-preview: --college requires --patterns (see --help)\n"},
        {"--version", "--version", "", 0, {"bz-preview 1.0.0"}, ""},
        {"unknown option",
         "--bogus -c c.json -p p.csv",
         "",
         2,
         {},
         "bz-preview: The following argument was not "
         "expected: --bogus (see --help)\n"},
        {"unknown locale",
         "-c {college} -p {patterns}",
         header,
         0,
         {"  LANG: names the locale 'fr_FR.UTF-8', which the previewer does not know: dates, "
          "times and numbers are read as en-US"},
         "",
         college,
         "",
         "LC_ALL= LC_TIME= LANG=fr_FR.UTF-8"},
        {"--resource with a key no resource has",
         files + " --resource H2",
         header + thursdays,
         2,
         {},
         "bz-preview: --resource: no resource has the host key 'H2'\n"},
        {"--grid",
         files + " --grid",
         header + thursdays,
         0,
         {"W1 Tue 07/01/2025  ....", "W1 Thu 09/01/2025  -##-"},
         ""},
    };
    for (const Case& c : cases) {
        const TempFile collegeFile(c.collegeText), patterns(c.patterns);
        const PreviewRun run =
            runPreview(expanded(c.args, collegeFile, patterns), c.input, c.environment);
        EXPECT_EQ(run.status, c.status) << c.what << "\n" << run.err;
        for (const std::string& line : c.outHas)
            EXPECT_THAT(run.out, ::testing::HasSubstr(expanded(line, collegeFile, patterns) + "\n"))
                << c.what;
        if (c.errHas.empty())
            EXPECT_EQ(run.err, "") << c.what;
        else
            EXPECT_THAT(run.err, ::testing::HasSubstr(expanded(c.errHas, collegeFile, patterns)))
                << c.what;
    }
}

TEST(PreviewProcessTest, AnOutputFileIsReplacedOnlyByAWholePreview) {
    const TempFile collegeFile(college), patterns(header + thursdays);
    const TempFile output("last night's preview\n");
    const std::string inputs =
        "-c " + collegeFile.path() + " -p " + patterns.path() + " --locale en-GB";
    const std::string args = inputs + " -o " + output.path();
    const PreviewRun stopped = runPreview(args + " --resource NOPE");
    EXPECT_EQ(stopped.status, 2);
    EXPECT_EQ(contentOf(output.path()), "last night's preview\n");
    EXPECT_EQ(stopped.err, "bz-preview: --resource: no resource has the host key 'NOPE'\n"
                           "bz-preview: " +
                               output.path() + ": not written; it is left as it was\n");
    const std::filesystem::path folder = std::filesystem::path(output.path()).parent_path();
    const std::string name = std::filesystem::path(output.path()).filename().string();
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        EXPECT_FALSE(entry.path().filename().string().starts_with(name + "."))
            << entry.path() << " left behind";

    EXPECT_EQ(runPreview(args).status, 0);
    EXPECT_THAT(contentOf(output.path()), ::testing::HasSubstr("weeks 1-3: Thu 08:30-09:30\n"));
    // A link (as /dev/stdout is one) is written through and stays a link.
    const TempFile linked("");
    const std::filesystem::path link = linked.path() + ".link";
    std::filesystem::create_symlink(linked.path(), link);
    EXPECT_EQ(runPreview(inputs + " -o " + link.string()).status, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_THAT(contentOf(linked.path()), ::testing::HasSubstr("weeks 1-3: Thu 08:30-09:30\n"));
    std::filesystem::remove(link);
}

// A report whose lines are all on resources --resource leaves out is no empty report, in the
// text view and the HTML view alike.
TEST(PreviewProcessTest, TheViewsCountTheReportAlikeUnderResource) {
    const TempFile collegeFile(college), patterns(header + "H2,Gym,x\n" + thursdays);
    const TempFile page("", ".html");
    const std::string args =
        "-c " + collegeFile.path() + " -p " + patterns.path() + " --locale en-GB --resource H1";
    const std::string count =
        "1 lines as the transfer object received them, 0 of them on the resources shown:";
    const PreviewRun text = runPreview(args);
    EXPECT_EQ(text.status, 1) << text.err;
    EXPECT_THAT(text.out, ::testing::HasSubstr("\nError report, " + count + "\n"));
    EXPECT_EQ(runPreview(args + " --format html -o " + page.path()).status, 1);
    EXPECT_THAT(contentOf(page.path()), ::testing::HasSubstr("<p>" + count + "</p>\n"));
}

TEST(PreviewProcessTest, JsonCarriesTheRunsTheReportAndItsTraces) {
    const TempFile collegeFile(college);
    // A file name that is not UTF-8 stands in the JSON text with U+FFFD for its bad byte.
    const TempFile patterns(header + thursdays + "H1,Hall,2025-01-07|2025-01-07|1|nine|09:00\n",
                            "p\xFF.csv");
    const PreviewRun run = runPreview("--format json --days -c " + collegeFile.path() + " -p " +
                                      patterns.path() + " --locale en-GB");
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(schemaErrors(run.out, "preview-v2.schema.json"), "");
    const auto document = nlohmann::json::parse(run.out);
    EXPECT_EQ(document["schemaVersion"], 2);
    const auto& day = document["resources"][0]["days"][0];
    EXPECT_EQ(day["date"], "2025-01-09");
    EXPECT_EQ(day["available"], nlohmann::json::parse(
                                    R"([{"from": "08:30", "to": "09:30", "firstPeriod": 5,
                                         "periods": 2}])"));
    EXPECT_EQ(day["unavailable"].size(), 2u);
    EXPECT_EQ(document["report"]["text"],
              "\r\nError converting availability for 'Hall': Parsing availability string");
    const auto& line = document["report"]["lines"][0];
    EXPECT_EQ(line["source"]["line"], 3);
    EXPECT_THAT(line["source"]["file"].get<std::string>(), ::testing::EndsWith("p\uFFFD.csv"));
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(line["field"], "start time");
    EXPECT_EQ(line["value"], "nine");
    EXPECT_EQ(line["error"]["number"], 13);

    // By default each distinct week once, with the weeks it stands for.
    const PreviewRun folded = runPreview("--format json -c " + collegeFile.path() + " -p " +
                                         patterns.path() + " --locale en-GB");
    EXPECT_EQ(schemaErrors(folded.out, "preview-v2.schema.json"), "");
    const auto foldedDocument = nlohmann::json::parse(folded.out);
    const auto& week = foldedDocument["resources"][0]["weeks"][0];
    EXPECT_EQ(week["weekday"], "Thu");
    EXPECT_EQ(week["weeks"], nlohmann::json::parse("[[1, 3]]"));
    EXPECT_EQ(week["available"], nlohmann::json::parse(
                                     R"([{"from": "08:30", "to": "09:30", "period": 1,
                                          "periods": 2}])"));
}

} // namespace
} // namespace bz::testing
