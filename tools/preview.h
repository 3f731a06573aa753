#pragma once

#include <ostream>
#include <span>
#include <string>

namespace bz::preview {

// The whole previewer: reads the command line (`args` without the program name), runs the
// transfer and prints it to `out`; problems go to `err`. Returns the exit status.
int runPreview(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace bz::preview
