#include "type_info_dispatch.h"

#include "host/com/variant_conversion.h"
#include "runtime/com/bstr.h"
#include "runtime/com/dispatch_params.h"
#include "runtime/com/hresult_error.h"
#include "runtime/com/type_descriptions.h"
#include "runtime/com/unique_variant.h"

#include <algorithm>
#include <array>

namespace bz::com {

namespace {

// Where each input parameter's argument is in DISPPARAMS::rgvarg.
using ArgumentMap = std::array<UINT, maxParameters>;

// Coerces an argument into `value`, a temporary of the declared type.
HRESULT coerce(VARIANT& argument, const DeclaredType& declared, LCID lcid, VARIANT& value) {
    const HRESULT copied = VariantCopyInd(&value, &argument);
    if (FAILED(copied) || declared.type == VT_VARIANT)
        return copied;
    if (!declared.interfaceId)
        return VariantChangeTypeEx(&value, &value, lcid, 0, declared.type);
    if (V_VT(&value) != VT_DISPATCH && V_VT(&value) != VT_UNKNOWN)
        return DISP_E_TYPEMISMATCH;
    // Nothing passes as a null pointer; an object must offer the declared interface.
    const auto object = ComPtr<IUnknown>::attach(V_UNKNOWN(&value));
    V_VT(&value) = VT_UNKNOWN;
    V_UNKNOWN(&value) = object.tryQuery(*declared.interfaceId).detach();
    return object && !V_UNKNOWN(&value) ? DISP_E_TYPEMISMATCH : S_OK;
}

// Where a callee taking a pointer to the declared type finds the temporary.
void* storageOf(VARIANT& value, VARTYPE type) {
    return type == VT_VARIANT ? static_cast<void*>(&value) : static_cast<void*>(&V_BYREF(&value));
}

void fillException(HRESULT hr, EXCEPINFO& exception) {
    exception = EXCEPINFO();
    exception.scode = hr;
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.put()) == S_OK) {
        info->GetSource(&exception.bstrSource);
        info->GetDescription(&exception.bstrDescription);
    }
}

// Maps each input parameter to its argument in `params.rgvarg`: named arguments come first
// there, positional ones follow, last first; a property's assigned value is its last parameter.
HRESULT mapArguments(const DISPPARAMS& params, UINT inputs, ArgumentMap& argumentOf) {
    std::fill_n(argumentOf.begin(), inputs, inputs);
    for (UINT k = 0; k < params.cArgs; ++k) {
        UINT index = params.cArgs - 1 - k;
        if (k < params.cNamedArgs) {
            const DISPID name = params.rgdispidNamedArgs[k];
            index = name == DISPID_PROPERTYPUT ? inputs - 1 : static_cast<UINT>(name);
        }
        if (index >= inputs || argumentOf[index] != inputs)
            return DISP_E_PARAMNOTFOUND;
        argumentOf[index] = k;
    }
    return S_OK;
}

// A temporary of the declared type for every parameter, the result's included, and the
// by-reference VARIANTs that point the call at them.
struct Temporaries {
    explicit Temporaries(UINT count) : count(count), values(count) {}

    UINT count;
    VariantArray values;
    std::array<VARTYPE, maxParameters> types;
    std::array<VARIANT, maxParameters> pointers;
    std::array<VARIANTARG*, maxParameters> pointerArgs;
};

// Fills the temporaries: each input coerced from its argument, the result empty. On a failed
// coercion `failedArgument` names the argument's position in `params.rgvarg`.
HRESULT makeTemporaries(const MemberDescription& member, DISPPARAMS& params,
                        const ArgumentMap& argumentOf, LCID lcid, Temporaries& temporaries,
                        UINT& failedArgument) {
    for (UINT i = 0; i < member.parameters; ++i) {
        const DeclaredType& declared = member.types[i];
        if (!declared.pointer)
            raiseHresult(DISP_E_BADVARTYPE);
        VARIANT& value = temporaries.values[i];
        if (i < member.inputs) {
            const HRESULT hr = coerce(params.rgvarg[argumentOf[i]], declared, lcid, value);
            if (FAILED(hr)) {
                failedArgument = argumentOf[i];
                return hr;
            }
        } else {
            V_VT(&value) = declared.type == VT_VARIANT ? VARTYPE{VT_EMPTY} : declared.type;
        }
        temporaries.types[i] = VT_BYREF | declared.type;
        V_VT(&temporaries.pointers[i]) = temporaries.types[i];
        V_BYREF(&temporaries.pointers[i]) = storageOf(value, declared.type);
        temporaries.pointerArgs[i] = &temporaries.pointers[i];
    }
    return S_OK;
}

// Calls the member through its vtable entry with pointers to the temporaries: its HRESULT.
HRESULT callMember(IUnknown* instance, const MemberDescription& member, Temporaries& temporaries) {
    VARIANT returned;
    VariantInit(&returned);
    check(DispCallFunc(instance, member.vtableOffset, CC_STDCALL, VT_ERROR, temporaries.count,
                       temporaries.types.data(), temporaries.pointerArgs.data(), &returned));
    return V_ERROR(&returned);
}

} // namespace

ComPtr<ITypeInfo> interfaceTypeInfo(ITypeLib& library, REFIID iid) {
    ComPtr<ITypeInfo> dispatch;
    check(library.GetTypeInfoOfGuid(iid, dispatch.put()));
    // A dual interface is found as its dispinterface, whose partner describes the vtable.
    if (attributesOf(*dispatch)->typekind == TKIND_INTERFACE)
        return dispatch;
    HREFTYPE vtableInterface = 0;
    check(dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableInterface));
    ComPtr<ITypeInfo> result;
    check(dispatch->GetRefTypeInfo(vtableInterface, result.put()));
    return result;
}

HRESULT TypeInfoDispatch::getTypeInfo(UINT index, ITypeInfo** result) noexcept {
    if (!result)
        return E_POINTER;
    *result = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    return guarded(IID_IDispatch,
                   [&] { *result = ComPtr<ITypeInfo>(&interface_.typeInfo()).detach(); });
}

HRESULT TypeInfoDispatch::getIDsOfNames(REFIID riid, LPOLESTR* names, UINT count,
                                        DISPID* ids) noexcept {
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    if (!names || !ids || count == 0)
        return E_INVALIDARG;
    return guarded(IID_IDispatch,
                   [&] { return interface_.typeInfo().GetIDsOfNames(names, count, ids); });
}

HRESULT TypeInfoDispatch::invoke(IUnknown* instance, DISPID member, REFIID riid, LCID lcid,
                                 WORD flags, DISPPARAMS* params, VARIANT* result,
                                 EXCEPINFO* exception, UINT* argumentError) noexcept {
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    if (!wellFormed(params))
        return E_INVALIDARG;
    return guarded(IID_IDispatch, [&] {
        return invokeMember(instance, member, lcid, flags, params, result, exception,
                            argumentError);
    });
}

HRESULT TypeInfoDispatch::invokeMember(IUnknown* instance, DISPID member, LCID lcid, WORD flags,
                                       DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                       UINT* argumentError) {
    const MemberDescription* description = interface_.members().find(member, flags);
    if (!description || description->restricted)
        return DISP_E_MEMBERNOTFOUND;
    if (params->cArgs != description->inputs)
        return DISP_E_BADPARAMCOUNT;

    ArgumentMap argumentOf;
    if (const HRESULT hr = mapArguments(*params, description->inputs, argumentOf); FAILED(hr))
        return hr;
    Temporaries temporaries(description->parameters);
    UINT failedArgument = 0;
    if (const HRESULT hr =
            makeTemporaries(*description, *params, argumentOf, lcid, temporaries, failedArgument);
        FAILED(hr)) {
        if (argumentError)
            *argumentError = failedArgument;
        return hr;
    }

    // The members never assign their parameters: the caller's arguments stay as they were.
    const HRESULT hr = callMember(instance, *description, temporaries);
    if (FAILED(hr)) {
        if (!exception)
            return hr;
        fillException(hr, *exception);
        return DISP_E_EXCEPTION;
    }
    if (description->hasResult && result) {
        VariantInit(result);
        *result = temporaries.values[description->inputs];
        VariantInit(&temporaries.values[description->inputs]);
    }
    return S_OK;
}

} // namespace bz::com
