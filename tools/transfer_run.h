#pragma once

#include "college_json.h"
#include "derived_calendar.h"
#include "failure_tracer.h"
#include "link_helper.h"
#include "patterns_csv.h"
#include "preview_host.h"
#include "rule_warnings.h"
#include "warning.h"

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace bz::preview {

// A line of the error report, with the input line and the failure behind it.
struct TracedLine {
    Source source;
    std::u16string name;
    std::u16string hostKey;
    std::u16string text; // as the host receives it, without the CR LF before it
    Failure failure;
};

// One availability transfer, run as the host runs it, one field at a time: hands the college
// to the link helper and prepares the transfer; `send` passes each field to its resource
// (one per distinct name and host key); `finish` finishes the transfer. Keeps only what the
// preview shows: each resource's periods, the report with its traces and the warnings.
class TransferRun {
  public:
    // InputError naming the member the component fails on when it rejects the college.
    // `keepSources`: each period of the calendar remembers the line that wrote it.
    // `locale` is the one `helper` reads under.
    TransferRun(const CollegeFile& college, std::unique_ptr<LinkHelper> helper,
                const Locale& locale, DateOrder order, bool keepSources);

    void send(const PatternLine& field, const std::string& fileName);
    void finish();

    const DerivedCalendar& calendar() const { return calendar_; }
    const std::deque<PreviewResource>& resources() const { return resources_; }
    const std::u16string& report() const { return transfer_.text(); }
    const std::vector<TracedLine>& traced() const { return traced_; }
    const std::vector<Warning>& warnings() const { return warnings_; }
    void warn(Warning warning) { warnings_.push_back(std::move(warning)); }

  private:
    PreviewResource& resourceFor(const PatternLine& field, const Source& source);
    void checkRule(const PatternLine& field, const Source& source);
    void matchReportLines();

    const Locale& locale_;
    DateOrder order_;
    HostContext context_;
    PreviewCollege college_;
    PreviewTransfer transfer_;
    std::unique_ptr<LinkHelper> helper_; // after the host objects it may hold, gone before them
    DerivedCalendar calendar_;
    std::optional<FailureTracer> tracer_;
    std::deque<PreviewResource> resources_;
    std::unordered_map<std::u16string, std::size_t> resourceIndex_; // name NUL host key
    std::unordered_map<std::u16string, std::pair<std::u16string, Source>> keyNames_;
    std::vector<TracedLine> traced_;
    std::vector<Warning> warnings_;
};

} // namespace bz::preview
