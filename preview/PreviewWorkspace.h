// The page layout and the workspace of the preview. TfrxPageList places the prepared pages
// in rows (one page per row, or two in the two-pages mode) in pixels at zoom 1;
// TfrxPreviewWorkspace is the scrolling surface that paints the visible pages on a grey
// background, follows the current page while scrolling, and handles the hand and zoom
// tools and the clicks on page objects.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "preview/ScrollWin.h"

class TfrxPreview;
class TMetafile;
class TTimer;

// The text search of the previews: one state for the whole process, so that F3 in any
// preview goes on with the last search.
struct TfrxSearchState {
    std::string SearchText;
    bool MatchCase = false;
    bool TextFound = false;
    TRect FoundBounds;          // the hit's box, page pixels at zoom 1
    int RecordNo = 0;           // records visited in the current page's picture
    int LastFoundRecord = -1;   // the record of the last hit in that picture; -1: none
};
TfrxSearchState& frxSearchState();

struct TfrxPageItem {
    int Column = 0;   // position of the page within its row
    int Height = 0;   // pixels at zoom 1
    int Width = 0;
    int Top = 0;      // top of the page's row, pixels at zoom 1
};

class TfrxPageList {
public:
    void Clear();
    int Count() const { return static_cast<int>(FItems.size()); }
    const TfrxPageItem& Items(int Index) const { return FItems.at(static_cast<size_t>(Index)); }
    int ColumnCount() const { return FColumnCount; }
    // Sets the pages per row and empties the list.
    void SetColumnCount(int Value);
    int MaxWidth() const { return FMaxWidth; }
    // Appends a page: beside the last one while its row has room, else on a new row
    // 10 pixels below the tallest page of the last row.
    void AddPage(int Width, int Height);
    // The page counted as current at the vertical offset: the last one whose top lies at
    // most a fifth of its height below Offset (Exact: at most 0); -1 when empty.
    int FindPage(int Offset, bool Exact, double Zoom) const;
    // The page's rectangle in the unscrolled workspace: rows centred while they fit the
    // client width, else 10 pixels from the left; an index out of range gives an A4 page.
    TRect GetPageBounds(int Index, int ClientWidth, double Zoom) const;
    // Width of the widest row and bottom of the last page, at Zoom; (0, 0) when empty.
    TSize GetMaxBounds(int ClientWidth, double Zoom) const;

private:
    std::vector<TfrxPageItem> FItems;
    int FColumnCount = 1;
    int FMaxWidth = 0;
};

class TfrxPreviewWorkspace : public TfrxScrollWin {
    ROVE_CLASS(TfrxPreviewWorkspace, TfrxScrollWin)
public:
    explicit TfrxPreviewWorkspace(TComponent* AOwner);
    ~TfrxPreviewWorkspace() override;

    TfrxPreview* Preview = nullptr;   // the owning preview, not owned
    TfrxPageList& PageList() { return FPageList; }
    int DefaultCursor = crDefault;
    int OffsetX() const { return FOffsetX; }
    int OffsetY() const { return FOffsetY; }
    // The page the next search starts at (kept with the search state of the preview).
    int SearchPage = 0;
    int MetafilePage = -1;

    // Scrolls so that the top of page PageNo (1-based) is 10 pixels below the top of the
    // view, unless the page change came from scrolling.
    void SetToPageNo(int PageNo);
    // The page the view shows: the current page while the view stands where going to it
    // put the view (a short last page cannot come to the top), else the page at the top.
    int PageAtView() const;
    // The scroll ranges from the layout's bounds plus 10.
    void UpdateScrollBars();
    // Arrows, Page Up/Down, Home and End; other keys are left for the preview.
    void HandleKey(uint16_t Key);
    // Looks for the search state's text from SearchPage on, page by page in the text runs
    // of each page's picture (drawn once at zoom 1 and kept, so a further search in the
    // same page does not draw it again), after the last hit's record; scrolls the hit into
    // view and highlights it. OnSearchProgress is asked after each page passed without a
    // hit; false stops the search there. True when found.
    bool FindText();
    std::function<bool(int PageIndex)> OnSearchProgress;
    // The picture the search reads (of page MetafilePage), null before the first search.
    const TMetafile* Metafile() const { return FMetafile.get(); }
    // Pictures of the pages in view at the current zoom, drawn when the window is idle
    // after a page came into view and copied by later repaints (a scroll, an uncovered
    // window) instead of drawing the page again; emptied whenever the pages or the zoom
    // change. Not made while the report is being prepared, nor while the workspace is not
    // double-buffered: then every paint draws the pages straight onto the window (less
    // memory, more drawing). Double-buffered from construction; the preview's Init takes
    // the report's PreviewOptions.DoubleBuffered.
    void SetDoubleBuffered(bool Value) override;
    void ClearPageImages();
    int PageImageCount() const { return static_cast<int>(FPageImages.size()); }
    // Draws the pictures still missing for the pages in view (what the idle timer does).
    void FillPageImages();

    void Paint() override;
    void HorzPositionChanged() override;
    void VertPositionChanged() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

    static constexpr TColor BackColor = 0x808080;

protected:
    void BoundsChanged(bool Resized) override;

private:
    double Zoom() const;
    bool HasPages() const;
    void HitTest(int X, int Y, TMouseButton Button, TShiftState Shift, bool Click);
    void DrawFoundText(TCanvas* Canvas, const TRect& Page);
    void DrawPageContent(TCanvas* Canvas, int Index, const TRect& Page);
    // The pages whose rectangles (frame included) meet the view, with those rectangles.
    std::vector<std::pair<int, TRect>> PagesInView() const;
    TTimer* FFillTimer = nullptr;
    struct TPageImage {
        int Index = 0;
        double Zoom = 0;
        std::unique_ptr<TBitmap> Bitmap;
    };
    void ScrollToFoundText();
    TfrxPageList FPageList;
    std::unique_ptr<TMetafile> FMetafile;
    std::vector<TPageImage> FPageImages;   // most recently used last
    bool FDisableUpdate = false;
    bool FDown = false;
    int FLastX = 0;
    int FLastY = 0;
    int FOffsetX = 0;
    int FOffsetY = 0;
};
