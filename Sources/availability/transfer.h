#pragma once

#include "availability/day_mark_store.h"
#include "availability/remembered_conversions.h"
#include "calendar/calendar.h"
#include "host/host_interfaces.h"

#include <memory>
#include <string>

namespace bz {

// The state of one availability transfer.
struct AvailabilityTransfer {
    std::u16string strErrors;
    // The day-mark store of the open transfer; none before the first Prepare.
    std::unique_ptr<DayMarkStore> dictMarkedDays;
    // The pattern texts this transfer has converted; forgotten whenever a transfer opens or
    // closes and whenever a college is handed over.
    RememberedConversions remembered;
};

// Opens a transfer: empties the error report, forgets the remembered conversions and replaces the
// day-mark store with a new one.
bool PrepareAvailabilityTransfer(AvailabilityTransfer& transfer);
// Closes a transfer: a non-empty report goes to the transfer object's report operation, then the
// report and the day marks are emptied. A failing report leaves both as they were. The remembered
// conversions are forgotten either way.
bool FinishAvailabilityTransfer(AvailabilityTransfer& transfer, host::TransferObject* xxx);
// Marks the day of `period` for `hostkey`; days outside 0..intDayCount are ignored. Error 91
// without a day-mark store.
void MarkTheDay(const Calendar& calendar, DayMarkStore* dictMarkedDays,
                const std::u16string& hostkey, Integer period);
// Whether the day of `period` is marked for `hostkey`; False outside 0..intDayCount.
bool DayHasBeenMarked(const Calendar& calendar, const DayMarkStore* dictMarkedDays,
                      const std::u16string& hostkey, Integer period);

} // namespace bz
