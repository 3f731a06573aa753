#pragma once

#include <ostream>
#include <span>
#include <string>

namespace bz::preview {

// The whole previewer: reads the command line (`args` without the program name), runs the
// transfer and prints it to `out` (or the --output file); problems go to `err`, and with
// `progress` the lines sent so far. Returns the exit status.
int runPreview(std::span<const std::string> args, std::ostream& out, std::ostream& err,
               bool progress = false);

} // namespace bz::preview
