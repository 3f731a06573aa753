#pragma once

#include "runtime/com/com_ptr.h"
#include "transfer_face.h"

namespace bz::test {

// The host's transfer object over the in-memory host's: the previewer's transfer face.
inline com::ComPtr<IUnknown> transferStandIn(host::TransferObject& receiver) {
    return com::ComPtr<IUnknown>(com::transferFace(receiver).get());
}

} // namespace bz::test
