#pragma once

#include "options.h"
#include "preview_snapshot.h"

#include <ostream>

namespace bz::preview {

// Compares the later preview with the earlier one, limited to the resources the options name,
// and prints the comparison in the options' format. Returns the exit status as diff has it: 0
// when nothing changed, 1 when something did.
int printChanges(std::ostream& out, const Snapshot& earlier, const Snapshot& later,
                 const Options& options);

} // namespace bz::preview
