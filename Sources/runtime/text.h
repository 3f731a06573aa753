#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace bz {

// The component's strings are UTF-16, as the automation runtime's are.

// UTF-8 to UTF-16; nullopt for malformed, overlong or surrogate sequences.
std::optional<std::u16string> decodeUtf8(std::string_view text);
// UTF-8 to UTF-16, every malformed sequence replaced by U+FFFD.
std::u16string fromUtf8(std::string_view text);
// UTF-16 to UTF-8, an unpaired surrogate replaced by U+FFFD.
std::string toUtf8(std::u16string_view text);

} // namespace bz
