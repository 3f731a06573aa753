#pragma once

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
// stage, so the tracer applies the pattern again with the component's own procedures, on a
// calendar set up from the same college and a fresh day-mark store, and keeps the run-time
// error they raise instead of turning it into a report line.
class FailureTracer {
  public:
    FailureTracer(const Variant& college, const Locale& locale);
    Failure trace(const std::u16string& pattern, const std::u16string& name,
                  const std::u16string& hostKey);
    // The calendar set up from the college.
    const Calendar& calendar() const { return state_.calendar; }

  private:
    LinkHelperState state_;
};

} // namespace bz::preview
