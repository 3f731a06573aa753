#pragma once

#include "runtime/variant.h"

#include <string>

namespace bz {

class Locale;

// The host's suitability link helper: appends the college's first suitability with host key
// `SuitabilityHostkey` to the activity template's suitabilities; no match changes nothing.
void ZEFA_LHF_ActivityTemplateSuitability(const Variant& varCollege, const Locale& locale,
                                          const Variant& ActivityTemplateItem,
                                          std::u16string& SuitabilityHostkey);

} // namespace bz
