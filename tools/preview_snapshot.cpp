#include "preview_snapshot.h"

#include "day_runs.h"
#include "runtime/text.h"

#include <cmath>
#include <cstdio>

namespace bz::preview {

namespace {

int minutesOf(Date time) {
    return static_cast<int>(std::lround((time - std::floor(time)) * 1440.0));
}

// The folded day's runs in minutes, split where the line that wrote them changes.
std::vector<TimeRun> timeRuns(const FoldedDay& day, const DerivedCalendar& calendar) {
    const int dayStart = minutesOf(calendar.dayStart);
    std::vector<TimeRun> runs;
    for (const PeriodRun& run : day.runs)
        for (int period = run.first; period < run.first + run.count; ++period) {
            const int line = day.sources[static_cast<std::size_t>(period)];
            const int from = dayStart + period * calendar.periodMinutes;
            if (!runs.empty() && runs.back().cell == run.cell && runs.back().line == line &&
                runs.back().to == from)
                runs.back().to += calendar.periodMinutes;
            else
                runs.push_back({from, from + calendar.periodMinutes, run.cell, line});
        }
    return runs;
}

SnapshotResource resourceOf(const PreviewResource& resource, const TransferOutcome& outcome) {
    SnapshotResource snapshot{toUtf8(resource.hostKey()), toUtf8(resource.name()), {}};
    const DerivedCalendar& calendar = outcome.calendar;
    for (const FoldedDay& day : foldWeeks(resource, outcome.days, calendar.periodsPerDay)) {
        DayGroup group{{}, timeRuns(day, calendar)};
        const auto firstDay = static_cast<std::int64_t>(day.first.date);
        for (const int week : day.weeks)
            group.days.push_back(firstDay + 7 * (week - day.first.week));
        snapshot.groups.push_back(std::move(group));
    }
    return snapshot;
}

} // namespace

Snapshot snapshotOf(const TransferOutcome& outcome) {
    const DerivedCalendar& calendar = outcome.calendar;
    Snapshot snapshot{"tonight's run",
                      outcome.patternsFile,
                      {static_cast<std::int64_t>(calendar.yearStart),
                       static_cast<std::int64_t>(calendar.yearEnd), calendar.periodsPerDay,
                       calendar.periodMinutes, minutesOf(calendar.dayStart),
                       teachingDayNames(calendar)},
                      {},
                      {},
                      {}};
    for (const std::size_t index : outcome.shown)
        snapshot.resources.push_back(resourceOf(outcome.resource(index), outcome));
    for (const TracedLine& line : outcome.traced)
        snapshot.report.push_back(
            {toUtf8(outcome.resource(line.resource).hostKey()), toUtf8(line.text), line.source});
    for (const WarningGroup& group : outcome.warnings.groups())
        snapshot.warnings.push_back(messageText(group));
    return snapshot;
}

std::string isoDay(std::int64_t day) {
    const CivilDate civil = civilFromDays(day);
    char text[24];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", civil.year, civil.month, civil.day);
    return text;
}

std::string clockOf(int minutes) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", minutes / 60 % 100, minutes % 60);
    return text;
}

const char* weekdayOfDay(std::int64_t day) {
    return weekdayName(weekday(static_cast<Date>(day), 1));
}

std::vector<std::string> teachingDayNames(const DerivedCalendar& calendar) {
    std::vector<std::string> names;
    for (const int offset : calendar.dayOffsets)
        names.emplace_back(weekdayName(weekday(addDays(calendar.yearStart, offset), 1)));
    return names;
}

} // namespace bz::preview
