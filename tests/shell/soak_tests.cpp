#include "shell/tembra_link_helper.h"
#include "support/availability_fixture.h"

#include <algorithm>

namespace bz::testing {
namespace {

// Whether every object the host made from the `first`-th on is released.
bool releasedFrom(const hostsim::Host& host, std::size_t first) {
    return std::all_of(host.objects().begin() + static_cast<std::ptrdiff_t>(first),
                       host.objects().end(), [](const auto& o) { return o->references() == 0; });
}

// One object through many transfers of valid and broken patterns: each transfer leaves the same
// state behind as the first, every reference it took is released, and no state grows with the
// number of transfers.
TEST(Soak, TenThousandTransfersOnOneObjectLeaveNothingBehind) {
    const std::unique_ptr<Locale> locale = makePortableLocale(PortableLocaleKind::EnGb);
    hostsim::Host host;
    host.setCalendar(hourlyCalendar());
    hostsim::Resource& room = host.addResource(u"Room 12", u"R12");
    hostsim::Resource& lab = host.addResource(u"Lab 3", u"L3");
    TembraLinkHelper helper(*locale);
    Variant college = hostsim::refTo(host.college());
    helper.ITembraLinkHelper_SetActiveCollegeReference(college);

    const std::pair<hostsim::Resource*, const char16_t*> sends[] = {
        {&room, u"05/01/2026|05/01/2026|1|09:00|11:00"},
        {&room, u"05/01/2026|05/01/2026|1|14:00|16:00"},
        {&lab, u"05/01/2026|12/01/2026|1|10:00|12:00"},
        {&lab, u"05/01/2026|x|1|09:00|11:00"},           // parse error: a report line
        {&room, u"05/01/2026|05/01/2026|7|09:00|11:00"}, // no such teaching day: a report line
        {&room, u"05/01/2030|05/01/2030|1|09:00|11:00"}, // outside the calendar
        {nullptr, u"not a pattern"},                     // Nothing
    };
    const int cycles = 10000;
    std::size_t marksInFirst = 0;
    std::size_t reportInFirst = 0;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        const std::size_t made = host.objects().size();
        helper.PrepareAvailabilityTransfer(&host.transfer());
        for (const auto& [resource, pattern] : sends) {
            Variant thing = resource ? hostsim::refTo(*resource) : Variant::nothing();
            std::u16string text = pattern;
            helper.ZEFA_LHF_SetAvailabilityByString(thing, text);
        }
        const std::size_t marks = helper.state().transfer.dictMarkedDays->size();
        const std::size_t report = helper.state().transfer.strErrors.size();
        if (cycle == 0) {
            marksInFirst = marks;
            reportInFirst = report;
        }
        ASSERT_EQ(marks, marksInFirst) << "cycle " << cycle;
        ASSERT_EQ(report, reportInFirst) << "cycle " << cycle;
        helper.FinishAvailabilityTransfer(&host.transfer());
        ASSERT_TRUE(releasedFrom(host, made)) << "cycle " << cycle;
        host.takeCalls();
    }

    EXPECT_EQ(marksInFirst, 3u); // room and lab on day 0, lab on day 5
    EXPECT_EQ(host.transfer().reports().size(), static_cast<std::size_t>(cycles));
    EXPECT_EQ(helper.state().transfer.dictMarkedDays->size(), 0u);
    EXPECT_TRUE(helper.state().transfer.strErrors.empty());
    EXPECT_EQ(room.periodsSetTo(true), (std::vector<std::int32_t>{0, 1, 5, 6}));
    EXPECT_EQ(lab.periodsSetTo(true), join({run(1, 2), run(41, 42)}));
    for (const auto& object : host.objects())
        EXPECT_EQ(object->references(), object.get() == &host.college() ? 2 : 0)
            << "a reference to a host object leaked";
}

} // namespace
} // namespace bz::testing
