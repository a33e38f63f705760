#include "forms/TextGuard.h"

#include "widgets/MessageBoxes.h"
#include "core/SystemHelpers.h"

#include <utility>

namespace wyndlor {

bool IsStorableText(const QString &text) {
    return !text.contains(QChar('"')) && CanEncodeShiftJis(text);
}

QString ToStorableForms(QString text) {
    static const std::pair<char16_t, char16_t> kForms[] = {
        {0x301C, 0xFF5E},  // 〜 wave dash -> ～
        {0x2212, 0xFF0D},  // − minus sign -> －
        {0x2014, 0x2015},  // — em dash -> ―
        {0x2016, 0x2225},  // ‖ -> ∥
        {0x00A2, 0xFFE0},  // ¢ -> ￠
        {0x00A3, 0xFFE1},  // £ -> ￡
        {0x00AC, 0xFFE2},  // ¬ -> ￢
    };
    for (const auto &[from, to] : kForms) text.replace(QChar(from), QChar(to));
    return text;
}

QValidator::State StorableTextValidator::validate(QString &input, int &) const {
    input = ToStorableForms(input);
    if (input.size() > maxLength_ || !IsStorableText(input)) {
        MessageBoxes().Beep();
        return Invalid;
    }
    return Acceptable;
}

}  // namespace wyndlor
