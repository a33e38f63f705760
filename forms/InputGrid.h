// The input table of the catchment and h-V forms.
//
// A fixed number of rows (one sub-catchment, or one level-area pair, per
// row) under fixed column headings.  Numeric columns accept only numbers
// within the column's range with at most the column's decimals; a text
// column (the name of a sub-catchment) accepts any text the project file can
// hold.  Delete clears the selected cells, and a block copied from a
// spreadsheet (tab-separated lines) can be pasted at the current cell, so
// that a table kept elsewhere does not have to be typed again.  Every cell
// holds text; a number loaded from the project shows in its column's
// format (51 m as "51.000") while the cell keeps the exact value for as
// long as its text is left as shown, so a project saves back unchanged.
#pragma once

#include <QStyledItemDelegate>
#include <QTableWidget>
#include <vector>

namespace wyndlor {

struct GridColumn {
    QString heading;
    bool numeric = true;
    double min = 0, max = 0;   // numeric columns
    int decimals = 0;          // numeric columns: most decimals typed
    int widthChars = 12;       // column width in characters
    int maxLength = 20;        // text columns
};

class InputGrid : public QTableWidget {
    Q_OBJECT
public:
    InputGrid(int rows, std::vector<GridColumn> columns, QWidget *parent = nullptr);

    const GridColumn &Column(int col) const { return columns_.at(static_cast<size_t>(col)); }

    // 0-based row and column.  SetCellText puts the text as it stands (the
    // handlers' own values); AcceptsText tells whether the user may enter it.
    QString CellText(int row, int col) const;
    void SetCellText(int row, int col, const QString &text);
    bool AcceptsText(int col, const QString &text) const;
    // "入力範囲：min ～ max" of a numeric column, both with its decimals.
    QString RangeText(int col) const;
    // A number in the column's decimals, the exact value kept with it.
    void SetCellNumber(int row, int col, double value);
    // The number a cell holds: the exact value of SetCellNumber while the
    // text is as it was shown, else the number typed.  False for a cell
    // holding no number (blank or other text).
    bool CellNumber(int row, int col, double &value) const;

    void ClearAll();
    // Empties the selected cells (the active cell when nothing else is
    // selected).
    void ClearSelectedCells();
    // Pastes tab-separated lines with their first cell at the current
    // cell; cells beyond the grid are dropped, and a cell the column does
    // not accept keeps its text (with a beep).  Returns the cells taken.
    int PasteText(const QString &text);

    // True when every cell in `cols` of the row holds non-blank text.
    bool RowFilled(int row, const std::vector<int> &cols) const;

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void ApplyTextColour();
    std::vector<GridColumn> columns_;
};

// Editor of one cell: a line edit that takes only what its column accepts.
class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridCellDelegate(InputGrid *grid) : QStyledItemDelegate(grid), grid_(grid) {}
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

private:
    InputGrid *grid_;
};

}  // namespace wyndlor
