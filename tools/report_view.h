#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace bz::preview {

// The error reports the transfer object received, one report line per output line: a report
// starts every line with CR LF.
void printReports(std::ostream& out, const std::vector<std::u16string>& reports);

} // namespace bz::preview
