#include "type_info_dispatch.h"

#include "host/com/variant_conversion.h"
#include "runtime/com/bstr.h"
#include "runtime/com/hresult_error.h"
#include "runtime/com/unique_variant.h"

#include <memory>
#include <optional>
#include <vector>

namespace bz::com {

namespace {

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

TypeAttrPtr attributesOf(ITypeInfo& typeInfo) {
    TYPEATTR* attributes = nullptr;
    check(typeInfo.GetTypeAttr(&attributes));
    return TypeAttrPtr(attributes, {&typeInfo});
}

// The description of the member `member` that answers `flags`, or null.
FuncDescPtr findMember(ITypeInfo& typeInfo, DISPID member, WORD flags) {
    const UINT count = attributesOf(typeInfo)->cFuncs;
    for (UINT i = 0; i < count; ++i) {
        FUNCDESC* description = nullptr;
        check(typeInfo.GetFuncDesc(i, &description));
        FuncDescPtr owned(description, {&typeInfo});
        if (description->memid == member && (description->invkind & flags) != 0)
            return owned;
    }
    return nullptr;
}

// A by-reference parameter as declared: the pointed-to type, and for an interface pointer the
// interface it must be queried for.
struct DeclaredType {
    VARTYPE type;
    std::optional<IID> interfaceId;
};

DeclaredType declaredType(ITypeInfo& typeInfo, const TYPEDESC& parameter) {
    // Every parameter of the interfaces served is a pointer ([in, out] or [out, retval]).
    if (parameter.vt != VT_PTR)
        raiseHresult(DISP_E_BADVARTYPE);
    const TYPEDESC& pointee = *parameter.lptdesc;
    if (pointee.vt == VT_PTR && pointee.lptdesc->vt == VT_USERDEFINED) {
        ComPtr<ITypeInfo> referenced;
        check(typeInfo.GetRefTypeInfo(pointee.lptdesc->hreftype, referenced.put()));
        return {VT_UNKNOWN, attributesOf(*referenced)->guid};
    }
    return {pointee.vt, std::nullopt};
}

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

// The parameters of one member as its description declares them.
struct MemberShape {
    UINT parameters; // the result's included
    UINT inputs;     // the parameters the caller passes
    bool hasResult;
};

MemberShape shapeOf(const FUNCDESC& description) {
    const auto parameters = static_cast<UINT>(description.cParams);
    const bool hasResult =
        parameters > 0 &&
        (description.lprgelemdescParam[parameters - 1].paramdesc.wParamFlags & PARAMFLAG_FRETVAL);
    return {parameters, parameters - (hasResult ? 1 : 0), hasResult};
}

// Maps each input parameter to its argument in `params.rgvarg`: named arguments come first
// there, positional ones follow, last first; a property's assigned value is its last parameter.
HRESULT mapArguments(const DISPPARAMS& params, UINT inputs, std::vector<UINT>& argumentOf) {
    argumentOf.assign(inputs, inputs);
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
    explicit Temporaries(UINT count)
        : values(count), types(count), pointers(count), pointerArgs(count) {}

    VariantArray values;
    std::vector<VARTYPE> types;
    std::vector<VARIANT> pointers;
    std::vector<VARIANTARG*> pointerArgs;
};

// Fills the temporaries: each input coerced from its argument, the result empty. On a failed
// coercion `failedArgument` names the argument's position in `params.rgvarg`.
HRESULT makeTemporaries(ITypeInfo& info, const FUNCDESC& description, const MemberShape& shape,
                        DISPPARAMS& params, const std::vector<UINT>& argumentOf, LCID lcid,
                        Temporaries& temporaries, UINT& failedArgument) {
    for (UINT i = 0; i < shape.parameters; ++i) {
        const DeclaredType declared = declaredType(info, description.lprgelemdescParam[i].tdesc);
        VARIANT& value = temporaries.values[i];
        if (i < shape.inputs) {
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

// Whether the arguments are where the counts announce them, named ones among them.
bool wellFormed(const DISPPARAMS* params) {
    return params && params->cNamedArgs <= params->cArgs &&
           (params->cArgs == 0 || params->rgvarg) &&
           (params->cNamedArgs == 0 || params->rgdispidNamedArgs);
}

// Calls the member through its vtable entry with pointers to the temporaries: its HRESULT.
HRESULT callMember(IUnknown* instance, const FUNCDESC& description, Temporaries& temporaries) {
    VARIANT returned;
    VariantInit(&returned);
    check(DispCallFunc(instance, description.oVft, CC_STDCALL, VT_ERROR,
                       static_cast<UINT>(temporaries.types.size()), temporaries.types.data(),
                       temporaries.pointerArgs.data(), &returned));
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

ITypeInfo& TypeInfoDispatch::typeInfo() {
    if (!typeInfo_)
        typeInfo_ = loader_();
    return *typeInfo_;
}

HRESULT TypeInfoDispatch::getTypeInfo(UINT index, ITypeInfo** result) noexcept {
    if (!result)
        return E_POINTER;
    *result = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    return guarded(IID_IDispatch, [&] { *result = ComPtr<ITypeInfo>(&typeInfo()).detach(); });
}

HRESULT TypeInfoDispatch::getIDsOfNames(REFIID riid, LPOLESTR* names, UINT count,
                                        DISPID* ids) noexcept {
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    if (!names || !ids || count == 0)
        return E_INVALIDARG;
    return guarded(IID_IDispatch, [&] { return typeInfo().GetIDsOfNames(names, count, ids); });
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
    ITypeInfo& info = typeInfo();
    const FuncDescPtr description = findMember(info, member, flags);
    if (!description || (description->wFuncFlags & FUNCFLAG_FRESTRICTED))
        return DISP_E_MEMBERNOTFOUND;
    const MemberShape shape = shapeOf(*description);
    if (params->cArgs != shape.inputs)
        return DISP_E_BADPARAMCOUNT;

    std::vector<UINT> argumentOf;
    if (const HRESULT hr = mapArguments(*params, shape.inputs, argumentOf); FAILED(hr))
        return hr;
    Temporaries temporaries(shape.parameters);
    UINT failedArgument = 0;
    if (const HRESULT hr = makeTemporaries(info, *description, shape, *params, argumentOf, lcid,
                                           temporaries, failedArgument);
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
    if (shape.hasResult && result) {
        VariantInit(result);
        *result = temporaries.values[shape.inputs];
        VariantInit(&temporaries.values[shape.inputs]);
    }
    return S_OK;
}

} // namespace bz::com
