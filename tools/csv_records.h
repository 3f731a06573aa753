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
// is kept as LF. The delimiter is the one of comma, semicolon and tab the first line holds most
// often outside quotes, unless given. Blank lines are skipped.
class CsvRecords {
  public:
    CsvRecords(TextDecoder& text, std::optional<char> delimiter);

    // The next record, or nothing at the end. One that is malformed is skipped and its problem
    // added to `problems`; when it spanned lines, reading goes on at the line after its first,
    // so that a stray quote costs one line, not the rest of the file.
    std::optional<CsvRecord> next(std::vector<CsvProblem>& problems);

  private:
    struct Line {
        int number = 0;
        std::string text;
        bool tooLong = false;
    };
    struct Parse;

    bool nextLine(Line& line);
    bool readRecord(const Line& first, CsvRecord& record, std::vector<CsvProblem>& problems);

    TextDecoder& text_;
    std::optional<char> delimiter_;
    std::deque<Line> pending_; // lines to read again after a record that spanned them failed
};

// The delimiter of a CSV file whose first line is `header`.
char detectDelimiter(std::string_view header);

} // namespace bz::preview
