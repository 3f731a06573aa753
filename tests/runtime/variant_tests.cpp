#include "runtime/error.h"
#include "runtime/locale.h"
#include "runtime/variant.h"
#include "support/error_number.h"

#include <gtest/gtest.h>

namespace bz {
namespace {

using testing::errorOf;

class VariantTest : public ::testing::Test {
  protected:
    std::unique_ptr<Locale> us_ = makePortableLocale(PortableLocaleKind::EnUs);
    std::unique_ptr<Locale> de_ = makePortableLocale(PortableLocaleKind::DeDe);
};

TEST_F(VariantTest, ArithmeticWidensInsteadOfOverflowing) {
    EXPECT_EQ(add(Integer{32767}, Integer{1}, *us_), Variant(Long{32768}));
    EXPECT_EQ(add(Integer{1}, Integer{2}, *us_), Variant(Integer{3}));
    EXPECT_EQ(multiply(Long{2147483647}, Integer{2}, *us_), Variant(4294967294.0));
    EXPECT_EQ(multiply(Integer{6554}, Integer{5}, *us_), Variant(Long{32770}));
    EXPECT_EQ(subtract(Integer{-32768}, Integer{1}, *us_), Variant(Long{-32769}));
    EXPECT_EQ(add(std::uint8_t{200}, std::uint8_t{100}, *us_), Variant(Integer{300}));
    EXPECT_EQ(add(Boolean{true}, Integer{1}, *us_), Variant(Integer{0}));
    EXPECT_EQ(add(Empty{}, Empty{}, *us_), Variant(Integer{0}));
    EXPECT_EQ(add(Integer{7}, u"2", *us_), Variant(9.0));
    EXPECT_EQ(add(u"7", u"2", *us_), Variant(u"72"));
    EXPECT_EQ(multiply(u"2,5", Integer{2}, *de_), Variant(5.0));
    EXPECT_EQ(add(Null{}, Integer{1}, *us_), Variant(Null{}));
    EXPECT_EQ(add(DateValue{10.0}, Integer{1}, *us_), Variant(DateValue{11.0}));
    // Single stays Single, rounded as Single (2.3 * 5 is 11.5, not 11.4999997), with Integers,
    // Bytes, Booleans and Singles; with a Long, or past its range, it widens to Double.
    EXPECT_EQ(multiply(2.3f, Integer{5}, *us_), Variant(11.5f));
    EXPECT_EQ(add(0.1f, 0.2f, *us_), Variant(0.3f));
    EXPECT_EQ(subtract(std::uint8_t{1}, 0.9f, *us_), Variant(1.0f - 0.9f));
    EXPECT_EQ(add(Boolean{true}, 1.5f, *us_), Variant(0.5f));
    EXPECT_EQ(multiply(0.1f, Long{3}, *us_), Variant(static_cast<double>(0.1f) * 3));
    EXPECT_EQ(multiply(3e38f, Integer{2}, *us_), Variant(static_cast<double>(3e38f) * 2));
    EXPECT_EQ(add(DateValue{10.0}, 0.5f, *us_), Variant(DateValue{10.5}));
    EXPECT_EQ(errorOf([&] { add(Integer{1}, u"x", *us_); }), 13);
    EXPECT_EQ(errorOf([&] { add(Integer{1}, Variant::nothing(), *us_); }), 91);
}

TEST_F(VariantTest, ModRoundsItsOperandsAndKeepsTheDividendsSign) {
    struct Case {
        Variant a, b, result;
    };
    const Case cases[] = {
        {19.0, 6.7, Long{5}},
        {12.0, 4.3, Long{0}},
        {12.6, Integer{5}, Long{3}},
        {11.6, 5.5, Long{0}},
        {Integer{-7}, Integer{3}, Integer{-1}},
        {Integer{7}, Integer{-3}, Integer{1}},
        {Long{13}, Integer{7}, Long{6}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(modulo(c.a, c.b, *us_), c.result);
    EXPECT_EQ(errorOf([&] { modulo(Integer{1}, 0.4, *us_); }), 11);
}

TEST_F(VariantTest, ConversionsRoundAndReject) {
    EXPECT_EQ(toInteger(Variant(2.5), *us_), 2);
    EXPECT_EQ(toInteger(Variant(u" 3.5 "), *us_), 4);
    EXPECT_EQ(toInteger(Variant(Boolean{true}), *us_), -1);
    EXPECT_EQ(toInteger(Variant(Empty{}), *us_), 0);
    EXPECT_EQ(errorOf([&] { toInteger(Variant(Long{32768}), *us_); }), 6);
    EXPECT_EQ(errorOf([&] { toInteger(Variant(Null{}), *us_); }), 94);
    EXPECT_EQ(errorOf([&] { toInteger(Variant(u""), *us_); }), 13);
    EXPECT_EQ(errorOf([&] { toDate(Variant(1e7), *us_); }), 6);
    EXPECT_EQ(toString(Variant(Integer{-5}), *us_), u"-5");
    EXPECT_EQ(toString(Variant(0.5), *de_), u"0,5");
    // A Single shows its own digits, up to seven; its zero has no sign.
    EXPECT_EQ(toString(Variant(0.1f), *us_), u"0.1");
    EXPECT_EQ(toString(Variant(1.0f / 3), *de_), u"0,3333333");
    EXPECT_EQ(toString(Variant(16777216.0f), *us_), u"1.677722E+07");
    EXPECT_EQ(toString(Variant(-0.0f), *us_), u"0");
    EXPECT_EQ(toString(Variant(1.0 / 3), *us_), u"0.333333333333333");
    EXPECT_EQ(toString(Variant(Boolean{false}), *us_), u"False");
    EXPECT_EQ(errorOf([&] { toString(Variant(Array(VarType::Variant, {{0, 1}})), *us_); }), 13);
    EXPECT_EQ(errorOf([&] { toObject(Variant(Integer{1})); }), 424);
    EXPECT_FALSE(toObject(Variant::nothing()));
}

// The range holds the whole of its end days: 1 Jan 100 and 31 Dec 9999 up to 23:59:59.
TEST_F(VariantTest, DatesSpanTheWholeOfTheRangesEndDays) {
    const Date lastSecond = 86399.0 / 86400;
    const Date first = makeDate({100, 1, 1}, {23, 59, 59});
    const Date last = makeDate({9999, 12, 31}, {23, 59, 59});
    EXPECT_EQ(toDate(Variant(first), *us_), first);
    EXPECT_EQ(toDate(Variant(last), *us_), last);
    EXPECT_EQ(add(DateValue{minDate}, -lastSecond, *us_), Variant(DateValue{first}));
    EXPECT_EQ(subtract(DateValue{maxDate}, -lastSecond, *us_), Variant(DateValue{last}));
    EXPECT_EQ(errorOf([&] { toDate(Variant(minDate - 1), *us_); }), 6);
    EXPECT_EQ(errorOf([&] { toDate(Variant(maxDate + 1), *us_); }), 6);
    EXPECT_EQ(errorOf([&] { add(DateValue{minDate}, -1.0, *us_); }), 6);
    EXPECT_EQ(errorOf([&] { add(DateValue{maxDate}, 1.0, *us_); }), 6);
}

TEST_F(VariantTest, ComparisonWithANumber) {
    EXPECT_EQ(compareWithNumber(Long{3}, 0, *us_), 1);
    EXPECT_EQ(compareWithNumber(u"0", 0, *us_), 0);
    EXPECT_EQ(compareWithNumber(Empty{}, 0, *us_), 0);
    EXPECT_EQ(compareWithNumber(Boolean{true}, 0, *us_), -1);
    EXPECT_EQ(compareWithNumber(Null{}, 0, *us_), std::nullopt);
    EXPECT_EQ(errorOf([&] { compareWithNumber(u"many", 0, *us_); }), 13);
}

TEST_F(VariantTest, ArraysHaveAnyBoundsInColumnMajorOrder) {
    Array grid(VarType::Integer, {{1, 2}, {-1, 3}});
    EXPECT_EQ(grid.elements().size(), 6u);
    const std::int32_t index[] = {2, 0};
    grid.at(index) = Integer{5};
    EXPECT_EQ(grid.elements()[3], Variant(Integer{5}));
    EXPECT_EQ(grid.upperBound(2), 1);
    EXPECT_EQ(errorOf([&] { grid.upperBound(3); }), 9);
    const std::int32_t outside[] = {3, 0};
    EXPECT_EQ(errorOf([&] { grid.at(outside); }), 9);
    EXPECT_EQ(errorOf([&] { grid.at(1); }), 9);
    EXPECT_EQ(Variant(grid).variantType(), 0x2002);
}

} // namespace
} // namespace bz
