// The report document and the entry point of the report engine: a component whose
// children are the report's pages. It holds the options, datasets, variables, styles, the
// error list and the script text, and runs reports: its scope script (a child of the
// script engine's global unit) holds the program's script variables, its report script (a
// child of the scope script) the template's script, and its expression cache compiles
// report expressions into functions of a script below the report script. Preparing runs
// the layout engine into the prepared pages; showing opens the preview window; designing
// opens the designer. The engine, the prepared pages, the preview window and the designer
// are reached through the abstract classes and class variables of ReportServices.h.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/rtl/StringList.h"
#include "platform/ui/Keys.h"
#include "report/Component.h"
#include "report/DataSet.h"
#include "report/Options.h"
#include "report/ReportServices.h"
#include "report/Styles.h"
#include "report/Variables.h"

class TCustomIniFile;
class TTimer;
class TfrxDrawText;
class TfrxExpressionCache;
class TfrxView;
class TfsCustomVariable;
class TfsScript;
struct TfrxCalcHandle;

// What the report's look-up found a name to be, kept while the datasets and the system
// variables stay as they were (a dataset field, a system variable, or neither, when the
// rest of the look-up decides anew each time). A name entry may also be a whole "<Name>"
// (Field holds Name), which no look-up answers and which compiles into the script's Get.
struct TfrxNameEntry {
    enum TKind : uint8_t { nkField, nkSysVar, nkReference, nkOther };
    uint64_t DataSetStamp = 0;
    uint64_t SysStamp = 0;
    TKind Kind = nkOther;
    TfrxDataSet* DataSet = nullptr;
    std::string Field;
    int SysVar = -1;
    // The scope script's item of that name at that version of its table.
    uint64_t ScopeVersion = 0;
    TfsCustomVariable* ScopeItem = nullptr;
};

// (Sender): called before and after each object is printed.
using TfrxBeforePrintEvent = TEvent<void(TfrxReportComponent* Sender)>;
ROVE_EVENT_TYPE(TfrxBeforePrintEvent)
// (View, Button, Shift, var Modified): a click on an object in the preview.
using TfrxClickObjectEvent = TEvent<void(TfrxReportComponent* View, TMouseButton Button, TShiftState Shift, bool& Modified)>;
ROVE_EVENT_TYPE(TfrxClickObjectEvent)
// (Page): a page built by the program instead of by its bands.
using TfrxManualBuildEvent = TEvent<void(TfrxPage* Page)>;
ROVE_EVENT_TYPE(TfrxManualBuildEvent)
// (View): the mouse is over an object in the preview.
using TfrxMouseOverObjectEvent = TEvent<void(TfrxView* View)>;
ROVE_EVENT_TYPE(TfrxMouseOverObjectEvent)
// (MethodName, var Params): Result: a user function of expressions.
using TfrxUserFunctionEvent = TEvent<Variant(const std::string& MethodName, Variant& Params)>;
ROVE_EVENT_TYPE(TfrxUserFunctionEvent)

// The text as a script string literal ('it''s', control characters as #13 and the like),
// so that a report variable holding it is printed as it stands instead of being
// evaluated as an expression.
std::string frxTextLiteral(std::string_view Text);

class TfrxReport : public TfrxComponent {
    ROVE_CLASS(TfrxReport, TfrxComponent)
public:
    explicit TfrxReport(TComponent* AOwner);
    ~TfrxReport() override;

    // Resets to an empty document: no pages, datasets, variables or styles, options
    // cleared, script "begin" / "" / "end." in PascalScript, the system variables
    // listed. Script variables (SetScriptVariable) are kept.
    void Clear() override;
    // Clears the report, then reads the file as report XML (see LoadFromStream) and
    // remembers its name; returns whether the file exists. A missing file leaves an
    // empty report (or raises the file error when ExceptionIfNotFound).
    bool LoadFromFile(const std::string& FileName, bool ExceptionIfNotFound = false);
    // Writes the report with its children, leaving out default values.
    void SaveToFile(const std::string& FileName);
    // Errors of the read go to Errors; malformed XML raises "Invalid file format".
    // EngineOptions, PreviewOptions and IniFile are kept across the load except
    // ConvertNulls, DoublePass, OutlineVisible and OutlineWidth, which take the file's
    // values; the stored password is decoded. A protected report asks for its password
    // (unless Reloading) and clears itself when it is not given; then the collected
    // errors are shown in the error box (ShowErrors). The box also comes when the read
    // raises, before the exception goes on to the caller. A compressed stream cannot be
    // read (no compressor exists): "clDecompressError" goes to Errors and the box.
    void LoadFromStream(TStream& Stream) override;
    void SaveToStream(TStream& Stream, bool SaveChildren = true, bool SaveDefaultValues = false) override;
    std::string GetDescription() const override;

    // --- Stored properties ---------------------------------------------------------
    TfrxDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TfrxDataSet* Value);
    std::string DataSetName() const;
    void SetDataSetName(const std::string& Value);
    bool DotMatrixReport = false;
    TfrxEngineOptions* EngineOptions() const { return FEngineOptions.get(); }
    void SetEngineOptions(TfrxEngineOptions* Value) { FEngineOptions->Assign(Value); }
    std::string IniFile = "\\Software\\Quirewell";
    TfrxPreviewOptions* PreviewOptions() const { return FPreviewOptions.get(); }
    void SetPreviewOptions(TfrxPreviewOptions* Value) { FPreviewOptions->Assign(Value); }
    TfrxPrintOptions* PrintOptions() const { return FPrintOptions.get(); }
    void SetPrintOptions(TfrxPrintOptions* Value) { FPrintOptions->Assign(Value); }
    TfrxReportOptions* ReportOptions() const { return FReportOptions.get(); }
    void SetReportOptions(TfrxReportOptions* Value) { FReportOptions->Assign(Value); }
    std::string ScriptLanguage = "PascalScript";
    TStringList* ScriptText() const { return FScriptText.get(); }
    void SetScriptText(TStringList* Value) { FScriptText->Assign(*Value); }
    // An attached preview control: the report shows its pages there instead of opening
    // a preview window; forgotten when the control goes away.
    TfrxCustomPreview* Preview() const { return FPreview; }
    void SetPreview(TfrxCustomPreview* Value);

    // --- Events --------------------------------------------------------------------
    TfrxBeforePrintEvent OnAfterPrint;
    TfrxBeforePrintEvent OnBeforePrint;
    TfrxClickObjectEvent OnClickObject;
    // The last resort of the identifier look-up (the value starts empty).
    TfrxGetValueEvent OnGetValue;
    TfrxManualBuildEvent OnManualBuild;
    TfrxMouseOverObjectEvent OnMouseOverObject;
    // Names of report-script procedures run at the start and the end of a run.
    std::string OnStartReport;
    std::string OnStopReport;
    // A function of the program that expressions and the report script call: declared
    // with AddFunction, run by this handler with the upper-cased name and the arguments
    // as a Variant array (values written into it go back to var parameters).
    TfrxUserFunctionEvent OnUserFunction;

    // --- Members -------------------------------------------------------------------
    TfrxReportDataSets* DataSets() const { return FDataSets.get(); }
    // When not empty, the datasets the designer's report-data dialog offers (instead of
    // every dataset of the program); Clear keeps it.
    TfrxReportDataSets* OfferedDataSets() const { return FOfferedDataSets.get(); }
    TfrxVariables* Variables() const { return FVariables.get(); }
    TfrxStyles* Styles() const { return FStyles.get(); }
    // nullptr clears the styles; otherwise they are copied and applied.
    void SetStyles(TfrxStyles* Value);
    // Sorted, duplicates dropped.
    TStringList* Errors() const { return FErrors.get(); }
    // The error box with "clErrors" and the error list, when the list is not empty and
    // EngineOptions.SilentMode is off.
    void ShowErrors();
    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& Value) { FFileName = Value; }
    // Set while PrepareReport reloads the report from its own copy (no password).
    bool Reloading = false;
    // The stream being read (only during LoadFromStream).
    TStream* LoadStream = nullptr;
    // The layout engine and the prepared pages, created with the report through their
    // class variables and linked both ways (nullptr while no engine or store exists;
    // the report tries again when it needs them).
    TfrxCustomEngine* Engine() const { return FEngine.get(); }
    TfrxCustomPreviewPages* PreviewPages() const { return FPreviewPages.get(); }
    // The open designer, nullptr when none.
    TfrxCustomDesigner* Designer = nullptr;
    // The preview window ShowPreparedReport created, until it is freed.
    TfrxCustomPreviewForm* PreviewForm() const { return FPreviewForm; }
    // The text layout object of this report.
    TfrxDrawText* DrawText() const { return FDrawText.get(); }
    // The 50 ms timer of ShowReport (disabled; its tick prepares the report).
    TTimer* Timer();

    // --- Scripts and expressions -----------------------------------------------------
    // The report script (its parent is ScriptScope), compiled at every run.
    TfsScript* Script() const { return FScript.get(); }
    // The script below the global unit that holds the program's script variables.
    TfsScript* ScriptScope() const { return FScriptScope.get(); }
    TfrxExpressionCache* ExpressionCache() const { return FExpressionCache.get(); }
    // "Date", "Time", "Page", "Page#", "TotalPages", "TotalPages#", "Line", "Line#".
    TStringList* SysVariables() const { return FSysVariables.get(); }
    // The name of the object the engine works on; expression errors are prefixed by it.
    std::string CurObject;

    // A script variable of ScriptScope: seen by the report script, by expressions ("[zbr]")
    // and by Calc, kept across runs, loads and Clear. Its value is used as it stands.
    void SetScriptVariable(const std::string& Name, const Variant& Value);
    // The value of a script variable of ScriptScope, Null when there is none.
    Variant ScriptVariable(const std::string& Name) const;
    // Declares a user function (a signature such as "function Twice(X: Integer): Integer")
    // in ScriptScope, kept across runs, loads and Clear; a call runs OnUserFunction (Null
    // without a handler). Category and Description show in the designer's function tree.
    void AddFunction(const std::string& FuncName, const std::string& Category = "ctOther",
                     const std::string& Description = {});
    // Sets the report variable Name to Text as a literal: it prints as it stands
    // (a report variable holding a string is otherwise an expression). Numbers and other
    // values go to Variables()->SetVariables directly.
    void SetVariableText(std::string_view Name, std::string_view Text);

    // The value of an expression: the identifier look-up (DoGetValue) first, else the
    // expression compiled into a script function. A compile error is added to Errors
    // (prefixed by CurObject and ": " when set) and raised as EfrxError; run-time
    // errors of the expression propagate.
    Variant Calc(const std::string& Expr);
    // Calc of a text calculated again and again: Handle (of that text only) keeps where
    // the name table holds it.
    Variant Calc(const std::string& Expr, TfrxCalcHandle& Handle);
    // The identifier look-up: Alias."Field" of a report dataset, a system variable, a
    // report variable (a string value is an expression: its Calc), an aggregate call
    // (SUM( MIN( MAX( AVG( COUNT(), a script variable of ScriptScope, OnGetValue. A
    // report variable met again while its own value is being computed adds
    // "clUnknownVar name" to Errors and gives Null.
    bool DoGetValue(const std::string& Expr, Variant& Value);
    // Assigns the script variable "Value" (highlight and format conditions).
    void SetLocalValue(const Variant& Value);
    // Binds the report's objects and functions to the report script and compiles it;
    // false on a compile error ("clScrError" in Errors; the script keeps ErrorMsg and
    // ErrorPos).
    bool PrepareScript();
    // PrepareScript for a check just before a run (the designer's preview): when it
    // compiles, the next PrepareReport uses this compile once instead of compiling again,
    // provided the script text, its language and the bound objects are still those of
    // the check and no script code ran in between; otherwise it prepares as always.
    bool CheckScriptBeforeRun();
    // Whether the compiled report script has code of its own: declarations besides the
    // objects and functions the report binds, or statements in its main block.
    bool HasOwnScriptCode() const;

    // --- Running, showing, printing, designing -----------------------------------------
    // Runs the report into PreviewPages: the dataset check, a copy of the report, the
    // script (compile and main block) and the engine, then the copy back (undoing what
    // scripts changed in the object tree). True when no error was collected; otherwise
    // the error box (unless EngineOptions.SilentMode).
    bool PrepareReport(bool ClearLastReport = true);
    // Clears the prepared pages when asked, enables Timer (whose tick prepares the
    // report while the preview is up) and shows the preview. Raises EfrxError when no
    // prepared pages or preview exist.
    void ShowReport(bool ClearLastReport = true);
    // The prepared pages in the attached preview control, else in a new preview window
    // (modal and freed afterwards, or modeless and freed when closed).
    void ShowPreparedReport();
    // Prints the prepared pages; false when printing was cancelled or failed (a failure
    // goes to Errors and the error box).
    bool PrintReport();
    // Opens the designer on this report (a report without pages gets "Page1") and waits
    // until it closes; nothing when no designer is registered or one is open.
    void DesignReport();
    // The designer in preview-page mode; true when the page was modified.
    bool DesignPreviewPage();

    // Script events: when the engine is running (or RunAlways) and EventName is not
    // empty, the report-script procedure EventName runs with the object as parameter.
    void DoNotifyEvent(TObject* Obj, const std::string& EventName, bool RunAlways = false);
    // The same with the elements of Params (written back into the array).
    void DoParamEvent(const std::string& EventName, Variant& Params, bool RunAlways = false);
    // OnBeforePrint / OnAfterPrint, then the object's before-print / after-print script
    // procedure.
    void DoBeforePrint(TfrxReportComponent* Obj);
    void DoAfterPrint(TfrxReportComponent* Obj);
    // The view's preview-click script procedure (always) with [View, Button, Shift,
    // Modified], then OnClickObject.
    void DoPreviewClick(TfrxReportComponent* View, TMouseButton Button, TShiftState Shift, bool& Modified);

    // A new settings store: the registry key IniFile when it begins with "\Software\",
    // else the ini file of that name.
    std::unique_ptr<TCustomIniFile> GetIniFile() const;

    // The pages: the children that are pages, in child order (datasets made with the
    // report as owner are children too). An index out of range raises EListError.
    int PagesCount() const;
    TfrxPage* Pages(int Index) const;

    // The dataset of DataSets with this user name (case ignored), nullptr when none.
    TfrxDataSet* GetDataset(std::string_view Alias) const;
    // The dataset's user name when it is in DataSets, "clDSNotIncl" when not, "" for nil.
    std::string GetAlias(TfrxDataSet* DataSet) const;
    // Splits Alias."Field" at the first full stop followed by a double quote.
    void GetDatasetAndField(std::string_view ComplexName, TfrxDataSet*& DataSet, std::string& Field) const;
    void GetDataSetList(TStrings* List, bool OnlyDB = false) const;
    // Makes PrintOptions.Printer the current printer when it is installed.
    void SelectPrinter();

    void DefineProperties(TFiler& Filer) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    static void DeclareProperties(TPropertyDecl<TfrxReport>& d);

private:
    bool EnsureServices();
    void TimerTick();
    // The run's watch over its scripts (every so many statements) and over the engine's
    // work on objects (Running nullptr: objects readied, written or copied): the window
    // that shows the run going away (closed, or freed) stops the run; the windows answer
    // once kRunAnswerInterval milliseconds have gone by; a stopped run's scripts are
    // terminated, and the engine's work throws EfrxRunStopped. Nothing answers while the
    // template is read back after the run.
    void WatchRun(TfsScript* Running);
    // Terminates Running and the scripts above it up to the report script, when Running is
    // one of this report's; the report script's procedures with it.
    void StopRunScripts(TfsScript* Running);
    static constexpr uint32_t kRunAnswerInterval = 20;
    bool RunDesigner(bool PreviewDesigner);

    TfrxDataSet* FDataSet = nullptr;
    TComponent* FDataSetComponent = nullptr;
    std::string FDataSetName;
    std::unique_ptr<TfrxReportDataSets> FDataSets;
    std::unique_ptr<TfrxVariables> FVariables;
    std::unique_ptr<TfrxEngineOptions> FEngineOptions;
    std::unique_ptr<TfrxPreviewOptions> FPreviewOptions;
    std::unique_ptr<TfrxPrintOptions> FPrintOptions;
    std::unique_ptr<TfrxReportOptions> FReportOptions;
    std::unique_ptr<TStringList> FScriptText;
    std::unique_ptr<TStringList> FErrors;
    std::unique_ptr<TfrxStyles> FStyles;
    std::unique_ptr<TfrxReportDataSets> FOfferedDataSets;
    std::string FFileName;
    // With their component parts, compared when they go away.
    TfrxCustomPreview* FPreview = nullptr;
    TComponent* FPreviewComponent = nullptr;
    TfrxCustomPreviewForm* FPreviewForm = nullptr;
    TComponent* FPreviewFormComponent = nullptr;
    TComponent* FDesignerComponent = nullptr;
    // Declared in creation order: the expression cache goes before the report script,
    // the report script before its scope.
    std::unique_ptr<TfsScript> FScriptScope;
    std::unique_ptr<TfsScript> FScript;
    std::unique_ptr<TfrxExpressionCache> FExpressionCache;
    std::unique_ptr<TStringList> FSysVariables;
    std::unique_ptr<TTimer> FTimer;
    std::unique_ptr<TfrxCustomEngine> FEngine;
    std::unique_ptr<TfrxCustomPreviewPages> FPreviewPages;
    std::unique_ptr<TfrxDrawText> FDrawText;
    TfsCustomVariable* FLocalValue = nullptr;
    // Set while PrepareReport runs: a window that answers meanwhile cannot start it again.
    bool FPreparing = false;
    // The preview window the run fills (nullptr for a run without one), and when the
    // windows last answered.
    TfrxCustomPreviewForm* FRunPreviewForm = nullptr;
    uint32_t FRunAnswered = 0;
    // What CheckScriptBeforeRun compiled: the script text, its language, the objects
    // bound by name, the other objects and the count of items of the scope and of the
    // script. Valid from the check to the next preparation or script call.
    // The items of the report script once the report has bound its own (before the
    // compile adds those of the script text).
    int FBoundScriptItems = 0;
    struct TCheckedScript {
        bool Valid = false;
        std::string Text, Language;
        std::vector<std::pair<TfrxComponent*, std::string>> Objects;
        const void* Engine = nullptr;
        const void* Outline = nullptr;
        int ScopeItems = 0, ScriptItems = 0;
    } FCheckedScript;
    // The checked compile when it still holds (the check's per-run steps done again);
    // otherwise PrepareScript.
    bool PrepareScriptForRun();
    // Clears and binds the script; PrepareScript without the compile.
    void BindScript();
    // Indexes of the report variables whose values are being computed (DoGetValue).
    std::vector<int> FEvaluating;
    // The look-up's names by their exact texts. Entries stay where they are until the
    // table is emptied, which gives it a new number (handles of the old one are void).
    std::unordered_map<std::string, TfrxNameEntry> FNames;
    uint64_t FNamesTable = 0;
    // The entry of Expr: the handle's while it holds, else found (or made) in the table
    // and the handle pointed at it.
    TfrxNameEntry& NameEntry(const std::string& Expr, TfrxCalcHandle* Handle);
    TfrxNameEntry& FindNameEntry(const std::string& Expr, TfrxCalcHandle* Handle);
    // DoGetValue; Reference receives Name when Expr is a whole "<Name>".
    bool LookUp(const std::string& Expr, Variant& Value, std::string* Reference, TfrxCalcHandle* Handle);
    // The look-up of a name that is neither a dataset field nor a system variable (Entry is
    // its entry, Value still empty).
    bool LookUpOther(const std::string& Expr, const TfrxNameEntry& Entry, Variant& Value, std::string* Reference,
                     TfrxCalcHandle* Handle);
    Variant CalcWith(const std::string& Expr, TfrxCalcHandle* Handle);
    // The value of a dataset field (Null converted when the options say so).
    Variant FieldValue(const TfrxNameEntry& Entry);
    // The value of the system variable at Index of SysVariables (the engine is there).
    Variant SysVarValue(int Index) const;
};
