// Inflow hydrograph by the rational formula and the design flood discharge.
//
// For each rainfall step: Qi = r fp A / 3.6 (mm/h x km2 -> m3/s), rounded to
// DecQi places; design inflow Qid = Qi Fs + Qfix rounded to DecQid places,
// with Fs = 1 + margin / 100 and Qfix the constant inflow from canals.  The
// largest Qid is the design flood discharge Q1.
#pragma once

#include "calc/Items.h"

namespace wyndlor {

class clsQi {
public:
    double fp = 1;      // peak runoff coefficient
    double A = 0;       // catchment area, km2
    double Qfix = 0;    // constant inflow, m3/s
    double Fs = 1;      // margin factor
    int32_t DecQi = 3;
    int32_t DecQid = 3;

    colQiData &Qi() { return items_; }
    const colQiData &Qi() const { return items_; }

    void Calc();

    int32_t Error() const { return error_; }
    double Q1() const { return q1_; }  // design flood discharge, m3/s

private:
    colQiData items_;
    int32_t error_ = 0;
    double q1_ = 0;
};

}  // namespace wyndlor
