#include "html_view.h"

#include "runtime/text.h"

namespace bz::preview {

namespace {

constexpr const char* style = R"(body { font: 14px sans-serif; margin: 16px; }
table.grid { border-collapse: collapse; margin-bottom: 16px; }
table.grid td { width: 12px; height: 12px; padding: 0; border: 1px solid #ffffff; }
table.grid th { font-weight: normal; font-size: 11px; padding: 0 4px; }
.a { background: #2e7d32; } .u { background: #c62828; } .n { background: #e0e0e0; }
.legend span { display: inline-block; width: 12px; height: 12px; margin: 0 4px 0 12px; }
)";

std::string escaped(const std::string& text) {
    std::string html;
    for (char c : text) {
        switch (c) {
        case '&':
            html += "&amp;";
            break;
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '"':
            html += "&quot;";
            break;
        default:
            html += c;
        }
    }
    return html;
}

void printCell(std::ostream& out, const PreviewResource& resource, const TeachingDay& day,
               int period, const PreviewView& view, const std::string& file) {
    const std::int32_t index = day.firstPeriod + period;
    const Cell cell = resource.cells().at(index);
    const char* kind = cell == Cell::Available ? "a" : cell == Cell::Unavailable ? "u" : "n";
    const char* meaning = cell == Cell::Available     ? "available"
                          : cell == Cell::Unavailable ? "unavailable"
                                                      : "not written";
    std::string title = dayLabel(day.date, view.locale) + " " +
                        periodStart(view.calendar(), period) + ": " + meaning;
    if (const int line = resource.sourceOf(index); line > 0)
        title += ", " + file + ":" + std::to_string(line);
    out << "<td class=\"" << kind << "\" title=\"" << escaped(title) << "\"></td>";
}

void printResource(std::ostream& out, const PreviewResource& resource, const PreviewView& view,
                   const std::string& file) {
    const DerivedCalendar& calendar = view.calendar();
    out << "<h2>" << escaped(toUtf8(resource.name())) << " <small>(host key "
        << escaped(toUtf8(resource.hostKey()))
        << ")</small></h2>\n<table class=\"grid\"><tr><th></th>";
    for (int offset : calendar.dayOffsets)
        out << "<th colspan=\"" << calendar.periodsPerDay << "\">"
            << weekdayName(weekday(addDays(calendar.yearStart, offset), 1)) << "</th>";
    out << "</tr>\n";
    int week = -1;
    for (const TeachingDay& day : view.days) {
        if (day.week != week) {
            out << (week < 0 ? "" : "</tr>\n") << "<tr><th>W" << day.week + 1 << "</th>";
            week = day.week;
        }
        for (int period = 0; period < calendar.periodsPerDay; ++period)
            printCell(out, resource, day, period, view, file);
    }
    out << (week < 0 ? "" : "</tr>\n") << "</table>\n";
}

void printLists(std::ostream& out, const PreviewView& view) {
    out << "<h2>Error report</h2>\n";
    if (view.traced.empty())
        out << "<p>none</p>\n";
    out << "<ol class=\"report\">\n";
    for (const TracedLine* line : view.traced)
        out << "<li><code>" << escaped(toUtf8(line->text)) << "</code><br>"
            << escaped(traceText(*line)) << "</li>\n";
    out << "</ol>\n<h2>Warnings</h2>\n";
    if (view.run.warnings().empty())
        out << "<p>none</p>\n";
    out << "<ul class=\"warnings\">\n";
    for (const Warning& warning : view.run.warnings())
        out << "<li>" << escaped(warning.where + ": " + warning.message) << "</li>\n";
    out << "</ul>\n";
}

} // namespace

void printHtml(std::ostream& out, const PreviewView& view, const std::string& patternsFile) {
    out << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
        << "<title>Availability preview</title>\n<style>\n"
        << style << "</style></head><body>\n"
        << "<h1>Availability preview</h1>\n<p class=\"legend\">Locale " << view.localeName
        << ". <span class=\"a\"></span>available<span class=\"u\"></span>unavailable"
        << "<span class=\"n\"></span>not written</p>\n";
    for (const PreviewResource* resource : view.resources)
        printResource(out, *resource, view, patternsFile);
    printLists(out, view);
    out << "</body></html>\n";
}

} // namespace bz::preview
