#include "calc/AccuracyCheck.h"
#include "calc/AccuracyParts.h"

#include "calc/Arith.h"

#include <algorithm>
#include <cmath>

namespace wyndlor {

const char *AccuracyReasonWord(AccuracyReason reason) {
    switch (reason) {
    case AccuracyReason::Inflow: return "inflow";
    case AccuracyReason::NonConverged: return "nonConverged";
    case AccuracyReason::Depth: return "depth";
    case AccuracyReason::Discharge: return "discharge";
    case AccuracyReason::Start: return "start";
    case AccuracyReason::AboveCrest: return "aboveCrest";
    case AccuracyReason::AboveTable: return "aboveTable";
    case AccuracyReason::NoReference: return "noReference";
    }
    return "unknown";
}

bool IsRoutingReason(AccuracyReason reason) {
    return reason == AccuracyReason::NonConverged || reason == AccuracyReason::Depth ||
           reason == AccuracyReason::Discharge;
}

bool AccuracyCheck::Has(AccuracyReason reason) const {
    return std::find(reasons.begin(), reasons.end(), reason) != reasons.end();
}

bool AccuracyCheck::HasRoutingReason() const {
    return std::any_of(reasons.begin(), reasons.end(), IsRoutingReason);
}

RoutingDiagnostics DiagnoseRouting(const CQo &routed) {
    RoutingDiagnostics d;
    const auto &records = routed.PassRecords();
    d.timePoints = static_cast<int32_t>(records.size());
    const bool frustum = routed.HVCMethod != 0;

    // The storage relation and spillway the reference uses give A and dQ/dh.
    CRefRouting pond;
    pond.SectType = routed.SectType;
    pond.SectEL = routed.SectEL;
    pond.SectB = routed.SectB;
    pond.SectCd = routed.SectCd;
    std::vector<PiecewiseStorage::Point> points;
    for (const auto &p : routed.HVC()) points.push_back({p->EL, p->V});
    const bool haveStorage = pond.Storage.Set(std::move(points));

    double tPrev = 0;
    int32_t pos = 0;
    for (const CQoPassRecord &r : records) {
        ++pos;
        const bool unsettled =
            r.atLimit && (!frustum || std::fabs(r.lastLevel - r.prevLevel) > kFrustumLevelSpread);
        if (unsettled) {
            if (d.nonConverged == 0) d.firstNonConverged = pos;
            ++d.nonConverged;
        }
        const double t = routed.Qo().Item(pos)->t;
        const double dtSeconds = (t - tPrev) * 60.0;
        tPrev = t;
        if (!haveStorage || r.lastLevel <= routed.SectEL) continue;
        const double area = pond.Storage.AreaAt(r.lastLevel);
        if (!(area > 0)) continue;
        const double k = dtSeconds * pond.OutflowRate(r.lastLevel) / area;
        if (k > d.maxK) {
            d.maxK = k;
            d.maxKAt = pos;
        }
    }
    return d;
}

namespace {

// Inflow volume - outflow volume - storage change of the stored table, in
// % of the inflow volume (trapezoids, from 0 m3/s at t = 0).
double BalancePercent(const CQo &routed) {
    const double V0 = GuidelineStartStorage(routed);
    double tPrev = 0, qiPrev = 0, qoPrev = 0, vLast = V0;
    double in = 0, out = 0;
    for (const auto &item : routed.Qo()) {
        const double dt = (item->t - tPrev) * 60.0;
        in += (qiPrev + item->Qi) / 2.0 * dt;
        out += (qoPrev + item->Qo) / 2.0 * dt;
        tPrev = item->t;
        qiPrev = item->Qi;
        qoPrev = item->Qo;
        vLast = item->V;
    }
    if (!(in > 0) || !std::isfinite(in)) return std::numeric_limits<double>::quiet_NaN();
    return (in - out - (vLast - V0)) / in * 100.0;
}

}  // namespace

AccuracyCheck CheckRouting(const CQo &routed, const AccuracyOptions &options) {
    AccuracyCheck out;
    if (routed.Error() != 0) {
        out.error = err::InvalidCall;
        return out;
    }
    out.ok = true;
    out.q2 = routed.Q2();
    out.hmax = routed.Hmax();
    out.crest = routed.SectEL;
    out.guidelineLevel = routed.SectEL + routed.Hmax();
    out.routing = DiagnoseRouting(routed);
    out.maxLevel = -std::numeric_limits<double>::infinity();
    for (const auto &item : routed.Qo()) out.maxLevel = std::max(out.maxLevel, item->EL);
    if (routed.Qo().Count() == 0) out.maxLevel = routed.ELS;
    if (routed.HVCMethod != 0 && routed.HVC().Count() > 0)
        out.topLevel = routed.HVC().Item(routed.HVC().Count())->EL;
    out.balance = BalancePercent(routed);

    CRefRouting ref;
    const bool haveReference = JudgeRoutingAgainstReference(routed, options, ref, out);
    JudgeData(routed, haveReference ? &ref : nullptr, out);
    return out;
}

AccuracyCheck CheckAccuracy(const ProjectData &data, const CalcResults &results,
                            const AccuracyOptions &options) {
    AccuracyCheck out;
    if (!results.objQo || results.FailedStep != CalcStep::None) {
        out.error = err::InvalidCall;
        return out;
    }
    int32_t deltaT = 0;
    if (int32_t e = data.DeltaTData(slot::DeltaT).ToLong(deltaT)) {
        out.error = e;
        return out;
    }
    out = CheckRouting(*results.objQo, options);
    if (!out.ok) return out;
    out.deltaT = deltaT;
    JudgeInflow(data, results, out);
    return out;
}

}  // namespace wyndlor
