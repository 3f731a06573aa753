#pragma once

#include "availability/conversion.h"
#include "runtime/variant.h"

#include <string>

namespace bz {

// The host's availability link helper: writes `strPattern` into the resource `thing`. Every
// error on the way becomes a line of the error report naming the resource and the stage
// reached, appended to `strErrors`; only a target that cannot be named fails the call (error 91).
void ZEFA_LHF_SetAvailabilityByString(const Conversion& conversion, std::u16string& strErrors,
                                      const Variant& thing, const std::u16string& strPattern);

} // namespace bz
