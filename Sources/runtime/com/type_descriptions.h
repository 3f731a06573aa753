#pragma once

#include "hresult_error.h"
#include "unique_any.h"

#include <oaidl.h>

namespace bz::com {

// The descriptions a type library or type information lends out, given back to their owner when
// they go out of scope.
using FuncDescPtr = UniqueAny<FUNCDESC*, &ITypeInfo::ReleaseFuncDesc, ITypeInfo>;
using TypeAttrPtr = UniqueAny<TYPEATTR*, &ITypeInfo::ReleaseTypeAttr, ITypeInfo>;
using LibAttrPtr = UniqueAny<TLIBATTR*, &ITypeLib::ReleaseTLibAttr, ITypeLib>;

inline TypeAttrPtr attributesOf(ITypeInfo& typeInfo) {
    TYPEATTR* attributes = nullptr;
    check(typeInfo.GetTypeAttr(&attributes));
    return TypeAttrPtr(attributes, {&typeInfo});
}

} // namespace bz::com
