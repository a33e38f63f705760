// Level-pool routing of the design inflow hydrograph through the pond.
//
// For every time point the storage equation
//   V = V_prev + ((Qi_prev + Qi) / 2 - (Qo_prev + Qo(E)) / 2) * dt
// is solved for the pond level E by a damped fixed-point iteration, each
// time point starting again from the starting level + 0.1 m.  The storage
// relation is either the constant-area method of the land-improvement
// design guideline for ponds (storage = area x depth above the full water
// level, given as two points) or frustums between level-area pairs.  The
// outflow over the spillway control section is C_d B H^1.5 (weir) or
// 1.704 C B H^1.5 (channel inflow without weir), H the head above SectEL.
//
// Units: levels and depths m, areas m2, storage m3, discharges m3/s, times
// in whole minutes, the routing step in seconds.
#pragma once

#include "calc/Items.h"

#include <vector>

namespace wyndlor {

// How the level iteration of one time point ended.  Calc records it beside
// the results, for the accuracy check; it takes no part in any result.
struct CQoPassRecord {
    int32_t passes = 0;     // passes run, 1 to 201
    bool atLimit = false;   // stopped by the pass limit, not by the 0.00001 m test
    double lastLevel = 0;   // trial level of the last pass (the unrounded EL), m
    double prevLevel = 0;   // trial level of the pass before it, m (= lastLevel after one pass)
};

class CQo {
public:
    int32_t HVCMethod = 0;  // 0 constant-area method, 1 frustums
    double ELS = 0;         // starting water level, m
    int32_t SectType = 1;   // 0 channel inflow without weir, otherwise weir
    double SectEL = 0;      // crest level, m
    double SectB = 0;       // width, m
    double SectCd = 0;      // C (type 0) or Cd (weir), m^0.5/s
    int32_t DecQo = 3;
    int32_t DecH = 3;
    int32_t DecV = 0;

    colQoHVC &HVC() { return hvc_; }
    const colQoHVC &HVC() const { return hvc_; }
    colQoData &Qo() { return qo_; }
    const colQoData &Qo() const { return qo_; }

    // Routes the time points of Qo (never adds or removes items).  A failure
    // stores its number in Error; items already routed keep their new
    // values, and n, Q2, Hmax keep their previous ones.  In the frustum
    // method fewer than two points, or levels that do not strictly increase,
    // fail at once with err::InvalidCall, before anything is changed.
    void Calc();

    int32_t Error() const { return error_; }
    int32_t n() const { return n_; }        // position of the peak outflow, 0 if none
    double Q2() const { return q2_; }       // peak outflow, m3/s
    double Hmax() const { return hmax_; }   // maximum overflow depth, m

    // One record per time point routed by the last Calc, in the order of Qo
    // (fewer when Calc failed part way).  A damped iteration that does not
    // settle shows as passes at the limit with the last two trial levels
    // apart; with the frustum method the 0.0001 m resolution of the
    // bisection alone can keep the iteration to the limit with the two
    // levels a fraction of a millimetre apart.
    const std::vector<CQoPassRecord> &PassRecords() const { return passes_; }

    // The storage relation and spillway of the last Calc, for other code
    // that routes the same pond (the points as prepared by the last Calc).
    double GetQo(double EL) const;               // level -> outflow, m3/s
    double GetVLinear(double EL) const;          // level -> storage, piecewise linear
    double GetELLinear(double V) const;          // storage -> level, piecewise linear
    double GetVFrustum(double EL) const;         // level -> storage, frustum
    double GetELBisect(double V) const;          // storage -> level, bisection

private:
    // The values of the time point before the one being routed, carried
    // unrounded from step to step.
    struct StepStart {
        double t = 0;    // min
        double Qi = 0;   // m3/s
        double Qo = 0;   // m3/s
        double V = 0;    // m3
    };

    // The steps of Calc, in order.
    void PrepareStoragePoints();   // frustum depths and storages, the lookup copy
    double StartingStorage() const;  // storage at ELS, m3
    void RouteTimePoint(clsQoData &item, StepStart &prev);
    void RoundResults();
    void FindPeak();

    const clsQoHVC &Pt(int32_t i) const { return pts_[static_cast<size_t>(i - 1)]; }
    int32_t SegmentByLevel(double x) const;
    int32_t SegmentByStorage(double x) const;

    colQoHVC hvc_;
    std::vector<clsQoHVC> pts_;  // copy of the prepared points for the lookups
    bool levelsRise_ = false;    // every point above the one before it
    colQoData qo_;
    std::vector<CQoPassRecord> passes_;
    int32_t error_ = 0;
    int32_t n_ = 0;
    double q2_ = 0, hmax_ = 0;
};

}  // namespace wyndlor
