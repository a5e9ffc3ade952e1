// The fake measurer with fixed advances per character class.
#include "platform/graphics/TextMeasurer.h"

#include "platform/rtl/StrUtils.h"

#include <cmath>

int TTextMeasurer::Width(const TFont& font, std::string_view text) const {
    std::vector<int> extents = Extents(font, text);
    return extents.empty() ? 0 : extents.back();
}

namespace {

bool IsWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

}  // namespace

int TFakeTextMeasurer::Em(const TFont& font) {
    int h = font.Height();
    if (h < 0) return -h;
    if (h == 0) return -TFont::DefaultHeight;
    return h;   // the fake font has no internal leading to take off
}

double TFakeTextMeasurer::Advance(const TFont& font, char32_t c) const {
    int units = (c == U' ' || c == 0xA0) ? Blank : IsWide(c) ? Wide : Narrow;
    double a = units * Em(font) / 1000.0;
    if (font.Style().Contains(fsBold)) a *= 1.0 + BoldExtra / 100.0;
    return a;
}

std::vector<int> TFakeTextMeasurer::Extents(const TFont& font, std::string_view text) const {
    std::vector<int> result;
    double sum = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        sum += Advance(font, NextCodePoint(text, pos));
        result.push_back(static_cast<int>(std::lround(sum)));
    }
    return result;
}

TTextMetric TFakeTextMeasurer::Metrics(const TFont& font) const {
    int em = Em(font);
    TTextMetric m;
    m.Height = static_cast<int>(std::lround(em * HeightPerMille / 1000.0));
    m.Ascent = static_cast<int>(std::lround(em * AscentPerMille / 1000.0));
    m.Descent = m.Height - m.Ascent;
    m.InternalLeading = m.Height - em;
    m.AveCharWidth = static_cast<int>(std::lround(em * Narrow / 1000.0));
    m.MaxCharWidth = static_cast<int>(std::lround(em * Wide / 1000.0));
    return m;
}
