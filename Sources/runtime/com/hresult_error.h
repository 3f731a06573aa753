#pragma once

#include <windows.h>

#include <type_traits>

namespace bz::com {

// Raises a failed HRESULT of a platform call as a VB caller sees it: DISP_E_TYPEMISMATCH as
// run-time error 13, DISP_E_OVERFLOW as 6, an unknown member as 438, anything else unchanged and
// described by the platform's message for it.
[[noreturn]] void raiseHresult(HRESULT hr);
inline void check(HRESULT hr) {
    if (FAILED(hr))
        raiseHresult(hr);
}

// Raises the failed HRESULT of an early-bound call on `object` through interface `iid`, with the
// error information the object left when it declares support for it (ISupportErrorInfo).
[[noreturn]] void raiseEarlyBoundFailure(HRESULT hr, IUnknown* object, REFIID iid);

// The HRESULT of the exception being handled, after setting the error information for the
// caller of interface `iid`. Call only inside a catch block: it rethrows to classify.
HRESULT hresultFromCaughtException(REFIID iid) noexcept;

// Runs `body` at a COM boundary: the HRESULT it returns (S_OK when it returns nothing), or the
// HRESULT and error information of whatever it throws. No exception crosses.
template <typename Body> HRESULT guarded(REFIID iid, Body&& body) noexcept {
    try {
        if constexpr (std::is_void_v<decltype(body())>) {
            body();
            return S_OK;
        } else {
            return body();
        }
    } catch (...) {
        return hresultFromCaughtException(iid);
    }
}

} // namespace bz::com
