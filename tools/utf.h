#pragma once

#include <string>
#include <string_view>

namespace bz::preview {

// UTF-8 text to UTF-16; InputError naming `where` for bytes that are not UTF-8.
std::u16string fromUtf8(std::string_view text, std::string_view where);

} // namespace bz::preview
