#include "locale_sample.h"

#include "availability/pattern.h"
#include "availability/remembered_conversions.h"
#include "rule.h"
#include "runtime/text.h"

#include <array>
#include <cstdio>

namespace bz::preview {

namespace {

// "Mon 2 September 2024"
std::string spelledDate(Date date) {
    static constexpr std::array<const char*, 7> weekdays = {"Sun", "Mon", "Tue", "Wed",
                                                            "Thu", "Fri", "Sat"};
    static constexpr std::array<const char*, 12> months = {
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    const CivilDate civil = dateTimeFields(date).date;
    return std::string(weekdays[static_cast<std::size_t>(weekday(date, 1) - 1)]) + " " +
           std::to_string(civil.day) + " " + months[static_cast<std::size_t>(civil.month - 1)] +
           " " + std::to_string(civil.year);
}

// "09:00"
std::string clockTime(Date time) {
    const TimeOfDay clock = dateTimeFields(time).time;
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", clock.hour % 100, clock.minute % 100);
    return text;
}

} // namespace

CheckLine describeLocale(const Locale& locale, const std::string& name,
                         const std::string& shortDateFormat) {
    const std::string sample = toUtf8(localeSamplePattern);
    const std::string account = name + ", short date " + shortDateFormat + "; '" + sample + "'";
    RememberedConversions nothingRemembered(0);
    const ConvertedPattern converted =
        ConvertPattern(locale, nothingRemembered, std::u16string(localeSamplePattern));
    if (const auto* failure = std::get_if<PatternFailure>(&converted))
        return {"locale", CheckStatus::Failed,
                account + " fails at its " + fieldName(failure->field) + ": " +
                    failure->error.what(),
                "write the source system's dates year-month-day (2024-09-02), which read the "
                "same in every locale, or give the account a regional format that reads them"};
    const PatternRule& rule = std::get<PatternRule>(converted);
    return {"locale",
            CheckStatus::Ok,
            account + " reads as " + spelledDate(rule.firstDate) + " to " +
                spelledDate(rule.lastDate) + ", teaching day " + std::to_string(rule.teachingDay) +
                ", " + clockTime(rule.startTime) + " to " + clockTime(rule.endTime),
            {}};
}

} // namespace bz::preview
