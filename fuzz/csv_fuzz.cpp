// Fuzz target for the patterns file reader: any bytes, under a delimiter and an encoding said or
// found, end in records and skipped records, or in the header's InputError; never a crash. The
// records come in file order, each named by a line the file has.

#include "fuzz_input.h"
#include "input_error.h"
#include "patterns_csv.h"

#include <algorithm>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace bz::preview;
    if (size == 0)
        return 0;
    // The first byte says the dialect; the rest is the file.
    CsvDialect dialect;
    if (data[0] & 1)
        dialect.delimiter = ",;\t"[(data[0] >> 1) % 3];
    if (data[0] & 8)
        dialect.encoding = static_cast<Encoding>((data[0] >> 4) % 4);
    const std::string file(data + 1, data + size);
    // The most lines any encoding can make of it.
    const auto lines = static_cast<int>(std::count(file.begin(), file.end(), '\n')) + 1;
    std::istringstream in(file);
    try {
        PatternReader reader(in, "patterns.csv", ColumnNames{}, dialect);
        std::vector<std::string> problems;
        int last = 0;
        while (const std::optional<PatternLine> line = reader.next(problems)) {
            if (line->line <= last || line->line > lines)
                bz::fuzz::fault("a record named a line out of order or past the end");
            last = line->line;
        }
    } catch (const InputError&) {
    }
    return 0;
}
