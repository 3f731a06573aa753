#pragma once

#include <windows.h>

#include <unknwn.h>

#include <cstddef>
#include <utility>

namespace bz::com {

// The one owner of a COM interface pointer: every AddRef and Release of the component goes
// through it.
template <typename T> class ComPtr {
  public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    // Takes a new reference on `pointer`.
    explicit ComPtr(T* pointer) noexcept : pointer_(pointer) {
        if (pointer_)
            pointer_->AddRef();
    }
    ComPtr(const ComPtr& other) noexcept : ComPtr(other.pointer_) {}
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(pointer_, other.pointer_);
        return *this;
    }
    ~ComPtr() { reset(); }

    // Adopts a reference the caller already holds (as an out-parameter hands one over).
    static ComPtr attach(T* pointer) noexcept {
        ComPtr result;
        result.pointer_ = pointer;
        return result;
    }

    T* get() const noexcept { return pointer_; }
    T* operator->() const noexcept { return pointer_; }
    T& operator*() const noexcept { return *pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }

    void reset() noexcept {
        if (T* old = std::exchange(pointer_, nullptr))
            old->Release();
    }
    // Releases the held reference and exposes the slot for an out-parameter.
    T** put() noexcept {
        reset();
        return &pointer_;
    }
    // Hands the reference over to the caller (an out-parameter).
    T* detach() noexcept { return std::exchange(pointer_, nullptr); }

    // The object's interface `iid`, or null when it does not offer it.
    template <typename U = IUnknown> ComPtr<U> tryQuery(REFIID iid) const noexcept {
        ComPtr<U> result;
        if (pointer_)
            pointer_->QueryInterface(iid, reinterpret_cast<void**>(result.put()));
        return result;
    }
    template <typename U> ComPtr<U> tryQuery() const noexcept { return tryQuery<U>(__uuidof(U)); }

  private:
    T* pointer_ = nullptr;
};

} // namespace bz::com
