#include "previewer/PrintDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wyndlor::glancer {

namespace {

constexpr char kFormFeed = '\f';
constexpr int kTabStop = 8;  // columns between tab stops
const QString kMarkerLevel1 = QStringLiteral("?R1");
const QString kMarkerLevel2 = QStringLiteral("?R2");

bool IsControl(ushort c) { return c < 0x20 || c == 0x7F; }

// Tabs to spaces on the column grid; other control characters dropped.
// Stops once the line is wider than `limit` columns.
QString CleanLine(const QString &line, int limit = INT_MAX)
{
    QString out;
    out.reserve(std::min<qsizetype>(line.size(), qsizetype(limit) + 8));
    int column = 0;
    for (QChar c : line) {
        if (column > limit && !c.isLowSurrogate())
            break;
        if (c == u'\t') {
            const int spaces = kTabStop - column % kTabStop;
            out.append(QString(spaces, u' '));
            column += spaces;
        } else if (IsControl(c.unicode())) {
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

// Removes the heading marker of `line` (after its indentation); `level` is
// 1 or 2 for a heading, else 0, and `text` the heading's text.
QString TakeMarker(const QString &line, int &level, QString &text)
{
    int indent = 0;
    while (indent < line.size() && line.at(indent) == u' ')
        ++indent;
    level = 0;
    if (line.mid(indent, 3) == kMarkerLevel1)
        level = 1;
    else if (line.mid(indent, 3) == kMarkerLevel2)
        level = 2;
    if (level == 0)
        return line;
    text = line.mid(indent + 3).trimmed();
    return line.left(indent) + line.mid(indent + 3);
}

// `line` cut to the sheet's width, the cut marked.
QString FitSheet(const QString &line)
{
    if (LineColumns(line) <= kSheetColumns)
        return line;
    const int room = kSheetColumns - CharColumns(kCutMark);
    QString out;
    int column = 0;
    for (char32_t ch : line.toUcs4()) {
        if (column + CharColumns(ch) > room)
            break;
        out.append(QString::fromUcs4(&ch, 1));
        column += CharColumns(ch);
    }
    return out + QString(room - column, u' ') + QChar(kCutMark);
}

// Gathers pages line by line; with `sheetLimits` within the limits of a
// print file read from disk.
class DocumentBuilder {
public:
    explicit DocumentBuilder(bool sheetLimits) : limits_(sheetLimits) {}

    // True once the document holds kMaxPages pages: nothing more is taken.
    bool Full() const { return full_; }

    // One line as decoded: markers, tabs and control characters still in it.
    void AddLine(const QString &raw)
    {
        if (!MakeRoom())
            return;
        const QString clean = CleanLine(raw, limits_ ? kSheetColumns + 3 : INT_MAX);
        hasText_ = hasText_ || !clean.trimmed().isEmpty();
        int level = 0;
        QString text;
        QString shown = TakeMarker(clean, level, text);
        if (limits_)
            shown = FitSheet(shown);
        if (level != 0 && !text.isEmpty())
            pending_.append(OutlineEntry{level, limits_ ? FitSheet(text) : text, 0, int(page_.lines.size())});
        page_.lines.append(shown);
    }

    // A line already as shown (no marker, tab or control character, within
    // the sheet); `visible` when it holds more than blanks.  The common case
    // of a print file, taken without the work of AddLine.
    void AddShown(QString shown, bool visible)
    {
        if (!MakeRoom())
            return;
        hasText_ = hasText_ || visible;
        page_.lines.append(std::move(shown));
    }

    // `count` empty lines.  Whole pages of them after a page break are left
    // out at once, as EndPage would leave each out.
    void AddEmptyLines(qint64 count)
    {
        while (count > 0 && MakeRoom()) {
            if (limits_ && page_.lines.isEmpty() && count >= kSheetLines) {
                count %= kSheetLines;
                continue;
            }
            page_.lines.append(QString());
            --count;
        }
    }

    // A form feed: the page ends (and is left out when it shows nothing).
    void EndPage()
    {
        if (hasText_ && !full_) {
            if (limits_ && doc_.pages.size() >= kMaxPages) {
                full_ = true;
                ReportPage note;
                note.lines << QString()
                           << QStringLiteral("  （印刷ファイルが長すぎるため，%1 ページより後は表示しません。）")
                                  .arg(kMaxPages);
                doc_.pages.append(note);
            } else {
                for (OutlineEntry &e : pending_) {
                    e.page = int(doc_.pages.size());
                    if (!limits_ || doc_.outline.size() < kMaxOutlineEntries) {
                        doc_.outline.append(e);
                    } else {
                        if (omitted_ == 0)
                            firstOmitted_ = e;
                        ++omitted_;
                    }
                }
                doc_.pages.append(page_);
            }
        }
        page_ = ReportPage{};
        pending_.clear();
        hasText_ = false;
    }

    PrintDocument Finish()
    {
        EndPage();
        if (omitted_ > 0) {
            firstOmitted_.level = 1;
            firstOmitted_.text = QStringLiteral("…（ほかに %1 件の見出し）").arg(omitted_);
            doc_.outline.append(firstOmitted_);
        }
        if (doc_.pages.isEmpty())
            doc_.pages.append(ReportPage{});
        return std::move(doc_);
    }

private:
    // False once the document is full; a full page goes on on a
    // continuation page.
    bool MakeRoom()
    {
        if (!full_ && limits_ && page_.lines.size() >= kSheetLines)
            EndPage();
        return !full_;
    }

    bool limits_;
    PrintDocument doc_;
    ReportPage page_;
    QList<OutlineEntry> pending_;  // headings of the page being gathered
    bool hasText_ = false;
    bool full_ = false;
    int omitted_ = 0;
    OutlineEntry firstOmitted_;
};

// The bytes of one line that can reach the sheet: control bytes other than
// the tab dropped (they never occur inside a double-byte character), and
// the rest only up to a little more than a sheet's width, so that a line of
// megabytes costs no more than a short one.
QByteArray SheetBytes(const char *begin, const char *end)
{
    QByteArray out;
    int column = 0;
    constexpr int kEnough = kSheetColumns + 3 + kTabStop;
    for (const char *p = begin; p < end && column <= kEnough; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c == '\t') {
            out.append('\t');
            column += kTabStop;
        } else if (!IsControl(c)) {
            out.append(char(c));
            ++column;
            const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
            if (lead && p + 1 < end && static_cast<unsigned char>(p[1]) >= 0x40 && p[1] != 0x7F) {
                out.append(*++p);
                ++column;
            }
        }
    }
    return out;
}

// The first `c` in [from, to), or nullptr.
const char *Find(const char *from, const char *to, char c)
{
    return from < to ? static_cast<const char *>(std::memchr(from, c, size_t(to - from))) : nullptr;
}

// True for a line of printable ASCII within the sheet's width that holds no
// heading marker: shown exactly as it stands.
bool PlainAscii(const char *begin, const char *end)
{
    if (end - begin > kSheetColumns)
        return false;
    const char *p = begin;
    while (p < end && *p == ' ')
        ++p;
    if (end - p >= 3 && p[0] == '?' && p[1] == 'R' && (p[2] == '1' || p[2] == '2'))
        return false;
    return std::all_of(begin, end, [](char c) { return c >= 0x20 && c < 0x7F; });
}

bool IsAscii(const QByteArray &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
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

QString PlainText(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (IsControl(c.unicode()))
            c = u' ';
    return out;
}

PrintDocument DocumentFromPages(const QList<QStringList> &pages)
{
    DocumentBuilder builder(false);
    for (const QStringList &lines : pages) {
        for (const QString &raw : lines)
            builder.AddLine(raw);
        builder.EndPage();
    }
    return builder.Finish();
}

PrintDocument ParsePrintFile(const QByteArray &bytes)
{
    // Form feeds and line ends never occur inside a double-byte character
    // (trail bytes are 0x40 and above), so the bytes are split first.  The
    // file is walked once and only what reaches a page is decoded.
    DocumentBuilder builder(true);
    QStringDecoder decoder("Shift_JIS");
    const char *const fileEnd = bytes.constData() + bytes.size();
    const char *p = bytes.constData();
    while (p < fileEnd && !builder.Full()) {
        // A run of lines that show nothing (empty, or only blanks, tabs and
        // control characters), taken in one step: they are shown empty,
        // which looks the same.
        qint64 empty = 0;
        for (;;) {
            const char *q = p;
            while (q < fileEnd && *q != '\n' && *q != kFormFeed && (static_cast<unsigned char>(*q) <= ' ' || *q == 0x7F))
                ++q;
            if (q >= fileEnd || *q != '\n')
                break;
            p = q + 1;
            ++empty;
        }
        if (empty > 0) {
            builder.AddEmptyLines(empty);
            continue;
        }
        const char *lineEnd = Find(p, fileEnd, '\n');
        const bool last = lineEnd == nullptr;
        if (last)
            lineEnd = fileEnd;
        const char *textEnd = lineEnd;
        if (textEnd > p && textEnd[-1] == '\r')
            --textEnd;
        if (last && textEnd == p)
            break;  // nothing after the last line end
        // The parts between form feeds: each feed after the first part
        // starts a page; a feed alone on its line, or closing it, adds no
        // line, and neither does the empty part in front of a leading feed.
        const char *part = p;
        int k = 0;
        for (;;) {
            const char *feed = Find(part, textEnd, kFormFeed);
            const char *partEnd = feed ? feed : textEnd;
            if (k > 0)
                builder.EndPage();
            const bool closingFeed = k > 0 && partEnd == part && !feed;
            const bool leadingEmpty = k == 0 && feed && partEnd == part;
            if (!closingFeed && !leadingEmpty && PlainAscii(part, partEnd)) {
                const bool visible = std::any_of(part, partEnd, [](char c) { return c != ' '; });
                builder.AddShown(QString::fromLatin1(part, partEnd - part), visible);
            } else if (!closingFeed && !leadingEmpty) {
                const QByteArray shown = SheetBytes(part, partEnd);
                if (shown.isEmpty())
                    builder.AddLine(QString());
                else if (IsAscii(shown))
                    builder.AddLine(QString::fromLatin1(shown));
                else if (decoder.isValid()) {
                    decoder.resetState();  // no half character carried over from the line before
                    builder.AddLine(decoder.decode(shown));
                } else {
                    builder.AddLine(QString::fromLatin1(shown));
                }
            }
            if (!feed)
                break;
            part = feed + 1;
            ++k;
        }
        p = lineEnd + 1;
        if (last)
            break;
    }
    return builder.Finish();
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

bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString &why)
{
    // Unbuffered, so that a full disk fails the write itself rather than a
    // flush nobody checks.
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size();
    ok = ok && ::fsync(file.handle()) == 0;
    if (!ok) {
        why = file.errorString();  // the temporary file goes with `file`
        if (why.isEmpty())
            why = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    if (!file.commit()) {
        why = file.errorString();
        return false;
    }
    why.clear();
    return true;
}

}  // namespace wyndlor::glancer
