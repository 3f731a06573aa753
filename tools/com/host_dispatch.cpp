#include "host_dispatch.h"

#include "host/com/dispatch_object.h"
#include "host/com/variant_conversion.h"
#include "runtime/com/bstr.h"
#include "runtime/com/com_object.h"
#include "runtime/com/dispatch_params.h"
#include "runtime/com/hresult_error.h"
#include "runtime/com/spare_storage.h"
#include "runtime/com/unique_variant.h"
#include "runtime/error.h"
#include "runtime/text.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace bz::com {

namespace {

// Answered only by HostDispatch, to find the host object behind a COM face.
constexpr GUID IID_HostDispatch{
    0x6c1f3a52, 0x2b7e, 0x4d0c, {0x9a, 0x41, 0x17, 0x5e, 0x88, 0x30, 0xb2, 0x6d}};

// The most arguments a host member takes here; the component passes at most three.
constexpr UINT maxArguments = 8;

// Dispatch ids from here up stand for names; lower ones are the host's published numbers.
constexpr DISPID firstNameId = 0x10000;

InvokeKind kindOf(WORD flags) {
    if (flags & DISPATCH_PROPERTYPUTREF)
        return InvokeKind::PropertyPutRef;
    if (flags & DISPATCH_PROPERTYPUT)
        return InvokeKind::PropertyPut;
    if ((flags & DISPATCH_METHOD) && (flags & DISPATCH_PROPERTYGET))
        return InvokeKind::MethodOrPropertyGet;
    return flags & DISPATCH_METHOD ? InvokeKind::Method : InvokeKind::PropertyGet;
}

class HostDispatch final : public ComObject<HostDispatch, IDispatch> {
  public:
    explicit HostDispatch(ObjectRef object) : object_(std::move(object)) {}

    // Faces come from storage that released ones leave behind: the objects the host hands out
    // week by week get theirs without a heap allocation.
    static void* operator new(std::size_t size);
    static void operator delete(void* memory, std::size_t size) noexcept;

    Object& object() const { return *object_; }

    // The host object's other interfaces, each behind a COM face of its own; none when the
    // host object fails to answer.
    IUnknown* queryOther(REFIID iid) noexcept {
        if (iid == IID_HostDispatch) {
            AddRef();
            return identity();
        }
        IUnknown* other = nullptr;
        guarded(IID_IUnknown, [&] {
            Guid guid;
            std::memcpy(&guid, &iid, sizeof guid);
            if (ObjectRef found = object_->queryInterface(guid))
                other = hostDispatch(std::move(found)).detach();
        });
        return other;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        return guarded(IID_IDispatch, [&] {
            for (UINT i = 0; i < count; ++i)
                ids[i] = idOf(std::u16string(reinterpret_cast<const char16_t*>(names[i])));
        });
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT*) override {
        if (!wellFormed(params))
            return E_INVALIDARG;
        return guarded(IID_IDispatch, [&] {
            try {
                return invoke(member, flags, *params, result);
            } catch (const AutomationError& error) {
                return failure(error, exception);
            }
        });
    }

  private:
    HRESULT invoke(DISPID member, WORD flags, DISPPARAMS& params, VARIANT* result);
    static HRESULT failure(const AutomationError& error, EXCEPINFO* exception);

    DISPID idOf(const std::u16string& name) {
        for (std::size_t i = 0; i < names_.size(); ++i)
            if (names_[i] == name)
                return firstNameId + static_cast<DISPID>(i);
        names_.push_back(name);
        return firstNameId + static_cast<DISPID>(names_.size() - 1);
    }
    // A dispatch id this face gave out for a name, or one of the host's numbers.
    MemberId memberOf(DISPID id) const {
        if (id < firstNameId)
            return static_cast<std::int32_t>(id);
        if (static_cast<std::size_t>(id - firstNameId) >= names_.size())
            throw AutomationError(DISP_E_MEMBERNOTFOUND, {}, {});
        return names_[static_cast<std::size_t>(id - firstNameId)];
    }
    // The name of a named argument: only a name this face gave out names one.
    std::u16string argumentName(DISPID id) const {
        if (id < firstNameId)
            throw AutomationError(DISP_E_PARAMNOTFOUND, {}, {});
        return std::get<std::u16string>(memberOf(id));
    }

    ObjectRef object_;
    std::vector<std::u16string> names_;
};

constinit SpareStorage<sizeof(HostDispatch)> spareFaces;
const CloseAtUnload closeSpareFaces(spareFaces);

void* HostDispatch::operator new(std::size_t size) {
    return spareFaces.take(size);
}

void HostDispatch::operator delete(void* memory, std::size_t size) noexcept {
    spareFaces.give(memory, size);
}

// One argument as the host object receives it, with storage for by-reference values.
struct ReceivedArgument {
    Variant value;
    std::u16string text;
    std::int16_t boolean = 0;
};

Argument receive(VARIANT& source, ReceivedArgument& storage) {
    switch (V_VT(&source)) {
    case VT_BSTR | VT_BYREF:
        storage.text = fromBstr(*V_BSTRREF(&source));
        return Argument{&storage.text};
    case VT_VARIANT | VT_BYREF:
        storage.value = hostFromVariant(*V_VARIANTREF(&source));
        return Argument{&storage.value};
    case VT_BOOL | VT_BYREF:
        storage.boolean = *V_BOOLREF(&source);
        return Argument{Argument::BooleanRef{&storage.boolean}};
    default:
        storage.value = hostFromVariant(source);
        // The host object sees the argument as a core value, and the tests' host logs its type
        // as that value says it; a type that converts to another (VT_UNKNOWN, VT_I4 | VT_BYREF,
        // ...) is refused, so that neither sees a type other than the one that came over COM.
        if (storage.value.variantType() != V_VT(&source))
            throw AutomationError(DISP_E_TYPEMISMATCH, u"Host",
                                  u"argument type not recorded faithfully: " +
                                      fromUtf8(std::to_string(V_VT(&source))));
        return Argument{static_cast<const Variant*>(&storage.value)};
    }
}

void writeBack(VARIANT& target, const ReceivedArgument& storage) {
    switch (V_VT(&target)) {
    case VT_BSTR | VT_BYREF:
        SysFreeString(*V_BSTRREF(&target));
        *V_BSTRREF(&target) = UniqueBstr(storage.text).detach();
        break;
    case VT_VARIANT | VT_BYREF:
        VariantClear(V_VARIANTREF(&target));
        hostToVariant(storage.value, *V_VARIANTREF(&target));
        break;
    case VT_BOOL | VT_BYREF:
        *V_BOOLREF(&target) = storage.boolean;
        break;
    default:
        break;
    }
}

// Runs inside Invoke's error boundary: whatever it throws comes back as an HRESULT.
HRESULT HostDispatch::invoke(DISPID member, WORD flags, DISPPARAMS& params, VARIANT* result) {
    const UINT count = params.cArgs;
    if (count > maxArguments)
        throw AutomationError(DISP_E_BADPARAMCOUNT, {}, {});
    // Parameter order: positional arguments (stored last first), then the named ones, then a
    // property's assigned value.
    std::array<UINT, maxArguments> order;
    UINT ordered = 0;
    for (UINT k = count; k-- > params.cNamedArgs;)
        order[ordered++] = k;
    std::vector<std::u16string> names; // empty, and so never allocated, without named arguments
    UINT putValue = count;
    for (UINT k = 0; k < params.cNamedArgs; ++k) {
        if (params.rgdispidNamedArgs[k] == DISPID_PROPERTYPUT) {
            putValue = k;
            continue;
        }
        order[ordered++] = k;
        names.push_back(argumentName(params.rgdispidNamedArgs[k]));
    }
    if (putValue != count)
        order[ordered++] = putValue;

    std::array<ReceivedArgument, maxArguments> storage;
    std::array<Argument, maxArguments> args;
    for (UINT i = 0; i < ordered; ++i)
        args[i] = receive(params.rgvarg[order[i]], storage[order[i]]);
    const Variant value = object_->invoke(memberOf(member), kindOf(flags),
                                          std::span<const Argument>(args.data(), ordered), names);
    for (UINT i = 0; i < ordered; ++i)
        writeBack(params.rgvarg[order[i]], storage[order[i]]);
    if (result)
        hostToVariant(value, *result);
    return S_OK;
}

// A host error without source and description stands for a bare HRESULT; another goes back
// through EXCEPINFO.
HRESULT HostDispatch::failure(const AutomationError& error, EXCEPINFO* exception) {
    if (error.source().empty() && error.description().empty())
        return error.hresult();
    if (exception) {
        *exception = EXCEPINFO();
        exception->scode = error.hresult();
        exception->bstrSource = UniqueBstr(error.source()).detach();
        exception->bstrDescription = UniqueBstr(error.description()).detach();
    }
    return DISP_E_EXCEPTION;
}

// A VARIANT carried through the core as an object that only hostToVariant opens.
class RawValue final : public Object {
  public:
    explicit RawValue(const VARIANT& value) {
        check(VariantCopy(value_.put(), const_cast<VARIANT*>(&value)));
    }
    VARIANT& value() { return value_.get(); }

    void addRef() noexcept override { ++references_; }
    void release() noexcept override {
        if (--references_ == 0)
            delete this;
    }
    Variant invoke(const MemberId&, InvokeKind, std::span<const Argument>,
                   std::span<const std::u16string>) override {
        raise(ErrorNumber::MemberNotSupported);
    }
    ObjectRef queryInterface(const Guid&) override { return {}; }

  private:
    ~RawValue() = default;
    UniqueVariant value_;
    int references_ = 1;
};

} // namespace

Variant rawVariant(const VARIANT& value) {
    return Variant(ObjectRef::adopt(new RawValue(value)));
}

ComPtr<IDispatch> hostDispatch(ObjectRef object) {
    return ComPtr<IDispatch>::attach(HostDispatch::create(std::move(object)).detach());
}

Variant hostFromVariant(const VARIANT& value) {
    IDispatch* dispatch = nullptr;
    if (V_VT(&value) == VT_DISPATCH)
        dispatch = V_DISPATCH(&value);
    else if (V_VT(&value) == (VT_DISPATCH | VT_BYREF))
        dispatch = *V_DISPATCHREF(&value);
    else if (V_VT(&value) == (VT_VARIANT | VT_BYREF))
        return hostFromVariant(*V_VARIANTREF(&value));
    const auto face = ComPtr<IDispatch>(dispatch).tryQuery(IID_HostDispatch);
    if (face)
        return Variant(
            ObjectRef(&static_cast<HostDispatch*>(static_cast<IDispatch*>(face.get()))->object()));
    return fromVariant(value);
}

void hostToVariant(const Variant& value, VARIANT& target) {
    if (value.isObject() && value.get<ObjectRef>()) {
        if (auto* raw = dynamic_cast<RawValue*>(value.get<ObjectRef>().get())) {
            VariantInit(&target);
            check(VariantCopy(&target, &raw->value()));
            return;
        }
    }
    const DispatchObject* adapter =
        value.isObject() && value.get<ObjectRef>() ? adapterOf(*value.get<ObjectRef>()) : nullptr;
    if (value.isObject() && value.get<ObjectRef>() && !(adapter && adapter->dispatch())) {
        VariantInit(&target);
        V_VT(&target) = VT_DISPATCH;
        V_DISPATCH(&target) = hostDispatch(value.get<ObjectRef>()).detach();
        return;
    }
    toVariant(value, target);
}

} // namespace bz::com
