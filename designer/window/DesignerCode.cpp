// The designer window's code page: the script editor with its tool bar (script language,
// script files, run, step, stop, evaluate), the code page's keys, the debugger bound to the
// preview command, the event-handler operations the inspector and the editors reach
// through the report's designer, and the data tree's drops and double clicks.
#include <memory>

#include <algorithm>

#include "designer/code/CodeUtils.h"
#include "designer/code/ScriptDebugger.h"
#include "designer/code/SyntaxMemo.h"
#include "designer/trees/DataTree.h"
#include "designer/window/DesignerForm.h"
#include "designer/window/DesignerImages.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/TabControl.h"
#include "report/Images.h"
#include "report/Report.h"
#include "report/Resources.h"

namespace {
std::string Res(const char* Key) { return frxResources().Get(Key); }

// The script file dialogs' filter: one entry per language (in the order of the filter
// indexes UpdateSyntaxType picks), then every file.
const char* const kScriptFilter =
    "Pascal 脚本 (*.pas)|*.pas|C++ 脚本 (*.cpp)|*.cpp|JScript 脚本 (*.js)|*.js|Basic 脚本 (*.vb)|*.vb|"
    "所有文件 (*.*)|*.*";

// Edits of the editor's lines from outside come as one change, also when the edit fails.
struct TLinesUpdate {
    TStrings& Lines;
    explicit TLinesUpdate(TStrings& L) : Lines(L) { Lines.BeginUpdate(); }
    ~TLinesUpdate() { Lines.EndUpdate(); }
    TLinesUpdate(const TLinesUpdate&) = delete;
    TLinesUpdate& operator=(const TLinesUpdate&) = delete;
};
}  // namespace

// --- Construction --------------------------------------------------------------------------------

void TfrxDesignerForm::CreateCodePage() {
    CodePanel = new TPanel(this);
    CodePanel->SetName("CodePanel");
    CodePanel->SetParent(Tab);
    CodePanel->SetAlign(alClient);
    CodePanel->SetBevelOuter(bvNone);
    CodePanel->SetVisible(false);
    CodeTB = new TToolBar(this);
    CodeTB->SetName("CodeTB");
    CodeTB->SetParent(CodePanel);
    CodeTB->SetAlign(alTop);
    CodeTB->SetHeight(27);
    CodeTB->SetFlat(true);
    CodeTB->SetImages(frxResources().MainButtonImages());
    CodeTB->SetDisabledImages(frxResources().DisabledButtonImages());
    AddButton(CodeTB, "SepTB12", -1, tbsSeparator)->SetWidth(160);
    LangL = new TLabel(this);
    LangL->SetName("LangL");
    LangL->SetParent(CodeTB);
    LangL->SetBounds(4, 5, 64, 14);
    LangL->SetCaption("Script language:");
    LangCB = new TComboBox(this);
    LangCB->SetName("LangCB");
    LangCB->SetParent(CodeTB);
    LangCB->SetStyle(csDropDownList);
    LangCB->SetBounds(68, 1, 90, 21);
    LangCB->OnClick = [this](TObject* s) { LangCBClick(s); };
    OpenScriptB = AddButton(CodeTB, "OpenScriptB", frxButton::Open);
    OpenScriptB->OnClick = [this](TObject* s) { OpenScriptBClick(s); };
    SaveScriptB = AddButton(CodeTB, "SaveScriptB", frxButton::Save);
    SaveScriptB->OnClick = [this](TObject* s) { SaveScriptBClick(s); };
    AddButton(CodeTB, "SepTB13", -1, tbsSeparator);
    RunScriptB = AddButton(CodeTB, "RunScriptB", frxDesignerImageIndex(TfrxDesignerImage::RunScript));
    RunScriptB->OnClick = [this](TObject* s) { RunScriptBClick(s); };
    StepScriptB = AddButton(CodeTB, "StepScriptB", frxDesignerImageIndex(TfrxDesignerImage::StepScript));
    StepScriptB->OnClick = [this](TObject* s) { RunScriptBClick(s); };
    StopScriptB = AddButton(CodeTB, "StopScriptB", frxDesignerImageIndex(TfrxDesignerImage::StopScript));
    StopScriptB->OnClick = [this](TObject* s) { StopScriptBClick(s); };
    EvaluateB = AddButton(CodeTB, "EvaluateB", frxDesignerImageIndex(TfrxDesignerImage::Evaluate));
    EvaluateB->OnClick = [this](TObject* s) { EvaluateBClick(s); };

    OpenScriptDialog = new TOpenDialog(this);
    OpenScriptDialog->SetName("OpenScriptDialog");
    OpenScriptDialog->SetFilter(kScriptFilter);
    SaveScriptDialog = new TSaveDialog(this);
    SaveScriptDialog->SetName("SaveScriptDialog");
    SaveScriptDialog->SetFilter(kScriptFilter);
    SaveScriptDialog->SetOptions(SaveScriptDialog->Options() + TOpenOptions{ofOverwritePrompt});

    // The event-handler templates of the four languages (registered once).
    frxRegisterCodeTemplates();
    CodeWindow = new TfrxSyntaxMemo(this);
    CodeWindow->SetName("CodeWindow");
    CodeWindow->SetParent(CodePanel);
    CodeWindow->SetAlign(alClient);
    CodeWindow->SetColor(clWindow);
    CodeWindow->SetLines(*Report()->ScriptText());
    // An edit of the script marks the report modified without an undo snapshot: the
    // snapshot is taken when the code page is left.
    CodeWindow->OnTextChange = [this](TObject*) {
        if (Page()) return;
        TfrxCustomDesigner::SetModified(true);
        SaveCmd->SetEnabled(CheckRestriction(drDontSaveReport));
    };
    CodeWindow->OnCaretMove = [this](TObject*) {
        if (Page()) return;
        const TfrxCaretPos p = CodeWindow->GetCaretPos();
        FPositionText = Format("%d; %d", {p.Y, p.X});
        FSizeText.clear();
        FScaleText.clear();
        StatusBar->Invalidate();
    };
    CodeWindow->OnDragOver = [this](TObject* s, TObject* src, int x, int y, TDragState st, bool& a) {
        CodeWindowDragOver(s, src, x, y, st, a);
    };
    CodeWindow->OnDragDrop = [this](TObject* s, TObject* src, int x, int y) { CodeWindowDragDrop(s, src, x, y); };

    FDebugger = std::make_unique<TfrxScriptDebugger>(Report(), CodeWindow);
    FDebugger->DesignerForm = this;
    FDebugger->RunReport = [this] { PreviewCmdExecute(PreviewCmd); };
    FDebugger->OnStateChange = [this] { ScriptStateChanged(); };
    // While the script runs, the commands that would replace, restructure or prepare the
    // report again wait: the report is in the middle of its preparation.
    ActionList->OnExecute = [this](TBasicAction* Action, bool& Handled) {
        if (!ScriptRunning) return;
        for (TBasicAction* a : {static_cast<TBasicAction*>(NewReportCmd), static_cast<TBasicAction*>(OpenCmd),
                                static_cast<TBasicAction*>(NewItemCmd), static_cast<TBasicAction*>(NewPageCmd),
                                static_cast<TBasicAction*>(NewDialogCmd), static_cast<TBasicAction*>(DeletePageCmd),
                                static_cast<TBasicAction*>(PreviewCmd), static_cast<TBasicAction*>(RedoCmd)})
            if (Action == a) Handled = true;
        if (Action == UndoCmd && Page()) Handled = true;
    };
    DataTree->OnDblClick = [this](TObject* s) { DataTreeDblClick(s); };
}

// --- Script text -------------------------------------------------------------------------------------

void TfrxDesignerForm::StoreScriptText() {
    const std::vector<std::string> lines = CodeWindow->GetTrimmedLines();
    TStrings* script = Report()->ScriptText();
    script->BeginUpdate();
    script->Clear();
    for (const std::string& l : lines) script->Add(l);
    script->EndUpdate();
}

void TfrxDesignerForm::UpdateSyntaxType() {
    struct TLang {
        const char* Name;
        int Index;
        const char* Ext;
    };
    static const TLang kLangs[] = {{"PascalScript", 1, "pas"}, {"C++Script", 2, "cpp"}, {"JScript", 3, "js"},
                                   {"BasicScript", 4, "vb"}};
    const std::string& lang = Report()->ScriptLanguage;
    CodeWindow->SetSyntax(lang);
    int index = 5;
    std::string ext;
    for (const TLang& l : kLangs)
        if (SameText(lang, l.Name)) {
            index = l.Index;
            ext = l.Ext;
        }
    for (TOpenDialog* d : {OpenScriptDialog, static_cast<TOpenDialog*>(SaveScriptDialog)}) {
        d->SetFilterIndex(index);
        d->SetDefaultExt(ext);
    }
    LangCB->SetItemIndex(LangCB->Items()->IndexOf(lang));
}

void TfrxDesignerForm::PlaceLangBox() {
    const int left = std::max(68, LangL->Left() + LangL->Width() + 4);
    LangCB->SetBounds(left, LangCB->Top(), std::max(90, LangCB->ClosedContentWidth()), LangCB->Height());
    if (auto* room = dynamic_cast<TToolButton*>(FindComponent("SepTB12")))
        room->SetWidth(LangCB->Left() + LangCB->Width() + 2);
}

void TfrxDesignerForm::LangCBClick(TObject*) {
    const std::string lang = LangCB->Text();
    if (lang.empty() || SameText(lang, Report()->ScriptLanguage)) return;
    if (Application->MessageBox(Res("dsClearScript"), Res("mbConfirm"), MB_YESNO | MB_ICONQUESTION) != IDYES) {
        LangCB->SetItemIndex(LangCB->Items()->IndexOf(Report()->ScriptLanguage));
        return;
    }
    Report()->ScriptLanguage = lang;
    TStringList script;
    NewEmptyScript(script, lang);
    CodeWindow->SetLines(script);
    UpdateSyntaxType();
    SetModified(true);
    if (Showing() && CodeWindow->CanFocus()) CodeWindow->SetFocus();
}

void TfrxDesignerForm::OpenScriptBClick(TObject*) {
    if (!OpenScriptDialog->Execute()) return;
    TStringList script;
    try {
        script.LoadFromFile(OpenScriptDialog->FileName());
    } catch (const std::exception& e) {
        frxErrorMsg(e.what());
        return;
    }
    CodeWindow->SetLines(script);
    SetModified(true);
}

void TfrxDesignerForm::SaveScriptBClick(TObject*) {
    if (!SaveScriptDialog->Execute()) return;
    TStringList script;
    for (const std::string& l : CodeWindow->GetTrimmedLines()) script.Add(l);
    try {
        script.SaveToFile(SaveScriptDialog->FileName());
    } catch (const std::exception& e) {
        frxErrorMsg(e.what());
    }
}

// --- Event handlers of the report's objects --------------------------------------------------------

std::vector<std::string> TfrxDesignerForm::ListMatchingHandlers(const std::string& EventType) {
    TStringList list;
    ::ListMatchingHandlers(*CodeWindow->Lines(), Report()->ScriptLanguage, EventType, list);
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list[i]);
    return names;
}

int TfrxDesignerForm::FindHandlerLine(const std::string& Name) {
    return ::FindHandlerLine(*CodeWindow->Lines(), Report()->ScriptLanguage, Name);
}

int TfrxDesignerForm::InsertEventHandler(const std::string& EventType, const std::string& Name) {
    int line = 0;
    {
        TLinesUpdate update(*CodeWindow->Lines());
        line = ::InsertEventHandler(*CodeWindow->Lines(), Report()->ScriptLanguage, EventType, Name);
    }
    TfrxCustomDesigner::SetModified(true);
    SaveCmd->SetEnabled(CheckRestriction(drDontSaveReport));
    return line;
}

void TfrxDesignerForm::ShowCodeLine(int Line, int Column) {
    SwitchToCodeWindow();
    CodeWindow->RefreshView();
    CodeWindow->MoveCaret(Column, Line);
    if (Showing() && CodeWindow->CanFocus()) CodeWindow->SetFocus();
}

// --- Debugging ----------------------------------------------------------------------------------------

void TfrxDesignerForm::RunScriptBClick(TObject* Sender) {
    if (Sender == StepScriptB) FDebugger->Step();
    else FDebugger->Run();
}

void TfrxDesignerForm::StopScriptBClick(TObject*) { FDebugger->Stop(); }

void TfrxDesignerForm::EvaluateBClick(TObject*) { FDebugger->Evaluate(); }

bool TfrxDesignerForm::CodeKeyDown(uint16_t Key, TShiftState Shift) {
    switch (Key) {
        case VK_F2:
            if (Shift != ssCtrl) return false;
            StopScriptBClick(StopScriptB);
            return true;
        case VK_F7:
            if (Shift == ssCtrl) EvaluateBClick(EvaluateB);
            else RunScriptBClick(StepScriptB);
            return true;
        case VK_F8: RunScriptBClick(StepScriptB); return true;
        case VK_F9: RunScriptBClick(RunScriptB); return true;
        case VK_F4:
        case VK_F5: FDebugger->RunToCursor(); return true;
        default: return false;
    }
}

void TfrxDesignerForm::ScriptStateChanged() { ScriptRunning = FDebugger->ScriptRunning(); }

// --- The data tree --------------------------------------------------------------------------------------

void TfrxDesignerForm::CodeWindowDragOver(TObject*, TObject* Source, int, int, TDragState, bool& Accept) {
    auto* tree = dynamic_cast<TTreeView*>(Source);
    Accept = tree && tree->Owner() == DataTree && !DataTree->GetInsertText().empty();
}

void TfrxDesignerForm::CodeWindowDragDrop(TObject*, TObject* Source, int, int) {
    auto* tree = dynamic_cast<TTreeView*>(Source);
    if (!tree || tree->Owner() != DataTree) return;
    const std::string text = DataTree->GetInsertText();
    if (text.empty()) return;
    CodeWindow->InsertText(text);
    if (Showing() && CodeWindow->CanFocus()) CodeWindow->SetFocus();
}

void TfrxDesignerForm::DataTreeDblClick(TObject*) {
    if (!Page()) {
        const std::string text = DataTree->GetInsertText();
        if (text.empty()) return;
        CodeWindow->InsertText(text);
        if (Showing() && CodeWindow->CanFocus()) CodeWindow->SetFocus();
    } else if (DataTree->IsDataPageActive() && Report()->DataSets()->Count() == 0) {
        ReportDataMIClick(ReportDataMI);
    }
}
