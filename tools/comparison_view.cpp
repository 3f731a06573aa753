#include "comparison_view.h"

#include "file_line.h"

namespace bz::preview {

void printComparison(std::ostream& out, const Comparison& comparison, Format format) {
    switch (format) {
    case Format::Json:
        printComparisonJson(out, comparison);
        return;
    case Format::Html:
        printComparisonHtml(out, comparison);
        return;
    case Format::Text:
        printComparisonText(out, comparison);
        return;
    }
}

const char* changeText(Cell now) {
    switch (now) {
    case Cell::Available:
        return "now available";
    case Cell::Unavailable:
        return "now unavailable";
    case Cell::Unwritten:
        break;
    }
    return "no longer written";
}

std::string changeText(const PeriodChange& change, const std::string& patternsFile) {
    std::string text =
        clockOf(change.from) + "-" + clockOf(change.to) + " " + changeText(change.now);
    return change.line > 0 ? text + " (" + fileLine(patternsFile, change.line) + ")" : text;
}

const char* presenceText(Presence presence) {
    switch (presence) {
    case Presence::Appeared:
        return "new resource";
    case Presence::Disappeared:
        return "gone";
    case Presence::Both:
        break;
    }
    return "changed";
}

} // namespace bz::preview
