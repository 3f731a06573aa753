#pragma once

#include <string>
#include <vector>

namespace bz::preview {

// One availability field as the host would send it: the resource and the pattern text.
struct PatternLine {
    std::u16string resourceName;
    std::u16string hostKey;
    std::u16string pattern;
};

// Reads a patterns file: one "resource name|host key|pattern" line per availability field, sent
// in file order. Name and key are cut at the first two '|' and trimmed; the pattern is the rest
// of the line exactly as written ("first date|last date|teaching day|start|end"). Blank lines
// and lines starting with '#' are ignored. InputError naming `fileName` and the line for a line
// without two '|'.
std::vector<PatternLine> readPatterns(const std::u16string& text, const std::string& fileName);

} // namespace bz::preview
