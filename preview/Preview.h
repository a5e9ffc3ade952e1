// The preview control: shows the prepared pages of a report and carries the preview's
// operations: page navigation, zoom and zoom modes, the outline tree, the mouse tools,
// loading and saving prepared-report files, printing and export, adding and deleting
// pages, the progress message with its cancel button, and the lock the report engine and
// the printer hold while they work on the pages. It is the outline and a splitter on the
// left, the workspace filling the rest, and a hidden message panel.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "preview/PreviewWorkspace.h"
#include "report/Cursors.h"
#include "report/Options.h"
#include "report/ReportServices.h"

class TfrxPreviewPages;

ROVE_ENUM(TfrxPreviewTool, ptHand, ptZoom)

using TfrxPageChangedEvent = TEvent<void(TObject* Sender, int PageNo)>;
ROVE_EVENT_TYPE(TfrxPageChangedEvent)


class TfrxPreview : public TfrxCustomPreview {
    ROVE_CLASS(TfrxPreview, TfrxCustomPreview)
public:
    explicit TfrxPreview(TComponent* AOwner);
    ~TfrxPreview() override;
    // Published: Align, OutlineVisible and OnPageChanged, so that a form resource can hold
    // a preview (the application's own window showing the report's pages).
    static void DeclareProperties(TPropertyDecl<TfrxPreview>& d);

    // --- The report's slots ---------------------------------------------------------
    // Takes Report and PreviewPages (set by the report before): installs the progress
    // callbacks and the link targets, builds the layout, the zoom and the outline, and
    // goes to the first page.
    void Init() override;
    void Lock() override;
    // Hides the message, lifts the lock, recomputes the zoom and repaints; the current
    // page is taken from the view again.
    void Unlock() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // --- Pages --------------------------------------------------------------------------
    int PageNo() const { return FPageNo; }
    // Clamps to 1 .. PageCount (0 without pages), scrolls there, fires OnPageChanged.
    void SetPageNo(int Value);
    int PageCount() const;
    void First();
    void Prior();
    void Next();
    void Last();
    // Shows page PageN (1-based) with its point Top (pixels below the top margin) near the
    // top of the view: outline clicks and anchor links.
    void SetPosition(int PageN, int Top);

    // --- Zoom and tools -----------------------------------------------------------------
    double Zoom() const { return FZoom; }
    // At least 0.25; leaves the fit modes (the two-pages mode goes back to one column).
    void SetZoom(double Value);
    TfrxZoomMode ZoomMode() const { return FZoomMode; }
    void SetZoomMode(TfrxZoomMode Value);
    TfrxPreviewTool Tool() const { return FTool; }
    void SetTool(TfrxPreviewTool Value);
    bool OutlineVisible() const;
    void SetOutlineVisible(bool Value);
    bool Locked() const { return FLocked; }
    bool Running() const { return FRunning; }

    // --- Operations (those that change the pages do nothing while the report runs) ------
    void Print();
    void Export(TObject* Filter);
    // The save dialog, then SaveToFile with the extension ".bp3".
    void SaveToFile();
    void SaveToFile(const std::string& FileName);
    void LoadFromFile();
    void LoadFromFile(const std::string& FileName);
    void Clear();
    // An empty page before the current one.
    void AddPage();
    void DeletePage();
    // The page settings dialog for the current page: applied to that page, or copied to
    // every page of the template and the report prepared again.
    void PageSetupDlg();
    // The current page, its objects freed from their bands at their printed places, in
    // the designer; written back when the designer changed it.
    void EditPage();
    // A copy of the report's template pages in the designer (the prepared pages stay).
    void EditTemplate();
    // The find dialog, then the search (from the top or from the current page).
    void Find();
    // The next hit of the last search (after Find has been used).
    void FindNext();
    // A search is going through the pages; StopSearch ends it at the next page.
    bool Searching() const { return FSearching; }
    void StopSearch() { FSearchCancelled = true; }
    // Stops the report run at the engine's next check.
    void Cancel();
    void ShowMessage(const std::string& Text);
    void HideMessage();
    void UpdatePages();
    void UpdateZoom();
    void UpdateOutline();

    // The wheel: 20 pixels up for a forward turn, down for a backward one.
    void MouseWheelScroll(int WheelDelta);
    // The keys of the preview: the workspace's first, then F3 and Ctrl+P, Ctrl+S, Ctrl+F.
    void HandleKey(uint16_t Key, TShiftState Shift);
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    void DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

    TfrxPageChangedEvent OnPageChanged;
    // Set when the owning window must follow the zoom (its zoom box).
    std::function<void()> OnZoomChanged;
    // Set by the owning window to follow the run: Running changed, the close button text.
    std::function<void()> OnRunningChanged;
    // The status text of the prepared pages (the owning window shows it).
    std::function<void(const std::string&)> OnStatusText;

    // --- Parts ----------------------------------------------------------------------------
    TfrxPreviewWorkspace* Workspace() const { return FWorkspace; }
    TTreeView* Outline() const { return FOutline; }
    TSplitter* Splitter() const { return FSplitter; }
    TPanel* MessagePanel() const { return FMessagePanel; }
    TLabel* MessageLabel() const { return FMessageLabel; }
    TButton* CancelButton() const { return FCancelButton; }
    int RefreshInterval() const { return FRefreshInterval; }
    // During a run the window answers at least this often (milliseconds of the tick
    // count), besides at every refresh.
    static constexpr uint32_t AnswerInterval = 10;
    // What an outline node leads to: page (1-based) and top.
    std::pair<int, int> OutlineTarget(const TTreeNode* Node) const;
    void OutlineClick(TObject* Sender);

protected:
    void BoundsChanged(bool Resized) override;

private:
    TfrxPreviewPages* Pages() const;
    void DetachPages();
    // What Clear does to the view (layout, outline, page number, scroll ranges), with the
    // prepared pages emptied first when ClearPages.
    void ClearView(bool ClearPages);
    void OnProgressStart(TObject* Sender);
    void OnProgress(TObject* Sender, int Progress);
    void OnProgressStop(TObject* Sender);
    void OnPrintProgress(TObject* Sender, int Progress);
    void OnStatusChange(TObject* Sender);
    void PageChanged();
    void ProcessMessages();
    // The report is being prepared or the pages searched: nothing may change the pages.
    bool Busy() const { return FRunning || FSearching; }
    void RunSearch();
    bool SearchProgress(int PageIndex);
    // The current page as the view shows it.
    int PageNoFromView() const;
    TTreeView* FOutline = nullptr;
    TSplitter* FSplitter = nullptr;
    TfrxPreviewWorkspace* FWorkspace = nullptr;
    TPanel* FMessagePanel = nullptr;
    TLabel* FMessageLabel = nullptr;
    TButton* FCancelButton = nullptr;
    bool FAllowFindNext = false;
    bool FSearching = false;
    bool FSearchCancelled = false;
    int FSearchStart = 0;
    bool FLocked = false;
    bool FRunning = false;
    int FPageNo = 1;
    int FRefreshInterval = 0;
    // The tick count when the window last answered during the run.
    uint32_t FLastAnswer = 0;
    TfrxPreviewTool FTool = ptHand;
    double FZoom = 1.0;
    TfrxZoomMode FZoomMode = zmDefault;
    // Outline node targets, indexed by the node's data - 1.
    std::vector<std::pair<int, int>> FOutlineTargets;
};

// Registers the preview control's class for form resources.
void frxRegisterPreviewControl();
