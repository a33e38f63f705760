// Design hyetograph: step intensities of the rainfall formula arranged into
// a rear-peaked or centre-peaked waveform.
//
// For the rainfall duration TH (hours) and the step DT (minutes) the
// intensity is evaluated for durations DT, 2 DT, ... up to TH; the mean
// intensity of each single step follows from the cumulative depths, and the
// steps are arranged with the largest last (rear-peaked) or in the middle
// (centre-peaked).
#pragma once

#include "calc/Items.h"

namespace wyndlor {

class clsRdata {
public:
    int32_t Siki = 0;
    int32_t Unit = 0;
    double A = 0, b = 0, n = 0;
    int32_t DT = 60;      // calculation time step, minutes
    double TH = 24;       // rainfall duration, hours
    int32_t Pattern = 0;  // 0 rear-peaked, otherwise centre-peaked
    int32_t DecR = 3, DecnRn = 3, DecIn = 3;

    // Builds Datain and DataR (appending).  DT <= 0 fails at once with
    // err::InvalidCall and adds nothing.
    void Calc();

    int32_t Error() const { return error_; }
    const colRdataIn &Datain() const { return in_; }
    const colRdataR &DataR() const { return arranged_; }

private:
    colRdataIn in_;
    colRdataR arranged_;
    int32_t error_ = 0;
};

}  // namespace wyndlor
