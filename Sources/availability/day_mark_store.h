#pragma once

#include "runtime/integer.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace bz {

// The day marks of one transfer: for each resource host key (exact, case-sensitive), the day
// indexes marked, within the day range 0..upper bound fixed at the key's first mark, one bit a
// day. Marking and testing cost the same whatever the size of the calendar, and the entry last
// used is found again without hashing: the calls of one rule all name the same key.
class DayMarkStore {
  public:
    // Marks day `day`; a key's first mark fixes its upper bound at `dayCount`. Error 9 for a day
    // below 0 or beyond the upper bound of an older, smaller range.
    void mark(const std::u16string& key, Integer day, Integer dayCount);
    // Whether day `day` is marked; never adds a key. Error 9 below 0 or beyond the key's upper
    // bound.
    bool isMarked(const std::u16string& key, Integer day) const;
    void removeAll();

    // The bytes the marks of `key` take beyond the map's own node, for measurements.
    std::size_t markBytes(const std::u16string& key) const;

  private:
    struct Marks {
        Integer upperBound;
        std::vector<std::uint64_t> days;
    };
    using MarksByKey = std::unordered_map<std::u16string, Marks>;

    const Marks* find(const std::u16string& key) const;

    MarksByKey marks_;
    mutable const MarksByKey::value_type* lastUsed_ = nullptr;
};

} // namespace bz
