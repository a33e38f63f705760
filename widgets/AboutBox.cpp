#include "widgets/AboutBox.h"

#include "core/ProjectFile.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

#ifndef OSTREVIN_VERSION
#define OSTREVIN_VERSION "1.4.0"
#endif

namespace wyndlor {

QString AboutBox::VersionText() { return QStringLiteral(OSTREVIN_VERSION); }

AboutBox::AboutBox(QWidget *parent) : QDialog(parent) {
    const QString product = QString::fromLatin1(ProductTitle());
    setWindowTitle(product + QStringLiteral(" のﾊﾞｰｼﾞｮﾝ情報"));
    setModal(true);

    auto *icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto *title = new QLabel(product, this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);

    auto *version = new QLabel(QStringLiteral("ﾊﾞｰｼﾞｮﾝ ") + VersionText(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto *purpose = new QLabel(
        QStringLiteral("ため池の設計洪水位計算ﾌﾟﾛｸﾞﾗﾑ\n"
                       "洪水到達時間・設計洪水流量を求め，洪水吐からの洪水調節計算により"
                       "設計洪水位を算定します。"),
        this);
    purpose->setObjectName(QStringLiteral("lblPurpose"));
    purpose->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(version);
    text->addSpacing(8);
    text->addWidget(purpose);
    auto *row = new QHBoxLayout;
    row->addWidget(icon);
    row->addLayout(text, 1);
    auto *all = new QVBoxLayout(this);
    all->addLayout(row);
    all->addWidget(buttons);
    setMinimumWidth(380);
}

}  // namespace wyndlor
