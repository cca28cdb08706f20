#pragma once
// A number as the decimal digits it shows (15 significant digits, as its text does), so that
// Round and the Format functions round what the person sees: 2.675 is "2.675", not the binary
// 2.67499999..., and rounds to 2.68.

#include <QString>
#include <string>

namespace zv::vbs {

struct DecimalDigits {
    bool negative = false;
    std::string digits; // significant digits, no leading or trailing zeros ("" for zero)
    int point = 0;      // the decimal point after this many digits (may be <= 0 or beyond)

    static DecimalDigits of(double value);

    bool isZero() const { return digits.empty(); }
    // Rounds to `decimals` digits after the point (decimals >= 0): half to even (Round) or
    // half away from zero (the Format functions).
    void round(int decimals, bool halfEven);
    // Multiplies by 10^n (exact).
    void shift(int n) {
        if (!digits.empty()) point += n;
    }
    double toDouble() const;
    // The digits before the point ("0" for none) and exactly `decimals` digits after it.
    std::string integerPart() const;
    std::string fractionPart(int decimals) const;
};

} // namespace zv::vbs
