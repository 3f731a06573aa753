#pragma once

#include "calendar_view.h"
#include "preview_host.h"

#include <ostream>
#include <vector>

namespace bz::preview {

inline constexpr char availableMark = '#';
inline constexpr char unavailableMark = '-';
inline constexpr char untouchedMark = '.';

// The resource's availability, one line per day of `days` with one character per period, under
// a header that shows each period's start time vertically ("0", "9", ":", "3", "0" for 09:30).
void printGrid(std::ostream& out, const PreviewResource& resource, const DerivedCalendar& calendar,
               const std::vector<TeachingDay>& days, const Locale& locale);

} // namespace bz::preview
