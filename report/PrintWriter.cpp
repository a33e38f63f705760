#include "report/PrintWriter.h"

#include "calc/SlotValue.h"
#include "core/Messages.h"
#include "core/SystemHelpers.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace wyndlor {

namespace {

const QByteArray kLineEnd("\r\n");
// The format file holds a few hundred template lines.
constexpr qint64 kMaxFormatFileBytes = 4 * 1024 * 1024;
const char kFormFeed = '\f';

// First byte of a double-byte Shift_JIS character.
bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Byte length of the character starting at `pos`.
int CharLength(const QByteArray &bytes, int pos) {
    if (IsLeadByte(static_cast<unsigned char>(bytes[pos])) && pos + 1 < bytes.size()) return 2;
    return 1;
}

// The leading characters of `bytes` that fit in `width` bytes, padded with
// spaces to exactly `width` (a double-byte character that would be split
// becomes a space).
QByteArray FitBytes(const QByteArray &bytes, int width) {
    QByteArray out;
    int pos = 0;
    while (pos < bytes.size()) {
        const int len = CharLength(bytes, pos);
        if (out.size() + len > width) break;
        out.append(bytes.mid(pos, len));
        pos += len;
    }
    return out + QByteArray(width - out.size(), ' ');
}

// VB-style Val of a short column: leading blanks, an optional sign, digits
// and a point; the rest is ignored.  Returns false when no digit is found.
bool ColumnNumber(const QByteArray &column, double &value) {
    const QByteArray t = column.trimmed();
    char *end = nullptr;
    const std::string s = t.toStdString();
    value = std::strtod(s.c_str(), &end);
    return !s.empty() && end != s.c_str();
}

int32_t RoundHalfEven(double v) { return static_cast<int32_t>(std::nearbyint(v)); }

bool IsPictureChar(char c) { return c == '#' || c == ',' || c == '.' || c == '0'; }

struct Field {
    int start = 0;
    int width = 0;
    bool right = true;
};

// Number fields of a template, left to right: "#", "+#" or "\#" followed by
// a run of "#,.0".  A "\" that is the second byte of a double-byte
// character (表, ソ, …) is not a yen marker.
std::vector<Field> NumberFields(const QByteArray &t) {
    std::vector<Field> fields;
    int pos = 0;
    while (pos < t.size()) {
        const char c = t[pos];
        int start = -1;
        if (c == '#') {
            start = pos;
        } else if ((c == '+' || c == '\\') && pos + 1 < t.size() && t[pos + 1] == '#') {
            start = pos;
        }
        if (start < 0) {
            pos += CharLength(t, pos);
            continue;
        }
        int end = start + 1;
        if (t[start] != '#') ++end;
        while (end < t.size() && IsPictureChar(t[end])) ++end;
        fields.push_back({start, end - start, true});
        pos = end;
    }
    return fields;
}

// Text fields of a template, left to right: "&…&" (right-aligned when "&>")
// and, once no "&" remains, single "!" fields.
std::vector<Field> TextFields(const QByteArray &t) {
    std::vector<Field> fields;
    int pos = 0;
    while (pos < t.size()) {
        const int amp = t.indexOf('&', pos);
        if (amp >= 0) {
            const int close = t.indexOf('&', amp + 1);
            if (close < 0) break;  // an unclosed "&" is plain text
            const bool right = close > amp + 1 && t[amp + 1] == '>';
            fields.push_back({amp, close - amp + 1, right});
            pos = close + 1;
            continue;
        }
        const int bang = t.indexOf('!', pos);
        if (bang < 0) break;
        fields.push_back({bang, 1, true});
        pos = bang + 1;
    }
    return fields;
}

QByteArray FormatNumberField(double v, const QByteArray &field) {
    const int width = field.size();
    std::string prefix;
    std::string picture = field.toStdString();
    if (picture[0] == '+' || picture[0] == '\\') {
        prefix = picture.substr(0, 1);
        picture = picture.substr(1);
    }
    std::string text = FormatPicture(v, picture);
    if (prefix == "+") {
        if (text.empty() || text[0] != '-') text = "+" + text;
    } else if (prefix == "\\") {
        text = (text[0] == '-') ? "-\\" + text.substr(1) : "\\" + text;
    }
    if (text == "*" || static_cast<int>(text.size()) > width) return QByteArray(width, '*');
    return QByteArray(static_cast<size_t>(width - static_cast<int>(text.size())), ' ') +
           QByteArray::fromStdString(text);
}

}  // namespace

QString ReportText(const QString &text) {
    QString out = text;
    for (QChar &c : out)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = QLatin1Char(' ');
    qsizetype first = 0;
    while (first < out.size() && out.at(first) == QLatin1Char(' ')) ++first;
    const QStringView rest = QStringView(out).mid(first);
    if (rest.startsWith(QLatin1String("?R1")) || rest.startsWith(QLatin1String("?R2")))
        out[first] = QChar(0xFF1F);  // full-width question mark
    return out;
}

int32_t TextFieldWidth(const QByteArray &templ) {
    const std::vector<Field> fields = TextFields(templ);
    return fields.empty() ? 0 : fields.front().width;
}

int32_t ShiftJisWidth(const QString &text) { return static_cast<int32_t>(ToShiftJis(text).size()); }

QByteArray FillTemplate(const QByteArray &templ, const std::vector<double> &numbers,
                        const QStringList &texts) {
    QByteArray buf = templ;
    const std::vector<Field> nf = NumberFields(templ);
    for (size_t i = 0; i < nf.size(); ++i) {
        const Field &f = nf[i];
        const QByteArray value = i < numbers.size() ? FormatNumberField(numbers[i], templ.mid(f.start, f.width))
                                                    : QByteArray(f.width, ' ');
        buf.replace(f.start, f.width, value);
    }
    const std::vector<Field> tf = TextFields(templ);
    for (size_t j = 0; j < tf.size(); ++j) {
        const Field &f = tf[j];
        // Padding counts bytes of the Shift_JIS form, as every width of the
        // report does: padding by characters would push a full-width text
        // past its field and cut its last characters off.
        QByteArray value =
            j < static_cast<size_t>(texts.size()) ? ToShiftJis(ReportText(texts[static_cast<int>(j)])) : QByteArray();
        if (value.size() < f.width && f.right) value.prepend(QByteArray(f.width - value.size(), ' '));
        buf.replace(f.start, f.width, FitBytes(value, f.width));
    }
    return buf;
}

QString FormatHeadingCounter(int32_t style, int32_t &counter) {
    if (counter <= 0) return QString();
    static const char *const kRoman[] = {"i", "ii", "iii", "iv", "v", "vi", "vii", "viii", "ix", "x"};
    auto wrap = [&counter](int32_t largest) {
        if (counter > largest) counter = 1;
    };
    switch (style) {
    case 1: wrap(99); return QString::number(counter);
    case 2: wrap(99); return QStringLiteral("(%1)").arg(counter);
    case 3: wrap(99); return QStringLiteral("%1)").arg(counter);
    case 4: wrap(26); return QStringLiteral("(%1)").arg(QChar('a' + counter - 1));
    case 5: wrap(26); return QStringLiteral("%1)").arg(QChar('a' + counter - 1));
    case 6: wrap(10); return QStringLiteral("(%1)").arg(QLatin1String(kRoman[counter - 1]));
    case 7: wrap(10); return QStringLiteral("%1)").arg(QLatin1String(kRoman[counter - 1]));
    case 8: wrap(20); return QString(QChar(0x2460 + counter - 1));
    case 9: return QString(QChar(0xFF65));  // half-width middle dot
    default: return QString();
    }
}

bool LoadTemplate(const QString &formatFile, const QString &name, TemplateSection &out, QString *error) {
    auto fail = [error](const QString &why) {
        if (error) *error = why;
        return false;
    };
    // Only a regular file is read (a FIFO would block), and only up to a
    // size far beyond any format file.
    QByteArray bytes;
    if (ReadRegularFile(formatFile, kMaxFormatFileBytes, bytes) != 0) return fail(msg::FormatFileUnreadable(formatFile));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    const QByteArray wanted = ToShiftJis(name);
    bool found = false;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
        if (!found) {
            found = line == wanted;
            continue;
        }
        if (line == "End") return true;
        if (line.isEmpty() || line.startsWith('\'')) continue;
        double number = 0, style = 0;
        if (!ColumnNumber(line.left(3), number)) number = 0;
        const int32_t n = static_cast<int32_t>(std::lround(number));
        if (n < 1 || n > kMaxTemplateLines)
            return fail(msg::FormatSectionBroken(name, formatFile));
        if (line.size() >= 5 && !ColumnNumber(line.mid(4, 1), style)) style = 0;
        const int32_t s = static_cast<int32_t>(std::lround(style));
        if (s < 0 || s > kHeadingLevels)
            return fail(msg::FormatSectionBroken(name, formatFile));
        out.Lines[static_cast<size_t>(n)] = TemplateLine{s, line.mid(5)};
        ++out.Count;
    }
    return fail(found ? msg::FormatSectionBroken(name, formatFile) : msg::FormatSectionMissing(name, formatFile));
}

PrintWriter::PrintWriter() = default;
PrintWriter::~PrintWriter() { Close(); }

void PrintWriter::Reset() {
    PrintFileList.clear();
    PrintFilePath.clear();
    HeadingLevel = 1;
    HeadingCounters.fill(0);
    LineCount = 0;
    LinesPerPage = kReportLinesPerPage;
}

QString PrintWriter::NewPrintFile() {
    if (PrintFileList.size() >= kMaxPrintFiles) return QString();
    const QString path = MakeTempFileName();
    if (path.isEmpty() || !CanWriteFile(path)) return QString();
    PrintFileList.append(path);
    return path;
}

bool PrintWriter::Open() {
    Close();
    writeFailed_ = false;
    writeError_ = 0;
    QByteArray old;
    const int32_t e = PrintFilePath.isEmpty() ? err::PathAccess
                                              : ReadRegularFile(PrintFilePath, kMaxPrintFileBytes, old);
    if (e != 0 && e != err::FileNotFound) {
        writeFailed_ = true;
        writeError_ = e;
        return false;
    }
    ownFile_ = std::make_unique<QBuffer>();
    ownFile_->setData(old);
    ownFile_->open(QIODevice::WriteOnly | QIODevice::Append);
    ownPath_ = PrintFilePath;
    out_ = ownFile_.get();
    return true;
}

void PrintWriter::Attach(QIODevice *device) {
    Close();
    out_ = device;
    writeFailed_ = device == nullptr;
    writeError_ = 0;
}

void PrintWriter::Close() {
    if (ownFile_) {
        if (!writeFailed_) {
            if (const int32_t e = WriteFileReplacing(ownPath_, ownFile_->data())) {
                writeFailed_ = true;
                writeError_ = e;
            }
        }
        ownFile_.reset();
    }
    out_ = nullptr;
}

void PrintWriter::Write(const QByteArray &bytes) {
    if (!out_ || out_->write(bytes) != bytes.size()) writeFailed_ = true;
}

QString PrintWriter::NextHeadingNumber(int32_t level) {
    if (level < 1 || level > kHeadingLevels) return QString();
    HeadingLevel = level;
    ++HeadingCounters[static_cast<size_t>(level)];
    for (int32_t k = level + 1; k <= kHeadingLevels; ++k) HeadingCounters[static_cast<size_t>(k)] = 0;
    QString part[kHeadingLevels + 1];
    for (int32_t k = 1; k <= kHeadingLevels; ++k)
        part[k] = FormatHeadingCounter(HeadingStyles[static_cast<size_t>(k)], HeadingCounters[static_cast<size_t>(k)]);
    QString number;
    switch (NumberingMethod) {
    case 1: number = part[level]; break;
    case 2:
    case 3: {
        const QString sep = NumberingMethod == 2 ? QStringLiteral("-") : QStringLiteral(".");
        if (level == 1)
            number = part[1] + QStringLiteral(".");
        else if (level == 2)
            number = part[1] + sep + part[2];
        else
            number = part[level];
        break;
    }
    default: return QString();
    }
    return number + QStringLiteral(" ");
}

void PrintWriter::KeepOnSheet(int32_t n) {
    if (LineCount > 0 && LineCount + n > kSheetLines) {
        Write(QByteArray(1, kFormFeed));
        LineCount = 0;
    }
}

int32_t PrintWriter::Margin(int32_t level) const {
    if (level < 1 || level > kHeadingLevels) return 0;
    return std::clamp(HeadingMargins[static_cast<size_t>(level)], 0, kMaxMarginColumns);
}

void PrintWriter::PrintLineHead(int32_t style, int32_t textWidth) {
    KeepOnSheet(1);
    int32_t indent = 0;
    QByteArray marker, number;
    if (style >= 1 && style <= kHeadingLevels) {
        // Without numbering the counters and the level stay as they are, so
        // body text keeps the indentation of the last numbered level (level 1
        // in a report that numbers nothing).
        if (NumberingMethod != 0) number = ToShiftJis(NextHeadingNumber(style));
        indent = Margin(style);
        if (style == 1) marker = "?R1";
        if (style == 2) marker = "?R2";
    } else {
        indent = Margin(HeadingLevel) + 2;
    }
    // The markers are read by the previewer and take no column.
    const int32_t room = kSheetColumns - static_cast<int32_t>(number.size()) - std::max(textWidth, BlockWidth);
    indent = std::max(0, std::min(indent, room));
    Write(QByteArray(indent, ' ') + marker + number);
    ++LineCount;
}

void PrintWriter::PrintLine(const TemplateLine &line) {
    PrintLineHead(line.Style, static_cast<int32_t>(line.Text.size()));
    Write(line.Text + kLineEnd);
}

void PrintWriter::PrintTemplateLine(const TemplateLine &line, const std::vector<double> &numbers,
                                    const QStringList &texts) {
    const QByteArray filled = FillTemplate(line.Text, numbers, texts);
    PrintLineHead(line.Style, static_cast<int32_t>(filled.size()));
    Write(filled + kLineEnd);
}

void PrintWriter::PrintBlankLines(int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        // Blank lines that would run off the sheet are spacing at the foot
        // of a page: the next page starts instead, without them.
        if (LineCount >= kSheetLines) {
            KeepOnSheet(1);
            return;
        }
        ++LineCount;
        Write(kLineEnd);
    }
}

void PrintWriter::NeedLines(int32_t n, int32_t m) {
    // An empty page is never broken: asking for more lines than a page holds
    // would otherwise leave a blank sheet in the report.
    if (LinesPerPage - LineCount < n && LineCount > 0) {
        Write(QByteArray(1, kFormFeed));
        LineCount = 0;
    } else {
        PrintBlankLines(m);
    }
}

bool PrintWriter::AppendPageBreak() {
    return AppendFileReplacing(PrintFilePath, QByteArray(1, kFormFeed), kMaxPrintFileBytes) == 0;
}

void PrintWriter::PrintPagedTable(const PagedTable &table) {
    const int32_t n = table.Rows;
    if (n <= 0) return;
    const int32_t k = table.LinesPerRow < 2 ? 1 : 2;
    const int32_t fullPage = RoundHalfEven(static_cast<double>(LinesPerPage - kTablePageOverhead) / k);
    int32_t chunk = RoundHalfEven(static_cast<double>(LinesPerPage - LineCount) / k);
    // A caption that ended the page leaves no room for a first row: the
    // table then starts on the next page rather than with an empty chunk.
    const bool startOnNewPage = chunk < 1 && n > chunk + kTableRowAllowance;
    if (startOnNewPage) chunk = fullPage;
    if (n <= chunk + kTableRowAllowance) chunk = n;
    int32_t first = 1;
    int32_t last = std::min(chunk, n);
    std::vector<double> numbers;
    QStringList texts;
    while (n - first + 1 > 0) {
        if (first > 1 || startOnNewPage) {
            NeedLines(LinesPerPage, 0);
            for (const TemplateLine &h : table.Header) PrintLine(h);
        }
        for (int32_t row = first; row <= last; ++row) {
            numbers.clear();
            texts.clear();
            if (table.Values) table.Values(row, numbers, texts);
            PrintTemplateLine(table.Row, numbers, texts);
            if (k == 2 && row != last) PrintLine(table.Separator);
        }
        PrintLine(table.Bottom);
        const int32_t left = n - last;
        chunk = left <= fullPage + kTableRowAllowance ? left : fullPage;
        first = last + 1;
        last = std::min(last + chunk, n);
        if (left <= 0) break;
    }
}

}  // namespace wyndlor
