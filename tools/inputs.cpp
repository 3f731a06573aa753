#include "inputs.h"

#include "input_error.h"
#include "runtime/error.h"
#include "utf.h"

namespace bz::preview {

namespace {

std::optional<Date> dateOption(const char* option, const std::optional<std::string>& text,
                               const PreviewLocale& locale) {
    if (!text)
        return std::nullopt;
    try {
        return locale.locale->parseDate(fromUtf8Input(*text, option));
    } catch (const AutomationError&) {
        throw InputError(std::string(option) + ": '" + *text + "' is not a date in " + locale.name);
    }
}

} // namespace

Inputs readInputs(const Options& options, PreviewLocale locale) {
    const std::optional<Date> from = dateOption("--from", options.from, locale);
    const std::optional<Date> to = dateOption("--to", options.to, locale);
    std::optional<DayRange> grid;
    if (options.grid)
        grid = DayRange{from, to, options.weeks};
    std::set<std::u16string> hostKeys;
    for (const std::string& key : options.resources)
        hostKeys.insert(fromUtf8Input(key, "--resource"));
    InputFile collegeFile = openInput(options.collegeFile, sampleCollege);
    CollegeFile college = parseCollege(contentOf(collegeFile), collegeFile.name());
    InputFile patternsFile = openInput(options.patternsFile, samplePatterns);
    auto patterns = std::make_unique<PatternReader>(patternsFile.stream(), patternsFile.name(),
                                                    options.columns, options.dialect);
    return {
        std::move(locale),  std::move(college), std::move(patternsFile), std::move(patterns), grid,
        std::move(hostKeys)};
}

} // namespace bz::preview
