#pragma once

#include "preview_view.h"

#include <ostream>

namespace bz::preview {

// The preview as one self-contained HTML page (no scripts, nothing fetched): a contents list of
// the resources, then per resource a table of its distinct teaching days by periods, each row
// naming the weeks it stands for and each cell naming on hover the day, the period and the line
// that wrote it (when the run kept sources); then the error report with its traces and the
// warnings, linked to their resources. Written resource by resource.
void printHtml(std::ostream& out, const TransferOutcome& outcome);

} // namespace bz::preview
