#pragma once

#include "runtime/object.h"

#include <cstdint>
#include <string>

namespace bz::host {

// The host's resource interface: members are reached by dispatch identifier.
inline constexpr Guid IID_Resource{
    0x5E701995, 0x1199, 0x491E, {0xB3, 0x10, 0xDB, 0x36, 0x22, 0xB2, 0x35, 0xC8}};
// The host's availability interface.
inline constexpr Guid IID_Availability{
    0xB9391027, 0x821E, 0x4305, {0x84, 0x46, 0xFF, 0x0B, 0x57, 0x1A, 0x62, 0x95}};
// The transfer object's interface from the host's transfer library.
inline constexpr Guid IID_Transfer{
    0x7FDDB569, 0x636D, 0x4D1A, {0xB2, 0x8B, 0x8E, 0xEB, 0xF7, 0x91, 0x8A, 0xC8}};

// Dispatch identifiers of the resource and availability members the component calls.
inline constexpr std::int32_t DISPID_ResourceName = 400;
inline constexpr std::int32_t DISPID_ResourceHostKey = 59;
inline constexpr std::int32_t DISPID_ResourceAvailability = 510;
inline constexpr std::int32_t DISPID_AvailabilitySetRange = 616;

// The host's transfer object, reached early-bound: its report operation is vtable entry 27.
class TransferObject {
  public:
    // Hands the error report to the host: the text by value, then two 32-bit values.
    virtual void report(const std::u16string& text, std::int32_t flag1, std::int32_t flag2) = 0;

  protected:
    ~TransferObject() = default;
};

} // namespace bz::host
