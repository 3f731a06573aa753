#pragma once

#include <oaidl.h>

namespace bz::com {

// Whether an IDispatch::Invoke caller's arguments are where the counts announce them, the named
// ones among them. An Invoke refuses others with E_INVALIDARG before it reads an argument.
inline bool wellFormed(const DISPPARAMS* params) {
    return params && params->cNamedArgs <= params->cArgs &&
           (params->cArgs == 0 || params->rgvarg) &&
           (params->cNamedArgs == 0 || params->rgdispidNamedArgs);
}

} // namespace bz::com
