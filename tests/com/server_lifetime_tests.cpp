// The DLL's exports: the class object, and when the DLL may be unloaded; and the object's own
// lifetime while the host calls it.
#include "Brenik_Zefa.h"
#include "call_text.h"
#include "com_test.h"
#include "runtime/com/com_ptr.h"
#include "server_fixture.h"

#include <gmock/gmock.h>

namespace bz::test {
namespace {

using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();

template <typename Function> Function exported(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

class Exports : public testing::Test {
  protected:
    void SetUp() override {
        module_ = LoadLibraryW(componentPath().c_str());
        ASSERT_NE(module_, nullptr);
        getClassObject = exported<GetClassObject>(module_, "DllGetClassObject");
        canUnloadNow = exported<CanUnloadNow>(module_, "DllCanUnloadNow");
        ASSERT_NE(getClassObject, nullptr);
        ASSERT_NE(canUnloadNow, nullptr);
    }
    void TearDown() override { FreeLibrary(module_); }

    com::ComPtr<IClassFactory> factory() {
        com::ComPtr<IClassFactory> result;
        EXPECT_EQ(getClassObject(__uuidof(TembraLinkHelper), IID_IClassFactory,
                                 reinterpret_cast<void**>(result.put())),
                  S_OK);
        return result;
    }

    HMODULE module_ = nullptr;
    GetClassObject getClassObject = nullptr;
    CanUnloadNow canUnloadNow = nullptr;
};

TEST_F(Exports, ClassObjectServesOnlyTheClassAndRefusesAggregation) {
    void* result = this;
    EXPECT_EQ(getClassObject(IID_IUnknown, IID_IClassFactory, &result), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(result, nullptr);

    const auto classObject = factory();
    com::ComPtr<IUnknown> outer = classObject.tryQuery<IUnknown>(IID_IUnknown);
    com::ComPtr<IUnknown> aggregated;
    EXPECT_EQ(classObject->CreateInstance(outer.get(), IID_IUnknown,
                                          reinterpret_cast<void**>(aggregated.put())),
              CLASS_E_NOAGGREGATION);
    EXPECT_FALSE(aggregated);
}

TEST_F(Exports, DllStaysWhileObjectsOrLocksRemain) {
    EXPECT_EQ(canUnloadNow(), S_OK);
    {
        const auto classObject = factory();
        EXPECT_EQ(canUnloadNow(), S_FALSE);
        com::ComPtr<IDispatch> object;
        ASSERT_EQ(classObject->CreateInstance(nullptr, IID_IDispatch,
                                              reinterpret_cast<void**>(object.put())),
                  S_OK);
        ASSERT_EQ(classObject->LockServer(TRUE), S_OK);
    }
    EXPECT_EQ(canUnloadNow(), S_FALSE); // the lock
    factory()->LockServer(FALSE);
    EXPECT_EQ(canUnloadNow(), S_OK);
}

using ReleasedInsideAHostCall = ServerTest;

// The host may drop its last reference from inside a host call: the call still completes on a
// live object, which goes once it returns.
TEST_F(ReleasedInsideAHostCall, CollegeReadCompletesTheSetUp) {
    useStandardCalendar();
    host_.college().define(u"startDate", [this](hostsim::Invocation&) {
        helper_.reset();
        return Variant(DateValue{46027.0});
    });
    EXPECT_EQ(setCollege().hr, S_OK);
    EXPECT_EQ(host_.takeCalls().size(), 10u);
}

TEST_F(ReleasedInsideAHostCall, AvailabilityCallCompletesItsWeek) {
    handOverCollege();
    ASSERT_EQ(prepare().hr, S_OK);
    hostsim::Resource& room = host_.addResource(u"Room 12", u"R12");
    hostsim::SimObject& availability = host_.addObject(u"availability");
    availability.offer(host::IID_Availability);
    availability.define(host::DISPID_AvailabilitySetRange, [this](hostsim::Invocation&) {
        helper_.reset();
        return Variant();
    });
    room.define(host::DISPID_ResourceAvailability, [&](hostsim::Invocation& call) {
        return call.kind == InvokeKind::PropertyPutRef ? Variant() : hostsim::refTo(availability);
    });
    com::UniqueVariant thing;
    holdObject(thing, room);
    const LateBound sent = sendPattern(thing.get(), L"1/5/2026|1/5/2026|1|09:00|11:00");
    EXPECT_EQ(sent.hr, S_OK);
    EXPECT_THAT(callText(host_.takeCalls()),
                testing::ElementsAre("call|get Room 12.59", "call|get Room 12.510",
                                     "call availability.616(3 0, 3 16, 400B False)",
                                     "call availability.616(3 0, 3 4, 400B True)",
                                     "set Room 12.510(9 availability)"));
}

} // namespace
} // namespace bz::test
