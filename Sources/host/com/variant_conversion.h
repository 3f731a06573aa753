#pragma once

#include "runtime/variant.h"

#include <windows.h>

#include <oleauto.h>

namespace bz::com {

// The core value of a VARIANT, following by-reference values (VT_VARIANT | VT_BYREF included).
// Objects become adapters over their IDispatch (null is Nothing); arrays keep every dimension
// and lower bound.
Variant fromVariant(const VARIANT& value);

// The core value of a VARIANT the caller owns, which is left empty: an IDispatch reference is
// handed to its adapter instead of taken anew and released.
Variant takeVariant(VARIANT& value);

// The VARIANT of a core value, written into `target`, which must hold nothing that needs
// clearing. Objects must be adapters of COM objects.
void toVariant(const Variant& value, VARIANT& target);

// Coerces `value` to type `type` (under `lcid`) and moves it into the storage of that type at
// `target` (a BSTR, a short, a VARIANT, ...), releasing what `target` held. `value` is left empty.
void storeAs(VARTYPE type, void* target, VARIANT& value, LCID lcid);

} // namespace bz::com
