#include "bstr.h"

#include <new>

namespace bz::com {

UniqueBstr::UniqueBstr(std::u16string_view text)
    : bstr_(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                              static_cast<UINT>(text.size()))) {
    if (!bstr_)
        throw std::bad_alloc();
}

std::u16string fromBstr(BSTR bstr) {
    return std::u16string(reinterpret_cast<const char16_t*>(bstr), SysStringLen(bstr));
}

} // namespace bz::com
