#include "rule_warnings.h"

#include "calendar_view.h"
#include "runtime/text.h"

#include <string_view>

namespace bz::preview {

namespace {

std::string dateText(Date date, const Locale& locale) {
    return toUtf8(locale.formatDate(date));
}

// The number at `text[at]` (at most two digits) and the position after it; 0 digits is none.
int twoDigits(const std::string& text, std::size_t& at) {
    int number = 0;
    const std::size_t start = at;
    while (at < text.size() && at - start < 3 && text[at] >= '0' && text[at] <= '9')
        number = number * 10 + (text[at++] - '0');
    return at == start || at - start > 2 ? -1 : number;
}

// A numeric date such as 20/12/2024 whose first two numbers the locale reads the other way
// round, because the one in the month's place is no month.
bool readInOtherOrder(std::u16string_view field, DateOrder order) {
    const std::string text = toUtf8(field);
    std::size_t at = text.find_first_not_of(' ');
    if (at == std::string::npos)
        return false;
    const int first = twoDigits(text, at);
    if (first < 0 || at >= text.size() ||
        std::string_view("/.-").find(text[at++]) == std::string_view::npos)
        return false;
    const int second = twoDigits(text, at);
    if (second < 0 || at >= text.size() ||
        std::string_view("/.-").find(text[at]) == std::string_view::npos)
        return false;
    const int month = order == DateOrder::MonthFirst ? first : second;
    const int day = order == DateOrder::MonthFirst ? second : first;
    return month > 12 && day <= 12;
}

std::string weeksWritten(const FieldEffects& effects) {
    if (effects.availabilityStores == 0)
        return "it writes nothing";
    return "the component still writes " + std::to_string(effects.availabilityStores) +
           (effects.availabilityStores == 1 ? " week" : " weeks");
}

void checkDates(std::vector<Warning>& warnings, const Rule& rule, const DerivedCalendar& calendar,
                const FieldEffects& effects, const Locale& locale, DateOrder order) {
    for (const PatternField field : {PatternField::firstDate, PatternField::lastDate}) {
        const std::u16string_view text = rule.fields[static_cast<std::size_t>(field)];
        const Date date =
            field == PatternField::firstDate ? rule.values.firstDate : rule.values.lastDate;
        if (readInOtherOrder(text, order))
            warnings.push_back({{},
                                fieldName(field) +
                                    " read with day and month swapped, since the locale's month is "
                                    "no month",
                                "'" + toUtf8(text) + "' is read as " + dateText(date, locale)});
    }
    if (splitDate(rule.values.firstDate).time != 0)
        warnings.push_back({{},
                            "first date '" + toUtf8(rule.fields[0]) + "' carries the time " +
                                clockText(rule.values.firstDate) +
                                ", which the component adds to every span of the rule"});
    if (rule.values.lastDate < calendar.yearStart || rule.values.firstDate > calendar.yearEnd)
        warnings.push_back(
            {{},
             "the rule lies wholly outside the calendar (" + dateText(calendar.yearStart, locale) +
                 " to " + dateText(calendar.yearEnd, locale) + "); " + weeksWritten(effects)});
    else if (rule.values.lastDate < rule.values.firstDate)
        warnings.push_back({{}, "the rule ends before it starts; " + weeksWritten(effects)});
    else if (effects.availabilityStores == 0)
        warnings.push_back({{},
                            "the rule writes nothing: its teaching day falls on no date between "
                            "its first and last date within the calendar"});
}

void checkTimes(std::vector<Warning>& warnings, const Rule& rule, const DerivedCalendar& calendar,
                const FieldEffects& effects) {
    if (rule.values.startTime < calendar.dayStart)
        warnings.push_back({{},
                            "start time " + clockText(rule.values.startTime) +
                                " lies before the teaching day, which starts at " +
                                clockText(calendar.dayStart) + ": the span starts then"});
    if (rule.values.endTime > calendar.dayEnd)
        warnings.push_back({{},
                            "end time " + clockText(rule.values.endTime) +
                                " lies after the teaching day, which ends at " +
                                clockText(calendar.dayEnd) + ": the span ends then"});
    if (effects.availabilityStores > 0 && effects.availableRuns == 0)
        warnings.push_back({{},
                            "the span " + clockText(rule.values.startTime) + "-" +
                                clockText(rule.values.endTime) +
                                " covers no period (it rounds to none or ends before it starts): "
                                "the rule only clears its days"});
}

} // namespace

std::vector<Warning> ruleWarnings(const Rule& rule, const DerivedCalendar& calendar,
                                  const FieldEffects& effects, const Locale& locale,
                                  DateOrder order) {
    std::vector<Warning> warnings;
    checkDates(warnings, rule, calendar, effects, locale, order);
    checkTimes(warnings, rule, calendar, effects);
    return warnings;
}

} // namespace bz::preview
