#pragma once

#include "calendar_view.h"
#include "derived_calendar.h"
#include "failure_tracer.h"
#include "file_line.h"
#include "preview_host.h"
#include "warning.h"

#include <deque>
#include <string>
#include <vector>

namespace bz::preview {

// A line of the error report, with the input line, the resource (an index into the run's
// resources) and the failure behind it.
struct TracedLine {
    Source source;
    std::size_t resource;
    std::u16string text; // as the host receives it, without the CR LF before it
    Failure failure;
};

// What a finished transfer leaves for the views to show: the calendar, the resources asked for,
// the report as the host received it with the traced lines of those resources, and the
// warnings on them and on no resource in particular.
struct TransferOutcome {
    std::string localeName;
    const Locale* locale;
    DerivedCalendar calendar;
    std::vector<TeachingDay> days; // every teaching day of the calendar
    const std::deque<PreviewResource>* resources;
    std::vector<std::size_t> shown; // indices into `resources`, in the order of their first line
    std::u16string report;
    std::vector<TracedLine> traced;
    WarningList warnings;
    std::string patternsFile;

    const PreviewResource& resource(std::size_t index) const { return (*resources)[index]; }
};

} // namespace bz::preview
