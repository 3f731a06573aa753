#include "grid.h"

#include <algorithm>

namespace bz::preview {

namespace {

// "W1 Mon 02/09/2024", padded to `width`.
std::string rowLabel(const TeachingDay& day, const Locale& locale, std::size_t width) {
    std::string label = "W" + std::to_string(day.week + 1) + " " + dayLabel(day.date, locale);
    label.resize(std::max(width, label.size()), ' ');
    return label;
}

char markOf(Cell cell) {
    switch (cell) {
    case Cell::Available:
        return availableMark;
    case Cell::Unavailable:
        return unavailableMark;
    case Cell::Unwritten:
        break;
    }
    return untouchedMark;
}

} // namespace

void printGrid(std::ostream& out, const PreviewResource& resource, const DerivedCalendar& calendar,
               const std::vector<TeachingDay>& days, const Locale& locale) {
    if (days.empty()) {
        out << "  no teaching day in the range shown\n";
        return;
    }
    std::size_t width = 0;
    for (const TeachingDay& day : days)
        width = std::max(width, rowLabel(day, locale, 0).size() + 2);
    for (std::size_t row = 0; row < 5; ++row) {
        std::string line = row == 2 ? "  period start" : "";
        line.resize(std::max(width, line.size() + 1), ' ');
        for (int period = 0; period < calendar.periodsPerDay; ++period)
            line += periodStart(calendar, period)[row];
        out << line << '\n';
    }
    for (const TeachingDay& day : days) {
        std::string line = rowLabel(day, locale, width);
        for (int period = 0; period < calendar.periodsPerDay; ++period)
            line += markOf(resource.cells().at(day.firstPeriod + period));
        out << line << '\n';
    }
}

} // namespace bz::preview
