#include "late_bound.h"

#include "host/com/variant_conversion.h"
#include "runtime/com/unique_variant.h"

#include <algorithm>

namespace bz::test {

LateBound invokeByName(IDispatch& object, const wchar_t* name, WORD flags,
                       std::vector<VARIANT> args) {
    LateBound result{};
    DISPID member = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    result.hr = object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member);
    if (FAILED(result.hr))
        return result;

    std::reverse(args.begin(), args.end());
    DISPID put = DISPID_PROPERTYPUT;
    const bool isPut = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    DISPPARAMS params{args.data(), isPut ? &put : nullptr, static_cast<UINT>(args.size()),
                      isPut ? 1u : 0u};
    com::UniqueVariant value;
    EXCEPINFO exception{};
    result.hr = object.Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, value.put(),
                              &exception, &result.argumentError);
    result.value = com::fromVariant(value.get());
    result.type = V_VT(&value.get());
    result.scode = exception.scode;
    if (exception.bstrDescription)
        result.description = exception.bstrDescription;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return result;
}

VARIANT referenceTo(VARIANT& value) {
    VARIANT reference;
    V_VT(&reference) = VT_VARIANT | VT_BYREF;
    V_VARIANTREF(&reference) = &value;
    return reference;
}

VARIANT referenceTo(BSTR& value) {
    VARIANT reference;
    V_VT(&reference) = VT_BSTR | VT_BYREF;
    V_BSTRREF(&reference) = &value;
    return reference;
}

VARIANT referenceTo(short& value) {
    VARIANT reference;
    V_VT(&reference) = VT_I2 | VT_BYREF;
    V_I2REF(&reference) = &value;
    return reference;
}

} // namespace bz::test
