#include "rule.h"

#include "runtime/error.h"

namespace bz::preview {

std::optional<FieldFailure> convertFields(Rule& rule, const Locale& locale) {
    std::size_t field = 0;
    try {
        rule.firstDate = locale.parseDate(rule.fields[0]);
        rule.lastDate = locale.parseDate(rule.fields[++field]);
        rule.teachingDay = textToInteger(locale, rule.fields[++field]);
        rule.startTime = locale.parseDate(rule.fields[++field]);
        rule.endTime = locale.parseDate(rule.fields[++field]);
    } catch (const AutomationError& error) {
        return FieldFailure{field, error};
    }
    return std::nullopt;
}

} // namespace bz::preview
