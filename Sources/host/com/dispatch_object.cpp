#include "dispatch_object.h"

#include "runtime/com/bstr.h"
#include "runtime/com/guid.h"
#include "runtime/com/hresult_error.h"
#include "runtime/com/spare_storage.h"
#include "runtime/com/unique_variant.h"
#include "runtime/error.h"
#include "variant_conversion.h"

#include <dispex.h>

#include <array>
#include <atomic>
#include <typeinfo>

namespace bz::com {

namespace {

class ExceptionInfo : public EXCEPINFO {
  public:
    ExceptionInfo() : EXCEPINFO() {}
    ExceptionInfo(const ExceptionInfo&) = delete;
    ExceptionInfo& operator=(const ExceptionInfo&) = delete;
    ~ExceptionInfo() {
        // Only a failed call fills them: a successful one needs no call to free them.
        for (const BSTR text : {bstrSource, bstrDescription, bstrHelpFile})
            if (text)
                SysFreeString(text);
    }

    // The error the callee raised: its SCODE, or the run-time error of its wCode.
    [[noreturn]] void raise() {
        if (pfnDeferredFillIn)
            pfnDeferredFillIn(this);
        const HRESULT hr = scode != 0 ? scode : static_cast<HRESULT>(hresultOf(wCode));
        throw AutomationError(hr, fromBstr(bstrSource), fromBstr(bstrDescription));
    }
};

WORD invokeFlags(InvokeKind kind) {
    switch (kind) {
    case InvokeKind::Method:
        return DISPATCH_METHOD;
    case InvokeKind::PropertyGet:
        return DISPATCH_PROPERTYGET;
    case InvokeKind::MethodOrPropertyGet:
        return DISPATCH_METHOD | DISPATCH_PROPERTYGET;
    case InvokeKind::PropertyPut:
        return DISPATCH_PROPERTYPUT;
    case InvokeKind::PropertyPutRef:
        return DISPATCH_PROPERTYPUTREF;
    }
    return DISPATCH_METHOD;
}

// Fills the call slot of one argument. By-reference arguments point into `referent`, which
// holds a copy of the caller's variable for the length of the call.
void prepareArgument(const Argument& argument, VARIANT& slot, VARIANT& referent) {
    std::visit(
        [&](auto value) {
            using T = decltype(value);
            if constexpr (std::is_same_v<T, const Variant*>) {
                toVariant(*value, slot);
            } else if constexpr (std::is_same_v<T, std::u16string*>) {
                V_BSTR(&referent) = UniqueBstr(*value).detach();
                V_VT(&referent) = VT_BSTR;
                V_BSTRREF(&slot) = &V_BSTR(&referent);
                V_VT(&slot) = VT_BSTR | VT_BYREF;
            } else if constexpr (std::is_same_v<T, Variant*>) {
                toVariant(*value, referent);
                V_VARIANTREF(&slot) = &referent;
                V_VT(&slot) = VT_VARIANT | VT_BYREF;
            } else {
                V_VT(&referent) = VT_BOOL;
                V_BOOL(&referent) = *value.value;
                V_BOOLREF(&slot) = &V_BOOL(&referent);
                V_VT(&slot) = VT_BOOL | VT_BYREF;
            }
        },
        argument.value);
}

// Writes what the callee left in a by-reference argument back to the caller's variable.
void writeBack(const Argument& argument, const VARIANT& referent) {
    std::visit(
        [&](auto value) {
            using T = decltype(value);
            if constexpr (std::is_same_v<T, std::u16string*>)
                *value = fromBstr(V_BSTR(&referent));
            else if constexpr (std::is_same_v<T, Variant*>)
                *value = fromVariant(referent);
            else if constexpr (std::is_same_v<T, Argument::BooleanRef>)
                *value.value = V_BOOL(&referent);
        },
        argument.value);
}

// Where a call's arguments go in DISPPARAMS::rgvarg: the named ones first, in the order of their
// ids, with the assigned value of a property put named DISPID_PROPERTYPUT; the positional ones
// follow, last first.
class ArgumentLayout {
  public:
    // `ids`: the member's dispatch id, then those of the named arguments, which are the last
    // arguments; empty for a member called by dispatch id.
    ArgumentLayout(std::size_t count, bool put, const std::vector<DISPID>& ids)
        : count_(count), put_(put) {
        if (ids.size() < 2)
            return;
        if (put)
            namedIds_.push_back(DISPID_PROPERTYPUT);
        for (std::size_t i = 1; i < ids.size(); ++i)
            namedIds_.push_back(ids[i]);
    }

    std::size_t namedCount() const { return namedIds_.empty() ? (put_ ? 1 : 0) : namedIds_.size(); }
    DISPID* namedIds() { return namedIds_.empty() ? (put_ ? &putId_ : nullptr) : namedIds_.data(); }
    // The slot of argument `index`: a named one by its name's place, the put value first.
    std::size_t slotOf(std::size_t index) const {
        const std::size_t positional = count_ - namedCount();
        if (index < positional)
            return count_ - 1 - index;
        if (!put_)
            return index - positional;
        return index == count_ - 1 ? 0 : index - positional + 1;
    }

  private:
    std::size_t count_;
    bool put_;
    DISPID putId_ = DISPID_PROPERTYPUT;
    std::vector<DISPID> namedIds_;
};

// Released adapters leave their storage for the next ones: the reads and queries made week by
// week wrap their objects without a heap allocation.
constinit SpareStorage<sizeof(DispatchObject)> spareAdapters;
const CloseAtUnload closeSpareAdapters(spareAdapters);

} // namespace

void* DispatchObject::operator new(std::size_t size) {
    return spareAdapters.take(size);
}

void DispatchObject::operator delete(void* memory, std::size_t size) noexcept {
    spareAdapters.give(memory, size);
}

ObjectRef DispatchObject::wrap(ComPtr<IDispatch> dispatch) {
    if (!dispatch)
        return ObjectRef();
    return ObjectRef::adopt(new DispatchObject(nullptr, std::move(dispatch)));
}

ObjectRef DispatchObject::wrap(ComPtr<IUnknown> object) {
    if (!object)
        return ObjectRef();
    if (auto dispatch = object.tryQuery<IDispatch>())
        return wrap(std::move(dispatch));
    return ObjectRef::adopt(new DispatchObject(std::move(object), nullptr));
}

void DispatchObject::release() noexcept {
    if (--references_ == 0)
        delete this;
}

std::vector<DISPID> DispatchObject::dispatchIds(const std::u16string& name,
                                                std::span<const std::u16string> namedArgs) const {
    std::vector<LPOLESTR> names{const_cast<LPOLESTR>(wide(name))};
    for (const std::u16string& namedArg : namedArgs)
        names.push_back(const_cast<LPOLESTR>(wide(namedArg)));
    std::vector<DISPID> ids(names.size(), DISPID_UNKNOWN);
    HRESULT hr = dispatch_->GetIDsOfNames(IID_NULL, names.data(), static_cast<UINT>(names.size()),
                                          LOCALE_USER_DEFAULT, ids.data());
    // Script objects (a VBScript Class instance, for one) may answer only through IDispatchEx;
    // it resolves member names but not argument names.
    if (hr == E_NOTIMPL && namedArgs.empty()) {
        if (const auto dispatchEx = dispatch_.tryQuery<IDispatchEx>()) {
            const UniqueBstr bstrName(name);
            hr = dispatchEx->GetDispID(bstrName.get(), fdexNameCaseInsensitive, ids.data());
        }
    }
    check(hr);
    return ids;
}

Variant DispatchObject::invoke(const MemberId& member, InvokeKind kind,
                               std::span<const Argument> args,
                               std::span<const std::u16string> namedArgs) {
    checkInvokeArguments(member, kind, args.size(), namedArgs.size());
    if (!dispatch_)
        raise(ErrorNumber::MemberNotSupported);
    // A member by dispatch id (the calls made week by week) needs no lookup at all.
    const auto* name = std::get_if<std::u16string>(&member);
    const std::vector<DISPID> ids = name ? dispatchIds(*name, namedArgs) : std::vector<DISPID>{};
    const DISPID id = name ? ids[0] : std::get<std::int32_t>(member);
    const bool put = kind == InvokeKind::PropertyPut || kind == InvokeKind::PropertyPutRef;
    ArgumentLayout layout(args.size(), put, ids);

    VariantArray slots(args.size());
    VariantArray referents(args.size());
    for (std::size_t i = 0; i < args.size(); ++i)
        prepareArgument(args[i], slots[layout.slotOf(i)], referents[layout.slotOf(i)]);
    DISPPARAMS params{slots.data(), layout.namedIds(), static_cast<UINT>(args.size()),
                      static_cast<UINT>(layout.namedCount())};
    const bool wantsResult = kind != InvokeKind::Method && !put;
    UniqueVariant result;
    ExceptionInfo exception;
    UINT argumentError = 0;
    const HRESULT hr =
        dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, invokeFlags(kind), &params,
                          wantsResult ? &result.get() : nullptr, &exception, &argumentError);
    // The callee may have written to by-reference arguments even when it failed.
    for (std::size_t i = 0; i < args.size(); ++i)
        writeBack(args[i], referents[layout.slotOf(i)]);
    if (hr == DISP_E_EXCEPTION)
        exception.raise();
    check(hr);
    return takeVariant(result.get());
}

ObjectRef DispatchObject::queryInterface(const Guid& iid) {
    // The interfaces the component asks for are dual: their dispatch ids are called through the
    // interface's own IDispatch entries, as a VB caller holding such a reference does.
    ComPtr<IUnknown> found =
        dispatch_ ? dispatch_.tryQuery(toGuid(iid)) : unknown_.tryQuery(toGuid(iid));
    return wrap(
        ComPtr<IDispatch>::attach(static_cast<IDispatch*>(static_cast<void*>(found.detach()))));
}

// The class is final: its exact type is all there is to compare.
const DispatchObject* adapterOf(Object& object) {
    return typeid(object) == typeid(DispatchObject) ? static_cast<const DispatchObject*>(&object)
                                                    : nullptr;
}

} // namespace bz::com
