// Fuzz target for the college set-up: each of the six calendar members is missing, fails, or
// answers values of any kind (arrays of any dimensions, bounds and element types included). The
// set-up ends in a calendar or in a run-time error, keeps the college it was handed, and releases
// every reference it took; a calendar it derives carries a rule through a transfer without
// failing it.

#include "fuzz_input.h"
#include "hostsim/host.h"
#include "shell/tembra_link_helper.h"
#include "variant_input.h"

#include <algorithm>
#include <vector>

namespace bz::fuzz {
namespace {

constexpr const char16_t* members[] = {u"startDate",     u"startTime",    u"endTime",
                                       u"PeriodsPerDay", u"WeeksPerYear", u"DaysOfWeek"};

// Failures a member may answer with: a host HRESULT, and a run-time error of the host's own.
const AutomationError hostFailure =
    hostsim::hostError(static_cast<std::int32_t>(0x80040201), u"host failure");
const AutomationError hostRunTimeError(hresultOf(70), u"Host", u"Permission denied");

// One member of the college: missing, failing, or answering one or two values in turn.
void answerMember(hostsim::SimObject& college, const char16_t* member, VariantSource& values,
                  Input& input) {
    const std::uint8_t kind = input.byte() % 8;
    if (kind == 0)
        college.remove(member);
    else if (kind == 1)
        college.fail(member, hostFailure);
    else if (kind == 2)
        college.fail(member, hostRunTimeError);
    else {
        std::vector<Variant> answers{values.variant()};
        if (kind % 2 == 0)
            answers.push_back(values.variant());
        college.define(member, [answers, read = std::size_t{0}](hostsim::Invocation&) mutable {
            return answers[read++ % answers.size()];
        });
    }
}

// The errors the set-up may end with: its own run-time errors and the host's failures, which
// pass through unchanged.
bool isExpected(const AutomationError& error) {
    if (error.hresult() == hostFailure.hresult())
        return error.description() == hostFailure.description();
    if (error.hresult() == hostRunTimeError.hresult())
        return error.description() == hostRunTimeError.description();
    for (int number : {6, 9, 11, 13, 91, 94, 424, 438})
        if (error.number() == number)
            return true;
    return false;
}

void checkCalendar(const Calendar& calendar) {
    if (calendar.aDayOffsets.empty() || std::ssize(calendar.aDayOffsets) != calendar.intDaysPerWeek)
        fault("the teaching days and their count disagree");
    if (calendar.intStartWeekday < 1 || calendar.intStartWeekday > 7)
        fault("a weekday outside 1 to 7");
    splitDate(calendar.dtYearEnd); // a Date inside the range, or error 6 here
}

// A derived calendar carries a rule to a resource: errors become at most one report line.
void checkTransfer(TembraLinkHelper& helper, hostsim::Host& host) {
    helper.PrepareAvailabilityTransfer(&host.transfer());
    Variant thing = hostsim::refTo(host.addResource(u"Room 12", u"R12"));
    std::u16string pattern = u"2026-01-07|2026-02-04|1|09:00|11:00";
    try {
        helper.ZEFA_LHF_SetAvailabilityByString(thing, pattern);
    } catch (const AutomationError&) {
        fault("the link function failed for a resource");
    }
    const std::u16string& report = helper.state().transfer.strErrors;
    if (std::count(report.begin(), report.end(), u'\n') > 1)
        fault("one call added more than one report line");
    helper.FinishAvailabilityTransfer(&host.transfer());
}

std::vector<int> referenceCounts(const hostsim::Host& host) {
    std::vector<int> counts;
    for (const auto& object : host.objects())
        counts.push_back(object->references());
    return counts;
}

// Every object holds the references it held at `before`; those made since hold none.
bool referencesAreBack(const hostsim::Host& host, const std::vector<int>& before) {
    std::vector<int> after = referenceCounts(host);
    return std::equal(before.begin(), before.end(), after.begin()) &&
           std::all_of(after.begin() + std::ssize(before), after.end(),
                       [](int references) { return references == 0; });
}

} // namespace
} // namespace bz::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace bz;
    fuzz::Input input(data, size);
    const auto& locales = fuzz::portableLocales();
    const Locale& locale = *locales[input.byte() % locales.size()];
    hostsim::Host host;
    fuzz::VariantSource values(input, ObjectRef(&host.addObject(u"other")));
    for (const char16_t* member : fuzz::members)
        fuzz::answerMember(host.college(), member, values, input);
    Variant college = hostsim::refTo(host.college());
    const std::vector<int> before = fuzz::referenceCounts(host);

    TembraLinkHelper helper(locale);
    bool derived = true;
    try {
        helper.ITembraLinkHelper_SetActiveCollegeReference(college);
    } catch (const AutomationError& error) {
        if (!fuzz::isExpected(error))
            fuzz::fault("an error the set-up cannot raise");
        derived = false;
    }
    if (helper.state().varCollege != college)
        fuzz::fault("the college was not kept");
    if (derived) {
        fuzz::checkCalendar(helper.state().calendar);
        fuzz::checkTransfer(helper, host);
    }
    Variant nothing = Variant::nothing();
    helper.ITembraLinkHelper_SetActiveCollegeReference(nothing);
    if (!fuzz::referencesAreBack(host, before))
        fuzz::fault("a reference was not released");
    return 0;
}
