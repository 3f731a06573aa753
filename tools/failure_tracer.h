#pragma once

#include "rule.h"
#include "runtime/locale.h"
#include "runtime/variant.h"
#include "shell/link_helper_state.h"

#include <string>

namespace bz::preview {

// Why the component failed on one availability field.
struct Failure {
    std::u16string stage;
    std::string field; // the pattern field that failed, "pattern" for the split, or none
    std::u16string value;
    int errorNumber = 0;
    std::u16string description;
};

// Finds out why a pattern failed: the component's report names only the resource and the
// stage, so the tracer converts the pattern once more with the component's own conversions and,
// when they all succeed, writes the rule with its own weekly writer on a scratch resource, over
// a calendar set up from the same college and a fresh day-mark store. It keeps the run-time
// error instead of turning it into a report line.
class FailureTracer {
  public:
    FailureTracer(const Variant& college, const Locale& locale);
    Failure trace(const std::u16string& pattern, const std::u16string& name,
                  const std::u16string& hostKey);
    // The calendar set up from the college.
    const Calendar& calendar() const { return state_.calendar; }

  private:
    Failure traceWriting(const Rule& rule, const std::u16string& pattern,
                         const std::u16string& name, const std::u16string& hostKey);

    LinkHelperState state_;
};

} // namespace bz::preview
