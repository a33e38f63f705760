#include "core/PictureNumber.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace wyndlor {

namespace {

// Decimal digits of a >= 0 at `places` decimals, rounded half away from zero
// on its 15-significant-digit form.  False when the value is too large for
// any field (beyond 10^30) or not finite.
bool RoundedDigits(double a, int places, std::string &intPart, std::string &fracPart) {
    if (!std::isfinite(a) || a >= 1e30) return false;
    std::string digits;
    int pointPos = 1;  // integer digits in `digits`
    if (a > 0) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.14e", a);  // d.dddddddddddddde+XX
        const std::string s(buf);
        const size_t e = s.find('e');
        digits = s.substr(0, 1) + s.substr(2, e - 2);
        pointPos = std::atoi(s.c_str() + e + 1) + 1;
    } else {
        digits = "0";
    }
    if (pointPos <= 0) {
        digits = std::string(static_cast<size_t>(1 - pointPos), '0') + digits;
        pointPos = 1;
    }
    const size_t keep = static_cast<size_t>(pointPos + places);
    if (digits.size() < keep + 1) digits.append(keep + 1 - digits.size(), '0');
    const bool up = digits[keep] >= '5';
    digits.resize(keep);
    if (up) {
        int i = static_cast<int>(keep) - 1;
        while (i >= 0 && digits[static_cast<size_t>(i)] == '9') digits[static_cast<size_t>(i--)] = '0';
        if (i >= 0) {
            ++digits[static_cast<size_t>(i)];
        } else {
            digits.insert(0, "1");
            ++pointPos;
        }
    }
    intPart = digits.substr(0, static_cast<size_t>(pointPos));
    fracPart = digits.substr(static_cast<size_t>(pointPos));
    const size_t nz = intPart.find_first_not_of('0');
    intPart = nz == std::string::npos ? std::string() : intPart.substr(nz);
    return true;
}

bool IsDigitPlace(char c) { return c == '0' || c == '#' || c == ','; }

// Lays out the rounded digits (integer part without leading zeros) by one
// section of a picture.
std::string LayOut(const std::string &section, std::string ip, std::string fp) {
    const size_t point = section.find('.');
    const std::string intPic = section.substr(0, point);
    const std::string fracPic = point == std::string::npos ? std::string() : section.substr(point + 1);

    int places = 0, minPlaces = 0;
    for (char c : fracPic) {
        if (c == '0' || c == '#') ++places;
        if (c == '0') minPlaces = places;
    }
    fp.resize(static_cast<size_t>(places), '0');
    while (static_cast<int>(fp.size()) > minPlaces && fp.back() == '0') fp.pop_back();

    int minInt = 0;
    for (char c : intPic) minInt += c == '0';
    if (static_cast<int>(ip.size()) < minInt) ip.insert(0, static_cast<size_t>(minInt) - ip.size(), '0');
    if (intPic.find(',') != std::string::npos) {
        for (int i = static_cast<int>(ip.size()) - 3; i > 0; i -= 3) ip.insert(static_cast<size_t>(i), ",");
    }

    size_t first = 0;
    while (first < intPic.size() && !IsDigitPlace(intPic[first])) ++first;
    size_t last = intPic.size();
    while (last > first && !IsDigitPlace(intPic[last - 1])) --last;
    std::string out = intPic.substr(0, first) + ip + intPic.substr(last);
    if (point != std::string::npos) out += "." + fp;
    return out;
}

int Places(const std::string &section) {
    const size_t point = section.find('.');
    int places = 0;
    if (point != std::string::npos)
        for (char c : section.substr(point + 1)) places += (c == '0' || c == '#') ? 1 : 0;
    return places;
}

}  // namespace

std::string FormatPicture(double value, const std::string &picture) {
    const size_t semi = picture.find(';');
    const std::string positive = picture.substr(0, semi);
    const std::string negative = semi == std::string::npos ? std::string() : picture.substr(semi + 1);

    std::string ip, fp;
    if (!RoundedDigits(std::fabs(value), Places(positive), ip, fp)) return "*";
    const bool zero = ip.empty() && fp.find_first_not_of('0') == std::string::npos;
    if (value < 0 && !zero) {
        if (!negative.empty()) return LayOut(negative, ip, fp);
        return "-" + LayOut(positive, ip, fp);
    }
    return LayOut(positive, ip, fp);
}

}  // namespace wyndlor
