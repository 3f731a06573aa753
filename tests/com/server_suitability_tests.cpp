// The suitability link as the host calls it, late-bound by name, against the in-memory host
// reached through COM.
#include "call_text.h"
#include "server_fixture.h"

namespace bz::test {
namespace {

using testing::ElementsAre;

class SuitabilityThroughCom : public ServerTest {
  protected:
    SuitabilityThroughCom() : activity_(host_.addActivityTemplate(u"template")) {}

    LateBound link(const wchar_t* key) {
        return assignLink(L"ZEFA_LHF_ActivityTemplateSuitability", activity_, key);
    }

    hostsim::ActivityTemplate& activity_;
};

TEST_F(SuitabilityThroughCom, AppendsTheFirstMatchWithTheNineCallsAndTheirArgumentTypes) {
    handOverCollege();
    hostsim::SimObject& lab = host_.addSuitability(u"LAB");
    host_.addSuitability(u"LAB");

    EXPECT_EQ(link(L"LAB").hr, S_OK);
    EXPECT_THAT(callText(host_.takeCalls()),
                ElementsAre("call|get college.Suitabilities",
                            "call|get suitabilities.Find(hostkey:=4008 \"LAB\")",
                            "call|get matches.Count", "call|get college.Suitabilities",
                            "call|get suitabilities.Find(hostkey:=4008 \"LAB\")",
                            "call|get matches.Item(2 1)", "call|get template.GetSuitabilities(3 0)",
                            "call suitability list.Add(400C suitability LAB)",
                            "call template.SetSuitabilities(3 0, 400C suitability list)"));
    EXPECT_EQ(activity_.suitabilities(), std::vector<hostsim::SimObject*>{&lab});
}

TEST_F(SuitabilityThroughCom, CountsOfOtherNumberTypesAreCompared) {
    handOverCollege();
    hostsim::SimObject& lab = host_.addSuitability(u"LAB");
    hostsim::SimObject& matches = host_.addObject(u"matches");
    matches.define(u"Item", [&](hostsim::Invocation&) { return hostsim::refTo(lab); });
    host_.suitabilityCollection().define(
        u"Find", [&](hostsim::Invocation&) { return hostsim::refTo(matches); });
    VARIANT one;
    V_DECIMAL(&one) = DECIMAL{};
    V_DECIMAL(&one).Lo64 = 1;
    V_VT(&one) = VT_DECIMAL;
    VARIANT none;
    V_VT(&none) = VT_UI4;
    V_UI4(&none) = 0;
    VARIANT two;
    V_VT(&two) = VT_I8;
    V_I8(&two) = 2;
    for (const VARIANT& count : {one, none, two}) {
        matches.setProperty(u"Count", com::rawVariant(count));
        EXPECT_EQ(link(L"LAB").hr, S_OK) << V_VT(&count);
    }
    EXPECT_EQ(activity_.suitabilities(), (std::vector<hostsim::SimObject*>{&lab, &lab}));
}

TEST_F(SuitabilityThroughCom, BeforeAnyCollegeFailsWithObjectRequiredAndStaysUsable) {
    host_.addSuitability(u"LAB");
    const LateBound early = link(L"LAB");
    EXPECT_EQ(early.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(static_cast<std::uint32_t>(early.scode), 0x800A01A8u); // 424
    EXPECT_EQ(early.description, L"Object required");
    EXPECT_TRUE(host_.takeCalls().empty());

    handOverCollege();
    EXPECT_EQ(link(L"LAB").hr, S_OK);
    EXPECT_EQ(activity_.suitabilities().size(), 1u);
}

} // namespace
} // namespace bz::test
