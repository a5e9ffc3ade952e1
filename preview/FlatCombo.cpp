// The flat combo boxes.
#include "preview/FlatCombo.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/rtl/Settings.h"
#include "platform/ui/Forms.h"
#include "platform/ui/QtPeer.h"
#include "platform/ui/ScreenFonts.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>

ROVE_IMPLEMENT_CLASS(TfrxCustomComboBox)
ROVE_IMPLEMENT_CLASS(TfrxComboBox)
ROVE_IMPLEMENT_CLASS(TfrxComboEdit)
ROVE_IMPLEMENT_CLASS(TfrxFontPreview)
ROVE_IMPLEMENT_CLASS(TfrxFontComboBox)

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

bool TfrxCustomComboBox::Active() const { return DroppedDown() || Focused() || FMouseInControl; }

TfrxComboLook TfrxCustomComboBox::Look() const {
    if (!Active()) return TfrxComboLook::Normal;
    return DroppedDown() ? TfrxComboLook::Pressed : TfrxComboLook::Hot;
}

bool TfrxCustomComboBox::EditFieldRect(TRect& Rect) const {
    Rect = EditRect();
    return true;
}

// The flat look: the indent with the descendant's picture, the frame and the arrow button
// in the control's state; a box without an edit field shows its text itself.
void TfrxCustomComboBox::PaintFace() {
    TCanvas* c = Canvas();
    const int w = Width();
    const int h = Height();
    c->Brush()->SetStyle(bsSolid);
    if (!Enabled()) {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(Rect(0, 0, w, h));
        c->Brush()->SetColor(clWindow);
        c->FrameRect(Rect(2, 2, w - 2, h - 2));
        DrawArrow(c, 0);
        return;
    }
    c->Brush()->SetColor(clWindow);
    c->FillRect(Rect(2, 2, w - FButtonWidth - 2, h - 2));
    const TRect indent = Rect(3, 3, FTextIndent + 3, h - 3);
    DrawImage(c, indent);
    if (Style() != csDropDown && Style() != csSimple) {
        // No edit field: the text stands where the field would.
        const TRect r = EditRect();
        const bool selected = Focused() && !DroppedDown();
        c->Brush()->SetColor(selected ? clHighlight : clWindow);
        c->FillRect(r);
        c->Font()->SetColor(selected ? clHighlightText : clWindowText);
        c->Brush()->SetStyle(bsClear);
        c->TextRect(r, r.Left + 1, r.Top + (r.Height() - c->TextHeight("Wg")) / 2, Text());
        c->Brush()->SetStyle(bsSolid);
    }
    const TfrxComboLook look = Look();
    DrawFrame(c, look != TfrxComboLook::Normal);
    DrawButton(c, look);
}

// A button-face frame just inside the window, a window-colour frame inside that stopping
// before the button, and around all a sunken edge (active) or a button-face frame.
void TfrxCustomComboBox::DrawFrame(TCanvas* Canvas, bool IsActive) {
    const int w = Width();
    const int h = Height();
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->FrameRect(Rect(1, 1, w - 1, h - 1));
    Canvas->Brush()->SetColor(clWindow);
    Canvas->FrameRect(Rect(2, 2, w - FButtonWidth - 1, h - 2));
    TRect outer = Rect(0, 0, w, h);
    if (IsActive) {
        DrawEdge(Canvas, outer, BDR_SUNKENOUTER, BF_RECT);
    } else {
        Canvas->Brush()->SetColor(clBtnFace);
        Canvas->FrameRect(outer);
    }
}

void TfrxCustomComboBox::DrawButton(TCanvas* Canvas, TfrxComboLook Kind) {
    const int w = Width();
    const int h = Height();
    TRect b = frxComboButtonRect(w, h, FButtonWidth);
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->FillRect(b);
    const int sx = w - FButtonWidth - 3;
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetMode(pmCopy);
    switch (Kind) {
    case TfrxComboLook::Normal:
        Canvas->Brush()->SetColor(clWindow);
        Canvas->FrameRect(b);
        Canvas->Pen()->SetColor(clWindow);
        Canvas->MoveTo(sx, 2);
        Canvas->LineTo(sx, h - 2);
        DrawArrow(Canvas, 0);
        break;
    case TfrxComboLook::Hot:
    case TfrxComboLook::Pressed: {
        const bool pressed = Kind == TfrxComboLook::Pressed;
        DrawEdge(Canvas, b, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        Canvas->Pen()->SetColor(clBtnFace);
        Canvas->MoveTo(sx, 1);
        Canvas->LineTo(sx, h - 1);
        DrawArrow(Canvas, pressed ? 1 : 0);
        break;
    }
    }
}

// Three black rows of 5, 3 and 1 pixels.
void TfrxCustomComboBox::DrawArrow(TCanvas* Canvas, int Shift) {
    const TPoint o = frxComboArrowOrigin(Width(), Height(), FButtonWidth);
    const int x = o.X + Shift;
    const int y = o.Y + Shift;
    Canvas->Pen()->SetColor(clBlack);
    for (int k = 0; k < 3; ++k) {
        Canvas->MoveTo(x + k, y + k);
        Canvas->LineTo(x + 5 - k, y + k);
    }
}

void TfrxCustomComboBox::PlaceDropDownList(TRect& ScreenRect) {
    const TfrxDropListPlacement p = PlaceDropList(Screen->WorkAreaRect().Bottom);
    ScreenRect = Rect(ClientToScreen(TPoint{0, 0}).X, p.Top, ClientToScreen(TPoint{0, 0}).X + p.Width, p.Top + p.Height);
}

void TfrxCustomComboBox::MouseEnter() {
    TCustomComboBox::MouseEnter();
    FMouseInControl = true;
    Invalidate();
}

void TfrxCustomComboBox::MouseLeave() {
    TCustomComboBox::MouseLeave();
    FMouseInControl = false;
    Invalidate();
}

void TfrxCustomComboBox::DoEnter() {
    TCustomComboBox::DoEnter();
    Invalidate();
}

void TfrxCustomComboBox::DoExit() {
    TCustomComboBox::DoExit();
    Invalidate();
}

void TfrxCustomComboBox::DropDown() {
    TCustomComboBox::DropDown();
    Invalidate();
}

void TfrxCustomComboBox::CloseUp() {
    TCustomComboBox::CloseUp();
    Invalidate();
}

void TfrxCustomComboBox::SetEnabled(bool Value) {
    TCustomComboBox::SetEnabled(Value);
    Invalidate();
}

void TfrxCustomComboBox::SetReadOnly(bool Value) {
    FReadOnly = Value;
    // A read-only box takes its text from the list only; one whose items are drawn by the
    // box keeps them drawn so with an edit field too.
    if (OwnerDrawnList()) SetStyle(Value ? csOwnerDrawFixed : csDropDown);
    else SetStyle(Value ? csDropDownList : csDropDown);
}

TfrxDropListPlacement TfrxCustomComboBox::PlaceDropList(int ScreenHeight) {
    const TPoint origin = ClientToScreen(TPoint{0, 0});
    const TRect r{origin.X, origin.Y, origin.X + Width(), origin.Y + Height()};
    // The list is as high as the rows it draws, so DropDownCount of them show whole, and
    // wide enough for its widest item, so no item is cut.
    TfrxDropListPlacement p = frxDropListPlacement(r, FListWidth, ListItemHeight(), Items()->Count(),
                                                   DropDownCount(), ItemHeight(), ScreenHeight);
    p.Width = std::max(p.Width, ListContentWidth());
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

namespace {

// Keeps the edit field of a combo edit clear of its button: the text stops Width - Height - 4
// pixels after the field's start, whatever width the platform gives the field.
class TNarrowField final : public QObject {
public:
    TNarrowField(QLineEdit* Field, TfrxComboEdit* Edit) : QObject(Field), FField(Field), FEdit(Edit) {
        Field->installEventFilter(this);
        Apply();
    }
    void Apply() {
        const int want = std::max(0, FEdit->Width() - FEdit->Height() - 4);
        QMargins m = FField->textMargins();
        const int right = std::max(0, FField->width() - want);
        if (m.right() == right) return;
        m.setRight(right);
        FField->setTextMargins(m);
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Watched == FField && Event->type() == QEvent::Resize) Apply();
        return false;
    }

private:
    QLineEdit* FField;
    TfrxComboEdit* FEdit;
};

TNarrowField* NarrowFieldOf(QLineEdit* Field) {
    for (QObject* o : Field->children())
        if (auto* n = dynamic_cast<TNarrowField*>(o)) return n;
    return nullptr;
}

}  // namespace

int TfrxComboEdit::TextRight() const {
    auto* box = WidgetAs<QComboBox>(this);
    QLineEdit* field = box ? box->lineEdit() : nullptr;
    if (!field) return -1;
    return field->x() + field->width() - field->textMargins().right();
}

void TfrxComboEdit::BoundsChanged(bool Resized) {
    TComboBox::BoundsChanged(Resized);
    if (!FButtonPanel) return;
    if (FButtonPanel->Parent() != Parent()) FButtonPanel->SetParent(Parent());
    // The button sits over the right end of the box, inside its frame.
    const int side = std::max(0, Height() - 4);
    FButtonPanel->SetBounds(Left() + Width() - Height() + 2, Top() + 2, side, side);
    FButtonPanel->BringToFront();
    // The edit field ends before the button.
    if (auto* box = WidgetAs<QComboBox>(this); box && box->lineEdit()) {
        if (TNarrowField* n = NarrowFieldOf(box->lineEdit())) n->Apply();
        else new TNarrowField(box->lineEdit(), this);
    }
}

TBitmap* TfrxComboEdit::Glyph() const { return FButton->Glyph(); }
void TfrxComboEdit::SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }

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
    d.Property("Glyph", &T::Glyph, &T::SetGlyph);
    d.Event("OnButtonClick", &T::OnButtonClick);
}

void frxRegisterFlatCombos() {
    RegisterClasses({TfrxComboBox::StaticClass(), TfrxComboEdit::StaticClass(), TfrxFontComboBox::StaticClass()});
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

// --- TfrxFontPreview -------------------------------------------------------------------------

TfrxFontPreview::TfrxFontPreview(TComponent* AOwner) : TPopupWindow(AOwner) {
    SetBounds(0, 0, 200, 50);
    FPanel = new TPanel(this);
    FPanel->SetParent(this);
    FPanel->SetAlign(alClient);
    FPanel->SetBevelOuter(bvNone);
    FPanel->SetBevelInner(bvNone);
    FPanel->SetBorderStyle(bsSingle);
    FPanel->SetColor(clWindow);
    FPanel->Font()->SetColor(clWindowText);
    FPanel->Font()->SetSize(18);
    FPanel->SetCaption("AaBbYy 字体");
}

void TfrxFontPreview::ShowFont(const std::string& Name) {
    if (FPanel->Font()->Name() == Name) return;
    FPanel->Font()->SetName(Name);
}

TPoint frxFontPreviewPlace(TRect ComboScreen, TSize Preview, int ScreenRight, bool DroppedUp) {
    TPoint p{ComboScreen.Right, ComboScreen.Bottom};
    if (p.X + Preview.cx > ScreenRight) p.X = ComboScreen.Left - Preview.cx - 1;
    if (DroppedUp) p.Y = ComboScreen.Top - Preview.cy;
    return p;
}

// --- TfrxFontComboBox ------------------------------------------------------------------------

namespace {
constexpr const char* kDefaultMRUKey = "\\Software\\Brightline\\MRUFont";

// The TrueType mark: two overlapping letters T, 11 x 11, on fuchsia (transparent).
std::unique_ptr<TBitmap> MakeTrueTypeBitmap() {
    auto b = std::make_unique<TBitmap>(11, 11);
    TCanvas* c = b->Canvas();
    const TColor clear = TColor(255 | (0 << 8) | (255 << 16));
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clear);
    c->FillRect(Rect(0, 0, 11, 11));
    auto letter = [&](int x, int y, TColor colour) {
        for (int i = 0; i < 7; ++i) c->SetPixel(x + i, y, colour);
        for (int i = 0; i < 7; ++i) c->SetPixel(x + 3, y + i, colour);
        c->SetPixel(x, y + 1, colour);
        c->SetPixel(x + 6, y + 1, colour);
    };
    letter(0, 0, TColor(0x808080));
    letter(4, 4, TColor(0x000000));
    b->SetTransparentColor(clear);
    b->SetTransparent(true);
    return b;
}
}  // namespace

TfrxFontComboBox::TfrxFontComboBox(TComponent* AOwner) : TfrxCustomComboBox(AOwner) {
    FTrueTypeBitmap = MakeTrueTypeBitmap();
    // The list's items are drawn by the box (the TrueType mark, the recent block's lines),
    // read-only or not.
    SetStyle(csOwnerDrawFixed);
    SetOwnerDrawnList(true);
    FReadOnly = true;
    SetItemHeight(std::max(12, FTrueTypeBitmap->Height() + 1));
    SetWidth(150);
    SetTextIndent(16);
    FMRURegKey = kDefaultMRUKey;
    if (!ComponentState().Contains(csDesigning)) FFontPreview = new TfrxFontPreview(this);
    // Filled as the control is made; a form resource fills it again once loaded.
    PopulateList();
}

TfrxFontComboBox::~TfrxFontComboBox() = default;

void TfrxFontComboBox::SetMRURegKey(const std::string& Value) { FMRURegKey = Value.empty() ? kDefaultMRUKey : Value; }

bool TfrxFontComboBox::TrueTypeItem(int Index) const {
    const auto& items = FList.Items();
    return Index >= 0 && Index < static_cast<int>(items.size()) && (items[static_cast<size_t>(Index)].Type & 4);
}

std::vector<TfrxFontSlot> TfrxFontComboBox::ReadSlots() {
    std::vector<TfrxFontSlot> recent(TfrxFontList::MaxRecent);
    TRegistry reg;
    if (!reg.OpenKey(FMRURegKey, true)) return recent;
    for (int i = 0; i < TfrxFontList::MaxRecent; ++i) {
        const std::string n = std::to_string(i);
        recent[static_cast<size_t>(i)].Name = reg.ReadString("Font" + n);
        if (reg.ValueExists("FontType" + n)) {
            try {
                recent[static_cast<size_t>(i)].Type = reg.ReadInteger("FontType" + n);
            } catch (const ERegistryException&) {
                recent[static_cast<size_t>(i)].Type = 0;
            }
        }
    }
    return recent;
}

void TfrxFontComboBox::WriteSlots(const std::vector<TfrxFontSlot>& Slots) {
    TRegistry reg;
    if (!reg.OpenKey(FMRURegKey, true)) return;
    for (int i = 0; i < TfrxFontList::MaxRecent && i < static_cast<int>(Slots.size()); ++i) {
        const std::string n = std::to_string(i);
        reg.WriteString("Font" + n, Slots[static_cast<size_t>(i)].Name);
        reg.WriteInteger("FontType" + n, Slots[static_cast<size_t>(i)].Type);
    }
    reg.CloseKey();
}

void TfrxFontComboBox::FillItems() {
    FUpdating = true;
    struct TEnd {
        bool& Flag;
        ~TEnd() { Flag = false; }
    } end{FUpdating};
    const std::string text = Text();
    TStringList names;
    for (const TfrxFontSlot& f : FList.Items()) names.Add(f.Name);
    Items()->Assign(names);
    const int index = Items()->IndexOf(text);
    SetItemIndex(index >= 0 ? index : (Items()->Count() > 0 ? 0 : -1));
}

// The families of the screen (the list the process keeps), headed by the recent block.
void TfrxFontComboBox::PopulateList() {
    std::vector<TfrxFontSlot> families;
    for (const TScreenFont& f : ScreenFontFamilies()) families.push_back(TfrxFontSlot{f.Name, f.TrueType ? 4 : 0});
    std::vector<TfrxFontSlot> recent;
    bool readable = true;
    if (FShowMRU) {
        try {
            recent = ReadSlots();
        } catch (const std::exception&) {
            // A settings store that cannot be read (a file that is no settings file) gives
            // no recent block; the box is made all the same, and the store is left alone.
            readable = false;
            recent.assign(TfrxFontList::MaxRecent, TfrxFontSlot{});
        }
    }
    const std::vector<TfrxFontSlot> before = recent;
    FList.Populate(families, recent);
    if (!FShowMRU) {
        // Without the recent block the list is the families alone.
        std::vector<TfrxFontSlot> none;
        FList.Populate(families, none);
    } else {
        bool changed = false;
        for (size_t i = 0; i < recent.size(); ++i)
            changed = changed || recent[i].Name != before[i].Name || recent[i].Type != before[i].Type;
        if (changed && readable) WriteSlots(recent);
    }
    FillItems();
}

void TfrxFontComboBox::Loaded() {
    TfrxCustomComboBox::Loaded();
    PopulateList();
}

void TfrxFontComboBox::Click() {
    if (ComponentState().Contains(csLoading) || FUpdating) return;
    TfrxCustomComboBox::Click();
    if (OnClick.Assigned()) OnClick(this);
    const int index = ItemIndex();
    if (!FShowMRU || index <= 0) return;
    std::vector<TfrxFontSlot> recent(TfrxFontList::MaxRecent);
    const int chosen = FList.Choose(index, recent);
    try {
        WriteSlots(recent);
    } catch (const std::exception&) {
        // A store that cannot be written keeps the recent block for this box only; the
        // font chosen is applied all the same.
    }
    FillItems();
    FUpdating = true;
    SetItemIndex(chosen);
    FUpdating = false;
}

// A TrueType mark, the name after it, and the lines that close the recent block.
void TfrxFontComboBox::DrawItem(int Index, TRect R, TOwnerDrawState State) {
    TCanvas* c = Canvas();
    if (Index < 0 || Index >= Items()->Count()) return;
    const std::string name = Items()->Get(Index);
    if (State.Contains(odSelected) && !State.Contains(odComboBoxEdit) && FFontPreview) FFontPreview->ShowFont(name);
    c->FillRect(R);
    int left = R.Left + 15 + 2;
    if (TrueTypeItem(Index)) {
        const int y = R.Top + (R.Height() - FTrueTypeBitmap->Height()) / 2;
        c->Draw(R.Left + 1, y, FTrueTypeBitmap.get());
        left = R.Left + FTrueTypeBitmap->Width() + 2;
    }
    c->Brush()->SetStyle(bsClear);
    c->TextOut(left, R.Top + (R.Height() - c->TextHeight("Wg")) / 2, name);
    c->Brush()->SetStyle(bsSolid);
    const int mru = FList.MRUCount();
    if (mru >= 0 && !State.Contains(odComboBoxEdit) && (Index == mru || Index == mru + 1)) {
        c->Pen()->SetColor(clBtnShadow);
        c->Pen()->SetStyle(psSolid);
        const int y = Index == mru ? R.Bottom - 2 : R.Top;
        c->MoveTo(R.Left, y);
        c->LineTo(R.Right, y);
    }
}

void TfrxFontComboBox::DrawImage(TCanvas* Canvas, const TRect& R) {
    const int index = Items()->IndexOf(Text());
    if (!TrueTypeItem(index)) return;
    Canvas->Draw(R.Left + 1, R.Top + (R.Height() - FTrueTypeBitmap->Height()) / 2, FTrueTypeBitmap.get());
}

// The list is placed; the sample goes beside the box and shows.
void TfrxFontComboBox::PlaceDropDownList(TRect& ScreenRect) {
    TfrxCustomComboBox::PlaceDropDownList(ScreenRect);
    if (!FFontPreview) return;
    const TPoint o = ClientToScreen(TPoint{0, 0});
    const TPoint at = frxFontPreviewPlace(Rect(o.X, o.Y, o.X + Width(), o.Y + Height()),
                                          TSize{FFontPreview->Width(), FFontPreview->Height()},
                                          Screen->WorkAreaRect().Right, DroppedUp());
    FFontPreview->SetBounds(at.X, at.Y, FFontPreview->Width(), FFontPreview->Height());
    if (ItemIndex() >= 0) FFontPreview->ShowFont(Items()->Get(ItemIndex()));
    FFontPreview->Show();
}

void TfrxFontComboBox::CloseUp() {
    if (FFontPreview) FFontPreview->Hide();
    TfrxCustomComboBox::CloseUp();
}

void TfrxFontComboBox::DeclareProperties(TPropertyDecl<TfrxFontComboBox>& d) {
    using T = TfrxFontComboBox;
    d.Property("MRURegKey", &T::MRURegKey, &T::SetMRURegKey);
    d.Property("ShowMRU", &T::ShowMRU, &T::SetShowMRU).Default(true);
    d.Event("OnClick", &T::OnClick);
}
