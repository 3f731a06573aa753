#pragma once

#include "runtime/date.h"
#include "runtime/integer.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace bz {

class Locale;

// The text conversions one transfer has already made. A night's patterns repeat the same few
// dates and times thousands of times, and the platform reads each text slowly, so a text is read
// once and its value remembered. Only values are remembered: a text that fails is converted
// again every time, so its error is the platform's own. Past `capacity` distinct texts, new
// texts are converted as they come and not remembered.
class RememberedConversions {
  public:
    // A night's patterns hold a few hundred distinct dates and times at most.
    static constexpr std::size_t defaultCapacity = 4096;

    explicit RememberedConversions(std::size_t capacity = defaultCapacity) : capacity_(capacity) {}

    // Text to Date under `locale`, as Locale::parseDate.
    Date date(const Locale& locale, std::u16string_view text);
    // Text to Integer under `locale`, as textToInteger.
    Integer integer(const Locale& locale, std::u16string_view text);
    // Forgets every remembered conversion; the next of each text asks the locale again.
    void forget();

    std::size_t size() const { return dates_.size() + integers_.size(); }

  private:
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view text) const {
            return std::hash<std::u16string_view>{}(text);
        }
    };
    template <class Value>
    using Memory = std::unordered_map<std::u16string, Value, TextHash, std::equal_to<>>;

    template <class Value, class Convert>
    Value remembered(Memory<Value>& memory, std::u16string_view text, Convert convert);

    std::size_t capacity_;
    Memory<Date> dates_;
    Memory<Integer> integers_;
};

} // namespace bz
