#include "integer.h"

#include "error.h"

#include <cmath>
#include <limits>

namespace bz {

void raiseOverflow() {
    raise(ErrorNumber::Overflow);
}
void raiseDivisionByZero() {
    raise(ErrorNumber::DivisionByZero);
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

template <typename T> T checkedWhole(double value) {
    const double rounded = roundHalfEven(value);
    // The negated test also rejects NaN.
    if (!(rounded >= static_cast<double>(std::numeric_limits<T>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<T>::max())))
        raiseOverflow();
    return static_cast<T>(rounded);
}

} // namespace

Integer toInteger(double value) {
    return checkedWhole<Integer>(value);
}
Long toLong(double value) {
    return checkedWhole<Long>(value);
}

} // namespace bz
