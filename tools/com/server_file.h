#pragma once

#include "installation_facts.h"

#include <string>

namespace bz::preview {

// The DLL at `path` (UTF-8): whether it is there, its machine type from its headers, and its
// fixed file version and product name from its version block.
ServerFile readServerFile(const std::string& path);

// Whether a file is at `path` (UTF-8).
bool fileExists(const std::string& path);

} // namespace bz::preview
