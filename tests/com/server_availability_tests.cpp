// Whole availability transfers as the host drives them: late-bound by name, with resources of
// the in-memory host reached through COM (QueryInterface for the resource and availability
// interfaces, members by dispatch id), on the standard calendar; patterns are in the en-US form
// the tests run under.
#include "call_text.h"
#include "runtime/com/com_object.h"
#include "server_fixture.h"

namespace bz::test {
namespace {

using testing::ElementsAre;

class AvailabilityThroughCom : public ServerTest {
  protected:
    AvailabilityThroughCom()
        : room_(host_.addResource(u"Room 12", u"R12")), lab_(host_.addResource(u"Lab 3", u"L3")) {}

    void SetUp() override {
        handOverCollege();
        ASSERT_EQ(prepare().hr, S_OK);
    }

    void send(hostsim::Resource& resource, const wchar_t* pattern) {
        const LateBound sent = sendPattern(resource, pattern);
        EXPECT_EQ(sent.hr, S_OK) << toUtf8(
            std::u16string(reinterpret_cast<const char16_t*>(pattern)));
    }

    void finishWithoutReport() {
        ASSERT_EQ(finish().hr, S_OK);
        ASSERT_TRUE(host_.transfer().reports().empty());
    }

    hostsim::Resource& room_;
    hostsim::Resource& lab_;
};

using Periods = std::vector<std::int32_t>;

// An object that offers neither IDispatch nor the resource interface.
class BareObject final : public com::ComObject<BareObject, IUnknown> {};

TEST_F(AvailabilityThroughCom, RulesForOneDayAddUpAndALaterTransferClearsTheDayAgain) {
    send(room_, L"1/5/2026|1/5/2026|1|09:00|11:00");
    send(room_, L"1/5/2026|1/5/2026|1|14:00|16:00");
    finishWithoutReport();
    EXPECT_EQ(room_.periodsSetTo(true), (Periods{0, 1, 2, 3, 10, 11, 12, 13}));
    EXPECT_EQ(room_.periodsSetTo(false), (Periods{4, 5, 6, 7, 8, 9, 14, 15}));

    ASSERT_EQ(prepare().hr, S_OK);
    send(room_, L"1/5/2026|1/5/2026|1|12:00|13:00");
    finishWithoutReport();
    EXPECT_EQ(room_.periodsSetTo(true), (Periods{6, 7}));
    EXPECT_EQ(room_.periodsSetTo(false).size(), 14u);
}

TEST_F(AvailabilityThroughCom, EachWeekReadsClearsSetsAndStoresBackWithTheArgumentTypes) {
    send(room_, L"1/7/2026|1/14/2026|3|09:00|11:00"); // Wednesdays: days 2 and 7
    send(room_, L"1/7/2026|1/7/2026|3|14:00|15:00");  // day 2 again, already cleared
    EXPECT_THAT(callText(host_.takeCalls()),
                ElementsAre("call|get Room 12.59", "call|get Room 12.510",
                            "call availability.616(3 32, 3 16, 400B False)",
                            "call availability.616(3 32, 3 4, 400B True)",
                            "set Room 12.510(9 availability)", "call|get Room 12.510",
                            "call availability.616(3 112, 3 16, 400B False)",
                            "call availability.616(3 112, 3 4, 400B True)",
                            "set Room 12.510(9 availability)", "call|get Room 12.59",
                            "call|get Room 12.510", "call availability.616(3 42, 3 2, 400B True)",
                            "set Room 12.510(9 availability)"));
}

TEST_F(AvailabilityThroughCom, BrokenPatternsAreReportedInCallOrderAndValidOnesFullyWritten) {
    hostsim::Resource& hall = host_.addResource(u"Hall", u"H1");
    hall.fail(host::DISPID_ResourceHostKey,
              hostsim::hostError(static_cast<std::int32_t>(0x80047002), u"no key"));
    hostsim::Resource& store = host_.addResource(u"Store", u"S1");
    hostsim::SimObject& notAnAvailability = host_.addObject(u"not an availability");
    store.define(host::DISPID_ResourceAvailability,
                 [&](hostsim::Invocation&) { return hostsim::refTo(notAnAvailability); });
    send(room_, L"1/5/2026|1/19/2026|1|09:00|11:00");
    send(lab_, L"1/5/2026|1/19/2026|1|09:00");
    send(room_, L"1/5/2026|1/19/2026|1|14:00|16:00");
    send(hall, L"1/5/2026|1/19/2026|1|09:00|11:00");
    send(store, L"1/5/2026|1/19/2026|1|09:00|11:00");
    send(lab_, L"1/5/2026|1/19/2026|7|09:00|11:00");
    send(lab_, L"1/6/2026|1/13/2026|2|10:00|12:00");

    const LateBound finished = finish();
    EXPECT_EQ(finished.hr, S_OK);
    EXPECT_EQ(finished.value, Variant(Boolean{true}));
    ASSERT_EQ(host_.transfer().reports().size(), 1u);
    const hostsim::Transfer::Report& report = host_.transfer().reports()[0];
    EXPECT_EQ(report.text,
              u"\r\nError converting availability for 'Lab 3': Parsing availability string"
              u"\r\nError converting availability for 'Hall': Setting Availabilities"
              u"\r\nError converting availability for 'Store': Setting Availabilities"
              u"\r\nError converting availability for 'Lab 3': Calculating Day of Week");
    EXPECT_EQ(report.flag1, -1);
    EXPECT_EQ(report.flag2, -1);

    // Mondays of weeks 0 to 2 (days 0, 5, 10), both spans each.
    Periods roomAvailable;
    for (std::int32_t start : {0, 80, 160})
        for (std::int32_t offset : {0, 1, 2, 3, 10, 11, 12, 13})
            roomAvailable.push_back(start + offset);
    EXPECT_EQ(room_.periodsSetTo(true), roomAvailable);
    EXPECT_EQ(room_.periodsSetTo(false).size(), 3 * 8u);
    // Tuesdays of weeks 0 and 1 (days 1 and 6), 10:00 to 12:00.
    EXPECT_EQ(lab_.periodsSetTo(true), (Periods{18, 19, 20, 21, 98, 99, 100, 101}));
    EXPECT_EQ(lab_.periodsSetTo(false).size(), 2 * 12u);
    EXPECT_TRUE(hall.periods().empty());
    EXPECT_TRUE(store.periods().empty());
}

TEST_F(AvailabilityThroughCom, CollegeNumbersOfOtherWidthsGiveTheSameCalendar) {
    VARIANT periodsPerDay;
    V_DECIMAL(&periodsPerDay) = DECIMAL{};
    V_DECIMAL(&periodsPerDay).Lo64 = 160;
    V_DECIMAL(&periodsPerDay).scale = 1;
    V_VT(&periodsPerDay) = VT_DECIMAL;
    VARIANT weeksPerYear;
    V_VT(&weeksPerYear) = VT_UI8;
    V_UI8(&weeksPerYear) = 52;
    SAFEARRAYBOUND bound{5, 0};
    com::UniqueVariant weekdays;
    V_ARRAY(weekdays.put()) = SafeArrayCreate(VT_I8, 1, &bound);
    V_VT(&weekdays.get()) = VT_ARRAY | VT_I8;
    for (LONG i = 0; i < 5; ++i) {
        std::int64_t weekday = 2 + i;
        ASSERT_EQ(SafeArrayPutElement(V_ARRAY(&weekdays.get()), &i, &weekday), S_OK);
    }
    host_.college().setProperty(u"PeriodsPerDay", com::rawVariant(periodsPerDay));
    host_.college().setProperty(u"WeeksPerYear", com::rawVariant(weeksPerYear));
    host_.college().setProperty(u"DaysOfWeek", com::rawVariant(weekdays.get()));
    ASSERT_EQ(setCollege().hr, S_OK);
    send(room_, L"1/6/2026|1/6/2026|2|09:00|11:00");
    finishWithoutReport();
    EXPECT_EQ(room_.periodsSetTo(true), (Periods{16, 17, 18, 19}));
}

TEST_F(AvailabilityThroughCom, TargetsThatAreNoResourceFailWithObjectNotSetAndReportNothing) {
    com::UniqueVariant empty;
    com::UniqueVariant number;
    V_VT(number.put()) = VT_I4;
    V_I4(&number.get()) = 12;
    com::UniqueVariant wideNumber;
    V_VT(wideNumber.put()) = VT_I8;
    V_I8(&wideNumber.get()) = 12;
    com::UniqueVariant decimal;
    V_DECIMAL(decimal.put()).Lo64 = 12;
    V_VT(&decimal.get()) = VT_DECIMAL;
    com::UniqueVariant notAResource;
    holdObject(notAResource, host_.addObject(u"not a resource"));
    com::UniqueVariant withoutDispatch;
    V_VT(withoutDispatch.put()) = VT_UNKNOWN;
    V_UNKNOWN(&withoutDispatch.get()) = BareObject::create().detach();
    for (VARIANT* thing : {&empty.get(), &number.get(), &wideNumber.get(), &decimal.get(),
                           &notAResource.get(), &withoutDispatch.get()}) {
        const LateBound sent = sendPattern(*thing, L"1/5/2026|1/5/2026|1|09:00|11:00");
        EXPECT_EQ(sent.hr, DISP_E_EXCEPTION);
        EXPECT_EQ(static_cast<std::uint32_t>(sent.scode), 0x800A005Bu); // 91
    }
    com::UniqueVariant nothing;
    V_VT(nothing.put()) = VT_DISPATCH;
    EXPECT_EQ(sendPattern(nothing.get(), L"broken").hr, S_OK);
    EXPECT_TRUE(host_.takeCalls().empty());

    send(room_, L"1/5/2026|1/5/2026|1|09:00|11:00");
    finishWithoutReport();
    EXPECT_EQ(room_.periodsSetTo(true), (Periods{0, 1, 2, 3}));
}

} // namespace
} // namespace bz::test
