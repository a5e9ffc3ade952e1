// What the report dialog tests share: a designer standing in for the designer window
// (it counts what the dialogs ask of it) and a report with a page, a band and a memo,
// two datasets and a settings store of its own (a temporary file removed at the end).
#pragma once

#include <memory>
#include <string>

#include "report/Bands.h"
#include "report/DataSet.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/ReportServices.h"

class TDialogTestDesigner : public TfrxCustomDesigner {
    ROVE_CLASS(TDialogTestDesigner, TfrxCustomDesigner)
public:
    explicit TDialogTestDesigner(TfrxReport* AReport);
    ~TDialogTestDesigner() override;
    std::vector<std::string> GetCode() override { return {}; }
    std::string InsertExpression(const std::string& Expr) override { return Expr; }
    void Lock() override { ++Locks; }
    void ReloadPages(int) override {}
    void ReloadReport() override { ++Reloads; }
    void UpdateDataTree() override {}
    void UpdatePage() override {}
    void SetModified(bool Value) override;
    // Answers the question about unsaved changes with SaveAnswer.
    bool CheckSaveChanges() override {
        ++SaveQuestions;
        return SaveAnswer;
    }
    bool SaveAnswer = true;
    int SaveQuestions = 0;
    int Locks = 0;
    int Reloads = 0;
    int ModifiedCalls = 0;
};

// Page1 (A4) with a master data band "MasterData1" holding "Memo1"; the user dataset
// "Doctors" (field Doctor) and the user dataset "Items" (Name, Price, Qty), only "Items"
// used by the report.
struct TDialogReport {
    TDialogReport();
    ~TDialogReport();
    std::unique_ptr<TfrxReport> Report;
    TfrxReportPage* Page = nullptr;
    TfrxMasterData* Data = nullptr;
    TfrxMemoView* Memo1 = nullptr;
    TfrxUserDataSet* Items = nullptr;
    TfrxUserDataSet* Doctors = nullptr;
    std::unique_ptr<TDialogTestDesigner> Designer;
    std::string IniPath;
    // The report as XML (to compare before and after a cancelled dialog).
    std::string Xml() const;
};

// An SQLite file with the table sales(region, product, year, amount, qty, note) of Rows
// rows, a query over it (all but the wide note) and the report dataset "Sales" (owned by Report when one is given).
class TADOConnection;
class TADOQuery;
struct TSalesData {
    explicit TSalesData(int Rows, TComponent* Owner = nullptr);
    ~TSalesData();
    std::string FileName;
    std::unique_ptr<TADOConnection> Connection;
    std::unique_ptr<TADOQuery> Query;
    TfrxDBDataset* DataSet = nullptr;
};

// A temporary file name that is removed when the object goes.
struct TTempFile {
    explicit TTempFile(const std::string& Extension);
    ~TTempFile();
    std::string Name;
};

// What the labels of a window (and of every control inside it) show cut or crossed: a
// label whose text is wider than the label, that reaches past its parent's client area, or
// that overlaps another label of the same parent. Hidden controls and word-wrapped labels
// are left out.
class TWinControl;
std::vector<std::string> CutLabels(TWinControl* Root);
