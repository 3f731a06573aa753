// The HTML page rendered by headless Chromium: what its screenshot shows, and its DOM.

#include "college_year_files.h"
#include "tools/png_pixels.h"
#include "tools/preview_process.h"

#include <gmock/gmock.h>
#include <nlohmann/json.hpp>

#include <map>
#include <regex>

namespace bz::testing {
namespace {

constexpr std::array<std::uint8_t, 3> available{0x00, 0x72, 0xb2};
constexpr std::array<std::uint8_t, 3> unavailable{0xe6, 0x9f, 0x00};
constexpr std::array<std::uint8_t, 3> unwritten{0xe0, 0xe0, 0xe0};

// Headless Chromium with a profile of its own, fetching nothing of its own accord; the exit
// status of the command.
int chromium(const std::string& arguments) {
    char profile[] = "/tmp/bz_chromium_XXXXXX";
    if (!mkdtemp(profile))
        return -1;
    const int status = std::system(
        ("chromium --headless --no-sandbox --disable-gpu --hide-scrollbars "
         "--disable-background-networking --disable-component-update --disable-sync "
         "--no-first-run --force-device-scale-factor=1 --window-size=800,600 --user-data-dir=" +
         std::string(profile) + " " + arguments + " 2>/dev/null")
            .c_str());
    std::filesystem::remove_all(profile);
    return status;
}

class HtmlRenderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Two weeks of Tuesdays and Thursdays, four periods a day; Thursdays half available.
        const TempFile college(R"({"startDate": "2025-01-07", "startTime": "08:00",
            "endTime": "10:00", "PeriodsPerDay": 4, "WeeksPerYear": 2, "DaysOfWeek": [3, 5]})");
        const TempFile patterns("hostkey,name,pattern\n"
                                "H1,Hall,2025-01-01|2025-12-31|2|08:30|09:30\n"
                                "H1,Hall,2025-01-07|2025-01-07|1|nine|09:00\n");
        const PreviewRun run =
            runPreview("--format html --output " + page_.path() + " -c " + college.path() + " -p " +
                       patterns.path() + " --locale en-GB");
        ASSERT_EQ(run.status, 1) << run.err;
        patternsPath_ = patterns.path();
    }

    TempFile page_{"", ".html"};
    std::string patternsPath_;
};

TEST_F(HtmlRenderTest, ShowsEachCellInItsColourBesideTheLegend) {
    const TempFile screenshot("", ".png");
    ASSERT_EQ(chromium("--screenshot=" + screenshot.path() + " file://" + page_.path()), 0)
        << "chromium is missing: run scripts/setup.sh";
    const Image image = readPng(screenshot.path());
    ASSERT_EQ(image.width, 800u);
    // The three Thursdays folded into one row: 2 periods available, 2 unavailable; the Tuesdays,
    // not written, are not shown. Each colour also fills one legend square of 12 x 12 pixels.
    // The grey of text's anti-aliased edges adds a few pixels of its own.
    const std::size_t legend = 144;
    const std::size_t blue = image.count(available);
    EXPECT_GT(blue, 2 * 100 + legend);
    EXPECT_EQ(image.count(unavailable), blue);
    EXPECT_NEAR(static_cast<double>(image.count(unwritten)), static_cast<double>(legend), 40.0);
}

TEST_F(HtmlRenderTest, NamesEachCellsSourceAndTracesTheReport) {
    const TempFile dom("");
    ASSERT_EQ(chromium("--dump-dom file://" + page_.path() + " >" + dom.path()), 0);
    const std::string text = contentOf(dom.path());
    EXPECT_THAT(text, ::testing::HasSubstr("title=\"Thu 09/01/2025 08:30: available, " +
                                           patternsPath_ + ":2\""));
    EXPECT_THAT(text, ::testing::HasSubstr(
                          "<code>Error converting availability for 'Hall': Parsing availability "
                          "string</code><br>" +
                          patternsPath_ + ":3: start time 'nine': run-time error 13"));
    // The contents list and the report line lead to the resource.
    EXPECT_THAT(text, ::testing::HasSubstr("<li><a href=\"#r0\">Hall</a></li>"));
    EXPECT_THAT(text, ::testing::HasSubstr("(Type mismatch) (<a href=\"#r0\">Hall</a>)</li>"));
    EXPECT_THAT(text, ::testing::HasSubstr("<section id=\"r0\">"));
    EXPECT_THAT(text, ::testing::Not(::testing::HasSubstr("http")));
}

// A college's year at an institution's size (100,000 lines): the page stays small enough for a
// browser, which shows the last resource with a source on each period.
TEST(HtmlRenderAtSizeTest, ShowsTheLastResourceOfAYear) {
    const TempFile college(""), patterns(""), page("", ".html"), dom("");
    bench::writeYearCollege(college.path());
    bench::writeYearPatterns(patterns.path());
    const PreviewRun run =
        runPreview("--format html --output " + page.path() + " -c " + college.path() + " -p " +
                   patterns.path() + " --locale en-GB");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_LT(std::filesystem::file_size(page.path()), 10'000'000u);
    ASSERT_EQ(chromium("--dump-dom file://" + page.path() + " >" + dom.path()), 0);
    const std::string text = contentOf(dom.path());
    const auto last = text.find("<section id=\"r1999\"><h2>Room 1999 <small>");
    ASSERT_NE(last, std::string::npos);
    // Its Mondays' 09:00 is written last by rule 45, on line 2 + 45 * 2000 + 1999.
    EXPECT_NE(
        text.find("title=\"Mon 05/01/2026 09:00: available, " + patterns.path() + ":92001\"", last),
        std::string::npos);
    EXPECT_NE(text.find("<h2 id=\"warnings\">", last), std::string::npos);
}

// The year again the next night, 1% of its rules changed (college_year_files.h): the comparison
// lists exactly the resources whose rules changed, each with the changed rule's weekday, its new
// hour now available all year and its line, in text and JSON; the page marks exactly those cells.
class CompareAtSizeTest : public ::testing::Test {
  protected:
    // Each changed resource's host key and its changed periods: weekday, hour, line.
    using Expected = std::map<std::string, std::set<std::tuple<std::string, int, int>>>;

    static void SetUpTestSuite() {
        bench::writeYearCollege(college_->path());
        bench::writeYearPatterns(lastNight_->path());
        bench::writeYearPatterns(tonight_->path(), true);
        const PreviewRun run =
            runPreview("--format json -o " + earlier_->path() + " -c " + college_->path() + " -p " +
                       lastNight_->path() + " --locale en-GB");
        ASSERT_EQ(run.status, 0) << run.err;
    }

    static Expected expected() {
        static constexpr std::array<const char*, 5> weekdays = {"Mon", "Tue", "Wed", "Thu", "Fri"};
        Expected changed;
        for (int rule = 0; rule < bench::yearRulesPerResource; ++rule)
            for (int resource = 0; resource < bench::yearResources; ++resource)
                if (bench::yearRuleChanged(rule, resource))
                    changed["R" + std::to_string(resource)].emplace(
                        weekdays[static_cast<std::size_t>(rule % 5)],
                        bench::yearRuleHour(rule, resource, true),
                        bench::yearRuleLine(rule, resource));
        return changed;
    }

    static PreviewRun compare(const std::string& format) {
        return runPreview("-c " + college_->path() + " -p " + tonight_->path() +
                          " --locale en-GB --compare " + earlier_->path() + " " + format);
    }

    static std::string clock(int hour) {
        return (hour < 10 ? "0" : "") + std::to_string(hour) + ":00";
    }

    static inline std::unique_ptr<TempFile> college_ = std::make_unique<TempFile>("");
    static inline std::unique_ptr<TempFile> lastNight_ = std::make_unique<TempFile>("");
    static inline std::unique_ptr<TempFile> tonight_ = std::make_unique<TempFile>("");
    static inline std::unique_ptr<TempFile> earlier_ = std::make_unique<TempFile>("", ".json");
};

TEST_F(CompareAtSizeTest, ListsExactlyTheChangedResourcesDaysAndPeriodsInTextAndJson) {
    const Expected changed = expected();
    const PreviewRun json = compare("--format json");
    ASSERT_EQ(json.status, 1) << json.err;
    EXPECT_EQ(schemaErrors(json.out, "comparison-v1.schema.json"), "");
    Expected listed;
    const auto document = nlohmann::json::parse(json.out);
    for (const auto& resource : document["resources"])
        for (const auto& day : resource["days"]) {
            // The rules end on Thursday 31 December, in week 52.
            EXPECT_EQ(day["weeks"],
                      nlohmann::json::parse(day["weekday"] == "Fri" ? "[[1, 51]]" : "[[1, 52]]"));
            for (const auto& period : day["periods"]) {
                EXPECT_EQ(period["now"], "available");
                const int hour = std::stoi(period["from"].get<std::string>());
                EXPECT_EQ(period["to"], clock(hour + 1));
                listed[resource["hostKey"].get<std::string>()].emplace(
                    day["weekday"].get<std::string>(), hour, period["source"]["line"].get<int>());
            }
        }
    EXPECT_EQ(listed, changed);

    const PreviewRun text = compare("");
    ASSERT_EQ(text.status, 1) << text.err;
    EXPECT_THAT(text.out,
                ::testing::HasSubstr(std::to_string(changed.size()) + " resources changed, " +
                                     std::to_string(2000 - changed.size()) + " unchanged"));
    Expected shown;
    const std::regex line("\n[^\n]+ \\(host key (R\\d+)\\): changed\n  weeks 1-5[12]: (\\w+) "
                          "(\\d+):00-\\d+:00 now available \\(\\S+:(\\d+)\\)\n");
    for (std::sregex_iterator match(text.out.begin(), text.out.end(), line), end; match != end;
         ++match)
        shown[(*match)[1].str()].emplace((*match)[2].str(), std::stoi((*match)[3]),
                                         std::stoi((*match)[4]));
    EXPECT_EQ(shown, changed);
}

TEST_F(CompareAtSizeTest, ThePageMarksTheChangedCellsInChromium) {
    const TempFile page("", ".html"), dom("");
    ASSERT_EQ(compare("--format html -o " + page.path()).status, 1);
    ASSERT_EQ(chromium("--dump-dom file://" + page.path() + " >" + dom.path()), 0);
    const std::string text = contentOf(dom.path());
    std::size_t marks = 0;
    for (const auto& [hostKey, periods] : expected())
        for (const auto& [weekday, hour, line] : periods) {
            ++marks;
            EXPECT_NE(
                text.find("<td class=\"a\" title=\"" + std::string(weekday) + " 2026-01-0" +
                          std::to_string(5 + (std::string("MonTueWedThuFri").find(weekday) / 3)) +
                          " " + clock(hour) + "-" + clock(hour + 1) + " now available (" +
                          tonight_->path() + ":" + std::to_string(line) + ")\">+</td>"),
                std::string::npos)
                << hostKey << ' ' << weekday << ' ' << hour;
        }
    // Every mark on a changed cell, and none elsewhere.
    std::size_t found = 0;
    for (std::size_t at = text.find("\">+</td>"); at != std::string::npos;
         at = text.find("\">+</td>", at + 1))
        ++found;
    EXPECT_EQ(found, marks);
}

} // namespace
} // namespace bz::testing
