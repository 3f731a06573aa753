// Bad command lines and files: a clear message naming the culprit, a nonzero status, no output.

#include "tools/preview_run.h"

#include <utility>

namespace bz::testing {
namespace {

struct Expected {
    int status;
    std::string message; // what follows "bz-preview: "
};

void expectRejected(const std::vector<std::string>& args, const Expected& expected) {
    const PreviewRun run = preview(args);
    EXPECT_EQ(run.status, expected.status) << args.front();
    EXPECT_EQ(run.err, "bz-preview: " + expected.message + "\n");
    EXPECT_EQ(run.out, "");
}

TEST(BadCommandLineTest, IsRejectedWithStatus2) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--bogus"}, "unknown option '--bogus' (see --help)"},
        {{"--locale", "en-GB", "--college"}, "--college needs a value (see --help)"},
        {{"--locale", "fr-FR"}, "--locale: unknown locale 'fr-FR' (use en-US, en-GB or de-DE)"},
        {{"--weeks", "0"}, "--weeks: expected at least 1 week, found '0'"},
        {{"--weeks", "2x"}, "--weeks: expected a whole number of weeks, found '2x'"},
        {{"--weeks", "99999999999999999999"},
         "--weeks: expected a whole number of weeks, found '99999999999999999999'"},
        {{"--locale", "en-GB", "--from", "someday"}, "--from: 'someday' is not a date in en-GB"},
        {{"--locale", "en-US", "--to", "31/13/2024"}, "--to: '31/13/2024' is not a date in en-US"},
    };
    for (const auto& [args, message] : cases)
        expectRejected(args, {2, message});
}

TEST(BadCommandLineTest, HelpDescribesBothFileFormats) {
    const PreviewRun run = preview({"--weeks", "1", "--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.starts_with("Usage: bz-preview [options]\n")) << run.out;
    EXPECT_NE(run.out.find("days of week: Mon Tue Wed Thu Fri"), std::string::npos);
    EXPECT_NE(run.out.find("resource name|host key|first date|last date|teaching day|start time"),
              std::string::npos);
}

TEST(BadFileTest, UnreadableFilesAreNamed) {
    const std::string missing = std::filesystem::temp_directory_path() / "bz_preview_no_such_file";
    const std::string directory = std::filesystem::temp_directory_path();
    expectRejected({"--college", missing}, {1, missing + ": cannot read the file"});
    expectRejected({"--patterns", directory}, {1, directory + ": cannot read the file"});
    const TempFile latin1("Caf\xE9|C1|2024-09-02|2024-09-02|1|09:00|10:00\n");
    expectRejected({"--patterns", latin1.path()},
                   {1, latin1.path() + ": the text is not valid UTF-8"});
}

TEST(BadFileTest, PatternLinesNeedANameAndAHostKey) {
    const TempFile patterns("# fine\nRoom 12|R12|2024-09-02|2024-09-02|1|09:00|10:00\n"
                            "Room 12 R12 2024-09-02\n");
    expectRejected({"--patterns", patterns.path()},
                   {1, patterns.path() +
                           ":3: expected 'resource name|host key|pattern', found 'Room 12 R12 "
                           "2024-09-02'"});
}

// A good college file with line `line` (0 to 5) replaced by `replacement`, or dropped when it
// is empty.
std::string collegeWith(std::size_t line, const std::string& replacement) {
    std::vector<std::string> lines = {"start date: 2024-09-02", "start time: 09:00",
                                      "end time: 17:00",        "periods per day: 8",
                                      "weeks per year: 4",      "days of week: Mon Tue Wed"};
    lines[line] = replacement;
    std::string text = "# college\n";
    for (const std::string& l : lines)
        text += l.empty() ? "" : l + "\n";
    return text;
}

TEST(BadFileTest, CollegeFileProblemsNameTheLineAndTheKey) {
    const std::pair<std::string, std::string> cases[] = {
        {collegeWith(0, "start date 2024-09-02"),
         ":2: expected 'key: value', found 'start date 2024-09-02'"},
        {collegeWith(0, "colour: blue"), ":2: unknown key 'colour'"},
        {collegeWith(0, "Weeks Per Year: 5"), ":6: 'weeks per year' is given twice"},
        {collegeWith(5, ""), ": 'days of week' is missing"},
        {collegeWith(0, "start date: 31/02/2024"),
         ":2: 'start date' is not a date or time: '31/02/2024'"},
        {collegeWith(1, "start time: 2024-09-02 09:00"),
         ":3: 'start time' must be a time of day without a date: '2024-09-02 09:00'"},
        {collegeWith(2, "end time: 09:00"), ":4: 'end time' must be later than the start time"},
        {collegeWith(3, "periods per day: 0"), ":5: 'periods per day' must lie between 1 and 1440"},
        {collegeWith(3, "periods per day: 1441"),
         ":5: 'periods per day' must lie between 1 and 1440"},
        {collegeWith(3, "periods per day: 8.5"),
         ":5: 'periods per day' must be a whole number: '8.5'"},
        {collegeWith(4, "weeks per year: 99999999999"),
         ":6: 'weeks per year' must lie between 1 and 32767"},
        {collegeWith(5, "days of week: Mon Funday"),
         ":7: 'days of week' has 'Funday', which is not a weekday (Mon..Sun or 1 = Sunday..7)"},
        {collegeWith(5, "days of week: Mon, 8"),
         ":7: 'days of week' has '8', which is not a weekday (Mon..Sun or 1 = Sunday..7)"},
        {collegeWith(5, "days of week: Mon 2"), ":7: 'days of week' names 2 twice"},
        {collegeWith(5, "days of week: ,"), ":7: 'days of week' names no day"},
    };
    for (const auto& [text, message] : cases) {
        const TempFile college(text);
        expectRejected({"--college", college.path(), "--locale", "en-GB"},
                       {1, college.path() + message});
    }
}

TEST(BadFileTest, ACollegeTheComponentRejectsGivesItsRunTimeError) {
    // 11000 weeks of three teaching days pass the 32767 days a calendar can count.
    const TempFile college(collegeWith(4, "weeks per year: 11000"));
    expectRejected({"--college", college.path()},
                   {1, "the component cannot set up this college: run-time error 6 (Overflow)"});
}

} // namespace
} // namespace bz::testing
