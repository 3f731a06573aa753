#pragma once

#include "preview_snapshot.h"

#include <set>
#include <string>
#include <vector>

namespace bz::preview {

// What two previews of the same transfer, an earlier and a later one, differ in.

// Minutes of a day whose periods changed, by what the later preview holds there: "now
// available", "now unavailable" or no longer written; `line` is the later run's line that wrote
// them (0: not known).
struct PeriodChange {
    int from;
    int to;
    Cell now;
    int line;
    friend auto operator<=>(const PeriodChange&, const PeriodChange&) = default;
};

// The same changes on the same weekday of several days (day numbers, ascending).
struct DayChanges {
    std::vector<std::int64_t> days;
    std::vector<PeriodChange> changes;
};

enum class Presence { Both, Appeared, Disappeared };

struct ResourceChanges {
    std::string hostKey;
    std::string name;
    Presence presence = Presence::Both;
    std::vector<DayChanges> days; // ordered by weekday from the later calendar's first day
    std::vector<SnapshotLine> newLines;
    std::vector<SnapshotLine> goneLines;
};

// A calendar member that differs: its JSON name and both values as text.
struct CalendarChange {
    std::string member;
    std::string earlier;
    std::string later;
};

struct Comparison {
    std::string earlierName;
    std::string laterName;
    std::string patternsFile;  // the later run's, where `PeriodChange::line` is
    SnapshotCalendar calendar; // the later one
    std::vector<CalendarChange> calendarChanges;
    std::vector<ResourceChanges> changed; // the later preview's order, then the ones gone
    std::size_t unchanged = 0;
    std::vector<std::string> newWarnings;
    std::vector<std::string> goneWarnings;

    bool anyChange() const {
        return !calendarChanges.empty() || !changed.empty() || !newWarnings.empty() ||
               !goneWarnings.empty();
    }
};

// Matches the resources by host key and name, and compares each matched pair's teaching days
// by calendar date and time of day; with `hostKeys`, only the resources with those host keys.
Comparison compare(const Snapshot& earlier, const Snapshot& later,
                   const std::set<std::string>& hostKeys = {});

// The week numbers of `days` in the calendar ("weeks 3-15"), or, for days outside it, the dates
// ("2026-01-05, 2026-01-12").
std::string daysText(const std::vector<std::int64_t>& days, const SnapshotCalendar& calendar);

} // namespace bz::preview
