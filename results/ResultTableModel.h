// The grid of a result table: a read-only table of numbers and short texts
// with a display format per column.
//
// The results menu fills it cell by cell with plain values (minutes, mm/h,
// m3/s, m, m3), and each column decides how a value reads: whole minutes,
// a fixed number of decimals, or text such as "001:30" and "最大".  A
// routing of 72 hours of rain and 99 hours after it at a 10-minute step
// gives about a thousand rows, so the cells live in one flat vector behind
// a model and the view draws only what is on screen.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QVariant>
#include <QVector>

#include <vector>

namespace wyndlor {

enum class CellKind {
    Integer,  // whole number, no decimals
    Number,   // fixed decimals
    Text      // shown as stored
};

struct ResultColumn {
    QString Heading;
    CellKind Kind = CellKind::Text;
    int Decimals = 0;  // for CellKind::Number
};

// The text of one cell.  An empty value gives "".  A value outside the
// column's range is shown unchanged: the grid is for reading, and clipping
// a 1000 m3/s discharge to 999.999 would show a wrong number.
QString FormatCell(const ResultColumn &column, const QVariant &value);

class ResultTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Rows before the loading handler sets the count: empty rows, as the
    // grid of the first version had before it was filled.
    static constexpr int kInitialRows = 999;

    explicit ResultTableModel(QVector<ResultColumn> columns, QObject *parent = nullptr);

    // Row and column numbers of the two accessors below count from 1, as
    // the loading handlers think of the grid.  SetRowCount empties every
    // cell; writing outside the grid does nothing.
    void SetRowCount(int rows);
    int RowCount() const { return rows_; }
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    void SetCell(int row, int col, const QVariant &value);
    QVariant Cell(int row, int col) const;
    QString CellText(int row, int col) const;
    const ResultColumn &Column(int col) const { return columns_[col - 1]; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    size_t Offset(int row, int col) const;

    QVector<ResultColumn> columns_;
    int rows_ = 0;
    std::vector<QVariant> cells_;
};

// The selected cells as tab-separated text for pasting into a spreadsheet:
// a line of the headings of the selected columns, then one line per row
// that holds a selected cell.  A cell inside that rectangle that is not
// selected stays empty, so the pasted block keeps its shape.  Lines end in
// CR LF; "" when nothing is selected.
QString SelectionToTsv(const ResultTableModel &model, const QModelIndexList &selected);

// The whole table as CSV: the heading line, then every row, cells as they
// read on screen, quoted where they hold a comma, a quote or a line break.
QString TableToCsv(const ResultTableModel &model);

// Writes TableToCsv as UTF-8 with a byte-order mark and CR LF line ends.
// Excel on a Japanese Windows reads a CSV without the mark as Shift_JIS and
// garbles the full-width headings ("Ｑi(m3/s)") and "最大"; with the mark
// it reads UTF-8, and every other tool reads UTF-8 anyway.  False (and
// `error` set) when the file cannot be written.
bool SaveTableCsv(const ResultTableModel &model, const QString &path, QString *error = nullptr);

}  // namespace wyndlor
