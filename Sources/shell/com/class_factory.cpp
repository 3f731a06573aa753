#include "class_factory.h"

#include "link_helper_object.h"
#include "runtime/com/hresult_error.h"

namespace bz::com {

ComPtr<IClassFactory> ClassFactory::create() {
    return ComPtr<IClassFactory>::attach(new ClassFactory());
}

HRESULT ClassFactory::QueryInterface(REFIID iid, void** result) noexcept {
    if (!result)
        return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) {
        *result = nullptr;
        return E_NOINTERFACE;
    }
    *result = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

ULONG ClassFactory::Release() noexcept {
    const ULONG remaining = --references_;
    if (remaining == 0)
        delete this;
    return remaining;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** result) noexcept {
    if (!result)
        return E_POINTER;
    *result = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    return guarded(IID_IClassFactory,
                   [&] { return LinkHelperObject::create()->QueryInterface(iid, result); });
}

HRESULT ClassFactory::LockServer(BOOL lock) noexcept {
    if (lock)
        addModuleReference();
    else
        releaseModuleReference();
    return S_OK;
}

} // namespace bz::com
