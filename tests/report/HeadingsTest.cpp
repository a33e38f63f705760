// Heading numbers: the ten counter styles with their wrap-around, the four
// ways of composing a number, and the line head with marker and margin.
#include "tests/report/ReportTestUtil.h"
#include "report/PrintWriter.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace wyndlor {
namespace {

struct CounterCase {
    const char *name;
    int32_t style;
    int32_t counter;
    const char *expected;  // UTF-8
    int32_t counterAfter;
};

class HeadingCounterTest : public ::testing::TestWithParam<CounterCase> {};

TEST_P(HeadingCounterTest, FormatsAndWraps) {
    const CounterCase &c = GetParam();
    int32_t counter = c.counter;
    EXPECT_EQ(FormatHeadingCounter(c.style, counter), QString::fromUtf8(c.expected));
    EXPECT_EQ(counter, c.counterAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, HeadingCounterTest,
    ::testing::Values(CounterCase{"NoneStyle", 0, 5, "", 5},
                      CounterCase{"ZeroCounter", 1, 0, "", 0},
                      CounterCase{"NegativeCounter", 2, -1, "", -1},
                      CounterCase{"Number", 1, 12, "12", 12},
                      CounterCase{"NumberLargest", 1, 99, "99", 99},
                      CounterCase{"NumberWraps", 1, 100, "1", 1},
                      CounterCase{"Parenthesised", 2, 3, "(3)", 3},
                      CounterCase{"ParenthesisedWraps", 2, 100, "(1)", 1},
                      CounterCase{"ClosingParenthesis", 3, 7, "7)", 7},
                      CounterCase{"Letter", 4, 1, "(a)", 1},
                      CounterCase{"LetterLast", 4, 26, "(z)", 26},
                      CounterCase{"LetterWraps", 4, 27, "(a)", 1},
                      CounterCase{"LetterClosing", 5, 2, "b)", 2},
                      CounterCase{"LetterClosingWraps", 5, 27, "a)", 1},
                      CounterCase{"Roman", 6, 4, "(iv)", 4},
                      CounterCase{"RomanNine", 6, 9, "(ix)", 9},
                      CounterCase{"RomanWraps", 6, 11, "(i)", 1},
                      CounterCase{"RomanClosing", 7, 10, "x)", 10},
                      CounterCase{"Circled", 8, 1, "①", 1},
                      CounterCase{"CircledLast", 8, 20, "⑳", 20},
                      CounterCase{"CircledWraps", 8, 21, "①", 1},
                      CounterCase{"Bullet", 9, 5, "･", 5},
                      CounterCase{"BulletNeverWraps", 9, 150, "･", 150}),
    [](const ::testing::TestParamInfo<CounterCase> &i) { return std::string(i.param.name); });

TEST(HeadingCounterBytes, CircledNumberAndBulletHaveTheirShiftJisForms) {
    // The print file is Shift_JIS: the circled numbers are the Windows code
    // page's row 13, the bullet the half-width katakana middle dot.
    int32_t one = 1, bullet = 1;
    EXPECT_EQ(test::Sjis(FormatHeadingCounter(8, one)), QByteArray("\x87\x40"));
    EXPECT_EQ(test::Sjis(FormatHeadingCounter(9, bullet)), QByteArray("\xA5"));
}

class HeadingNumberTest : public ::testing::Test {
protected:
    void SetUp() override {
        w.HeadingStyles = {0, 1, 1, 3, 2, 0};
    }
    PrintWriter w;
};

TEST_F(HeadingNumberTest, MethodNoneGivesNoNumberButFollowsTheLevel) {
    w.NumberingMethod = 0;
    EXPECT_EQ(w.NextHeadingNumber(2), QString());
    EXPECT_EQ(w.HeadingLevel, 2);
}

TEST_F(HeadingNumberTest, MethodOwnNumberOnly) {
    w.NumberingMethod = 1;
    EXPECT_EQ(w.NextHeadingNumber(1), QStringLiteral("1 "));
    EXPECT_EQ(w.NextHeadingNumber(2), QStringLiteral("1 "));
    EXPECT_EQ(w.NextHeadingNumber(2), QStringLiteral("2 "));
    EXPECT_EQ(w.NextHeadingNumber(3), QStringLiteral("1) "));
    EXPECT_EQ(w.NextHeadingNumber(1), QStringLiteral("2 "));
    EXPECT_EQ(w.NextHeadingNumber(2), QStringLiteral("1 ")) << "a chapter restarts its sections";
}

TEST_F(HeadingNumberTest, MethodJoinedWithHyphen) {
    w.NumberingMethod = 2;
    EXPECT_EQ(w.NextHeadingNumber(1), QStringLiteral("1. "));
    EXPECT_EQ(w.NextHeadingNumber(2), QStringLiteral("1-1 "));
    EXPECT_EQ(w.NextHeadingNumber(3), QStringLiteral("1) "));
    EXPECT_EQ(w.NextHeadingNumber(3), QStringLiteral("2) "));
    EXPECT_EQ(w.NextHeadingNumber(2), QStringLiteral("1-2 "));
    EXPECT_EQ(w.NextHeadingNumber(3), QStringLiteral("1) ")) << "items restart under a new section";
    EXPECT_EQ(w.NextHeadingNumber(4), QStringLiteral("(1) "));
    EXPECT_EQ(w.NextHeadingNumber(1), QStringLiteral("2. "));
}

TEST_F(HeadingNumberTest, MethodJoinedWithPoint) {
    w.NumberingMethod = 3;
    EXPECT_EQ(w.NextHeadingNumber(1), QStringLiteral("1. "));
    EXPECT_EQ(w.NextHeadingNumber(2), QStringLiteral("1.1 "));
    EXPECT_EQ(w.NextHeadingNumber(2), QStringLiteral("1.2 "));
}

TEST_F(HeadingNumberTest, SectionBeforeAnyChapterHasAnEmptyFirstPart) {
    w.NumberingMethod = 2;
    EXPECT_EQ(w.NextHeadingNumber(2), QStringLiteral("-1 "));
}

TEST_F(HeadingNumberTest, HundredthChapterIsOneAgain) {
    w.NumberingMethod = 1;
    QString last;
    for (int i = 0; i < 100; ++i) last = w.NextHeadingNumber(1);
    EXPECT_EQ(last, QStringLiteral("1 "));
    EXPECT_EQ(w.HeadingCounters[1], 1);
}

TEST_F(HeadingNumberTest, TwentySeventhLetterIsAAgain) {
    w.NumberingMethod = 1;
    w.HeadingStyles[2] = 4;
    QString last;
    for (int i = 0; i < 27; ++i) last = w.NextHeadingNumber(2);
    EXPECT_EQ(last, QStringLiteral("(a) "));
}

// The head of each line: margin, marker and number of a heading; the body
// text two columns deeper than the last heading.
class LineHeadTest : public ::testing::Test {
protected:
    void SetUp() override {
        buffer.open(QIODevice::WriteOnly);
        w.Attach(&buffer);
        w.HeadingStyles = {0, 1, 1, 3, 0, 0};
        w.HeadingMargins = {0, 0, 2, 4, 6, 0};
    }
    QStringList Written() { return test::Lines(buffer.data()); }
    void Write(int32_t style, const char *text) { w.PrintLine({style, test::Sjis(QString::fromUtf8(text))}); }
    QBuffer buffer;
    PrintWriter w;
};

TEST_F(LineHeadTest, NumberedHeadingsCarryMarkersAndMargins) {
    w.NumberingMethod = 2;
    Write(1, "計算条件");
    Write(2, "ため池諸元");
    Write(0, "本文");
    Write(3, "地方定数");
    Write(0, "本文");
    EXPECT_EQ(Written(), (QStringList{"?R11. 計算条件", "  ?R21-1 ため池諸元", "    本文", "    1) 地方定数",
                                      "      本文"}));
    EXPECT_EQ(w.LineCount, 5);
}

TEST_F(LineHeadTest, WithoutNumbersMarkersAndMarginsStay) {
    w.NumberingMethod = 0;
    Write(1, "A");
    Write(2, "B");
    Write(3, "C");
    EXPECT_EQ(Written(), (QStringList{"?R1A", "  ?R2B", "    C"}));
}

TEST_F(LineHeadTest, MarginsSetBeyondTheirRangeStayWithinIt) {
    // The writer's own guard, whatever was put into its margins: no
    // overflow of margin + 2 and no gigabyte of spaces.
    w.HeadingMargins = {0, INT32_MAX, INT32_MIN, 0, 0, 0};
    Write(1, "A");
    Write(0, "B");
    Write(2, "C");
    EXPECT_EQ(Written(), (QStringList{"          ?R1A", "            B", "?R2C"}));
}

TEST_F(LineHeadTest, WithoutNumbersBodyTextKeepsTheLevelOneIndent) {
    // Unnumbered headings do not move the level: the body text below a
    // level-3 heading is indented as under level 1, and no counter runs.
    w.NumberingMethod = 0;
    Write(1, "A");
    Write(3, "C");
    Write(0, "D");
    EXPECT_EQ(Written(), (QStringList{"?R1A", "    C", "  D"}));
    EXPECT_EQ(w.HeadingLevel, 1);
    EXPECT_EQ(w.HeadingCounters[1], 0);
}

TEST_F(LineHeadTest, BodyTextBeforeAnyHeadingIsIndentedFromLevelOne) {
    w.HeadingMargins[1] = 3;
    Write(0, "X");
    EXPECT_EQ(Written(), QStringList{"     X"});
}

}  // namespace
}  // namespace wyndlor
