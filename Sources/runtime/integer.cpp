#include "integer.h"

#include "error.h"

#include <cmath>
#include <limits>

namespace bz {

Integer addInteger(Integer a, Integer b) { return toInteger(std::int64_t{a} + b); }

Integer subtractInteger(Integer a, Integer b) { return toInteger(std::int64_t{a} - b); }

Integer multiplyInteger(Integer a, Integer b) { return toInteger(std::int64_t{a} * b); }

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

double roundHalfEven(double value) { return std::nearbyint(value); }

Integer toInteger(std::int64_t value) {
    if (value < std::numeric_limits<Integer>::min() || value > std::numeric_limits<Integer>::max())
        raise(ErrorNumber::Overflow);
    return static_cast<Integer>(value);
}

Integer toInteger(double value) {
    const double rounded = roundHalfEven(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        raise(ErrorNumber::Overflow);
    return static_cast<Integer>(rounded);
}

Long toLong(std::int64_t value) {
    if (value < std::numeric_limits<Long>::min() || value > std::numeric_limits<Long>::max())
        raise(ErrorNumber::Overflow);
    return static_cast<Long>(value);
}

Long toLong(double value) {
    const double rounded = roundHalfEven(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
        raise(ErrorNumber::Overflow);
    return static_cast<Long>(rounded);
}

} // namespace bz
