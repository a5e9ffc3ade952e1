// The page workspace: drops from the data tree and the rulers, guides, column lines, the
// field drop-down of text objects in data bands, and the hand, zoom, text and format tools.
#include "designer/workspace/PageWorkspace.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "designer/controls/Ruler.h"
#include "designer/trees/DataTree.h"
#include "designer/window/DesignerForm.h"
#include "designer/workspace/WorkspaceKinds.h"
#include "platform/rtl/Format.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/StdCtrls.h"
#include "report/Bands.h"
#include "report/DataSet.h"
#include "report/DotMatrix.h"
#include "report/Images.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Utils.h"

ROVE_IMPLEMENT_CLASS(TDesignerWorkspace)

using DM = TfrxDesignMode;

namespace {
// The screen cursors of the hand, zoom and format-painter tools.
constexpr TCursor kHandCursor = 50, kZoomCursor = 51, kFormatCursor = 52;

int Px(double V) { return static_cast<int>(Round(V)); }

double GuideValue(const std::string& Text) {
    try {
        return frxStrToFloat(Text);
    } catch (const Exception&) {
        return 0;
    }
}

// The dataset of the data band a view lies in, when it has fields.
TfrxDataSet* BandDataSet(const TfrxComponent* C) {
    auto* band = dynamic_cast<TfrxDataBand*>(C->Parent());
    if (!band || !band->DataSet()) return nullptr;
    return band->DataSet()->FieldsCount() > 0 ? band->DataSet() : nullptr;
}
}  // namespace

TDesignerWorkspace::TDesignerWorkspace(TComponent* AOwner)
    : TfrxDesignerWorkspace(AOwner), FDesigner(dynamic_cast<TfrxDesignerForm*>(AOwner)) {
    FFieldList = new TListBox(this);
    FFieldList->SetParent(this);
    FFieldList->SetVisible(false);
    FFieldList->SetStyle(lbOwnerDrawFixed);
    FFieldList->SetItemHeight(16);
    FFieldList->OnClick = [this](TObject* s) { FieldListClick(s); };
    FFieldList->OnDrawItem = [this](TWinControl* c, int i, TRect r, TOwnerDrawState st) { FieldListDrawItem(c, i, r, st); };
    OnDragOver = [this](TObject*, TObject* Source, int X, int Y, TDragState State, bool& Accept) {
        DragOverHandler(Source, X, Y, State, Accept);
    };
    OnDragDrop = [this](TObject*, TObject* Source, int X, int Y) { DragDropHandler(Source, X, Y); };
    if (const char* map = std::getenv("ROVE_DESIGNER_SCREEN_MAP"); map && *map) {
        FScreenMapFile = map;
        // A window that moves or grows is not painted again: the timer notes that too.
        FScreenMapTimer = new TTimer(this);
        FScreenMapTimer->SetInterval(100);
        FScreenMapTimer->OnTimer = [this](TObject*) { WriteScreenMap(); };
        FScreenMapTimer->SetEnabled(true);
    }
}

TfrxReportPage* TDesignerWorkspace::ReportPage() const { return dynamic_cast<TfrxReportPage*>(Page); }

void TDesignerWorkspace::SetShowGuides(bool Value) {
    FShowGuides = Value;
    InvalidatePage();
    Invalidate();
}

void TDesignerWorkspace::StartMoveAfterPaste() {
    const TfrxRect b = GetSelectionBounds();
    SetMode(DM::dmMove);
    MouseDown(mbLeft, 0, static_cast<int>(Round(b.Left / Scale())) + 20, static_cast<int>(Round(b.Top / Scale())) + 20);
}

// --- Drops ---------------------------------------------------------------------------------------

void TDesignerWorkspace::DragOverHandler(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    Accept = false;
    if (State == dsDragLeave) {
        // The drag went elsewhere: no line stays where the guide would have gone.
        if (FRulerLine != 0) {
            FRulerLine = 0;
            Repaint();
        }
        return;
    }
    if (!FDesigner || !dynamic_cast<TfrxReportPage*>(FDesigner->Page())) return;
    auto* ruler = dynamic_cast<TfrxRuler*>(Source);
    auto* tree = dynamic_cast<TTreeView*>(Source);
    const bool fromTree = tree && FDesigner->DataTree && tree->Owner() == FDesigner->DataTree &&
                          !FDesigner->DataTree->GetInsertText().empty();
    Accept = ruler || fromTree;
    if (!Accept) return;
    if (ruler) {
        // A line across the workspace where the guide would go.
        double x = X, y = Y;
        if (GridAlign) {
            const double gx = GridX * Scale(), gy = GridY * Scale();
            if (gx > 0) x = Round(x / gx) * gx;
            if (gy > 0) y = Round(y / gy) * gy;
        }
        FRulerLine = ruler->Vertical() ? 1 : 2;
        FRulerLinePos = ruler->Vertical() ? Px(x) : Px(y);
        Repaint();
        MouseMove(0, X, Y);
        return;
    }
    TfrxDataTreeForm* dt = FDesigner->DataTree;
    if (!Inserting() && (dt->InsFieldCB->Checked() || dt->InsCaptionCB->Checked() || !dt->IsDataPageActive())) {
        std::string s = dt->GetInsertText();
        s = s.size() >= 2 ? s.substr(1, s.size() - 2) : std::string();
        TfrxDataSet* ds = nullptr;
        std::string field;
        FDesigner->Report()->GetDatasetAndField(s, ds, field);
        const int chars = ds && !field.empty() ? ds->GetDisplayWidth(field) : 10;
        const double w = GridX > 0 ? Round(chars * 8 / GridX) * GridX : chars * 8;
        SetInsertion(TfrxMemoView::StaticClass(), w, FDesigner->DefaultObjectSize().Y, 0);
    }
    MouseMove(0, X - 8, Y - 8);
}

void TDesignerWorkspace::DragDropHandler(TObject* Source, int X, int Y) {
    FRulerLine = 0;
    if (!FDesigner || !SelectedObjects || !Objects) return;
    auto finish = [&] {
        SetModified(true);
        MouseUp(mbLeft, 0, X, Y);
        SelectionChanged();
    };
    if (auto* ruler = dynamic_cast<TfrxRuler*>(Source)) {
        TfrxReportPage* rp = ReportPage();
        if (!rp) return;
        double x = X / Scale(), y = Y / Scale();
        if (GridAlign) {
            if (GridX > 0) x = Round(x / GridX) * GridX;
            if (GridY > 0) y = Round(y / GridY) * GridY;
        }
        if (ruler->Vertical()) rp->VGuides()->Add(FloatToStr(frxRound8(x)));
        else rp->HGuides()->Add(FloatToStr(frxRound8(y)));
        InvalidatePage();
        finish();
        return;
    }
    TfrxDataTreeForm* dt = FDesigner->DataTree;
    if (!dt) return;
    const bool dataPage = dt->IsDataPageActive();
    if (dataPage && !dt->InsFieldCB->Checked() && !dt->InsCaptionCB->Checked()) {
        finish();
        return;
    }
    SelectedObjects->clear();
    const std::string s = dt->GetInsertText();
    const std::string inner = s.size() >= 2 ? s.substr(1, s.size() - 2) : std::string();
    TfrxDataSet* ds = nullptr;
    std::string field;
    FDesigner->Report()->GetDatasetAndField(inner, ds, field);
    TfrxInsertion& in = Insertion();
    // A dot-matrix page takes dot-matrix text objects.
    const bool dmp = frxKind::IsDMPPage(Page);
    auto make = [&](const std::string& Text) -> TfrxCustomMemoView* {
        TfrxCustomMemoView* m = dmp ? static_cast<TfrxCustomMemoView*>(new TfrxDMPMemoView(Page))
                                    : static_cast<TfrxCustomMemoView*>(new TfrxMemoView(Page));
        m->SetParent(Page);
        m->CreateUniqueName();
        m->SetText(Text);
        m->SetBounds(frxRound8(in.Left), frxRound8(in.Top), frxRound8(in.Width), frxRound8(in.Height));
        if (FDesigner->SampleFormat()) FDesigner->SampleFormat()->ApplySample(m);
        Objects->push_back(m);
        SelectedObjects->push_back(m);
        return m;
    };
    if (!(dataPage && !dt->InsFieldCB->Checked())) {
        std::string text;
        if (ds) text = "[" + ds->UserName() + ".\"" + field + "\"]";
        else if (!s.empty() && s[0] == '<') text = "[" + inner + "]";
        else text = "[" + s + "]";
        TfrxCustomMemoView* m = make(text);
        m->SetDataSet(ds);
        m->DataField = field;
        in.Top -= in.Height;
    }
    if (dataPage && dt->InsCaptionCB->Checked()) make(field);
    SetInsertion(nullptr, 0, 0, 0);
    finish();
}

// --- Guides ----------------------------------------------------------------------------------------

void TDesignerWorkspace::FindGuide(double X, double Y) {
    TfrxReportPage* rp = ReportPage();
    if (!rp) return;
    for (int i = 0; i < rp->HGuides()->Count(); ++i) {
        const double g = GuideValue((*rp->HGuides())[i]);
        if (g - 5 < Y / Scale() && Y / Scale() < g + 5) {
            SetMode(dmMoveGuide);
            SetModeCursor(crVSplit);
            FGuideIndex = i;
            FGuideVertical = false;
        }
    }
    for (int i = 0; i < rp->VGuides()->Count(); ++i) {
        const double g = GuideValue((*rp->VGuides())[i]);
        if (g - 5 < X / Scale() && X / Scale() < g + 5) {
            SetMode(dmMoveGuide);
            SetModeCursor(crHSplit);
            FGuideIndex = i;
            FGuideVertical = true;
        }
    }
}

void TDesignerWorkspace::CheckGuides(double& DX, double& DY, bool&) {
    TfrxReportPage* rp = ReportPage();
    if (!rp || !FShowGuides) return;
    auto snap = [](TStringList* Guides, double V, double& D) {
        for (int i = 0; i < Guides->Count(); ++i) {
            const double g = GuideValue((*Guides)[i]);
            if (std::fabs(V + D - g) < 6) {
                D = g - V;
                return;
            }
        }
    };
    auto sx = [&](double V) { snap(rp->VGuides(), V, DX); };
    auto sy = [&](double V) { snap(rp->HGuides(), V, DY); };
    const DM mode = Mode();
    const bool down = IsMouseDown();
    if (mode == DM::dmSizeBand && down && SizedBand()) sy(SizedBand()->Top() + SizedBand()->Height());
    const TfrxInsertion& in = Insertion();
    if ((mode == DM::dmInsertObject || mode == DM::dmInsertLine) && !down) {
        sx(in.Left);
        sy(in.Top);
        sx(in.Left + in.Width);
        sy(in.Top + in.Height);
    }
    if ((mode == DM::dmInsertObject || mode == DM::dmInsertLine) && down) {
        sx(in.Left);
        sy(in.Top);
    }
    if (mode == DM::dmMove && SelectedObjects)
        for (TfrxComponent* c : *SelectedObjects) {
            if (frxKind::IsPageOrReport(c)) continue;
            sx(c->Left());
            sy(c->AbsTop());
            sx(c->Left() + c->Width());
            sy(c->AbsTop() + c->Height());
        }
    if (mode == DM::dmSize && SelectedObjects && !SelectedObjects->empty()) {
        const TfrxComponent* c = SelectedObjects->front();
        const int h = SizeHandle();
        if (h == 1 || h == 4 || h == 6) sx(c->Left());
        if (h == 1 || h == 3 || h == 7) sy(c->AbsTop());
        if (h == 2 || h == 3 || h == 5) sx(c->Left() + c->Width());
        if (h == 2 || h == 4 || h == 8) sy(c->AbsTop() + c->Height());
    }
}

// --- Painting --------------------------------------------------------------------------------------

void TDesignerWorkspace::DrawObjects(TCanvas* C) {
    const TPoint org = Origin();
    const double s = Scale();
    TfrxReportPage* rp = ReportPage();
    if (rp && rp->Columns() > 1) {
        C->Pen()->SetMode(pmCopy);
        C->Pen()->SetStyle(psSolid);
        C->Pen()->SetWidth(1);
        C->Pen()->SetColor(clSilver);
        for (int i = 0; i < rp->ColumnPositions()->Count(); ++i) {
            const int x = Px(GuideValue((*rp->ColumnPositions())[i]) * 3.77953 * s);
            if (x == 0) continue;
            C->MoveTo(x - org.X, -org.Y);
            C->LineTo(x - org.X, Height() - org.Y);
        }
    }
    if (FShowGuides && rp) {
        C->Pen()->SetMode(pmCopy);
        C->Pen()->SetStyle(psSolid);
        C->Pen()->SetWidth(1);
        C->Pen()->SetColor(TColor(0xFFCC00));   // red 0, green 204, blue 255
        for (int i = 0; i < rp->HGuides()->Count(); ++i) {
            const int y = Px(GuideValue((*rp->HGuides())[i]) * s);
            C->MoveTo(-org.X, y - org.Y);
            C->LineTo(Width() - org.X, y - org.Y);
        }
        for (int i = 0; i < rp->VGuides()->Count(); ++i) {
            const int x = Px(GuideValue((*rp->VGuides())[i]) * s);
            C->MoveTo(x - org.X, -org.Y);
            C->LineTo(x - org.X, Height() - org.Y);
        }
    }
    TfrxDesignerWorkspace::DrawObjects(C);
    if (FDropDownMemo) {
        const int right = Px((FDropDownMemo->AbsLeft() + FDropDownMemo->Width()) * s) - org.X;
        const int top = Px(FDropDownMemo->AbsTop() * s) + 2 - org.Y;
        const TRect r = Rect(right - 16, top, right, top + 16);
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(clBtnFace);
        C->FillRect(r);
        C->Pen()->SetColor(clBtnHighlight);
        C->MoveTo(r.Left, r.Bottom - 1);
        C->LineTo(r.Left, r.Top);
        C->LineTo(r.Right - 1, r.Top);
        C->Pen()->SetColor(clBtnShadow);
        C->LineTo(r.Right - 1, r.Bottom - 1);
        C->LineTo(r.Left, r.Bottom - 1);
        C->Pen()->SetColor(clBlack);
        C->Brush()->SetColor(clBlack);
        C->Polygon({Point(r.Left + 4, r.Top + 6), Point(r.Left + 10, r.Top + 6), Point(r.Left + 7, r.Top + 9)});
    }
}

void TDesignerWorkspace::Paint() {
    TfrxDesignerWorkspace::Paint();
    if (!FScreenMapFile.empty()) WriteScreenMap();
    if (FRulerLine == 0) return;
    TCanvas* c = Canvas();
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(clBlack);
    if (FRulerLine == 1) {
        c->MoveTo(FRulerLinePos, 0);
        c->LineTo(FRulerLinePos, Height());
    } else {
        c->MoveTo(0, FRulerLinePos);
        c->LineTo(Width(), FRulerLinePos);
    }
}

// --- Deleting ----------------------------------------------------------------------------------

void TDesignerWorkspace::DeleteObjects() {
    FDropDownMemo = nullptr;
    bool subreport = false;
    if (SelectedObjects)
        for (TfrxComponent* c : *SelectedObjects)
            if (dynamic_cast<TfrxSubreport*>(c)) subreport = true;
    TfrxDesignerWorkspace::DeleteObjects();
    if (subreport && FDesigner) FDesigner->ReloadPages(FDesigner->GetPageIndex());
}

// --- The field drop-down ---------------------------------------------------------------------------

void TDesignerWorkspace::UpdateDropDown(double X, double Y) {
    TfrxMemoView* found = nullptr;
    if (Objects)
        for (auto it = Objects->rbegin(); it != Objects->rend() && !found; ++it) {
            auto* m = dynamic_cast<TfrxMemoView*>(*it);
            if (!m || !BandDataSet(m)) continue;
            const double l = m->AbsLeft(), t = m->AbsTop();
            if (X / Scale() >= l && X / Scale() <= l + m->Width() - 4 && Y / Scale() >= t &&
                Y / Scale() <= t + m->Height())
                found = m;
        }
    if (found == FDropDownMemo) return;
    FDropDownMemo = found;
    InvalidatePage();
    Invalidate();
}

bool TDesignerWorkspace::InDropDownButton(double X, double Y) const {
    if (!FDropDownMemo) return false;
    const double right = FDropDownMemo->AbsLeft() + FDropDownMemo->Width(), top = FDropDownMemo->AbsTop();
    const double x = X / Scale(), y = Y / Scale();
    return x >= right - 16 && x <= right && y >= top && y <= top + 16;
}

void TDesignerWorkspace::OpenFieldList() {
    TfrxDataSet* ds = BandDataSet(FDropDownMemo);
    if (!ds) return;
    const int right = Px((FDropDownMemo->AbsLeft() + FDropDownMemo->Width()) * Scale());
    const int top = Px(FDropDownMemo->AbsTop() * Scale()) + 18;
    int left = right - 140;
    if (left < 0) left = 0;
    FFieldList->SetBounds(left, top, 140, 162);
    ds->GetFieldList(FFieldList->Items());
    FFieldList->SetItemIndex(FFieldList->Items()->IndexOf(FDropDownMemo->DataField));
    FFieldList->Show();
    FFieldList->BringToFront();
}

void TDesignerWorkspace::FieldListClick(TObject*) {
    const int i = FFieldList->ItemIndex();
    if (!FDropDownMemo || i < 0) return;
    TfrxDataSet* ds = BandDataSet(FDropDownMemo);
    FDropDownMemo->SetDataSet(ds);
    FDropDownMemo->DataField = (*FFieldList->Items())[i];
    // The text shows the binding, as the inspector's DataField writes it: the page drew the
    // old text (or another field's) over an object that prints the field chosen.
    if (ds) FDropDownMemo->SetText("[" + ds->UserName() + ".\"" + FDropDownMemo->DataField + "\"]");
    FFieldList->Hide();
    SetModified(true);
    InvalidatePage();
    DoModify();
}

void TDesignerWorkspace::FieldListDrawItem(TWinControl*, int Index, TRect R, TOwnerDrawState State) {
    TCanvas* c = FFieldList->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(State.Contains(odSelected) ? clHighlight : clWindow);
    c->Font()->SetColor(State.Contains(odSelected) ? clHighlightText : clWindowText);
    c->FillRect(R);
    frxResources().MainButtonImages()->Draw(c, R.Left, R.Top, frxButton::Field);
    c->TextOut(R.Left + 20, R.Top + 1, (*FFieldList->Items())[Index]);
}

// --- Mouse -------------------------------------------------------------------------------------------

void TDesignerWorkspace::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Locked()) {
        TfrxDesignerWorkspace::MouseDown(Button, Shift, X, Y);
        return;
    }
    if (!Inserting() && FFieldList->Visible() == false && InDropDownButton(X, Y)) {
        OpenFieldList();
        return;
    }
    FFieldList->Hide();
    switch (FTool) {
        case toolHand:
            SetMode(DM::dmNone);
            FHandDown = true;
            SetMouseDown(true);
            FHandX = X;
            FHandY = Y;
            return;
        case toolZoom:
        case toolText:
            SetMode(DM::dmSelectionRect);
            SetSelectionRect({double(X), double(Y), double(X), double(Y)});
            if (FTool == toolZoom && Button != mbLeft) return;
            TfrxDesignerWorkspace::MouseDown(Button, Shift, X, Y);
            return;
        case toolFormat: SetMode(DM::dmNone); return;
        default: break;
    }
    TfrxDesignerWorkspace::MouseDown(Button, Shift, X, Y);
}

void TDesignerWorkspace::MouseMove(TShiftState Shift, int X, int Y) {
    const bool guideDrag = Mode() == dmMoveGuide && IsMouseDown();
    if (!guideDrag) TfrxDesignerWorkspace::MouseMove(Shift, X, Y);
    if (Locked()) return;
    switch (FTool) {
        case toolHand:
            SetModeCursor(kHandCursor);
            if (FHandDown) HandMove(X, Y);
            return;
        case toolZoom: SetModeCursor(kZoomCursor); return;
        case toolText: SetModeCursor(crIBeam); return;
        case toolFormat: SetModeCursor(kFormatCursor); return;
        default: break;
    }
    TfrxReportPage* rp = ReportPage();
    if (guideDrag && rp) {
        TStringList* guides = FGuideVertical ? rp->VGuides() : rp->HGuides();
        if (FGuideIndex < 0 || FGuideIndex >= guides->Count()) return;
        double dx = X / Scale() - LastMouseX(), dy = Y / Scale() - LastMouseY();
        if (GridAlign && GridX > 0 && GridY > 0) {
            if (std::fabs(dx) < GridX && std::fabs(dy) < GridY) return;
            dx = Round(dx / GridX) * GridX;
            dy = Round(dy / GridY) * GridY;
        }
        const double d = FGuideVertical ? dx : dy;
        guides->Put(FGuideIndex, FloatToStr(frxRound8(GuideValue((*guides)[FGuideIndex]) + d)));
        if (FGuideVertical) SetLastMouse(LastMouseX() + d, LastMouseY());
        else SetLastMouse(LastMouseX(), LastMouseY() + d);
        SetModified(true);
        InvalidatePage();
        Repaint();
        return;
    }
    if (!IsMouseDown() && !Inserting() && Mode() == DM::dmNone && !FFieldList->Visible() && rp) {
        FGuideIndex = -1;
        FindGuide(X, Y);
        if (Mode() == DM::dmNone) UpdateDropDown(X, Y);
    }
}

void TDesignerWorkspace::HandMove(int X, int Y) {
    auto* box = dynamic_cast<TScrollingWinControl*>(Parent());
    if (!box) return;
    TControlScrollBar* h = box->HorzScrollBar();
    TControlScrollBar* v = box->VertScrollBar();
    const int oldH = h->Position(), oldV = v->Position();
    h->SetPosition(oldH - (X - FHandX));
    v->SetPosition(oldV - (Y - FHandY));
    if (h->Position() == oldH) FHandX = X;
    if (v->Position() == oldV) FHandY = Y;
}

void TDesignerWorkspace::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Locked()) {
        TfrxDesignerWorkspace::MouseUp(Button, Shift, X, Y);
        return;
    }
    switch (FTool) {
        case toolText: TextUp(X, Y); return;
        case toolZoom: ZoomUp(Button, X, Y); break;
        case toolFormat: FormatUp(X, Y); break;
        case toolHand: FHandDown = false; break;
        default: break;
    }
    TfrxReportPage* rp = ReportPage();
    if (Mode() == dmMoveGuide && rp) {
        TStringList* guides = FGuideVertical ? rp->VGuides() : rp->HGuides();
        if (FGuideIndex >= 0 && FGuideIndex < guides->Count()) {
            const double g = GuideValue((*guides)[FGuideIndex]);
            const double limit = (FGuideVertical ? Width() : Height()) / Scale() - 3;
            if (g < 3 || g > limit) {
                guides->Delete(FGuideIndex);
                FGuideIndex = -1;
                SetModified(true);
            }
        }
        InvalidatePage();
        Repaint();
    }
    TfrxDesignerWorkspace::MouseUp(Button, Shift, X, Y);
}

void TDesignerWorkspace::ZoomUp(TMouseButton Button, int X, int Y) {
    const TfrxRect r = SelectionRect();
    const double l = std::min(r.Left, r.Right), t = std::min(r.Top, r.Bottom);
    const double w = std::fabs(r.Right - r.Left), h = std::fabs(r.Bottom - r.Top);
    // The zoom tool zooms; it selects nothing.
    SetMode(DM::dmNone);
    auto* box = dynamic_cast<TScrollingWinControl*>(Parent());
    if (!box || !FDesigner) return;
    const TRect client = box->ClientRect();
    const double old = Scale();
    auto* rp = ReportPage();
    const double ml = rp ? rp->LeftMargin * 3.77953 : 0, mt = rp ? rp->TopMargin * 3.77953 : 0;
    if (w > 5 && h > 5 && Button == mbLeft) {
        const double k = std::min((client.Width() - 16) / w, (client.Height() - 16) / h);
        FDesigner->SetScale(old * k);
        const double now = Scale();
        box->HorzScrollBar()->SetPosition(static_cast<int>(Round((l / old + ml) * now)));
        box->VertScrollBar()->SetPosition(static_cast<int>(Round((t / old + mt) * now)));
        return;
    }
    double next = old;
    if (Button == mbLeft) next = old >= 1 ? old + 1 : old + 0.25;
    else if (old >= 2) next = old - 1;
    else if (old > 0.4) next = old - 0.25;
    FDesigner->SetScale(next);
    const double now = Scale();
    box->HorzScrollBar()->SetPosition(static_cast<int>(Round((X / old + ml) * now - client.Width() / 2.0)));
    box->VertScrollBar()->SetPosition(static_cast<int>(Round((Y / old + mt) * now - client.Height() / 2.0)));
}

void TDesignerWorkspace::TextUp(int X, int Y) {
    SetMode(DM::dmNone);
    SetMouseDown(false);
    const TfrxRect r = SelectionRect();
    double l = std::min(r.Left, r.Right) / Scale(), t = std::min(r.Top, r.Bottom) / Scale();
    double rr = std::max(r.Left, r.Right) / Scale(), b = std::max(r.Top, r.Bottom) / Scale();
    if (InplaceMemo()->Visible()) InplaceMemo()->EditDone();
    if (!SelectedObjects || !Objects) return;
    TfrxCustomMemoView* memo = nullptr;
    if ((rr - l) * Scale() >= 5 && (b - t) * Scale() >= 5) {
        if (GridAlign && GridX > 0 && GridY > 0) {
            l = Round(l / GridX) * GridX;
            rr = Round(rr / GridX) * GridX;
            t = Round(t / GridY) * GridY;
            b = Round(b / GridY) * GridY;
        }
        TfrxInsertion& in = Insertion();
        in.ComponentClass =
            frxKind::IsDMPPage(Page) ? TfrxDMPMemoView::StaticClass() : TfrxMemoView::StaticClass();
        in.Flags = 0;
        in.Left = frxRound8(l);
        in.Top = frxRound8(t);
        in.Width = frxRound8(rr - l);
        in.Height = frxRound8(b - t);
        const size_t before = Objects->size();
        OnInsertObject(this);
        AdjustBands();
        if (Objects->size() > before) memo = dynamic_cast<TfrxCustomMemoView*>(Objects->back());
    } else {
        const double x = X / Scale(), y = Y / Scale();
        for (TfrxComponent* c : *Objects) {
            auto* m = dynamic_cast<TfrxCustomMemoView*>(c);
            if (!m) continue;
            const double al = m->AbsLeft(), at = m->AbsTop();
            if (x >= al && x <= al + m->Width() && y >= at && y <= at + m->Height()) memo = m;
        }
    }
    if (!memo) {
        Repaint();
        return;
    }
    SelectedObjects->clear();
    SelectedObjects->push_back(memo);
    SelectionChanged();
    InplaceMemo()->Edit(memo);
}

void TDesignerWorkspace::FormatUp(int X, int Y) {
    if (!SelectedObjects || SelectedObjects->empty() || !Objects) return;
    TfrxComponent* first = SelectedObjects->front();
    auto* source = dynamic_cast<TfrxView*>(first);
    if (!source) return;
    const double x = X / Scale(), y = Y / Scale();
    for (auto it = Objects->rbegin(); it != Objects->rend(); ++it) {
        auto* m = dynamic_cast<TfrxMemoView*>(*it);
        if (!m || m == first || m->Restrictions().Contains(rfDontModify)) continue;
        const double al = m->AbsLeft(), at = m->AbsTop();
        if (!(x >= al && x <= al + m->Width() && y >= at && y <= at + m->Height())) continue;
        m->SetColor(source->Color());
        m->SetFont(source->Font());
        m->Frame()->Assign(source->Frame());
        m->SetBrushStyle(source->BrushStyle());
        if (auto* sm = dynamic_cast<TfrxCustomMemoView*>(source)) {
            m->HAlign = sm->HAlign;
            m->VAlign = sm->VAlign;
        }
        SetModified(true);
        InvalidatePage();
        break;
    }
}

void TDesignerWorkspace::DblClick() {
    if (FTool == toolSelect) TfrxDesignerWorkspace::DblClick();
}
