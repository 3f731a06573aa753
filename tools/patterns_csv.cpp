#include "patterns_csv.h"

#include "file_line.h"
#include "input_error.h"
#include "utf.h"

#include <algorithm>

namespace bz::preview {

namespace {

// The index of the column named `name`, or nothing when the header has none.
std::optional<std::size_t> columnOf(const std::vector<std::string>& header, const std::string& name,
                                    const std::string& fileName) {
    const auto found = std::find(header.begin(), header.end(), name);
    if (found == header.end())
        return std::nullopt;
    if (std::find(found + 1, header.end(), name) != header.end())
        throw InputError(located(fileName, 1, "the header names a column twice"));
    return static_cast<std::size_t>(found - header.begin());
}

std::string delimiterName(char delimiter) {
    return delimiter == '\t' ? "tabs" : delimiter == ';' ? "semicolons" : "commas";
}

// InputError when the header names none of the columns looked for. No delimiter split it into
// one (the one chosen splits it into the most), so the message lists what it holds.
void checkNamesAColumn(const CsvRecord& header, const ColumnNames& columns, char delimiter,
                       const std::string& fileName) {
    for (const std::string* column : {&columns.hostKey, &columns.pattern, &columns.name})
        if (std::find(header.fields.begin(), header.fields.end(), *column) != header.fields.end())
            return;
    std::string found;
    for (const std::string& field : header.fields)
        found += (found.empty() ? "'" : ", '") + field + "'";
    throw InputError(located(fileName, header.line,
                             "the header names none of the columns '" + columns.hostKey + "', '" +
                                 columns.name + "' and '" + columns.pattern + "': split at " +
                                 delimiterName(delimiter) + ", it holds " + found +
                                 " (--delimiter and --columns say others)"));
}

} // namespace

PatternReader::PatternReader(std::istream& in, const std::string& fileName,
                             const ColumnNames& columns, const CsvDialect& dialect)
    : text_(in, dialect.encoding),
      records_(text_, dialect.delimiter, {columns.hostKey, columns.pattern, columns.name}),
      fileName_(fileName) {
    std::vector<CsvProblem> problems;
    const std::optional<CsvRecord> header = records_.next(problems);
    if (!problems.empty())
        throw InputError(located(fileName, problems.front().line, problems.front().what));
    if (!header)
        throw InputError(located(fileName, 1, "the file is empty: expected a header row"));
    checkNamesAColumn(*header, columns, records_.delimiter(), fileName);
    for (const std::string* column : {&columns.hostKey, &columns.pattern})
        if (!columnOf(header->fields, *column, fileName))
            throw InputError(
                located(fileName, header->line,
                        "the header has no '" + *column + "' column (--columns maps other names)"));
    hostKey_ = *columnOf(header->fields, columns.hostKey, fileName);
    pattern_ = *columnOf(header->fields, columns.pattern, fileName);
    name_ = columnOf(header->fields, columns.name, fileName);
    width_ = header->fields.size();
}

std::optional<PatternLine> PatternReader::next(std::vector<std::string>& problems) {
    std::vector<CsvProblem> malformed;
    while (true) {
        std::optional<CsvRecord> record = records_.next(malformed);
        for (const CsvProblem& problem : malformed)
            problems.push_back(located(fileName_, problem.line, problem.what));
        malformed.clear();
        if (!record)
            return std::nullopt;
        const std::vector<std::string>& fields = record->fields;
        if (fields.size() != width_) {
            problems.push_back(located(fileName_, record->line,
                                       fields.size() < width_
                                           ? "too few fields for the header's columns"
                                           : "more fields than the header has columns"));
            continue;
        }
        try {
            const std::string where = fileLine(fileName_, record->line);
            PatternLine read{record->line,
                             fromUtf8Input(fields[hostKey_], where),
                             {},
                             fromUtf8Input(fields[pattern_], where)};
            read.name = name_ ? fromUtf8Input(fields[*name_], where) : read.hostKey;
            return read;
        } catch (const InputError& error) {
            problems.push_back(error.what());
        }
    }
}

std::optional<Warning> PatternReader::encodingWarning() const {
    const std::optional<int> line = text_.guessedWindows1252();
    if (!line)
        return std::nullopt;
    return Warning{fileLine(fileName_, *line),
                   "the text is not UTF-8: read as Windows-1252 (--encoding names another)"};
}

} // namespace bz::preview
