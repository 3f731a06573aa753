#include "preview.h"

#include "college_json.h"
#include "html_view.h"
#include "input_error.h"
#include "input_file.h"
#include "json_view.h"
#include "options.h"
#include "preview_platform.h"
#include "runtime/error.h"
#include "text_view.h"
#include "transfer_run.h"
#include "utf.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace bz::preview {

namespace {

std::optional<Date> dateOption(const char* option, const std::optional<std::string>& text,
                               const Locale& locale, const std::string& localeName) {
    if (!text)
        return std::nullopt;
    try {
        return locale.parseDate(fromUtf8(*text, option));
    } catch (const AutomationError&) {
        throw InputError(std::string(option) + ": '" + *text + "' is not a date in " + localeName);
    }
}

// Sends every usable line of the patterns file; the unusable ones go to `problems`.
void sendPatterns(TransferRun& run, InputFile& file, const Options& options,
                  std::vector<std::string>& problems, std::ostream& err, bool progress) {
    PatternReader reader(file.stream(), file.name(), options.columns, options.dialect);
    int sent = 0;
    while (const std::optional<PatternLine> line = reader.next(problems)) {
        run.send(*line, file.name());
        if (progress && ++sent % 1000 == 0)
            err << "\rbz-preview: " << sent << " lines sent" << std::flush;
    }
    if (progress && sent >= 1000)
        err << "\r\033[K" << std::flush;
    if (const std::optional<Warning> warning = reader.encodingWarning())
        run.warn(*warning);
    run.finish();
}

void print(std::ostream& out, const PreviewView& view, const Options& options,
           const std::string& patternsName) {
    switch (options.format) {
    case Format::Json:
        printJson(out, view);
        return;
    case Format::Html:
        printHtml(out, view, patternsName);
        return;
    case Format::Text:
        break;
    }
    std::optional<DayRange> grid;
    if (options.grid)
        grid =
            DayRange{dateOption("--from", options.from, view.locale, view.localeName),
                     dateOption("--to", options.to, view.locale, view.localeName), options.weeks};
    printText(out, view, grid);
}

void write(std::ostream& out, const PreviewView& view, const Options& options,
           const std::string& patternsName) {
    if (!options.output) {
        print(out, view, options, patternsName);
        return;
    }
    std::ofstream file(pathOf(*options.output), std::ios::binary);
    if (file)
        print(file, view, options, patternsName);
    if (!file.flush())
        throw InputError(*options.output + ": cannot write it: " + std::strerror(errno));
}

int exitStatus(const TransferRun& run, const Options& options) {
    if (!run.report().empty())
        return 1;
    return options.strict && !run.warnings().empty() ? 1 : 0;
}

int run(const Options& options, std::ostream& out, std::ostream& err, bool progress) {
    const PreviewLocale locale = previewLocale(options);
    InputFile collegeFile = openInput(options.collegeFile, sampleCollege);
    const CollegeFile college = parseCollege(contentOf(collegeFile), collegeFile.name());
    TransferRun transfer(college, makeLinkHelper(options, *locale.locale), *locale.locale,
                         locale.order, options.format == Format::Html);
    if (locale.warning)
        transfer.warn(*locale.warning);
    std::vector<std::string> problems;
    InputFile patternsFile = openInput(options.patternsFile, samplePatterns);
    sendPatterns(transfer, patternsFile, options, problems, err, progress);
    write(out, viewOf(transfer, *locale.locale, locale.name, options.resources), options,
          patternsFile.name());
    for (const std::string& problem : problems)
        err << "bz-preview: " << problem << '\n';
    return problems.empty() ? exitStatus(transfer, options) : 2;
}

} // namespace

int runPreview(std::span<const std::string> args, std::ostream& out, std::ostream& err,
               bool progress) {
    const std::variant<Options, int> parsed = parseOptions(args, out, err);
    if (const int* status = std::get_if<int>(&parsed))
        return *status;
    try {
        return run(std::get<Options>(parsed), out, err, progress);
    } catch (const InputError& error) {
        err << "bz-preview: " << error.what() << '\n';
    } catch (const std::exception& error) {
        err << "bz-preview: cannot go on: " << error.what() << '\n';
    }
    return 2;
}

} // namespace bz::preview
