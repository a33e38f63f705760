// Draws one report page on any painter: the page view on the screen, the
// printer and the PDF file all go through Paint().
//
// Every page carries its furniture: the document's title at its head, above
// a thin rule, and "N / M" (page number and page count) centred at its
// foot.  The furniture takes lines of the grid of its own, above and below
// the report's lines, so the print file's layout is untouched.
//
// The page's text sits on a grid of character cells in a fixed-pitch
// Japanese font: a half-width character fills one cell, a full-width one two
// cells, and a line is one em high so that ruled lines (─│┼) join.  The grid
// is at least 80 columns by 76 lines (more when the document has wider lines
// or longer pages) and is scaled as a whole to fit the printable area of the
// paper, centred across it and starting at its top.
//
// Each character is placed on its own column: runs of characters whose
// advance in the font is exactly their column count are drawn as one piece
// of text (so a PDF keeps searchable words); any other character is drawn
// alone, centred in its cells.
#pragma once

#include "previewer/PrintDocument.h"

#include <QFont>
#include <QHash>
#include <QPageLayout>
#include <QRectF>

class QPainter;

namespace wyndlor::glancer {

// A4 portrait with the report's margins (millimetres).
QPageLayout DefaultPageLayout();

// The font family used for reports: the first installed of the preferred
// fixed-pitch Japanese families.
QString ReportFontFamily();

class PageRenderer {
public:
    static constexpr int kMinColumns = 80;
    static constexpr int kMinLines = 76;
    // Grid lines of the furniture: the title and a gap above the report's
    // lines, a gap and the page number below them.
    static constexpr int kHeadLines = 2;
    static constexpr int kFootLines = 2;

    // Grid sized for `doc` (its widest line and longest page).
    explicit PageRenderer(const PrintDocument &doc);

    int Columns() const { return columns_; }
    int Lines() const { return lines_; }  // the report's lines, furniture apart
    const QFont &Font() const { return font_; }

    // Paints `page`, number `pageNumber` (1-based) of the document, with its
    // furniture into `printable`, the printable area of the paper in the
    // painter's coordinates.  The painter's state is restored.
    void Paint(QPainter &painter, const ReportPage &page, int pageNumber, const QRectF &printable) const;

    // The foot of page `pageNumber`: "N / M".
    QString PageFoot(int pageNumber) const;

    // Left edge of each character of `line`, in columns from the line start
    // (one entry per character; a surrogate pair has one entry).
    static QList<int> ColumnsOfCharacters(const QString &line);

    // True when the font's half-width advance is half an em and its
    // full-width advance one em, so that whole lines can be drawn as runs.
    bool FontFitsGrid() const;

private:
    struct Run {
        int column = 0;
        int columns = 0;
        QString text;
        bool onGrid = true;  // advance equals the cells it takes
    };
    QList<Run> RunsOf(const QString &line) const;
    bool OnGrid(char32_t ch, int columns) const;

    int columns_ = kMinColumns;
    int lines_ = kMinLines;
    int pageCount_ = 0;
    QString title_;
    QFont font_;
    mutable QHash<char32_t, bool> onGridCache_;
};

// Printable area of a paper drawn at `paper` (any units), for `layout`.
QRectF PrintableRect(const QPageLayout &layout, const QRectF &paper);

}  // namespace wyndlor::glancer
