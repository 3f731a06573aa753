#pragma once

#include "availability/conversion.h"
#include "availability/transfer.h"
#include "calendar/calendar.h"
#include "calendar/stage.h"
#include "runtime/variant.h"

namespace bz {

class Locale;

// The state every member of one TembraLinkHelper object shares, composed of what each part of
// the component owns.
struct LinkHelperState {
    // `rememberedTexts` bounds the pattern texts a transfer remembers; 0 remembers none.
    explicit LinkHelperState(const Locale& locale,
                             std::size_t rememberedTexts = RememberedConversions::defaultCapacity)
        : transfer{{}, {}, RememberedConversions(rememberedTexts)}, locale(locale) {}

    // What an availability conversion of this object works on.
    Conversion conversion() {
        return {calendar, strStage, transfer.dictMarkedDays, locale, transfer.remembered};
    }

    Variant varCollege;
    Calendar calendar;
    Stage strStage;
    AvailabilityTransfer transfer;
    // The user's locale, for every text conversion.
    const Locale& locale;
};

} // namespace bz
