// The picture notation shared by the input fields, result tables and report:
// one table of its cases (rounding, grouping, optional digits, signs).  The
// consumers' tests keep only what is their own (field widths and "*" fill
// in the report, column kinds in the result tables, parsing in the forms).
#include "core/PictureNumber.h"

#include <gtest/gtest.h>

namespace wyndlor {
namespace {

struct PictureCase {
    const char *name;
    const char *picture;
    double value;
    const char *shown;
};

class Picture : public ::testing::TestWithParam<PictureCase> {};

TEST_P(Picture, LaysOutTheValue) {
    EXPECT_EQ(FormatPicture(GetParam().value, GetParam().picture), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Picture,
    ::testing::Values(PictureCase{"Grouping", "#,##0", 12345, "12,345"},
                      PictureCase{"GroupingSmall", "#,##0", 12, "12"},
                      PictureCase{"OptionalDecimalsDropZeros", "##0.##", 2.5, "2.5"},
                      PictureCase{"FixedDecimals", "##0.000", 2.5, "2.500"},
                      PictureCase{"HalfUpOnDecimalForm", "#0.00", 2.675, "2.68"},
                      PictureCase{"NegativeSection", "+##0.000;-##0.000", -1.25, "-1.250"},
                      PictureCase{"PositiveLiteral", "+##0.000;-##0.000", 1.25, "+1.250"},
                      PictureCase{"ZeroTakesThePositiveSection", "+##0.000;-##0.000", -0.0004, "+0.000"},
                      PictureCase{"NoSectionMinus", "##0.0", -3.04, "-3.0"},
                      PictureCase{"RoundsToZeroWithoutSign", "0.000", -0.0001, "0.000"},
                      PictureCase{"WiderThanThePicture", "##0.0", 12345.67, "12345.7"},
                      PictureCase{"NotFinite", "##0", 1e300 * 1e10, "*"},
                      PictureCase{"HalfAwayFromZero", "##0", 2.5, "3"},
                      PictureCase{"NegativeHalfAwayFromZero", "##0", -2.5, "-3"},
                      PictureCase{"RoundsIntoNewDigit", "##0.0", 99.96, "100.0"},
                      PictureCase{"LeadingZeroForced", "#0.000", 0.75, "0.750"},
                      PictureCase{"OptionalIntegerDigit", "#.00", 0.5, ".50"},
                      PictureCase{"OptionalDecimalsUsed", "#0.0#", 1.25, "1.25"},
                      PictureCase{"GroupingMillions", "#,###,##0", 1234567, "1,234,567"},
                      PictureCase{"SignLiteralTinyNegative", "+#0.00", -0.001, "+0.00"},
                      PictureCase{"YenLiteral", "\\#,##0", 1234, "\\1,234"},
                      PictureCase{"NoDecimalsRoundsHalfUp", "#######0", 1234.5, "1235"},
                      PictureCase{"LowestInputLevel", "+##0.000;-##0.000", -999, "-999.000"}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wyndlor
