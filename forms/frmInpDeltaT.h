// The calculation time step Δt (whole minutes): the step of the rainfall
// waveform and the hydrographs, and of the routing after the inflow ends.
// As a guide the form shows the flood arrival time tp, computed afresh from
// the current input when it opens; Δt is chosen close to tp.  After a
// calculation of the same input whose accuracy check found the step too
// coarse, the step the check recommends is shown beside tp.
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
    QLabel *lblRecommendedDT;  // the accuracy check's recommendation; hidden when empty
    NumberField *numDeltaT;  // minutes, 10 to 120
};

}  // namespace wyndlor
