#include "transfer.h"

#include "runtime/error.h"

namespace bz {

namespace {

// The day index of a period: truncating Integer division, so periods -1 to -7 of an
// 8-period day are day 0. Before any college the divisor is 0: error 11.
Integer dayOf(const Calendar& calendar, Integer period) {
    return divideInteger(period, calendar.intPeriodsPerDay);
}

bool outsideCalendar(const Calendar& calendar, Integer day) {
    return day < 0 || day > calendar.intDayCount;
}

template <class Store> Store& existing(Store* dictMarkedDays) {
    if (!dictMarkedDays)
        raise(ErrorNumber::ObjectVariableNotSet);
    return *dictMarkedDays;
}

} // namespace

bool PrepareAvailabilityTransfer(AvailabilityTransfer& transfer) {
    transfer.strErrors.clear();
    transfer.remembered.forget();
    transfer.dictMarkedDays = std::make_unique<DayMarkStore>();
    return true;
}

bool FinishAvailabilityTransfer(AvailabilityTransfer& transfer, host::TransferObject* xxx) {
    transfer.remembered.forget();
    if (!transfer.strErrors.empty()) {
        if (!xxx)
            raise(ErrorNumber::ObjectVariableNotSet);
        xxx->report(transfer.strErrors, -1, -1);
    }
    transfer.strErrors.clear();
    existing(transfer.dictMarkedDays.get()).removeAll();
    return true;
}

void MarkTheDay(const Calendar& calendar, DayMarkStore* dictMarkedDays,
                const std::u16string& hostkey, Integer period) {
    const Integer day = dayOf(calendar, period);
    if (outsideCalendar(calendar, day))
        return;
    existing(dictMarkedDays).mark(hostkey, day, calendar.intDayCount);
}

bool DayHasBeenMarked(const Calendar& calendar, const DayMarkStore* dictMarkedDays,
                      const std::u16string& hostkey, Integer period) {
    const Integer day = dayOf(calendar, period);
    if (outsideCalendar(calendar, day))
        return false;
    return existing(dictMarkedDays).isMarked(hostkey, day);
}

} // namespace bz
