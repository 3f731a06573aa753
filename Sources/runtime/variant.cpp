#include "variant.h"

#include "error.h"
#include "locale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace bz {

namespace {

constexpr double currencyScale = 10000.0;

template <class... F> struct Overloaded : F... { using F::operator()...; };
template <class... F> Overloaded(F...) -> Overloaded<F...>;

// The numeric value of a Variant that holds a number, Boolean, Date or nothing; nullopt for
// text and for everything else.
std::optional<double> plainNumber(const Variant& value) {
    return std::visit(Overloaded{
                          [](Empty) -> std::optional<double> { return 0.0; },
                          [](std::int16_t v) -> std::optional<double> { return v; },
                          [](std::int32_t v) -> std::optional<double> { return v; },
                          [](float v) -> std::optional<double> { return v; },
                          [](double v) -> std::optional<double> { return v; },
                          [](Currency v) -> std::optional<double> {
                              return static_cast<double>(v.scaled) / currencyScale;
                          },
                          [](DateValue v) -> std::optional<double> { return v.value; },
                          [](Boolean v) -> std::optional<double> { return v.value ? -1.0 : 0.0; },
                          [](std::uint8_t v) -> std::optional<double> { return v; },
                          [](const auto&) -> std::optional<double> { return std::nullopt; },
                      },
                      value.storage());
}

[[noreturn]] void rejectNullAndNonScalars(const Variant& value) {
    if (value.holds<Null>())
        raise(ErrorNumber::InvalidUseOfNull);
    if (value.holds<ObjectRef>() && !value.get<ObjectRef>())
        raise(ErrorNumber::ObjectVariableNotSet);
    raise(ErrorNumber::TypeMismatch);
}

// Operand kinds, in widening order: whole numbers, then floating.
enum class Width { Byte, Integer, Long, Single, Double };

Width widthOf(const Variant& value) {
    switch (value.type()) {
    case VarType::Byte:
        return Width::Byte;
    case VarType::Empty:
    case VarType::Integer:
    case VarType::Boolean:
        return Width::Integer;
    case VarType::Long:
        return Width::Long;
    case VarType::Single:
        return Width::Single;
    default:
        return Width::Double;
    }
}

// The kind of a result: the wider operand's, except that a Single with a Long gives a Double.
Width widthOf(const Variant& a, const Variant& b) {
    const Width x = widthOf(a);
    const Width y = widthOf(b);
    const Width wide = std::max(x, y);
    return wide == Width::Single && std::min(x, y) == Width::Long ? Width::Double : wide;
}

// A whole-number result in the narrowest type at least `width` wide that holds it.
Variant widened(std::int64_t result, Width width) {
    if (width == Width::Byte && result >= 0 && result <= 255)
        return Variant(static_cast<std::uint8_t>(result));
    if (width <= Width::Integer && result >= std::numeric_limits<std::int16_t>::min() &&
        result <= std::numeric_limits<std::int16_t>::max())
        return Variant(static_cast<std::int16_t>(result));
    if (width <= Width::Long && result >= std::numeric_limits<std::int32_t>::min() &&
        result <= std::numeric_limits<std::int32_t>::max())
        return Variant(static_cast<std::int32_t>(result));
    return Variant(static_cast<double>(result));
}

double numberFrom(const Variant& value, const Locale& locale) {
    if (auto number = plainNumber(value))
        return *number;
    if (value.holds<std::u16string>())
        return locale.parseNumber(value.get<std::u16string>());
    rejectNullAndNonScalars(value);
}

enum class Operation { Add, Subtract, Multiply };

template <typename T> T apply(Operation operation, T x, T y) {
    if (operation == Operation::Add)
        return x + y;
    if (operation == Operation::Subtract)
        return x - y;
    return x * y;
}

Variant arithmetic(const Variant& a, const Variant& b, Operation operation, const Locale& locale) {
    if (a.holds<Null>() || b.holds<Null>())
        return Null{};
    const double x = numberFrom(a, locale);
    const double y = numberFrom(b, locale);
    const Width width = widthOf(a, b);
    if (width < Width::Single)
        return widened(apply(operation, static_cast<std::int64_t>(x), static_cast<std::int64_t>(y)),
                       width);
    // Single arithmetic rounds each result to Single; one beyond its range widens to Double.
    if (width == Width::Single) {
        const float single = apply(operation, static_cast<float>(x), static_cast<float>(y));
        if (std::isfinite(single))
            return single;
    }
    const double result = apply(operation, x, y);
    if (!std::isfinite(result))
        raise(ErrorNumber::Overflow);
    const bool dateResult =
        operation != Operation::Multiply && (a.holds<DateValue>() != b.holds<DateValue>() ||
                                             (operation == Operation::Add && a.holds<DateValue>()));
    if (dateResult)
        return DateValue{checkedDate(result)};
    return result;
}

// Text of a floating value as the runtime shows it: up to `digits` significant digits (15 for a
// Double, 7 for a Single), the locale's decimal character, an exponent only for very large or
// small magnitudes.
std::u16string floatingText(double value, int digits, const Locale& locale) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.*G", digits, value);
    std::u16string text;
    const char16_t decimal = locale.decimalSeparator();
    for (const char* c = buffer; *c; ++c)
        text.push_back(*c == '.' ? decimal : static_cast<char16_t>(*c));
    return text;
}

constexpr int doubleDigits = 15;
constexpr int singleDigits = 7;

std::u16string integerText(std::int64_t value) {
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

} // namespace

VarType Variant::type() const {
    return std::visit(Overloaded{
                          [](Empty) { return VarType::Empty; },
                          [](Null) { return VarType::Null; },
                          [](std::int16_t) { return VarType::Integer; },
                          [](std::int32_t) { return VarType::Long; },
                          [](float) { return VarType::Single; },
                          [](double) { return VarType::Double; },
                          [](Currency) { return VarType::Currency; },
                          [](DateValue) { return VarType::Date; },
                          [](const std::u16string&) { return VarType::String; },
                          [](const ObjectRef&) { return VarType::Object; },
                          [](ErrorValue) { return VarType::Error; },
                          [](Boolean) { return VarType::Boolean; },
                          [](std::uint8_t) { return VarType::Byte; },
                          [](const Array& a) { return a.elementType(); },
                      },
                      storage_);
}

std::uint16_t Variant::variantType() const {
    const auto base = static_cast<std::uint16_t>(type());
    return holds<Array>() ? static_cast<std::uint16_t>(arrayFlag | base) : base;
}

Array::Array(VarType elementType, std::vector<ArrayBound> bounds)
    : elementType_(elementType), bounds_(std::move(bounds)) {
    std::size_t count = 1;
    for (const ArrayBound& bound : bounds_)
        count *= bound.count;
    elements_.resize(bounds_.empty() ? 0 : count);
}

std::int32_t Array::lowerBound(std::size_t dimension) const {
    if (dimension < 1 || dimension > bounds_.size())
        raise(ErrorNumber::SubscriptOutOfRange);
    return bounds_[dimension - 1].lower;
}

std::int32_t Array::upperBound(std::size_t dimension) const {
    if (dimension < 1 || dimension > bounds_.size())
        raise(ErrorNumber::SubscriptOutOfRange);
    const ArrayBound& bound = bounds_[dimension - 1];
    return static_cast<std::int32_t>(std::int64_t{bound.lower} + bound.count - 1);
}

std::size_t Array::offsetOf(std::span<const std::int32_t> indexes) const {
    if (indexes.size() != bounds_.size())
        raise(ErrorNumber::SubscriptOutOfRange);
    std::size_t offset = 0;
    std::size_t stride = 1;
    for (std::size_t d = 0; d < bounds_.size(); ++d) {
        const std::int64_t position = std::int64_t{indexes[d]} - bounds_[d].lower;
        if (position < 0 || position >= bounds_[d].count)
            raise(ErrorNumber::SubscriptOutOfRange);
        offset += static_cast<std::size_t>(position) * stride;
        stride *= bounds_[d].count;
    }
    return offset;
}

const Variant& Array::at(std::span<const std::int32_t> indexes) const {
    return elements_[offsetOf(indexes)];
}

Variant& Array::at(std::span<const std::int32_t> indexes) {
    return elements_[offsetOf(indexes)];
}

double toDouble(const Variant& value, const Locale& locale) {
    return numberFrom(value, locale);
}

Integer toInteger(const Variant& value, const Locale& locale) {
    if (value.holds<std::u16string>())
        return textToInteger(locale, value.get<std::u16string>());
    return toInteger(numberFrom(value, locale));
}

Long toLong(const Variant& value, const Locale& locale) {
    return toLong(numberFrom(value, locale));
}

Date toDate(const Variant& value, const Locale& locale) {
    if (value.holds<std::u16string>())
        return locale.parseDate(value.get<std::u16string>());
    return checkedDate(numberFrom(value, locale));
}

std::u16string toString(const Variant& value, const Locale& locale) {
    return std::visit(
        Overloaded{
            [](Empty) { return std::u16string(); },
            [](std::int16_t v) { return integerText(v); },
            [](std::int32_t v) { return integerText(v); },
            [](std::uint8_t v) { return integerText(v); },
            // A Single's zero shows no sign.
            [&](float v) { return floatingText(v == 0 ? 0.0 : v, singleDigits, locale); },
            [&](double v) { return floatingText(v, doubleDigits, locale); },
            [&](Currency v) {
                return floatingText(static_cast<double>(v.scaled) / currencyScale, doubleDigits,
                                    locale);
            },
            [&](DateValue v) { return locale.formatDate(v.value); },
            [](const std::u16string& v) { return v; },
            [](Boolean v) { return std::u16string(v.value ? u"True" : u"False"); },
            [&](const auto&) -> std::u16string { rejectNullAndNonScalars(value); },
        },
        value.storage());
}

ObjectRef toObject(const Variant& value) {
    if (!value.holds<ObjectRef>())
        raise(ErrorNumber::ObjectRequired);
    return value.get<ObjectRef>();
}

const Array& toArray(const Variant& value) {
    if (!value.holds<Array>())
        raise(ErrorNumber::TypeMismatch);
    return value.get<Array>();
}

Variant add(const Variant& a, const Variant& b, const Locale& locale) {
    if (a.holds<std::u16string>() && b.holds<std::u16string>())
        return a.get<std::u16string>() + b.get<std::u16string>();
    return arithmetic(a, b, Operation::Add, locale);
}

Variant subtract(const Variant& a, const Variant& b, const Locale& locale) {
    return arithmetic(a, b, Operation::Subtract, locale);
}

Variant multiply(const Variant& a, const Variant& b, const Locale& locale) {
    return arithmetic(a, b, Operation::Multiply, locale);
}

Variant modulo(const Variant& a, const Variant& b, const Locale& locale) {
    if (a.holds<Null>() || b.holds<Null>())
        return Null{};
    const Long dividend = toLong(numberFrom(a, locale));
    const Long divisor = toLong(numberFrom(b, locale));
    if (divisor == 0)
        raise(ErrorNumber::DivisionByZero);
    const Width width = std::max(widthOf(a, b), Width::Integer);
    return widened(std::int64_t{dividend} % divisor, std::min(width, Width::Long));
}

std::optional<int> compareWithNumber(const Variant& value, double number, const Locale& locale) {
    if (value.holds<Null>())
        return std::nullopt;
    const double x = numberFrom(value, locale);
    return x < number ? -1 : x > number ? 1 : 0;
}

} // namespace bz
