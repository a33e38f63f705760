#include "calc/SlotValue.h"
#include "tests/core/TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace wyndlor {
namespace {

// ---- a text read as a number ----

struct ParseRow {
    const char *name;
    const char *text;
    int32_t code;
    double value;  // when code is 0
};

class ParsePlainNumberTest : public ::testing::TestWithParam<ParseRow> {};

TEST_P(ParsePlainNumberTest, ReadsOrRefuses) {
    const ParseRow &r = GetParam();
    double v = -12345;
    const int32_t code = ParsePlainNumber(r.text, v);
    EXPECT_EQ(code, r.code);
    if (r.code == 0) {
        EXPECT_EQ(v, r.value);
    }
    // The same text in a slot reads the same way.
    double viaSlot = -12345;
    EXPECT_EQ(SlotValue::String(r.text).ToDouble(viaSlot), r.code);
    if (r.code == 0) {
        EXPECT_EQ(viaSlot, r.value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParsePlainNumberTest,
    ::testing::Values(
        ParseRow{"BlanksSignExponent", " -1.5e3 ", 0, -1500},
        ParseRow{"LeadingPoint", ".5", 0, 0.5},
        ParseRow{"TrailingPoint", "5.", 0, 5},
        ParseRow{"PlusSign", "+7", 0, 7},
        ParseRow{"UpperExponentWithSign", "1E+3", 0, 1000},
        ParseRow{"NegativeExponent", "25e-1", 0, 2.5},
        ParseRow{"Tabs", "\t42\t", 0, 42},
        ParseRow{"Zero", "0", 0, 0},
        ParseRow{"TinyUnderflowsToZero", "1e-999", 0, 0},
        ParseRow{"ZeroWithHugeExponent", "0e999", 0, 0},
        ParseRow{"LargestDouble", "1.7976931348623157e308", 0, 1.7976931348623157e308},
        ParseRow{"Empty", "", err::TypeMismatch, 0},
        ParseRow{"OnlyBlanks", "   ", err::TypeMismatch, 0},
        ParseRow{"PointAlone", ".", err::TypeMismatch, 0},
        ParseRow{"SignAlone", "-", err::TypeMismatch, 0},
        ParseRow{"ExponentWithoutDigits", "1e", err::TypeMismatch, 0},
        ParseRow{"DecimalComma", "1,5", err::TypeMismatch, 0},
        ParseRow{"Word", "abc", err::TypeMismatch, 0},
        ParseRow{"NumberThenWord", "12abc", err::TypeMismatch, 0},
        ParseRow{"InnerBlank", "1 2", err::TypeMismatch, 0},
        ParseRow{"DoubleSign", "--1", err::TypeMismatch, 0},
        ParseRow{"TwoPoints", "1.2.3", err::TypeMismatch, 0},
        ParseRow{"Infinity", "inf", err::TypeMismatch, 0},
        ParseRow{"NotANumber", "nan", err::TypeMismatch, 0},
        ParseRow{"Hexadecimal", "0x10", err::TypeMismatch, 0},
        ParseRow{"FullWidthDigits", "\xEF\xBC\x91\xEF\xBC\x92", err::TypeMismatch, 0},
        ParseRow{"BeyondDoubleRange", "1e999", err::Overflow, 0},
        ParseRow{"NegativeBeyondRange", "-1e999", err::Overflow, 0},
        ParseRow{"LongMantissaBeyondRange", "99999999999999999999e300", err::Overflow, 0},
        ParseRow{"HugeExponentDigits", "1e99999999999999999999999", err::Overflow, 0}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- rounding to a 32-bit integer ----

struct LongRow {
    const char *name;
    SlotValue value;
    int32_t code;
    int32_t expected;
};

class ToLongTest : public ::testing::TestWithParam<LongRow> {};

TEST_P(ToLongTest, RoundsHalfToEvenOrRefuses) {
    const LongRow &r = GetParam();
    int32_t out = -777;
    EXPECT_EQ(r.value.ToLong(out), r.code);
    if (r.code == 0) {
        EXPECT_EQ(out, r.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, ToLongTest,
    ::testing::Values(
        LongRow{"TwoAndAHalfToTwo", SlotValue::Double(2.5), 0, 2},
        LongRow{"ThreeAndAHalfToFour", SlotValue::Double(3.5), 0, 4},
        LongRow{"MinusTwoAndAHalf", SlotValue::Double(-2.5), 0, -2},
        LongRow{"MinusThreeAndAHalf", SlotValue::Double(-3.5), 0, -4},
        LongRow{"JustBelowHalf", SlotValue::Double(2.4999999), 0, 2},
        LongRow{"JustAboveHalf", SlotValue::Double(2.5000001), 0, 3},
        LongRow{"HalfToZero", SlotValue::Double(0.5), 0, 0},
        LongRow{"Largest", SlotValue::Double(2147483647.4), 0, 2147483647},
        LongRow{"RoundsPastLargest", SlotValue::Double(2147483647.5), err::Overflow, 0},
        LongRow{"SmallestHalfRoundsToEven", SlotValue::Double(-2147483648.5), 0, -2147483647 - 1},
        LongRow{"BelowSmallest", SlotValue::Double(-2147483649.0), err::Overflow, 0},
        LongRow{"NaN", SlotValue::Double(std::nan("")), err::Overflow, 0},
        LongRow{"Infinity", SlotValue::Double(std::numeric_limits<double>::infinity()), err::Overflow, 0},
        LongRow{"Int16", SlotValue::Int16(-300), 0, -300},
        LongRow{"Int32", SlotValue::Int32(100000), 0, 100000},
        LongRow{"EmptyIsZero", SlotValue(), 0, 0},
        LongRow{"NumericText", SlotValue::String(" 2.5 "), 0, 2},
        LongRow{"WordText", SlotValue::String("x"), err::TypeMismatch, 0},
        LongRow{"HugeText", SlotValue::String("1e999"), err::Overflow, 0}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- the shortest text of a number ----

struct FormatRow {
    const char *name;
    double value;
    const char *text;
};

class FormatPlainNumberTest : public ::testing::TestWithParam<FormatRow> {};

TEST_P(FormatPlainNumberTest, WritesShortestTextThatReadsBack) {
    const FormatRow &r = GetParam();
    const std::string s = FormatPlainNumber(r.value);
    EXPECT_EQ(s, r.text);
    double back = 0;
    ASSERT_EQ(ParsePlainNumber(s, back), 0) << s;
    EXPECT_EQ(back, r.value);
    EXPECT_EQ(SlotValue::Double(r.value).ToText(), r.text);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, FormatPlainNumberTest,
    ::testing::Values(
        FormatRow{"Half", 0.5, "0.5"},
        FormatRow{"WholeDouble", 120.0, "120"},
        FormatRow{"Negative", -2.5, "-2.5"},
        FormatRow{"OneTenth", 0.1, "0.1"},
        FormatRow{"OneThird", 1.0 / 3.0, "0.3333333333333333"},
        FormatRow{"Zero", 0.0, "0"},
        FormatRow{"NegativeZero", -0.0, "0"},
        FormatRow{"SmallPlain", 0.00012, "0.00012"},
        FormatRow{"LargePlain", 123456789012.5, "123456789012.5"},
        FormatRow{"VerySmall", 1e-7, "1E-07"},
        FormatRow{"VeryLarge", 1.5e20, "1.5E+20"},
        FormatRow{"LargestDouble", 1.7976931348623157e308, "1.7976931348623157E+308"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FormatPlainNumber, NonFiniteValuesDoNotReadBackAsNumbers) {
    double v = 0;
    EXPECT_NE(ParsePlainNumber(FormatPlainNumber(std::nan("")), v), 0);
    EXPECT_NE(ParsePlainNumber(FormatPlainNumber(std::numeric_limits<double>::infinity()), v), 0);
}

TEST(SlotValue, TextOfEachKind) {
    EXPECT_EQ(SlotValue().ToText(), "");
    EXPECT_EQ(SlotValue::Int16(-5).ToText(), "-5");
    EXPECT_EQ(SlotValue::Int32(2147483647).ToText(), "2147483647");
    EXPECT_EQ(SlotValue::String("池").ToText(), "池");
}

TEST(SlotValue, EqualityComparesNumbersByValueOnly) {
    EXPECT_EQ(SlotValue::Int32(2), SlotValue::Double(2.0));
    EXPECT_EQ(SlotValue::Int16(2), SlotValue::Int32(2));
    EXPECT_NE(SlotValue::Int32(2), SlotValue::Double(2.5));
    EXPECT_NE(SlotValue::String("2"), SlotValue::Int32(2));
    EXPECT_NE(SlotValue(), SlotValue::Int32(0));
    EXPECT_NE(SlotValue(), SlotValue::String(""));
    EXPECT_EQ(SlotValue(), SlotValue());
}

}  // namespace
}  // namespace wyndlor
