#include "report/SectionWriter.h"

#include "core/Messages.h"
#include "core/SystemHelpers.h"

namespace wyndlor {

bool SectionWriter::Begin(const QString &section) {
    t_ = TemplateSection{};
    if (!LoadTemplate(format_, section, t_, &w.FailureReason)) return false;
    if (w.Open()) return true;
    w.FailureReason = msg::PrintFileWriteFailed(w.PrintFilePath);
    return false;
}

bool SectionWriter::End() {
    w.Close();  // writes the file; a full disk fails here
    const bool ok = !w.WriteFailed();
    if (!ok) w.FailureReason = msg::PrintFileWriteFailed(w.PrintFilePath);
    return ok;
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

QStringList SplitToWidth(const QString &text, int32_t width) {
    // Characters, a surrogate pair kept whole.
    QStringList chars;
    for (int i = 0; i < text.size(); ++i) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
        chars.append(text.mid(i, pair ? 2 : 1));
        if (pair) ++i;
    }
    // Japanese line breaking: a closing bracket or a punctuation mark never
    // starts a line, an opening bracket never ends one; the character before
    // the break then moves to the next line too.
    static const QString noStart = QStringLiteral("）」』】〕｝〉》，．、。・：；？！ー－～)]},.:;?!");
    static const QString noEnd = QStringLiteral("（「『【〔｛〈《([{");
    QStringList pieces;
    QStringList line;
    int32_t used = 0;
    for (const QString &ch : chars) {
        const int32_t w = ShiftJisWidth(ch);
        if (used + w > width && !line.isEmpty()) {
            QStringList carried;
            if (noStart.contains(ch) && line.size() > 1) carried.prepend(line.takeLast());
            while (line.size() > 1 && noEnd.contains(line.last())) carried.prepend(line.takeLast());
            pieces.append(line.join(QString()));
            line = carried;
            used = 0;
            for (const QString &c : line) used += ShiftJisWidth(c);
        }
        line.append(ch);
        used += w;
    }
    pieces.append(line.join(QString()));
    return pieces;
}

QString ZeroPadded(int32_t value, int32_t digits) {
    return QStringLiteral("%1").arg(value, digits, 10, QLatin1Char('0'));
}

}  // namespace wyndlor
