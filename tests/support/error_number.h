#pragma once

#include "runtime/error.h"

namespace bz::testing {

// The run-time error number an action raises, 0 when it raises none.
int errorOf(auto&& action) {
    try {
        action();
    } catch (const AutomationError& error) {
        return error.number();
    }
    return 0;
}

} // namespace bz::testing
