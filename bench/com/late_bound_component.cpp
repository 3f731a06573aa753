#include "late_bound_component.h"

#include "Brenik_Zefa.h"
#include "runtime/com/hresult_error.h"
#include "runtime/com/unique_variant.h"

#include <stdexcept>

namespace bz::bench {

namespace {

// The class factory of the DLL loaded from this program's folder, as COM would load it.
com::ComPtr<IClassFactory> classFactory() {
    const HMODULE module = LoadLibraryW(L"Brenik_Zefa.dll");
    if (!module)
        throw std::runtime_error("Brenik_Zefa.dll not found beside the benchmark");
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    const auto getClassObject = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "DllGetClassObject")));
    if (!getClassObject)
        throw std::runtime_error("Brenik_Zefa.dll exports no DllGetClassObject");
    com::ComPtr<IClassFactory> factory;
    com::check(getClassObject(__uuidof(TembraLinkHelper), IID_IClassFactory,
                              reinterpret_cast<void**>(factory.put())));
    return factory;
}

} // namespace

LateBoundComponent::LateBoundComponent() {
    com::check(classFactory()->CreateInstance(nullptr, IID_IDispatch,
                                              reinterpret_cast<void**>(helper_.put())));
    setCollege_ = idOf(L"ITembraLinkHelper_SetActiveCollegeReference");
    prepare_ = idOf(L"PrepareAvailabilityTransfer");
    setAvailability_ = idOf(L"ZEFA_LHF_SetAvailabilityByString");
}

DISPID LateBoundComponent::idOf(const wchar_t* name) const {
    LPOLESTR names[]{const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    com::check(helper_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
    return id;
}

void LateBoundComponent::setCollege(IDispatch& college) {
    com::UniqueVariant held;
    V_VT(held.put()) = VT_DISPATCH;
    V_DISPATCH(&held.get()) = com::ComPtr<IDispatch>(&college).detach();
    VARIANT reference;
    V_VT(&reference) = VT_VARIANT | VT_BYREF;
    V_VARIANTREF(&reference) = &held.get();
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{&reference, &put, 1, 1};
    com::check(helper_->Invoke(setCollege_, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUTREF,
                               &params, nullptr, nullptr, nullptr));
}

void LateBoundComponent::prepareTransfer() {
    com::UniqueVariant nothing;
    V_VT(nothing.put()) = VT_DISPATCH;
    V_DISPATCH(&nothing.get()) = nullptr;
    VARIANT reference;
    V_VT(&reference) = VT_VARIANT | VT_BYREF;
    V_VARIANTREF(&reference) = &nothing.get();
    DISPPARAMS params{&reference, nullptr, 1, 0};
    com::UniqueVariant result;
    com::check(helper_->Invoke(prepare_, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                               result.put(), nullptr, nullptr));
}

} // namespace bz::bench
