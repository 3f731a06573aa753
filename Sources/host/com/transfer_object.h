#pragma once

#include "host/host_interfaces.h"
#include "runtime/com/com_ptr.h"

namespace bz::com {

// The host's transfer object, reached early-bound through its interface pointer.
class TransferObjectAdapter final : public host::TransferObject {
  public:
    explicit TransferObjectAdapter(ComPtr<IUnknown> transfer) : transfer_(std::move(transfer)) {}

    // Calls the report operation, vtable entry 27, with a by-value BSTR and two 32-bit values.
    void report(const std::u16string& text, std::int32_t flag1, std::int32_t flag2) override;

  private:
    ComPtr<IUnknown> transfer_;
};

} // namespace bz::com
