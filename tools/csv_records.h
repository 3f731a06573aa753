#pragma once

#include "text_decoder.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace bz::preview {

// One record of a CSV file and the line it starts on.
struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

// A record that could not be read, and why.
struct CsvProblem {
    int line = 0;
    std::string what;
};

// Reads CSV records as spreadsheets write them (RFC 4180): fields separated by a delimiter,
// quoted with '"' when they hold it, quotes (doubled) or line breaks; a line break inside quotes
// is kept as LF. Unless given, the delimiter is chosen by the first line (detectDelimiter), with
// `columns` the header names the reader looks for. Blank lines are skipped.
class CsvRecords {
  public:
    CsvRecords(TextDecoder& text, std::optional<char> delimiter, std::vector<std::string> columns);

    // The next record, or nothing at the end. One that is malformed is skipped and its problem
    // added to `problems`; when it spanned lines, reading goes on at the line after its first,
    // so that a stray quote costs one line, not the rest of the file.
    std::optional<CsvRecord> next(std::vector<CsvProblem>& problems);

    // The delimiter given or chosen; a comma before the first line is read.
    char delimiter() const { return delimiter_.value_or(','); }

  private:
    struct Line {
        int number = 0;
        std::string text;
        bool tooLong = false;
    };

    bool nextLine(Line& line);
    bool readRecord(const Line& first, CsvRecord& record, std::vector<CsvProblem>& problems);

    TextDecoder& text_;
    std::optional<char> delimiter_;
    std::vector<std::string> columns_;
    std::deque<Line> pending_; // lines to read again after a record that spanned them failed
};

// The delimiter of a CSV file whose first line is `header`: of comma, semicolon and tab, the one
// that splits the header into the most of `columns` (the header names looked for), as fields of
// their own; on a tie the one the header holds most often outside quotes, then the first.
char detectDelimiter(std::string_view header, const std::vector<std::string>& columns);

} // namespace bz::preview
