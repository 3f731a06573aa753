#include "grid.h"

#include "runtime/date.h"
#include "runtime/text.h"

#include <algorithm>

namespace bz::preview {

namespace {

// "W1 Mon 02/09/2024", padded to `width`.
std::string rowLabel(const TeachingDay& day, const Locale& locale, std::size_t width) {
    std::string label = "W" + std::to_string(day.week + 1) + " " + dayLabel(day.date, locale);
    label.resize(std::max(width, label.size()), ' ');
    return label;
}

char markOf(const ResourceAvailability& resource, std::int32_t period) {
    const auto found = resource.periods.find(period);
    if (found == resource.periods.end())
        return untouchedMark;
    return found->second ? availableMark : unavailableMark;
}

// Runs of periods the resource received outside every teaching day of the calendar: before
// 30 December 1899 a date plus a time of day is a plain floating addition that lands elsewhere.
void printOutside(std::ostream& out, const ResourceAvailability& resource,
                  const DerivedCalendar& calendar) {
    const auto calendarPeriods =
        static_cast<std::int64_t>(teachingDays(calendar, {}).size()) * calendar.periodsPerDay;
    std::string runs;
    for (auto it = resource.periods.begin(); it != resource.periods.end();) {
        const auto [first, value] = *it;
        std::int32_t last = first;
        while (++it != resource.periods.end() && it->first == last + 1 && it->second == value)
            ++last;
        if (first >= 0 && last < calendarPeriods)
            continue;
        runs += (runs.empty() ? " " : ", ") + std::to_string(first) +
                (last > first ? ".." + std::to_string(last) : "") +
                (value ? " available" : " unavailable");
    }
    if (!runs.empty())
        out << "Written outside the calendar's teaching days, periods" << runs << '\n';
}

} // namespace

void printGrid(std::ostream& out, const ResourceAvailability& resource,
               const DerivedCalendar& calendar, const std::vector<TeachingDay>& days,
               const Locale& locale) {
    out << toUtf8(resource.name) << " (host key " << toUtf8(resource.hostKey) << ")\n";
    printOutside(out, resource, calendar);
    if (days.empty()) {
        out << "  no teaching day in the range shown\n";
        return;
    }
    std::size_t width = 0;
    for (const TeachingDay& day : days)
        width = std::max(width, rowLabel(day, locale, 0).size() + 2);

    std::vector<std::string> starts;
    for (int period = 0; period < calendar.periodsPerDay; ++period)
        starts.push_back(clockText(calendar.dayStart + period * calendar.periodMinutes / 1440.0));
    for (std::size_t row = 0; row < 5; ++row) {
        std::string line = row == 2 ? "  period start" : "";
        line.resize(std::max(width, line.size() + 1), ' ');
        for (const std::string& start : starts)
            line += start[row];
        out << line << '\n';
    }
    for (const TeachingDay& day : days) {
        std::string line = rowLabel(day, locale, width);
        for (int period = 0; period < calendar.periodsPerDay; ++period)
            line += markOf(resource, day.firstPeriod + period);
        out << line << '\n';
    }
}

} // namespace bz::preview
