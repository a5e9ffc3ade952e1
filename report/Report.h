// The report document: a component whose children are the report's pages. This part of
// it holds what the object model and its storage need: the options, datasets, variables,
// styles, the error list, the script text and the stored properties, and the links to the
// engine, the prepared pages and the designer (abstract here). Running, showing and
// designing a report build on it.
#pragma once

#include <memory>
#include <string>

#include "platform/rtl/StringList.h"
#include "report/Component.h"
#include "report/DataSet.h"
#include "report/Options.h"
#include "report/ReportServices.h"
#include "report/Styles.h"
#include "report/Variables.h"

class TfrxCustomPreview;

class TfrxReport : public TfrxComponent {
    ROVE_CLASS(TfrxReport, TfrxComponent)
public:
    explicit TfrxReport(TComponent* AOwner);
    ~TfrxReport() override;

    // Resets to an empty document: no pages, datasets, variables or styles, options
    // cleared, script "begin" / "" / "end." in PascalScript.
    void Clear() override;
    // Reads report XML (see LoadFromStream); the kept and restored options follow the
    // report rules; returns whether the file exists.
    bool LoadFromFile(const std::string& FileName, bool ExceptionIfNotFound = false);
    void SaveToFile(const std::string& FileName);
    // Errors of the read go to Errors; malformed XML raises "Invalid file format".
    // EngineOptions, PreviewOptions and IniFile are kept across the load except
    // ConvertNulls, DoublePass, OutlineVisible and OutlineWidth, which take the file's
    // values; the stored password is decoded. A protected report asks for its password
    // (unless Reloading) and clears itself when it is not given; then the collected
    // errors are shown in the error box (ShowErrors). The box also comes when the read
    // raises, before the exception goes on to the caller.
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
    TfrxGetValueEvent OnGetValue;

    // --- Members -------------------------------------------------------------------
    std::string CurObject;
    TfrxReportDataSets* DataSets() const { return FDataSets.get(); }
    TfrxReportDataSets* EnabledDataSets() const { return FEnabledDataSets.get(); }
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
    bool Reloading = false;
    // Set by the engine and the prepared pages when they are created with the report.
    TfrxCustomEngine* Engine = nullptr;
    TfrxCustomPreviewPages* PreviewPages = nullptr;
    TfrxCustomDesigner* Designer = nullptr;
    TfrxCustomPreview* Preview = nullptr;

    // The pages are the children.
    int PagesCount() const { return ObjectCount(); }
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
    std::unique_ptr<TfrxReportDataSets> FEnabledDataSets;
    std::string FFileName;
};
