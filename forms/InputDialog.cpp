#include "forms/InputDialog.h"

#include "widgets/GetOptionIndex.h"
#include "widgets/MessageBoxes.h"
#include "widgets/NumberField.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace wyndlor {

InputDialog::InputDialog(const QString &caption, const QString &settingsSection, QWidget *parent)
    : WindowBase(settingsSection, Keeps::Place, PlaceRule::CentreNonPositive, parent) {
    setWindowTitle(caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // An option button with the focus is framed in the highlight colour:
    // the style's own dotted focus frame is drawn only after a Tab and is
    // easily missed, and a key typed into an unseen focus is lost.
    setStyleSheet(QStringLiteral("QRadioButton { border: 1px solid transparent; padding: 1px; }"
                                 "QRadioButton:focus { border: 1px solid palette(highlight); }"));
    auto *outer = new QVBoxLayout(this);
    body_ = new QVBoxLayout;
    outer->addLayout(body_);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    cmdOk = new QPushButton(QString::fromUtf8("OK(&O)"), this);
    cmdCancel = new QPushButton(QString::fromUtf8("ｷｬﾝｾﾙ(&C)"), this);
    cmdHelp = new QPushButton(QString::fromUtf8("ﾍﾙﾌﾟ(&H)"), this);
    cmdOk->setDefault(true);
    // Cancel is reached by mouse without the focus leaving a field, so a
    // value out of range never stands in the way of abandoning the form.
    cmdCancel->setFocusPolicy(Qt::TabFocus);
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);
    outer->addLayout(buttons);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    connect(cmdOk, &QPushButton::clicked, this, &InputDialog::OnOk);
    connect(cmdCancel, &QPushButton::clicked, this, &InputDialog::OnCancel);
    SetHelpButton(cmdHelp);
}

void InputDialog::OnLoad() {
    PutButtonsLastInTabOrder();
    emit LoadData();
    AfterLoad();
    FocusFirstField();
}

void InputDialog::FocusFirstField() {
    // The form opens on its first input, never on OK: a title typed with a
    // space would otherwise press OK and store the defaults.  A field that
    // takes typing comes before an option button, so that a number typed at
    // once lands in the first numeric field; only a form whose fields are
    // all disabled opens on its options.
    QWidget *firstOption = nullptr;
    for (QWidget *w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        // A tab bar (and the tab widget whose focus it takes) only turns pages.
        if (qobject_cast<QPushButton *>(w) || qobject_cast<QTabBar *>(w) || w->focusProxy()) continue;
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled() || !w->isVisibleTo(this)) continue;
        if (qobject_cast<QAbstractButton *>(w)) {
            if (!firstOption) firstOption = w;
            continue;
        }
        w->setFocus(Qt::TabFocusReason);
        return;
    }
    if (firstOption) firstOption->setFocus(Qt::TabFocusReason);
}

void InputDialog::PutButtonsLastInTabOrder() {
    // The buttons were made before the form's own controls; the tab order
    // follows the layout, so they come after the last control.
    QWidget *last = nullptr;
    for (QWidget *w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (w == cmdOk || w == cmdCancel || w == cmdHelp) continue;
        if (w->focusPolicy() & Qt::TabFocus) last = w;
    }
    if (last) setTabOrder(last, cmdOk);
    setTabOrder(cmdOk, cmdCancel);
    setTabOrder(cmdCancel, cmdHelp);
}

void InputDialog::OnOk() {
    for (NumberField *f : findChildren<NumberField *>()) {
        if (f->isEnabled() && !f->isReadOnly() && !f->Validate()) return;
    }
    bool cancel = false;
    emit SaveData(cancel);
    UsrTag = QString::fromUtf8("OK");
    if (!cancel) done(QDialog::Accepted);
}

void InputDialog::OnCancel() {
    reject();
}

void InputDialog::reject() {
    UsrTag = QString::fromUtf8("ｷｬﾝｾﾙ");
    done(QDialog::Rejected);
}

QLabel *InputDialog::Heading(const QString &text, QWidget *parent) {
    auto *l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

void InputDialog::AddFieldRow(QGridLayout *grid, const QString &label, QWidget *field) {
    const int row = grid->rowCount();
    auto *l = new QLabel(label, field->parentWidget());
    l->setBuddy(field);
    grid->addWidget(l, row, 0);
    grid->addWidget(field, row, 1);
}

int OptionGroup::Index() const {
    return GetOptionIndex(options_);
}

void OptionGroup::AddOption(QRadioButton *b) {
    addButton(b, static_cast<int>(options_.size()));
    options_.append(b);
}

bool OptionGroup::SetIndex(int index) {
    QAbstractButton *b = button(index);
    if (!b) return false;
    b->setChecked(true);
    return true;
}

}  // namespace wyndlor
