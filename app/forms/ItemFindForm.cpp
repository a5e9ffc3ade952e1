#include "app/forms/ItemFindForm.h"

#include "app/charging/ReceiptRules.h"
#include "app/database/LookUp.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/ItemListForm.h"
#include "app/forms/NewItemForm.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(Tcxsrform)
ROVE_CLINIC_FORM(Tcxsrform, cxsrform)

Tcxsrform* cxsrform = nullptr;

Tcxsrform::Tcxsrform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Tcxsrform::~Tcxsrform() {
    if (cxsrform == this) cxsrform = nullptr;
}

void Tcxsrform::BindFields() {
    Bind(RadioButton1, "RadioButton1");
    Bind(RadioButton2, "RadioButton2");
    Bind(Edit1, "Edit1");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
}

void Tcxsrform::RadioButtonClick(TObject*) { Edit1->SetText(""); }

// By name any key passes: the text is bound, so it is only ever text to look for.
void Tcxsrform::Edit1KeyPress(TObject*, char32_t& Key) {
    if (RadioButton1->Checked() && !IsPinyinKey(Key)) RefuseItemKey(Key, "请输入字母!");
}

// Containment of the text as typed, taken literally ("5%葡萄糖" finds that name).
void Tcxsrform::Button1Click(TObject*) {
    const std::string text = Edit1->Text();
    if (Trim(text).empty()) {
        Application->MessageBox("查询内容不能为空!", "提示", MB_OK);
        Edit1->SetFocus();
        return;
    }
    TADOQuery* list = xmzlform->ADOQuery2;
    list->Close();
    list->SQL()->SetText(RadioButton1->Checked() ? "select * from tb_yp where 拼音码 like :text escape '\\'"
                                                 : "select * from tb_yp where 项目名称 like :text escape '\\'");
    list->Parameters()->ParamByName("text")->SetValue(Variant(LikeContaining(text)));
    list->Open();
    if (!list->IsEmpty()) {
        Close();
        Edit1->SetText("");
    } else {
        Application->MessageBox("没有找到相符的记录,建议减少查询字数!", "提示", MB_OK);
    }
}

void Tcxsrform::Button2Click(TObject*) { Close(); }

void Tcxsrform::DeclareProperties(TPropertyDecl<Tcxsrform>& d) {
    d.Method("RadioButtonClick", &Tcxsrform::RadioButtonClick);
    d.Method("Edit1KeyPress", &Tcxsrform::Edit1KeyPress);
    d.Method("Button1Click", &Tcxsrform::Button1Click);
    d.Method("Button2Click", &Tcxsrform::Button2Click);
}
