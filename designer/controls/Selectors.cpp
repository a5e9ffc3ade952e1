// The colour and line-style pickers and their pop-up window.
#include "designer/controls/Selectors.h"

#include <algorithm>

#include "platform/graphics/Graphics.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/Dialogs.h"

ROVE_IMPLEMENT_CLASS(TfrxPopupForm)
ROVE_IMPLEMENT_CLASS(TfrxCustomSelector)
ROVE_IMPLEMENT_CLASS(TfrxColorSelector)
ROVE_IMPLEMENT_CLASS(TfrxLineSelector)

namespace {

uint32_t& CloseTime() {
    static uint32_t t = 0;
    return t;
}

constexpr TColor kGrey = 0x808080;

}  // namespace

uint32_t frxPopupCloseTime() { return CloseTime(); }

// === The pop-up window ========================================================================

TfrxPopupForm::TfrxPopupForm(TComponent* AOwner) : TForm(AOwner) {
    SetBorderStyle(bsNone);
    SetFormStyle(fsStayOnTop);
    SetText(" ");
    Font()->SetName("Tahoma");
    Font()->SetHeight(-11);
    OnDeactivate = [this](TObject*) {
        CloseTime() = GetTickCount();
        Close();
    };
    OnClose = [](TObject*, TCloseAction& Action) { Action = caFree; };
}

// === The common part ==========================================================================

TfrxCustomSelector::TfrxCustomSelector(TControl* Opener, int AWidth, int AHeight)
    : TCustomPanel(nullptr), FPopup(new TfrxPopupForm(nullptr)) {
    // The window owns the selector and frees it with itself.
    FPopup->InsertComponent(this);
    SetParent(FPopup);
    SetBevelOuter(bvNone);
    SetBounds(0, 0, AWidth, AHeight);
    if (Opener) {
        SetTag(Opener->Tag());
        const TPoint p = Opener->ClientToScreen(TPoint{0, Opener->Height() + 2});
        FPopup->SetBounds(p.X, p.Y, 20, 20);
    }
    FPopup->SetClientWidth(AWidth);
    FPopup->SetClientHeight(AHeight);
    FPopup->Show();
}

void TfrxCustomSelector::Paint() {
    TCanvas& c = *Canvas();
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(TRect{0, 0, Width(), Height()});
    TRect r{0, 0, Width(), Height()};
    ::DrawEdge(&c, r, BDR_RAISEDINNER, BF_RECT);
    PaintChoices(c);
    if (FHot.Right > FHot.Left) {
        TRect h = FHot;
        ::DrawEdge(&c, h, FHotDown ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
}

void TfrxCustomSelector::DrawEdge(int X, int Y, bool Down) {
    FHot = Inside(X, Y) ? HotRect(X, Y) : TRect{};
    FHotDown = Down;
    Invalidate();
}

void TfrxCustomSelector::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomPanel::MouseDown(Button, Shift, X, Y);
    DrawEdge(X, Y, true);
}

void TfrxCustomSelector::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomPanel::MouseMove(Shift, X, Y);
    DrawEdge(X, Y, false);
}

void TfrxCustomSelector::ClosePopup() {
    FPopup->OnDeactivate = nullptr;
    FPopup->Close();
}

// === Colours ==================================================================================

std::array<TColor, 40>& frxSelectorColors() {
    static std::array<TColor, 40> colors = {
        clNone,   0xFFFFFF, 0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
        0x808080, 0xC0C0C0, 0x808000, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF,
        0xCCCCCC, 0xE4E4E4, 0xFFFF00, 0x00CCFF, 0x00CC98, 0x98FFFF, 0xFFCC00, 0xFF98CC,
        0xD8D8D8, 0xF0F0F0, 0xFFFFDC, 0xCAE4FF, 0xCCFFCC, 0xCCFFFF, 0xFFF4CC, 0xCC98FF,
        clBtnFace, clBtnFace, clBtnFace, clBtnFace, clBtnFace, clBtnFace, clBtnFace, clBtnFace,
    };
    return colors;
}

void frxAddCustomColor(TColor Color) {
    auto& t = frxSelectorColors();
    if (std::find(t.begin(), t.end(), Color) != t.end()) return;
    for (int i = 32; i < 40; ++i)
        if (t[static_cast<size_t>(i)] == clBtnFace) {
            t[static_cast<size_t>(i)] = Color;
            return;
        }
    std::move(t.begin() + 33, t.end(), t.begin() + 32);
    t[39] = Color;
}

void frxColorCellAt(int X, int Y, int& Row, int& Column) {
    Column = std::clamp((X - 5) / 18, 0, 7);
    Row = std::max((Y - 5) / 18, 0);
}

TfrxColorSelector::TfrxColorSelector(TControl* Opener) : TfrxCustomSelector(Opener, 155, 125) {}

void TfrxColorSelector::PaintChoices(TCanvas& c) {
    const auto& t = frxSelectorColors();
    c.Pen()->SetColor(kGrey);
    for (int r = 0; r < 5; ++r)
        for (int col = 0; col < 8; ++col) {
            const TColor color = t[static_cast<size_t>(r * 8 + col)];
            c.Brush()->SetColor(r == 0 && col == 0 ? clWhite : color);
            c.Rectangle(8 + 18 * col, 8 + 18 * r, 20 + 18 * col, 20 + 18 * r);
            if (r == 0 && col == 0) {
                c.MoveTo(10, 10);
                c.LineTo(18, 18);
                c.MoveTo(17, 10);
                c.LineTo(9, 18);
            }
        }
    c.Brush()->SetColor(clBtnFace);
    c.Rectangle(8, 98, Width() - 9, Height() - 9);
    const std::string other = "Other...";
    c.Brush()->SetStyle(bsClear);
    c.TextOut((Width() - c.TextWidth(other)) / 2, 100, other);
    c.Brush()->SetStyle(bsSolid);
}

TRect TfrxColorSelector::HotRect(int X, int Y) const {
    int row = 0, col = 0;
    frxColorCellAt(X, Y, row, col);
    if (row <= 4) return TRect{18 * col + 5, 18 * row + 5, 18 * col + 23, 18 * row + 23};
    return TRect{5, 95, Width() - 6, Height() - 6};
}

void TfrxColorSelector::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomPanel::MouseUp(Button, Shift, X, Y);
    // A release dragged out of the selector picks nothing.
    if (!Inside(X, Y)) return;
    int row = 0, col = 0;
    frxColorCellAt(X, Y, row, col);
    if (row >= 5) {
        Popup()->SetClientHeight(0);
        TColorDialog dialog(nullptr);
        dialog.SetOptions(TColorDialogOptions{cdFullOpen});
        dialog.SetColor(FColor == clNone ? clWhite : FColor);
        if (!dialog.Execute()) {
            ClosePopup();
            return;
        }
        FColor = dialog.Color();
        frxAddCustomColor(FColor);
    } else {
        FColor = frxSelectorColors()[static_cast<size_t>(row * 8 + col)];
    }
    Invalidate();
    if (OnColorChanged) OnColorChanged(this);
    ClosePopup();
}

// === Line styles ==============================================================================

int frxLineStyleAt(int Y) { return std::clamp((Y - 5) / 16, 0, 5); }

TfrxLineSelector::TfrxLineSelector(TControl* Opener) : TfrxCustomSelector(Opener, 98, 106) {}

void TfrxLineSelector::PaintChoices(TCanvas& c) {
    c.Pen()->SetColor(clBlack);
    for (int i = 0; i <= 5; ++i) {
        const int y = 16 * i + 12;
        const bool isDouble = i == 5;
        c.Pen()->SetStyle(isDouble ? psSolid : static_cast<TPenStyle>(i));
        const int rows[] = {isDouble ? y - 2 : y, isDouble ? y - 1 : y + 1, y + 2, y + 3};
        for (int k = 0; k < (isDouble ? 4 : 2); ++k) {
            c.MoveTo(7, rows[k]);
            c.LineTo(Width() - 8, rows[k]);
        }
    }
    c.Pen()->SetStyle(psSolid);
}

TRect TfrxLineSelector::HotRect(int, int Y) const {
    const int row = frxLineStyleAt(Y);
    return TRect{5, 16 * row + 5, Width() - 5, 16 * row + 21};
}

void TfrxLineSelector::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomPanel::MouseUp(Button, Shift, X, Y);
    if (!Inside(X, Y)) return;
    FStyle = frxLineStyleAt(Y);
    Invalidate();
    if (OnStyleChanged) OnStyleChanged(this);
    ClosePopup();
}
