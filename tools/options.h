#pragma once

#include "patterns_csv.h"

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace bz::preview {

enum class Format { Text, Json, Html };

// The previewer's command line.
struct Options {
    std::string collegeFile;           // both empty: the embedded sample
    std::string patternsFile;          // "-": standard input
    std::optional<std::string> locale; // the environment's when absent
    ColumnNames columns;
    CsvDialect dialect;
    bool strict = false;
    bool grid = false;
    std::vector<std::string> resources; // host keys; all when empty
    Format format = Format::Text;
    bool days = false; // JSON: every written day instead of folded weeks
    std::optional<std::string> output;
    std::optional<int> weeks;
    std::optional<std::string> from; // dates as written, read under the locale
    std::optional<std::string> to;
    // An earlier JSON preview to compare the run with, or an earlier and a later one to compare.
    std::vector<std::string> compare;
    std::optional<std::string> dll; // Windows: the component's DLL; the registered one when absent
    bool check = false;             // Windows: check the installation instead of a transfer
};

// Reads the arguments after the program name. The exit status instead when the command line
// ends the run: 0 after --help or --version, 2 after a message on `err` for a wrong one.
std::variant<Options, int> parseOptions(std::span<const std::string> args, std::ostream& out,
                                        std::ostream& err);

} // namespace bz::preview
