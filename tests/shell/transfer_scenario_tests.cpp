#include "shell/tembra_link_helper.h"
#include "support/availability_fixture.h"

namespace bz::testing {
namespace {

// Whole transfers through the component's class, as the host drives them.
class TransferScenarioTest : public ::testing::Test {
  protected:
    TransferScenarioTest()
        : locale_(makePortableLocale(PortableLocaleKind::EnGb)), helper_(*locale_),
          room_(host_.addResource(u"Room 12", u"R12")), lab_(host_.addResource(u"Lab 3", u"L3")) {
        host_.setCalendar(hourlyCalendar());
        Variant college = hostsim::refTo(host_.college());
        helper_.ITembraLinkHelper_SetActiveCollegeReference(college);
    }

    void send(hostsim::Resource& resource, std::u16string pattern) {
        Variant thing = hostsim::refTo(resource);
        helper_.ZEFA_LHF_SetAvailabilityByString(thing, pattern);
    }
    Variant marked(std::u16string hostkey, Integer period) {
        return helper_.DayHasBeenMarked(hostkey, period);
    }

    std::unique_ptr<Locale> locale_;
    hostsim::Host host_;
    TembraLinkHelper helper_;
    hostsim::Resource& room_;
    hostsim::Resource& lab_;
};

TEST_F(TransferScenarioTest, BrokenPatternsAreReportedInOrderAndValidOnesFullyWritten) {
    EXPECT_TRUE(helper_.PrepareAvailabilityTransfer(&host_.transfer()));
    send(room_, u"05/01/2026|19/01/2026|1|09:00|11:00");
    send(lab_, u"05/01/2026|19/01/2026|1|09:00");
    send(room_, u"05/01/2026|19/01/2026|1|14:00|16:00");
    send(lab_, u"05/01/2026|19/01/2026|7|09:00|11:00");
    send(lab_, u"06/01/2026|13/01/2026|2|10:00|12:00");
    EXPECT_TRUE(helper_.FinishAvailabilityTransfer(&host_.transfer()));

    ASSERT_EQ(host_.transfer().reports().size(), 1u);
    EXPECT_EQ(host_.transfer().reports()[0].text,
              u"\r\nError converting availability for 'Lab 3': Parsing availability string"
              u"\r\nError converting availability for 'Lab 3': Calculating Day of Week");
    EXPECT_EQ(room_.periodsSetTo(true),
              join({run(0, 1), run(5, 6), run(40, 41), run(45, 46), run(80, 81), run(85, 86)}));
    EXPECT_EQ(lab_.periodsSetTo(true), join({run(9, 10), run(49, 50)}));
    EXPECT_EQ(helper_.state().transfer.strErrors, u"");
}

TEST_F(TransferScenarioTest, ALaterTransferClearsTheDayAgain) {
    helper_.PrepareAvailabilityTransfer(nullptr);
    send(room_, u"05/01/2026|05/01/2026|1|09:00|11:00");
    send(room_, u"05/01/2026|05/01/2026|1|14:00|16:00");
    helper_.FinishAvailabilityTransfer(nullptr);
    EXPECT_EQ(room_.periodsSetTo(true), (std::vector<std::int32_t>{0, 1, 5, 6}));

    helper_.PrepareAvailabilityTransfer(nullptr);
    send(room_, u"05/01/2026|05/01/2026|1|12:00|13:00");
    helper_.FinishAvailabilityTransfer(nullptr);
    EXPECT_EQ(room_.periodsSetTo(true), std::vector<std::int32_t>{3});
    EXPECT_TRUE(host_.transfer().reports().empty());
}

TEST_F(TransferScenarioTest, TheHostCanAskForDayMarksAsVariantBooleans) {
    helper_.PrepareAvailabilityTransfer(nullptr);
    send(room_, u"06/01/2026|06/01/2026|2|09:00|11:00");
    EXPECT_EQ(marked(u"R12", 8), Variant(Boolean{true})); // Tuesday
    EXPECT_EQ(marked(u"R12", 0), Variant(Boolean{false}));
    std::u16string key = u"R12";
    Integer monday = 0;
    helper_.MarkTheDay(key, monday);
    EXPECT_EQ(marked(u"R12", 0), Variant(Boolean{true}));
}

TEST_F(TransferScenarioTest, TheHostMayOpenANewTransferFromInsideAnAvailabilityCall) {
    helper_.PrepareAvailabilityTransfer(nullptr);
    hostsim::SimObject& availability = host_.addObject(u"availability");
    availability.offer(host::IID_Availability);
    bool reentered = false;
    availability.define(host::DISPID_AvailabilitySetRange, [&](hostsim::Invocation&) {
        if (!std::exchange(reentered, true))
            helper_.PrepareAvailabilityTransfer(nullptr);
        return Variant();
    });
    room_.define(host::DISPID_ResourceAvailability, [&](hostsim::Invocation& call) {
        return call.kind == InvokeKind::PropertyPutRef ? Variant() : hostsim::refTo(availability);
    });
    send(room_, u"05/01/2026|12/01/2026|1|09:00|11:00");
    // Both weeks' days are marked in the transfer opened inside the call.
    EXPECT_EQ(marked(u"R12", 0), Variant(Boolean{true}));
    EXPECT_EQ(marked(u"R12", 40), Variant(Boolean{true}));
    EXPECT_EQ(helper_.state().transfer.strErrors, u"");
}

TEST_F(TransferScenarioTest, AReportLineQuotesTheStageLeftByAPatternSentWhileItsNameIsRead) {
    helper_.PrepareAvailabilityTransfer(nullptr);
    lab_.define(host::DISPID_ResourceName, [&](hostsim::Invocation&) {
        send(room_, u"05/01/2026|05/01/2026|1|09:00|11:00");
        return Variant(u"Lab 3");
    });
    send(lab_, u"05/01/2026|05/01/2026|1|09:00");
    EXPECT_EQ(helper_.state().transfer.strErrors,
              u"\r\nError converting availability for 'Lab 3': Setting Availabilities");
}

TEST_F(TransferScenarioTest, ReleasingTheComponentReleasesTheCollege) {
    {
        TembraLinkHelper other(*locale_);
        Variant college = hostsim::refTo(host_.college());
        other.ITembraLinkHelper_SetActiveCollegeReference(college);
        EXPECT_EQ(host_.college().references(), 3);
    }
    EXPECT_EQ(host_.college().references(), 1);
}

} // namespace
} // namespace bz::testing
