#pragma once

#include <windows.h>

#include <oleauto.h>

#include <array>
#include <cstddef>
#include <cstring>
#include <vector>

namespace bz::com {

// Makes `value` empty as VariantInit does, zeroing all of it (callers may set only the type of
// a Nothing), without the call into the automation library.
inline void initVariant(VARIANT& value) noexcept {
    std::memset(&value, 0, sizeof value);
}

// Empties `value` as VariantClear does, without the call into the automation library for the
// values that own nothing (numbers, dates, Booleans, references): week by week most are such.
inline void clearVariant(VARIANT& value) noexcept {
    const VARTYPE type = V_VT(&value);
    if ((type & VT_BYREF) || type <= VT_DATE || type == VT_ERROR || type == VT_BOOL ||
        type == VT_UI1)
        V_VT(&value) = VT_EMPTY;
    else
        VariantClear(&value);
}

// An owned VARIANT, cleared on destruction.
class UniqueVariant {
  public:
    UniqueVariant() noexcept { initVariant(value_); }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;
    ~UniqueVariant() { clearVariant(value_); }

    VARIANT& get() noexcept { return value_; }
    const VARIANT& get() const noexcept { return value_; }
    // Clears the value and exposes it for an out-parameter.
    VARIANT* put() noexcept {
        clearVariant(value_);
        return &value_;
    }

  private:
    VARIANT value_;
};

// A fixed number of owned VARIANTs, contiguous as DISPPARAMS needs them; cleared on destruction.
// A few are kept in place, as most calls pass no more.
class VariantArray {
  public:
    explicit VariantArray(std::size_t size) : size_(size) {
        if (size_ > inPlace_.size())
            onHeap_.resize(size_);
        for (std::size_t i = 0; i < size_; ++i)
            initVariant(data()[i]);
    }
    VariantArray(const VariantArray&) = delete;
    VariantArray& operator=(const VariantArray&) = delete;
    ~VariantArray() {
        for (std::size_t i = 0; i < size_; ++i)
            clearVariant(data()[i]);
    }

    VARIANT* data() noexcept { return size_ > inPlace_.size() ? onHeap_.data() : inPlace_.data(); }
    VARIANT& operator[](std::size_t index) noexcept { return data()[index]; }

  private:
    std::size_t size_;
    std::array<VARIANT, 4> inPlace_;
    std::vector<VARIANT> onHeap_;
};

} // namespace bz::com
