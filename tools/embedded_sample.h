#pragma once

#include <string_view>

namespace bz::preview {

// A file built into the previewer: its name as messages show it, and its content.
struct EmbeddedFile {
    std::string_view name;
    std::string_view content;
};

// The example college and patterns (examples/), read at build time: what the previewer runs on
// without --college and --patterns.
extern const EmbeddedFile sampleCollege;
extern const EmbeddedFile samplePatterns;

} // namespace bz::preview
