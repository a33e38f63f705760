// The three report sections written from hand-made values with the shipped
// format file: which template lines appear, with which values, and where
// the pages break.
#include "tests/report/ReportTestUtil.h"
#include "report/ConditionsReport.h"
#include "report/DischargeReport.h"
#include "report/WaterLevelReport.h"
#include "core/Messages.h"
#include "tests/support/SampleProjects.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace wyndlor {
namespace {

ConditionsValues Conditions() {
    ConditionsValues v;
    v.Title = QStringLiteral("試験ため池");
    v.V = 15000;
    v.FWL = 100;
    v.A = 20000;
    v.Margin = 20;
    v.Qfix = 0.5;
    v.HVCMethod = 0;
    v.ELS = 100;
    v.HV = {{100, 0, 0, 0}, {101, 1, 20000, 20000}};
    v.Siki = 0;
    v.a = 5000;
    v.b = 40;
    v.FpItems = {{"上流域", 1.5, 0.7, 1.05}, {"下流域", 0.5, 0.9, 0.45}};
    v.CItems = {{"上流域", 1.5, 290, 435}, {"下流域", 0.5, 190, 95}};
    v.FpGNV = 1.5;
    v.CGNV = 530;
    v.AreaSum = 2;
    v.FpAve = 0.75;
    v.CAve = 265;
    v.Area = 2;
    v.Fp = 0.75;
    v.C = 265;
    v.SectType = 1;
    v.SectB = 5;
    v.SectCd = 1.8;
    return v;
}

DischargeValues Discharge(int waveformRows) {
    DischargeValues v;
    v.Margin = 20;
    v.MarginFactor = 1.2;
    v.Siki = 0;
    v.a = 5000;
    v.b = 40;
    v.Tp = {{10, 100, 70, 76.4}, {76.4, 42.955, 30.068, 102.6}, {102.6, 35.063, 24.544, 102.6}};
    v.tp = 102.6;
    v.DeltaT = 60;
    for (int k = 1; k <= 4; ++k) v.Rainfall.push_back({60 * k, 50.0 / k, 50.0, k == 1 ? 50.0 : 0.0});
    for (int j = 0; j < waveformRows; ++j) v.Waveform.push_back({60 * (j + 1), j, 0, j + 1, 0, 1.0 + j});
    v.Hydrograph = {{60, 1.0, 0.4167, 1.0}, {120, 50.0, 20.8333, 25.5}};
    v.Q1 = 25.5;
    return v;
}

WaterLevelValues WaterLevel(int rows, int peak) {
    WaterLevelValues v;
    v.FWL = 100;
    v.Q1 = 5.308;
    for (int i = 0; i < rows; ++i) {
        const int t = 10 * i;
        v.Routing.push_back({t, t / 60, t % 60, 1.0, 0.1 * i, 100 + 0.01 * i, 0.01 * i, 100.0 * i});
    }
    v.PeakRow = peak;
    v.Q2 = 2.637;
    v.Hmax = 0.441;
    v.DesignFloodLevel = 100.441;
    return v;
}

class SectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        w.PrintFilePath = dir.filePath(QStringLiteral("section.prn"));
        ASSERT_TRUE(CanWriteFile(w.PrintFilePath));
    }
    QByteArray Bytes() { return test::ReadBytes(w.PrintFilePath); }
    QStringList Lines() { return test::Lines(Bytes()); }
    QString All() { return Lines().join('\n'); }
    int CountLines(const QString &start) {
        int n = 0;
        for (const QString &l : Lines()) n += l.trimmed().startsWith(start);
        return n;
    }
    // A copy of the shipped format file with one section renamed away.
    QString FormatWithout(const QString &section) {
        QByteArray fmt = test::ReadBytes(test::FormatFile());
        fmt.replace("\r\n" + test::Sjis(section) + "\r\n", "\r\nGONE\r\n");
        const QString path = dir.filePath(QStringLiteral("broken.FMT"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(fmt);
        return path;
    }
    QTemporaryDir dir;
    PrintWriter w;
};

// ---------------------------------------------------------------- 計算条件

TEST_F(SectionTest, ConditionsWriteTitleValuesAndUnits) {
    ASSERT_TRUE(WriteConditionsReport(w, test::FormatFile(), Conditions()));
    const QString all = All();
    EXPECT_TRUE(all.contains(QStringLiteral("件　　名　：　試験ため池")));
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("常時満水位\\s+ＦＷＬ\\s+＝\\s+\\+100\\.000 ｍ"))));
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("貯水量\\s+Ｖ\\s+＝\\s+15,000 ｍ３"))));
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("ｂ\\s+＝\\s+40\\.000"))));
}

TEST_F(SectionTest, ConditionsWithoutSubCatchmentsWriteTheSummaryForm) {
    ConditionsValues v = Conditions();
    v.FpItems.clear();
    v.CItems.clear();
    ASSERT_TRUE(WriteConditionsReport(w, test::FormatFile(), v));
    const QString all = All();
    EXPECT_TRUE(all.contains(QStringLiteral("流域面積は次のとおりとする。")));
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("ｆｐ\\s+＝\\s+0\\.750"))));
    EXPECT_FALSE(all.contains(QStringLiteral("流域区分")));
}

TEST_F(SectionTest, ConditionsWithSubCatchmentsWriteTheTableAndTotals) {
    ASSERT_TRUE(WriteConditionsReport(w, test::FormatFile(), Conditions()));
    const QString all = All();
    EXPECT_TRUE(all.contains(QStringLiteral("流域区分")));
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("│ 上流域\\s+│\\s+1\\.5000 │\\s+0\\.700 │\\s+1\\.0500 │"))));
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("合　計\\s+│\\s+2\\.0000 │\\s+│\\s+1\\.5000 │\\s+│\\s+530\\.000 │"))));
    EXPECT_FALSE(all.contains(QStringLiteral("流域面積は次のとおりとする。")));
}

TEST_F(SectionTest, LongestTitleAndNamesComeOutWhole) {
    ConditionsValues v = Conditions();
    v.Title = QString::fromStdString(test::MaximalTitle());
    v.FpItems.clear();
    for (int32_t i = 1; i <= 3; ++i) v.FpItems.push_back({test::MaximalName(i), 0.35, 0.7, 0.245});
    v.CItems = v.FpItems;
    ASSERT_TRUE(WriteConditionsReport(w, test::FormatFile(), v));
    QString all = All();
    for (const clsAveItem &f : v.FpItems) EXPECT_TRUE(all.contains(QString::fromStdString(f.Title))) << f.Title;
    all.remove(u' ').remove(u'\n').remove(u'\r').remove(QChar(0x3000));
    EXPECT_TRUE(all.contains(v.Title));
}

TEST_F(SectionTest, AdoptedValuesApartFromTheAveragesPrintBoth) {
    ConditionsValues v = Conditions();
    ASSERT_TRUE(WriteConditionsReport(w, test::FormatFile(), v));
    EXPECT_FALSE(All().contains(QStringLiteral("採用値"))) << "adopted values equal to the table's";
    v.Area = 2.5;
    v.Fp = 0.8;
    ASSERT_TRUE(CanWriteFile(w.PrintFilePath));
    ASSERT_TRUE(WriteConditionsReport(w, test::FormatFile(), v));
    const QString all = All();
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("合　計\\s+│\\s+2\\.0000 │"))));
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("ｆｐ ＝ Σ（Ａ×ｆｐ）／Ａ ＝\\s+0\\.750"))));
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("採用値\\s+ｆｐ\\s+＝\\s+0\\.800"))));
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("採用値\\s+Ａ\\s+＝\\s+2\\.5000 ｋｍ２"))));
    EXPECT_FALSE(all.contains(QRegularExpression(QStringLiteral("採用値\\s+Ｃ"))));
}

TEST_F(SectionTest, CatchmentSubsectionStartsOnANewPage) {
    ASSERT_TRUE(WriteConditionsReport(w, test::FormatFile(), Conditions()));
    for (const QString &l : Lines()) {
        if (l.contains(QStringLiteral("流域面積等"))) {
            EXPECT_TRUE(l.startsWith('\f')) << l.toStdString();
        }
    }
}

struct HVCase {
    const char *name;
    int32_t method;
    int rows;
};
class HVRowsTest : public SectionTest, public ::testing::WithParamInterface<HVCase> {};

TEST_P(HVRowsTest, SeparatorBetweenRowsOnly) {
    ConditionsValues v = Conditions();
    v.FpItems.clear();
    v.CItems.clear();  // keep the only ruled table that of the h-V rows
    v.HVCMethod = GetParam().method;
    v.HV.clear();
    for (int i = 0; i < GetParam().rows; ++i) v.HV.push_back({100.0 + i, double(i), 1000.0 * (i + 1), 500.0 * i});
    ASSERT_TRUE(WriteConditionsReport(w, test::FormatFile(), v));
    // One rule under the header, then one between each two rows.
    EXPECT_EQ(CountLines(QStringLiteral("├")), 1 + GetParam().rows - 1);
    EXPECT_EQ(CountLines(QStringLiteral("└")), 1);
    // Rows are numbered from 1 through a number field.
    const QString all = All();
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("│\\s+1 │"))));
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("│\\s+%1 │").arg(GetParam().rows))));
    EXPECT_FALSE(all.contains(QRegularExpression(QStringLiteral("│\\s+%1 │").arg(GetParam().rows + 1))));
}

INSTANTIATE_TEST_SUITE_P(Rows, HVRowsTest,
                         ::testing::Values(HVCase{"ConstantAreaOneRow", 0, 1}, HVCase{"ConstantAreaTwoRows", 0, 2},
                                           HVCase{"FrustumOneRow", 1, 1}, HVCase{"FrustumTenRows", 1, 10},
                                           HVCase{"FrustumTwentyRows", 1, 20}),
                         [](const ::testing::TestParamInfo<HVCase> &i) { return std::string(i.param.name); });

TEST_F(SectionTest, FrustumMethodWritesStartingLevelAndAreas) {
    ConditionsValues v = Conditions();
    v.HVCMethod = 1;
    v.ELS = 98.5;
    v.HV = {{98, 0, 1000, 0}, {99, 1, 5000, 2745}};
    ASSERT_TRUE(WriteConditionsReport(w, test::FormatFile(), v));
    const QString all = All();
    EXPECT_TRUE(all.contains(QStringLiteral("截頭角錐体")));
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("出発水位\\s+ＷＬ\\s+＝\\s+\\+98\\.500 ｍ"))));
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("\\+99\\.000 │\\s+1\\.000 │\\s+5,000\\.0 │\\s+2,745 │"))));
}

TEST_F(SectionTest, SectionTypeChoosesTheTemplate) {
    ConditionsValues v = Conditions();
    v.SectType = 0;
    v.SectB = 2.5;
    v.SectCd = 1.0;
    ASSERT_TRUE(WriteConditionsReport(w, test::FormatFile(), v));
    EXPECT_TRUE(All().contains(QStringLiteral("水路流入式（堰無し）とする。")));
    EXPECT_TRUE(All().contains(QStringLiteral("1.704・Ｃ・Ｂ・Ｈ^1.5")));
}

TEST_F(SectionTest, ConditionsRefuseTablesBeyondTheirLimits) {
    ConditionsValues v = Conditions();
    v.HV.assign(kMaxHVRows + 1, clsQoHVC{});
    EXPECT_FALSE(WriteConditionsReport(w, test::FormatFile(), v));
    v = Conditions();
    v.FpItems.assign(kMaxCatchmentRows + 1, clsAveItem{});
    EXPECT_FALSE(WriteConditionsReport(w, test::FormatFile(), v));
}

TEST_F(SectionTest, MissingTemplateSectionFailsAndKeepsWhatWasWritten) {
    const QString fmt = FormatWithout(QStringLiteral("設計条件3"));
    EXPECT_FALSE(WriteConditionsReport(w, fmt, Conditions()));
    EXPECT_EQ(w.FailureReason, msg::FormatSectionMissing(QStringLiteral("設計条件3"), fmt));
    const QString all = All();
    EXPECT_TRUE(all.contains(QStringLiteral("降雨強度式")));
    EXPECT_FALSE(all.contains(QStringLiteral("流域面積等")));
}

// ---------------------------------------------------------------- 設計洪水流量

TEST_F(SectionTest, TalbotConstantsGoThroughNumberFields) {
    ASSERT_TRUE(WriteDischargeReport(w, test::FormatFile(), Discharge(3)));
    const QString all = All();
    EXPECT_TRUE(all.contains(QStringLiteral("ｔ +40.000")));
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("\\s5000\\.000\\s*$"), QRegularExpression::MultilineOption)));
    EXPECT_TRUE(all.contains(QStringLiteral("（タルボット式）")));
}

TEST_F(SectionTest, ShermanExponentIsWrittenInFullWidthFigures) {
    DischargeValues v = Discharge(3);
    v.Siki = 1;
    v.n = 0.75;
    ASSERT_TRUE(WriteDischargeReport(w, test::FormatFile(), v));
    EXPECT_TRUE(All().contains(QStringLiteral("ｔ^０．７５０")));
    v.n = -0.5;
    ASSERT_TRUE(CanWriteFile(w.PrintFilePath));
    ASSERT_TRUE(WriteDischargeReport(w, test::FormatFile(), v));
    EXPECT_TRUE(All().contains(QStringLiteral("ｔ^－０．５００"))) << All().toStdString();
}

TEST_F(SectionTest, WaveformTimesHaveLeadingZeros) {
    DischargeValues v = Discharge(1);
    v.Waveform = {{75, 1, 5, 1, 15, 9.615}};  // 65 to 75 minutes
    ASSERT_TRUE(WriteDischargeReport(w, test::FormatFile(), v));
    EXPECT_TRUE(All().contains(QRegularExpression(QStringLiteral("001:05\\s+│\\s+001:15\\s+│\\s+9\\.615"))));
}

TEST_F(SectionTest, ShortWaveformStaysOnTheRainfallPage) {
    ASSERT_TRUE(WriteDischargeReport(w, test::FormatFile(), Discharge(5)));
    for (const QString &l : Lines())
        if (l.contains(QStringLiteral("後方集中型降雨波形"))) {
            EXPECT_FALSE(l.startsWith('\f'));
        }
}

TEST_F(SectionTest, LongWaveformStartsANewPageWithoutABlankSheet) {
    DischargeValues v = Discharge(65);
    v.Pattern = 1;
    ASSERT_TRUE(WriteDischargeReport(w, test::FormatFile(), v));
    bool found = false;
    for (const QString &l : Lines())
        if (l.contains(QStringLiteral("中央集中型降雨波形"))) {
            found = true;
            EXPECT_TRUE(l.startsWith('\f'));
        }
    EXPECT_TRUE(found);
    for (const auto &page : test::Pages(Bytes())) {
        bool text = false;
        for (const QByteArray &l : page) text = text || !l.trimmed().isEmpty();
        EXPECT_TRUE(text) << "no page of the report is blank";
    }
}

TEST_F(SectionTest, ArrivalTimeTableHasTwoLinesPerRow) {
    ASSERT_TRUE(WriteDischargeReport(w, test::FormatFile(), Discharge(3)));
    const QStringList lines = Lines();
    int first = -1;
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].contains(QRegularExpression(QStringLiteral("│\\s+1 │\\s+10\\.0 │\\s+100\\.000 │")))) first = i;
    ASSERT_GE(first, 0);
    EXPECT_TRUE(lines[first + 1].trimmed().startsWith(QStringLiteral("├")));
    EXPECT_TRUE(lines[first + 2].contains(QRegularExpression(QStringLiteral("│\\s+2 │\\s+76\\.4 │"))));
    EXPECT_TRUE(lines[first + 5].trimmed().startsWith(QStringLiteral("└"))) << "no separator after the last row";
}

TEST_F(SectionTest, DesignDischargeIsWrittenWithItsUnit) {
    ASSERT_TRUE(WriteDischargeReport(w, test::FormatFile(), Discharge(3)));
    const QString all = All();
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("設計洪水流量\\s+Ｑ１\\s+＝\\s+25\\.500 ｍ３／ｓ"))));
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("割増係数\\s+Ｆｓ\\s+＝\\s+1\\.20"))));
    EXPECT_TRUE(all.contains(QStringLiteral("余裕率 20 ％")));
}

TEST_F(SectionTest, DischargePrintsTablesOfAnyLength) {
    DischargeValues v = Discharge(3);
    v.Hydrograph.assign(501, clsQiData{60, 1.0, 0.4167, 1.0});
    ASSERT_TRUE(WriteDischargeReport(w, test::FormatFile(), v));
    EXPECT_TRUE(All().contains(QRegularExpression(QStringLiteral("│\\s+501 │\\s+60 │"))));
}

// ---------------------------------------------------------------- 設計洪水位

int MarkedRows(const QStringList &lines, QString *marked = nullptr) {
    int n = 0;
    for (const QString &l : lines)
        if (l.contains(QStringLiteral("│")) && l.endsWith(QStringLiteral("  最大"))) {
            ++n;
            if (marked) *marked = l;
        }
    return n;
}

TEST_F(SectionTest, PeakRowAloneCarriesTheMark) {
    ASSERT_TRUE(WriteWaterLevelReport(w, test::FormatFile(), WaterLevel(5, 3)));
    QString marked;
    EXPECT_EQ(MarkedRows(Lines(), &marked), 1);
    EXPECT_TRUE(marked.contains(QStringLiteral("000:20"))) << marked.toStdString();
}

TEST_F(SectionTest, NoPeakNoMark) {
    ASSERT_TRUE(WriteWaterLevelReport(w, test::FormatFile(), WaterLevel(5, 0)));
    EXPECT_EQ(MarkedRows(Lines()), 0);
}

struct SignCase {
    const char *name;
    double q2, q1;
    const char *sign;
};
class ComparisonSignTest : public SectionTest, public ::testing::WithParamInterface<SignCase> {};

TEST_P(ComparisonSignTest, ComparesPeakOutflowWithDesignDischarge) {
    WaterLevelValues v = WaterLevel(3, 2);
    v.Q2 = GetParam().q2;
    v.Q1 = GetParam().q1;
    ASSERT_TRUE(WriteWaterLevelReport(w, test::FormatFile(), v));
    EXPECT_TRUE(All().contains(QRegularExpression(
        QStringLiteral("Ｑ２\\s+＝\\s+[0-9.]+ ｍ３／ｓ　%1　Ｑ１").arg(QString::fromUtf8(GetParam().sign)))));
}

INSTANTIATE_TEST_SUITE_P(Signs, ComparisonSignTest,
                         ::testing::Values(SignCase{"Greater", 5.309, 5.308, "＞"}, SignCase{"Equal", 5.308, 5.308, "≦"},
                                           SignCase{"Smaller", 2.637, 5.308, "≦"}),
                         [](const ::testing::TestParamInfo<SignCase> &i) { return std::string(i.param.name); });

TEST_F(SectionTest, LongRoutingTableRepeatsHeaderButNotCaption) {
    ASSERT_TRUE(WriteWaterLevelReport(w, test::FormatFile(), WaterLevel(150, 40)));
    const QStringList lines = Lines();
    EXPECT_EQ(lines.filter(QStringLiteral("洪水追跡計算表")).size(), 1);
    const int headers = lines.filter(QRegularExpression(QStringLiteral("│\\s*時　刻\\s*│"))).size();
    const int bottoms = lines.filter(QRegularExpression(QStringLiteral("^\\s*└"))).size();
    EXPECT_EQ(headers, 3);
    EXPECT_EQ(bottoms, headers);
    EXPECT_EQ(MarkedRows(lines), 1);
}

TEST_F(SectionTest, DesignFloodLevelIsCrestPlusDepth) {
    ASSERT_TRUE(WriteWaterLevelReport(w, test::FormatFile(), WaterLevel(3, 2)));
    const QString all = All();
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("Ｈｍａｘ\\s+＝\\s+0\\.441 ｍ"))));
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("＝\\s+\\+100\\.000 ｍ ＋\\s+0\\.441 ｍ"))));
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("設計洪水位\\s+ＨＷＬ\\s+＝\\s+\\+100\\.441 ｍ"))));
    // The design inflow keeps the name section 2 gives it.
    EXPECT_TRUE(all.contains(QStringLiteral("Ｑｉｄ")));
    EXPECT_FALSE(all.contains(QRegularExpression(QStringLiteral("Ｑｉ(?!ｄ)"))));
}

TEST_F(SectionTest, WaterLevelPrintsEveryRoutingRow) {
    ASSERT_TRUE(WriteWaterLevelReport(w, test::FormatFile(), WaterLevel(1026, 1000)));
    EXPECT_EQ(Lines().filter(QRegularExpression(QStringLiteral("│ \\d{3}:\\d{2} │"))).size(), 1026);
    QString marked;
    EXPECT_EQ(MarkedRows(Lines(), &marked), 1);
    EXPECT_TRUE(marked.contains(QStringLiteral("166:30"))) << marked.toStdString();
}

}  // namespace
}  // namespace wyndlor
