#pragma once

#include "calendar/calendar.h"
#include "calendar/date_to_period.h"
#include "calendar/stage.h"

#include <cstdint>
#include <optional>

namespace bz {

// The period index of one time of day on successive weeks of a rule, as DateToPeriod gives it.
// A date exactly seven days after the last one converted, at the same whole second, is in the
// next week at the same position and minute: its index is the last one plus a week's periods,
// as long as every Integer step of the conversion stays in range and no exact half could round
// the other way, and the calendar has not been handed over since the last conversion (a host
// call may do so meanwhile, and a new calendar may reuse the old one's storage). Any other date
// is converted in full, with its stage and errors.
class WeeklyPeriod {
  public:
    Integer next(const Calendar& calendar, Stage& strStage, Date t);

  private:
    struct Last {
        PeriodConversion conversion;
        std::uint64_t calendarGeneration;
    };

    bool advance(const Calendar& calendar, const DateFields& fields);

    std::optional<Last> last_;
};

} // namespace bz
