#include "suitability/suitability_link.h"
#include "support/fixture.h"

namespace bz::testing {
namespace {

class SuitabilityLinkTest : public LinkHelperTest {
  protected:
    SuitabilityLinkTest() : activityTemplate_(host_.addActivityTemplate(u"template")) {
        handOver(standardCalendar());
        host_.takeCalls();
    }

    void link(std::u16string key) {
        const Variant item = hostsim::refTo(activityTemplate_);
        ZEFA_LHF_ActivityTemplateSuitability(state_.varCollege, state_.locale, item, key);
    }

    hostsim::ActivityTemplate& activityTemplate_;
};

MATCHER_P3(IsCall, object, member, kind, "") {
    return arg.object == object && arg.member == MemberId(std::u16string(member)) &&
           arg.kind == kind;
}

constexpr std::uint16_t byRefString = 0x4008;
constexpr std::uint16_t byRefVariant = 0x400C;

TEST_F(SuitabilityLinkTest, AppendsTheFirstMatchWithNineCallsInOrder) {
    hostsim::SimObject& lab = host_.addSuitability(u"LAB");
    host_.addSuitability(u"LAB");
    link(u"LAB");

    const hostsim::CallLog calls = host_.takeCalls();
    using ::testing::ElementsAre;
    const auto get = InvokeKind::MethodOrPropertyGet;
    ASSERT_THAT(calls, ElementsAre(IsCall(u"college", u"Suitabilities", get),
                                   IsCall(u"suitabilities", u"Find", get),
                                   IsCall(u"matches", u"Count", get),
                                   IsCall(u"college", u"Suitabilities", get),
                                   IsCall(u"suitabilities", u"Find", get),
                                   IsCall(u"matches", u"Item", get),
                                   IsCall(u"template", u"GetSuitabilities", get),
                                   IsCall(u"suitability list", u"Add", InvokeKind::Method),
                                   IsCall(u"template", u"SetSuitabilities", InvokeKind::Method)));
    for (std::size_t find : {1u, 4u}) {
        ASSERT_EQ(calls[find].args.size(), 1u);
        EXPECT_EQ(calls[find].args[0].variantType, byRefString);
        EXPECT_EQ(calls[find].args[0].value, Variant(u"LAB"));
        EXPECT_EQ(calls[find].namedArgs, std::vector<std::u16string>{u"hostkey"});
    }
    EXPECT_EQ(calls[5].args[0].variantType, 2);
    EXPECT_EQ(calls[5].args[0].value, Variant(Integer{1}));
    EXPECT_EQ(calls[6].args[0].variantType, 3);
    EXPECT_EQ(calls[6].args[0].value, Variant(Long{0}));
    EXPECT_EQ(calls[7].args[0].variantType, byRefVariant);
    EXPECT_EQ(calls[7].args[0].object, &lab);
    ASSERT_EQ(calls[8].args.size(), 2u);
    EXPECT_EQ(calls[8].args[0].variantType, 3);
    EXPECT_EQ(calls[8].args[1].variantType, byRefVariant);
    // The very list that GetSuitabilities handed out goes back, extended.
    const auto* list = dynamic_cast<hostsim::SuitabilityList*>(calls[8].args[1].object);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->items(), std::vector<hostsim::SimObject*>{&lab});
    EXPECT_EQ(activityTemplate_.suitabilities(), std::vector<hostsim::SimObject*>{&lab});
    expectAllReleased();
}

TEST_F(SuitabilityLinkTest, NoMatchStopsAfterCountWithoutTouchingTheTemplate) {
    host_.addSuitability(u"LAB");
    link(u"lab");
    EXPECT_EQ(host_.takeCalls().size(), 3u);
    EXPECT_TRUE(activityTemplate_.suitabilities().empty());
    expectAllReleased();
}

TEST_F(SuitabilityLinkTest, LinkingTwiceAppendsTwice) {
    hostsim::SimObject& lab = host_.addSuitability(u"LAB");
    link(u"LAB");
    link(u"LAB");
    EXPECT_EQ(activityTemplate_.suitabilities(), (std::vector<hostsim::SimObject*>{&lab, &lab}));
    expectAllReleased();
}

TEST_F(SuitabilityLinkTest, CountIsComparedAsAVariant) {
    host_.addSuitability(u"LAB");
    hostsim::SimObject& matches = host_.addObject(u"matches");
    host_.suitabilityCollection().define(
        u"Find", [&](hostsim::Invocation&) { return hostsim::refTo(matches); });
    for (Variant count : {Variant(u"0"), Variant(Null{}), Variant(-1.0), Variant(Empty{})}) {
        matches.setProperty(u"Count", count);
        link(u"LAB");
    }
    EXPECT_TRUE(activityTemplate_.suitabilities().empty());
    matches.setProperty(u"Count", u"many");
    EXPECT_EQ(errorOf([&] { link(u"LAB"); }), 13);
    expectAllReleased();
}

TEST_F(SuitabilityLinkTest, AFailingCallEndsTheLinkAndReleasesEverything) {
    host_.addSuitability(u"LAB");
    const AutomationError locked =
        hostsim::hostError(static_cast<std::int32_t>(0x80004005), u"locked");
    for (const char16_t* failing : {u"GetSuitabilities", u"SetSuitabilities"}) {
        activityTemplate_.fail(failing, locked);
        try {
            link(u"LAB");
            ADD_FAILURE() << "no error";
        } catch (const AutomationError& error) {
            EXPECT_EQ(error.hresult(), locked.hresult());
            EXPECT_EQ(error.description(), u"locked");
        }
        const hostsim::CallLog calls = host_.takeCalls();
        EXPECT_EQ(calls.back().member, MemberId(failing));
        EXPECT_TRUE(activityTemplate_.suitabilities().empty());
        expectAllReleased();
        activityTemplate_.recover(failing);
    }
}

TEST_F(LinkHelperTest, SuitabilityLinkNeedsACollegeAndObjects) {
    hostsim::ActivityTemplate& activityTemplate = host_.addActivityTemplate(u"template");
    std::u16string key = u"LAB";
    const Variant item = hostsim::refTo(activityTemplate);
    EXPECT_EQ(errorOf([&] {
                  ZEFA_LHF_ActivityTemplateSuitability(state_.varCollege, state_.locale, item, key);
              }),
              424);
    EXPECT_TRUE(host_.log().empty());

    handOver(standardCalendar());
    host_.addSuitability(u"LAB");
    EXPECT_EQ(errorOf([&] {
                  ZEFA_LHF_ActivityTemplateSuitability(state_.varCollege, state_.locale, u"text",
                                                       key);
              }),
              424);
    EXPECT_EQ(errorOf([&] {
                  ZEFA_LHF_ActivityTemplateSuitability(state_.varCollege, state_.locale,
                                                       Variant::nothing(), key);
              }),
              91);
    host_.suitabilityCollection().remove(u"Find");
    EXPECT_EQ(errorOf([&] {
                  ZEFA_LHF_ActivityTemplateSuitability(state_.varCollege, state_.locale, item, key);
              }),
              438);
}

} // namespace
} // namespace bz::testing
