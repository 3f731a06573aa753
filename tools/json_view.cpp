#include "json_view.h"

#include "day_runs.h"
#include "runtime/text.h"

#include <nlohmann/json.hpp>

namespace bz::preview {

namespace {

using nlohmann::json;

std::string isoDate(Date date) {
    const CivilDate civil = dateTimeFields(date).date;
    char text[24];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", civil.year, civil.month, civil.day);
    return text;
}

json runsOf(const std::vector<PeriodRun>& runs, Cell cell, const TeachingDay& day,
            const DerivedCalendar& calendar) {
    json list = json::array();
    for (const PeriodRun& run : runs)
        if (run.cell == cell)
            list.push_back({{"from", periodStart(calendar, run.first)},
                            {"to", periodStart(calendar, run.first + run.count)},
                            {"firstPeriod", day.firstPeriod + run.first},
                            {"periods", run.count}});
    return list;
}

json resourceOf(const PreviewResource& resource, const PreviewView& view) {
    const DerivedCalendar& calendar = view.calendar();
    json days = json::array();
    for (const TeachingDay& day : view.days) {
        const std::vector<PeriodRun> runs = dayRuns(resource.cells(), day, calendar.periodsPerDay);
        if (runs.size() == 1 && runs.front().cell == Cell::Unwritten)
            continue;
        days.push_back({{"week", day.week + 1},
                        {"date", isoDate(day.date)},
                        {"weekday", weekdayName(weekday(day.date, 1))},
                        {"available", runsOf(runs, Cell::Available, day, calendar)},
                        {"unavailable", runsOf(runs, Cell::Unavailable, day, calendar)}});
    }
    return {{"hostKey", toUtf8(resource.hostKey())},
            {"name", toUtf8(resource.name())},
            {"days", std::move(days)}};
}

json reportOf(const PreviewView& view) {
    json lines = json::array();
    for (const TracedLine* line : view.traced)
        lines.push_back({{"text", toUtf8(line->text)},
                         {"source", {{"file", line->source.file}, {"line", line->source.line}}},
                         {"hostKey", toUtf8(line->hostKey)},
                         {"stage", toUtf8(line->failure.stage)},
                         {"field", fieldOf(line->failure)},
                         {"value", toUtf8(line->failure.value)},
                         {"error",
                          {{"number", line->failure.errorNumber},
                           {"description", toUtf8(line->failure.description)}}}});
    return {{"text", toUtf8(view.run.report())}, {"lines", std::move(lines)}};
}

} // namespace

void printJson(std::ostream& out, const PreviewView& view) {
    const DerivedCalendar& calendar = view.calendar();
    json document = {{"locale", view.localeName},
                     {"calendar",
                      {{"firstDay", isoDate(calendar.yearStart)},
                       {"closingDay", isoDate(calendar.yearEnd)},
                       {"periodsPerDay", calendar.periodsPerDay},
                       {"periodMinutes", calendar.periodMinutes},
                       {"dayStart", clockText(calendar.dayStart)}}},
                     {"resources", json::array()},
                     {"report", reportOf(view)},
                     {"warnings", json::array()}};
    for (const PreviewResource* resource : view.resources)
        document["resources"].push_back(resourceOf(*resource, view));
    for (const Warning& warning : view.run.warnings())
        document["warnings"].push_back({{"where", warning.where}, {"message", warning.message}});
    out << document.dump(2) << '\n';
}

} // namespace bz::preview
