// The shared behaviour of the department, item type and unit windows.
#include "app/forms/NameListForm.h"

#include "app/charging/ReceiptRules.h"
#include "app/forms/ClinicForms.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(TNameListForm)

namespace {
constexpr const char* kCaption = "提示";
}

void AddToPickList(std::string_view WindowClass, std::string_view Control, const std::string& Text) {
    TCustomForm* form = FindClinicWindow(WindowClass);
    if (!form) return;
    if (auto* list = dynamic_cast<TComboBox*>(form->FindComponent(Control))) list->Items()->Add(Text);
}

TNameListForm::TNameListForm(TComponent* AOwner) : TForm(AOwner) {}

TNameListForm::~TNameListForm() = default;

void TNameListForm::BindFields() {
    Bind(Edit1, "Edit1");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
    Bind(DBGrid1, "DBGrid1");
    Bind(ADOTable1, "ADOTable1");
    Bind(DataSource1, "DataSource1");
}

void TNameListForm::FormShow(TObject*) { Edit1->SetFocus(); }

void TNameListForm::FormClose(TObject*, TCloseAction&) { Edit1->SetText(""); }

// The item types window creates 保存 disabled: there Enter stays in the field.
void TNameListForm::Edit1KeyPress(TObject*, char32_t& Key) {
    if (Key == kKeyEnter && Button1->CanFocus()) Button1->SetFocus();
}

// The check trims; the row keeps the text as typed.
void TNameListForm::Button1Click(TObject*) {
    const std::string name = Edit1->Text();
    if (Trim(name).empty()) {
        Application->MessageBox(EmptyNameMessage(), kCaption, MB_OK);
        return;
    }
    // A new row goes after the last one, where the list shows it (an insert would put it
    // before the last row).
    ADOTable1->Append();
    try {
        ADOTable1->FieldByName(NameColumn())->SetAsString(name);
        ADOTable1->Post();
    } catch (const Exception&) {
        ADOTable1->Cancel();
        throw;
    }
    Application->MessageBox("保存成功!", kCaption, MB_OK);
    AddToOtherLists(name);
    Edit1->SetText("");
    Edit1->SetFocus();
}

void TNameListForm::DBGrid1CellClick(TColumn*) {
    if (ADOTable1->Active() && !ADOTable1->IsEmpty())
        Edit1->SetText(ADOTable1->FieldByName(NameColumn())->AsString());
}

// A name deleted stays in the other windows' lists until the program starts again.
void TNameListForm::Button2Click(TObject*) {
    if (MessageDlg("确定删除么？", mtConfirmation, mbYesNo) == mrYes && ADOTable1->Active() &&
        !ADOTable1->IsEmpty()) {
        ADOTable1->Delete();
        Application->MessageBox("删除成功!", kCaption, MB_OK);
    }
    Edit1->SetText("");
    Edit1->SetFocus();
}

void TNameListForm::DeclareProperties(TPropertyDecl<TNameListForm>& d) {
    d.Method("FormShow", &TNameListForm::FormShow);
    d.Method("FormClose", &TNameListForm::FormClose);
    d.Method("Edit1KeyPress", &TNameListForm::Edit1KeyPress);
    d.Method("Button1Click", &TNameListForm::Button1Click);
    d.Method("Button2Click", &TNameListForm::Button2Click);
    d.Method("DBGrid1CellClick", &TNameListForm::DBGrid1CellClick);
}
