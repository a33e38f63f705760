#include "widgets/PictureFormat.h"

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

// The form's own pictures at the ends of their ranges; the notation itself
// is tested with the shared formatter.
INSTANTIATE_TEST_SUITE_P(
    Pictures, PictureFormatTest,
    ::testing::Values(
        FormatCase{"SignedLevelPositive", "+##0.000;-##0.000", 100, "+100.000"},
        FormatCase{"AreaMax", "######0", 9999999, "9999999"},
        FormatCase{"ConstantAMin", "####0.000", -99999.999, "-99999.999"}),
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
