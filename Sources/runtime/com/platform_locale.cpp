#include "platform_locale.h"

#include "bstr.h"
#include "hresult_error.h"

#include <oleauto.h>

namespace bz::com {

std::u16string PlatformLocale::formatDate(Date date) const {
    UniqueBstr text;
    check(VarBstrFromDate(date, LOCALE_USER_DEFAULT, 0, text.put()));
    return fromBstr(text.get());
}

Date PlatformLocale::parseDate(std::u16string_view text) const {
    std::u16string terminated(text);
    DATE date = 0;
    check(VarDateFromStr(wide(terminated), LOCALE_USER_DEFAULT, 0, &date));
    return date;
}

Date PlatformLocale::parseTimeOfDay(std::u16string_view text) const {
    return timeOfDayAtWholeSeconds(parseDate(text));
}

double PlatformLocale::parseNumber(std::u16string_view text) const {
    std::u16string terminated(text);
    double number = 0;
    check(VarR8FromStr(wide(terminated), LOCALE_USER_DEFAULT, 0, &number));
    return number;
}

char16_t PlatformLocale::decimalSeparator() const {
    wchar_t separator[4] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4) == 0)
        raiseHresult(HRESULT_FROM_WIN32(GetLastError()));
    return static_cast<char16_t>(separator[0]);
}

} // namespace bz::com
