#pragma once

#include "runtime/variant.h"
#include "shell/link_helper_state.h"

#include <string>

namespace bz {

// The host's suitability link helper: appends the college's first suitability with host key
// `SuitabilityHostkey` to the activity template's suitabilities; no match changes nothing.
void ZEFA_LHF_ActivityTemplateSuitability(LinkHelperState& state,
                                          const Variant& ActivityTemplateItem,
                                          std::u16string& SuitabilityHostkey);

} // namespace bz
