#pragma once

#include "runtime/com/com_ptr.h"
#include "runtime/object.h"
#include "runtime/variant.h"

#include <oaidl.h>

namespace bz::com {

// A COM face for an in-memory host object: IDispatch over any bz::Object, so the component
// meets an in-memory host (the previewer's, the tests') through real IDispatch, QueryInterface
// and VARIANTs. Names get
// dispatch ids of their own; calls reach the object by name, or by number for the ids the host
// publishes. The face holds one counted reference on the object while COM references remain.
// A host error without source and description comes back as a bare HRESULT, others through
// EXCEPINFO.
ComPtr<IDispatch> hostDispatch(ObjectRef object);

// VARIANT conversions for the host's side: objects that come back through a COM face are the
// host's own objects again; other objects are handed out through a new face.
Variant hostFromVariant(const VARIANT& value);
void hostToVariant(const Variant& value, VARIANT& target);

// A value that a host member hands out over COM as a copy of `value`: for the VARIANT types the
// core holds in no type of its own (VT_DECIMAL, VT_I8, ...).
Variant rawVariant(const VARIANT& value);

} // namespace bz::com
