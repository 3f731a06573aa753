// The comparison for scripts: one JSON document, one changed resource to a line.
#include "comparison_view.h"
#include "day_runs.h"

#include <nlohmann/json.hpp>

namespace bz::preview {

namespace {

using json = nlohmann::ordered_json;

// Raised whenever a member's meaning or place changes.
constexpr int comparisonSchemaVersion = 1;

json sourceOf(const Source& source) {
    return {{"file", source.file}, {"line", source.line}};
}

json periodsOf(const DayChanges& day, const Comparison& comparison) {
    json periods = json::array();
    for (const PeriodChange& change : day.changes) {
        json period = {{"from", clockOf(change.from)},
                       {"to", clockOf(change.to)},
                       {"now", change.now == Cell::Unwritten   ? "unwritten"
                               : change.now == Cell::Available ? "available"
                                                               : "unavailable"}};
        if (change.line > 0)
            period["source"] = sourceOf({comparison.patternsFile, change.line});
        periods.push_back(std::move(period));
    }
    return periods;
}

json dayOf(const DayChanges& day, const Comparison& comparison) {
    const SnapshotCalendar& calendar = comparison.calendar;
    json dates = json::array();
    std::vector<int> weeks;
    for (const std::int64_t date : day.days) {
        dates.push_back(isoDay(date));
        if (date >= calendar.firstDay && date <= calendar.closingDay)
            weeks.push_back(static_cast<int>((date - calendar.firstDay) / 7));
    }
    json written = {{"weekday", weekdayOfDay(day.days.front())}};
    if (weeks.size() == day.days.size())
        written["weeks"] = weekRanges(weeks);
    written["dates"] = std::move(dates);
    written["periods"] = periodsOf(day, comparison);
    return written;
}

json linesOf(const std::vector<SnapshotLine>& lines) {
    json array = json::array();
    for (const SnapshotLine& line : lines)
        array.push_back({{"text", line.text}, {"source", sourceOf(line.source)}});
    return array;
}

json resourceOf(const ResourceChanges& resource, const Comparison& comparison) {
    json days = json::array();
    for (const DayChanges& day : resource.days)
        days.push_back(dayOf(day, comparison));
    return {{"hostKey", resource.hostKey},
            {"name", resource.name},
            {"change", resource.presence == Presence::Appeared      ? "appeared"
                       : resource.presence == Presence::Disappeared ? "disappeared"
                                                                    : "changed"},
            {"days", std::move(days)},
            {"newReportLines", linesOf(resource.newLines)},
            {"goneReportLines", linesOf(resource.goneLines)}};
}

json calendarChangesOf(const Comparison& comparison) {
    json changes = json::array();
    for (const CalendarChange& change : comparison.calendarChanges)
        changes.push_back(
            {{"member", change.member}, {"earlier", change.earlier}, {"later", change.later}});
    return changes;
}

} // namespace

void printComparisonJson(std::ostream& out, const Comparison& comparison) {
    out << "{\n  \"schemaVersion\": " << comparisonSchemaVersion
        << ",\n  \"kind\": \"comparison\",\n  \"earlier\": " << json(comparison.earlierName).dump()
        << ",\n  \"later\": " << json(comparison.laterName).dump()
        << ",\n  \"changed\": " << (comparison.anyChange() ? "true" : "false")
        << ",\n  \"calendarChanges\": " << calendarChangesOf(comparison).dump()
        << ",\n  \"unchangedResources\": " << comparison.unchanged << ",\n  \"resources\": [";
    bool first = true;
    for (const ResourceChanges& resource : comparison.changed) {
        out << (first ? "\n    " : ",\n    ") << resourceOf(resource, comparison).dump();
        first = false;
    }
    out << (first ? "]" : "\n  ]")
        << ",\n  \"newWarnings\": " << json(comparison.newWarnings).dump()
        << ",\n  \"goneWarnings\": " << json(comparison.goneWarnings).dump() << "\n}\n";
}

} // namespace bz::preview
