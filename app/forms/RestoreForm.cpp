// The restore window.
#include "app/forms/RestoreForm.h"

#include "app/database/ClinicDatabase.h"
#include "app/database/DatabaseTexts.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/DataModule.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/StdCtrls.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

ROVE_IMPLEMENT_CLASS(Tsjhfform)
ROVE_CLINIC_FORM(Tsjhfform, sjhfform)

Tsjhfform* sjhfform = nullptr;

namespace {
constexpr const char* kCaption = "提示";

void ReportFailure(const std::string& Reason) {
    Application->MessageBox("数据恢复失败：" + ClinicReason(Reason), kCaption, MB_OK | MB_ICONERROR);
}
}  // namespace

Tsjhfform::Tsjhfform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Tsjhfform::~Tsjhfform() {
    if (sjhfform == this) sjhfform = nullptr;
}

void Tsjhfform::BindFields() {
    Bind(Label1, "Label1");
    Bind(Edit1, "Edit1");
    Bind(SpeedButton1, "SpeedButton1");
    Bind(Button1, "Button1");
    Bind(OpenDialog1, "OpenDialog1");
}

void Tsjhfform::SpeedButton1Click(TObject*) {
    if (OpenDialog1->Execute()) Edit1->SetText(OpenDialog1->FileName());
}

void Tsjhfform::Button1Click(TObject*) {
    const std::string file = Edit1->Text();
    if (file.empty()) {
        Application->MessageBox("请选择备份数据库文件!", kCaption, MB_OK);
        return;
    }
    if (!FileExists(file)) {
        Application->MessageBox("您所选择的数据库文件不存在!", kCaption, MB_OK);
        return;
    }
    // The database in use cannot be restored from itself.
    TADOConnection* db = datamoduleform->ADOConnection1;
    std::error_code ec;
    if (db->Connected() && fs::equivalent(file, db->Database().FileName(), ec)) {
        ReportFailure("所选文件就是正在使用的数据库文件。");
        return;
    }
    // A file that is no clinic database would leave the program without its tables.
    try {
        ValidateClinicDatabase(file);
    } catch (const Exception& e) {
        ReportFailure(e.Message());
        return;
    }
    if (Application->MessageBox("是否恢复为以前备份过的数据,原数据将覆盖现有数据!", "提示框",
                                MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;

    // The replacement closes every dataset of the connection; when it fails they open again
    // on the database as it was.
    std::vector<TCustomADODataSet*> open;
    for (int i = 0; i < db->DataSetCount(); ++i)
        if (db->DataSets(i)->Active()) open.push_back(db->DataSets(i));
    try {
        db->RestoreFrom(file);
    } catch (const Exception& e) {
        try {
            if (!db->Connected()) db->Open();
            for (TCustomADODataSet* ds : open) ds->Open();
        } catch (const Exception&) {
            // The failure itself is what the user needs to read.
        }
        ReportFailure(e.Message());
        return;
    }
    db->Close();
    Application->MessageBox("数据恢复成功,请重新运行软件!", kCaption, MB_OK);
    Application->Terminate();
}

void Tsjhfform::DeclareProperties(TPropertyDecl<Tsjhfform>& d) {
    d.Method("SpeedButton1Click", &Tsjhfform::SpeedButton1Click);
    d.Method("Button1Click", &Tsjhfform::Button1Click);
}
