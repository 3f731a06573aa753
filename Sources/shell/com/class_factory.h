#pragma once

#include "module.h"

#include <unknwn.h>

namespace bz::com {

// The class object of TembraLinkHelper: makes one new object per request, never aggregated.
class ClassFactory final : public IClassFactory {
  public:
    static ComPtr<IClassFactory> create();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() noexcept override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid,
                                             void** result) noexcept override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) noexcept override;

  private:
    ClassFactory() = default;
    ~ClassFactory() = default;

    ModuleReference moduleReference_;
    ULONG references_ = 1;
};

} // namespace bz::com
