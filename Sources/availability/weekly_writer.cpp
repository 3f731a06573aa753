#include "weekly_writer.h"

#include "availability/transfer.h"
#include "calendar/date_to_period.h"
#include "host/calls.h"
#include "host/host_interfaces.h"
#include "runtime/error.h"

#include <algorithm>
#include <cmath>

namespace bz {

namespace {

// A day plus a time of day, as a plain addition of the two Date values.
Date plus(Date day, Date time) {
    const double sum = day + time;
    if (!std::isfinite(sum) || sum < minDate || sum >= maxDate + 1)
        raise(ErrorNumber::Overflow);
    return sum;
}

// The week's availability object: member 510 converted to the availability interface.
ObjectRef availabilityOf(Object& resource) {
    const Variant value = host::get(resource, host::DISPID_ResourceAvailability);
    if (!value.holds<ObjectRef>() || !value.get<ObjectRef>())
        raise(ErrorNumber::TypeMismatch);
    ObjectRef availability = value.get<ObjectRef>()->queryInterface(host::IID_Availability);
    if (!availability)
        raise(ErrorNumber::TypeMismatch);
    return availability;
}

// Sets the periods from `firstPeriod` up to, not including, `endPeriod`; nothing is called for
// an empty run.
void setPeriods(Object& availability, Integer firstPeriod, Integer endPeriod, bool value) {
    const Integer count = subtractInteger(endPeriod, firstPeriod);
    if (count <= 0)
        return;
    const Variant first = Long{firstPeriod};
    const Variant periods = Long{count};
    std::int16_t flag = value ? -1 : 0;
    host::callMethod(availability, host::DISPID_AvailabilitySetRange,
                     {host::byValue(first), host::byValue(periods), host::byRefBoolean(flag)});
}

} // namespace

void SetAvailabilities(LinkHelperState& state, const ObjectRef& target, Date firstDate,
                       Date lastDate, Date& startTime, Date& endTime, Integer teachingDay) {
    state.strStage.set(u"Calculating date guards");
    // The rule's weeks are those inside both its own dates and the calendar; a rule outside the
    // calendar, or written backwards, writes nothing.
    Date running = std::max(firstDate, state.dtYearStart);
    const Date endDate = std::min(lastDate, state.dtYearEnd);
    if (startTime < state.dtDayStart)
        startTime = state.dtDayStart;
    if (endTime > state.dtDayEnd)
        endTime = state.dtDayEnd;

    state.strStage.set(u"Calculating start date");
    // Before any college the first weekday is 0, which the runtime reads as Sunday.
    const int weekStart = state.intStartWeekday == 0 ? 1 : state.intStartWeekday;
    const auto dayOfWeek = static_cast<Integer>(weekday(running, weekStart));
    running = addDays(running, subtractInteger(1, dayOfWeek));

    state.strStage.set(u"Calculating Day of Week");
    const Integer index = subtractInteger(teachingDay, 1);
    if (index < 0 || index >= std::ssize(state.aDayOffsets))
        raise(ErrorNumber::SubscriptOutOfRange);
    running = addDays(running, state.aDayOffsets[static_cast<std::size_t>(index)]);
    if (running < firstDate)
        running = addDays(running, 7);

    state.strStage.set(u"Setting Availabilities");
    Object& resource = host::objectIn(target);
    const std::u16string hostKey =
        toString(host::get(resource, host::DISPID_ResourceHostKey), state.locale);

    while (running <= endDate) {
        const ObjectRef availability = availabilityOf(resource);
        const Integer dayPeriod = DateToPeriod(state, plus(running, state.dtDayStart));
        const bool cleared = DayHasBeenMarked(state, hostKey, dayPeriod);
        // The whole teaching day starts at the day period already converted.
        if (!cleared)
            setPeriods(*availability, dayPeriod, DateToPeriod(state, plus(running, state.dtDayEnd)),
                       false);
        SetPeriodRange(state, *availability, running, startTime, endTime, true);
        host::putReference(resource, host::DISPID_ResourceAvailability, Variant(availability));
        // A day counts as cleared only once the week that cleared it is stored in the resource.
        if (!cleared)
            MarkTheDay(state, hostKey, dayPeriod);
        running = addDays(running, 7);
    }
}

void SetPeriodRange(LinkHelperState& state, Object& availability, Date day, Date fromTime,
                    Date toTime, bool value) {
    const Integer firstPeriod = DateToPeriod(state, plus(day, fromTime));
    setPeriods(availability, firstPeriod, DateToPeriod(state, plus(day, toTime)), value);
}

} // namespace bz
