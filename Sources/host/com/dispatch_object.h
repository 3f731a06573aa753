#pragma once

#include "runtime/com/com_ptr.h"
#include "runtime/object.h"

#include <oaidl.h>

#include <vector>

namespace bz::com {

// A host object as the core reaches it: late-bound calls through the object's IDispatch, by
// name (looked up on every call) or by dispatch id, with the argument types the core asks for,
// and failures raised as a VB caller sees them. An object without IDispatch still answers
// QueryInterface; a late-bound call on it raises error 438.
class DispatchObject final : public Object {
  public:
    // A counted core reference to `dispatch`; Nothing for null.
    static ObjectRef wrap(ComPtr<IDispatch> dispatch);
    // Likewise for any object, reached through its IDispatch when it has one.
    static ObjectRef wrap(ComPtr<IUnknown> object);

    IDispatch* dispatch() const noexcept { return dispatch_.get(); }
    IUnknown* unknown() const noexcept { return unknown_.get(); }

    void addRef() noexcept override { ++references_; }
    void release() noexcept override;
    // Adapters come from storage that released ones leave behind.
    static void* operator new(std::size_t size);
    static void operator delete(void* memory, std::size_t size) noexcept;

    Variant invoke(const MemberId& member, InvokeKind kind, std::span<const Argument> args,
                   std::span<const std::u16string> namedArgs) override;
    ObjectRef queryInterface(const Guid& iid) override;

  private:
    DispatchObject(ComPtr<IUnknown> unknown, ComPtr<IDispatch> dispatch)
        : unknown_(std::move(unknown)), dispatch_(std::move(dispatch)) {}
    ~DispatchObject() = default;

    // The dispatch ids of the member `name` and of the named arguments, in that order.
    std::vector<DISPID> dispatchIds(const std::u16string& name,
                                    std::span<const std::u16string> namedArgs) const;

    ComPtr<IUnknown> unknown_;
    ComPtr<IDispatch> dispatch_;
    ULONG references_ = 1;
};

// The adapter a core object is when it wraps a COM object, or null for any other object.
const DispatchObject* adapterOf(Object& object);

} // namespace bz::com
