// The comparison for people: what changed between an earlier and a later preview.
#include "comparison_view.h"

#include <vector>

namespace bz::preview {

namespace {

// Lines shown per changed resource: with its heading, a terminal's screenful.
constexpr std::size_t linesPerResource = 20;

std::vector<std::string> resourceLines(const ResourceChanges& resource,
                                       const Comparison& comparison) {
    std::vector<std::string> lines;
    for (const DayChanges& day : resource.days) {
        std::string line =
            daysText(day.days, comparison.calendar) + ": " + weekdayOfDay(day.days.front()) + ' ';
        for (std::size_t i = 0; i < day.changes.size(); ++i)
            line += (i ? ", " : "") + changeText(day.changes[i], comparison.patternsFile);
        lines.push_back(std::move(line));
    }
    for (const SnapshotLine& line : resource.newLines)
        lines.push_back("new report line: " + line.text + " (" + line.source.text() + ")");
    for (const SnapshotLine& line : resource.goneLines)
        lines.push_back("report line gone: " + line.text + " (was " + line.source.text() + ")");
    return lines;
}

void printResource(std::ostream& out, const ResourceChanges& resource,
                   const Comparison& comparison) {
    out << '\n'
        << resource.name << " (host key " << resource.hostKey
        << "): " << presenceText(resource.presence) << '\n';
    const std::vector<std::string> lines = resourceLines(resource, comparison);
    const std::size_t shown = lines.size() > linesPerResource ? linesPerResource - 1 : lines.size();
    for (std::size_t i = 0; i < shown; ++i)
        out << "  " << lines[i] << '\n';
    if (shown < lines.size())
        out << "  ... and " << lines.size() - shown
            << " more lines (--format json or html shows them all)\n";
}

void printWarnings(std::ostream& out, const char* heading, const std::vector<std::string>& texts) {
    if (texts.empty())
        return;
    out << '\n' << heading << ":\n";
    for (const std::string& text : texts)
        out << "  " << text << '\n';
}

} // namespace

void printComparisonText(std::ostream& out, const Comparison& comparison) {
    out << "Earlier: " << comparison.earlierName << "\nLater: " << comparison.laterName << '\n';
    if (!comparison.anyChange()) {
        out << "Nothing changed: " << comparison.unchanged << " resources the same.\n";
        return;
    }
    if (!comparison.calendarChanges.empty()) {
        out << "The calendar changed; days are compared by date and time of day:\n";
        for (const CalendarChange& change : comparison.calendarChanges)
            out << "  " << change.member << ": " << change.earlier << " -> " << change.later
                << '\n';
    }
    out << comparison.changed.size() << " resources changed, " << comparison.unchanged
        << " unchanged; warnings: " << comparison.newWarnings.size() << " new, "
        << comparison.goneWarnings.size() << " gone.\n";
    for (const ResourceChanges& resource : comparison.changed)
        printResource(out, resource, comparison);
    printWarnings(out, "New warnings", comparison.newWarnings);
    printWarnings(out, "Warnings gone", comparison.goneWarnings);
}

} // namespace bz::preview
