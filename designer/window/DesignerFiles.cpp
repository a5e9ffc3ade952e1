// Report files in the designer: the caption, the save question, opening (a named file, the
// options component's hook or the open dialog), saving (the hook, the file itself or the
// save dialog) and the recent-file list of the File menu.
#include <algorithm>

#include "designer/undo/UndoBuffer.h"
#include "designer/window/DesignerForm.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Forms.h"
#include "report/Options.h"
#include "report/XMLDocument.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/Resources.h"

namespace {
std::string Res(const char* Key) { return frxResources().Get(Key); }

// Silent mode is off while a file is opened, so that its errors show; it comes back
// on every way out.
struct TSilentOff {
    TfrxEngineOptions* Options;
    bool Saved;
    explicit TSilentOff(TfrxEngineOptions* O) : Options(O), Saved(O->SilentMode) { O->SilentMode = false; }
    ~TSilentOff() { Options->SilentMode = Saved; }
};

// The report as report XML, and back (the state a failed open returns to).
std::string Snapshot(TfrxReport* Report) {
    TMemoryStream s;
    Report->SaveToStream(s);
    return std::string(static_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
}
}  // namespace

std::string TfrxDesignerForm::ReportFileName() const {
    const std::string& name = Report()->FileName();
    if (name.empty()) return "Untitled.bl3";
    const size_t cut = name.find_last_of("\\:/");
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

void TfrxDesignerForm::UpdateCaption() { SetCaption("Brightline - " + ReportFileName()); }

int TfrxDesignerForm::AskSaveChanges() {
    if (Report()->ComponentState().Contains(csDesigning)) return IDNO;
    const std::string text =
        IsPreviewDesigner() ? Res("dsSavePreviewChanges") : Res("dsSaveChangesTo") + ReportFileName() + "?";
    return Application->MessageBox(text, Res("mbConfirm"), MB_YESNOCANCEL | MB_ICONQUESTION);
}

void TfrxDesignerForm::OpenReport(const std::string& FileName, bool CallHook) {
    // A running script's report is not replaced under it.
    if (ScriptRunning) return;
    TSilentOff silent(Report()->EngineOptions());
    // Unsaved changes are asked about first; Cancel keeps the report open as it is.
    auto askFirst = [&] {
        if (!Modified()) return true;
        const int answer = AskSaveChanges();
        if (answer == IDCANCEL) return false;
        if (answer == IDYES) return SaveReport(false, CallHook);
        return true;
    };
    // Reads the file; a file that cannot be read leaves the report that was open.
    auto load = [&](const std::string& Name) {
        const std::string before = Snapshot(Report());
        const std::string beforeName = Report()->FileName();
        const bool wasModified = Modified();
        Lock();
        std::string error;
        try {
            if (!Report()->LoadFromFile(Name)) error = Res("dsCantLoad") + " " + Name;
        } catch (const std::exception& e) {
            error = Res("dsCantLoad") + " " + Name + ": " + frxFileErrorText(e);
        }
        if (!error.empty()) {
            frxErrorMsg(error);
            TMemoryStream back;
            back.Write(before.data(), static_cast<int64_t>(before.size()));
            back.SetPosition(0);
            const bool silentNow = Report()->EngineOptions()->SilentMode;
            Report()->EngineOptions()->SilentMode = true;
            try {
                Report()->LoadFromStream(back);
            } catch (const std::exception&) {
                Report()->Clear();
            }
            Report()->EngineOptions()->SilentMode = silentNow;
            Report()->SetFileName(beforeName);
            const int page = std::max(GetPageIndex(), 0);
            ReloadPages(page);
            TfrxCustomDesigner::SetModified(wasModified);
            SaveCmd->SetEnabled(wasModified && CheckRestriction(drDontSaveReport));
            return;
        }
        ReloadReport();
    };
    if (!FileName.empty()) {
        if (!askFirst()) return;
        load(FileName);
        return;
    }
    TfrxDesigner* d = frxGlobalDesigner();
    if (CallHook && d && d->OnLoadReport.Assigned()) {
        Lock();
        if (d->OnLoadReport(Report())) ReloadReport();
        else ReloadPages(0);
        return;
    }
    OpenDialog->SetFilter(Res("dsRepFilter"));
    OpenDialog->SetFilterIndex(1);
    if (d) OpenDialog->SetInitialDir(d->OpenDir);
    if (!OpenDialog->Execute()) return;
    if (!askFirst()) return;
    load(OpenDialog->FileName());
}

bool TfrxDesignerForm::SaveReport(bool SaveAs, bool CallHook) {
    StoreScriptText();
    Report()->ReportOptions()->LastChange = Now();
    TfrxDesigner* d = frxGlobalDesigner();
    auto saved = [&] {
        AddRecentFile(Report()->FileName());
        UpdateCaption();
        SetModified(false);
        return true;
    };
    // The file is written beside itself and renamed over the old one: a failed write
    // leaves the old file whole and the report still modified.
    auto write = [&](const std::string& Name) {
        try {
            TMemoryStream s;
            Report()->SaveToStream(s, true, false);
            // A report file may carry its password (stored reversibly): its owner's only.
            SaveFileAtomically(Name, std::string_view(static_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size())),
                               TFileAccess::OwnerOnly);
            return true;
        } catch (const std::exception& e) {
            frxErrorMsg(e.what());
            return false;
        }
    };
    if (CallHook && d && d->OnSaveReport.Assigned()) {
        if (!d->OnSaveReport(Report(), SaveAs)) return false;
        return saved();
    }
    if (!SaveAs && !Report()->FileName().empty()) {
        if (!write(Report()->FileName())) return false;
        return saved();
    }
    SaveDialog->SetFilter(Res("dsRepFilter"));
    SaveDialog->SetFilterIndex(1);
    SaveDialog->SetDefaultExt("bl3");
    SaveDialog->SetFileName(ReportFileName());
    if (d) SaveDialog->SetInitialDir(d->SaveDir);
    bool ok = false;
    if (SaveDialog->Execute()) {
        // No compressor exists: the report is written plain whatever was asked.
        Report()->ReportOptions()->Compressed = false;
        const std::string name = ChangeFileExt(SaveDialog->FileName(), ".bl3");
        if (write(name)) {
            Report()->SetFileName(name);
            ok = true;
        }
    }
    AddRecentFile(Report()->FileName());
    UpdateCaption();
    if (ok) SetModified(false);
    return ok;
}

void TfrxDesignerForm::AddRecentFile(const std::string& FileName) {
    if (!FileName.empty()) {
        FRecentFiles.erase(std::remove(FRecentFiles.begin(), FRecentFiles.end(), FileName), FRecentFiles.end());
        FRecentFiles.push_back(FileName);
        while (FRecentFiles.size() >= 9) FRecentFiles.erase(FRecentFiles.begin());
    }
    RebuildRecentMenu();
}

void TfrxDesignerForm::RebuildRecentMenu() {
    SepMI11->SetVisible(!FRecentFiles.empty());
    // The list never shrinks, so the items are kept and only grow in number: an item may
    // be the one whose click is running now.
    while (FRecentItems.size() < FRecentFiles.size()) {
        auto* m = new TMenuItem(this);
        m->OnClick = [this](TObject* s) { RecentFileClick(s); };
        m->SetEnabled(CheckRestriction(drDontLoadReport));
        FileMenu->Insert(FileMenu->IndexOf(SepMI4), m);
        FRecentItems.push_back(m);
    }
    FRecentIndex = FileMenu->IndexOf(SepMI4);
    // Top to bottom: the newest file first.
    const size_t n = FRecentFiles.size();
    for (size_t k = 0; k < FRecentItems.size(); ++k)
        FRecentItems[k]->SetCaption(StringReplace(FRecentFiles[n - 1 - k], "&", "&&", rfReplaceAll));
}

void TfrxDesignerForm::RecentFileClick(TObject* Sender) {
    if (!CheckRestriction(drDontLoadReport)) return;
    const auto it = std::find(FRecentItems.begin(), FRecentItems.end(), Sender);
    if (it == FRecentItems.end()) return;
    const std::string name = FRecentFiles[FRecentFiles.size() - 1 - static_cast<size_t>(it - FRecentItems.begin())];
    OpenReport(name, true);
}
