#include "transfer.h"

#include "runtime/error.h"

namespace bz {

namespace {

// The day index of a period: truncating Integer division, so periods -1 to -7 of an
// 8-period day are day 0. Before any college the divisor is 0: error 11.
Integer dayOf(const LinkHelperState& state, Integer period) {
    return divideInteger(period, state.intPeriodsPerDay);
}

bool outsideCalendar(const LinkHelperState& state, Integer day) {
    return day < 0 || day > state.intDayCount;
}

DayMarkStore& storeOf(LinkHelperState& state) {
    if (!state.dictMarkedDays)
        raise(ErrorNumber::ObjectVariableNotSet);
    return *state.dictMarkedDays;
}

} // namespace

bool PrepareAvailabilityTransfer(LinkHelperState& state) {
    state.strErrors.clear();
    state.dictMarkedDays = std::make_unique<DayMarkStore>();
    return true;
}

bool FinishAvailabilityTransfer(LinkHelperState& state, host::TransferObject* transfer) {
    if (!state.strErrors.empty()) {
        if (!transfer)
            raise(ErrorNumber::ObjectVariableNotSet);
        transfer->report(state.strErrors, -1, -1);
    }
    state.strErrors.clear();
    storeOf(state).removeAll();
    return true;
}

void MarkTheDay(LinkHelperState& state, const std::u16string& hostkey, Integer period) {
    const Integer day = dayOf(state, period);
    if (outsideCalendar(state, day))
        return;
    storeOf(state).mark(hostkey, day, state.intDayCount);
}

bool DayHasBeenMarked(LinkHelperState& state, const std::u16string& hostkey, Integer period) {
    const Integer day = dayOf(state, period);
    if (outsideCalendar(state, day))
        return false;
    return storeOf(state).isMarked(hostkey, day);
}

} // namespace bz
