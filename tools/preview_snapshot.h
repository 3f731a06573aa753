#pragma once

#include "period_cells.h"
#include "transfer_outcome.h"

#include <string>
#include <vector>

namespace bz::preview {

// What one preview holds in a form two previews compare by calendar date and time of day, not
// by week number or period index: a run's outcome, or a JSON preview written earlier.

// Minutes of a day holding the same, written by the same line (0: not known).
struct TimeRun {
    int from;
    int to;
    Cell cell;
    int line;
    friend auto operator<=>(const TimeRun&, const TimeRun&) = default;
};

// Teaching days (day numbers, ascending) that hold the same runs.
struct DayGroup {
    std::vector<std::int64_t> days;
    std::vector<TimeRun> runs;
};

struct SnapshotResource {
    std::string hostKey;
    std::string name;
    std::vector<DayGroup> groups;
};

// A line of the error report: the resource's host key, its text and the input line behind it.
struct SnapshotLine {
    std::string hostKey;
    std::string text;
    Source source;
};

// The calendar's members as the JSON preview names them; `teachingDays` is empty when a
// preview does not give them.
struct SnapshotCalendar {
    std::int64_t firstDay = 0;
    std::int64_t closingDay = 0;
    int periodsPerDay = 0;
    int periodMinutes = 0;
    int dayStart = 0; // minutes from midnight
    std::vector<std::string> teachingDays;
    friend bool operator==(const SnapshotCalendar&, const SnapshotCalendar&) = default;
};

struct Snapshot {
    std::string name;         // what messages call it: the file, or "tonight's run"
    std::string patternsFile; // where the lines of `TimeRun::line` are
    SnapshotCalendar calendar;
    std::vector<SnapshotResource> resources;
    std::vector<SnapshotLine> report;
    std::vector<std::string> warnings; // each message as the views show it
};

// The resources the outcome shows, their written days folded as the views fold them.
Snapshot snapshotOf(const TransferOutcome& outcome);

// "2026-01-05" and "09:30"; "Mon" for a day number's weekday.
std::string isoDay(std::int64_t day);
std::string clockOf(int minutes);
const char* weekdayOfDay(std::int64_t day);
std::vector<std::string> teachingDayNames(const DerivedCalendar& calendar);

} // namespace bz::preview
