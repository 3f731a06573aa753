#pragma once

#include "college_file.h"
#include "pattern_file.h"
#include "runtime/date.h"
#include "runtime/locale.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace bz::preview {

// The calendar as the component derived it from the college.
struct DerivedCalendar {
    Date yearStart = 0;
    Date yearEnd = 0;
    Date dayStart = 0;
    int periodsPerDay = 0;
    int periodMinutes = 0;
    std::vector<int> dayOffsets; // days from the first teaching day, one per teaching day
};

// A resource after the transfer: period index to availability, as stored in the resource.
struct ResourceAvailability {
    std::u16string name;
    std::u16string hostKey;
    std::map<std::int32_t, bool> periods;
};

struct TransferOutcome {
    DerivedCalendar calendar;
    std::vector<ResourceAvailability> resources; // in the order the patterns first name them
    std::vector<std::u16string> reports;         // the texts the transfer object received
};

// Runs one availability transfer as the host does: hands the college to a TembraLinkHelper,
// prepares the transfer, sends every pattern to its resource (one resource per distinct name and
// host key) and finishes the transfer. InputError when the component rejects the college.
TransferOutcome runTransfer(const College& college, const std::vector<PatternLine>& patterns,
                            const Locale& locale);

} // namespace bz::preview
