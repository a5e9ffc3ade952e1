#include "RunFixtures.h"
#include "platform/ui/UiTest.h"

#include "platform/rtl/StrUtils.h"
#include "script/ClassVariables.h"
#include "script/Script.h"

ROVE_IMPLEMENT_CLASS(TfrxRunTestMemo)
ROVE_IMPLEMENT_CLASS(TfrxRunTestPage)
ROVE_IMPLEMENT_CLASS(TFakePreview)
ROVE_IMPLEMENT_CLASS(TFakePreviewForm)
ROVE_IMPLEMENT_CLASS(TFakeDesigner)

int TFakePreviewForm::Alive = 0;
int TFakeDesigner::Alive = 0;
TFakeDesigner::TSeen TFakeDesigner::Seen;
bool TFakeDesigner::Modify = false;
bool TFakeDesigner::FreeItself = false;

void TfrxRunTestMemo::DeclareProperties(TPropertyDecl<TfrxRunTestMemo>& d) {
    using T = TfrxRunTestMemo;
    TfrxComponent::DeclareCommon(d, TfrxComponent::pubBounds | TfrxComponent::pubVisible);
    d.Property("Memo", &T::Memo);
    d.Property("OnAfterPrint", &T::OnAfterPrint, &T::OnAfterPrint);
    d.Property("OnBeforePrint", &T::OnBeforePrint, &T::OnBeforePrint);
    d.Property("OnPreviewClick", &T::OnPreviewClick, &T::OnPreviewClick);
}

std::string TfrxRunTestMemo::Expression() const { return Trim(FMemo.Text()); }

void TfrxRunTestPage::DeclareProperties(TPropertyDecl<TfrxRunTestPage>&) {}

bool TFakeEngine::Run() {
    ++Runs;
    TfrxReport* report = Report();
    struct Guard {
        TFakeEngine* E;
        ~Guard() { E->Running = false; }
    } guard{this};
    Running = true;
    PreviewPages()->AddPage(nullptr);
    for (TfrxComponent* obj : report->AllObjects()) {
        auto* memo = dynamic_cast<TfrxRunTestMemo*>(obj);
        if (!memo) continue;
        Prepared.push_back(memo->Name() + ":" + std::to_string(memo->Prepared));
        report->CurObject = memo->Name();
        report->DoBeforePrint(memo);
        if (memo->Visible()) Output.push_back(memo->Name() + "=" + VarToStr(report->Calc(memo->Expression())));
        report->DoAfterPrint(memo);
    }
    report->CurObject.clear();
    return RunResult;
}

TFakePreviewForm::TFakePreviewForm(TComponent* AOwner) : TfrxCustomPreviewForm(AOwner) {
    ++Alive;
    FPreview = new TFakePreview(this);
    FPreview->SetParent(this);
    OnClose = [this](TObject*, TCloseAction& Action) {
        if (FreeOnClose) Action = caFree;
    };
}

TFakePreviewForm::~TFakePreviewForm() { --Alive; }

TFakeDesigner::TFakeDesigner(TComponent* AOwner, TfrxReport* AReport, bool APreviewDesigner)
    : TfrxCustomDesigner(AOwner, AReport, APreviewDesigner) {
    ++Alive;
    OnShow = [this](TObject*) { Shown(); };
}

TFakeDesigner::~TFakeDesigner() { --Alive; }

void TFakeDesigner::Shown() {
    Seen = TSeen();
    Seen.Pages = Report()->PagesCount();
    if (Seen.Pages > 0) Seen.FirstPage = Report()->Pages(0)->Name();
    Seen.Preview = IsPreviewDesigner();
    if (TCustomForm* active = Screen->ActiveForm()) Seen.ActiveFormEnabled = active->Enabled();
    FCloser = std::make_unique<TTimer>(nullptr);
    FCloser->SetInterval(5);
    FCloser->OnTimer = [this](TObject*) {
        FCloser->SetEnabled(false);
        if (Modify) SetModified(true);
        if (FreeItself)
            Release();
        else
            ModalFinished = true;
    };
}

TRunServices::TRunServices(bool Engine, bool PreviewForm, bool Designer) {
    static bool registered = false;
    if (!registered) {
        registered = true;
        RegisterClasses({TfrxRunTestMemo::StaticClass(), TfrxRunTestPage::StaticClass()});
        // The report's own classes come with the first report.
        TfrxReport warmUp(nullptr);
        GlobalUnit()->AddClass(TfrxRunTestMemo::StaticClass(), "TfrxReportComponent");
    }
    if (Engine) {
        frxEngineClass() = [](TfrxReport* r) { return std::make_unique<TFakeEngine>(r); };
        frxPreviewPagesClass() = [](TfrxReport* r) { return std::make_unique<TFakePreviewPages>(r); };
    }
    if (PreviewForm) frxPreviewFormClass() = [](TComponent* owner) { return new TFakePreviewForm(owner); };
    if (Designer)
        frxDesignerClass() = [](TComponent* owner, TfrxReport* r, bool preview) -> TfrxCustomDesigner* {
            return new TFakeDesigner(owner, r, preview);
        };
}

TRunServices::~TRunServices() {
    frxEngineClass() = nullptr;
    frxPreviewPagesClass() = nullptr;
    frxPreviewFormClass() = nullptr;
    frxDesignerClass() = nullptr;
}

TFakeEngine* EngineOf(TfrxReport& Report) { return static_cast<TFakeEngine*>(Report.Engine()); }
TFakePreviewPages* PagesOf(TfrxReport& Report) { return static_cast<TFakePreviewPages*>(Report.PreviewPages()); }

bool ProcessUntil(const std::function<bool()>& Done) {
    for (int i = 0; i < 400; ++i) {
        if (Done()) return true;
        TUiTestHarness::ElapseTime(5);
    }
    return Done();
}
