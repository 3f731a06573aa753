#pragma once

#include "runtime/com/com_ptr.h"
#include "runtime/com/module_lock.h"

#include <oaidl.h>

#include <type_traits>
#include <utility>

namespace bz::com {

// The IUnknown of an object that implements `Interfaces`, the first of which is its identity:
// a reference count that deletes the object at zero, QueryInterface over the listed interfaces
// (the first one derived from IDispatch also answers IDispatch) and a module reference for the
// object's lifetime. `Derived` may answer further interfaces (tear-offs, interfaces of other
// objects) with `IUnknown* queryOther(REFIID)`, which returns a counted pointer or null.
template <class Derived, class... Interfaces> class ComObject : public Interfaces... {
  public:
    // A new object with one reference, held by the result.
    template <class... Args> static ComPtr<Derived> create(Args&&... args) {
        return ComPtr<Derived>::attach(new Derived(std::forward<Args>(args)...));
    }

    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) noexcept override {
        if (!result)
            return E_POINTER;
        *result = nullptr;
        if (IUnknown* listed = listedInterface(iid)) {
            listed->AddRef();
            *result = listed;
            return S_OK;
        }
        if constexpr (requires(Derived & derived) { derived.queryOther(iid); })
            *result = static_cast<Derived*>(this)->queryOther(iid);
        return *result ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() noexcept override {
        const ULONG remaining = --references_;
        if (remaining == 0)
            delete static_cast<Derived*>(this);
        return remaining;
    }

    // The references held on the object.
    ULONG references() const noexcept { return references_; }
    // The object as IUnknown: its identity.
    IUnknown* identity() noexcept { return first<Interfaces...>(); }

  protected:
    ComObject() = default;
    ~ComObject() = default;

  private:
    template <class First, class...> IUnknown* first() noexcept {
        return static_cast<First*>(this);
    }

    IUnknown* listedInterface(REFIID iid) noexcept {
        if (iid == IID_IUnknown)
            return identity();
        IUnknown* found = nullptr;
        ((found = found ? found : match<Interfaces>(iid)), ...);
        return found;
    }
    template <class Interface> IUnknown* match(REFIID iid) noexcept {
        const bool answers = iid == __uuidof(Interface) ||
                             (std::is_base_of_v<IDispatch, Interface> && iid == IID_IDispatch);
        return answers ? static_cast<Interface*>(this) : nullptr;
    }

    ModuleReference moduleReference_;
    ULONG references_ = 1;
};

// An interface that lives inside another object and shares its identity (a tear-off): its
// IUnknown is the owner's.
template <class Interface> class Delegating : public Interface {
  public:
    explicit Delegating(IUnknown& owner) noexcept : owner_(owner) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) noexcept override {
        return owner_.QueryInterface(iid, result);
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return owner_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return owner_.Release(); }

  private:
    IUnknown& owner_;
};

} // namespace bz::com
