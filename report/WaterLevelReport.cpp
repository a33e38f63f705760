#include "report/WaterLevelReport.h"

#include "report/SectionWriter.h"

namespace wyndlor {

QString PeakMark(int32_t row, int32_t peakRow) {
    return row == peakRow ? QStringLiteral("  最大") : QString();
}

QString ComparisonSign(double q2, double q1) { return q2 > q1 ? QStringLiteral("＞") : QStringLiteral("≦"); }

namespace {

bool WriteRouting(SectionWriter &s, const WaterLevelValues &v) {
    if (!s.Begin(QStringLiteral("設計洪水位1"))) return false;
    s.w.LineCount = 0;
    for (int32_t k = 1; k <= 3; ++k) {
        s.Line(k);
        s.Blank(1);
    }
    s.Lines(4, 6);
    s.Blank(1);
    s.Line(7);
    s.Blank(1);
    s.Lines(8, 10);
    s.Blank(1);
    s.Lines(11, 13);
    for (int32_t k = 14; k <= 19; ++k) {
        s.Blank(1);
        s.Line(k);
    }
    s.Blank(2);
    s.Line(20);
    // The peak row's mark sticks out of the table: the whole table is
    // pulled left alike when the indentation leaves no room for it.
    s.w.BlockWidth = static_cast<int32_t>(s.T(26).Text.size());
    s.Lines(21, 25);
    PagedTable table = s.Table(v.Routing.size(), 21, 25, 26, 28);
    table.Values = [&v](int32_t i, std::vector<double> &n, QStringList &t) {
        const clsQoData &r = v.Routing[static_cast<size_t>(i - 1)];
        t = {ZeroPadded(r.hh, 3), ZeroPadded(r.mm, 2), PeakMark(i, v.PeakRow)};
        n = {double(r.t), r.Qi, r.Qo, r.h, r.V};
    };
    s.w.PrintPagedTable(table);
    s.w.BlockWidth = 0;
    s.w.KeepOnSheet(4);  // the conclusion stays in one piece below the table
    s.Blank(1);
    s.Line(29);
    s.Blank(1);
    s.Line(30, {v.Q2}, {ComparisonSign(v.Q2, v.Q1)});
    return s.End();
}

// The check's finding right after the design flood water level, when it
// warns (lines 33-39 of "設計洪水位2"): the routing's with the 1-minute
// routing's design flood water level and the safe-side level, the
// inflow's with the guideline's step, and a pointer to the note for the
// data.
constexpr int32_t kFindingLines = 12;  // at most, blank lines included

void WriteFinding(SectionWriter &s, const AccuracyNoteValues &n) {
    if (n.Routing) {
        s.Blank(1);
        s.Lines(33, 34);
        if (n.HasReference) s.Line(35, {n.RefLevel});
        s.Line(36, {n.SafeSideLevel});
    }
    if (n.Inflow) {
        s.Blank(1);
        s.Line(37);
        s.Line(38, {double(n.TpStep)});
    }
    if (n.Data()) {
        s.Blank(1);
        s.Line(39);
    }
}

// The note on the accuracy check, under a heading of its own (line 10)
// before the closing "以　上".  When the check passes, one paragraph with
// both differences from the 1-minute reference (lines 40-41).  When it
// warns: the reference values and its design flood water level (or that
// there are none), where the level iteration did not settle, the volume
// balance, then each criterion with its remedy: the inflow (Q1 at the
// guideline's step), the routing (the differences and the safe-side
// level), the starting level, a start above the crest, levels above the
// h-A data.  Kept on one page with the two blank lines before it.
constexpr int32_t kAccuracyNoteLines = 30;  // at most, blank lines inside included
constexpr int32_t kPassingNoteLines = 4;    // heading, blank line, two lines
constexpr int32_t kAccuracyNoteGap = 2;
constexpr int32_t kClosingLines = 2;  // the blank line and "以　上" after the note

void WriteAccuracyNote(SectionWriter &s, const AccuracyNoteValues &n) {
    const int32_t lines = n.Warning ? kAccuracyNoteLines : kPassingNoteLines;
    s.PageCheck(kAccuracyNoteGap + lines + kClosingLines, kAccuracyNoteGap);
    s.Line(10);
    s.Blank(1);
    if (!n.Warning) {
        s.Line(40, {n.DepthDiff});
        s.Line(41, {n.DischargeDiff});
        return;
    }
    if (n.HasReference) {
        s.Line(11);
        s.Line(12, {n.RefQ2});
        s.Line(13, {n.RefHmax});
        s.Line(35, {n.RefLevel});
    } else {
        s.Lines(24, 25);
    }
    if (n.NonConverged > 0)
        s.Line(14, {double(n.NonConverged)}, {ZeroPadded(n.FirstHH, 3), ZeroPadded(n.FirstMM, 2)});
    s.Line(23, {n.Balance});
    if (n.Inflow) {
        s.Blank(1);
        s.Line(18);
        s.Line(19, {n.Q1AtTpStep});
        s.Line(20, {double(n.TpStep)});
    }
    if (n.Routing) {
        s.Blank(1);
        s.Line(15);
        if (n.Depth) s.Line(21, {n.DepthDiff, n.DepthTolerance});
        if (n.Discharge) s.Line(22, {n.DischargeDiff, n.DischargeTolerance});
        s.Line(16);
        s.Line(17, {n.SafeSideLevel});
    }
    if (n.Start) {
        s.Blank(1);
        s.Lines(26, 27);
        s.Line(28, {n.StartOffset});
        s.Line(29);
    }
    if (n.AboveCrest) {
        s.Blank(1);
        s.Lines(42, 43);
    }
    if (n.AboveTable) {
        s.Blank(1);
        s.Line(30);
        s.Line(31, {n.TopLevel});
        s.Line(32);
    }
}

bool WriteLevel(SectionWriter &s, const WaterLevelValues &v) {
    if (!s.Begin(QStringLiteral("設計洪水位2"))) return false;
    s.PageCheck(20 + (v.Note.Warning ? kFindingLines : 0), 2);
    s.Line(1);
    s.Blank(1);
    s.Line(2, {v.Hmax});
    s.Blank(1);
    s.Line(3);
    s.Blank(1);
    s.Line(4);
    s.Blank(1);
    s.Line(5, {v.FWL, v.Hmax});
    s.Blank(1);
    s.Line(6, {v.DesignFloodLevel});
    if (v.Note.Print && v.Note.Warning) WriteFinding(s, v.Note);
    for (int32_t k = 7; k <= 8; ++k) {
        s.Blank(1);
        s.Line(k);
    }
    if (v.Note.Print) WriteAccuracyNote(s, v.Note);
    s.Blank(1);
    s.Line(9);  // 以　上
    return s.End();
}

}  // namespace

bool WriteWaterLevelReport(PrintWriter &writer, const QString &formatFile, const WaterLevelValues &v) {
    writer.LinesPerPage = kReportLinesPerPage;
    SectionWriter s(writer, formatFile);
    return WriteRouting(s, v) && WriteLevel(s, v);
}

}  // namespace wyndlor
