#include "DecimalDigits.h"

#include <charconv>
#include <cmath>

namespace zv::vbs {

DecimalDigits DecimalDigits::of(double value) {
    DecimalDigits d;
    if (value == 0 || !std::isfinite(value)) return d;
    d.negative = value < 0;
    char buf[64];
    // d.dddddddddddddde+XX: 15 significant digits.
    auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    std::string text(buf, res.ptr);
    size_t e = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(),
                    exponent);
    for (size_t i = 0; i < e; ++i)
        if (text[i] != '.') d.digits.push_back(text[i]);
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    d.point = exponent + 1;
    return d;
}

void DecimalDigits::round(int decimals, bool halfEven) {
    if (digits.empty()) return;
    long keep = long(point) + decimals;
    if (keep >= long(digits.size())) return;
    if (keep < 0) { // below half of the last kept place
        digits.clear();
        point = 0;
        return;
    }
    char next = digits[size_t(keep)];
    bool restNonZero = digits.find_first_not_of('0', size_t(keep) + 1) != std::string::npos;
    bool lastOdd = keep > 0 && (digits[size_t(keep) - 1] - '0') % 2 == 1;
    bool up = next > '5' || (next == '5' && (restNonZero || !halfEven || lastOdd));
    digits.resize(size_t(keep));
    if (up) {
        long i = keep - 1;
        while (i >= 0 && digits[size_t(i)] == '9') {
            digits[size_t(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++digits[size_t(i)];
        } else {
            digits.insert(digits.begin(), '1');
            ++point;
        }
    }
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    if (digits.empty()) point = 0;
}

double DecimalDigits::toDouble() const {
    if (digits.empty()) return 0;
    char exp[16];
    auto res = std::to_chars(exp, exp + sizeof exp, point - int(digits.size()));
    std::string text = digits + "e" + std::string(exp, res.ptr);
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return negative ? -v : v;
}

std::string DecimalDigits::integerPart() const {
    if (point <= 0 || digits.empty()) return "0";
    std::string s = digits.substr(0, size_t(std::min<int>(point, int(digits.size()))));
    if (point > int(digits.size())) s.append(size_t(point) - digits.size(), '0');
    return s;
}

std::string DecimalDigits::fractionPart(int decimals) const {
    std::string s;
    for (int i = 0; i < decimals; ++i) {
        int at = point + i; // index into digits
        s.push_back(at >= 0 && at < int(digits.size()) ? digits[size_t(at)] : '0');
    }
    return s;
}

} // namespace zv::vbs
