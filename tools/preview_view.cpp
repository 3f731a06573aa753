#include "preview_view.h"

#include "runtime/text.h"

namespace bz::preview {

std::string fieldOf(const Failure& failure) {
    return failure.field.empty() ? "pattern" : failure.field;
}

std::string traceText(const TracedLine& line) {
    const Failure& failure = line.failure;
    return line.source.text() + ": " + fieldOf(failure) + " '" + toUtf8(failure.value) +
           "': run-time error " + std::to_string(failure.errorNumber) + " (" +
           toUtf8(failure.description) + ")";
}

std::string reportCountText(const TransferOutcome& outcome) {
    // The component writes CR LF before each line.
    std::size_t received = 0;
    for (std::size_t at = outcome.report.find(u"\r\n"); at != std::u16string::npos;
         at = outcome.report.find(u"\r\n", at + 2))
        ++received;
    if (outcome.report.empty())
        return {};
    std::string text = std::to_string(received) + " lines as the transfer object received them";
    if (outcome.traced.size() != received)
        text += ", " + std::to_string(outcome.traced.size()) + " of them on the resources shown";
    return text;
}

std::string outsideText(const PeriodCells& cells, const DerivedCalendar& calendar) {
    const std::int32_t calendarPeriods = calendar.periodsPerWeek() * calendar.weekCount();
    std::string text;
    for (std::int32_t first = cells.nextWritten(PeriodCells::lowest);
         first <= PeriodCells::highest;) {
        const Cell cell = cells.at(first);
        std::int32_t last = first;
        while (last < PeriodCells::highest && cells.at(last + 1) == cell)
            ++last;
        if (first < 0 || last >= calendarPeriods)
            text += (text.empty() ? "periods " : ", ") + std::to_string(first) +
                    (last > first ? ".." + std::to_string(last) : "") +
                    (cell == Cell::Available ? " available" : " unavailable");
        first = last < PeriodCells::highest ? cells.nextWritten(last + 1) : last + 1;
    }
    return text;
}

} // namespace bz::preview
