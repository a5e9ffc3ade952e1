// What the editor tests share: a designer that stands in for the designer window (its
// unit, its script lines as the code page holds them, the expression answers it gives),
// and a small report with a page, bands, memos and two datasets.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "report/Bands.h"
#include "report/DataSet.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/ReportServices.h"

class TTestDesigner : public TfrxCustomDesigner {
    ROVE_CLASS(TTestDesigner, TfrxCustomDesigner)
public:
    explicit TTestDesigner(TfrxReport* AReport);
    ~TTestDesigner() override;

    std::vector<std::string> GetCode() override { return Code; }
    // Answers from Expressions in turn (an empty text when none is left).
    std::string InsertExpression(const std::string& Expr) override;
    void Lock() override {}
    void ReloadPages(int) override {}
    void ReloadReport() override {}
    void UpdateDataTree() override {}
    void UpdatePage() override {}
    void SetModified(bool Value) override;
    int CurUnits() const override { return Units; }
    // A PascalScript-like reading of Code: handlers are "procedure Name(params);" lines.
    std::vector<std::string> ListMatchingHandlers(const std::string& EventType) override;
    int FindHandlerLine(const std::string& Name) override;
    int InsertEventHandler(const std::string& EventType, const std::string& Name) override;
    void ShowCodeLine(int Line, int Column) override;

    // Selects exactly these objects.
    void Select(std::initializer_list<TfrxComponent*> Objects);

    int Units = 0;
    std::vector<std::string> Code;
    std::vector<std::string> Expressions;
    std::vector<std::string> ExpressionsAsked;
    struct TCaret {
        int Line = 0;
        int Column = 0;
    };
    std::vector<TCaret> CodeShown;
    int ModifiedCalls = 0;
};

// A report with Page1 (A4): a group header and a master data band on the database
// dataset "Items" (fields Name, Price, Qty) holding Memo1 and Memo2, and the user dataset
// "Doctors" (field Doctor).
struct TEditorReport {
    TEditorReport();
    ~TEditorReport();
    std::unique_ptr<TfrxReport> Report;
    TfrxReportPage* Page = nullptr;
    TfrxMasterData* Data = nullptr;
    TfrxGroupHeader* Group = nullptr;
    TfrxMemoView* Memo1 = nullptr;
    TfrxMemoView* Memo2 = nullptr;
    TfrxDBDataset* Items = nullptr;
    TfrxUserDataSet* Doctors = nullptr;
    std::unique_ptr<TTestDesigner> Designer;
    // The report's settings store (an ini file).
    std::string IniPath;
    // The report as XML (to compare before and after a cancelled edit).
    std::string Xml() const;
};
