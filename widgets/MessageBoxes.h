// Every message box of the program goes through this interface, so that
// tests can answer them and read what was asked.
#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace wyndlor {

enum class MsgIcon { Information, Critical, Question, Warning };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    // An empty title shows the product title "Ostrevin".
    virtual MsgResult Show(QWidget *parent, const QString &text, const QString &title,
                           MsgIcon icon, MsgButtons buttons) = 0;
    virtual void Beep() = 0;
};

// The implementation in use: Qt message boxes unless a test installed one.
IMessageBoxes &MessageBoxes();
// Installs `boxes` (not owned); nullptr restores the Qt implementation.
void SetMessageBoxes(IMessageBoxes *boxes);

// The line "入力が変更されています。再計算してください。" in bold dark red,
// hidden until a window that shows a run makes it visible because the
// project's input has changed since that run.
QLabel *StaleResultsLabel(QWidget *parent);

}  // namespace wyndlor
