// Fine-step reference routing of the same pond, to judge the guideline run.
//
// The guideline routing (CQo) takes one step per calculation time step of
// 10 to 120 minutes and samples the outflow only at the time points, so it
// smooths the peak of a fast-responding pond and, where the pond responds
// fast against the step, its damped level iteration may not settle at all.
// This class routes the same flood through the same pond accurately enough
// to measure that error:
//
//   - inflow linear in time between (0 min, 0 m3/s) and the time points
//     (t, Qi) of the routing's Qo list;
//   - the piecewise-linear storage over the routing's prepared points (for
//     the frustum method the h-V points after CQo's preparation, for the
//     constant-area method its two points), inverted exactly;
//   - starting storage = the guideline routing's own starting storage (the
//     frustum volume, or the constant-area storage, at the starting level),
//     so that the two routings start from the same water and differ by the
//     time step alone; without a routing, that storage at the starting
//     level; at least 0;
//   - the same spillway formula, C B H^1.5 with C = Cd (weir) or 1.704 C
//     (channel inflow without weir);
//   - the implicit trapezoidal rule at short sub-steps (1 minute by default,
//     a shorter last one where a time point is not a whole multiple):
//       V1 + dt/2 Q(V1) = V0 + dt ((I0 + I1)/2 - Q(V0)/2)
//     The left side rises strictly with V1, so the new storage exists and is
//     unique.  It is solved directly on the piecewise-linear storage: the
//     segment that holds it is found by the left side at the segment ends,
//     and inside a segment V = Vi + A (E - Ei) turns the equation into a
//     cubic c x^3 + A x^2 + d = 0 in x = sqrt(E - crest), whose one positive
//     root Newton's method reaches from above in a few passes.  Storage
//     never goes below 0.
//   - the peaks (outflow, depth, level) from the first time point after
//     t = 0 on, like the guideline's, which stores nothing before it: a
//     pond that starts above the crest does not count its starting level,
//     nor its draining until then, as a peak of the flood.
//
// The trapezoidal rule is unconditionally stable, so no pond is too fast for
// it, and at a 1-minute sub-step the peak is resolved to well under 0.1 %.
//
// Units: levels and depths m, areas m2, storage m3, discharges m3/s, times
// in minutes (double: sub-step times need not be whole).
#pragma once

#include "calc/CQo.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace wyndlor {

// A continuous piecewise-linear storage relation over points of rising level
// and non-decreasing storage: storage 0 below the first point, the last
// segment extended above the top.  This is the relation that CQo's linear
// lookups step with, without their search tolerance.
class PiecewiseStorage {
public:
    struct Point {
        double EL;  // m
        double V;   // m3
    };

    // False (and the relation left empty) for fewer than two points, levels
    // that do not rise strictly, storage that falls, or a top segment
    // without storage gain (no level could hold a storage above it).
    bool Set(std::vector<Point> points);
    bool Empty() const { return pts_.empty(); }

    double VolumeAt(double EL) const;  // m3; 0 below the first point
    // The lowest level holding storage V, m; the first point's level for V
    // at or below its storage.
    double LevelAt(double V) const;
    // The surface area dV/dE of the segment holding EL (the upper one at a
    // point), m2; the first segment's below the first point.
    double AreaAt(double EL) const;
    const std::vector<Point> &Points() const { return pts_; }

private:
    size_t SegmentByLevel(double EL) const;  // index i of segment (i, i+1)
    std::vector<Point> pts_;
};

// The starting storage of a routing after its Calc, m3: the frustum volume
// (frustum method) or the piecewise-linear storage (constant-area method)
// at its starting level, exactly as its Calc took it; NaN when the lookup
// fails.
double GuidelineStartStorage(const CQo &routed);

// One sample of the reference: the end of a sub-step.
struct RefSample {
    double t;   // minutes from the start of the hydrograph
    double Qo;  // outflow, m3/s
    double h;   // overflow depth above the crest, m (0 below it)
};

class CRefRouting {
public:
    // Inputs, as in CQo.
    PiecewiseStorage Storage;
    double ELS = 0;          // starting water level, m
    // Starting storage, m3; NaN: the storage of Storage at ELS.
    double StartStorage = std::numeric_limits<double>::quiet_NaN();
    int32_t SectType = 1;    // 0 channel inflow without weir, otherwise weir
    double SectEL = 0;       // crest level, m
    double SectB = 0;        // width, m
    double SectCd = 0;       // C (type 0) or Cd (weir)
    struct InflowPoint {
        int32_t t;  // minutes, not decreasing
        double Qi;  // m3/s
    };
    std::vector<InflowPoint> Inflow;
    double SubStep = 1.0;       // minutes, > 0
    bool KeepSeries = true;     // record every sub-step in Series()

    // Takes the storage relation, section, starting level and storage and
    // the time points of a routing after its Calc (the prepared points).
    // False when the points do not make a storage relation (see
    // PiecewiseStorage::Set).
    bool SetFrom(const CQo &routed);

    // Routes the inflow.  A failure (an empty storage relation, a sub-step
    // that is not positive, time points that go back, an overflow) stores
    // its number in Error and leaves the results empty.
    void Calc();

    int32_t Error() const { return error_; }
    double Q2() const { return q2_; }        // peak outflow over the sub-steps (see above), m3/s
    double TPeak() const { return tPeak_; }  // its time (the first one), minutes
    double Hmax() const { return hmax_; }    // maximum overflow depth, m
    double MaxLevel() const { return elMax_; }  // highest water level, m
    // Outflow and depth at each time point of Inflow, in its order.
    const std::vector<double> &QoAtPoints() const { return qoAt_; }
    const std::vector<double> &HAtPoints() const { return hAt_; }
    // Every sub-step end from t = 0 on (empty unless KeepSeries).
    const std::vector<RefSample> &Series() const { return series_; }

    // The spillway: outflow at level EL (m3/s) and its rate dQ/dE (m2/s).
    double Outflow(double EL) const;
    double OutflowRate(double EL) const;

private:
    // The state at the end of a sub-step.
    struct State {
        double V;  // storage, m3
        double E;  // level, m
        double Q;  // outflow, m3/s
    };
    double Coefficient() const;
    State At(double V) const;
    State StepState(const State &start, double I0, double I1, double dtSeconds) const;
    State SolveInSegment(size_t i, double R, double c, double hint) const;
    void Record(double t, const State &s);

    int32_t error_ = 0;
    double q2_ = 0, tPeak_ = 0, hmax_ = 0, elMax_ = 0;
    double peakFrom_ = 0;  // minutes: the peaks count from this time on
    std::vector<double> qoAt_, hAt_;
    std::vector<RefSample> series_;
};

}  // namespace wyndlor
