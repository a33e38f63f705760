#include "calc/CRefRouting.h"

#include "calc/Arith.h"

#include <algorithm>
#include <cmath>

namespace wyndlor {

namespace {
constexpr double kChannelFactor = 1.704;  // channel inflow without weir
constexpr double kRelativeTolerance = 1e-9;
constexpr int32_t kMaxSolverSteps = 200;  // Newton with bisection needs far fewer
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

// The storage at the end of one sub-step of dtSeconds, from storage V0 and
// outflow Q0 at its start and the inflows I0, I1 at its ends: the root of
//   g(V) = V + dt/2 Q(V) - R,   R = V0 + dt ((I0 + I1)/2 - Q0/2).
// g rises strictly (slope 1 + dt/2 dQ/dE / A >= 1), g(R) >= 0, so the root
// lies in [0, R]; with g(0) >= 0 the pond is empty at the end.  Newton steps
// converge in a few passes; a step that would leave the bracket bisects it
// instead, which covers the kinks of the storage relation and the crest.
double CRefRouting::StepStorage(double V0, double Q0, double I0, double I1, double dtSeconds) const {
    const double c = dtSeconds / 2.0;
    const double R = V0 + dtSeconds * ((I0 + I1) / 2.0 - Q0 / 2.0);
    if (!std::isfinite(R)) Fail(err::Overflow);
    if (R <= 0) return 0;
    double lo = 0, hi = R;
    if (c * Outflow(Storage.LevelAt(0)) - R >= 0) return 0;
    const double tol = kRelativeTolerance * R;
    double V = std::clamp(V0, lo, hi);
    for (int32_t pass = 0; pass < kMaxSolverSteps; ++pass) {
        const double E = Storage.LevelAt(V);
        const double g = V + c * Outflow(E) - R;
        if (std::fabs(g) <= tol) return V;  // slope >= 1: V is within tol of the root
        if (g > 0) {
            hi = V;
        } else {
            lo = V;
        }
        if (hi - lo <= tol) return (lo + hi) / 2.0;
        const double area = Storage.AreaAt(E);
        double next = (lo + hi) / 2.0;
        if (area > 0) {
            const double newton = V - g / (1.0 + c * OutflowRate(E) / area);
            if (newton > lo && newton < hi) next = newton;
        }
        V = next;
    }
    return V;
}

void CRefRouting::Record(double t, double V) {
    const double E = Storage.LevelAt(V);
    const double Q = Outflow(E);
    const double h = std::max(0.0, E - SectEL);
    if (Q > q2_) {
        q2_ = Q;
        tPeak_ = t;
    }
    hmax_ = std::max(hmax_, h);
    elMax_ = std::max(elMax_, E);
    if (Q > 0) {
        const double area = Storage.AreaAt(E);
        if (area > 0) rateMax_ = std::max(rateMax_, OutflowRate(E) / area);
    }
    if (KeepSeries) series_.push_back({t, Q, h});
}

void CRefRouting::Calc() {
    error_ = 0;
    q2_ = tPeak_ = hmax_ = rateMax_ = 0;
    elMax_ = -std::numeric_limits<double>::infinity();
    qoAt_.clear();
    hAt_.clear();
    series_.clear();
    try {
        if (Storage.Empty() || !(SubStep > 0) || !std::isfinite(SubStep)) Fail(err::InvalidCall);
        const double V0 = std::isnan(StartStorage) ? Storage.VolumeAt(ELS) : StartStorage;
        if (!std::isfinite(V0)) Fail(err::Overflow);
        double V = std::max(0.0, V0);
        double Q = Outflow(Storage.LevelAt(V));
        if (!Inflow.empty() && KeepSeries) {
            const double span = static_cast<double>(Inflow.back().t);
            series_.reserve(static_cast<size_t>(std::max(0.0, span / SubStep)) + Inflow.size() + 1);
        }
        qoAt_.reserve(Inflow.size());
        hAt_.reserve(Inflow.size());
        Record(0, V);

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
                V = StepStorage(V, Q, I0, I1, (t1 - t) * 60.0);
                if (!std::isfinite(V)) Fail(err::Overflow);
                Q = Outflow(Storage.LevelAt(V));
                Record(t1, V);
                t = t1;
                I0 = I1;
            }
            const double E = Storage.LevelAt(V);
            qoAt_.push_back(Q);
            hAt_.push_back(std::max(0.0, E - SectEL));
            ta = tb;
            Ia = Ib;
        }
        if (!std::isfinite(q2_) || !std::isfinite(hmax_) || !std::isfinite(elMax_)) Fail(err::Overflow);
    } catch (const CalcFailure &f) {
        error_ = f.code;
        q2_ = tPeak_ = hmax_ = elMax_ = rateMax_ = 0;
        qoAt_.clear();
        hAt_.clear();
        series_.clear();
    }
}

}  // namespace wyndlor
