// Painting of the workspace: background and grid, the page's background, the objects with
// the band frames and captions, corner and event marks, then the overlays (handles, rubber
// band, insertion outline, line marker). A paint copies the cached picture of the page and
// draws the overlays over it, so that feedback following the mouse never redraws the page.
#include <algorithm>
#include <cmath>

#include "designer/workspace/Workspace.h"
#include "designer/workspace/WorkspaceKinds.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "report/Bands.h"
#include "report/DialogControls.h"
#include "report/Frame.h"
#include "report/LineView.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/Views.h"

using DM = TfrxDesignMode;

namespace {

// The largest picture the cache keeps (a whole page at a high zoom would not fit memory):
// 4096 pixels a side and 16 MB.
constexpr int kMaxCacheSide = 4096;
constexpr int64_t kMaxCachePixels = int64_t(1) << 22;

int Px(double V) { return static_cast<int>(Round(V)); }

// The handler names of the object's script events (any non-empty one gets the marker).
bool HasEvents(const TfrxComponent* C) {
    if (auto* r = dynamic_cast<const TfrxReportComponent*>(C)) {
        if (!r->OnAfterData.empty() || !r->OnAfterPrint.empty() || !r->OnBeforePrint.empty() ||
            !r->OnPreviewClick.empty())
            return true;
    }
    if (auto* b = dynamic_cast<const TfrxBand*>(C)) return !b->OnAfterCalcHeight.empty();
    if (auto* d = dynamic_cast<const TfrxDialogControl*>(C)) {
        for (const std::string* e : {&d->OnChange, &d->OnClick, &d->OnDblClick, &d->OnEnter, &d->OnExit, &d->OnKeyDown,
                                     &d->OnKeyPress, &d->OnKeyUp, &d->OnMouseDown, &d->OnMouseMove, &d->OnMouseUp})
            if (!e->empty()) return true;
    }
    return false;
}

}  // namespace

// Only the part asked for is drawn and cached: the window system asks for what it shows,
// while the surface at a high zoom is many times larger than any window.
void TfrxDesignerWorkspace::Paint() {
    TCanvas* c = Canvas();
    TRect clip = c->ClipRect();
    if (clip.IsEmpty()) clip = ClientRect();
    if (clip.Width() > kMaxCacheSide || clip.Height() > kMaxCacheSide) {
        // A drawing of more than the cache keeps (the whole surface drawn at once, as a
        // picture of the window asks for) goes straight to the canvas.
        FCacheValid = false;
        FCache->SetSize(0, 0);
        FCacheRect = TRect{};
        PaintOn(c, clip);
        return;
    }
    TRect want = clip;
    if (FCacheValid) {
        TRect inter;
        IntersectRect(inter, FCacheRect, clip);
        if (inter == clip) want = FCacheRect;
        else FCacheValid = false;
    }
    if (!FCacheValid) {
        // Grow the cached area with the previous one while it stays small, so that
        // scrolling back and forth reuses it.
        TRect grown;
        UnionRect(grown, FCacheRect, clip);
        const bool keepsGrown = !FCacheRect.IsEmpty() && grown.Width() <= kMaxCacheSide &&
                                grown.Height() <= kMaxCacheSide &&
                                int64_t(grown.Width()) * grown.Height() <= kMaxCachePixels;
        want = keepsGrown ? grown : clip;
        FCache->SetSize(want.Width(), want.Height());
        FCacheRect = want;
        FOrg = Point(want.Left, want.Top);
        TCanvas* bc = FCache->Canvas();
        bc->ResetClip();
        DrawPage(bc, Rect(0, 0, want.Width(), want.Height()));
        FOrg = Point(0, 0);
        FCacheValid = true;
    }
    c->Draw(FCacheRect.Left, FCacheRect.Top, FCache.get());
    DrawOverlays(c);
}

void TfrxDesignerWorkspace::PaintOn(TCanvas* C, const TRect& Clip) {
    FOrg = Point(0, 0);
    DrawPage(C, Clip);
    DrawOverlays(C);
}

// Background, grid, the page's background and the objects; Clip in canvas coordinates.
void TfrxDesignerWorkspace::DrawPage(TCanvas* C, const TRect& Clip) {
    FDrawClip = Clip;
    DrawBackgroundAndGrid(C, Clip);
    if (FLocked) return;
    if (auto* rp = dynamic_cast<TfrxReportPage*>(Page))
        rp->DrawBackground(C, FScale, FScale, -FMargins.Left * FScale - FOrg.X, -FMargins.Top * FScale - FOrg.Y);
    DrawObjects(C);
}

void TfrxDesignerWorkspace::DrawBackgroundAndGrid(TCanvas* C, const TRect& Clip) {
    C->Pen()->SetMode(pmCopy);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(FColor);
    C->FillRect(Clip);
    if (!FShowGrid) return;
    const int w = Width(), h = Height();
    if (FGridType == gtCm || FGridType == gtInch) {
        const double s = FScale * (FGridType == gtCm ? 3.77953 : 9.6);
        const TColor dark = GridLCD ? TColor(0xE2E2E2) : TColor(0xE8E8E8);
        const TColor light = GridLCD ? TColor(0xF2F2F2) : TColor(0xF8F8F8);
        C->Pen()->SetWidth(1);
        C->Pen()->SetStyle(psSolid);
        const int limit = std::max(w, h);
        for (int i = 0; i * s < limit; ++i) {
            TColor col;
            if (i % 10 == 0) col = dark;
            else if (i % 5 == 0 || FGridType == gtInch) col = light;
            else continue;
            C->Pen()->SetColor(col);
            const int p = Px(i * s);
            const int x = p - FOrg.X, y = p - FOrg.Y;
            if (x >= Clip.Left && x < Clip.Right && p < w) {
                C->MoveTo(x, std::max(Clip.Top, -FOrg.Y));
                C->LineTo(x, std::min(Clip.Bottom, h - FOrg.Y));
            }
            if (y >= Clip.Top && y < Clip.Bottom && p < h) {
                C->MoveTo(std::max(Clip.Left, -FOrg.X), y);
                C->LineTo(std::min(Clip.Right, w - FOrg.X), y);
            }
        }
        return;
    }
    // Dots: one row of the clip's width, copied at every grid row.
    const double sx = FScale * GridX, sy = FScale * GridY;
    if (!(sx > 2 && sy > 2)) return;
    const TColor dot = FGridType == gtDialog ? clBlack : TColor(0x808080);
    const int rowW = Clip.Width();
    if (rowW <= 0) return;
    TBitmap row;
    row.SetSize(rowW, 1);
    row.Canvas()->Brush()->SetColor(FColor);
    row.Canvas()->FillRect(Rect(0, 0, rowW, 1));
    for (int k = 0;; ++k) {
        const int x = Px(k * sx);
        if (x >= w) break;
        const int cx = x - FOrg.X - Clip.Left;
        if (cx >= rowW) break;
        if (cx >= 0) row.Canvas()->SetPixel(cx, 0, dot);
    }
    for (int k = 0;; ++k) {
        const int y = Px(k * sy);
        if (y >= h) break;
        const int cy = y - FOrg.Y;
        if (cy >= Clip.Bottom) break;
        if (cy >= Clip.Top) C->Draw(Clip.Left, cy, &row);
    }
}

void TfrxDesignerWorkspace::DrawObjects(TCanvas* C) {
    if (!Objects) return;
    if (auto* rp = dynamic_cast<TfrxReportPage*>(Page)) rp->AlignChildren();
    for (TfrxComponent* o : *Objects)
        if (frxAs<TfrxReportComponent>(o)) DrawObject(C, o);
}

void TfrxDesignerWorkspace::DrawObject(TCanvas* C, TfrxComponent* Obj) {
    // The page asks every object of the page on every paint, most of them left out: the
    // kinds by the class information, not by dynamic_cast.
    auto* rc = frxAs<TfrxReportComponent>(Obj);
    if (!rc) return;
    auto* band = frxAs<TfrxBand>(Obj);
    if (band) {
        if (band->Vertical) band->SetTop(0);
        else band->SetLeft(0);
    }
    // What drawing does to an object happens to those left out too: the page shows
    // objects marked as designed, lines straightened, whichever part of it is painted.
    Obj->SetIsDesigning(true);
    if (auto* line = frxAs<TfrxCustomLineView>(Obj)) line->Straighten();
    const double s = FScale;
    const double al = Obj->AbsLeft(), at = Obj->AbsTop();
    // Objects wholly outside the area being drawn are left out (a band with its caption).
    {
        double l = std::min(al, al + Obj->Width()), r = std::max(al, al + Obj->Width());
        double t = std::min(at, at + Obj->Height()), b = std::max(at, at + Obj->Height());
        if (band) {
            if (band->Vertical) l -= FBandHeader;
            else t -= FBandHeader;
        }
        const TRect box = Rect(Px(l * s) - FOrg.X - 8, Px(t * s) - FOrg.Y - 8, Px(r * s) - FOrg.X + 8,
                               Px(b * s) - FOrg.Y + 8);
        TRect inter;
        if (!FDrawClip.IsEmpty() && !IntersectRect(inter, box, FDrawClip)) return;
    }
    rc->Draw(C, s, s, -FOrg.X, -FOrg.Y);
    const int x0 = Px(al * s) - FOrg.X, y0 = Px(at * s) - FOrg.Y;
    const int x1 = Px((al + Obj->Width()) * s) - FOrg.X, y1 = Px((at + Obj->Height()) * s) - FOrg.Y;
    C->Pen()->SetMode(pmCopy);
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetWidth(1);
    if (band) {
        const int bh = Px(FBandHeader * s);
        C->Pen()->SetColor(TColor(0x808080));
        C->Brush()->SetStyle(bsClear);
        if (band->Vertical) C->Rectangle(x0 - bh, y0, x1 + 1, y1 + 1);
        else C->Rectangle(x0, y0 - bh, x1 + 1, y1 + 1);
        if (FShowBandCaptions && bh > 0) {
            const bool data = frxKind::IsDataBand(band);
            C->Brush()->SetStyle(bsSolid);
            C->Brush()->SetColor(data ? TColor(0xEEBB00) : clBtnFace);
            const TRect strip = band->Vertical ? Rect(x0 - bh + 1, y0 + 1, x0, y1) : Rect(x0 + 1, y0 - bh + 1, x1, y0);
            C->FillRect(strip);
            C->Brush()->SetStyle(bsClear);
            C->Font()->SetName("Tahoma");
            C->Font()->SetSize(static_cast<int>(std::max<int64_t>(1, Round(8 * s))));
            C->Font()->SetColor(clBlack);
            const std::string kind = band->BandName();
            if (band->Vertical) {
                C->Font()->SetOrientation(900);
                C->Font()->SetStyle(TFontStyles{fsBold});
                const std::string bold = kind + ": ";
                const int bx = x0 - bh + 2, by = y1 - 6;
                C->TextOut(bx, by, bold);
                const int adv = C->TextWidth(bold);
                C->Font()->SetStyle(TFontStyles{});
                C->TextOut(bx, by - adv, band->Name());
                C->Font()->SetOrientation(0);
            } else {
                C->Font()->SetStyle(TFontStyles{fsBold});
                C->TextOut(x0 + 6, y0 - bh + 2, kind);
                const int adv = C->TextWidth(kind);
                C->Font()->SetStyle(TFontStyles{});
                C->TextOut(x0 + 6 + adv, y0 - bh + 2, ": " + band->Name());
                if (auto* db = dynamic_cast<TfrxDataBand*>(band)) {
                    const int bx = x1 - Px(20 * s);
                    if (FBandBitmap && !FBandBitmap->Empty()) C->Draw(bx, y0 - bh + (bh - 16) / 2, FBandBitmap.get());
                    std::string what;
                    if (db->DataSet() && db->Report()) what = db->Report()->GetAlias(db->DataSet());
                    else if (db->DataSet()) what = db->DataSetName();
                    else what = IntToStr(db->RowCount());
                    C->TextOut(bx - C->TextWidth(what) - 4, y0 - bh + 2, what);
                }
            }
        }
        if (auto* db = dynamic_cast<TfrxDataBand*>(band); db && db->Columns > 1) {
            C->Pen()->SetColor(clSilver);
            C->Pen()->SetStyle(psDot);
            C->Brush()->SetStyle(bsClear);
            for (int i = 0; i < db->Columns; ++i) {
                const double cl = al + i * (db->ColumnWidth + db->ColumnGap);
                C->Rectangle(Px(cl * s) - FOrg.X, y0, Px((cl + db->ColumnWidth) * s) - FOrg.X + 1, y1 + 1);
            }
            C->Pen()->SetStyle(psSolid);
        }
    } else if (ShowEdges && frxKind::IsView(Obj) && !frxKind::IsLine(Obj) && !frxKind::IsDialogComponent(Obj) &&
               !frxKind::IsDialogControl(Obj)) {
        const auto* v = static_cast<const TfrxView*>(Obj);
        const TfrxFrameTypes& typ = v->Frame()->Typ;
        if (!(typ.Contains(ftLeft) && typ.Contains(ftRight) && typ.Contains(ftTop) && typ.Contains(ftBottom))) {
            C->Pen()->SetColor(clBlack);
            const int a = 3;
            C->MoveTo(x0, y0 + a); C->LineTo(x0, y0); C->LineTo(x0 + a + 1, y0);
            C->MoveTo(x1 - a, y0); C->LineTo(x1, y0); C->LineTo(x1, y0 + a + 1);
            C->MoveTo(x0, y1 - a); C->LineTo(x0, y1); C->LineTo(x0 + a + 1, y1);
            C->MoveTo(x1 - a, y1); C->LineTo(x1, y1); C->LineTo(x1, y1 - a - 1);
        }
    }
    if (HasEvents(Obj)) {
        int mx = x0, my = y0;
        if (band && !band->Vertical) my -= Px((FBandHeader - 2) * s);
        C->Pen()->SetColor(clRed);
        for (int i = 0; i < 4; ++i) {
            C->MoveTo(mx + 2 + i, my + 1 + i);
            C->LineTo(mx + 2 + i + 7 - 2 * i, my + 1 + i);
        }
    }
}

void TfrxDesignerWorkspace::DrawSelectionHandles(TCanvas* C, TfrxComponent* Obj, TfrxComponent* Anchor) {
    const double s = FScale;
    const int n = s < 0.7 ? 3 : (s <= 1.7 ? 5 : 7);
    const double al = Obj->AbsLeft(), at = Obj->AbsTop(), w = Obj->Width(), h = Obj->Height();
    const bool single = SelectedObjects && SelectedObjects->size() == 1;
    C->Pen()->SetMode(pmXor);
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetWidth(1);
    auto handle = [&](double hx, double hy, TColor col) {
        C->Pen()->SetColor(col);
        const int x = Px(hx * s) - FOrg.X - n / 2, y = Px(hy * s) - FOrg.Y - n / 2;
        for (int i = 0; i < n; ++i) {
            C->MoveTo(x + i, y);
            C->LineTo(x + i, y + n);
        }
    };
    if (frxKind::IsLine(Obj)) {
        handle(al, at, clWhite);
        handle(al + w, at + h, clWhite);
    } else {
        handle(al, at, clWhite);
        handle(al + w, at, clWhite);
        handle(al, at + h, clWhite);
        handle(al + w, at + h, Obj == Anchor ? TColor(0x808000) : clWhite);
        if (single) {
            handle(al + w / 2, at, clWhite);
            handle(al + w / 2, at + h, clWhite);
            handle(al, at + h / 2, clWhite);
            handle(al + w, at + h / 2, clWhite);
        }
    }
    C->Pen()->SetMode(pmCopy);
}

void TfrxDesignerWorkspace::DrawOverlays(TCanvas* C) {
    if (FLocked) return;
    if (!FMouseDown && SelectedObjects) {
        // The anchor once for all the handles (a search of the whole selection).
        TfrxComponent* anchor = SelectedObjects->size() > 1 ? AnchorObject() : nullptr;
        for (TfrxComponent* o : *SelectedObjects)
            if (!frxKind::IsPageOrReport(o)) DrawSelectionHandles(C, o, anchor);
    }
    if (FMode == DM::dmSelectionRect && FMouseDown) DrawSelectionRect(C);
    if (FMode == DM::dmInsertObject && FInserting) DrawInsertionRect(C);
    if (FMode == DM::dmInsertLine && FInserting) DrawLineMarker(C, FMouseDown);
}

namespace {
void XorPen(TCanvas* C, TPenStyle Style) {
    C->Pen()->SetMode(pmXor);
    C->Pen()->SetColor(clSilver);
    C->Pen()->SetWidth(1);
    C->Pen()->SetStyle(Style);
    C->Brush()->SetStyle(bsClear);
}
void CopyPen(TCanvas* C) {
    C->Pen()->SetMode(pmCopy);
    C->Pen()->SetStyle(psSolid);
    C->Brush()->SetStyle(bsSolid);
}
}  // namespace

void TfrxDesignerWorkspace::DrawSelectionRect(TCanvas* C) {
    XorPen(C, psDot);
    const TfrxRect& r = FSelectionRect;
    C->Rectangle(Px(std::min(r.Left, r.Right)) - FOrg.X, Px(std::min(r.Top, r.Bottom)) - FOrg.Y,
                 Px(std::max(r.Left, r.Right)) - FOrg.X, Px(std::max(r.Top, r.Bottom)) - FOrg.Y);
    CopyPen(C);
}

void TfrxDesignerWorkspace::DrawInsertionRect(TCanvas* C) {
    XorPen(C, psSolid);
    const double s = FScale;
    const int x0 = Px(FInsertion.Left * s), y0 = Px(FInsertion.Top * s);
    const int x1 = Px((FInsertion.Left + FInsertion.Width) * s), y1 = Px((FInsertion.Top + FInsertion.Height) * s);
    C->Rectangle(std::min(x0, x1) - FOrg.X, std::min(y0, y1) - FOrg.Y, std::max(x0, x1) + 1 - FOrg.X,
                 std::max(y0, y1) + 1 - FOrg.Y);
    CopyPen(C);
}

void TfrxDesignerWorkspace::DrawLineMarker(TCanvas* C, bool WithLine) {
    XorPen(C, psSolid);
    const double s = FScale;
    const int sx = Px(FInsertion.Left * s) - FOrg.X, sy = Px(FInsertion.Top * s) - FOrg.Y;
    int mx = sx, my = sy;
    if (WithLine) {
        double ex = FInsertion.Left + FInsertion.Width, ey = FInsertion.Top + FInsertion.Height;
        if (FInsertion.Flags == 0) {
            if (std::fabs(FInsertion.Width) > std::fabs(FInsertion.Height)) ey = FInsertion.Top;
            else ex = FInsertion.Left;
        }
        mx = Px(ex * s) - FOrg.X;
        my = Px(ey * s) - FOrg.Y;
        C->MoveTo(sx, sy);
        C->LineTo(mx, my);
    }
    C->MoveTo(mx, my - 4);
    C->LineTo(mx, my + 5);
    C->MoveTo(mx - 4, my);
    C->LineTo(mx + 5, my);
    CopyPen(C);
}
