#include "previewer/PrintDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wyndlor::glancer {

namespace {

constexpr char kFormFeed = '\f';
constexpr int kTabStop = 8;  // columns between tab stops
const QString kMarkerLevel1 = QStringLiteral("?R1");
const QString kMarkerLevel2 = QStringLiteral("?R2");

bool IsBlank(const QStringList &lines)
{
    return std::all_of(lines.begin(), lines.end(),
                       [](const QString &l) { return l.trimmed().isEmpty(); });
}

// Tabs to spaces on the column grid; other control characters dropped.
QString CleanLine(const QString &line)
{
    QString out;
    out.reserve(line.size());
    int column = 0;
    for (QChar c : line) {
        if (c == u'\t') {
            const int spaces = kTabStop - column % kTabStop;
            out.append(QString(spaces, u' '));
            column += spaces;
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            continue;
        } else {
            out.append(c);
            // a surrogate pair counts once, at its high half
            if (!c.isLowSurrogate())
                column += c.isHighSurrogate() ? 2 : CharColumns(c.unicode());
        }
    }
    return out;
}

// Removes the heading marker of `line` (after its indentation) and adds the
// outline entry.
QString TakeMarker(const QString &line, int page, int lineIndex, QList<OutlineEntry> &outline)
{
    int indent = 0;
    while (indent < line.size() && line.at(indent) == u' ')
        ++indent;
    int level = 0;
    if (line.mid(indent, 3) == kMarkerLevel1)
        level = 1;
    else if (line.mid(indent, 3) == kMarkerLevel2)
        level = 2;
    if (level == 0)
        return line;
    const QString shown = line.left(indent) + line.mid(indent + 3);
    const QString text = line.mid(indent + 3).trimmed();
    if (!text.isEmpty())
        outline.append(OutlineEntry{level, text, page, lineIndex});
    return shown;
}

}  // namespace

int PrintDocument::MaxColumns() const
{
    int widest = 0;
    for (const ReportPage &p : pages)
        for (const QString &l : p.lines)
            widest = std::max(widest, LineColumns(l));
    return widest;
}

int PrintDocument::MaxLines() const
{
    int longest = 0;
    for (const ReportPage &p : pages)
        longest = std::max(longest, int(p.lines.size()));
    return longest;
}

int CharColumns(char32_t ch)
{
    if (ch < 0x80)
        return 1;                         // JIS X 0201 Roman (ASCII)
    if (ch >= 0xFF61 && ch <= 0xFF9F)
        return 1;                         // half-width katakana
    if (ch == 0x00A5 || ch == 0x203E)
        return 1;                         // yen sign, overline: 0x5C, 0x7E
    return 2;
}

int LineColumns(const QString &line)
{
    int columns = 0;
    for (char32_t ch : line.toUcs4())
        columns += CharColumns(ch);
    return columns;
}

QString DecodeShiftJis(const QByteArray &bytes)
{
    QStringDecoder decoder("Shift_JIS");
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

PrintDocument DocumentFromPages(const QList<QStringList> &pages)
{
    PrintDocument doc;
    for (const QStringList &lines : pages) {
        if (IsBlank(lines))
            continue;
        const int pageIndex = doc.PageCount();
        ReportPage page;
        for (const QString &raw : lines)
            page.lines.append(TakeMarker(CleanLine(raw), pageIndex, int(page.lines.size()),
                                         doc.outline));
        doc.pages.append(page);
    }
    if (doc.pages.isEmpty())
        doc.pages.append(ReportPage{});
    return doc;
}

PrintDocument ParsePrintFile(const QByteArray &bytes)
{
    // Form feeds and line ends never occur inside a double-byte character
    // (trail bytes are 0x40 and above), so the bytes are split first.
    QList<QStringList> pages(1);
    const QList<QByteArray> rawLines = bytes.split('\n');
    for (int i = 0; i < rawLines.size(); ++i) {
        QByteArray raw = rawLines.at(i);
        if (raw.endsWith('\r'))
            raw.chop(1);
        if (i == rawLines.size() - 1 && raw.isEmpty())
            break;  // the line end of the last line
        const QList<QByteArray> parts = raw.split(kFormFeed);
        for (int k = 0; k < parts.size(); ++k) {
            if (k > 0)
                pages.append(QStringList());
            // a form feed alone on its line, or closing it, adds no line
            if (k > 0 && parts.at(k).isEmpty() && k == parts.size() - 1)
                continue;
            if (k == 0 && parts.size() > 1 && parts.at(0).isEmpty())
                continue;
            pages.last().append(DecodeShiftJis(parts.at(k)));
        }
    }
    return DocumentFromPages(pages);
}

bool LoadPrintFile(const QString &path, PrintDocument &doc, QString &error)
{
    const QString shown = QDir::toNativeSeparators(path);
    const QString cannot = QStringLiteral("印刷ファイル「%1」を読み込めませんでした。").arg(shown);
    QFile file(path);
    // Opened without blocking and asked what it is before anything is read:
    // a FIFO or a device named as the print file would otherwise hang the
    // previewer.
    const int fd = path.isEmpty() ? -1 : ::open(QFile::encodeName(path).constData(),
                                                 O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = cannot;
        if (!QFileInfo::exists(path))
            error += QStringLiteral("\nファイルが見つかりません。");
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        error = cannot + QStringLiteral("\n通常のファイルではありません。");
        return false;
    }
    if (st.st_size > kMaxPrintFileBytes) {
        ::close(fd);
        error = cannot + QStringLiteral("\nファイルが大きすぎます（%1 MB を超えています）。")
                             .arg(kMaxPrintFileBytes / (1024 * 1024));
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        error = cannot + QStringLiteral("\n") + file.errorString();
        return false;
    }
    // One byte past the limit catches a file that grew since it was asked.
    const QByteArray bytes = file.read(kMaxPrintFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        error = cannot + QStringLiteral("\n") + file.errorString();
        return false;
    }
    if (bytes.size() > kMaxPrintFileBytes) {
        error = cannot + QStringLiteral("\nファイルが大きすぎます（%1 MB を超えています）。")
                             .arg(kMaxPrintFileBytes / (1024 * 1024));
        return false;
    }
    doc = ParsePrintFile(bytes);
    error.clear();
    return true;
}

}  // namespace wyndlor::glancer
