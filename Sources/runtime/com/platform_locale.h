#pragma once

#include "runtime/locale.h"

namespace bz::com {

// The platform's own conversions (oleaut32) for the user's default locale: what the component
// uses on Windows, so dates and numbers read and print as the user's other programs do.
class PlatformLocale final : public Locale {
  public:
    std::u16string formatDate(Date date) const override;
    Date parseDate(std::u16string_view text) const override;
    double parseNumber(std::u16string_view text) const override;
    char16_t decimalSeparator() const override;
};

} // namespace bz::com
