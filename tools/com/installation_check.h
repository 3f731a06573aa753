#pragma once

#include "options.h"

#include <ostream>

namespace bz::preview {

// bz-preview --check: checks that the component will work for a host of this process's
// bitness (its registration in this registry view, naming the other's; its file and signature;
// its type library and the host's two; a short transfer through the component created by
// ProgID), and shows the account's locale. Prints one line per check to `out`, as text or
// JSON (options.format); returns 0 when every check passes, 1 when one fails.
int checkInstallation(const Options& options, std::ostream& out);

} // namespace bz::preview
