#pragma once

#include "runtime/date.h"

#include <optional>
#include <string>
#include <string_view>

namespace bz {

class Locale;

// The stage an availability conversion has reached, quoted in error reports. It is either one
// of the fixed stage texts or "Date To Period" with the date being converted; the date's text
// form is made only when the stage is read, so a conversion that succeeds never formats it.
class Stage {
  public:
    static constexpr std::u16string_view dateToPeriodText = u"Date To Period";

    void set(std::u16string_view fixedText) {
        text_ = fixedText;
        periodDate_.reset();
    }
    void setDateToPeriod(Date date) {
        text_ = dateToPeriodText;
        periodDate_ = date;
    }
    std::u16string text(const Locale& locale) const;

    friend bool operator==(const Stage&, const Stage&) = default;

  private:
    std::u16string_view text_; // always a string literal
    std::optional<Date> periodDate_;
};

} // namespace bz
