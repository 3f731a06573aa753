#include "availability/link_function.h"
#include "availability/pattern.h"
#include "support/availability_fixture.h"

namespace bz::testing {
namespace {

class LinkFunctionTest : public AvailabilityTest {
  protected:
    void send(const Variant& thing, std::u16string pattern) {
        ZEFA_LHF_SetAvailabilityByString(state_.conversion(), state_.transfer.strErrors, thing,
                                         pattern);
    }
    void send(std::u16string pattern) { send(hostsim::refTo(room_), std::move(pattern)); }
};

constexpr char16_t lineStart[] = u"\r\nError converting availability for 'Room 12': ";

TEST_F(LinkFunctionTest, AValidPatternIsWrittenWithoutAReportLine) {
    send(u"07/01/2026|21/01/2026|3|09:00|11:00");
    EXPECT_EQ(state_.transfer.strErrors, u"");
    EXPECT_EQ(periodsSetTo(true), join({run(16, 17), run(56, 57), run(96, 97)}));
    expectAllReleased();
}

TEST_F(LinkFunctionTest, FieldsAreConvertedUnderTheLocaleAndTheSixthIsIgnored) {
    struct Case {
        const char16_t* pattern;
        std::vector<std::int32_t> available;
    };
    const Case cases[] = {
        {u"07/01/2026|07/01/2026|3|14:00|16:00|", run(21, 22)},
        {u"07/01/2026|07/01/2026|3|14:00|16:00|any text at all", run(21, 22)},
        {u"05/01/2026|09/01/2026| 2.5 |09:00|10:00", {dayStart(0, 1)}},
        {u"05/01/2026|09/01/2026|3.5|09:00|10:00", {dayStart(0, 3)}},
        {u" 2026-01-07 |7 January 2026|3|2:00 PM|16:00:00", run(21, 22)},
    };
    for (const Case& c : cases) {
        PrepareAvailabilityTransfer(state_.transfer);
        room_.periods().clear();
        send(c.pattern);
        EXPECT_EQ(state_.transfer.strErrors, u"") << (&c - cases);
        EXPECT_EQ(periodsSetTo(true), c.available) << (&c - cases);
    }
}

TEST_F(LinkFunctionTest, EveryFailureAddsOneLineWithTheStageReached) {
    struct Case {
        const char16_t* pattern;
        std::u16string stage;
    };
    const Case cases[] = {
        {u"07/01/2026|21/01/2026|3|09:00|11:00|x|y", u"Parsing availability string"},
        {u"07/01/2026|21/01/2026|3|09:00|11:00||", u"Parsing availability string"},
        {u"", u"Parsing availability string"},
        {u"|07/01/2026|3|09:00|11:00", u"Parsing availability string"},
        {u"07/01/2026||3|09:00|11:00", u"Parsing availability string"},
        {u"07/01/2026|21/01/2026|3|09:00", u"Parsing availability string"},
        {u"07/01/2026|21/01/2026|3|09:00|", u"Parsing availability string"},
        {u"07/01/2026|21/01/2026|40000|09:00|11:00", u"Parsing availability string"},
        {u"07/01/2026|21/01/2026|x|09:00|11:00", u"Parsing availability string"},
        {u"07/01/2026|21/01/2026|6|09:00|11:00", u"Calculating Day of Week"},
        {u"07/01/2026|21/01/2026|-32768|09:00|11:00", u"Calculating Day of Week"},
    };
    std::u16string expected;
    for (const Case& c : cases) {
        send(c.pattern);
        expected += lineStart + c.stage;
        EXPECT_EQ(state_.transfer.strErrors, expected) << (&c - cases);
    }
    EXPECT_TRUE(room_.periods().empty());
    expectAllReleased();
}

TEST_F(LinkFunctionTest, AFailureInsideAConversionQuotesTheDate) {
    hostsim::CollegeCalendar calendar = hourlyCalendar();
    calendar.weeksPerYear = Integer{900};
    handOver(calendar);
    const Date week819 = day(2026, 1, 5) + 819 * 7;
    send(locale_->formatDate(week819) + u"|" + locale_->formatDate(week819) + u"|1|09:00|10:00");
    EXPECT_EQ(state_.transfer.strErrors,
              lineStart + (u"Date To Period" + locale_->formatDate(week819 + timeOfDay(17, 0))));
}

TEST_F(LinkFunctionTest, NothingIsPassedOverInSilence) {
    send(Variant::nothing(), u"not a pattern");
    EXPECT_EQ(state_.transfer.strErrors, u"");
    EXPECT_EQ(stageText(), u"Setting Up");
    EXPECT_TRUE(host_.log().empty());
}

TEST_F(LinkFunctionTest, ATargetThatCannotBeNamedFailsTheCallWith91) {
    hostsim::SimObject& notAResource = host_.addObject(u"course");
    for (const Variant& thing :
         {Variant(), Variant(Integer{12}), Variant(u"Room 12"), hostsim::refTo(notAResource)})
        EXPECT_EQ(errorOf([&] { send(thing, u"07/01/2026|21/01/2026|3|09:00|11:00"); }), 91);
    EXPECT_EQ(state_.transfer.strErrors, u"");
    EXPECT_TRUE(host_.log().empty());
    expectAllReleased();
}

TEST_F(LinkFunctionTest, AResourceWhoseNameCannotBeReadFailsTheCallWithThatError) {
    room_.fail(host::DISPID_ResourceName,
               hostsim::hostError(static_cast<std::int32_t>(0x80040111), u"gone"));
    try {
        send(u"broken");
        FAIL() << "no error";
    } catch (const AutomationError& error) {
        EXPECT_EQ(static_cast<std::uint32_t>(error.hresult()), 0x80040111u);
    }
    room_.recover(host::DISPID_ResourceName);
    room_.setProperty(host::DISPID_ResourceName, Array(VarType::Variant, {{0, 1}}));
    EXPECT_EQ(errorOf([&] { send(u"broken"); }), 13);
    EXPECT_EQ(state_.transfer.strErrors, u"");
    expectAllReleased();
}

TEST_F(LinkFunctionTest, WithoutATransferEveryRuleIsReported) {
    state_.transfer.dictMarkedDays.reset();
    send(u"07/01/2026|21/01/2026|3|09:00|11:00");
    EXPECT_EQ(state_.transfer.strErrors, lineStart + std::u16string(u"Setting Availabilities"));
}

TEST(SplitPatternTest, CutsAtEverySeparatorWithoutTrimming) {
    struct Case {
        std::u16string pattern;
        PatternFields fields;
    };
    const Case cases[] = {
        {u"", {}},
        {u"abc", {u"abc"}},
        {u"a|b", {u"a", u"b"}},
        {u"a||b", {u"a", u"", u"b"}},
        {u" a | b |", {u" a ", u" b ", u""}},
        {u"1|2|3|4|5|6", {u"1", u"2", u"3", u"4", u"5", u"6"}},
        {u"1|2|3|4|5|", {u"1", u"2", u"3", u"4", u"5", u""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitPattern(c.pattern), c.fields);
}

TEST(SplitPatternTest, RejectsASeventhFieldAndFarSeparators) {
    EXPECT_EQ(errorOf([] { SplitPattern(u"1|2|3|4|5|6|7"); }), 9);
    EXPECT_EQ(errorOf([] { SplitPattern(u"1|2|3|4|5|6|"); }), 9);

    // A separator at position 32766 is the last one that can be passed.
    EXPECT_EQ(SplitPattern(std::u16string(32765, u'x') + u"|y")[1], u"y");
    EXPECT_EQ(errorOf([] { SplitPattern(std::u16string(32766, u'x') + u"|y"); }), 6);
    EXPECT_EQ(errorOf([] { SplitPattern(std::u16string(40000, u'x') + u"|y"); }), 6);
    EXPECT_EQ(SplitPattern(std::u16string(40000, u'x'))[0].size(), 40000u);
}

} // namespace
} // namespace bz::testing
