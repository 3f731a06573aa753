#pragma once

#include "runtime/error.h"
#include "runtime/locale.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>

namespace bz::fuzz {

// Stops the run: the input found a fault. libFuzzer keeps the input that caused it.
[[noreturn]] inline void fault(const char* what) {
    std::fprintf(stderr, "fault: %s\n", what);
    std::abort();
}

// The three portable locales, made once.
inline const std::array<std::unique_ptr<Locale>, 3>& portableLocales() {
    static const std::array<std::unique_ptr<Locale>, 3> locales{
        makePortableLocale(PortableLocaleKind::EnUs), makePortableLocale(PortableLocaleKind::EnGb),
        makePortableLocale(PortableLocaleKind::DeDe)};
    return locales;
}

// Bytes as text, one character per byte (Latin-1): every character the text grammar knows is
// one byte away.
inline std::u16string latin1Text(const std::uint8_t* data, std::size_t size) {
    return std::u16string(data, data + size);
}

// Bytes as UTF-16 code units, low byte first: reaches every character, lone surrogates included.
inline std::u16string utf16Text(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    return text;
}

// Runs `action`; true when it returned, false when it raised one of the `allowed` run-time
// errors. Any other error is a fault.
template <typename Action>
bool endsInValue(Action&& action, std::initializer_list<ErrorNumber> allowed) {
    try {
        action();
        return true;
    } catch (const AutomationError& error) {
        for (ErrorNumber number : allowed)
            if (error.number() == static_cast<int>(number))
                return false;
        fault("a run-time error other than the ones this conversion may raise");
    }
}

} // namespace bz::fuzz
