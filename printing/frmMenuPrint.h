// The print menu "検討結果の印刷": builds the report and hands the chosen
// sections to the previewer.
//
// When the menu opens it writes the whole report once from the results of
// the last calculation, one print file per report section (calculation
// conditions, design flood discharge, design flood water level), so that
// the heading numbers run on through the sections whichever of them are
// printed.  The engineer ticks the sections and presses 印刷: the ticked
// section files are joined, a page break between two of them, into the
// joined print file and the previewer is started on it.  The ticks and the
// window place are kept in section "MenuPrint" of the settings file; every
// print file is deleted when the menu closes.
//
// A section that could not be written is reported when the menu opens; its
// tick box is then disabled and cleared, so a partly written section is
// never printed as if it were whole.
#pragma once

#include "core/Project.h"
#include "report/ReportJob.h"
#include "widgets/WindowBase.h"

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace wyndlor {

class frmMenuPrint : public WindowBase {
    Q_OBJECT
public:
    // The report of `run`, which must outlive the window; its accuracy
    // check adds the note to the report when it warns.
    explicit frmMenuPrint(const CalcRun &run, QWidget *parent = nullptr);

    // Whether the project changed since the run: the menu then says so and
    // asks before printing.
    void SetStaleQuery(RunStaleQuery stale);
    ~frmMenuPrint() override;

    QGroupBox *Frame1;
    std::array<QCheckBox *, kReportSections> chkPrintItem;
    std::array<QPushButton *, 3> cmdCheck;  // all, none, invert
    QPushButton *cmdPreview;
    QPushButton *cmdClose;
    QPushButton *cmdHelp;

    // The print files of this opening (sections 1-3, then the joined file).
    const PrintWriter &Writer() const { return writer_; }

public slots:
    // 0 ticks every enabled section, 1 clears every tick, 2 inverts the
    // ticks of the enabled sections.
    void CheckItems(int index);
    // Joins the ticked sections and starts the previewer.  False when
    // nothing was ticked, the join failed or the previewer did not start
    // (each with its message).
    bool Preview();

private:
    // After the place: the ticks, and the report's section files.
    void OnLoad() override;
    // Ticks into the settings file, print files deleted.
    void OnUnload() override;

    const CalcRun &run_;
    RunStaleQuery stale_;
    QLabel *lblStale_ = nullptr;
    PrintWriter writer_;
    // The ticks as restored, kept for the sections disabled by a failure so
    // that the engineer's choice outlives one failed build.
    std::array<bool, kReportSections> storedTicks_{};
};

// Opens the print menu modally over `parent` (the results menu).
void RunPrintMenu(const CalcRun &run, QWidget *parent, RunStaleQuery stale = {});

}  // namespace wyndlor
