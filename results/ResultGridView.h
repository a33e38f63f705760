// The grid of a result table on screen: a read-only view of a
// ResultTableModel that the engineer copies from and saves.
//
// Ctrl+C and the context menu's "コピー" put the selected cells on the
// clipboard as a block for a spreadsheet (SelectionToTsv); "CSV保存..."
// saves the whole table as CSV beside the project file, named after the
// table.  Columns are ten characters wide (or the heading's width) and
// rows of fixed height, so that a thousand-row table scrolls at once.
#pragma once

#include "results/ResultTableModel.h"

#include <QTableView>

namespace wyndlor {

class ResultGridView : public QTableView {
public:
    // `caption` names the CSV the save dialog suggests beside `sourceFile`
    // (the project file of the run, "" when never saved).
    ResultGridView(ResultTableModel *model, QString caption, QString sourceFile, QWidget *parent);

    ResultTableModel &Model() const { return *model_; }

    // Puts the selected cells on the clipboard; nothing without a selection.
    void CopySelection();
    // Asks for a file name and saves the table as CSV.
    void SaveCsv();

protected:
    // The view's own Ctrl+C copies only the current cell.
    void keyPressEvent(QKeyEvent *event) override;

private:
    ResultTableModel *model_;
    QString caption_;
    QString sourceFile_;
};

}  // namespace wyndlor
