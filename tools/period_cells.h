#pragma once

#include <array>
#include <cstdint>

namespace bz::preview {

// What a resource holds for one period.
enum class Cell : std::uint8_t { Unwritten, Unavailable, Available };

// A resource's availability over every period index an Integer can hold (-32768..32767), two
// bits a period: 16 KB whatever the rules.
class PeriodCells {
  public:
    static constexpr std::int32_t lowest = -32768;
    static constexpr std::int32_t highest = 32767;

    Cell at(std::int32_t period) const;
    // Sets periods first .. first + count - 1; the part outside the index range is dropped.
    void set(std::int32_t first, std::int32_t count, bool available);
    // The first period at or after `from` that holds something; highest + 1 when none does.
    std::int32_t nextWritten(std::int32_t from) const;

  private:
    static constexpr std::size_t periodsPerWord = 32;
    std::array<std::uint64_t, 65536 / periodsPerWord> words_{};
};

} // namespace bz::preview
