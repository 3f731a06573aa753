#pragma once

#include "college_json.h"
#include "derived_calendar.h"
#include "warning.h"

#include <vector>

namespace bz::preview {

// What the component makes of a college that its writer may not expect: a start date that is
// not the first teaching day, periods that do not divide the teaching day evenly.
std::vector<Warning> collegeWarnings(const CollegeFile& college, const DerivedCalendar& calendar);

} // namespace bz::preview
