#include "college_setup.h"

#include "host/calls.h"
#include "runtime/error.h"
#include "runtime/locale.h"

namespace bz {

namespace {

// `numerator / denominator` as the runtime's floating division: 0 / 0 overflows.
double divide(double numerator, double denominator) {
    if (denominator == 0)
        raise(numerator == 0 ? ErrorNumber::Overflow : ErrorNumber::DivisionByZero);
    return numerator / denominator;
}

// Gives the calendar a new generation when the hand-over ends, however it ends.
class NewGeneration {
  public:
    explicit NewGeneration(Calendar& calendar) : calendar_(calendar) {}
    NewGeneration(const NewGeneration&) = delete;
    NewGeneration& operator=(const NewGeneration&) = delete;
    ~NewGeneration() { ++calendar_.generation; }

  private:
    Calendar& calendar_;
};

} // namespace

void SetActiveCollegeReference(Variant& varCollege, Calendar& calendar, const Locale& locale,
                               const Variant& college) {
    const NewGeneration newGeneration(calendar);
    varCollege = toObject(college);
    if (!varCollege.get<ObjectRef>())
        return;

    // Every read goes through the field, held for the call: the host may hand over another
    // college, or Nothing, from inside a read.
    auto read = [&varCollege](const char16_t* member) {
        const Variant held = varCollege;
        return host::get(host::objectIn(held), member);
    };

    calendar.dtYearStart = toDate(read(u"startDate"), locale);
    calendar.intStartWeekday = static_cast<Integer>(weekday(calendar.dtYearStart, 1));
    calendar.intPeriodsPerDay = toInteger(read(u"PeriodsPerDay"), locale);

    const Date startTime = toDate(read(u"startTime"), locale);
    const Date endTime = toDate(read(u"endTime"), locale);
    const auto dayMinutes = static_cast<double>(minuteDifference(startTime, endTime));
    calendar.intPeriodMinutes =
        toInteger(divide(dayMinutes, toDouble(read(u"PeriodsPerDay"), locale)));

    calendar.dtDayStart = toDate(read(u"startTime"), locale);
    calendar.dtDayEnd = toDate(read(u"endTime"), locale);

    const Variant teachingDays = read(u"DaysOfWeek");
    calendar.aDayOffsets = DayOffsets(teachingDays, locale);
    calendar.intDaysPerWeek = toInteger(static_cast<std::int64_t>(calendar.aDayOffsets.size()));

    // Each host read comes first, into a local: a college handed over inside it changes the
    // offsets, the teaching days and the first day that the rest of the expression takes.
    const Variant weeks = read(u"WeeksPerYear");
    const Variant calendarDays =
        add(multiply(weeks, Integer{7}, locale), calendar.aDayOffsets.back(), locale);
    calendar.dtYearEnd = addDays(calendar.dtYearStart, toDouble(calendarDays, locale));

    const Variant weeksAgain = read(u"WeeksPerYear");
    calendar.intDayCount = toInteger(multiply(weeksAgain, calendar.intDaysPerWeek, locale), locale);
}

std::vector<Integer> DayOffsets(const Variant& teachingDays, const Locale& locale) {
    const Array& list = toArray(teachingDays);
    const std::int32_t lower = list.lowerBound();
    const std::int32_t upper = list.upperBound();
    const Integer last = toInteger(std::int64_t{upper} - lower);
    if (last < 0)
        raise(ErrorNumber::SubscriptOutOfRange);
    std::vector<Integer> offsets(static_cast<std::size_t>(last) + 1);

    const Variant first = toInteger(list.at(lower), locale);
    const Variant daysPerWeek = Integer{7};
    Integer j = 0;
    const Integer end = toInteger(std::int64_t{upper});
    // Integer counters, as the runtime's loop has them: stepping past 32767 overflows.
    for (Integer i = toInteger(std::int64_t{lower}); i <= end; i = addInteger(i, 1)) {
        const Variant shifted = subtract(add(daysPerWeek, list.at(i), locale), first, locale);
        offsets[static_cast<std::size_t>(j)] =
            toInteger(modulo(shifted, daysPerWeek, locale), locale);
        j = addInteger(j, 1);
    }
    return offsets;
}

} // namespace bz
