#include "calc/FloodStudy.h"

#include "calc/Arith.h"
#include "calc/RoundOff.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace wyndlor {

namespace {

// Two levels closer than this are the same level: FWL - d in binary
// arithmetic may miss a row's level by the last bit.
constexpr double kLevelNoise = 1e-9;  // m
constexpr int64_t kMillimetresPerStep = 10;  // the no-spill drawdown's 0.01 m

int64_t Millimetres(double metres) { return std::llround(metres / kDrawdownUnit); }
// A whole number of millimetres as the nearest double to its decimal value.
double Metres(int64_t mm) { return static_cast<double>(mm) / 1000.0; }

bool Finite(double v) { return std::isfinite(v); }

// The project with the rainfall formula's constant a multiplied by f; the
// project's own data for f = 1, so that it calculates bit for bit.
ProjectData Factored(const ProjectData &data, double f) {
    ProjectData copy = data;
    double a = 0;
    if (f != 1 && copy.ConditionsData(slot::ConstA).ToDouble(a) == 0)
        copy.ConditionsData(slot::ConstA) = SlotValue::Double(a * f);
    return copy;
}

// Storage at a level on the relation the routing starts from (the frustum
// volume for the frustum method), m3.
double StartStorage(const CQo &qo, double level) {
    return qo.HVCMethod != 0 ? qo.GetVFrustum(level) : qo.GetVLinear(level);
}

// The frame of a study: the pond's full water level and how deep the data
// let it be lowered.
struct Frame {
    StorageBelowFWL storage = StorageBelowFWL::ConstantArea;
    double fwl = 0;
    double projectStart = 0;
    double lowestRow = 0;    // frustum: level of the first h-A row, m
    double volumeDepth = 0;  // constant-area: stored volume / area, m; 0 when unknown
    double deepest = 0;

    StudySkip Skip(double d) const {
        if (storage == StorageBelowFWL::Table)
            return fwl - d < lowestRow - kLevelNoise ? StudySkip::BelowTable : StudySkip::None;
        return volumeDepth > 0 && d > volumeDepth + kLevelNoise ? StudySkip::BeyondVolume : StudySkip::None;
    }
};

Frame MakeFrame(const ProjectData &data, const CalcResults &project) {
    Frame f;
    const CQo &qo = *project.objQo;
    f.fwl = qo.SectEL;  // the crest is at the full water level
    f.projectStart = qo.ELS;
    if (qo.HVCMethod != 0) {
        f.storage = StorageBelowFWL::Table;
        f.lowestRow = qo.HVC().Item(1)->EL;
        f.deepest = std::clamp(f.fwl - f.lowestRow, 0.0, kMaxStudyDrawdown);
    } else {
        double volume = 0, area = 0;
        data.ConditionsData(slot::Volume).ToDouble(volume);
        data.ConditionsData(slot::Area).ToDouble(area);
        if (volume > 0 && area > 0 && Finite(volume / area)) f.volumeDepth = volume / area;
        f.deepest = f.volumeDepth > 0 ? std::min(f.volumeDepth, kMaxStudyDrawdown) : kMaxStudyDrawdown;
    }
    return f;
}

// The full calculations of one study, each (factor, drawdown) at most once.
class Trials {
public:
    Trials(const ProjectData &data, const std::vector<double> &factors, const Frame &frame)
        : frame_(frame), factors_(factors) {
        for (double f : factors) projects_.push_back(Factored(data, f));
    }

    // The project's own calculation stands for the case (f = 1, d = 0)
    // when the routing starts from the full water level anyway.
    void Seed(size_t factor, CalcResults project) {
        Trial t;
        t.c = Summarise(factor, 0, project);
        t.results = std::move(project);
        trials_.emplace(std::make_pair(factor, int64_t{0}), std::move(t));
    }

    const StudyCase &At(size_t factor, int64_t mm) { return Get(factor, mm).c; }

    // The case with its accuracy check.
    const StudyCase &CheckedAt(size_t factor, int64_t mm) {
        Trial &t = Get(factor, mm);
        if (t.c.ok && !t.checked) {
            AccuracyOptions options;
            options.keepSeries = false;
            const AccuracyCheck check = CheckAccuracy(projects_[factor], t.results, options);
            t.c.warning = check.ok && check.warning();
            t.c.reasons = check.reasons;
            t.checked = true;
        }
        return t.c;
    }

    // The whole-centimetre drawdowns calculated so far for a factor, in
    // steps of 0.01 m, with whether the flood stays below the crest.
    std::vector<std::pair<int64_t, bool>> Known(size_t factor) const {
        std::vector<std::pair<int64_t, bool>> known;
        for (const auto &[key, t] : trials_)
            if (key.first == factor && key.second % kMillimetresPerStep == 0)
                known.emplace_back(key.second / kMillimetresPerStep, Holds(t.c));
        return known;
    }

    static bool Holds(const StudyCase &c) { return c.skip == StudySkip::None && c.ok && !c.spills; }
    int32_t Calculations() const { return calculations_; }

private:
    struct Trial {
        StudyCase c;
        CalcResults results;
        bool checked = false;
    };

    Trial &Get(size_t factor, int64_t mm) {
        const auto key = std::make_pair(factor, mm);
        auto it = trials_.find(key);
        if (it != trials_.end()) return it->second;
        Trial t;
        const double d = Metres(mm);
        if (frame_.Skip(d) != StudySkip::None) {
            t.c = Blank(factor, mm);
            t.c.skip = frame_.Skip(d);
        } else {
            CalcOptions options;
            options.drawdown = d;
            CalcAll(projects_[factor], t.results, options);
            ++calculations_;
            t.c = Summarise(factor, mm, t.results);
        }
        return trials_.emplace(key, std::move(t)).first->second;
    }

    StudyCase Blank(size_t factor, int64_t mm) const {
        StudyCase c;
        c.drawdown = Metres(mm);
        c.factor = factors_[factor];
        c.startLevel = frame_.fwl - c.drawdown;
        return c;
    }

    StudyCase Summarise(size_t factor, int64_t mm, const CalcResults &res) const {
        StudyCase c = Blank(factor, mm);
        c.ok = res.FailedStep == CalcStep::None && res.objQo && res.objQi;
        if (!c.ok) {
            c.failedStep = res.FailedStep;
            c.failedError = res.FailedError;
            return c;
        }
        const CQo &qo = *res.objQo;
        try {
            c.emptyVolume = RoundOff(StartStorage(qo, frame_.fwl) - StartStorage(qo, c.startLevel), 0);
        } catch (const CalcFailure &) {
            c.emptyVolume = std::nan("");  // a relation the frustum formula cannot evaluate there
        }
        c.Q1 = res.objQi->Q1();
        c.Q2 = qo.Q2();
        // Both peaks are kept to 3 decimals, so is their difference.
        c.reduction = RoundOff(c.Q1 - c.Q2, 3);
        c.reductionPercent = c.Q1 > 0 ? 100.0 * (c.Q1 - c.Q2) / c.Q1 : 0.0;
        c.Hmax = qo.Hmax();
        c.HWL = res.DesignFloodLevel;
        c.maxLevel = c.startLevel;
        for (const auto &item : qo.Qo()) c.maxLevel = std::max(c.maxLevel, item->EL);
        c.spills = c.Q2 > 0;
        return c;
    }

    const Frame &frame_;
    std::vector<double> factors_;
    std::vector<ProjectData> projects_;  // one per factor
    std::map<std::pair<size_t, int64_t>, Trial> trials_;
    int32_t calculations_ = 0;
};

// The smallest drawdown, in steps of 0.01 m up to `deepest`, at which the
// flood stays below the crest: Holds at it and not 0.01 m less, both full
// calculations.  Bisection between the whole-centimetre cases known
// already.
NoSpillDrawdown FindNoSpill(Trials &trials, size_t factor, double f, double deepest) {
    NoSpillDrawdown n;
    n.factor = f;
    const int64_t top = static_cast<int64_t>(std::floor(deepest / kNoSpillResolution + 1e-6));
    auto holds = [&](int64_t k) { return Trials::Holds(trials.At(factor, k * kMillimetresPerStep)); };
    auto answer = [&](int64_t k) {
        const StudyCase &c = trials.CheckedAt(factor, k * kMillimetresPerStep);
        n.found = true;
        n.drawdown = c.drawdown;
        n.warning = c.warning;
        n.reasons = c.reasons;
        return n;
    };
    if (holds(0)) return answer(0);
    if (!holds(top)) return n;
    int64_t lo = 0, hi = top;  // !holds(lo), holds(hi)
    const auto known = trials.Known(factor);
    for (const auto &[k, ok] : known)
        if (ok && k < hi) hi = k;
    for (const auto &[k, ok] : known)
        if (!ok && k > lo && k < hi) lo = k;
    while (hi - lo > 1) {
        const int64_t mid = lo + (hi - lo) / 2;
        if (holds(mid))
            hi = mid;
        else
            lo = mid;
    }
    return answer(hi);
}

}  // namespace

const std::vector<double> &DefaultRainFactors() {
    static const std::vector<double> factors{1.0, 1.1};
    return factors;
}

StudyListError CheckDrawdownRange(double dmax, double step) {
    if (!Finite(dmax) || dmax < 0 || dmax > kMaxStudyDrawdown) return StudyListError::BadDrawdown;
    if (dmax == 0) return StudyListError::None;
    if (!Finite(step) || step < kDrawdownUnit) return StudyListError::BadStep;
    // The count before the list is built, so that a tiny step is refused
    // rather than made into millions of drawdowns.
    if (std::floor(dmax / step) + 1 > kMaxStudyCases) return StudyListError::TooManyCases;
    return StudyListError::None;
}

std::vector<double> DrawdownList(double dmax, double step) {
    std::vector<double> list;
    if (CheckDrawdownRange(dmax, step) != StudyListError::None) return list;
    const int64_t top = Millimetres(dmax);
    list.push_back(0);
    if (top == 0) return list;
    for (int64_t k = 1;; ++k) {
        const int64_t mm = Millimetres(k * step);
        if (mm >= top) break;
        if (mm > Millimetres(list.back())) list.push_back(Metres(mm));
    }
    list.push_back(Metres(top));
    return list;
}

StudyListError CheckStudyLists(const std::vector<double> &drawdowns, const std::vector<double> &factors) {
    if (drawdowns.empty() || factors.empty()) return StudyListError::Empty;
    for (double d : drawdowns)
        if (!Finite(d) || d < 0 || d > kMaxStudyDrawdown) return StudyListError::BadDrawdown;
    for (double f : factors)
        if (!Finite(f) || f <= 0 || f > kMaxRainFactor) return StudyListError::BadFactor;
    if (drawdowns.size() * factors.size() > static_cast<size_t>(kMaxStudyCases))
        return StudyListError::TooManyCases;
    return StudyListError::None;
}

FloodStudy RunFloodStudy(const ProjectData &data, const std::vector<double> &drawdowns,
                         const std::vector<double> &factorList) {
    FloodStudy s;
    s.listError = CheckStudyLists(drawdowns, factorList);
    // A factor given twice is studied once.
    std::vector<double> factors;
    for (double f : factorList)
        if (std::find(factors.begin(), factors.end(), f) == factors.end()) factors.push_back(f);
    if (s.listError != StudyListError::None) return s;

    CalcResults project;
    if (!CalcAll(data, project)) {
        s.failedStep = project.FailedStep;
        s.failedError = project.FailedError;
        s.calculations = 1;
        return s;
    }
    s.ok = true;
    const Frame frame = MakeFrame(data, project);
    s.storage = frame.storage;
    s.fwl = frame.fwl;
    s.projectStart = frame.projectStart;
    s.deepest = frame.deepest;

    Trials trials(data, factors, frame);
    const auto unit = std::find(factors.begin(), factors.end(), 1.0);
    if (unit != factors.end() && frame.projectStart == frame.fwl)
        trials.Seed(static_cast<size_t>(unit - factors.begin()), std::move(project));

    std::vector<int64_t> mms;
    for (double d : drawdowns) mms.push_back(Millimetres(d));
    std::sort(mms.begin(), mms.end());
    mms.erase(std::unique(mms.begin(), mms.end()), mms.end());
    for (size_t fi = 0; fi < factors.size(); ++fi)
        for (int64_t mm : mms) s.cases.push_back(trials.CheckedAt(fi, mm));
    for (size_t fi = 0; fi < factors.size(); ++fi)
        s.noSpill.push_back(FindNoSpill(trials, fi, factors[fi], frame.deepest));
    s.calculations = 1 + trials.Calculations();
    return s;
}

}  // namespace wyndlor
