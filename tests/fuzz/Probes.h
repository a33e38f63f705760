// The promises the fuzz targets check, one probe per input file kind; each
// returns "" when every promise held, else what broke.  Shared by the
// libFuzzer targets and by the corpus replay of the normal test run, so a
// build without clang still checks every input the fuzzer kept.
//
//   ProbeSettingsFile   the settings file: reading any key gives a bounded
//                       value, writing one key reads back and keeps the
//                       others, the numbering settings stay within their
//                       ranges and a heading line head stays short.
//   ProbeFormatFile     the report format file with the report writer: a
//                       report is written or refused, never half written.
//   ProbePrintFile      the previewer's print-file parser: pages, outline
//                       entries pointing into them.
//   ProbeCalculation    read -> calculate -> check: a run that succeeds has
//                       no infinite or NaN value in any result.
#pragma once

#include "calc/CalcDriver.h"
#include "core/CPrivateProfile.h"
#include "core/CalcRun.h"
#include "core/ProjectFile.h"
#include "core/SystemHelpers.h"
#include "previewer/PrintDocument.h"
#include "report/PrintWriter.h"
#include "report/ReportJob.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cmath>
#include <string>

namespace wyndlor::probe {

inline bool WriteProbe(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size() && f.flush();
}

inline std::string ProbeSettingsFile(const QString &path, const QByteArray &bytes) {
    if (!WriteProbe(path, bytes)) return "cannot write the probe file";
    const QString section = QStringLiteral("Chapter");
    const QString other = CPrivateProfile::GetValueString(path, QStringLiteral("MenuMain"), QStringLiteral("Top"));
    if (!CPrivateProfile::SetValueString(path, section, QStringLiteral("Margin1"), QStringLiteral("7")))
        return "a write to a regular file failed";
    if (CPrivateProfile::GetValueLong(path, section, QStringLiteral("Margin1")) != 7) return "written value lost";
    if (CPrivateProfile::GetValueString(path, QStringLiteral("MenuMain"), QStringLiteral("Top")) != other)
        return "a write changed another key";
    WriteProbe(path, bytes);
    PrintWriter w;
    ReadNumberingSettings(w, path);
    if (w.NumberingMethod < 0 || w.NumberingMethod > kLastNumberingMethod) return "method out of range";
    for (int32_t k = 1; k <= kHeadingLevels; ++k) {
        const size_t i = static_cast<size_t>(k);
        if (w.HeadingStyles[i] < 0 || w.HeadingStyles[i] > kLastHeadingStyle) return "style out of range";
        if (w.HeadingMargins[i] < 0 || w.HeadingMargins[i] > kMaxMarginColumns) return "margin out of range";
    }
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    w.Attach(&sink);
    for (int32_t style = 0; style <= kHeadingLevels; ++style) w.PrintLineHead(style);
    w.Close();
    // Six heads of at most a margin, a marker and a heading number each.
    if (sink.data().size() > 6 * (kMaxMarginColumns + 3 + 40)) return "line heads too long";
    return std::string();
}

inline std::string ProbeFormatFile(const QString &formatPath, const QString &iniPath, const QString &outPath,
                                   const CalcRun &run, const QByteArray &bytes) {
    if (!WriteProbe(formatPath, bytes)) return "cannot write the probe file";
    const QByteArray previous("previous report\r\n");
    if (!WriteProbe(outPath, previous)) return "cannot write the previous report";
    QString message;
    const bool ok = WriteFullReport(outPath, run, formatPath, iniPath, message);
    QByteArray out;
    ReadRegularFile(outPath, kMaxPrintFileBytes, out);
    if (!ok && message.isEmpty()) return "failure without a message";
    if (!ok && out != previous) return "a failed report replaced the previous one";
    if (ok && out == previous) return "a report that succeeded wrote nothing";
    return std::string();
}

inline std::string ProbePrintFile(const QByteArray &bytes) {
    const glancer::PrintDocument doc = glancer::ParsePrintFile(bytes);
    if (doc.PageCount() < 1) return "no page";
    if (doc.PageCount() > glancer::kMaxPages + 1) return "more pages than the limit";
    if (doc.outline.size() > glancer::kMaxOutlineEntries + 1) return "more outline entries than the limit";
    for (const glancer::ReportPage &p : doc.pages) {
        if (p.lines.size() > glancer::kSheetLines) return "a page longer than a sheet";
        for (const QString &l : p.lines)
            if (glancer::LineColumns(l) > glancer::kSheetColumns) return "a line wider than a sheet";
    }
    for (const glancer::OutlineEntry &e : doc.outline) {
        if (e.level < 1 || e.level > 2) return "outline level";
        if (e.page < 0 || e.page >= doc.PageCount()) return "outline page outside the document";
        if (e.line < 0 || e.line >= doc.pages.at(e.page).lines.size()) return "outline line outside its page";
    }
    for (const glancer::ReportPage &p : doc.pages) {
        for (const QString &l : p.lines) {
            for (QChar c : l) {
                if (c.unicode() < 0x20 || c.unicode() == 0x7F) return "control character left in a line";
            }
        }
    }
    return std::string();
}

// Every double of the engine's results; false at the first one that is not
// finite, with its name in `where`.
inline bool AllFinite(const CalcResults &r, std::string &where) {
    auto ok = [&where](double v, const char *name) {
        if (std::isfinite(v)) return true;
        where = name;
        return false;
    };
    if (!ok(r.DesignFloodLevel, "DesignFloodLevel")) return false;
    if (r.objTp) {
        if (!ok(r.objTp->tp(), "tp")) return false;
        for (const auto &i : r.objTp->TpData())
            if (!ok(i->t, "Tp.t") || !ok(i->r, "Tp.r") || !ok(i->re, "Tp.re") || !ok(i->tp, "Tp.tp")) return false;
    }
    for (const auto &a : {r.objAveFp, r.objAveC}) {
        if (!a) continue;
        if (!ok(a->GN(), "Ave.GN") || !ok(a->GNV(), "Ave.GNV") || !ok(a->Ave(), "Ave.Ave")) return false;
        for (const auto &i : a->DataItem())
            if (!ok(i->n, "Ave.n") || !ok(i->V, "Ave.V") || !ok(i->NV, "Ave.NV")) return false;
    }
    if (r.objRdata) {
        for (const auto &i : r.objRdata->Datain())
            if (!ok(i->r, "Rdata.r") || !ok(i->nr, "Rdata.nr") || !ok(i->i, "Rdata.i")) return false;
        for (const auto &i : r.objRdata->DataR())
            if (!ok(i->r, "RdataR.r")) return false;
    }
    if (r.objQi) {
        if (!ok(r.objQi->Q1(), "Q1")) return false;
        for (const auto &i : r.objQi->Qi())
            if (!ok(i->r, "Qi.r") || !ok(i->Qi, "Qi.Qi") || !ok(i->Qid, "Qi.Qid")) return false;
    }
    if (r.objQo) {
        if (!ok(r.objQo->Q2(), "Q2") || !ok(r.objQo->Hmax(), "Hmax")) return false;
        for (const auto &i : r.objQo->HVC())
            if (!ok(i->EL, "HVC.EL") || !ok(i->h, "HVC.h") || !ok(i->A, "HVC.A") || !ok(i->V, "HVC.V")) return false;
        for (const auto &i : r.objQo->Qo())
            if (!ok(i->Qi, "Qo.Qi") || !ok(i->Qo, "Qo.Qo") || !ok(i->EL, "Qo.EL") || !ok(i->h, "Qo.h") ||
                !ok(i->V, "Qo.V"))
                return false;
    }
    return true;
}

inline std::string ProbeCalculation(const QString &path, const QByteArray &bytes) {
    if (!WriteProbe(path, bytes)) return "cannot write the probe file";
    ProjectData data;
    const OpenResult read = OpenProjectFile(path, data);
    if (read.outcome != OpenOutcome::Ok) return std::string();
    CalcRunOptions options;
    options.keepSeries = false;
    const CalcRun run = MakeCalcRun(data, options);
    if (!run.Ok) {
        if (run.Results.FailedError == 0) return "a failed run without an error number";
        return std::string();
    }
    std::string where;
    if (!AllFinite(run.Results, where)) return "non-finite result: " + where;
    if (const AccuracyCheck *c = run.ValidCheck()) {
        // Without a reference its values are absent (NaN) by design, and the
        // check must then say so and warn.
        if (!c->hasReference()) {
            if (!c->warning()) return "a check without a reference that does not warn";
        } else if (!std::isfinite(c->refQ2) || !std::isfinite(c->refHmax)) {
            return "non-finite accuracy check";
        }
    }
    return std::string();
}

}  // namespace wyndlor::probe
