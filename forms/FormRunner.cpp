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

std::unique_ptr<InputDialog> MakeArea(Project &project, QWidget *parent) {
    auto form = Make<frmInpArea>(project, parent, LoadArea, SaveArea);
    auto *f = static_cast<frmInpArea *>(form.get());
    QObject::connect(f, &frmInpArea::CalcData, f, [f] { CalcAreaDefaults(*f); });
    return form;
}

// The form of each command tag.
struct FormCommand {
    const char *tag;
    std::unique_ptr<InputDialog> (*make)(Project &project, QWidget *parent);
};
const FormCommand kForms[] = {
    {"InpJyoken", [](Project &p, QWidget *w) { return Make<frmInpJyoken>(p, w, LoadJyoken, SaveJyoken); }},
    {"InpHVC", [](Project &p, QWidget *w) { return Make<frmInpHVC>(p, w, LoadHVC, SaveHVC); }},
    {"InpArea", MakeArea},
    {"InpSection", [](Project &p, QWidget *w) { return Make<frmInpSection>(p, w, LoadSection, SaveSection); }},
    {"InpDeltaT", [](Project &p, QWidget *w) { return Make<frmInpDeltaT>(p, w, LoadDeltaT, SaveDeltaT); }},
};

}  // namespace

std::unique_ptr<InputDialog> CreateInputForm(const QString &tag, Project &project, QWidget *parent) {
    for (const FormCommand &f : kForms)
        if (tag == QLatin1String(f.tag)) return f.make(project, parent);
    return nullptr;
}

bool RunInputForm(const QString &tag, Project &project, QWidget *parent) {
    std::unique_ptr<InputDialog> form = CreateInputForm(tag, project, parent);
    if (!form) return false;
    return form->exec() == QDialog::Accepted;
}

}  // namespace wyndlor
