#include "CommandHandlers.h"

#include "CalcCommand.h"
#include "FormRunner.h"
#include "RenbanBinding.h"
#include "frmMenuMain.h"
#include "frmMenuPrint.h"

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
        RunCalculationCommand(project, parent, [&project](QWidget *resultsMenu) {
            RunPrintMenu(project.Data, project.Results, project.Check ? &*project.Check : nullptr, resultsMenu);
        });
    });
}

}  // namespace wyndlor
