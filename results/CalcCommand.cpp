#include "CalcCommand.h"

#include "MessageBoxes.h"
#include "frmMenuRO.h"

#include <QApplication>
#include <QString>

namespace wyndlor {

const char *const kCalcFailedMessage = "計算途中でｴﾗｰが発生したため，計算を中止しました。";

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

std::optional<AccuracyCheck> CheckCalculation(const ProjectData &data, const CalcResults &results) {
    WaitCursor wait;
    AccuracyCheck check = CheckAccuracy(data, results);
    if (!check.ok) return std::nullopt;
    return check;
}

void RunCalculationCommand(Project &project, QWidget *parent,
                           std::function<void(QWidget *)> openPrintMenu) {
    project.Check.reset();
    if (CalcAll(project.Data, project.Results))
        project.Check = CheckCalculation(project.Data, project.Results);
    else
        MessageBoxes().Show(parent, QString::fromUtf8(kCalcFailedMessage), QString(),
                            MsgIcon::Information, MsgButtons::Ok);
    frmMenuRO menu(project.Results, project.Check ? &*project.Check : nullptr,
                   std::move(openPrintMenu), parent);
    menu.exec();
}

}  // namespace wyndlor
