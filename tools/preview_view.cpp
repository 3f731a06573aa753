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
