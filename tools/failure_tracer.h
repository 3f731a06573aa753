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
// stage. The tracer converts each line once with the component's own conversion step, remembering
// its conversions as the component does; a failed conversion names the field, its value and the
// run-time error, and a rule that converts is written with the component's own weekly writer on a
// scratch resource, over a calendar set up from the same college and a fresh day-mark store. It
// keeps the run-time error instead of turning it into a report line.
class FailureTracer {
  public:
    FailureTracer(const Variant& college, const Locale& locale);
    // The pattern's one conversion, which the trace and the warnings share.
    ConvertedPattern convert(const std::u16string& pattern);
    // Why the component failed on `pattern`, converted as `converted`.
    Failure trace(const ConvertedPattern& converted, const std::u16string& pattern,
                  const std::u16string& name, const std::u16string& hostKey);
    // The calendar set up from the college.
    const Calendar& calendar() const { return state_.calendar; }

  private:
    Failure traceWriting(const PatternRule& rule, const std::u16string& pattern,
                         const std::u16string& name, const std::u16string& hostKey);

    LinkHelperState state_;
};

} // namespace bz::preview
