// The up-down control: two painted arrow buttons beside an associate edit. The position
// is kept here and written into the associate's text; a number typed into the associate
// is read back before each step, as the buddy of the platform's up-down control is. A
// button held down repeats (first after 400 ms, then every 100 ms), and the arrow keys
// typed in the associate step as the buttons do.
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/QtPeer.h"

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <algorithm>

ROVE_IMPLEMENT_CLASS(TUpDown)

namespace {
constexpr int kRepeatDelay = 400;
constexpr int kRepeatInterval = 100;

// The position as the associate shows it: thousands grouped by "," when asked.
std::string PositionText(int Value, bool Thousands) {
    if (!Thousands) return IntToStr(Value);
    return FormatFloat("#,##0", Value);
}
}  // namespace

// Watches the associate's widgets for the arrow keys.
struct TUpDown::TKeyHook : QObject {
    TUpDown* Owner;
    QPointer<QWidget> Watched;
    explicit TKeyHook(TUpDown* owner) : Owner(owner) {}
    void Watch(QWidget* w) {
        if (Watched) Watched->removeEventFilter(this);
        Watched = w;
        if (w) w->installEventFilter(this);
        if (w)
            for (QWidget* child : w->findChildren<QWidget*>()) child->installEventFilter(this);
    }
    ~TKeyHook() override {
        if (Watched) {
            Watched->removeEventFilter(this);
            for (QWidget* child : Watched->findChildren<QWidget*>()) child->removeEventFilter(this);
        }
    }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
        uint16_t key = 0;
        switch (ke->key()) {
        case Qt::Key_Up: key = VK_UP; break;
        case Qt::Key_Down: key = VK_DOWN; break;
        case Qt::Key_Left: key = VK_LEFT; break;
        case Qt::Key_Right: key = VK_RIGHT; break;
        default: return false;
        }
        bool stepped = false;
        SafeCall([&] { stepped = Owner->AssociateKey(key); });
        return stepped;
    }
};

TUpDown::TUpDown(TComponent* AOwner) : TCustomControl(AOwner), FKeyHook(std::make_unique<TKeyHook>(this)) {
    CreatePaintedPeer();
    FWidth = 15;
    FHeight = 33;
    ApplyBounds();
    FRepeat = new TTimer(this);
    FRepeat->SetEnabled(false);
    FRepeat->SetInterval(kRepeatDelay);
    FRepeat->OnTimer = [this](TObject*) { RepeatTick(); };
}

TUpDown::~TUpDown() {
    FKeyHook.reset();
    if (FAssociate) FAssociate->RemoveFreeNotification(this);
}

void TUpDown::SetAssociate(TWinControl* Value) {
    if (Value == this) Value = nullptr;
    if (FAssociate) FAssociate->RemoveFreeNotification(this);
    FAssociate = Value;
    FKeyHook->Watch(nullptr);
    if (!FAssociate) return;
    FAssociate->FreeNotification(this);
    FKeyHook->Watch(WidgetOf(FAssociate));
    if (ComponentState().Contains(csLoading)) return;
    PlaceBesideAssociate(true);
    ShowInAssociate();
}

// A form resource keeps the associate's width as it was after the up-down took its
// share: the up-down only moves to its side.
void TUpDown::Loaded() {
    TCustomControl::Loaded();
    if (!FAssociate) return;
    PlaceBesideAssociate(false);
    ShowInAssociate();
}

void TUpDown::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FAssociate) {
        FAssociate = nullptr;
        FKeyHook->Watched = nullptr;
    }
}

// The up-down goes to the associate's side with its height; Shrink: the associate first
// gives up the up-down's width on that side.
void TUpDown::PlaceBesideAssociate(bool Shrink) {
    if (!FAssociate) return;
    if (FAssociate->Parent() && Parent() != FAssociate->Parent()) SetParent(FAssociate->Parent());
    const int w = Width();
    if (Shrink) {
        const int aw = std::max(0, FAssociate->Width() - w);
        const int left = FAlignButton == udRight ? FAssociate->Left() : FAssociate->Left() + w;
        FAssociate->SetBounds(left, FAssociate->Top(), aw, FAssociate->Height());
    }
    const int left = FAlignButton == udRight ? FAssociate->Left() + FAssociate->Width() : FAssociate->Left() - w;
    SetBounds(left, FAssociate->Top(), w, FAssociate->Height());
}

void TUpDown::ShowInAssociate() {
    if (FAssociate) FAssociate->SetText(PositionText(FPosition, FThousands));
}

void TUpDown::ReadAssociate() {
    if (!FAssociate) return;
    std::string text = Trim(FAssociate->Text());
    text.erase(std::remove(text.begin(), text.end(), ','), text.end());
    int value = 0;
    if (TryStrToInt(text, value)) FPosition = std::clamp(value, std::min(FMin, FMax), std::max(FMin, FMax));
}

void TUpDown::SetMin(int Value) {
    FMin = Value;
    SetPosition(FPosition);
}

void TUpDown::SetMax(int Value) {
    FMax = Value;
    SetPosition(FPosition);
}

void TUpDown::SetPosition(int Value) {
    FPosition = std::clamp(Value, std::min(FMin, FMax), std::max(FMin, FMax));
    if (!ComponentState().Contains(csLoading)) ShowInAssociate();
}

void TUpDown::SetThousands(bool Value) {
    FThousands = Value;
    ShowInAssociate();
}

void TUpDown::SetOrientation(TUDOrientation Value) {
    FOrientation = Value;
    Invalidate();
}

void TUpDown::SetAlignButton(TUDAlignButton Value) {
    FAlignButton = Value;
    if (!ComponentState().Contains(csLoading)) PlaceBesideAssociate(false);
}

void TUpDown::Step(TUDBtnType Button) {
    ReadAssociate();
    bool allow = true;
    OnChanging(this, allow);
    if (allow) {
        const int lo = std::min(FMin, FMax);
        const int hi = std::max(FMin, FMax);
        // With Max below Min the buttons run the other way.
        const int sign = (Button == btNext) == (FMax >= FMin) ? 1 : -1;
        int next = FPosition + sign * FIncrement;
        if (next > hi) next = FWrap ? lo : hi;
        if (next < lo) next = FWrap ? hi : lo;
        FPosition = next;
        ShowInAssociate();
    }
    OnClick(this, Button);
}

TUDBtnType TUpDown::ButtonAt(int X, int Y) const {
    if (FOrientation == udVertical) return Y < Height() / 2 ? btNext : btPrev;
    return X >= Width() / 2 ? btNext : btPrev;
}

bool TUpDown::AssociateKey(uint16_t Key) {
    if (!FArrowKeys || !Enabled()) return false;
    if (Key == VK_UP) Step(btNext);
    else if (Key == VK_DOWN) Step(btPrev);
    else return false;
    return true;
}

void TUpDown::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled()) return;
    FDown = true;
    FDownButton = ButtonAt(X, Y);
    Invalidate();
    Step(FDownButton);
    FRepeat->SetInterval(kRepeatDelay);
    FRepeat->SetEnabled(true);
}

void TUpDown::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    FRepeat->SetEnabled(false);
    if (!FDown) return;
    FDown = false;
    Invalidate();
}

void TUpDown::RepeatTick() {
    if (!FDown) {
        FRepeat->SetEnabled(false);
        return;
    }
    FRepeat->SetInterval(kRepeatInterval);
    Step(FDownButton);
}

void TUpDown::BoundsChanged(bool Resized) {
    TCustomControl::BoundsChanged(Resized);
    if (Resized) Invalidate();
}

// Two buttons with a raised edge (sunken while held) and a small black triangle each.
void TUpDown::Paint() {
    TCanvas* c = Canvas();
    const int w = Width();
    const int h = Height();
    const bool vertical = FOrientation == udVertical;
    TRect next = vertical ? Rect(0, 0, w, h / 2) : Rect(w / 2, 0, w, h);
    TRect prev = vertical ? Rect(0, h / 2, w, h) : Rect(0, 0, w / 2, h);
    auto button = [&](TRect r, TUDBtnType b) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(r);
        const bool down = FDown && FDownButton == b;
        DrawEdge(c, r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
        const TColor arrow = Enabled() ? clBlack : clBtnShadow;
        c->Pen()->SetColor(arrow);
        c->Pen()->SetStyle(psSolid);
        c->Pen()->SetWidth(1);
        const int shift = down ? 1 : 0;
        const int cx = (r.Left + r.Right) / 2 + shift;
        const int cy = (r.Top + r.Bottom) / 2 + shift;
        // Three rows of 5, 3 and 1 pixels pointing away from the other button.
        for (int k = 0; k < 3; ++k) {
            if (vertical) {
                const int y = b == btNext ? cy + 1 - k : cy - 1 + k;
                c->MoveTo(cx - 2 + k, y);
                c->LineTo(cx + 3 - k, y);
            } else {
                const int x = b == btNext ? cx - 1 + k : cx + 1 - k;
                c->MoveTo(x, cy - 2 + k);
                c->LineTo(x, cy + 3 - k);
            }
        }
    };
    button(next, btNext);
    button(prev, btPrev);
}

void TUpDown::DeclareProperties(TPropertyDecl<TUpDown>& d) {
    using T = TUpDown;
    d.Property("AlignButton", &T::AlignButton, &T::SetAlignButton).Default(udRight);
    d.Property("ArrowKeys", &T::ArrowKeys, &T::SetArrowKeys).Default(true);
    d.Property("Associate", &T::Associate, &T::SetAssociate);
    d.Property("Increment", &T::Increment, &T::SetIncrement).Default(1);
    d.Property("Max", &T::Max, &T::SetMax).Default(100);
    d.Property("Min", &T::Min, &T::SetMin).Default(0);
    d.Property("Orientation", &T::Orientation, &T::SetOrientation).Default(udVertical);
    d.Property("Position", &T::Position, &T::SetPosition).Default(0);
    d.Property("Thousands", &T::Thousands, &T::SetThousands).Default(true);
    d.Property("Wrap", &T::Wrap, &T::SetWrap).Default(false);
    d.Event("OnChanging", &T::OnChanging);
    d.Event("OnClick", &T::OnClick);
}
