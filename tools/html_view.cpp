#include "html_view.h"

#include "day_runs.h"
#include "html_page.h"
#include "runtime/text.h"

namespace bz::preview {

namespace {

std::string anchor(std::size_t resource) {
    return "r" + std::to_string(resource);
}

std::string linkTo(std::size_t resource, const std::string& text) {
    return "<a href=\"#" + anchor(resource) + "\">" + escaped(text) + "</a>";
}

void printRow(std::ostream& out, const FoldedDay& day, const TransferOutcome& outcome) {
    out << "<tr><th>" << weekdayName(weekday(day.first.date, 1)) << ", " << weeksText(day.weeks)
        << "</th>";
    const std::string date = dayLabel(day.first.date, *outcome.locale) + " ";
    for (const PeriodRun& run : day.runs) {
        const char* kind = run.cell == Cell::Available     ? "a"
                           : run.cell == Cell::Unavailable ? "u"
                                                           : "n";
        const char* meaning = run.cell == Cell::Available     ? "available"
                              : run.cell == Cell::Unavailable ? "unavailable"
                                                              : "not written";
        for (int period = run.first; period < run.first + run.count; ++period) {
            std::string title = date + periodStart(outcome.calendar, period) + ": " + meaning;
            if (const int line = day.sources[static_cast<std::size_t>(period)]; line > 0)
                title += ", " + fileLine(outcome.patternsFile, line);
            out << "<td class=" << kind << " title=\"" << escaped(title) << "\">";
        }
    }
    out << "</tr>\n";
}

void printResource(std::ostream& out, std::size_t index, const TransferOutcome& outcome) {
    const PreviewResource& resource = outcome.resource(index);
    const DerivedCalendar& calendar = outcome.calendar;
    out << "<section id=\"" << anchor(index) << "\"><h2>" << escaped(toUtf8(resource.name()))
        << " <small>(host key " << escaped(toUtf8(resource.hostKey())) << ")</small></h2>\n";
    if (const std::string outside = outsideText(resource.cells(), calendar); !outside.empty())
        out << "<p>Outside the calendar's teaching days: " << outside << "</p>\n";
    const std::vector<FoldedDay> folded = foldWeeks(resource, outcome.days, calendar.periodsPerDay);
    if (folded.empty()) {
        out << "<p>Nothing written on a teaching day.</p></section>\n";
        return;
    }
    out << "<table class=\"grid\"><tr><th></th>";
    for (int period = 0; period < calendar.periodsPerDay; ++period)
        out << "<th class=p>" << periodStart(calendar, period) << "</th>";
    out << "</tr>\n";
    for (const FoldedDay& day : folded)
        printRow(out, day, outcome);
    out << "</table></section>\n";
}

void printContents(std::ostream& out, const TransferOutcome& outcome) {
    const std::string reportCount = reportCountText(outcome);
    out << "<nav><p><a href=\"#report\">Error report</a>: "
        << (reportCount.empty() ? "none" : reportCount)
        << ". <a href=\"#warnings\">Warnings</a>: " << outcome.warnings.groups().size()
        << ". Resources:</p>\n<ol class=\"contents\">\n";
    for (const std::size_t index : outcome.shown)
        out << "<li>" << linkTo(index, toUtf8(outcome.resource(index).name())) << "</li>\n";
    out << "</ol></nav>\n";
}

void printReport(std::ostream& out, const TransferOutcome& outcome) {
    out << "<h2 id=\"report\">Error report</h2>\n";
    if (outcome.report.empty())
        out << "<p>none</p>\n";
    else
        out << "<p>" << reportCountText(outcome) << ":</p>\n";
    out << "<ol class=\"report\">\n";
    for (const TracedLine& line : outcome.traced)
        out << "<li><code>" << escaped(toUtf8(line.text)) << "</code><br>"
            << escaped(traceText(line)) << " ("
            << linkTo(line.resource, toUtf8(outcome.resource(line.resource).name())) << ")</li>\n";
    out << "</ol>\n";
}

void printWarnings(std::ostream& out, const TransferOutcome& outcome) {
    out << "<h2 id=\"warnings\">Warnings</h2>\n";
    if (outcome.warnings.empty())
        out << "<p>none</p>\n";
    out << "<ul class=\"warnings\">\n";
    for (const WarningGroup& group : outcome.warnings.groups()) {
        const std::string places = placesText(group, [](const WarningPlace& place) {
            return place.resource ? linkTo(*place.resource, place.where) : escaped(place.where);
        });
        out << "<li>" << places << ": " << escaped(messageText(group)) << "</li>\n";
    }
    out << "</ul>\n";
}

} // namespace

void printHtml(std::ostream& out, const TransferOutcome& outcome) {
    out << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
        << "<title>Availability preview</title>\n<style>\n"
        << htmlStyle << "</style></head><body>\n"
        << "<h1>Availability preview</h1>\n<p class=\"legend\">Locale "
        << escaped(outcome.localeName)
        << ". <span class=\"a\"></span>available<span class=\"u\"></span>unavailable"
        << "<span class=\"n\"></span>not written. Each row is a teaching day in the weeks it "
           "names; days not shown are not written.</p>\n";
    printContents(out, outcome);
    for (const std::size_t index : outcome.shown)
        printResource(out, index, outcome);
    printReport(out, outcome);
    printWarnings(out, outcome);
    out << "</body></html>\n";
}

} // namespace bz::preview
