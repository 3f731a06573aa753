#include "link_helper_object.h"

#include "host/com/transfer_object.h"
#include "host/com/variant_conversion.h"
#include "runtime/com/bstr.h"
#include "runtime/com/hresult_error.h"
#include "runtime/error.h"

#include <optional>

namespace bz::com {

namespace {

// The host's interface library (TembraLinkHelperIF 1.0), which describes ITembraLinkHelper.
constexpr GUID hostInterfaceLibrary{
    0x4B00BD6B, 0xFB3C, 0x4AEA, {0x97, 0xE7, 0x51, 0x92, 0xDD, 0x2F, 0x17, 0x7B}};

ComPtr<ITypeInfo> componentInterface() {
    return interfaceTypeInfo(*componentTypeLibrary(), __uuidof(_TembraLinkHelper));
}

ComPtr<ITypeInfo> hostInterface() {
    ComPtr<ITypeLib> library;
    check(LoadRegTypeLib(hostInterfaceLibrary, 1, 0, LOCALE_NEUTRAL, library.put()));
    return interfaceTypeInfo(*library, __uuidof(ITembraLinkHelper));
}

// The two interfaces served through type information, each described once for the module.
ModuleInterface componentType(componentInterface);
ModuleInterface hostType(hostInterface);

HRESULT typeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = 1;
    return S_OK;
}

// The core's view of a transfer-object argument: null when the host passed Nothing.
class TransferArgument {
  public:
    explicit TransferArgument(_PrePostTransfer* transfer) {
        if (transfer)
            adapter_.emplace(ComPtr<IUnknown>(transfer));
    }
    host::TransferObject* get() { return adapter_ ? &*adapter_ : nullptr; }

  private:
    std::optional<TransferObjectAdapter> adapter_;
};

void requirePointers(std::initializer_list<const void*> pointers) {
    for (const void* pointer : pointers) {
        if (!pointer)
            throw AutomationError(E_POINTER, {}, {});
    }
}

} // namespace

LinkHelperObject::LinkHelperObject() : core_(locale_), dispatch_(componentType), host_(*this) {}

HRESULT LinkHelperObject::createInstance(REFIID iid, void** result) noexcept {
    return guarded(IID_IClassFactory, [&] { return create()->QueryInterface(iid, result); });
}

IUnknown* LinkHelperObject::queryOther(REFIID iid) noexcept {
    if (iid != __uuidof(ITembraLinkHelper))
        return nullptr;
    AddRef();
    return &host_;
}

HRESULT LinkHelperObject::GetTypeInfoCount(UINT* count) noexcept {
    return typeInfoCount(count);
}

HRESULT LinkHelperObject::GetTypeInfo(UINT index, LCID, ITypeInfo** result) noexcept {
    return dispatch_.getTypeInfo(index, result);
}

HRESULT LinkHelperObject::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                        DISPID* ids) noexcept {
    return dispatch_.getIDsOfNames(riid, names, count, ids);
}

HRESULT LinkHelperObject::Invoke(DISPID member, REFIID riid, LCID lcid, WORD flags,
                                 DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                 UINT* argumentError) noexcept {
    const ComPtr<IUnknown> self(identity());
    return dispatch_.invoke(static_cast<_TembraLinkHelper*>(this), member, riid, lcid, flags,
                            params, result, exception, argumentError);
}

HRESULT
LinkHelperObject::put_ZEFA_LHF_ActivityTemplateSuitability(VARIANT* ActivityTemplateItem,
                                                           BSTR* SuitabilityHostkey) noexcept {
    return serve(__uuidof(_TembraLinkHelper), [&] {
        requirePointers({ActivityTemplateItem, SuitabilityHostkey});
        Variant item = fromVariant(*ActivityTemplateItem);
        std::u16string hostkey = fromBstr(*SuitabilityHostkey);
        core_.ZEFA_LHF_ActivityTemplateSuitability(item, hostkey);
    });
}

HRESULT LinkHelperObject::PrepareAvailabilityTransfer(_PrePostTransfer** dummy,
                                                      VARIANT_BOOL* result) noexcept {
    return serve(__uuidof(_TembraLinkHelper), [&] {
        requirePointers({dummy, result});
        *result = VARIANT_FALSE;
        TransferArgument transfer(*dummy);
        *result = core_.PrepareAvailabilityTransfer(transfer.get()) ? VARIANT_TRUE : VARIANT_FALSE;
    });
}

HRESULT LinkHelperObject::FinishAvailabilityTransfer(_PrePostTransfer** xxx,
                                                     VARIANT_BOOL* result) noexcept {
    return serve(__uuidof(_TembraLinkHelper), [&] {
        requirePointers({xxx, result});
        *result = VARIANT_FALSE;
        TransferArgument transfer(*xxx);
        *result = core_.FinishAvailabilityTransfer(transfer.get()) ? VARIANT_TRUE : VARIANT_FALSE;
    });
}

HRESULT LinkHelperObject::MarkTheDay(BSTR* hostkey, short* period) noexcept {
    return serve(__uuidof(_TembraLinkHelper), [&] {
        requirePointers({hostkey, period});
        std::u16string key = fromBstr(*hostkey);
        Integer day = *period;
        core_.MarkTheDay(key, day);
    });
}

HRESULT LinkHelperObject::DayHasBeenMarked(BSTR* hostkey, short* period, VARIANT* result) noexcept {
    return serve(__uuidof(_TembraLinkHelper), [&] {
        requirePointers({hostkey, period, result});
        VariantInit(result);
        std::u16string key = fromBstr(*hostkey);
        Integer day = *period;
        toVariant(core_.DayHasBeenMarked(key, day), *result);
    });
}

HRESULT
LinkHelperObject::putref_ITembraLinkHelper_SetActiveCollegeReference(VARIANT* college) noexcept {
    return serve(__uuidof(_TembraLinkHelper), [&] { setCollege(college); });
}

HRESULT LinkHelperObject::put_ZEFA_LHF_SetAvailabilityByString(VARIANT* thing,
                                                               BSTR* strPattern) noexcept {
    return serve(__uuidof(_TembraLinkHelper), [&] {
        requirePointers({thing, strPattern});
        Variant target = fromVariant(*thing);
        std::u16string pattern = fromBstr(*strPattern);
        core_.ZEFA_LHF_SetAvailabilityByString(target, pattern);
    });
}

HRESULT LinkHelperObject::InterfaceSupportsErrorInfo(REFIID iid) noexcept {
    return iid == __uuidof(_TembraLinkHelper) || iid == __uuidof(ITembraLinkHelper) ? S_OK
                                                                                    : S_FALSE;
}

void LinkHelperObject::setCollege(VARIANT* college) {
    requirePointers({college});
    Variant value = fromVariant(*college);
    core_.ITembraLinkHelper_SetActiveCollegeReference(value);
}

LinkHelperObject::HostInterface::HostInterface(LinkHelperObject& outer)
    : Delegating(*outer.identity()), outer_(outer), dispatch_(hostType) {}

HRESULT LinkHelperObject::HostInterface::GetTypeInfoCount(UINT* count) noexcept {
    return typeInfoCount(count);
}

HRESULT LinkHelperObject::HostInterface::GetTypeInfo(UINT index, LCID,
                                                     ITypeInfo** result) noexcept {
    return dispatch_.getTypeInfo(index, result);
}

HRESULT LinkHelperObject::HostInterface::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count,
                                                       LCID, DISPID* ids) noexcept {
    return dispatch_.getIDsOfNames(riid, names, count, ids);
}

HRESULT LinkHelperObject::HostInterface::Invoke(DISPID member, REFIID riid, LCID lcid, WORD flags,
                                                DISPPARAMS* params, VARIANT* result,
                                                EXCEPINFO* exception,
                                                UINT* argumentError) noexcept {
    const ComPtr<IUnknown> self(outer_.identity());
    return dispatch_.invoke(this, member, riid, lcid, flags, params, result, exception,
                            argumentError);
}

HRESULT
LinkHelperObject::HostInterface::putref_SetActiveCollegeReference(VARIANT* college) noexcept {
    return outer_.serve(__uuidof(ITembraLinkHelper), [&] { outer_.setCollege(college); });
}

} // namespace bz::com
