#include "CommandHandlers.h"

#include "CalcCommand.h"
#include "FormRunner.h"
#include "frmMenuMain.h"

#include <QString>

namespace wyndlor {

void RegisterCommandHandlers(frmMenuMain &window) {
    for (const char *tag : {"InpJyoken", "InpHVC", "InpArea", "InpSection", "InpDeltaT"}) {
        const QString t = QString::fromLatin1(tag);
        window.SetCommandHandler(t, [&window, t](QWidget *parent) { RunInputForm(t, window.project(), parent); });
    }
    window.SetCommandHandler(QStringLiteral("MenuRO"),
                             [&window](QWidget *parent) { RunCalculationCommand(window.project(), parent); });
}

}  // namespace wyndlor
