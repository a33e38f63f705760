// The calculation time step Δt (whole minutes): the step of the rainfall
// waveform and the hydrographs, and of the routing after the inflow ends.
// As a guide the form shows the flood arrival time tp, computed afresh from
// the current input when it opens; Δt is chosen close to tp.  Beside tp it
// recommends the guideline's step, tp rounded to a whole minute, with the
// design flood discharge Q1 the current input gives at that step.
#pragma once

#include "forms/InputDialog.h"

class QLabel;

namespace wyndlor {

class NumberField;

class frmInpDeltaT : public InputDialog {
    Q_OBJECT
public:
    explicit frmInpDeltaT(QWidget *parent = nullptr);

    NumberField *numTp;      // shown only, never stored
    QLabel *lblGuidelineStep;  // "Δｔ≒ｔｐ：83分（Ｑ1＝8.440 m3/s）"; hidden without tp
    NumberField *numDeltaT;  // minutes, 10 to 120
};

}  // namespace wyndlor
