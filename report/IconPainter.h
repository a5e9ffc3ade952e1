// Drawing of the report library's small pictures (tool-button and object images): a few
// pixel-exact primitives on a cell of a bitmap, in cell coordinates with inclusive ends,
// plus letter glyphs written as rows of '#'. Only the two image strips use it.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "platform/graphics/Graphics.h"

namespace frx_icons {

constexpr TColor Rgb(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }

// The palette of the pictures. Fuchsia is the strips' transparent colour and is used
// by no picture.
constexpr TColor kClear = Rgb(255, 0, 255);
constexpr TColor kInk = Rgb(40, 40, 40);
constexpr TColor kShade = Rgb(128, 128, 128);
constexpr TColor kLight = Rgb(200, 200, 200);
constexpr TColor kFace = Rgb(230, 230, 230);
constexpr TColor kPaper = Rgb(255, 255, 255);
constexpr TColor kBlue = Rgb(45, 100, 205);
constexpr TColor kDeepBlue = Rgb(25, 55, 140);
constexpr TColor kSky = Rgb(200, 225, 250);
constexpr TColor kRed = Rgb(210, 45, 40);
constexpr TColor kGreen = Rgb(35, 150, 60);
constexpr TColor kYellow = Rgb(250, 215, 70);
constexpr TColor kFolder = Rgb(240, 195, 80);
constexpr TColor kFolderEdge = Rgb(165, 115, 25);
constexpr TColor kWood = Rgb(190, 130, 60);
constexpr TColor kPink = Rgb(240, 160, 170);

class TIconPainter {
public:
    TIconPainter(TBitmap& Target, int X0, int Y0, int Size)
        : FCanvas(Target.Canvas()), FX(X0), FY(Y0), FSize(Size) {}

    int Size() const { return FSize; }

    void Dot(int x, int y, TColor c) {
        if (x < 0 || y < 0 || x >= FSize || y >= FSize) return;
        FCanvas->SetPixel(FX + x, FY + y, c);
    }
    // Both ends drawn.
    void Line(int x1, int y1, int x2, int y2, TColor c) {
        const int dx = x2 > x1 ? x2 - x1 : x1 - x2, sx = x1 < x2 ? 1 : -1;
        const int dy = y2 > y1 ? y1 - y2 : y2 - y1, sy = y1 < y2 ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            Dot(x1, y1, c);
            if (x1 == x2 && y1 == y2) return;
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x1 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y1 += sy;
            }
        }
    }
    void HLine(int x1, int x2, int y, TColor c) { Line(x1, y, x2, y, c); }
    void VLine(int x, int y1, int y2, TColor c) { Line(x, y1, x, y2, c); }
    // Every second pixel of a line, starting with the first.
    void Dotted(int x1, int y1, int x2, int y2, TColor c) {
        const int n = std::max(x2 > x1 ? x2 - x1 : x1 - x2, y2 > y1 ? y2 - y1 : y1 - y2);
        for (int i = 0; i <= n; i += 2)
            Dot(x1 + (n ? (x2 - x1) * i / n : 0), y1 + (n ? (y2 - y1) * i / n : 0), c);
    }
    void Fill(int l, int t, int r, int b, TColor c) {
        for (int y = t; y <= b; ++y) HLine(l, r, y, c);
    }
    // Outline in edge, inside in fill (none when fill is kClear).
    void Box(int l, int t, int r, int b, TColor edge, TColor fill = kClear) {
        if (fill != kClear) Fill(l + 1, t + 1, r - 1, b - 1, fill);
        HLine(l, r, t, edge);
        HLine(l, r, b, edge);
        VLine(l, t, b, edge);
        VLine(r, t, b, edge);
    }
    void Oval(int l, int t, int r, int b, TColor edge, TColor fill) {
        FCanvas->Pen()->SetColor(edge);
        FCanvas->Pen()->SetWidth(1);
        FCanvas->Pen()->SetStyle(psSolid);
        FCanvas->Brush()->SetColor(fill);
        FCanvas->Brush()->SetStyle(fill == kClear ? bsClear : bsSolid);
        FCanvas->Ellipse(FX + l, FY + t, FX + r + 1, FY + b + 1);
    }
    void Poly(std::initializer_list<TPoint> points, TColor edge, TColor fill) {
        std::vector<TPoint> p;
        for (TPoint q : points) p.push_back(TPoint{FX + q.X, FY + q.Y});
        FCanvas->Pen()->SetColor(edge);
        FCanvas->Pen()->SetWidth(1);
        FCanvas->Pen()->SetStyle(psSolid);
        FCanvas->Brush()->SetColor(fill);
        FCanvas->Brush()->SetStyle(fill == kClear ? bsClear : bsSolid);
        FCanvas->Polygon(p);
    }
    // Rows of '#' (drawn) and anything else (left alone), the first row at y.
    void Glyph(int x, int y, std::initializer_list<const char*> rows, TColor c) {
        for (const char* row : rows) {
            for (int i = 0; row[i]; ++i)
                if (row[i] == '#') Dot(x + i, y, c);
            ++y;
        }
    }

    // Rows of characters, each drawn in the colour its key gives (others left alone).
    struct TInk {
        char Key;
        TColor Color;
    };
    void Art(int x, int y, std::initializer_list<const char*> rows, std::initializer_list<TInk> inks) {
        for (const char* row : rows) {
            for (int i = 0; row[i]; ++i)
                for (const TInk& ink : inks)
                    if (row[i] == ink.Key) Dot(x + i, y, ink.Color);
            ++y;
        }
    }

    // --- Shared motifs ---------------------------------------------------------------------
    // A sheet with its top-right corner folded.
    void Page(int l, int t, int r, int b, TColor fill = kPaper) {
        const int f = std::max(2, (r - l) / 3);
        Fill(l + 1, t + 1, r - f - 1, b - 1, fill);
        Fill(l + 1, t + f + 1, r - 1, b - 1, fill);
        for (int i = 1; i < f; ++i) HLine(r - f, r - f + i - 1, t + i, fill);
        HLine(l, r - f, t, kInk);
        VLine(l, t, b, kInk);
        HLine(l, r, b, kInk);
        VLine(r, t + f, b, kInk);
        Line(r - f, t, r, t + f, kInk);
        VLine(r - f, t, t + f, kInk);
        HLine(r - f, r, t + f, kInk);
    }
    // Lines of text on a page, from y every second row.
    void TextLines(int l, int r, int y, int count, TColor c = kShade) {
        for (int i = 0; i < count; ++i) HLine(l, r, y + 2 * i, c);
    }
    void Folder(int l, int t, int r, int b) {
        Box(l, t + 2, r, b, kFolderEdge, kFolder);
        Fill(l + 1, t, l + (r - l) / 2 - 1, t + 1, kFolder);
        HLine(l + 1, l + (r - l) / 2 - 1, t, kFolderEdge);
        Dot(l, t + 1, kFolderEdge);
        Dot(l + (r - l) / 2, t + 1, kFolderEdge);
        HLine(l + 1, r - 1, t + 3, kYellow);
    }
    // A lens at (l, t) of the given diameter with its handle to the lower right.
    void Magnifier(int l, int t, int d) {
        Oval(l, t, l + d - 1, t + d - 1, kInk, kSky);
        const int h = l + d - 2, v = t + d - 2;
        const int len = std::max(3, d / 2);
        for (int i = 0; i < len; ++i) {
            Dot(h + i, v + i, kWood);
            Dot(h + i + 1, v + i, kWood);
            Dot(h + i, v + i + 1, kInk);
        }
    }
    void Cross(int l, int t, int r, int b, TColor c) {
        Line(l, t, r, b, c);
        Line(l + 1, t, r, b - 1, c);
        Line(l, t + 1, r - 1, b, c);
        Line(r, t, l, b, c);
        Line(r - 1, t, l, b - 1, c);
        Line(r, t + 1, l + 1, b, c);
    }
    void Plus(int cx, int cy, int arm, TColor c) {
        Fill(cx - arm, cy - 1, cx + arm, cy, c);
        Fill(cx - 1, cy - arm, cx, cy + arm, c);
    }
    void Check(int l, int t, TColor c) {
        for (int i = 0; i < 3; ++i) {
            Line(l, t + 4 + i, l + 3, t + 7 + i, c);
            Line(l + 3, t + 7 + i, l + 9, t + 1 + i, c);
        }
    }
    // A cylinder (a database or a dataset).
    void Cylinder(int l, int t, int r, int b, TColor body, TColor top) {
        const int e = std::max(3, (r - l) / 3);
        Fill(l, t + e / 2, r, b - e / 2, body);
        Oval(l, b - e, r, b, kInk, body);
        Fill(l + 1, t + e / 2 + 1, r - 1, b - e / 2, body);
        VLine(l, t + e / 2, b - e / 2, kInk);
        VLine(r, t + e / 2, b - e / 2, kInk);
        Oval(l, t, r, t + e, kInk, top);
    }
    void Pencil(int x, int y, int len) {
        // From the tip at (x, y) up to the right.
        for (int i = 2; i < len; ++i) {
            Dot(x + i, y - i, kYellow);
            Dot(x + i + 1, y - i, kFolderEdge);
            Dot(x + i, y - i - 1, kFolderEdge);
        }
        Dot(x, y, kInk);
        Dot(x + 1, y - 1, kWood);
        Dot(x + 1, y, kWood);
        Dot(x, y - 1, kWood);
        Dot(x + len, y - len, kPink);
        Dot(x + len - 1, y - len, kPink);
        Dot(x + len, y - len + 1, kPink);
    }
    // A window with a title bar.
    void Window(int l, int t, int r, int b) {
        Box(l, t, r, b, kDeepBlue, kFace);
        Fill(l + 1, t + 1, r - 1, t + std::max(2, (b - t) / 5), kBlue);
    }
    // Solid triangles pointing left or right, centred on row cy.
    void ArrowLeft(int x, int cy, int h, TColor c) {
        for (int i = 0; i < h; ++i) VLine(x + i, cy - i, cy + i, c);
    }
    void ArrowRight(int x, int cy, int h, TColor c) {
        for (int i = 0; i < h; ++i) VLine(x - i, cy - i, cy + i, c);
    }
    void ArrowUp(int cx, int y, int h, TColor c) {
        for (int i = 0; i < h; ++i) HLine(cx - i, cx + i, y + i, c);
    }
    void ArrowDown(int cx, int y, int h, TColor c) {
        for (int i = 0; i < h; ++i) HLine(cx - i, cx + i, y - i, c);
    }

private:
    TCanvas* FCanvas;
    int FX, FY, FSize;
};

}  // namespace frx_icons
