#include "error.h"

#include "text.h"

namespace bz {

namespace {

constexpr const char16_t* componentSource = u"Brenik_Zefa";

std::string whatOf(std::int32_t hresult, const std::u16string& description) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hresult));
    return std::string(code) + " " + toUtf8(description);
}

} // namespace

AutomationError::AutomationError(std::int32_t hresult, std::u16string source,
                                 std::u16string description)
    : hresult_(hresult), source_(std::move(source)), description_(std::move(description)),
      what_(whatOf(hresult_, description_)) {}

int AutomationError::number() const noexcept {
    const auto code = static_cast<std::uint32_t>(hresult_);
    return (code & 0xFFFF0000u) == 0x800A0000u ? static_cast<int>(code & 0xFFFFu) : 0;
}

std::u16string describe(int number) {
    switch (number) {
    case 6:
        return u"Overflow";
    case 9:
        return u"Subscript out of range";
    case 11:
        return u"Division by zero";
    case 13:
        return u"Type mismatch";
    case 91:
        return u"Object variable or With block variable not set";
    case 94:
        return u"Invalid use of Null";
    case 424:
        return u"Object required";
    case 438:
        return u"Object doesn't support this property or method";
    case 445:
        return u"Object doesn't support this action";
    default:
        return u"Application-defined or object-defined error";
    }
}

void raise(ErrorNumber number) {
    const int n = static_cast<int>(number);
    throw AutomationError(hresultOf(n), componentSource, describe(n));
}

} // namespace bz
