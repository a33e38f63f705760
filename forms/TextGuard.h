// Guard for the free-text fields of the project (the pond's title and the
// names of the sub-catchments).
//
// The project file stores texts as Shift_JIS lines and quotes them, so a
// double quote or a character that Shift_JIS cannot hold would come back
// from the file as something else, or break the line apart.  Such
// characters are refused as they are typed or pasted, with a beep, rather
// than failing later when the file is saved.
#pragma once

#include <QValidator>

namespace wyndlor {

// True when `text` may be stored in the project file as it stands.
bool IsStorableText(const QString &text);

// Japanese input methods on this platform type a few characters in their
// Unicode forms (the wave dash 〜, the minus sign −, the em dash —, ‖, ¢, £,
// ¬) where Japanese Windows, whose Shift_JIS the project file uses, has
// look-alike full-width forms (～ － ― ∥ ￠ ￡ ￢).  Replaces them, so that
// what the engineer types can be stored and reads back as it looks.
QString ToStorableForms(QString text);

class StorableTextValidator : public QValidator {
public:
    explicit StorableTextValidator(int maxLength, QObject *parent = nullptr)
        : QValidator(parent), maxLength_(maxLength) {}
    // Replaces the look-alike characters, then refuses what still cannot
    // be stored (a double quote, a character Shift_JIS lacks, too long).
    State validate(QString &input, int &pos) const override;

private:
    int maxLength_;
};

}  // namespace wyndlor
