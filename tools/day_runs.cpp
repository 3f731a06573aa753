#include "day_runs.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace bz::preview {

std::vector<PeriodRun> dayRuns(const PeriodCells& cells, const TeachingDay& day,
                               int periodsPerDay) {
    std::vector<PeriodRun> runs;
    for (int period = 0; period < periodsPerDay; ++period) {
        const Cell cell = cells.at(day.firstPeriod + period);
        if (!runs.empty() && runs.back().cell == cell)
            ++runs.back().count;
        else
            runs.push_back({period, 1, cell});
    }
    return runs;
}

std::vector<FoldedDay> foldWeeks(const PreviewResource& resource,
                                 const std::vector<TeachingDay>& days, int periodsPerDay) {
    std::vector<FoldedDay> folded;
    std::map<std::tuple<int, std::vector<PeriodRun>, std::vector<int>>, std::size_t> index;
    for (const TeachingDay& day : days) {
        std::vector<PeriodRun> runs = dayRuns(resource.cells(), day, periodsPerDay);
        if (runs.size() == 1 && runs.front().cell == Cell::Unwritten)
            continue;
        std::vector<int> sources(static_cast<std::size_t>(periodsPerDay));
        for (int period = 0; period < periodsPerDay; ++period)
            sources[static_cast<std::size_t>(period)] = resource.sourceOf(day.firstPeriod + period);
        const auto [found, added] = index.try_emplace({day.position, runs, sources}, folded.size());
        if (added)
            folded.push_back({day, {}, std::move(runs), std::move(sources)});
        folded[found->second].weeks.push_back(day.week);
    }
    std::stable_sort(folded.begin(), folded.end(), [](const FoldedDay& a, const FoldedDay& b) {
        return a.first.position < b.first.position;
    });
    return folded;
}

std::vector<std::pair<int, int>> weekRanges(const std::vector<int>& weeks) {
    std::vector<std::pair<int, int>> ranges;
    for (int week : weeks)
        if (!ranges.empty() && ranges.back().second == week)
            ++ranges.back().second;
        else
            ranges.emplace_back(week + 1, week + 1);
    return ranges;
}

std::string weeksText(const std::vector<int>& weeks) {
    std::string text = weeks.size() == 1 ? "week " : "weeks ";
    bool first = true;
    for (const auto& [from, to] : weekRanges(weeks)) {
        text += (first ? "" : ", ") + std::to_string(from) +
                (to > from ? "-" + std::to_string(to) : "");
        first = false;
    }
    return text;
}

std::string runsText(const std::vector<PeriodRun>& runs, Cell cell,
                     const DerivedCalendar& calendar) {
    std::string text;
    for (const PeriodRun& run : runs)
        if (run.cell == cell)
            text += (text.empty() ? "" : ", ") + periodStart(calendar, run.first) + "-" +
                    periodStart(calendar, run.first + run.count);
    return text;
}

} // namespace bz::preview
