#pragma once

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace bz::com {

// An owned BSTR, freed on destruction. A null BSTR is the empty string.
class UniqueBstr {
  public:
    UniqueBstr() noexcept = default;
    // Allocates a copy of `text`; throws std::bad_alloc when the allocation fails.
    explicit UniqueBstr(std::u16string_view text);
    UniqueBstr(UniqueBstr&& other) noexcept : bstr_(std::exchange(other.bstr_, nullptr)) {}
    UniqueBstr& operator=(UniqueBstr other) noexcept {
        std::swap(bstr_, other.bstr_);
        return *this;
    }
    ~UniqueBstr() { SysFreeString(bstr_); }

    static UniqueBstr attach(BSTR bstr) noexcept {
        UniqueBstr result;
        result.bstr_ = bstr;
        return result;
    }

    BSTR get() const noexcept { return bstr_; }
    BSTR* put() noexcept {
        *this = UniqueBstr();
        return &bstr_;
    }
    BSTR detach() noexcept { return std::exchange(bstr_, nullptr); }

  private:
    BSTR bstr_ = nullptr;
};

// The text of a BSTR, embedded nulls included; null is the empty text.
std::u16string fromBstr(BSTR bstr);
// `text` as a null-terminated wide string for the platform's calls.
inline const wchar_t* wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}
// The same for the platform's calls that declare a non-const parameter but only read it.
inline wchar_t* wide(std::u16string& text) {
    return reinterpret_cast<wchar_t*>(text.data());
}

} // namespace bz::com
