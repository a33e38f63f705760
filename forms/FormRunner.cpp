#include "forms/FormRunner.h"

#include "forms/FormBinding.h"
#include "forms/frmInpArea.h"
#include "forms/frmInpDeltaT.h"
#include "forms/frmInpHVC.h"
#include "forms/frmInpJyoken.h"
#include "forms/frmInpSection.h"

namespace wyndlor {

namespace {

// A form of type Form with its two events connected to the handlers.
template <class Form, class LoadFn, class SaveFn>
std::unique_ptr<InputDialog> Make(Project &project, QWidget *parent, LoadFn load, SaveFn save) {
    auto form = std::make_unique<Form>(parent);
    Form *f = form.get();
    f->UsrCaption = QString();
    f->UsrHelpFile = QString();
    f->UsrHelpContextID = 0;
    QObject::connect(f, &InputDialog::LoadData, f, [&project, f, load] { load(project, *f); });
    QObject::connect(f, &InputDialog::SaveData, f,
                     [&project, f, save](bool &cancel) { save(project, *f, cancel); });
    return form;
}

}  // namespace

std::unique_ptr<InputDialog> CreateInputForm(const QString &tag, Project &project, QWidget *parent) {
    if (tag == "InpJyoken") return Make<frmInpJyoken>(project, parent, LoadJyoken, SaveJyoken);
    if (tag == "InpHVC") return Make<frmInpHVC>(project, parent, LoadHVC, SaveHVC);
    if (tag == "InpSection") return Make<frmInpSection>(project, parent, LoadSection, SaveSection);
    if (tag == "InpDeltaT") return Make<frmInpDeltaT>(project, parent, LoadDeltaT, SaveDeltaT);
    if (tag == "InpArea") {
        auto form = Make<frmInpArea>(project, parent, LoadArea, SaveArea);
        auto *f = static_cast<frmInpArea *>(form.get());
        QObject::connect(f, &frmInpArea::CalcData, f, [f] { CalcAreaDefaults(*f); });
        return form;
    }
    return nullptr;
}

bool RunInputForm(const QString &tag, Project &project, QWidget *parent) {
    std::unique_ptr<InputDialog> form = CreateInputForm(tag, project, parent);
    if (!form) return false;
    return form->exec() == QDialog::Accepted;
}

}  // namespace wyndlor
