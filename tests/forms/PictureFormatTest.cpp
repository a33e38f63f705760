#include "forms/PictureFormat.h"

#include <gtest/gtest.h>

namespace wyndlor {
namespace {

struct FormatCase {
    const char *name;
    const char *picture;
    double value;
    const char *shown;
};

class PictureFormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PictureFormatTest, LaysOutTheValue) {
    const FormatCase &c = GetParam();
    EXPECT_EQ(PictureFormat(QString::fromUtf8(c.picture)).Format(c.value).toStdString(),
              std::string(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PictureFormatTest,
    ::testing::Values(
        FormatCase{"MarginZero", "#0", 0, "0"},
        FormatCase{"MarginMax", "#0", 99, "99"},
        FormatCase{"SignedLevelPositive", "+##0.000;-##0.000", 100, "+100.000"},
        FormatCase{"SignedLevelZero", "+##0.000;-##0.000", 0, "+0.000"},
        FormatCase{"SignedLevelMin", "+##0.000;-##0.000", -999, "-999.000"},
        FormatCase{"SignedLevelFraction", "+##0.000;-##0.000", 0.5, "+0.500"},
        FormatCase{"EditLevelNegative", "##0.000", -12.5, "-12.500"},
        FormatCase{"AreaMax", "######0", 9999999, "9999999"},
        FormatCase{"VolumeRounds", "#######0", 1234.5, "1235"},
        FormatCase{"FpLeadingZero", "0.000", 0.75, "0.750"},
        FormatCase{"FpOne", "0.000", 1, "1.000"},
        FormatCase{"CatchmentArea", "##0.0000", 2, "2.0000"},
        FormatCase{"ConstantAMin", "####0.000", -99999.999, "-99999.999"},
        FormatCase{"HalfRoundsUpDespiteBinary", "#0.00", 2.675, "2.68"},
        FormatCase{"TinyNegativeShowsNoSign", "#0.000", -0.0004, "0.000"},
        FormatCase{"TpOneDecimal", "##0.0", 38.04, "38.0"}),
    [](const ::testing::TestParamInfo<FormatCase> &i) { return std::string(i.param.name); });

TEST(PictureFormat, CountsDecimalsAndDigitsOfThePositiveSection) {
    const PictureFormat f("+##0.000;-##0.000");
    EXPECT_EQ(f.Decimals(), 3);
    EXPECT_EQ(f.IntegerDigits(), 3);
    EXPECT_EQ(PictureFormat("#######0").Decimals(), 0);
}

TEST(ParseNumberText, AcceptsNumbersOnly) {
    double v = -1;
    EXPECT_TRUE(ParseNumberText(" 12.5 ", v));
    EXPECT_DOUBLE_EQ(v, 12.5);
    EXPECT_TRUE(ParseNumberText("-0.5", v));
    EXPECT_DOUBLE_EQ(v, -0.5);
    EXPECT_FALSE(ParseNumberText("", v));
    EXPECT_FALSE(ParseNumberText("12a", v));
    EXPECT_FALSE(ParseNumberText("inf", v));
}

}  // namespace
}  // namespace wyndlor
