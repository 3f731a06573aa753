#include "failure_tracer.h"

#include "availability/pattern.h"
#include "calendar/college_setup.h"
#include "preview_host.h"
#include "rule.h"
#include "runtime/error.h"

namespace bz::preview {

namespace {

constexpr std::u16string_view dateToPeriod = u"Date To Period";

// The field and value a failure at `stage` comes from.
void locate(Failure& failure, const std::u16string& pattern, const Locale& locale) {
    Rule rule;
    try {
        rule.fields = SplitPattern(pattern);
    } catch (const AutomationError&) {
        failure.field = "pattern";
        failure.value = pattern;
        return;
    }
    const int field = convertFields(rule, locale);
    if (failure.stage.starts_with(dateToPeriod)) {
        failure.field = "date";
        failure.value = failure.stage.substr(dateToPeriod.size());
    } else if (field >= 0) {
        failure.field = fieldNames[static_cast<std::size_t>(field)];
        failure.value = rule.fields[static_cast<std::size_t>(field)];
    } else if (failure.stage == u"Calculating Day of Week") {
        failure.field = fieldNames[2];
        failure.value = rule.fields[2];
    } else {
        failure.value = pattern;
    }
}

} // namespace

FailureTracer::FailureTracer(const Variant& college, const Locale& locale) : state_(locale) {
    SetActiveCollegeReference(state_.varCollege, state_.calendar, state_.locale, college);
}

Failure FailureTracer::trace(const std::u16string& pattern, const std::u16string& name,
                             const std::u16string& hostKey) {
    HostContext scratch;
    PreviewResource resource(name, hostKey, scratch);
    state_.transfer.dictMarkedDays = std::make_unique<DayMarkStore>();
    Failure failure;
    try {
        ApplyAvailabilityPattern(state_.conversion(), ObjectRef(&resource), pattern);
    } catch (const AutomationError& error) {
        failure.errorNumber = error.number();
        failure.description = error.description();
    }
    failure.stage = state_.strStage.text(state_.locale);
    locate(failure, pattern, state_.locale);
    return failure;
}

} // namespace bz::preview
