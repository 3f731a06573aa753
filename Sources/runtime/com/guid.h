#pragma once

#include "runtime/object.h"

#include <windows.h>

#include <cstring>

namespace bz::com {

inline GUID toGuid(const Guid& guid) {
    static_assert(sizeof(Guid) == sizeof(GUID));
    GUID result;
    std::memcpy(&result, &guid, sizeof result);
    return result;
}

} // namespace bz::com
