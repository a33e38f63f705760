// The results menu: the hub shown after every calculation run.
//
// It shows the four headline results of the design flood water level
// (design flood discharge Q1, peak outflow Q2, largest overflow depth h1 and
// the design flood water level HWL = crest level + h1) and opens the inflow
// table, the routing table and the print menu.  It fills the two tables
// itself from the engine objects when they load, and reads nothing but the
// results of the last run.  After a failed run it says which step failed
// and why, shows only the values of the steps that completed (the others
// stay blank) and offers no printing: a failed run never prints.
//
// Below the four results it shows the accuracy check of the run: the
// inflow line (Δt, tp, Q1 against Q1 at the guideline's step Δt ≈ tp, and
// that Q1 lies on the safe side when it is well above it), the design flood
// water level of the same flood routed at 1-minute steps beside the
// guideline's, the reference's peak outflow and largest overflow depth (or
// that it could not be computed), the volume balance of the routing, and,
// when the check warns, a warning in red with every reason in plain words
// and its remedy (the guideline's step, the safe-side level of the
// 1-minute routing, or the h-A data).  Without a check (a failed run) none
// of these lines is shown.
#pragma once

#include "core/CalcRun.h"
#include "core/Project.h"
#include "widgets/WindowBase.h"

#include <QString>

#include <functional>
#include <memory>

class QColor;
class QLabel;
class QLineEdit;
class QPushButton;

namespace wyndlor {

// A read-only headline value, right-aligned and out of the tab order, as
// the results menu and the spillway sizing window show their results.
QLineEdit *ResultField(const QString &name, QWidget *parent);
// Warnings beside results are drawn in dark red with the standard warning
// icon, so they stand out without reading as an error of the run.
extern const QColor kWarningColour;

class ResultTableModel;
class frmResOut;
class frmGraph;

// The loading handlers of the two tables: one row per item of the inflow
// hydrograph (t, r, Q, Qi) or of the routing (hh:mm, t, Qi, Qo, H, V, and
// "最大" on the peak-outflow row n).  A missing object leaves the grid with
// no rows.
void FillInflowTable(ResultTableModel &grid, const clsQi *qi);
void FillRoutingTable(ResultTableModel &grid, const CQo *qo);

class frmMenuRO : public WindowBase {
    Q_OBJECT
public:
    // `run` must outlive the window; without a valid accuracy check the
    // check lines stay hidden.  `openPrintMenu` shows the print menu
    // modally over the given parent; while none is given, "計算結果の印刷"
    // says the command is not there yet.  `openSolveWidth` does the same
    // for the window "洪水吐幅の試算" (the owner of the project gives it, so
    // that the width found can be taken into the project).
    explicit frmMenuRO(const CalcRun &run, std::function<void(QWidget *)> openPrintMenu = {},
                       QWidget *parent = nullptr, std::function<void(QWidget *)> openSolveWidth = {});
    ~frmMenuRO() override;

    QLineEdit *numQ1() const { return numQ1_; }
    QLineEdit *numQ2() const { return numQ2_; }
    QLineEdit *numH1() const { return numH1_; }
    QLineEdit *numHWL() const { return numHWL_; }
    QPushButton *cmdMenu(int index) const { return cmdMenu_[index]; }
    QLabel *lblInflow() const { return lblInflow_; }            // Δt, tp and Q1 at Δt ≈ tp
    QLabel *lblReferenceLevel() const { return lblReferenceLevel_; }  // the 1-minute routing's level
    QLabel *lblReference() const { return lblReference_; }
    QLabel *lblBalance() const { return lblBalance_; }     // the volume balance of the routing
    QLabel *lblWarning() const { return lblWarning_; }     // the text of the warning
    QWidget *fraWarning() const { return fraWarning_; }    // icon and text together
    QLabel *lblFailure() const { return lblFailure_; }     // why the run failed

    // Runs the command of a button's Tag: "ResOutQi", "ResOutQo",
    // "MenuPrint", "SolveWidth" or "FloodStudy".  The window is disabled while the
    // command's window is open.  False (and nothing done) for a tag that
    // names no command.
    bool RunCommand(const QString &tag);
    static bool HasCommand(const QString &tag);

    // Whether the project changed since the run: the menu says so (also
    // after the sizing window took a width), and the tables and graphs it
    // opens say so too.
    void SetStaleQuery(RunStaleQuery stale);
    bool IsStale() const { return stale_ && stale_(); }
    // Shows or hides the line after the project may have changed (done on
    // loading and whenever a command's window closes).
    void RefreshStale();
    QLabel *lblStale() const { return lblStale_; }

    // The table window of "ResOutQi" or "ResOutQo", wired to this window's
    // loading handler and to its graph, not yet shown.
    std::unique_ptr<frmResOut> CreateTable(const QString &tag);
    // The graph of "ResOutQi" or "ResOutQo" over `parent`, not yet shown.
    std::unique_ptr<frmGraph> CreateGraph(const QString &tag, QWidget *parent);

private:
    // The four results, each on its own: a run that failed early has no
    // objects, and their fields keep 0.
    void OnLoad() override;
    void AddCheckLines(QLayout *layout, int width);
    void AddFailureLine(QLayout *layout, int width);
    void ShowTable(const QString &tag);
    void ShowPrintMenu(const QString &tag);
    void ShowSolveWidth(const QString &tag);
    void ShowFloodStudy(const QString &tag);

    // The buttons, their tags and what each tag runs: the one table the
    // buttons are made from and RunCommand dispatches on.
    struct Command {
        const char *caption;
        const char *tag;
        void (frmMenuRO::*run)(const QString &tag);
    };
    static const Command kCommands[5];
    static const Command *FindCommand(const QString &tag);

    const CalcRun &run_;
    const CalcResults &results_;
    QString sourceFile_;  // the run's project file, for the save dialogs
    const AccuracyCheck *check_;
    std::function<void(QWidget *)> openPrintMenu_;
    std::function<void(QWidget *)> openSolveWidth_;
    QLineEdit *numQ1_ = nullptr, *numQ2_ = nullptr, *numH1_ = nullptr, *numHWL_ = nullptr;
    QPushButton *cmdMenu_[5] = {};
    QPushButton *cmdExit_ = nullptr;
    QLabel *lblInflow_ = nullptr;
    QLabel *lblReferenceLevel_ = nullptr;
    QLabel *lblReference_ = nullptr;
    QLabel *lblBalance_ = nullptr;
    QLabel *lblWarning_ = nullptr;
    QWidget *fraWarning_ = nullptr;
    QLabel *lblFailure_ = nullptr;
    QLabel *lblStale_ = nullptr;
    RunStaleQuery stale_;
    frmResOut *objResOutQi_ = nullptr;  // the open table windows, while open
    frmResOut *objResOutQo_ = nullptr;
};

}  // namespace wyndlor
