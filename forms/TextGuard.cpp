#include "TextGuard.h"

#include "MessageBoxes.h"
#include "SystemHelpers.h"

namespace wyndlor {

bool IsStorableText(const QString &text) {
    return !text.contains(QChar('"')) && CanEncodeShiftJis(text);
}

QValidator::State StorableTextValidator::validate(QString &input, int &) const {
    if (input.size() > maxLength_ || !IsStorableText(input)) {
        MessageBoxes().Beep();
        return Invalid;
    }
    return Acceptable;
}

}  // namespace wyndlor
