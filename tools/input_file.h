#pragma once

#include <fstream>
#include <iostream>
#include <string>

namespace bz::preview {

// A file opened for reading, or standard input for "-". InputError with the reason when it
// cannot be read: missing, a directory, no permission.
class InputFile {
  public:
    explicit InputFile(const std::string& path);
    std::istream& stream() { return path_ == "-" ? std::cin : file_; }
    // The name messages use: the path, or "standard input".
    const std::string& name() const { return name_; }

  private:
    std::string path_;
    std::string name_;
    std::ifstream file_;
};

// The whole content of `file`.
std::string contentOf(InputFile& file);

} // namespace bz::preview
