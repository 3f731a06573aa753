#pragma once

#include "calendar_view.h"
#include "transfer_run.h"

#include <string>
#include <vector>

namespace bz::preview {

// What one output shows of a finished transfer: the resources asked for with their report
// lines, and every warning.
struct PreviewView {
    const TransferRun& run;
    const Locale& locale;
    std::string localeName;
    std::vector<const PreviewResource*> resources;
    std::vector<const TracedLine*> traced;
    std::vector<TeachingDay> days; // every teaching day of the calendar

    const DerivedCalendar& calendar() const { return run.calendar(); }
};

// The view of `run` limited to the resources with the host keys `hostKeys` (all when empty).
// InputError for a host key no resource has.
PreviewView viewOf(const TransferRun& run, const Locale& locale, std::string localeName,
                   const std::vector<std::string>& hostKeys);

// The field a report line's failure names: its own, or "pattern" when the stage has none.
std::string fieldOf(const Failure& failure);

// "patterns.csv:12: start time 'nine': run-time error 13 (Type mismatch)".
std::string traceText(const TracedLine& line);

// "periods -5..-3 available, 40000 unavailable": what the resource holds outside the calendar's
// teaching days (dates before 1900 plus a time land there); empty when nothing.
std::string outsideText(const PeriodCells& cells, const DerivedCalendar& calendar);

} // namespace bz::preview
