#include "preview.h"

#include "compare_previews.h"
#include "html_view.h"
#include "input_error.h"
#include "inputs.h"
#include "json_view.h"
#include "options.h"
#include "output_file.h"
#include "preview_platform.h"
#include "preview_reader.h"
#include "text_view.h"
#include "transfer_run.h"
#include "utf.h"

#ifdef _WIN32
#include "installation_check.h"
#endif

namespace bz::preview {

namespace {

// Sends every usable line of the patterns file; the unusable ones go to `problems`.
void sendPatterns(TransferRun& run, Inputs& inputs, std::vector<std::string>& problems,
                  std::ostream& err, bool progress) {
    int sent = 0;
    while (const std::optional<PatternLine> line = inputs.patterns->next(problems)) {
        run.send(*line, inputs.patternsFile.name());
        if (progress && ++sent % 1000 == 0)
            err << "\rbz-preview: " << sent << " lines sent" << std::flush;
    }
    if (progress && sent >= 1000)
        err << "\r\033[K" << std::flush;
    if (const std::optional<Warning> warning = inputs.patterns->encodingWarning())
        run.warn(*warning);
}

void print(std::ostream& out, const TransferOutcome& outcome, const Options& options,
           const Inputs& inputs) {
    switch (options.format) {
    case Format::Json:
        printJson(out, outcome, options.days ? JsonForm::Days : JsonForm::Weeks);
        return;
    case Format::Html:
        printHtml(out, outcome);
        return;
    case Format::Text:
        printText(out, outcome, inputs.grid);
        return;
    }
}

int exitStatus(const TransferOutcome& outcome, const Options& options) {
    if (!outcome.report.empty())
        return 1;
    return options.strict && !outcome.warnings.empty() ? 1 : 0;
}

// Two saved previews: nothing runs.
int compareSaved(const Snapshot& earlier, const Options& options, std::ostream& out) {
    const Snapshot later = readPreview(options.compare.back());
    Destination destination(options.output, out);
    const int status = printChanges(destination.stream(), earlier, later, options);
    destination.commit();
    return status;
}

int run(const Options& options, std::ostream& out, std::ostream& err, bool progress) {
    // Read before the run, so that a preview it cannot compare stops it at once.
    std::optional<Snapshot> earlier;
    if (!options.compare.empty())
        earlier = readPreview(options.compare.front());
    if (options.compare.size() == 2)
        return compareSaved(*earlier, options, out);
    Inputs inputs = readInputs(options, previewLocale(options));
    const Locale& locale = *inputs.locale.locale;
    TransferRun transfer(inputs.college, makeLinkHelper(options, locale), locale,
                         inputs.locale.order,
                         {options.format == Format::Html || earlier, std::move(inputs.hostKeys)});
    // Once the component has taken the college, before the first line is sent.
    Destination destination(options.output, out);
    if (inputs.locale.warning)
        transfer.warn(*inputs.locale.warning);
    std::vector<std::string> problems;
    sendPatterns(transfer, inputs, problems, err, progress);
    TransferOutcome outcome = transfer.finish();
    outcome.localeName = inputs.locale.name;
    outcome.patternsFile = inputs.patternsFile.name();
    const int status =
        earlier ? printChanges(destination.stream(), *earlier, snapshotOf(outcome), options)
                : exitStatus(outcome, options);
    if (!earlier)
        print(destination.stream(), outcome, options, inputs);
    destination.commit();
    for (const std::string& problem : problems)
        err << "bz-preview: " << problem << '\n';
    return problems.empty() ? status : 2;
}

} // namespace

int runPreview(std::span<const std::string> args, std::ostream& out, std::ostream& err,
               bool progress) {
    const std::variant<Options, int> parsed = parseOptions(args, out, err);
    if (const int* status = std::get_if<int>(&parsed))
        return *status;
    const Options& options = std::get<Options>(parsed);
    try {
#ifdef _WIN32
        if (options.check)
            return checkInstallation(options, out);
#endif
        return run(options, out, err, progress);
    } catch (const InputError& error) {
        err << "bz-preview: " << error.what() << '\n';
    } catch (const OutputError& error) {
        err << "bz-preview: " << error.what() << '\n';
    } catch (const std::exception& error) {
        err << "bz-preview: cannot go on: " << error.what() << '\n';
    }
    if (options.output)
        err << "bz-preview: " << *options.output << ": not written; it is left as it was\n";
    return 2;
}

} // namespace bz::preview
