#pragma once

#include <string>
#include <vector>

namespace bz::preview {

// One line of an input file that carries content, with its 1-based line number.
struct NumberedLine {
    int number;
    std::u16string text;
};

// The lines of `text` that are neither blank nor comments (first non-blank character '#'), with
// the line break, a carriage return before it included, removed.
std::vector<NumberedLine> contentLines(const std::u16string& text);

// `text` without leading and trailing blanks (spaces and tabs).
std::u16string trimmed(const std::u16string& text);

} // namespace bz::preview
