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
        project.SetRun(MakeCalcRun(project.Data));
        project.Run.SourceFile = project.CurrentFileName;
    }
    // A refused project is told what to enter and where; a run that failed
    // in a step gets the one failure message, and the menu says the step.
    if (project.Run.Results.FailedStep == CalcStep::Input)
        MessageBoxes().Show(parent, msg::CalcFailureText(project.Run.Results), QString(), MsgIcon::Information,
                            MsgButtons::Ok);
    else if (!project.Run.Ok)
        MessageBoxes().Show(parent, msg::CalcFailedText(), QString(), MsgIcon::Information, MsgButtons::Ok);
    frmMenuRO menu(project.Run, std::move(openPrintMenu), parent, std::move(openSolveWidth));
    menu.SetStaleQuery([&project] { return project.RunIsStale(); });
    menu.exec();
}

}  // namespace wyndlor
