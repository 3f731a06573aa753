// The cost of one MarkTheDay and one DayHasBeenMarked, for calendars of 260 and 2600 days.

#include "availability/transfer.h"
#include "bench_college.h"

#include <benchmark/benchmark.h>

namespace bz::bench {
namespace {

// Weeks of five teaching days: 52 gives intDayCount 260, 520 gives 2600.
void dayCounts(benchmark::internal::Benchmark* bench) {
    bench->ArgName("days")->Arg(260)->Arg(2600);
}

struct OpenTransfer : CollegeState {
    explicit OpenTransfer(const benchmark::State& run)
        : CollegeState(static_cast<std::int16_t>(run.range(0) / 5)) {
        PrepareAvailabilityTransfer(state.transfer);
    }
    // The first period of day `i` of the calendar, cycling through its days.
    Integer periodOfDay(std::int64_t i) const {
        return static_cast<Integer>(i % state.calendar.intDayCount *
                                    state.calendar.intPeriodsPerDay);
    }
    std::u16string key = u"R12";
};

void BM_MarkTheDay(benchmark::State& run) {
    OpenTransfer transfer(run);
    std::int64_t i = 0;
    for (auto _ : run)
        MarkTheDay(transfer.state.calendar, transfer.state.transfer.dictMarkedDays.get(),
                   transfer.key, transfer.periodOfDay(i++));
    run.counters["mark_bytes"] =
        static_cast<double>(transfer.state.transfer.dictMarkedDays->markBytes(transfer.key));
}
BENCHMARK(BM_MarkTheDay)->Apply(dayCounts);

void BM_DayHasBeenMarked(benchmark::State& run) {
    OpenTransfer transfer(run);
    // Every other day marked, so tests alternate between True and False.
    for (std::int64_t day = 0; day < transfer.state.calendar.intDayCount; day += 2)
        MarkTheDay(transfer.state.calendar, transfer.state.transfer.dictMarkedDays.get(),
                   transfer.key, transfer.periodOfDay(day));
    std::int64_t i = 0;
    for (auto _ : run)
        benchmark::DoNotOptimize(DayHasBeenMarked(transfer.state.calendar,
                                                  transfer.state.transfer.dictMarkedDays.get(),
                                                  transfer.key, transfer.periodOfDay(i++)));
}
BENCHMARK(BM_DayHasBeenMarked)->Apply(dayCounts);

} // namespace
} // namespace bz::bench
