// Dialog controls over the platform's window controls.
#include "report/DialogControls.h"

#include <cmath>

#include "platform/graphics/Graphics.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Forms.h"
#include "report/DesignRegistries.h"
#include "report/Images.h"
#include "report/Pages.h"
#include "report/Report.h"

ROVE_IMPLEMENT_CLASS(TfrxDialogControl)
ROVE_IMPLEMENT_CLASS(TfrxLabelControl)
ROVE_IMPLEMENT_CLASS(TfrxEditControl)
ROVE_IMPLEMENT_CLASS(TfrxMemoControl)
ROVE_IMPLEMENT_CLASS(TfrxButtonControl)
ROVE_IMPLEMENT_CLASS(TfrxCheckBoxControl)
ROVE_IMPLEMENT_CLASS(TfrxRadioButtonControl)
ROVE_IMPLEMENT_CLASS(TfrxListBoxControl)
ROVE_IMPLEMENT_CLASS(TfrxComboBoxControl)
ROVE_IMPLEMENT_CLASS(TfrxGroupBoxControl)
ROVE_IMPLEMENT_CLASS(TfrxPanelControl)
ROVE_IMPLEMENT_CLASS(TfrxDateEditControl)

namespace {

int rnd(double x) { return static_cast<int>(Round(x)); }

std::string ErrorText(std::exception_ptr E) {
    try {
        std::rethrow_exception(E);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown error";
    }
}

}  // namespace

void frxRunDialogEvent(TfrxComponent* Obj, const std::function<void()>& Event) {
    try {
        Event();
    } catch (...) {
        const std::string text = ErrorText(std::current_exception());
        if (TfrxReport* r = Obj ? Obj->Report() : nullptr) r->Errors()->Add(text);
        for (TfrxComponent* c = Obj; c; c = c->Parent())
            if (auto* page = dynamic_cast<TfrxDialogPage*>(c)) {
                page->SetModalResult(mrCancel);
                break;
            }
    }
}

// --- TfrxDialogControl -------------------------------------------------------------------------

TfrxDialogControl::TfrxDialogControl(TComponent* AOwner) : TfrxReportComponent(AOwner) {}

TfrxDialogControl::~TfrxDialogControl() {
    // Controls of the children go first (their windows sit in this one), then this one.
    Clear();
    FControl.reset();
}

void TfrxDialogControl::SetControl(std::unique_ptr<TControl> Control) {
    FControl = std::move(Control);
    TControl* c = FControl.get();
    c->SetBounds(rnd(Left()), rnd(Top()), rnd(Width()), rnd(Height()));
    c->SetVisible(Visible());
    ApplyFont();
    c->OnClick = [this](TObject*) { Notify(OnClick); };
    c->OnDblClick = [this](TObject*) { Notify(OnDblClick); };
    const Variant self = Variant::FromObject(Handle());
    auto mouse = [this, self](const std::string& Name, TMouseButton Button, TShiftState Shift, int X, int Y) {
        TfrxReport* r = Report();
        if (!r || Name.empty()) return;
        Variant params = VarArrayOf({self, Variant(static_cast<int>(Button)), Variant(static_cast<int>(Shift)),
                                     Variant(X), Variant(Y)});
        frxRunDialogEvent(this, [&] { r->DoParamEvent(Name, params); });
    };
    c->OnMouseDown = [this, mouse](TObject*, TMouseButton B, TShiftState S, int X, int Y) { mouse(OnMouseDown, B, S, X, Y); };
    c->OnMouseUp = [this, mouse](TObject*, TMouseButton B, TShiftState S, int X, int Y) { mouse(OnMouseUp, B, S, X, Y); };
    c->OnMouseMove = [this, self](TObject*, TShiftState Shift, int X, int Y) {
        TfrxReport* r = Report();
        if (!r || OnMouseMove.empty()) return;
        Variant params = VarArrayOf({self, Variant(static_cast<int>(Shift)), Variant(X), Variant(Y)});
        frxRunDialogEvent(this, [&] { r->DoParamEvent(OnMouseMove, params); });
    };
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
        w->OnEnter = [this](TObject*) { Notify(OnEnter); };
        w->OnExit = [this](TObject*) { Notify(OnExit); };
        auto key = [this, self](const std::string& Name, uint16_t& Key, TShiftState Shift) {
            TfrxReport* r = Report();
            if (!r || Name.empty()) return;
            Variant params = VarArrayOf({self, Variant(static_cast<int>(Key)), Variant(static_cast<int>(Shift))});
            frxRunDialogEvent(this, [&] {
                r->DoParamEvent(Name, params);
                Key = static_cast<uint16_t>(params.GetElement({1}).AsInteger());
            });
        };
        w->OnKeyDown = [this, key](TObject*, uint16_t& Key, TShiftState Shift) { key(OnKeyDown, Key, Shift); };
        w->OnKeyUp = [this, key](TObject*, uint16_t& Key, TShiftState Shift) { key(OnKeyUp, Key, Shift); };
        w->OnKeyPress = [this, self](TObject*, char32_t& Key) {
            TfrxReport* r = Report();
            if (!r || OnKeyPress.empty()) return;
            Variant params = VarArrayOf({self, Variant(CodePointToUtf8(Key))});
            frxRunDialogEvent(this, [&] {
                r->DoParamEvent(OnKeyPress, params);
                // An emptied text swallows the key.
                const std::string text = VarToStr(params.GetElement({1}));
                size_t i = 0;
                Key = text.empty() ? 0 : NextCodePoint(text, i);
            });
        };
    }
    UpdateWindowParent();
}

void TfrxDialogControl::Notify(const std::string& Event) {
    if (Event.empty()) return;
    if (TfrxReport* r = Report()) frxRunDialogEvent(this, [&] { r->DoNotifyEvent(this, Event); });
}

bool TfrxDialogControl::Enabled() const { return FControl ? FControl->Enabled() : true; }

void TfrxDialogControl::SetEnabled(bool Value) {
    if (FControl) FControl->SetEnabled(Value);
}

void TfrxDialogControl::SetFocus() {
    auto* w = dynamic_cast<TWinControl*>(FControl.get());
    if (w && w->CanFocus()) w->SetFocus();
}

void TfrxDialogControl::SetLeft(double Value) {
    TfrxReportComponent::SetLeft(Value);
    if (FControl) FControl->SetLeft(rnd(Left()));
}

void TfrxDialogControl::SetTop(double Value) {
    TfrxReportComponent::SetTop(Value);
    if (FControl) FControl->SetTop(rnd(Top()));
}

void TfrxDialogControl::SetWidth(double Value) {
    TfrxReportComponent::SetWidth(Value);
    if (FControl) FControl->SetWidth(rnd(Width()));
}

void TfrxDialogControl::SetHeight(double Value) {
    TfrxReportComponent::SetHeight(Value);
    if (FControl) FControl->SetHeight(rnd(Height()));
}

void TfrxDialogControl::SetVisible(bool Value) {
    TfrxReportComponent::SetVisible(Value);
    if (FControl) FControl->SetVisible(Value);
}

void TfrxDialogControl::ApplyFont() {
    if (!FControl) return;
    FControl->SetFont(Font());
    FControl->SetParentFont(ParentFont());
    // The control's own flag would take the window's font; the object's font is what
    // counts (it follows its parent's when ParentFont is set).
    FControl->SetFont(Font());
}

void TfrxDialogControl::FontChanged() {
    TfrxReportComponent::FontChanged();
    ApplyFont();
}

void TfrxDialogControl::SetParentFont(bool Value) {
    TfrxReportComponent::SetParentFont(Value);
    ApplyFont();
}

void TfrxDialogControl::SetParent(TfrxComponent* AParent) {
    TfrxReportComponent::SetParent(AParent);
    UpdateWindowParent();
}

void TfrxDialogControl::UpdateWindowParent() {
    if (!FControl) return;
    TWinControl* window = nullptr;
    if (auto* holder = dynamic_cast<TfrxDialogControl*>(Parent())) window = dynamic_cast<TWinControl*>(holder->Control());
    else if (auto* page = dynamic_cast<TfrxDialogPage*>(Parent())) window = page->Form();
    // Elsewhere the control stays without a window: the platform's controls need none.
    FControl->SetParent(window);
}

void TfrxDialogControl::Draw(TCanvas* Canvas, double, double, double, double) {
    if (!FControl || !Canvas) return;
    const int w = std::max(rnd(Width()), 1), h = std::max(rnd(Height()), 1);
    TBitmap bitmap;
    bitmap.SetSize(w, h);
    bitmap.Canvas()->Brush()->SetColor(clBtnFace);
    bitmap.Canvas()->FillRect(Rect(0, 0, w, h));
    FControl->PaintTo(bitmap.Canvas(), 0, 0);
    Canvas->Draw(rnd(AbsLeft()), rnd(AbsTop()), &bitmap);
}

std::string TfrxDialogControl::BaseName() const {
    std::string s = ClassName();
    if (s.rfind("Tfrx", 0) == 0) s.erase(0, 4);
    const size_t p = s.find("Control");
    if (p != std::string::npos) s.erase(p, 7);
    return s;
}

// --- The controls ------------------------------------------------------------------------------

TfrxLabelControl::TfrxLabelControl(TComponent* AOwner) : TfrxDialogControl(AOwner) {
    SetControl(std::make_unique<TLabel>(nullptr));
    SetBounds(Left(), Top(), 100, 20);
}

void TfrxLabelControl::DeclareProperties(TPropertyDecl<TfrxLabelControl>& d) {
    using T = TfrxLabelControl;
    PublishControl(d, {"OnClick", "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp"});
    d.Property("Alignment", &T::Alignment, &T::SetAlignment).Default(taLeftJustify);
    d.Property("AutoSize", &T::AutoSize, &T::SetAutoSize).Default(true);
    d.Property("Caption", &T::Caption, &T::SetCaption);
    d.Property("Color", ColorTypeInfo(), &T::Color, &T::SetColor).Default(clBtnFace);
    d.Property("WordWrap", &T::WordWrap, &T::SetWordWrap).Default(false);
}

TfrxEditControl::TfrxEditControl(TComponent* AOwner) : TfrxDialogControl(AOwner) {
    SetControl(std::make_unique<TEdit>(nullptr));
    Edit()->OnChange = [this](TObject*) { Notify(OnChange); };
    SetBounds(Left(), Top(), 121, 21);
}

void TfrxEditControl::DeclareProperties(TPropertyDecl<TfrxEditControl>& d) {
    using T = TfrxEditControl;
    PublishControl(d, {"OnChange", "OnClick", "OnDblClick", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp",
                       "OnMouseDown", "OnMouseMove", "OnMouseUp"});
    d.Property("Color", ColorTypeInfo(), &T::Color, &T::SetColor).Default(clWindow);
    d.Property("MaxLength", &T::MaxLength, &T::SetMaxLength).Default(0);
    d.Property("PasswordChar", &T::PasswordChar, &T::SetPasswordChar).Default(0);
    d.Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly).Default(false);
    d.Property("Text", &T::Text, &T::SetText);
}

TfrxMemoControl::TfrxMemoControl(TComponent* AOwner) : TfrxDialogControl(AOwner) {
    SetControl(std::make_unique<TMemo>(nullptr));
    Memo()->OnChange = [this](TObject*) { Notify(OnChange); };
    SetBounds(Left(), Top(), 185, 89);
}

void TfrxMemoControl::DeclareProperties(TPropertyDecl<TfrxMemoControl>& d) {
    using T = TfrxMemoControl;
    PublishControl(d, {"OnChange", "OnClick", "OnDblClick", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp",
                       "OnMouseDown", "OnMouseMove", "OnMouseUp"});
    d.Property("Color", ColorTypeInfo(), &T::Color, &T::SetColor).Default(clWindow);
    d.Property("Lines", &T::Lines, &T::SetLines);
    d.Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly).Default(false);
    d.Property("ScrollBars", &T::ScrollBars, &T::SetScrollBars).Default(ssNone);
    d.Property("WordWrap", &T::WordWrap, &T::SetWordWrap).Default(true);
}

TfrxButtonControl::TfrxButtonControl(TComponent* AOwner) : TfrxDialogControl(AOwner) {
    SetControl(std::make_unique<TButton>(nullptr));
    SetBounds(Left(), Top(), 75, 25);
}

void TfrxButtonControl::DeclareProperties(TPropertyDecl<TfrxButtonControl>& d) {
    using T = TfrxButtonControl;
    PublishControl(d, {"OnClick", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown",
                       "OnMouseMove", "OnMouseUp"});
    d.Property("Cancel", &T::Cancel, &T::SetCancel).Default(false);
    d.Property("Caption", &T::Caption, &T::SetCaption);
    d.Property("Default", &T::Default, &T::SetDefault).Default(false);
    d.Property("ModalResult", &T::ModalResult, &T::SetModalResult).Default(0);
}

TfrxCheckBoxControl::TfrxCheckBoxControl(TComponent* AOwner) : TfrxDialogControl(AOwner) {
    SetControl(std::make_unique<TCheckBox>(nullptr));
    SetBounds(Left(), Top(), 97, 17);
}

void TfrxCheckBoxControl::DeclareProperties(TPropertyDecl<TfrxCheckBoxControl>& d) {
    using T = TfrxCheckBoxControl;
    PublishControl(d, {"OnClick", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown",
                       "OnMouseMove", "OnMouseUp"});
    d.Property("AllowGrayed", &T::AllowGrayed, &T::SetAllowGrayed).Default(false);
    d.Property("Caption", &T::Caption, &T::SetCaption);
    d.Property("Checked", &T::Checked, &T::SetChecked).Default(false);
    d.Property("State", &T::State, &T::SetState).Default(cbUnchecked);
}

TfrxRadioButtonControl::TfrxRadioButtonControl(TComponent* AOwner) : TfrxDialogControl(AOwner) {
    SetControl(std::make_unique<TRadioButton>(nullptr));
    SetBounds(Left(), Top(), 113, 17);
}

void TfrxRadioButtonControl::DeclareProperties(TPropertyDecl<TfrxRadioButtonControl>& d) {
    using T = TfrxRadioButtonControl;
    PublishControl(d, {"OnClick", "OnDblClick", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp",
                       "OnMouseDown", "OnMouseMove", "OnMouseUp"});
    d.Property("Caption", &T::Caption, &T::SetCaption);
    d.Property("Checked", &T::Checked, &T::SetChecked).Default(false);
}

TfrxListBoxControl::TfrxListBoxControl(TComponent* AOwner) : TfrxDialogControl(AOwner) {
    SetControl(std::make_unique<TListBox>(nullptr));
    SetBounds(Left(), Top(), 121, 97);
}

void TfrxListBoxControl::DeclareProperties(TPropertyDecl<TfrxListBoxControl>& d) {
    using T = TfrxListBoxControl;
    PublishControl(d, {"OnClick", "OnDblClick", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp",
                       "OnMouseDown", "OnMouseMove", "OnMouseUp"});
    d.Property("Color", ColorTypeInfo(), &T::Color, &T::SetColor).Default(clWindow);
    d.Property("Items", &T::Items, &T::SetItems);
    d.Property("ItemIndex", &T::ItemIndex, &T::SetItemIndex).Default(-1);
}

TfrxComboBoxControl::TfrxComboBoxControl(TComponent* AOwner) : TfrxDialogControl(AOwner) {
    SetControl(std::make_unique<TComboBox>(nullptr));
    ComboBox()->OnChange = [this](TObject*) { Notify(OnChange); };
    SetBounds(Left(), Top(), 145, 21);
}

void TfrxComboBoxControl::DeclareProperties(TPropertyDecl<TfrxComboBoxControl>& d) {
    using T = TfrxComboBoxControl;
    PublishControl(d, {"OnChange", "OnClick", "OnDblClick", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp"});
    d.Property("Color", ColorTypeInfo(), &T::Color, &T::SetColor).Default(clWindow);
    d.Property("Items", &T::Items, &T::SetItems);
    d.Property("Style", &T::Style, &T::SetStyle).Default(csDropDown);
    // Items and style come first: the index and text name an item.
    d.Property("ItemIndex", &T::ItemIndex, &T::SetItemIndex).Default(-1);
    d.Property("Text", &T::Text, &T::SetText);
}

TfrxGroupBoxControl::TfrxGroupBoxControl(TComponent* AOwner) : TfrxDialogControl(AOwner) {
    SetControl(std::make_unique<TGroupBox>(nullptr));
    SetBounds(Left(), Top(), 185, 105);
}

void TfrxGroupBoxControl::DeclareProperties(TPropertyDecl<TfrxGroupBoxControl>& d) {
    using T = TfrxGroupBoxControl;
    PublishControl(d, {"OnClick", "OnDblClick", "OnEnter", "OnExit", "OnMouseDown", "OnMouseMove", "OnMouseUp"});
    d.Property("Caption", &T::Caption, &T::SetCaption);
}

TfrxPanelControl::TfrxPanelControl(TComponent* AOwner) : TfrxDialogControl(AOwner) {
    SetControl(std::make_unique<TPanel>(nullptr));
    SetBounds(Left(), Top(), 185, 41);
}

void TfrxPanelControl::DeclareProperties(TPropertyDecl<TfrxPanelControl>& d) {
    using T = TfrxPanelControl;
    PublishControl(d, {"OnClick", "OnDblClick", "OnEnter", "OnExit", "OnMouseDown", "OnMouseMove", "OnMouseUp"});
    d.Property("BevelInner", &T::BevelInner, &T::SetBevelInner).Default(bvNone);
    d.Property("BevelOuter", &T::BevelOuter, &T::SetBevelOuter).Default(bvRaised);
    d.Property("Caption", &T::Caption, &T::SetCaption);
    d.Property("Color", ColorTypeInfo(), &T::Color, &T::SetColor).Default(clBtnFace);
}

TfrxDateEditControl::TfrxDateEditControl(TComponent* AOwner) : TfrxDialogControl(AOwner) {
    SetControl(std::make_unique<TDateTimePicker>(nullptr));
    Picker()->OnChange = [this](TObject*) { Notify(OnChange); };
    SetBounds(Left(), Top(), 145, 21);
}

void TfrxDateEditControl::DeclareProperties(TPropertyDecl<TfrxDateEditControl>& d) {
    using T = TfrxDateEditControl;
    PublishControl(d, {"OnChange", "OnClick", "OnDblClick", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp"});
    d.Property("Date", DateTimeTypeInfo(), &T::Date, &T::SetDate);
}

// --- Registration ------------------------------------------------------------------------------

void frxRegisterDialogControls() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    const struct {
        TClass Class;
        int Image;
    } controls[] = {
        {TfrxLabelControl::StaticClass(), frxObject::Label},
        {TfrxEditControl::StaticClass(), frxObject::Edit},
        {TfrxMemoControl::StaticClass(), frxObject::MemoControl},
        {TfrxButtonControl::StaticClass(), frxObject::Button},
        {TfrxCheckBoxControl::StaticClass(), frxObject::CheckBox},
        {TfrxRadioButtonControl::StaticClass(), frxObject::RadioButton},
        {TfrxListBoxControl::StaticClass(), frxObject::ListBox},
        {TfrxComboBoxControl::StaticClass(), frxObject::ComboBox},
        {TfrxGroupBoxControl::StaticClass(), frxObject::GroupBox},
        {TfrxPanelControl::StaticClass(), frxObject::Panel},
        {TfrxDateEditControl::StaticClass(), frxObject::DateEdit},
    };
    for (const auto& c : controls) frxObjects().RegisterObject(c.Class, nullptr, {}, {}, 0, c.Image);
}
