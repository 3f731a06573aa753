#pragma once

#include <cstdint>

namespace bz {

// The runtime's 16-bit Integer and 32-bit Long arithmetic: every operation and conversion that
// leaves the type's range raises run-time error 6.
using Integer = std::int16_t;
using Long = std::int32_t;

Integer addInteger(Integer a, Integer b);
Integer subtractInteger(Integer a, Integer b);
Integer multiplyInteger(Integer a, Integer b);
// Integer division `\`: truncates toward zero; error 11 for a zero divisor.
Integer divideInteger(Integer a, Integer b);
// Mod: the remainder with the sign of the dividend; error 11 for a zero divisor.
Integer modInteger(Integer a, Integer b);

// Round half to even, as every conversion of a floating value to a whole number does.
double roundHalfEven(double value);

// Conversions to Integer and Long; floating values round half to even first.
Integer toInteger(std::int64_t value);
Integer toInteger(double value);
Long toLong(std::int64_t value);
Long toLong(double value);

} // namespace bz
