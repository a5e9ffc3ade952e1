// Mouse and keyboard on the workspace: hit tests, selecting, moving, sizing, band sizing,
// group scaling, the rubber band, insertion, in-place editing and the arrow keys.
#include <algorithm>
#include <cmath>

#include "designer/workspace/Workspace.h"
#include "designer/workspace/WorkspaceKinds.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Menus.h"
#include "report/Bands.h"
#include "report/Frame.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Views.h"

using DM = TfrxDesignMode;

namespace {

bool Contains(const std::vector<TfrxComponent*>& L, const TfrxComponent* C) {
    return std::find(L.begin(), L.end(), C) != L.end();
}

// The handle's point on an object of absolute bounds (l, t, w, h).
void HandlePoint(int H, double l, double t, double w, double h, double& X, double& Y) {
    switch (H) {
        case 1: X = l, Y = t; break;
        case 2: X = l + w, Y = t + h; break;
        case 3: X = l + w, Y = t; break;
        case 4: X = l, Y = t + h; break;
        case 5: X = l + w, Y = t + h / 2; break;
        case 6: X = l, Y = t + h / 2; break;
        case 7: X = l + w / 2, Y = t; break;
        case 8: X = l + w / 2, Y = t + h; break;
        default: X = Y = -1e10;
    }
}

bool OnHandle(double X, double Y, double HX, double HY) {
    return HX - 2 <= X && X <= HX + 3 && HY - 2 <= Y && Y <= HY + 3;
}

TCursor HandleCursor(int H) {
    switch (H) {
        case 1: case 2: return crSizeNWSE;
        case 3: case 4: return crSizeNESW;
        case 5: case 6: return crSizeWE;
        case 7: case 8: return crSizeNS;
        case 9: case 10: return crCross;
        default: return crDefault;
    }
}

// The new handle after a size drag turned the object inside out.
constexpr int kMirrorWidth[9] = {0, 3, 4, 1, 2, 6, 5, 0, 0};
constexpr int kMirrorHeight[9] = {0, 4, 3, 2, 1, 0, 0, 8, 7};
constexpr int kMirrorBoth[9] = {0, 2, 1, 4, 3, 0, 0, 0, 0};

struct TBox {
    double L, T, R, B;
};
bool Overlaps(const TBox& a, const TBox& b) { return a.L <= b.R && b.L <= a.R && a.T <= b.B && b.T <= a.B; }
TBox AbsBox(const TfrxComponent* C) {
    const double l = C->AbsLeft(), t = C->AbsTop();
    return {l, t, l + C->Width(), t + C->Height()};
}

}  // namespace

// --- Hit tests -----------------------------------------------------------------------------

TfrxComponent* TfrxDesignerWorkspace::HitObject(double X, double Y) const {
    if (!Objects) return nullptr;
    for (auto it = Objects->rbegin(); it != Objects->rend(); ++it) {
        TfrxComponent* c = *it;
        if (!dynamic_cast<TfrxReportComponent*>(c)) continue;
        const double al = c->AbsLeft(), at = c->AbsTop(), w = c->Width(), h = c->Height();
        if (frxKind::IsDiagonalLine(c) && w != 0 && h != 0) {
            const double k = h / w;
            const double d = std::fabs(k * (X - al) - (Y - at)) * std::cos(std::atan(k));
            const double l = std::min(al, al + w), r = std::max(al, al + w);
            const double t = std::min(at, at + h), b = std::max(at, at + h);
            if (d < 5 && X >= l - 5 && X <= r + 5 && Y >= t - 5 && Y <= b + 5) return c;
            continue;
        }
        double l = std::min(al, al + w), r = std::max(al, al + w);
        double t = std::min(at, at + h), b = std::max(at, at + h);
        const double a = w == 0 ? 4 : 0, e = h == 0 ? 4 : 0;
        if (frxKind::IsBand(c)) {
            if (frxKind::IsVerticalBand(c)) l -= FBandHeader;
            else t -= FBandHeader;
        }
        if (l - a <= X && X <= r + a && t - e <= Y && Y <= b + e) return c;
    }
    return nullptr;
}

TfrxCustomMemoView* TfrxDesignerWorkspace::MemoUnderAlt(double X, double Y) const {
    if (!Objects) return nullptr;
    for (TfrxComponent* c : *Objects) {
        auto* m = dynamic_cast<TfrxCustomMemoView*>(c);
        if (!m) continue;
        double l = m->AbsLeft(), t = m->AbsTop(), r = l + m->Width(), b = t + m->Height();
        if (m->Width() == 0) l -= 4, r += 4;
        else t -= 4, b += 4;
        if (l <= X && X <= r && t <= Y && Y <= b) return m;
    }
    return nullptr;
}

bool TfrxDesignerWorkspace::StepGrid(double X, double Y, double FromX, double FromY, bool Alt, double& DX,
                                     double& DY) {
    DX = X - FromX;
    DY = Y - FromY;
    bool skip = false;
    // A grid step of 0 or less cannot snap (the options refuse it; a stored one is ignored).
    if ((GridAlign != Alt) && GridX > 0 && GridY > 0) {
        if (std::fabs(DX) >= GridX || std::fabs(DY) >= GridY) {
            DX = GridX * std::trunc(DX / GridX);
            DY = GridY * std::trunc(DY / GridY);
        } else {
            skip = true;
        }
    }
    CheckGuides(DX, DY, skip);
    return !skip;
}

// --- Mouse -------------------------------------------------------------------------------------

void TfrxDesignerWorkspace::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (FLocked || !SelectedObjects) return;
    if (FDblClicked) {
        FDblClicked = false;
        return;
    }
    if (FInplaceMemo->Visible()) FInplaceMemo->EditDone();
    const std::vector<TfrxComponent*> before = *SelectedObjects;
    if (CanFocus()) SetFocus();
    FMouseDown = true;
    const double x = X / FScale, y = Y / FScale;
    FLastMouseX = x;
    FLastMouseY = y;
    bool selecting = false;
    auto selectPage = [&] {
        SelectedObjects->clear();
        if (Page) SelectedObjects->push_back(Page);
    };
    if (FMode == DM::dmNone && (Shift & ssCtrl)) {
        selecting = true;
        selectPage();
        FMode = DM::dmSelectionRect;
        FSelectionRect = {double(X), double(Y), double(X), double(Y)};
    } else if (FMode == DM::dmNone) {
        selecting = true;
        TfrxComponent* hit = HitObject(x, y);
        if (hit) {
            // An object joins a selection of the page (or report) alone by replacing it.
            if (SelectedCount() == 0) SelectedObjects->clear();
            const bool selected = Contains(*SelectedObjects, hit);
            if (!(Shift & ssShift)) {
                if (!selected) {
                    SelectedObjects->clear();
                    SelectedObjects->push_back(hit);
                }
            } else if (selected) {
                SelectedObjects->erase(std::find(SelectedObjects->begin(), SelectedObjects->end(), hit));
            } else {
                SelectedObjects->push_back(hit);
            }
            if (SelectedObjects->empty()) {
                if (Page) SelectedObjects->push_back(Page);
            } else {
                FMode = DM::dmMove;
            }
        } else {
            selectPage();
            FMode = DM::dmSelectionRect;
            FSelectionRect = {double(X), double(Y), double(X), double(Y)};
        }
    }
    if (FMode == DM::dmScale) {
        const TfrxRect b = GetSelectionBounds();
        FScaleRect = FScaleRect0 = TfrxRect{b.Left, b.Top, b.Left + b.Right, b.Top + b.Bottom};
        FScaleStarts.clear();
        for (TfrxComponent* c : *SelectedObjects)
            FScaleStarts.push_back({c, TfrxRect{c->AbsLeft(), c->AbsTop(), c->Width(), c->Height()}});
    }
    if (FMode == DM::dmInsertLine) {
        FInsertion.Width = 0;
        FInsertion.Height = 0;
    }
    if (selecting) {
        if (before != *SelectedObjects) SelectionChanged();
        else Repaint();
    }
    if (Button == mbRight && PopupMenu) {
        FMode = DM::dmNone;
        FMouseDown = false;
        Repaint();
        const TPoint p = ClientToScreen(Point(X, Y));
        PopupMenu->Popup(p.X, p.Y);
    }
}

void TfrxDesignerWorkspace::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (FLocked || !SelectedObjects) return;
    const double x = X / FScale, y = Y / FScale;
    const bool held = FMouseDown;
    const bool alt = (Shift & ssAlt) != 0;
    double dx = 0, dy = 0;
    TfrxRect note = SelectedCount() == 0 ? TfrxRect{x, y, 0, 0} : GetSelectionBounds();

    // Hovering: a handle of the single selected object, or the group corner.
    if (!held && !FInserting) {
        const int n = SelectedCount();
        if (n == 1) {
            TfrxComponent* c = (*SelectedObjects)[0];
            const double l = c->AbsLeft(), t = c->AbsTop(), w = c->Width(), h = c->Height();
            int hh = 0;
            for (int i = 1; i <= 8 && !hh; ++i) {
                double hx, hy;
                HandlePoint(i, l, t, w, h, hx, hy);
                if (OnHandle(x, y, hx, hy)) hh = i;
            }
            if (frxKind::IsLine(c)) {
                if (frxKind::IsDiagonalLine(c)) hh = hh == 1 ? 9 : (hh == 2 ? 10 : 0);
                else if (w == 0) hh = (hh == 1 || hh == 3) ? 7 : ((hh == 2 || hh == 4) ? 8 : 0);
                else if (h == 0) hh = (hh == 1 || hh == 4) ? 6 : ((hh == 2 || hh == 3) ? 5 : 0);
            }
            FSizeHandle = hh;
            FMode = hh ? DM::dmSize : DM::dmNone;
            SetModeCursor(HandleCursor(hh));
        } else if (n == 0) {
            SetModeCursor(crDefault);
        } else {
            TfrxComponent* a = AnchorObject();
            if (a && OnHandle(x, y, a->AbsLeft() + a->Width(), a->AbsTop() + a->Height())) {
                FMode = DM::dmScale;
                SetModeCursor(crSizeNWSE);
            } else {
                FMode = DM::dmNone;
                SetModeCursor(crDefault);
            }
        }
    }
    // Hovering: a band's bottom (or right) edge.
    if (!held && !FInserting && FMode != DM::dmSize && FMode != DM::dmScale) {
        SetModeCursor(crDefault);
        FMode = DM::dmNone;
        if (Objects)
            for (TfrxComponent* c : *Objects) {
                auto* b = dynamic_cast<TfrxBand*>(c);
                if (!b) continue;
                const bool hit = b->Vertical ? std::fabs(x - (b->Left() + b->Width())) <= 2
                                             : std::fabs(y - (b->Top() + b->Height())) <= 2;
                if (!hit) continue;
                FMode = DM::dmSizeBand;
                FSizedBand = b;
                // The split cursor shows the direction of the drag.
                SetModeCursor(b->Vertical ? crHSplit : crVSplit);
                break;
            }
    }
    // Sizing a band.
    if (held && FMode == DM::dmSizeBand && FSizedBand) {
        if (!StepGrid(x, y, FLastMouseX, FLastMouseY, alt, dx, dy)) return;
        FModified = true;
        // A band is never made thinner than nothing (its objects keep it high enough).
        if (FSizedBand->Vertical) FSizedBand->SetWidth(std::max(0.0, FSizedBand->Width() + dx));
        else FSizedBand->SetHeight(std::max(0.0, FSizedBand->Height() + dy));
        FitBand(FSizedBand);
        AdjustBands();
        FLastMouseX += dx;
        FLastMouseY += dy;
        InvalidatePage();
        Repaint();
        note = {FSizedBand->Left(), FSizedBand->Top(), FSizedBand->Width(), FSizedBand->Height()};
    }
    // Alt held: a memo under the mouse can be edited in place.
    if (!held && alt) {
        SetModeCursor(crDefault);
        FMode = DM::dmNone;
        if (TfrxCustomMemoView* m = MemoUnderAlt(x, y)) {
            FHoverObject = m;
            FMode = DM::dmInplaceEdit;
            SetModeCursor(crIBeam);
        }
    }
    // The insertion outline follows the mouse, then is drawn open by a drag.
    if (!held && FMode == DM::dmInsertObject) {
        if (!StepGrid(x, y, FInsertion.Left, FInsertion.Top, alt, dx, dy)) return;
        FInsertion.Left += dx;
        FInsertion.Top += dy;
        Invalidate();
        note = {FInsertion.Left, FInsertion.Top, FInsertion.Width, FInsertion.Height};
    }
    if (held && FMode == DM::dmInsertObject) {
        if (!StepGrid(x, y, FInsertion.Left, FInsertion.Top, alt, dx, dy)) return;
        FInsertion.Width = dx;
        FInsertion.Height = dy;
        Invalidate();
        note = {FInsertion.Left, FInsertion.Top, FInsertion.Width, FInsertion.Height};
    }
    // Moving the selection.
    if (held && FMode == DM::dmMove) {
        if (!StepGrid(x, y, FLastMouseX, FLastMouseY, alt, dx, dy)) return;
        if (!FModified && SelectedCount() == 1 && frxKind::IsVerticalBand((*SelectedObjects)[0]) && Objects) {
            TfrxComponent* vb = (*SelectedObjects)[0];
            const double bl = vb->Left(), br = vb->Left() + vb->Width();
            for (TfrxComponent* c : *Objects)
                if (frxKind::IsView(c) && !frxKind::IsBand(c) && c->AbsLeft() >= bl - 0.0001 &&
                    c->AbsLeft() + c->Width() <= br + 0.0001 && !Contains(*SelectedObjects, c))
                    SelectedObjects->push_back(c);
        }
        if (!SelectedObjects->empty() && frxKind::IsVerticalBand((*SelectedObjects)[0])) dy = 0;
        FModified = true;
        for (TfrxComponent* c : *SelectedObjects) {
            if (frxKind::IsPageOrReport(c) || c->Restrictions().Contains(rfDontMove)) continue;
            // A child of a selected object moves with its parent, once.
            if (Contains(*SelectedObjects, c->Parent())) continue;
            c->SetLeft(c->Left() + dx);
            c->SetTop(c->Top() + dy);
        }
        FLastMouseX += dx;
        FLastMouseY += dy;
        InvalidatePage();
        Repaint();
        note = GetSelectionBounds();
    }
    // Sizing the single selected object by a handle.
    if (held && FMode == DM::dmSize && SelectedCount() >= 1) {
        if (!StepGrid(x, y, FLastMouseX, FLastMouseY, alt, dx, dy)) return;
        FModified = true;
        TfrxComponent* c = (*SelectedObjects)[0];
        FLastMouseX += dx;
        FLastMouseY += dy;
        if (!c->Restrictions().Contains(rfDontSize)) {
            double l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
            switch (FSizeHandle) {
                case 1: case 9: l += dx, w -= dx, t += dy, h -= dy; break;
                case 2: case 10: w += dx, h += dy; break;
                case 3: t += dy, w += dx, h -= dy; break;
                case 4: l += dx, w -= dx, h += dy; break;
                case 5: w += dx; break;
                case 6: l += dx, w -= dx; break;
                case 7: t += dy, h -= dy; break;
                case 8: h += dy; break;
                default: break;
            }
            if (!frxKind::IsDiagonalLine(c) && FSizeHandle >= 1 && FSizeHandle <= 8) {
                if (w < 0 && h < 0) FSizeHandle = kMirrorBoth[FSizeHandle];
                else if (w < 0) FSizeHandle = kMirrorWidth[FSizeHandle];
                else if (h < 0) FSizeHandle = kMirrorHeight[FSizeHandle];
                if (w < 0) l += w, w = -w;
                if (h < 0) t += h, h = -h;
                SetModeCursor(HandleCursor(FSizeHandle));
            }
            if (l < 0) l = 0;
            c->SetBounds(l, t, w, h);
            if (auto* b = dynamic_cast<TfrxBand*>(c)) {
                if (FSizeHandle == 1 || FSizeHandle == 3 || FSizeHandle == 7)
                    for (TfrxComponent* ch : b->ObjectList()) ch->SetTop(ch->Top() - dy);
                FitBand(b);
                AdjustBands();
            }
        }
        InvalidatePage();
        Repaint();
        note = {c->Left(), c->Top(), c->Width(), c->Height()};
    }
    // Scaling a group by the anchor's corner.
    if (held && FMode == DM::dmScale) {
        if (!StepGrid(x, y, FLastMouseX, FLastMouseY, alt, dx, dy)) return;
        FModified = true;
        FLastMouseX += dx;
        FLastMouseY += dy;
        if (FScaleRect.Right + dx >= FScaleRect.Left) FScaleRect.Right += dx;
        if (FScaleRect.Bottom + dy >= FScaleRect.Top) FScaleRect.Bottom += dy;
        const TfrxRect& r0 = FScaleRect0;
        // A group of no width (or height) keeps its size on that axis.
        const double kx = r0.Right - r0.Left != 0 ? (FScaleRect.Right - FScaleRect.Left) / (r0.Right - r0.Left) : 1;
        const double ky = r0.Bottom - r0.Top != 0 ? (FScaleRect.Bottom - FScaleRect.Top) / (r0.Bottom - r0.Top) : 1;
        for (auto& [c, s] : FScaleStarts) {
            if (!Contains(*SelectedObjects, c)) continue;
            const double pl = c->Parent() ? c->Parent()->AbsLeft() : 0;
            const double pt = c->Parent() ? c->Parent()->AbsTop() : 0;
            c->SetLeft(r0.Left + kx * (s.Left - r0.Left) - pl);
            c->SetTop(r0.Top + ky * (s.Top - r0.Top) - pt);
            c->SetWidth(kx * s.Right);
            c->SetHeight(ky * s.Bottom);
        }
        InvalidatePage();
        Repaint();
        note = {FScaleRect.Left, FScaleRect.Top, kx, ky};
    }
    if (held && FMode == DM::dmSelectionRect) {
        FSelectionRect.Right = X;
        FSelectionRect.Bottom = Y;
        Invalidate();
    }
    if (!held && FMode == DM::dmInsertLine) {
        if (!StepGrid(x, y, FInsertion.Left, FInsertion.Top, alt, dx, dy)) return;
        FInsertion.Left += dx;
        FInsertion.Top += dy;
        Invalidate();
        note = {FInsertion.Left, FInsertion.Top, 0, 0};
    }
    if (held && FMode == DM::dmInsertLine) {
        if (!StepGrid(x, y, FInsertion.Left + FInsertion.Width, FInsertion.Top + FInsertion.Height, alt, dx, dy))
            return;
        FInsertion.Width += dx;
        FInsertion.Height += dy;
        Invalidate();
        note = {FInsertion.Left, FInsertion.Top, FInsertion.Width, FInsertion.Height};
    }
    if (held && Cursor() != 50) AutoScroll(X, Y);
    if (SelectedCount() == 0 || held) NotifyPosition(note);
}

void TfrxDesignerWorkspace::AutoScroll(int X, int Y) {
    auto* box = dynamic_cast<TScrollingWinControl*>(Parent());
    if (!box) return;
    const TRect cr = box->ClientRect();
    const int px = Left() + X, py = Top() + Y;
    TControlScrollBar* h = box->HorzScrollBar();
    TControlScrollBar* v = box->VertScrollBar();
    if (px < h->Position()) h->SetPosition(std::max(0, px));
    else if (px >= h->Position() + cr.Width()) h->SetPosition(px - cr.Width() + 1);
    if (py < v->Position()) v->SetPosition(std::max(0, py));
    else if (py >= v->Position() + cr.Height()) v->SetPosition(py - cr.Height() + 1);
}

void TfrxDesignerWorkspace::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FLocked || !SelectedObjects) return;
    if (Button != mbLeft) {
        FMouseDown = false;
        return;
    }
    const std::vector<TfrxComponent*> before = *SelectedObjects;
    FMouseDown = false;
    const double x = X / FScale, y = Y / FScale;
    if (FInserting) {
        TfrxInsertion& in = FInsertion;
        double l = in.Left, t = in.Top, r = in.Left + in.Width, b = in.Top + in.Height;
        const bool line = frxKind::ClassIs(in.ComponentClass, "TfrxCustomLineView");
        if (line && in.Flags == 0) {
            if (in.Width < 0) r = in.Left - in.Width;
            if (in.Height < 0) b = in.Top - in.Height;
            if (in.Width < 0 && std::fabs(in.Width) > std::fabs(in.Height)) l = in.Left + in.Width, r = in.Left;
            if (in.Height < 0 && std::fabs(in.Height) > std::fabs(in.Width)) t = in.Top + in.Height, b = in.Top;
        } else if (!(line && frxKind::ClassIs(in.ComponentClass, "TfrxLineView"))) {
            if (l > r) std::swap(l, r);
            if (t > b) std::swap(t, b);
            // A click, or a drag too small to see, gives the tool's own size.
            if (r - l < 4 || b - t < 4) r = l + in.DefaultWidth, b = t + in.DefaultHeight;
        }
        in.Left = frxRound8(l);
        in.Top = frxRound8(t);
        in.Width = frxRound8(r - l);
        in.Height = frxRound8(b - t);
        OnInsertObject(this);
    } else if (FMode == DM::dmSelectionRect) {
        const double s = FScale;
        const TBox band{std::min(FSelectionRect.Left, FSelectionRect.Right) / s,
                        std::min(FSelectionRect.Top, FSelectionRect.Bottom) / s,
                        std::max(FSelectionRect.Left, FSelectionRect.Right) / s,
                        std::max(FSelectionRect.Top, FSelectionRect.Bottom) / s};
        SelectedObjects->clear();
        if (Objects)
            for (TfrxComponent* c : *Objects) {
                if (!dynamic_cast<TfrxReportComponent*>(c) || frxKind::IsBand(c)) continue;
                TBox o = AbsBox(c);
                if (o.L > o.R) std::swap(o.L, o.R);
                if (o.T > o.B) std::swap(o.T, o.B);
                if (!Overlaps(o, band)) continue;
                if (frxKind::IsDiagonalLine(c) && c->Width() != 0 && c->Height() != 0) {
                    // Taken when the band's corners do not all lie on one side of the line.
                    const double x0 = c->AbsLeft(), y0 = c->AbsTop(), w = c->Width(), h = c->Height();
                    auto side = [&](double px, double py) { return (px - x0) * h - (py - y0) * w; };
                    const double s1 = side(band.L, band.T), s2 = side(band.R, band.T), s3 = side(band.L, band.B),
                                 s4 = side(band.R, band.B);
                    if ((s1 > 0 && s2 > 0 && s3 > 0 && s4 > 0) || (s1 < 0 && s2 < 0 && s3 < 0 && s4 < 0)) continue;
                }
                SelectedObjects->push_back(c);
            }
        if (SelectedObjects->empty() && Page) SelectedObjects->push_back(Page);
    } else if (FMode == DM::dmInplaceEdit && FHoverObject) {
        SelectedObjects->clear();
        SelectedObjects->push_back(FHoverObject);
        SelectionChanged();
        if (auto* m = dynamic_cast<TfrxCustomMemoView*>(FHoverObject)) FInplaceMemo->Edit(m);
        FMode = DM::dmNone;
    } else if (FMode == DM::dmMove || FMode == DM::dmSize) {
        for (TfrxComponent* c : *SelectedObjects) {
            if (frxKind::IsPageOrReport(c)) continue;
            c->SetBounds(frxRound8(c->Left()), frxRound8(c->Top()), frxRound8(c->Width()), frxRound8(c->Height()));
        }
    } else if (FMode == DM::dmSizeBand && FSizedBand) {
        FSizedBand->SetHeight(frxRound8(FSizedBand->Height()));
    }
    AdjustBands();
    if (before != *SelectedObjects) SelectionChanged();
    else Repaint();
    DoModify();
    FSizeHandle = 0;
    if (!(FInserting && FInsertion.ComponentClass)) FMode = DM::dmNone;
    NotifyPosition(SelectedCount() == 0 ? TfrxRect{x, y, 0, 0} : GetSelectionBounds());
}

void TfrxDesignerWorkspace::DblClick() {
    TCustomControl::DblClick();
    if (FLocked) return;
    EditObject();
    FDblClicked = true;
}

void TfrxDesignerWorkspace::ParkInsertion() {
    if (FMode == DM::dmInsertObject) {
        FInsertion.Left = GridX * -1000;
        FInsertion.Top = GridY * -1000;
        Invalidate();
    } else if (FMode == DM::dmInsertLine) {
        const double k = FGridType == gtChar ? 0.5 : 1;
        FInsertion.Left = -GridX * k;
        FInsertion.Top = -GridY * k;
        Invalidate();
    }
}

void TfrxDesignerWorkspace::MouseLeave() {
    TCustomControl::MouseLeave();
    if (!FMouseDown) ParkInsertion();
}

// --- Keys --------------------------------------------------------------------------------------

void TfrxDesignerWorkspace::KeyDown(uint16_t& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (FLocked || Key == 0 || !SelectedObjects) return;
    // Alt pressed over a memo arms in-place editing without a mouse move (not during a
    // drag, which Alt only frees from the grid).
    if ((Shift & ssAlt) && !FMouseDown && CursorPosition) {
        const TPoint p = CursorPosition();
        MouseMove(Shift & (ssShift | ssAlt | ssCtrl), p.X, p.Y);
    }
    int dx = 0, dy = 0;
    switch (Key) {
        case VK_RETURN: EditObject(); return;
        case VK_DELETE: DeleteObjects(); return;
        case VK_LEFT: dx = -1; break;
        case VK_RIGHT: dx = 1; break;
        case VK_UP: dy = -1; break;
        case VK_DOWN: dy = 1; break;
        default: return;
    }
    if (Shift & ssCtrl) MoveSelection(dx, dy);
    else if (Shift & ssShift) SizeSelection(dx, dy);
    else if (Shift & ssAlt) JumpToNeighbour(dx, dy);
    else SelectNearest(dx, dy);
    Key = 0;
}

void TfrxDesignerWorkspace::KeyUp(uint16_t& Key, TShiftState Shift) {
    TCustomControl::KeyUp(Key, Shift);
    if (FLocked) return;
    DoModify();
}

namespace {

// The strip, half-plane and scores of a candidate C for the selected object S in a
// direction; false when C is not in the strip (strip-only) or not a candidate at all.
struct TNearScore {
    bool InStrip = false;
    bool InHalf = false;
    double Strip = 0;
    double Along = 0, Across = 0;
};

TNearScore Score(const TBox& s, const TBox& c, int DX, int DY) {
    TNearScore r;
    TBox strip, half;
    if (DX > 0) {
        strip = {s.L, s.T, 1e10, s.B};
        half = {s.L, 0, 1e10, 1e10};
        r.Strip = c.L - s.L;
        r.Along = c.L - s.R;
    } else if (DX < 0) {
        strip = {-1e10, s.T, s.R, s.B};
        half = {0, 0, s.R, 1e10};
        r.Strip = s.R - c.R;
        r.Along = s.L - c.R;
    } else if (DY > 0) {
        strip = {s.L, s.T, s.R, 1e10};
        half = {0, s.T, 1e10, 1e10};
        r.Strip = c.T - s.T;
        r.Along = c.T - s.B;
    } else {
        strip = {s.L, -1e10, s.R, s.B};
        half = {0, 0, 1e10, s.B};
        r.Strip = s.B - c.B;
        r.Along = s.T - c.B;
    }
    if (DX != 0) r.Across = c.T > s.T ? c.T - s.B : s.T - c.B;
    else r.Across = c.L > s.L ? c.L - s.R : s.L - c.R;
    r.InStrip = Overlaps(c, strip);
    r.InHalf = Overlaps(c, half);
    return r;
}

}  // namespace

void TfrxDesignerWorkspace::SelectNearest(int DirX, int DirY) {
    if (SelectedCount() != 1 || !Objects) return;
    TfrxComponent* s = (*SelectedObjects)[0];
    const TBox sb = AbsBox(s);
    double best = 1e10;
    TfrxComponent* winner = nullptr;
    for (TfrxComponent* c : *Objects) {
        if (c == s || !dynamic_cast<TfrxReportComponent*>(c) || frxKind::IsBand(c)) continue;
        const TNearScore sc = Score(sb, AbsBox(c), DirX, DirY);
        double score;
        if (sc.InStrip) {
            score = sc.Strip;
        } else if (sc.InHalf && sc.Across <= sc.Along && !(sc.Across == 0 && sc.Along == 0)) {
            score = std::sqrt(sc.Along * sc.Along + sc.Across * sc.Across) * (Width() + Height());
        } else {
            continue;
        }
        if (score < best) {
            best = score;
            winner = c;
        }
    }
    if (!winner) return;
    SelectedObjects->clear();
    SelectedObjects->push_back(winner);
    NotifyPosition(GetSelectionBounds());
    SelectionChanged();
}

void TfrxDesignerWorkspace::JumpToNeighbour(int DirX, int DirY) {
    if (SelectedCount() != 1 || !Objects) return;
    TfrxComponent* s = (*SelectedObjects)[0];
    const TBox sb = AbsBox(s);
    double best = 1e10;
    TfrxComponent* w = nullptr;
    for (TfrxComponent* c : *Objects) {
        if (c == s || !dynamic_cast<TfrxReportComponent*>(c) || frxKind::IsBand(c)) continue;
        const TNearScore sc = Score(sb, AbsBox(c), DirX, DirY);
        if (sc.InStrip && sc.Strip < best) {
            best = sc.Strip;
            w = c;
        }
    }
    if (!w || s->Restrictions().Contains(rfDontMove)) return;
    double g = 0;
    if (frxKind::IsDMPMemo(s) && frxKind::IsDMPMemo(w)) {
        const TfrxFrameTypes& fs = static_cast<TfrxView*>(s)->Frame()->Typ;
        const TfrxFrameTypes& fw = static_cast<TfrxView*>(w)->Frame()->Typ;
        bool framed = false;
        if (DirX > 0) framed = fs.Contains(ftRight) || fw.Contains(ftLeft);
        else if (DirX < 0) framed = fs.Contains(ftLeft) || fw.Contains(ftRight);
        else if (DirY > 0) framed = fs.Contains(ftBottom) || fw.Contains(ftTop);
        else framed = fs.Contains(ftTop) || fw.Contains(ftBottom);
        if (framed) g = DirX != 0 ? 9.6 : 17;
    }
    if (DirX > 0) s->SetLeft(w->Left() - s->Width() - g);
    else if (DirX < 0) s->SetLeft(w->Left() + w->Width() + g);
    else if (DirY > 0) s->SetTop(w->Top() - s->Height() - g);
    else s->SetTop(w->Top() + w->Height() + g);
    FModified = true;
    NotifyPosition(GetSelectionBounds());
    InvalidatePage();
    Repaint();
}
