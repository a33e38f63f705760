// The print-file writer: fills the template lines of the report format file
// and appends them, with heading numbers and page breaks, to a print file.
//
// A print file is Shift_JIS text for a fixed-pitch printer: one column per
// byte, so a full-width character takes two columns, lines end in CR LF and
// a page break is a lone form feed in front of the next line's text.  The
// wording and the layout of the report live in the format file; the report
// section writers only say which template line to write with which values.
// All widths and positions here are counted in bytes of the Shift_JIS form.
//
// Template fields (in a template line):
//   ##0.00  #,##0     number, right-aligned, picture format
//   +##0.000          signed number: "+" in front of a value of 0 or more
//   \#,##0            yen amount: a "\" in front of the number
//   &>    &           text, right-aligned      &     &   text, left-aligned
//   !                 one character (only when no "&" follows on the line)
// A field's width is its whole length, markers included.  A number too wide
// for its field fills the field with "*", so that a cut number can never be
// read as a smaller one.
#pragma once

#include "core/PictureNumber.h"

#include <QBuffer>
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace wyndlor {

constexpr int32_t kMaxTemplateLines = 50;
constexpr int32_t kHeadingLevels = 5;
constexpr int32_t kMaxHeadingCounter = 99;  // largest number of the numbered styles
constexpr int32_t kMaxPrintFiles = 100;
constexpr int32_t kReportLinesPerPage = 72;
// Ranges of the numbering settings: the indentation of a heading level in
// half-width columns, the last number style (FormatHeadingCounter) and the
// last numbering method.  A value outside is never used as it stands.
constexpr int32_t kMaxMarginColumns = 10;
constexpr int32_t kLastHeadingStyle = 9;
constexpr int32_t kLastNumberingMethod = 3;
// Lines that fit on one printed sheet.  The paging rules let a page run a
// few lines beyond LinesPerPage (the allowance of a table, the lines that
// follow it); beyond this the text would be printed smaller than the rest
// or run off the paper, so the writer starts a new page first.
constexpr int32_t kSheetLines = 76;
// Columns of a printed line.  A line whose indentation would carry it past
// them (a wide table below a deeply indented heading) is pulled left until
// it fits, so that the previewer never has to print a page smaller.
constexpr int32_t kSheetColumns = 80;
// Lines a continuation page of a long table loses to the page's repeated
// header and bottom line (the rest holds rows).
constexpr int32_t kTablePageOverhead = 7;
// A table whose remaining rows exceed the page by at most this many is
// finished on the page rather than leaving a stub on the next.
constexpr int32_t kTableRowAllowance = 2;

// One template line: its style digit (0 body text, 1-5 heading level) and
// its text in Shift_JIS bytes.
struct TemplateLine {
    int32_t Style = 0;
    QByteArray Text;
};

// One section of the format file, by line number 1-50.  Entries the section
// does not define stay empty.
struct TemplateSection {
    std::array<TemplateLine, kMaxTemplateLines + 1> Lines;  // [0] unused
    int32_t Count = 0;                                      // lines read
    const TemplateLine &operator[](int32_t number) const { return Lines.at(static_cast<size_t>(number)); }
};

// Reads the section `name` of the format file.  Lines starting with "'" are
// comments and empty lines are skipped; every other line is "NNN S text"
// (number in columns 1-3, style digit in column 5, text from column 6).
// False, with a reason in `error`, when the file cannot be read, the section
// is missing or not closed by "End", or a line number is outside 1-50 or a
// style outside 0-5.
bool LoadTemplate(const QString &formatFile, const QString &name, TemplateSection &out, QString *error = nullptr);

// A text of the project (title, sub-catchment names, any text a section
// prints) as the report may carry it: every control character (C0, DEL)
// becomes a space, so that no CR, LF or form feed starts a line or a page
// and no ESC or BEL reaches a printer or a PDF, and a text that begins with
// a heading marker ("?R1", "?R2", after blanks) has its "?" made full-width,
// so that it can never become a heading of the outline.  FillTemplate passes
// every text through it; the page head and the PDF's title take the title
// through it too.
QString ReportText(const QString &text);

// Number fields use the picture notation of PictureNumber.h (FormatPicture).

// Fills the fields of a template line: the i-th number field with numbers[i],
// the j-th text field with texts[j].  Missing values leave their field
// blank.  A right-aligned text is padded on the left to the field's width in
// characters, so a full-width text there loses its last characters.  Never
// changes the line's length; a text longer than its field is cut on a
// character boundary and padded with a space where a double-byte character
// would have been split.
QByteArray FillTemplate(const QByteArray &templ, const std::vector<double> &numbers,
                        const QStringList &texts);

// Width in bytes of the first text field ("&...&" or "!") of a template
// line; 0 when it has none.
int32_t TextFieldWidth(const QByteArray &templ);

// Byte length of the Shift_JIS form of a text.
int32_t ShiftJisWidth(const QString &text);

// Heading counter in a numbering style (0 none, 1 "1", 2 "(1)", 3 "1)",
// 4 "(a)", 5 "a)", 6 "(i)", 7 "i)", 8 circled "①", 9 "･").  A counter past
// the style's largest number (99, 26 letters, 10 roman numerals, 20 circled
// numbers) starts again at 1, and `counter` with it.  0 or less gives "".
QString FormatHeadingCounter(int32_t style, int32_t &counter);

// A long table for PrintPagedTable.  The caller has already written the
// caption and the header of the first page.
struct PagedTable {
    int32_t Rows = 0;
    int32_t LinesPerRow = 1;             // 2 when a separator follows each row
    std::vector<TemplateLine> Header;    // repeated on every continuation page
    TemplateLine Row, Separator, Bottom;
    // Values of row i (1-based), numbers and texts in field order.
    std::function<void(int32_t row, std::vector<double> &numbers, QStringList &texts)> Values;
};

// The writer's state and operations.  One instance serves a whole report:
// the heading counters run on from section to section.
class PrintWriter {
public:
    PrintWriter();
    ~PrintWriter();
    PrintWriter(const PrintWriter &) = delete;
    PrintWriter &operator=(const PrintWriter &) = delete;

    int32_t LinesPerPage = kReportLinesPerPage;
    int32_t LineCount = 0;     // lines written on the current page

    // Starts a new page when the next n lines would not fit on the sheet;
    // keeps a short block (a conclusion after a table) in one piece.
    void KeepOnSheet(int32_t n);
    int32_t HeadingLevel = 1;  // level of the last heading written
    // Index 1-5 by heading level; [0] unused.
    std::array<int32_t, kHeadingLevels + 1> HeadingCounters{};
    std::array<int32_t, kHeadingLevels + 1> HeadingStyles{};
    std::array<int32_t, kHeadingLevels + 1> HeadingMargins{};
    int32_t NumberingMethod = 0;  // 0 none, 1 own number, 2 joined "-", 3 joined "."
    QString PrintFilePath;
    QStringList PrintFileList;  // every print file created, in order

    // Back to the state at the start of a report: no print files, level 1,
    // counters 0.  Numbering settings are kept.
    void Reset();

    // A new empty temporary print file, appended to PrintFileList; "" when
    // it cannot be created or kMaxPrintFiles are already in use.
    QString NewPrintFile();

    // Opens PrintFilePath for appending / writes into a device the caller
    // owns (tests).  Close() ends either.  The lines are gathered in memory
    // and Close() writes the file whole through a temporary file, so a full
    // disk fails the section instead of leaving half of it.
    bool Open();
    void Attach(QIODevice *device);
    void Close();
    // True once a write has failed since the last Open or Attach (Close
    // included); WriteError() is then its error number when known, else 0.
    bool WriteFailed() const { return writeFailed_; }
    int32_t WriteError() const { return writeError_; }
    // Why the last section failed, for the user ("" when unknown).
    QString FailureReason;
    // While a block of lines of different widths must keep its columns (a
    // table whose peak row carries a mark), the width of its widest line:
    // every line of the block is then pulled left alike.  0 otherwise.
    int32_t BlockWidth = 0;

    // Indentation, heading marker and number of a line that `textWidth`
    // bytes of text will follow; counts one line.  The indentation shrinks
    // as far as needed to keep the line within kSheetColumns.
    void PrintLineHead(int32_t style, int32_t textWidth = 0);
    // A template line written unchanged.
    void PrintLine(const TemplateLine &line);
    // A template line with its fields filled.
    void PrintTemplateLine(const TemplateLine &line, const std::vector<double> &numbers,
                           const QStringList &texts = {});
    void PrintBlankLines(int32_t n);
    // A new page when fewer than n lines are left on a page that holds
    // something, else m blank lines.  NeedLines(LinesPerPage, 0) starts a new
    // page unless the page is still empty.
    void NeedLines(int32_t n, int32_t m);
    // Appends one form feed to PrintFilePath (opened and closed again).
    bool AppendPageBreak();
    // A table over as many pages as it needs, each page closed by the bottom
    // line and each continuation page opened by the repeated header.
    void PrintPagedTable(const PagedTable &table);

    // The next number of a heading of `level` (1-5) followed by a space,
    // composed by NumberingMethod; "" with method 0.
    QString NextHeadingNumber(int32_t level);

private:
    void Write(const QByteArray &bytes);
    // Indentation of a heading level, kept within 0-kMaxMarginColumns
    // whatever was stored in HeadingMargins.
    int32_t Margin(int32_t level) const;
    std::unique_ptr<QBuffer> ownFile_;
    QString ownPath_;
    QIODevice *out_ = nullptr;
    bool writeFailed_ = false;
    int32_t writeError_ = 0;
};

}  // namespace wyndlor
