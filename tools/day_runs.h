#pragma once

#include "calendar_view.h"
#include "period_cells.h"

#include <string>
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

// The same teaching day with the same runs in several weeks.
struct FoldedDay {
    int position;           // of the teaching day in the week
    std::vector<int> weeks; // calendar weeks from 0, ascending
    std::vector<PeriodRun> runs;
};

// The written days of `days`, those with the same position and runs folded into one, ordered by
// position and then first week.
std::vector<FoldedDay> foldWeeks(const PeriodCells& cells, const std::vector<TeachingDay>& days,
                                 int periodsPerDay);

// "weeks 1-14, 17, 20-30" (weeks counted from 1).
std::string weeksText(const std::vector<int>& weeks);
// "09:00-12:30, 14:00-16:00" for the runs holding `cell`, with the calendar's period times.
std::string runsText(const std::vector<PeriodRun>& runs, Cell cell,
                     const DerivedCalendar& calendar);

} // namespace bz::preview
