#include "PictureFormat.h"

#include "RoundOff.h"

#include <cmath>

namespace wyndlor {

namespace {

// Lays out the digits of |value| (already rounded) by one section.
QString LayOut(const QString &section, double magnitude, int decimals) {
    const QString digits = QString::number(magnitude, 'f', decimals);
    const int point = digits.indexOf('.');
    QString intPart = point < 0 ? digits : digits.left(point);
    const QString fracPart = point < 0 ? QString() : digits.mid(point + 1);
    if (intPart == "0") intPart.clear();  // shown only where the picture has a "0"

    // The section's integer part and decimals, split at its point.
    const int sp = section.indexOf('.');
    const QString sInt = sp < 0 ? section : section.left(sp);
    const QString sFrac = sp < 0 ? QString() : section.mid(sp + 1);

    // The digit places from the first "0" to the point always show.
    int minDigits = 0;
    bool seenZero = false;
    for (QChar c : sInt) {
        if (c == '0') seenZero = true;
        if (seenZero && (c == '0' || c == '#')) ++minDigits;
    }
    while (intPart.size() < minDigits) intPart.prepend('0');

    // Literals before the first digit place stay in front, the digits
    // (however many the value needs) follow, and literals after stay behind.
    QString prefix, suffix;
    int firstDigit = -1, lastDigit = -1;
    for (int i = 0; i < sInt.size(); ++i) {
        if (sInt[i] == '0' || sInt[i] == '#') {
            if (firstDigit < 0) firstDigit = i;
            lastDigit = i;
        }
    }
    if (firstDigit < 0) {
        prefix = sInt;
    } else {
        prefix = sInt.left(firstDigit);
        suffix = sInt.mid(lastDigit + 1);
    }
    QString out = prefix + intPart + suffix;
    if (sp >= 0) {
        out += '.';
        int k = 0;
        for (QChar c : sFrac) {
            if (c == '0' || c == '#') {
                out += k < fracPart.size() ? fracPart[k] : QChar('0');
                ++k;
            } else {
                out += c;
            }
        }
    }
    return out;
}

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
    const int semi = picture.indexOf(';');
    positive_ = semi < 0 ? picture : picture.left(semi);
    negative_ = semi < 0 ? QString() : picture.mid(semi + 1);
    decimals_ = CountDecimals(positive_);
    const int sp = positive_.indexOf('.');
    intDigits_ = 0;
    for (QChar c : sp < 0 ? positive_ : positive_.left(sp))
        if (c == '0' || c == '#') ++intDigits_;
}

QString PictureFormat::Format(double value) const {
    if (!std::isfinite(value)) return QString();
    const double rounded = RoundOff(value, decimals_);
    const double magnitude = std::fabs(rounded);
    if (rounded < 0) {
        if (!negative_.isEmpty()) return LayOut(negative_, magnitude, decimals_);
        return "-" + LayOut(positive_, magnitude, decimals_);
    }
    return LayOut(positive_, magnitude, decimals_);
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
