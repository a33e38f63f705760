#include "CalcCommand.h"

#include "MessageBoxes.h"
#include "frmMenuRO.h"

#include <QString>

namespace wyndlor {

const char *const kCalcFailedMessage = "計算途中でｴﾗｰが発生したため，計算を中止しました。";

void RunCalculationCommand(Project &project, QWidget *parent,
                           std::function<void(QWidget *)> openPrintMenu) {
    if (!CalcAll(project.Data, project.Results))
        MessageBoxes().Show(parent, QString::fromUtf8(kCalcFailedMessage), QString(),
                            MsgIcon::Information, MsgButtons::Ok);
    frmMenuRO menu(project.Results, std::move(openPrintMenu), parent);
    menu.exec();
}

}  // namespace wyndlor
