#pragma once

#include "calendar_view.h"
#include "preview_host.h"

#include <string>
#include <utility>
#include <vector>

namespace bz::preview {

// A run of periods of one teaching day that hold the same: periods first .. first + count - 1,
// counted from the day's first period.
struct PeriodRun {
    int first;
    int count;
    Cell cell;
    friend auto operator<=>(const PeriodRun&, const PeriodRun&) = default;
};

// The day's periods as runs, in order, unwritten runs included.
std::vector<PeriodRun> dayRuns(const PeriodCells& cells, const TeachingDay& day, int periodsPerDay);

// The same teaching day with the same runs, written by the same lines, in several weeks.
struct FoldedDay {
    TeachingDay first;      // in the first of the weeks
    std::vector<int> weeks; // calendar weeks from 0, ascending
    std::vector<PeriodRun> runs;
    std::vector<int> sources; // the line that wrote each period (0: none kept)
};

// The written days of `days` in the resource, those with the same position, runs and sources
// folded into one, ordered by position and then first week.
std::vector<FoldedDay> foldWeeks(const PreviewResource& resource,
                                 const std::vector<TeachingDay>& days, int periodsPerDay);

// The weeks as runs of consecutive weeks, each its first and last week counted from 1.
std::vector<std::pair<int, int>> weekRanges(const std::vector<int>& weeks);
// "weeks 1-14, 17, 20-30" (weeks counted from 1).
std::string weeksText(const std::vector<int>& weeks);
// "09:00-12:30, 14:00-16:00" for the runs holding `cell`, with the calendar's period times.
std::string runsText(const std::vector<PeriodRun>& runs, Cell cell,
                     const DerivedCalendar& calendar);

} // namespace bz::preview
