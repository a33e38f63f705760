#include "forms/frmInpSection.h"

#include "widgets/NumberField.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace wyndlor {

namespace {

QString U(const char *s) { return QString::fromUtf8(s); }

// The frame of one type: its width and coefficient fields beside its sketch.
// Both fields take 0 to 99; the width shows 2 decimals, the coefficient 3.
QGroupBox *TypeFrame(const QString &caption, int type, const QString &widthLabel,
                     NumberField *&width, const QString &coefLabel, NumberField *&coef,
                     QWidget *parent) {
    auto *box = new QGroupBox(caption, parent);
    auto *lay = new QHBoxLayout(box);
    auto *fields = new QGridLayout;
    auto *l1 = new QLabel(widthLabel, box);
    width = new NumberField(0, 99, "#0.00", QString(), box);
    auto *l2 = new QLabel(coefLabel, box);
    coef = new NumberField(0, 99, "#0.000", QString(), box);
    l1->setBuddy(width);
    l2->setBuddy(coef);
    fields->addWidget(l1, 0, 0);
    fields->addWidget(width, 0, 1);
    fields->addWidget(l2, 1, 0);
    fields->addWidget(coef, 1, 1);
    fields->setRowStretch(2, 1);
    lay->addLayout(fields);
    lay->addWidget(new SectionSketch(type, box));
    return box;
}

}  // namespace

frmInpSection::frmInpSection(QWidget *parent)
    : InputDialog(U("洪水吐調整部断面形状の入力"), "InpSection", parent) {
    Body()->addWidget(Heading(U("■　調整部断面形状"), this));
    fraType = new QGroupBox(this);
    auto *typeLay = new QHBoxLayout(fraType);
    optType = new OptionGroup(this);
    for (const QString &t : {U("水路流入式(堰無し)"), U("越流堰式および側水路式（堰有り）")}) {
        auto *b = new QRadioButton(t, fraType);
        optType->AddOption(b);
        typeLay->addWidget(b);
    }
    typeLay->addStretch();
    Body()->addWidget(fraType);

    stack = new QStackedWidget(this);
    fraType1 = TypeFrame(U("水路流入式(堰無し)"), 0, U("水路幅Ｂ（m）"), numB1, U("流入係数Ｃ"),
                         numC1, stack);
    fraType2 = TypeFrame(U("越流堰式および側水路式（堰有り）"), 1, U("堰の有効幅Ｂ（m）"), numB,
                         U("設計洪水時の流量係数Ｃd(m1/2/s)"), numCd, stack);
    stack->addWidget(fraType1);
    stack->addWidget(fraType2);
    Body()->addWidget(stack);

    optType->SetIndex(0);
    ApplyType(0);
    connect(optType, &QButtonGroup::idClicked, this, &frmInpSection::ApplyType);
}

void frmInpSection::ApplyType(int index) {
    QGroupBox *front = index == 1 ? fraType2 : fraType1;
    QGroupBox *back = index == 1 ? fraType1 : fraType2;
    stack->setCurrentWidget(front);
    front->setEnabled(true);
    back->setEnabled(false);
}

void frmInpSection::AfterLoad() {
    ApplyType(optType->Index());
}

SectionSketch::SectionSketch(int type, QWidget *parent) : QWidget(parent), type_(type) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize SectionSketch::sizeHint() const {
    return {220, 130};
}

void SectionSketch::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ground(150, 120, 80), water(120, 170, 230);
    const QPen outline(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::WindowText), 1.5);
    const int w = width(), h = height();
    const int crestY = h * 55 / 100;   // full water level = crest
    const int headY = h * 30 / 100;    // flood water level
    QFont f = font();
    f.setItalic(true);
    p.setFont(f);

    if (type_ == 0) {
        // Cross-section of the channel: a rectangular cut of width B whose
        // bed lies at the full water level, with the flood water of depth H.
        const int left = w * 25 / 100, right = w * 75 / 100;
        p.fillRect(QRect(QPoint(left, headY), QPoint(right, crestY)), water);
        QPainterPath bank;
        bank.moveTo(8, headY - 20);
        bank.lineTo(left, headY - 20);
        bank.lineTo(left, crestY);
        bank.lineTo(right, crestY);
        bank.lineTo(right, headY - 20);
        bank.lineTo(w - 8, headY - 20);
        p.setPen(outline);
        p.drawPath(bank);
        p.drawLine(left, crestY + 18, right, crestY + 18);  // dimension of B
        p.drawLine(left, crestY + 12, left, crestY + 24);
        p.drawLine(right, crestY + 12, right, crestY + 24);
        p.drawText(QRect(left, crestY + 20, right - left, 20), Qt::AlignCenter, "B");
        p.drawLine(right + 12, headY, right + 12, crestY);  // dimension of H
        p.drawText(QRect(right + 16, headY, 20, crestY - headY), Qt::AlignVCenter, "H");
    } else {
        // Side view of the weir: pond water to the left rising H above the
        // crest and falling over it.
        const int crestX = w * 45 / 100, crestW = 20;
        p.fillRect(QRect(QPoint(8, headY), QPoint(crestX, crestY + 40)), water);
        QPainterPath nappe;
        nappe.moveTo(crestX, headY);
        nappe.quadTo(crestX + crestW + 10, headY + 4, crestX + crestW + 30, h - 10);
        nappe.lineTo(crestX + crestW + 14, h - 10);
        nappe.quadTo(crestX + crestW + 4, crestY + 10, crestX + crestW, crestY);
        nappe.lineTo(crestX, crestY);
        nappe.closeSubpath();
        p.fillPath(nappe, water);
        p.setPen(outline);
        p.setBrush(ground);
        p.drawRect(QRect(QPoint(crestX, crestY), QPoint(crestX + crestW, h - 10)));
        p.setBrush(Qt::NoBrush);
        p.drawLine(8, h - 10, w - 8, h - 10);
        p.drawLine(crestX - 12, headY, crestX - 12, crestY);  // dimension of H
        p.drawText(QRect(crestX - 30, headY, 16, crestY - headY), Qt::AlignVCenter, "H");
    }
}

}  // namespace wyndlor
