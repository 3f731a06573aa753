#pragma once

#include "csv_records.h"
#include "text_decoder.h"
#include "warning.h"

#include <istream>
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

// How the file is written, where the command line says it; found from the file otherwise.
struct CsvDialect {
    std::optional<char> delimiter;
    std::optional<Encoding> encoding; // of a file without a byte-order mark
};

// Reads a patterns CSV file as spreadsheets write it (csv_records.h, text_decoder.h) one record
// at a time. Columns are found by header name; other columns are ignored, the name column may
// be missing.
class PatternReader {
  public:
    // InputError when the header lacks the host key or pattern column.
    PatternReader(std::istream& in, const std::string& fileName, const ColumnNames& columns,
                  const CsvDialect& dialect);

    // The next usable record, or nothing at the end. A malformed one is skipped and its
    // "FILE:LINE: problem" added to `problems`, LINE the one it starts on.
    std::optional<PatternLine> next(std::vector<std::string>& problems);

    // Where text that is not UTF-8 was read as Windows-1252, when it was guessed.
    std::optional<Warning> encodingWarning() const;

  private:
    TextDecoder text_;
    CsvRecords records_;
    std::string fileName_;
    std::size_t hostKey_ = 0, pattern_ = 0, width_ = 0;
    std::optional<std::size_t> name_;
};

} // namespace bz::preview
