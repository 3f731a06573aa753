#pragma once

#include "runtime/com/com_ptr.h"

#include <oaidl.h>

namespace bz::bench {

// The component as the host holds it: a TembraLinkHelper created from Brenik_Zefa.dll beside
// this program, called late-bound by name with the names looked up once.
class LateBoundComponent {
  public:
    LateBoundComponent();

    // helper.ITembraLinkHelper_SetActiveCollegeReference = college, by reference.
    void setCollege(IDispatch& college);
    // helper.PrepareAvailabilityTransfer(Nothing).
    void prepareTransfer();
    // helper.ZEFA_LHF_SetAvailabilityByString(target) = pattern, both by reference.
    HRESULT setAvailability(VARIANT& target, BSTR& pattern) {
        VARIANT args[2];
        V_VT(&args[0]) = VT_BSTR | VT_BYREF;
        V_BSTRREF(&args[0]) = &pattern;
        V_VT(&args[1]) = VT_VARIANT | VT_BYREF;
        V_VARIANTREF(&args[1]) = &target;
        DISPID put = DISPID_PROPERTYPUT;
        DISPPARAMS params{args, &put, 2, 1};
        return helper_->Invoke(setAvailability_, IID_NULL, LOCALE_USER_DEFAULT,
                               DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
    }

  private:
    DISPID idOf(const wchar_t* name) const;

    com::ComPtr<IDispatch> helper_;
    DISPID setCollege_;
    DISPID prepare_;
    DISPID setAvailability_;
};

} // namespace bz::bench
