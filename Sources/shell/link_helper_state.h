#pragma once

#include "availability/day_mark_store.h"
#include "runtime/date.h"
#include "runtime/integer.h"
#include "runtime/variant.h"
#include "shell/stage.h"

#include <memory>
#include <string>
#include <vector>

namespace bz {

class Locale;

// The state every member of one TembraLinkHelper object shares.
struct LinkHelperState {
    explicit LinkHelperState(const Locale& locale) : locale(locale) {}

    Variant varCollege;
    Date dtYearStart = 0;
    Date dtYearEnd = 0;
    Integer intStartWeekday = 0;
    Date dtDayStart = 0;
    Date dtDayEnd = 0;
    Integer intPeriodMinutes = 0;
    // The teaching days' offsets from the first teaching day; empty until a college is set.
    std::vector<Integer> aDayOffsets;
    Integer intPeriodsPerDay = 0;
    Integer intDaysPerWeek = 0;
    Integer intDayCount = 0;
    Stage strStage;
    std::u16string strErrors;
    // The day-mark store of the open transfer; none before the first Prepare.
    std::unique_ptr<DayMarkStore> dictMarkedDays;

    // The user's locale, for every text conversion.
    const Locale& locale;
};

} // namespace bz
