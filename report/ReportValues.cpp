#include "report/ReportValues.h"

#include "calc/CQo.h"

#include <algorithm>
#include <cmath>

namespace wyndlor {

namespace {

bool Number(const SlotValue &v, double &out) { return v.ToDouble(out) == 0; }

// The records of an engine collection, in order.
template <class T>
std::vector<T> Records(const ItemCollection<T> &items) {
    std::vector<T> out;
    out.reserve(static_cast<size_t>(items.Count()));
    for (const auto &item : items) out.push_back(*item);
    return out;
}

}  // namespace

bool CollectConditionsValues(const ProjectData &data, const CalcResults &res, ConditionsValues &out) {
    if (!res.objRdata || !res.objQo) return false;
    out = ConditionsValues{};
    const SlotArray &c = data.ConditionsData;
    out.Title = QString::fromStdString(c(slot::Title).ToText());
    if (!Number(c(slot::Volume), out.V) || !Number(c(slot::FWL), out.FWL) || !Number(c(slot::Area), out.A) ||
        !Number(c(slot::Yoyuu), out.Margin) || !Number(c(slot::Qfix), out.Qfix))
        return false;
    const CQo &qo = *res.objQo;
    out.HVCMethod = qo.HVCMethod;
    out.ELS = qo.ELS;
    out.HV = Records(qo.HVC());
    const clsRdata &rd = *res.objRdata;
    out.Siki = rd.Siki;
    out.Unit = rd.Unit;
    out.a = rd.A;
    out.b = rd.b;
    out.n = rd.n;
    if (res.objAveFp && res.objAveC) {
        out.FpItems = Records(res.objAveFp->DataItem());
        out.CItems = Records(res.objAveC->DataItem());
        out.FpGNV = res.objAveFp->GNV();
        out.CGNV = res.objAveC->GNV();
        out.AreaSum = res.objAveFp->GN();
        out.FpAve = res.objAveFp->Ave();
        out.CAve = res.objAveC->Ave();
    }
    const SlotArray &s = data.CatchmentSummary;
    if (!Number(s(slot::SumArea), out.Area) || !Number(s(slot::SumFp), out.Fp) || !Number(s(slot::SumC), out.C))
        return false;
    out.SectType = qo.SectType;
    out.SectB = qo.SectB;
    out.SectCd = qo.SectCd;
    return true;
}

bool CollectDischargeValues(const ProjectData &data, const CalcResults &res, DischargeValues &out,
                            const AccuracyCheck *check) {
    if (!res.objTp || !res.objRdata || !res.objQi) return false;
    out = DischargeValues{};
    if (!Number(data.ConditionsData(slot::Yoyuu), out.Margin)) return false;
    out.MarginFactor = res.objQi->Fs;
    const clsRdata &rd = *res.objRdata;
    out.Siki = rd.Siki;
    out.a = rd.A;
    out.b = rd.b;
    out.n = rd.n;
    out.Tp = Records(res.objTp->TpData());
    out.tp = res.objTp->tp();
    if (!Number(data.DeltaTData(slot::DeltaT), out.DeltaT)) return false;
    out.Rainfall = Records(rd.Datain());
    out.Pattern = rd.Pattern;
    out.Waveform = Records(rd.DataR());
    out.Hydrograph = Records(res.objQi->Qi());
    out.Q1 = res.objQi->Q1();
    if (check && std::fabs(check->InflowShare()) > kInflowTolerance) {
        out.ApartFromTp = true;
        out.TpStep = check->tpStep;
        out.Q1Share = std::min(check->InflowShare() * 100, kMaxPrintedPercent);
    }
    return true;
}

AccuracyNoteValues CollectAccuracyNote(const AccuracyCheck &check, const CQo &routed) {
    AccuracyNoteValues note;
    note.Print = check.ok;
    if (!note.Print) return note;
    note.Warning = check.warning();
    note.HasReference = check.hasReference();
    if (note.HasReference) {
        note.RefQ2 = check.refQ2;
        note.RefHmax = check.refHmax;
        note.RefLevel = check.designFloodLevel;
        note.DepthDiff = std::fabs(check.hmax - check.refHmax);
        const double share = std::fabs(check.q2 - check.refQ2) / check.refQ2 * 100;
        note.DischargeDiff = std::isfinite(share) ? std::min(share, kMaxPrintedPercent)
                                                  : (check.q2 == check.refQ2 ? 0.0 : kMaxPrintedPercent);
    }
    note.Balance = std::isfinite(check.balance) ? check.balance : 0;
    note.NonConverged = check.Has(AccuracyReason::NonConverged) ? check.routing.nonConverged : 0;
    if (const auto first = check.routing.firstNonConverged >= 1 &&
                                   check.routing.firstNonConverged <= routed.Qo().Count()
                               ? routed.Qo().Item(check.routing.firstNonConverged)
                               : nullptr) {
        note.FirstHH = first->hh;
        note.FirstMM = first->mm;
    }
    note.Inflow = check.Has(AccuracyReason::Inflow);
    note.TpStep = check.tpStep;
    note.Q1AtTpStep = std::isfinite(check.q1AtTpStep) ? check.q1AtTpStep : 0;
    note.Routing = check.HasRoutingReason();
    note.Depth = check.Has(AccuracyReason::Depth);
    note.Discharge = check.Has(AccuracyReason::Discharge);
    if (note.Routing) note.SafeSideLevel = check.safeSideLevel;
    note.Start = check.Has(AccuracyReason::Start);
    // A start that could not be located prints as the widest offset the
    // line holds.
    if (note.Start) note.StartOffset = std::isfinite(check.startOffset) ? check.startOffset : 999.999;
    note.AboveCrest = check.Has(AccuracyReason::AboveCrest);
    note.AboveTable = check.Has(AccuracyReason::AboveTable);
    if (note.AboveTable) note.TopLevel = check.topLevel;
    return note;
}

bool CollectWaterLevelValues(const ProjectData &data, const CalcResults &res, WaterLevelValues &out,
                             const AccuracyCheck *check) {
    if (!res.objQi || !res.objQo) return false;
    out = WaterLevelValues{};
    if (!Number(data.ConditionsData(slot::FWL), out.FWL)) return false;
    out.Q1 = res.objQi->Q1();
    out.Routing = Records(res.objQo->Qo());
    out.PeakRow = res.objQo->n();
    out.Q2 = res.objQo->Q2();
    out.Hmax = res.objQo->Hmax();
    out.DesignFloodLevel = res.DesignFloodLevel;
    if (check) out.Note = CollectAccuracyNote(*check, *res.objQo);
    return true;
}

}  // namespace wyndlor
