#include "pattern.h"

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
            fields[static_cast<std::size_t>(count)] = pattern.substr(
                static_cast<std::size_t>(start - 1), static_cast<std::size_t>(fieldLength));
        count = addInteger(count, 1);
        start = addInteger(separator, 1);
    } while (start > 1);
    return fields;
}

void ApplyAvailabilityPattern(const Conversion& conversion, const ObjectRef& target,
                              const std::u16string& pattern) {
    conversion.strStage.set(stages::parsingPattern);
    const PatternFields fields = SplitPattern(pattern);
    const Locale& locale = conversion.locale;
    const Date firstDate = locale.parseDate(fields[0]);
    const Date lastDate = locale.parseDate(fields[1]);
    const Integer teachingDay = textToInteger(locale, fields[2]);
    Date startTime = locale.parseDate(fields[3]);
    Date endTime = locale.parseDate(fields[4]);
    SetAvailabilities(conversion, target, firstDate, lastDate, startTime, endTime, teachingDay);
}

} // namespace bz
