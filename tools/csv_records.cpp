#include "csv_records.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <tuple>
#include <utility>

namespace bz::preview {

namespace {

// The lines one record may span: a notes field holds a few, while a stray quote would hold every
// line to the end of the file for reading again.
constexpr std::size_t spanLimit = 1000;

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

std::string_view withoutCr(std::string_view line) {
    return line.ends_with('\r') ? line.substr(0, line.size() - 1) : line;
}

// The fields of one record, read a line at a time.
struct Parse {
    char delimiter;
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false; // inside a quoted field: it goes on at the next line
    bool closed = false; // past a quoted field's closing quote
    bool fieldStart = true;

    // Reads one line of the record; the problem when it is malformed. Runs of plain text are
    // copied whole.
    std::optional<std::string> read(std::string_view line) {
        std::size_t i = 0;
        while (i < line.size()) {
            if (quoted) {
                const std::size_t quote = std::min(line.find('"', i), line.size());
                field.append(line.substr(i, quote - i));
                const bool doubled = quote + 1 < line.size() && line[quote + 1] == '"';
                if (doubled)
                    field.push_back('"');
                else if (quote < line.size())
                    std::tie(quoted, closed) = std::pair(false, true);
                i = quote + (doubled ? 2 : 1);
            } else if (line[i] == delimiter) {
                fields.push_back(std::move(field));
                field.clear();
                closed = false;
                fieldStart = true;
                ++i;
            } else if (closed) {
                return "text follows the closing quote of a quoted field";
            } else if (line[i] == '"' && fieldStart) {
                quoted = true;
                fieldStart = false;
                ++i;
            } else {
                const std::size_t end = std::min(line.find(delimiter, i), line.size());
                field.append(line.substr(i, end - i));
                fieldStart = false;
                i = end;
            }
        }
        if (quoted)
            field.push_back('\n');
        else
            fields.push_back(std::move(field));
        return std::nullopt;
    }
};

// How often the header holds `delimiter` outside quotes.
int occurrences(std::string_view header, char delimiter) {
    int count = 0;
    bool quoted = false;
    for (const char c : header) {
        quoted ^= c == '"';
        count += !quoted && c == delimiter;
    }
    return count;
}

// How many of `columns` the header names, split at `delimiter`.
std::size_t columnsFound(std::string_view header, char delimiter,
                         const std::vector<std::string>& columns) {
    Parse parse{delimiter, {}, {}};
    parse.read(withoutCr(header));
    return static_cast<std::size_t>(
        std::count_if(columns.begin(), columns.end(), [&](const std::string& column) {
            return std::find(parse.fields.begin(), parse.fields.end(), column) !=
                   parse.fields.end();
        }));
}

} // namespace

CsvRecords::CsvRecords(TextDecoder& text, std::optional<char> delimiter,
                       std::vector<std::string> columns)
    : text_(text), delimiter_(delimiter), columns_(std::move(columns)) {}

std::optional<CsvRecord> CsvRecords::next(std::vector<CsvProblem>& problems) {
    Line line;
    CsvRecord record;
    while (nextLine(line)) {
        if (isBlank(line.text))
            continue;
        if (!delimiter_)
            delimiter_ = detectDelimiter(line.text, columns_);
        if (readRecord(line, record, problems))
            return record;
    }
    return std::nullopt;
}

bool CsvRecords::nextLine(Line& line) {
    if (!pending_.empty()) {
        line = std::move(pending_.front());
        pending_.pop_front();
        return true;
    }
    if (!text_.next(line.text))
        return false;
    line.number = text_.line();
    line.tooLong = text_.tooLong();
    return true;
}

bool CsvRecords::readRecord(const Line& first, CsvRecord& record,
                            std::vector<CsvProblem>& problems) {
    Parse parse{*delimiter_, {}, {}};
    std::deque<Line> spanned; // the lines after the first
    std::size_t size = 0;
    std::optional<std::string> problem;
    for (const Line* line = &first;; line = &spanned.back()) {
        size += line->text.size();
        if (line->tooLong)
            problem = "the line is longer than the reader's limit";
        else if (spanned.size() >= spanLimit)
            problem = "a quoted field is not closed within " + std::to_string(spanLimit) + " lines";
        else if (size > TextDecoder::lineLimit)
            problem = "the record is longer than the reader's limit";
        else
            problem = parse.read(withoutCr(line->text));
        if (problem || !parse.quoted)
            break;
        spanned.emplace_back();
        if (!nextLine(spanned.back())) {
            spanned.pop_back();
            problem = "a quoted field is not closed on its line";
            break;
        }
    }
    if (!problem) {
        record = {first.number, std::move(parse.fields)};
        return true;
    }
    problems.push_back({first.number, *problem});
    pending_.insert(pending_.begin(), std::make_move_iterator(spanned.begin()),
                    std::make_move_iterator(spanned.end()));
    return false;
}

char detectDelimiter(std::string_view header, const std::vector<std::string>& columns) {
    static constexpr std::array<char, 3> candidates = {',', ';', '\t'};
    char best = candidates[0];
    std::pair<std::size_t, int> bestScore{0, -1};
    for (const char candidate : candidates) {
        const std::pair score{columnsFound(header, candidate, columns),
                              occurrences(header, candidate)};
        if (score > bestScore)
            std::tie(best, bestScore) = std::pair(candidate, score);
    }
    return best;
}

} // namespace bz::preview
