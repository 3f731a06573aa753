// Text to number in a portable locale.

#include "error.h"
#include "locale_model.h"

#include <charconv>
#include <string>

namespace bz {

// Optional sign, digits with the locale's grouping character anywhere after the first one (the
// platform ignores it there: "1,,2" is 12, "1,.5" is 1.5), the locale's decimal character, and an
// optional exponent. The text is rewritten in the plain form from_chars reads,
// independent of the C library's locale.
double parseNumberText(const LocaleModel& model, std::u16string_view text) {
    text = trimBlanks(text);
    const std::size_t n = text.size();
    std::string plain;
    plain.reserve(n);
    std::size_t i = 0;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            plain.push_back('-');
        ++i;
    }
    // Decimal magnitude of the leading significant digit: 3 for "123", -2 for "0.001".
    long magnitude = 0;
    bool significant = false;
    bool anyDigit = false;
    for (; i < n; ++i) {
        if (isDigit(text[i])) {
            plain.push_back(static_cast<char>(text[i]));
            significant = significant || text[i] != u'0';
            magnitude += significant ? 1 : 0;
            anyDigit = true;
        } else if (!(text[i] == model.grouping && anyDigit)) {
            break;
        }
    }
    if (i < n && text[i] == model.decimal) {
        plain.push_back('.');
        for (++i; i < n && isDigit(text[i]); ++i) {
            plain.push_back(static_cast<char>(text[i]));
            magnitude -= !significant && text[i] == u'0' ? 1 : 0;
            significant = significant || text[i] != u'0';
            anyDigit = true;
        }
    }
    if (!anyDigit)
        raise(ErrorNumber::TypeMismatch);
    long exponent = 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        plain.push_back('e');
        ++i;
        const bool negative = i < n && text[i] == u'-';
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            plain.push_back(static_cast<char>(text[i++]));
        const std::size_t first = i;
        for (; i < n && isDigit(text[i]); ++i) {
            plain.push_back(static_cast<char>(text[i]));
            if (exponent < 1'000'000)
                exponent = exponent * 10 + (text[i] - u'0');
        }
        if (i == first)
            raise(ErrorNumber::TypeMismatch);
        exponent = negative ? -exponent : exponent;
    }
    if (i != n)
        raise(ErrorNumber::TypeMismatch);

    double value = 0.0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (magnitude + exponent > 0)
            raise(ErrorNumber::Overflow);
        return 0.0; // too small for a double
    }
    return value;
}

} // namespace bz
