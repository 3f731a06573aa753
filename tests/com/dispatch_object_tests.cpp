// Host objects reached through real IDispatch: what the host receives, what comes back, and how
// failures surface to the core.
#include "host/calls.h"
#include "host/com/dispatch_object.h"
#include "host_dispatch.h"
#include "hostsim/host.h"
#include "runtime/com/com_object.h"
#include "runtime/text.h"

#include <gmock/gmock.h>

namespace bz::test {
namespace {

using namespace std::string_literals;
using hostsim::Host;
using hostsim::Invocation;

class DispatchObjectTest : public testing::Test {
  protected:
    // The core's reference to a host object, reached through its COM face.
    ObjectRef throughCom(hostsim::SimObject& object) {
        return com::DispatchObject::wrap(com::hostDispatch(ObjectRef(&object)));
    }

    void TearDown() override {
        for (const auto& object : host_.objects())
            EXPECT_EQ(object->references(), 0) << toUtf8(object->label());
    }

    Host host_;
};

TEST_F(DispatchObjectTest, NamedStringReferenceArrivesAsTheCoreSaysIt) {
    ObjectRef collection = throughCom(host_.suitabilityCollection());
    std::u16string key = u"S1";
    host::call(*collection, u"Find"s, {host::byRef(key)}, {u"hostkey"});

    const hostsim::CallLog calls = host_.takeCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].member, MemberId(u"Find"s));
    EXPECT_EQ(calls[0].kind, InvokeKind::MethodOrPropertyGet);
    EXPECT_EQ(calls[0].namedArgs, std::vector<std::u16string>{u"hostkey"});
    ASSERT_EQ(calls[0].args.size(), 1u);
    EXPECT_EQ(calls[0].args[0].variantType, 0x4008);
    EXPECT_EQ(calls[0].args[0].value, Variant(u"S1"s));
}

TEST_F(DispatchObjectTest, NamedArgumentsArriveWholeWhateverTheirLength) {
    hostsim::SimObject& target = host_.addObject(u"target");
    target.define(u"Member", [](Invocation&) { return Variant(); });
    ObjectRef object = throughCom(target);
    const Variant value(std::int16_t{1});
    // The second and third are longer than any standard library's in-place string buffer.
    const std::vector<std::u16string> names{u"key", u"theHostKeyOfTheResourceTheMemberLooksFor",
                                            u"aSecondNameLongerThanAnyInPlaceBufferToo"};
    host::call(*object, u"Member"s,
               {host::byValue(value), host::byValue(value), host::byValue(value)},
               {names[0], names[1], names[2]});
    EXPECT_EQ(host_.takeCalls()[0].namedArgs, names);
}

TEST_F(DispatchObjectTest, ArgumentsNotWhereTheCountsSayAreRefusedBeforeAnyCall) {
    hostsim::SimObject& target = host_.addObject(u"target");
    target.define(u"Member", [](Invocation&) { return Variant(); });
    const com::ComPtr<IDispatch> face = com::hostDispatch(ObjectRef(&target));
    LPOLESTR name = const_cast<LPOLESTR>(L"Member");
    DISPID member = 0;
    ASSERT_EQ(face->GetIDsOfNames(IID_NULL, &name, 1, 0, &member), S_OK);
    VARIANT argument;
    VariantInit(&argument);
    DISPID named = member;
    DISPPARAMS moreNamedThanArguments{&argument, &named, 0, 1};
    DISPPARAMS noArguments{nullptr, nullptr, 1, 0};
    DISPPARAMS noNames{&argument, nullptr, 1, 1};
    for (DISPPARAMS* params :
         {static_cast<DISPPARAMS*>(nullptr), &moreNamedThanArguments, &noArguments, &noNames}) {
        VARIANT result;
        VariantInit(&result);
        EXPECT_EQ(
            face->Invoke(member, IID_NULL, 0, DISPATCH_METHOD, params, &result, nullptr, nullptr),
            E_INVALIDARG);
    }
    EXPECT_TRUE(host_.takeCalls().empty());
}

TEST_F(DispatchObjectTest, CallsThatBreakTheCallersRulesFailBeforeAnyCall) {
    ObjectRef object = throughCom(host_.addObject(u"target"));
    const Variant value(std::int16_t{1});
    const Argument one[]{host::byValue(value)};
    const std::u16string names[]{u"first", u"second"};
    struct Case {
        MemberId member;
        InvokeKind kind;
        std::span<const Argument> args;
        std::span<const std::u16string> names;
    } cases[]{
        {std::int32_t{510}, InvokeKind::Method, one, std::span(names, 1)},
        {u"Member"s, InvokeKind::Method, one, names},
        {u"Member"s, InvokeKind::PropertyPutRef, {}, {}},
        {u"Member"s, InvokeKind::PropertyPut, one, std::span(names, 1)},
    };
    for (const Case& c : cases) {
        EXPECT_THROW(object->invoke(c.member, c.kind, c.args, c.names), std::logic_error)
            << (&c - cases);
    }
    EXPECT_TRUE(host_.takeCalls().empty());
}

TEST_F(DispatchObjectTest, PositionalArgumentsKeepTheirOrderAndTypes) {
    hostsim::SimObject& target = host_.addObject(u"target");
    target.define(u"SetSuitabilities", [](Invocation&) { return Variant(); });
    ObjectRef object = throughCom(target);
    const Variant zero(std::int32_t{0});
    const Variant one(std::int16_t{1});
    Variant list = Variant(throughCom(host_.addObject(u"list")));
    host::callMethod(*object, u"SetSuitabilities"s,
                     {host::byValue(zero), host::byValue(one), host::byRef(list)});

    const hostsim::CallLog calls = host_.takeCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, InvokeKind::Method);
    ASSERT_EQ(calls[0].args.size(), 3u);
    EXPECT_EQ(calls[0].args[0].variantType, 3);
    EXPECT_EQ(calls[0].args[1].variantType, 2);
    EXPECT_EQ(calls[0].args[1].value, one);
    EXPECT_EQ(calls[0].args[2].variantType, 0x400C);
    EXPECT_NE(calls[0].args[2].object, nullptr);
}

TEST_F(DispatchObjectTest, ReferencesWrittenByTheHostReachTheCoresVariables) {
    hostsim::SimObject& target = host_.addObject(u"target");
    target.define(u"Rewrite", [](Invocation& call) {
        *std::get<std::u16string*>(call.args[0].value) = u"new text";
        *std::get<Variant*>(call.args[1].value) = Variant(2.5);
        *std::get<Argument::BooleanRef>(call.args[2].value).value = -1;
        return Variant();
    });
    ObjectRef object = throughCom(target);
    std::u16string text = u"old";
    Variant value;
    std::int16_t flag = 0;
    host::callMethod(*object, u"Rewrite"s,
                     {host::byRef(text), host::byRef(value), host::byRefBoolean(flag)});
    EXPECT_EQ(text, u"new text");
    EXPECT_EQ(value, Variant(2.5));
    EXPECT_EQ(flag, -1);
    EXPECT_EQ(host_.takeCalls()[0].args[2].variantType, 0x400B);
}

TEST_F(DispatchObjectTest, DispatchIdsReadsAndPutReferencesReachTheirMembers) {
    hostsim::Resource& resource = host_.addResource(u"Room 12", u"R12");
    ObjectRef object = throughCom(resource);
    EXPECT_EQ(host::get(*object, std::int32_t{400}), Variant(u"Room 12"s));
    const Variant availability = host::get(*object, std::int32_t{510});
    host::putReference(*object, std::int32_t{510}, availability);

    const hostsim::CallLog calls = host_.takeCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].member, MemberId(std::int32_t{400}));
    EXPECT_EQ(calls[2].member, MemberId(std::int32_t{510}));
    EXPECT_EQ(calls[2].kind, InvokeKind::PropertyPutRef);
    ASSERT_EQ(calls[2].args.size(), 1u);
    EXPECT_EQ(calls[2].args[0].variantType, 9);
}

TEST_F(DispatchObjectTest, QueryInterfaceFindsOfferedInterfacesOnly) {
    hostsim::Resource& resource = host_.addResource(u"Room 12", u"R12");
    ObjectRef object = throughCom(resource);
    ObjectRef asResource = object->queryInterface(host::IID_Resource);
    ASSERT_TRUE(asResource);
    EXPECT_EQ(host::get(*asResource, std::int32_t{59}), Variant(u"R12"s));
    EXPECT_FALSE(object->queryInterface(host::IID_Transfer));
}

TEST_F(DispatchObjectTest, HostErrorsPassThroughUnchanged) {
    hostsim::SimObject& target = host_.addObject(u"target");
    target.fail(u"Broken"s,
                hostsim::hostError(static_cast<std::int32_t>(0x80041234), u"Host says no"));
    ObjectRef object = throughCom(target);
    try {
        host::get(*object, u"Broken"s);
        FAIL() << "no error";
    } catch (const AutomationError& error) {
        EXPECT_EQ(static_cast<std::uint32_t>(error.hresult()), 0x80041234u);
        EXPECT_EQ(error.source(), u"Host");
        EXPECT_EQ(error.description(), u"Host says no");
    }
}

// An IDispatch whose lookups and calls fail as scripted.
class FailingDispatch final : public com::ComObject<FailingDispatch, IDispatch> {
  public:
    HRESULT namesResult = S_OK;
    HRESULT invokeResult = S_OK;
    EXCEPINFO exception{};
    bool deferredFillInCalled = false;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID,
                                            DISPID* ids) override {
        for (UINT i = 0; i < count; ++i)
            ids[i] = static_cast<DISPID>(i + 1);
        return namesResult;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                     EXCEPINFO* out, UINT*) override {
        if (invokeResult == DISP_E_EXCEPTION)
            *out = exception;
        return invokeResult;
    }
};

FailingDispatch* filling = nullptr;

HRESULT STDMETHODCALLTYPE fillIn(EXCEPINFO* exception) {
    filling->deferredFillInCalled = true;
    exception->scode = static_cast<SCODE>(0x80047777);
    return S_OK;
}

// The HRESULT the core sees for a call by name on `dispatch`.
std::int32_t failureOf(FailingDispatch& dispatch) {
    ObjectRef object = com::DispatchObject::wrap(com::ComPtr<IDispatch>(&dispatch));
    try {
        host::get(*object, u"Member"s);
    } catch (const AutomationError& error) {
        return error.hresult();
    }
    return S_OK;
}

TEST(DispatchFailures, MapAsAVbCallerMapsThem) {
    const std::pair<HRESULT, std::uint32_t> invokeFailures[]{
        {DISP_E_MEMBERNOTFOUND, 0x800A01B6}, // 438
        {DISP_E_TYPEMISMATCH, 0x800A000D},   // 13
        {DISP_E_OVERFLOW, 0x800A0006},       // 6
        {E_FAIL, static_cast<std::uint32_t>(E_FAIL)},
    };
    for (const auto& [returned, expected] : invokeFailures) {
        const auto dispatch = FailingDispatch::create();
        dispatch->invokeResult = returned;
        EXPECT_EQ(static_cast<std::uint32_t>(failureOf(*dispatch)), expected)
            << std::hex << returned;
        EXPECT_EQ(dispatch->references(), 1u);
    }
    const auto unknownName = FailingDispatch::create();
    unknownName->namesResult = DISP_E_UNKNOWNNAME;
    EXPECT_EQ(static_cast<std::uint32_t>(failureOf(*unknownName)), 0x800A01B6u);
}

TEST(DispatchFailures, ExceptionsCarryTheirCodeOrRunTimeErrorNumber) {
    const auto withCode = FailingDispatch::create();
    withCode->invokeResult = DISP_E_EXCEPTION;
    withCode->exception.wCode = 1234;
    withCode->exception.bstrDescription = SysAllocString(L"described");
    EXPECT_EQ(static_cast<std::uint32_t>(failureOf(*withCode)), 0x800A0000u + 1234u);

    const auto deferred = FailingDispatch::create();
    deferred->invokeResult = DISP_E_EXCEPTION;
    deferred->exception.pfnDeferredFillIn = fillIn;
    filling = deferred.get();
    EXPECT_EQ(static_cast<std::uint32_t>(failureOf(*deferred)), 0x80047777u);
    EXPECT_TRUE(deferred->deferredFillInCalled);
}

} // namespace
} // namespace bz::test
