// libFuzzer target for the locale text conversions: any text gives a value or error 13 or 6, and
// a date read from text reads back from its own text form.

#include "runtime/error.h"
#include "runtime/locale.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

template <typename Action> bool converts(Action&& action) {
    try {
        action();
        return true;
    } catch (const bz::AutomationError& error) {
        if (error.number() != 6 && error.number() != 13)
            std::abort();
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto locales = {bz::makePortableLocale(bz::PortableLocaleKind::EnUs),
                                 bz::makePortableLocale(bz::PortableLocaleKind::EnGb),
                                 bz::makePortableLocale(bz::PortableLocaleKind::DeDe)};
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    for (const auto& locale : locales) {
        bz::Date date = 0.0;
        if (converts([&] { date = locale->parseDate(text); }) &&
            locale->parseDate(locale->formatDate(date)) != date)
            std::abort();
        converts([&] { locale->parseTimeOfDay(text); });
        converts([&] { locale->parseNumber(text); });
    }
    return 0;
}
