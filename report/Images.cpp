// The report library's pictures, drawn into the two strips on demand. Each picture is a
// small painter in index order (ORDER BUTTON IMAGES, ORDER OBJECT IMAGES in Images.h);
// the greyed look of a button picture is derived from the picture itself.
#include "report/Images.h"

#include <array>

#include "platform/graphics/Graphics.h"
#include "report/IconPainter.h"

using namespace frx_icons;

namespace {

using TPainter = void (*)(TIconPainter& p);

// --- Letters ---------------------------------------------------------------------------

void LetterA(TIconPainter& p, int x, int y, TColor c) {
    p.Glyph(x, y, {"...#...", "..###..", "..#.#..", ".##.##.", ".#...#.", ".#####.", "##...##", "#.....#"}, c);
}
void LetterT(TIconPainter& p, int x, int y, TColor c) {
    p.Glyph(x, y, {"#######", "#..#..#", "...#...", "...#...", "...#...", "...#...", "..###.."}, c);
}
void Sigma(TIconPainter& p, int x, int y, TColor c) {
    p.Glyph(x, y, {"#######", "#.....#", ".#.....", "..#....", "...#...", "..#....", ".#.....", "#.....#", "#######"}, c);
}
void FofX(TIconPainter& p, int x, int y) {
    p.Glyph(x, y, {"...##", "..#..", ".####", "..#..", "..#..", "..#..", "..#..", "##..."}, kBlue);
    p.Glyph(x + 6, y + 3, {"#...#", ".#.#.", "..#..", ".#.#.", "#...#"}, kRed);
}
void Digit(TIconPainter& p, int x, int y, int d, TColor c) {
    static const char* const kDigits[][5] = {
        {"###", "#.#", "#.#", "#.#", "###"}, {".#.", "##.", ".#.", ".#.", "###"}, {"###", "..#", "###", "#..", "###"},
    };
    const auto& g = kDigits[d];
    p.Glyph(x, y, {g[0], g[1], g[2], g[3], g[4]}, c);
}
void Percent(TIconPainter& p, int x, int y, TColor c) {
    p.Glyph(x, y, {"##...#", "##..#.", "...#..", "..#...", ".#..##", "#...##"}, c);
}

// --- Pieces several pictures share -------------------------------------------------------

// Text lines of a paragraph aligned left (0), centred (1), right (2) or both (3).
void Paragraph(TIconPainter& p, int align) {
    static const int kWidths[] = {12, 8, 12, 6, 10};
    for (int i = 0; i < 5; ++i) {
        const int w = align == 3 ? 12 : kWidths[i];
        const int l = align == 0 || align == 3 ? 2 : align == 1 ? 8 - w / 2 : 14 - w;
        p.HLine(l, l + w - 1, 3 + 2 * i, kInk);
    }
}
// A box with a bar at the top (0), middle (1) or bottom (2).
void VerticalAlign(TIconPainter& p, int align) {
    p.Box(2, 1, 13, 14, kShade, kPaper);
    const int y = align == 0 ? 3 : align == 1 ? 7 : 11;
    p.Fill(4, y, 11, y + 1, kBlue);
}
// The frame buttons: a dotted square with the named sides solid.
void FrameSides(TIconPainter& p, bool top, bool bottom, bool left, bool right) {
    p.Dotted(2, 2, 13, 2, kShade);
    p.Dotted(2, 13, 13, 13, kShade);
    p.Dotted(2, 2, 2, 13, kShade);
    p.Dotted(13, 2, 13, 13, kShade);
    p.Dotted(7, 4, 7, 11, kLight);
    p.Dotted(4, 7, 11, 7, kLight);
    if (top) p.Fill(2, 2, 13, 3, kInk);
    if (bottom) p.Fill(2, 12, 13, 13, kInk);
    if (left) p.Fill(2, 2, 3, 13, kInk);
    if (right) p.Fill(12, 2, 13, 13, kInk);
}
// Alignment of objects: the guide line and two bars.
void AlignBars(TIconPainter& p, int mode) {
    switch (mode) {
    case 0:   // lefts
        p.VLine(1, 1, 14, kInk);
        p.Box(2, 3, 12, 6, kDeepBlue, kSky);
        p.Box(2, 9, 8, 12, kDeepBlue, kSky);
        break;
    case 1:   // horizontal centres
        p.Box(2, 3, 13, 6, kDeepBlue, kSky);
        p.Box(4, 9, 11, 12, kDeepBlue, kSky);
        p.VLine(7, 1, 14, kInk);
        break;
    case 2:   // rights
        p.VLine(14, 1, 14, kInk);
        p.Box(3, 3, 13, 6, kDeepBlue, kSky);
        p.Box(7, 9, 13, 12, kDeepBlue, kSky);
        break;
    case 3:   // tops
        p.HLine(1, 14, 1, kInk);
        p.Box(3, 2, 6, 12, kDeepBlue, kSky);
        p.Box(9, 2, 12, 8, kDeepBlue, kSky);
        break;
    case 4:   // vertical centres
        p.Box(3, 2, 6, 13, kDeepBlue, kSky);
        p.Box(9, 4, 12, 11, kDeepBlue, kSky);
        p.HLine(1, 14, 7, kInk);
        break;
    case 5:   // bottoms
        p.HLine(1, 14, 14, kInk);
        p.Box(3, 3, 6, 13, kDeepBlue, kSky);
        p.Box(9, 7, 12, 13, kDeepBlue, kSky);
        break;
    }
}
void Hook(TIconPainter& p, bool mirrored) {
    auto x = [&](int v) { return mirrored ? 15 - v : v; };
    p.Fill(std::min(x(5), x(11)), 4, std::max(x(5), x(11)), 6, kBlue);
    p.Fill(std::min(x(10), x(12)), 6, std::max(x(10), x(12)), 12, kBlue);
    p.Fill(std::min(x(7), x(11)), 11, std::max(x(7), x(11)), 12, kBlue);
    if (mirrored)
        p.ArrowRight(14, 5, 4, kBlue);
    else
        p.ArrowLeft(1, 5, 4, kBlue);
}
void PageMove(TIconPainter& p, int kind) {
    // First (0), prior (1), next (2), last (3).
    const bool left = kind < 2;
    if (left) {
        p.ArrowLeft(kind == 0 ? 5 : 4, 7, 6, kDeepBlue);
        if (kind == 0) p.Fill(2, 2, 3, 12, kDeepBlue);
    } else {
        p.ArrowRight(kind == 3 ? 10 : 11, 7, 6, kDeepBlue);
        if (kind == 3) p.Fill(12, 2, 13, 12, kDeepBlue);
    }
}
void Tag(TIconPainter& p, int l, int t) {
    // A variable: a rounded tag with an "x".
    p.Box(l, t, l + 9, t + 7, kGreen, kPaper);
    p.Glyph(l + 3, t + 2, {"#...#", ".#.#.", "..#..", ".#.#.", "#...#"}, kGreen);
}
void BandStrip(TIconPainter& p, int t, int b) {
    p.Box(1, t, 14, b, kShade, kFace);
    p.Fill(2, t + 1, 13, t + 2, kBlue);
}

// --- The 16 x 16 button pictures ----------------------------------------------------------

const TPainter kButtonPainters[] = {
    /* New */ [](TIconPainter& p) { p.Page(3, 1, 12, 14); },
    /* Open */
    [](TIconPainter& p) {
        p.Folder(1, 3, 13, 13);
        p.Poly({{3, 8}, {15, 8}, {12, 13}, {1, 13}}, kFolderEdge, kYellow);
    },
    /* Save */
    [](TIconPainter& p) {
        p.Box(1, 1, 14, 14, kDeepBlue, kBlue);
        p.Fill(4, 2, 11, 6, kPaper);
        p.Box(4, 9, 11, 14, kDeepBlue, kLight);
        p.Fill(8, 10, 9, 13, kDeepBlue);
    },
    /* Print */
    [](TIconPainter& p) {
        p.Box(4, 1, 11, 5, kInk, kPaper);
        p.Box(1, 5, 14, 11, kInk, kLight);
        p.Box(4, 9, 11, 14, kInk, kPaper);
        p.HLine(5, 10, 11, kShade);
        p.Dot(12, 7, kGreen);
    },
    /* Preview */
    [](TIconPainter& p) {
        p.Page(1, 1, 10, 14);
        p.TextLines(3, 6, 5, 3);
        p.Magnifier(6, 6, 7);
    },
    /* Cut */
    [](TIconPainter& p) {
        p.Line(5, 9, 10, 1, kShade);
        p.Line(10, 9, 5, 1, kShade);
        p.Oval(1, 9, 6, 14, kRed, kClear);
        p.Oval(9, 9, 14, 14, kRed, kClear);
    },
    /* Copy */
    [](TIconPainter& p) {
        p.Page(1, 1, 9, 11);
        p.TextLines(3, 6, 5, 3);
        p.Page(6, 4, 14, 14);
        p.TextLines(8, 12, 8, 3);
    },
    /* Paste */
    [](TIconPainter& p) {
        p.Box(1, 2, 11, 14, kFolderEdge, kWood);
        p.Box(4, 1, 8, 3, kInk, kLight);
        p.Page(6, 6, 14, 15);
        p.TextLines(8, 12, 10, 2);
    },
    /* Undo */ [](TIconPainter& p) { Hook(p, false); },
    /* Redo */ [](TIconPainter& p) { Hook(p, true); },
    /* Find */ [](TIconPainter& p) { p.Magnifier(1, 1, 10); },
    /* Bold */
    [](TIconPainter& p) {
        p.Glyph(4, 3, {"######.", "##...##", "##...##", "######.", "##...##", "##...##", "##...##", "######."}, kInk);
    },
    /* Italic */
    [](TIconPainter& p) {
        p.Glyph(4, 3, {"..#####", "....##.", "....##.", "...##..", "...##..", "..##...", "..##...", "#####.."}, kInk);
    },
    /* Underline */
    [](TIconPainter& p) {
        p.Glyph(4, 2, {"##...##", "##...##", "##...##", "##...##", "##...##", "##...##", ".#####."}, kInk);
        p.HLine(3, 12, 12, kInk);
    },
    /* Font */
    [](TIconPainter& p) {
        LetterA(p, 1, 4, kInk);
        p.Glyph(9, 7, {".##.", "...#", ".###", "#..#", ".###"}, kDeepBlue);
    },
    /* FontColor */
    [](TIconPainter& p) {
        LetterA(p, 4, 1, kInk);
        p.Fill(1, 11, 14, 14, kRed);
    },
    /* Highlight */
    [](TIconPainter& p) {
        p.Poly({{9, 1}, {13, 5}, {7, 11}, {3, 7}}, kInk, kYellow);
        p.Line(3, 8, 1, 10, kInk);
        p.Fill(1, 12, 14, 14, kYellow);
    },
    /* Rotate */
    [](TIconPainter& p) {
        p.Glyph(2, 2, {"#.....#", "##...##", ".#####.", ".#...#.", "..#.#..", "..###..", "...#..."}, kInk);
        p.VLine(12, 3, 12, kBlue);
        p.ArrowUp(12, 1, 3, kBlue);
        p.HLine(2, 12, 13, kBlue);
    },
    /* AlignLeft */ [](TIconPainter& p) { Paragraph(p, 0); },
    /* AlignCenter */ [](TIconPainter& p) { Paragraph(p, 1); },
    /* AlignRight */ [](TIconPainter& p) { Paragraph(p, 2); },
    /* AlignBlock */ [](TIconPainter& p) { Paragraph(p, 3); },
    /* AlignTop */ [](TIconPainter& p) { VerticalAlign(p, 0); },
    /* AlignMiddle */ [](TIconPainter& p) { VerticalAlign(p, 1); },
    /* AlignBottom */ [](TIconPainter& p) { VerticalAlign(p, 2); },
    /* WordWrap */
    [](TIconPainter& p) {
        p.HLine(1, 13, 3, kInk);
        p.HLine(1, 11, 7, kInk);
        p.VLine(12, 7, 11, kBlue);
        p.HLine(7, 12, 11, kBlue);
        p.ArrowLeft(4, 11, 3, kBlue);
        p.HLine(1, 3, 14, kInk);
    },
    /* FillColor */
    [](TIconPainter& p) {
        p.Poly({{6, 1}, {12, 7}, {7, 12}, {1, 6}}, kInk, kPaper);
        p.VLine(13, 6, 9, kBlue);
        p.Fill(1, 13, 14, 15, kBlue);
    },
    /* BringToFront */
    [](TIconPainter& p) {
        p.Box(1, 1, 9, 9, kShade, kLight);
        p.Box(6, 6, 14, 14, kDeepBlue, kBlue);
    },
    /* SendToBack */
    [](TIconPainter& p) {
        p.Box(1, 1, 9, 9, kDeepBlue, kBlue);
        p.Box(6, 6, 14, 14, kShade, kLight);
    },
    /* SelectTool */
    [](TIconPainter& p) {
        p.Art(4, 1,
              {"#.........", "##........", "#o#.......", "#oo#......", "#ooo#.....", "#oooo#....", "#ooooo#...",
               "#oooooo#..", "#oooo####.", "#o#oo#....", "##.#oo#...", "#..#oo#...", "....#oo#..", "....###..."},
              {{'#', kInk}, {'o', kPaper}});
    },
    /* HandTool */
    [](TIconPainter& p) {
        p.Art(1, 1,
              {".....##.......", "....#oo##.....", "....#oo#o##...", "....#oo#oo#o#.", "..#.#oo#oo#oo#",
               ".#o##oo#oo#oo#", ".#oo#oooooooo#", "..#ooooooooo#.", "...#oooooooo#.", "...#ooooooo#..",
               "....#oooooo#..", ".....#ooooo#..", ".....######..."},
              {{'#', kInk}, {'o', kPaper}});
    },
    /* ZoomTool */
    [](TIconPainter& p) {
        p.Magnifier(1, 1, 10);
        p.HLine(4, 7, 5, kInk);
        p.VLine(5, 3, 7, kInk);
        p.VLine(6, 3, 7, kInk);
    },
    /* FrameTop */ [](TIconPainter& p) { FrameSides(p, true, false, false, false); },
    /* FrameBottom */ [](TIconPainter& p) { FrameSides(p, false, true, false, false); },
    /* FrameLeft */ [](TIconPainter& p) { FrameSides(p, false, false, true, false); },
    /* FrameRight */ [](TIconPainter& p) { FrameSides(p, false, false, false, true); },
    /* FrameAll */ [](TIconPainter& p) { FrameSides(p, true, true, true, true); },
    /* FrameNone */ [](TIconPainter& p) { FrameSides(p, false, false, false, false); },
    /* TextTool */
    [](TIconPainter& p) {
        p.Dotted(1, 1, 14, 1, kShade);
        p.Dotted(1, 14, 14, 14, kShade);
        p.Dotted(1, 1, 1, 14, kShade);
        p.Dotted(14, 1, 14, 14, kShade);
        LetterA(p, 4, 4, kInk);
    },
    /* Color */
    [](TIconPainter& p) {
        p.Box(1, 1, 7, 7, kInk, kRed);
        p.Box(8, 1, 14, 7, kInk, kYellow);
        p.Box(1, 8, 7, 14, kInk, kGreen);
        p.Box(8, 8, 14, 14, kInk, kBlue);
    },
    /* FrameStyle */
    [](TIconPainter& p) {
        p.Fill(1, 3, 14, 4, kInk);
        for (int x = 1; x <= 14; x += 4) p.Fill(x, 7, std::min(x + 2, 14), 8, kInk);
        for (int x = 1; x <= 14; x += 3) p.Fill(x, 11, x, 12, kInk);
    },
    /* FrameWidth */
    [](TIconPainter& p) {
        p.HLine(1, 14, 2, kInk);
        p.Fill(1, 5, 14, 6, kInk);
        p.Fill(1, 9, 14, 13, kInk);
    },
    /* FormatTool */
    [](TIconPainter& p) {
        p.Box(1, 1, 13, 5, kInk, kYellow);
        p.VLine(14, 3, 8, kInk);
        p.HLine(7, 14, 8, kInk);
        p.Fill(6, 9, 8, 14, kWood);
    },
    /* InsertBand */
    [](TIconPainter& p) {
        BandStrip(p, 4, 11);
        p.TextLines(3, 11, 6, 2);
    },
    /* NewPage */
    [](TIconPainter& p) {
        p.Page(1, 2, 10, 14);
        p.Plus(12, 4, 3, kGreen);
    },
    /* NewDialog */
    [](TIconPainter& p) {
        p.Window(1, 3, 11, 13);
        p.Plus(12, 4, 3, kGreen);
    },
    /* DeletePage */
    [](TIconPainter& p) {
        p.Page(1, 1, 10, 14);
        p.Cross(8, 8, 14, 14, kRed);
    },
    /* PageSettings */
    [](TIconPainter& p) {
        p.Page(2, 1, 13, 14);
        p.Dotted(4, 4, 4, 12, kBlue);
        p.Dotted(4, 12, 11, 12, kBlue);
        p.Dotted(11, 6, 11, 12, kBlue);
    },
    /* WholePage */
    [](TIconPainter& p) {
        p.Box(1, 1, 14, 14, kShade, kLight);
        p.Page(4, 2, 11, 13);
    },
    /* PageWidth */
    [](TIconPainter& p) {
        p.Page(2, 1, 13, 14);
        p.HLine(3, 12, 7, kBlue);
        p.ArrowLeft(3, 7, 3, kBlue);
        p.ArrowRight(12, 7, 3, kBlue);
    },
    /* Zoom100 */
    [](TIconPainter& p) {
        // "1:1"
        p.Box(0, 1, 15, 14, kShade, kPaper);
        Digit(p, 3, 5, 1, kInk);
        p.Dot(7, 6, kInk);
        p.Dot(7, 8, kInk);
        Digit(p, 9, 5, 1, kInk);
    },
    /* TwoPages */
    [](TIconPainter& p) {
        p.Page(0, 2, 7, 13);
        p.Page(8, 2, 15, 13);
    },
    /* Outline */
    [](TIconPainter& p) {
        p.Box(1, 1, 5, 4, kInk, kYellow);
        p.VLine(3, 5, 12, kShade);
        p.HLine(4, 7, 8, kShade);
        p.HLine(4, 7, 12, kShade);
        p.Box(8, 7, 13, 9, kInk, kPaper);
        p.Box(8, 11, 13, 13, kInk, kPaper);
    },
    /* DataSet */ [](TIconPainter& p) { p.Cylinder(2, 1, 13, 14, kBlue, kSky); },
    /* Field */
    [](TIconPainter& p) {
        p.Box(1, 3, 14, 12, kInk, kPaper);
        p.VLine(6, 4, 11, kLight);
        p.Fill(2, 4, 5, 11, kFace);
        p.Fill(8, 6, 12, 9, kBlue);
    },
    /* Cancel */ [](TIconPainter& p) { p.Cross(3, 3, 12, 12, kRed); },
    /* Ok */ [](TIconPainter& p) { p.Check(3, 2, kGreen); },
    /* FirstPage */ [](TIconPainter& p) { PageMove(p, 0); },
    /* PriorPage */ [](TIconPainter& p) { PageMove(p, 1); },
    /* NextPage */ [](TIconPainter& p) { PageMove(p, 2); },
    /* Shadow */
    [](TIconPainter& p) {
        p.Fill(4, 4, 14, 14, kInk);
        p.Box(1, 1, 11, 11, kInk, kPaper);
    },
    /* LastPage */ [](TIconPainter& p) { PageMove(p, 3); },
    /* Position */
    [](TIconPainter& p) {
        p.VLine(2, 2, 14, kInk);
        p.HLine(2, 14, 2, kInk);
        p.Box(5, 5, 11, 11, kDeepBlue, kSky);
        p.Dot(5, 5, kRed);
        p.Dot(4, 4, kRed);
        p.Dot(3, 3, kRed);
    },
    /* Size */
    [](TIconPainter& p) {
        p.Box(1, 1, 14, 14, kShade, kPaper);
        p.Line(4, 4, 11, 11, kDeepBlue);
        p.Glyph(3, 3, {"####", "#...", "#...", "#..."}, kDeepBlue);
        p.Glyph(9, 9, {"...#", "...#", "...#", "####"}, kDeepBlue);
    },
    /* Export */
    [](TIconPainter& p) {
        p.Page(1, 1, 10, 14);
        p.TextLines(3, 7, 5, 3);
        p.Fill(8, 8, 12, 9, kGreen);
        p.ArrowRight(15, 8, 4, kGreen);
    },
    /* NewCategory */
    [](TIconPainter& p) {
        p.Folder(1, 4, 12, 14);
        p.Plus(12, 4, 3, kGreen);
    },
    /* Category */ [](TIconPainter& p) { p.Folder(1, 2, 14, 13); },
    /* NewVariable */
    [](TIconPainter& p) {
        Tag(p, 1, 6);
        p.Plus(12, 4, 3, kGreen);
    },
    /* Edit */ [](TIconPainter& p) { p.Pencil(2, 13, 11); },
    /* List */
    [](TIconPainter& p) {
        for (int i = 0; i < 4; ++i) {
            p.Fill(1, 2 + 3 * i, 2, 3 + 3 * i, kBlue);
            p.HLine(5, 14, 2 + 3 * i, kInk);
        }
    },
    /* Expression */ [](TIconPainter& p) { FofX(p, 2, 3); },
    /* AlignLefts */ [](TIconPainter& p) { AlignBars(p, 0); },
    /* AlignHCenters */ [](TIconPainter& p) { AlignBars(p, 1); },
    /* AlignRights */ [](TIconPainter& p) { AlignBars(p, 2); },
    /* AlignTops */ [](TIconPainter& p) { AlignBars(p, 3); },
    /* OtherObject */
    [](TIconPainter& p) {
        p.Poly({{8, 1}, {14, 4}, {8, 7}, {2, 4}}, kInk, kSky);
        p.Poly({{2, 4}, {8, 7}, {8, 14}, {2, 11}}, kInk, kBlue);
        p.Poly({{8, 7}, {14, 4}, {14, 11}, {8, 14}}, kInk, kDeepBlue);
    },
    /* Report */
    [](TIconPainter& p) {
        p.Page(2, 1, 13, 14);
        p.Fill(3, 5, 12, 6, kBlue);
        p.TextLines(4, 11, 8, 3);
    },
    /* ReportPage */
    [](TIconPainter& p) {
        p.Page(2, 1, 13, 14);
        p.TextLines(4, 11, 5, 4);
    },
    /* DialogPage */ [](TIconPainter& p) {
        p.Window(1, 2, 14, 13);
        p.Box(8, 9, 12, 11, kShade, kPaper);
    },
    /* Band */
    [](TIconPainter& p) {
        BandStrip(p, 3, 12);
        p.Box(3, 6, 8, 9, kShade, kPaper);
    },
    /* Variable */ [](TIconPainter& p) { Tag(p, 3, 4); },
    /* Delete */ [](TIconPainter& p) { p.Cross(2, 2, 13, 13, kRed); },
    /* Clear */
    [](TIconPainter& p) {
        p.Poly({{6, 3}, {14, 3}, {10, 12}, {2, 12}}, kInk, kPink);
        p.Poly({{4, 8}, {12, 8}, {10, 12}, {2, 12}}, kInk, kPaper);
        p.HLine(1, 14, 14, kShade);
    },
    /* AlignVCenters */ [](TIconPainter& p) { AlignBars(p, 4); },
    /* AlignBottoms */ [](TIconPainter& p) { AlignBars(p, 5); },
    /* Aggregate */ [](TIconPainter& p) { Sigma(p, 4, 3, kInk); },
    /* LocalFormat */
    [](TIconPainter& p) {
        Percent(p, 1, 1, kInk);
        Digit(p, 7, 9, 1, kBlue);
        p.Dot(11, 13, kBlue);
        Digit(p, 12, 9, 2, kBlue);
    },
    /* SpaceHorz */
    [](TIconPainter& p) {
        for (int x : {1, 6, 11}) p.Box(x, 3, x + 3, 12, kDeepBlue, kSky);
    },
    /* Remove */ [](TIconPainter& p) { p.Fill(2, 7, 13, 9, kRed); },
    /* Add */ [](TIconPainter& p) { p.Plus(8, 8, 6, kGreen); },
    /* SpaceVert */
    [](TIconPainter& p) {
        for (int y : {1, 6, 11}) p.Box(3, y, 12, y + 3, kDeepBlue, kSky);
    },
    /* CenterHorz */
    [](TIconPainter& p) {
        p.Box(0, 2, 15, 13, kShade, kClear);
        p.Box(5, 5, 10, 10, kDeepBlue, kSky);
        p.ArrowRight(4, 7, 3, kInk);
        p.ArrowLeft(11, 7, 3, kInk);
    },
    /* CenterVert */
    [](TIconPainter& p) {
        p.Box(2, 0, 13, 15, kShade, kClear);
        p.Box(5, 5, 10, 10, kDeepBlue, kSky);
        p.ArrowDown(7, 4, 3, kInk);
        p.ArrowUp(7, 11, 3, kInk);
    },
    /* SameWidth */
    [](TIconPainter& p) {
        p.Box(2, 1, 13, 5, kDeepBlue, kSky);
        p.Box(2, 10, 13, 14, kDeepBlue, kSky);
        p.HLine(3, 12, 7, kInk);
        p.ArrowLeft(2, 7, 2, kInk);
        p.ArrowRight(13, 7, 2, kInk);
    },
    /* SameHeight */
    [](TIconPainter& p) {
        p.Box(1, 2, 5, 13, kDeepBlue, kSky);
        p.Box(10, 2, 14, 13, kDeepBlue, kSky);
        p.VLine(7, 3, 12, kInk);
        p.ArrowUp(7, 2, 2, kInk);
        p.ArrowDown(7, 13, 2, kInk);
    },
    /* EditPage */
    [](TIconPainter& p) {
        p.Page(1, 1, 10, 14);
        p.TextLines(3, 7, 5, 3);
        p.Pencil(6, 14, 9);
    },
    /* Code */
    [](TIconPainter& p) {
        p.Page(2, 1, 13, 14);
        p.Glyph(4, 4, {".##...##.", "#.....#..", ".#.....#.", "#.....#..", ".##...##."}, kDeepBlue);
    },
    /* Exit */
    [](TIconPainter& p) {
        p.Box(1, 1, 9, 14, kInk, kWood);
        p.Dot(7, 8, kYellow);
        p.Fill(9, 7, 12, 8, kRed);
        p.ArrowRight(15, 7, 4, kRed);
    },
    /* Options */
    [](TIconPainter& p) {
        for (int i = 0; i < 3; ++i) {
            p.Box(1, 1 + 5 * i, 4, 4 + 5 * i, kInk, kPaper);
            p.HLine(7, 14, 2 + 5 * i, kInk);
        }
        p.Glyph(1, 1, {"...#", "#.#.", ".#.."}, kGreen);
        p.Glyph(1, 11, {"...#", "#.#.", ".#.."}, kGreen);
    },
    /* Help */
    [](TIconPainter& p) {
        p.Oval(1, 1, 14, 14, kDeepBlue, kBlue);
        p.Glyph(5, 3, {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."}, kPaper);
    },
};
static_assert(std::size(kButtonPainters) == frxButton::Count, "ORDER BUTTON IMAGES");

// --- The 22 x 22 object pictures ------------------------------------------------------------

// A control of a dialog: a sunken white field.
void Field(TIconPainter& p, int l, int t, int r, int b) {
    p.Box(l, t, r, b, kShade, kPaper);
    p.HLine(l + 1, r - 1, t + 1, kInk);
    p.VLine(l + 1, t + 1, b - 1, kInk);
}
// A raised button face.
void ButtonFace(TIconPainter& p, int l, int t, int r, int b) {
    p.Fill(l, t, r, b, kFace);
    p.HLine(l, r, t, kPaper);
    p.VLine(l, t, b, kPaper);
    p.HLine(l, r, b, kInk);
    p.VLine(r, t, b, kInk);
    p.HLine(l + 1, r - 1, b - 1, kShade);
    p.VLine(r - 1, t + 1, b - 1, kShade);
}
void DropButton(TIconPainter& p, int l, int t, int b) {
    ButtonFace(p, l, t, l + 5, b);
    p.ArrowDown(l + 2, (t + b) / 2 + 1, 2, kInk);
}
void Grid(TIconPainter& p, int l, int t, int r, int b, TColor head) {
    p.Box(l, t, r, b, kInk, kPaper);
    p.Fill(l + 1, t + 1, r - 1, t + 3, head);
    for (int y = t + 7; y < b; y += 4) p.HLine(l + 1, r - 1, y, kLight);
    p.VLine((l + r) / 2, t + 1, b - 1, kLight);
}

const TPainter kObjectPainters[] = {
    /* Select */
    [](TIconPainter& p) {
        p.Art(6, 2,
              {"#..........", "##.........", "#o#........", "#oo#.......", "#ooo#......", "#oooo#.....", "#ooooo#....",
               "#oooooo#...", "#ooooooo#..", "#oooooooo#.", "#ooooo#####", "#oo#oo#....", "#o#.#oo#...", "##..#oo#...",
               "#....#oo#..", ".....#oo#..", "......##..."},
              {{'#', kInk}, {'o', kPaper}});
    },
    /* Band */
    [](TIconPainter& p) {
        p.Box(1, 5, 20, 16, kShade, kFace);
        p.Fill(2, 6, 19, 8, kBlue);
        p.TextLines(4, 16, 11, 2);
    },
    /* Memo */
    [](TIconPainter& p) {
        p.Box(1, 3, 20, 18, kInk, kPaper);
        LetterA(p, 4, 7, kInk);
        p.Glyph(12, 10, {".##.", "...#", ".###", "#..#", ".###"}, kInk);
    },
    /* Picture */
    [](TIconPainter& p) {
        p.Box(1, 3, 20, 18, kInk, kSky);
        p.Oval(13, 5, 17, 9, kFolderEdge, kYellow);
        p.Poly({{2, 17}, {8, 9}, {13, 15}, {15, 13}, {19, 17}}, kGreen, kGreen);
    },
    /* Subreport */
    [](TIconPainter& p) {
        p.Page(1, 1, 15, 19);
        p.TextLines(3, 10, 5, 2);
        p.Page(8, 9, 20, 21);
        p.Fill(10, 14, 17, 15, kBlue);
        p.TextLines(10, 17, 17, 2);
    },
    /* Line */ [](TIconPainter& p) {
        p.HLine(2, 19, 10, kInk);
        p.HLine(2, 19, 11, kInk);
    },
    /* CatDraw */
    [](TIconPainter& p) {
        p.Box(1, 9, 12, 20, kDeepBlue, kSky);
        p.Oval(8, 1, 20, 13, kRed, kYellow);
    },
    /* DiagLine */ [](TIconPainter& p) {
        p.Line(2, 19, 19, 2, kInk);
        p.Line(3, 19, 19, 3, kInk);
    },
    /* Rect */ [](TIconPainter& p) { p.Box(2, 4, 19, 17, kInk, kSky); },
    /* RoundRect */
    [](TIconPainter& p) {
        p.Box(2, 4, 19, 17, kInk, kSky);
        for (int x : {2, 19})
            for (int y : {4, 17}) p.Dot(x, y, kClear);
        p.Dot(3, 5, kInk);
        p.Dot(18, 5, kInk);
        p.Dot(3, 16, kInk);
        p.Dot(18, 16, kInk);
    },
    /* Ellipse */ [](TIconPainter& p) { p.Oval(1, 4, 20, 17, kInk, kSky); },
    /* Triangle */ [](TIconPainter& p) { p.Poly({{10, 2}, {20, 19}, {1, 19}}, kInk, kSky); },
    /* Hand */
    [](TIconPainter& p) {
        p.Art(3, 2,
              {"......##........", ".....#oo##......", ".....#oo#o##....", ".....#oo#oo#o#..", "...#.#oo#oo#oo#.",
               "..#o##oo#oo#oo#.", "..#oo#oooooooo#.", "...#oooooooooo#.", "....#ooooooooo#.", "....#oooooooo#..",
               ".....#ooooooo#..", "......#oooooo#..", "......#######..."},
              {{'#', kInk}, {'o', kPaper}});
    },
    /* Zoom */
    [](TIconPainter& p) {
        p.Magnifier(2, 2, 13);
        p.HLine(5, 11, 8, kInk);
        p.VLine(8, 5, 11, kInk);
    },
    /* TextTool */
    [](TIconPainter& p) {
        p.Dotted(2, 2, 19, 2, kShade);
        p.Dotted(2, 19, 19, 19, kShade);
        p.Dotted(2, 2, 2, 19, kShade);
        p.Dotted(19, 2, 19, 19, kShade);
        LetterT(p, 7, 7, kInk);
    },
    /* FormatTool */
    [](TIconPainter& p) {
        p.Box(2, 2, 18, 8, kInk, kYellow);
        p.VLine(20, 4, 11, kInk);
        p.HLine(10, 20, 11, kInk);
        p.Fill(9, 12, 11, 20, kWood);
    },
    /* Label */ [](TIconPainter& p) { LetterA(p, 3, 7, kInk); p.Glyph(11, 10, {".##.", "...#", ".###", "#..#", ".###"}, kInk); },
    /* Edit */
    [](TIconPainter& p) {
        Field(p, 1, 6, 20, 15);
        p.HLine(4, 10, 10, kInk);
        p.VLine(12, 8, 13, kInk);
    },
    /* MemoControl */
    [](TIconPainter& p) {
        Field(p, 1, 2, 20, 19);
        p.TextLines(4, 17, 5, 4, kInk);
    },
    /* Button */
    [](TIconPainter& p) {
        ButtonFace(p, 1, 5, 20, 16);
        p.HLine(6, 15, 10, kInk);
        p.HLine(6, 15, 11, kInk);
    },
    /* CheckBox */
    [](TIconPainter& p) {
        Field(p, 2, 6, 11, 15);
        p.Check(3, 6, kInk);
        p.HLine(14, 20, 11, kInk);
    },
    /* CatOther */
    [](TIconPainter& p) {
        p.Poly({{11, 1}, {20, 5}, {11, 9}, {2, 5}}, kInk, kSky);
        p.Poly({{2, 5}, {11, 9}, {11, 20}, {2, 16}}, kInk, kBlue);
        p.Poly({{11, 9}, {20, 5}, {20, 16}, {11, 20}}, kInk, kDeepBlue);
    },
    /* RadioButton */
    [](TIconPainter& p) {
        p.Oval(2, 6, 11, 15, kShade, kPaper);
        p.Fill(5, 9, 8, 12, kInk);
        p.HLine(14, 20, 11, kInk);
    },
    /* ListBox */
    [](TIconPainter& p) {
        Field(p, 1, 2, 20, 19);
        p.Fill(3, 8, 18, 11, kBlue);
        for (int y : {5, 9, 14}) p.HLine(5, 15, y, y == 9 ? kPaper : kInk);
    },
    /* ComboBox */
    [](TIconPainter& p) {
        Field(p, 1, 6, 20, 15);
        p.HLine(4, 11, 10, kInk);
        DropButton(p, 14, 8, 13);
    },
    /* DateEdit */
    [](TIconPainter& p) {
        p.Box(2, 3, 19, 19, kInk, kPaper);
        p.Fill(3, 4, 18, 7, kRed);
        for (int y = 10; y <= 17; y += 3)
            for (int x = 5; x <= 16; x += 4) p.Fill(x, y, x + 1, y + 1, kShade);
    },
    /* Image */
    [](TIconPainter& p) {
        p.Box(2, 3, 19, 18, kShade, kPaper);
        p.Oval(13, 5, 16, 8, kFolderEdge, kYellow);
        p.Poly({{3, 17}, {8, 10}, {12, 15}, {14, 13}, {18, 17}}, kGreen, kGreen);
    },
    /* Panel */
    [](TIconPainter& p) {
        ButtonFace(p, 1, 3, 20, 18);
        p.Box(4, 6, 17, 15, kShade, kFace);
    },
    /* GroupBox */
    [](TIconPainter& p) {
        p.Box(2, 6, 19, 19, kShade);
        p.Fill(5, 4, 12, 8, kClear);
        p.HLine(5, 11, 6, kInk);
        p.HLine(5, 11, 5, kInk);
    },
    /* BitBtn */
    [](TIconPainter& p) {
        ButtonFace(p, 1, 5, 20, 16);
        p.Check(3, 6, kGreen);
        p.HLine(14, 17, 10, kInk);
    },
    /* SpeedButton */
    [](TIconPainter& p) {
        ButtonFace(p, 4, 4, 17, 17);
        p.ArrowRight(13, 10, 4, kDeepBlue);
    },
    /* Diamond */ [](TIconPainter& p) { p.Poly({{10, 1}, {20, 10}, {10, 20}, {1, 10}}, kInk, kSky); },
    /* SysMemo */
    [](TIconPainter& p) {
        p.Box(1, 3, 20, 18, kInk, kPaper);
        p.Glyph(3, 8, {".##...##.", "#.....#..", ".#.....#.", "#.....#..", ".##...##."}, kDeepBlue);
        Sigma(p, 12, 6, kRed);
    },
    /* MaskEdit */
    [](TIconPainter& p) {
        Field(p, 1, 6, 20, 15);
        for (int x = 4; x <= 16; x += 3) p.Fill(x, 10, x + 1, 11, kInk);
    },
    /* CheckListBox */
    [](TIconPainter& p) {
        Field(p, 1, 2, 20, 19);
        for (int y : {5, 11}) {
            p.Box(4, y, 8, y + 4, kInk, kPaper);
            p.HLine(11, 17, y + 2, kInk);
        }
        p.Fill(5, 6, 7, 8, kInk);
    },
    /* LookupCombo */
    [](TIconPainter& p) {
        Field(p, 1, 9, 20, 18);
        DropButton(p, 14, 11, 16);
        p.Cylinder(2, 1, 9, 8, kBlue, kSky);
    },
    /* Bevel */
    [](TIconPainter& p) {
        p.Box(2, 4, 19, 17, kShade);
        p.Box(3, 5, 20, 18, kPaper);
    },
    /* Shape */
    [](TIconPainter& p) {
        p.Oval(1, 2, 12, 13, kInk, kYellow);
        p.Box(9, 9, 20, 20, kInk, kGreen);
    },
    /* CatOtherControls */
    [](TIconPainter& p) {
        ButtonFace(p, 1, 1, 13, 9);
        Field(p, 6, 12, 20, 20);
        p.Check(8, 11, kInk);
    },
    /* DBDataSet */
    [](TIconPainter& p) {
        p.Cylinder(3, 1, 15, 17, kBlue, kSky);
        Grid(p, 10, 11, 21, 21, kDeepBlue);
    },
    /* UserDataSet */
    [](TIconPainter& p) {
        Grid(p, 1, 3, 17, 19, kGreen);
        p.Pencil(12, 20, 9);
    },
    /* Database */
    [](TIconPainter& p) {
        p.Cylinder(4, 1, 17, 20, kBlue, kSky);
        p.HLine(5, 16, 9, kDeepBlue);
        p.HLine(5, 16, 14, kDeepBlue);
    },
    /* Cross */
    [](TIconPainter& p) {
        p.Box(1, 1, 20, 20, kInk, kPaper);
        p.Fill(2, 2, 19, 6, kFace);
        p.Fill(2, 2, 6, 19, kFace);
        p.HLine(2, 19, 6, kShade);
        p.VLine(6, 2, 19, kShade);
        for (int v : {11, 15}) {
            p.HLine(7, 19, v, kLight);
            p.VLine(v, 7, 19, kLight);
        }
        p.Fill(16, 16, 19, 19, kYellow);
    },
    /* Table */ [](TIconPainter& p) { Grid(p, 1, 2, 20, 19, kBlue); },
    /* Query */
    [](TIconPainter& p) {
        Grid(p, 1, 2, 16, 17, kBlue);
        p.Magnifier(10, 10, 8);
    },
    /* DialogPage */
    [](TIconPainter& p) {
        p.Window(1, 2, 20, 19);
        ButtonFace(p, 11, 14, 18, 17);
        Field(p, 4, 8, 17, 11);
    },
    /* ReportPage */
    [](TIconPainter& p) {
        p.Page(3, 1, 18, 20);
        p.TextLines(5, 14, 6, 6);
    },
    /* Report */
    [](TIconPainter& p) {
        p.Page(3, 1, 18, 20);
        p.Fill(4, 6, 17, 8, kBlue);
        p.TextLines(6, 15, 11, 4);
    },
    /* DMPPage */
    [](TIconPainter& p) {
        p.Box(3, 1, 18, 20, kInk, kPaper);
        for (int y = 2; y <= 19; y += 3) {
            p.Dot(4, y, kShade);
            p.Dot(17, y, kShade);
        }
        for (int y = 5; y <= 15; y += 3) p.Dotted(7, y, 14, y, kInk);
    },
    /* DBCross */
    [](TIconPainter& p) {
        p.Box(1, 1, 16, 16, kInk, kPaper);
        p.Fill(2, 2, 15, 5, kFace);
        p.Fill(2, 2, 5, 15, kFace);
        p.HLine(2, 15, 5, kShade);
        p.VLine(5, 2, 15, kShade);
        p.HLine(6, 15, 10, kLight);
        p.VLine(10, 6, 15, kLight);
        p.Cylinder(12, 10, 21, 21, kBlue, kSky);
    },
};
static_assert(std::size(kObjectPainters) == frxObject::Count, "ORDER OBJECT IMAGES");

// The greyed look of a button picture: its grey levels, lightened, so that white stays
// white (the image list turns it to $E0E0E0) and black becomes mid grey.
void Greyed(TBitmap& strip, int sx, int sy, int dx, int dy, int size) {
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const TColor c = strip.Pixel(sx + x, sy + y);
            if (c == kClear) continue;
            const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
            const int level = 128 + (r * 30 + g * 59 + b * 11) / 200;
            strip.SetPixel(dx + x, dy + y, Rgb(level, level, level));
        }
}

// Lays the painters out row by row, PerRow cells a row (Pairs: each picture followed by
// its greyed look).
void BuildStrip(TBitmap& strip, const TPainter* painters, int count, int size, int perRow, bool pairs) {
    const int cells = pairs ? 2 * count : count;
    const int rows = (cells + perRow - 1) / perRow;
    strip.SetPixelFormat(pf24bit);
    strip.SetSize(perRow * size, rows * size);
    TCanvas* c = strip.Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(kClear);
    c->FillRect(TRect{0, 0, strip.Width(), strip.Height()});
    for (int i = 0; i < count; ++i) {
        const int cell = pairs ? 2 * i : i;
        const int x = (cell % perRow) * size, y = (cell / perRow) * size;
        TIconPainter painter(strip, x, y, size);
        painters[i](painter);
        if (pairs) {
            const int g = cell + 1;
            Greyed(strip, x, y, (g % perRow) * size, (g / perRow) * size, size);
        }
    }
    strip.SetTransparentColor(kClear);
}

}  // namespace

bool frxLoadResourceBitmap(std::string_view Name, TBitmap& Bitmap) {
    // Ten pairs a row and ten pictures a row: both strips fill their last row exactly,
    // so cutting them yields the pictures and nothing else.
    static_assert((2 * frxButton::Count) % 20 == 0 && frxObject::Count % 10 == 0);
    if (Name == "frxBUTTONS") {
        BuildStrip(Bitmap, kButtonPainters, frxButton::Count, 16, 20, true);
        return true;
    }
    if (Name == "frxOBJECTS") {
        BuildStrip(Bitmap, kObjectPainters, frxObject::Count, 22, 10, false);
        return true;
    }
    return false;
}
