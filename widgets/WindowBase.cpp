#include "widgets/WindowBase.h"

#include "widgets/HelpWindow.h"

#include <QDesktopServices>
#include <QPushButton>
#include <QUrl>

namespace wyndlor {

WindowBase::WindowBase(const QString &section, Keeps keeps, PlaceRule rule, QWidget *parent)
    : QDialog(parent), section_(section), keeps_(keeps), rule_(rule), helpPage_(section) {
    AddHelpKey(this, section);
}

void WindowBase::SetHelpButton(QPushButton *button) {
    help_ = button;
    if (help_) connect(help_, &QPushButton::clicked, this, &WindowBase::OnHelp);
}

void WindowBase::Load() {
    if (loaded_) return;
    loaded_ = true;
    if (!UsrCaption.isEmpty()) setWindowTitle(UsrCaption);
    const bool withSize = keeps_ == Keeps::PlaceAndSize;
    // A window of fixed size is centred at the size its layout gives it.
    if (!withSize) adjustSize();
    RestoreWindowPlace(this, section_, withSize, rule_);
    if (help_) help_->setEnabled(true);
    OnLoad();
}

void WindowBase::setVisible(bool visible) {
    // Placed before the first show: the native window does not exist yet,
    // and the place given is that of the outer frame.
    if (visible) Load();
    QDialog::setVisible(visible);
}

void WindowBase::done(int result) {
    if (loaded_) Unload();
    QDialog::done(result);
}

void WindowBase::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    OnUnload();
    SaveWindowPlace(this, section_, keeps_ == Keeps::PlaceAndSize);
}

void WindowBase::OnHelp() {
    // A help file given by the owner replaces the manual's page.
    if (!UsrHelpFile.isEmpty()) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(UsrHelpFile));
        return;
    }
    ShowHelp(this, helpPage_);
}

}  // namespace wyndlor
