#pragma once

#include "date.h"
#include "integer.h"
#include "object.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace bz {

class Locale;

// Variant types, numbered as the automation type system numbers them.
enum class VarType : std::uint16_t {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Object = 9,
    Error = 10,
    Boolean = 11,
    Variant = 12,
    Byte = 17,
};
inline constexpr std::uint16_t arrayFlag = 0x2000;
inline constexpr std::uint16_t byRefFlag = 0x4000;

struct Empty {
    friend bool operator==(Empty, Empty) = default;
};
struct Null {
    friend bool operator==(Null, Null) = default;
};
// Currency: a 64-bit count of ten-thousandths.
struct Currency {
    std::int64_t scaled;
    friend bool operator==(Currency, Currency) = default;
};
struct DateValue {
    Date value;
    friend bool operator==(DateValue, DateValue) = default;
};
// The Error subtype: an SCODE, as optional arguments are passed missing.
struct ErrorValue {
    std::int32_t scode;
    friend bool operator==(ErrorValue, ErrorValue) = default;
};
struct Boolean {
    bool value;
    friend bool operator==(Boolean, Boolean) = default;
};

class Variant;

struct ArrayBound {
    std::int32_t lower;
    std::uint32_t count;
    friend bool operator==(ArrayBound, ArrayBound) = default;
};

// An array of one or more dimensions with any lower bounds. Elements are stored in column-major
// order (the first index varies fastest), as automation arrays are.
class Array {
  public:
    Array(VarType elementType, std::vector<ArrayBound> bounds);

    VarType elementType() const { return elementType_; }
    const std::vector<ArrayBound>& bounds() const { return bounds_; }
    std::size_t dimensions() const { return bounds_.size(); }
    // Lower and upper bound of dimension `dimension` (1-based); error 9 outside the dimensions.
    std::int32_t lowerBound(std::size_t dimension = 1) const;
    std::int32_t upperBound(std::size_t dimension = 1) const;

    // The element at the given indexes, one per dimension; error 9 outside the bounds.
    const Variant& at(std::span<const std::int32_t> indexes) const;
    Variant& at(std::span<const std::int32_t> indexes);
    const Variant& at(std::int32_t index) const { return at(std::span(&index, 1)); }
    Variant& at(std::int32_t index) { return at(std::span(&index, 1)); }

    const std::vector<Variant>& elements() const { return elements_; }
    std::vector<Variant>& elements() { return elements_; }

    friend bool operator==(const Array&, const Array&) = default;

  private:
    std::size_t offsetOf(std::span<const std::int32_t> indexes) const;

    VarType elementType_;
    std::vector<ArrayBound> bounds_;
    std::vector<Variant> elements_;
};

// The runtime's tagged value. Arrays and strings are owned values, copied on assignment.
class Variant {
  public:
    using Storage =
        std::variant<Empty, Null, std::int16_t, std::int32_t, float, double, Currency, DateValue,
                     std::u16string, ObjectRef, ErrorValue, Boolean, std::uint8_t, Array>;

    Variant() = default;
    template <typename T>
    requires std::is_constructible_v<Storage, T&&> Variant(T&& value)
        : storage_(std::forward<T>(value)) {}
    Variant(const char16_t* text) : storage_(std::u16string(text)) {}

    static Variant nothing() { return Variant(ObjectRef()); }

    VarType type() const;
    const Storage& storage() const { return storage_; }
    Storage& storage() { return storage_; }

    template <typename T> bool holds() const { return std::holds_alternative<T>(storage_); }
    template <typename T> const T& get() const { return std::get<T>(storage_); }
    template <typename T> T& get() { return std::get<T>(storage_); }

    bool isObject() const { return holds<ObjectRef>(); }
    // The variant type with the array flag for arrays (0x2000 | element type).
    std::uint16_t variantType() const;

    friend bool operator==(const Variant& a, const Variant& b) = default;

  private:
    Storage storage_;
};

// Conversions with the runtime's meaning. Text goes through the locale; a value that cannot be
// converted raises error 13, one outside the target's range error 6, Null error 94.
double toDouble(const Variant& value, const Locale& locale);
Integer toInteger(const Variant& value, const Locale& locale);
Long toLong(const Variant& value, const Locale& locale);
Date toDate(const Variant& value, const Locale& locale);
std::u16string toString(const Variant& value, const Locale& locale);
// The object reference a Variant holds (Nothing included); error 424 for anything else.
ObjectRef toObject(const Variant& value);
// The array a Variant holds; error 13 for anything else.
const Array& toArray(const Variant& value);

// Variant arithmetic: the result widens (Integer to Long to Double, Single to Double) instead of
// overflowing. Single stays Single with Integers, Bytes and Booleans; with a Long it gives Double.
Variant add(const Variant& a, const Variant& b, const Locale& locale);
Variant subtract(const Variant& a, const Variant& b, const Locale& locale);
Variant multiply(const Variant& a, const Variant& b, const Locale& locale);
// Mod rounds both operands to whole numbers (half to even); the result has the dividend's sign.
Variant modulo(const Variant& a, const Variant& b, const Locale& locale);
// A Variant compared with a number, as `value > 0` compares them: numbers and Booleans as
// numbers, Empty as 0, text converted to a number (error 13 when it is not one). Null gives no
// result (the comparison is Null); anything else raises error 13.
std::optional<int> compareWithNumber(const Variant& value, double number, const Locale& locale);

} // namespace bz
