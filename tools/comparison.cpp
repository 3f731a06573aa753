#include "comparison.h"

#include "day_runs.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace bz::preview {

namespace {

// What `runs` hold at minute `minute`, and the line that wrote it.
std::pair<Cell, int> at(const std::vector<TimeRun>* runs, int minute) {
    if (runs)
        for (const TimeRun& run : *runs)
            if (run.from <= minute && minute < run.to)
                return {run.cell, run.line};
    return {Cell::Unwritten, 0};
}

// The minutes of one day that hold something else later than earlier (a null day: not written).
std::vector<PeriodChange> dayDiff(const std::vector<TimeRun>* earlier,
                                  const std::vector<TimeRun>* later) {
    static const std::vector<TimeRun> none;
    std::vector<int> bounds;
    for (const std::vector<TimeRun>* runs : {earlier, later})
        for (const TimeRun& run : runs ? *runs : none) {
            bounds.push_back(run.from);
            bounds.push_back(run.to);
        }
    std::sort(bounds.begin(), bounds.end());
    bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
    std::vector<PeriodChange> changes;
    for (std::size_t i = 0; i + 1 < bounds.size(); ++i) {
        const auto [now, line] = at(later, bounds[i]);
        if (now == at(earlier, bounds[i]).first)
            continue;
        if (!changes.empty() && changes.back().to == bounds[i] && changes.back().now == now &&
            changes.back().line == line)
            changes.back().to = bounds[i + 1];
        else
            changes.push_back({bounds[i], bounds[i + 1], now, line});
    }
    return changes;
}

using DayRuns = std::map<std::int64_t, const std::vector<TimeRun>*>;

DayRuns dayRunsOf(const SnapshotResource* resource) {
    DayRuns days;
    if (resource)
        for (const DayGroup& group : resource->groups)
            for (const std::int64_t day : group.days)
                days.emplace(day, &group.runs);
    return days;
}

// Each changed day, those on the same weekday with the same changes folded into one.
std::vector<DayChanges> dayChanges(const SnapshotResource* earlier, const SnapshotResource* later,
                                   std::int64_t firstDay) {
    DayRuns days = dayRunsOf(earlier);
    const DayRuns laterDays = dayRunsOf(later);
    for (const auto& [day, runs] : laterDays)
        days.try_emplace(day, nullptr);
    std::vector<DayChanges> folded;
    std::map<std::pair<std::int64_t, std::vector<PeriodChange>>, std::size_t> index;
    for (const auto& [day, runs] : days) {
        const auto laterRuns = laterDays.find(day);
        std::vector<PeriodChange> changes =
            dayDiff(runs, laterRuns == laterDays.end() ? nullptr : laterRuns->second);
        if (changes.empty())
            continue;
        const std::int64_t position = ((day - firstDay) % 7 + 7) % 7;
        const auto [found, added] = index.try_emplace({position, changes}, folded.size());
        if (added)
            folded.push_back({{}, std::move(changes)});
        folded[found->second].days.push_back(day);
    }
    std::stable_sort(folded.begin(), folded.end(), [&](const DayChanges& a, const DayChanges& b) {
        return ((a.days.front() - firstDay) % 7 + 7) % 7 <
               ((b.days.front() - firstDay) % 7 + 7) % 7;
    });
    return folded;
}

// The report lines of each host key: those only the later preview has, and those only the
// earlier one has, as many times as the one has them more often.
using LineDiffs =
    std::map<std::string, std::pair<std::vector<SnapshotLine>, std::vector<SnapshotLine>>>;

std::vector<SnapshotLine> onlyIn(std::vector<SnapshotLine> lines,
                                 std::vector<SnapshotLine> others) {
    const auto byText = [](const SnapshotLine& a, const SnapshotLine& b) {
        return a.text < b.text;
    };
    std::sort(lines.begin(), lines.end(), byText);
    std::sort(others.begin(), others.end(), byText);
    std::vector<SnapshotLine> only;
    std::set_difference(lines.begin(), lines.end(), others.begin(), others.end(),
                        std::back_inserter(only), byText);
    std::sort(only.begin(), only.end(), [](const SnapshotLine& a, const SnapshotLine& b) {
        return a.source.line < b.source.line;
    });
    return only;
}

LineDiffs lineDiffs(const Snapshot& earlier, const Snapshot& later,
                    const std::set<std::string>& hostKeys) {
    std::map<std::string, std::pair<std::vector<SnapshotLine>, std::vector<SnapshotLine>>> byKey;
    for (const SnapshotLine& line : earlier.report)
        byKey[line.hostKey].first.push_back(line);
    for (const SnapshotLine& line : later.report)
        byKey[line.hostKey].second.push_back(line);
    LineDiffs diffs;
    for (auto& [hostKey, lines] : byKey) {
        if (!hostKeys.empty() && !hostKeys.contains(hostKey))
            continue;
        auto newLines = onlyIn(lines.second, lines.first);
        auto goneLines = onlyIn(std::move(lines.first), std::move(lines.second));
        if (!newLines.empty() || !goneLines.empty())
            diffs.emplace(hostKey, std::pair{std::move(newLines), std::move(goneLines)});
    }
    return diffs;
}

std::vector<std::string> onlyIn(std::vector<std::string> texts, std::vector<std::string> others) {
    std::sort(texts.begin(), texts.end());
    std::sort(others.begin(), others.end());
    std::vector<std::string> only;
    std::set_difference(texts.begin(), texts.end(), others.begin(), others.end(),
                        std::back_inserter(only));
    return only;
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : " ") + name;
    return text;
}

std::vector<CalendarChange> calendarChanges(const SnapshotCalendar& earlier,
                                            const SnapshotCalendar& later) {
    const std::vector<CalendarChange> members = {
        {"firstDay", isoDay(earlier.firstDay), isoDay(later.firstDay)},
        {"closingDay", isoDay(earlier.closingDay), isoDay(later.closingDay)},
        {"periodsPerDay", std::to_string(earlier.periodsPerDay),
         std::to_string(later.periodsPerDay)},
        {"periodMinutes", std::to_string(earlier.periodMinutes),
         std::to_string(later.periodMinutes)},
        {"dayStart", clockOf(earlier.dayStart), clockOf(later.dayStart)},
        // A preview that does not name its teaching days leaves them out of the comparison.
        {"teachingDays", joined(earlier.teachingDays),
         earlier.teachingDays.empty() ? "" : joined(later.teachingDays)}};
    std::vector<CalendarChange> changes;
    for (const CalendarChange& member : members)
        if (member.earlier != member.later && !member.later.empty())
            changes.push_back(member);
    return changes;
}

// Appends the resource's changes unless it has none; counts it unchanged then.
void addResource(Comparison& comparison, ResourceChanges resource, LineDiffs& lines) {
    if (const auto found = lines.find(resource.hostKey); found != lines.end()) {
        resource.newLines = std::move(found->second.first);
        resource.goneLines = std::move(found->second.second);
        lines.erase(found);
    }
    if (resource.presence == Presence::Both && resource.days.empty() && resource.newLines.empty() &&
        resource.goneLines.empty())
        ++comparison.unchanged;
    else
        comparison.changed.push_back(std::move(resource));
}

// The later preview's resources, each compared with the earlier one of the same host key and
// name, then the earlier ones the later preview does not have.
void compareResources(Comparison& comparison, const Snapshot& earlier, const Snapshot& later,
                      const std::set<std::string>& hostKeys, LineDiffs& lines) {
    const auto wanted = [&](const SnapshotResource& resource) {
        return hostKeys.empty() || hostKeys.contains(resource.hostKey);
    };
    std::unordered_map<std::string, const SnapshotResource*> earlierResources;
    for (const SnapshotResource& resource : earlier.resources)
        if (wanted(resource))
            earlierResources.emplace(resource.hostKey + '\0' + resource.name, &resource);
    for (const SnapshotResource& resource : later.resources) {
        if (!wanted(resource))
            continue;
        const auto match = earlierResources.find(resource.hostKey + '\0' + resource.name);
        if (match == earlierResources.end()) {
            addResource(comparison,
                        {resource.hostKey, resource.name, Presence::Appeared, {}, {}, {}}, lines);
            continue;
        }
        addResource(comparison,
                    {resource.hostKey,
                     resource.name,
                     Presence::Both,
                     dayChanges(match->second, &resource, later.calendar.firstDay),
                     {},
                     {}},
                    lines);
        earlierResources.erase(match);
    }
    for (const SnapshotResource& resource : earlier.resources)
        if (earlierResources.contains(resource.hostKey + '\0' + resource.name))
            addResource(comparison,
                        {resource.hostKey, resource.name, Presence::Disappeared, {}, {}, {}},
                        lines);
}

} // namespace

Comparison compare(const Snapshot& earlier, const Snapshot& later,
                   const std::set<std::string>& hostKeys) {
    Comparison comparison{earlier.name,
                          later.name,
                          later.patternsFile,
                          later.calendar,
                          calendarChanges(earlier.calendar, later.calendar),
                          {},
                          0,
                          onlyIn(later.warnings, earlier.warnings),
                          onlyIn(earlier.warnings, later.warnings)};
    LineDiffs lines = lineDiffs(earlier, later, hostKeys);
    compareResources(comparison, earlier, later, hostKeys, lines);
    // Report lines of a host key no resource has (a preview edited by hand).
    while (!lines.empty())
        addResource(comparison, {lines.begin()->first, "", Presence::Both, {}, {}, {}}, lines);
    return comparison;
}

std::string daysText(const std::vector<std::int64_t>& days, const SnapshotCalendar& calendar) {
    const bool inCalendar = std::all_of(days.begin(), days.end(), [&](std::int64_t day) {
        return day >= calendar.firstDay && day <= calendar.closingDay;
    });
    if (inCalendar) {
        std::vector<int> weeks;
        for (const std::int64_t day : days)
            weeks.push_back(static_cast<int>((day - calendar.firstDay) / 7));
        return weeksText(weeks);
    }
    std::string text;
    for (std::size_t i = 0; i < days.size() && i < 4; ++i)
        text += (i ? ", " : "") + isoDay(days[i]);
    return days.size() > 4 ? text + " and " + std::to_string(days.size() - 4) + " more days" : text;
}

} // namespace bz::preview
