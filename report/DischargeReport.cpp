#include "report/DischargeReport.h"

#include "report/SectionWriter.h"

#include <cmath>

namespace wyndlor {

namespace {

// The intensity formula as a fraction over three template lines: the
// constant a on top, the fraction bar, the denominator with b (Talbot,
// Kuno-Ishiguro) or the exponent n in full-width figures (Sherman).
void WriteFormula(SectionWriter &s, const DischargeValues &v, int32_t talbot, int32_t sherman, int32_t kuno) {
    const int32_t first = v.Siki == 0 ? talbot : v.Siki == 1 ? sherman : kuno;
    s.Line(first, {v.a});
    s.Line(first + 1);
    if (v.Siki == 1)
        s.Line(first + 2, {}, {FullWidthNumber(v.n, "#0.000")});
    else
        s.Line(first + 2, {v.b});
}

bool WriteRationalFormula(SectionWriter &s, const DischargeValues &v) {
    if (!s.Begin(QStringLiteral("設計洪水流量_合理式"))) return false;
    s.w.LineCount = 0;
    s.Line(1);
    s.Blank(1);
    s.Line(2, {v.Margin});
    s.Blank(1);
    s.Line(3);
    s.Blank(1);
    s.Line(4);
    s.Blank(1);
    s.Lines(5, 7);
    for (int32_t k = 8; k <= 11; ++k) {
        s.Blank(1);
        s.Line(k);
    }
    return s.End();
}

bool WriteArrivalTime(SectionWriter &s, const DischargeValues &v) {
    if (!s.Begin(QStringLiteral("設計洪水流量_tp"))) return false;
    s.Blank(2);
    for (int32_t k = 1; k <= 3; ++k) {
        s.Line(k);
        s.Blank(1);
    }
    s.Line(4);
    for (int32_t k = 5; k <= 10; ++k) {
        s.Blank(1);
        s.Line(k);
    }
    s.Blank(1);
    WriteFormula(s, v, 11, 14, 17);
    s.Blank(1);
    s.Lines(20, 25);
    PagedTable table = s.Table(v.Tp.size(), 21, 25, 26, 28);
    table.LinesPerRow = 2;
    table.Separator = s.T(27);
    table.Values = [&v](int32_t i, std::vector<double> &n, QStringList &) {
        const clsTpData &r = v.Tp[static_cast<size_t>(i - 1)];
        n = {double(i), r.t, r.r, r.re, r.tp};
    };
    s.w.PrintPagedTable(table);
    s.PageCheck(6, 1);
    s.Blank(1);
    s.Line(29);
    s.Blank(1);
    s.Line(30, {v.tp});
    s.Blank(1);
    s.Line(31);
    return s.End();
}

bool WriteRainfall(SectionWriter &s, const DischargeValues &v) {
    if (!s.Begin(QStringLiteral("設計洪水流量_降雨波形"))) return false;
    s.PageCheck(s.w.LinesPerPage, 0);
    s.Line(1);
    s.Blank(1);
    // The step follows from tp unless it lies apart from it by more than
    // the inflow tolerance; then the sentence says so and what it does to
    // the design flood discharge.
    if (v.ApartFromTp) {
        s.Line(33, {v.tp, v.DeltaT});
        s.Line(v.Q1Share > 0 ? 34 : 35, {double(v.TpStep), std::fabs(v.Q1Share)});
    } else {
        s.Line(2, {v.tp, v.DeltaT});
    }
    s.Blank(1);
    s.Line(3);
    s.Blank(1);
    s.Line(v.Pattern != 0 ? 5 : 4);
    s.Blank(1);
    WriteFormula(s, v, 6, 9, 12);
    s.Blank(1);
    s.Lines(15, 19);
    PagedTable rain = s.Table(v.Rainfall.size(), 15, 19, 20, 22);
    rain.Values = [&v](int32_t i, std::vector<double> &n, QStringList &) {
        const clsRdataIn &r = v.Rainfall[static_cast<size_t>(i - 1)];
        n = {double(i), double(r.t), r.r, r.nr, r.i};
    };
    s.w.PrintPagedTable(rain);

    // The waveform table starts on a new page unless all of it, with its
    // caption and header, fits on this one.
    s.PageCheck(static_cast<int32_t>(v.Waveform.size()) + 8, 0);
    s.Line(v.Pattern != 0 ? 24 : 23);
    s.Blank(1);
    s.Lines(25, 29);
    PagedTable wave = s.Table(v.Waveform.size(), 25, 29, 30, 32);
    wave.Values = [&v](int32_t i, std::vector<double> &n, QStringList &t) {
        const clsRdataR &r = v.Waveform[static_cast<size_t>(i - 1)];
        t = {ZeroPadded(r.tshh, 3), ZeroPadded(r.tsmm, 2), ZeroPadded(r.tehh, 3), ZeroPadded(r.temm, 2)};
        n = {double(i), r.r};
    };
    s.w.PrintPagedTable(wave);
    return s.End();
}

bool WriteHydrograph(SectionWriter &s, const DischargeValues &v) {
    if (!s.Begin(QStringLiteral("設計洪水流量_流入ハイドログラフ"))) return false;
    s.PageCheck(s.w.LinesPerPage, 0);
    s.Line(1);
    s.Blank(1);
    s.Line(2);
    s.Blank(1);
    s.Lines(3, 5);
    s.Blank(1);
    s.Line(6, {v.MarginFactor});
    s.Blank(1);
    s.Lines(7, 11);
    PagedTable table = s.Table(v.Hydrograph.size(), 7, 11, 12, 14);
    table.Values = [&v](int32_t i, std::vector<double> &n, QStringList &) {
        const clsQiData &r = v.Hydrograph[static_cast<size_t>(i - 1)];
        n = {double(i), double(r.t), r.r, r.Qi, r.Qid};
    };
    s.w.PrintPagedTable(table);
    s.w.KeepOnSheet(4);  // the design flood discharge stays in one piece below the table
    s.Blank(1);
    s.Line(15);
    s.Blank(1);
    s.Line(16, {v.Q1});
    return s.End();
}

}  // namespace

bool WriteDischargeReport(PrintWriter &writer, const QString &formatFile, const DischargeValues &v) {
    writer.LinesPerPage = kReportLinesPerPage;
    SectionWriter s(writer, formatFile);
    return WriteRationalFormula(s, v) && WriteArrivalTime(s, v) && WriteRainfall(s, v) && WriteHydrograph(s, v);
}

}  // namespace wyndlor
