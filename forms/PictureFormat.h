// Number formats in the picture notation of the forms and reports.
//
// A picture is one or two sections separated by ";": the first for values
// of zero and above, the second for negative values (without a second
// section a negative value gets a leading "-").  In a section, "0" is a
// digit that is always shown, "#" a digit shown only when significant, "."
// the decimal point; any other character (a "+" or "-" sign) is copied as it
// stands.  So "+##0.000;-##0.000" shows 12.5 as "+12.500" and -999 as
// "-999.000", "#0" shows 0 as "0", and "0.000" shows 1 as "1.000".
#pragma once

#include <QString>

namespace wyndlor {

class PictureFormat {
public:
    PictureFormat() = default;
    explicit PictureFormat(const QString &picture);

    // The value rounded half away from zero to the picture's decimals (the
    // engine's RoundOff) and laid out by the picture.
    QString Format(double value) const;

    int Decimals() const { return decimals_; }
    // Digit places before the point in the positive section.
    int IntegerDigits() const { return intDigits_; }
    QString Picture() const { return picture_; }

private:
    QString picture_;
    QString positive_, negative_;
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
