#pragma once

#include "comparison.h"
#include "options.h"

#include <ostream>
#include <string>

namespace bz::preview {

// The comparison of two previews in the chosen format. Text: the calendar's changes first, then
// each changed resource with its changed days folded over weeks ("weeks 3-15: Thu 13:00-16:00
// now unavailable (patterns.csv:812)") and its new and gone report lines, a screenful at most,
// the unchanged resources counted, then the new and gone warnings. JSON: the same for scripts
// (the README describes it). HTML: a summary, then a grid per changed resource whose changed
// cells carry a mark as well as a colour.
void printComparison(std::ostream& out, const Comparison& comparison, Format format);

// "now available", "now unavailable" or "no longer written".
const char* changeText(Cell now);
// "13:00-16:00 now unavailable (patterns.csv:812)".
std::string changeText(const PeriodChange& change, const std::string& patternsFile);
// "new resource", "gone", or "changed".
const char* presenceText(Presence presence);

void printComparisonText(std::ostream& out, const Comparison& comparison);
void printComparisonJson(std::ostream& out, const Comparison& comparison);
void printComparisonHtml(std::ostream& out, const Comparison& comparison);

} // namespace bz::preview
