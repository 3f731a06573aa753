#pragma once

#include "runtime/com/com_ptr.h"

#include <oaidl.h>

namespace bz::bench {

// The scenario's college behind IDispatch, its six calendar members answered by name: Monday 5
// January 2026, Monday to Friday, 16 periods of 30 minutes from 09:00, 52 weeks.
com::ComPtr<IDispatch> scenarioCollege();

} // namespace bz::bench
