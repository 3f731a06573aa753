#include "json_view.h"

#include "day_runs.h"
#include "runtime/text.h"

#include <nlohmann/json.hpp>

namespace bz::preview {

namespace {

using json = nlohmann::ordered_json;

// Raised whenever a member's meaning or place changes.
constexpr int schemaVersion = 2;

std::string isoDate(Date date) {
    const CivilDate civil = dateTimeFields(date).date;
    char text[24];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", civil.year, civil.month, civil.day);
    return text;
}

// The runs holding `cell`; `firstPeriod` counts from the calendar's first period when given
// the day, `period` from the day's first otherwise.
json runsOf(const std::vector<PeriodRun>& runs, Cell cell, const DerivedCalendar& calendar,
            const TeachingDay* day) {
    json list = json::array();
    for (const PeriodRun& run : runs) {
        if (run.cell != cell)
            continue;
        json entry = {{"from", periodStart(calendar, run.first)},
                      {"to", periodStart(calendar, run.first + run.count)}};
        if (day)
            entry["firstPeriod"] = day->firstPeriod + run.first;
        else
            entry["period"] = run.first;
        entry["periods"] = run.count;
        list.push_back(std::move(entry));
    }
    return list;
}

json daysOf(const PreviewResource& resource, const TransferOutcome& outcome) {
    const DerivedCalendar& calendar = outcome.calendar;
    json days = json::array();
    for (const TeachingDay& day : outcome.days) {
        const std::vector<PeriodRun> runs = dayRuns(resource.cells(), day, calendar.periodsPerDay);
        if (runs.size() == 1 && runs.front().cell == Cell::Unwritten)
            continue;
        days.push_back({{"week", day.week + 1},
                        {"date", isoDate(day.date)},
                        {"weekday", weekdayName(weekday(day.date, 1))},
                        {"available", runsOf(runs, Cell::Available, calendar, &day)},
                        {"unavailable", runsOf(runs, Cell::Unavailable, calendar, &day)}});
    }
    return days;
}

json weeksOf(const PreviewResource& resource, const TransferOutcome& outcome) {
    const DerivedCalendar& calendar = outcome.calendar;
    json weeks = json::array();
    for (const FoldedDay& day : foldWeeks(resource, outcome.days, calendar.periodsPerDay))
        weeks.push_back({{"weekday", weekdayName(weekday(day.first.date, 1))},
                         {"weeks", weekRanges(day.weeks)},
                         {"available", runsOf(day.runs, Cell::Available, calendar, nullptr)},
                         {"unavailable", runsOf(day.runs, Cell::Unavailable, calendar, nullptr)}});
    return weeks;
}

json resourceOf(const PreviewResource& resource, const TransferOutcome& outcome, JsonForm form) {
    json entry = {{"hostKey", toUtf8(resource.hostKey())}, {"name", toUtf8(resource.name())}};
    if (form == JsonForm::Days)
        entry["days"] = daysOf(resource, outcome);
    else
        entry["weeks"] = weeksOf(resource, outcome);
    return entry;
}

json lineOf(const TracedLine& line, const TransferOutcome& outcome) {
    return {{"text", toUtf8(line.text)},
            {"source", {{"file", line.source.file}, {"line", line.source.line}}},
            {"hostKey", toUtf8(outcome.resource(line.resource).hostKey())},
            {"stage", toUtf8(line.failure.stage)},
            {"field", fieldOf(line.failure)},
            {"value", toUtf8(line.failure.value)},
            {"error",
             {{"number", line.failure.errorNumber},
              {"description", toUtf8(line.failure.description)}}}};
}

json warningOf(const WarningGroup& group) {
    json places = json::array();
    for (const WarningPlace& place : group.places)
        places.push_back(place.where);
    return {{"where", group.places.front().where},
            {"message", group.message},
            {"count", group.count},
            {"places", std::move(places)}};
}

// `items` as the elements of an array, one to a line, indented under its member.
template <typename Items, typename Element>
void printArray(std::ostream& out, const Items& items, Element element, const char* indent) {
    out << '[';
    bool first = true;
    for (const auto& item : items) {
        out << (first ? "\n" : ",\n") << indent << "  " << element(item).dump();
        first = false;
    }
    out << (first ? "]" : std::string("\n") + indent + "]");
}

} // namespace

void printJson(std::ostream& out, const TransferOutcome& outcome, JsonForm form) {
    const DerivedCalendar& calendar = outcome.calendar;
    const json calendarMember = {{"firstDay", isoDate(calendar.yearStart)},
                                 {"closingDay", isoDate(calendar.yearEnd)},
                                 {"periodsPerDay", calendar.periodsPerDay},
                                 {"periodMinutes", calendar.periodMinutes},
                                 {"dayStart", clockText(calendar.dayStart)}};
    out << "{\n  \"schemaVersion\": " << schemaVersion
        << ",\n  \"form\": " << json(form == JsonForm::Days ? "days" : "weeks").dump()
        << ",\n  \"locale\": " << json(outcome.localeName).dump()
        << ",\n  \"calendar\": " << calendarMember.dump() << ",\n  \"resources\": ";
    printArray(
        out, outcome.shown,
        [&](std::size_t index) { return resourceOf(outcome.resource(index), outcome, form); },
        "  ");
    out << ",\n  \"report\": {\n    \"text\": " << json(toUtf8(outcome.report)).dump()
        << ",\n    \"lines\": ";
    printArray(
        out, outcome.traced, [&](const TracedLine& line) { return lineOf(line, outcome); }, "    ");
    out << "\n  },\n  \"warnings\": ";
    printArray(out, outcome.warnings.groups(), warningOf, "  ");
    out << "\n}\n";
}

} // namespace bz::preview
