#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace bz {

// Run-time error numbers the component raises.
enum class ErrorNumber : int {
    Overflow = 6,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    TypeMismatch = 13,
    InvalidUseOfNull = 94,
    ObjectVariableNotSet = 91,
    ObjectRequired = 424,
    NotImplemented = 445,
    MemberNotSupported = 438,
};

// A run-time error as the automation runtime raises it: an HRESULT with error information.
// Errors of the component itself carry 0x800A0000 + number; failures of host calls carry the
// host's HRESULT, source and description unchanged.
class AutomationError : public std::exception {
  public:
    AutomationError(std::int32_t hresult, std::u16string source, std::u16string description);

    std::int32_t hresult() const noexcept { return hresult_; }
    // The run-time error number when the HRESULT belongs to the runtime's own range, else 0.
    int number() const noexcept;
    const std::u16string& source() const noexcept { return source_; }
    const std::u16string& description() const noexcept { return description_; }
    const char* what() const noexcept override { return what_.c_str(); }

  private:
    std::int32_t hresult_;
    std::u16string source_;
    std::u16string description_;
    std::string what_;
};

// The HRESULT of run-time error `number`.
constexpr std::int32_t hresultOf(int number) {
    return static_cast<std::int32_t>(0x800A0000u + static_cast<std::uint32_t>(number));
}

// The runtime's usual description of a run-time error number.
std::u16string describe(int number);

// Raises run-time error `number` with its usual description.
[[noreturn]] void raise(ErrorNumber number);

} // namespace bz
