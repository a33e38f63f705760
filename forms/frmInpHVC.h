// The pond's storage relation for the flood routing: the method (constant
// area after the land-improvement design guideline, or frustums between
// entered level-area pairs), the starting water level of the routing, and
// up to ten level-area pairs.  With the constant-area method the level and
// the table are not used, and the form greys them out.
#pragma once

#include "forms/InputDialog.h"

class QGroupBox;
class QLabel;

namespace wyndlor {

class InputGrid;
class NumberField;

class frmInpHVC : public InputDialog {
    Q_OBJECT
public:
    explicit frmInpHVC(QWidget *parent = nullptr);

    enum { ColLevel = 0, ColArea = 1 };

    QGroupBox *Frame1;
    OptionGroup *optHVC;
    NumberField *numFWL;
    QLabel *lblText;
    InputGrid *vaSpread1;

public slots:
    void ApplyMethod(int index);

protected:
    void AfterLoad() override;
};

}  // namespace wyndlor
