// The DLL's four exports (see Brenik_Zefa.def). DllMain is the runtime's default: the component
// does nothing of its own when the DLL loads or unloads.
#include "Brenik_Zefa.h"
#include "link_helper_object.h"
#include "registration.h"
#include "runtime/com/class_factory.h"
#include "runtime/com/hresult_error.h"

using namespace bz::com;

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** result) {
    if (!result)
        return E_POINTER;
    *result = nullptr;
    if (clsid != __uuidof(TembraLinkHelper))
        return CLASS_E_CLASSNOTAVAILABLE;
    return guarded(IID_IClassFactory, [&] {
        return ClassFactory<LinkHelperObject::createInstance>::create()->QueryInterface(iid,
                                                                                        result);
    });
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return moduleIsIdle() ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    return guarded(IID_NULL, [] { registerServer(); });
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return guarded(IID_NULL, [] { unregisterServer(); });
}
