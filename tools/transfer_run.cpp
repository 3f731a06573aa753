#include "transfer_run.h"

#include "availability/report_line.h"
#include "college_warnings.h"
#include "input_error.h"
#include "runtime/error.h"
#include "runtime/text.h"

#include <algorithm>

namespace bz::preview {

namespace {

std::string rejection(const CollegeFile& college, const std::u16string& member,
                      const AutomationError& error) {
    return college.where(member) + ": the component cannot set up the college from '" +
           toUtf8(member) + "': run-time error " + std::to_string(error.number()) + " (" +
           toUtf8(error.description()) + ")";
}

} // namespace

TransferRun::TransferRun(const CollegeFile& college, std::unique_ptr<LinkHelper> helper,
                         const Locale& locale, DateOrder order, RunSettings settings)
    : locale_(locale), order_(order), settings_(std::move(settings)), college_(college.members),
      helper_(std::move(helper)) {
    try {
        helper_->setActiveCollegeReference(college_);
    } catch (const AutomationError& error) {
        throw InputError(rejection(college, college_.lastRead(), error));
    }
    // The tracer derives the calendar as the component did, from the same college and locale.
    tracer_.emplace(ObjectRef(&college_), locale);
    outcome_.locale = &locale;
    outcome_.calendar = derivedCalendar(tracer_->calendar());
    for (Warning& warning : collegeWarnings(college, outcome_.calendar))
        warn(std::move(warning));
    if (settings_.keepSources)
        context_.sourcePeriods = outcome_.calendar.periodsPerWeek() * outcome_.calendar.weekCount();
    helper_->prepareAvailabilityTransfer();
}

// The component reads a resource's name only to report a failure on it: then the failure is
// traced, and the line's report line is rebuilt from the name and the stage the trace reaches (the
// report itself is the transfer object's, whole). A line the component accepted is checked for
// warnings instead.
void TransferRun::send(const PatternLine& field, const std::string& fileName) {
    const Source source{fileName, field.line};
    const std::size_t index = resourceFor(field, source);
    context_.line = field.line;
    context_.effects = {};
    helper_->setAvailabilityByString(resources_[index], field.pattern);
    if (!wanted(index))
        return;
    const ConvertedPattern converted = tracer_->convert(field.pattern);
    if (context_.effects.nameReads == 0) {
        if (const auto* rule = std::get_if<PatternRule>(&converted))
            checkRule({SplitPattern(field.pattern), *rule}, source, index);
        return;
    }
    Failure failure = tracer_->trace(converted, field.pattern, field.name, field.hostKey);
    std::u16string text = AvailabilityReportLine(field.name, failure.stage);
    outcome_.traced.push_back({source, index, std::move(text), std::move(failure)});
}

TransferOutcome TransferRun::finish() {
    helper_->finishAvailabilityTransfer(transfer_);
    for (const std::u16string& key : settings_.hostKeys)
        if (std::none_of(resources_.begin(), resources_.end(),
                         [&](const PreviewResource& r) { return r.hostKey() == key; }))
            throw InputError("--resource: no resource has the host key '" + toUtf8(key) + "'");
    outcome_.days = teachingDays(outcome_.calendar, {});
    outcome_.resources = &resources_;
    for (std::size_t index = 0; index < resources_.size(); ++index)
        if (wanted(index))
            outcome_.shown.push_back(index);
    outcome_.report = transfer_.text();
    return std::move(outcome_);
}

std::size_t TransferRun::resourceFor(const PatternLine& field, const Source& source) {
    const std::u16string key = field.name + u'\0' + field.hostKey;
    const auto [found, added] = resourceIndex_.try_emplace(key, resources_.size());
    if (added)
        resources_.emplace_back(field.name, field.hostKey, context_);
    const auto [named, isNew] = keyNames_.try_emplace(field.hostKey, field.name, source);
    if (!isNew && named->second.first != field.name && wanted(found->second))
        outcome_.warnings.add(
            {source.text(), "host key '" + toUtf8(field.hostKey) + "' also belongs to '" +
                                toUtf8(named->second.first) + "' (" + named->second.second.text() +
                                "): the two share its day marks"},
            found->second);
    return found->second;
}

bool TransferRun::wanted(std::size_t resource) const {
    return settings_.hostKeys.empty() ||
           settings_.hostKeys.contains(resources_[resource].hostKey());
}

void TransferRun::checkRule(const Rule& rule, const Source& source, std::size_t resource) {
    for (Warning& warning :
         ruleWarnings(rule, outcome_.calendar, context_.effects, locale_, order_)) {
        warning.where = source.text();
        outcome_.warnings.add(std::move(warning), resource);
    }
}

} // namespace bz::preview
