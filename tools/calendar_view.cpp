#include "calendar_view.h"

#include "runtime/text.h"

#include <array>
#include <cstdio>

namespace bz::preview {

std::vector<TeachingDay> teachingDays(const DerivedCalendar& calendar, const DayRange& range) {
    std::vector<TeachingDay> days;
    const auto positions = static_cast<int>(calendar.dayOffsets.size());
    std::optional<int> firstWeek;
    for (int week = 0; week < calendar.weekCount(); ++week) {
        for (int position = 0; position < positions; ++position) {
            const Date date =
                addDays(calendar.yearStart,
                        7.0 * week + calendar.dayOffsets[static_cast<std::size_t>(position)]);
            if (date > calendar.yearEnd || (range.from && date < *range.from) ||
                (range.to && date > *range.to))
                continue;
            if (!firstWeek)
                firstWeek = week;
            if (range.weeks && week - *firstWeek >= *range.weeks)
                return days;
            days.push_back(
                {week, position, date, (week * positions + position) * calendar.periodsPerDay});
        }
    }
    return days;
}

const char* weekdayName(int weekday) {
    static constexpr std::array<const char*, 7> names = {"Sun", "Mon", "Tue", "Wed",
                                                         "Thu", "Fri", "Sat"};
    return names.at(static_cast<std::size_t>(weekday - 1));
}

std::string dayLabel(Date date, const Locale& locale) {
    return std::string(weekdayName(weekday(date, 1))) + " " + toUtf8(locale.formatDate(date));
}

std::string clockText(Date time) {
    const TimeOfDay clock = dateTimeFields(time).time;
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", clock.hour % 100, clock.minute);
    return text;
}

std::string periodStart(const DerivedCalendar& calendar, int period) {
    return clockText(calendar.dayStart + period * calendar.periodMinutes / 1440.0);
}

void printCalendarSummary(std::ostream& out, const DerivedCalendar& calendar,
                          const Locale& locale) {
    out << "Calendar: " << dayLabel(calendar.yearStart, locale) << " to "
        << dayLabel(calendar.yearEnd, locale) << " (closing day)\n"
        << "Teaching days:";
    for (int offset : calendar.dayOffsets)
        out << ' ' << weekdayName(weekday(addDays(calendar.yearStart, offset), 1));
    out << "\nPeriods: " << calendar.periodsPerDay << " a day of " << calendar.periodMinutes
        << " minutes from " << clockText(calendar.dayStart) << '\n';
}

} // namespace bz::preview
