#pragma once

#include "runtime/com/com_object.h"

#include <oaidl.h>

namespace bz::bench {

// IDispatch without type information, for objects that answer Invoke by dispatch id. Names are
// unknown unless `Derived` answers GetIDsOfNames itself.
template <class Derived> class MinimalDispatch : public com::ComObject<Derived, IDispatch> {
  public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
};

} // namespace bz::bench
