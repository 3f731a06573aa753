// Fuzz target for the locale text conversions in every portable locale: text to Date, to time of
// day, to number and to Integer. The first byte picks the encoding of the rest (even: one
// character per byte; odd: UTF-16, low byte first).

#include "fuzz_input.h"
#include "runtime/date.h"
#include "runtime/integer.h"
#include "runtime/locale.h"

#include <cmath>

namespace bz::fuzz {
namespace {

constexpr std::initializer_list<ErrorNumber> conversionErrors = {ErrorNumber::TypeMismatch,
                                                                 ErrorNumber::Overflow};

void checkDate(const Locale& locale, const std::u16string& text) {
    Date date = 0;
    if (!endsInValue([&] { date = locale.parseDate(text); }, conversionErrors))
        return;
    // Before 30 Dec 1899 the time of day is added forward from a negative day: 1 Jan 100 00:02
    // lies below minDate. The range bounds the day part.
    const DateFields fields = splitDate(date);
    const auto day = static_cast<double>(fields.day);
    if (!(day >= minDate && day <= maxDate && fields.time >= 0 && fields.time < 1))
        fault("a date outside the Date range");
    Date again = 0;
    if (!endsInValue([&] { again = locale.parseDate(locale.formatDate(date)); }, {}) ||
        again != date)
        fault("a date does not read back from its own text form");
}

void checkTimeOfDay(const Locale& locale, const std::u16string& text) {
    Date time = 0;
    if (endsInValue([&] { time = timeOfDayAtWholeSeconds(locale.parseDate(text)); },
                    conversionErrors) &&
        !(time >= 0 && time < 1))
        fault("a time of day outside one day");
}

// Text to Integer is the number rounded half to even, error 6 outside -32768..32767.
void checkNumber(const Locale& locale, const std::u16string& text) {
    double number = 0;
    const bool isNumber = endsInValue([&] { number = locale.parseNumber(text); }, conversionErrors);
    if (isNumber && !std::isfinite(number))
        fault("a number that is not finite");
    std::int16_t integer = 0;
    const bool isInteger =
        endsInValue([&] { integer = textToInteger(locale, text); }, conversionErrors);
    if (!isNumber) {
        if (isInteger)
            fault("text that is no number gave an Integer");
        return;
    }
    const double rounded = roundHalfEven(number);
    const bool inRange = rounded >= -32768 && rounded <= 32767;
    if (isInteger != inRange || (isInteger && integer != rounded))
        fault("text to Integer differs from the rounded number");
}

} // namespace
} // namespace bz::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace bz;
    const auto& locales = fuzz::portableLocales();
    if (size == 0)
        return 0;
    const std::u16string text = data[0] % 2 == 0 ? fuzz::latin1Text(data + 1, size - 1)
                                                 : fuzz::utf16Text(data + 1, size - 1);
    for (const auto& locale : locales) {
        fuzz::checkDate(*locale, text);
        fuzz::checkTimeOfDay(*locale, text);
        fuzz::checkNumber(*locale, text);
    }
    return 0;
}
