#pragma once

#include <stdexcept>
#include <string>

namespace bz::preview {

// Input the previewer cannot use: a bad option, file or value. The message says what and where,
// ready to be shown to the user.
class InputError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A command line the previewer cannot use.
class UsageError : public InputError {
  public:
    using InputError::InputError;
};

} // namespace bz::preview
