#include "stage.h"

#include "runtime/locale.h"

namespace bz {

std::u16string Stage::text(const Locale& locale) const {
    std::u16string text(text_);
    if (periodDate_)
        text += locale.formatDate(*periodDate_);
    return text;
}

} // namespace bz
