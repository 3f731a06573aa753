#pragma once

#include "calendar_view.h"
#include "preview_view.h"

#include <optional>
#include <ostream>

namespace bz::preview {

// The preview for people: the calendar, each resource's written days with runs of identical
// weeks folded ("weeks 1-14, 17-30: Wed 09:00-12:30"), or with `grid` one line per teaching day
// of `range`; then the error report, each line with its trace, and the warnings, each once with
// the lines it stands for. Written resource by resource.
void printText(std::ostream& out, const TransferOutcome& outcome, std::optional<DayRange> grid);

} // namespace bz::preview
