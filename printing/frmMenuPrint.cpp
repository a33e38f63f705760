#include "printing/frmMenuPrint.h"

#include "core/Messages.h"

#include "core/AppPaths.h"
#include "core/CPrivateProfile.h"
#include "widgets/MessageBoxes.h"
#include "printing/PreviewerLaunch.h"
#include "widgets/MessageBoxes.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace wyndlor {

namespace {

const QString kSection = QStringLiteral("MenuPrint");

// Captions of the report sections, in report order.
const std::array<QString, kReportSections> kItemCaptions = {
    QStringLiteral("計算条件"),
    QStringLiteral("設計洪水流量の計算"),
    QStringLiteral("設計洪水位の計算"),
};

const std::array<QString, 3> kCheckCaptions = {
    QStringLiteral("全項目選択"),
    QStringLiteral("全項目選択解除"),
    QStringLiteral("全項目選択反転"),
};

QString TickKey(int item) { return QString::number(item); }

}  // namespace

frmMenuPrint::frmMenuPrint(const CalcRun &run, QWidget *parent)
    : WindowBase(kSection, Keeps::Place, PlaceRule::CentreNonPositive, parent), run_(run) {
    setObjectName(QStringLiteral("frmMenuPrint"));
    setWindowTitle(QStringLiteral("検討結果の印刷"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Frame1 = new QGroupBox(QStringLiteral("印刷項目指定"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto *items = new QVBoxLayout(Frame1);
    for (int i = 0; i < kReportSections; ++i) {
        chkPrintItem[i] = new QCheckBox(kItemCaptions[i], Frame1);
        chkPrintItem[i]->setObjectName(QStringLiteral("chkPrintItem%1").arg(i));
        items->addWidget(chkPrintItem[i]);
    }

    auto *checks = new QVBoxLayout;
    for (int i = 0; i < 3; ++i) {
        cmdCheck[i] = new QPushButton(kCheckCaptions[i], this);
        cmdCheck[i]->setObjectName(QStringLiteral("cmdCheck%1").arg(i));
        cmdCheck[i]->setAutoDefault(false);
        connect(cmdCheck[i], &QPushButton::clicked, this, [this, i] { CheckItems(i); });
        checks->addWidget(cmdCheck[i]);
    }
    checks->addStretch();

    auto *top = new QHBoxLayout;
    top->addWidget(Frame1, 1);
    top->addLayout(checks);

    cmdPreview = new QPushButton(QStringLiteral("印刷(&P)"), this);
    cmdClose = new QPushButton(QStringLiteral("閉じる(&C)"), this);
    cmdHelp = new QPushButton(QStringLiteral("ﾍﾙﾌﾟ(&H)"), this);
    cmdPreview->setObjectName(QStringLiteral("cmdPreview"));
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    cmdPreview->setDefault(true);
    SetHelpButton(cmdHelp);
    connect(cmdPreview, &QPushButton::clicked, this, [this] { Preview(); });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdPreview);
    buttons->addWidget(cmdClose);
    buttons->addWidget(cmdHelp);

    auto *layout = new QVBoxLayout(this);
    lblStale_ = StaleResultsLabel(this);
    layout->addWidget(lblStale_);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

frmMenuPrint::~frmMenuPrint() {
    // A menu destroyed without closing still must not leave print files.
    if (IsLoaded()) Unload();
}

void frmMenuPrint::OnLoad() {
    for (int i = 0; i < kReportSections; ++i) {
        storedTicks_[i] = CPrivateProfile::GetValueLong(IniFileName(), kSection, TickKey(i)) == 1;
        chkPrintItem[i]->setChecked(storedTicks_[i]);
    }

    const QString errors = PrepareReport(writer_, run_, FormatFileName(), IniFileName());
    if (errors.isEmpty()) return;
    for (int i = 0; i < kReportSections; ++i) {
        if (!errors.contains(msg::SectionFailureMessage(i))) continue;
        chkPrintItem[i]->setChecked(false);
        chkPrintItem[i]->setEnabled(false);
    }
    // The error text starts with the line feed that separates the messages.
    MessageBoxes().Show(this, errors.mid(1), QString(), MsgIcon::Critical, MsgButtons::Ok);
}

void frmMenuPrint::CheckItems(int index) {
    for (QCheckBox *item : chkPrintItem) {
        switch (index) {
        case 0:
            if (item->isEnabled()) item->setChecked(true);
            break;
        case 1:
            item->setChecked(false);
            break;
        case 2:
            if (item->isChecked())
                item->setChecked(false);
            else if (item->isEnabled())
                item->setChecked(true);
            break;
        default:
            break;
        }
    }
}

void frmMenuPrint::SetStaleQuery(RunStaleQuery stale) {
    stale_ = std::move(stale);
    lblStale_->setVisible(stale_ && stale_());
}

bool frmMenuPrint::Preview() {
    std::array<bool, kReportSections> ticked{};
    bool any = false;
    for (int i = 0; i < kReportSections; ++i) {
        ticked[i] = chkPrintItem[i]->isChecked() && chkPrintItem[i]->isEnabled();
        any = any || ticked[i];
    }
    if (!any) {
        MessageBoxes().Beep();
        MessageBoxes().Show(this, msg::NoPrintItemText(), windowTitle(),
                            MsgIcon::Information, MsgButtons::Ok);
        return false;
    }
    // The report stays that of the run and its own input; printed after an
    // edit it no longer matches the project, which the engineer confirms.
    if (stale_ && stale_() &&
        MessageBoxes().Show(this, msg::StalePrintQuestion(), windowTitle(), MsgIcon::Information,
                            MsgButtons::YesNo) != MsgResult::Yes)
        return false;
    // A failure here would otherwise leave the engineer pressing a button
    // that does nothing; each says what went wrong.
    if (!JoinReport(writer_, ticked)) {
        MessageBoxes().Show(this, msg::PrintFileFailedText(), windowTitle(),
                            MsgIcon::Critical, MsgButtons::Ok);
        return false;
    }
    const QString title = QString::fromStdString(run_.Data.ConditionsData(slot::Title).ToText());
    if (!StartPreviewer(writer_.PrintFilePath, run_.SourceFile, title)) {
        MessageBoxes().Show(this,
                            msg::PreviewerFailedText() + PreviewerProgram(),
                            windowTitle(), MsgIcon::Critical, MsgButtons::Ok);
        return false;
    }
    return true;
}

void frmMenuPrint::OnUnload() {
    for (int i = 0; i < kReportSections; ++i) {
        const bool ticked = chkPrintItem[i]->isEnabled() ? chkPrintItem[i]->isChecked() : storedTicks_[i];
        CPrivateProfile::SetValueString(IniFileName(), kSection, TickKey(i),
                                        ticked ? QStringLiteral("1") : QStringLiteral("0"));
    }
    RemovePrintFiles(writer_);
}

void RunPrintMenu(const CalcRun &run, QWidget *parent, RunStaleQuery stale) {
    frmMenuPrint menu(run, parent);
    menu.SetStaleQuery(std::move(stale));
    menu.exec();
}

}  // namespace wyndlor
