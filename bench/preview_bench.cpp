// The previewer on a generated patterns file of 100,000 lines: 2,000 resources, each with 50
// rules over the whole teaching year. Prints the wall time and the process's peak memory.

#include "preview.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace bz::bench {
namespace {

constexpr int resourceCount = 2000;
constexpr int lineCount = 100000;

std::filesystem::path writeFile(const std::string& name, const std::string& text) {
    const auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path) << text;
    return path;
}

// Rules from the first to the last day of a 46-week year, two hours each, on every teaching
// day and at six times of day.
std::filesystem::path writePatterns() {
    const auto path = std::filesystem::temp_directory_path() / "bz_preview_bench_patterns.csv";
    std::ofstream out(path);
    out << "hostkey,name,pattern\n";
    for (int line = 0; line < lineCount; ++line) {
        const int resource = line % resourceCount;
        const int day = 1 + line / resourceCount % 5;
        const int hour = 9 + line / (resourceCount * 5) % 6;
        out << 'R' << resource << ",Room " << resource << ",2024-09-02|2025-07-18|" << day << '|'
            << hour << ":00|" << hour + 2 << ":00\n";
    }
    return path;
}

void BM_PreviewOf100000Lines(benchmark::State& state) {
    const auto college = writeFile("bz_preview_bench_college.json",
                                   R"({"startDate": "2024-09-02", "startTime": "09:00",
        "endTime": "17:00", "PeriodsPerDay": 16, "WeeksPerYear": 46, "DaysOfWeek": [2,3,4,5,6]})");
    const auto patterns = writePatterns();
    const std::vector<std::string> args = {"-c",       college.string(), "-p", patterns.string(),
                                           "--locale", "en-GB"};
    for (auto _ : state) {
        std::ostringstream out, err;
        if (preview::runPreview(args, out, err) != 0)
            state.SkipWithError(err.str().c_str());
        benchmark::DoNotOptimize(out.str().size());
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.SetItemsProcessed(state.iterations() * lineCount);
    std::filesystem::remove(college);
    std::filesystem::remove(patterns);
}
BENCHMARK(BM_PreviewOf100000Lines)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

} // namespace
} // namespace bz::bench
