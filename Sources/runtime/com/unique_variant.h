#pragma once

#include <windows.h>

#include <oleauto.h>

#include <array>
#include <cstddef>
#include <vector>

namespace bz::com {

// An owned VARIANT, cleared on destruction.
class UniqueVariant {
  public:
    UniqueVariant() noexcept { VariantInit(&value_); }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;
    ~UniqueVariant() { VariantClear(&value_); }

    VARIANT& get() noexcept { return value_; }
    const VARIANT& get() const noexcept { return value_; }
    // Clears the value and exposes it for an out-parameter.
    VARIANT* put() noexcept {
        VariantClear(&value_);
        return &value_;
    }
    // Hands the value over to `target`, which must be empty or uninitialised.
    void moveTo(VARIANT& target) noexcept {
        target = value_;
        VariantInit(&value_);
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
            VariantInit(&data()[i]);
    }
    VariantArray(const VariantArray&) = delete;
    VariantArray& operator=(const VariantArray&) = delete;
    ~VariantArray() {
        for (std::size_t i = 0; i < size_; ++i)
            VariantClear(&data()[i]);
    }

    VARIANT* data() noexcept { return size_ > inPlace_.size() ? onHeap_.data() : inPlace_.data(); }
    VARIANT& operator[](std::size_t index) noexcept { return data()[index]; }

  private:
    std::size_t size_;
    std::array<VARIANT, 4> inPlace_;
    std::vector<VARIANT> onHeap_;
};

} // namespace bz::com
