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

} // namespace bz::preview
