#include "json_view.h"

#include "day_runs.h"
#include "preview_snapshot.h"
#include "runtime/text.h"

#include <nlohmann/json.hpp>

namespace bz::preview {

namespace {

using json = nlohmann::ordered_json;

// Raised whenever a member's meaning or place changes.
constexpr int schemaVersion = 2;

// JSON text of `value`; bytes that are not UTF-8 (a file name's, say) stand as U+FFFD.
std::string text(const json& value) {
    return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string isoDate(Date date) {
    return isoDay(static_cast<std::int64_t>(date));
}

// The period runs of written days as JSON text, written by hand: a year's days of every
// resource come to hundreds of megabytes in the per-day form.
class RunsWriter {
  public:
    explicit RunsWriter(const DerivedCalendar& calendar) {
        for (int period = 0; period <= calendar.periodsPerDay; ++period)
            starts_.push_back(periodStart(calendar, period));
    }

    // `"available":[...],"unavailable":[...]`; each run's first period counted from the
    // calendar's first (`firstPeriod`) when `dayStart` is given, else from the day's (`period`).
    void write(std::string& out, const std::vector<PeriodRun>& runs,
               std::optional<std::int32_t> dayStart) const {
        writeCell(out, "\"available\":[", runs, Cell::Available, dayStart);
        writeCell(out, "],\"unavailable\":[", runs, Cell::Unavailable, dayStart);
        out += ']';
    }

  private:
    void writeCell(std::string& out, const char* opening, const std::vector<PeriodRun>& runs,
                   Cell cell, std::optional<std::int32_t> dayStart) const {
        out += opening;
        bool first = true;
        for (const PeriodRun& run : runs) {
            if (run.cell != cell)
                continue;
            out += first ? "{\"from\":\"" : ",{\"from\":\"";
            out += starts_[static_cast<std::size_t>(run.first)];
            out += "\",\"to\":\"";
            out += starts_[static_cast<std::size_t>(run.first + run.count)];
            out += dayStart ? "\",\"firstPeriod\":" : "\",\"period\":";
            out += std::to_string(dayStart.value_or(0) + run.first);
            out += ",\"periods\":";
            out += std::to_string(run.count);
            out += '}';
            first = false;
        }
    }

    std::vector<std::string> starts_;
};

void writeDays(std::string& out, const PreviewResource& resource, const TransferOutcome& outcome,
               const RunsWriter& runsWriter) {
    bool first = true;
    for (const TeachingDay& day : outcome.days) {
        const std::vector<PeriodRun> runs =
            dayRuns(resource.cells(), day, outcome.calendar.periodsPerDay);
        if (runs.size() == 1 && runs.front().cell == Cell::Unwritten)
            continue;
        out += first ? "{\"week\":" : ",{\"week\":";
        out += std::to_string(day.week + 1);
        out += ",\"date\":\"" + isoDate(day.date) + "\",\"weekday\":\"" +
               weekdayName(weekday(day.date, 1)) + "\",";
        runsWriter.write(out, runs, day.firstPeriod);
        out += '}';
        first = false;
    }
}

void writeWeeks(std::string& out, const PreviewResource& resource, const TransferOutcome& outcome,
                const RunsWriter& runsWriter) {
    bool first = true;
    for (const FoldedDay& day : foldWeeks(resource, outcome.days, outcome.calendar.periodsPerDay)) {
        out += first ? "{\"weekday\":\"" : ",{\"weekday\":\"";
        out += weekdayName(weekday(day.first.date, 1));
        out += "\",\"weeks\":" + text(json(weekRanges(day.weeks))) + ',';
        runsWriter.write(out, day.runs, std::nullopt);
        out += '}';
        first = false;
    }
}

std::string resourceOf(const PreviewResource& resource, const TransferOutcome& outcome,
                       JsonForm form, const RunsWriter& runsWriter) {
    std::string out = "{\"hostKey\":" + text(json(toUtf8(resource.hostKey()))) +
                      ",\"name\":" + text(json(toUtf8(resource.name())));
    if (form == JsonForm::Days) {
        out += ",\"days\":[";
        writeDays(out, resource, outcome, runsWriter);
    } else {
        out += ",\"weeks\":[";
        writeWeeks(out, resource, outcome, runsWriter);
    }
    return out + "]}";
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
            {"message", messageText(group)},
            {"count", group.count},
            {"places", std::move(places)}};
}

const std::string& text(const std::string& written) {
    return written;
}

// `items` as the elements of an array, one to a line, indented under its member.
template <typename Items, typename Element>
void printArray(std::ostream& out, const Items& items, Element element, const char* indent) {
    out << '[';
    bool first = true;
    for (const auto& item : items) {
        out << (first ? "\n" : ",\n") << indent << "  " << text(element(item));
        first = false;
    }
    out << (first ? "]" : std::string("\n") + indent + "]");
}

} // namespace

void printJson(std::ostream& out, const TransferOutcome& outcome, JsonForm form) {
    const DerivedCalendar& calendar = outcome.calendar;
    const RunsWriter runsWriter(calendar);
    const json calendarMember = {
        {"firstDay", isoDate(calendar.yearStart)},  {"closingDay", isoDate(calendar.yearEnd)},
        {"periodsPerDay", calendar.periodsPerDay},  {"periodMinutes", calendar.periodMinutes},
        {"dayStart", clockText(calendar.dayStart)}, {"teachingDays", teachingDayNames(calendar)}};
    out << "{\n  \"schemaVersion\": " << schemaVersion
        << ",\n  \"form\": " << text(json(form == JsonForm::Days ? "days" : "weeks"))
        << ",\n  \"locale\": " << text(json(outcome.localeName))
        << ",\n  \"calendar\": " << text(calendarMember) << ",\n  \"resources\": ";
    printArray(
        out, outcome.shown,
        [&](std::size_t index) {
            return resourceOf(outcome.resource(index), outcome, form, runsWriter);
        },
        "  ");
    out << ",\n  \"report\": {\n    \"text\": " << text(json(toUtf8(outcome.report)))
        << ",\n    \"lines\": ";
    printArray(
        out, outcome.traced, [&](const TracedLine& line) { return lineOf(line, outcome); }, "    ");
    out << "\n  },\n  \"warnings\": ";
    printArray(out, outcome.warnings.groups(), warningOf, "  ");
    out << "\n}\n";
}

} // namespace bz::preview
