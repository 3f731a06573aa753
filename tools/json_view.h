#pragma once

#include "preview_view.h"

#include <ostream>

namespace bz::preview {

// How the JSON view gives a resource's periods: its distinct weeks folded, or every written
// teaching day.
enum class JsonForm { Weeks, Days };

// The preview for scripts, one JSON document (the README describes it): its schema version,
// the calendar, each resource's written weeks or days with their available and unavailable
// period runs, the report as received and traced line by line, and the warnings. Written as it
// goes, one resource, report line or warning to a line.
void printJson(std::ostream& out, const TransferOutcome& outcome, JsonForm form);

} // namespace bz::preview
