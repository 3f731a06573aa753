#pragma once

// A college's year at an institution's size, as files for the previewer: 52 weeks from Monday
// 5 January 2026, Monday to Friday, 8 periods of an hour from 09:00; 2,000 resources with 50
// rules each over the whole year, 100,000 lines, the resources interleaved line by line.
// Dates are written day first (en-GB).

#include <filesystem>
#include <fstream>

namespace bz::bench {

inline constexpr int yearResources = 2000;
inline constexpr int yearRulesPerResource = 50;

inline void writeYearCollege(const std::filesystem::path& path) {
    std::ofstream(path) << R"({"startDate": "05/01/2026", "startTime": "09:00",
 "endTime": "17:00", "PeriodsPerDay": 8, "WeeksPerYear": 52, "DaysOfWeek": [2, 3, 4, 5, 6]})";
}

// Rule k of resource r: teaching day 1 + k % 5, the hour from 9, 11, 13 or 15 o'clock as k and r
// move it, so that each resource has days of its own, half available, and later rules write
// over earlier ones.
inline void writeYearPatterns(const std::filesystem::path& path) {
    std::ofstream out(path);
    out << "hostkey,name,pattern\n";
    for (int rule = 0; rule < yearRulesPerResource; ++rule)
        for (int resource = 0; resource < yearResources; ++resource) {
            const int hour = 9 + (rule / 5 + resource) % 4 * 2;
            out << 'R' << resource << ",Room " << resource << ",05/01/2026|31/12/2026|"
                << 1 + rule % 5 << '|' << hour << ":00|" << hour + 1 << ":00\n";
        }
}

} // namespace bz::bench
