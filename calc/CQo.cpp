#include "calc/CQo.h"

#include "calc/Arith.h"
#include "calc/RoundOff.h"

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace wyndlor {

namespace {
constexpr int32_t kMaxPasses = 200;        // passes after the first
constexpr double kLevelSettled = 0.00001;  // m
constexpr int32_t kCycleSpan = 8;          // passes looked back for a repeated level
constexpr double kSegmentSnap = 0.001;     // a value this close to a point belongs below it
constexpr double kStartOffset = 0.1;       // m above the starting level
constexpr double kBisectWidth = 0.0001;    // m
constexpr double kAboveTop = 100.0;        // m searched above the top point
constexpr double kChannelFactor = 1.704;   // channel inflow without weir
}  // namespace

// The segment (i, i+1) holding x in a column that rises with i: the first
// i with x above point i and below point i+1 or within kSegmentSnap of it;
// the last segment when none holds it.
template <class Value>
static int32_t FindSegment(const std::vector<clsQoHVC> &points, double x, Value value) {
    const int32_t count = static_cast<int32_t>(points.size());
    for (int32_t i = 1; i <= count - 1; ++i) {
        const double lo = value(points[i - 1]);
        const double hi = value(points[i]);
        if (x > lo && (x < hi || std::fabs(x - hi) < kSegmentSnap)) return i;
    }
    return count - 1;
}

int32_t CQo::SegmentByLevel(double x) const {
    return FindSegment(pts_, x, [](const clsQoHVC &p) { return p.EL; });
}

int32_t CQo::SegmentByStorage(double x) const {
    return FindSegment(pts_, x, [](const clsQoHVC &p) { return p.V; });
}

double CQo::GetQo(double E) const {
    if (E <= SectEL) return 0;
    const double H = E - SectEL;  // head above the crest, m
    // H^1.5 as H sqrt(H): the same power, without the cost of a general pow
    // in the innermost loop of the routing.
    const double q = SectCd * SectB * (H * std::sqrt(H));
    return Chk(SectType == 0 ? kChannelFactor * q : q);
}

double CQo::GetVLinear(double x) const {
    const int32_t count = static_cast<int32_t>(pts_.size());
    if (count < 2) return 0;
    const clsQoHVC &first = Pt(1);
    const clsQoHVC &last = Pt(count);
    if (x < first.EL) return 0;
    if (x > last.EL) {  // the top segment extended
        const clsQoHVC &below = Pt(count - 1);
        return Chk(last.V + Div((x - last.EL) * (last.V - below.V), last.EL - below.EL));
    }
    const int32_t i = SegmentByLevel(x);
    const clsQoHVC &a = Pt(i);
    const clsQoHVC &b = Pt(i + 1);
    return Chk(a.V + Div((x - a.EL) * (b.V - a.V), b.EL - a.EL));
}

double CQo::GetELLinear(double x) const {
    const int32_t count = static_cast<int32_t>(pts_.size());
    if (count < 1) Fail(err::Subscript);  // no point to read a level from
    const clsQoHVC &first = Pt(1);
    if (count < 2) return first.EL;
    const clsQoHVC &last = Pt(count);
    if (x < first.V) return first.EL;
    if (x > last.V) {  // the top segment extended
        const clsQoHVC &below = Pt(count - 1);
        return Chk(last.EL + Div((x - last.V) * (last.EL - below.EL), last.V - below.V));
    }
    const int32_t i = SegmentByStorage(x);
    const clsQoHVC &a = Pt(i);
    const clsQoHVC &b = Pt(i + 1);
    return Chk(a.EL + Div((x - a.V) * (b.EL - a.EL), b.V - a.V));
}

double CQo::GetVFrustum(double x) const {
    const int32_t count = static_cast<int32_t>(pts_.size());
    if (count < 2) return 0;
    int32_t ia;
    if (x > Pt(count).EL) {
        ia = count - 1;
    } else if (x <= Pt(1).EL) {
        return 0;
    } else {
        ia = SegmentByLevel(x);
    }
    const clsQoHVC &a = Pt(ia);
    const clsQoHVC &b = Pt(ia + 1);
    // The square root of the area (a length) varies linearly with the level
    // between two points: the pond is a truncated pyramid there, and the
    // storage above point a is A_a d / 3 (r^2 + r + 1) with r the ratio of
    // the lengths at x and at a.
    const double dH = Chk(b.EL - a.EL);  // m
    const double d = Chk(x - a.EL);      // m
    const double sa = Sqrt(a.A);
    const double sb = Sqrt(b.A);
    const double s = Chk(sa + Div((sb - sa) * d, dH));
    const double r = Div(s, sa);
    return Chk(a.V + a.A * d / 3.0 * (r * r + r + 1.0));
}

double CQo::GetELBisect(double x) const {
    const int32_t count = static_cast<int32_t>(pts_.size());
    if (count < 2) return 0;
    const clsQoHVC &first = Pt(1);
    const clsQoHVC &last = Pt(count);
    double lo, hi;
    // Inside the table every trial level lies in the segment a-b that holds
    // x.  Where the levels rise, GetVLinear's segment search finds that
    // segment for any level strictly inside it and not within kSegmentSnap
    // of a; there the storage is taken from a-b directly, by the same
    // expression, which saves the search in the innermost loop of the
    // frustum routing without changing a bit of the result.
    const clsQoHVC *a = nullptr, *b = nullptr;
    if (x > last.V) {
        lo = Pt(count - 1).EL;
        hi = Chk(last.EL + kAboveTop);
    } else if (x <= first.V) {
        // An empty pond stands at its lowest point, not at level 0.
        return first.EL;
    } else {
        const int32_t i = SegmentByStorage(x);
        lo = Pt(i).EL;
        hi = Pt(i + 1).EL;
        if (levelsRise_) {
            a = &Pt(i);
            b = &Pt(i + 1);
        }
    }
    // Bisection of the piecewise-linear storage, the relation the routing
    // steps with.  A bracket that stops shrinking (levels so large that
    // 0.0001 m is below their resolution) is an overflow, not a loop.
    for (;;) {
        const double m = Chk((lo + hi) / 2.0);
        const double v = a && m > a->EL && m < b->EL && !(std::fabs(m - a->EL) < kSegmentSnap)
                             ? Chk(a->V + Div((m - a->EL) * (b->V - a->V), b->EL - a->EL))
                             : GetVLinear(m);
        if (std::fabs(hi - lo) < kBisectWidth) return m;
        if (m == lo || m == hi) Fail(err::Overflow);
        if (v > x) {
            hi = m;
        } else {
            lo = m;
        }
    }
}

void CQo::Calc() {
    error_ = 0;
    passes_.clear();
    try {
        PrepareStoragePoints();
        StepStart prev;
        prev.V = StartingStorage();
        passes_.reserve(static_cast<size_t>(qo_.Count()));
        for (const auto &item : qo_) RouteTimePoint(*item, prev);
        RoundResults();
        FindPeak();
    } catch (const CalcFailure &f) {
        error_ = f.code;
    }
}

void CQo::PrepareStoragePoints() {
    if (HVCMethod != 0) {
        // Frustums need at least one segment and levels that rise from
        // point to point; anything else is no storage curve at all.
        const int32_t count = hvc_.Count();
        if (count < 2) Fail(err::InvalidCall);
        for (int32_t i = 2; i <= count; ++i) {
            if (!(hvc_.Item(i)->EL > hvc_.Item(i - 1)->EL)) Fail(err::InvalidCall);
        }
    }

    // Cumulative depth and storage of every point, frustum by frustum: the
    // depth step is rounded first and the volume taken with the rounded
    // step, V = dh / 3 (A_prev + sqrt(A_prev A) + A).
    if (HVCMethod == 1) {
        double prevEL = hvc_.Item(1)->EL;
        double prevA = hvc_.Item(1)->A;
        double h = 0, V = 0;
        bool first = true;
        for (const auto &p : hvc_) {
            const double dh = RoundOffChecked(p->EL - prevEL, DecH);
            const double dv = RoundOffChecked(dh / 3.0 * (prevA + Sqrt(prevA * p->A) + p->A), DecV);
            h = first ? dh : Chk(h + dh);
            V = first ? dv : Chk(V + dv);
            first = false;
            p->h = h;
            p->V = V;
            prevEL = p->EL;
            prevA = p->A;
        }
    }

    // The lookups read a plain copy of the prepared points.
    pts_.clear();
    pts_.reserve(static_cast<size_t>(hvc_.Count()));
    for (const auto &p : hvc_) pts_.push_back(*p);
    levelsRise_ = true;
    for (size_t i = 1; i < pts_.size(); ++i)
        if (!(pts_[i].EL > pts_[i - 1].EL)) levelsRise_ = false;
}

double CQo::StartingStorage() const {
    return HVCMethod != 0 ? GetVFrustum(ELS) : GetVLinear(ELS);
}

// The pass before k, at most kCycleSpan back, whose level is bit for bit
// that of pass k; 0 when there is none.  The iteration that does not
// settle in the frustum method ends in a short cycle of levels (the
// bisection's levels are a discrete set), mostly of period 1 or 2.
static int32_t EarlierPass(const std::array<double, kMaxPasses + 2> &levels, int32_t k) {
    const double e = levels[static_cast<size_t>(k)];
    for (int32_t j = k - 1; j >= 1 && j >= k - kCycleSpan; --j) {
        const double f = levels[static_cast<size_t>(j)];
        if (std::memcmp(&e, &f, sizeof e) == 0) return j;
    }
    return 0;
}

// One time point: the storage equation
//   V = V_prev + ((Qi_prev + Qi) / 2 - (Qo_prev + Qo(E)) / 2) dt
// solved for the level E by the damped fixed-point iteration E <- (E + E')/2,
// E' the level of the storage V, from the starting level + 0.1 m.  Writes
// the unrounded results into the item, moves `prev` on to it, and records
// how the iteration ended.
void CQo::RouteTimePoint(clsQoData &item, StepStart &prev) {
    const bool frustum = HVCMethod != 0;
    const double qiMean = (prev.Qi + item.Qi) / 2.0;                  // m3/s
    const double dt = (static_cast<double>(item.t) - prev.t) * 60.0;  // s
    double E = Chk(ELS + kStartOffset);
    double Q = 0, V = 0;
    CQoPassRecord record;
    double ePrev = E;
    // The level of every pass so far (levels[k] at pass k).  A pass is a
    // function of its level alone, so a level met before means the passes
    // repeat from there on without settling: the iteration is then taken
    // straight to its last pass, at the same level and with the same level
    // before it as the passes in between would have reached.
    std::array<double, kMaxPasses + 2> levels;
    for (int32_t k = 1;; ++k) {
        levels[static_cast<size_t>(k)] = E;
        if (const int32_t j = EarlierPass(levels, k); j > 0) {
            const int32_t period = k - j, last = kMaxPasses + 1;
            E = levels[static_cast<size_t>(j + (last - j) % period)];
            ePrev = levels[static_cast<size_t>(j + (last - 1 - j) % period)];
            k = last;
        }
        Q = GetQo(E);
        const double qoMean = (prev.Qo + Q) / 2.0;  // m3/s
        // The storage guards the two means it is made of: an overflow in
        // either leaves it infinite or NaN.
        V = Chk((qiMean - qoMean) * dt + prev.V);
        if (!(V >= 0)) V = 0;
        const double E2 = frustum ? GetELBisect(V) : GetELLinear(V);
        const bool settled = std::fabs(E - E2) < kLevelSettled;
        if (settled || k > kMaxPasses) {
            record.passes = k;
            record.atLimit = !settled;
            break;
        }
        ePrev = E;
        E = Chk((E + E2) / 2.0);
    }
    record.lastLevel = E;
    record.prevLevel = ePrev;
    passes_.push_back(record);

    double h = Chk(E - SectEL);  // overflow depth above the crest, m
    if (h < 0) h = 0;
    item.EL = E;
    item.h = h;
    item.Qo = Q;
    item.V = V;
    prev.t = item.t;
    prev.Qi = item.Qi;
    prev.Qo = Q;
    prev.V = V;
}

void CQo::RoundResults() {
    for (const auto &item : qo_) {
        item->Qo = RoundOffChecked(item->Qo, DecQo);
        item->EL = RoundOffChecked(item->EL, DecH);
        item->h = RoundOffChecked(item->h, DecH);
        item->V = RoundOffChecked(item->V, DecV);
    }
}

// The first time point of the largest outflow (ties keep the earlier one)
// and the largest overflow depth, over the rounded results.
void CQo::FindPeak() {
    int32_t peakAt = 0, pos = 0;
    double peak = 0, hmax = 0;
    for (const auto &item : qo_) {
        ++pos;
        if (item->Qo > peak) {
            peakAt = pos;
            peak = item->Qo;
        }
        if (item->h > hmax) hmax = item->h;
    }
    n_ = peakAt;
    q2_ = peak;
    hmax_ = hmax;
}

}  // namespace wyndlor
