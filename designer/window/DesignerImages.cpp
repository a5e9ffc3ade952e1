// The designer window's own tool-button pictures.
#include "designer/window/DesignerImages.h"

#include "platform/graphics/Graphics.h"
#include "platform/ui/ImgList.h"
#include "report/IconPainter.h"
#include "report/Resources.h"

using namespace frx_icons;

namespace {

constexpr int kCount = 9;

void Paint(TIconPainter& p, TfrxDesignerImage Image) {
    switch (Image) {
        case TfrxDesignerImage::Group:
            p.Dotted(1, 1, 14, 1, kShade);
            p.Dotted(1, 14, 14, 14, kShade);
            p.Dotted(1, 1, 1, 14, kShade);
            p.Dotted(14, 1, 14, 14, kShade);
            p.Box(3, 3, 8, 7, kDeepBlue, kSky);
            p.Box(7, 8, 12, 12, kDeepBlue, kSky);
            break;
        case TfrxDesignerImage::Ungroup:
            p.Box(1, 1, 7, 6, kDeepBlue, kSky);
            p.Box(8, 9, 14, 14, kDeepBlue, kSky);
            p.Line(9, 2, 13, 6, kRed);
            p.Line(13, 2, 9, 6, kRed);
            break;
        case TfrxDesignerImage::ShowGrid:
            for (int i = 1; i <= 14; i += 3) {
                p.Dotted(i, 1, i, 14, kShade);
                p.Dotted(1, i, 14, i, kShade);
            }
            break;
        case TfrxDesignerImage::AlignToGrid:
            for (int i = 1; i <= 14; i += 4) {
                p.Dotted(i, 1, i, 14, kShade);
                p.Dotted(1, i, 14, i, kShade);
            }
            p.Box(5, 5, 13, 9, kDeepBlue, kSky);
            p.Fill(4, 4, 5, 5, kRed);
            break;
        case TfrxDesignerImage::SetToGrid:
            for (int i = 1; i <= 14; i += 4) {
                p.Dotted(i, 1, i, 14, kShade);
                p.Dotted(1, i, 14, i, kShade);
            }
            p.Box(5, 5, 13, 13, kDeepBlue, kSky);
            p.Line(2, 2, 5, 5, kRed);
            break;
        case TfrxDesignerImage::RunScript:
            p.Poly({{4, 2}, {12, 8}, {4, 14}}, kGreen, kGreen);
            break;
        case TfrxDesignerImage::StepScript:
            p.Poly({{2, 3}, {8, 8}, {2, 13}}, kGreen, kGreen);
            p.Fill(10, 3, 12, 13, kDeepBlue);
            break;
        case TfrxDesignerImage::StopScript:
            p.Box(3, 3, 12, 12, kRed, kRed);
            break;
        case TfrxDesignerImage::Evaluate:
            p.Box(1, 3, 14, 12, kInk, kPaper);
            p.HLine(4, 7, 6, kDeepBlue);
            p.HLine(4, 7, 9, kDeepBlue);
            p.HLine(9, 11, 6, kInk);
            p.HLine(9, 11, 8, kInk);
            break;
    }
}

// Pictures in pairs: each followed by its greyed look, as the shared strip holds them.
int AppendPictures() {
    TBitmap strip;
    strip.SetPixelFormat(pf24bit);
    strip.SetSize(2 * kCount * 16, 16);
    TCanvas* c = strip.Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(kClear);
    c->FillRect(TRect{0, 0, strip.Width(), 16});
    for (int i = 0; i < kCount; ++i) {
        TIconPainter painter(strip, 2 * i * 16, 0, 16);
        Paint(painter, static_cast<TfrxDesignerImage>(i));
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const TColor col = strip.Pixel(2 * i * 16 + x, y);
                if (col == kClear) continue;
                const int r = col & 0xFF, g = (col >> 8) & 0xFF, b = (col >> 16) & 0xFF;
                const int level = 128 + (r * 30 + g * 59 + b * 11) / 200;
                strip.SetPixel((2 * i + 1) * 16 + x, y, Rgb(level, level, level));
            }
    }
    strip.SetTransparentColor(kClear);
    const int first = frxResources().MainButtonImages()->Count();
    frxResources().SetButtonImages(&strip);
    return first;
}

}  // namespace

int frxDesignerImageIndex(TfrxDesignerImage Image) {
    static const int first = AppendPictures();
    return first + static_cast<int>(Image);
}
