// The data clearing window.
#include "app/forms/ClearDataForm.h"

#include "app/database/DatabaseTexts.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/DataModule.h"
#include "platform/db/ADODB.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(Tsjzlform)
ROVE_CLINIC_FORM(Tsjzlform, sjzlform)

Tsjzlform* sjzlform = nullptr;

namespace {
constexpr const char* kCaption = "提示";
}

Tsjzlform::Tsjzlform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Tsjzlform::~Tsjzlform() {
    if (sjzlform == this) sjzlform = nullptr;
}

void Tsjzlform::BindFields() {
    Bind(Memo1, "Memo1");
    Bind(CheckBox1, "CheckBox1");
    Bind(CheckBox2, "CheckBox2");
    Bind(CheckBox3, "CheckBox3");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
    Bind(ADOQuery1, "ADOQuery1");
}

void Tsjzlform::Run(const char* Sql) {
    ADOQuery1->Close();
    ADOQuery1->SQL()->SetText(Sql);
    ADOQuery1->ExecSQL();
}

void Tsjzlform::Button1Click(TObject*) {
    if (!CheckBox1->Checked()) {
        Application->MessageBox("您还没备份,请先将数据备份到一个安全的地方并妥善保存!", kCaption, MB_OK);
        return;
    }
    if (!CheckBox2->Checked() && !CheckBox3->Checked()) {
        Application->MessageBox("请选择清空哪个记录!", kCaption, MB_OK);
        return;
    }
    if (Application->MessageBox("建议通知主管领导同意后再操作,如已同意请按确定!", kCaption, MB_OKCANCEL) != IDOK)
        return;
    // Charges and voided charges go together: the day's receipt counter reads both tables,
    // so one left behind would make the numbers continue from deleted receipts.
    TADOConnection* db = datamoduleform->ADOConnection1;
    try {
        db->BeginTrans();
        if (CheckBox2->Checked()) {
            Run("delete from tb_sf");
            Run("delete from tb_zfsf");
        }
        if (CheckBox3->Checked()) Run("delete from tb_yprk");
        db->CommitTrans();
    } catch (const Exception& e) {
        if (db->InTransaction()) db->RollbackTrans();
        Application->MessageBox("数据清空失败,记录均未改动：" + ClinicReason(e.Message()), kCaption, MB_OK | MB_ICONERROR);
        return;
    }
    Application->MessageBox("操作成功,请重新运行软件!", kCaption, MB_OK);
    Application->Terminate();
}

void Tsjzlform::Button2Click(TObject*) { Close(); }

void Tsjzlform::DeclareProperties(TPropertyDecl<Tsjzlform>& d) {
    d.Method("Button1Click", &Tsjzlform::Button1Click);
    d.Method("Button2Click", &Tsjzlform::Button2Click);
}
