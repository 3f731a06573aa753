#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace bz::preview {

// UTF-8 text to UTF-16; InputError naming `where` for bytes that are not UTF-8.
std::u16string fromUtf8Input(std::string_view text, std::string_view where);

// The path a UTF-8 file name names: on Windows its wide name, not the ANSI code page's.
std::filesystem::path pathOf(const std::string& name);

} // namespace bz::preview
