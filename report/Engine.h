// The layout engine: turns a report template into prepared pages. A run builds the band
// tree of every report page (groups, headers and footers, master and detail bands), runs
// the dialog pages, then makes one pass over the report pages (two with DoublePass, the
// first only to count the pages). Each report page opens prepared pages, prints its
// page-level bands, walks its master/detail data bands with their groups, and closes its
// pages with the footers. Every band goes through the band output: before-print and data
// steps, stretching and shifting of views, page and column breaks, splitting of bands that
// may be split, keep-together blocks, and the write into the prepared pages.
//
// Coordinates are 96-dpi pixels relative to the printable area of the page; paper sizes
// and margins are millimetres (3.77953 pixels each).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "report/ReportServices.h"

class TfrxBand;
class TfrxDataBand;
class TfrxGroupHeader;
class TfrxReportPage;
class TfrxDialogPage;
class TfrxStretcheable;
class TfrxSubreport;
class TfrxAggregateList;
class TfrxQuietBands;

// The bands printed at the top of every new page or column, each with the column origin
// it was added at and whether a keep-together block was open then.
class TfrxHeaderList {
public:
    struct TItem {
        TfrxBand* Band = nullptr;
        double Left = 0;
        bool IsInKeepList = false;
    };
    void Clear() { FItems.clear(); }
    int Count() const { return static_cast<int>(FItems.size()); }
    const TItem& Items(int Index) const { return FItems[static_cast<size_t>(Index)]; }
    void Add(TfrxBand* Band, double Left, bool IsInKeepList) { FItems.push_back({Band, Left, IsInKeepList}); }
    // Drops the first item of Band; nothing when none.
    void Remove(TfrxBand* Band);

private:
    std::vector<TItem> FItems;
};

class TfrxEngine : public TfrxCustomEngine {
    ROVE_CLASS(TfrxEngine, TfrxCustomEngine)
public:
    explicit TfrxEngine(TfrxReport* AReport);
    ~TfrxEngine() override;

    void EndPage() override;
    void NewColumn() override;
    void NewPage() override;
    // The band with its child chain (a keep block around it with KeepChild).
    void ShowBand(TfrxBand* Band) override;
    // The first band of that class on the current page (nothing when none).
    void ShowBand(TClass BandClass) override;
    double FreeSpace() override;
    Variant GetAggregateValue(const std::string& Name, TfrxComponent* Memo) override;
    // The whole run; true when no dialog was cancelled and the band tree had no error.
    bool Run() override;

    // Anchors on the current page (at CurY) and their pages, through the prepared pages.
    void AddAnchor(const std::string& Text);
    int GetAnchorPage(const std::string& Text);

    // When set, runs each dialog page instead of the page's own modal run.
    std::function<void(TfrxDialogPage* Page)> OnRunDialogs;

    // Sum of the heights of the column footer and page footer of the current page.
    double FooterHeight() const { return FFooterHeight; }
    // The band being prepared (aggregate look-ups use it).
    TfrxBand* CurBand() const { return FCurBand; }
    bool Keeping() const { return FKeeping; }
    // The aggregate calls of the report's pages.
    TfrxAggregateList* Aggregates() const { return FAggregates.get(); }
    TfrxReportPage* CurPage() const { return FPage; }

    // --- Bands built while a band is prepared (the cross-tab's output) -------------------
    // Shows Band at (X, Y) without a page break of its own, so that a piece laid out to
    // fit is never moved; CurY goes below it. The band being prepared stays current.
    void ShowBuiltBand(TfrxBand* Band, double X, double Y);
    // A page break is possible here: not while a page opens or closes (a break there
    // would open the same page again) and not inside a print-on-parent subreport.
    bool CanBreakPage() const { return FNoBreak == 0 && !FOutputTarget; }
    // Where the bands of the current page or column start below the bands printed when
    // it was opened (title, page and column headers, reprinted headers): a band that
    // does not fit there would not fit on a fresh page either.
    double PageTop() const { return FBandsTop; }
    // Ends an open keep-together block where it stands: output that spreads over pages
    // by itself must not be carried to the next page as a whole.
    void CloseKeep();

    // The band tree of one orientation of a page: links groups, headers, footers and
    // details, fills the page's master list, reports misplaced bands to the report's
    // errors. Run calls it for every report page.
    void BuildBandTree(TfrxReportPage* Page, bool Vertical);

private:
    // --- Run -----------------------------------------------------------------------------
    void RunPass();
    void RunReportPages();
    void RunPage(TfrxReportPage* Page);
    void RunPageBody(TfrxReportPage* Page);
    bool RunDialogs();

    // --- Pages and columns ---------------------------------------------------------------
    void PageStart();
    void OpenPage();
    void ShowHeaderList(double ColumnX, bool PageHeaderOnlyAtZero);
    void ShowColumnFooter();
    void AddPageOutline();
    double ColumnX(int Column) const;

    // --- Data bands ----------------------------------------------------------------------
    bool HasData(TfrxDataBand* Band, const std::vector<TfrxDataBand*>& Details, bool PrintIfDetailEmpty);
    // Vertical: the loop of vertical bands (no keep blocks, columns or outline; headers
    // to reprint go to the vertical reprint list).
    void ShowDataBands(const std::vector<TfrxDataBand*>& Bands, bool Vertical = false);
    void StartGroups(TfrxDataBand* Band, size_t From, bool Initial);
    void CheckGroups(TfrxDataBand* Band, double RowY, int RowStart);
    Variant GroupValue(TfrxGroupHeader* Header);
    void EndGroups(TfrxDataBand* Band, size_t From);
    void DoColumns(TfrxDataBand* Band, double RowY, int RowStart);
    void AddToHeaderList(TfrxBand* Band);
    void RemoveFromHeaderList(TfrxBand* Band);
    void StartKeep(TfrxBand* Band, int Position = 0);
    void EndKeep(TfrxBand* Band);

    // --- Band output ---------------------------------------------------------------------
    void OutputBand(TfrxBand* Band);
    void PrepareBand(TfrxBand* Band);
    void AfterPrintBand(TfrxBand* Band);
    // A quiet band in a pass before the last (LeavesObjectsOut): what is left of the two
    // steps when its objects are left out, the bounds kept in between.
    struct TBounds {
        double Left = 0, Top = 0, Width = 0, Height = 0;
    };
    void PrepareQuietBand(TfrxBand* Band, TBounds& Saved);
    void AfterPrintQuietBand(TfrxBand* Band, const TBounds& Saved);
    // The band's preparation and after-print step, the quiet band's when Quiet.
    struct TBandPrint {
        bool Quiet = false;
        TBounds Saved;
    };
    void BeginBandPrint(TfrxBand* Band, TBandPrint& Print);
    void EndBandPrint(TfrxBand* Band, const TBandPrint& Print);
    double BottomRow(TfrxComponent* Obj);
    // The lowest bottom of the band's objects (a dot-matrix memo's bottom frame row counted).
    double LowestBottom(TfrxBand* Band);
    void ShiftBelow(TfrxBand* Band, TfrxComponent* Grown, double Growth);
    void SplitBand(TfrxBand* Band);
    void AddBandOutline(TfrxBand* Band);
    // A copy of Band with copies of its visible objects as they print now, for the
    // output target.
    TfrxBand* CopyBand(TfrxBand* Band);
    void FreeAddedObjects(TfrxBand* Band);

    // --- Vertical bands ------------------------------------------------------------------
    // The vertical bands' loop for the horizontal band Band: one cell per vertical band
    // shown, the cells' objects copied into Band, a mark where each page width starts.
    void FillVerticalCells(TfrxBand* Band);
    // One vertical band shown as a cell of the horizontal band being filled.
    void OutputVerticalCell(TfrxBand* Band);
    // The horizontal band with its cells: each page width of cells on a page of its own,
    // the first on the current page, at the band's place.
    void WriteVerticalParts(TfrxBand* Band);
    // The horizontal band an object moved into a vertical band came from.
    TfrxBand* RowBandOf(const TfrxComponent* Obj) const;

    // --- Subreports ----------------------------------------------------------------------
    // Print-on-parent subreports of Band: their pages run into a temporary band, whose
    // views then move into Band at their positions.
    void PrintSubreportsOnParent(TfrxBand* Band);
    // The other subreports of Band, each from its place on the band's page; the furthest
    // end reached is where output goes on.
    void PrintSeparateSubreports(TfrxBand* Band);
    // A subreport whose page leads back to a page it is printed from goes to the errors.
    void CheckSubreportCycles();
    // The subreport's page: its data bands, the page's events and dataset as for a page.
    void RunSubreport(TfrxSubreport* Sub);

    // --- Aggregates (the report's aggregate list; see Engine.cpp) ------------------------
    void AggregatesClear();
    void AggregatesAddItems(TfrxReportPage* Page);
    void AggregatesClearValues();
    void AggregatesAddValue(TfrxBand* Band);
    void AggregatesReset(TfrxBand* Band);
    void AggregatesStartKeep();
    void AggregatesEndKeep();

    bool Terminated() const;

    TfrxReportPage* FPage = nullptr;
    TfrxHeaderList FHeaderList;
    TfrxBand* FFooterList[2] = {nullptr, nullptr};
    double FFooterHeight = 0;
    double FPageTop = 0;
    double FBandsTop = 0;   // PageTop()
    double FColumnOrigin = 0;
    bool FNewReportPage = false;
    bool FRunningPage = false;
    bool FFirstPage = false;
    bool FLastPage = false;
    bool FKeeping = false;
    TfrxBand* FKeepBand = nullptr;
    void* FKeepOutline = nullptr;
    int FKeepPosition = 0;
    TfrxBand* FCurBand = nullptr;
    TfrxBand* FOutputTarget = nullptr;
    // Vertical bands: the horizontal band collecting cells, where each page width of
    // cells starts (object counts), the vertical headers to show again at a new width,
    // and for each object moved into a vertical band the horizontal band it came from.
    TfrxBand* FCollectingBand = nullptr;
    std::vector<int> FVerticalMarks;
    std::vector<TfrxBand*> FVerticalReprint;
    std::unordered_map<const TfrxComponent*, TfrxBand*> FRowBands;
    int FRowLine = 0, FRowLineThrough = 0;   // of the horizontal band being filled
    // The subreport pages running now, outermost first (a page met again is a cycle).
    std::vector<TfrxReportPage*> FSubreportPages;
    // While set, the page being opened already exists: header bands already on it are
    // passed over.
    bool FReopening = false;
    // Bands printed while a page opens or a column starts, and the footers: they take no
    // page break of their own (a break there would open the same page again).
    int FNoBreak = 0;
    std::unique_ptr<TfrxAggregateList> FAggregates;
    // Bands whose objects a pass before the last leaves out.
    std::unique_ptr<TfrxQuietBands> FQuietBands;
    // The band's objects are left out of this pass: a pass before the last, a quiet band.
    bool LeavesObjectsOut(TfrxBand* Band);
    // The prepared pages write no bands in this pass (TfrxPreviewPages::PassWritesNoBands).
    bool FPassWritesNoBands = false;
    bool ReadsBandsBack();
    // What the band output asks of an object's class.
    struct TClassKind {
        TClass Class = nullptr;
        bool ReportComponent = false;
        bool Stretcheable = false;
        bool Subreport = false;
        bool DMPMemo = false;
        bool DataBand = false;
        bool NullBand = false;
        bool FooterKind = false;   // footer, group footer, page footer, summary, column footer
    };
    TClassKind KindOf(const TfrxComponent* Obj);
    TClassKind FindKind(TClass Class, const TfrxComponent* Obj);
    TClassKind FLastKind;
    TClassKind FKinds[16];
    size_t FKindCount = 0, FKindNext = 0;
};

// Makes every report create this engine (the engine class variable), and the prepared
// pages too when no store is registered. Every report calls it when it is created.
void frxRegisterEngine();
