// Filling template fields: the picture number format, signed and yen
// numbers, text alignment and cutting, all measured in Shift_JIS bytes.
#include "tests/report/ReportTestUtil.h"
#include "report/PrintWriter.h"

#include <gtest/gtest.h>

namespace wyndlor {
namespace {

using test::Sjis;
using test::Text;

struct NumberCase {
    const char *name;
    const char *field;
    double value;
    const char *expected;
};

class NumberFieldTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberFieldTest, FillsFieldToItsWidth) {
    const NumberCase &c = GetParam();
    const QByteArray out = FillTemplate(QByteArray("[") + c.field + "]", {c.value}, {});
    EXPECT_EQ(out.toStdString(), std::string("[") + c.expected + "]");
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, NumberFieldTest,
    ::testing::Values(
        NumberCase{"TooWideFillsWithStars", "##0.00", 12345.67, "******"},
        NumberCase{"FitsExactly", "##0.00", 123.45, "123.45"},
        NumberCase{"PadsLeft", "##0.00", 1.5, "  1.50"},
        NumberCase{"NegativeKeepsMinus", "##0.00", -1.234, " -1.23"},
        NumberCase{"NegativeTooWide", "#0.00", -12.5, "*****"},
        NumberCase{"ThousandsSmall", "#,###,##0", 999, "      999"},
        NumberCase{"ThousandsTooWide", "#,##0", 1234567, "*****"},
        NumberCase{"LargeStorage", "##,###,###,##0", 26825, "        26,825"},
        NumberCase{"SignedNegativeSignBeforeDigits", "+#0.00", -1.5, " -1.50"},
        NumberCase{"SignedLowestInputLevel", "+##0.000", -999, "-999.000"},
        NumberCase{"SignedTooWide", "+#0.00", 123.4, "******"},
        NumberCase{"YenPadded", "\\##,##0", 5, "     \\5"},
        NumberCase{"YenTooWide", "\\##0", 12345, "****"},
        NumberCase{"NotFinite", "##0.0", 1.0 / 0.0, "*****"}),
    [](const ::testing::TestParamInfo<NumberCase> &i) { return std::string(i.param.name); });

struct TextCase {
    const char *name;
    const char *templ;  // UTF-8, converted to Shift_JIS
    QStringList texts;
    const char *expected;
};

class TextFieldTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextFieldTest, FillsFieldInBytes) {
    const TextCase &c = GetParam();
    const QByteArray templ = Sjis(QString::fromUtf8(c.templ));
    const QByteArray out = FillTemplate(templ, {}, c.texts);
    EXPECT_EQ(out.size(), templ.size()) << "a value never changes the length of the line";
    EXPECT_EQ(Text(out), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextFieldTest,
    ::testing::Values(
        TextCase{"EmptyTextIsSpaces", "[&    &]", {""}, "[      ]"},
        TextCase{"MissingTextIsSpaces", "[&>   &]", {}, "[      ]"},
        TextCase{"LeftAligned", "[&    &]", {"AB"}, "[AB    ]"},
        TextCase{"RightAligned", "[&>   &]", {"AB"}, "[    AB]"},
        TextCase{"OverLongLeftKeepsLeading", "[&    &]", {"ABCDEFGH"}, "[ABCDEF]"},
        TextCase{"OverLongRightKeepsLeading", "[&>   &]", {"ABCDEFGH"}, "[ABCDEF]"},
        TextCase{"FullWidthRightPaddedInBytes", "[&>   &]", {"最大"}, "[  最大]"},
        TextCase{"FullWidthLeftKeepsAll", "[&    &]", {"最大"}, "[最大  ]"},
        TextCase{"FullWidthMarkLeft", "[&    &]", {"  最大"}, "[  最大]"},
        TextCase{"FullWidthFitsExactly", "[&>   &]", {"あいう"}, "[あいう]"},
        TextCase{"FullWidthCutOnCharacter", "[&   &]", {"あいう"}, "[あい ]"},
        TextCase{"FullWidthRightCutOnCharacter", "[&>  &]", {"あいうえ"}, "[あい ]"},
        TextCase{"FullWidthRightLongerThanFieldKeepsLeading", "[&> &]", {"あいうえお"}, "[あい]"},
        TextCase{"MixedWidthCut", "[&  &]", {"Aあい"}, "[Aあ ]"},
        TextCase{"TwoByteField", "[&&]", {"05"}, "[05]"},
        TextCase{"ZeroPaddedTime", "[&>&:&&]", {"001", "05"}, "[001:05]"},
        TextCase{"BangBeforeAmpersandIsText", "[!x &  &]", {"AB"}, "[!x AB  ]"},
        TextCase{"BangFieldWhenNoAmpersand", "[a!b]", {"Z"}, "[aZb]"},
        TextCase{"BangAfterAmpersandField", "[&  &!]", {"AB", "Z"}, "[AB  Z]"},
        TextCase{"UnclosedAmpersandIsText", "[& x]", {"AB"}, "[& x]"}),
    [](const ::testing::TestParamInfo<TextCase> &i) { return std::string(i.param.name); });

TEST(TemplateFill, NumbersAndTextsGoToTheirOwnFieldsInOrder) {
    const QByteArray templ = Sjis(QStringLiteral("│#0│&>&:&&│##0.000│&    &"));
    const QByteArray out = FillTemplate(templ, {7, 1.5}, {"001", "05", "  最大"});
    EXPECT_EQ(Text(out), QStringLiteral("│ 7│001:05│  1.500│  最大"));
}

TEST(TemplateFill, YenMarkerInsideADoubleByteCharacterIsText) {
    // 表 is 0x95 0x5C in Shift_JIS: its second byte is the "\" of a yen
    // field, but it belongs to the character.
    const QByteArray templ = Sjis(QStringLiteral("表##0"));
    ASSERT_EQ(templ.at(1), '\\');
    EXPECT_EQ(Text(FillTemplate(templ, {5}, {})), QStringLiteral("表  5"));
}

TEST(TemplateFill, PictureWithoutHashIsText) {
    // A field starts at "#": a bare "0.000" is part of the wording.
    EXPECT_EQ(FillTemplate("0.000", {5}, {}).toStdString(), "0.000");
}

TEST(TemplateFill, FieldWithoutValueIsBlanked) {
    EXPECT_EQ(FillTemplate("a=##0.0 b=##0.0", {1}, {}).toStdString(), "a=  1.0 b=     ");
}

TEST(TemplateFill, TextFieldsAreFoundInTheTemplateNotInTheFilledNumbers) {
    // A number written first cannot create or hide a text field.
    const QByteArray out = FillTemplate("##0 &  &", {5}, {"AB"});
    EXPECT_EQ(out.toStdString(), "  5 AB  ");
}

TEST(ShiftJisWidth, FullWidthCountsTwoHalfWidthKanaOne) {
    EXPECT_EQ(ShiftJisWidth(QStringLiteral("ｈ－Ｖ")), 6);
    EXPECT_EQ(ShiftJisWidth(QStringLiteral("ﾌｧｲﾙ")), 4);
    EXPECT_EQ(ShiftJisWidth(QStringLiteral("m3/s")), 4);
}

}  // namespace
}  // namespace wyndlor
