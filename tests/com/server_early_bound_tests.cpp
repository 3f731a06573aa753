// The component called early-bound through the vtables of both interfaces.
#include "server_fixture.h"

namespace bz::test {
namespace {

using namespace std::string_literals;

class EarlyBoundServer : public ServerTest {
  protected:
    EarlyBoundServer() : helper(helper_.tryQuery<_TembraLinkHelper>()) {}

    void TearDown() override {
        helper.reset();
        ServerTest::TearDown();
    }

    HRESULT setCollegeThroughDefaultInterface() {
        com::UniqueVariant college;
        holdObject(college, host_.college());
        return helper->putref_ITembraLinkHelper_SetActiveCollegeReference(&college.get());
    }

    // Opens a transfer on `target` without a transfer object, as the host does.
    static HRESULT prepare(_TembraLinkHelper& target) {
        _PrePostTransfer* noTransfer = nullptr;
        VARIANT_BOOL done = VARIANT_FALSE;
        const HRESULT hr = target.PrepareAvailabilityTransfer(&noTransfer, &done);
        EXPECT_EQ(done, SUCCEEDED(hr) ? VARIANT_TRUE : VARIANT_FALSE);
        return hr;
    }

    // The description of the error information the last failed call left.
    static std::wstring lastErrorDescription() {
        com::ComPtr<IErrorInfo> info;
        EXPECT_EQ(GetErrorInfo(0, info.put()), S_OK);
        if (!info)
            return {};
        BSTR description = nullptr;
        info->GetDescription(&description);
        const std::wstring text = description ? description : L"";
        SysFreeString(description);
        return text;
    }

    com::ComPtr<_TembraLinkHelper> helper;
};

TEST_F(EarlyBoundServer, EveryMemberIsReachedThroughTheVtable) {
    useStandardCalendar();
    ASSERT_EQ(setCollegeThroughDefaultInterface(), S_OK);

    ASSERT_EQ(prepare(*helper), S_OK);

    BSTR key = SysAllocString(L"R12");
    short period = 40; // day 2
    EXPECT_EQ(helper->MarkTheDay(&key, &period), S_OK);
    com::UniqueVariant marked;
    EXPECT_EQ(helper->DayHasBeenMarked(&key, &period, marked.put()), S_OK);
    EXPECT_EQ(com::fromVariant(marked.get()), Variant(Boolean{true}));
    SysFreeString(key);

    host_.addSuitability(u"S1");
    hostsim::ActivityTemplate& activity = host_.addActivityTemplate(u"template");
    com::UniqueVariant target;
    holdObject(target, activity);
    BSTR suitability = SysAllocString(L"S1");
    EXPECT_EQ(helper->put_ZEFA_LHF_ActivityTemplateSuitability(&target.get(), &suitability), S_OK);
    EXPECT_EQ(activity.suitabilities().size(), 1u);
    SysFreeString(suitability);

    hostsim::Resource& room = host_.addResource(u"Room 12", u"R12");
    com::UniqueVariant resource;
    holdObject(resource, room);
    BSTR pattern = SysAllocString(L"not a pattern|");
    EXPECT_EQ(helper->put_ZEFA_LHF_SetAvailabilityByString(&resource.get(), &pattern), S_OK);
    SysFreeString(pattern);

    auto transfer = transferStandIn(host_.transfer());
    auto* transferPointer = static_cast<_PrePostTransfer*>(static_cast<IUnknown*>(transfer.get()));
    VARIANT_BOOL done = VARIANT_FALSE;
    EXPECT_EQ(helper->FinishAvailabilityTransfer(&transferPointer, &done), S_OK);
    EXPECT_EQ(done, VARIANT_TRUE);
    ASSERT_EQ(host_.transfer().reports().size(), 1u);
    EXPECT_EQ(host_.transfer().reports()[0].flag1, -1);
    EXPECT_EQ(host_.transfer().reports()[0].flag2, -1);
}

TEST_F(EarlyBoundServer, CoreErrorsCarryTheirNumberAndErrorInformation) {
    BSTR key = SysAllocString(L"R12");
    short period = 3;
    EXPECT_EQ(static_cast<std::uint32_t>(helper->MarkTheDay(&key, &period)), 0x800A000Bu);
    SysFreeString(key);

    const auto support = helper.tryQuery<ISupportErrorInfo>();
    ASSERT_TRUE(support);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(__uuidof(_TembraLinkHelper)), S_OK);
    EXPECT_EQ(lastErrorDescription(), L"Division by zero");

    useStandardCalendar();
    EXPECT_EQ(setCollegeThroughDefaultInterface(), S_OK);
}

TEST_F(EarlyBoundServer, TransferFailuresPassThroughAndKeepTheReport) {
    useStandardCalendar();
    ASSERT_EQ(setCollegeThroughDefaultInterface(), S_OK);
    ASSERT_EQ(prepare(*helper), S_OK);
    hostsim::Resource& room = host_.addResource(u"Room 12", u"R12");
    com::UniqueVariant resource;
    holdObject(resource, room);
    BSTR pattern = SysAllocString(L"broken");
    ASSERT_EQ(helper->put_ZEFA_LHF_SetAvailabilityByString(&resource.get(), &pattern), S_OK);
    SysFreeString(pattern);

    host_.transfer().failReports(
        hostsim::hostError(static_cast<std::int32_t>(0x80045678), u"transfer closed"));
    auto transfer = transferStandIn(host_.transfer());
    auto* transferPointer = static_cast<_PrePostTransfer*>(static_cast<IUnknown*>(transfer.get()));
    VARIANT_BOOL done = VARIANT_TRUE;
    EXPECT_EQ(
        static_cast<std::uint32_t>(helper->FinishAvailabilityTransfer(&transferPointer, &done)),
        0x80045678u);
    EXPECT_EQ(done, VARIANT_FALSE);
    EXPECT_EQ(lastErrorDescription(), L"transfer closed");

    host_.transfer().failReports(std::nullopt);
    EXPECT_EQ(helper->FinishAvailabilityTransfer(&transferPointer, &done), S_OK);
    EXPECT_EQ(host_.transfer().reports().size(), 1u);
}

TEST_F(EarlyBoundServer, SetThroughEitherInterfaceReadsTheCollegeAlike) {
    useStandardCalendar();
    ASSERT_EQ(setCollegeThroughDefaultInterface(), S_OK);
    const hostsim::CallLog throughDefault = host_.takeCalls();

    const auto other = createByProgId();
    const auto hostInterface = other.tryQuery<ITembraLinkHelper>();
    ASSERT_TRUE(hostInterface);
    com::UniqueVariant college;
    holdObject(college, host_.college());
    ASSERT_EQ(hostInterface->putref_SetActiveCollegeReference(&college.get()), S_OK);
    const hostsim::CallLog throughHostInterface = host_.takeCalls();

    ASSERT_EQ(throughHostInterface.size(), throughDefault.size());
    for (std::size_t i = 0; i < throughDefault.size(); ++i) {
        EXPECT_EQ(throughHostInterface[i].member, throughDefault[i].member);
        EXPECT_EQ(throughHostInterface[i].kind, throughDefault[i].kind);
    }
    // The calendar is in place: a day can be tested.
    const auto otherHelper = other.tryQuery<_TembraLinkHelper>();
    ASSERT_EQ(prepare(*otherHelper), S_OK);
    BSTR key = SysAllocString(L"R12");
    short period = 3;
    com::UniqueVariant marked;
    EXPECT_EQ(otherHelper->DayHasBeenMarked(&key, &period, marked.put()), S_OK);
    SysFreeString(key);
}

TEST_F(EarlyBoundServer, HostInterfaceIsLateBoundFromTheHostsLibrary) {
    useStandardCalendar();
    const auto hostInterface = helper.tryQuery<ITembraLinkHelper>();
    ASSERT_TRUE(hostInterface);
    com::UniqueVariant college;
    holdObject(college, host_.college());
    EXPECT_EQ(invokeByName(*hostInterface, L"SetActiveCollegeReference", DISPATCH_PROPERTYPUTREF,
                           {referenceTo(college.get())})
                  .hr,
              S_OK);
    EXPECT_FALSE(host_.takeCalls().empty());
}

TEST_F(EarlyBoundServer, BothInterfacesShareOneIdentity) {
    const auto fromDefault = helper.tryQuery<IUnknown>(IID_IUnknown);
    const auto hostInterface = helper.tryQuery<ITembraLinkHelper>();
    ASSERT_TRUE(hostInterface);
    EXPECT_EQ(hostInterface.tryQuery<IUnknown>(IID_IUnknown).get(), fromDefault.get());
    EXPECT_TRUE(hostInterface.tryQuery<_TembraLinkHelper>());
    EXPECT_FALSE(helper.tryQuery<IClassFactory>());
}

} // namespace
} // namespace bz::test
