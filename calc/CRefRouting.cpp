#include "calc/CRefRouting.h"

#include "calc/Arith.h"

#include <algorithm>
#include <cmath>

namespace wyndlor {

namespace {
constexpr double kChannelFactor = 1.704;  // channel inflow without weir
constexpr double kRootTolerance = 1e-13;  // relative, of sqrt(head)
constexpr int32_t kMaxNewtonPasses = 60;  // from above on a convex cubic: a handful suffice
constexpr double kTimeSnap = 1e-9;        // minutes: a sub-step end this close to a point is the point
}  // namespace

// ---------------------------------------------------------------------------
// PiecewiseStorage

bool PiecewiseStorage::Set(std::vector<Point> points) {
    pts_.clear();
    if (points.size() < 2) return false;
    for (size_t i = 1; i < points.size(); ++i) {
        if (!(points[i].EL > points[i - 1].EL) || !(points[i].V >= points[i - 1].V)) return false;
    }
    const Point &top = points.back();
    const Point &below = points[points.size() - 2];
    if (!(top.V > below.V)) return false;
    for (const Point &p : points) {
        if (!std::isfinite(p.EL) || !std::isfinite(p.V)) return false;
    }
    pts_ = std::move(points);
    return true;
}

size_t PiecewiseStorage::SegmentByLevel(double EL) const {
    // Ten points at most in practice: a linear search is the quickest.
    size_t i = 0;
    while (i + 2 < pts_.size() && EL >= pts_[i + 1].EL) ++i;
    return i;
}

double PiecewiseStorage::VolumeAt(double EL) const {
    if (pts_.empty() || EL < pts_.front().EL) return 0;
    const size_t i = SegmentByLevel(EL);
    const Point &a = pts_[i];
    const Point &b = pts_[i + 1];
    return a.V + (EL - a.EL) * (b.V - a.V) / (b.EL - a.EL);
}

double PiecewiseStorage::LevelAt(double V) const {
    if (pts_.empty()) return 0;
    if (V <= pts_.front().V) return pts_.front().EL;
    // The first segment that reaches V; a flat segment never does, so the
    // division below is by a positive storage gain.
    size_t i = 0;
    while (i + 2 < pts_.size() && V > pts_[i + 1].V) ++i;
    const Point &a = pts_[i];
    const Point &b = pts_[i + 1];
    return a.EL + (V - a.V) * (b.EL - a.EL) / (b.V - a.V);
}

double PiecewiseStorage::AreaAt(double EL) const {
    if (pts_.empty()) return 0;
    const size_t i = SegmentByLevel(EL);
    const Point &a = pts_[i];
    const Point &b = pts_[i + 1];
    return (b.V - a.V) / (b.EL - a.EL);
}

// ---------------------------------------------------------------------------
// CRefRouting

double GuidelineStartStorage(const CQo &routed) {
    try {
        return routed.HVCMethod != 0 ? routed.GetVFrustum(routed.ELS) : routed.GetVLinear(routed.ELS);
    } catch (const CalcFailure &) {
        return std::numeric_limits<double>::quiet_NaN();
    }
}

bool CRefRouting::SetFrom(const CQo &routed) {
    std::vector<PiecewiseStorage::Point> points;
    points.reserve(static_cast<size_t>(routed.HVC().Count()));
    for (const auto &p : routed.HVC()) points.push_back({p->EL, p->V});
    ELS = routed.ELS;
    StartStorage = GuidelineStartStorage(routed);
    SectType = routed.SectType;
    SectEL = routed.SectEL;
    SectB = routed.SectB;
    SectCd = routed.SectCd;
    Inflow.clear();
    Inflow.reserve(static_cast<size_t>(routed.Qo().Count()));
    for (const auto &item : routed.Qo()) Inflow.push_back({item->t, item->Qi});
    return Storage.Set(std::move(points));
}

double CRefRouting::Coefficient() const { return SectType == 0 ? kChannelFactor * SectCd : SectCd; }

double CRefRouting::Outflow(double EL) const {
    if (EL <= SectEL) return 0;
    const double H = EL - SectEL;
    return Coefficient() * SectB * H * std::sqrt(H);
}

double CRefRouting::OutflowRate(double EL) const {
    if (EL <= SectEL) return 0;
    return 1.5 * Coefficient() * SectB * std::sqrt(EL - SectEL);
}

CRefRouting::State CRefRouting::At(double V) const {
    const double E = Storage.LevelAt(V);
    return {V, E, Outflow(E)};
}

// Inside segment i (extended beyond its ends) the storage is
// V = Vi + A (E - Ei), so the sub-step's equation V + c Q(E) = R is, with
// x = sqrt(E - crest) and K the spillway's C B,
//   f(x) = c K x^3 + A x^2 + d = 0,   d = Vi + A (crest - Ei) - R < 0
// once the level without outflow would be above the crest.  f rises and is
// convex for x >= 0, so Newton's method from any positive start lands above
// the root after at most one step and then falls monotonically onto it;
// sqrt(-d / A), where the square term alone reaches -d, bounds it from above
// and keeps a first step from below in reach.  It starts from the head of
// the sub-step before (`hint`, m), a few passes from the root; without one,
// from the smaller of the two upper bounds that each term alone gives.
CRefRouting::State CRefRouting::SolveInSegment(size_t i, double R, double c, double hint) const {
    const auto &p = Storage.Points();
    const double Ei = p[i].EL, Vi = p[i].V;
    const double A = (p[i + 1].V - Vi) / (p[i + 1].EL - Ei);
    const double K = Coefficient() * SectB;
    const double still = Ei + (R - Vi) / A;  // the level holding R without outflow
    if (still <= SectEL || !(c * K > 0)) return {R, still, Outflow(still)};
    const double a = c * K;
    const double d = Vi + A * (SectEL - Ei) - R;
    const double upper = std::sqrt(-d / A);
    double x = hint > 0 ? std::min(std::sqrt(hint), upper) : std::min(std::cbrt(-d / a), upper);
    for (int32_t pass = 0; pass < kMaxNewtonPasses; ++pass) {
        const double f = (a * x + A) * x * x + d;
        const double slope = (3.0 * a * x + 2.0 * A) * x;
        if (!(slope > 0)) break;
        const double step = f / slope;
        x = std::min(x - step, upper);
        if (!(std::fabs(step) > kRootTolerance * x)) break;
    }
    if (!std::isfinite(x)) Fail(err::Overflow);
    const double E = SectEL + x * x;
    return {Vi + A * (E - Ei), E, K * x * x * x};
}

// The state at the end of one sub-step of dtSeconds from `start`, with the
// inflows I0, I1 at its ends: the root of
//   g(V) = V + dt/2 Q(V) - R,   R = V0 + dt ((I0 + I1)/2 - Q0/2).
// g rises strictly, so the root lies in the first segment whose upper end
// has g >= R (the top segment extended above the top point).  Below the
// first point the level stays at the first point's; a flat segment (storage
// that does not grow while the level does) is a jump of the level, and a
// root inside the jump is the storage at it.
CRefRouting::State CRefRouting::StepState(const State &start, double I0, double I1, double dtSeconds) const {
    const double c = dtSeconds / 2.0;
    const double R = start.V + dtSeconds * ((I0 + I1) / 2.0 - start.Q / 2.0);
    if (!std::isfinite(R)) Fail(err::Overflow);
    if (R <= 0) return At(0);
    const auto &p = Storage.Points();
    const double firstQ = Outflow(p.front().EL);
    if (R <= p.front().V + c * firstQ) return At(std::max(0.0, R - c * firstQ));
    for (size_t i = 0; i + 1 < p.size(); ++i) {
        if (!(p[i + 1].V > p[i].V)) continue;
        const bool top = i + 2 == p.size();
        if (!top && R > p[i + 1].V + c * Outflow(p[i + 1].EL)) continue;
        if (R < p[i].V + c * Outflow(p[i].EL)) return At(p[i].V);
        return SolveInSegment(i, R, c, start.E - SectEL);
    }
    return At(p.back().V);  // not reached: the top segment always gains storage
}

void CRefRouting::Record(double t, const State &s) {
    const double h = std::max(0.0, s.E - SectEL);
    // The peaks of the flood, from the first time point on.
    if (t >= peakFrom_) {
        if (s.Q > q2_) {
            q2_ = s.Q;
            tPeak_ = t;
        }
        hmax_ = std::max(hmax_, h);
        elMax_ = std::max(elMax_, s.E);
    }
    if (KeepSeries) series_.push_back({t, s.Q, h});
}

void CRefRouting::Calc() {
    error_ = 0;
    q2_ = tPeak_ = hmax_ = 0;
    elMax_ = -std::numeric_limits<double>::infinity();
    qoAt_.clear();
    hAt_.clear();
    series_.clear();
    try {
        if (Storage.Empty() || !(SubStep > 0) || !std::isfinite(SubStep)) Fail(err::InvalidCall);
        const double V0 = std::isnan(StartStorage) ? Storage.VolumeAt(ELS) : StartStorage;
        if (!std::isfinite(V0)) Fail(err::Overflow);
        State state = At(std::max(0.0, V0));
        if (!Inflow.empty() && KeepSeries) {
            const double span = static_cast<double>(Inflow.back().t);
            series_.reserve(static_cast<size_t>(std::max(0.0, span / SubStep)) + Inflow.size() + 1);
        }
        qoAt_.reserve(Inflow.size());
        hAt_.reserve(Inflow.size());
        // The guideline stores nothing before its first time point after
        // t = 0: how a pond that starts above the crest drains until then
        // is no peak of the flood.
        peakFrom_ = std::numeric_limits<double>::infinity();
        for (const InflowPoint &p : Inflow) {
            if (p.t > 0) {
                peakFrom_ = p.t;
                break;
            }
        }
        Record(0, state);
        bool flowed = false;  // a sub-step after t = 0 was made

        double ta = 0, Ia = 0;  // the hydrograph rises from nothing at t = 0
        for (const InflowPoint &p : Inflow) {
            const double tb = p.t;
            if (tb < ta) Fail(err::InvalidCall);
            const double Ib = p.Qi;
            const double span = tb - ta;
            double t = ta;
            double I0 = Ia;
            while (t < tb) {
                double t1 = t + SubStep;
                if (t1 > tb - kTimeSnap) t1 = tb;
                if (!(t1 > t)) Fail(err::Overflow);  // a sub-step below the resolution of t
                const double I1 = t1 == tb ? Ib : Ia + (Ib - Ia) * (t1 - ta) / span;
                state = StepState(state, I0, I1, (t1 - t) * 60.0);
                if (!std::isfinite(state.V) || !std::isfinite(state.Q)) Fail(err::Overflow);
                Record(t1, state);
                flowed = true;
                t = t1;
                I0 = I1;
            }
            qoAt_.push_back(state.Q);
            hAt_.push_back(std::max(0.0, state.E - SectEL));
            ta = tb;
            Ia = Ib;
        }
        // Without any sub-step the pond stays where it started.
        if (!flowed || !std::isfinite(elMax_)) elMax_ = state.E;
        if (!std::isfinite(q2_) || !std::isfinite(hmax_) || !std::isfinite(elMax_)) Fail(err::Overflow);
    } catch (const CalcFailure &f) {
        error_ = f.code;
        q2_ = tPeak_ = hmax_ = elMax_ = 0;
        qoAt_.clear();
        hAt_.clear();
        series_.clear();
    }
}

}  // namespace wyndlor
