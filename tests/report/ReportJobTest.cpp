// The whole report: numbering settings, the section files in order, joining
// them as the print button does, the failure messages, and the report of
// each example project against its reviewed golden file.
#include "core/AppPaths.h"
#include "core/CPrivateProfile.h"
#include "core/ProjectFile.h"
#include "core/Messages.h"
#include "report/ReportJob.h"
#include "tests/support/SampleProjects.h"
#include "tests/report/ReportTestUtil.h"
#include "calc/CalcDriver.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace wyndlor {
namespace {

// A small pond: two sub-catchments, Talbot formula, 24 hours of rain at a
// 10-minute step (144 waveform rows, 216 routing rows), weir spillway.
ProjectData MakeProject() {
    ProjectData d = test::TestPond();
    d.ConditionsData(slot::Volume) = SlotValue::Double(15000);
    d.ConditionsData(slot::Qfix) = SlotValue::Double(0.5);
    d.CatchmentTable(1, 1) = SlotValue::String("上流域");
    d.CatchmentTable(1, 2) = SlotValue::String("下流域");
    return d;
}

// Numbered headings: chapters 1., sections 1-1, items 1); margins 0, 2, 4.
void WriteNumberingSettings(const QString &ini) {
    const QString s = QStringLiteral("Chapter");
    const std::pair<const char *, const char *> keys[] = {{"Method", "2"}, {"Style1", "1"}, {"Style2", "1"},
                                                          {"Style3", "3"}, {"Style4", "2"}, {"Margin1", "0"},
                                                          {"Margin2", "2"}, {"Margin3", "4"}, {"Margin4", "6"}};
    for (const auto &[k, v] : keys) CPrivateProfile::SetValueString(ini, s, QString::fromLatin1(k), QString::fromLatin1(v));
}

// Column width of a print-file line as printed: the heading markers are
// read by the previewer and take no room.
int PrintedWidth(QByteArray line) {
    line.replace("?R1", "").replace("?R2", "");
    line.replace("\f", "");
    return static_cast<int>(line.size());
}

void ExpectPrintable(const QByteArray &report) {
    int pageNo = 0;
    for (const auto &page : test::Pages(report)) {
        ++pageNo;
        EXPECT_LE(page.size(), 76u) << "page " << pageNo;
        for (const QByteArray &l : page) {
            EXPECT_LE(PrintedWidth(l), 80) << "page " << pageNo << ": " << test::Text(l).toStdString();
            EXPECT_EQ(test::Sjis(test::Text(l)), l) << "line is valid Shift_JIS";
        }
    }
}

class ReportJobTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ini = dir.filePath(QStringLiteral("Wyndlor.INI"));
        data = MakeProject();
        ASSERT_TRUE(CalcAll(data, results)) << static_cast<int>(results.FailedStep);
    }
    void TearDown() override { RemovePrintFiles(writer); }
    QTemporaryDir dir;
    QString ini;
    ProjectData data;
    CalcResults results;
    PrintWriter writer;
};

TEST_F(ReportJobTest, PrepareReportWritesThreeSectionsAndAnEmptyJoinedFile) {
    WriteNumberingSettings(ini);
    EXPECT_EQ(PrepareReport(writer, test::RunOf(data, results), test::FormatFile(), ini), QString());
    ASSERT_EQ(writer.PrintFileList.size(), 4);
    EXPECT_EQ(writer.PrintFilePath, writer.PrintFileList[3]);
    EXPECT_TRUE(test::ReadBytes(writer.PrintFileList[3]).isEmpty());
    const char *firstHeadings[] = {"?R11. 計算条件", "?R12. 設計洪水流量の計算", "?R13. 設計洪水位の計算"};
    for (int i = 0; i < 3; ++i) {
        const QStringList lines = test::Lines(test::ReadBytes(writer.PrintFileList[i]));
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines.first(), QString::fromUtf8(firstHeadings[i])) << "headings run on across sections";
    }
    EXPECT_EQ(writer.NumberingMethod, 2);
    EXPECT_EQ(writer.HeadingMargins[3], 4);
    EXPECT_EQ(writer.HeadingStyles[5], 0);
}

TEST_F(ReportJobTest, WithoutSettingsHeadingsAreUnnumbered) {
    EXPECT_EQ(PrepareReport(writer, test::RunOf(data, results), test::FormatFile(), ini), QString());
    const QStringList lines = test::Lines(test::ReadBytes(writer.PrintFileList[0]));
    EXPECT_EQ(lines.first(), QStringLiteral("?R1計算条件"));
}

TEST_F(ReportJobTest, JoiningOnlyTheThirdSectionHasNoLeadingPageBreak) {
    ASSERT_EQ(PrepareReport(writer, test::RunOf(data, results), test::FormatFile(), ini), QString());
    ASSERT_TRUE(JoinReport(writer, {false, false, true}));
    const QByteArray joined = test::ReadBytes(writer.PrintFilePath);
    EXPECT_EQ(joined, test::ReadBytes(writer.PrintFileList[2]));
    EXPECT_FALSE(joined.startsWith('\f'));
}

TEST_F(ReportJobTest, TwoSectionsAreSeparatedByExactlyOneFormFeed) {
    ASSERT_EQ(PrepareReport(writer, test::RunOf(data, results), test::FormatFile(), ini), QString());
    ASSERT_TRUE(JoinReport(writer, {true, false, true}));
    const QByteArray first = test::ReadBytes(writer.PrintFileList[0]);
    const QByteArray third = test::ReadBytes(writer.PrintFileList[2]);
    const QByteArray joined = test::ReadBytes(writer.PrintFilePath);
    EXPECT_EQ(joined, first + "\f" + third);
    // Pressing the button again gives the same file.
    ASSERT_TRUE(JoinReport(writer, {true, false, true}));
    EXPECT_EQ(test::ReadBytes(writer.PrintFilePath), joined);
}

TEST_F(ReportJobTest, NothingTickedJoinsNothing) {
    ASSERT_EQ(PrepareReport(writer, test::RunOf(data, results), test::FormatFile(), ini), QString());
    EXPECT_FALSE(JoinReport(writer, {false, false, false}));
}

TEST_F(ReportJobTest, FailedSectionIsNamedAndTheOthersStayUsable) {
    QByteArray fmt = test::ReadBytes(test::FormatFile());
    fmt.replace(test::Sjis(QStringLiteral("設計洪水流量_tp")), "GONE");
    const QString broken = dir.filePath(QStringLiteral("broken.FMT"));
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(fmt);
    f.close();
    EXPECT_EQ(PrepareReport(writer, test::RunOf(data, results), broken, ini),
              QStringLiteral("\n･『設計洪水量の計算』の印刷ﾌｧｲﾙ生成ｴﾗｰ\n　") +
                  msg::FormatSectionMissing(QStringLiteral("設計洪水流量_tp"), broken));
    ASSERT_EQ(writer.PrintFileList.size(), 4);
    EXPECT_FALSE(test::ReadBytes(writer.PrintFileList[2]).isEmpty());
}

TEST_F(ReportJobTest, MissingCalculationFailsEverySection) {
    const CalcResults none;
    const QString why = QStringLiteral("\n　") + msg::ReportNotCalculated();
    EXPECT_EQ(PrepareReport(writer, test::RunOf(data, none), test::FormatFile(), ini),
              QStringLiteral("\n") + msg::SectionFailureMessage(0) + why + QStringLiteral("\n") +
                  msg::SectionFailureMessage(1) + why + QStringLiteral("\n") + msg::SectionFailureMessage(2) + why);
}

TEST_F(ReportJobTest, FullReportFitsThePrintedPage) {
    WriteNumberingSettings(ini);
    const QString out = dir.filePath(QStringLiteral("report.prn"));
    QString message;
    ASSERT_TRUE(WriteFullReport(out, test::RunOf(data, results), test::FormatFile(), ini, message)) << message.toStdString();
    const QByteArray report = test::ReadBytes(out);
    EXPECT_EQ(report.count('\f') >= 2, true);
    ExpectPrintable(report);
}

TEST_F(ReportJobTest, FullReportFailureGivesTheSectionMessages) {
    QString message;
    const QString out = dir.filePath(QStringLiteral("report.prn"));
    const QString fmt = dir.filePath(QStringLiteral("none.FMT"));
    EXPECT_FALSE(WriteFullReport(out, test::RunOf(data, results), fmt, ini, message));
    const QString why = QStringLiteral("\n　") + msg::FormatFileUnreadable(fmt);
    EXPECT_EQ(message, msg::SectionFailureMessage(0) + why + QStringLiteral("\n") + msg::SectionFailureMessage(1) +
                           why + QStringLiteral("\n") + msg::SectionFailureMessage(2) + why);
}

TEST_F(ReportJobTest, OwnNumberingWinsOverTheShippedDefault) {
    EXPECT_EQ(NumberingSettingsFile(ini), DefaultSettingsFileName());
    WriteNumberingSettings(ini);
    EXPECT_EQ(NumberingSettingsFile(ini), ini);
}

TEST_F(ReportJobTest, InitialNumberStartsTheFirstChapter) {
    WriteNumberingSettings(ini);
    CPrivateProfile::SetValueString(ini, QStringLiteral("Chapter"), QStringLiteral("Init"), QStringLiteral("3"));
    ASSERT_EQ(PrepareReport(writer, test::RunOf(data, results), test::FormatFile(), ini), QString());
    EXPECT_EQ(test::Lines(test::ReadBytes(writer.PrintFileList[2])).first(), QStringLiteral("?R15. 設計洪水位の計算"));
}

// The largest project the dialogs accept, at the deepest margins the
// numbering dialog allows: every section prints, nothing is cut, no line
// passes the sheet.
TEST_F(ReportJobTest, MaximalProjectPrintsWholeAtMarginsOfTen) {
    const ProjectData maximal = test::MaximalProject();
    CalcResults res;
    ASSERT_TRUE(CalcAll(maximal, res));
    ASSERT_EQ(res.objQo->Qo().Count(), 1026);
    WriteNumberingSettings(ini);
    for (const char *key : {"Margin1", "Margin2", "Margin3", "Margin4"})
        CPrivateProfile::SetValueString(ini, QStringLiteral("Chapter"), QString::fromLatin1(key), QStringLiteral("10"));
    const QString out = dir.filePath(QStringLiteral("maximal.prn"));
    QString message;
    ASSERT_TRUE(WriteFullReport(out, test::RunOf(maximal, res), test::FormatFile(), ini, message)) << message.toStdString();
    const QByteArray report = test::ReadBytes(out);
    ExpectPrintable(report);
    const QString text = test::Text(report);
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("│ \\d{3}:\\d{2} │"))), 1026);
    for (int32_t i = 1; i <= 10; ++i) EXPECT_TRUE(text.contains(QString::fromStdString(test::MaximalName(i)))) << i;
}

// Numbers from the settings file are held within what the numbering dialog
// offers: the report of a damaged file equals the report of the nearest
// valid settings (a margin of 2147483647 once wrote a gigabyte of spaces
// per heading).
TEST_F(ReportJobTest, OutOfRangeNumberingSettingsAreBoundedWhereRead) {
    const QString s = QStringLiteral("Chapter");
    const QString valid = dir.filePath(QStringLiteral("valid.ini"));
    for (const auto &[k, v] : {std::pair{"Method", "0"}, {"Style1", "0"}, {"Margin1", "10"}, {"Margin2", "0"}})
        CPrivateProfile::SetValueString(valid, s, QString::fromLatin1(k), QString::fromLatin1(v));
    for (const auto &[k, v] : {std::pair{"Method", "4"}, {"Style1", "-1"}, {"Margin1", "2147483647"}, {"Margin2", "-2147483648"}})
        CPrivateProfile::SetValueString(ini, s, QString::fromLatin1(k), QString::fromLatin1(v));
    QString message;
    const QString expected = dir.filePath(QStringLiteral("expected.prn"));
    const QString out = dir.filePath(QStringLiteral("report.prn"));
    ASSERT_TRUE(WriteFullReport(expected, test::RunOf(data, results), test::FormatFile(), valid, message));
    ASSERT_TRUE(WriteFullReport(out, test::RunOf(data, results), test::FormatFile(), ini, message));
    EXPECT_EQ(test::ReadBytes(out), test::ReadBytes(expected));
}

TEST(PrintFiles, AHundredAreAllowedTheHundredAndFirstIsRefused) {
    PrintWriter writer;
    for (int i = 1; i <= kMaxPrintFiles; ++i) ASSERT_FALSE(writer.NewPrintFile().isEmpty()) << "file " << i;
    EXPECT_TRUE(writer.NewPrintFile().isEmpty());
    EXPECT_EQ(writer.PrintFileList.size(), kMaxPrintFiles);
    const QString first = writer.PrintFileList.first();
    RemovePrintFiles(writer);
    EXPECT_FALSE(QFile::exists(first));
}

// ---------------------------------------------------------------- examples

class ExampleReportTest : public ::testing::TestWithParam<const char *> {};

TEST_P(ExampleReportTest, MatchesReviewedGoldenFile) {
    const QString name = QString::fromLatin1(GetParam());
    const QString project = QStringLiteral(WYNDLOR_EXAMPLES_DIR "/%1.wyd").arg(name);
    const QString golden = QStringLiteral(WYNDLOR_GOLDEN_DIR "/%1.prn").arg(name);
    ASSERT_TRUE(QFile::exists(project)) << "shipped example missing: " << project.toStdString();
    ProjectData data;
    InitProjectData(data);
    const OpenResult opened = OpenProjectFile(project, data);
    ASSERT_EQ(opened.outcome, OpenOutcome::Ok) << opened.code;
    CalcResults results;
    ASSERT_TRUE(CalcAll(data, results));
    // Printed as the program prints it, with the accuracy check: it adds its
    // note only where it warns.
    const AccuracyCheck check = CheckAccuracy(data, results);
    ASSERT_TRUE(check.ok);
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Wyndlor.INI"));
    WriteNumberingSettings(ini);
    const QString out = dir.filePath(QStringLiteral("report.prn"));
    QString message;
    ASSERT_TRUE(WriteFullReport(out, test::RunOf(data, results, &check), test::FormatFile(), ini, message))
        << message.toStdString();
    const QByteArray report = test::ReadBytes(out);
    ExpectPrintable(report);
    if (qEnvironmentVariableIsSet("WYNDLOR_UPDATE_GOLDEN")) {
        QFile f(golden);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(report);
        GTEST_SKIP() << "golden file rewritten: " << golden.toStdString();
    }
    const QByteArray expected = test::ReadBytes(golden);
    ASSERT_FALSE(expected.isEmpty()) << "no golden file " << golden.toStdString();
    const QStringList got = test::Lines(report), want = test::Lines(expected);
    ASSERT_EQ(got.size(), want.size());
    for (int i = 0; i < got.size(); ++i) ASSERT_EQ(got[i], want[i]) << "line " << i + 1;
    EXPECT_EQ(report, expected) << "byte for byte";
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleReportTest,
                         ::testing::Values("nishitani-ike", "osawa-ike", "yamanaka-ike"),
                         [](const ::testing::TestParamInfo<const char *> &i) {
                             std::string n = i.param;
                             for (char &c : n)
                                 if (c == '-') c = '_';
                             return n;
                         });

}  // namespace
}  // namespace wyndlor
