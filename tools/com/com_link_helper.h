#pragma once

#include "link_helper.h"

#include <memory>
#include <optional>
#include <string>

namespace bz::preview {

// The link helper component created through COM, in a single-threaded apartment of its own:
// from the DLL at `dll`, loaded and asked for its class object directly, or else through the
// registry by its ProgID. It is driven late-bound by name, as the host drives it, with the
// previewer's host objects behind IDispatch faces. InputError when it cannot be created.
std::unique_ptr<LinkHelper> comLinkHelper(const std::optional<std::string>& dll);

} // namespace bz::preview
