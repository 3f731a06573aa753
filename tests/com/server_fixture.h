#pragma once

#include "Brenik_Zefa.h"
#include "host/com/variant_conversion.h"
#include "host_dispatch.h"
#include "hostsim/host.h"
#include "late_bound.h"
#include "runtime/com/bstr.h"
#include "runtime/com/com_ptr.h"
#include "runtime/com/unique_variant.h"
#include "runtime/text.h"
#include "standard_calendar.h"
#include "transfer_stand_in.h"

#include <gmock/gmock.h>

namespace bz::test {

// A TembraLinkHelper created through the registry by its ProgID, beside an in-memory host whose
// objects it reaches through COM. Once the helper is released, every host object's count must be
// back at its start (zero).
class ServerTest : public testing::Test {
  protected:
    ServerTest() : helper_(createByProgId()) {}

    void TearDown() override {
        helper_.reset();
        for (const auto& object : host_.objects())
            EXPECT_EQ(object->references(), 0) << toUtf8(object->label());
    }

    static com::ComPtr<IDispatch> createByProgId() {
        CLSID clsid{};
        EXPECT_EQ(CLSIDFromProgID(L"Brenik_Zefa.TembraLinkHelper", &clsid), S_OK);
        EXPECT_TRUE(clsid == __uuidof(TembraLinkHelper));
        com::ComPtr<IDispatch> helper;
        EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                   reinterpret_cast<void**>(helper.put())),
                  S_OK);
        return helper;
    }

    void useStandardCalendar() { host_.setCalendar(standardCalendar()); }

    // A VARIANT holding the COM face of a host object, as a VB host holds it.
    static void holdObject(com::UniqueVariant& target, hostsim::SimObject& object) {
        com::hostToVariant(Variant(ObjectRef(&object)), *target.put());
    }

    static void holdText(com::UniqueVariant& target, const wchar_t* text) {
        V_VT(target.put()) = VT_BSTR;
        V_BSTR(&target.get()) = SysAllocString(text);
    }

    // Hands the host's college over late-bound, by reference, as the host does.
    LateBound setCollege() {
        com::UniqueVariant college;
        holdObject(college, host_.college());
        return invokeByName(*helper_, L"ITembraLinkHelper_SetActiveCollegeReference",
                            DISPATCH_PROPERTYPUTREF, {referenceTo(college.get())});
    }

    // Hands the standard college over.
    void handOverCollege() {
        useStandardCalendar();
        ASSERT_EQ(setCollege().hr, S_OK);
        host_.takeCalls();
    }

    // Opens a transfer late-bound, without a transfer object, as the host does.
    LateBound prepare() {
        com::UniqueVariant nothing;
        V_VT(nothing.put()) = VT_DISPATCH;
        return invokeByName(*helper_, L"PrepareAvailabilityTransfer", DISPATCH_METHOD,
                            {referenceTo(nothing.get())});
    }

    // Closes the transfer late-bound, handing over the host's transfer object.
    LateBound finish() {
        com::UniqueVariant transfer;
        V_VT(transfer.put()) = VT_UNKNOWN;
        V_UNKNOWN(&transfer.get()) = transferStandIn(host_.transfer()).detach();
        return invokeByName(*helper_, L"FinishAvailabilityTransfer", DISPATCH_METHOD,
                            {referenceTo(transfer.get())});
    }

    // A link-helper function as the host calls it, `helper.function(target) = text`, with the
    // target and the text by reference.
    LateBound assignLink(const wchar_t* function, VARIANT& target, const wchar_t* text) {
        com::UniqueBstr value;
        BSTR* slot = value.put();
        *slot = SysAllocString(text);
        return invokeByName(*helper_, function, DISPATCH_PROPERTYPUT,
                            {referenceTo(target), referenceTo(*slot)});
    }
    LateBound assignLink(const wchar_t* function, hostsim::SimObject& target, const wchar_t* text) {
        com::UniqueVariant held;
        holdObject(held, target);
        return assignLink(function, held.get(), text);
    }

    template <typename Target> LateBound sendPattern(Target& thing, const wchar_t* pattern) {
        return assignLink(L"ZEFA_LHF_SetAvailabilityByString", thing, pattern);
    }

    hostsim::Host host_;
    com::ComPtr<IDispatch> helper_;
};

} // namespace bz::test
