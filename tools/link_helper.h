#pragma once

#include "host/host_interfaces.h"
#include "runtime/object.h"

#include <string>

namespace bz::preview {

// The component as the previewer drives it, the four calls of an availability transfer as the
// host makes them: the portable core in-process, or the COM component through IDispatch. A
// call the component fails raises its run-time error as an AutomationError.
class LinkHelper {
  public:
    virtual ~LinkHelper() = default;
    virtual void setActiveCollegeReference(Object& college) = 0;
    // Without a transfer object, as the host opens a transfer.
    virtual void prepareAvailabilityTransfer() = 0;
    virtual void setAvailabilityByString(Object& resource, const std::u16string& pattern) = 0;
    virtual void finishAvailabilityTransfer(host::TransferObject& transfer) = 0;
};

} // namespace bz::preview
