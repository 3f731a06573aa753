#include "day_runs.h"

#include <algorithm>
#include <map>

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

std::vector<FoldedDay> foldWeeks(const PeriodCells& cells, const std::vector<TeachingDay>& days,
                                 int periodsPerDay) {
    std::vector<FoldedDay> folded;
    std::map<std::pair<int, std::vector<PeriodRun>>, std::size_t> index;
    for (const TeachingDay& day : days) {
        std::vector<PeriodRun> runs = dayRuns(cells, day, periodsPerDay);
        if (runs.size() == 1 && runs.front().cell == Cell::Unwritten)
            continue;
        const auto [found, added] = index.try_emplace({day.position, runs}, folded.size());
        if (added)
            folded.push_back({day.position, {}, std::move(runs)});
        folded[found->second].weeks.push_back(day.week);
    }
    std::stable_sort(folded.begin(), folded.end(), [](const FoldedDay& a, const FoldedDay& b) {
        return a.position < b.position;
    });
    return folded;
}

std::string weeksText(const std::vector<int>& weeks) {
    std::string text = weeks.size() == 1 ? "week " : "weeks ";
    for (std::size_t i = 0; i < weeks.size();) {
        std::size_t last = i;
        while (last + 1 < weeks.size() && weeks[last + 1] == weeks[last] + 1)
            ++last;
        text += (i ? ", " : "") + std::to_string(weeks[i] + 1) +
                (last > i ? "-" + std::to_string(weeks[last] + 1) : "");
        i = last + 1;
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
