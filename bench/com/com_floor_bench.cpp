// The component's own cost through real COM, next to the host calls it cannot avoid. A whole
// availability transfer (2,000 resources, five weekly rules each over a year of 52 weeks) runs
// late-bound through Brenik_Zefa.dll against a minimal COM host that records its calls; the same
// Invoke and QueryInterface calls are then replayed straight on the host objects.
// R = component time / replay time. The heap allocations the DLL makes while the component runs
// are counted through its imports. Prints figures; asserts nothing about them.
// Usage: com_floor_bench [resources [runs]]

#include "heap_calls.h"
#include "late_bound_component.h"
#include "minimal_com_host.h"
#include "scenario_college.h"

#include "runtime/com/bstr.h"
#include "runtime/com/hresult_error.h"
#include "runtime/com/unique_variant.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace bz::bench {
namespace {

constexpr std::size_t scenarioResources = 2000;
constexpr std::int32_t periodCount = 52 * 5 * 16;
constexpr std::size_t rulesPerResource = 5;
constexpr std::size_t weeksPerRule = 52;
// Per week: Monday 6 + 4 periods, Tuesday 15, Wednesday 2, Thursday 5.
constexpr std::size_t availablePerResource = 32 * 52;

// Two spans on Monday, one on each of Tuesday to Thursday: four days cleared per week.
constexpr const char16_t* rules[rulesPerResource]{
    u"2026-01-05|2027-01-03|1|09:00|12:00", u"2026-01-05|2027-01-03|1|14:00|16:00",
    u"2026-01-05|2027-01-03|2|09:30|17:00", u"2026-01-05|2027-01-03|3|10:00|11:00",
    u"2026-01-05|2027-01-03|4|13:00|15:30",
};

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A component with the college handed over, and the host's resources as the Variant targets
// the host passes.
class Transfer {
  public:
    explicit Transfer(MinimalComHost& host)
        : host_(host), targets_(host.resourceCount()), patterns_(std::size(rules)) {
        component_.setCollege(*scenarioCollege());
        for (std::size_t r = 0; r < host.resourceCount(); ++r) {
            V_VT(&targets_[r]) = VT_DISPATCH;
            V_DISPATCH(&targets_[r]) = com::ComPtr<IDispatch>(&host.resource(r)).detach();
        }
        for (std::size_t p = 0; p < std::size(rules); ++p) {
            V_VT(&patterns_[p]) = VT_BSTR;
            V_BSTR(&patterns_[p]) = com::UniqueBstr(rules[p]).detach();
        }
    }
    // Every rule of every resource, the transfer opened first but not finished.
    void run() {
        component_.prepareTransfer();
        for (std::size_t r = 0; r < host_.resourceCount(); ++r)
            for (std::size_t p = 0; p < std::size(rules); ++p)
                com::check(component_.setAvailability(targets_[r], V_BSTR(&patterns_[p])));
    }

  private:
    MinimalComHost& host_;
    LateBoundComponent component_;
    com::VariantArray targets_;
    com::VariantArray patterns_;
};

struct Measurement {
    double componentSeconds;
    double replaySeconds;
    std::size_t hostCalls;
    std::size_t queries;
    std::size_t allocations; // by the DLL, in the timed transfer
};

std::size_t queriesIn(const std::vector<HostCall>& calls) {
    return static_cast<std::size_t>(
        std::count_if(calls.begin(), calls.end(),
                      [](const HostCall& c) { return c.shape == HostCall::Shape::Query; }));
}

// One transfer through the component, recorded; then one timed on a fresh host, and the replay
// of the recorded calls timed.
Measurement measureOnce(std::size_t resources) {
    MinimalComHost recorded(resources, periodCount);
    recorded.record(true);
    Transfer(recorded).run();
    recorded.record(false);

    MinimalComHost host(resources, periodCount);
    Transfer transfer(host);
    const std::size_t allocationsBefore = HeapCalls::allocations();
    const auto start = std::chrono::steady_clock::now();
    transfer.run();
    const double componentSeconds = secondsSince(start);
    const std::size_t allocations = HeapCalls::allocations() - allocationsBefore;
    if (host.availablePeriods() != resources * availablePerResource)
        throw std::runtime_error("the scenario's rules were not written");

    const auto replayStart = std::chrono::steady_clock::now();
    recorded.replay();
    const double replaySeconds = secondsSince(replayStart);
    return {componentSeconds, replaySeconds, recorded.recordedCalls().size(),
            queriesIn(recorded.recordedCalls()), allocations};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void report(std::size_t resources, const std::vector<Measurement>& runs) {
    std::vector<double> component;
    std::vector<double> replay;
    for (const Measurement& run : runs) {
        component.push_back(run.componentSeconds);
        replay.push_back(run.replaySeconds);
    }
    const double c = median(component);
    const double f = median(replay);
    const auto weeks = static_cast<double>(resources * rulesPerResource * weeksPerRule);
    std::printf("R through COM = %.2f (component %.1f ms, replay %.1f ms; %.0f ns and %.0f ns per "
                "written week; medians of %zu runs of %.0f weeks)\n"
                "%zu resources%s; %zu host calls per transfer, %zu of them QueryInterface\n"
                "heap allocations by the DLL: %.3f per written week (%zu per transfer)\n",
                c / f, c * 1e3, f * 1e3, c * 1e9 / weeks, f * 1e9 / weeks, runs.size(), weeks,
                resources,
                resources == scenarioResources ? "" : " (fewer than the scenario's 2000)",
                runs.back().hostCalls, runs.back().queries,
                static_cast<double>(runs.back().allocations) / weeks, runs.back().allocations);
}

std::size_t argumentOr(int argc, char** argv, int index, std::size_t fallback) {
    return argc > index ? std::strtoul(argv[index], nullptr, 10) : fallback;
}

} // namespace
} // namespace bz::bench

int main(int argc, char** argv) {
    using namespace bz::bench;
    const std::size_t resources = argumentOr(argc, argv, 1, scenarioResources);
    const std::size_t runCount = std::max<std::size_t>(argumentOr(argc, argv, 2, 7), 1);
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    try {
        const HMODULE component = LoadLibraryW(L"Brenik_Zefa.dll");
        HeapCalls::countIn(component);
        std::vector<Measurement> runs;
        for (std::size_t i = 0; i < runCount; ++i)
            runs.push_back(measureOnce(resources));
        report(resources, runs);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "com_floor_bench: %s\n", error.what());
        return 1;
    }
    CoUninitialize();
    return 0;
}
