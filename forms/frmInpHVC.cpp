#include "forms/frmInpHVC.h"

#include "forms/InputGrid.h"
#include "widgets/NumberField.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace wyndlor {

namespace {
QString U(const char *s) { return QString::fromUtf8(s); }
}  // namespace

frmInpHVC::frmInpHVC(QWidget *parent) : InputDialog(U("ｈ－Ｖ曲線算定ﾃﾞｰﾀの入力"), "InpHVC", parent) {
    Frame1 = new QGroupBox(U("ｈ－Ｖ曲線の算定方法"), this);
    auto *methods = new QVBoxLayout(Frame1);
    optHVC = new OptionGroup(this);
    for (const QString &t :
         {U("土地改良事業設計指針「ため池整備」に準拠する"), U("ｈ－Ａﾃﾞｰﾀより截頭角錐体として求める")}) {
        auto *b = new QRadioButton(t, Frame1);
        optHVC->AddOption(b);
        methods->addWidget(b);
    }
    Body()->addWidget(Frame1);

    auto *level = new QGridLayout;
    Body()->addLayout(level);
    numFWL = new NumberField(-999, 999, "+##0.000;-##0.000", "##0.000", this);
    AddFieldRow(level, U("出発水位ＷＬ（ｍ）"), numFWL);
    level->setColumnStretch(2, 1);

    lblText = new QLabel(U("ため池のｈ－Ｖ曲線算定ﾃﾞｰﾀ"), this);
    Body()->addWidget(lblText);
    std::vector<GridColumn> cols(2);
    cols[ColLevel] = GridColumn{U("断面位置ｈ(m)"), true, -999.999, 999.999, 3, 12, 0};
    cols[ColArea] = GridColumn{U("池面積A(m2)"), true, 0, 9999999.9, 1, 12, 0};
    vaSpread1 = new InputGrid(10, cols, this);
    Body()->addWidget(vaSpread1, 0, Qt::AlignLeft);

    optHVC->SetIndex(0);
    ApplyMethod(0);
    connect(optHVC, &QButtonGroup::idClicked, this, &frmInpHVC::ApplyMethod);
}

void frmInpHVC::ApplyMethod(int index) {
    const bool frustum = index == 1;
    numFWL->setEnabled(frustum);
    lblText->setEnabled(frustum);  // grey-text colour while the table is unused
    vaSpread1->setEnabled(frustum);
}

void frmInpHVC::AfterLoad() {
    ApplyMethod(optHVC->Index());
}

}  // namespace wyndlor
