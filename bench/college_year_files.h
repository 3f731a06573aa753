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

// Whether rule k of resource r is one of the 1% of the rules the next night's file changes: one
// rule of every other resource (19k + 29r = 0 mod 100 has one solution k below 100 for each r).
inline bool yearRuleChanged(int rule, int resource) {
    return (19 * rule + 29 * resource) % 100 == 0;
}

// The line of rule k of resource r.
inline int yearRuleLine(int rule, int resource) {
    return 2 + rule * yearResources + resource;
}

// The hour rule k of resource r makes available: 9, 11, 13 or 15 o'clock as k and r move it, so
// that each resource has days of its own, half available, and later rules write over earlier
// ones; in the next night's file a changed rule's hour is one later, an hour no rule writes.
inline int yearRuleHour(int rule, int resource, bool nextNight) {
    return 9 + (rule / 5 + resource) % 4 * 2 + (nextNight && yearRuleChanged(rule, resource));
}

// Rule k of resource r: teaching day 1 + k % 5 (Monday first), its hour all year.
inline void writeYearPatterns(const std::filesystem::path& path, bool nextNight = false) {
    std::ofstream out(path);
    out << "hostkey,name,pattern\n";
    for (int rule = 0; rule < yearRulesPerResource; ++rule)
        for (int resource = 0; resource < yearResources; ++resource) {
            const int hour = yearRuleHour(rule, resource, nextNight);
            out << 'R' << resource << ",Room " << resource << ",05/01/2026|31/12/2026|"
                << 1 + rule % 5 << '|' << hour << ":00|" << hour + 1 << ":00\n";
        }
}

} // namespace bz::bench
