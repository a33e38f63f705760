// Every message box of the program goes through this interface, so that
// tests can answer them and read what was asked.
#pragma once

#include <QString>

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

}  // namespace wyndlor
