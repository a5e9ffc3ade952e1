// The flat combo boxes.
#include "preview/FlatCombo.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

ROVE_IMPLEMENT_CLASS(TfrxCustomComboBox)
ROVE_IMPLEMENT_CLASS(TfrxComboBox)
ROVE_IMPLEMENT_CLASS(TfrxComboEdit)

namespace {
// Halves rounded to the nearest integer, ties to even (as the arrow placement needs).
int HalfRounded(int Value) { return static_cast<int>(std::nearbyint(Value / 2.0)); }
}  // namespace

TRect frxComboEditRect(int Width, int Height, int ButtonWidth, int TextIndent) {
    const int left = TextIndent + 3;
    return TRect{left, 3, left + std::max(0, Width - ButtonWidth - 7 - TextIndent), 3 + std::max(0, Height - 6)};
}

TRect frxComboButtonRect(int Width, int Height, int ButtonWidth) {
    return TRect{Width - ButtonWidth - 2, 2, Width - 2, Height - 2};
}

TPoint frxComboArrowOrigin(int Width, int Height, int ButtonWidth) {
    return TPoint{HalfRounded(ButtonWidth) + Width - ButtonWidth - 4, HalfRounded(Height - 4) + 1};
}

TfrxDropListPlacement frxDropListPlacement(TRect ControlScreen, int ListWidth, int ItemHeight, int ItemCount,
                                           int DropDownCount, int FontHeight, int ScreenHeight) {
    TfrxDropListPlacement p;
    p.Width = ListWidth > 0 ? ListWidth : ControlScreen.Width() - 1;
    if (DropDownCount <= 0 || ItemCount <= 0) p.Height = ItemHeight + 4;
    else p.Height = ItemHeight * std::min(ItemCount, DropDownCount) + 4;
    p.Top = ControlScreen.Bottom;
    if (ControlScreen.Top + FontHeight + p.Height + 6 > ScreenHeight) {
        // Opens above the control, two pixels up.
        p.DroppedUp = true;
        p.Top = ControlScreen.Top - p.Height - 2;
    }
    return p;
}

// --- TfrxCustomComboBox ----------------------------------------------------------------------

TfrxCustomComboBox::TfrxCustomComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {
    SetWidth(100);
}

void TfrxCustomComboBox::SetReadOnly(bool Value) {
    FReadOnly = Value;
    // A read-only box takes its text from the list only.
    SetStyle(Value ? csDropDownList : csDropDown);
}

TfrxDropListPlacement TfrxCustomComboBox::PlaceDropList(int ScreenHeight) {
    const TPoint origin = ClientToScreen(TPoint{0, 0});
    const TRect r{origin.X, origin.Y, origin.X + Width(), origin.Y + Height()};
    TfrxDropListPlacement p = frxDropListPlacement(r, FListWidth, ItemHeight(), Items()->Count(), DropDownCount(),
                                                   ItemHeight(), ScreenHeight);
    FDroppedUp = p.DroppedUp;
    return p;
}

void TfrxCustomComboBox::DeclareProperties(TPropertyDecl<TfrxCustomComboBox>& d) {
    using T = TfrxCustomComboBox;
    d.Property("ListWidth", &T::ListWidth, &T::SetListWidth).Default(0);
    d.Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly).Default(false);
}

TfrxComboBox::TfrxComboBox(TComponent* AOwner) : TfrxCustomComboBox(AOwner) {}

// --- TfrxComboEdit ---------------------------------------------------------------------------

TfrxComboEdit::TfrxComboEdit(TComponent* AOwner) : TComboBox(AOwner) {
    FButtonPanel = new TPanel(this);
    FButtonPanel->SetBevelOuter(bvNone);
    FButton = new TSpeedButton(this);
    FButton->SetParent(FButtonPanel);
    FButton->SetAlign(alClient);
    FButton->SetText("...");
    FButton->OnClick = [this](TObject* Sender) { ButtonClick(Sender); };
}

void TfrxComboEdit::BoundsChanged(bool Resized) {
    TComboBox::BoundsChanged(Resized);
    if (!FButtonPanel) return;
    if (FButtonPanel->Parent() != Parent()) FButtonPanel->SetParent(Parent());
    // The button sits over the right end of the box, inside its frame.
    const int side = std::max(0, Height() - 4);
    FButtonPanel->SetBounds(Left() + Width() - Height() + 2, Top() + 2, side, side);
    FButtonPanel->BringToFront();
}

void TfrxComboEdit::SetButtonEnabled(bool Value) {
    FButtonEnabled = Value;
    FButton->SetEnabled(Value && Enabled());
}

std::string TfrxComboEdit::ButtonHint() const { return FButton->Hint(); }
void TfrxComboEdit::SetButtonHint(const std::string& Value) { FButton->SetHint(Value); }

void TfrxComboEdit::SetEnabled(bool Value) {
    TComboBox::SetEnabled(Value);
    if (FButton) FButton->SetEnabled(Value && FButtonEnabled);
}

void TfrxComboEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
    if (Key == VK_RETURN || Key == VK_ESCAPE) {
        if (TCustomForm* form = GetParentForm(this)) {
            if (form->DialogKey(Key, this)) {
                Key = 0;
                return;
            }
        }
    }
    TComboBox::KeyDown(Key, Shift);
}

void TfrxComboEdit::ButtonClick(TObject*) {
    if (CanFocus()) SetFocus();
    if (OnButtonClick) OnButtonClick(this);
}

void TfrxComboEdit::DeclareProperties(TPropertyDecl<TfrxComboEdit>& d) {
    using T = TfrxComboEdit;
    d.Property("ButtonEnabled", &T::ButtonEnabled, &T::SetButtonEnabled).Default(true);
    d.Property("ButtonHint", &T::ButtonHint, &T::SetButtonHint);
    d.Event("OnButtonClick", &T::OnButtonClick);
}

void frxRegisterFlatCombos() {
    RegisterClasses({TfrxComboBox::StaticClass(), TfrxComboEdit::StaticClass()});
}

// --- TfrxFontList ----------------------------------------------------------------------------

void TfrxFontList::Populate(const std::vector<TfrxFontSlot>& Families, std::vector<TfrxFontSlot>& Slots) {
    FItems = Families;
    std::sort(FItems.begin(), FItems.end(), [](const TfrxFontSlot& a, const TfrxFontSlot& b) { return a.Name < b.Name; });
    FItems.erase(std::unique(FItems.begin(), FItems.end(),
                             [](const TfrxFontSlot& a, const TfrxFontSlot& b) { return a.Name == b.Name; }),
                 FItems.end());
    FMRUCount = -1;
    Slots.resize(MaxRecent);
    for (int i = MaxRecent - 1; i >= 0; --i) {
        TfrxFontSlot& s = Slots[static_cast<size_t>(i)];
        const bool installed = !s.Name.empty() &&
            std::any_of(FItems.begin() + (FMRUCount + 1), FItems.end(), [&](const TfrxFontSlot& f) { return f.Name == s.Name; });
        if (installed) {
            FItems.insert(FItems.begin(), s);
            ++FMRUCount;
        } else {
            s = TfrxFontSlot{};
        }
    }
}

int TfrxFontList::Choose(int Index, std::vector<TfrxFontSlot>& Slots) {
    if (Index < 0 || Index >= static_cast<int>(FItems.size())) return Index;
    // The top entry is already the most recent one when a recent block exists; without a
    // block it is the first family, which is recorded like any other.
    if (Index == 0 && FMRUCount >= 0) return 0;
    const TfrxFontSlot chosen = FItems[static_cast<size_t>(Index)];
    int first = -1;
    for (int i = 0; i < static_cast<int>(FItems.size()); ++i)
        if (FItems[static_cast<size_t>(i)].Name == chosen.Name) {
            first = i;
            break;
        }
    if (first > FMRUCount) {
        FItems.insert(FItems.begin(), chosen);
        if (FMRUCount < MaxRecent - 1) ++FMRUCount;
        else FItems.erase(FItems.begin() + MaxRecent);
    } else {
        FItems.erase(FItems.begin() + first);
        FItems.insert(FItems.begin(), chosen);
    }
    WriteSlots(Slots);
    return 0;
}

void TfrxFontList::WriteSlots(std::vector<TfrxFontSlot>& Slots) const {
    Slots.assign(MaxRecent, TfrxFontSlot{});
    for (int i = 0; i <= FMRUCount; ++i) Slots[static_cast<size_t>(i)] = FItems[static_cast<size_t>(i)];
}
