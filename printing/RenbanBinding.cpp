#include "printing/RenbanBinding.h"

#include "core/AppPaths.h"
#include "core/CPrivateProfile.h"
#include "widgets/NumberField.h"
#include "printing/frmInpRenban.h"
#include "report/ReportJob.h"

#include <QComboBox>

#include <algorithm>

namespace wyndlor {

namespace {

const QString kSection = QStringLiteral("Chapter");

int ReadKey(const QString &iniFile, const QString &key) {
    return CPrivateProfile::GetValueLong(iniFile, kSection, key);
}

void WriteKey(const QString &iniFile, const QString &key, int value) {
    CPrivateProfile::SetValueString(iniFile, kSection, key, QString::number(value));
}

}  // namespace

void LoadRenban(frmInpRenban &form, const QString &settingsFile) {
    // The dialog shows the style the report prints with: the shipped
    // default until the user saves one.
    const QString iniFile = NumberingSettingsFile(settingsFile);
    const int method = ReadKey(iniFile, QStringLiteral("Method"));
    if (!form.optMethod->SetIndex(method)) form.optMethod->SetIndex(0);
    form.numInit->SetValue(std::clamp(ReadKey(iniFile, QStringLiteral("Init")), 0, kMaxInitialNumber));
    for (int k = 0; k < kNumberedLevels; ++k) {
        const int style = ReadKey(iniFile, QStringLiteral("Style%1").arg(k + 1));
        form.cboStyle[k]->setCurrentIndex(style >= 1 && style <= kHeadingStyleCount ? style - 1 : -1);
        const int margin = ReadKey(iniFile, QStringLiteral("Margin%1").arg(k + 1));
        form.numMargin[k]->SetValue(std::clamp(margin, 0, kMaxHeadingMargin));
    }
}

void SaveRenban(const frmInpRenban &form, const QString &iniFile, bool &cancel) {
    cancel = false;
    WriteKey(iniFile, QStringLiteral("Method"), form.optMethod->Index());
    WriteKey(iniFile, QStringLiteral("Init"), static_cast<int>(form.numInit->Value()));
    for (int k = 0; k < kNumberedLevels; ++k) {
        // An unselected list has index -1: style 0, no number.
        WriteKey(iniFile, QStringLiteral("Style%1").arg(k + 1), form.cboStyle[k]->currentIndex() + 1);
        WriteKey(iniFile, QStringLiteral("Margin%1").arg(k + 1), static_cast<int>(form.numMargin[k]->Value()));
    }
}

std::unique_ptr<frmInpRenban> CreateRenbanForm(QWidget *parent) {
    auto form = std::make_unique<frmInpRenban>(parent);
    frmInpRenban *f = form.get();
    f->UsrCaption = QString();
    f->UsrHelpFile = QString();
    f->UsrHelpContextID = 0;
    QObject::connect(f, &InputDialog::LoadData, f, [f] { LoadRenban(*f, IniFileName()); });
    QObject::connect(f, &InputDialog::SaveData, f, [f](bool &cancel) { SaveRenban(*f, IniFileName(), cancel); });
    return form;
}

bool RunRenbanForm(QWidget *parent) {
    std::unique_ptr<frmInpRenban> form = CreateRenbanForm(parent);
    return form->exec() == QDialog::Accepted;
}

}  // namespace wyndlor
