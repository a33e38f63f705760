// The accuracy check in 『設計洪水位の計算』: the finding right after the
// design flood water level when the check warns, and the note before the
// closing line (a short paragraph when it passes, every reason with its
// remedy when it warns), kept on one page, and within the printable width.
#include "report/ReportJob.h"
#include "tests/support/SampleProjects.h"
#include "tests/report/ReportTestUtil.h"
#include "report/WaterLevelReport.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace wyndlor {
namespace {

const QString kNoteTitle = QStringLiteral("計算精度の確認");

WaterLevelValues WaterLevel(int rows) {
    WaterLevelValues v;
    v.FWL = 100;
    v.Q1 = 5.308;
    for (int i = 0; i < rows; ++i) {
        const int t = 10 * i;
        v.Routing.push_back({t, t / 60, t % 60, 1.0, 0.1 * i, 100 + 0.01 * i, 0.01 * i, 100.0 * i});
    }
    v.PeakRow = rows > 1 ? 2 : 0;
    v.Q2 = 2.637;
    v.Hmax = 0.441;
    v.DesignFloodLevel = 100.441;
    return v;
}

// A warning note of the routing with the reference values.
AccuracyNoteValues Note(bool routing, int32_t nonConverged) {
    AccuracyNoteValues n;
    n.Print = n.Warning = true;
    n.RefQ2 = 28.0564;
    n.RefHmax = 0.8472;
    n.RefLevel = 100.8472;
    n.Balance = -0.3855;
    n.NonConverged = nonConverged;
    n.FirstHH = 12;
    n.FirstMM = 0;
    n.Routing = routing;
    if (routing) n.SafeSideLevel = 100.8472;
    return n;
}

// Every line the note can hold.
AccuracyNoteValues FullNote() {
    AccuracyNoteValues n = Note(true, 2);
    n.Depth = n.Discharge = n.Start = n.AboveTable = n.Inflow = n.AboveCrest = true;
    n.DepthDiff = 0.2759;
    n.DischargeDiff = 44.66;
    n.StartOffset = 0.5695;
    n.TopLevel = 101;
    n.TpStep = 83;
    n.Q1AtTpStep = 8.313;
    return n;
}

class NoteTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    // The section written into a file of its own.
    QByteArray Write(const WaterLevelValues &v) {
        PrintWriter w;
        w.PrintFilePath = dir.filePath(QStringLiteral("s%1.prn").arg(++files));
        EXPECT_TRUE(CanWriteFile(w.PrintFilePath));
        EXPECT_TRUE(WriteWaterLevelReport(w, test::FormatFile(), v));
        return test::ReadBytes(w.PrintFilePath);
    }
    QTemporaryDir dir;
    int files = 0;
};

TEST_F(NoteTest, WithoutAWarningTheSectionIsUnchanged) {
    const QByteArray plain = Write(WaterLevel(20));
    WaterLevelValues v = WaterLevel(20);
    v.Note = Note(true, 3);
    v.Note.Print = false;
    EXPECT_EQ(Write(v), plain);
    EXPECT_FALSE(test::Text(plain).contains(kNoteTitle));
}

struct NoteCase {
    const char *name;
    AccuracyNoteValues note;
    std::vector<const char *> present;  // patterns of lines that must appear
    std::vector<const char *> absent;   // texts that must not
};
class NoteLines : public NoteTest, public ::testing::WithParamInterface<NoteCase> {};
TEST_P(NoteLines, FollowTheVerdict) {
    WaterLevelValues v = WaterLevel(20);
    v.Note = GetParam().note;
    const QStringList lines = test::Lines(Write(v));
    // The note is a heading of the outline and precedes the closing line.
    const int end = lines.indexOf(QRegularExpression(QStringLiteral("^\\s+以　上$")));
    const int title = lines.indexOf(QRegularExpression(QStringLiteral("^\\s*\\?R2") + kNoteTitle + QStringLiteral("$")));
    ASSERT_GE(title, 0);
    ASSERT_GT(end, title);
    const QString note = lines.mid(title, end - title).join('\n');
    for (const char *p : GetParam().present)
        EXPECT_TRUE(note.contains(QRegularExpression(QString::fromUtf8(p)))) << p << "\n" << note.toStdString();
    for (const char *a : GetParam().absent)
        EXPECT_FALSE(note.contains(QString::fromUtf8(a))) << a << "\n" << note.toStdString();
}

AccuracyNoteValues With(AccuracyNoteValues n, void (*change)(AccuracyNoteValues &)) {
    change(n);
    return n;
}

INSTANTIATE_TEST_SUITE_P(
    Verdicts, NoteLines,
    ::testing::Values(
        // The routing: the reference, the difference and the safe-side
        // level; no smaller step anywhere.
        NoteCase{"DepthOfTheRouting",
                 With(Note(true, 0),
                      [](AccuracyNoteValues &n) {
                          n.Depth = true;
                          n.DepthDiff = 0.2759;
                      }),
                 {"１分間隔で洪水追跡した参考値", "最大放流量（参考値）\\s+Ｑ２\\s+＝\\s+28\\.056 ｍ３／ｓ",
                  "最大越流水深（参考値）\\s+Ｈｍａｘ\\s+＝\\s+0\\.847 ｍ",
                  "設計洪水位（１分間隔の追跡）ＨＷＬ\\s+＝\\s+\\+100\\.847 ｍ",
                  "水量収支（流入－放流－貯水量の変化）\\s+＝\\s+-0\\.386 ％", "精度が十分でない。",
                  "最大越流水深の差\\s+＝\\s+0\\.276 ｍ（許容 0\\.05 ｍ）", "高い方である。",
                  "安全側の設計洪水位\\s+ＨＷＬ\\s+＝\\s+\\+100\\.847 ｍ"},
                 {"収束しない", "最大放流量の差", "出発水位", "最高標高", "推奨", "下限", "再計算"}},
        NoteCase{"PeakAndUnsettledPoints",
                 With(Note(true, 51),
                      [](AccuracyNoteValues &n) {
                          n.Discharge = true;
                          n.DischargeDiff = 7.82;
                      }),
                 {"水位が収束しない計算時点\\s+＝\\s+51 時点（最初 012:00）", "精度が十分でない。",
                  "最大放流量の差（参考値に対する割合）\\s+＝\\s+7\\.8 ％（許容 5\\.0 ％）", "安全側の設計洪水位"},
                 {"分以下", "最大越流水深の差", "ｔｐ"}},
        // The inflow: Q1 and the step of the guideline, nothing of the routing.
        NoteCase{"InflowUnderEstimated",
                 With(Note(false, 0),
                      [](AccuracyNoteValues &n) {
                          n.Inflow = true;
                          n.TpStep = 83;
                          n.Q1AtTpStep = 8.313;
                      }),
                 {"ｔｐより長いため，設計洪水流量Ｑ１は過小である。",
                  "Δｔ≒ｔｐでの設計洪水流量\\s+Ｑ１\\s+＝\\s+8\\.313 ｍ３／ｓ",
                  "Δｔ≒ｔｐとする計算時間間隔\\s+Δｔ\\s+＝\\s+83 ｍｉｎ"},
                 {"精度が十分でない", "安全側"}},
        // The data's own faults: their remedy, and nothing of the time step.
        NoteCase{"StartAboveTheCrestAndTheTable",
                 With(Note(false, 0),
                      [](AccuracyNoteValues &n) {
                          n.Start = n.AboveTable = n.AboveCrest = true;
                          n.StartOffset = 0.5695;
                          n.TopLevel = 101;
                      }),
                 {"出発水位からのずれ\\s+＝\\s+\\+0\\.570 ｍ", "出発水位の前後とその上にｈ－Ａデータを追加",
                  "越流頂（常時満水位）より高く", "出発水位を確認",
                  "ｈ－Ａデータの最高標高\\s+ＥＬ\\s+＝\\s+\\+101\\.000 ｍ", "設計洪水位より上の標高まで"},
                 {"精度が十分でない", "推奨", "安全側"}},
        NoteCase{"NoReference",
                 With(Note(false, 0), [](AccuracyNoteValues &n) { n.HasReference = false; }),
                 {"参考値は計算できなかったため，", "計算精度を確認できない。"},
                 {"最大放流量（参考値）", "精度が十分でない"}},
        // A check that passes: one paragraph with both differences.
        NoteCase{"Passes",
                 With(Note(false, 0),
                      [](AccuracyNoteValues &n) {
                          n.Warning = false;
                          n.DepthDiff = 0.0123;
                          n.DischargeDiff = 0.31;
                      }),
                 {"参考値との差は，最大越流水深\\s+0\\.012 ｍ，", "最大放流量\\s+0\\.3 ％であり，いずれも許容範囲内"},
                 {"最大放流量（参考値）", "水量収支", "精度が十分でない", "安全側"}}),
    [](const auto &info) { return std::string(info.param.name); });

// The finding follows the design flood water level at once, before the
// words on the crest height, whenever the check warns.
TEST_F(NoteTest, FindingFollowsTheDesignFloodWaterLevel) {
    WaterLevelValues v = WaterLevel(20);
    v.Note = FullNote();
    const QString text = test::Text(Write(v));
    const int level = text.indexOf(QRegularExpression(QStringLiteral("設計洪水位\\s+ＨＷＬ\\s+＝")));
    const int crest = text.indexOf(QStringLiteral("堤体の天端標高"));
    ASSERT_GE(level, 0);
    const QString finding = text.mid(level, crest - level);
    for (const char *p : {"この計算時間間隔での洪水追跡は，この池では精度が十分でない。",
                          "設計洪水位（１分間隔の追跡）ＨＷＬ\\s+＝\\s+\\+100\\.847 ｍ",
                          "安全側の設計洪水位\\s+ＨＷＬ\\s+＝\\s+\\+100\\.847 ｍ",
                          "設計洪水流量は過小である。", "Δｔ≒ｔｐ＝\\s*83 ｍｉｎで計算し直す",
                          "入力データに確認を要する点がある"})
        EXPECT_TRUE(finding.contains(QRegularExpression(QString::fromUtf8(p)))) << p;
    v.Note.Warning = false;
    EXPECT_FALSE(test::Text(Write(v)).contains(QStringLiteral("安全側")));
}

TEST_F(NoteTest, NoteIsNeverSplitAcrossPagesNorLengthensOne) {
    // Routing tables of every length move the section's end down the page;
    // wherever it ends, the note's title and last line share a page, and no
    // page is longer than the longest one of the section without the check.
    size_t longest = 0;
    for (int rows = 1; rows <= 80; ++rows)
        for (const auto &page : test::Pages(Write(WaterLevel(rows)))) longest = std::max(longest, page.size());
    for (int rows = 1; rows <= 80; ++rows) {
        WaterLevelValues v = WaterLevel(rows);
        v.Note = FullNote();
        int titlePage = -1, lastPage = -2, pageNo = 0;
        for (const auto &page : test::Pages(Write(v))) {
            for (const QByteArray &l : page) {
                const QString text = test::Text(l);
                if (text.contains(kNoteTitle)) titlePage = pageNo;
                if (text.contains(QStringLiteral("設計洪水位より上の標高まで"))) lastPage = pageNo;
            }
            EXPECT_LE(page.size(), longest) << rows << " routing rows, page " << pageNo;
            ++pageNo;
        }
        EXPECT_EQ(titlePage, lastPage) << rows << " routing rows";
    }
}

TEST(NoteTemplate, LinesFitTheTextWidth) {
    TemplateSection t;
    ASSERT_TRUE(LoadTemplate(test::FormatFile(), QStringLiteral("設計洪水位2"), t));
    for (int32_t k = 10; k <= 43; ++k) {
        EXPECT_FALSE(t[k].Text.isEmpty()) << k;
        EXPECT_LE(t[k].Text.size(), 74) << k << ": " << test::Text(t[k].Text).toStdString();
        EXPECT_EQ(t[k].Style, k == 10 ? 2 : 0) << k << ": the note's heading is in the outline";
    }
    ASSERT_TRUE(LoadTemplate(test::FormatFile(), QStringLiteral("設計洪水流量_降雨波形"), t));
    for (int32_t k = 33; k <= 35; ++k) {
        EXPECT_LE(t[k].Text.size(), 74) << k << ": " << test::Text(t[k].Text).toStdString();
    }
}

// ---------------------------------------------------------------- from a calculation

// The fast-responding pond of the accuracy check: a 72-hour Talbot storm
// (a 6000, b 40) on 2 km2, 20000 m2 at FWL 100 m behind a 20 m weir, at a
// 60-minute step.
ProjectData StiffProject() { return test::StiffPond(20000); }

TEST(NoteFromACalculation, CollectedFromTheCheckAndPrintedOnlyWithIt) {
    const ProjectData data = StiffProject();
    CalcResults results;
    ASSERT_TRUE(CalcAll(data, results));
    const AccuracyCheck check = CheckAccuracy(data, results);
    ASSERT_TRUE(check.ok && check.warning());
    ASSERT_GT(check.routing.nonConverged, 0);

    const AccuracyNoteValues n = CollectAccuracyNote(check, *results.objQo);
    EXPECT_TRUE(n.Print);
    EXPECT_EQ(n.RefQ2, check.refQ2);
    EXPECT_EQ(n.RefHmax, check.refHmax);
    EXPECT_EQ(n.Balance, check.balance);
    EXPECT_TRUE(n.Warning && n.Routing && n.Depth && n.Discharge);
    EXPECT_EQ(n.SafeSideLevel, check.safeSideLevel);
    EXPECT_FALSE(n.Start || n.AboveTable);
    EXPECT_DOUBLE_EQ(n.DepthDiff, check.refHmax - check.hmax);
    EXPECT_DOUBLE_EQ(n.DischargeDiff, (check.refQ2 - check.q2) / check.refQ2 * 100);
    EXPECT_EQ(n.NonConverged, check.routing.nonConverged);
    const auto first = results.objQo->Qo().Item(check.routing.firstNonConverged);
    EXPECT_EQ(n.FirstHH * 60 + n.FirstMM, first->t);

    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Wyndlor.INI"));
    const QString with = dir.filePath(QStringLiteral("with.prn"));
    const QString without = dir.filePath(QStringLiteral("without.prn"));
    QString message;
    ASSERT_TRUE(WriteFullReport(with, test::RunOf(data, results, &check), test::FormatFile(), ini, message))
        << message.toStdString();
    ASSERT_TRUE(WriteFullReport(without, test::RunOf(data, results), test::FormatFile(), ini, message))
        << message.toStdString();
    const QString a = test::Text(test::ReadBytes(with));
    const QString b = test::Text(test::ReadBytes(without));
    EXPECT_EQ(a.count(kNoteTitle), 1);
    EXPECT_FALSE(b.contains(kNoteTitle));
    EXPECT_TRUE(a.contains(QStringLiteral("安全側の設計洪水位")));
    // The finding follows the design flood water level; nothing before it
    // changes.
    const int from = b.lastIndexOf(QStringLiteral("最大越流水深"));
    EXPECT_TRUE(a.contains(b.mid(from, b.lastIndexOf(QStringLiteral("堤体の天端標高")) - from)));
    EXPECT_LT(a.indexOf(kNoteTitle), a.lastIndexOf(QStringLiteral("以　上")));

    // A check that passes keeps its short note and adds no finding.
    AccuracyCheck passed = check;
    passed.reasons.clear();
    EXPECT_TRUE(CollectAccuracyNote(passed, *results.objQo).Print);
    EXPECT_FALSE(CollectAccuracyNote(passed, *results.objQo).Warning);
    ASSERT_TRUE(WriteFullReport(with, test::RunOf(data, results, &passed), test::FormatFile(), ini, message));
    const QString p = test::Text(test::ReadBytes(with));
    EXPECT_EQ(p.count(kNoteTitle), 1);
    EXPECT_TRUE(p.contains(QStringLiteral("いずれも許容範囲内")));
    EXPECT_FALSE(p.contains(QStringLiteral("安全側の設計洪水位")));
}

}  // namespace
}  // namespace wyndlor
