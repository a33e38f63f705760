// A numeric field's display or edit format in the picture notation of
// PictureNumber.h, with the decimals and digit places the field needs to
// check what is typed.
#pragma once

#include <QString>

namespace wyndlor {

class PictureFormat {
public:
    PictureFormat() = default;
    explicit PictureFormat(const QString &picture);

    // The value laid out by the picture ("" for a value that is not finite).
    QString Format(double value) const;

    int Decimals() const { return decimals_; }
    // Digit places before the point in the positive section.
    int IntegerDigits() const { return intDigits_; }
    QString Picture() const { return picture_; }

private:
    QString picture_;
    int decimals_ = 0;
    int intDigits_ = 1;
};

// The general number text of a value (up to 15 significant digits, no
// trailing zeros), as values are put into the grid cells.
QString GeneralNumberText(double value);

// Reads the text of a numeric field or cell (blanks around it allowed, an
// exponent too, as general number text may hold one).  False for anything
// else, including an empty text and infinities.
bool ParseNumberText(const QString &text, double &value);

}  // namespace wyndlor
