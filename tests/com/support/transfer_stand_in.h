#pragma once

#include "host/host_interfaces.h"
#include "runtime/com/com_ptr.h"

namespace bz::test {

// A COM transfer object of the stand-in transfer library: its report operation (vtable entry
// 27) hands the report to `receiver`; an error the receiver raises comes back as the HRESULT
// with error information, as the host's would.
com::ComPtr<IUnknown> transferStandIn(host::TransferObject& receiver);

} // namespace bz::test
