#pragma once

#include "hresult_error.h"

#include <oaidl.h>

#include <memory>

namespace bz::com {

// The descriptions a type library or type information lends out, given back to their owner when
// they go out of scope.
struct FuncDescRelease {
    ITypeInfo* owner;
    void operator()(FUNCDESC* description) const { owner->ReleaseFuncDesc(description); }
};
using FuncDescPtr = std::unique_ptr<FUNCDESC, FuncDescRelease>;

struct TypeAttrRelease {
    ITypeInfo* owner;
    void operator()(TYPEATTR* attributes) const { owner->ReleaseTypeAttr(attributes); }
};
using TypeAttrPtr = std::unique_ptr<TYPEATTR, TypeAttrRelease>;

struct LibAttrRelease {
    ITypeLib* owner;
    void operator()(TLIBATTR* attributes) const { owner->ReleaseTLibAttr(attributes); }
};
using LibAttrPtr = std::unique_ptr<TLIBATTR, LibAttrRelease>;

inline TypeAttrPtr attributesOf(ITypeInfo& typeInfo) {
    TYPEATTR* attributes = nullptr;
    check(typeInfo.GetTypeAttr(&attributes));
    return TypeAttrPtr(attributes, {&typeInfo});
}

} // namespace bz::com
