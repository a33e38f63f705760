// The window "洪水吐幅の試算": the narrowest spillway width that keeps the
// design flood water level at or below an allowable level.
//
// Opened from the results menu over the input of the run it shows.  The
// engineer enters the allowable level HWLa (the level the embankment
// allows); the window searches the width of the project's own spillway
// type in steps of 0.1 m and shows the answer with the design flood water
// level, the maximum overflow depth and the peak outflow at that width, the
// accuracy check there (and, when it warns, the width the 1-minute
// reference would need), and a small table of B against HWL around the
// answer.  The project itself changes only through the button that takes
// the width into the spillway data.
#pragma once

#include "calc/WidthSolver.h"
#include "core/CalcRun.h"
#include "core/Project.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace wyndlor {

class NumberField;

// Widths the table shows on each side of the answer.
constexpr int32_t kWidthTableHalfRows = 3;
// The largest width the spillway form accepts, m: a wider answer cannot be
// taken into the spillway data.
constexpr double kMaxFormWidth = 99;

// Takes a width into the project's spillway data as confirming the spillway
// form does: B of the project's spillway type, the group entered, the
// project modified.
void TakeSpillwayWidth(Project &project, double B);

class frmSolveWidth : public QDialog {
    Q_OBJECT
public:
    // `run` must outlive the window; the search works on copies of its
    // input.  `takeWidth` stores a width into the project; without it the
    // take button stays disabled.
    frmSolveWidth(const CalcRun &run, std::function<void(double)> takeWidth, QWidget *parent = nullptr);
    ~frmSolveWidth() override;

    NumberField *numHWLa() const { return numHWLa_; }
    QPushButton *cmdSolve() const { return cmdSolve_; }
    QPushButton *cmdTake() const { return cmdTake_; }
    QLabel *lblAnswer() const { return lblAnswer_; }
    QLabel *lblCheck() const { return lblCheck_; }
    QLineEdit *numB() const { return numB_; }
    QLineEdit *numHWL() const { return numHWL_; }
    QTableWidget *grdWidths() const { return grdWidths_; }
    const WidthSolution &Solution() const { return solution_; }

    // Searches the width for the level in numHWLa (after its range check).
    void Solve();
    // Hands the width found to the project (once per answer).
    void TakeWidth();
    // Whether the project changed since the run shown: the window says so,
    // also right after it took a width.
    void SetStaleQuery(RunStaleQuery stale);
    QLabel *lblStale() const { return lblStale_; }

    void setVisible(bool visible) override;
    void done(int result) override;

private:
    void ShowSolution();
    void RefreshStale();

    const CalcRun &run_;
    std::function<void(double)> takeWidth_;
    WidthSolution solution_;
    NumberField *numHWLa_ = nullptr;
    QPushButton *cmdSolve_ = nullptr, *cmdTake_ = nullptr, *cmdExit_ = nullptr;
    RunStaleQuery stale_;
    QLabel *lblStale_ = nullptr;
    QLabel *lblCurrent_ = nullptr, *lblAnswer_ = nullptr, *lblCheck_ = nullptr, *lblTaken_ = nullptr;
    QLineEdit *numB_ = nullptr, *numHWL_ = nullptr, *numHmax_ = nullptr, *numQ2_ = nullptr;
    QTableWidget *grdWidths_ = nullptr;
    bool loaded_ = false;
};

// Opens the window modally over `parent`.
void RunSolveWidth(const CalcRun &run, QWidget *parent, std::function<void(double)> takeWidth,
                   RunStaleQuery stale = {});

}  // namespace wyndlor
