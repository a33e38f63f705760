#include "core/CPrivateProfile.h"
#include "tests/core/TestFiles.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace wyndlor {
namespace {

using testfiles::ReadBytes;
using testfiles::Sjis;
using testfiles::SjisLines;
using testfiles::WriteBytes;

class PrivateProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ini_ = dir_.filePath(QStringLiteral("Wyndlor.INI"));
    }
    QTemporaryDir dir_;
    QString ini_;
};

TEST_F(PrivateProfileTest, MissingFileReadsAsZeroAndEmpty) {
    EXPECT_EQ(CPrivateProfile::GetValueLong(ini_, QStringLiteral("MenuMain"), QStringLiteral("Top")), 0);
    EXPECT_EQ(CPrivateProfile::GetValueString(ini_, QStringLiteral("FileName"), QStringLiteral("FileName1")),
              QString());
    EXPECT_FALSE(QFile::exists(ini_));
}

TEST_F(PrivateProfileTest, WritingOneKeyKeepsEveryOtherLine) {
    const QStringList before{QStringLiteral("; 設定ファイル"), QStringLiteral("[MenuMain]"),
                             QStringLiteral("Top=1200"), QStringLiteral("Left = 900 "), QStringLiteral(""),
                             QStringLiteral("[Other]"), QStringLiteral("anything goes here"),
                             QStringLiteral("Key=値")};
    ASSERT_TRUE(WriteBytes(ini_, SjisLines(before)));
    ASSERT_TRUE(CPrivateProfile::SetValueString(ini_, QStringLiteral("menumain"), QStringLiteral("TOP"),
                                                QStringLiteral("3000")));
    QStringList after = before;
    after[2] = QStringLiteral("TOP=3000");
    EXPECT_EQ(ReadBytes(ini_), SjisLines(after));

    // A new key goes to the end of its section's content, before the blank
    // line that separates the sections.
    ASSERT_TRUE(CPrivateProfile::SetValueString(ini_, QStringLiteral("MenuMain"), QStringLiteral("Width"),
                                                QStringLiteral("5")));
    after.insert(4, QStringLiteral("Width=5"));
    EXPECT_EQ(ReadBytes(ini_), SjisLines(after));

    // A new section is appended.
    ASSERT_TRUE(CPrivateProfile::SetValueString(ini_, QStringLiteral("GraphQi"), QStringLiteral("Left"),
                                                QStringLiteral("-1")));
    after << QStringLiteral("[GraphQi]") << QStringLiteral("Left=-1");
    EXPECT_EQ(ReadBytes(ini_), SjisLines(after));
    EXPECT_EQ(CPrivateProfile::GetValueLong(ini_, QStringLiteral("graphqi"), QStringLiteral("LEFT")), -1);
}

TEST_F(PrivateProfileTest, ReadsKeysWhateverTheirCaseAndSpacing) {
    ASSERT_TRUE(WriteBytes(ini_, SjisLines({QStringLiteral("[MENUMAIN]"), QStringLiteral("  top = 1500  "),
                                            QStringLiteral("left=\"quoted\""), QStringLiteral("[Chapter]"),
                                            QStringLiteral("Top=7")})));
    EXPECT_EQ(CPrivateProfile::GetValueLong(ini_, QStringLiteral("MenuMain"), QStringLiteral("Top")), 1500);
    EXPECT_EQ(CPrivateProfile::GetValueString(ini_, QStringLiteral("menumain"), QStringLiteral("LEFT")),
              QStringLiteral("quoted"));
    EXPECT_EQ(CPrivateProfile::GetValueLong(ini_, QStringLiteral("chapter"), QStringLiteral("top")), 7);
    EXPECT_EQ(CPrivateProfile::GetValueString(ini_, QStringLiteral("Chapter"), QStringLiteral("Left")), QString());
}

struct LongRow {
    const char *name;
    const char *value;
    int32_t expected;
};

class GetValueLongTest : public ::testing::TestWithParam<LongRow> {};

TEST_P(GetValueLongTest, TakesTheIntegerTheValueBeginsWith) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("x.ini"));
    ASSERT_TRUE(WriteBytes(ini, SjisLines({QStringLiteral("[S]"),
                                           QStringLiteral("K=") + QString::fromUtf8(GetParam().value)})));
    EXPECT_EQ(CPrivateProfile::GetValueLong(ini, QStringLiteral("S"), QStringLiteral("K")), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, GetValueLongTest,
    ::testing::Values(LongRow{"Plain", "1234", 1234}, LongRow{"Negative", "-56", -56},
                      LongRow{"DigitsThenText", "12px", 12}, LongRow{"Fraction", "3.9", 3},
                      LongRow{"Text", "abc", 0}, LongRow{"Empty", "", 0},
                      LongRow{"Largest", "2147483647", 2147483647},
                      LongRow{"Beyond32Bits", "99999999999999999999", 0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(PrivateProfileTest, ShiftJisAndLongValuesComeBackWhole) {
    const QString path = QStringLiteral("/home/山田/ため池/") + QString(300, QLatin1Char('x')) + QStringLiteral(".wyd");
    ASSERT_TRUE(CPrivateProfile::SetValueString(ini_, QStringLiteral("FileName"), QStringLiteral("FileName1"), path));
    EXPECT_EQ(ReadIniString(QStringLiteral("FileName"), QStringLiteral("FileName1"), ini_), path);
    EXPECT_TRUE(ReadBytes(ini_).contains(Sjis(QStringLiteral("FileName1=/home/山田/ため池/"))));
    ASSERT_TRUE(CPrivateProfile::SetValueString(ini_, QStringLiteral("FileName"), QStringLiteral("FileName2"), QString()));
    EXPECT_EQ(ReadIniString(QStringLiteral("FileName"), QStringLiteral("FileName2"), ini_), QString());
}

TEST_F(PrivateProfileTest, RefusesWhatTheLineFormatCannotHold) {
    const QByteArray before = SjisLines({QStringLiteral("[S]"), QStringLiteral("K=1")});
    ASSERT_TRUE(WriteBytes(ini_, before));
    EXPECT_FALSE(CPrivateProfile::SetValueString(ini_, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("a\r\nb")));
    EXPECT_FALSE(CPrivateProfile::SetValueString(ini_, QStringLiteral("S"), QStringLiteral("K=2"), QStringLiteral("x")));
    EXPECT_FALSE(CPrivateProfile::SetValueString(ini_, QStringLiteral("S]"), QStringLiteral("K"), QStringLiteral("x")));
    EXPECT_FALSE(CPrivateProfile::SetValueString(ini_, QStringLiteral("S"), QStringLiteral("K"),
                                                 QStringLiteral("/home/josé/a.wyd")));
    EXPECT_EQ(ReadBytes(ini_), before);
}

TEST_F(PrivateProfileTest, CreatesTheFolderOfANewSettingsFile) {
    const QString nested = dir_.filePath(QStringLiteral("config/Tarnvale/Wyndlor.INI"));
    ASSERT_TRUE(CPrivateProfile::SetValueString(nested, QStringLiteral("MenuRO"), QStringLiteral("Top"),
                                                QStringLiteral("10")));
    EXPECT_EQ(ReadBytes(nested), QByteArray("[MenuRO]\r\nTop=10\r\n"));
}

}  // namespace
}  // namespace wyndlor
