#include "forms/frmInpArea.h"

#include "forms/InputGrid.h"
#include "widgets/NumberField.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace wyndlor {

namespace {
QString U(const char *s) { return QString::fromUtf8(s); }
}  // namespace

frmInpArea::frmInpArea(QWidget *parent) : InputDialog(U("流域面積等の入力"), "InpArea", parent) {
    Body()->addWidget(Heading(U("■　流域面積等の入力"), this));
    // The cells take what the adopted fields take: area like numArea, fp
    // between 0 and 1, C like numC, so that averaging and saving never meet
    // a text that is not a number.
    std::vector<GridColumn> cols(4);
    cols[ColName].heading = U("流域区分");
    cols[ColName].numeric = false;
    cols[ColName].widthChars = 20;
    cols[ColName].maxLength = 20;
    cols[ColArea] = GridColumn{U("流域面積A(km2)"), true, 0, 999, 4, 14, 0};
    cols[ColFp] = GridColumn{U("ﾋﾟｰｸ流出係数fp"), true, 0, 1, 3, 14, 0};
    cols[ColC] = GridColumn{U("洪水到達時間係数Ｃ"), true, 0, 999, 1, 16, 0};
    vaSpread1 = new InputGrid(10, cols, this);
    Body()->addWidget(vaSpread1);

    Body()->addSpacing(12);
    Body()->addWidget(Heading(U("■　流域面積，ｆpおよびＣの採用値"), this));
    auto *row = new QHBoxLayout;
    Body()->addLayout(row);
    auto *fields = new QGridLayout;
    row->addLayout(fields);
    numArea = new NumberField(0, 999, "##0.0000", QString(), this);
    numFp = new NumberField(0, 1, "0.000", QString(), this);
    numC = new NumberField(0, 999, "##0", QString(), this);
    AddFieldRow(fields, U("流域面積Ａ(km2)"), numArea);
    AddFieldRow(fields, U("流域平均流出係数ｆp"), numFp);
    AddFieldRow(fields, U("流域平均洪水到達時間係数Ｃ"), numC);
    row->addStretch();
    cmdDefault = new QPushButton(U("ﾃﾞﾌｫﾙﾄ値"), this);
    cmdDefault->setAutoDefault(false);
    row->addWidget(cmdDefault, 0, Qt::AlignBottom);
    connect(cmdDefault, &QPushButton::clicked, this, &frmInpArea::CalcData);
}

}  // namespace wyndlor
