#pragma once

#include "runtime/integer.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

namespace bz {

// The day marks of one transfer: for each resource host key (exact, case-sensitive), the day
// indexes marked, within the day range 0..upper bound fixed at the key's first mark. Marking and
// testing cost the same whatever the size of the calendar.
class DayMarkStore {
  public:
    // Marks day `day`; a key's first mark fixes its upper bound at `dayCount`. Error 9 for a day
    // beyond the upper bound of an older, smaller range.
    void mark(const std::u16string& key, Integer day, Integer dayCount);
    // Whether day `day` is marked; never adds a key. Error 9 beyond the key's upper bound.
    bool isMarked(const std::u16string& key, Integer day) const;
    void removeAll() { marks_.clear(); }

  private:
    struct Marks {
        Integer upperBound;
        std::unordered_set<Integer> days;
    };
    std::unordered_map<std::u16string, Marks> marks_;
};

} // namespace bz
