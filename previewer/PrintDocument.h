// The report as the previewer holds it: the pages of one print file.
//
// A print file is Shift_JIS text with CR LF line ends; a form feed (code 12)
// starts a new page, usually at the start of a line and with the line's text
// following it directly.  A heading line carries "?R1" (level 1) or "?R2"
// (level 2) after its indentation; the marker is not part of the shown text
// but makes the heading an outline entry that leads to its page.
//
// Columns: the report is laid out in Shift_JIS bytes, so a half-width
// character (ASCII, half-width katakana) takes one column and every other
// character two.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace wyndlor::glancer {

// What a print file read from disk may make of the previewer: a page holds
// at most the lines and columns of a printed sheet (a longer page goes on
// over continuation pages, a wider line is cut and ends in kCutMark), the
// document at most kMaxPages pages (the rest is cut, and a last page says
// so) and the outline at most kMaxOutlineEntries entries (one more says how
// many were left out).  A real report is some tens of pages of 72 lines of
// 80 columns with a few dozen headings, so the limits never touch it, and
// memory and time stay small for any file up to kMaxPrintFileBytes.
constexpr int kSheetColumns = 80;
constexpr int kSheetLines = 76;
constexpr int kMaxPages = 2000;
constexpr int kMaxOutlineEntries = 2000;
// Ends a line cut at the sheet's width (two columns).
constexpr char16_t kCutMark = u'…';

struct OutlineEntry {
    int level = 1;   // 1 or 2
    QString text;    // the heading after its marker, trimmed
    int page = 0;    // 0-based page index
    int line = 0;    // 0-based line on that page
};

struct ReportPage {
    QStringList lines;  // shown text, markers removed, no line ends
};

class PrintDocument {
public:
    QList<ReportPage> pages;
    QList<OutlineEntry> outline;
    // The project's title, printed at the head of every page ("" for none).
    // It is not in the print file: the program that prints says it.
    QString title;

    int PageCount() const { return int(pages.size()); }
    // Widest line of the document, in columns.
    int MaxColumns() const;
    // Longest page, in lines.
    int MaxLines() const;
};

// Columns one character takes (ucs4 code point): 1 for the characters that
// Shift_JIS writes in one byte, 2 for the others.
int CharColumns(char32_t ch);
// Columns of a line of shown text.
int LineColumns(const QString &line);

// Shift_JIS bytes to text.
QString DecodeShiftJis(const QByteArray &bytes);

// Builds the document from the raw bytes of a print file, within the sheet
// and document limits above.  Pages that hold no visible text (for example
// after a form feed that ends the file) are left out; a file without any
// text gives one empty page.
PrintDocument ParsePrintFile(const QByteArray &bytes);
// The same from text already decoded and split into pages of lines
// (markers still in the lines), made by the program itself: its pages and
// lines are kept as they are, however long.
PrintDocument DocumentFromPages(const QList<QStringList> &pages);

// A text shown on a page head, in a window title or as a PDF's title:
// every control character becomes a space.
QString PlainText(const QString &text);

// A report print file is some hundred kilobytes; a larger file than this
// is refused rather than read into memory.
constexpr qint64 kMaxPrintFileBytes = 64 * 1024 * 1024;

// Reads the whole file; false with a message for the user when it cannot be
// read, is no regular file (a folder, FIFO or device) or is larger than
// kMaxPrintFileBytes.
bool LoadPrintFile(const QString &path, PrintDocument &doc, QString &error);

// Makes `bytes` the whole content of `path`: written beside it, every write
// and the flush to the disk checked, then renamed over it, so that a full
// disk leaves the old file as it was.  False with the system's reason in
// `why`.
bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString &why);

}  // namespace wyndlor::glancer
