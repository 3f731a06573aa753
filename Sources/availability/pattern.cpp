#include "pattern.h"

#include "availability/remembered_conversions.h"
#include "availability/report_line.h"
#include "availability/weekly_writer.h"
#include "runtime/error.h"
#include "runtime/locale.h"

namespace bz {

PatternFields SplitPattern(const std::u16string& pattern) {
    PatternFields fields;
    const auto length = static_cast<std::int64_t>(pattern.size());
    Integer start = 1; // 1-based position where the current field begins
    Integer count = 0;
    do {
        const std::size_t found = start - 1 < length
                                      ? pattern.find(u'|', static_cast<std::size_t>(start - 1))
                                      : std::u16string::npos;
        const Integer separator = toInteger(
            found == std::u16string::npos ? std::int64_t{0} : static_cast<std::int64_t>(found) + 1);
        const std::int64_t fieldLength = separator > 0 ? separator - start : length + 1 - start;
        if (count >= 6)
            raise(ErrorNumber::SubscriptOutOfRange);
        if (start <= length)
            fields[static_cast<std::size_t>(count)] = std::u16string_view(pattern).substr(
                static_cast<std::size_t>(start - 1), static_cast<std::size_t>(fieldLength));
        count = addInteger(count, 1);
        start = addInteger(separator, 1);
    } while (start > 1);
    return fields;
}

namespace {

// Converts the five fields in the pattern's order; `field` follows the one being converted, so
// that a failure names it.
PatternRule convertFields(const Locale& locale, RememberedConversions& remembered,
                          const PatternFields& fields, PatternField& field) {
    PatternRule rule;
    field = PatternField::firstDate;
    rule.firstDate = remembered.date(locale, fields[0]);
    field = PatternField::lastDate;
    rule.lastDate = remembered.date(locale, fields[1]);
    field = PatternField::teachingDay;
    rule.teachingDay = remembered.integer(locale, fields[2]);
    field = PatternField::startTime;
    rule.startTime = remembered.date(locale, fields[3]);
    field = PatternField::endTime;
    rule.endTime = remembered.date(locale, fields[4]);
    return rule;
}

} // namespace

ConvertedPattern ConvertPattern(const Locale& locale, RememberedConversions& remembered,
                                const std::u16string& pattern) {
    PatternFields fields;
    try {
        fields = SplitPattern(pattern);
    } catch (const AutomationError& error) {
        return PatternFailure{PatternField::whole, pattern, error};
    }
    PatternField field = PatternField::firstDate;
    try {
        return convertFields(locale, remembered, fields, field);
    } catch (const AutomationError& error) {
        return PatternFailure{field, std::u16string(fields[static_cast<std::size_t>(field)]),
                              error};
    }
}

void ApplyAvailabilityPattern(const Conversion& conversion, const ObjectRef& target,
                              const std::u16string& pattern) {
    conversion.strStage.set(stages::parsingPattern);
    auto converted = ConvertPattern(conversion.locale, conversion.remembered, pattern);
    if (const auto* failure = std::get_if<PatternFailure>(&converted))
        throw failure->error;
    PatternRule& rule = std::get<PatternRule>(converted);
    SetAvailabilities(conversion, target, rule.firstDate, rule.lastDate, rule.startTime,
                      rule.endTime, rule.teachingDay);
}

} // namespace bz
