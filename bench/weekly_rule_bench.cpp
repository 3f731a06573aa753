// The cost of one weekly rule written through ZEFA_LHF_SetAvailabilityByString for a year of
// weeks, into a fresh resource of the in-memory host (every week is cleared, then set).

#include "hostsim/host.h"
#include "runtime/locale.h"
#include "shell/tembra_link_helper.h"

#include "bench_college.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace bz::bench {
namespace {

// One host with its college and a helper with an open transfer.
struct Transfer {
    explicit Transfer(const Locale& locale) : helper(locale) {
        host.setCalendar(weekdayCalendar(52));
        Variant college = hostsim::refTo(host.college());
        helper.ITembraLinkHelper_SetActiveCollegeReference(college);
        helper.PrepareAvailabilityTransfer(&host.transfer());
        resource = hostsim::refTo(host.addResource(u"Room 12", u"R12"));
    }

    hostsim::Host host;
    TembraLinkHelper helper;
    Variant resource;
};

void BM_WeeklyRuleForAYear(benchmark::State& run) {
    const auto locale = makePortableLocale(PortableLocaleKind::EnGb);
    std::unique_ptr<Transfer> transfer;
    for (auto _ : run) {
        run.PauseTiming();
        transfer.reset();
        transfer = std::make_unique<Transfer>(*locale);
        std::u16string pattern = u"2026-01-05|2026-12-31|3|09:00|12:00";
        run.ResumeTiming();
        transfer->helper.ZEFA_LHF_SetAvailabilityByString(transfer->resource, pattern);
    }
    if (!transfer->helper.state().transfer.strErrors.empty())
        run.SkipWithError("the rule was not written");
    run.SetItemsProcessed(run.iterations() * 52);
}
BENCHMARK(BM_WeeklyRuleForAYear)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace bz::bench
