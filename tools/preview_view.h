#pragma once

#include "transfer_outcome.h"

#include <string>

// The texts every view shows alike.

namespace bz::preview {

// The field a report line's failure names: its own, or "pattern" when the stage has none.
std::string fieldOf(const Failure& failure);

// How many lines the error report holds as the transfer object received them, and how many of
// them are shown: "7 lines as the transfer object received them" when all are, else "..., 2 of
// them on the resources shown". Empty when the report is.
std::string reportCountText(const TransferOutcome& outcome);

// "patterns.csv:12: start time 'nine': run-time error 13 (Type mismatch)".
std::string traceText(const TracedLine& line);

// "periods -5..-3 available, 40000 unavailable": what the resource holds outside the calendar's
// teaching days (dates before 1900 plus a time land there); empty when nothing.
std::string outsideText(const PeriodCells& cells, const DerivedCalendar& calendar);

} // namespace bz::preview
