#pragma once

#include "check_report.h"
#include "runtime/locale.h"

#include <string>

namespace bz::preview {

// A pattern whose dates read differently under month-first and day-first locales.
inline constexpr const char16_t* localeSamplePattern = u"02/09/2024|13/12/2024|3|09:00|12:30";

// The locale check: the account's locale `name`, its short date format, and how `locale`
// reads the sample pattern, each date spelled out so that two accounts' lines can be compared.
// Fails when the sample does not convert, naming the field.
CheckLine describeLocale(const Locale& locale, const std::string& name,
                         const std::string& shortDateFormat);

} // namespace bz::preview
