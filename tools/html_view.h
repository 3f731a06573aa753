#pragma once

#include "preview_view.h"

#include <ostream>

namespace bz::preview {

// The preview as one self-contained HTML page (no scripts, nothing fetched): per resource a
// grid of weeks by periods with a legend, each cell naming on hover the line that wrote it
// (when the run kept sources), then the error report with its traces and the warnings.
void printHtml(std::ostream& out, const PreviewView& view, const std::string& patternsFile);

} // namespace bz::preview
