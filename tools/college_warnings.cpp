#include "college_warnings.h"

#include "calendar_view.h"

#include <cmath>

namespace bz::preview {

namespace {

// The first teaching day the college lists, when it is a whole number.
std::optional<int> firstTeachingDay(const CollegeFile& college) {
    const Variant& list = college.members.at(u"DaysOfWeek");
    if (!list.holds<Array>() || list.get<Array>().elements().empty())
        return std::nullopt;
    const Variant& first = list.get<Array>().elements().front();
    if (first.holds<std::int32_t>())
        return first.get<std::int32_t>();
    return std::nullopt;
}

} // namespace

std::vector<Warning> collegeWarnings(const CollegeFile& college, const DerivedCalendar& calendar) {
    std::vector<Warning> warnings;
    const std::optional<int> firstDay = firstTeachingDay(college);
    if (firstDay && *firstDay != calendar.startWeekday && *firstDay >= 1 && *firstDay <= 7)
        warnings.push_back(
            {college.where(u"startDate"),
             std::string("startDate is a ") + weekdayName(calendar.startWeekday) +
                 ", not the first teaching day (" + weekdayName(*firstDay) +
                 "): the component counts the teaching days from the start date's weekday"});
    const auto dayMinutes =
        static_cast<long>(std::lround((calendar.dayEnd - calendar.dayStart) * 1440));
    if (calendar.periodsPerDay > 0 && dayMinutes % calendar.periodsPerDay != 0)
        warnings.push_back({college.where(u"PeriodsPerDay"),
                            "the teaching day's " + std::to_string(dayMinutes) +
                                " minutes do not divide into " +
                                std::to_string(calendar.periodsPerDay) + " periods: each counts " +
                                std::to_string(calendar.periodMinutes) + " minutes"});
    return warnings;
}

} // namespace bz::preview
