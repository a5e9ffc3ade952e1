// Right-aligned amounts in framed cells, drawn with the real fonts and checked by pixels at
// 100 % and 150 %: the digits keep every column of their ink and a blank column stays
// between them and the frame line.
#include <gtest/gtest.h>

#include <string>

#include "platform/graphics/Graphics.h"
#include "report/MemoView.h"

namespace {

constexpr TColor kPaper = clWhite;

bool Ink(TColor c) { return c != kPaper && c != clNone; }

// Ink columns of the bitmap between x0 and x1 (exclusive) over the rows y0..y1 (exclusive).
struct TInk {
    int Left = -1, Right = -1;   // the outermost columns with ink; -1: none
};
TInk InkBetween(const TBitmap& b, int x0, int x1, int y0, int y1) {
    TInk ink;
    for (int x = x0; x < x1; ++x)
        for (int y = y0; y < y1; ++y)
            if (Ink(b.Pixel(x, y))) {
                if (ink.Left < 0) ink.Left = x;
                ink.Right = x;
                break;
            }
    return ink;
}

// The memo drawn alone on white paper.
TBitmap Drawn(TfrxMemoView& m, double scale) {
    TBitmap b(300, 120);
    b.Canvas()->Brush()->SetColor(kPaper);
    b.Canvas()->FillRect(Rect(0, 0, 300, 120));
    m.Draw(b.Canvas(), scale, scale, 0, 0);
    return b;
}

}  // namespace

TEST(MemoPixels, RightAlignedDigitsKeepTheirInkAndStayOffTheFrame) {
    for (double scale : {1.0, 1.5}) {
        for (int size : {9, 10, 11, 12}) {
            for (const char* text : {"20", "0", "25", "2.50", "1000"}) {
                SCOPED_TRACE(std::to_string(scale) + " " + std::to_string(size) + "pt \"" + text + "\"");
                TfrxMemoView cell(nullptr);
                cell.SetBounds(10, 10, 60, 20);
                cell.Frame()->Typ = {ftLeft, ftRight, ftTop, ftBottom};
                cell.Frame()->Color = clBlack;
                cell.Font()->SetName("宋体");
                cell.Font()->SetSize(size);
                cell.Font()->SetColor(clBlack);
                cell.HAlign = haRight;
                cell.Memo()->SetText(text);
                TBitmap b = Drawn(cell, scale);
                // The frame's right line (its inner edge): the rightmost ink on the middle
                // row, and the ink columns joined to it.
                const int middle = static_cast<int>(20 * scale);
                int frame = 299;
                while (frame > 0 && !Ink(b.Pixel(frame, middle))) --frame;
                while (frame > 0 && Ink(b.Pixel(frame - 1, middle))) --frame;
                ASSERT_GT(frame, 0);
                const int top = static_cast<int>(10 * scale) + 2, bottom = static_cast<int>(30 * scale) - 1;
                const TInk ink = InkBetween(b, static_cast<int>(10 * scale) + 2, frame, top, bottom);
                ASSERT_GE(ink.Right, 0) << "no text";
                EXPECT_LT(ink.Right, frame - 1) << "the digits touch the frame at column " << frame;

                // The same text with room to spare: as many ink columns (none cut off).
                TfrxMemoView free(nullptr);
                free.SetBounds(10, 50, 200, 20);
                free.Font()->Assign(*cell.Font());
                free.Memo()->SetText(text);
                TBitmap wide = Drawn(free, scale);
                const TInk whole = InkBetween(wide, 0, 300, static_cast<int>(50 * scale), static_cast<int>(70 * scale));
                EXPECT_EQ(ink.Right - ink.Left, whole.Right - whole.Left);
            }
        }
    }
}
