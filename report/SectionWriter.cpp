#include "report/SectionWriter.h"

#include "core/SystemHelpers.h"

namespace wyndlor {

bool SectionWriter::Begin(const QString &section) {
    t_ = TemplateSection{};
    if (!LoadTemplate(format_, section, t_)) return false;
    return w.Open();
}

bool SectionWriter::End() {
    w.Close();  // writes the file; a full disk fails here
    return !w.WriteFailed();
}

std::vector<TemplateLine> SectionWriter::Header(int32_t from, int32_t to) const {
    std::vector<TemplateLine> lines;
    for (int32_t k = from; k <= to; ++k) lines.push_back(t_[k]);
    return lines;
}

QString FullWidthNumber(double value, const std::string &picture) {
    // The full-width hyphen-minus is the minus sign of the Windows code
    // page; where the converter lacks it the mathematical minus serves.
    static const QChar minus = CanEncodeShiftJis(QString(QChar(0xFF0D))) ? QChar(0xFF0D) : QChar(0x2212);
    QString out;
    for (char c : FormatPicture(value, picture)) {
        if (c >= '0' && c <= '9')
            out += QChar(0xFF10 + (c - '0'));
        else if (c == '.')
            out += QChar(0xFF0E);
        else if (c == '-')
            out += minus;
        else if (c == ',')
            out += QChar(0xFF0C);
        else
            out += QChar(0x3000);
    }
    return out;
}

QString ZeroPadded(int32_t value, int32_t digits) {
    return QStringLiteral("%1").arg(value, digits, 10, QLatin1Char('0'));
}

}  // namespace wyndlor
