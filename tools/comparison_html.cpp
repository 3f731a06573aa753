// The comparison as one self-contained HTML page: a summary, then a grid per changed resource.
#include "comparison_view.h"

#include "html_page.h"

#include <algorithm>

namespace bz::preview {

namespace {

// A changed cell carries a mark as well as its colour: + now available, − now unavailable,
// ○ no longer written; an unchanged one is blank.
constexpr const char* changeStyle = R"(table.grid td { text-align: center; font-size: 11px;
  line-height: 12px; width: 14px; height: 14px; }
.a { color: #ffffff; } .s { background: #f4f4f4; }
)";

const char* classOf(Cell now) {
    return now == Cell::Available ? "a" : now == Cell::Unavailable ? "u" : "n";
}

const char* markOf(Cell now) {
    return now == Cell::Available ? "+" : now == Cell::Unavailable ? "\u2212" : "\u25cb";
}

// The grid's columns: the later calendar's periods, widened to changes outside its day.
struct Columns {
    int from;
    int to;
    int step;
};

Columns columnsOf(const ResourceChanges& resource, const SnapshotCalendar& calendar) {
    Columns columns{calendar.dayStart,
                    calendar.dayStart + calendar.periodsPerDay * calendar.periodMinutes,
                    std::max(calendar.periodMinutes, 1)};
    for (const DayChanges& day : resource.days)
        for (const PeriodChange& change : day.changes) {
            while (change.from < columns.from)
                columns.from -= columns.step;
            columns.to = std::max(columns.to, change.to);
        }
    return columns;
}

void printRow(std::ostream& out, const DayChanges& day, const Columns& columns,
              const Comparison& comparison) {
    const std::string weekday = weekdayOfDay(day.days.front());
    out << "<tr><th>" << weekday << ", " << escaped(daysText(day.days, comparison.calendar))
        << "</th>";
    const std::string date = weekday + " " + isoDay(day.days.front()) + " ";
    for (int minute = columns.from; minute < columns.to; minute += columns.step) {
        const auto change =
            std::find_if(day.changes.begin(), day.changes.end(), [&](const PeriodChange& c) {
                return c.from < minute + columns.step && minute < c.to;
            });
        if (change == day.changes.end()) {
            out << "<td class=s></td>";
            continue;
        }
        const std::string title = date + changeText(*change, comparison.patternsFile);
        out << "<td class=" << classOf(change->now) << " title=\"" << escaped(title) << "\">"
            << markOf(change->now) << "</td>";
    }
    out << "</tr>\n";
}

void printLines(std::ostream& out, const char* heading, const std::vector<SnapshotLine>& lines) {
    if (lines.empty())
        return;
    out << "<p>" << heading << ":</p><ul>\n";
    for (const SnapshotLine& line : lines)
        out << "<li><code>" << escaped(line.text) << "</code> (" << escaped(line.source.text())
            << ")</li>\n";
    out << "</ul>\n";
}

void printResource(std::ostream& out, std::size_t index, const ResourceChanges& resource,
                   const Comparison& comparison) {
    out << "<section id=\"c" << index << "\"><h2>" << escaped(resource.name) << " <small>(host key "
        << escaped(resource.hostKey) << "): " << presenceText(resource.presence)
        << "</small></h2>\n";
    if (!resource.days.empty()) {
        const Columns columns = columnsOf(resource, comparison.calendar);
        out << "<table class=\"grid\"><tr><th></th>";
        for (int minute = columns.from; minute < columns.to; minute += columns.step)
            out << "<th class=p>" << clockOf(minute) << "</th>";
        out << "</tr>\n";
        for (const DayChanges& day : resource.days)
            printRow(out, day, columns, comparison);
        out << "</table>\n";
    }
    printLines(out, "New report lines", resource.newLines);
    printLines(out, "Report lines gone", resource.goneLines);
    out << "</section>\n";
}

void printTexts(std::ostream& out, const char* heading, const std::vector<std::string>& texts) {
    out << "<p>" << heading << ": " << (texts.empty() ? "none" : "") << "</p>\n";
    if (texts.empty())
        return;
    out << "<ul>\n";
    for (const std::string& text : texts)
        out << "<li>" << escaped(text) << "</li>\n";
    out << "</ul>\n";
}

void printSummary(std::ostream& out, const Comparison& comparison) {
    out << "<p>Earlier: " << escaped(comparison.earlierName)
        << "<br>Later: " << escaped(comparison.laterName) << "</p>\n";
    if (!comparison.calendarChanges.empty()) {
        out << "<p>The calendar changed; days are compared by date and time of day:</p><ul>\n";
        for (const CalendarChange& change : comparison.calendarChanges)
            out << "<li>" << change.member << ": " << escaped(change.earlier) << " &rarr; "
                << escaped(change.later) << "</li>\n";
        out << "</ul>\n";
    }
    out << "<p class=summary>" << comparison.changed.size() << " resources changed, "
        << comparison.unchanged << " unchanged.</p>\n<ol class=\"contents\">\n";
    for (std::size_t i = 0; i < comparison.changed.size(); ++i)
        out << "<li><a href=\"#c" << i << "\">" << escaped(comparison.changed[i].name) << "</a> "
            << presenceText(comparison.changed[i].presence) << "</li>\n";
    out << "</ol>\n";
    printTexts(out, "New warnings", comparison.newWarnings);
    printTexts(out, "Warnings gone", comparison.goneWarnings);
}

} // namespace

void printComparisonHtml(std::ostream& out, const Comparison& comparison) {
    out << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
        << "<title>What changed</title>\n<style>\n"
        << htmlStyle << changeStyle << "</style></head><body>\n<h1>What changed</h1>\n"
        << "<p class=\"legend\"><span class=\"a\">+</span>now available<span class=\"u\">"
        << markOf(Cell::Unavailable) << "</span>now unavailable<span class=\"n\">"
        << markOf(Cell::Unwritten)
        << "</span>no longer written. Each row is a teaching day in the weeks it names; hovering "
           "a cell names the line that wrote it.</p>\n";
    printSummary(out, comparison);
    for (std::size_t i = 0; i < comparison.changed.size(); ++i)
        printResource(out, i, comparison.changed[i], comparison);
    out << "</body></html>\n";
}

} // namespace bz::preview
