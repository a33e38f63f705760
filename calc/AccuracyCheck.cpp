#include "calc/AccuracyCheck.h"

#include "calc/Arith.h"

#include <algorithm>
#include <cmath>

namespace wyndlor {

const char *AccuracyReasonWord(AccuracyReason reason) {
    switch (reason) {
    case AccuracyReason::NonConverged: return "nonConverged";
    case AccuracyReason::Depth: return "depth";
    case AccuracyReason::Discharge: return "discharge";
    case AccuracyReason::Start: return "start";
    case AccuracyReason::AboveTable: return "aboveTable";
    case AccuracyReason::NoReference: return "noReference";
    }
    return "unknown";
}

bool IsStepReason(AccuracyReason reason) {
    return reason == AccuracyReason::NonConverged || reason == AccuracyReason::Depth ||
           reason == AccuracyReason::Discharge;
}

bool AccuracyCheck::Has(AccuracyReason reason) const {
    return std::find(reasons.begin(), reasons.end(), reason) != reasons.end();
}

bool AccuracyCheck::HasStepReason() const { return std::any_of(reasons.begin(), reasons.end(), IsStepReason); }

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

// The reference of a routing; false when it cannot be computed (its
// failure in `error`).
bool RouteReference(const CQo &routed, double subStep, bool keepSeries, CRefRouting &ref, int32_t &error) {
    ref.SubStep = subStep;
    ref.KeepSeries = keepSeries;
    if (!ref.SetFrom(routed)) {
        error = err::InvalidCall;
        return false;
    }
    ref.Calc();
    error = ref.Error();
    return error == 0;
}

// The step criteria of a routing against its reference, each tolerance
// multiplied by `share`.  The discharge tolerance is never below half the
// last decimal the routing stores, so that the rounding of Q2 alone never
// fails it.
bool DepthDiffers(const CQo &routed, const CRefRouting &ref, double share) {
    return std::fabs(ref.Hmax() - routed.Hmax()) > share * kDepthTolerance;
}
bool DischargeDiffers(const CQo &routed, const CRefRouting &ref, double share) {
    const double rounding = 0.5 * std::pow(10.0, -routed.DecQo);
    return std::fabs(ref.Q2() - routed.Q2()) > std::max(share * kDischargeTolerance * ref.Q2(), rounding);
}

// The level the starting storage stands for on the routing's own storage
// -> level lookup, m; NaN when the lookup fails.
double StartLevel(const CQo &routed) {
    const double V0 = GuidelineStartStorage(routed);
    if (std::isnan(V0)) return V0;
    try {
        return routed.HVCMethod != 0 ? routed.GetELBisect(V0) : routed.GetELLinear(V0);
    } catch (const CalcFailure &) {
        return std::numeric_limits<double>::quiet_NaN();
    }
}

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
    out.routing = DiagnoseRouting(routed);
    out.maxLevel = -std::numeric_limits<double>::infinity();
    for (const auto &item : routed.Qo()) out.maxLevel = std::max(out.maxLevel, item->EL);
    if (routed.Qo().Count() == 0) out.maxLevel = routed.ELS;
    out.startOffset = StartLevel(routed) - routed.ELS;
    const bool frustum = routed.HVCMethod != 0;
    if (frustum && routed.HVC().Count() > 0) out.topLevel = routed.HVC().Item(routed.HVC().Count())->EL;
    out.balance = BalancePercent(routed);

    CRefRouting ref;
    const bool haveReference = RouteReference(routed, options.subStep, options.keepSeries, ref, out.error);
    if (haveReference) {
        out.refQ2 = ref.Q2();
        out.tPeak = ref.TPeak();
        out.refHmax = ref.Hmax();
        out.refMaxLevel = ref.MaxLevel();
        out.refKPerMinute = ref.MaxRate() * 60.0;
        out.refQoAtPoints = ref.QoAtPoints();
        out.refSeries = ref.Series();
    }

    using R = AccuracyReason;
    if (out.routing.nonConverged > 0) out.reasons.push_back(R::NonConverged);
    if (haveReference && DepthDiffers(routed, ref, 1.0)) out.reasons.push_back(R::Depth);
    if (haveReference && DischargeDiffers(routed, ref, 1.0)) out.reasons.push_back(R::Discharge);
    // A start that cannot be located at all is as far off as can be.
    if (!(std::fabs(out.startOffset) <= kStartTolerance)) out.reasons.push_back(R::Start);
    if (frustum && (out.maxLevel > out.topLevel || (haveReference && out.refMaxLevel > out.topLevel)))
        out.reasons.push_back(R::AboveTable);
    if (!haveReference) out.reasons.push_back(R::NoReference);
    return out;
}

namespace {

// True when the routing of the time points of `inflow` up to `tUntil`
// (minutes) through the pond of `pond` already fails to settle somewhere.
// The routing is sequential, so these points come out exactly as the first
// points of the whole trial routing: a trial that fails there needs no
// more.  Where the level iteration does not settle, every point runs all
// 201 passes, so this saves most of the cost of a failing trial.
bool FailsToSettleUntil(const CQo &pond, const clsQi &inflow, int32_t tUntil) {
    CQo probe;
    probe.HVCMethod = pond.HVCMethod;
    probe.ELS = pond.ELS;
    probe.SectType = pond.SectType;
    probe.SectEL = pond.SectEL;
    probe.SectB = pond.SectB;
    probe.SectCd = pond.SectCd;
    probe.DecQo = pond.DecQo;
    probe.DecH = pond.DecH;
    probe.DecV = pond.DecV;
    // The frustum preparation recomputes h and V from EL and A.
    for (const auto &p : pond.HVC()) probe.HVC().Add(p->EL, p->h, p->A, p->V);
    for (const auto &step : inflow.Qi()) {
        probe.Qo().Add(step->t, step->Qid);
        if (step->t >= tUntil) break;
    }
    probe.Calc();
    return probe.Error() == 0 && DiagnoseRouting(probe).nonConverged > 0;
}

// One trial of the step search: the whole calculation at `dtMinutes`, from
// the step on where the time step enters (rainfall, inflow, routing); the
// flood arrival time and the averages of `base` do not depend on it.  True
// when it passes the step criteria with kSuggestedStepMargin of their
// tolerances.  With `probeUntil` > 0 the routing up to that time (minutes)
// is tried first.
bool PassesAt(ProjectData &scratch, const CalcResults &base, int32_t dtMinutes, double subStep,
              int32_t probeUntil) {
    scratch.DeltaTData(slot::DeltaT) = SlotValue::Int32(dtMinutes);
    CalcResults trial;
    trial.objTp = base.objTp;
    trial.objAveFp = base.objAveFp;
    trial.objAveC = base.objAveC;
    if (CalcRainfall(scratch, trial) != 0 || CalcQi(scratch, trial) != 0) return false;
    if (probeUntil > 0 && FailsToSettleUntil(*base.objQo, *trial.objQi, probeUntil)) return false;
    if (CalcQo(scratch, trial) != 0) return false;
    const CQo &routed = *trial.objQo;
    if (!std::isfinite(routed.SectEL + routed.Hmax())) return false;
    // An iteration that did not settle fails at once, without a reference.
    if (DiagnoseRouting(routed).nonConverged > 0) return false;
    CRefRouting ref;
    int32_t error = 0;
    if (!RouteReference(routed, subStep, false, ref, error)) return false;
    return !DepthDiffers(routed, ref, kSuggestedStepMargin) && !DischargeDiffers(routed, ref, kSuggestedStepMargin);
}

}  // namespace

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
    // Only the time step is searched for: the data's own faults (start,
    // above the table, no reference) have their remedy in the data.
    if (!out.HasStepReason() || !options.searchStep) return out;

    // Whole minutes between a step that passes (lo, the sentinel one below
    // the smallest step until one is found) and one that fails (hi, the
    // current step to begin with).  The stiffness number of the reference
    // (accurate levels; a smaller step's sharper flood only raises it)
    // brackets hi at once: from kCertainFailK on no step can pass, and
    // where that is the smallest step none is tried.  The first trial is
    // the step the present misses point to: where the iteration did not
    // settle, the step at which the stiffness number falls to kSettlingK
    // (k grows in proportion to the step); else the step at which the depth
    // and peak differences, taken as proportional to the step, fall to the
    // search's tolerances.  From there the search gallops away from it in
    // strides of 1, 2, 4 and 8 minutes while the trials agree with the
    // first, then bisects.  It ends with hi = lo + 1: lo passes and the next
    // larger fails (by trial, or by the bracket).  At most 5 + 7 =
    // kMaxStepTrials trials for the 110 steps.
    out.suggestion = AccuracySuggestion::NoStepPasses;
    int32_t lo = kSmallestSuggestedDeltaT - 1;
    int32_t hi = deltaT;
    const double kPerMinute = out.refKPerMinute > 0 ? out.refKPerMinute : out.routing.maxK / deltaT;
    if (kPerMinute > 0) {
        const double certainFail = std::ceil(kCertainFailK / kPerMinute);
        if (certainFail < hi) hi = std::max(lo + 1, static_cast<int32_t>(certainFail));
    }
    if (hi - lo <= 1) return out;
    double estimate = deltaT / 2.0;
    if (out.routing.nonConverged > 0) {
        if (kPerMinute > 0) estimate = kSettlingK / kPerMinute;
    } else if (out.hasReference()) {
        const double depthMiss = std::fabs(out.refHmax - out.hmax) / (kSuggestedStepMargin * kDepthTolerance);
        const double peakMiss = out.refQ2 > 0 ? std::fabs(out.refQ2 - out.q2) /
                                                    (kSuggestedStepMargin * kDischargeTolerance * out.refQ2)
                                              : 0.0;
        const double miss = std::max(depthMiss, peakMiss);
        if (miss > 0) estimate = deltaT / miss;
    }
    constexpr int32_t kLongestStride = 8;  // minutes
    int32_t next = static_cast<int32_t>(std::clamp(std::floor(estimate), double(lo + 1), double(hi - 1)));
    int32_t stride = 1;
    bool galloping = true, upward = false;
    // Where the iteration did not settle at the current step, each trial
    // first routes up to the reference's peak, where the pond is stiffest.
    const int32_t probeUntil =
        out.routing.nonConverged > 0 && out.hasReference() ? static_cast<int32_t>(std::ceil(out.tPeak)) : 0;
    ProjectData scratch = data;
    while (hi - lo > 1 && out.stepsTried < kMaxStepTrials) {
        ++out.stepsTried;
        const bool passes = PassesAt(scratch, results, next, options.subStep, probeUntil);
        if (passes)
            lo = next;
        else
            hi = next;
        if (out.stepsTried == 1) upward = passes;
        if (galloping && passes == upward && stride <= kLongestStride) {
            next = upward ? lo + stride : hi - stride;
            stride *= 2;
            if (next > lo && next < hi) continue;
        }
        galloping = false;
        next = lo + (hi - lo) / 2;
    }
    if (lo >= kSmallestSuggestedDeltaT) {
        out.suggestion = AccuracySuggestion::SmallerStep;
        out.suggestedDT = lo;
    }
    return out;
}

}  // namespace wyndlor
