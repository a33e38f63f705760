#include "calc/WidthSolver.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

namespace wyndlor {

int32_t SpillwayWidthSlot(const ProjectData &data) {
    int32_t type = 1;
    if (data.SectionData(slot::SectType).ToLong(type) != 0) type = 1;
    return type == 0 ? slot::SectB1 : slot::SectB;
}

double SpillwayWidth(const ProjectData &data) {
    double B = 0;
    if (data.SectionData(SpillwayWidthSlot(data)).ToDouble(B) != 0) return 0;
    return B;
}

void SetSpillwayWidth(ProjectData &data, double B) {
    data.SectionData(SpillwayWidthSlot(data)) = SlotValue::Double(B);
}

namespace {

// A width as a whole number of steps: k / 10 is the nearest double to the
// decimal width (k * 0.1 would give 0.30000000000000004 for k = 3).
double Width(int32_t k) { return k / 10.0; }

// The full calculations of one search, each width at most once.
class Trials {
public:
    Trials(const ProjectData &data, double subStep) : copy_(data), subStep_(subStep) {}

    struct Trial {
        bool ok = false;
        double HWL = 0, Hmax = 0, Q2 = 0;
        std::shared_ptr<const CQo> qo;
        std::optional<AccuracyCheck> check;  // made on demand
    };

    Trial &At(int32_t k) {
        auto it = trials_.find(k);
        if (it != trials_.end()) return it->second;
        SetSpillwayWidth(copy_, Width(k));
        CalcResults res;
        Trial t;
        t.ok = CalcAll(copy_, res);
        ++calculations_;
        if (t.ok) {
            if (!flood_.objQi) flood_ = res;  // the design flood is the same at every width
            t.HWL = res.DesignFloodLevel;
            t.Hmax = res.objQo->Hmax();
            t.Q2 = res.objQo->Q2();
            t.qo = res.objQo;
        } else {
            lastFailure_ = res;
        }
        return trials_.emplace(k, std::move(t)).first->second;
    }

    const AccuracyCheck &CheckAt(int32_t k) {
        Trial &t = At(k);
        if (!t.check) {
            AccuracyOptions options;
            options.subStep = subStep_;
            options.keepSeries = false;
            t.check = t.qo ? CheckRouting(*t.qo, options) : AccuracyCheck();
        }
        return *t.check;
    }

    const CalcResults &LastFailure() const { return lastFailure_; }
    const CalcResults &Flood() const { return flood_; }
    int32_t Calculations() const { return calculations_; }

private:
    ProjectData copy_;
    double subStep_;
    std::map<int32_t, Trial> trials_;
    CalcResults lastFailure_;
    CalcResults flood_;  // of the first calculation that succeeded
    int32_t calculations_ = 0;
};

// The narrowest step k from 1 to kMaxWidthSteps that passes, by doubling
// from 1 and bisecting: on Found pass(k) holds and pass(k - 1) does not.
template <class Pass>
WidthStatus SearchNarrowest(Pass pass, int32_t &k) {
    if (pass(1)) {
        k = 1;
        return WidthStatus::AlreadyEnough;
    }
    int32_t lo = 1, hi = 2;  // pass(lo) fails
    while (!pass(hi)) {
        if (hi == kMaxWidthSteps) return WidthStatus::None;
        lo = hi;
        hi = std::min(2 * hi, kMaxWidthSteps);
    }
    while (hi - lo > 1) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (pass(mid))
            hi = mid;
        else
            lo = mid;
    }
    k = hi;
    return WidthStatus::Found;
}

}  // namespace

WidthSolution SolveWidth(const ProjectData &data, double allowable, const WidthSolveOptions &options) {
    WidthSolution s;
    s.allowable = allowable;
    s.currentB = SpillwayWidth(data);
    Trials trials(data, options.subStep);

    const Trials::Trial &narrowest = trials.At(1);
    if (!narrowest.ok) {
        s.failedStep = trials.LastFailure().FailedStep;
        s.failedError = trials.LastFailure().FailedError;
        s.calculations = trials.Calculations();
        return s;
    }
    s.ok = true;
    s.crest = narrowest.qo->SectEL;
    s.sectType = narrowest.qo->SectType;

    auto within = [&](double level) { return level <= allowable + kLevelNoise; };
    // The design flood water level never lies below the crest.
    s.belowCrest = !(allowable >= s.crest - kLevelNoise);
    int32_t k = 0;
    if (!s.belowCrest) {
        s.status = SearchNarrowest(
            [&](int32_t i) {
                const Trials::Trial &t = trials.At(i);
                return t.ok && within(t.HWL);
            },
            k);
    }

    if (s.status != WidthStatus::None) {
        const Trials::Trial &answer = trials.At(k);
        s.B = Width(k);
        s.HWL = answer.HWL;
        s.Hmax = answer.Hmax;
        s.Q2 = answer.Q2;
        s.check = trials.CheckAt(k);
        if (s.check->ok) JudgeInflow(data, trials.Flood(), *s.check);
        if (s.check->ok && s.check->HasRoutingReason()) {
            s.referenceSearched = true;
            int32_t kRef = 0;
            s.referenceStatus = SearchNarrowest(
                [&](int32_t i) {
                    if (!trials.At(i).ok) return false;
                    const AccuracyCheck &c = trials.CheckAt(i);
                    return c.ok && within(s.crest + c.refHmax);
                },
                kRef);
            if (s.referenceStatus != WidthStatus::None) {
                s.referenceB = Width(kRef);
                s.referenceHWL = s.crest + trials.CheckAt(kRef).refHmax;
                s.referenceQ2 = trials.CheckAt(kRef).refQ2;
            }
        }
        const int32_t from = std::max(1, k - options.tableHalfRows);
        const int32_t to = std::min(kMaxWidthSteps, k + options.tableHalfRows);
        for (int32_t i = from; i <= to; ++i) {
            const Trials::Trial &t = trials.At(i);
            s.table.push_back(WidthTrial{Width(i), t.ok, t.HWL});
        }
    }
    s.calculations = trials.Calculations();
    return s;
}

}  // namespace wyndlor
