#include "period_cells.h"

#include <algorithm>

namespace bz::preview {

Cell PeriodCells::at(std::int32_t period) const {
    if (period < lowest || period > highest)
        return Cell::Unwritten;
    const auto index = static_cast<std::size_t>(period - lowest);
    const auto shift = 2 * (index % periodsPerWord);
    return static_cast<Cell>((words_[index / periodsPerWord] >> shift) & 3u);
}

std::int32_t PeriodCells::nextWritten(std::int32_t from) const {
    for (std::int32_t period = std::max(from, lowest); period <= highest;) {
        const auto index = static_cast<std::size_t>(period - lowest);
        if (index % periodsPerWord == 0 && words_[index / periodsPerWord] == 0)
            period += static_cast<std::int32_t>(periodsPerWord);
        else if (at(period) != Cell::Unwritten)
            return period;
        else
            ++period;
    }
    return highest + 1;
}

void PeriodCells::set(std::int32_t first, std::int32_t count, bool available) {
    const std::int64_t from = std::max<std::int64_t>(first, lowest);
    const std::int64_t to = std::min<std::int64_t>(std::int64_t{first} + count - 1, highest);
    const std::uint64_t bits = available ? 2u : 1u;
    for (std::int64_t period = from; period <= to; ++period) {
        const auto index = static_cast<std::size_t>(period - lowest);
        const auto shift = 2 * (index % periodsPerWord);
        std::uint64_t& word = words_[index / periodsPerWord];
        word = (word & ~(std::uint64_t{3} << shift)) | (bits << shift);
    }
}

} // namespace bz::preview
