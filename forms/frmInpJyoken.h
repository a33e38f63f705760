// Calculation conditions of the project: the pond's basic data, the 200-year
// design rainfall intensity formula with its regional constants, rainfall
// duration, time unit of the formula, rainfall waveform, and the remaining
// conditions of the flood calculation (margin, fixed inflow, time after the
// rain).  The controls keep the names under which the handlers address them.
#pragma once

#include "forms/InputDialog.h"

class QLineEdit;

namespace wyndlor {

class NumberField;

class frmInpJyoken : public InputDialog {
    Q_OBJECT
public:
    explicit frmInpJyoken(QWidget *parent = nullptr);

    QLineEdit *txtTitle;
    NumberField *numV, *numFWL, *numA;
    OptionGroup *optSiki;
    NumberField *numConstA, *numConstB, *numConstN;
    OptionGroup *optTime, *optUnit;
    NumberField *numYoyuu, *numQfix, *numCalcTime;
    OptionGroup *optHakei;

    static constexpr int kTitleMaxLength = 60;

public slots:
    // The formula uses a and b (Talbot, Kuno-Ishiguro) or a and n (Sherman);
    // the unused constant is disabled but keeps its value.
    void ApplyFormula(int index);

protected:
    void AfterLoad() override;
};

}  // namespace wyndlor
