#include "platform_locale.h"

#include "bstr.h"
#include "hresult_error.h"

#include <oleauto.h>

#include <algorithm>
#include <array>

namespace bz::com {

namespace {

// `text` with the terminating null the platform's parsers need: a short text (every field of a
// pattern) is copied on the stack, a longer one to the heap.
class TerminatedText {
  public:
    explicit TerminatedText(std::u16string_view text) {
        if (text.size() < inPlace_.size()) {
            *std::copy(text.begin(), text.end(), inPlace_.begin()) = u'\0';
            text_ = inPlace_.data();
        } else {
            onHeap_ = text;
            text_ = onHeap_.data();
        }
    }
    TerminatedText(const TerminatedText&) = delete;
    TerminatedText& operator=(const TerminatedText&) = delete;

    // For the platform's parsers, which declare a non-const parameter but only read it.
    wchar_t* get() { return reinterpret_cast<wchar_t*>(text_); }

  private:
    std::array<char16_t, 64> inPlace_;
    std::u16string onHeap_;
    char16_t* text_;
};

} // namespace

std::u16string PlatformLocale::formatDate(Date date) const {
    UniqueBstr text;
    check(VarBstrFromDate(date, LOCALE_USER_DEFAULT, 0, text.put()));
    return fromBstr(text.get());
}

Date PlatformLocale::parseDate(std::u16string_view text) const {
    TerminatedText terminated(text);
    DATE date = 0;
    check(VarDateFromStr(terminated.get(), LOCALE_USER_DEFAULT, 0, &date));
    return date;
}

double PlatformLocale::parseNumber(std::u16string_view text) const {
    TerminatedText terminated(text);
    double number = 0;
    check(VarR8FromStr(terminated.get(), LOCALE_USER_DEFAULT, 0, &number));
    return number;
}

char16_t PlatformLocale::decimalSeparator() const {
    wchar_t separator[4] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4) == 0)
        raiseHresult(HRESULT_FROM_WIN32(GetLastError()));
    return static_cast<char16_t>(separator[0]);
}

} // namespace bz::com
