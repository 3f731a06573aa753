#pragma once

#include "date.h"
#include "locale.h"

#include <span>
#include <string>
#include <string_view>

namespace bz {

// What distinguishes one portable locale from another: the data the text conversions read.
struct LocaleModel {
    enum class DateOrder { MonthDayYear, DayMonthYear };

    DateOrder order;                    // of the day and month in numeric dates
    char16_t dateSeparator;             // shown between the fields of a date
    std::u16string_view dateSeparators; // accepted between numeric date fields (besides blanks)
    bool paddedDate;                    // "05/01/2026" rather than "1/5/2026"
    bool twelveHourClock;               // "6:00:00 AM" rather than "06:00:00"
    std::span<const std::u16string_view> monthNames; // lower case; entry i names month i % 12 + 1
    char16_t decimal;
    char16_t grouping;
};

// Blanks ignored around a text and accepted between its parts.
inline bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\u00A0';
}

inline std::u16string_view trimBlanks(std::u16string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

inline bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

std::u16string formatDateText(const LocaleModel& model, Date date);
// A text without a year falls in the year currentYear gives.
Date parseDateText(const LocaleModel& model, std::u16string_view text, CurrentYear currentYear);
double parseNumberText(const LocaleModel& model, std::u16string_view text);

} // namespace bz
