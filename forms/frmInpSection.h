// Shape of the spillway's control section, which fixes the outflow formula
// of the flood routing: type 0, channel inflow without a weir,
// Q = 1.704 C B H^1.5 (channel width B, inflow coefficient C); type 1,
// overflow weir or side channel, Q = Cd B H^1.5 (effective weir width B,
// discharge coefficient Cd); H is the head above the full water level.
// Each type keeps its own values, so switching back and forth loses
// nothing; only the frame of the selected type is in front and enabled.
#pragma once

#include "forms/InputDialog.h"

class QGroupBox;
class QStackedWidget;

namespace wyndlor {

class NumberField;

class frmInpSection : public InputDialog {
    Q_OBJECT
public:
    explicit frmInpSection(QWidget *parent = nullptr);

    QGroupBox *fraType;
    OptionGroup *optType;
    QStackedWidget *stack;  // the two type frames at one place
    QGroupBox *fraType1, *fraType2;
    NumberField *numB1, *numC1;  // type 0
    NumberField *numB, *numCd;   // type 1

public slots:
    void ApplyType(int index);

protected:
    void AfterLoad() override;
};

// Sketch of a control section: 0 the channel inflow (a level channel cut
// into the bank, water entering it over its width B), 1 the overflow weir
// (water falling over the weir crest of effective width B).
class SectionSketch : public QWidget {
public:
    SectionSketch(int type, QWidget *parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    int type_;
};

}  // namespace wyndlor
