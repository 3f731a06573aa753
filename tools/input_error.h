#pragma once

#include <stdexcept>
#include <string>

namespace bz::preview {

// Input the previewer cannot use: a bad option, file or value. The message says what and where
// ("FILE:LINE: ..."), ready to be shown after "bz-preview: ".
class InputError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// "FILE:LINE: message".
inline std::string located(const std::string& file, int line, const std::string& message) {
    return file + ":" + std::to_string(line) + ": " + message;
}

} // namespace bz::preview
