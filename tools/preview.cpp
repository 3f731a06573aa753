#include "preview.h"

#include "calendar_view.h"
#include "college_file.h"
#include "grid.h"
#include "input_error.h"
#include "options.h"
#include "pattern_file.h"
#include "report_view.h"
#include "runtime/error.h"
#include "sample.h"
#include "transfer_run.h"
#include "utf.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace bz::preview {

namespace {

std::u16string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::error_code ignored;
    if (!in || std::filesystem::is_directory(path, ignored))
        throw InputError(path + ": cannot read the file");
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        throw InputError(path + ": cannot read the file");
    return fromUtf8(text.str(), path);
}

std::optional<Date> dateOption(const char* option, const std::optional<std::string>& text,
                               const Locale& locale, PortableLocaleKind kind) {
    if (!text)
        return std::nullopt;
    try {
        return locale.parseDate(fromUtf8(*text, option));
    } catch (const AutomationError&) {
        throw UsageError(std::string(option) + ": '" + *text + "' is not a date in " +
                         localeName(kind));
    }
}

void printPreview(std::ostream& out, const College& college, const TransferOutcome& outcome,
                  const DayRange& range, const Locale& locale, PortableLocaleKind kind) {
    out << "Locale: " << localeName(kind) << '\n';
    printCalendarSummary(out, outcome.calendar, locale);
    if (weekday(college.startDate, 1) != college.daysOfWeek.front())
        out << "Note: the start date is not a " << weekdayName(college.daysOfWeek.front())
            << "; the component counts the teaching days from the start date's weekday\n";
    out << "Grid: " << availableMark << " available, " << unavailableMark << " unavailable, "
        << untouchedMark << " not written\n";
    const std::vector<TeachingDay> days = teachingDays(outcome.calendar, range);
    for (const ResourceAvailability& resource : outcome.resources) {
        out << '\n';
        printGrid(out, resource, outcome.calendar, days, locale);
    }
    if (outcome.resources.empty())
        out << "\nNo availability fields to send.\n";
    out << '\n';
    printReports(out, outcome.reports);
}

} // namespace

int runPreview(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    try {
        const Options options = parseOptions(args);
        if (options.help) {
            out << usageText();
            return 0;
        }
        const PortableLocaleKind kind = options.locale.value_or(portableLocaleFromEnvironment());
        const std::unique_ptr<Locale> locale = makePortableLocale(kind);
        const DayRange range{dateOption("--from", options.from, *locale, kind),
                             dateOption("--to", options.to, *locale, kind), options.weeks};

        const College college =
            options.collegeFile
                ? readCollege(fileText(*options.collegeFile), *options.collegeFile, *locale)
                : readCollege(fromUtf8(sampleCollege, "sample"), "sample college", *locale);
        const std::vector<PatternLine> patterns =
            options.patternsFile
                ? readPatterns(fileText(*options.patternsFile), *options.patternsFile)
                : readPatterns(fromUtf8(samplePatterns, "sample"), "sample patterns");

        printPreview(out, college, runTransfer(college, patterns, *locale), range, *locale, kind);
        return 0;
    } catch (const UsageError& error) {
        err << "bz-preview: " << error.what() << '\n';
        return 2;
    } catch (const InputError& error) {
        err << "bz-preview: " << error.what() << '\n';
        return 1;
    }
}

} // namespace bz::preview
