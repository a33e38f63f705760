// Shared plumbing of the three report section writers: one template section
// at a time, written by line number into the writer's current print file.
#pragma once

#include "report/PrintWriter.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace wyndlor {

class SectionWriter {
public:
    SectionWriter(PrintWriter &writer, const QString &formatFile) : w(writer), format_(formatFile) {}
    ~SectionWriter() { w.Close(); }

    // Loads the template section and opens the print file for appending.
    // On failure the writer's FailureReason says why.
    bool Begin(const QString &section);
    // Closes the print file; false (with the reason) when anything failed
    // to be written.
    bool End();

    const TemplateLine &T(int32_t k) const { return t_[k]; }
    // True when the section defines line k (an older format file may lack
    // the lines a newer layout adds).
    bool Has(int32_t k) const { return !t_[k].Text.isEmpty(); }
    void Line(int32_t k) { w.PrintLine(t_[k]); }
    void Line(int32_t k, const std::vector<double> &numbers, const QStringList &texts = {}) {
        w.PrintTemplateLine(t_[k], numbers, texts);
    }
    void Lines(int32_t from, int32_t to) {
        for (int32_t k = from; k <= to; ++k) Line(k);
    }
    void Blank(int32_t n) { w.PrintBlankLines(n); }
    void PageCheck(int32_t n, int32_t m) { w.NeedLines(n, m); }
    // The repeated header of a paged table: lines from..to.
    std::vector<TemplateLine> Header(int32_t from, int32_t to) const;
    // A paged table of `rows` rows: header lines headerFrom..headerTo
    // repeated on continuation pages, row line `row`, bottom line `bottom`.
    // The caller adds the values (and a separator for two lines per row).
    PagedTable Table(size_t rows, int32_t headerFrom, int32_t headerTo, int32_t row, int32_t bottom) const {
        PagedTable table;
        table.Rows = static_cast<int32_t>(rows);
        table.Header = Header(headerFrom, headerTo);
        table.Row = t_[row];
        table.Bottom = t_[bottom];
        return table;
    }

    PrintWriter &w;

private:
    QString format_;
    TemplateSection t_;
};

// A number as text in full-width characters ("０．７５０"), for values the
// report sets inside a formula rather than in a number column.
QString FullWidthNumber(double value, const std::string &picture);
// `text` cut on character boundaries into pieces of at most `width` bytes
// of Shift_JIS each (at least one piece, "" for an empty text), with the
// Japanese line-breaking rules: no closing bracket or punctuation mark at
// the start of a piece, no opening bracket at its end.
QStringList SplitToWidth(const QString &text, int32_t width);
// A whole number with leading zeros ("001").
QString ZeroPadded(int32_t value, int32_t digits);

}  // namespace wyndlor
