// VARIANT <-> core value conversion at the COM edge.
#include "host/com/variant_conversion.h"
#include "host_dispatch.h"
#include "hostsim/host.h"
#include "runtime/com/unique_variant.h"

#include <gmock/gmock.h>

#include <cstring>

namespace bz::test {
namespace {

using com::fromVariant;
using com::toVariant;
using com::UniqueVariant;
using namespace std::string_literals;

struct Case {
    const char* name;
    Variant value;
    VARTYPE type;
};

TEST(VariantConversion, EveryScalarTypeRoundTripsWithItsVariantType) {
    const Case cases[]{
        {"Empty", Variant(), VT_EMPTY},
        {"Null", Variant(Null{}), VT_NULL},
        {"Integer", Variant(std::int16_t{-2}), VT_I2},
        {"Long", Variant(std::int32_t{70000}), VT_I4},
        {"Single", Variant(1.5f), VT_R4},
        {"Double", Variant(2.25), VT_R8},
        {"Currency", Variant(Currency{123456}), VT_CY},
        {"Date", Variant(DateValue{45000.5}), VT_DATE},
        {"String with a null inside", Variant(u"a\0b"s), VT_BSTR},
        {"Error", Variant(ErrorValue{static_cast<std::int32_t>(DISP_E_PARAMNOTFOUND)}), VT_ERROR},
        {"True", Variant(Boolean{true}), VT_BOOL},
        {"Byte", Variant(std::uint8_t{7}), VT_UI1},
        {"Nothing", Variant::nothing(), VT_DISPATCH},
    };
    for (const Case& c : cases) {
        UniqueVariant converted;
        toVariant(c.value, *converted.put());
        EXPECT_EQ(V_VT(&converted.get()), c.type) << c.name;
        EXPECT_EQ(fromVariant(converted.get()), c.value) << c.name;
    }
    UniqueVariant boolean;
    toVariant(Variant(Boolean{true}), *boolean.put());
    EXPECT_EQ(V_BOOL(&boolean.get()), VARIANT_TRUE);
}

TEST(VariantConversion, ReferencesAreFollowed) {
    BSTR text = SysAllocString(L"key");
    short number = 12;
    VARIANT inner;
    VariantInit(&inner);
    V_VT(&inner) = VT_I4;
    V_I4(&inner) = 99;

    VARIANT reference;
    V_VT(&reference) = VT_BSTR | VT_BYREF;
    V_BSTRREF(&reference) = &text;
    EXPECT_EQ(fromVariant(reference), Variant(u"key"s));
    V_VT(&reference) = VT_I2 | VT_BYREF;
    V_I2REF(&reference) = &number;
    EXPECT_EQ(fromVariant(reference), Variant(std::int16_t{12}));
    V_VT(&reference) = VT_VARIANT | VT_BYREF;
    V_VARIANTREF(&reference) = &inner;
    EXPECT_EQ(fromVariant(reference), Variant(std::int32_t{99}));
    SysFreeString(text);
}

// A SAFEARRAY element by its indexes, first dimension first.
Variant elementAt(SAFEARRAY* array, std::initializer_list<LONG> indexes) {
    std::vector<LONG> where(indexes);
    UniqueVariant element;
    EXPECT_EQ(SafeArrayGetElement(array, where.data(), element.put()), S_OK);
    return fromVariant(element.get());
}

TEST(VariantConversion, ArraysKeepDimensionsLowerBoundsAndElementPositions) {
    SAFEARRAYBOUND bounds[]{{2, 1}, {3, -1}}; // (1 To 2, -1 To 1)
    SAFEARRAY* array = SafeArrayCreate(VT_VARIANT, 2, bounds);
    for (LONG i = 1; i <= 2; ++i) {
        for (LONG j = -1; j <= 1; ++j) {
            LONG where[]{i, j};
            UniqueVariant element;
            V_VT(element.put()) = VT_I4;
            V_I4(&element.get()) = i * 10 + j;
            ASSERT_EQ(SafeArrayPutElement(array, where, &element.get()), S_OK);
        }
    }
    UniqueVariant source;
    V_VT(source.put()) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(&source.get()) = array;

    const Variant converted = fromVariant(source.get());
    const Array& core = converted.get<Array>();
    ASSERT_EQ(core.dimensions(), 2u);
    EXPECT_EQ(core.lowerBound(1), 1);
    EXPECT_EQ(core.upperBound(1), 2);
    EXPECT_EQ(core.lowerBound(2), -1);
    EXPECT_EQ(core.upperBound(2), 1);
    const std::int32_t where[]{2, -1};
    EXPECT_EQ(core.at(where), Variant(std::int32_t{19}));

    UniqueVariant back;
    toVariant(converted, *back.put());
    ASSERT_EQ(V_VT(&back.get()), VT_ARRAY | VT_VARIANT);
    EXPECT_EQ(elementAt(V_ARRAY(&back.get()), {2, -1}), Variant(std::int32_t{19}));
    EXPECT_EQ(elementAt(V_ARRAY(&back.get()), {1, 1}), Variant(std::int32_t{11}));
}

TEST(VariantConversion, TypedArraysAndArrayReferencesConvert) {
    Array integers(VarType::Integer, {{0, 3}});
    integers.at(0) = std::int16_t{2};
    integers.at(1) = std::int16_t{3};
    integers.at(2) = std::int16_t{4};
    UniqueVariant typed;
    toVariant(Variant(integers), *typed.put());
    ASSERT_EQ(V_VT(&typed.get()), VT_ARRAY | VT_I2);

    // A VBScript `Dim a(2)` variable arrives as a reference to an array of Variants.
    SAFEARRAY* array = V_ARRAY(&typed.get());
    VARIANT reference;
    V_VT(&reference) = VT_ARRAY | VT_I2 | VT_BYREF;
    V_ARRAYREF(&reference) = &array;
    EXPECT_EQ(fromVariant(reference), Variant(integers));
}

TEST(VariantConversion, ObjectsKeepTheirIdentityAndCount) {
    hostsim::Host host;
    hostsim::SimObject& object = host.addObject(u"object");
    {
        UniqueVariant source;
        V_VT(source.put()) = VT_DISPATCH;
        V_DISPATCH(&source.get()) = com::hostDispatch(ObjectRef(&object)).detach();
        const Variant converted = fromVariant(source.get());
        UniqueVariant back;
        toVariant(converted, *back.put());
        EXPECT_EQ(V_DISPATCH(&back.get()), V_DISPATCH(&source.get()));
    }
    EXPECT_EQ(object.references(), 0);
}

// The host face answers only the dispatch ids it gave out for names or the host publishes, and
// names an argument only by a name's id: anything else is refused, not read past its names.
TEST(VariantConversion, HostFacesRefuseDispatchIdsTheyNeverGaveOut) {
    hostsim::Host host;
    const com::ComPtr<IDispatch> face = com::hostDispatch(ObjectRef(&host.addObject(u"object")));
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXPECT_EQ(face->Invoke(0x10005, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    UniqueVariant argument;
    DISPID named = 5;
    DISPPARAMS byNumber{&argument.get(), &named, 1, 1};
    EXPECT_EQ(face->Invoke(400, IID_NULL, 0, DISPATCH_METHOD, &byNumber, nullptr, nullptr, nullptr),
              DISP_E_PARAMNOTFOUND);
}

// A VARIANT of type `type` whose value has the bytes of `value`.
template <typename T> VARIANT numberOf(VARTYPE type, T value) {
    VARIANT result;
    VariantInit(&result);
    std::memcpy(&V_BYREF(&result), &value, sizeof value);
    V_VT(&result) = type;
    return result;
}

VARIANT decimalOf(std::uint64_t digits, BYTE scale, bool negative = false) {
    VARIANT result;
    VariantInit(&result);
    DECIMAL& decimal = V_DECIMAL(&result);
    decimal.Lo64 = digits;
    decimal.scale = scale;
    decimal.sign = negative ? DECIMAL_NEG : 0;
    V_VT(&result) = VT_DECIMAL; // after the value: the decimal overlaps the type field
    return result;
}

TEST(VariantConversion, OtherNumbersBecomeTheFirstCoreTypeThatHoldsThemExactly) {
    struct Row {
        const char* name;
        VARIANT source;
        Variant expected;
    } rows[]{
        {"I1", numberOf(VT_I1, std::int8_t{-5}), Variant(std::int32_t{-5})},
        {"UI2", numberOf(VT_UI2, std::uint16_t{65535}), Variant(std::int32_t{65535})},
        {"UI4 within Long", numberOf(VT_UI4, std::uint32_t{16}), Variant(std::int32_t{16})},
        {"UI4 beyond Long", numberOf(VT_UI4, std::uint32_t{4000000000u}),
         Variant(Currency{40000000000000})},
        {"INT", numberOf(VT_INT, -7), Variant(std::int32_t{-7})},
        {"UINT", numberOf(VT_UINT, 7u), Variant(std::int32_t{7})},
        {"I8 within Long", numberOf(VT_I8, std::int64_t{-52}), Variant(std::int32_t{-52})},
        {"I8 within Currency", numberOf(VT_I8, std::int64_t{1} << 40),
         Variant(Currency{(std::int64_t{1} << 40) * 10000})},
        {"I8 beyond Currency", numberOf(VT_I8, std::int64_t{1} << 62),
         Variant(static_cast<double>(std::int64_t{1} << 62))},
        {"UI8", numberOf(VT_UI8, std::uint64_t{9}), Variant(std::int32_t{9})},
        {"Decimal whole", decimalOf(160, 1), Variant(std::int32_t{16})},
        {"Decimal with four places", decimalOf(25, 1, true), Variant(Currency{-25000})},
        {"Decimal with more places", decimalOf(12345, 5), Variant(0.12345)},
    };
    for (Row& row : rows) {
        EXPECT_EQ(fromVariant(row.source), row.expected) << row.name;
        VARIANT reference;
        V_VT(&reference) = static_cast<VARTYPE>(V_VT(&row.source) | VT_BYREF);
        V_BYREF(&reference) = V_VT(&row.source) == VT_DECIMAL
                                  ? static_cast<void*>(&V_DECIMAL(&row.source))
                                  : static_cast<void*>(&V_BYREF(&row.source));
        EXPECT_EQ(fromVariant(reference), row.expected) << row.name << " by reference";
    }

    // An array of them holds Variants.
    SAFEARRAYBOUND bound{2, 1};
    SAFEARRAY* array = SafeArrayCreate(VT_I8, 1, &bound);
    for (LONG i = 1; i <= 2; ++i) {
        std::int64_t value = i * 10;
        ASSERT_EQ(SafeArrayPutElement(array, &i, &value), S_OK);
    }
    UniqueVariant source;
    V_VT(source.put()) = VT_ARRAY | VT_I8;
    V_ARRAY(&source.get()) = array;
    const Variant converted = fromVariant(source.get());
    EXPECT_EQ(converted.get<Array>().elementType(), VarType::Variant);
    EXPECT_EQ(converted.get<Array>().at(2), Variant(std::int32_t{20}));
}

TEST(VariantConversion, TypesNoAutomationValueHasRaiseBadVariableType) {
    UniqueVariant source;
    V_VT(source.put()) = VT_CLSID;
    try {
        fromVariant(source.get());
        FAIL() << "no error";
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.hresult(), DISP_E_BADVARTYPE);
    }
}

} // namespace
} // namespace bz::test
