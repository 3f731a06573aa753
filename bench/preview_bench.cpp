// The previewer on a college's year at an institution's size (college_year_files.h: 100,000
// lines), once per output. Each run is a child process of its own, so that its peak memory is
// its own; prints the wall time, the peak memory (peak_MB), the output's size (output_MB) and
// its line count (output_lines), and the processor time of the run (cpu_s) and per line of the
// patterns file (cpu_us_per_line), steadier than the wall time on a shared machine. The comparisons
// of that year with the next night's, 1% of its rules changed, also print how many resources they
// list (listed) and whether those are exactly the resources whose rules changed (exact).

#include "college_year_files.h"
#include "preview.h"

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <sstream>

namespace bz::bench {
namespace {

struct Files {
    std::filesystem::path college = std::filesystem::temp_directory_path() / "bz_year_college.json";
    std::filesystem::path patterns =
        std::filesystem::temp_directory_path() / "bz_year_patterns.csv";
    std::filesystem::path output = std::filesystem::temp_directory_path() / "bz_year_preview.out";
    Files() {
        writeYearCollege(college);
        writeYearPatterns(patterns);
    }
    ~Files() {
        for (const auto& path : {college, patterns, output})
            std::filesystem::remove(path);
    }
};

const Files& yearFiles() {
    static const Files files;
    return files;
}

// What a child process cost: its peak resident memory in bytes (-1 when it failed) and the
// processor time it took, which the machine's other load leaves as it is.
struct ChildCost {
    long peak = 0;
    double cpuSeconds = 0;
};

double seconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

// The previewer in a child process.
ChildCost runChild(const std::vector<std::string>& args) {
    const pid_t child = fork();
    if (child == 0) {
        std::ostringstream out, err;
        const int status = preview::runPreview(args, out, err);
        if (status > 1)
            std::cerr << err.str();
        _exit(status);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    return {WIFEXITED(status) && WEXITSTATUS(status) <= 1 ? usage.ru_maxrss * 1024L : -1,
            seconds(usage.ru_utime) + seconds(usage.ru_stime)};
}

// Arguments after the files: the output's options.
void BM_PreviewOfAYear(benchmark::State& state, std::vector<std::string> options) {
    const Files& files = yearFiles();
    std::vector<std::string> args = {"-c", files.college.string(), "-p", files.patterns.string(),
                                     "-o", files.output.string()};
    args.insert(args.end(), options.begin(), options.end());
    ChildCost cost;
    double cpuSeconds = 0;
    for (auto _ : state) {
        if ((cost = runChild(args)).peak < 0)
            state.SkipWithError("the previewer failed");
        cpuSeconds += cost.cpuSeconds;
    }
    std::ifstream output(files.output, std::ios::binary);
    const auto lines = std::count(std::istreambuf_iterator<char>(output), {}, '\n');
    state.counters["peak_MB"] = static_cast<double>(cost.peak) / 1e6;
    state.counters["cpu_s"] = benchmark::Counter(cpuSeconds, benchmark::Counter::kAvgIterations);
    state.counters["cpu_us_per_line"] =
        benchmark::Counter(cpuSeconds * 1e6 / yearResources / yearRulesPerResource,
                           benchmark::Counter::kAvgIterations);
    state.counters["output_MB"] =
        static_cast<double>(std::filesystem::file_size(files.output)) / 1e6;
    state.counters["output_lines"] = static_cast<double>(lines);
}
// The year and the next night's file as JSON previews, and the resources whose rules changed.
struct TwoNights {
    std::filesystem::path nextPatterns = temp("bz_year_next_patterns.csv");
    std::filesystem::path earlier = temp("bz_year_earlier.json");
    std::filesystem::path later = temp("bz_year_later.json");
    std::set<std::string> changed;

    explicit TwoNights(const Files& files) {
        writeYearPatterns(nextPatterns, true);
        for (const auto& [patterns, preview] :
             {std::pair{files.patterns, earlier}, std::pair{nextPatterns, later}})
            runChild({"-c", files.college.string(), "-p", patterns.string(), "--locale", "en-GB",
                      "--format", "json", "-o", preview.string()});
        for (int rule = 0; rule < yearRulesPerResource; ++rule)
            for (int resource = 0; resource < yearResources; ++resource)
                if (yearRuleChanged(rule, resource))
                    changed.insert("R" + std::to_string(resource));
    }
    ~TwoNights() {
        for (const auto& path : {nextPatterns, earlier, later})
            std::filesystem::remove(path);
    }
    static std::filesystem::path temp(const char* name) {
        return std::filesystem::temp_directory_path() / name;
    }
};

// Compares the next night with the year, as a run (`run`) or between the two saved previews.
void BM_CompareTwoNights(benchmark::State& state, bool run) {
    const Files& files = yearFiles();
    static const TwoNights nights(files);
    std::vector<std::string> args = {"--compare", nights.earlier.string()};
    const std::vector<std::string> tail =
        run ? std::vector<std::string>{"-c",       files.college.string(),
                                       "-p",       nights.nextPatterns.string(),
                                       "--locale", "en-GB"}
            : std::vector<std::string>{nights.later.string()};
    args.insert(args.end(), tail.begin(), tail.end());
    args.insert(args.end(), {"--format", "json", "-o", files.output.string()});
    long peak = 0;
    for (auto _ : state)
        if ((peak = runChild(args).peak) < 0)
            state.SkipWithError("the previewer failed");
    std::set<std::string> listed;
    const auto comparison = nlohmann::json::parse(std::ifstream(files.output));
    for (const auto& resource : comparison["resources"])
        listed.insert(resource["hostKey"].get<std::string>());
    state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
    state.counters["listed"] = static_cast<double>(listed.size());
    state.counters["exact"] = listed == nights.changed ? 1 : 0;
}

// Each output once, timed in wall-clock seconds; `text_swapped` reads the file month first, so
// that every last date is read with day and month swapped.
const bool registered = [] {
    const std::pair<const char*, std::vector<std::string>> outputs[] = {
        {"text", {"--locale", "en-GB"}},
        {"json", {"--locale", "en-GB", "--format", "json"}},
        {"json_days", {"--locale", "en-GB", "--format", "json", "--days"}},
        {"html", {"--locale", "en-GB", "--format", "html"}},
        {"text_swapped", {"--locale", "en-US"}},
    };
    for (const auto& [name, options] : outputs)
        benchmark::RegisterBenchmark((std::string("BM_PreviewOfAYear/") + name).c_str(),
                                     BM_PreviewOfAYear, options)
            ->Unit(benchmark::kSecond)
            ->UseRealTime()
            ->Iterations(1);
    for (const bool run : {false, true})
        benchmark::RegisterBenchmark(run ? "BM_CompareTwoNights/run" : "BM_CompareTwoNights/saved",
                                     BM_CompareTwoNights, run)
            ->Unit(benchmark::kSecond)
            ->UseRealTime()
            ->Iterations(1);
    return true;
}();

} // namespace
} // namespace bz::bench
