// The HTML page rendered by headless Chromium: what its screenshot shows, and its DOM.

#include "tools/png_pixels.h"
#include "tools/preview_process.h"

#include <gmock/gmock.h>

namespace bz::testing {
namespace {

constexpr std::array<std::uint8_t, 3> available{0x2e, 0x7d, 0x32};
constexpr std::array<std::uint8_t, 3> unavailable{0xc6, 0x28, 0x28};
constexpr std::array<std::uint8_t, 3> unwritten{0xe0, 0xe0, 0xe0};

std::string chromium(const std::string& arguments) {
    return "chromium --headless --no-sandbox --disable-gpu --hide-scrollbars "
           "--force-device-scale-factor=1 --window-size=800,600 " +
           arguments + " 2>/dev/null";
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
    ASSERT_EQ(
        std::system(
            chromium("--screenshot=" + screenshot.path() + " file://" + page_.path()).c_str()),
        0)
        << "chromium is missing: run scripts/setup.sh";
    const Image image = readPng(screenshot.path());
    ASSERT_EQ(image.width, 800u);
    // Three weeks: 6 periods available, 6 unavailable and the 12 of the Tuesdays not written;
    // each colour also fills one legend square of 12 x 12 pixels. The grey of text's
    // anti-aliased edges adds a few pixels of its own.
    const std::size_t legend = 144;
    const std::size_t green = image.count(available);
    EXPECT_GT(green, 6 * 100 + legend);
    EXPECT_EQ(image.count(unavailable), green);
    EXPECT_NEAR(static_cast<double>(image.count(unwritten)),
                static_cast<double>(2 * (green - legend) + legend), 40.0);
}

TEST_F(HtmlRenderTest, NamesEachCellsSourceAndTracesTheReport) {
    const TempFile dom("");
    ASSERT_EQ(
        std::system(chromium("--dump-dom file://" + page_.path() + " >" + dom.path()).c_str()), 0);
    const std::string text = contentOf(dom.path());
    EXPECT_THAT(text, ::testing::HasSubstr("title=\"Thu 09/01/2025 08:30: available, " +
                                           patternsPath_ + ":2\""));
    EXPECT_THAT(text, ::testing::HasSubstr(
                          "<code>Error converting availability for 'Hall': Parsing availability "
                          "string</code><br>" +
                          patternsPath_ + ":3: start time 'nine': run-time error 13"));
    EXPECT_THAT(text, ::testing::Not(::testing::HasSubstr("http")));
}

} // namespace
} // namespace bz::testing
