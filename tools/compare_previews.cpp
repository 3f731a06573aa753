#include "compare_previews.h"

#include "comparison_view.h"

namespace bz::preview {

int printChanges(std::ostream& out, const Snapshot& earlier, const Snapshot& later,
                 const Options& options) {
    const Comparison comparison =
        compare(earlier, later, {options.resources.begin(), options.resources.end()});
    printComparison(out, comparison, options.format);
    return comparison.anyChange() ? 1 : 0;
}

} // namespace bz::preview
