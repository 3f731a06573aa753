#pragma once

#include <string>
#include <string_view>

namespace bz {

// The component's strings are UTF-16, as the automation runtime's are.
std::u16string fromUtf8(std::string_view text);
std::string toUtf8(std::u16string_view text);

} // namespace bz
