#pragma once

#include <string>
#include <string_view>

namespace bz {

// The stages of an availability conversion, as the error report quotes them. A failed date
// conversion reports Stage::dateToPeriodText with the date instead.
namespace stages {
inline constexpr std::u16string_view settingUp = u"Setting Up";
inline constexpr std::u16string_view parsingPattern = u"Parsing availability string";
inline constexpr std::u16string_view dateGuards = u"Calculating date guards";
inline constexpr std::u16string_view startDate = u"Calculating start date";
inline constexpr std::u16string_view dayOfWeek = u"Calculating Day of Week";
inline constexpr std::u16string_view settingAvailabilities = u"Setting Availabilities";
} // namespace stages

// The error report's line for a failure on the resource named `name` at `stage`, without the
// CR LF that goes before each line.
inline std::u16string AvailabilityReportLine(std::u16string_view name, std::u16string_view stage) {
    std::u16string line = u"Error converting availability for '";
    line += name;
    line += u"': ";
    line += stage;
    return line;
}

} // namespace bz
