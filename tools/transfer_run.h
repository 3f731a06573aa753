#pragma once

#include "college_json.h"
#include "link_helper.h"
#include "patterns_csv.h"
#include "preview_host.h"
#include "rule_warnings.h"
#include "transfer_outcome.h"

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>

namespace bz::preview {

// What the run keeps besides each resource's periods.
struct RunSettings {
    // Each period of the calendar remembers the line that wrote it.
    bool keepSources = false;
    // The host keys of the resources whose report lines and warnings are kept; all when empty.
    std::set<std::u16string> hostKeys;
};

// One availability transfer, run as the host runs it, one field at a time: hands the college
// to the link helper and prepares the transfer; `send` passes each field to its resource
// (one per distinct name and host key) and explains a failure or warns of a surprise there and
// then; `finish` finishes the transfer and hands over its outcome.
class TransferRun {
  public:
    // InputError naming the member the component fails on when it rejects the college.
    // `locale` is the one `helper` reads under.
    TransferRun(const CollegeFile& college, std::unique_ptr<LinkHelper> helper,
                const Locale& locale, DateOrder order, RunSettings settings);

    void warn(Warning warning) { outcome_.warnings.add(std::move(warning)); }
    void send(const PatternLine& field, const std::string& fileName);
    // InputError for a host key asked for that no resource has. The outcome refers to the
    // run's resources: the run must outlive it.
    TransferOutcome finish();

  private:
    std::size_t resourceFor(const PatternLine& field, const Source& source);
    bool wanted(std::size_t resource) const;
    void checkRule(const Rule& rule, const Source& source, std::size_t resource);

    const Locale& locale_;
    DateOrder order_;
    RunSettings settings_;
    HostContext context_;
    PreviewCollege college_;
    PreviewTransfer transfer_;
    std::unique_ptr<LinkHelper> helper_; // after the host objects it may hold, gone before them
    std::optional<FailureTracer> tracer_;
    std::deque<PreviewResource> resources_;
    std::unordered_map<std::u16string, std::size_t> resourceIndex_; // name NUL host key
    std::unordered_map<std::u16string, std::pair<std::u16string, Source>> keyNames_;
    TransferOutcome outcome_;
};

} // namespace bz::preview
