#pragma once

#include "runtime/com/com_ptr.h"
#include "runtime/variant.h"

#include <oaidl.h>

#include <string>
#include <vector>

namespace bz::test {

// What a late-bound call returned.
struct LateBound {
    HRESULT hr;
    Variant value;            // the result, converted
    VARTYPE type;             // the result's variant type as returned
    SCODE scode;              // from EXCEPINFO when hr is DISP_E_EXCEPTION
    std::wstring description; // likewise
    UINT argumentError;
};

// Calls `name` on `object` as a VB caller does: GetIDsOfNames, then Invoke with `args` in
// parameter order (VARIANTs the caller keeps owning); a put's value is its last argument.
LateBound invokeByName(IDispatch& object, const wchar_t* name, WORD flags,
                       std::vector<VARIANT> args);

// Argument forms.
VARIANT referenceTo(VARIANT& value);
VARIANT referenceTo(BSTR& value);
VARIANT referenceTo(short& value);

} // namespace bz::test
