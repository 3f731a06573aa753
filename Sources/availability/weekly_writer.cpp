#include "weekly_writer.h"

#include "availability/report_line.h"
#include "availability/transfer.h"
#include "calendar/weekly_period.h"
#include "host/calls.h"
#include "host/host_interfaces.h"
#include "runtime/error.h"

#include <algorithm>
#include <limits>

namespace bz {

namespace {

// A day plus a time of day, as a plain addition of the two Date values.
Date plus(Date day, Date time) {
    return checkedDate(day + time);
}

// The running date moved on by `days`. A day past 31 Dec 9999 lies after every end date: the
// rule has no week there, so the step gives infinity, after every Date, instead of an overflow.
Date later(Date running, Integer days) {
    const DateFields fields = splitDate(running);
    if (fields.day + days > static_cast<std::int64_t>(maxDate))
        return std::numeric_limits<Date>::infinity();
    return joinDate(fields.day + days, fields.time);
}

// The four times a rule converts every week, each converted week on week.
struct WeekPeriods {
    WeeklyPeriod dayStart, dayEnd, spanStart, spanEnd;
};

Integer periodOf(const Conversion& conversion, WeeklyPeriod& period, Date t) {
    return period.next(conversion.calendar, conversion.strStage, t);
}

// The week's availability object: member 510 converted to the availability interface, held as
// the Variant the put-reference stores back.
Variant availabilityOf(Object& resource) {
    Variant value = host::get(resource, host::DISPID_ResourceAvailability);
    if (!value.holds<ObjectRef>() || !value.get<ObjectRef>())
        raise(ErrorNumber::TypeMismatch);
    value = value.get<ObjectRef>()->queryInterface(host::IID_Availability);
    if (!value.get<ObjectRef>())
        raise(ErrorNumber::TypeMismatch);
    return value;
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

namespace {

// The rule's first and last day to write, and the times clamped to the teaching day. The weeks
// are those inside both the rule's own dates and the calendar; a rule outside the calendar, or
// written backwards, writes nothing.
struct RuleWeeks {
    Date running;
    Date endDate;
};

RuleWeeks ruleWeeks(const Conversion& conversion, Date firstDate, Date lastDate, Date& startTime,
                    Date& endTime, Integer teachingDay) {
    const Calendar& calendar = conversion.calendar;
    conversion.strStage.set(stages::dateGuards);
    Date running = std::max(firstDate, calendar.dtYearStart);
    const Date endDate = std::min(lastDate, calendar.dtYearEnd);
    if (startTime < calendar.dtDayStart)
        startTime = calendar.dtDayStart;
    if (endTime > calendar.dtDayEnd)
        endTime = calendar.dtDayEnd;

    conversion.strStage.set(stages::startDate);
    // Before any college the first weekday is 0, which the runtime reads as Sunday.
    const int weekStart = calendar.intStartWeekday == 0 ? 1 : calendar.intStartWeekday;
    const auto dayOfWeek = static_cast<Integer>(weekday(running, weekStart));
    running = addDays(running, subtractInteger(1, dayOfWeek));

    conversion.strStage.set(stages::dayOfWeek);
    const Integer index = subtractInteger(teachingDay, 1);
    if (index < 0 || index >= std::ssize(calendar.aDayOffsets))
        raise(ErrorNumber::SubscriptOutOfRange);
    running = later(running, calendar.aDayOffsets[static_cast<std::size_t>(index)]);
    if (running < firstDate)
        running = later(running, 7);
    return {running, endDate};
}

// Writes one week: the teaching day cleared unless its day is marked, then the span set, then
// the availability stored back; the day is marked only once the week is stored.
void writeWeek(const Conversion& conversion, Object& resource, const std::u16string& hostKey,
               Date running, Date startTime, Date endTime, WeekPeriods& periods) {
    const Calendar& calendar = conversion.calendar;
    const Variant availability = availabilityOf(resource);
    Object& availabilityObject = *availability.get<ObjectRef>();
    const Integer dayPeriod =
        periodOf(conversion, periods.dayStart, plus(running, calendar.dtDayStart));
    const bool cleared =
        DayHasBeenMarked(calendar, conversion.dictMarkedDays.get(), hostKey, dayPeriod);
    // The whole teaching day starts at the day period already converted.
    if (!cleared)
        setPeriods(availabilityObject, dayPeriod,
                   periodOf(conversion, periods.dayEnd, plus(running, calendar.dtDayEnd)), false);
    const Integer spanStart = periodOf(conversion, periods.spanStart, plus(running, startTime));
    setPeriods(availabilityObject, spanStart,
               periodOf(conversion, periods.spanEnd, plus(running, endTime)), true);
    host::putReference(resource, host::DISPID_ResourceAvailability, availability);
    if (!cleared)
        MarkTheDay(calendar, conversion.dictMarkedDays.get(), hostKey, dayPeriod);
}

} // namespace

void SetAvailabilities(const Conversion& conversion, const ObjectRef& target, Date firstDate,
                       Date lastDate, Date& startTime, Date& endTime, Integer teachingDay) {
    RuleWeeks weeks = ruleWeeks(conversion, firstDate, lastDate, startTime, endTime, teachingDay);
    conversion.strStage.set(stages::settingAvailabilities);
    Object& resource = host::objectIn(target);
    const std::u16string hostKey =
        toString(host::get(resource, host::DISPID_ResourceHostKey), conversion.locale);
    WeekPeriods periods;
    for (; weeks.running <= weeks.endDate; weeks.running = later(weeks.running, 7))
        writeWeek(conversion, resource, hostKey, weeks.running, startTime, endTime, periods);
}

} // namespace bz
