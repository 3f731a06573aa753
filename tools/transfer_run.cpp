#include "transfer_run.h"

#include "college_warnings.h"
#include "input_error.h"
#include "runtime/error.h"
#include "runtime/text.h"

namespace bz::preview {

namespace {

constexpr std::u16string_view reportPrefix = u"\r\nError converting availability for '";

std::string rejection(const CollegeFile& college, const std::u16string& member,
                      const AutomationError& error) {
    return college.where(member) + ": the component cannot set up the college from '" +
           toUtf8(member) + "': run-time error " + std::to_string(error.number()) + " (" +
           toUtf8(error.description()) + ")";
}

} // namespace

TransferRun::TransferRun(const CollegeFile& college, std::unique_ptr<LinkHelper> helper,
                         const Locale& locale, DateOrder order, bool keepSources)
    : locale_(locale), order_(order), college_(college.members), helper_(std::move(helper)) {
    try {
        helper_->setActiveCollegeReference(college_);
    } catch (const AutomationError& error) {
        throw InputError(rejection(college, college_.lastRead(), error));
    }
    // The tracer derives the calendar as the component did, from the same college and locale.
    tracer_.emplace(ObjectRef(&college_), locale);
    calendar_ = derivedCalendar(tracer_->calendar());
    for (Warning& warning : collegeWarnings(college, calendar_))
        warnings_.push_back(std::move(warning));
    if (keepSources)
        context_.sourcePeriods = calendar_.periodsPerWeek() * calendar_.weekCount();
    helper_->prepareAvailabilityTransfer();
}

void TransferRun::send(const PatternLine& field, const std::string& fileName) {
    const Source source{fileName, field.line};
    PreviewResource& resource = resourceFor(field, source);
    context_.line = field.line;
    context_.effects = {};
    helper_->setAvailabilityByString(resource, field.pattern);
    if (context_.effects.nameReads > 0)
        traced_.push_back({source,
                           field.name,
                           field.hostKey,
                           {},
                           tracer_->trace(field.pattern, field.name, field.hostKey)});
    else
        checkRule(field, source);
}

void TransferRun::finish() {
    helper_->finishAvailabilityTransfer(transfer_);
    matchReportLines();
}

PreviewResource& TransferRun::resourceFor(const PatternLine& field, const Source& source) {
    const auto [named, isNew] = keyNames_.try_emplace(field.hostKey, field.name, source);
    if (!isNew && named->second.first != field.name)
        warnings_.push_back(
            {source.text(), "host key '" + toUtf8(field.hostKey) + "' also belongs to '" +
                                toUtf8(named->second.first) + "' (" + named->second.second.text() +
                                "): the two share its day marks"});
    const std::u16string key = field.name + u'\0' + field.hostKey;
    const auto [found, added] = resourceIndex_.try_emplace(key, resources_.size());
    if (added)
        resources_.emplace_back(field.name, field.hostKey, context_);
    return resources_[found->second];
}

void TransferRun::checkRule(const PatternLine& field, const Source& source) {
    Rule rule;
    rule.fields = SplitPattern(field.pattern);
    convertFields(rule, locale_);
    for (std::string& message : ruleWarnings(rule, calendar_, context_.effects, locale_, order_))
        warnings_.push_back({source.text(), std::move(message)});
}

// Each failure added one line to the report, in order: CR LF, "Error converting availability
// for '", the resource's name, "': " and the stage. The line is taken from the report itself;
// should a stage differ from the tracer's, the line runs to the next line's start.
void TransferRun::matchReportLines() {
    const std::u16string& report = transfer_.text();
    std::size_t start = 0;
    for (TracedLine& line : traced_) {
        const std::u16string expected =
            std::u16string(reportPrefix) + line.name + u"': " + line.failure.stage;
        std::size_t length = expected.size();
        if (report.compare(start, length, expected) != 0)
            length = std::min(report.find(reportPrefix, start + 2), report.size()) - start;
        line.text = report.substr(start + 2, length - 2);
        start += length;
    }
}

} // namespace bz::preview
