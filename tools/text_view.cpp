#include "text_view.h"

#include "day_runs.h"
#include "grid.h"
#include "preview_view.h"
#include "runtime/text.h"

namespace bz::preview {

namespace {

void printFolded(std::ostream& out, const PreviewResource& resource,
                 const TransferOutcome& outcome) {
    const DerivedCalendar& calendar = outcome.calendar;
    const std::vector<FoldedDay> folded = foldWeeks(resource, outcome.days, calendar.periodsPerDay);
    for (const FoldedDay& day : folded) {
        const std::string available = runsText(day.runs, Cell::Available, calendar);
        out << "  " << weeksText(day.weeks) << ": " << weekdayName(weekday(day.first.date, 1))
            << ' ' << (available.empty() ? "unavailable" : available) << '\n';
    }
    if (folded.empty())
        out << "  nothing written on a teaching day\n";
}

void printReport(std::ostream& out, const TransferOutcome& outcome) {
    if (outcome.report.empty()) {
        out << "Error report: none\n";
        return;
    }
    out << "Error report, " << reportCountText(outcome) << ":\n";
    for (const TracedLine& line : outcome.traced)
        out << "  " << toUtf8(line.text) << "\n    " << traceText(line) << '\n';
}

void printWarnings(std::ostream& out, const WarningList& warnings) {
    out << "Warnings:" << (warnings.empty() ? " none" : "") << '\n';
    for (const WarningGroup& group : warnings.groups())
        out << "  " << placesText(group) << ": " << messageText(group) << '\n';
}

} // namespace

void printText(std::ostream& out, const TransferOutcome& outcome, std::optional<DayRange> grid) {
    out << "Locale: " << outcome.localeName << '\n';
    printCalendarSummary(out, outcome.calendar, *outcome.locale);
    const std::vector<TeachingDay> gridDays =
        grid ? teachingDays(outcome.calendar, *grid) : std::vector<TeachingDay>{};
    for (const std::size_t index : outcome.shown) {
        const PreviewResource& resource = outcome.resource(index);
        out << '\n'
            << toUtf8(resource.name()) << " (host key " << toUtf8(resource.hostKey()) << ")\n";
        if (const std::string outside = outsideText(resource.cells(), outcome.calendar);
            !outside.empty())
            out << "  outside the calendar's teaching days: " << outside << '\n';
        if (grid)
            printGrid(out, resource, outcome.calendar, gridDays, *outcome.locale);
        else
            printFolded(out, resource, outcome);
    }
    if (outcome.shown.empty())
        out << "\nNo availability fields sent.\n";
    out << '\n';
    printReport(out, outcome);
    out << '\n';
    printWarnings(out, outcome.warnings);
}

} // namespace bz::preview
