#pragma once

#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace bz::preview {

// One availability field as the host would send it, with the line it came from.
struct PatternLine {
    int line = 0;
    std::u16string hostKey;
    std::u16string name; // the host key when the file has no name column
    std::u16string pattern;
};

// The header names of the three columns.
struct ColumnNames {
    std::string hostKey = "hostkey";
    std::string name = "name";
    std::string pattern = "pattern";
};

// Reads a patterns CSV file (RFC 4180: a header row, fields quoted with '"' when they hold
// commas or quotes, LF or CRLF, UTF-8 with or without a byte-order mark) one line at a time.
// Columns are found by header name; other columns are ignored, the name column may be missing.
class PatternReader {
  public:
    // InputError when the header lacks the host key or pattern column.
    PatternReader(std::istream& in, const std::string& fileName, const ColumnNames& columns);
    ~PatternReader();

    // The next usable line, or nothing at the end. A malformed line is skipped and its
    // "FILE:LINE: problem" added to `problems`.
    std::optional<PatternLine> next(std::vector<std::string>& problems);

  private:
    struct Csv;
    std::unique_ptr<Csv> csv_;
    std::string fileName_;
    bool hasName_;
};

} // namespace bz::preview
