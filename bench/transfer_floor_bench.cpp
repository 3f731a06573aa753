// The component's own cost next to the host calls it cannot avoid. A whole availability
// transfer (2,000 resources, five weekly rules each over a year of 52 weeks) runs against a
// minimal host that records its calls; the same calls are then replayed straight on the host.
// R = component time / replay time: 1 would mean the component costs nothing beyond its calls.

#include "heap_counter.h"
#include "minimal_host.h"

#include "hostsim/host.h"
#include "runtime/locale.h"
#include "shell/tembra_link_helper.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace bz::bench {
namespace {

constexpr std::size_t resourceCount = 2000;
constexpr std::int32_t periodCount = 52 * 5 * 16;
constexpr std::size_t writtenWeeks = resourceCount * 5 * 52;

// Two spans on Monday, one on each of Tuesday to Thursday: four days cleared per week.
constexpr const char16_t* rules[]{
    u"2026-01-05|2027-01-03|1|09:00|12:00", u"2026-01-05|2027-01-03|1|14:00|16:00",
    u"2026-01-05|2027-01-03|2|09:30|17:00", u"2026-01-05|2027-01-03|3|10:00|11:00",
    u"2026-01-05|2027-01-03|4|13:00|15:30",
};

// Monday 5 January 2026, Monday to Friday, 16 periods of 30 minutes from 09:00, 52 weeks.
hostsim::CollegeCalendar scenarioCalendar() {
    return {DateValue{makeDate({2026, 1, 5}, {0, 0, 0})},
            DateValue{makeDate({1899, 12, 30}, {9, 0, 0})},
            DateValue{makeDate({1899, 12, 30}, {17, 0, 0})},
            Integer{16},
            Integer{52},
            hostsim::weekdayList({2, 3, 4, 5, 6})};
}

struct Measurement {
    double componentSeconds;
    double replaySeconds;
    std::size_t storeBytes;
    std::size_t allocations;
};

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A helper with the college handed over, and the scenario's targets and patterns.
struct Scenario {
    Scenario(const Locale& locale, hostsim::Host& college, MinimalHost& host) : helper(locale) {
        Variant collegeRef = hostsim::refTo(college.college());
        helper.ITembraLinkHelper_SetActiveCollegeReference(collegeRef);
        for (std::size_t r = 0; r < resourceCount; ++r)
            targets.emplace_back(ObjectRef(&host.resource(r)));
    }
    // The whole transfer but its Finish.
    void transfer() {
        helper.PrepareAvailabilityTransfer(nullptr);
        for (Variant& target : targets)
            for (std::u16string& pattern : patterns)
                helper.ZEFA_LHF_SetAvailabilityByString(target, pattern);
        if (!helper.state().transfer.strErrors.empty())
            throw std::logic_error("the scenario's rules were not written");
    }

    TembraLinkHelper helper;
    std::vector<Variant> targets;
    std::vector<std::u16string> patterns{std::begin(rules), std::end(rules)};
};

// One transfer through the component, timed and its heap counted, then the replay of the host
// calls a recorded transfer made.
Measurement measureOnce(const Locale& locale, hostsim::Host& college) {
    MinimalHost recorded(resourceCount, periodCount);
    recorded.record(true);
    Scenario(locale, college, recorded).transfer();
    recorded.record(false);

    MinimalHost host(resourceCount, periodCount);
    Scenario scenario(locale, college, host);
    const HeapCount before = heapCount();
    const auto start = std::chrono::steady_clock::now();
    scenario.transfer();
    const double componentSeconds = secondsSince(start);
    const HeapCount after = heapCount();

    const auto replayStart = std::chrono::steady_clock::now();
    recorded.replay();
    return {componentSeconds, secondsSince(replayStart),
            (after.liveBytes - before.liveBytes) / resourceCount,
            after.allocations - before.allocations};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void BM_TransferAgainstTheFloor(benchmark::State& run) {
    const auto locale = makePortableLocale(PortableLocaleKind::EnGb);
    hostsim::Host college;
    college.setCalendar(scenarioCalendar());
    std::vector<double> component;
    std::vector<double> replay;
    Measurement last{};
    for (auto _ : run) {
        last = measureOnce(*locale, college);
        component.push_back(last.componentSeconds);
        replay.push_back(last.replaySeconds);
        run.SetIterationTime(last.componentSeconds);
    }
    const double c = median(component);
    const double f = median(replay);
    run.counters["R"] = c / f;
    run.counters["component_ns_per_week"] = c * 1e9 / writtenWeeks;
    run.counters["replay_ns_per_week"] = f * 1e9 / writtenWeeks;
    run.counters["store_bytes_per_resource"] = static_cast<double>(last.storeBytes);
    run.counters["allocations_per_week"] =
        static_cast<double>(last.allocations) / static_cast<double>(writtenWeeks);
    std::printf("R = %.2f (component %.1f ms, replay %.1f ms; %.0f ns and %.0f ns per written "
                "week; medians of %zu runs of %zu weeks)\n"
                "day-mark store: %zu bytes per resource; %.3f allocations per written week\n",
                c / f, c * 1e3, f * 1e3, c * 1e9 / writtenWeeks, f * 1e9 / writtenWeeks,
                component.size(), writtenWeeks, last.storeBytes,
                static_cast<double>(last.allocations) / static_cast<double>(writtenWeeks));
}
BENCHMARK(BM_TransferAgainstTheFloor)
    ->Iterations(11)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace bz::bench
