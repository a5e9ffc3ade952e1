// The workspace's own pictures, drawn by the program: the small database picture of data
// band captions and the pencil cursor of the line tool.
#include "designer/workspace/Workspace.h"
#include "platform/graphics/Graphics.h"
#include "platform/ui/Forms.h"

void frxLoadBandBitmap(TBitmap& Bitmap) {
    // A 16 x 16 cylinder (a table of records), fuchsia where transparent.
    const TColor clear = TColor(0xFF00FF);
    Bitmap.SetSize(16, 16);
    TCanvas* c = Bitmap.Canvas();
    c->Brush()->SetColor(clear);
    c->FillRect(Rect(0, 0, 16, 16));
    c->Pen()->SetColor(TColor(0x404040));
    c->Brush()->SetColor(TColor(0xE0E0E0));
    c->Rectangle(3, 4, 13, 13);
    c->Ellipse(3, 1, 13, 7);
    c->Brush()->SetStyle(bsClear);
    c->Ellipse(3, 10, 13, 16);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(TColor(0xE0E0E0));
    c->FillRect(Rect(4, 7, 12, 13));
    c->MoveTo(5, 9);
    c->LineTo(11, 9);
    Bitmap.SetTransparentColor(clear);
}

void frxInstallPencilCursor() {
    if (!Screen || Screen->HasCursor(crPencil)) return;
    // A pencil pointing to the bottom left; its tip is the hot spot.
    TBitmap b;
    b.SetSize(32, 32);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(Rect(0, 0, 32, 32));
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(TColor(0x00C0FF));
    c->Polygon({Point(4, 20), Point(16, 8), Point(20, 12), Point(8, 24)});
    c->Brush()->SetColor(TColor(0x80C0E0));
    c->Polygon({Point(4, 20), Point(8, 24), Point(1, 27)});
    c->Brush()->SetColor(clGray);
    c->Polygon({Point(16, 8), Point(19, 5), Point(23, 9), Point(20, 12)});
    b.SetTransparentColor(clWhite);
    Screen->SetCursorImage(crPencil, b, 1, 27);
}
