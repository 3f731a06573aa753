// The HTML page rendered by headless Chromium: what its screenshot shows, and its DOM.

#include "college_year_files.h"
#include "tools/png_pixels.h"
#include "tools/preview_process.h"

#include <gmock/gmock.h>

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

} // namespace
} // namespace bz::testing
