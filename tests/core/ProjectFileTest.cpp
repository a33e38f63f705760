#include "core/ProjectFile.h"
#include "core/SystemHelpers.h"
#include "tests/core/TestFiles.h"
#include "tests/support/FileSystemFaults.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <functional>
#include <limits>
#include <unistd.h>

namespace wyndlor {
namespace {

using testfiles::ReadBytes;
using testfiles::Sjis;
using testfiles::SjisLines;
using testfiles::WriteBytes;

const QString kBanner = QStringLiteral("TARNVALE INPUT FILE FORMAT V1：");
const QString kProduct = QStringLiteral("PRODUCT NAME                   [Ostrevin]");

QString VersionLine(const QString &v) {
    return QStringLiteral("INPUT FILE VERSION             [%1]").arg(v);
}

QStringList Blank(int n) {
    QStringList l;
    for (int i = 0; i < n; ++i) l << QString();
    return l;
}

// The parts of a hand-written project file, so that each version's fixture
// is the same project laid out as that version had it.
QStringList Header(const QString &version) {
    return {kBanner + QStringLiteral("山中ため池"), kProduct, VersionLine(version)};
}
QStringList ConditionsBlock() {
    return QStringList{QStringLiteral("#TRUE#"), QStringLiteral("\"山中ため池, 第2工区\""),
                       QStringLiteral("12000"), QStringLiteral("120.5"), QStringLiteral("8500"),
                       QStringLiteral("20"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("0"),
                       QStringLiteral("0"), QStringLiteral("5000"), QStringLiteral("40"), QStringLiteral(".5"),
                       QStringLiteral("12"), QStringLiteral("0")} +
           Blank(6);
}
QStringList HVCBlock(const QString &count = QStringLiteral(" 2 ")) {
    return QStringList{QStringLiteral("#TRUE#"), QStringLiteral("1"), QStringLiteral("120.5")} + Blank(8) +
           QStringList{count, QStringLiteral("120.5"), QStringLiteral("8500"), QStringLiteral("121.5"),
                       QStringLiteral("9000")};
}
QStringList CatchmentBlock(const QString &count = QStringLiteral(" 2 ")) {
    return QStringList{QStringLiteral("#TRUE#"), count,
                       QStringLiteral("\"上流\""), QStringLiteral("0.2"), QStringLiteral("0.7"), QStringLiteral("290"),
                       QStringLiteral("\"\""), QStringLiteral("0.15"), QStringLiteral("0.6"), QStringLiteral("290"),
                       QStringLiteral("0.35"), QStringLiteral("0.657"), QStringLiteral("290")} +
           Blank(7);
}
QStringList Section140Block() {
    return QStringList{QStringLiteral("#TRUE#"), QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"),
                       QStringLiteral("3"), QStringLiteral("1.8")} +
           Blank(5);
}
QStringList OldSectionBlock() {
    return QStringList{QStringLiteral("#TRUE#"), QStringLiteral("3.5"), QStringLiteral("1.8"),
                       QStringLiteral("99"), QStringLiteral("98")} +
           Blank(6);
}
QStringList DeltaTBlock() { return QStringList{QStringLiteral("#TRUE#"), QStringLiteral("10")} + Blank(9); }

QStringList File140() {
    return Header(QStringLiteral("1.40")) + ConditionsBlock() + HVCBlock() + CatchmentBlock() + Section140Block() +
           DeltaTBlock();
}
QStringList File120(const QString &v = QStringLiteral("1.20")) {
    return Header(v) + ConditionsBlock() + HVCBlock() + CatchmentBlock() + OldSectionBlock() + DeltaTBlock();
}
QStringList File100() {
    return Header(QStringLiteral("1.00")) + ConditionsBlock() + CatchmentBlock() + OldSectionBlock() +
           DeltaTBlock();
}

// A data set with something in it, to see that failures really reset it.
ProjectData NonEmptyData() {
    ProjectData d;
    d.HasConditions = true;
    d.ConditionsData(slot::Title) = SlotValue::String("earlier project");
    d.HVCCount = 1;
    d.HVCTable(1, 1) = SlotValue::Double(3);
    return d;
}

std::string U8(const char *s) { return std::string(s); }

class ProjectFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString Path(const QString &name) const { return dir_.filePath(name); }
    QString Write(const QString &name, const QStringList &lines) {
        const QString p = Path(name);
        EXPECT_TRUE(WriteBytes(p, SjisLines(lines)));
        return p;
    }
    QTemporaryDir dir_;
};

// ---- reading each version ----

TEST_F(ProjectFileTest, Version140ReadsEveryGroup) {
    const QString p = Write(QStringLiteral("a.wyd"), File140());
    ProjectData d = NonEmptyData();
    int32_t code = 0;
    ASSERT_TRUE(LoadProjectFile(p, d, code));
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(d.HasConditions && d.HasHVC && d.HasCatchment && d.HasSection && d.HasDeltaT);
    EXPECT_EQ(d.ConditionsData(slot::Title), SlotValue::String(U8("山中ため池, 第2工区")));
    EXPECT_EQ(d.ConditionsData(slot::Volume).kind(), SlotValue::Kind::Int32);
    EXPECT_EQ(d.ConditionsData(slot::Volume), SlotValue::Int32(12000));
    EXPECT_EQ(d.ConditionsData(slot::FWL).kind(), SlotValue::Kind::Double);
    EXPECT_EQ(d.ConditionsData(slot::FWL), SlotValue::Double(120.5));
    EXPECT_EQ(d.ConditionsData(slot::Siki), SlotValue::Int32(1));
    EXPECT_EQ(d.ConditionsData(slot::Time), SlotValue::Int32(0));
    EXPECT_EQ(d.ConditionsData(slot::ConstN), SlotValue::Double(0.5));
    EXPECT_TRUE(d.ConditionsData(15).IsEmpty());
    EXPECT_TRUE(d.ConditionsData(20).IsEmpty());
    EXPECT_EQ(d.HVCData(slot::HVCMethod), SlotValue::Int32(1));
    ASSERT_EQ(d.HVCCount, 2);
    EXPECT_EQ(d.HVCTable(1, 2), SlotValue::Double(121.5));
    EXPECT_EQ(d.HVCTable(2, 2), SlotValue::Int32(9000));
    ASSERT_EQ(d.CatchmentCount, 2);
    EXPECT_EQ(d.CatchmentTable(1, 1), SlotValue::String(U8("上流")));
    EXPECT_EQ(d.CatchmentTable(1, 2), SlotValue::String(""));
    EXPECT_EQ(d.CatchmentTable(2, 2), SlotValue::Double(0.15));
    EXPECT_TRUE(d.CatchmentTable(1, 3).IsEmpty());
    EXPECT_EQ(d.CatchmentSummary(slot::SumFp), SlotValue::Double(0.657));
    EXPECT_EQ(d.SectionData(slot::SectType), SlotValue::Int32(1));
    EXPECT_EQ(d.SectionData(slot::SectB), SlotValue::Int32(3));
    EXPECT_EQ(d.SectionData(slot::SectCd), SlotValue::Double(1.8));
    EXPECT_EQ(d.DeltaTData(slot::DeltaT), SlotValue::Int32(10));
}

TEST_F(ProjectFileTest, Version120ConvertsTheOldWeirRecord) {
    for (const QString &v : {QStringLiteral("1.20"), QStringLiteral("1.10")}) {
        const QString p = Write(QStringLiteral("old.wyd"), File120(v));
        ProjectData d;
        const OpenResult r = OpenProjectFile(p, d);
        ASSERT_EQ(r.outcome, OpenOutcome::Ok) << v.toStdString();
        EXPECT_EQ(r.version, v);
        EXPECT_EQ(d.HVCCount, 2);
        EXPECT_EQ(d.SectionData(slot::SectType).kind(), SlotValue::Kind::Int16);
        EXPECT_EQ(d.SectionData(slot::SectType), SlotValue::Int16(1));
        EXPECT_EQ(d.SectionData(slot::SectB1), SlotValue::Int16(0));
        EXPECT_EQ(d.SectionData(slot::SectC1), SlotValue::Int16(0));
        EXPECT_EQ(d.SectionData(slot::SectB), SlotValue::Double(3.5));
        EXPECT_EQ(d.SectionData(slot::SectCd), SlotValue::Double(1.8));
        for (int i = 6; i <= 10; ++i) EXPECT_TRUE(d.SectionData(i).IsEmpty()) << i;
        EXPECT_EQ(d.DeltaTData(slot::DeltaT), SlotValue::Int32(10));
    }
}

TEST_F(ProjectFileTest, Version100BuildsTheHVCBlockFromFwlAndArea) {
    const QString p = Write(QStringLiteral("v100.WYD"), File100());
    ProjectData d;
    const OpenResult r = OpenProjectFile(p, d);
    ASSERT_EQ(r.outcome, OpenOutcome::Ok);
    EXPECT_TRUE(d.HasHVC);
    EXPECT_EQ(d.HVCData(slot::HVCMethod).kind(), SlotValue::Kind::Int16);
    EXPECT_EQ(d.HVCData(slot::HVCMethod), SlotValue::Int16(0));
    EXPECT_EQ(d.HVCData(slot::HVCStartLevel).kind(), SlotValue::Kind::Double);
    EXPECT_EQ(d.HVCData(slot::HVCStartLevel), SlotValue::Double(120.5));
    ASSERT_EQ(d.HVCCount, 2);
    EXPECT_EQ(d.HVCTable(1, 1), SlotValue::Double(120.5));
    EXPECT_EQ(d.HVCTable(2, 1), SlotValue::Double(8500));
    EXPECT_EQ(d.HVCTable(1, 2), SlotValue::Double(121.5));
    EXPECT_EQ(d.HVCTable(2, 2), SlotValue::Double(8500));
    EXPECT_EQ(d.CatchmentCount, 2);
    EXPECT_EQ(d.SectionData(slot::SectType), SlotValue::Int16(1));
    EXPECT_EQ(d.SectionData(slot::SectB), SlotValue::Double(3.5));
    EXPECT_EQ(d.SectionData(slot::SectCd), SlotValue::Double(1.8));
}

TEST_F(ProjectFileTest, Version100WithTextForFwlFailsAsTypeMismatch) {
    QStringList l = File100();
    l[3 + 1 + 2] = QStringLiteral("\"high\"");  // ConditionsData 3
    const QString p = Write(QStringLiteral("bad100.wyd"), l);
    ProjectData d = NonEmptyData();
    int32_t code = 0;
    EXPECT_FALSE(LoadProjectFile100(p, d, code));
    EXPECT_EQ(code, err::TypeMismatch);
    EXPECT_EQ(d, ProjectData());
}

TEST_F(ProjectFileTest, WriteFieldNotation) {
    // Several fields on one line, blanks around them, a quoted text with a
    // comma and junk after its closing quote, LF-only line ends.
    QStringList l = File140();
    QByteArray bytes = SjisLines(l);
    bytes.replace(Sjis(QStringLiteral("\r\n12000\r\n120.5\r\n")),
                  Sjis(QStringLiteral("\n  12000 ,\t120.5 \n")));
    const QString p = Path(QStringLiteral("fields.wyd"));
    ASSERT_TRUE(WriteBytes(p, bytes));
    ProjectData d;
    int32_t code = 0;
    ASSERT_TRUE(LoadProjectFile(p, d, code)) << code;
    EXPECT_EQ(d.ConditionsData(slot::Volume), SlotValue::Int32(12000));
    EXPECT_EQ(d.ConditionsData(slot::FWL), SlotValue::Double(120.5));
    EXPECT_EQ(d.ConditionsData(slot::Area), SlotValue::Int32(8500));
}

TEST_F(ProjectFileTest, CountOfZeroOrLessReadsNoRows) {
    for (const QString &count : {QStringLiteral(" 0 "), QStringLiteral("-3"), QString()}) {
        QStringList l = Header(QStringLiteral("1.40")) + ConditionsBlock() +
                        QStringList{QStringLiteral("#TRUE#")} + Blank(10) + QStringList{count} +
                        CatchmentBlock() + Section140Block() + DeltaTBlock();
        const QString p = Write(QStringLiteral("zero.wyd"), l);
        ProjectData d;
        int32_t code = 0;
        ASSERT_TRUE(LoadProjectFile(p, d, code)) << count.toStdString();
        EXPECT_EQ(d.HVCCount, 0);
        EXPECT_EQ(d.CatchmentCount, 2);
    }
}

TEST(ReadFileVersion, TakesLineThreeFromColumn33WithoutTheBracket) {
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("v.wyd"));
    ASSERT_TRUE(WriteBytes(p, SjisLines(File140())));
    EXPECT_EQ(ReadFileVersion(p), QStringLiteral("1.40"));
    ASSERT_TRUE(WriteBytes(p, SjisLines({kBanner, kProduct})));
    EXPECT_EQ(ReadFileVersion(p), QStringLiteral("error"));
    ASSERT_TRUE(WriteBytes(p, SjisLines({kBanner, kProduct, QStringLiteral("INPUT FILE VERSION [1.40]")})));
    EXPECT_EQ(ReadFileVersion(p), QStringLiteral("error"));
    EXPECT_EQ(ReadFileVersion(dir.filePath(QStringLiteral("missing.wyd"))), QStringLiteral("error"));
}

// ---- failures: each gives its number and a reset data set ----

struct FailureRow {
    const char *name;
    std::function<QByteArray()> bytes;
    int32_t code;
};

QByteArray Replace140Line(int index, const QString &text) {
    QStringList l = File140();
    l[index] = text;
    return SjisLines(l);
}
// Index of the HVC count line and the catchment count line in File140().
constexpr int kHVCCountLine = 3 + 21 + 11;
constexpr int kCatchCountLine = kHVCCountLine + 1 + 4 + 1;
constexpr int kVolumeLine = 3 + 1 + 1;

class ReadFailureTest : public ::testing::TestWithParam<FailureRow> {};

TEST_P(ReadFailureTest, FailsWithItsNumberAndResetsTheData) {
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("f.wyd"));
    ASSERT_TRUE(WriteBytes(p, GetParam().bytes()));
    ProjectData d = NonEmptyData();
    int32_t code = 0;
    EXPECT_FALSE(LoadProjectFile(p, d, code));
    EXPECT_EQ(code, GetParam().code);
    EXPECT_EQ(d, ProjectData());
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadFailureTest,
    ::testing::Values(
        FailureRow{"CutAfterCatchmentBlock",
                   [] {
                       return SjisLines(Header(QStringLiteral("1.40")) + ConditionsBlock() + HVCBlock() +
                                        CatchmentBlock());
                   },
                   err::PastEndOfFile},
        FailureRow{"EmptyFile", [] { return QByteArray(); }, err::PastEndOfFile},
        FailureRow{"HeaderOnly", [] { return SjisLines(Header(QStringLiteral("1.40"))); }, err::PastEndOfFile},
        FailureRow{"UnclosedQuote",
                   [] {
                       QByteArray b = SjisLines(File140());
                       return b.left(b.indexOf("\"") + 5);
                   },
                   err::PastEndOfFile},
        FailureRow{"CountAboveTen", [] { return Replace140Line(kHVCCountLine, QStringLiteral(" 11 ")); },
                   err::Subscript},
        FailureRow{"CountOfTwoThousandMillion",
                   [] { return Replace140Line(kCatchCountLine, QStringLiteral(" 2000000000 ")); }, err::Subscript},
        FailureRow{"CountBeyond32Bits", [] { return Replace140Line(kHVCCountLine, QStringLiteral("9999999999")); },
                   err::Overflow},
        FailureRow{"CountBeyondDoubleRange", [] { return Replace140Line(kHVCCountLine, QStringLiteral("1e999")); },
                   err::Overflow},
        FailureRow{"TextInCount", [] { return Replace140Line(kHVCCountLine, QStringLiteral("two")); },
                   err::TypeMismatch},
        FailureRow{"QuotedTextInCount", [] { return Replace140Line(kCatchCountLine, QStringLiteral("\"two\"")); },
                   err::TypeMismatch},
        FailureRow{"NumberBeyondDoubleRange", [] { return Replace140Line(kVolumeLine, QStringLiteral("1e999")); },
                   err::Overflow},
        FailureRow{"UnquotedTextInSlot", [] { return Replace140Line(kVolumeLine, QStringLiteral("lots")); },
                   err::TypeMismatch},
        FailureRow{"WordInFlag", [] { return Replace140Line(3, QStringLiteral("#MAYBE#")); }, err::TypeMismatch},
        FailureRow{"BrokenShiftJisInText",
                   [] {
                       QByteArray b = SjisLines(File140());
                       const qsizetype q = b.indexOf('"');
                       b.insert(q + 1, QByteArray("\x81\x7f\xa0", 3));
                       return b;
                   },
                   err::TypeMismatch},
        FailureRow{"BinaryJunk",
                   [] {
                       QByteArray b;
                       for (int i = 0; i < 4096; ++i) b.append(char((i * 37 + 11) & 0xff));
                       return b;
                   },
                   err::TypeMismatch},
        FailureRow{"LargerThanAnyProject",
                   [] { return SjisLines(File140()) + QByteArray(5 * 1024 * 1024, ' '); }, err::FileTooLarge}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ProjectFileTest, MissingFileIsFileNotFoundForEveryReader) {
    const QString p = Path(QStringLiteral("missing.wyd"));
    using Reader = bool (*)(const QString &, ProjectData &, int32_t &);
    for (Reader read : {Reader(LoadProjectFile), Reader(LoadProjectFile120), Reader(LoadProjectFile100)}) {
        ProjectData d = NonEmptyData();
        int32_t code = 0;
        EXPECT_FALSE(read(p, d, code));
        EXPECT_EQ(code, err::FileNotFound);
        EXPECT_EQ(d, ProjectData());
    }
}

TEST_F(ProjectFileTest, SuccessLeavesTheCallersCodeAlone) {
    const QString p = Write(QStringLiteral("ok.wyd"), File140());
    ProjectData d;
    int32_t code = 1234;
    ASSERT_TRUE(LoadProjectFile(p, d, code));
    EXPECT_EQ(code, 1234);
}

// ---- the Open command's file-type check and reader choice ----

TEST_F(ProjectFileTest, OpenRefusesOtherExtensionsWithoutReading) {
    const QString p = Write(QStringLiteral("project.txt"), File140());
    ProjectData d = NonEmptyData();
    const OpenResult r = OpenProjectFile(p, d);
    EXPECT_EQ(r.outcome, OpenOutcome::WrongType);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(d, NonEmptyData());
    EXPECT_EQ(OpenProjectFile(QStringLiteral("yd"), d).outcome, OpenOutcome::WrongType);
}

TEST_F(ProjectFileTest, OpenAcceptsUpperCaseExtension) {
    const QString p = Write(QStringLiteral("PROJECT.WYD"), File140());
    ProjectData d;
    const OpenResult r = OpenProjectFile(p, d);
    EXPECT_EQ(r.outcome, OpenOutcome::Ok);
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(d.HasDeltaT);
}

TEST_F(ProjectFileTest, OpenNamesAnUnsupportedVersionAndKeepsTheData) {
    QStringList l = File140();
    l[2] = VersionLine(QStringLiteral("1.30"));
    const QString p = Write(QStringLiteral("v130.wyd"), l);
    ProjectData d = NonEmptyData();
    const OpenResult r = OpenProjectFile(p, d);
    EXPECT_EQ(r.outcome, OpenOutcome::UnsupportedVersion);
    EXPECT_EQ(r.version, QStringLiteral("1.30"));
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(d, NonEmptyData());
}

TEST_F(ProjectFileTest, OpenOfAVanishedFileReportsFileNotFoundAndKeepsTheData) {
    ProjectData d = NonEmptyData();
    const OpenResult r = OpenProjectFile(Path(QStringLiteral("gone.wyd")), d);
    EXPECT_EQ(r.outcome, OpenOutcome::ReadFailed);
    EXPECT_EQ(r.code, err::FileNotFound);
    EXPECT_EQ(d, NonEmptyData());
}

TEST_F(ProjectFileTest, OpenOfADamagedFileResetsTheData) {
    const QString p = Write(QStringLiteral("cut.wyd"), Header(QStringLiteral("1.40")) + ConditionsBlock());
    ProjectData d = NonEmptyData();
    const OpenResult r = OpenProjectFile(p, d);
    EXPECT_EQ(r.outcome, OpenOutcome::ReadFailed);
    EXPECT_EQ(r.code, err::PastEndOfFile);
    EXPECT_EQ(d, ProjectData());
}

// ---- writing ----

TEST_F(ProjectFileTest, NewProjectIs70LinesWithTheBannerAlone) {
    const QString p = Path(QStringLiteral("new.wyd"));
    int32_t code = 0;
    ASSERT_TRUE(SaveProjectFile(p, ProjectData(), code));
    EXPECT_EQ(code, 0);
    const QStringList expected = QStringList{kBanner, kProduct, VersionLine(QStringLiteral("1.40")),
                                             QStringLiteral("#FALSE#")} +
                                 Blank(20) + QStringList{QStringLiteral("#FALSE#")} + Blank(10) +
                                 QStringList{QStringLiteral(" 0 "), QStringLiteral("#FALSE#"), QStringLiteral(" 0 ")} +
                                 Blank(10) + QStringList{QStringLiteral("#FALSE#")} + Blank(10) +
                                 QStringList{QStringLiteral("#FALSE#")} + Blank(10);
    ASSERT_EQ(expected.size(), 70);
    const QByteArray bytes = ReadBytes(p);
    EXPECT_EQ(bytes, SjisLines(expected));
    EXPECT_EQ(bytes.count("\r\n"), 70);
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
}

TEST_F(ProjectFileTest, BannerCarriesTheTitleUnquoted) {
    ProjectData d;
    d.ConditionsData(slot::Title) = SlotValue::String(U8("大池"));
    const QString p = Path(QStringLiteral("t.wyd"));
    int32_t code = 0;
    ASSERT_TRUE(SaveProjectFile(p, d, code));
    const QByteArray bytes = ReadBytes(p);
    EXPECT_TRUE(bytes.startsWith(Sjis(kBanner + QStringLiteral("大池\r\n"))));
    EXPECT_TRUE(bytes.contains(Sjis(QStringLiteral("\r\n#FALSE#\r\n\"大池\"\r\n"))));
}

ProjectData EveryKind() {
    ProjectData d;
    d.HasConditions = d.HasHVC = d.HasCatchment = d.HasSection = d.HasDeltaT = true;
    d.ConditionsData(slot::Title) = SlotValue::String(U8("山中ため池, 第2工区 ①"));
    d.ConditionsData(slot::Volume) = SlotValue::Double(12345.678);
    d.ConditionsData(slot::FWL) = SlotValue::Double(-0.1);
    d.ConditionsData(slot::Area) = SlotValue::Double(1.0 / 3.0);
    d.ConditionsData(slot::Yoyuu) = SlotValue::Int16(20);
    d.ConditionsData(slot::Qfix) = SlotValue::Double(1e-7);
    d.ConditionsData(slot::Siki) = SlotValue::Int32(2);
    d.ConditionsData(slot::Time) = SlotValue::Int32(-2147483647 - 1);
    d.ConditionsData(slot::ConstA) = SlotValue::Double(2.5e20);
    d.ConditionsData(slot::ConstB) = SlotValue::String("0.75");  // numeric text stays text
    d.HVCData(slot::HVCMethod) = SlotValue::Int16(1);
    d.HVCData(slot::HVCStartLevel) = SlotValue::Double(100.25);
    d.HVCCount = 10;
    for (int i = 1; i <= 10; ++i) {
        d.HVCTable(1, i) = SlotValue::Double(100 + 0.3 * i);
        d.HVCTable(2, i) = SlotValue::Double(1000.0 * i * i + 0.5);
    }
    d.CatchmentCount = 10;
    for (int i = 1; i <= 10; ++i) {
        d.CatchmentTable(1, i) = SlotValue::String(i % 2 ? U8("流域") + std::to_string(i) : std::string());
        d.CatchmentTable(2, i) = SlotValue::Double(0.01 * i);
        d.CatchmentTable(3, i) = SlotValue::Double(0.6 + 0.01 * i);
        d.CatchmentTable(4, i) = SlotValue::Int32(290);
    }
    d.CatchmentSummary(slot::SumArea) = SlotValue::Double(0.55);
    d.SectionData(slot::SectType) = SlotValue::Int32(0);
    d.SectionData(slot::SectC1) = SlotValue::Double(0.95);
    d.DeltaTData(slot::DeltaT) = SlotValue::Int32(10);
    return d;
}

TEST_F(ProjectFileTest, SaveAndReadGiveBackEverySlot) {
    const ProjectData d = EveryKind();
    const QString p = Path(QStringLiteral("round.wyd"));
    int32_t code = 0;
    ASSERT_TRUE(SaveProjectFile(p, d, code)) << code;
    ProjectData back;
    const OpenResult r = OpenProjectFile(p, back);
    ASSERT_EQ(r.outcome, OpenOutcome::Ok) << r.code;
    EXPECT_EQ(back, d);
    // Equality of slots ignores the integer width; the kinds that matter
    // to the reader are checked one by one.
    EXPECT_EQ(back.ConditionsData(slot::Title).kind(), SlotValue::Kind::String);
    EXPECT_EQ(back.ConditionsData(slot::ConstB).kind(), SlotValue::Kind::String);
    EXPECT_EQ(back.ConditionsData(slot::Volume).kind(), SlotValue::Kind::Double);
    EXPECT_EQ(back.ConditionsData(slot::Yoyuu).kind(), SlotValue::Kind::Int32);
    EXPECT_TRUE(back.ConditionsData(slot::ConstN).IsEmpty());
    EXPECT_EQ(back.CatchmentTable(1, 2), SlotValue::String(""));
    // Saving what was read gives the same bytes.
    const QString p2 = Path(QStringLiteral("round2.wyd"));
    ASSERT_TRUE(SaveProjectFile(p2, back, code));
    EXPECT_EQ(ReadBytes(p2), ReadBytes(p));
}

TEST_F(ProjectFileTest, NumbersAreWrittenPlainAndShort) {
    ProjectData d;
    d.ConditionsData(slot::Volume) = SlotValue::Double(0.5);
    d.ConditionsData(slot::FWL) = SlotValue::Double(120.0);
    d.ConditionsData(slot::Area) = SlotValue::Int16(-7);
    const QString p = Path(QStringLiteral("n.wyd"));
    int32_t code = 0;
    ASSERT_TRUE(SaveProjectFile(p, d, code));
    EXPECT_TRUE(ReadBytes(p).contains("#FALSE#\r\n\r\n0.5\r\n120\r\n-7\r\n\r\n"));
}

struct RefusalRow {
    const char *name;
    std::function<void(ProjectData &)> spoil;
    int32_t code;
};

class RefusedSaveTest : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(RefusedSaveTest, WritesNothingAndKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("keep.wyd"));
    const QByteArray old = SjisLines(File140());
    ASSERT_TRUE(WriteBytes(p, old));
    ProjectData d = EveryKind();
    GetParam().spoil(d);
    int32_t code = 0;
    EXPECT_FALSE(SaveProjectFile(p, d, code));
    EXPECT_EQ(code, GetParam().code);
    EXPECT_EQ(ReadBytes(p), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.wyd")});
}

INSTANTIATE_TEST_SUITE_P(
    Data, RefusedSaveTest,
    ::testing::Values(
        RefusalRow{"QuoteInTitle",
                   [](ProjectData &d) { d.ConditionsData(slot::Title) = SlotValue::String("the \"big\" pond"); },
                   err::InvalidCall},
        RefusalRow{"QuoteInSubCatchmentName",
                   [](ProjectData &d) { d.CatchmentTable(1, 10) = SlotValue::String("a\"b"); }, err::InvalidCall},
        RefusalRow{"Emoji", [](ProjectData &d) { d.ConditionsData(slot::Title) = SlotValue::String(U8("池😀")); },
                   err::InvalidCall},
        RefusalRow{"AccentedLetter",
                   [](ProjectData &d) { d.CatchmentTable(1, 1) = SlotValue::String(U8("é")); }, err::InvalidCall},
        RefusalRow{"WaveDashOutsideShiftJis",
                   [](ProjectData &d) { d.ConditionsData(slot::Title) = SlotValue::String(U8("1〜2")); },
                   err::InvalidCall},
        RefusalRow{"NotANumber",
                   [](ProjectData &d) { d.HVCTable(1, 1) = SlotValue::Double(std::nan("")); }, err::Overflow},
        RefusalRow{"Infinity",
                   [](ProjectData &d) {
                       d.DeltaTData(1) = SlotValue::Double(std::numeric_limits<double>::infinity());
                   },
                   err::Overflow},
        RefusalRow{"CountBeyondTable", [](ProjectData &d) { d.CatchmentCount = 11; }, err::Subscript}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ProjectFileTest, SaveIntoAMissingFolderFailsWithACode) {
    int32_t code = 0;
    EXPECT_FALSE(SaveProjectFile(Path(QStringLiteral("no/such/folder/x.wyd")), ProjectData(), code));
    EXPECT_NE(code, 0);
    code = 0;
    EXPECT_FALSE(SaveProjectFile(dir_.path(), ProjectData(), code));
    EXPECT_NE(code, 0);
}

// Permission denied is 70 wherever a file is opened or written.  As root
// the checks run as the unprivileged user nobody.
TEST_F(ProjectFileTest, PermissionDeniedIs70ForOpenAndSave) {
    test::OpenToEveryone(dir_);
    const QString sub = Path(QStringLiteral("ro"));
    ASSERT_TRUE(QDir().mkdir(sub));
    QFile::setPermissions(sub, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                   QFileDevice::ExeOther);
    const QString locked = Write(QStringLiteral("locked.wyd"), File140());
    QFile::setPermissions(locked, QFileDevice::WriteOwner);  // nobody may read it
    const QString readOnly = Write(QStringLiteral("readonly.wyd"), File140());
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadOther);
    const QByteArray before = ReadBytes(readOnly);

    const std::pair<const char *, std::function<int()>> cases[] = {
        {"save into a read-only folder",
         [&] {
             int32_t code = 0;
             return SaveProjectFile(sub + QStringLiteral("/x.wyd"), ProjectData(), code) ? 0 : code;
         }},
        {"save onto a read-only file",
         [&] {
             int32_t code = 0;
             return SaveProjectFile(readOnly, ProjectData(), code) ? 0 : code;
         }},
        {"open an unreadable file",
         [&] {
             ProjectData d;
             return OpenProjectFile(locked, d).code;
         }},
    };
    for (const auto &[name, body] : cases) EXPECT_EQ(test::AsUnprivilegedUser(body), err::PermissionDenied) << name;
    EXPECT_EQ(ReadBytes(readOnly), before);
    EXPECT_EQ(QDir(sub).entryList(QDir::Files | QDir::Hidden), QStringList());
    QFile::setPermissions(sub, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(ProjectData, InitResetsEverythingToTheStatedSizes) {
    ProjectData d = NonEmptyData();
    d.CatchmentCount = 4;
    EXPECT_TRUE(InitProjectData(d));
    EXPECT_EQ(d, ProjectData());
    EXPECT_EQ(d.ConditionsData.Size(), 20);
    EXPECT_EQ(d.DeltaTData.Size(), 10);
    EXPECT_EQ(d.HVCTable.Columns(), 2);
    EXPECT_EQ(d.CatchmentTable.Columns(), 4);
    EXPECT_EQ(d.CatchmentTable.Rows(), 10);
    EXPECT_EQ(d.CatchmentCount, 0);
    EXPECT_FALSE(d.HasConditions);
}

TEST(ProjectData, CellOutsideTheTableIsRefusedNotAliased) {
    ProjectData d;
    EXPECT_THROW(d.HVCTable(3, 1), std::out_of_range);
    EXPECT_THROW(d.CatchmentTable(1, 11), std::out_of_range);
    EXPECT_THROW(d.ConditionsData(21), std::out_of_range);
    EXPECT_THROW(d.ConditionsData(0), std::out_of_range);
}

}  // namespace
}  // namespace wyndlor
