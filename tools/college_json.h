#pragma once

#include "runtime/variant.h"

#include <map>
#include <string>

namespace bz::preview {

// A college as its JSON file gives it: the six members under the host's names, startDate,
// startTime, endTime, PeriodsPerDay, WeeksPerYear and DaysOfWeek (a list). Numbers become
// numbers and texts texts, which the component then reads under the locale as the host's.
struct CollegeFile {
    std::string fileName;
    std::map<std::u16string, Variant> members;
    std::map<std::u16string, int> lines; // the line each member stands on

    // "FILE:LINE" of `member`.
    std::string where(const std::u16string& member) const;
};

// Parses the JSON `text` of `fileName`. InputError with the line for text that is not JSON,
// a missing or unknown member, or a value that is neither a number, a text nor a truth value.
CollegeFile parseCollege(const std::string& text, const std::string& fileName);

} // namespace bz::preview
