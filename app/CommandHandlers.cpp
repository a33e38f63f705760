#include "app/CommandHandlers.h"

#include "results/CalcCommand.h"
#include "forms/FormRunner.h"
#include "printing/RenbanBinding.h"
#include "app/frmMenuMain.h"
#include "printing/frmMenuPrint.h"
#include "results/frmSolveWidth.h"

#include <QString>

namespace wyndlor {

void RegisterCommandHandlers(frmMenuMain &window) {
    for (const char *tag : {"InpJyoken", "InpHVC", "InpArea", "InpSection", "InpDeltaT"}) {
        const QString t = QString::fromLatin1(tag);
        window.SetCommandHandler(t, [&window, t](QWidget *parent) { RunInputForm(t, window.project(), parent); });
    }
    // The numbering style lives in the settings file, not in the project.
    window.SetCommandHandler(QStringLiteral("InpRenban"), [](QWidget *parent) { RunRenbanForm(parent); });
    window.SetCommandHandler(QStringLiteral("MenuRO"), [&window](QWidget *parent) {
        Project &project = window.project();
        RunCalculationCommand(
            project, parent, [&project](QWidget *resultsMenu) { RunPrintMenu(project.Run, resultsMenu); },
            [&project](QWidget *resultsMenu) {
                // Nothing reaches the project but the width taken with the
                // window's button.
                RunSolveWidth(project.Run, resultsMenu, [&project](double B) { TakeSpillwayWidth(project, B); });
            });
    });
}

}  // namespace wyndlor
