#include "options.h"

#include <CLI/CLI.hpp>

#include <map>

namespace bz::preview {

namespace {

constexpr const char* description =
    "Runs one availability transfer through the link helper against an in-memory host, as the "
    "timetabling host would: hands it the college, sends every pattern to its resource and "
    "finishes the transfer. Shows what each resource received, the error report the host "
    "receives with the line, field, value and run-time error behind each of its lines, and "
    "warnings on rules the component accepts but may not read as meant.";

constexpr const char* footer = R"(
College (JSON): {"startDate": "2024-09-02", "startTime": "09:00", "endTime": "17:00",
  "PeriodsPerDay": 8, "WeeksPerYear": 4, "DaysOfWeek": [2, 3, 4, 5, 6]}
  numbers or texts, the texts read under the locale; DaysOfWeek 1 = Sunday .. 7 = Saturday.
Patterns (CSV with a header row): hostkey,name,pattern
  R12,Room 12,2024-09-02|2024-09-27|1|09:00|12:00
Exit status: 0 when the error report is empty, 1 when it is not (or, with --strict, when
there are warnings), 2 for input the previewer cannot use. With --compare: 0 when nothing
changed, 1 when something did, 2 for input the previewer cannot use.)";

// "hostkey=ID" pairs into the column names.
std::string mapColumns(const std::vector<std::string>& pairs, ColumnNames& columns) {
    const std::map<std::string, std::string*> targets = {
        {"hostkey", &columns.hostKey}, {"name", &columns.name}, {"pattern", &columns.pattern}};
    for (const std::string& pair : pairs) {
        const auto equals = pair.find('=');
        const auto target = targets.find(pair.substr(0, equals));
        if (equals == std::string::npos || target == targets.end())
            return "expected hostkey=, name= or pattern= followed by a header name, found '" +
                   pair + "'";
        *target->second = pair.substr(equals + 1);
    }
    return {};
}

// What --compare cannot be combined with; empty when nothing.
std::string compareProblem(const Options& options) {
    if (options.compare.empty())
        return {};
    if (options.compare.size() == 2 && !options.collegeFile.empty())
        return "with two previews runs nothing: leave out --college and --patterns";
    if (options.grid || options.days || options.strict)
        return "shows what changed: --grid, --days and --strict do not apply";
    return {};
}

void addOptions(CLI::App& app, Options& options, std::vector<std::string>& columns) {
    CLI::Option* college = app.add_option(
        "-c,--college", options.collegeFile,
        "the college, a JSON file (with --patterns; without both: the embedded sample)");
    CLI::Option* patterns =
        app.add_option("-p,--patterns", options.patternsFile,
                       "the availability fields to send, a CSV file; - reads standard input");
    college->needs(patterns);
    patterns->needs(college);
    app.add_option("--locale", options.locale,
                   "en-US, en-GB or de-DE: how dates, times and numbers are read and shown "
                   "(default: from LC_ALL, LC_TIME or LANG)")
        ->check(CLI::IsMember({"en-US", "en-GB", "de-DE"}));
    app.add_option("--columns", columns,
                   "header names of other columns: hostkey=ID,name=Room,pattern=Availability")
        ->delimiter(',');
    app.add_option("--delimiter", options.dialect.delimiter,
                   "the patterns file's field delimiter: , ; or tab (default: the one of them "
                   "that splits its header into the columns looked for)")
        ->transform(CLI::CheckedTransformer(
            std::map<std::string, char>{{",", ','}, {";", ';'}, {"tab", '\t'}, {"\t", '\t'}}))
        ->option_text("CHAR");
    app.add_option("--encoding", options.dialect.encoding,
                   "the patterns file's encoding when it has no byte-order mark: utf-8, "
                   "windows-1252, utf-16le or utf-16be (default: UTF-8, or Windows-1252 when "
                   "the text is not UTF-8)")
        ->transform(CLI::CheckedTransformer(
            std::map<std::string, Encoding>{{"utf-8", Encoding::Utf8},
                                            {"utf-16le", Encoding::Utf16Le},
                                            {"utf-16be", Encoding::Utf16Be},
                                            {"windows-1252", Encoding::Windows1252}},
            CLI::ignore_case))
        ->option_text("NAME");
    app.add_flag("--strict", options.strict, "warnings count for the exit status");
    app.add_option("--format", options.format, "text (default), json or html")
        ->transform(CLI::CheckedTransformer(std::map<std::string, Format>{{"text", Format::Text},
                                                                          {"json", Format::Json},
                                                                          {"html", Format::Html}},
                                            CLI::ignore_case));
    app.add_flag("--days", options.days,
                 "with --format json: every written teaching day instead of folded weeks");
    app.add_option("-o,--output", options.output, "write to FILE instead of standard output");
    app.add_flag("--grid", options.grid, "show each teaching day's periods, one character each");
    app.add_option("--resource", options.resources, "show only the resource with host key KEY");
    app.add_option("--weeks", options.weeks, "with --grid: only the first N weeks")
        ->check(CLI::PositiveNumber);
    app.add_option("--compare", options.compare,
                   "show what changed since EARLIER, a JSON preview: in this run, or, given "
                   "LATER too, in that JSON preview without running anything")
        ->expected(1, 2)
        ->type_name("EARLIER [LATER]");
    app.add_option("--from", options.from, "with --grid: only the days from DATE ...");
    app.add_option("--to", options.to, "... up to DATE (both inclusive)");
#ifdef _WIN32
    CLI::Option* dll =
        app.add_option("--dll", options.dll,
                       "the component's DLL to load (default: the registered Brenik_Zefa.dll)");
    app.add_flag("--check", options.check,
                 "check the installation for a host of this bitness instead, one line per "
                 "check (with --format json for scripts); exit status 1 when one fails")
        ->excludes(college, patterns, dll);
#endif
}

} // namespace

std::variant<Options, int> parseOptions(std::span<const std::string> args, std::ostream& out,
                                        std::ostream& err) {
    CLI::App app(description, "bz-preview");
    app.footer(footer);
    app.set_version_flag("--version", "bz-preview " BZ_VERSION);
    Options options;
    std::vector<std::string> columns;
    addOptions(app, options, columns);
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0)
            return app.exit(error, out, err);
        err << "bz-preview: " << error.what() << " (see --help)\n";
        return 2;
    }
    if (const std::string problem = mapColumns(columns, options.columns); !problem.empty()) {
        err << "bz-preview: --columns: " << problem << '\n';
        return 2;
    }
    if (options.check && (options.format == Format::Html || !options.compare.empty())) {
        err << "bz-preview: --check runs no preview and writes text or json\n";
        return 2;
    }
    if (options.format == Format::Html && !options.output) {
        err << "bz-preview: --format html needs --output FILE\n";
        return 2;
    }
    if (options.days && options.format != Format::Json) {
        err << "bz-preview: --days needs --format json\n";
        return 2;
    }
    if (const std::string problem = compareProblem(options); !problem.empty()) {
        err << "bz-preview: --compare " << problem << '\n';
        return 2;
    }
    // The embedded sample writes its dates day first.
    if (options.collegeFile.empty() && !options.locale)
        options.locale = "en-GB";
    return options;
}

} // namespace bz::preview
