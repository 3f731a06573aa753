#pragma once

#include "preview_view.h"

#include <ostream>

namespace bz::preview {

// The preview for scripts, one JSON document (the README describes it): the calendar, each
// resource's written teaching days with their available and unavailable period runs, the
// report as received and traced line by line, and the warnings.
void printJson(std::ostream& out, const PreviewView& view);

} // namespace bz::preview
