#pragma once

#include "host/host_interfaces.h"
#include "runtime/variant.h"
#include "shell/link_helper_state.h"

#include <string>

namespace bz {

// Opens a transfer: empties the error report and replaces the day-mark store with a new one.
bool PrepareAvailabilityTransfer(LinkHelperState& state);
// Closes a transfer: a non-empty report goes to the transfer object's report operation, then the
// report and the day marks are emptied. A failing report leaves both as they were.
bool FinishAvailabilityTransfer(LinkHelperState& state, host::TransferObject* transfer);
// Marks the day of `period` for `hostkey`; days outside 0..intDayCount are ignored.
void MarkTheDay(LinkHelperState& state, const std::u16string& hostkey, Integer period);
// Whether the day of `period` is marked for `hostkey`; False outside 0..intDayCount.
bool DayHasBeenMarked(LinkHelperState& state, const std::u16string& hostkey, Integer period);

} // namespace bz
