#include "day_mark_store.h"

#include "runtime/error.h"

#include <utility>

namespace bz {

namespace {

constexpr std::size_t bitsPerWord = 64;

std::uint64_t bitOf(Integer day) {
    return std::uint64_t{1} << (static_cast<std::size_t>(day) % bitsPerWord);
}

std::size_t wordOf(Integer day) {
    return static_cast<std::size_t>(day) / bitsPerWord;
}

} // namespace

const DayMarkStore::Marks* DayMarkStore::find(const std::u16string& key) const {
    if (lastUsed_ && lastUsed_->first == key)
        return &lastUsed_->second;
    const auto found = marks_.find(key);
    if (found == marks_.end())
        return nullptr;
    lastUsed_ = &*found;
    return &found->second;
}

void DayMarkStore::mark(const std::u16string& key, Integer day, Integer dayCount) {
    // The entry found by the const lookup belongs to this non-const store.
    auto* marks = const_cast<Marks*>(std::as_const(*this).find(key));
    if (!marks) {
        const std::size_t words = static_cast<std::size_t>(dayCount) / bitsPerWord + 1;
        const auto added =
            marks_.try_emplace(key, Marks{dayCount, std::vector<std::uint64_t>(words)});
        lastUsed_ = &*added.first;
        marks = &added.first->second;
    }
    if (day < 0 || day > marks->upperBound)
        raise(ErrorNumber::SubscriptOutOfRange);
    marks->days[wordOf(day)] |= bitOf(day);
}

bool DayMarkStore::isMarked(const std::u16string& key, Integer day) const {
    const Marks* marks = find(key);
    if (!marks)
        return false;
    if (day < 0 || day > marks->upperBound)
        raise(ErrorNumber::SubscriptOutOfRange);
    return (marks->days[wordOf(day)] & bitOf(day)) != 0;
}

void DayMarkStore::removeAll() {
    lastUsed_ = nullptr;
    marks_.clear();
}

std::size_t DayMarkStore::markBytes(const std::u16string& key) const {
    const Marks* marks = find(key);
    return marks ? marks->days.capacity() * sizeof(std::uint64_t) : 0;
}

} // namespace bz
