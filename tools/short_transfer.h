#pragma once

#include "check_report.h"
#include "link_helper.h"

#include <functional>
#include <memory>
#include <string>

namespace bz::preview {

// The transfer check: a component made by `create` (as `how` says) runs a short availability
// transfer against the previewer's in-memory host: a college of one week, two rules for the
// same resource day (the second adds its span to the first, as the day marks make it), one
// rule that fails, and the report handed over at the finish. Written in locale-independent
// forms. Fails naming the call that failed or what the host received instead.
CheckLine checkShortTransfer(const std::function<std::unique_ptr<LinkHelper>()>& create,
                             const std::string& how);

} // namespace bz::preview
