#pragma once

#include "runtime/variant.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace bz::fuzz {

// Reads fuzz input front to back; past its end every byte is 0.
class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t byte() { return used_ < size_ ? data_[used_++] : 0; }

    // The next sizeof(T) bytes as a T, low byte first.
    template <typename T> T bits() {
        std::array<std::uint8_t, sizeof(T)> raw{};
        for (std::uint8_t& b : raw)
            b = byte();
        return std::bit_cast<T>(raw);
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t used_ = 0;
};

// Values of every Variant type from fuzz input. Numbers come as small fractions, as scaled
// 32-bit integers or as any bit pattern (NaN and infinities included); arrays have up to three
// dimensions of up to seven elements, any lower bounds and any element type, Variant elements
// nesting two levels deep. Object values are Nothing or `object`.
class VariantSource {
  public:
    VariantSource(Input& input, ObjectRef object) : input_(input), object_(std::move(object)) {}

    Variant variant(int depth = 0) {
        static constexpr VarType scalars[] = {
            VarType::Empty,  VarType::Null,     VarType::Integer, VarType::Long,   VarType::Single,
            VarType::Double, VarType::Currency, VarType::Date,    VarType::String, VarType::Object,
            VarType::Error,  VarType::Boolean,  VarType::Byte};
        const std::size_t kind = input_.byte() % (std::size(scalars) + 1);
        return kind == std::size(scalars) ? array(depth) : value(scalars[kind], depth);
    }

  private:
    static constexpr int maxDepth = 2;
    static constexpr std::uint32_t maxCount = 8; // counts 0 to 7, a whole week

    Variant value(VarType type, int depth) {
        switch (type) {
        case VarType::Empty:
            return Empty{};
        case VarType::Null:
            return Null{};
        case VarType::Integer:
            return input_.bits<std::int16_t>();
        case VarType::Long:
            return input_.bits<std::int32_t>();
        case VarType::Single:
            return input_.byte() % 2 == 0 ? static_cast<float>(input_.bits<std::int8_t>()) / 4
                                          : input_.bits<float>();
        case VarType::Double:
            return number();
        case VarType::Currency:
            return Currency{input_.bits<std::int64_t>()};
        case VarType::Date:
            return DateValue{number()};
        case VarType::String:
            return text();
        case VarType::Object:
            return input_.byte() % 2 == 0 ? ObjectRef() : object_;
        case VarType::Error:
            return ErrorValue{input_.bits<std::int32_t>()};
        case VarType::Boolean:
            return Boolean{input_.byte() % 2 == 1};
        case VarType::Byte:
            return input_.byte();
        default: // Variant
            return variant(depth);
        }
    }

    double number() {
        switch (input_.byte() % 3) {
        case 0:
            return input_.bits<std::int8_t>() / 4.0;
        case 1:
            return input_.bits<std::int32_t>() / 16.0;
        default:
            return input_.bits<double>();
        }
    }

    // Up to 39 characters, one per byte.
    std::u16string text() {
        std::u16string characters(input_.byte() % 40, u' ');
        for (char16_t& c : characters)
            c = input_.byte();
        return characters;
    }

    Variant array(int depth) {
        static constexpr VarType elementTypes[] = {
            VarType::Variant, VarType::Integer,  VarType::Long,    VarType::Single,
            VarType::Double,  VarType::Currency, VarType::Date,    VarType::String,
            VarType::Object,  VarType::Error,    VarType::Boolean, VarType::Byte};
        const VarType elementType = elementTypes[input_.byte() % std::size(elementTypes)];
        std::vector<ArrayBound> bounds(input_.byte() % 4);
        for (ArrayBound& bound : bounds) {
            const std::int32_t lower =
                input_.byte() % 2 == 0 ? input_.bits<std::int8_t>() : input_.bits<std::int32_t>();
            bound = {lower, input_.byte() % maxCount};
        }
        Array made(elementType, std::move(bounds));
        const bool nested = elementType == VarType::Variant && depth < maxDepth;
        for (Variant& element : made.elements())
            element = nested
                          ? variant(depth + 1)
                          : value(elementType == VarType::Variant ? VarType::Integer : elementType,
                                  depth + 1);
        return made;
    }

    Input& input_;
    ObjectRef object_;
};

} // namespace bz::fuzz
