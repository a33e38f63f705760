#include "calc/SlotValue.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace wyndlor {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

// The grammar is checked by hand first: std::from_chars alone would accept
// "inf", "nan" and hexadecimal forms, and would stop silently at the first
// character it does not know ("12abc" would read as 12).  Only a text that is
// a number from end to end counts as one.
int32_t ParsePlainNumber(const std::string &text, double &out) {
    size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;

    size_t i = b;
    bool negative = false;
    if (i < e && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const size_t mantissaBegin = i;
    size_t intDigits = 0, fracDigits = 0;
    while (i < e && IsDigit(text[i])) ++i, ++intDigits;
    if (i < e && text[i] == '.') {
        ++i;
        while (i < e && IsDigit(text[i])) ++i, ++fracDigits;
    }
    if (intDigits + fracDigits == 0) return err::TypeMismatch;
    const size_t mantissaEnd = i;
    if (i < e && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < e && (text[i] == '+' || text[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < e && IsDigit(text[i])) ++i, ++expDigits;
        if (expDigits == 0) return err::TypeMismatch;
    }
    if (i != e) return err::TypeMismatch;

    // from_chars takes no leading '+'; the sign is applied afterwards.
    double v = 0;
    const char *first = text.data() + mantissaBegin;
    const char *last = text.data() + e;
    auto r = std::from_chars(first, last, v, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        // Out of range either way: too large is an overflow, too small is
        // zero (as every numeric reader has it).  Which one is decided by the
        // decimal position of the first significant digit.
        long long firstDigitPos = 0;  // power of ten of the first non-zero digit
        bool found = false;
        long long pos = static_cast<long long>(intDigits) - 1;
        for (size_t k = mantissaBegin; k < mantissaEnd; ++k) {
            if (text[k] == '.') continue;
            if (text[k] != '0') { firstDigitPos = pos; found = true; break; }
            --pos;
        }
        if (!found) { out = negative ? -0.0 : 0.0; return 0; }
        long long exponent = 0;
        size_t k = mantissaEnd + 1;
        bool expNegative = false;
        if (k < e && (text[k] == '+' || text[k] == '-')) expNegative = text[k++] == '-';
        for (; k < e; ++k) {
            if (exponent < 1000000000LL) exponent = exponent * 10 + (text[k] - '0');
        }
        if (expNegative) exponent = -exponent;
        if (firstDigitPos + exponent > 0) return err::Overflow;
        out = negative ? -0.0 : 0.0;
        return 0;
    }
    if (r.ec != std::errc() || r.ptr != last) return err::TypeMismatch;
    if (!std::isfinite(v)) return err::Overflow;
    out = negative ? -v : v;
    return 0;
}

int32_t RoundToLong(double v, int32_t &out) {
    if (std::isnan(v)) return err::Overflow;
    // Half to even, independent of the floating-point rounding mode.
    double r = std::floor(v);
    const double diff = v - r;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
    if (r < static_cast<double>(std::numeric_limits<int32_t>::min()) ||
        r > static_cast<double>(std::numeric_limits<int32_t>::max())) {
        return err::Overflow;
    }
    out = static_cast<int32_t>(r);
    return 0;
}

std::string FormatPlainNumber(double v) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v < 0 ? "-Inf" : "Inf";
    const double a = std::fabs(v);
    const bool plain = a == 0.0 || (a >= 1e-5 && a < 1e15);
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v,
                           plain ? std::chars_format::fixed : std::chars_format::scientific);
    std::string s(buf, r.ptr);
    if (s == "-0") s = "0";
    if (!plain) {
        // "1.5e+20" -> "1.5E+20": the upper-case exponent of the original
        // program's files.
        for (char &c : s) if (c == 'e') c = 'E';
    }
    return s;
}

int32_t SlotValue::ToDouble(double &out) const {
    switch (kind()) {
    case Kind::Empty: out = 0; return 0;
    case Kind::Int16: out = std::get<int16_t>(v_); return 0;
    case Kind::Int32: out = std::get<int32_t>(v_); return 0;
    case Kind::Double: out = std::get<double>(v_); return 0;
    case Kind::String: return ParsePlainNumber(std::get<std::string>(v_), out);
    }
    return err::TypeMismatch;
}

int32_t SlotValue::ToLong(int32_t &out) const {
    switch (kind()) {
    case Kind::Int16: out = std::get<int16_t>(v_); return 0;
    case Kind::Int32: out = std::get<int32_t>(v_); return 0;
    default: break;
    }
    double d = 0;
    if (int32_t e = ToDouble(d)) return e;
    return RoundToLong(d, out);
}

std::string SlotValue::ToText() const {
    switch (kind()) {
    case Kind::Empty: return std::string();
    case Kind::Int16: return std::to_string(std::get<int16_t>(v_));
    case Kind::Int32: return std::to_string(std::get<int32_t>(v_));
    case Kind::Double: return FormatPlainNumber(std::get<double>(v_));
    case Kind::String: return std::get<std::string>(v_);
    }
    return std::string();
}

bool SlotValue::operator==(const SlotValue &o) const {
    const Kind a = kind(), b = o.kind();
    const bool aNum = a == Kind::Int16 || a == Kind::Int32 || a == Kind::Double;
    const bool bNum = b == Kind::Int16 || b == Kind::Int32 || b == Kind::Double;
    if (aNum && bNum) {
        double x = 0, y = 0;
        ToDouble(x);
        o.ToDouble(y);
        return x == y;
    }
    return v_ == o.v_;
}

}  // namespace wyndlor
