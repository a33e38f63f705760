#include "forms/frmInpDeltaT.h"

#include "widgets/NumberField.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace wyndlor {

namespace {
QString U(const char *s) { return QString::fromUtf8(s); }
}  // namespace

frmInpDeltaT::frmInpDeltaT(QWidget *parent)
    : InputDialog(U("計算時間間隔の入力"), "InpDeltaT", parent) {
    Body()->addWidget(new QLabel(U("洪水到達時間は，次の２式を同時に満足する値とする。"), this));
    // The two equations that together fix tp: the arrival-time formula and
    // the effective rainfall intensity of a rain lasting tp.
    auto *equations = new QLabel(
        "<table cellspacing=\"4\" style=\"margin-left:24px\">"
        "<tr><td><i>t<sub>p</sub></i> = <i>C</i> &middot; <i>A</i><sup>0.22</sup> &middot; "
        "<i>r<sub>e</sub></i><sup>&minus;0.35</sup></td></tr>"
        "<tr><td><i>r<sub>e</sub></i> = <i>f<sub>p</sub></i> &middot; <i>r</i>( <i>t<sub>p</sub></i> )"
        "</td></tr></table>",
        this);
    equations->setTextFormat(Qt::RichText);
    QFont big = equations->font();
    big.setPointSizeF(big.pointSizeF() * 1.25);
    equations->setFont(big);
    equations->setFrameShape(QFrame::Box);
    Body()->addWidget(equations);

    auto *fields = new QGridLayout;
    Body()->addLayout(fields);
    numTp = new NumberField(-999.9, 999.9, "##0.0", QString(), this);
    numTp->SetDisplayOnly(true);
    AddFieldRow(fields, U("洪水到達時間ｔp(min)"), numTp);
    lblGuidelineStep = new QLabel(this);
    lblGuidelineStep->setObjectName(QStringLiteral("lblGuidelineStep"));
    lblGuidelineStep->setVisible(false);
    fields->addWidget(lblGuidelineStep, fields->rowCount() - 1, 2);
    fields->addWidget(new QLabel(U("↓　Δｔ≒tpとなるように決定する"), this), fields->rowCount(), 0,
                      1, 2);
    numDeltaT = new NumberField(10, 120, "##0", QString(), this);
    AddFieldRow(fields, U("計算時間間隔Δｔ(min)"), numDeltaT);
    fields->setColumnStretch(2, 1);

    numDeltaT->SetValue(10);
}

}  // namespace wyndlor
