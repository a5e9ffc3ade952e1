// The preview control. Every operation that changes the prepared pages locks the preview
// and unlocks it in a protected block, so an error in the store never leaves it locked.
#include "preview/Preview.h"

#include <algorithm>
#include <cmath>

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "preview/PageSettingsDialog.h"
#include "preview/SearchDialog.h"
#include "report/Bands.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/XMLDocument.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Utils.h"

namespace {

int RoundI(double Value) { return static_cast<int>(std::nearbyint(Value)); }

// Unlocks the preview when the scope ends, also on an error.
struct TUnlockGuard {
    TfrxPreview* P;
    ~TUnlockGuard() { P->Unlock(); }
};

}  // namespace

ROVE_IMPLEMENT_CLASS(TfrxPreview)

TfrxPreview::TfrxPreview(TComponent* AOwner) : TfrxCustomPreview(AOwner) {
    CreatePaintedPeer();
    SetBounds(0, 0, 100, 100);
    FOutline = new TTreeView(this);
    FOutline->SetParent(this);
    FOutline->SetAlign(alLeft);
    FOutline->SetWidth(120);
    FOutline->SetReadOnly(true);
    FOutline->OnClick = [this](TObject* Sender) { OutlineClick(Sender); };
    FSplitter = new TSplitter(this);
    FSplitter->SetParent(this);
    FSplitter->SetAlign(alLeft);
    FSplitter->SetBounds(1000, 0, 2, Height());
    FWorkspace = new TfrxPreviewWorkspace(this);
    FWorkspace->Preview = this;
    FWorkspace->SetParent(this);
    FWorkspace->SetAlign(alClient);
    FWorkspace->DefaultCursor = crHand;
    FWorkspace->SetCursor(crHand);
    FMessagePanel = new TPanel(this);
    FMessagePanel->SetVisible(false);
    FMessagePanel->SetParent(this);
    FMessagePanel->SetBounds(0, 0, 260, 75);
    FMessageLabel = new TLabel(this);
    FMessageLabel->SetParent(FMessagePanel);
    FMessageLabel->SetAutoSize(false);
    FMessageLabel->SetAlignment(taCenter);
    FMessageLabel->SetBounds(4, 20, 255, 20);
    FCancelButton = new TButton(this);
    FCancelButton->SetParent(FMessagePanel);
    FCancelButton->SetBounds(92, 44, 75, 25);
    FCancelButton->SetCaption(frxResources().Get("clCancel"));
    FCancelButton->SetVisible(false);
    FCancelButton->OnClick = [this](TObject*) {
        if (FSearching) StopSearch();
        else if (PreviewPages) PreviewPages->SetTerminated(true);
    };
    FWorkspace->OnSearchProgress = [this](int PageIndex) { return SearchProgress(PageIndex); };
}

TfrxPreview::~TfrxPreview() {
    DetachPages();
    FWorkspace->Preview = nullptr;
}

TfrxPreviewPages* TfrxPreview::Pages() const { return dynamic_cast<TfrxPreviewPages*>(PreviewPages); }

void TfrxPreview::DetachPages() {
    if (!PreviewPages) return;
    if (PreviewPages->Preview == this) PreviewPages->Preview = nullptr;
    PreviewPages->OnProgressStart = nullptr;
    PreviewPages->OnProgressStop = nullptr;
    PreviewPages->OnProgress = nullptr;
    PreviewPages->OnPrintProgress = nullptr;
    PreviewPages->OnStatusChange = nullptr;
    if (TfrxPreviewPages* p = Pages()) p->OnShowPage = nullptr;
}

// The report is going away: its pages go with it, so the preview only lets go of both
// (calling into the pages here could touch a store already freed).
void TfrxPreview::Notification(TComponent* AComponent, TOperation Operation) {
    TfrxCustomPreview::Notification(AComponent, Operation);
    if (Operation == opRemove && Report && AComponent == reinterpret_cast<TComponent*>(Report)) {
        Report = nullptr;
        PreviewPages = nullptr;
        FWorkspace->PageList().Clear();
        FWorkspace->ClearPageImages();
        FOutline->Items()->Clear();
        FOutlineTargets.clear();
        FPageNo = 0;
        FWorkspace->SetHorzRange(0);
        FWorkspace->SetVertRange(0);
        FWorkspace->Invalidate();
    }
}

void TfrxPreview::Init() {
    TfrxSearchState& search = frxSearchState();
    search.TextFound = false;
    search.LastFoundRecord = -1;
    FWorkspace->SearchPage = 0;
    FAllowFindNext = false;
    if (PreviewPages) {
        PreviewPages->Preview = this;
        PreviewPages->OnProgressStart = [this](TObject* s) { OnProgressStart(s); };
        PreviewPages->OnProgressStop = [this](TObject* s) { OnProgressStop(s); };
        PreviewPages->OnProgress = [this](TObject* s, int p) { OnProgress(s, p); };
        PreviewPages->OnPrintProgress = [this](TObject* s, int p) { OnPrintProgress(s, p); };
        PreviewPages->OnStatusChange = [this](TObject* s) { OnStatusChange(s); };
        if (TfrxPreviewPages* p = Pages()) p->OnShowPage = [this](int Page, int Top) { SetPosition(Page + 1, Top); };
    }
    if (Report) FWorkspace->SetDoubleBuffered(Report->PreviewOptions()->DoubleBuffered);
    UpdatePages();
    UpdateZoom();
    UpdateOutline();
    First();
}

void TfrxPreview::Lock() { FLocked = true; }

// The current page is taken from the view again: whatever ran while the preview was
// locked, the page shown is the page the next operation acts on.
void TfrxPreview::Unlock() {
    HideMessage();
    FLocked = false;
    UpdateZoom();
    FPageNo = PageNoFromView();
    FWorkspace->Invalidate();
}

int TfrxPreview::PageNoFromView() const {
    const int count = PageCount();
    if (count == 0) return 0;
    return std::clamp(FWorkspace->PageAtView(), 1, count);
}

int TfrxPreview::PageCount() const { return PreviewPages ? PreviewPages->Count() : 0; }

void TfrxPreview::SetPageNo(int Value) {
    if (Value < 1) Value = 1;
    if (Value > PageCount()) Value = PageCount();
    FPageNo = Value;
    FWorkspace->SetToPageNo(FPageNo);
    PageChanged();
}

void TfrxPreview::PageChanged() {
    if (OnPageChanged.Assigned()) OnPageChanged(this, FPageNo);
}

void TfrxPreview::First() { SetPageNo(1); }
void TfrxPreview::Prior() { SetPageNo(FPageNo - 1); }
void TfrxPreview::Next() { SetPageNo(FPageNo + 1); }
void TfrxPreview::Last() { SetPageNo(PageCount()); }

void TfrxPreview::SetPosition(int PageN, int Top) {
    const int count = PageCount();
    if (count == 0) return;
    PageN = std::clamp(PageN, 1, count);
    int offset = 0;
    if (Top != 0) {
        double topMargin = 0;
        if (auto* page = dynamic_cast<TfrxReportPage*>(PreviewPages->GetPage(PageN - 1))) topMargin = page->TopMargin;
        offset = RoundI((Top + topMargin * 3.77953) * FZoom);
    }
    FWorkspace->SetVertPosition(FWorkspace->PageList().GetPageBounds(PageN - 1, FWorkspace->ClientWidth(), FZoom).Top -
                                10 + offset);
}

void TfrxPreview::SetZoom(double Value) {
    FZoom = std::max(Value, 0.25);
    if (FZoomMode == zmManyPages) SetZoomMode(zmDefault);
    FZoomMode = zmDefault;
    UpdateZoom();
}

void TfrxPreview::SetZoomMode(TfrxZoomMode Value) {
    FZoomMode = Value;
    UpdatePages();
    UpdateZoom();
}

void TfrxPreview::SetTool(TfrxPreviewTool Value) {
    FTool = Value;
    const int cursor = Value == ptHand ? crHand : Value == ptZoom ? crZoom : crDefault;
    FWorkspace->DefaultCursor = cursor;
    FWorkspace->SetCursor(cursor);
}

void TfrxPreview::DeclareProperties(TPropertyDecl<TfrxPreview>& d) {
    using T = TfrxPreview;
    d.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    d.Property("OutlineVisible", &T::OutlineVisible, &T::SetOutlineVisible).Default(true);
    d.Event("OnPageChanged", &T::OnPageChanged);
}

void frxRegisterPreviewControl() { RegisterClasses({TfrxPreview::StaticClass()}); }

bool TfrxPreview::OutlineVisible() const { return FOutline->Visible(); }

void TfrxPreview::SetOutlineVisible(bool Value) {
    FOutline->SetVisible(Value);
    FSplitter->SetVisible(Value);
    FSplitter->SetBounds(1000, FSplitter->Top(), 2, FSplitter->Height());
}

void TfrxPreview::UpdateZoom() {
    if (FLocked || !PreviewPages || PageCount() == 0) return;
    double w = 0, h = 0;
    PreviewPages->GetPageSize(std::max(FPageNo - 1, 0), w, h);
    const int cw = FWorkspace->ClientWidth();
    const int ch = FWorkspace->ClientHeight();
    if (w > 0 && h > 0) {
        switch (FZoomMode) {
        case zmWholePage: FZoom = (ch - 20) / h; break;
        case zmPageWidth: FZoom = (cw - 20) / w; break;
        case zmManyPages: FZoom = (cw - 32) / (2 * w); break;
        case zmDefault: break;
        }
    }
    FWorkspace->UpdateScrollBars();
    FWorkspace->Invalidate();
    if (OnZoomChanged) OnZoomChanged();
}

void TfrxPreview::UpdatePages() {
    FAllowFindNext = false;
    FWorkspace->MetafilePage = -1;
    FWorkspace->ClearPageImages();
    TfrxPageList& list = FWorkspace->PageList();
    list.Clear();
    if (!PreviewPages) return;
    list.SetColumnCount(FZoomMode == zmManyPages ? 2 : 1);
    const int count = PageCount();
    for (int i = 0; i < count; ++i) {
        double w = 0, h = 0;
        PreviewPages->GetPageSize(i, w, h);
        list.AddPage(RoundI(w), RoundI(h));
    }
}

// Page and top of each node are kept apart (not packed into one number), so tall pages
// and long reports reach the right place.
void TfrxPreview::UpdateOutline() {
    TTreeNodes* nodes = FOutline->Items();
    nodes->BeginUpdate();
    nodes->Clear();
    FOutlineTargets.clear();
    if (PreviewPages && PreviewPages->Outline()) {
        TfrxCustomOutline* o = PreviewPages->Outline();
        o->LevelRoot();
        std::function<void(TTreeNode*)> walk = [&](TTreeNode* Parent) {
            const int n = o->GetCount();
            for (int i = 0; i < n; ++i) {
                std::string text;
                int page = 0, top = 0;
                o->GetItem(i, text, page, top);
                FOutlineTargets.emplace_back(page + 1, top);
                void* data = reinterpret_cast<void*>(static_cast<intptr_t>(FOutlineTargets.size()));
                TTreeNode* node = nodes->AddChildObject(Parent, text, data);
                o->LevelDown(i);
                walk(node);
                o->LevelUp();
            }
        };
        walk(nullptr);
    }
    nodes->EndUpdate();
    FOutline->FullExpand();
    if (nodes->Count() > 0) FOutline->SetTopItem(nodes->GetFirstNode());
}

std::pair<int, int> TfrxPreview::OutlineTarget(const TTreeNode* Node) const {
    if (!Node) return {0, 0};
    const auto i = reinterpret_cast<intptr_t>(Node->Data());
    if (i < 1 || i > static_cast<intptr_t>(FOutlineTargets.size())) return {0, 0};
    return FOutlineTargets[static_cast<size_t>(i - 1)];
}

void TfrxPreview::OutlineClick(TObject*) {
    TTreeNode* node = FOutline->Selected();
    if (!node) return;
    const auto [page, top] = OutlineTarget(node);
    if (page > 0) SetPosition(page, top);
}

void TfrxPreview::Print() {
    if (Busy() || !PreviewPages) return;
    if (TfrxPreviewPages* p = Pages()) p->CurPreviewPage = FPageNo;
    TUnlockGuard guard{this};
    // A failed job says why with the library's error box (not the program's title).
    try {
        PreviewPages->Print();
    } catch (const EAbort&) {
        throw;
    } catch (const std::exception& e) {
        frxErrorMsg(e.what());
    }
}

void TfrxPreview::Export(TObject* Filter) {
    if (Busy() || !PreviewPages) return;
    if (TfrxPreviewPages* p = Pages()) p->CurPreviewPage = FPageNo;
    TUnlockGuard guard{this};
    PreviewPages->Export(Filter);
}

void TfrxPreview::SaveToFile() {
    if (Busy() || !PreviewPages) return;
    TSaveDialog dlg(ApplicationInstance());
    dlg.SetFilter(frxResources().Get("clBP3files") + " (*.bp3)|*.bp3");
    if (!dlg.Execute()) return;
    FWorkspace->Repaint();
    SaveToFile(ChangeFileExt(dlg.FileName(), ".bp3"));
}

void TfrxPreview::SaveToFile(const std::string& FileName) {
    if (Busy() || !PreviewPages) return;
    Lock();
    TUnlockGuard guard{this};
    ShowMessage(frxResources().Get("clSaving"));
    PreviewPages->SaveToFile(FileName);
}

void TfrxPreview::LoadFromFile() {
    if (Busy() || !PreviewPages) return;
    TOpenDialog dlg(ApplicationInstance());
    dlg.SetFilter(frxResources().Get("clBP3files") + " (*.bp3)|*.bp3");
    if (!dlg.Execute()) return;
    FWorkspace->Repaint();
    LoadFromFile(dlg.FileName());
}

void TfrxPreview::LoadFromFile(const std::string& FileName) {
    if (Busy() || !PreviewPages) return;
    {
        Lock();
        TUnlockGuard guard{this};
        ShowMessage(frxResources().Get("clLoading"));
        try {
            PreviewPages->LoadFromFile(FileName, false);
        } catch (const EfrxXMLError& e) {
            throw Exception(frxResources().Get("clLoading") + " " + FileName + ": " + frxFileErrorText(e));
        }
        UpdateOutline();
        UpdatePages();
    }
    SetPageNo(1);
}

void TfrxPreview::Clear() {
    if (Busy() || !PreviewPages) return;
    ClearView(true);
}

void TfrxPreview::ClearView(bool ClearPages) {
    {
        Lock();
        TUnlockGuard guard{this};
        if (ClearPages) PreviewPages->Clear();
        UpdatePages();
    }
    UpdateOutline();
    SetPageNo(0);
    FWorkspace->SetHorzRange(0);
    FWorkspace->SetVertRange(0);
}

void TfrxPreview::AddPage() {
    if (Busy() || !PreviewPages) return;
    {
        Lock();
        TUnlockGuard guard{this};
        PreviewPages->AddEmptyPage(FPageNo - 1);
        UpdatePages();
    }
    UpdateZoom();
    SetPageNo(FPageNo);
}

// The page that took the deleted one's place is shown; only after the last page does the
// view go back one.
void TfrxPreview::DeletePage() {
    if (Busy() || !PreviewPages) return;
    const int keep = FPageNo;
    {
        Lock();
        TUnlockGuard guard{this};
        PreviewPages->DeletePage(FPageNo - 1);
        UpdatePages();
    }
    UpdateZoom();
    SetPageNo(std::min(keep, PageCount()));
}

void TfrxPreview::Cancel() {
    if (FRunning && PreviewPages) PreviewPages->SetTerminated(true);
}

// --- Search -------------------------------------------------------------------------------

void TfrxPreview::Find() {
    if (FSearching) return;
    TfrxSearchOptions options;
    if (frxShowSearchDialog(options)) {
        TfrxSearchState& s = frxSearchState();
        s.SearchText = options.Text;
        s.MatchCase = options.MatchCase;
        FWorkspace->SearchPage = options.FromTop ? 0 : std::max(FPageNo - 1, 0);
        s.LastFoundRecord = -1;
        RunSearch();
    }
    FAllowFindNext = true;
}

void TfrxPreview::FindNext() {
    if (FAllowFindNext && !FSearching) RunSearch();
}

void TfrxPreview::RunSearch() {
    FSearching = true;
    FSearchCancelled = false;
    FSearchStart = FWorkspace->SearchPage;
    struct TEnd {
        TfrxPreview* P;
        ~TEnd() {
            P->FSearching = false;
            P->HideMessage();
        }
    } end{this};
    FWorkspace->FindText();
}

// A search that has gone ten pages further shows where it is, every ten pages, with the
// cancel button, and lets the window answer (Esc or the button stop it).
bool TfrxPreview::SearchProgress(int PageIndex) {
    const int passed = PageIndex - FSearchStart;
    if (passed > 0 && passed % 10 == 0) {
        ShowMessage(Format(frxResources().Get("clSearching"), {PageIndex + 1, PageCount()}));
        FCancelButton->Show();
        ProcessMessages();
    }
    return !FSearchCancelled;
}

// --- Page settings and the designer -------------------------------------------------------

void TfrxPreview::PageSetupDlg() {
    if (Busy() || !PreviewPages || PageCount() == 0) return;
    auto* page = dynamic_cast<TfrxReportPage*>(PreviewPages->GetPage(std::max(FPageNo - 1, 0)));
    if (!page) return;
    bool applyToAll = false;
    if (!frxShowPageSettings(page, applyToAll)) return;
    if (!applyToAll || !Report) {
        Lock();
        TUnlockGuard guard{this};
        PreviewPages->ModifyPage(std::max(FPageNo - 1, 0), page);
        UpdatePages();
        return;
    }
    for (int i = 0; i < Report->PagesCount(); ++i) {
        auto* target = dynamic_cast<TfrxReportPage*>(Report->Pages(i));
        if (!target) continue;
        // The orientation first: setting it turns the sizes and margins it finds.
        target->SetOrientation(page->Orientation());
        target->SetPaperWidth(page->PaperWidth());
        target->SetPaperHeight(page->PaperHeight());
        target->SetPaperSize(page->PaperSize());
        target->LeftMargin = page->LeftMargin;
        target->RightMargin = page->RightMargin;
        target->TopMargin = page->TopMargin;
        target->BottomMargin = page->BottomMargin;
    }
    Report->PrepareReport(true);
}

void TfrxPreview::EditPage() {
    if (Busy() || !PreviewPages || PageCount() == 0) return;
    const int index = std::max(FPageNo - 1, 0);
    TfrxPage* source = PreviewPages->GetPage(index);
    if (!source) return;
    auto report = std::make_unique<TfrxReport>(nullptr);
    TObject* made = source->ClassType()->CreateInstance(nullptr);
    auto* page = dynamic_cast<TfrxPage*>(made);
    if (!page) {
        delete made;
        return;
    }
    page->SetParent(report.get());
    page->AssignAll(source);
    // Every object leaves its band for the page at the place it was printed, without its
    // data binding; the empty bands go.
    struct TPlace {
        TfrxComponent* Obj;
        double Left, Top;
    };
    std::vector<TPlace> moves;
    const double pageLeft = page->AbsLeft(), pageTop = page->AbsTop();
    for (TfrxComponent* obj : page->AllObjects()) {
        if (auto* view = dynamic_cast<TfrxView*>(obj)) {
            view->DataField.clear();
            view->SetDataSet(nullptr);
        }
        if (obj->Parent() != page) moves.push_back({obj, obj->AbsLeft() - pageLeft, obj->AbsTop() - pageTop});
    }
    for (const TPlace& m : moves) {
        m.Obj->SetLeft(m.Left);
        m.Obj->SetTop(m.Top);
        m.Obj->SetParentFont(false);
        m.Obj->SetParent(page);
    }
    for (TfrxComponent* obj : std::vector<TfrxComponent*>(page->ObjectList()))
        if (dynamic_cast<TfrxBand*>(obj)) delete obj;
    if (report->DesignPreviewPage()) {
        Lock();
        TUnlockGuard guard{this};
        PreviewPages->ModifyPage(index, report->Pages(0));
        UpdatePages();
    }
}

// The designer gets copies of the template pages: what is changed there reaches neither
// the prepared pages nor the pages they are drawn from.
void TfrxPreview::EditTemplate() {
    auto* pages = Pages();
    if (Busy() || !pages) return;
    auto report = std::make_unique<TfrxReport>(nullptr);
    for (int i = 0; i < pages->SourcePageCount(); ++i) {
        TfrxPage* source = pages->SourcePages(i);
        if (!source) continue;
        TObject* made = source->ClassType()->CreateInstance(nullptr);
        auto* page = dynamic_cast<TfrxPage*>(made);
        if (!page) {
            delete made;
            continue;
        }
        page->SetParent(report.get());
        page->AssignAll(source);
    }
    report->DesignReport();
}

void TfrxPreview::ShowMessage(const std::string& Text) {
    FMessagePanel->SetBounds((Width() - 260) / 2, (Height() - 75) / 3, 260, 75);
    FMessageLabel->SetCaption(Text);
    FMessagePanel->Show();
    FMessagePanel->BringToFront();
    FMessagePanel->Repaint();
}

void TfrxPreview::HideMessage() {
    FMessagePanel->Hide();
    FCancelButton->Hide();
}

void TfrxPreview::MouseWheelScroll(int WheelDelta) {
    if (WheelDelta > 0) FWorkspace->SetVertPosition(FWorkspace->VertPosition() - 20);
    else if (WheelDelta < 0) FWorkspace->SetVertPosition(FWorkspace->VertPosition() + 20);
}

void TfrxPreview::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    TfrxCustomPreview::DoMouseWheel(Shift, WheelDelta, MousePos);
    MouseWheelScroll(WheelDelta);
    FWheelHandled = true;
}

void TfrxPreview::HandleKey(uint16_t Key, TShiftState Shift) {
    FWorkspace->HandleKey(Key);
    if (Key == VK_F3) {
        FindNext();
    } else if (Shift & ssCtrl) {
        if (Key == 'P') Print();
        else if (Key == 'S') SaveToFile();
        else if (Key == 'F') Find();
    }
}

void TfrxPreview::KeyDown(uint16_t& Key, TShiftState Shift) {
    TfrxCustomPreview::KeyDown(Key, Shift);
    if (Key != 0) HandleKey(Key, Shift);
}

bool TfrxPreview::WantsKey(uint16_t Key, TShiftState) const {
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TfrxPreview::BoundsChanged(bool Resized) {
    TfrxCustomPreview::BoundsChanged(Resized);
    if (Resized && PreviewPages) UpdateZoom();
}

void TfrxPreview::ProcessMessages() {
    if (TApplication* app = ApplicationInstance()) app->ProcessMessages();
}

// --- The run ------------------------------------------------------------------------------

// A run starts: the preview clears what it shows (the page layout, the outline, the page
// number, the scroll ranges and the page pictures), as Clear does, but leaves the prepared
// pages as the run finds them. They are emptied where the caller asked for it (PrepareReport
// and ShowReport with ClearLastReport); a run that adds to the pages of an earlier one
// keeps those, and the layout is built again from them, so that each page the run adds
// lands behind them.
void TfrxPreview::OnProgressStart(TObject*) {
    if (PreviewPages) ClearView(false);
    FRunning = true;
    if (OnRunningChanged) OnRunningChanged();
}

void TfrxPreview::OnProgress(TObject*, int Progress) {
    if (!PreviewPages) return;
    TfrxCustomEngine* engine = PreviewPages->Engine();
    if (!engine || engine->FinalPass) {
        double w = 0, h = 0;
        PreviewPages->GetPageSize(Progress, w, h);
        FWorkspace->PageList().AddPage(RoundI(w), RoundI(h));
    }
    const uint32_t now = GetTickCount();
    bool refreshed = true;
    if (Progress == 0) {
        FOutline->Items()->Clear();
        FOutlineTargets.clear();
        SetPageNo(1);
        UpdateZoom();
        if (OnRunningChanged) OnRunningChanged();
        FRefreshInterval = static_cast<int>(now);
    } else if (Progress == 1) {
        const uint32_t elapsed = now - static_cast<uint32_t>(FRefreshInterval);
        FRefreshInterval = elapsed < 5 ? 50 : elapsed < 10 ? 20 : 5;
        SetPageNo(1);
        UpdateZoom();
    } else if (FRefreshInterval > 0 && Progress % FRefreshInterval == 0) {
        PageChanged();
        FWorkspace->UpdateScrollBars();
    } else {
        refreshed = false;
    }
    // The window answers (paints what a refresh changed, takes the user's input: the
    // cancel button, Esc) at every refresh, and between refreshes once AnswerInterval
    // milliseconds have gone by since it last did. Answering after every page cost a run
    // of fast pages a tenth of its time in the message queue's own work.
    if (refreshed || now - FLastAnswer >= AnswerInterval) {
        FLastAnswer = now;
        ProcessMessages();
    }
}

void TfrxPreview::OnProgressStop(TObject*) {
    FRunning = false;
    // A run stopped amid a page's objects dropped that page.
    if (PreviewPages && FWorkspace->PageList().Count() != PageCount()) UpdatePages();
    FWorkspace->ClearPageImages();
    PageChanged();
    FWorkspace->UpdateScrollBars();
    UpdateZoom();
    UpdateOutline();
    // The object named last under the mouse belongs to the run that ended.
    if (OnStatusText) OnStatusText("");
    if (OnRunningChanged) OnRunningChanged();
}

void TfrxPreview::OnPrintProgress(TObject*, int Progress) {
    ShowMessage(frxResources().Get("clPrinting") + " " + std::to_string(Progress));
    FCancelButton->Show();
}

void TfrxPreview::OnStatusChange(TObject*) {
    if (OnStatusText && PreviewPages) OnStatusText(PreviewPages->Status());
    ProcessMessages();
}
