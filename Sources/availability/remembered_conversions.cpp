#include "remembered_conversions.h"

#include "runtime/locale.h"

namespace bz {

template <class Value, class Convert>
Value RememberedConversions::remembered(Memory<Value>& memory, std::u16string_view text,
                                        Convert convert) {
    if (const auto known = memory.find(text); known != memory.end())
        return known->second;
    const Value value = convert(text); // a failure raises before anything is remembered
    if (size() < capacity_)
        memory.emplace(text, value);
    return value;
}

Date RememberedConversions::date(const Locale& locale, std::u16string_view text) {
    return remembered(dates_, text,
                      [&locale](std::u16string_view field) { return locale.parseDate(field); });
}

Integer RememberedConversions::integer(const Locale& locale, std::u16string_view text) {
    return remembered(integers_, text, [&locale](std::u16string_view field) {
        return textToInteger(locale, field);
    });
}

void RememberedConversions::forget() {
    dates_.clear();
    integers_.clear();
}

} // namespace bz
