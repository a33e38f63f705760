// One value of the project data set: a slot or a table cell.
//
// The data set stores what the engineer typed or what a project file held,
// without interpreting it: empty, a 16-bit or 32-bit integer, a double or a
// text.  The engine reads a slot by numeric conversion, so a text that spells
// a plain decimal number counts as that number, and anything else is a type
// mismatch that stops the calculation.  Texts are UTF-8 here; the project
// file converts them to and from Shift_JIS.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace wyndlor {

// Error numbers shared by the engine and the file layer.  They keep the
// numbering of the run-time library of the program's first version, so that
// an engineer quoting a code to support means the same failure as before.
namespace err {
constexpr int32_t InvalidCall = 5;      // invalid procedure call or argument
constexpr int32_t Overflow = 6;
constexpr int32_t OutOfMemory = 7;      // a table that would grow beyond reason
constexpr int32_t Subscript = 9;        // subscript out of range
constexpr int32_t DivisionByZero = 11;
constexpr int32_t TypeMismatch = 13;
constexpr int32_t FileNotFound = 53;
constexpr int32_t DiskFull = 61;
constexpr int32_t PastEndOfFile = 62;
constexpr int32_t PermissionDenied = 70;
constexpr int32_t PathAccess = 75;
constexpr int32_t FileTooLarge = 998;   // a file beyond the size its reader accepts
constexpr int32_t DriverStep = 999;     // an engine step reported a failure
}  // namespace err

class SlotValue {
public:
    enum class Kind { Empty, Int16, Int32, Double, String };

    SlotValue() = default;
    static SlotValue Int16(int16_t v) { SlotValue s; s.v_ = v; return s; }
    static SlotValue Int32(int32_t v) { SlotValue s; s.v_ = v; return s; }
    static SlotValue Double(double v) { SlotValue s; s.v_ = v; return s; }
    static SlotValue String(std::string v) { SlotValue s; s.v_ = std::move(v); return s; }

    Kind kind() const { return static_cast<Kind>(v_.index()); }
    bool IsEmpty() const { return kind() == Kind::Empty; }

    // Numeric reading: empty gives 0, a number itself, a text that spells a
    // plain decimal number (blanks around it, sign, digits, point, exponent)
    // that number.  Returns 0 on success, err::TypeMismatch for any other
    // text, err::Overflow for a spelled number beyond the double range.
    int32_t ToDouble(double &out) const;

    // As ToDouble, then rounded half to even to a 32-bit integer (the
    // integer conversion of the original runtime); err::Overflow when the
    // value does not fit.
    int32_t ToLong(int32_t &out) const;

    // Text reading: a text itself, empty gives "", a number its shortest
    // decimal form.
    std::string ToText() const;

    // Only for display and tests; integers and doubles of the same value are
    // equal, as the original's comparison of variants was.
    bool operator==(const SlotValue &o) const;
    bool operator!=(const SlotValue &o) const { return !(*this == o); }

    const std::variant<std::monostate, int16_t, int32_t, double, std::string> &raw() const { return v_; }

private:
    std::variant<std::monostate, int16_t, int32_t, double, std::string> v_;
};

// Parses a plain decimal number as the data set and the project file accept
// it: optional blanks, optional sign, digits with at most one point (".5" and
// "5." are fine), optional exponent, optional blanks.  Returns 0,
// err::TypeMismatch or err::Overflow.
int32_t ParsePlainNumber(const std::string &text, double &out);

// Rounds half to even to a 32-bit integer; err::Overflow outside the range
// (and for NaN).  Used wherever a count of minutes or an option index is
// taken from a number.
int32_t RoundToLong(double v, int32_t &out);

// The shortest decimal text that reads back (through ParsePlainNumber) to
// exactly `v`: plain notation ("0.5", "-12.25", "120") for magnitudes from
// 1e-5 to below 1e15, exponent form ("1.5E+20", "2E-07") beyond, so that a
// value is never written with dozens of zeros.  NaN and infinities have no
// plain form; they come out as "NaN", "Inf" and "-Inf", which the reader
// refuses.
std::string FormatPlainNumber(double v);

}  // namespace wyndlor
