// The pond's catchment: up to ten sub-catchments with area, peak runoff
// coefficient fp and flood-arrival-time coefficient C, and the three values
// the calculation adopts for the whole catchment (total area, average fp,
// average C).  "ﾃﾞﾌｫﾙﾄ値" raises CalcData, whose handler fills the adopted
// values from the table by area-weighted averaging; the engineer may then
// overwrite them.
#pragma once

#include "forms/InputDialog.h"

namespace wyndlor {

class InputGrid;
class NumberField;

class frmInpArea : public InputDialog {
    Q_OBJECT
public:
    explicit frmInpArea(QWidget *parent = nullptr);

    // Grid columns, 0-based.
    enum { ColName = 0, ColArea = 1, ColFp = 2, ColC = 3 };

    InputGrid *vaSpread1;
    NumberField *numArea, *numFp, *numC;
    QPushButton *cmdDefault;

signals:
    void CalcData();
};

}  // namespace wyndlor
