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

TEST_F(LateBoundServer, ReferencedVariantsComeBackAsTheDeclaredTypes) {
    handOverCollege();
    ASSERT_EQ(prepare().hr, S_OK);
    com::UniqueVariant key;
    V_VT(key.put()) = VT_I4;
    V_I4(&key.get()) = 5;
    com::UniqueVariant period;
    V_VT(period.put()) = VT_R8;
    V_R8(&period.get()) = 17.4;
    ASSERT_EQ(dayHasBeenMarked(referenceTo(key.get()), referenceTo(period.get())).hr, S_OK);
    EXPECT_EQ(com::fromVariant(key.get()), Variant(u"5"s));
    EXPECT_EQ(com::fromVariant(period.get()), Variant(std::int16_t{17}));
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
}

} // namespace
} // namespace bz::test
