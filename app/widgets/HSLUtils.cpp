// HSL conversions; rounding is to the nearest integer with halves to even.
#include "app/widgets/HSLUtils.h"

#include "platform/rtl/Format.h"

#include <algorithm>

void RGBtoHSL(TColor rgb, double& h, double& s, double& l) {
    const TColor c = ColorToRGB(rgb);
    const double r = GetRValue(c) / 255.0, g = GetGValue(c) / 255.0, b = GetBValue(c) / 255.0;
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    l = (mx + mn) / 2;
    if (mx == mn) {
        h = s = 0;
        return;
    }
    const double d = mx - mn;
    s = l < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
    if (r == mx) h = (g - b) / d;
    else if (g == mx) h = 2 + (b - r) / d;
    else h = 4 + (r - g) / d;
    h /= 6;
    if (h < 0) h += 1;
}

namespace {
double Channel(double m1, double m2, double h) {
    if (h < 0) h += 1;
    if (h > 1) h -= 1;
    if (6 * h < 1) return m1 + (m2 - m1) * h * 6;
    if (2 * h < 1) return m2;
    if (3 * h < 2) return m1 + (m2 - m1) * (2.0 / 3 - h) * 6;
    return m1;
}
int ToByte(double v) { return static_cast<int>(std::clamp<int64_t>(Round(255 * v), 0, 255)); }
}  // namespace

TColor HSLtoRGB(double h, double s, double l) {
    if (s == 0) {
        const int v = ToByte(l);
        return RGB(v, v, v);
    }
    const double m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s;
    const double m1 = 2 * l - m2;
    return RGB(ToByte(Channel(m1, m2, h + 1.0 / 3)), ToByte(Channel(m1, m2, h)),
               ToByte(Channel(m1, m2, h - 1.0 / 3)));
}

void RGBtoHSLRange(TColor rgb, int& h, int& s, int& l) {
    double fh, fs, fl;
    RGBtoHSL(rgb, fh, fs, fl);
    h = static_cast<int>(Round(fh * (HSLRange - 1)));
    s = static_cast<int>(Round(fs * HSLRange));
    l = static_cast<int>(Round(fl * HSLRange));
}

TColor HSLRangeToRGB(int h, int s, int l) {
    return HSLtoRGB(static_cast<double>(h) / (HSLRange - 1), static_cast<double>(s) / HSLRange,
                    static_cast<double>(l) / HSLRange);
}
