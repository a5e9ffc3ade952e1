// Docks, toolbars, their grip and float window, and the position store. The toolbar's
// own positions are kept in its Left and Top inside the dock; the float window's are
// screen coordinates. Mouse positions are always taken from the events (as screen
// points), never from where the pointer happens to be.
#include "preview/Dock.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "platform/rtl/Format.h"
#include "platform/rtl/Settings.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Forms.h"
#include "report/Utils.h"

ROVE_IMPLEMENT_CLASS(TfrxDock)
ROVE_IMPLEMENT_CLASS(TfrxDragBox)
ROVE_IMPLEMENT_CLASS(TfrxToolBar)
ROVE_IMPLEMENT_CLASS(TfrxTBPanel)
ROVE_IMPLEMENT_CLASS(TfrxFloatWindow)
ROVE_IMPLEMENT_CLASS(TfrxDockSplitter)
ROVE_IMPLEMENT_CLASS(TfrxDockSite)
ROVE_IMPLEMENT_CLASS(TfrxDockHost)
ROVE_IMPLEMENT_CLASS(TfrxDockFloat)

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

// A toolbar turns to the dock's direction when it docks: across the rows it is as thick as
// its shorter side, along them as long as its longer one, whichever way it lies now (a
// floating toolbar lies as a row, a toolbar of a side dock stands as a column).
int TfrxToolBar::Thickness() const { return std::min(Width(), Height()); }
int TfrxToolBar::Length() const { return std::max(Width(), Height()); }

void TfrxToolBar::AddToDock(TfrxDock* D) {
    if (!D) return;
    switch (D->Align()) {
    case alBottom: DockTo(D, 0, 1 - Thickness()); break;
    case alLeft: DockTo(D, D->Width() - 1, 0); break;
    case alRight: DockTo(D, 1 - Thickness(), 0); break;
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
    if (form) {
        w->SetOwnerForm(form);
        // The bar's controls keep the form's font: a window of another font would pass
        // its own down to every button and box of the bar as it moves in.
        w->Font()->Assign(*form->Font());
    }
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
        x = std::min(x, d->Width() - Length());
        x = std::max(x, 0);
        y = d->Align() == alBottom ? 1 - Thickness() : d->Height() - 1;
    } else {
        y = Point.Y - d->Top();
        y = std::min(y, d->Height() - Length());
        y = std::max(y, 0);
        x = d->Align() == alRight ? 1 - Thickness() : d->Width() - 1;
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
    // A tool bar held inside lays its buttons in the same direction and takes their length
    // (so that the toolbar's own length, the sum of its controls, is theirs).
    for (int i = 0; i < ControlCount(); ++i) {
        auto* bar = dynamic_cast<TToolBar*>(Controls(i));
        if (!bar || !bar->Visible()) continue;
        bar->SetVertical(vertical);
        bar->ArrangeButtons();
        const TSize e = bar->ContentExtent();
        if (vertical) bar->SetHeight(std::max(e.cy, 1));
        else bar->SetWidth(std::max(e.cx, 1));
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
    // A bar of few or no buttons is a square at least: shorter than thick, the next
    // arrangement would take it for a bar lying the other way and turn it (a row of the
    // empty wizards' bar went to 26 x 13, then to a 13-pixel square).
    length = std::max(length, vertical ? Width() : Height());
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
    // The caption its float window shows in the title bar.
    d.Property("Caption", &TControl::Caption, &TControl::SetCaption);
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
    KeepTitleOnScreen();
}

// Let go with most of it off the screen, the window comes back so far that its title can
// be taken again: 40 pixels of it across, all of it down.
void TfrxFloatWindow::KeepTitleOnScreen() {
    const TRect screen = Screen->WorkAreaRect();
    const int x = std::clamp(Left(), screen.Left + 40 - Width(), std::max(screen.Left, screen.Right - 40));
    const int y = std::clamp(Top(), screen.Top, std::max(screen.Top, screen.Bottom - kTitleHeight));
    if (x != Left() || y != Top()) SetBounds(x, y, Width(), Height());
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

// --- Dock sites ----------------------------------------------------------------------------

namespace {

// The form's frame around its client area (our forms are as large as their client area
// plus the frame the window system draws).
TSize FrameExtra(const TCustomForm* F) { return TSize{F->Width() - F->ClientWidth(), F->Height() - F->ClientHeight()}; }

// Puts a form's client area at (X, Y) of its parent, W x H.
void PlaceClientArea(TCustomForm* F, int X, int Y, int W, int H) {
    const TSize extra = FrameExtra(F);
    F->SetBounds(X, Y, std::max(0, W) + extra.cx, std::max(0, H) + extra.cy);
}

void DrawCaptionBar(TCanvas* c, const TRect& r, const std::string& Text, const TFont& Font) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(TColor(0x808080));
    c->FillRect(r);
    c->Font()->Assign(Font);
    c->Font()->SetStyle(TFontStyles{fsBold});
    c->Font()->SetColor(clCaptionText);
    c->Brush()->SetStyle(bsClear);
    c->TextOut(r.Left + 4, r.Top + 1, Text);
    // The close mark at the right end.
    c->Pen()->SetColor(clCaptionText);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    const int x = r.Right - 12, y = r.Top + 4;
    for (int i = 0; i < 7; ++i) {
        c->MoveTo(x + i, y + i);
        c->LineTo(x + i + 1, y + i);
        c->MoveTo(x + 6 - i, y + i);
        c->LineTo(x + 7 - i, y + i);
    }
}

bool OnCloseMark(const TRect& Bar, TPoint P) { return P.X >= Bar.Right - 14 && P.X < Bar.Right - 2 && P.Y >= Bar.Top && P.Y < Bar.Bottom; }

}  // namespace

TfrxDockSplitter::TfrxDockSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 3, 100);
    SetCursor(crHSplit);
    SetVisible(false);
}

void TfrxDockSplitter::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(0, 0, Width(), Height()));
}

void TfrxDockSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    FPressed = Button == mbLeft;
}

// The site's width follows the mouse: a left site grows with it, a right one against it.
void TfrxDockSplitter::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FPressed || !Site || X == 0) return;
    const int w = Site->Align() == alRight ? Site->Width() - X : Site->Width() + X;
    Site->SetAutoSize(false);
    Site->SetBounds(Site->Left() - (Site->Align() == alRight ? w - Site->Width() : 0), Site->Top(), std::max(20, w),
                    Site->Height());
    Site->SetAutoSize(true);
}

void TfrxDockSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    FPressed = false;
}

TfrxDockSite::TfrxDockSite(TComponent* AOwner) : TCustomPanel(AOwner) {
    SetDockSite(true);
    SetAlign(alLeft);
    SetCaption(" ");
    SetAutoSize(true);
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    SetWidth(10);
    FSplitter = new TfrxDockSplitter(this);
    FSplitter->Site = this;
}

TfrxDockSite::~TfrxDockSite() {
    // The windows go back to being windows of their own; the hosts go with the site.
    for (TfrxDockHost* h : std::vector<TfrxDockHost*>(FHosts)) h->Release();
    FHosts.clear();
}

void TfrxDockSite::SetParent(TWinControl* AParent) {
    TCustomPanel::SetParent(AParent);
    if (FSplitter) FSplitter->SetParent(AParent);
    SizeSplitter();
}

void TfrxDockSite::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
    SizeSplitter();
    if (!FArranging) ArrangeHosts();
}

// The splitter stands beside the site (3 pixels past a left site's right edge, else 3
// pixels left of it) with the site's alignment.
void TfrxDockSite::SizeSplitter() {
    if (!FSplitter || !FSplitter->Parent()) return;
    const bool right = Align() == alRight;
    const int x = right ? Left() - 3 : Left() + Width() + 3;
    if (FSplitter->Align() != Align()) FSplitter->SetAlign(Align() == alNone ? alLeft : Align());
    if (FSplitter->Left() != x) FSplitter->SetLeft(x);
}

TCustomForm* TfrxDockSite::DockClients(int Index) const {
    if (Index < 0 || Index >= DockClientCount()) return nullptr;
    return FHosts[static_cast<size_t>(Index)]->Form();
}

bool TfrxDockSite::Contains(const TCustomForm* Form) const {
    return std::any_of(FHosts.begin(), FHosts.end(), [&](const TfrxDockHost* h) { return h->Form() == Form; });
}

void TfrxDockSite::DockForm(TCustomForm* Form, int Height) {
    if (!Form) return;
    // A window docked here already keeps its place and takes the height given at the
    // site's next arrangement (its width stays the window's until then).
    if (Contains(Form)) {
        for (TfrxDockHost* h : FHosts)
            if (h->Form() == Form && Height > 0) h->Preferred = Height;
        return;
    }
    for (TfrxDockHost* h : FRetired) delete h;
    FRetired.clear();
    if (TfrxDockSite* other = frxDockSiteOf(Form))
        for (TfrxDockHost* h : other->FHosts)
            if (h->Form() == Form) {
                other->DoUnDock(h);
                break;
            }
    if (auto* f = dynamic_cast<TfrxDockFloat*>(Form->Parent())) {
        Form->SetParent(nullptr);
        f->Release();
    }
    const int width = Form->ClientWidth();
    const int height = Height > 0 ? Height : Form->ClientHeight() + TfrxDockHost::CaptionHeight;
    auto* host = new TfrxDockHost(this, Form);
    host->SetParent(this);
    host->Preferred = height;
    host->SetBounds(0, 0, std::max(Width(), width), height);
    FHosts.push_back(host);
    if (width > Width() || FHosts.size() == 1) {
        SetAutoSize(false);
        SetWidth(std::max(width, FHosts.size() == 1 ? width : Width()));
        SetAutoSize(true);
    }
    FSplitter->Show();
    SizeSplitter();
    ArrangeHosts();
    Form->Show();
}

void TfrxDockSite::UndockForm(TCustomForm* Form, TPoint At) {
    for (TfrxDockHost* h : FHosts) {
        if (h->Form() != Form) continue;
        const int w = h->Width();
        const int hh = std::max(60, h->Height() - TfrxDockHost::CaptionHeight);
        DoUnDock(h);
        auto* f = new TfrxDockFloat(ParentForm() ? static_cast<TComponent*>(ParentForm()) : Owner(), Form, ParentForm());
        f->SetBounds(At.X, At.Y, w, hh + TfrxDockFloat::TitleHeight);
        f->Show();
        Form->Show();
        return;
    }
}

void TfrxDockSite::DockOver(TCustomForm* Form) { FDraggedWidth = Form ? Form->ClientWidth() : 0; }

void TfrxDockSite::DockDrop(TCustomForm* Form) {
    DockForm(Form);
    if (FDraggedWidth > Width()) {
        SetAutoSize(false);
        SetWidth(FDraggedWidth);
        SetAutoSize(true);
    }
    FDraggedWidth = 0;
}

// The window leaves its host; with no window left the site closes up and hides its
// splitter.
void TfrxDockSite::DoUnDock(TfrxDockHost* Host) {
    FHosts.erase(std::remove(FHosts.begin(), FHosts.end(), Host), FHosts.end());
    Host->Release();
    Host->Hide();
    FRetired.push_back(Host);
    if (FHosts.size() <= 0) {
        FSplitter->Hide();
        SetAutoSize(false);
        SetWidth(0);
        SetAutoSize(true);
    }
    ArrangeHosts();
}

// One below the other at their heights; the last takes what is left.
void TfrxDockSite::ArrangeHosts() {
    if (FArranging) return;
    FArranging = true;
    const int w = ClientWidth();
    int top = 0;
    // A host whose window was closed takes no room; the last one shown takes the rest.
    size_t lastShown = FHosts.size();
    for (size_t i = 0; i < FHosts.size(); ++i)
        if (FHosts[i]->Visible()) lastShown = i;
    for (size_t i = 0; i < FHosts.size(); ++i) {
        TfrxDockHost* h = FHosts[i];
        if (!h->Visible()) continue;
        const bool last = i == lastShown;
        const int height = last ? std::max(TfrxDockHost::CaptionHeight, ClientHeight() - top) : h->Preferred;
        h->SetBounds(0, top, w, height);
        top += height;
    }
    FArranging = false;
}

std::string TfrxDockSite::SaveLayout() const {
    std::string out;
    for (const TfrxDockHost* h : FHosts) {
        if (!h->Form()) continue;
        if (!out.empty()) out += ';';
        out += h->Form()->Name() + "," + std::to_string(h->Preferred);
    }
    return out;
}

void TfrxDockSite::LoadLayout(const std::string& Layout) {
    size_t pos = 0;
    while (pos <= Layout.size()) {
        const size_t end = std::min(Layout.find(';', pos), Layout.size());
        const std::string item = Layout.substr(pos, end - pos);
        pos = end + 1;
        const size_t comma = item.find(',');
        if (comma == std::string::npos) continue;
        TCustomForm* form = ReloadDockedControl(item.substr(0, comma));
        int height = 0;
        if (!form || !TryStrToInt(item.substr(comma + 1), height) || height < 0 || height > 10000) continue;
        DockForm(form, height);
    }
}

TCustomForm* TfrxDockSite::ReloadDockedControl(const std::string& Name) {
    if (Name.empty()) return nullptr;
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (SameText(Screen->Forms(i)->Name(), Name)) return Screen->Forms(i);
    return nullptr;
}

TfrxDockHost::TfrxDockHost(TfrxDockSite* Site, TCustomForm* Form) : TCustomControl(Site), FSite(Site), FForm(Form) {
    CreatePaintedPeer();
    FForm->FreeNotification(this);
    FForm->SetParent(this);
    PlaceForm();
}

TfrxDockHost::~TfrxDockHost() { Release(); }

TCustomForm* TfrxDockHost::Release() {
    TCustomForm* f = FForm;
    if (!f) return nullptr;
    FForm = nullptr;
    f->RemoveFreeNotification(this);
    if (f->Parent() == this) f->SetParent(nullptr);
    return f;
}

void TfrxDockHost::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FForm) {
        FForm = nullptr;
        FSite->FHosts.erase(std::remove(FSite->FHosts.begin(), FSite->FHosts.end(), this), FSite->FHosts.end());
        Hide();
        FSite->ArrangeHosts();
    }
}

void TfrxDockHost::BoundsChanged(bool Resized) {
    TCustomControl::BoundsChanged(Resized);
    if (Resized) PlaceForm();
}

void TfrxDockHost::PlaceForm() {
    if (FForm) PlaceClientArea(FForm, 0, CaptionHeight, Width(), Height() - CaptionHeight);
}

void TfrxDockHost::Paint() {
    DrawCaptionBar(Canvas(), Rect(0, 0, Width(), CaptionHeight), FForm ? FForm->Text() : std::string(), *Font());
}

void TfrxDockHost::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || Y >= CaptionHeight) return;
    if (OnCloseMark(Rect(0, 0, Width(), CaptionHeight), {X, Y})) {
        if (TCustomForm* f = FForm) f->Hide();
        // The host goes with its window, and the windows below move up.
        Hide();
        FSite->ArrangeHosts();
        return;
    }
    FPressed = true;
    FPressAt = ClientToScreen({X, Y});
}

// Dragged out of the site by more than the drag threshold, the window floats at the
// mouse and the drag goes on with its float window.
void TfrxDockHost::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (!FPressed || !(Shift & ssLeft) || !FForm) return;
    const TPoint at = ClientToScreen({X, Y});
    const TPoint siteAt = FSite->ScreenToClient(at);
    const bool outside = siteAt.X < 0 || siteAt.X >= FSite->Width() || siteAt.Y < 0 || siteAt.Y >= FSite->Height();
    if (!outside) {
        // Inside the site the caption bar is the line between its window and the one shown
        // above it: moved up or down, it makes that window shorter or taller.
        TfrxDockHost* above = nullptr;
        for (TfrxDockHost* h : FSite->FHosts) {
            if (h == this) break;
            if (h->Visible()) above = h;
        }
        const int dy = at.Y - FPressAt.Y;
        if (!above || dy == 0) return;
        const int height = std::clamp(above->Preferred + dy, CaptionHeight,
                                      std::max(CaptionHeight, Top() + Height() - above->Top() - 2 * CaptionHeight));
        FPressAt.Y += height - above->Preferred;
        above->Preferred = height;
        FSite->ArrangeHosts();
        return;
    }
    if ((std::abs(at.X - FPressAt.X) < Mouse()->DragThreshold() &&
                     std::abs(at.Y - FPressAt.Y) < Mouse()->DragThreshold()))
        return;
    FPressed = false;
    TCustomForm* form = FForm;
    TfrxDockSite* site = FSite;
    site->UndockForm(form, at);   // this host goes
    if (auto* f = dynamic_cast<TfrxDockFloat*>(form->Parent())) f->DragStart(at);
}

void TfrxDockHost::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    FPressed = false;
}

TfrxDockFloat::TfrxDockFloat(TComponent* AOwner, TCustomForm* Form, TCustomForm* OwnerForm)
    : TPopupWindow(AOwner), FForm(Form), FOwnerForm(OwnerForm) {
    if (OwnerForm) SetOwnerForm(OwnerForm);
    FForm->FreeNotification(this);
    if (OwnerForm) OwnerForm->FreeNotification(this);
    FForm->SetParent(this);
}

TfrxDockFloat::~TfrxDockFloat() {
    if (Mouse()->Capture() == this) Mouse()->SetCapture(nullptr);
    if (FForm) {
        FForm->RemoveFreeNotification(this);
        if (FForm->Parent() == this) FForm->SetParent(nullptr);
    }
}

void TfrxDockFloat::Notification(TComponent* AComponent, TOperation Operation) {
    TPopupWindow::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FForm) FForm = nullptr;
    if (AComponent == FOwnerForm) FOwnerForm = nullptr;
}

void TfrxDockFloat::BoundsChanged(bool Resized) {
    TPopupWindow::BoundsChanged(Resized);
    if (FForm && FForm->Parent() == this) PlaceClientArea(FForm, 0, TitleHeight, Width(), Height() - TitleHeight);
}

void TfrxDockFloat::Paint() {
    DrawCaptionBar(Canvas(), Rect(0, 0, Width(), TitleHeight), FForm ? FForm->Text() : std::string(), *Font());
}

TfrxDockSite* TfrxDockFloat::SiteUnder(TPoint Cursor) const {
    if (!FOwnerForm) return nullptr;
    std::function<TfrxDockSite*(TWinControl*)> find = [&](TWinControl* parent) -> TfrxDockSite* {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            auto* wc = dynamic_cast<TWinControl*>(parent->Controls(i));
            if (!wc || !wc->Visible()) continue;
            if (auto* site = dynamic_cast<TfrxDockSite*>(wc)) {
                // An empty site is a line: the mouse counts within eight pixels of it.
                const TPoint p = site->ScreenToClient(Cursor);
                const int slack = site->Width() < 8 ? 8 : 0;
                if (p.X >= -slack && p.X <= site->Width() + slack && p.Y >= 0 && p.Y <= site->Height()) return site;
            }
            if (TfrxDockSite* s = find(wc)) return s;
        }
        return nullptr;
    };
    return find(FOwnerForm);
}

void TfrxDockFloat::DragStart(TPoint Cursor) {
    FDragging = true;
    FLast = Cursor;
    Mouse()->SetCapture(this);
}

void TfrxDockFloat::DragMove(TPoint Cursor) {
    if (!FDragging) return;
    SetBounds(Left() + Cursor.X - FLast.X, Top() + Cursor.Y - FLast.Y, Width(), Height());
    FLast = Cursor;
    if (TfrxDockSite* site = SiteUnder(Cursor)) site->DockOver(FForm);
}

void TfrxDockFloat::DragEnd(TPoint Cursor) {
    if (!FDragging) return;
    FDragging = false;
    if (Mouse()->Capture() == this) Mouse()->SetCapture(nullptr);
    if (TfrxDockSite* site = SiteUnder(Cursor); site && FForm) {
        site->DockOver(FForm);
        site->DockDrop(FForm);   // this window goes
    }
}

void TfrxDockFloat::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TPopupWindow::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || Y >= TitleHeight) return;
    if (OnCloseMark(Rect(0, 0, Width(), TitleHeight), {X, Y})) {
        Hide();
        return;
    }
    DragStart(ClientToScreen({X, Y}));
}

void TfrxDockFloat::MouseMove(TShiftState Shift, int X, int Y) {
    TPopupWindow::MouseMove(Shift, X, Y);
    if (Shift & ssLeft) DragMove(ClientToScreen({X, Y}));
}

void TfrxDockFloat::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TPopupWindow::MouseUp(Button, Shift, X, Y);
    DragEnd(ClientToScreen({X, Y}));
}

TfrxDockSite* frxDockSiteOf(const TCustomForm* Form) {
    auto* host = Form ? dynamic_cast<TfrxDockHost*>(Form->Parent()) : nullptr;
    return host ? dynamic_cast<TfrxDockSite*>(host->Parent()) : nullptr;
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

// Where a stored place along a dock's rows comes back: inside the dock as the user sees
// it. The window is made (and the place restored) before it is shown, and a window to be
// maximised gets that size only as it is shown: its docks reach as far as they will then.
int AlongTheRow(const TfrxDock* D, const TfrxToolBar* T, int At) {
    const bool horz = D->Horizontal();
    int reach = horz ? D->Width() : D->Height();
    if (const TCustomForm* form = D->ParentForm(); form && !form->Showing() && form->WindowState() == wsMaximized) {
        const TRect screen = Screen->WorkAreaRect();
        reach += std::max(0, horz ? screen.Width() - form->Width() : screen.Height() - form->Height());
    }
    return std::clamp(At, 0, std::max(0, reach - T->Length()));
}

// A stored place across a dock's rows comes back on the nearest row the dock has, or on
// a new row at its free edge: a place beyond the rows (above the top dock's first row) would
// leave the bar where nobody sees it.
int OnARow(const TfrxDock* D, const TfrxToolBar* T, int At) {
    const int rowSize = std::max(1, D->RowSize());
    const int thickness = D->Horizontal() ? D->Height() : D->Width();
    const int rows = thickness / rowSize;
    const int barThickness = T->Thickness();
    auto nearest = [&](int Offset) { return std::clamp((Offset + rowSize / 2) / rowSize, 0, rows) * rowSize; };
    if (D->Align() == alBottom || D->Align() == alRight) {
        // Rows counted from the outer edge: the bar's outer side lies on a row's end.
        const int fromOuter = nearest(std::max(0, thickness - (At + barThickness)));
        return thickness - fromOuter - barThickness;
    }
    return nearest(std::max(0, At));
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
    // A floating bar has no dock: a name left from when it was docked would dock it there
    // if the store were read without its "Float".
    if (TfrxDock* d = T->Dock()) Store.WriteString(s, "Dock", d->Name());
    else Store.DeleteKey(s, "Dock");
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
            const bool horz = target->Horizontal();
            int& along = horz ? x : y;
            int& across = horz ? y : x;
            along = AlongTheRow(target, T, along);
            across = OnARow(target, T, across);
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
    TfrxDockSite* site = frxDockSiteOf(F);
    Store.WriteString(s, "Dock", site ? site->Name() : std::string());
}

void SaveDockState(TCustomIniFile& Store, TfrxDockSite* Site) {
    if (!Site) return;
    const std::string layout = Site->SaveLayout();
    TMemoryStream stream;
    stream.Write(layout.data(), static_cast<int64_t>(layout.size()));
    std::string hex;
    frxStreamToHex(stream, hex);
    Store.WriteString("Dock." + Site->Name(), "Data", hex);
}

void RestoreDockState(TCustomIniFile& Store, TfrxDockSite* Site) {
    if (!Site) return;
    const std::string hex = Store.ReadString("Dock." + Site->Name(), "Data", "");
    if (hex.empty()) return;
    TMemoryStream stream;
    try {
        frxHexToStream(hex, stream);
    } catch (const Exception&) {
        return;   // not a layout this program wrote
    }
    if (stream.Size() == 0) return;
    const std::string layout(stream.Memory(), static_cast<size_t>(stream.Size()));
    Site->LoadLayout(layout);
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
        if (auto* site = dynamic_cast<TfrxDockSite*>(frxFindComponent(F->Owner(), dock))) site->DockForm(F);
    F->SetVisible(Store.ReadBool(s, "Visible", true));
}

void frxRegisterDockClasses() {
    RegisterClasses({TfrxDock::StaticClass(), TfrxToolBar::StaticClass(), TfrxTBPanel::StaticClass(),
                     TfrxDockSite::StaticClass()});
}
