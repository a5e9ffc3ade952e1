// Text measuring behind an interface. Every canvas measures through one (the real one
// over the pinned fonts by default); layout code and its tests can put in the fake one,
// whose fixed advances give exact, hand-computable answers on any machine.
#pragma once

#include "platform/graphics/Graphics.h"

#include <string_view>
#include <vector>

class TTextMeasurer {
public:
    virtual ~TTextMeasurer() = default;
    // Cumulative extents in pixels of the font's Height: result[i] is the width of the
    // first i + 1 characters (code points), rounded from the exact sum.
    virtual std::vector<int> Extents(const TFont& font, std::string_view text) const = 0;
    virtual TTextMetric Metrics(const TFont& font) const = 0;
    // The width of the whole text (the last extent, 0 for empty text).
    int Width(const TFont& font, std::string_view text) const;
    // Whether text drawn by the painting back end has exactly these advances; when not,
    // canvases place every character at the measured positions.
    virtual bool IsNative() const { return false; }
};

// The real measurer: the font resolved through fontconfig (the repository's
// fonts.conf), kerning and ligatures off, no hinting, so the advances are the same on
// every device and at every resolution.
const TTextMeasurer& QtTextMeasurer();

// Fixed advances per character class, in thousandths of the em (the font's pixel
// height: -Height for a negative Height). Bold adds BoldExtra per cent to every
// advance. Metrics: Height = round(em * HeightPerMille / 1000), Ascent likewise,
// Descent the rest, InternalLeading Height - em.
class TFakeTextMeasurer : public TTextMeasurer {
public:
    int Narrow = 600;        // every other character (ASCII letters, digits, punctuation)
    int Blank = 300;         // " " and the non-breaking blank
    int Wide = 1000;         // CJK ideographs, kana, hangul and full-width forms
    int BoldExtra = 10;      // per cent
    int HeightPerMille = 1200;
    int AscentPerMille = 950;

    std::vector<int> Extents(const TFont& font, std::string_view text) const override;
    TTextMetric Metrics(const TFont& font) const override;
    // The em in pixels of a font.
    static int Em(const TFont& font);
    // The exact (unrounded) advance of one character in pixels.
    double Advance(const TFont& font, char32_t c) const;
};
