#include "patterns_csv.h"

#include "file_line.h"
#include "input_error.h"
#include "utf.h"

#define CSV_IO_NO_THREAD
#include <libfccp/csv.h>

namespace bz::preview {

namespace {

// Blank lines carry no field; fields keep their blanks, as the host receives them.
using CsvReader = io::CSVReader<3, io::trim_chars<>, io::double_quote_escape<',', '"'>,
                                io::throw_on_overflow, io::empty_line_comment>;

std::string problemOf(const io::error::base& error) {
    if (dynamic_cast<const io::error::too_few_columns*>(&error))
        return "too few fields for the header's columns";
    if (dynamic_cast<const io::error::too_many_columns*>(&error))
        return "more fields than the header has columns";
    if (dynamic_cast<const io::error::escaped_string_not_closed*>(&error))
        return "a quoted field is not closed on its line";
    if (dynamic_cast<const io::error::line_length_limit_exceeded*>(&error))
        return "the line is longer than the reader's limit";
    if (dynamic_cast<const io::error::duplicated_column_in_header*>(&error))
        return "the header names a column twice";
    if (dynamic_cast<const io::error::header_missing*>(&error))
        return "the file is empty: expected a header row";
    return error.what();
}

} // namespace

struct PatternReader::Csv {
    Csv(std::istream& in, const std::string& fileName) : reader(fileName, in) {}
    CsvReader reader;
};

PatternReader::PatternReader(std::istream& in, const std::string& fileName,
                             const ColumnNames& columns)
    : csv_(std::make_unique<Csv>(in, fileName)), fileName_(fileName) {
    try {
        csv_->reader.read_header(io::ignore_extra_column | io::ignore_missing_column,
                                 columns.hostKey, columns.name, columns.pattern);
    } catch (const io::error::base& error) {
        throw InputError(located(fileName, 1, problemOf(error)));
    }
    for (const std::string* column : {&columns.hostKey, &columns.pattern})
        if (!csv_->reader.has_column(*column))
            throw InputError(
                located(fileName, 1,
                        "the header has no '" + *column + "' column (--columns maps other names)"));
    hasName_ = csv_->reader.has_column(columns.name);
}

PatternReader::~PatternReader() = default;

std::optional<PatternLine> PatternReader::next(std::vector<std::string>& problems) {
    while (true) {
        std::string hostKey, name, pattern;
        try {
            if (!csv_->reader.read_row(hostKey, name, pattern))
                return std::nullopt;
        } catch (const io::error::base& error) {
            problems.push_back(located(fileName_, static_cast<int>(csv_->reader.get_file_line()),
                                       problemOf(error)));
            continue;
        }
        const int line = static_cast<int>(csv_->reader.get_file_line());
        try {
            const std::string where = fileLine(fileName_, line);
            PatternLine read{line, fromUtf8(hostKey, where), {}, fromUtf8(pattern, where)};
            read.name = hasName_ ? fromUtf8(name, where) : read.hostKey;
            return read;
        } catch (const InputError& error) {
            problems.push_back(error.what());
        }
    }
}

} // namespace bz::preview
