#pragma once

#include "calendar_view.h"
#include "college_json.h"
#include "input_file.h"
#include "options.h"
#include "patterns_csv.h"
#include "preview_platform.h"

#include <memory>
#include <optional>
#include <set>
#include <string>

namespace bz::preview {

// Everything a run reads, each part checked before anything is sent: the locale, the college,
// the patterns file open past its header, the grid's days, and the host keys asked for (whether
// a resource has each is known only once every line is sent).
struct Inputs {
    PreviewLocale locale;
    CollegeFile college;
    InputFile patternsFile;
    std::unique_ptr<PatternReader> patterns;
    std::optional<DayRange> grid;
    std::set<std::u16string> hostKeys;
};

// Reads the inputs `options` name under `locale`. InputError for one that cannot be used.
Inputs readInputs(const Options& options, PreviewLocale locale);

} // namespace bz::preview
