// The common frame of the five input forms.
//
// An input form edits one group of the project (conditions, h-V curve,
// catchment, spillway section, time step) without touching the project
// itself: while it loads it raises LoadData, and the owner's handler fills
// its controls; on OK it raises SaveData(cancel), and the owner's handler
// copies the controls back (or sets `cancel` to keep the form open).  The
// window base carries the Usr properties, loading and the window place;
// this frame adds what every form shares: UsrTag ("OK" or "ｷｬﾝｾﾙ") read
// after it closed and the OK / Cancel / Help buttons.  A form adds only its
// own controls to Body().
#pragma once

#include "widgets/WindowBase.h"

#include <QButtonGroup>
#include <QString>

class QGridLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace wyndlor {

class NumberField;

class InputDialog : public WindowBase {
    Q_OBJECT
public:
    QPushButton *cmdOk = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdHelp = nullptr;

signals:
    void LoadData();
    void SaveData(bool &cancel);

public slots:
    // OK: every enabled numeric field must hold a value in its range (Enter
    // confirms a form without leaving the field, so the check on leaving is
    // not enough); then SaveData, UsrTag "OK", and closing unless the
    // handler cancelled.
    void OnOk();
    void OnCancel();

    void reject() override;  // Esc and the close box act as Cancel

protected:
    InputDialog(const QString &caption, const QString &settingsSection, QWidget *parent);
    // The form's controls go here, in layout order (which is the tab order).
    QVBoxLayout *Body() const { return body_; }
    // Called after LoadData: the form applies its option enabling.
    virtual void AfterLoad() {}

    // A section heading ("■　...") and a row of label and field in a grid.
    static QLabel *Heading(const QString &text, QWidget *parent);
    static void AddFieldRow(QGridLayout *grid, const QString &label, QWidget *field);

private:
    // After caption, place and help: the tab order, LoadData, AfterLoad.
    void OnLoad() override;
    void PutButtonsLastInTabOrder();
    void FocusFirstField();
    QVBoxLayout *body_ = nullptr;
};

// A group of option buttons whose selection is an index from 0, as the data
// set stores it.
class OptionGroup : public QButtonGroup {
    Q_OBJECT
public:
    explicit OptionGroup(QObject *parent) : QButtonGroup(parent) {}
    // The index of the first selected button; 0 when none is selected.
    int Index() const;
    // Selects button `index`; false (selection unchanged) when there is none.
    bool SetIndex(int index);
    // Adds the next button with the next index.
    void AddOption(QRadioButton *b);

private:
    QList<QRadioButton *> options_;
};

}  // namespace wyndlor
