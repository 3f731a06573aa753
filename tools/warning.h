#pragma once

#include <string>

namespace bz::preview {

// "FILE:LINE" of an input line.
struct Source {
    std::string file;
    int line = 0;
    std::string text() const { return file + ":" + std::to_string(line); }
};

struct Warning {
    std::string where; // "FILE:LINE", or the setting it concerns
    std::string message;
};

} // namespace bz::preview
