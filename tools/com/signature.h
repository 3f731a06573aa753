#pragma once

#include "installation_facts.h"

#include <string>

namespace bz::preview {

// The Authenticode signature of the file at `path` (UTF-8) as WinVerifyTrust judges it, with
// the signer's name read from the signature itself.
Signature readSignature(const std::string& path);

} // namespace bz::preview
