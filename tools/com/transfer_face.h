#pragma once

#include "host/host_interfaces.h"
#include "runtime/com/com_ptr.h"

#include <oaidl.h>

namespace bz::com {

// The host's transfer interface over an in-memory transfer object, as the component calls it
// early-bound: its report operation, vtable entry 27, hands the report to `receiver`; an error
// the receiver raises comes back as the HRESULT with error information, as the host's would.
// Answers QueryInterface for the transfer interface's identifier.
ComPtr<IDispatch> transferFace(host::TransferObject& receiver);

} // namespace bz::com
