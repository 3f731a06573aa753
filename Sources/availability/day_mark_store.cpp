#include "day_mark_store.h"

#include "runtime/error.h"

namespace bz {

void DayMarkStore::mark(const std::u16string& key, Integer day, Integer dayCount) {
    Marks& marks = marks_.try_emplace(key, Marks{dayCount, {}}).first->second;
    if (day > marks.upperBound)
        raise(ErrorNumber::SubscriptOutOfRange);
    marks.days.insert(day);
}

bool DayMarkStore::isMarked(const std::u16string& key, Integer day) const {
    const auto found = marks_.find(key);
    if (found == marks_.end())
        return false;
    if (day > found->second.upperBound)
        raise(ErrorNumber::SubscriptOutOfRange);
    return found->second.days.contains(day);
}

} // namespace bz
