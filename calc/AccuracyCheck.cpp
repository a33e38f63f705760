#include "calc/AccuracyCheck.h"

#include <cmath>

namespace wyndlor {

RoutingDiagnostics DiagnoseRouting(const CQo &routed) {
    RoutingDiagnostics d;
    const auto &records = routed.PassRecords();
    d.timePoints = static_cast<int32_t>(records.size());
    const bool frustum = routed.HVCMethod != 0;

    // The same spillway and storage the reference uses give dQ/dh and A.
    CRefRouting pond;
    const bool haveStorage = pond.SetFrom(routed);

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

// One routing judged against its own reference.
struct Judgement {
    int32_t error = 0;  // 0 when the judgement could be made
    RoutingDiagnostics routing;
    CRefRouting reference;
    bool depthDiffers = false;
    bool warning = false;
};

// With fullJudgement false a routing that did not settle fails at once,
// without its reference (the search for a step needs only the verdict).
void Judge(const CQo &routed, double subStep, bool keepSeries, bool fullJudgement, Judgement &j) {
    if (routed.Error() != 0) {
        j.error = err::InvalidCall;
        return;
    }
    j.routing = DiagnoseRouting(routed);
    if (j.routing.nonConverged > 0 && !fullJudgement) {
        // Already fails; the reference would not change the verdict.
        j.warning = true;
        return;
    }
    j.reference.SubStep = subStep;
    j.reference.KeepSeries = keepSeries;
    if (!j.reference.SetFrom(routed)) {
        j.error = err::InvalidCall;
        return;
    }
    j.reference.Calc();
    if (j.reference.Error() != 0) {
        j.error = j.reference.Error();
        return;
    }
    j.depthDiffers = std::fabs(j.reference.Hmax() - routed.Hmax()) > kDepthTolerance;
    j.warning = j.depthDiffers || j.routing.nonConverged > 0;
}

}  // namespace

AccuracyCheck CheckRouting(const CQo &routed, const AccuracyOptions &options) {
    AccuracyCheck out;
    Judgement now;
    Judge(routed, options.subStep, options.keepSeries, true, now);
    if (now.error != 0) {
        out.error = now.error;
        return out;
    }
    out.ok = true;
    out.q2 = routed.Q2();
    out.hmax = routed.Hmax();
    out.routing = now.routing;
    out.refQ2 = now.reference.Q2();
    out.tPeak = now.reference.TPeak();
    out.refHmax = now.reference.Hmax();
    out.refQoAtPoints = now.reference.QoAtPoints();
    out.refSeries = now.reference.Series();
    out.depthDiffers = now.depthDiffers;
    out.warning = now.warning;
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
    if (!out.warning || !options.searchStep) return out;

    // From the current step downward: the first step that passes is the
    // largest.  The current one has just failed.
    out.suggestion = AccuracySuggestion::NoStepPasses;
    for (int32_t dt = deltaT - 1; dt >= kSmallestSuggestedDeltaT; --dt) {
        ++out.stepsTried;
        CalcResults trial;
        if (!CalcAllAtDeltaT(data, dt, trial)) continue;
        Judgement j;
        Judge(*trial.objQo, options.subStep, false, false, j);
        if (j.error == 0 && !j.warning) {
            out.suggestion = AccuracySuggestion::SmallerStep;
            out.suggestedDT = dt;
            break;
        }
    }
    return out;
}

}  // namespace wyndlor
