#pragma once

#include "embedded_sample.h"

#include <istream>
#include <memory>
#include <string>

namespace bz::preview {

// A file opened for reading, standard input for "-", or an embedded file. InputError with the
// reason when it cannot be read: missing, a directory, no permission.
class InputFile {
  public:
    explicit InputFile(const std::string& path);
    explicit InputFile(const EmbeddedFile& file);
    std::istream& stream() { return *stream_; }
    // The name messages use: the path, "standard input" or the embedded file's name.
    const std::string& name() const { return name_; }

  private:
    std::string name_;
    std::unique_ptr<std::istream> owned_;
    std::istream* stream_;
};

// The file at `path`, or `sample` when the path is empty.
InputFile openInput(const std::string& path, const EmbeddedFile& sample);

// The whole content of `file`.
std::string contentOf(InputFile& file);

} // namespace bz::preview
