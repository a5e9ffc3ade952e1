// Docks, toolbars, their grip and float window, and the position store. The toolbar's
// own positions are kept in its Left and Top inside the dock; the float window's are
// screen coordinates. Mouse positions are always taken from the events (as screen
// points), never from where the pointer happens to be.
#include "preview/Dock.h"

#include <algorithm>

#include "platform/rtl/Settings.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Forms.h"
#include "report/Utils.h"

ROVE_IMPLEMENT_CLASS(TfrxDock)
ROVE_IMPLEMENT_CLASS(TfrxDragBox)
ROVE_IMPLEMENT_CLASS(TfrxToolBar)
ROVE_IMPLEMENT_CLASS(TfrxTBPanel)
ROVE_IMPLEMENT_CLASS(TfrxFloatWindow)

namespace {

constexpr int kGripSize = 8;
constexpr int kTitleHeight = 18;   // the float window's title bar, its toolbar below it

}  // namespace

std::vector<TfrxToolBar*>& frxFloatingToolBars() {
    static std::vector<TfrxToolBar*> list;
    return list;
}

namespace {
void ForgetFloating(TfrxToolBar* ToolBar) {
    auto& list = frxFloatingToolBars();
    list.erase(std::remove(list.begin(), list.end(), ToolBar), list.end());
}
}  // namespace

// --- TfrxDock ----------------------------------------------------------------------------

TfrxDock::TfrxDock(TComponent* AOwner) : TCustomControl(AOwner) {
    CreatePaintedPeer();
    SetAlign(alTop);
    SetHeight(1);
}

bool TfrxDock::Horizontal() const { return Align() != alLeft && Align() != alRight; }

std::vector<TfrxToolBar*> TfrxDock::ToolBars() const {
    std::vector<TfrxToolBar*> out;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* t = dynamic_cast<TfrxToolBar*>(Controls(i))) out.push_back(t);
    return out;
}

// Rows are examined from the dock's inner edge outward: a row no visible toolbar lies on
// goes, the toolbars beyond it close up; then toolbars sticking out make the dock grow.
void TfrxDock::AdjustBounds() {
    const std::vector<TfrxToolBar*> all = ToolBars();
    const bool horz = Horizontal();
    const TAlign a = Align();
    const bool farSide = a == alBottom || a == alRight;   // rows counted from the far edge
    if (all.empty()) {
        if (horz) SetHeight(1);
        else SetWidth(1);
        return;
    }
    std::vector<TfrxToolBar*> bars;
    for (TfrxToolBar* t : all)
        if (t->Visible()) bars.push_back(t);
    const int thickness = horz ? Height() : Width();
    int rows = thickness / FRowSize;
    int size = FRowSize * rows + 1;
    auto lo = [&](TfrxToolBar* t) { return horz ? t->Top() : t->Left(); };
    auto len = [&](TfrxToolBar* t) { return horz ? t->Height() : t->Width(); };
    auto shift = [&](TfrxToolBar* t, int d) {
        if (horz) t->SetTop(t->Top() + d);
        else t->SetLeft(t->Left() + d);
    };
    int step = 0;
    while (step < rows) {
        const int p = farSide ? thickness - step * FRowSize : step * FRowSize;
        bool used = false;
        for (TfrxToolBar* t : bars) {
            const int start = lo(t);
            const int end = start + len(t);
            if ((farSide ? end == p : start == p) || (start < p && p < end)) {
                used = true;
                break;
            }
        }
        if (used) {
            ++step;
            continue;
        }
        for (TfrxToolBar* t : bars)
            if (farSide ? lo(t) + len(t) > p : lo(t) > p) shift(t, -FRowSize);
        size -= FRowSize;
        --rows;
        if (farSide) ++step;
    }
    for (TfrxToolBar* t : bars) {
        if (farSide && lo(t) < 0) {
            const int d = 1 - lo(t);
            for (TfrxToolBar* u : bars) shift(u, d);
            size += d;
            break;
        }
        if (!farSide && lo(t) + len(t) > size) {
            size = lo(t) + len(t) + 1;
            break;
        }
    }
    if (farSide)
        for (TfrxToolBar* t : bars) size = std::max(size, lo(t) + len(t));
    // A bottom or right dock grows toward the window's middle: its outer edge stays.
    const int growth = size - thickness;
    if (horz) {
        if (a == alBottom && growth > 0) SetBounds(Left(), Top() - growth, Width(), size);
        else SetHeight(size);
    } else {
        if (a == alRight && growth > 0) SetBounds(Left() - growth, Top(), size, Height());
        else SetWidth(size);
    }
}

void TfrxDock::Loaded() {
    TCustomControl::Loaded();
    AdjustBounds();
}

void TfrxDock::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(ClientRect());
}

void TfrxDock::DeclareProperties(TPropertyDecl<TfrxDock>& d) {
    d.Property("RowSize", &TfrxDock::RowSize, &TfrxDock::SetRowSize).Default(26);
}

// --- TfrxDragBox -------------------------------------------------------------------------

TfrxDragBox::TfrxDragBox(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, kGripSize, kGripSize); }

// Short shadow lines on every odd row (odd column in a vertical dock).
void TfrxDragBox::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(0, 0, Width(), Height()));
    auto* bar = dynamic_cast<TfrxToolBar*>(Parent());
    const bool vertical = bar && bar->DockOrientation() == 3;
    c->Pen()->SetColor(clBtnShadow);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    if (!vertical) {
        for (int y = 1; y < Height(); y += 2) {
            c->MoveTo(2, y);
            c->LineTo(5, y);
        }
    } else {
        for (int x = 1; x < Width(); x += 2) {
            c->MoveTo(x, 2);
            c->LineTo(x, 5);
        }
    }
}

void TfrxDragBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (auto* bar = dynamic_cast<TfrxToolBar*>(Parent()); bar && Button == mbLeft) bar->GripDown(ClientToScreen({X, Y}));
}

void TfrxDragBox::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (auto* bar = dynamic_cast<TfrxToolBar*>(Parent())) bar->GripMove(ClientToScreen({X, Y}));
}

void TfrxDragBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (auto* bar = dynamic_cast<TfrxToolBar*>(Parent())) bar->GripUp();
}

// --- TfrxToolBar -------------------------------------------------------------------------

TfrxToolBar::TfrxToolBar(TComponent* AOwner) : TCustomControl(AOwner) {
    CreatePaintedPeer();
    SetBounds(0, 0, 100, 26);
    FDragBox = new TfrxDragBox(this);
    FDragBox->SetParent(this);
    PlaceGrip();
}

TfrxToolBar::~TfrxToolBar() {
    ForgetFloating(this);
    if (Mouse()->Capture() == this) Mouse()->SetCapture(nullptr);
    if (FFloatWindow) {
        TfrxFloatWindow* w = FFloatWindow;
        FFloatWindow = nullptr;
        w->ToolBar = nullptr;
        SetParent(nullptr);
        w->Hide();
        delete w;
    }
}

TfrxDock* TfrxToolBar::Dock() const { return dynamic_cast<TfrxDock*>(Parent()); }

int TfrxToolBar::DockOrientation() const {
    TWinControl* p = Parent();
    if (!p) return 0;
    switch (p->Align()) {
    case alTop:
    case alBottom: return 1;
    case alLeft:
    case alRight: return 3;
    default: return static_cast<int>(p->Align());
    }
}

void TfrxToolBar::PlaceGrip() {
    if (!FDragBox || ComponentState().Contains(csDestroying)) return;
    FDragBox->SetAlign(DockOrientation() == 3 ? alTop : alLeft);
    FDragBox->SetBounds(0, 0, kGripSize, kGripSize);
}

void TfrxToolBar::BoundsChanged(bool Resized) {
    TCustomControl::BoundsChanged(Resized);
    if (Resized) PlaceGrip();
}

void TfrxToolBar::Loaded() {
    TCustomControl::Loaded();
    AdjustBounds();
}

void TfrxToolBar::AdjustClientRect(TRect& R) const {
    TCustomControl::AdjustClientRect(R);
    R.Left += 1;
    R.Top += 1;
    R.Right -= 1;
    R.Bottom -= 1;
}

void TfrxToolBar::AddToDock(TfrxDock* D) {
    if (!D) return;
    switch (D->Align()) {
    case alBottom: DockTo(D, 0, 1 - Height()); break;
    case alLeft: DockTo(D, D->Width() - 1, 0); break;
    case alRight: DockTo(D, 1 - Width(), 0); break;
    default: DockTo(D, 0, D->Height() - 1); break;
    }
}

void TfrxToolBar::DockTo(TfrxDock* D, int X, int Y) {
    if (!D) return;
    Hide();
    if (TfrxFloatWindow* w = FFloatWindow) {
        FFloatWindow = nullptr;
        w->ToolBar = nullptr;
        w->Hide();
        SetParent(nullptr);
        w->Release();
    }
    TfrxDock* old = Dock();
    SetParent(D);
    if (old && old != D) old->AdjustBounds();
    FIsFloat = false;
    FDragBox->Show();
    Arrange();
    SetBounds(X, Y, Width(), Height());
    Show();
    AdjustBounds();
    D->AdjustBounds();
    ForgetFloating(this);
}

void TfrxToolBar::MakeFloat(int X, int Y) {
    FIsFloat = true;
    if (FFloatWindow) {
        FFloatWindow->SetBounds(X, Y, FFloatWindow->Width(), FFloatWindow->Height());
        return;
    }
    TfrxDock* old = Dock();
    TCustomForm* form = ParentForm();
    Hide();
    FDragBox->Hide();
    auto* w = new TfrxFloatWindow(form ? static_cast<TComponent*>(form) : Owner());
    w->OwnerForm = form;
    if (form) w->SetOwnerForm(form);
    w->SetBounds(X, Y, w->Width(), w->Height());
    w->SetText(Text());
    SetParent(w);
    FFloatWindow = w;
    Arrange();
    AdjustBounds();
    if (old) old->AdjustBounds();
    w->SetBounds(X, Y, Width() + 6, Height() + kTitleHeight + 3);
    w->ToolBar = this;
    SetBounds(3, kTitleHeight, Width(), Height());
    Show();
    w->Show();
    auto& list = frxFloatingToolBars();
    if (std::find(list.begin(), list.end(), this) == list.end()) list.push_back(this);
}

void TfrxToolBar::StartFloat() {
    FIsFloat = true;
    FPressed = false;
    if (Mouse()->Capture() == this) Mouse()->SetCapture(nullptr);
    const TPoint at = FPressPoint;
    MakeFloat(at.X, at.Y);
    if (FFloatWindow) FFloatWindow->StartDrag(at);
}

bool TfrxToolBar::TryMove(int X, int Y) {
    TfrxDock* d = Dock();
    if (!d) return false;
    const bool horz = d->Horizontal();
    bool toFloat = false;
    int passes = 0;
    bool changed = true;
    while (changed && passes < 4 && !toFloat) {
        ++passes;
        const int x0 = X, y0 = Y;
        if (horz) {
            if (X < -20) toFloat = true;
            if (X < 0) X = 0;
            if (X + Width() > d->Width()) X = d->Width() - Width();
        } else {
            if (Y < -20) toFloat = true;
            if (Y < 0) Y = 0;
            if (Y + Height() > d->Height()) Y = d->Height() - Height();
        }
        if (!toFloat) {
            for (TfrxToolBar* t : d->ToolBars()) {
                if (t == this || !t->Visible()) continue;
                if (horz) {
                    const bool sameRow = (t->Top() <= Y && Y < t->Top() + t->Height()) ||
                                         (Y <= t->Top() && t->Top() < Y + Height());
                    if (!sameRow) continue;
                    if (t->Left() <= X && X < t->Left() + t->Width()) X = t->Left() + t->Width();
                    else if (X < t->Left() && t->Left() < X + Width()) X = t->Left() - Width();
                } else {
                    const bool sameRow = (t->Left() <= X && X < t->Left() + t->Width()) ||
                                         (X <= t->Left() && t->Left() < X + Width());
                    if (!sameRow) continue;
                    if (t->Top() <= Y && Y < t->Top() + t->Height()) Y = t->Top() + t->Height();
                    else if (Y < t->Top() && t->Top() < Y + Height()) Y = t->Top() - Height();
                }
            }
        }
        changed = X != x0 || Y != y0;
    }
    if (!FCanFloat) toFloat = false;
    if (toFloat) {
        StartFloat();
        return true;
    }
    if (passes >= 3) return false;
    int noted = -1;
    if (horz ? (Y < 0 || Y + Height() > d->Height()) : (X < 0 || X + Width() > d->Width()))
        noted = horz ? d->Height() : d->Width();
    SetBounds(X, Y, Width(), Height());
    d->AdjustBounds();
    if (FCanFloat && noted >= 0 && (horz ? d->Height() : d->Width()) == noted) StartFloat();
    return true;
}

bool TfrxToolBar::TryDock(TCustomForm* Form, TPoint Point) {
    if (!Form) return false;
    TfrxDock* d = nullptr;
    for (int i = 0; i < Form->ControlCount() && !d; ++i) {
        auto* c = dynamic_cast<TfrxDock*>(Form->Controls(i));
        if (!c || !c->Visible()) continue;
        const TRect r = c->BoundsRect();
        if (Point.X >= r.Left && Point.X <= r.Right && Point.Y >= r.Top && Point.Y <= r.Bottom) d = c;
    }
    if (!d) return false;
    const bool horz = d->Horizontal();
    if ((FOrientation == toHorzOnly && !horz) || (FOrientation == toVertOnly && horz)) return false;
    int x = 0, y = 0;
    if (horz) {
        x = Point.X - d->Left();
        x = std::min(x, d->Width() - Width());
        x = std::max(x, 0);
        y = d->Align() == alBottom ? 1 - Height() : d->Height() - 1;
    } else {
        y = Point.Y - d->Top();
        y = std::min(y, d->Height() - Height());
        y = std::max(y, 0);
        x = d->Align() == alRight ? 1 - Width() : d->Width() - 1;
    }
    DockTo(d, x, y);
    Mouse()->SetCapture(this);
    FPressed = true;
    FPressPoint = Form->ClientToScreen(Point);
    return true;
}

void TfrxToolBar::Arrange() {
    PlaceGrip();
    const bool vertical = DockOrientation() == 3;
    if (!vertical && Width() < Height()) SetBounds(Left(), Top(), Height(), Width());
    if (vertical && Height() < Width()) SetBounds(Left(), Top(), Height(), Width());
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c == FDragBox || !c->Visible()) continue;
        if (!vertical) {
            if (c->Align() == alTop) {
                const int at = c->Top();
                c->SetAlign(alLeft);
                c->SetLeft(at);
            } else if (c->Align() == alBottom) {
                c->SetAlign(alRight);
            }
        } else {
            if (c->Align() == alLeft) {
                const int at = c->Left();
                c->SetAlign(alTop);
                c->SetTop(at);
            } else if (c->Align() == alRight) {
                c->SetAlign(alBottom);
            }
        }
    }
}

void TfrxToolBar::AdjustBounds() {
    Arrange();
    const bool vertical = DockOrientation() == 3;
    int length = 4;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c && c->Visible()) length += vertical ? c->Height() : c->Width();
    }
    if (vertical) SetBounds(Left(), Top(), Width(), length);
    else SetBounds(Left(), Top(), length, Height());
    if (FFloatWindow)
        FFloatWindow->SetBounds(FFloatWindow->Left(), FFloatWindow->Top(), Width() + 6, Height() + kTitleHeight + 3);
}

bool TfrxToolBar::IsVisible() const { return FFloatWindow ? FFloatWindow->Visible() : Visible(); }

void TfrxToolBar::SetShown(bool Value) {
    if (FFloatWindow) FFloatWindow->SetVisible(Value);
    else SetVisible(Value);
    if (TfrxDock* d = Dock()) d->AdjustBounds();
}

void TfrxToolBar::GripDown(TPoint Cursor) {
    FPressPoint = Cursor;
    FPressed = true;
}

// A drag along the row moves by the pixel, across rows by whole rows.
void TfrxToolBar::GripMove(TPoint Cursor) {
    if (FIsFloat) {
        FPressed = false;
        return;
    }
    if (!FPressed) return;
    TfrxDock* d = Dock();
    if (!d) return;
    int dx = Cursor.X - FPressPoint.X;
    int dy = Cursor.Y - FPressPoint.Y;
    if (d->Horizontal()) dy = dy / d->RowSize() * d->RowSize();
    else dx = dx / d->RowSize() * d->RowSize();
    if (dx == 0 && dy == 0) return;
    const TPoint before = FPressPoint;
    FPressPoint = Cursor;   // where the float window starts when the move tears it off
    if (TryMove(Left() + dx, Top() + dy)) {
        if (FIsFloat) return;
        FPressPoint = TPoint{dx != 0 ? Cursor.X : before.X, dy != 0 ? Cursor.Y : before.Y};
    } else {
        FPressPoint = before;
    }
}

void TfrxToolBar::GripUp() {
    FPressed = false;
    if (Mouse()->Capture() == this) Mouse()->SetCapture(nullptr);
}

void TfrxToolBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft) GripDown(ClientToScreen({X, Y}));
}

void TfrxToolBar::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    GripMove(ClientToScreen({X, Y}));
}

void TfrxToolBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    GripUp();
}

// Docked: a one-pixel raised frame.
void TfrxToolBar::Paint() {
    TCanvas* c = Canvas();
    const TRect r = Rect(0, 0, Width(), Height());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    if (!Dock()) return;
    TRect frame = r;
    Frame3D(c, frame, clBtnHighlight, clBtnShadow, 1);
}

void TfrxToolBar::DeclareProperties(TPropertyDecl<TfrxToolBar>& d) {
    using T = TfrxToolBar;
    d.Property("Orientation", &T::Orientation, &T::SetOrientation).Default(toAny);
    d.Property("CanFloat", &T::CanFloat, &T::SetCanFloat).Default(true);
}

// --- TfrxTBPanel -------------------------------------------------------------------------

TfrxTBPanel::TfrxTBPanel(TComponent* AOwner) : TCustomPanel(AOwner) {
    SetBevelOuter(bvNone);
    SetBounds(0, 0, 8, 8);
    SetAlign(alLeft);
}

void TfrxTBPanel::SetParent(TWinControl* AParent) {
    TCustomPanel::SetParent(AParent);
    if (ComponentState().Contains(csDesigning) || !AParent) return;
    if (!dynamic_cast<TCustomPanel*>(AParent) && !dynamic_cast<TfrxToolBar*>(AParent)) return;
    const TWinControl* outer = AParent->Parent();
    const bool side = outer && (outer->Align() == alLeft || outer->Align() == alRight);
    SetAlign(side ? alTop : alLeft);
}

void TfrxTBPanel::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(0, 0, Width(), Height()));
}

// --- TfrxFloatWindow ---------------------------------------------------------------------

TfrxFloatWindow::TfrxFloatWindow(TComponent* AOwner) : TPopupWindow(AOwner) {
    SetBounds(0, 0, 213, 61);
    FCloseBtn = new TSpeedButton(this);
    FCloseBtn->SetParent(this);
    FCloseBtn->SetFlat(true);
    FCloseBtn->SetText("×");
    FCloseBtn->SetBounds(Width() - 14, 4, 11, 11);
    FCloseBtn->OnClick = [this](TObject*) {
        if (ToolBar) ToolBar->SetShown(false);
        else Hide();
    };
}

TfrxFloatWindow::~TfrxFloatWindow() {
    if (Mouse()->Capture() == this) Mouse()->SetCapture(nullptr);
    if (ToolBar) ToolBar->FFloatWindow = nullptr;
}

void TfrxFloatWindow::BoundsChanged(bool Resized) {
    TPopupWindow::BoundsChanged(Resized);
    if (FCloseBtn) FCloseBtn->SetBounds(Width() - 14, 4, 11, 11);
}

void TfrxFloatWindow::StartDrag(TPoint Cursor) {
    FLast = Cursor;
    FDragging = true;
    Mouse()->SetCapture(this);
}

void TfrxFloatWindow::DragMove(TPoint Cursor) {
    if (!FDragging) return;
    SetBounds(Left() + Cursor.X - FLast.X, Top() + Cursor.Y - FLast.Y, Width(), Height());
    FLast = Cursor;
    if (!ToolBar || !OwnerForm) return;
    const TPoint p = OwnerForm->ScreenToClient(Cursor);
    if (ToolBar->TryDock(OwnerForm, p)) FDragging = false;   // this window goes
}

void TfrxFloatWindow::DragEnd() {
    FDragging = false;
    if (Mouse()->Capture() == this) Mouse()->SetCapture(nullptr);
}

void TfrxFloatWindow::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TPopupWindow::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft) StartDrag(ClientToScreen({X, Y}));
}

void TfrxFloatWindow::MouseMove(TShiftState Shift, int X, int Y) {
    TPopupWindow::MouseMove(Shift, X, Y);
    if (Shift & ssLeft) DragMove(ClientToScreen({X, Y}));
}

void TfrxFloatWindow::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TPopupWindow::MouseUp(Button, Shift, X, Y);
    DragEnd();
}

// A grey border three pixels wide, a grey title bar with the caption in bold, and
// button-face lines inside.
void TfrxFloatWindow::Paint() {
    TCanvas* c = Canvas();
    const int w = Width();
    const int h = Height();
    const TColor grey = TColor(0x808080);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(0, 0, w, h));
    c->Brush()->SetColor(grey);
    for (int i = 0; i < 3; ++i) c->FrameRect(Rect(i, i, w - i, h - i));
    c->FillRect(Rect(3, 3, w - 3, kTitleHeight));
    c->Pen()->SetColor(clBtnFace);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->MoveTo(3, kTitleHeight);
    c->LineTo(w - 3, kTitleHeight);
    c->Font()->Assign(*Font());
    c->Font()->SetStyle(TFontStyles{fsBold});
    c->Font()->SetColor(clCaptionText);
    c->Brush()->SetStyle(bsClear);
    c->TextOut(6, 3, Text());
}

// --- The position store ------------------------------------------------------------------

namespace {

std::string ToolBarSection(const TfrxToolBar* T) { return "ToolBar." + T->Name(); }
std::string FormSection(const TCustomForm* F) { return "Form." + F->ClassName(); }

// A window is put where stored only when that place is usable: a size the screen can
// hold and a title bar that is on the screen.
bool UsableBounds(int L, int T, int W, int H) {
    const TRect screen = Screen->WorkAreaRect();
    if (W < 20 || H < 20 || W > 4 * screen.Width() || H > 4 * screen.Height()) return false;
    const int visibleX = std::min(L + W, screen.Right) - std::max(L, screen.Left);
    return visibleX >= 40 && T >= screen.Top - 10 && T <= screen.Bottom - 20;
}

}  // namespace

void SaveToolbarPosition(TCustomIniFile& Store, TfrxToolBar* T) {
    if (!T) return;
    const std::string s = ToolBarSection(T);
    const TfrxFloatWindow* w = T->GetFloatWindow();
    Store.WriteBool(s, "Float", T->IsFloat());
    Store.WriteBool(s, "Visible", T->IsVisible());
    Store.WriteInteger(s, "Left", w ? w->Left() : T->Left());
    Store.WriteInteger(s, "Top", w ? w->Top() : T->Top());
    Store.WriteInteger(s, "Width", T->Width());
    Store.WriteInteger(s, "Height", T->Height());
    if (TfrxDock* d = T->Dock()) Store.WriteString(s, "Dock", d->Name());
}

void RestoreToolbarPosition(TCustomIniFile& Store, TfrxToolBar* T) {
    if (!T) return;
    const std::string s = ToolBarSection(T);
    T->SetShown(false);
    int x = Store.ReadInteger(s, "Left", T->Left());
    int y = Store.ReadInteger(s, "Top", T->Top());
    if (Store.ReadBool(s, "Float", false)) {
        // A floating toolbar stays on the screen whatever was stored.
        const TRect screen = Screen->WorkAreaRect();
        x = std::clamp(x, screen.Left, std::max(screen.Left, screen.Right - 40));
        y = std::clamp(y, screen.Top, std::max(screen.Top, screen.Bottom - 30));
        T->MakeFloat(x, y);
    } else {
        TfrxDock* current = T->Dock();
        TfrxDock* target = current;
        const std::string name = Store.ReadString(s, "Dock", current ? current->Name() : std::string());
        if (T->Owner() && !name.empty())
            if (auto* d = dynamic_cast<TfrxDock*>(T->Owner()->FindComponent(name))) target = d;
        if (target) {
            // Inside the dock's reach: a stored place far outside would open rows to it.
            const int rows = (target->Horizontal() ? target->Height() : target->Width()) / target->RowSize() + 1;
            const int across = rows * target->RowSize();
            if (target->Horizontal()) {
                x = std::clamp(x, 0, std::max(0, target->Width() - T->Width()));
                y = std::clamp(y, -across, across);
            } else {
                y = std::clamp(y, 0, std::max(0, target->Height() - T->Height()));
                x = std::clamp(x, -across, across);
            }
        }
        if (target && target != current) {
            T->DockTo(target, x, y);
        } else {
            T->SetBounds(x, y, T->Width(), T->Height());
        }
    }
    const int w = Store.ReadInteger(s, "Width", T->Width());
    const int h = Store.ReadInteger(s, "Height", T->Height());
    if (w > 0 && h > 0 && w <= 4096 && h <= 4096) T->SetBounds(T->Left(), T->Top(), w, h);
    T->AdjustBounds();
    T->SetShown(Store.ReadBool(s, "Visible", true));
    if (TfrxDock* d = T->Dock()) d->AdjustBounds();
}

void SaveFormPosition(TCustomIniFile& Store, TCustomForm* F) {
    if (!F) return;
    const std::string s = FormSection(F);
    Store.WriteInteger(s, "Left", F->Left());
    Store.WriteInteger(s, "Top", F->Top());
    Store.WriteInteger(s, "Width", F->Width());
    Store.WriteInteger(s, "Height", F->Height());
    Store.WriteBool(s, "Maximized", F->WindowState() == wsMaximized);
    Store.WriteBool(s, "Visible", F->Visible());
    Store.WriteString(s, "Dock", F->Parent() ? F->Parent()->Name() : std::string());
}

void RestoreFormPosition(TCustomIniFile& Store, TCustomForm* F) {
    if (!F) return;
    const std::string s = FormSection(F);
    if (Store.ReadBool(s, "Maximized", false)) {
        F->SetWindowState(wsMaximized);
    } else {
        const int w = Store.ReadInteger(s, "Width", F->Width());
        const int h = Store.ReadInteger(s, "Height", F->Height());
        const int t = Store.ReadInteger(s, "Top", F->Top());
        const int l = Store.ReadInteger(s, "Left", F->Left());
        // Garbage (negative, off the screen, huge) leaves the window where it was made.
        if (UsableBounds(l, t, w, h)) F->SetBounds(l, t, w, h);
    }
    const std::string dock = Store.ReadString(s, "Dock", "");
    if (!dock.empty())
        if (auto* site = dynamic_cast<TWinControl*>(frxFindComponent(F->Owner(), dock))) F->SetParent(site);
    F->SetVisible(Store.ReadBool(s, "Visible", true));
}

void frxRegisterDockClasses() {
    RegisterClasses({TfrxDock::StaticClass(), TfrxToolBar::StaticClass(), TfrxTBPanel::StaticClass()});
}
