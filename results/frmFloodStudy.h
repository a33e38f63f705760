// The window "洪水調節効果の試算": the design flood from a pond lowered
// before the rain, and under heavier rain.
//
// Opened from the results menu over the input of the run it shows; it
// never changes the project.  The engineer enters the drawdowns (a maximum
// and a step, 0 to 2.0 m by 0.25 m at first) and the rainfall factors on
// the constant a (1.0 and 1.1 at first); the window calculates every case
// on a copy of the project and shows a table of the cases (empty volume,
// Q1, Q2, the peak reduction, h1, HWL, whether the pond spills and the
// accuracy check, a warned case in the warning colour with its reasons),
// the smallest drawdown without spill per factor, and on request the graph
// of Q2 and HWL against the drawdown with the crest level marked.  The
// table copies and saves as CSV, and the graph prints, copies and saves as
// PNG or SVG, as the result tables and graphs do.
#pragma once

#include "calc/FloodStudy.h"
#include "core/CalcRun.h"
#include "results/HydrographData.h"
#include "widgets/WindowBase.h"

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace wyndlor {

class NumberField;
class ResultGridView;
class ResultTableModel;
class frmGraph;

// The graph of a study: per factor Q2 on the discharge axis and HWL on the
// level axis (whose 0 is the crest) against the drawdown, and the crest
// level as a line.  Skipped and failed cases have no point.
GraphData StudyGraphData(const FloodStudy &study, const QString &sourceFile);

// Reads "1.0, 1.1" (commas, full-width commas or blanks between): false
// when any part is no number or there is none.
bool ParseFactorText(const QString &text, std::vector<double> &factors);

class frmFloodStudy : public WindowBase {
    Q_OBJECT
public:
    // `run` must outlive the window; the study works on copies of its input.
    explicit frmFloodStudy(const CalcRun &run, QWidget *parent = nullptr);
    ~frmFloodStudy() override;

    NumberField *numMaxDrawdown() const { return numMax_; }
    NumberField *numStep() const { return numStep_; }
    QLineEdit *txtFactors() const { return txtFactors_; }
    QPushButton *cmdStudy() const { return cmdStudy_; }
    QPushButton *cmdGraph() const { return cmdGraph_; }
    ResultGridView *View() const { return view_; }
    ResultTableModel &Grid() const;
    QLabel *lblMessage() const { return lblMessage_; }   // a refused list, a failed project
    QLabel *lblStorage() const { return lblStorage_; }   // how the storage below FWL is taken
    QLabel *lblNoSpill() const { return lblNoSpill_; }
    // Shown while the project has changed since the run.
    void SetStale(bool stale);
    QLabel *lblStale() const { return lblStale_; }
    const FloodStudy &Study() const { return study_; }

    // Studies the lists of the inputs (after their range checks); false
    // when they are refused, with the reason shown.
    bool RunStudy();
    // The graph of the last study over `parent`, not yet shown.
    std::unique_ptr<frmGraph> CreateGraph(QWidget *parent);

private:
    void OnLoad() override;
    void ShowStudy();
    void ShowMessage(const QString &text);

    const CalcRun &run_;
    FloodStudy study_;
    NumberField *numMax_ = nullptr, *numStep_ = nullptr;
    QLineEdit *txtFactors_ = nullptr;
    QPushButton *cmdStudy_ = nullptr, *cmdGraph_ = nullptr, *cmdCsv_ = nullptr, *cmdClose_ = nullptr;
    QLabel *lblMessage_ = nullptr, *lblStorage_ = nullptr, *lblNoSpill_ = nullptr, *lblStale_ = nullptr;
    bool stale_ = false;
    ResultTableModel *model_ = nullptr;
    ResultGridView *view_ = nullptr;
    int noteWidth_ = 0;  // design width of the note column, px
};

}  // namespace wyndlor
