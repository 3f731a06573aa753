#pragma once

#include <windows.h>

#include <oleauto.h>

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
class VariantArray {
  public:
    explicit VariantArray(std::size_t size) : items_(size) {
        for (VARIANT& item : items_)
            VariantInit(&item);
    }
    VariantArray(const VariantArray&) = delete;
    VariantArray& operator=(const VariantArray&) = delete;
    ~VariantArray() {
        for (VARIANT& item : items_)
            VariantClear(&item);
    }

    VARIANT* data() noexcept { return items_.data(); }
    VARIANT& operator[](std::size_t index) noexcept { return items_[index]; }

  private:
    std::vector<VARIANT> items_;
};

} // namespace bz::com
