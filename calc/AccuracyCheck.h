// Accuracy check of the flood routing: is the calculation time step fine
// enough for this pond?
//
// The guideline routing steps once per calculation time step (10 to 120
// minutes) and solves each step by a damped fixed-point iteration of at most
// 201 passes.  Two things can go wrong, both on the unsafe side:
//
//   - The coarse step smooths the peak and samples the outflow only at the
//     time points.  Even where every step converges the peak outflow is
//     typically 0-24 % below a fine-step routing and the maximum overflow
//     depth up to a few decimetres below it.
//   - A pond that responds fast against the step (small area, wide spillway,
//     long step) defeats the iteration.  With k = dt dQ/dh / A (dt the step
//     in s, dQ/dh = 1.5 c B sqrt(H) the spillway's rate, A the surface area)
//     the update E <- (E + E')/2 contracts by |1 - k/2| / 2 per pass, so
//     above k of about 6 the levels oscillate instead of settling and the
//     stored results are those of an arbitrary last pass.
//
// CheckAccuracy measures both beside a finished calculation without
// changing any of its results: it counts the time points whose iteration
// did not settle, finds the largest k, routes the same flood through the
// same pond with the fine-step reference (CRefRouting) and compares the
// maximum overflow depth.  When it warns it recalculates the project in
// memory at smaller whole-minute steps to find the largest one that passes.
#pragma once

#include "calc/CRefRouting.h"
#include "calc/CalcDriver.h"

#include <cstdint>
#include <vector>

namespace wyndlor {

// Limits of the verdict.
constexpr double kDepthTolerance = 0.05;         // m, reference Hmax against the guideline's
constexpr double kFrustumLevelSpread = 0.001;    // m, last two trial levels of a frustum point
constexpr int32_t kSmallestSuggestedDeltaT = 10;  // minutes, the smallest step the input allows

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
    None,          // no warning, or the search was not asked for
    SmallerStep,   // suggestedDT passes the check
    NoStepPasses,  // no whole-minute step from 10 up to the current one passes
};

struct AccuracyOptions {
    double subStep = 1.0;      // reference sub-step, minutes
    bool searchStep = true;    // on a warning, look for a step that passes
    bool keepSeries = true;    // keep the reference's sub-step series
};

struct AccuracyCheck {
    // False when there is nothing to check (no successful calculation in the
    // results, a storage relation the reference cannot use, a failed
    // reference); then `error` holds the reason and nothing else is set.
    bool ok = false;
    int32_t error = 0;

    // The guideline run, as checked.
    int32_t deltaT = 0;        // calculation time step, minutes (CheckAccuracy only)
    double q2 = 0;             // its peak outflow Q2, m3/s
    double hmax = 0;           // its maximum overflow depth Hmax, m
    RoutingDiagnostics routing;

    // The reference routing of the same flood and pond.
    double refQ2 = 0;          // peak outflow over all sub-steps, m3/s
    double tPeak = 0;          // time of that peak, minutes
    double refHmax = 0;        // maximum overflow depth, m
    std::vector<double> refQoAtPoints;  // outflow at each time point of Qo, m3/s
    std::vector<RefSample> refSeries;   // every sub-step (with keepSeries)

    // The verdict.
    bool depthDiffers = false;  // |refHmax - hmax| > kDepthTolerance
    bool warning = false;       // depthDiffers or routing.nonConverged > 0
    AccuracySuggestion suggestion = AccuracySuggestion::None;
    // With SmallerStep: the largest whole-minute step from 10 up to the
    // current one at which the whole calculation (rainfall, inflow and
    // routing at that step) passes against its own reference; else 0.
    int32_t suggestedDT = 0;
    int32_t stepsTried = 0;     // recalculations made by the search
};

// The verdict on one routing after its Calc, without the search for a
// smaller step (deltaT, suggestion and suggestedDT stay unset).  ok is
// false when the routing failed or its points make no storage relation.
AccuracyCheck CheckRouting(const CQo &routed, const AccuracyOptions &options = AccuracyOptions());

// Checks the routing of a finished calculation.  `results` must come from
// CalcAll(data, results) and have succeeded.  Nothing in either changes;
// the search for a smaller step works on copies.  The cost is one reference
// routing (a few ms for a thousand time points) and, on a warning, up to
// one recalculation and reference per whole minute from the current step
// down to the first one that passes.
AccuracyCheck CheckAccuracy(const ProjectData &data, const CalcResults &results,
                            const AccuracyOptions &options = AccuracyOptions());

}  // namespace wyndlor
