// The workspace's companions: the in-place memo editor and the margins panel.
#include <algorithm>
#include <cmath>

#include "designer/workspace/Workspace.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/Keys.h"
#include "report/MemoView.h"

using DM = TfrxDesignMode;

// --- The in-place memo ----------------------------------------------------------------------

TInplaceMemo::TInplaceMemo(TComponent* AOwner) : TMemo(AOwner) {
    SetVisible(false);
    SetWordWrap(false);
    SetBorderStyle(bsNone);
}

void TInplaceMemo::Edit(TfrxCustomMemoView* AMemo) {
    if (!AMemo || !Workspace) return;
    SetMemo(AMemo);
    std::string text = AMemo->Text();
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    else if (!text.empty() && text.back() == '\n') text.pop_back();
    const double s = Workspace->Scale();
    FEditing = false;
    SetText(text);
    SetBounds(static_cast<int>(Round(AMemo->AbsLeft() * s)), static_cast<int>(Round(AMemo->AbsTop() * s)),
              static_cast<int>(Round(AMemo->Width() * s + 1)), static_cast<int>(Round(AMemo->Height() * s + 1)));
    FStartWidth = Width();
    FStartHeight = Height();
    TFont f;
    f.Assign(*AMemo->Font());
    f.SetHeight(static_cast<int>(Round(f.Height() * s)));
    SetFont(&f);
    SetColor(AMemo->Color() == clNone ? clWhite : AMemo->Color());
    SetModified(false);
    SetVisible(true);
    FEditing = true;
    if (CanFocus()) SetFocus();
    SelectAll();
}

void TInplaceMemo::SetMemo(TfrxCustomMemoView* AMemo) {
    if (FMemo == AMemo) return;
    if (FMemo) FMemo->RemoveFreeNotification(this);
    FMemo = AMemo;
    if (FMemo) FMemo->FreeNotification(this);
}

void TInplaceMemo::Notification(TComponent* AComponent, TOperation Operation) {
    TMemo::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FMemo) FMemo = nullptr;
}

void TInplaceMemo::AutoSize() {
    const int n = std::max(1, Lines()->Count());
    const int h = std::abs(Font()->Height());
    const int need = n * (3 + h) + 4;
    if (need > Height() + h) SetHeight(need);
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas()->SetFont(*Font());
    int widest = 0;
    for (int i = 0; i < Lines()->Count(); ++i) widest = std::max(widest, measure.Canvas()->TextWidth((*Lines())[i]));
    if (widest + 6 > Width()) SetWidth(widest + 6);
}

void TInplaceMemo::Change() {
    TMemo::Change();
    if (FEditing) AutoSize();
}

void TInplaceMemo::EditDone() {
    FEditing = false;
    if (FMemo && Workspace && Modified()) {
        const double s = Workspace->Scale();
        FMemo->SetText(Lines()->Text());
        if (Width() != FStartWidth) FMemo->SetWidth((Width() + 5) / s);
        if (Height() != FStartHeight) FMemo->SetHeight((Height() + 5) / s);
        Workspace->SetModified(true);
        Workspace->DoModify();
    }
    SetModified(false);
    SetVisible(false);
    SetMemo(nullptr);
    if (Workspace) {
        Workspace->InvalidatePage();
        Workspace->Repaint();
        Workspace->SetCursor(crDefault);
        if (Workspace->CanFocus()) Workspace->SetFocus();
    }
}

void TInplaceMemo::KeyDown(uint16_t& Key, TShiftState Shift) {
    if (Key == VK_ESCAPE) {
        SetModified(false);
        EditDone();
        Key = 0;
        return;
    }
    TMemo::KeyDown(Key, Shift);
}

void TInplaceMemo::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TMemo::MouseDown(Button, Shift, X, Y);
    EditDone();
}

// --- The margins panel ------------------------------------------------------------------------

TMarginsPanel::TMarginsPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    CreatePaintedPeer();
    SetColor(clWindow);
}

void TMarginsPanel::Paint() { PaintOn(Canvas()); }

void TMarginsPanel::PaintOn(TCanvas* C) {
    const int w = Width(), h = Height();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color());
    C->Pen()->SetMode(pmCopy);
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(TColor(0x505050));
    C->Rectangle(0, 0, w, h);
    C->Polyline({Point(1, h - 1), Point(w - 1, h - 1), Point(w - 1, 0)});
    C->SetPixel(0, h - 1, TColor(0x808080));
    C->SetPixel(w - 1, 0, TColor(0x808080));
    if (!Workspace) return;
    const double s = Workspace->Scale();
    const TRect m = Workspace->Margins();
    const int l = static_cast<int>(Round(m.Left * s)), t = static_cast<int>(Round(m.Top * s));
    const int r = w - static_cast<int>(Round(m.Right * s)), b = h - static_cast<int>(Round(m.Bottom * s));
    C->Pen()->SetColor(TColor(0xC0C0C0));
    C->Pen()->SetStyle(psDot);
    C->Polyline({Point(l, t), Point(r - 1, t), Point(r - 1, b - 1), Point(l, b - 1), Point(l, t)});
    C->Pen()->SetStyle(psSolid);
}

void TMarginsPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Workspace)
        Workspace->MouseDown(Button, Shift, X - (Workspace->Left() - Left()), Y - (Workspace->Top() - Top()));
}

void TMarginsPanel::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (!Workspace) return;
    if (Workspace->Inserting()) Workspace->ParkInsertion();
    else Workspace->MouseMove(Shift, X - (Workspace->Left() - Left()), Y - (Workspace->Top() - Top()));
    SetCursor(Workspace->Cursor());
}

void TMarginsPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Workspace)
        Workspace->MouseUp(Button, Shift, X - (Workspace->Left() - Left()), Y - (Workspace->Top() - Top()));
}
ROVE_IMPLEMENT_CLASS(TInplaceMemo)
ROVE_IMPLEMENT_CLASS(TMarginsPanel)
