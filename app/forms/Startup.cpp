#include "app/forms/Startup.h"

#include "app/database/DatabaseTexts.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/DataModule.h"
#include "app/forms/LoginForm.h"
#include "app/widgets/FlatButton.h"
#include "designer/code/CodeUtils.h"
#include "designer/editors/Registration.h"
#include "designer/inspector/InspectorHints.h"
#include "designer/resources/DesignerTexts.h"
#include "designer/window/DesignerForm.h"
#include "platform/db/DB.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Shell.h"
#include "preview/PreviewForm.h"
#include "preview/PrintDialog.h"
#include "report/CrossView.h"
#include "report/DataSet.h"
#include "report/LineView.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/ReportScript.h"
#include "report/Utils.h"
#include "script/Script.h"
#include "script/stdclasses/StdClasses.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string_view>

namespace {
// The main window's class names the mark, as another instance would look for it.
constexpr const char* kInstanceKey = "Twqtdglzjmform";
std::unique_ptr<TSingleInstanceLock>& InstanceLock() {
    static std::unique_ptr<TSingleInstanceLock> lock;
    return lock;
}
}  // namespace

void RegisterClinicClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterUiClasses();
    RegisterDBClasses();
    RegisterClinicWidgets();
    RegisterClinicFormResources();
    // The report objects the windows' own report templates are made of.
    frxRegisterBandAndPageClasses();
    RegisterClasses({TfrxReport::StaticClass(), TfrxDBDataset::StaticClass(), TfrxMemoView::StaticClass(),
                     TfrxLineView::StaticClass(), TfrxCrossView::StaticClass()});
    // A database failure that stops a report (another program holds the database, the disk
    // is full) is listed in the report's error box in the clinic's words too.
    frxSetFailureWords([](const std::string& Text) { return ClinicDatabaseText(Text).value_or(std::string()); });
    // Receipts and reports open in the preview window and print through its dialog.
    frxRegisterPreviewForm();
    frxInstallPrintDialog();
    // The designer's texts join the string table before any window exists; the designer
    // window is the report's designer ("设计" in the receipt prompt).
    frxRegisterDesignerTexts();
    frxRegisterDesigner();
    // The object inspector's property descriptions.
    frxRegisterInspectorHints();
    // How each script language writes an event handler (string-table templates).
    frxRegisterCodeTemplates();
    // Report scripts reach the standard classes and the report's own.
    fsRegisterStandardClasses();
    frxRegisterReportClasses();
    // The designer's object and property editors, for the designer and its inspector (the
    // cross-tab editor and the report wizards come with the designer's dialogs).
    frxRegisterDesignerEditors();
}

bool ClaimSingleInstance() {
    // An instance started with parameters takes the mark too when it is free, so that a
    // later start without parameters finds it.
    auto lock = std::make_unique<TSingleInstanceLock>(kInstanceKey);
    const bool first = lock->Acquire();
    if (first) InstanceLock() = std::move(lock);
    if (first || ParamCount() > 0) return true;
    Application->MessageBox("该程序已经有一个在运行中！", "运行", MB_OK);
    return false;
}

void ReleaseSingleInstance() { InstanceLock().reset(); }

namespace {
// ROVE_EXIT_AT_LOGIN_PAINT=1: the program ends the moment the login window has painted
// for the first time, without closing its windows, so that a timer around the process
// measures the start-up from exec to the first paint (README, benchmarks). The instance
// lock goes with the process.
void ExitAtLoginPaint() {
    const char* v = std::getenv("ROVE_EXIT_AT_LOGIN_PAINT");
    if (!v || !*v || std::string_view(v) == "0" || !LogoinForm) return;
    LogoinForm->OnPaint = [](TObject*) {
        std::fflush(nullptr);
        std::_Exit(0);
    };
}
}  // namespace

// A failure of the database that leaves an event handler reaches the user in the clinic's
// own words (DatabaseTexts.h); every other one as the class library shows it.
void ShowClinicException(TObject*, const Exception& E) {
    if (std::optional<std::string> text = ClinicDatabaseText(E.Message()))
        Application->MessageBox(*text, "提示", MB_OK | MB_ICONWARNING);
    else
        Application->ShowException(E);
}

void ShutDownClinic() {
    DestroyClinicForms();
    frxUnregisterReportClasses();
    fsUnregisterStandardClasses();
    FreeGlobalUnit();
    Application->Finalize();
}

bool CreateClinicWindows() {
    Application->SetTitle(kClinicTitle);
    Application->OnException = ShowClinicException;
    try {
        CreateClinicForms(*Application);
    } catch (const Exception& e) {
        Application->MessageBox(e.Message(), "提示", MB_OK | MB_ICONERROR);
        return false;
    }
    // The program runs for the queries, but says at once that nothing can be saved.
    if (datamoduleform && !datamoduleform->CanWrite())
        Application->MessageBox(kReadOnlyDatabaseText, "提示", MB_OK | MB_ICONWARNING);
    return true;
}

int ClinicMain(int argc, char** argv) {
    SetCommandLine(argc, argv);
    Application->Initialize(argc, argv);
    if (!ClaimSingleInstance()) return 0;
    RegisterClinicClasses();
    const bool created = CreateClinicWindows();
    if (created) ExitAtLoginPaint();
    if (created) Application->Run();
    ShutDownClinic();
    ReleaseSingleInstance();
    return created ? 0 : 1;
}
