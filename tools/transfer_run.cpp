#include "transfer_run.h"

#include "hostsim/host.h"
#include "input_error.h"
#include "runtime/error.h"
#include "runtime/text.h"
#include "shell/tembra_link_helper.h"

namespace bz::preview {

namespace {

DerivedCalendar derivedCalendar(const LinkHelperState& state) {
    return {state.calendar.dtYearStart,
            state.calendar.dtYearEnd,
            state.calendar.dtDayStart,
            state.calendar.intPeriodsPerDay,
            state.calendar.intPeriodMinutes,
            std::vector<int>(state.calendar.aDayOffsets.begin(), state.calendar.aDayOffsets.end())};
}

} // namespace

TransferOutcome runTransfer(const College& college, const std::vector<PatternLine>& patterns,
                            const Locale& locale) {
    hostsim::Host host;
    host.setCalendar(calendarOf(college));
    TembraLinkHelper helper(locale);

    Variant collegeRef = hostsim::refTo(host.college());
    try {
        helper.ITembraLinkHelper_SetActiveCollegeReference(collegeRef);
    } catch (const AutomationError& error) {
        throw InputError("the component cannot set up this college: run-time error " +
                         std::to_string(error.number()) + " (" + toUtf8(error.description()) + ")");
    }

    TransferOutcome outcome{derivedCalendar(helper.state()), {}, {}};
    std::vector<hostsim::Resource*> resources;
    auto resourceFor = [&](const PatternLine& line) -> hostsim::Resource& {
        for (std::size_t i = 0; i < resources.size(); ++i)
            if (outcome.resources[i].name == line.resourceName &&
                outcome.resources[i].hostKey == line.hostKey)
                return *resources[i];
        outcome.resources.push_back({line.resourceName, line.hostKey, {}});
        return *resources.emplace_back(&host.addResource(line.resourceName, line.hostKey));
    };

    helper.PrepareAvailabilityTransfer(&host.transfer());
    for (const PatternLine& line : patterns) {
        Variant thing = hostsim::refTo(resourceFor(line));
        std::u16string pattern = line.pattern;
        helper.ZEFA_LHF_SetAvailabilityByString(thing, pattern);
    }
    helper.FinishAvailabilityTransfer(&host.transfer());

    for (std::size_t i = 0; i < resources.size(); ++i)
        outcome.resources[i].periods = resources[i]->periods();
    for (const hostsim::Transfer::Report& report : host.transfer().reports())
        outcome.reports.push_back(report.text);
    return outcome;
}

} // namespace bz::preview
