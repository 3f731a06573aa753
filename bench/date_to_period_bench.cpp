// The cost of one date-time to period conversion.

#include "bench_college.h"
#include "calendar/date_to_period.h"

#include <benchmark/benchmark.h>

namespace bz::bench {
namespace {

void BM_DateToPeriod(benchmark::State& run) {
    CollegeState college(52);
    // Wednesday of week 30, 11:30: a time between two period boundaries.
    Date t = makeDate({2026, 8, 5}, {11, 30, 0});
    for (auto _ : run) {
        benchmark::DoNotOptimize(t);
        benchmark::DoNotOptimize(DateToPeriod(college.state.calendar, college.state.strStage, t));
    }
}
BENCHMARK(BM_DateToPeriod);

} // namespace
} // namespace bz::bench
