#pragma once

#include "runtime/com/com_object.h"

namespace bz::com {

// Makes a new object and queries it for `iid`, as IClassFactory::CreateInstance hands it out.
using Creator = HRESULT (*)(REFIID iid, void** result);

// The class object of one class: a new object per request from `create`, never aggregated.
// A lock keeps the module loaded.
template <Creator create>
class ClassFactory final : public ComObject<ClassFactory<create>, IClassFactory> {
  public:
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid,
                                             void** result) noexcept override {
        if (!result)
            return E_POINTER;
        *result = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        return create(iid, result);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) noexcept override {
        if (lock)
            addModuleReference();
        else
            releaseModuleReference();
        return S_OK;
    }
};

} // namespace bz::com
