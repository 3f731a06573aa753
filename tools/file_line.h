#pragma once

#include <string>

namespace bz::preview {

// "FILE:LINE": how every message and view names an input line.
inline std::string fileLine(const std::string& file, int line) {
    return file + ":" + std::to_string(line);
}

// "FILE:LINE: message".
inline std::string located(const std::string& file, int line, const std::string& message) {
    return fileLine(file, line) + ": " + message;
}

// An input line.
struct Source {
    std::string file;
    int line = 0;
    std::string text() const { return fileLine(file, line); }
};

} // namespace bz::preview
