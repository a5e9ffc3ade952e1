#include "app/forms/ItemCandidateForm.h"

#include "app/charging/ReceiptRules.h"
#include "app/database/LookUp.h"
#include "app/forms/ChargeForm.h"
#include "app/forms/ClinicForms.h"
#include "platform/db/ADODB.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(Txmzlhxform)
ROVE_CLINIC_FORM(Txmzlhxform, xmzlhxform)

Txmzlhxform* xmzlhxform = nullptr;

Txmzlhxform::Txmzlhxform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Txmzlhxform::~Txmzlhxform() {
    if (xmzlhxform == this) xmzlhxform = nullptr;
}

void Txmzlhxform::BindFields() {
    Bind(Edit1, "Edit1");
    Bind(CheckBox1, "CheckBox1");
    Bind(DBGrid1, "DBGrid1");
}

// The text put into the field here does not search: the field has no focus yet. Every
// showing starts in the search field, also after a pick in the grid (the window is kept,
// with the control last focused): Enter takes the keyboard to the grid, the next one the row.
void Txmzlhxform::FormShow(TObject*) {
    Edit1->SetText(NotFound ? std::string() : sfform->Edit5->Text());
    Edit1->SetFocus();
}

void Txmzlhxform::FormClose(TObject*, TCloseAction&) { NotFound = false; }

void Txmzlhxform::Edit1Enter(TObject*) { CheckBox1->SetChecked(true); }
void Txmzlhxform::Edit1Exit(TObject*) { CheckBox1->SetChecked(false); }

void Txmzlhxform::Edit1Change(TObject*) {
    if (!CheckBox1->Checked()) return;
    TADOQuery* items = sfform->ADOQuery4;
    items->Close();
    items->SQL()->SetText("Select * From tb_yp Where 拼音码 like :code escape '\\'");
    items->Parameters()->ParamByName("code")->SetValue(Variant(LikeContaining(Edit1->Text())));
    items->Open();
}

void Txmzlhxform::Edit1KeyPress(TObject*, char32_t& Key) {
    if (Key == kKeyEscape) {
        Key = 0;
        SetModalResult(mrCancel);
        return;
    }
    if (!IsPinyinKey(Key)) {
        Key = 0;
        MessageBeep(1);
        Application->MessageBox("请输入拼音字母后按Enter键!", "提示", MB_OK);
        return;
    }
    if (Key == kKeyEnter) DBGrid1->SetFocus();
}

// Down and Up take the keyboard to the grid and move its mark one row, as they do there:
// the first row is marked from the start, so Down marks the second, and Enter in the grid
// takes the one marked. At either end the mark stays.
void Txmzlhxform::Edit1KeyDown(TObject*, uint16_t& Key, TShiftState) {
    if (Key != VK_DOWN && Key != VK_UP) return;
    const bool down = Key == VK_DOWN;
    Key = 0;
    DBGrid1->SetFocus();
    if (!HasRows()) return;
    TADOQuery* items = sfform->ADOQuery4;
    if (down) items->Next();
    else items->Prior();
}

bool Txmzlhxform::HasRows() const {
    TADOQuery* items = sfform->ADOQuery4;
    return items->Active() && !items->IsEmpty();
}

void Txmzlhxform::DBGrid1KeyPress(TObject*, char32_t& Key) {
    if (Key == kKeyEscape) SetModalResult(mrCancel);
    else if (Key == kKeyEnter && HasRows()) SetModalResult(mrOk);
}

void Txmzlhxform::DBGrid1DblClick(TObject*) {
    if (HasRows()) SetModalResult(mrOk);
}

void Txmzlhxform::DeclareProperties(TPropertyDecl<Txmzlhxform>& d) {
    d.Method("FormShow", &Txmzlhxform::FormShow);
    d.Method("FormClose", &Txmzlhxform::FormClose);
    d.Method("Edit1Enter", &Txmzlhxform::Edit1Enter);
    d.Method("Edit1Exit", &Txmzlhxform::Edit1Exit);
    d.Method("Edit1Change", &Txmzlhxform::Edit1Change);
    d.Method("Edit1KeyPress", &Txmzlhxform::Edit1KeyPress);
    d.Method("Edit1KeyDown", &Txmzlhxform::Edit1KeyDown);
    d.Method("DBGrid1KeyPress", &Txmzlhxform::DBGrid1KeyPress);
    d.Method("DBGrid1DblClick", &Txmzlhxform::DBGrid1DblClick);
}
