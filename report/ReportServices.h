// What the report reaches through lists and abstract bases: the list of its datasets,
// and the layout engine, outline, prepared pages, designer and wizards, whose real
// implementations live in the engine, the prepared pages, the designer and the wizards.
// The engine and the designer are reached only through these classes, so the report
// engine links neither the preview nor the designer. The engine, the prepared pages, the
// preview window and the designer are created through class variables (factories) that
// their subsystems fill at start-up; while one is empty the report says so (see Report.h).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/rtl/DateTime.h"
#include "platform/ui/Forms.h"

class TfrxReport;
class TfrxDataSet;
class TfrxPage;
class TfrxBand;
class TfrxComponent;
class TfrxCustomPreviewPages;
class TfrxCustomPreview;
class TStrings;

// --- The dataset list ------------------------------------------------------------------------
// Counts every change that can change which dataset a name finds: datasets added to or
// taken from a report's list, a list item given another dataset, a dataset renamed or
// destroyed. Look-ups kept across calls hold on to the count they were made at.
uint64_t frxDataSetNamesStamp();
void frxDataSetNamesChanged();

class TfrxDataSetItem : public TCollectionItem {
    ROVE_CLASS(TfrxDataSetItem, TCollectionItem)
public:
    explicit TfrxDataSetItem(TCollection* Collection);
    TfrxDataSet* DataSet() const { return FDataSet; }
    // Also takes the dataset's user name (empty for none).
    void SetDataSet(TfrxDataSet* Value);
    // The dataset's user name when one is set, else the stored name.
    std::string DataSetName() const;
    // Stores the name and looks the dataset up among the report's datasets.
    void SetDataSetName(const std::string& Value);

    static void DeclareProperties(TPropertyDecl<TfrxDataSetItem>& d);

private:
    friend class TfrxReportDataSets;
    friend class TfrxReport;
    TfrxDataSet* FDataSet = nullptr;
    // The same object as a component: compared when it goes away, after its dataset
    // part is destroyed.
    TComponent* FDataSetComponent = nullptr;
    std::string FDataSetName;
};

class TfrxReportDataSets : public TCollection {
    ROVE_CLASS(TfrxReportDataSets, TCollection)
public:
    explicit TfrxReportDataSets(TfrxReport* AReport = nullptr);
    TfrxReport* Report() const { return FReport; }
    TfrxDataSetItem* Add(TfrxDataSet* DataSet);
    TfrxDataSetItem* Items(int Index) const { return static_cast<TfrxDataSetItem*>(TCollection::Items(Index)); }
    TfrxDataSetItem* Find(const TfrxDataSet* DataSet) const;
    // The first item whose dataset is set and has this user name (case ignored).
    TfrxDataSetItem* Find(std::string_view Name) const;
    // Every dataset gets the report and is initialised / finalised.
    void Initialize();
    void Finalize();
    // Drops the dataset from every item (the dataset is going away).
    void Forget(const TfrxDataSet* DataSet);

protected:
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
    TfrxReport* FReport;
};

// --- The layout engine -------------------------------------------------------------------
class TfrxCustomEngine : public TPersistent {
    ROVE_CLASS(TfrxCustomEngine, TPersistent)
public:
    explicit TfrxCustomEngine(TfrxReport* AReport);
    ~TfrxCustomEngine() override;

    TfrxReport* Report() const { return FReport; }
    TfrxCustomPreviewPages* PreviewPages() const { return FPreviewPages; }
    void SetPreviewPages(TfrxCustomPreviewPages* Value) { FPreviewPages = Value; }
    // Objects told of every data row printed (report components: OnNotify with the
    // band); the report empties it before every run.
    std::vector<TObject*>& NotifyList() { return FNotifyList; }
    // The report's EngineOptions.DoublePass.
    bool DoublePass() const;
    // Sets the prepared pages' terminated flag.
    void StopReport();

    // Virtual operations in slot order.
    virtual void EndPage() = 0;
    virtual void NewColumn() = 0;
    virtual void NewPage() = 0;
    virtual void ShowBand(TfrxBand* Band) = 0;
    virtual void ShowBand(TClass BandClass) = 0;
    virtual double FreeSpace() = 0;
    virtual Variant GetAggregateValue(const std::string& Name, TfrxComponent* Memo) = 0;
    virtual bool Run() = 0;

    int CurColumn = 0;
    int CurVColumn = 0;
    // The system variables "Line" (row number within its group or master row) and
    // "Line#" (row number through the whole run of the band).
    int CurLine = 0;
    int CurLineThrough = 0;
    double CurX = 0;
    double CurY = 0;
    bool FinalPass = false;
    double PageHeight = 0;
    double PageWidth = 0;
    TDateTime StartDate = 0;
    TDateTime StartTime = 0;
    int TotalPages = 0;
    // From the start of a run to its end; the report's script events run only then.
    bool Running = false;

    static void DeclareProperties(TPropertyDecl<TfrxCustomEngine>& d);

private:
    TfrxReport* FReport;
    TfrxCustomPreviewPages* FPreviewPages = nullptr;
    std::vector<TObject*> FNotifyList;
};

// --- The outline of prepared pages -------------------------------------------------------
class TfrxCustomOutline : public TPersistent {
    ROVE_CLASS(TfrxCustomOutline, TPersistent)
public:
    explicit TfrxCustomOutline(TfrxCustomPreviewPages* APreviewPages);
    TfrxCustomPreviewPages* PreviewPages() const { return FPreviewPages; }
    TfrxCustomEngine* Engine() const;

    virtual int GetCount() = 0;
    virtual void AddItem(const std::string& Text, int Top) = 0;
    virtual void LevelDown(int Index) = 0;
    virtual void LevelRoot() = 0;
    virtual void LevelUp() = 0;
    virtual void GetItem(int Index, std::string& Text, int& Page, int& Top) = 0;
    virtual void ShiftItems(void* From, int NewTop) = 0;
    virtual void* GetCurPosition() = 0;

private:
    TfrxCustomPreviewPages* FPreviewPages;
};

// --- The prepared pages ------------------------------------------------------------------
using TfrxProgressEvent = std::function<void(TObject* Sender, int Progress)>;

// Thrown by the run watch's step when the run was stopped amid the engine's work on
// objects; the engine's run takes it as the end of a terminated run.
struct EfrxRunStopped {};

class TfrxCustomPreviewPages : public TPersistent {
    ROVE_CLASS(TfrxCustomPreviewPages, TPersistent)
public:
    explicit TfrxCustomPreviewPages(TfrxReport* AReport);
    ~TfrxCustomPreviewPages() override;

    TfrxReport* Report() const { return FReport; }
    TfrxCustomEngine* Engine() const { return FEngine; }
    void SetEngine(TfrxCustomEngine* Value) { FEngine = Value; }
    // The outline, created by the concrete store (it owns it).
    TfrxCustomOutline* Outline() const { return FOutline.get(); }
    bool Terminated() const { return FTerminated; }
    void SetTerminated(bool Value) { FTerminated = Value; }
    // The run watch's step of the engine's work per object (each object readied, written
    // or copied): every kRunWatchObjects objects the run watch of this thread, the one the
    // scripts use, answers the windows and looks whether the run was stopped. A run
    // stopped while the engine runs throws EfrxRunStopped from there (and from the watch's
    // other calls without a script: the report's objects copied), unless a THoldStop
    // lives. One count while far from due.
    static constexpr int kRunWatchObjects = 1024;
    [[gnu::always_inline]] void RunWatchStep() {
        if (--FRunWatchCountdown <= 0) [[unlikely]]
            RunWatchDue();
    }
    // The same step for work that must not be left half done (under a THoldStop): tells
    // that the run is stopped, the caller ending its work and then calling ThrowIfStopped.
    [[gnu::always_inline]] bool RunWatchStopped() {
        if (--FRunWatchCountdown <= 0) [[unlikely]]
            RunWatchDue();
        return FTerminated;
    }
    // Throws EfrxRunStopped when the run was stopped while the engine runs and no
    // THoldStop lives.
    void ThrowIfStopped() const;
    struct THoldStop {
        TfrxCustomPreviewPages* Pages;
        explicit THoldStop(TfrxCustomPreviewPages* P) : Pages(P) { ++Pages->FHoldStop; }
        ~THoldStop() { --Pages->FHoldStop; }
        THoldStop(const THoldStop&) = delete;
        THoldStop& operator=(const THoldStop&) = delete;
    };
    const std::string& Status() const { return FStatus; }
    // Stores the text and fires OnStatusChange.
    void SetStatus(const std::string& Value);
    // The index of the page being written (-1 after Clear), and of the first page of the
    // current run (the system variables "Page", "Page#" and "TotalPages" use both).
    int CurPage = -1;
    int FirstPage = 0;

    // The preview showing these pages (set by its Init, cleared when it goes): printing
    // and export lock it and take its current page.
    TfrxCustomPreview* Preview = nullptr;
    std::function<void(TObject*)> OnProgressStart;
    std::function<void(TObject*)> OnProgressStop;
    TfrxProgressEvent OnProgress;
    TfrxProgressEvent OnPrintProgress;
    std::function<void(TObject*)> OnStatusChange;

    // The operations of the store, in slot order; their behaviour belongs to it.
    virtual int Count() = 0;
    virtual TfrxPage* GetPage(int Index) = 0;
    virtual void GetPageSize(int Index, double& Width, double& Height) = 0;
    virtual void Clear() = 0;
    virtual void Initialize() = 0;
    virtual void AddObject(TfrxComponent* Obj) = 0;
    virtual void AddPage(TfrxPage* Page) = 0;
    virtual void AddSourcePage(TfrxPage* Page) = 0;
    virtual void AddToSourcePage(TfrxComponent* Obj) = 0;
    virtual void BeginPass() = 0;
    virtual void ClearFirstPassPages() = 0;
    virtual void CutObjects(int APosition) = 0;
    virtual void Finish() = 0;
    virtual void PasteObjects(double X, double Y) = 0;
    virtual bool BandExists(TfrxBand* Band) = 0;
    virtual int GetCurPosition() = 0;
    virtual double GetLastY() = 0;
    virtual void AddEmptyPage(int Index) = 0;
    virtual void DeletePage(int Index) = 0;
    virtual void ModifyPage(int Index, TfrxPage* Page) = 0;
    virtual void DrawPage(int Index, class TCanvas* Canvas, double ScaleX, double ScaleY,
                          double OffsetX, double OffsetY) = 0;
    virtual void ObjectOver(int Index, int X, int Y, int Button, unsigned Shift, double Scale,
                            int OffsetX, int OffsetY, bool Click, int& Cursor) = 0;
    virtual void LoadFromStream(TStream& Stream) = 0;
    virtual void SaveToStream(TStream& Stream) = 0;
    virtual bool LoadFromFile(const std::string& FileName, bool ExceptionIfNotFound = false) = 0;
    virtual void SaveToFile(const std::string& FileName) = 0;
    virtual bool Print() = 0;
    virtual bool Export(TObject* Filter) = 0;

protected:
    void SetOutline(std::unique_ptr<TfrxCustomOutline> Value) { FOutline = std::move(Value); }

private:
    TfrxReport* FReport;
    TfrxCustomEngine* FEngine = nullptr;
    std::unique_ptr<TfrxCustomOutline> FOutline;
    [[gnu::noinline]] void RunWatchDue();
    bool FTerminated = false;
    int FRunWatchCountdown = kRunWatchObjects;
    int FHoldStop = 0;
    std::string FStatus;
};

// The engine and prepared-pages class variables: filled by the layout engine and the
// prepared pages at start-up; the report creates one of each with itself, linked both
// ways. Empty means that no engine or store is present (PrepareReport then fails with
// an error, ShowReport and PrintReport raise).
using TfrxEngineClass = std::function<std::unique_ptr<TfrxCustomEngine>(TfrxReport* Report)>;
TfrxEngineClass& frxEngineClass();
using TfrxPreviewPagesClass = std::function<std::unique_ptr<TfrxCustomPreviewPages>(TfrxReport* Report)>;
TfrxPreviewPagesClass& frxPreviewPagesClass();

// --- The preview -------------------------------------------------------------------------
// The preview control a program may attach to a report (TfrxReport::Preview) instead of
// the preview window: the report sets Report and PreviewPages and calls Init.
class TfrxCustomPreview : public TCustomControl {
    ROVE_CLASS(TfrxCustomPreview, TCustomControl)
public:
    explicit TfrxCustomPreview(TComponent* AOwner);
    ~TfrxCustomPreview() override;
    // Not owned.
    TfrxReport* Report = nullptr;
    TfrxCustomPreviewPages* PreviewPages = nullptr;

    // Virtual operations in slot order.
    virtual void Init() = 0;
    virtual void Lock() = 0;
    virtual void Unlock() = 0;
};

// The preview window as the report drives it: created with the application as owner,
// its preview control gets the report and the prepared pages, Init applies the report's
// preview options; shown modally and freed, or shown modelessly with FreeOnClose set (the
// window then frees itself when it is closed).
class TfrxCustomPreviewForm : public TForm {
    ROVE_CLASS(TfrxCustomPreviewForm, TForm)
public:
    explicit TfrxCustomPreviewForm(TComponent* AOwner);
    ~TfrxCustomPreviewForm() override;
    virtual TfrxCustomPreview* PreviewControl() const = 0;
    virtual void Init() = 0;
    bool FreeOnClose = false;
};

// The preview-window class variable: filled by the preview at start-up; empty means no
// preview, and ShowPreparedReport raises.
using TfrxPreviewFormClass = std::function<TfrxCustomPreviewForm*(TComponent* Owner)>;
TfrxPreviewFormClass& frxPreviewFormClass();

// --- The designer ------------------------------------------------------------------------
// The designer window's abstract base: the report holds one while a designer is open.
// It is a form, so that the designer subsystem's window (TfrxDesignerForm) derives from
// it and implements its operations; the report shows it (Show, modeless) and waits on
// ModalFinished.
class TfrxCustomDesigner : public TForm {
    ROVE_CLASS(TfrxCustomDesigner, TForm)
public:
    TfrxCustomDesigner(TComponent* AOwner, TfrxReport* AReport, bool APreviewDesigner);
    ~TfrxCustomDesigner() override;

    TfrxReport* Report() const { return FReport; }
    bool IsPreviewDesigner() const { return FIsPreviewDesigner; }
    std::string MemoFontName;
    int MemoFontSize = 0;
    bool UseObjectFont = false;
    // Set when the designer window closes; the report waits for it.
    bool ModalFinished = false;
    bool Modified() const { return FModified; }
    std::vector<TfrxComponent*>& Objects() { return FObjects; }
    TfrxPage* Page() const { return FPage; }
    std::vector<TfrxComponent*>& SelectedObjects() { return FSelectedObjects; }

    // Virtual operations in slot order.
    virtual void SetModified(bool Value) { FModified = Value; }
    virtual void SetPage(TfrxPage* Value) { FPage = Value; }
    virtual std::vector<std::string> GetCode() = 0;
    virtual std::string InsertExpression(const std::string& Expr) = 0;
    virtual void Lock() = 0;
    virtual void ReloadPages(int Index) = 0;
    virtual void ReloadReport() = 0;
    virtual void UpdateDataTree() = 0;
    virtual void UpdatePage() = 0;

    // --- What the object and property editors reach through the designer ---------------
    // The window overrides these; the defaults are those of a designer without a code
    // page, in its default unit.
    // The unit in force: 0 centimetres, 1 inches, 2 pixels, 3 characters (a dot-matrix
    // page shows characters whatever the user's unit).
    virtual int CurUnits() const { return 0; }
    // Paper measures between millimetres and the unit in force; in characters a
    // horizontal measure counts 9.6-pixel cells and a vertical one 17-pixel cells, rounded.
    double MMToUnits(double Value, bool Horizontal) const;
    double UnitsToMM(double Value, bool Horizontal) const;
    // Shows the code page (no page is current while it shows).
    virtual void SwitchToCodeWindow() { SetPage(nullptr); }
    // The report script's event handlers, as the code page holds them. EventType is the
    // name of the event's type ("TfrxNotifyEvent"); lines are counted from 0 here.
    virtual std::vector<std::string> ListMatchingHandlers(const std::string& EventType);
    // The line that opens handler Name, -1 when the script has none.
    virtual int FindHandlerLine(const std::string& Name);
    // Inserts an empty handler into the script and returns the 1-based number of its
    // empty body line; raises EfrxError "dsCantFindProc" (the script unchanged) when the
    // script has no main block to put it before (always, without a code page).
    virtual int InsertEventHandler(const std::string& EventType, const std::string& Name);
    // Shows the code page with the code editor refreshed and its caret at the 1-based
    // Line and Column.
    virtual void ShowCodeLine(int Line, int Column);
    // Before the report is replaced (a new report made by a wizard): a modified report's
    // changes are asked about, Yes saving them; false when the user cancelled or saving
    // failed. A designer without report files has nothing to ask.
    virtual bool CheckSaveChanges() { return true; }

private:
    TfrxReport* FReport;
    bool FIsPreviewDesigner;
    bool FModified = false;
    TfrxPage* FPage = nullptr;
    std::vector<TfrxComponent*> FObjects;
    std::vector<TfrxComponent*> FSelectedObjects;
};

// The designer-class variable: filled by the designer at start-up; empty means no
// designer, and the report's design operations do nothing.
using TfrxDesignerClass = std::function<TfrxCustomDesigner*(TComponent* Owner, TfrxReport* Report, bool PreviewDesigner)>;
TfrxDesignerClass& frxDesignerClass();

// --- Wizards ---------------------------------------------------------------------------------
class TfrxCustomWizard : public TComponent {
    ROVE_CLASS(TfrxCustomWizard, TComponent)
public:
    // The owner is the designer; the wizard remembers the designer's report.
    explicit TfrxCustomWizard(TComponent* AOwner);
    TfrxCustomDesigner* Designer() const { return FDesigner; }
    TfrxReport* Report() const { return FReport; }
    // The wizard's description (empty here).
    virtual std::string GetDescription() const { return {}; }
    // True when the wizard changed the report.
    virtual bool Execute() = 0;

private:
    TfrxCustomDesigner* FDesigner;
    TfrxReport* FReport;
};
