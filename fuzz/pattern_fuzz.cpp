// Fuzz target for the availability pattern: the split on its own, then the whole road through
// ZEFA_LHF_SetAvailabilityByString into a resource of the in-memory host. The first byte picks
// the locale; the rest is the pattern, one character per byte.

#include "availability/pattern.h"
#include "fuzz_input.h"
#include "hostsim/host.h"
#include "runtime/locale.h"
#include "shell/tembra_link_helper.h"

#include <algorithm>

namespace bz::fuzz {
namespace {

// The split keeps every character: up to five separators, the fields joined with "|" give the
// pattern back and the fields not present are empty; a sixth separator is error 9.
void checkSplit(const std::u16string& pattern) {
    const auto separators = std::count(pattern.begin(), pattern.end(), u'|');
    PatternFields fields;
    if (!endsInValue([&] { fields = SplitPattern(pattern); },
                     {ErrorNumber::SubscriptOutOfRange, ErrorNumber::Overflow})) {
        if (separators < 6 && pattern.size() < 32767)
            fault("a pattern with at most five separators failed to split");
        return;
    }
    if (separators >= 6)
        fault("a pattern with six separators was split");
    std::u16string joined(fields[0]);
    for (std::ptrdiff_t i = 1; i <= separators; ++i)
        (joined += u'|') += fields[static_cast<std::size_t>(i)];
    if (joined != pattern)
        fault("the fields do not give the pattern back");
    for (auto i = static_cast<std::size_t>(separators) + 1; i < fields.size(); ++i)
        if (!fields[i].empty())
            fault("a field beyond the last separator is not empty");
}

// The whole road: never an error for a resource, at most one report line naming it.
void checkLinkFunction(const Locale& locale, std::u16string pattern) {
    hostsim::Host host;
    // Monday 5 January 2026, Monday to Friday, 09:00 to 17:00 in 16 periods, 52 weeks.
    host.setCalendar({DateValue{makeDate({2026, 1, 5}, {0, 0, 0})},
                      DateValue{makeDate({1899, 12, 30}, {9, 0, 0})},
                      DateValue{makeDate({1899, 12, 30}, {17, 0, 0})}, Integer{16}, Integer{52},
                      hostsim::weekdayList({2, 3, 4, 5, 6})});
    TembraLinkHelper helper(locale);
    Variant college = hostsim::refTo(host.college());
    helper.ITembraLinkHelper_SetActiveCollegeReference(college);
    helper.PrepareAvailabilityTransfer(&host.transfer());
    Variant thing = hostsim::refTo(host.addResource(u"Room 12", u"R12"));
    try {
        helper.ZEFA_LHF_SetAvailabilityByString(thing, pattern);
    } catch (const AutomationError&) {
        fault("the link function failed for a resource");
    }
    const std::u16string& report = helper.state().transfer.strErrors;
    if (!report.empty() && !report.starts_with(u"\r\nError converting availability for "
                                               u"'Room 12': "))
        fault("the report line does not name the resource");
    if (std::count(report.begin(), report.end(), u'\n') > 1)
        fault("one call added more than one report line");
}

} // namespace
} // namespace bz::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace bz;
    const auto& locales = fuzz::portableLocales();
    if (size == 0)
        return 0;
    const std::u16string pattern = fuzz::latin1Text(data + 1, size - 1);
    fuzz::checkSplit(pattern);
    fuzz::checkLinkFunction(*locales[data[0] % 3], pattern);
    return 0;
}
