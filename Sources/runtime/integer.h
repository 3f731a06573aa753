#pragma once

#include <cstdint>

namespace bz {

// The runtime's 16-bit Integer and 32-bit Long arithmetic: every operation and conversion that
// leaves the type's range raises run-time error 6. The checks are inline; only raising is not.
using Integer = std::int16_t;
using Long = std::int32_t;

[[noreturn]] void raiseOverflow();
[[noreturn]] void raiseDivisionByZero();

inline Integer toInteger(std::int64_t value) {
    if (value < INT16_MIN || value > INT16_MAX) [[unlikely]]
        raiseOverflow();
    return static_cast<Integer>(value);
}
inline Long toLong(std::int64_t value) {
    if (value < INT32_MIN || value > INT32_MAX) [[unlikely]]
        raiseOverflow();
    return static_cast<Long>(value);
}

inline Integer addInteger(Integer a, Integer b) {
    return toInteger(std::int64_t{a} + b);
}
inline Integer subtractInteger(Integer a, Integer b) {
    return toInteger(std::int64_t{a} - b);
}
inline Integer multiplyInteger(Integer a, Integer b) {
    return toInteger(std::int64_t{a} * b);
}
// Integer division `\`: truncates toward zero; error 11 for a zero divisor.
inline Integer divideInteger(Integer a, Integer b) {
    if (b == 0) [[unlikely]]
        raiseDivisionByZero();
    return toInteger(std::int64_t{a} / b); // -32768 \ -1 overflows
}
// Mod: the remainder with the sign of the dividend; error 11 for a zero divisor.
inline Integer modInteger(Integer a, Integer b) {
    if (b == 0) [[unlikely]]
        raiseDivisionByZero();
    return static_cast<Integer>(std::int64_t{a} % b);
}

// Round half to even, as every conversion of a floating value to a whole number does.
double roundHalfEven(double value);

// Conversions of floating values to Integer and Long: rounded half to even first.
Integer toInteger(double value);
Long toLong(double value);

} // namespace bz
