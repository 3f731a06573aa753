#include "failure_tracer.h"

#include "availability/report_line.h"
#include "availability/weekly_writer.h"
#include "calendar/college_setup.h"
#include "preview_host.h"
#include "rule.h"
#include "runtime/error.h"

namespace bz::preview {

namespace {

Failure failed(std::u16string_view stage, std::string field, std::u16string value,
               const AutomationError& error) {
    return {std::u16string(stage), std::move(field), std::move(value), error.number(),
            error.description()};
}

} // namespace

FailureTracer::FailureTracer(const Variant& college, const Locale& locale) : state_(locale) {
    SetActiveCollegeReference(state_.varCollege, state_.calendar, state_.locale, college);
}

Failure FailureTracer::trace(const std::u16string& pattern, const std::u16string& name,
                             const std::u16string& hostKey) {
    Rule rule;
    try {
        rule.fields = SplitPattern(pattern);
    } catch (const AutomationError& error) {
        return failed(stages::parsingPattern, "pattern", pattern, error);
    }
    if (const std::optional<FieldFailure> field = convertFields(rule, state_.locale))
        return failed(stages::parsingPattern, fieldNames[field->field],
                      std::u16string(rule.fields[field->field]), field->error);
    return traceWriting(rule, pattern, name, hostKey);
}

Failure FailureTracer::traceWriting(const Rule& rule, const std::u16string& pattern,
                                    const std::u16string& name, const std::u16string& hostKey) {
    HostContext scratch;
    PreviewResource resource(name, hostKey, scratch);
    state_.transfer.dictMarkedDays = std::make_unique<DayMarkStore>();
    Failure failure{{}, {}, pattern, 0, {}};
    try {
        Date startTime = rule.startTime, endTime = rule.endTime;
        SetAvailabilities(state_.conversion(), ObjectRef(&resource), rule.firstDate, rule.lastDate,
                          startTime, endTime, rule.teachingDay);
    } catch (const AutomationError& error) {
        failure.errorNumber = error.number();
        failure.description = error.description();
    }
    failure.stage = state_.strStage.text(state_.locale);
    if (failure.stage.starts_with(Stage::dateToPeriodText)) {
        failure.field = "date";
        failure.value = failure.stage.substr(Stage::dateToPeriodText.size());
    } else if (failure.stage == stages::dayOfWeek) {
        failure.field = fieldNames[2];
        failure.value = rule.fields[2];
    }
    return failure;
}

} // namespace bz::preview
