#include "report/ConditionsReport.h"

#include "report/SectionWriter.h"

namespace wyndlor {

namespace {

bool WritePond(SectionWriter &s, const ConditionsValues &v) {
    if (!s.Begin(QStringLiteral("設計条件1"))) return false;
    s.w.LineCount = 0;
    s.Line(1);
    s.Blank(2);
    // A title longer than its field goes on over continuation lines.
    const int32_t titleWidth = TextFieldWidth(s.T(2).Text);
    const QStringList title = s.Has(31) && titleWidth > 0 ? SplitToWidth(v.Title, titleWidth) : QStringList{v.Title};
    s.Line(2, {}, {title.first()});
    for (int32_t i = 1; i < title.size(); ++i) s.Line(31, {}, {title[i]});
    s.Blank(2);
    s.Line(3);
    s.Blank(1);
    s.Line(4);
    s.Blank(1);
    const double values[] = {v.V, v.FWL, v.A, v.Margin, v.Qfix};
    for (int k = 5; k <= 9; ++k) {
        s.Line(k, {values[k - 5]});
        s.Blank(1);
    }
    s.Line(10);
    s.Blank(1);
    const int32_t n = static_cast<int32_t>(v.HV.size());
    if (v.HVCMethod != 0) {
        // Frustums between entered level-area pairs.
        s.Line(21);
        s.Blank(1);
        s.Line(22, {v.ELS});
        s.Blank(1);
        s.Lines(23, 27);
        for (int32_t i = 1; i <= n; ++i) {
            const clsQoHVC &r = v.HV[static_cast<size_t>(i - 1)];
            s.Line(28, {double(i), r.EL, r.h, r.A, r.V});
            if (i < n) s.Line(29);
        }
        s.Line(30);
    } else {
        // Constant-area method of the design guideline.
        s.Line(11);
        s.Blank(1);
        s.Line(12);
        s.Blank(1);
        s.Lines(13, 17);
        for (int32_t i = 1; i <= n; ++i) {
            const clsQoHVC &r = v.HV[static_cast<size_t>(i - 1)];
            s.Line(18, {double(i), r.h, r.V});
            if (i < n) s.Line(19);
        }
        s.Line(20);
    }
    return s.End();
}

bool WriteFormula(SectionWriter &s, const ConditionsValues &v) {
    if (!s.Begin(QStringLiteral("設計条件2"))) return false;
    s.PageCheck(20, 2);
    s.Line(1);
    s.Blank(1);
    s.Line(2);
    s.Blank(1);
    const int32_t first = v.Siki == 1 ? 6 : v.Siki == 2 ? 9 : 3;
    s.Lines(first, first + 2);
    s.Blank(1);
    s.Line(12);
    s.Blank(1);
    s.Line(13);
    s.Blank(1);
    s.Line(v.Unit != 0 ? 15 : 14);
    s.Blank(1);
    s.Line(16, {v.a});
    if (v.Siki == 0 || v.Siki == 2) {
        s.Blank(1);
        s.Line(17, {v.b});
    }
    if (v.Siki == 1) {
        s.Blank(1);
        s.Line(18, {v.n});
    }
    return s.End();
}

bool WriteCatchment(SectionWriter &s, const ConditionsValues &v) {
    if (!s.Begin(QStringLiteral("設計条件3"))) return false;
    s.PageCheck(s.w.LinesPerPage, 0);
    s.Line(1);
    s.Blank(1);
    s.Line(2);
    s.Blank(1);
    s.Line(3);
    s.Blank(1);
    const int32_t n = static_cast<int32_t>(v.FpItems.size());
    if (n == 0) {
        // Only the adopted values: no sub-catchments were entered.
        s.Line(22);
        s.Blank(1);
        s.Line(23, {v.Area});
        s.Blank(1);
        s.Line(24);
        s.Blank(1);
        s.Line(25, {v.Fp});
        s.Blank(1);
        s.Line(26);
        s.Blank(1);
        s.Line(27, {v.C});
        return s.End();
    }
    // Names wider than the name column are each printed whole on a line of
    // their own above the row's numbers.
    const int32_t nameWidth = TextFieldWidth(s.T(9).Text);
    bool longNames = false;
    for (const clsAveItem &f : v.FpItems)
        longNames = longNames || ShiftJisWidth(QString::fromStdString(f.Title)) > nameWidth;
    longNames = longNames && s.Has(29);
    s.Lines(4, longNames ? 7 : 8);
    for (int32_t i = 1; i <= n; ++i) {
        const size_t row = static_cast<size_t>(i - 1);
        const clsAveItem &f = v.FpItems[row];
        const clsAveItem c = row < v.CItems.size() ? v.CItems[row] : clsAveItem{};
        const QString name = QString::fromStdString(f.Title);
        if (longNames) {
            s.Line(28);
            s.Line(29, {}, {name});
            s.Line(30);
        }
        s.Line(9, {f.n, f.V, f.NV, c.V, c.NV}, {longNames ? QString() : name});
        if (i < n && !longNames) s.Line(10);
    }
    s.Line(longNames ? 31 : 11);
    // The sum row and the averages are the table's own; the values the
    // calculation used follow as adopted values where they differ.
    s.Line(12, {v.AreaSum, v.FpGNV, v.CGNV});
    s.Line(13);
    s.Blank(1);
    s.Line(14);
    s.Blank(1);
    s.Line(15, {v.FpGNV});
    s.Line(16, {v.FpAve});
    s.Line(17, {v.AreaSum});
    s.Blank(1);
    s.Line(18);
    s.Blank(1);
    s.Line(19, {v.CGNV});
    s.Line(20, {v.CAve});
    s.Line(21, {v.AreaSum});
    // Compared as printed: a difference below the printed places is none.
    const auto differs = [&s](int32_t k, double shown, double adopted) {
        return FillTemplate(s.T(k).Text, {shown}, {}) != FillTemplate(s.T(k).Text, {adopted}, {});
    };
    const bool area = differs(32, v.AreaSum, v.Area), fp = differs(33, v.FpAve, v.Fp), c = differs(34, v.CAve, v.C);
    if ((area || fp || c) && s.Has(35)) {
        s.Blank(1);
        s.Line(35);
        s.Blank(1);
        if (area) s.Line(32, {v.Area});
        if (fp) s.Line(33, {v.Fp});
        if (c) s.Line(34, {v.C});
    }
    return s.End();
}

bool WriteSection(SectionWriter &s, const ConditionsValues &v) {
    if (!s.Begin(v.SectType != 0 ? QStringLiteral("設計条件4-2") : QStringLiteral("設計条件4-1"))) return false;
    s.Blank(2);
    s.Line(1);
    s.Blank(1);
    s.Line(2);
    s.Blank(1);
    s.Line(3, {v.SectB});
    s.Blank(1);
    s.Line(4, {v.SectCd});
    s.Blank(2);
    s.Line(5);
    s.Blank(1);
    s.Line(6);
    for (int k = 7; k <= 9; ++k) {
        s.Blank(1);
        s.Line(k);
    }
    return s.End();
}

}  // namespace

bool WriteConditionsReport(PrintWriter &writer, const QString &formatFile, const ConditionsValues &v) {
    if (v.HV.size() > static_cast<size_t>(kMaxHVRows) || v.FpItems.size() > static_cast<size_t>(kMaxCatchmentRows))
        return false;
    writer.LinesPerPage = kReportLinesPerPage;
    SectionWriter s(writer, formatFile);
    return WritePond(s, v) && WriteFormula(s, v) && WriteCatchment(s, v) && WriteSection(s, v);
}

}  // namespace wyndlor
