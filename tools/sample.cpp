#include "sample.h"

namespace bz::preview {

const char* const sampleCollege =
    R"(# Four weeks from Monday 2 September 2024, eight one-hour periods a day.
start date: 2024-09-02
start time: 09:00
end time: 17:00
periods per day: 8
weeks per year: 4
days of week: Mon Tue Wed Thu Fri
)";

const char* const samplePatterns =
    R"(# Room 12: Monday mornings and afternoons add up; Wednesdays of two weeks, clamped at 17:00.
Room 12|R12|2024-09-02|2024-09-27|1|09:00|12:00
Room 12|R12|2024-09-02|2024-09-27|1|14:00|16:00
Room 12|R12|2024-09-09|2024-09-20|3|10:00|17:30
# Lab 3: every Tuesday; then a sixth teaching day, which the college does not have.
Lab 3|LAB3|2024-09-02|2024-09-27|2|09:00|17:00
Lab 3|LAB3|2024-09-02|2024-09-27|6|09:00|12:00
# Lab 3 on Friday mornings to the end of term, past the calendar: runs to its closing day.
Lab 3|LAB3|2024-09-23|2024-12-20|5|09:00|11:00
# J Smith: Thursday afternoons to 15:30, which lies half-way through a period.
J Smith|JSMITH|2024-09-02|2024-09-27|4|13:00|15:30
# Broken: a start time that is no time, a missing end time, and a seventh field.
J Smith|JSMITH|2024-09-02|2024-09-27|5|nine|12:00
J Smith|JSMITH|2024-09-02|2024-09-27|5|09:00
J Smith|JSMITH|2024-09-02|2024-09-27|5|09:00|10:00|note|more
)";

} // namespace bz::preview
