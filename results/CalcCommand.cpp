#include "results/CalcCommand.h"

#include "core/Messages.h"
#include "results/frmMenuRO.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>

namespace wyndlor {

namespace {

// The wait cursor for the lifetime of the object.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

}  // namespace

void RunCalculationCommand(Project &project, QWidget *parent,
                           std::function<void(QWidget *)> openPrintMenu,
                           std::function<void(QWidget *)> openSolveWidth) {
    {
        WaitCursor wait;
        project.Run = MakeCalcRun(project.Data);
    }
    if (!project.Run.Ok)
        MessageBoxes().Show(parent, msg::CalcFailedText(), QString(), MsgIcon::Information, MsgButtons::Ok);
    frmMenuRO menu(project.Run, std::move(openPrintMenu), parent, std::move(openSolveWidth));
    menu.exec();
}

}  // namespace wyndlor
