#include "widgets/PictureFormat.h"

#include "core/PictureNumber.h"

#include <cmath>

namespace wyndlor {

namespace {

int CountDecimals(const QString &section) {
    const int sp = section.indexOf('.');
    if (sp < 0) return 0;
    int n = 0;
    for (QChar c : section.mid(sp + 1))
        if (c == '0' || c == '#') ++n;
    return n;
}

}  // namespace

PictureFormat::PictureFormat(const QString &picture) : picture_(picture) {
    const QString positive = picture.section(QLatin1Char(';'), 0, 0);
    decimals_ = CountDecimals(positive);
    const int sp = positive.indexOf('.');
    intDigits_ = 0;
    for (QChar c : sp < 0 ? positive : positive.left(sp))
        if (c == '0' || c == '#') ++intDigits_;
}

QString PictureFormat::Format(double value) const {
    if (!std::isfinite(value)) return QString();
    return QString::fromStdString(FormatPicture(value, picture_.toStdString()));
}

QString GeneralNumberText(double value) {
    return QString::number(value, 'g', 15);
}

bool ParseNumberText(const QString &text, double &value) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return false;
    value = v;
    return true;
}

}  // namespace wyndlor
