// The prepared pages: the store a report run writes its pages into, the preview reads
// from, and printing draws. The whole store is one report XML document with the root
// "preparedreport"; a prepared-report file (.bp3) is that document on disk.
//
// Objects on a prepared page are kept as differences against copies of the template
// objects (the source pages), under short names from a dictionary ("m1", "b3"), so a page
// costs little memory and file space. The objects inside a band are written straight into
// the band element's packed children, and every page but the few the engine is writing
// is held packed as a whole (docs/prepared-pages.md). Page objects are rebuilt from the
// XML on demand and kept in a cache of 50; with the engine options' file cache on, page
// XML moves to the document's temporary file once the memory estimate passes MaxMemSize
// megabytes.
#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "report/Options.h"
#include "report/ReportServices.h"
#include "report/XMLDocument.h"

struct TfrxCompiledAttributes;
class TfrxCustomPrinter;
class TfrxPreviewPages;

// Short names of source objects: Names (sorted, case ignored, "b1" < "b10" < "b2") each
// with its source name "Page" + source page index + "." + object name and source object.
class TfrxDictionary {
public:
    void Clear();
    void Add(const std::string& Name, const std::string& SourceName, TfrxComponent* Obj);
    // Adds under CreateUniqueName(Base) and returns that name.
    std::string AddUnique(const std::string& Base, const std::string& SourceName, TfrxComponent* Obj);
    // Base + a free number: the first of the steps 10000, 5000, ... 2 whose name is taken
    // (else 1) is where the count starts; it goes up while the name is taken.
    std::string CreateUniqueName(const std::string& Base) const;
    // The source object, nullptr for a name not in the dictionary (or one whose object
    // was not found when the dictionary was read).
    TfrxComponent* GetObject(std::string_view Name) const;
    // Empty for a name not in the dictionary.
    std::string GetSourceName(std::string_view Name) const;
    int Count() const { return static_cast<int>(FNames.size()); }
    // Calls Proc(Name, SourceName) in name order.
    template <class F> void ForEach(F Proc) const {
        for (const auto& [name, e] : FNames) Proc(name, e.SourceName);
    }

private:
    struct TNoCase {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    struct TEntry {
        std::string SourceName;
        TfrxComponent* Obj = nullptr;
    };
    std::map<std::string, TEntry, TNoCase> FNames;
    // Names read as base + number, per lower-cased base (every split of a name's trailing
    // digits that has no leading zero: "m12" is m with 12 and m1 with 2). Each number
    // taken points on to one not below it where a free number may start (n + 1 at first,
    // further once a search went past), so the first free number from any start is found
    // in about constant time, and CreateUniqueName gives the names the probes and the
    // count give without walking the names already there.
    using TTakenNumbers = std::unordered_map<int, int>;
    mutable std::unordered_map<std::string, TTakenNumbers> FTaken;
    void NoteNumbered(const std::string& Name);
    static int FirstFree(TTakenNumbers& Taken, int From);
};

// The outline of a prepared report: the "outline" element of the document, nested "item"
// elements with text, page (0-based) and top (pixels).
class TfrxOutline : public TfrxCustomOutline {
    ROVE_CLASS(TfrxOutline, TfrxCustomOutline)
public:
    explicit TfrxOutline(TfrxPreviewPages* APreviewPages);

    int GetCount() override;
    // A new child of the current item on the current page; it becomes current.
    void AddItem(const std::string& Text, int Top) override;
    // Index out of range leaves the current item.
    void LevelDown(int Index) override;
    void LevelRoot() override;
    void LevelUp() override;
    // Index out of range gives an empty text, page 0 and top 0.
    void GetItem(int Index, std::string& Text, int& Page, int& Top) override;
    // The sibling right after From (a position from GetCurPosition) and its subtree move
    // to the next page: page + 1, top shifted so that the sibling's top becomes NewTop.
    void ShiftItems(void* From, int NewTop) override;
    // The last child of the current item, or the current item when it has none.
    void* GetCurPosition() override;

    // The current item (the outline element at the root).
    TfrxXMLItem* CurItem();
    // Forgets the current item (the document was cleared or reloaded).
    void Reset() { FCurItem = nullptr; }

private:
    TfrxXMLItem* Root();
    TfrxPreviewPages* FPages;
    TfrxXMLItem* FCurItem = nullptr;
};

// An export filter: Export hands it the pages, each view of a page in turn. No filter
// exists in this system; any class with these operations can be passed to Export.
class TfrxCustomExportFilter : public TComponent {
    ROVE_CLASS(TfrxCustomExportFilter, TComponent)
public:
    explicit TfrxCustomExportFilter(TComponent* AOwner) : TComponent(AOwner) {}
    // The text of the filter in the preview's export menu.
    virtual std::string GetDescription() const { return {}; }
    TfrxReport* Report = nullptr;
    bool ShowDialog = false;
    // Only the current preview page.
    bool CurPage = false;
    std::string PageNumbers;
    // The filter's dialog: 1 (OK) goes on.
    virtual int ShowModal() { return 1; }
    // False: nothing is exported.
    virtual bool Start() = 0;
    virtual void StartPage(TfrxPage* Page, int Index) = 0;
    virtual void ExportObject(TfrxComponent* Obj) = 0;
    virtual void FinishPage(TfrxPage* Page, int Index) = 0;
    virtual void Finish() = 0;
};

// What the print dialog asks for; Print fills it from PrintOptions.
struct TfrxPrintSettings {
    int Copies = 1;
    bool Collate = true;
    std::string PageNumbers;
    TfrxPrintPages PrintPages = ppAll;
    bool Reverse = false;
};

// The print dialog, filled in by the preview at start-up: shown with the settings, it
// changes them and returns false when the user cancels. Empty: no dialog is shown.
using TfrxPrintDialogProc = std::function<bool(TfrxPreviewPages* Pages, TfrxPrintSettings& Settings)>;
TfrxPrintDialogProc& frxPrintDialogProc();

class TfrxPreviewPages : public TfrxCustomPreviewPages {
    ROVE_CLASS(TfrxPreviewPages, TfrxCustomPreviewPages)
public:
    explicit TfrxPreviewPages(TfrxReport* AReport);
    ~TfrxPreviewPages() override;

    // --- Reading -------------------------------------------------------------------------
    // Children of "previewpages".
    int Count() override;
    // The page built from its XML (through the cache of 50); nullptr when Index is out
    // of range. The store owns the page; it stays valid until the cache drops it.
    TfrxPage* GetPage(int Index) override;
    // Width and height in pixels (each rounded) from the source page, or from the built
    // page for a page stored in full; (0, 0) out of range.
    void GetPageSize(int Index, double& Width, double& Height) override;

    // --- The run -------------------------------------------------------------------------
    // Empties the cache, source pages, document (and its temporary file) and dictionary.
    void Clear() override;
    // Temporary folder from the engine options, terminated off, OnProgressStart.
    void Initialize() override;
    // Writes Obj and its visible children into the current page.
    void AddObject(TfrxComponent* Obj) override;
    // Moves on to the next page, creating it unless it exists (and AddPages is off).
    void AddPage(TfrxPage* Page) override;
    // Copies a template page with its objects as a source page and names its objects.
    void AddSourcePage(TfrxPage* Page) override;
    // Copies one object created during the run onto the last source page.
    void AddToSourcePage(TfrxComponent* Obj) override;
    // Obj (made during the run from Like, a template with a source copy or an object so
    // linked) is written as differences against Like's source copy. Nothing when Like
    // has none. These links are plain addresses, for objects made and freed in bulk: the
    // maker drops them all (ForgetRunLinks) before any of its objects is freed for good.
    void LinkToSource(TfrxComponent* Obj, TfrxComponent* Like);
    void ForgetRunLinks() {
        if (!FRunLinks.empty()) ++FLinkStamp;
        FRunLinks.clear();
    }
    void ForgetRunLink(const TfrxComponent* Obj) {
        if (FRunLinks.erase(Obj)) ++FLinkStamp;
    }
    // Like has a source copy (AddToSourcePage or AddSourcePage made one).
    bool HasSource(TfrxComponent* Like) const { return SourceOf(Like) != nullptr; }
    void BeginPass() override;
    // Drops what the first pass wrote after BeginPass (pages, objects and outline items).
    void ClearFirstPassPages() override;
    // Moves the current page's objects from APosition on into "cutted" (a kept block).
    void CutObjects(int APosition) override;
    void Finish() override;
    // Moves the cut objects back to the current page, the first one to (X, Y).
    void PasteObjects(double X, double Y) override;
    bool BandExists(TfrxBand* Band) override;
    // Objects (direct children) of the current page.
    int GetCurPosition() override;
    // The lowest bottom of the bands (page footers excepted) on the current page.
    double GetLastY() override;

    // --- Page editing (index-checked: out of range does nothing) -------------------------
    void AddEmptyPage(int Index) override;
    // Nothing when fewer than two pages exist.
    void DeletePage(int Index) override;
    // The page a run stopped amid its objects was making (the last one, when the run
    // added it) goes; the pages before it stay.
    void DropUnfinishedPage();
    // Stores Page in full in place of page Index.
    void ModifyPage(int Index, TfrxPage* Page) override;

    // --- Output --------------------------------------------------------------------------
    void DrawPage(int Index, TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX,
                  double OffsetY) override;
    // Hit test under the mouse: the topmost view at (X, Y) gives the cursor and, with a
    // link, the status text. With Click the link is followed: "@N" shows page N, "#name"
    // the page and position of the last anchor of that name (OnShowPage), any other link
    // opens with the desktop's handler (ShellOpen) unless it names a local program or
    // desktop entry; malformed
    // targets are ignored. Then the report's preview click runs and a page the click
    // modified is stored back.
    void ObjectOver(int Index, int X, int Y, int Button, unsigned Shift, double Scale, int OffsetX, int OffsetY,
                    bool Click, int& Cursor) override;
    // PrintOptions, the print dialog (when ShowDialog and one is registered), then the
    // print run on the current printer. False when cancelled or terminated; raises
    // EfrxError ("clNoPrinters") when no printer is installed.
    bool Print() override;
    // The print run on Printer: the pages the settings select, with copies and collation.
    // A failure aborts the job and propagates.
    bool PrintTo(TfrxCustomPrinter& Printer, const TfrxPrintSettings& Settings);
    // The pages print as text (a dot-matrix report, or a first page of the dot-matrix
    // kind): a raw job on a printer, a file without one.
    bool IsDotMatrix();
    // The pages the filter's page numbers select, through the filter (a
    // TfrxCustomExportFilter; anything else exports nothing): each page's background
    // first, then its views, the page moved by its margins. False when nothing ran.
    bool Export(TObject* Filter) override;

    // --- Files ---------------------------------------------------------------------------
    void LoadFromStream(TStream& Stream) override { LoadFromStream(Stream, false); }
    // With partial loading the stream must stay alive while the store is used.
    void LoadFromStream(TStream& Stream, bool AllowPartialLoading);
    // The store takes the stream over (partial loading from a file).
    void LoadFromStream(std::unique_ptr<TStream> Stream, bool AllowPartialLoading);
    void SaveToStream(TStream& Stream) override;
    // False when the file does not exist (an error instead with ExceptionIfNotFound).
    bool LoadFromFile(const std::string& FileName, bool ExceptionIfNotFound = false) override;
    // With partial loading: only the pages asked for are read from the file.
    bool LoadFromFile(const std::string& FileName, bool ExceptionIfNotFound, bool AllowPartialLoading);
    void SaveToFile(const std::string& FileName) override;

    // --- Anchors -------------------------------------------------------------------------
    // An anchor on the current page at the engine's CurY.
    void AddAnchor(const std::string& Text);
    // The 1-based page of the last anchor named Text (case ignored); 1 when none.
    int GetAnchorPage(const std::string& Text);
    // The 0-based page and top of that anchor; false when none.
    bool FindAnchor(const std::string& Text, int& Page, int& Top);

    // --- Members -------------------------------------------------------------------------
    TfrxDictionary& Dictionary() { return FDictionary; }
    TfrxXMLDocument& XMLDoc() { return FXMLDoc; }
    TfrxOutline* PagesOutline() const { return static_cast<TfrxOutline*>(Outline()); }
    int SourcePageCount() const { return static_cast<int>(FSourcePages.size()); }
    TfrxPage* SourcePages(int Index) const;
    // Link target for the preview: the 0-based page and the top (pixels) to show.
    std::function<void(int PageIndex, int Top)> OnShowPage;
    // The page the preview shows (1-based): printing or exporting only the current page
    // takes it.
    int CurPreviewPage = 1;
    // When set, the next AddPage creates a page even where one exists.
    bool AddPages = false;
    // Set by the engine for a pass before the last that reads nothing of its pages back
    // (no kept blocks, columns, pages printed on the previous one or side-by-side output):
    // its bands are then not written at all; the pages are still made and counted.
    bool PassWritesNoBands = false;
    // The memory estimate of the page XML the run wrote (bytes: heap elements with their
    // texts and bookkeeping, packed records by their size), reset when pages move to the
    // file.
    int64_t MemoryEstimate() const { return FAllocated; }
    // Built pages in the cache.
    int CachedPages() const { return static_cast<int>(FCache.size()); }
    static constexpr int CacheSize = 50;

private:
    class TLinks;
    struct TSourceInfo {
        std::string ClassName;
        std::string FullXML;      // attribute text of the copy (empty when stored in full)
        std::string Alias;
        TfrxComponent* Template = nullptr;   // compared only, never followed
        // FullXML as applied to the first object built from it: every later object of
        // this source takes the same properties without the text being read again.
        std::shared_ptr<const TfrxCompiledAttributes> Compiled;
    };

    // What writing a printed object takes from the links and the source copies, found
    // once per object: valid while FLinkStamp (counting every change of the links and the
    // source copies) and the object's class stay the same.
    struct TWriteInfo {
        const TfrxComponent* Obj = nullptr;
        TClass Class = nullptr;
        uint64_t Stamp = 0;
        TfrxComponent* Copy = nullptr;        // nullptr: no source copy
        const TSourceInfo* Info = nullptr;
        uint8_t Kind = 0;                     // TWriteKind flags of the object's class
        std::string Head;                     // the packer's record head of its element name
    };
    enum TWriteKind : uint8_t { wkCrossView = 1, wkSubreport = 2, wkBand = 4, wkView = 8 };

    TfrxXMLItem* PagesItem();
    // The page the engine writes; the page it wrote before is packed when it moved on.
    TfrxXMLItem* CurPageItem();
    // Packs page Index (a page of the run: the memory estimate follows).
    void PackPage(int Index);
    void ClearCache();
    void CheckFileCache();
    bool FileCacheOn() const;
    bool IsFinalPass() const;
    // Writing a band into FPacker: WriteElement writes Obj's element (only the places of
    // bands in a pass before the last) and tells what follows, WriteChildren writes the
    // visible children and closes the element.
    enum TWritten { wrNothing, wrChildren, wrChildrenOnly };
    TWritten WriteElement(TfrxComponent* Obj, bool FinalPass);
    void WriteChildren(TfrxComponent* Obj, TWritten Written, bool FinalPass);
    // Obj's entry in FWriteInfos, found again when it is not valid.
    const TWriteInfo& WriteInfoOf(TfrxComponent* Obj);
    // The other places of the set that starts at Set, or a new entry in the first.
    const TWriteInfo& WriteInfoIn(size_t Set, TfrxComponent* Obj, TClass Class);
    TfrxComponent* SourceOf(TfrxComponent* Obj) const;
    // Obj's source copy (in Copy) and what the store keeps of it; nullptr when none.
    const TSourceInfo* SourceInfoOf(TfrxComponent* Obj, TfrxComponent*& Copy) const;
    std::unique_ptr<TfrxPage> BuildPage(TfrxXMLItem* Item);
    void BuildObject(TfrxXMLItem* Item, TfrxComponent* Parent);
    // The source page index of a "pageN" element; -1 when the name is none or N is out
    // of range.
    int SourceIndexOf(const TfrxXMLItem* Item) const;
    void RegisterCopy(TfrxComponent* Copy, TfrxComponent* Template, int SourceIndex);
    void ReadSourcePages();
    void ReadDictionary();
    void AfterLoad();
    void FollowLink(const std::string& URL);
    void ForgetOutlineAfterPass();

    TfrxDictionary FDictionary;
    int FFirstObjectsCount = 0;
    int FFirstPage = -1;
    bool FPassHadPages = false;
    std::unordered_set<TfrxXMLItem*> FPassOutline;
    // Newest first.
    std::list<std::pair<int, std::unique_ptr<TfrxPage>>> FCache;
    std::vector<std::unique_ptr<TfrxPage>> FSourcePages;
    std::unordered_map<const TfrxComponent*, TSourceInfo> FSourceInfo;
    std::unique_ptr<TLinks> FLinks;
    std::unordered_map<const TfrxComponent*, TfrxComponent*> FRunLinks;
    TfrxXMLDocument FXMLDoc;
    int64_t FAllocated = 0;
    // The page the engine used last (-1: none).
    int FOpenPage = -1;
    // The count of pages when the current run started.
    int FRunFirstPage = 0;
    TfrxXMLPacker FPacker;
    // The root's "previewpages" element as PagesItem found it last (compared, not
    // followed, until found among the root's children again).
    TfrxXMLItem* FPagesItem = nullptr;
    // Counts the changes of FLinks, FRunLinks and FSourceInfo (starts at 1: an empty
    // entry is never valid).
    uint64_t FLinkStamp = 1;
    // Entries of the objects written, by their address (made by the first AddObject).
    static constexpr int kWriteInfoBits = 8;
    static constexpr size_t kWriteInfoWays = 4;
    std::vector<TWriteInfo> FWriteInfos;
};

// Makes the report create these prepared pages (the prepared-pages class variable).
void frxRegisterPreviewPages();
