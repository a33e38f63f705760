#include "forms/frmInpJyoken.h"

#include "widgets/NumberField.h"
#include "forms/TextGuard.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace wyndlor {

namespace {

QString U(const char *s) { return QString::fromUtf8(s); }

// A framed group of option buttons laid out one under the other.
QGroupBox *OptionFrame(const QString &caption, OptionGroup *group, const QStringList &options,
                       QWidget *parent) {
    auto *box = new QGroupBox(caption, parent);
    auto *lay = new QVBoxLayout(box);
    for (const QString &o : options) {
        auto *b = new QRadioButton(o, box);
        group->AddOption(b);
        lay->addWidget(b);
    }
    return box;
}

}  // namespace

frmInpJyoken::frmInpJyoken(QWidget *parent)
    : InputDialog(U("計算条件の入力"), "InpJyoken", parent) {
    auto *columns = new QHBoxLayout;
    Body()->addLayout(columns);
    auto *left = new QVBoxLayout;
    auto *right = new QVBoxLayout;
    columns->addLayout(left);
    columns->addSpacing(16);
    columns->addLayout(right);

    // Pond data.
    left->addWidget(Heading(U("■　ため池諸元"), this));
    auto *pond = new QGridLayout;
    left->addLayout(pond);
    txtTitle = new QLineEdit(U("(未定義)"), this);
    txtTitle->setValidator(new StorableTextValidator(kTitleMaxLength, txtTitle));
    txtTitle->setMinimumWidth(fontMetrics().horizontalAdvance(QString(24, QChar(0x3042))));
    numV = new NumberField(0, 9999999, "#######0", QString(), this);
    numFWL = new NumberField(-999, 999, "+##0.000;-##0.000", "##0.000", this);
    numA = new NumberField(0, 9999999, "######0", QString(), this);
    AddFieldRow(pond, U("件名"), txtTitle);
    AddFieldRow(pond, U("貯水量（m3）"), numV);
    AddFieldRow(pond, U("常時満水位ＦＷＬ（ｍ）"), numFWL);
    AddFieldRow(pond, U("常時満水時貯水面積（ｍ2）"), numA);
    pond->setColumnStretch(2, 1);

    // Other conditions.
    left->addSpacing(12);
    left->addWidget(Heading(U("■　その他の計算条件"), this));
    auto *other = new QGridLayout;
    left->addLayout(other);
    numYoyuu = new NumberField(0, 99, "#0", QString(), this);
    numQfix = new NumberField(0, 99, "#0.000", QString(), this);
    numCalcTime = new NumberField(0, 99, "#0", QString(), this);
    AddFieldRow(other, U("洪水の提体越流に対する余裕率（％）"), numYoyuu);
    AddFieldRow(other, U("用水路などからの固定流入用Ｑfix(m/s)"), numQfix);
    AddFieldRow(other, U("降雨終了後の計算時間（hr）"), numCalcTime);
    other->setColumnStretch(2, 1);
    optHakei = new OptionGroup(this);
    left->addWidget(OptionFrame(U("降雨波形"), optHakei, {U("後方集中型"), U("中央集中型")}, this));
    left->addStretch();

    // Rainfall intensity formula: each option with its formula beside it.
    right->addWidget(Heading(U("■　200年確率降雨強度式"), this));
    optSiki = new OptionGroup(this);
    auto *formulas = new QGridLayout;
    right->addLayout(formulas);
    const QStringList names = {U("タルボット式"), U("シャーマン式"), U("久野･石黒式")};
    const QStringList shown = {
        "<i>r</i> = <i>a</i> / ( <i>t</i> + <i>b</i> )",
        "<i>r</i> = <i>a</i> / <i>t</i><sup>&nbsp;<i>n</i></sup>",
        "<i>r</i> = <i>a</i> / ( <span style=\"text-decoration:overline\">&radic;<i>t</i></span>"
        " + <i>b</i> )"};
    for (int i = 0; i < names.size(); ++i) {
        auto *b = new QRadioButton(names[i], this);
        optSiki->AddOption(b);
        auto *f = new QLabel(shown[i], this);
        f->setTextFormat(Qt::RichText);
        formulas->addWidget(b, i, 0);
        formulas->addWidget(f, i, 1);
    }
    formulas->setColumnStretch(2, 1);

    right->addWidget(new QLabel(U("地方定数"), this));
    auto *consts = new QGridLayout;
    right->addLayout(consts);
    numConstA = new NumberField(-99999.999, 99999.999, "####0.000", QString(), this);
    numConstB = new NumberField(-99.999, 99.999, "#0.000", QString(), this);
    numConstN = new NumberField(-99.999, 99.999, "#0.000", QString(), this);
    AddFieldRow(consts, "<i>a</i> =", numConstA);
    AddFieldRow(consts, "<i>b</i> =", numConstB);
    AddFieldRow(consts, "<i>n</i> =", numConstN);
    consts->setColumnStretch(2, 1);

    optTime = new OptionGroup(this);
    optUnit = new OptionGroup(this);
    auto *frames = new QHBoxLayout;
    right->addLayout(frames);
    frames->addWidget(OptionFrame(U("降雨継続時間"), optTime,
                                  {U("24時間"), U("48時間"), U("72時間")}, this));
    frames->addWidget(OptionFrame(U("降雨強度式におけるｔの単位"), optUnit,
                                  {U("分（min）"), U("時間（ｈr）")}, this));
    right->addStretch();

    // Defaults until the owner's LoadData handler fills the form.
    numYoyuu->SetValue(20);
    numCalcTime->SetValue(12);
    optSiki->SetIndex(0);
    optTime->SetIndex(0);
    optUnit->SetIndex(0);
    optHakei->SetIndex(0);
    connect(optSiki, &QButtonGroup::idClicked, this, &frmInpJyoken::ApplyFormula);
}

void frmInpJyoken::ApplyFormula(int index) {
    const bool sherman = index == 1;
    numConstA->setEnabled(true);
    numConstB->setEnabled(!sherman);
    numConstN->setEnabled(sherman);
}

void frmInpJyoken::AfterLoad() {
    ApplyFormula(optSiki->Index());
}

}  // namespace wyndlor
