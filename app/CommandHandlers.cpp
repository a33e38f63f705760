#include "app/CommandHandlers.h"

#include "app/frmMenuMain.h"
#include "forms/FormRunner.h"
#include "printing/RenbanBinding.h"
#include "printing/frmMenuPrint.h"
#include "results/CalcCommand.h"
#include "results/frmSolveWidth.h"

#include <QString>

namespace wyndlor {

namespace {

void InputForm(frmMenuMain &window, const QString &tag, QWidget *parent) {
    RunInputForm(tag, window.project(), parent);
}

// The numbering style lives in the settings file, not in the project.
void NumberingStyle(frmMenuMain &, const QString &, QWidget *parent) { RunRenbanForm(parent); }

void Calculation(frmMenuMain &window, const QString &, QWidget *parent) {
    Project &project = window.project();
    const RunStaleQuery stale = [&project] { return project.RunIsStale(); };
    RunCalculationCommand(
        project, parent, [&project, stale](QWidget *resultsMenu) { RunPrintMenu(project.Run, resultsMenu, stale); },
        [&project, stale](QWidget *resultsMenu) {
            // Nothing reaches the project but the width taken with the
            // window's button.
            RunSolveWidth(project.Run, resultsMenu, [&project](double B) { TakeSpillwayWidth(project, B); },
                          stale);
        });
}

// Every tag of the main window's buttons and what it runs.
struct Command {
    const char *tag;
    void (*run)(frmMenuMain &window, const QString &tag, QWidget *parent);
};
const Command kCommands[] = {
    {"InpJyoken", InputForm},   {"InpHVC", InputForm},    {"InpArea", InputForm},
    {"InpSection", InputForm},  {"InpDeltaT", InputForm}, {"InpRenban", NumberingStyle},
    {"MenuRO", Calculation},
};

}  // namespace

void RegisterCommandHandlers(frmMenuMain &window) {
    for (const Command &c : kCommands) {
        const QString tag = QString::fromLatin1(c.tag);
        const auto run = c.run;
        window.SetCommandHandler(tag, [&window, tag, run](QWidget *parent) { run(window, tag, parent); });
    }
}

}  // namespace wyndlor
