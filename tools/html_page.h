#pragma once

#include <string>

namespace bz::preview {

// What the previewer's HTML pages share: the style of their grids (available blue and
// unavailable orange, told apart with red-green colour blindness as well as without) and the
// escaping of text.
extern const char* const htmlStyle;

// `text` with &, <, > and " escaped.
std::string escaped(const std::string& text);

} // namespace bz::preview
