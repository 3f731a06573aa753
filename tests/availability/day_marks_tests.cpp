#include "support/fixture.h"

namespace bz::testing {
namespace {

// Day marks with 8 periods a day and 10 calendar days (5 teaching days, 2 weeks).
class DayMarksTest : public LinkHelperTest {
  protected:
    DayMarksTest() {
        hostsim::CollegeCalendar calendar = standardCalendar();
        calendar.periodsPerDay = Integer{8};
        calendar.weeksPerYear = Integer{2};
        handOver(calendar);
        PrepareAvailabilityTransfer(state_.transfer);
    }
    void mark(std::u16string key, Integer period) {
        MarkTheDay(state_.calendar, dayMarks(), key, period);
    }
    bool marked(std::u16string key, Integer period) {
        return DayHasBeenMarked(state_.calendar, dayMarks(), key, period);
    }
};

TEST_F(DayMarksTest, DayIndexTruncatesAndBothBoundsAreInclusive) {
    mark(u"R1", 87); // day 10 = intDayCount
    mark(u"R1", 88); // day 11: ignored
    mark(u"R1", -7); // day 0
    mark(u"R1", -8); // day -1: ignored
    EXPECT_TRUE(marked(u"R1", 80));
    EXPECT_FALSE(marked(u"R1", 88));
    EXPECT_TRUE(marked(u"R1", 0));
    EXPECT_TRUE(marked(u"R1", 7));
    EXPECT_TRUE(marked(u"R1", -1));
    EXPECT_FALSE(marked(u"R1", -8));
    EXPECT_FALSE(marked(u"R1", 8));
}

TEST_F(DayMarksTest, KeysAreExactAndCaseSensitive) {
    mark(u"Room", 3 * 8);
    mark(u"Room", 5 * 8 + 7);
    EXPECT_TRUE(marked(u"Room", 3 * 8));
    EXPECT_FALSE(marked(u"Room", 4 * 8));
    EXPECT_TRUE(marked(u"Room", 5 * 8));
    for (const char16_t* other : {u"room", u"Room ", u" Room", u""})
        EXPECT_FALSE(marked(other, 3 * 8)) << "key length " << std::u16string(other).size();
}

TEST_F(DayMarksTest, PrepareAndFinishBothEmptyTheMarks) {
    mark(u"R1", 0);
    FinishAvailabilityTransfer(state_.transfer, nullptr);
    EXPECT_FALSE(marked(u"R1", 0));
    mark(u"R1", 0); // the closed store still works until the next Prepare
    EXPECT_TRUE(marked(u"R1", 0));
    PrepareAvailabilityTransfer(state_.transfer);
    EXPECT_FALSE(marked(u"R1", 0));
}

TEST_F(DayMarksTest, ATestNeverAddsAKey) {
    // A key added by the test would fix its range now; a later, larger calendar would then
    // fail with error 9 on marking its new days.
    EXPECT_FALSE(marked(u"R1", 8));
    hostsim::CollegeCalendar calendar = standardCalendar();
    calendar.periodsPerDay = Integer{8};
    handOver(calendar); // 260 days
    mark(u"R1", 200 * 8);
    EXPECT_TRUE(marked(u"R1", 200 * 8));
}

TEST_F(DayMarksTest, AKeyKeepsTheRangeOfItsFirstMark) {
    mark(u"R1", 0);
    hostsim::CollegeCalendar calendar = standardCalendar();
    calendar.periodsPerDay = Integer{8};
    handOver(calendar); // 260 days
    EXPECT_EQ(errorOf([&] { mark(u"R1", 11 * 8); }), 9);
    EXPECT_EQ(errorOf([&] { marked(u"R1", 11 * 8); }), 9);
    EXPECT_FALSE(marked(u"R1", 10 * 8));
    mark(u"R2", 11 * 8);
    EXPECT_TRUE(marked(u"R2", 11 * 8));
}

TEST_F(LinkHelperTest, DayMarksNeedATransferAndACollege) {
    std::u16string key = u"R1";
    Integer period = 0;
    // No college: the day computation divides by zero before any bounds test.
    EXPECT_EQ(errorOf([&] { MarkTheDay(state_.calendar, dayMarks(), key, period); }), 11);
    EXPECT_EQ(errorOf([&] { DayHasBeenMarked(state_.calendar, dayMarks(), key, period); }), 11);
    handOver(standardCalendar());
    // No store yet: in-bounds days reach the missing store, others return first.
    EXPECT_EQ(errorOf([&] { MarkTheDay(state_.calendar, dayMarks(), key, period); }), 91);
    EXPECT_EQ(errorOf([&] { DayHasBeenMarked(state_.calendar, dayMarks(), key, period); }), 91);
    period = -16;
    MarkTheDay(state_.calendar, dayMarks(), key, period);
    EXPECT_FALSE(DayHasBeenMarked(state_.calendar, dayMarks(), key, period));
    EXPECT_EQ(errorOf([&] { FinishAvailabilityTransfer(state_.transfer, nullptr); }), 91);
}

class TransferReportTest : public LinkHelperTest {
  protected:
    TransferReportTest() { handOver(standardCalendar()); }
    void fail(const char16_t* line) { state_.transfer.strErrors += line; }
};

TEST_F(TransferReportTest, AnEmptyReportNeverTouchesTheTransferObject) {
    EXPECT_TRUE(PrepareAvailabilityTransfer(state_.transfer));
    EXPECT_TRUE(FinishAvailabilityTransfer(state_.transfer, nullptr));
    EXPECT_TRUE(FinishAvailabilityTransfer(state_.transfer, &host_.transfer()));
    EXPECT_TRUE(host_.transfer().reports().empty());
}

TEST_F(TransferReportTest, DeliversTheReportOnceWithMinusOnes) {
    fail(u"\r\nbroken");
    EXPECT_TRUE(PrepareAvailabilityTransfer(state_.transfer));
    EXPECT_EQ(state_.transfer.strErrors, u"");
    fail(u"\r\nError converting availability for 'A': Parsing availability string");
    EXPECT_TRUE(FinishAvailabilityTransfer(state_.transfer, &host_.transfer()));
    EXPECT_TRUE(FinishAvailabilityTransfer(state_.transfer, &host_.transfer()));
    ASSERT_EQ(host_.transfer().reports().size(), 1u);
    const auto& report = host_.transfer().reports()[0];
    EXPECT_EQ(report.text,
              u"\r\nError converting availability for 'A': Parsing availability string");
    EXPECT_EQ(report.flag1, -1);
    EXPECT_EQ(report.flag2, -1);
    EXPECT_EQ(state_.transfer.strErrors, u"");
}

TEST_F(TransferReportTest, AFailingReportKeepsTheTextAndTheMarksForTheNextFinish) {
    PrepareAvailabilityTransfer(state_.transfer);
    std::u16string key = u"R1";
    Integer period = 16;
    MarkTheDay(state_.calendar, dayMarks(), key, period);
    fail(u"\r\nline");
    host_.transfer().failReports(
        hostsim::hostError(static_cast<std::int32_t>(0x80070005), u"denied"));
    try {
        FinishAvailabilityTransfer(state_.transfer, &host_.transfer());
        FAIL() << "no error";
    } catch (const AutomationError& error) {
        EXPECT_EQ(static_cast<std::uint32_t>(error.hresult()), 0x80070005u);
        EXPECT_EQ(error.description(), u"denied");
    }
    EXPECT_EQ(state_.transfer.strErrors, u"\r\nline");
    EXPECT_TRUE(DayHasBeenMarked(state_.calendar, dayMarks(), key, period));

    EXPECT_EQ(errorOf([&] { FinishAvailabilityTransfer(state_.transfer, nullptr); }), 91);
    host_.transfer().failReports(std::nullopt);
    EXPECT_TRUE(FinishAvailabilityTransfer(state_.transfer, &host_.transfer()));
    ASSERT_EQ(host_.transfer().reports().size(), 1u);
    EXPECT_EQ(host_.transfer().reports()[0].text, u"\r\nline");
}

} // namespace
} // namespace bz::testing
