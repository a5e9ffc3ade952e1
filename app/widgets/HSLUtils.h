// Colour arithmetic in the hue-saturation-lightness model, used by the flat button to
// derive its focused, down and border colours from its face colour.
#pragma once

#include "platform/graphics/Colors.h"

constexpr int HSLRange = 240;

// RGB (system colours resolved) to H, S, L each in 0..1, and back.
void RGBtoHSL(TColor rgb, double& h, double& s, double& l);
TColor HSLtoRGB(double h, double s, double l);
// The same on the integer scale: H 0..HSLRange-1, S and L 0..HSLRange.
void RGBtoHSLRange(TColor rgb, int& h, int& s, int& l);
TColor HSLRangeToRGB(int h, int s, int l);
