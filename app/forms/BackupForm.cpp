// The backup window: the folder from tb_bflj, the folder chooser, and the backup itself.
#include "app/forms/BackupForm.h"

#include "app/database/DatabaseTexts.h"
#include "app/forms/ClearDataForm.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/DataModule.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(Tsjbfform)
ROVE_CLINIC_FORM(Tsjbfform, sjbfform)

Tsjbfform* sjbfform = nullptr;

namespace {
constexpr const char* kCaption = "提示";

bool EndsWithDelimiter(const std::string& Path) { return !Path.empty() && Path.back() == PathDelim; }
}  // namespace

std::string BackupFileName(double Stamp) { return FormatDateTime("mmddhhmm", Stamp) + "bf.mdb"; }

Tsjbfform::Tsjbfform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Tsjbfform::~Tsjbfform() {
    if (sjbfform == this) sjbfform = nullptr;
}

void Tsjbfform::BindFields() {
    Bind(Label1, "Label1");
    Bind(Edit1, "Edit1");
    Bind(SpeedButton1, "SpeedButton1");
    Bind(Button1, "Button1");
    Bind(ADOQuery1, "ADOQuery1");
}

// The folder of the last backup.
void Tsjbfform::FormShow(TObject*) {
    ADOQuery1->Close();
    ADOQuery1->SQL()->SetText("select * from tb_bflj");
    ADOQuery1->Open();
    Edit1->SetText(ADOQuery1->FieldByName("备份路径")->AsString());
}

void Tsjbfform::SpeedButton1Click(TObject*) {
    std::string dir = Edit1->Text();
    if (!SelectDirectory("选择保存的路径", "", dir)) return;
    if (!EndsWithDelimiter(dir)) dir += PathDelim;
    Edit1->SetText(dir);
}

// The folder is remembered in the one row of tb_bflj; a database without that row gets it.
void Tsjbfform::StoreBackupPath(const std::string& Path) {
    ADOQuery1->Close();
    ADOQuery1->SQL()->SetText(" UPDATE tb_bflj SET 备份路径=:bflj ");
    ADOQuery1->Parameters()->ParamByName("bflj")->SetValue(Variant(Path));
    if (ADOQuery1->ExecSQL() > 0) return;
    ADOQuery1->SQL()->SetText("INSERT INTO tb_bflj (备份路径) VALUES (:bflj)");
    ADOQuery1->Parameters()->ParamByName("bflj")->SetValue(Variant(Path));
    ADOQuery1->ExecSQL();
}

void Tsjbfform::Button1Click(TObject*) {
    std::string dir = Edit1->Text();
    if (!dir.empty() && !EndsWithDelimiter(dir)) {
        dir += PathDelim;
        Edit1->SetText(dir);
    }
    if (dir.empty() || dir == std::string(1, PathDelim)) {
        Application->MessageBox("请选择备份数据库路径!", kCaption, MB_OK);
        return;
    }
    if (!DirectoryExists(dir)) {
        Application->MessageBox("您所选择的备份目录不存在!", kCaption, MB_OK);
        return;
    }
    const std::string target = dir + BackupFileName(Now());
    if (Application->MessageBox("请记住数据备份存放位置,并妥善保存数据!", "提示框", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    try {
        datamoduleform->ADOConnection1->BackupTo(target);
    } catch (const Exception& e) {
        Application->MessageBox("数据库备份失败：" + ClinicReason(e.Message()), kCaption, MB_OK | MB_ICONERROR);
        return;
    }
    if (sjzlform) sjzlform->CheckBox1->SetChecked(true);
    StoreBackupPath(dir);
    Application->MessageBox("数据库备份成功!", kCaption, MB_OK);
    Close();
}

void Tsjbfform::DeclareProperties(TPropertyDecl<Tsjbfform>& d) {
    d.Method("FormShow", &Tsjbfform::FormShow);
    d.Method("SpeedButton1Click", &Tsjbfform::SpeedButton1Click);
    d.Method("Button1Click", &Tsjbfform::Button1Click);
}
