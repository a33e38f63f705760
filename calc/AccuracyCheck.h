// Accuracy check of the flood routing: can the engineer rely on the
// guideline results of this pond at this calculation time step?
//
// The guideline routing steps once per calculation time step (10 to 120
// minutes) and solves each step by a damped fixed-point iteration of at most
// 201 passes.  Several things can go wrong, all of them on the unsafe side:
//
//   - The coarse step smooths the peak and samples the outflow only at the
//     time points.  Even where every step converges the peak outflow can be
//     well below a fine-step routing, and the maximum overflow depth up to a
//     few decimetres below it.
//   - A pond that responds fast against the step (small area, wide spillway,
//     long step) defeats the iteration.  With k = dt dQ/dh / A (dt the step
//     in s, dQ/dh = 1.5 c B sqrt(H) the spillway's rate, A the surface area)
//     the update E <- (E + E')/2 contracts by |1 - k/2| / 2 per pass, so
//     above k of about 6 the levels oscillate instead of settling and the
//     stored results are those of an arbitrary last pass.
//   - Frustum method: the routing starts from the frustum volume at the
//     starting level but reads levels back from the piecewise-linear
//     storage between the h-A rows, so its effective start lies below the
//     entered level inside a segment, and far above it when the starting
//     level is above the top row.  That is a property of the h-A data, not
//     of the time step.
//   - Frustum method: above the top h-A row the storage is extrapolated;
//     how it is extended decides the result there.
//
// CheckAccuracy measures all of these beside a finished calculation without
// changing any of its results.  It routes the same flood through the same
// pond with the fine-step reference (CRefRouting), started from the
// guideline's own starting storage so that the comparison measures the time
// step alone, and lists every criterion that fails as a reason.  When a
// reason of the time step applies it recalculates the project in memory at
// smaller whole-minute steps (from an estimate of the step, then galloping
// and bisection, at most kMaxStepTrials of them) for the largest one that
// passes with half the tolerances.
#pragma once

#include "calc/CRefRouting.h"
#include "calc/CalcDriver.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace wyndlor {

// Limits of the verdict.
constexpr double kDepthTolerance = 0.05;         // m, |reference Hmax - Hmax|
constexpr double kDischargeTolerance = 0.05;     // |reference Q2 - Q2| as a share of the reference Q2
constexpr double kStartTolerance = 0.01;         // m, |startOffset|
// A suggested step passes with this share of the depth and discharge
// tolerances, so that a recalculation at it does not land on the edge.
constexpr double kSuggestedStepMargin = 0.5;
constexpr double kFrustumLevelSpread = 0.001;    // m, last two trial levels of a frustum point
constexpr int32_t kSmallestSuggestedDeltaT = 10;  // minutes, the smallest step the input allows
constexpr int32_t kMaxStepTrials = 12;           // recalculations of the step search, at most
// The level iteration settles only for k below about this (see above); at
// twice it the update grows any error two and a half times a pass, so a
// step that gives it cannot pass.
constexpr double kSettlingK = 6.0;
constexpr double kCertainFailK = 2 * kSettlingK;

// Why a check warns, in the order the check lists them.
enum class AccuracyReason {
    NonConverged,  // the level iteration did not settle at some time point
    Depth,         // |reference Hmax - Hmax| > kDepthTolerance
    Discharge,     // |reference Q2 - Q2| > kDischargeTolerance x reference Q2
    Start,         // |startOffset| > kStartTolerance
    AboveTable,    // frustum method: a level above the top h-A row
    NoReference,   // the reference routing could not be computed
};
// The reason's word in the command line's JSON and CSV ("nonConverged",
// "depth", "discharge", "start", "aboveTable", "noReference").
const char *AccuracyReasonWord(AccuracyReason reason);
// True for the reasons a smaller time step can cure.
bool IsStepReason(AccuracyReason reason);

// How the guideline routing's iteration went, from CQo::PassRecords.
struct RoutingDiagnostics {
    int32_t timePoints = 0;
    // Time points whose iteration did not settle.  Constant-area method: the
    // points that ended at the pass limit.  Frustum method: reaching the
    // limit is common and harmless there (the bisection resolves only
    // 0.0001 m), so only the points at the limit whose last two trial
    // levels are more than kFrustumLevelSpread apart.
    int32_t nonConverged = 0;
    int32_t firstNonConverged = 0;  // 1-based position in Qo, 0 when none
    // The largest k = dt dQ/dh / A over the time points with outflow (dt the
    // point's own step in s, H and A at its unrounded level, A the slope of
    // the piecewise-linear storage there); 0 when nothing flows out.
    double maxK = 0;
    int32_t maxKAt = 0;             // 1-based position in Qo, 0 when none
};

// Diagnoses a routing after its Calc.  The storage relation of its prepared
// points gives A; a relation that is no proper storage curve gives maxK 0.
RoutingDiagnostics DiagnoseRouting(const CQo &routed);

enum class AccuracySuggestion {
    None,          // no reason of the time step, or the search was not asked for
    SmallerStep,   // suggestedDT passes
    NoStepPasses,  // no whole-minute step from 10 up to the current one passes
};

struct AccuracyOptions {
    double subStep = 1.0;      // reference sub-step, minutes
    bool searchStep = true;    // on a reason of the time step, look for a step that passes
    bool keepSeries = true;    // keep the reference's sub-step series
};

struct AccuracyCheck {
    // False only when there is nothing to check (no successful routing);
    // then `error` holds the reason and nothing else is set.  A check made
    // on a successful routing always stands, even when its reference could
    // not be computed (reason NoReference, `error` the reference's failure).
    bool ok = false;
    int32_t error = 0;

    // The guideline run, as checked.
    int32_t deltaT = 0;        // calculation time step, minutes (CheckAccuracy only)
    double q2 = 0;             // its peak outflow Q2, m3/s
    double hmax = 0;           // its maximum overflow depth Hmax, m
    double maxLevel = 0;       // its highest stored water level, m
    RoutingDiagnostics routing;
    // The level the guideline's starting storage stands for on its own
    // storage relation (storage -> level lookup) minus the entered starting
    // level, m.
    double startOffset = 0;
    // Frustum method: level of the top h-A row, m; NaN otherwise.
    double topLevel = std::numeric_limits<double>::quiet_NaN();
    // Volume balance of the guideline routing as its table stands (stored
    // Qi, Qo and V, trapezoids between the time points from 0 m3/s at
    // t = 0): inflow volume - outflow volume - storage change, in % of the
    // inflow volume; NaN without inflow.  Information, not a reason.
    double balance = std::numeric_limits<double>::quiet_NaN();

    // The reference routing of the same flood and pond; NaN and empty with
    // reason NoReference.
    double refQ2 = std::numeric_limits<double>::quiet_NaN();     // peak outflow over all sub-steps, m3/s
    double tPeak = std::numeric_limits<double>::quiet_NaN();     // time of that peak, minutes
    double refHmax = std::numeric_limits<double>::quiet_NaN();   // maximum overflow depth, m
    double refMaxLevel = std::numeric_limits<double>::quiet_NaN();  // highest water level, m
    // The reference's largest stiffness number of a 1-minute step (dQ/dh / A
    // x 60 s); a step of dt minutes has k = dt x this.
    double refKPerMinute = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> refQoAtPoints;  // outflow at each time point of Qo, m3/s
    std::vector<RefSample> refSeries;   // every sub-step (with keepSeries)

    // The verdict: every criterion that fails, in the order of
    // AccuracyReason.  The check warns exactly when there is one.
    std::vector<AccuracyReason> reasons;
    bool warning() const { return !reasons.empty(); }
    bool Has(AccuracyReason reason) const;
    bool HasStepReason() const;     // a reason a smaller step can cure
    bool hasReference() const { return ok && !Has(AccuracyReason::NoReference); }

    AccuracySuggestion suggestion = AccuracySuggestion::None;
    // With SmallerStep: the largest whole-minute step from 10 up to the
    // current one at which the whole calculation (rainfall, inflow and
    // routing at that step) passes NonConverged, Depth and Discharge with
    // kSuggestedStepMargin of the tolerances against its own reference;
    // else 0.
    int32_t suggestedDT = 0;
    int32_t stepsTried = 0;     // recalculations made by the search
};

// The verdict on one routing after its Calc, without the search for a
// smaller step (deltaT, suggestion and suggestedDT stay unset).  ok is
// false only when the routing failed.
AccuracyCheck CheckRouting(const CQo &routed, const AccuracyOptions &options = AccuracyOptions());

// Checks the routing of a finished calculation.  `results` must come from
// CalcAll(data, results) and have succeeded.  Nothing in either changes;
// the search for a smaller step works on copies and reuses what does not
// depend on the step (flood arrival time, weighted averages).  The cost is
// one reference routing (about a millisecond for a thousand time points)
// and, for a reason of the time step, at most kMaxStepTrials
// recalculations with their references.
AccuracyCheck CheckAccuracy(const ProjectData &data, const CalcResults &results,
                            const AccuracyOptions &options = AccuracyOptions());

}  // namespace wyndlor
