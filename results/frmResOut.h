// The result-table window: one class, configured as the inflow hydrograph
// table (frmResOutQi) or the flood-routing result table (frmResOutQo).
//
// The window only lays out, remembers its place and size, and offers the
// graph of the same hydrograph; its owner fills the grid in its handler of
// LoadData, raised while the window loads.  The engineer reads the table
// on screen, copies a block of it with Ctrl+C into a spreadsheet, or saves
// the whole table as CSV.
#pragma once

#include "results/ResultGridView.h"
#include "results/ResultTableModel.h"
#include "widgets/WindowBase.h"

#include <QSize>

class QGroupBox;
class QLabel;
class QPushButton;
class QStatusBar;

namespace wyndlor {

struct LegendEntry {
    QString Symbol;
    QString Text;
};

struct ResultTableConfig {
    QString FormName;         // frmResOutQi or frmResOutQo
    QString Caption;
    QString Section;          // settings-file section of place and size
    QString GraphButtonName;  // cmdGraphQi or cmdGraphQo
    QVector<ResultColumn> Columns;
    QVector<LegendEntry> Legend;
    QString SourceFile;       // project file of the run ("" never saved): the CSV goes beside it
    bool Stale = false;       // the project changed since the run: the status bar says so
};

ResultTableConfig ResOutQiConfig();  // inflow hydrograph, 4 columns
ResultTableConfig ResOutQoConfig();  // flood routing, 7 columns

// Resize rule of the window, all in pixels: the button column of width
// closeButtonWidth + a gap sits at the right edge; the grid keeps its top
// left corner and takes the rest of the width and the height above the
// legend frame and the status bar.  Sizes never go below 0.
struct ResultTableGeometry {
    QSize Grid;
    int LegendTop = 0;
    int ButtonLeft = 0;
};
ResultTableGeometry LayOutResultTable(QSize client, int gridTop, int closeButtonWidth,
                                      int statusBarHeight, int legendHeight);

class frmResOut : public WindowBase {
    Q_OBJECT
public:
    explicit frmResOut(ResultTableConfig config, QWidget *parent = nullptr);
    ~frmResOut() override;

    ResultTableModel &Grid() { return *model_; }
    ResultGridView *View() const { return view_; }
    QGroupBox *LegendFrame() const { return legend_; }
    QPushButton *GraphButton() const { return cmdGraph_; }
    QPushButton *HelpButton() const { return cmdHelp_; }
    QLabel *StaleLabel() const { return lblStale_; }

    // Puts the selected cells on the clipboard (Ctrl+C); see SelectionToTsv.
    void CopySelection();
    // Asks for a file name and saves the table as CSV.
    void SaveCsv();

signals:
    void LoadData();
    void GraphRequested();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void OnLoad() override { emit LoadData(); }
    void LayOut();
    QSize DesignSize() const;

    ResultTableConfig config_;
    ResultTableModel *model_ = nullptr;
    ResultGridView *view_ = nullptr;
    QGroupBox *legend_ = nullptr;
    QPushButton *cmdGraph_ = nullptr;
    QPushButton *cmdCsv_ = nullptr;
    QPushButton *cmdHelp_ = nullptr;
    QPushButton *cmdClose_ = nullptr;
    QStatusBar *status_ = nullptr;
    QLabel *lblStale_ = nullptr;
};

}  // namespace wyndlor
