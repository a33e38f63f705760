// Numbers laid out by a picture, the notation shared by the input fields and
// the printed report.
//
// A picture is one section, or two separated by ";" (the second for
// negative values, which then carry no "-" of their own).  In a section "0"
// is a digit place always shown, "#" one shown only when significant, ","
// in the integer part groups thousands, "." is the decimal point; characters
// before the first and after the last integer digit place (a "+", say) are
// copied as they stand.  "#" places after the point drop trailing zeros.
// The value is rounded half away from zero on its 15-significant-digit
// decimal form, so 2.675 at two places is 2.68; a value that rounds to zero
// carries no minus sign.  So "+##0.000;-##0.000" shows 12.5 as "+12.500",
// "#,##0" shows 12345 as "12,345", and "0.000" shows 1 as "1.000".
#pragma once

#include <string>

namespace wyndlor {

// The laid-out value; "*" for a value no picture can hold (not finite, or
// beyond 10^30).
std::string FormatPicture(double value, const std::string &picture);

}  // namespace wyndlor
