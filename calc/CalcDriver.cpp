#include "calc/CalcDriver.h"

#include "calc/Arith.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>

namespace wyndlor {

namespace {

// Runs one step body and turns its failure into the step's error number.
template <class Body>
int32_t RunStep(Body body) {
    try {
        body();
        return 0;
    } catch (const CalcFailure &f) {
        return f.code;
    }
}

template <class Engine>
void Check(const Engine &object) {
    if (object.Error() != 0) Fail(err::DriverStep);
}

}  // namespace

int32_t CalcTpStep(const ProjectData &d, CalcResults &res) {
    return RunStep([&] {
        auto tp = std::make_shared<clsTp>();
        res.objTp = tp;
        tp->Area = Num(d.CatchmentSummary(slot::SumArea));
        tp->fp = Num(d.CatchmentSummary(slot::SumFp));
        tp->C = Num(d.CatchmentSummary(slot::SumC));
        tp->Siki = Lng(d.ConditionsData(slot::Siki));
        tp->Unit = Lng(d.ConditionsData(slot::Unit));
        tp->A = Num(d.ConditionsData(slot::ConstA));
        tp->b = Num(d.ConditionsData(slot::ConstB));
        tp->n = Num(d.ConditionsData(slot::ConstN));
        tp->DecT = 1;
        tp->DecR = 3;
        tp->DecRe = 3;
        tp->DecTp = 1;
        tp->Calc();
        Check(*tp);
    });
}

bool CalcTp(const ProjectData &d, CalcResults &res) { return CalcTpStep(d, res) == 0; }

int32_t CalcAverage(const ProjectData &d, CalcResults &res) {
    return RunStep([&] {
        res.objAveFp = std::make_shared<clsAve>();
        res.objAveC = std::make_shared<clsAve>();
        const int32_t count = d.CatchmentCount;
        if (count == 0) return;
        // A count the table cannot hold is a subscript out of range.
        if (count > d.CatchmentTable.Rows()) Fail(err::Subscript);
        for (int32_t i = 1; i <= count; ++i) {
            res.objAveFp->DataItem().Add(d.CatchmentTable(1, i).ToText(), Num(d.CatchmentTable(2, i)),
                                         Num(d.CatchmentTable(3, i)));
        }
        for (int32_t i = 1; i <= count; ++i) {
            res.objAveC->DataItem().Add(d.CatchmentTable(1, i).ToText(), Num(d.CatchmentTable(2, i)),
                                        Num(d.CatchmentTable(4, i)));
        }
        res.objAveFp->DecItem = 4;
        res.objAveFp->DecAve = 3;
        res.objAveFp->Calc();
        Check(*res.objAveFp);
        res.objAveC->DecItem = 3;
        res.objAveC->DecAve = 3;
        res.objAveC->Calc();
        Check(*res.objAveC);
    });
}

int32_t CalcRainfall(const ProjectData &d, CalcResults &res) {
    return RunStep([&] {
        auto r = std::make_shared<clsRdata>();
        res.objRdata = r;
        r->Siki = Lng(d.ConditionsData(slot::Siki));
        r->TH = 24;
        const double duration = Num(d.ConditionsData(slot::Time));
        if (duration == 0) r->TH = 24;
        else if (duration == 1) r->TH = 48;
        else if (duration == 2) r->TH = 72;
        r->Unit = Lng(d.ConditionsData(slot::Unit));
        r->A = Num(d.ConditionsData(slot::ConstA));
        r->b = Num(d.ConditionsData(slot::ConstB));
        r->n = Num(d.ConditionsData(slot::ConstN));
        r->Pattern = Lng(d.ConditionsData(slot::Hakei));
        r->DT = Lng(d.DeltaTData(slot::DeltaT));
        r->DecR = 3;
        r->DecnRn = 3;
        r->DecIn = 3;
        r->Calc();
        Check(*r);
    });
}

int32_t CalcQi(const ProjectData &d, CalcResults &res) {
    return RunStep([&] {
        auto q = std::make_shared<clsQi>();
        res.objQi = q;
        q->Fs = Chk((Num(d.ConditionsData(slot::Yoyuu)) + 100.0) / 100.0);  // margin factor
        q->Qfix = Num(d.ConditionsData(slot::Qfix));
        q->A = Num(d.CatchmentSummary(slot::SumArea));
        q->fp = Num(d.CatchmentSummary(slot::SumFp));
        q->Qi().Clear();
        if (!res.objRdata) Fail(err::InvalidCall);
        for (const auto &step : res.objRdata->DataR()) q->Qi().Add(step->t, step->r);
        q->DecQi = 4;
        q->DecQid = 3;
        q->Calc();
        Check(*q);
    });
}

int32_t CalcQo(const ProjectData &d, CalcResults &res) { return CalcQo(d, res, CalcOptions()); }

int32_t CalcQo(const ProjectData &d, CalcResults &res, const CalcOptions &options) {
    return RunStep([&] {
        auto qo = std::make_shared<CQo>();
        res.objQo = qo;
        const int32_t tAfter = Lng(Lng(d.ConditionsData(slot::CalcTime)) * 60.0);  // minutes
        const int32_t DT = Lng(d.DeltaTData(slot::DeltaT));                              // minutes
        const double FWL = Num(d.ConditionsData(slot::FWL));

        // The level the routing starts from when the pond is lowered first.
        const double lowered = options.drawdown ? Chk(FWL - *options.drawdown) : FWL;

        qo->HVCMethod = Lng(d.HVCData(slot::HVCMethod));
        qo->HVC().Clear();
        if (qo->HVCMethod != 0) {
            const int32_t count = d.HVCCount;
            if (count > d.HVCTable.Rows()) Fail(err::Subscript);
            for (int32_t i = 1; i <= count; ++i) {
                qo->HVC().Add(Num(d.HVCTable(1, i)), 0.0, Num(d.HVCTable(2, i)), 0.0);
            }
            qo->ELS = options.drawdown ? lowered : Num(d.HVCData(slot::HVCStartLevel));
        } else {
            // The guideline's constant-area pond: storage = A (level - FWL),
            // counted from the lowered level when there is one.
            const double a = Num(d.ConditionsData(slot::Area));
            qo->HVC().Add(lowered, 0.0, 0.0, 0.0);
            qo->HVC().Add(Chk(lowered + 1.0), 1.0, a, a);
            qo->ELS = lowered;
        }

        qo->SectType = Lng(d.SectionData(slot::SectType));
        qo->SectEL = FWL;
        if (qo->SectType != 0) {
            qo->SectB = Num(d.SectionData(slot::SectB));
            qo->SectCd = Num(d.SectionData(slot::SectCd));
        } else {
            qo->SectB = Num(d.SectionData(slot::SectB1));
            qo->SectCd = Num(d.SectionData(slot::SectC1));
        }

        if (!res.objQi) Fail(err::InvalidCall);
        const colQiData &inflow = res.objQi->Qi();
        // The tail after the rain: zero inflow at every step, the last one
        // cut to the end of the calculation time.
        int64_t tailPoints = 0;
        if (tAfter > 0) {
            if (DT <= 0) Fail(err::InvalidCall);
            tailPoints = (static_cast<int64_t>(tAfter) + DT - 1) / DT;
        }
        if (inflow.Count() + tailPoints > kMaxTimePoints) Fail(err::OutOfMemory);

        qo->Qo().Clear();
        qo->Qo().Reserve(static_cast<int32_t>(inflow.Count() + tailPoints));
        for (const auto &step : inflow) qo->Qo().Add(step->t, step->Qid);
        const int64_t t0 = inflow.Count() > 0 ? inflow.Item(inflow.Count())->t : 0;
        for (int64_t k = 1; k <= tailPoints; ++k) {
            const int64_t t = std::min<int64_t>(t0 + k * DT, t0 + tAfter);
            if (t > INT32_MAX) Fail(err::Overflow);
            qo->Qo().Add(static_cast<int32_t>(t), 0.0);
        }

        qo->DecH = 3;
        qo->DecQo = 3;
        qo->DecV = 0;
        qo->Calc();
        Check(*qo);
    });
}

MissingInput FindMissingInput(const ProjectData &d) {
    const std::pair<int, MissingInput> adopted[] = {{slot::SumArea, MissingInput::CatchmentArea},
                                                    {slot::SumFp, MissingInput::CatchmentFp},
                                                    {slot::SumC, MissingInput::CatchmentC}};
    for (const auto &[index, missing] : adopted) {
        // A text that is no number is left to the steps, which report it
        // as the type mismatch it is; an empty slot reads as 0.
        double value = 0;
        if (d.CatchmentSummary(index).ToDouble(value) == 0 && !(value > 0)) return missing;
    }
    return MissingInput::None;
}

bool CalcAll(const ProjectData &d, CalcResults &res) { return CalcAll(d, res, CalcOptions()); }

bool CalcAll(const ProjectData &d, CalcResults &res, const CalcOptions &options) {
    res.FailedStep = CalcStep::None;
    res.FailedError = 0;
    res.Missing = FindMissingInput(d);
    if (res.Missing != MissingInput::None) {
        // Refused input, not a failed step: the number of an invalid
        // argument, so that no failed run ever reads as error 0.
        res.FailedStep = CalcStep::Input;
        res.FailedError = err::InvalidCall;
        return false;
    }
    res.TpError = CalcTpStep(d, res);  // a failed arrival time does not stop the run

    struct Step {
        CalcStep id;
        std::function<int32_t()> run;
    };
    const Step steps[] = {{CalcStep::Average, [&] { return CalcAverage(d, res); }},
                          {CalcStep::Rainfall, [&] { return CalcRainfall(d, res); }},
                          {CalcStep::Qi, [&] { return CalcQi(d, res); }},
                          {CalcStep::Qo, [&] { return CalcQo(d, res, options); }}};
    for (const Step &s : steps) {
        if (int32_t e = s.run()) {
            res.FailedStep = s.id;
            res.FailedError = e;
            return false;
        }
    }
    const double level = res.objQo->SectEL + res.objQo->Hmax();
    if (!std::isfinite(level)) {
        res.FailedStep = CalcStep::Level;
        res.FailedError = err::Overflow;
        return false;
    }
    res.DesignFloodLevel = level;
    return true;
}

bool CalcAllAtDeltaT(const ProjectData &d, int32_t dtMinutes, CalcResults &res) {
    ProjectData copy = d;
    copy.DeltaTData(slot::DeltaT) = SlotValue::Int32(dtMinutes);
    return CalcAll(copy, res);
}

}  // namespace wyndlor
