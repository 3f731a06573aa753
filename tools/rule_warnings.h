#pragma once

#include "derived_calendar.h"
#include "preview_host.h"
#include "rule.h"
#include "warning.h"

#include <string>
#include <vector>

namespace bz::preview {

// How the locale orders the day and the month of a numeric date.
enum class DateOrder { MonthFirst, DayFirst };

// What a rule the component accepted does that its writer may not expect: times clamped to
// the teaching day, a span that rounds to no period, a first date with a time of day, a date
// the locale reads in the other order, a rule outside the calendar or backwards, a rule that
// writes nothing, each without its place. `effects` is what the host saw while the rule was
// written.
std::vector<Warning> ruleWarnings(const Rule& rule, const DerivedCalendar& calendar,
                                  const FieldEffects& effects, const Locale& locale,
                                  DateOrder order);

} // namespace bz::preview
