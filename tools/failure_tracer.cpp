#include "failure_tracer.h"

#include "availability/report_line.h"
#include "availability/weekly_writer.h"
#include "calendar/college_setup.h"
#include "preview_host.h"
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

ConvertedPattern FailureTracer::convert(const std::u16string& pattern) {
    return ConvertPattern(state_.locale, state_.transfer.remembered, pattern);
}

Failure FailureTracer::trace(const ConvertedPattern& converted, const std::u16string& pattern,
                             const std::u16string& name, const std::u16string& hostKey) {
    if (const auto* failure = std::get_if<PatternFailure>(&converted))
        return failed(stages::parsingPattern, fieldName(failure->field), failure->text,
                      failure->error);
    return traceWriting(std::get<PatternRule>(converted), pattern, name, hostKey);
}

Failure FailureTracer::traceWriting(const PatternRule& rule, const std::u16string& pattern,
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
        // The rule converted, so the pattern splits: its teaching day as written.
        failure.field = fieldName(PatternField::teachingDay);
        failure.value = SplitPattern(pattern)[static_cast<std::size_t>(PatternField::teachingDay)];
    }
    return failure;
}

} // namespace bz::preview
