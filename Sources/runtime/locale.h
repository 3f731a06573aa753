#pragma once

#include "date.h"

#include <memory>
#include <string>
#include <string_view>

namespace bz {

// The locale-aware text conversions of the automation runtime. Leading and trailing blanks are
// ignored; unconvertible text, the empty text included, raises run-time error 13.
class Locale {
  public:
    virtual ~Locale() = default;

    // A Date's text form: date and time, the date alone when the time is zero, the time alone
    // when the date part is zero (30 Dec 1899).
    virtual std::u16string formatDate(Date date) const = 0;
    // Text holding a date, a time of day or both.
    virtual Date parseDate(std::u16string_view text) const = 0;
    // A number with the locale's decimal and grouping characters.
    virtual double parseNumber(std::u16string_view text) const = 0;
    // The decimal character of numbers shown as text.
    virtual char16_t decimalSeparator() const = 0;
};

enum class PortableLocaleKind { EnUs, EnGb, DeDe };

// Where a date text that names no year takes its year from.
using CurrentYear = int (*)();
// The current year of the system clock (UTC).
int systemClockYear();

// The portable locale models for builds without the platform's conversions.
std::unique_ptr<Locale> makePortableLocale(PortableLocaleKind kind,
                                           CurrentYear currentYear = systemClockYear);

// The portable locale named by the environment (LC_ALL, then LC_TIME, then LANG), en-US when
// none of them names a modelled locale.
PortableLocaleKind portableLocaleFromEnvironment();

// Text to Integer: the locale's number, rounded half to even; error 6 out of range, 13 not a
// number.
std::int16_t textToInteger(const Locale& locale, std::u16string_view text);

} // namespace bz
