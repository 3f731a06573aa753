#include "text_view.h"

#include "day_runs.h"
#include "grid.h"
#include "runtime/text.h"

namespace bz::preview {

namespace {

std::string weekdayAt(const DerivedCalendar& calendar, int position) {
    return weekdayName(weekday(
        addDays(calendar.yearStart, calendar.dayOffsets[static_cast<std::size_t>(position)]), 1));
}

void printFolded(std::ostream& out, const PreviewResource& resource, const PreviewView& view) {
    const DerivedCalendar& calendar = view.calendar();
    const std::vector<FoldedDay> folded =
        foldWeeks(resource.cells(), view.days, calendar.periodsPerDay);
    for (const FoldedDay& day : folded) {
        const std::string available = runsText(day.runs, Cell::Available, calendar);
        out << "  " << weeksText(day.weeks) << ": " << weekdayAt(calendar, day.position) << ' '
            << (available.empty() ? "unavailable" : available) << '\n';
    }
    if (folded.empty())
        out << "  nothing written on a teaching day\n";
}

void printReport(std::ostream& out, const PreviewView& view) {
    if (view.run.report().empty()) {
        out << "Error report: none\n";
        return;
    }
    out << "Error report, " << view.traced.size()
        << " lines as the transfer object received them:\n";
    for (const TracedLine* line : view.traced)
        out << "  " << toUtf8(line->text) << "\n    " << traceText(*line) << '\n';
}

void printWarnings(std::ostream& out, const std::vector<Warning>& warnings) {
    out << "Warnings:" << (warnings.empty() ? " none" : "") << '\n';
    for (const Warning& warning : warnings)
        out << "  " << warning.where << ": " << warning.message << '\n';
}

} // namespace

void printText(std::ostream& out, const PreviewView& view, std::optional<DayRange> grid) {
    out << "Locale: " << view.localeName << '\n';
    printCalendarSummary(out, view.calendar(), view.locale);
    const std::vector<TeachingDay> gridDays =
        grid ? teachingDays(view.calendar(), *grid) : std::vector<TeachingDay>{};
    for (const PreviewResource* resource : view.resources) {
        out << '\n'
            << toUtf8(resource->name()) << " (host key " << toUtf8(resource->hostKey()) << ")\n";
        if (const std::string outside = outsideText(resource->cells(), view.calendar());
            !outside.empty())
            out << "  outside the calendar's teaching days: " << outside << '\n';
        if (grid)
            printGrid(out, *resource, view.calendar(), gridDays, view.locale);
        else
            printFolded(out, *resource, view);
    }
    if (view.resources.empty())
        out << "\nNo availability fields sent.\n";
    out << '\n';
    printReport(out, view);
    out << '\n';
    printWarnings(out, view.run.warnings());
}

} // namespace bz::preview
