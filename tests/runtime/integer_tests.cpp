#include "runtime/error.h"
#include "runtime/integer.h"
#include "support/error_number.h"

#include <gtest/gtest.h>

namespace bz {
namespace {

using testing::errorOf;

TEST(IntegerTest, ArithmeticOverflowsOutsideSixteenBits) {
    EXPECT_EQ(addInteger(32766, 1), 32767);
    EXPECT_EQ(errorOf([] { addInteger(32767, 1); }), 6);
    EXPECT_EQ(addInteger(-32767, -1), -32768);
    EXPECT_EQ(errorOf([] { addInteger(-32768, -1); }), 6);
    EXPECT_EQ(subtractInteger(-32767, 1), -32768);
    EXPECT_EQ(errorOf([] { subtractInteger(0, -32768); }), 6);
    EXPECT_EQ(errorOf([] { subtractInteger(1, -32768); }), 6);
    EXPECT_EQ(multiplyInteger(-128, 256), -32768);
    EXPECT_EQ(errorOf([] { multiplyInteger(128, 256); }), 6);
    EXPECT_EQ(errorOf([] { multiplyInteger(-32768, -1); }), 6);
}

TEST(IntegerTest, DivisionTruncatesAndModKeepsTheDividendsSign) {
    struct Case {
        Integer a, b, quotient, remainder;
    };
    const Case cases[] = {{7, 2, 3, 1},    {-7, 2, -3, -1}, {7, -2, -3, 1},
                          {-7, -2, 3, -1}, {-7, 8, 0, -7},  {-8, 8, -1, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(divideInteger(c.a, c.b), c.quotient) << c.a << " \\ " << c.b;
        EXPECT_EQ(modInteger(c.a, c.b), c.remainder) << c.a << " Mod " << c.b;
    }
    EXPECT_EQ(errorOf([] { divideInteger(1, 0); }), 11);
    EXPECT_EQ(errorOf([] { modInteger(1, 0); }), 11);
    EXPECT_EQ(errorOf([] { divideInteger(-32768, -1); }), 6);
    EXPECT_EQ(modInteger(-32768, -1), 0);
}

TEST(IntegerTest, FloatingConversionsRoundHalfToEven) {
    struct Case {
        double value;
        Integer result;
    };
    const Case cases[] = {{-1.5, -2},        {-0.5, 0},          {0.5, 0},    {0.6, 1},
                          {1.5, 2},          {2.5, 2},           {3.5, 4},    {-2.5, -2},
                          {32767.49, 32767}, {-32768.5, -32768}, {112.5, 112}};
    for (const Case& c : cases)
        EXPECT_EQ(toInteger(c.value), c.result) << c.value;
    for (double outside : {32767.5, -32768.51, 1e300, -1e300})
        EXPECT_EQ(errorOf([=] { toInteger(outside); }), 6) << outside;
    EXPECT_EQ(errorOf([] { toInteger(std::numeric_limits<double>::quiet_NaN()); }), 6);
    EXPECT_EQ(toLong(2147483647.49), 2147483647);
    EXPECT_EQ(errorOf([] { toLong(2147483647.5); }), 6);
    EXPECT_EQ(errorOf([] { toInteger(std::int64_t{32768}); }), 6);
}

TEST(ErrorTest, CarriesTheRuntimesNumbersAndTexts) {
    try {
        raise(ErrorNumber::ObjectVariableNotSet);
    } catch (const AutomationError& error) {
        EXPECT_EQ(static_cast<std::uint32_t>(error.hresult()), 0x800A005Bu);
        EXPECT_EQ(error.number(), 91);
        EXPECT_EQ(error.description(), u"Object variable or With block variable not set");
    }
    EXPECT_EQ(describe(438), u"Object doesn't support this property or method");
    EXPECT_EQ(AutomationError(static_cast<std::int32_t>(0x80004005), u"Host", u"failed").number(),
              0);
}

} // namespace
} // namespace bz
