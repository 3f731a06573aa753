#pragma once

#include <fstream>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>

namespace bz::preview {

// Output the previewer cannot write: the message says which and why, ready to be shown after
// "bz-preview: ".
class OutputError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Where the preview goes: standard output, or the --output file. A file is written under a
// temporary name beside it, opened at once so that a folder that cannot be written fails before
// the transfer runs, and put in the file's place only by `commit`: a run that stops before
// leaves the file as it was, and no temporary file behind.
class Destination {
  public:
    Destination(const std::optional<std::string>& output, std::ostream& out);
    ~Destination();
    Destination(const Destination&) = delete;
    Destination& operator=(const Destination&) = delete;

    std::ostream& stream() { return *out_; }
    // Writes out what the stream holds and puts a file in its place. OutputError when either
    // fails.
    void commit();

  private:
    std::string name_; // of the --output file; empty for standard output
    std::string temporary_;
    std::ofstream file_;
    std::ostream* out_;
};

} // namespace bz::preview
