// The component driven late-bound by name, with arguments in every form a VB or script host
// passes them.
#include "server_fixture.h"

namespace bz::test {
namespace {

using namespace std::string_literals;

class LateBoundServer : public ServerTest {
  protected:
    LateBound dayHasBeenMarked(VARIANT hostkey, VARIANT period) {
        return invokeByName(*helper_, L"DayHasBeenMarked", DISPATCH_METHOD, {hostkey, period});
    }
};

TEST_F(LateBoundServer, CollegeSetUpReadsTheCollegeThroughCom) {
    useStandardCalendar();
    com::UniqueVariant college;
    holdObject(college, host_.college());
    const LateBound set = invokeByName(*helper_, L"ITembraLinkHelper_SetActiveCollegeReference",
                                       DISPATCH_PROPERTYPUTREF, {referenceTo(college.get())});
    EXPECT_EQ(set.hr, S_OK);
    const hostsim::CallLog calls = host_.takeCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front().member, MemberId(u"startDate"s));
    EXPECT_EQ(calls.front().object, u"college");
}

TEST_F(LateBoundServer, DayMarksAcceptEveryArgumentForm) {
    handOverCollege();
    const LateBound prepared = prepare();
    ASSERT_EQ(prepared.hr, S_OK);
    EXPECT_EQ(prepared.value, Variant(Boolean{true}));
    EXPECT_EQ(prepared.type, VT_BOOL);

    // Typed references, as a VB host passes String and Integer variables.
    BSTR key = SysAllocString(L"R1");
    short period = 17; // day 1
    EXPECT_EQ(invokeByName(*helper_, L"MarkTheDay", DISPATCH_METHOD,
                           {referenceTo(key), referenceTo(period)})
                  .hr,
              S_OK);

    // References to Variants, as script hosts pass every variable.
    com::UniqueVariant keyVariant;
    holdText(keyVariant, L"R1");
    com::UniqueVariant periodVariant;
    V_VT(periodVariant.put()) = VT_I2;
    V_I2(&periodVariant.get()) = 31;
    LateBound marked =
        dayHasBeenMarked(referenceTo(keyVariant.get()), referenceTo(periodVariant.get()));
    EXPECT_EQ(marked.hr, S_OK);
    EXPECT_EQ(marked.value, Variant(Boolean{true}));
    EXPECT_EQ(marked.type, VT_BOOL); // a Variant of subtype Boolean, not a reference

    // Values of other types, coerced to the declared String and Integer.
    VARIANT byValueKey = keyVariant.get();
    VARIANT longPeriod;
    V_VT(&longPeriod) = VT_I4;
    V_I4(&longPeriod) = 16;
    EXPECT_EQ(dayHasBeenMarked(byValueKey, longPeriod).value, Variant(Boolean{true}));
    com::UniqueVariant textPeriod;
    holdText(textPeriod, L"32"); // day 2
    EXPECT_EQ(dayHasBeenMarked(byValueKey, textPeriod.get()).value, Variant(Boolean{false}));
    com::UniqueVariant otherCase;
    holdText(otherCase, L"r1");
    EXPECT_EQ(dayHasBeenMarked(otherCase.get(), longPeriod).value, Variant(Boolean{false}));
    SysFreeString(key);
}

TEST_F(LateBoundServer, ByReferenceArgumentsAreCoercedBeforeTheCallAndComeBackUnchanged) {
    handOverCollege();
    ASSERT_EQ(prepare().hr, S_OK);
    com::UniqueVariant key;
    V_VT(key.put()) = VT_I4;
    V_I4(&key.get()) = 5;
    com::UniqueVariant period;
    V_VT(period.put()) = VT_R8;
    V_R8(&period.get()) = 17.4;
    ASSERT_EQ(dayHasBeenMarked(referenceTo(key.get()), referenceTo(period.get())).hr, S_OK);
    EXPECT_EQ(V_VT(&key.get()), VT_I4);
    EXPECT_EQ(V_I4(&key.get()), 5);
    EXPECT_EQ(V_VT(&period.get()), VT_R8);
    EXPECT_EQ(V_R8(&period.get()), 17.4);

    // A typed reference of a type the members do not declare: coerced, the day marked.
    BSTR text = SysAllocString(L"R1");
    ULONG unsignedPeriod = 17;
    VARIANT unsignedReference;
    V_VT(&unsignedReference) = VT_UI4 | VT_BYREF;
    V_UI4REF(&unsignedReference) = &unsignedPeriod;
    EXPECT_EQ(invokeByName(*helper_, L"MarkTheDay", DISPATCH_METHOD,
                           {referenceTo(text), unsignedReference})
                  .hr,
              S_OK);
    const LateBound marked = dayHasBeenMarked(referenceTo(text), unsignedReference);
    EXPECT_EQ(marked.hr, S_OK);
    EXPECT_EQ(marked.value, Variant(Boolean{true}));
    EXPECT_EQ(unsignedPeriod, 17u);

    // A reference that cannot be coerced is refused before the member runs.
    BSTR notANumber = SysAllocString(L"abc");
    VARIANT textPeriod;
    V_VT(&textPeriod) = VT_BSTR | VT_BYREF;
    V_BSTRREF(&textPeriod) = &notANumber;
    EXPECT_EQ(
        invokeByName(*helper_, L"MarkTheDay", DISPATCH_METHOD, {referenceTo(text), textPeriod}).hr,
        DISP_E_TYPEMISMATCH);
    SysFreeString(notANumber);
    SysFreeString(text);

    // The target of the availability function, a typed object reference, stays that reference.
    hostsim::Resource& room = host_.addResource(u"Room 12", u"R12");
    com::UniqueVariant held;
    holdObject(held, room);
    IDispatch* object = V_DISPATCH(&held.get());
    VARIANT thing;
    V_VT(&thing) = VT_DISPATCH | VT_BYREF;
    V_DISPATCHREF(&thing) = &object;
    EXPECT_EQ(sendPattern(thing, L"1/5/2026|1/5/2026|1|09:00|11:00").hr, S_OK);
    EXPECT_EQ(V_VT(&thing), VT_DISPATCH | VT_BYREF);
    EXPECT_EQ(object, V_DISPATCH(&held.get()));
    object->AddRef();
    EXPECT_EQ(object->Release(), 1u);
}

TEST_F(LateBoundServer, IDispatchRefusesForeignInterfacesAndMalformedArguments) {
    const IID foreign = __uuidof(ITembraLinkHelper);
    const auto other = helper_.tryQuery<IDispatch>(__uuidof(ITembraLinkHelper));
    ASSERT_TRUE(other);
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"PrepareAvailabilityTransfer")};
    DISPID id = 0;
    EXCEPINFO exception{};
    com::UniqueVariant result;
    for (IDispatch* face : {helper_.get(), other.get()}) {
        EXPECT_EQ(face->GetIDsOfNames(foreign, names, 1, LOCALE_USER_DEFAULT, &id),
                  DISP_E_UNKNOWNINTERFACE);
        DISPPARAMS none{};
        EXPECT_EQ(face->Invoke(0x68030001, foreign, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUTREF,
                               &none, nullptr, &exception, nullptr),
                  DISP_E_UNKNOWNINTERFACE);
    }

    ASSERT_EQ(helper_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    EXPECT_EQ(helper_->GetIDsOfNames(IID_NULL, nullptr, 1, LOCALE_USER_DEFAULT, &id), E_INVALIDARG);
    EXPECT_EQ(helper_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, nullptr),
              E_INVALIDARG);
    VARIANT arguments[3]{};
    VARIANT& argument = arguments[0];
    DISPID named = 0;
    struct Row {
        const char* name;
        DISPPARAMS* params;
        HRESULT expected;
    };
    DISPPARAMS withoutArguments{nullptr, nullptr, 1, 0};
    DISPPARAMS moreNamesThanArguments{&argument, &named, 1, 2};
    DISPPARAMS withoutNames{&argument, nullptr, 1, 1};
    DISPPARAMS tooMany{arguments, nullptr, 3, 0};
    DISPPARAMS tooFew{nullptr, nullptr, 0, 0};
    const Row rows[]{
        {"no DISPPARAMS", nullptr, E_INVALIDARG},
        {"a count without arguments", &withoutArguments, E_INVALIDARG},
        {"more names than arguments", &moreNamesThanArguments, E_INVALIDARG},
        {"a count of names without names", &withoutNames, E_INVALIDARG},
        {"one argument too many", &tooMany, DISP_E_BADPARAMCOUNT},
        {"too few arguments", &tooFew, DISP_E_BADPARAMCOUNT},
    };
    DISPID dayHasBeenMarked = 0;
    LPOLESTR member[] = {const_cast<LPOLESTR>(L"DayHasBeenMarked")};
    ASSERT_EQ(helper_->GetIDsOfNames(IID_NULL, member, 1, LOCALE_USER_DEFAULT, &dayHasBeenMarked),
              S_OK);
    for (const Row& row : rows) {
        EXPECT_EQ(helper_->Invoke(dayHasBeenMarked, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                  row.params, result.put(), &exception, nullptr),
                  row.expected)
            << row.name;
    }
}

TEST_F(LateBoundServer, ArgumentsThatCannotBeCoercedAreRefusedWithTheirPosition) {
    handOverCollege();
    com::UniqueVariant key;
    holdText(key, L"R1");
    com::UniqueVariant notANumber;
    holdText(notANumber, L"abc");
    const LateBound mismatch = dayHasBeenMarked(key.get(), notANumber.get());
    EXPECT_EQ(mismatch.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(mismatch.argumentError, 0u); // the last argument comes first in rgvarg
    VARIANT tooLarge;
    V_VT(&tooLarge) = VT_I4;
    V_I4(&tooLarge) = 40000;
    EXPECT_EQ(dayHasBeenMarked(key.get(), tooLarge).hr, DISP_E_OVERFLOW);
    EXPECT_EQ(invokeByName(*helper_, L"DayHasBeenMarked", DISPATCH_METHOD, {key.get()}).hr,
              DISP_E_BADPARAMCOUNT);

    VARIANT notAnObject;
    V_VT(&notAnObject) = VT_I4;
    V_I4(&notAnObject) = 5;
    EXPECT_EQ(
        invokeByName(*helper_, L"PrepareAvailabilityTransfer", DISPATCH_METHOD, {notAnObject}).hr,
        DISP_E_TYPEMISMATCH);
    com::UniqueVariant notATransfer;
    holdObject(notATransfer, host_.addObject(u"not a transfer"));
    EXPECT_EQ(invokeByName(*helper_, L"PrepareAvailabilityTransfer", DISPATCH_METHOD,
                           {notATransfer.get()})
                  .hr,
              DISP_E_TYPEMISMATCH);
}

TEST_F(LateBoundServer, ReservedEntriesAreNotCallable) {
    EXPECT_EQ(invokeByName(*helper_, L"ReservedSlot1", DISPATCH_METHOD, {}).hr,
              DISP_E_MEMBERNOTFOUND);
}

TEST_F(LateBoundServer, CoreErrorsArriveAsRunTimeErrorsAndTheObjectStaysUsable) {
    com::UniqueVariant key;
    holdText(key, L"R1");
    VARIANT period;
    V_VT(&period) = VT_I2;
    V_I2(&period) = 3;
    const LateBound beforeCollege = dayHasBeenMarked(key.get(), period);
    EXPECT_EQ(beforeCollege.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(static_cast<std::uint32_t>(beforeCollege.scode), 0x800A000Bu); // 11
    EXPECT_EQ(beforeCollege.description, L"Division by zero");

    handOverCollege();
    ASSERT_EQ(prepare().hr, S_OK);
    EXPECT_EQ(dayHasBeenMarked(key.get(), period).value, Variant(Boolean{false}));
}

TEST_F(LateBoundServer, WithoutAnOpenTransferMarksAndFinishFailWithObjectNotSet) {
    handOverCollege();
    com::UniqueVariant key;
    holdText(key, L"R1");
    VARIANT period;
    V_VT(&period) = VT_I2;
    V_I2(&period) = 17;
    const LateBound mark =
        invokeByName(*helper_, L"MarkTheDay", DISPATCH_METHOD, {key.get(), period});
    EXPECT_EQ(static_cast<std::uint32_t>(mark.scode), 0x800A005Bu); // 91
    EXPECT_EQ(mark.description, L"Object variable or With block variable not set");

    // A pending report is still delivered before the missing store ends the call.
    ASSERT_EQ(sendPattern(host_.addResource(u"Room 12", u"R12"), L"broken").hr, S_OK);
    const LateBound unprepared = finish();
    EXPECT_EQ(unprepared.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(static_cast<std::uint32_t>(unprepared.scode), 0x800A005Bu);
    ASSERT_EQ(host_.transfer().reports().size(), 1u);
    EXPECT_EQ(host_.transfer().reports()[0].text,
              u"\r\nError converting availability for 'Room 12': Parsing availability string");

    ASSERT_EQ(prepare().hr, S_OK);
    const LateBound finished = finish();
    EXPECT_EQ(finished.hr, S_OK);
    EXPECT_EQ(finished.type, VT_BOOL);
    EXPECT_EQ(finished.value, Variant(Boolean{true}));
    EXPECT_EQ(host_.transfer().reports().size(), 1u); // the report went with the failed call
}

TEST_F(LateBoundServer, HostFailuresPassThroughUnchanged) {
    useStandardCalendar();
    host_.college().fail(
        u"startDate"s, hostsim::hostError(static_cast<std::int32_t>(0x80041234), u"no start date"));
    com::UniqueVariant college;
    holdObject(college, host_.college());
    const LateBound set = invokeByName(*helper_, L"ITembraLinkHelper_SetActiveCollegeReference",
                                       DISPATCH_PROPERTYPUTREF, {referenceTo(college.get())});
    EXPECT_EQ(set.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(static_cast<std::uint32_t>(set.scode), 0x80041234u);
    EXPECT_EQ(set.description, L"no start date");

    // A bare HRESULT, without error information, is described by the platform's message.
    const auto bare = static_cast<std::int32_t>(E_NOTIMPL);
    host_.college().fail(u"startDate"s, AutomationError(bare, {}, {}));
    const LateBound bareSet = setCollege();
    EXPECT_EQ(bareSet.scode, E_NOTIMPL);
    wchar_t message[256]{};
    ASSERT_NE(FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             static_cast<DWORD>(E_NOTIMPL), 0, message, 256, nullptr),
              0u);
    EXPECT_FALSE(bareSet.description.empty());
    EXPECT_EQ(std::wstring(message).find(bareSet.description), 0u);
}

} // namespace
} // namespace bz::test
