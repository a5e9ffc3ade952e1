// The display format dialog.
#include "designer/editors/FormatEditor.h"

#include "designer/FormResources.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/StdCtrls.h"
#include "report/Resources.h"
#include "report/Views.h"

ROVE_IMPLEMENT_CLASS(TfrxFormatEditorForm)

namespace {

void RegisterFormatEditorForm() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterDesignerFormResources();
        return true;
    }();
    (void)done;
}

// ORDER FORMATKIND: the category keys in the order of TfrxFormatKind.
const char* const kCategoryKeys[] = {"fkText", "fkNumber", "fkDateTime", "fkBoolean"};
static_assert(std::size(kCategoryKeys) == static_cast<size_t>(fkBoolean) + 1);

// The part of an entry after its first ";" (the format string), or the whole entry.
std::string FormatOfEntry(const std::string& Entry) {
    const size_t p = Entry.find(';');
    return p == std::string::npos ? Entry : Entry.substr(p + 1);
}

}  // namespace

const char* frxFormatCategoryKey(int Kind) {
    if (Kind < 0 || Kind >= static_cast<int>(std::size(kCategoryKeys))) return "";
    return kCategoryKeys[Kind];
}

std::vector<std::string> frxFormatEntries(int Kind) {
    std::vector<std::string> out;
    const std::string key = frxFormatCategoryKey(Kind);
    if (key.empty()) return out;
    for (int i = 1; i <= 10; ++i) {
        const std::string text = frxResources().Get(key + std::to_string(i));
        if (text.find("fk") == std::string::npos) out.push_back(text);
    }
    return out;
}

void frxDrawFormatEntry(TCanvas& Canvas, const TRect& ARect, const std::string& Entry) {
    Canvas.FillRect(ARect);
    const size_t p = Entry.find(';');
    Canvas.TextOut(ARect.Left + 2, ARect.Top + 1, p == std::string::npos ? Entry : Entry.substr(0, p));
}

TfrxFormatEditorForm::TfrxFormatEditorForm(TComponent* AOwner)
    : TForm(AOwner), FFormat(std::make_unique<TfrxFormat>()) {
    RegisterFormatEditorForm();
    InitForm();
}

TfrxFormatEditorForm::~TfrxFormatEditorForm() = default;

void TfrxFormatEditorForm::DeclareProperties(TPropertyDecl<TfrxFormatEditorForm>& d) {
    d.Method("FormCreate", &TfrxFormatEditorForm::FormCreate);
    d.Method("FormShow", &TfrxFormatEditorForm::FormShow);
    d.Method("FormHide", &TfrxFormatEditorForm::FormHide);
    d.Method("CategoryLBClick", &TfrxFormatEditorForm::CategoryLBClick);
    d.Method("FormatLBClick", &TfrxFormatEditorForm::FormatLBClick);
    d.Method("FormatLBDrawItem", &TfrxFormatEditorForm::FormatLBDrawItem);
}

void TfrxFormatEditorForm::BindFields() {
    Bind(CategoryL, "CategoryL");
    Bind(CategoryLB, "CategoryLB");
    Bind(FormatL, "FormatL");
    Bind(FormatLB, "FormatLB");
    Bind(GroupBox3, "GroupBox3");
    Bind(FormatStrL, "FormatStrL");
    Bind(FormatE, "FormatE");
    Bind(SeparatorL, "SeparatorL");
    Bind(SeparatorE, "SeparatorE");
    Bind(OkB, "OkB");
    Bind(CancelB, "CancelB");
}

void TfrxFormatEditorForm::FormCreate(TObject*) { frxResources().LocalizeForm(this); }

void TfrxFormatEditorForm::FormShow(TObject*) {
    CategoryLB->Items()->Clear();
    for (const char* key : kCategoryKeys) CategoryLB->Items()->Add(frxResources().Get(key));
    // A kind the list does not know opens as plain text.
    int kind = static_cast<int>(FFormat->Kind);
    if (kind < 0 || kind >= CategoryLB->Items()->Count()) kind = fkText;
    CategoryLB->SetItemIndex(kind);
    CategoryLBClick(nullptr);
    for (int i = 0; i < FormatLB->Items()->Count(); ++i)
        if (FormatOfEntry(FormatLB->Items()->Get(i)) == FFormat->FormatStr) FormatLB->SetItemIndex(i);
    FormatE->SetText(FFormat->FormatStr);
    SeparatorE->SetText(FFormat->DecimalSeparator);
}

void TfrxFormatEditorForm::CategoryLBClick(TObject*) {
    FormatLB->Items()->Clear();
    const int kind = CategoryLB->ItemIndex();
    SeparatorL->SetEnabled(kind == fkNumeric);
    SeparatorE->SetEnabled(kind == fkNumeric);
    if (kind <= fkText) return;
    for (const std::string& e : frxFormatEntries(kind)) FormatLB->Items()->Add(e);
}

void TfrxFormatEditorForm::FormatLBClick(TObject*) {
    const int i = FormatLB->ItemIndex();
    if (i < 0) return;
    FormatE->SetText(FormatOfEntry(FormatLB->Items()->Get(i)));
}

void TfrxFormatEditorForm::FormatLBDrawItem(TWinControl* Control, int Index, TRect ARect, TOwnerDrawState State) {
    auto* list = static_cast<TListBox*>(Control);
    TCanvas* canvas = list->Canvas();
    const bool selected = State.Contains(odSelected);
    canvas->Brush()->SetColor(selected ? clHighlight : clWindow);
    canvas->Font()->SetColor(selected ? clHighlightText : clWindowText);
    frxDrawFormatEntry(*canvas, ARect, Index >= 0 && Index < list->Items()->Count() ? list->Items()->Get(Index) : "");
}

void TfrxFormatEditorForm::FormHide(TObject*) {
    if (ModalResult() != mrOk) return;
    const int kind = CategoryLB->ItemIndex();
    if (kind >= 0) FFormat->Kind = static_cast<TfrxFormatKind>(kind);
    FFormat->FormatStr = FormatE->Text();
    const std::string sep = SeparatorE->Text();
    FFormat->DecimalSeparator =
        sep.empty() ? std::string(1, FormatSettings.DecimalSeparator) : Copy(sep, 1, 1);
}

bool frxEditDisplayFormat(TfrxFormat* Format, TComponent* Owner) {
    if (!Format) return false;
    auto form = std::make_unique<TfrxFormatEditorForm>(Owner);
    form->Format()->Assign(Format);
    if (form->ShowModal() != mrOk) return false;
    Format->Assign(form->Format());
    return true;
}
