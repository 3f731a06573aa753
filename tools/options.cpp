#include "options.h"

#include "input_error.h"

namespace bz::preview {

namespace {

constexpr PortableLocaleKind localeKinds[] = {PortableLocaleKind::EnUs, PortableLocaleKind::EnGb,
                                              PortableLocaleKind::DeDe};

PortableLocaleKind localeNamed(const std::string& name) {
    for (PortableLocaleKind kind : localeKinds)
        if (name == localeName(kind))
            return kind;
    throw UsageError("--locale: unknown locale '" + name + "' (use en-US, en-GB or de-DE)");
}

int weekCount(const std::string& text) {
    int weeks = 0;
    for (char c : text) {
        if (c < '0' || c > '9' || weeks > 100000)
            throw UsageError("--weeks: expected a whole number of weeks, found '" + text + "'");
        weeks = weeks * 10 + (c - '0');
    }
    if (text.empty() || weeks == 0)
        throw UsageError("--weeks: expected at least 1 week, found '" + text + "'");
    return weeks;
}

} // namespace

const char* localeName(PortableLocaleKind kind) {
    switch (kind) {
    case PortableLocaleKind::EnGb:
        return "en-GB";
    case PortableLocaleKind::DeDe:
        return "de-DE";
    case PortableLocaleKind::EnUs:
        break;
    }
    return "en-US";
}

Options parseOptions(std::span<const std::string> args) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--help" || option == "-h") {
            options.help = true;
            continue;
        }
        if (option != "--college" && option != "--patterns" && option != "--locale" &&
            option != "--weeks" && option != "--from" && option != "--to")
            throw UsageError("unknown option '" + option + "' (see --help)");
        if (i + 1 == args.size())
            throw UsageError(option + " needs a value (see --help)");
        const std::string& value = args[++i];
        if (option == "--college")
            options.collegeFile = value;
        else if (option == "--patterns")
            options.patternsFile = value;
        else if (option == "--locale")
            options.locale = localeNamed(value);
        else if (option == "--weeks")
            options.weeks = weekCount(value);
        else if (option == "--from")
            options.from = value;
        else
            options.to = value;
    }
    return options;
}

const char* usageText() {
    return R"(Usage: bz-preview [options]

Runs an availability transfer through the link helper against an in-memory host and shows what
it writes into each resource, period by period, and the error report the host receives. Without
files it runs an embedded sample college and sample patterns.

Options:
  --college FILE    the college calendar (default: the sample college)
  --patterns FILE   the availability fields to send (default: the sample patterns)
  --locale NAME     en-US, en-GB or de-DE: how dates, times and numbers are read and shown
                    (default: from LC_ALL, LC_TIME or LANG; en-US when none names one)
  --weeks N         show only the first N weeks
  --from DATE       show only the days from DATE ...
  --to DATE         ... up to DATE (both inclusive; dates in the locale or as 2024-09-02)
  -h, --help        show this text

College file: one "key: value" line for each key; '#' starts a comment line.
  start date: 2024-09-02             first day of the calendar (a date in the locale)
  start time: 09:00                  start of the teaching day
  end time: 17:00                    end of the teaching day
  periods per day: 8                 1 to 1440
  weeks per year: 4                  1 to 32767
  days of week: Mon Tue Wed Thu Fri  teaching days, first one first (or 1 = Sunday .. 7)
The start date should fall on the first teaching day: the component counts teaching days from
the weekday of the start date.

Patterns file: one availability field per line, sent in file order; '#' starts a comment line.
  resource name|host key|first date|last date|teaching day|start time|end time
e.g. Room 12|R12|2024-09-02|2024-09-27|1|09:00|12:00 makes Room 12 available on the first
teaching day of every week from 2 to 27 September 2024, 09:00 to 12:00. Everything after the
second '|' is the pattern exactly as the host would send it. Lines with the same name and host
key address the same resource.

Grid: one line per teaching day, one character per period under its start time:
  # available   - unavailable   . not written
Exit status: 0 when the preview ran (whatever the error report says), 1 for an unusable file
or a college the component rejects, 2 for a wrong command line.
)";
}

} // namespace bz::preview
