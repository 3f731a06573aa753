#include "integer.h"

#include "error.h"

#include <cmath>
#include <limits>

namespace bz {

Integer addInteger(Integer a, Integer b) {
    return toInteger(std::int64_t{a} + b);
}

Integer subtractInteger(Integer a, Integer b) {
    return toInteger(std::int64_t{a} - b);
}

Integer multiplyInteger(Integer a, Integer b) {
    return toInteger(std::int64_t{a} * b);
}

Integer divideInteger(Integer a, Integer b) {
    if (b == 0)
        raise(ErrorNumber::DivisionByZero);
    return toInteger(std::int64_t{a} / b); // -32768 \ -1 overflows
}

Integer modInteger(Integer a, Integer b) {
    if (b == 0)
        raise(ErrorNumber::DivisionByZero);
    return static_cast<Integer>(std::int64_t{a} % b);
}

double roundHalfEven(double value) {
    // Independent of the floating-point rounding mode, which a host process may have changed.
    const double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        return whole + 1.0;
    return whole;
}

namespace {

template <typename T> T checkedWhole(std::int64_t value) {
    if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max())
        raise(ErrorNumber::Overflow);
    return static_cast<T>(value);
}

template <typename T> T checkedWhole(double value) {
    const double rounded = roundHalfEven(value);
    // The negated test also rejects NaN.
    if (!(rounded >= static_cast<double>(std::numeric_limits<T>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<T>::max())))
        raise(ErrorNumber::Overflow);
    return static_cast<T>(rounded);
}

} // namespace

Integer toInteger(std::int64_t value) {
    return checkedWhole<Integer>(value);
}
Integer toInteger(double value) {
    return checkedWhole<Integer>(value);
}
Long toLong(std::int64_t value) {
    return checkedWhole<Long>(value);
}
Long toLong(double value) {
    return checkedWhole<Long>(value);
}

} // namespace bz
