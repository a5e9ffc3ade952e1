// The cross-tab view: a report object that fills a cross-tab matrix while the report
// prints, either from a report dataset (TfrxDBCrossView) or from AddValue calls of a
// script or of the application (TfrxCrossView), then builds totals and sizes. Its look is
// given by the matrix's memo templates (cells, column headers, column totals, row headers,
// row totals, one per level), stored in the report as the binary property "Memos": an XML
// document "cross" with the templates of the levels in use, the cell functions and the
// sort codes.
//
// Print sequence: BeforePrint (BeginMatrix) - the report's before-print event, where
// AddValue calls come in - GetData (FillMatrix when valid, EndMatrix).
//
// MaxWidth is always stored: a new view has 200 while 300 is the declared default, so
// writing it always keeps both 200 and 300 across a save and a load.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/rtl/StringList.h"
#include "report/CrossMatrix.h"
#include "report/Views.h"

class TfrxCustomMemoView;

class TfrxCustomCrossView : public TfrxView {
    ROVE_CLASS(TfrxCustomCrossView, TfrxView)
public:
    explicit TfrxCustomCrossView(TComponent* AOwner);
    TfrxCustomCrossView(TComponent* AOwner, uint16_t Flags);
    ~TfrxCustomCrossView() override;

    // --- Published properties -----------------------------------------------------------
    bool Border = true;
    int CellLevels() const { return FCellLevels; }
    virtual void SetCellLevels(int Value);
    int ColumnLevels() const { return FColumnLevels; }
    virtual void SetColumnLevels(int Value);
    int RowLevels() const { return FRowLevels; }
    virtual void SetRowLevels(int Value);
    int DefHeight = 0;
    bool DownThenAcross = false;
    int GapX = 3;
    int GapY = 3;
    int MaxWidth = 200;
    int MinWidth = 0;
    bool PlainCells() const { return FPlainCells; }
    void SetPlainCells(bool Value);
    bool RepeatHeaders = true;
    bool ShowColumnHeader = true;
    bool ShowRowHeader = true;
    // The visibility of the grand-total templates.
    bool ShowColumnTotal() const;
    void SetShowColumnTotal(bool Value);
    bool ShowRowTotal() const;
    void SetShowRowTotal(bool Value);
    // Script procedure names.
    std::string OnCalcHeight, OnCalcWidth, OnPrintCell, OnPrintColumnHeader, OnPrintRowHeader;

    // Handlers that code attaches; each runs after the script event with its arguments.
    std::function<void(int RowIndex, const Variant& RowValues, double& Height)> CalcHeightHandler;
    std::function<void(int ColumnIndex, const Variant& ColumnValues, double& Width)> CalcWidthHandler;
    std::function<void(TfrxCustomMemoView* Memo, int RowIndex, int ColumnIndex, int CellIndex,
                       const Variant& RowValues, const Variant& ColumnValues, const Variant& Value)>
        PrintCellHandler;
    std::function<void(TfrxCustomMemoView* Memo, const Variant& HeaderIndexes, const Variant& HeaderValues,
                       const Variant& Value)>
        PrintColumnHeaderHandler, PrintRowHeaderHandler;

    // Set when the view lies on a dot-matrix page: dot-matrix templates, no gaps.
    bool DotMatrix() const { return FDotMatrix; }
    void SetDotMatrix(bool Value);
    // A view placed on a dot-matrix page turns into dot-matrix mode.
    void SetParent(TfrxComponent* AParent) override;

    // --- The matrix ---------------------------------------------------------------------
    TfrxCrossMatrix* Matrix() const { return FMatrix.get(); }
    void AddValue(const std::vector<Variant>& Rows, const std::vector<Variant>& Columns,
                  const std::vector<Variant>& Cells) {
        FMatrix->AddValue(Rows, Columns, Cells);
    }
    void AddValue(const Variant& Rows, const Variant& Columns, const Variant& Cells) {
        FMatrix->AddValue(Rows, Columns, Cells);
    }
    int ColCount() const { return FMatrix->ColCount(); }
    int RowCount() const { return FMatrix->RowCount(); }
    bool IsGrandTotalColumn(int Index) const { return FMatrix->IsGrandTotalColumn(Index); }
    bool IsGrandTotalRow(int Index) const { return FMatrix->IsGrandTotalRow(Index); }
    bool IsTotalColumn(int Index) const { return FMatrix->IsTotalColumn(Index); }
    bool IsTotalRow(int Index) const { return FMatrix->IsTotalRow(Index); }
    uint8_t CellFunctions(int Level) const { return FMatrix->CellFunctions(Level); }
    void SetCellFunctions(int Level, uint8_t Value) { FMatrix->SetCellFunctions(Level, Value); }
    uint8_t ColumnSort(int Level) const { return FMatrix->ColumnSort(Level); }
    void SetColumnSort(int Level, uint8_t Value) { FMatrix->SetColumnSort(Level, Value); }
    uint8_t RowSort(int Level) const { return FMatrix->RowSort(Level); }
    void SetRowSort(int Level, uint8_t Value) { FMatrix->SetRowSort(Level, Value); }
    TfrxCustomMemoView* CellMemos(int Level) const { return FMatrix->CellMemos(Level); }
    TfrxCustomMemoView* ColumnMemos(int Level) const { return FMatrix->ColumnMemos(Level); }
    TfrxCustomMemoView* ColumnTotalMemos(int Level) const { return FMatrix->ColumnTotalMemos(Level); }
    TfrxCustomMemoView* RowMemos(int Level) const { return FMatrix->RowMemos(Level); }
    TfrxCustomMemoView* RowTotalMemos(int Level) const { return FMatrix->RowTotalMemos(Level); }

    // Copies the sizes and gaps into the matrix, initialises it with the level counts and
    // sets the header visibility.
    void BeginMatrix();
    // Totals, their cells and the sizes.
    void EndMatrix();
    double GetColumnHeaderHeight() const;
    double GetRowHeaderWidth() const;

    // The field-name lists (TfrxDBCrossView publishes them; TfrxCrossView fills them).
    TStringList* CellFields() const { return FCellFields.get(); }
    void SetCellFields(TStringList* Value) { FCellFields->Assign(*Value); }
    TStringList* ColumnFields() const { return FColumnFields.get(); }
    void SetColumnFields(TStringList* Value) { FColumnFields->Assign(*Value); }
    TStringList* RowFields() const { return FRowFields.get(); }
    void SetRowFields(TStringList* Value) { FRowFields->Assign(*Value); }

    // --- Printing -----------------------------------------------------------------------
    void BeforePrint() override;
    void GetData() override;
    virtual void FillMatrix() {}
    virtual bool IsCrossValid() const { return true; }

    // The print events for the output: script procedure, then the attached handler.
    void DoPrintCell(TfrxCustomMemoView* Memo, int RowIndex, int ColumnIndex, int CellIndex,
                     const Variant& RowValues, const Variant& ColumnValues, const Variant& Value);
    void DoPrintColumnHeader(TfrxCustomMemoView* Memo, const Variant& HeaderIndexes, const Variant& HeaderValues,
                             const Variant& Value);
    void DoPrintRowHeader(TfrxCustomMemoView* Memo, const Variant& HeaderIndexes, const Variant& HeaderValues,
                          const Variant& Value);

    // --- Drawing and storage ------------------------------------------------------------
    // As a view, then the object's name 2 pixels right of and below the top-left corner.
    void Draw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) override;
    void DefineProperties(TFiler& Filer) override;
    // The "Memos" document and its reader.
    std::string SaveMemos() const;
    void LoadMemos(const std::string& Data);

    template <class T> static void PublishCross(TPropertyDecl<T>& d);

private:
    void Init();
    // The result as text objects on the prepared pages, through the running engine
    // (CrossOutput.cpp).
    void OutputResult();
    void DoCalcWidth(int Column, double& Width);
    void DoCalcHeight(int Row, double& Height);
    void DoHeaderEvent(const std::string& EventName, TfrxCustomMemoView* Memo, const Variant& HeaderIndexes,
                       const Variant& HeaderValues, const Variant& Value);

    std::unique_ptr<TfrxCrossMatrix> FMatrix;
    std::unique_ptr<TStringList> FCellFields, FColumnFields, FRowFields;
    int FCellLevels = 1, FColumnLevels = 1, FRowLevels = 1;
    bool FPlainCells = false;
    bool FDotMatrix = false;
};

// Filled by AddValue calls.
class TfrxCrossView : public TfrxCustomCrossView {
    ROVE_CLASS(TfrxCrossView, TfrxCustomCrossView)
public:
    explicit TfrxCrossView(TComponent* AOwner);
    TfrxCrossView(TComponent* AOwner, uint16_t Flags);
    // Store the count and refill the field list with that many "Cell" ("Column", "Row").
    void SetCellLevels(int Value) override;
    void SetColumnLevels(int Value) override;
    void SetRowLevels(int Value) override;
    bool IsCrossValid() const override;
    std::string GetDescription() const override;
    static void DeclareProperties(TPropertyDecl<TfrxCrossView>& d);
};

// Filled from a report dataset: one AddValue per record with the named fields.
class TfrxDBCrossView : public TfrxCustomCrossView {
    ROVE_CLASS(TfrxDBCrossView, TfrxCustomCrossView)
public:
    explicit TfrxDBCrossView(TComponent* AOwner) : TfrxCustomCrossView(AOwner) {}
    TfrxDBCrossView(TComponent* AOwner, uint16_t Flags) : TfrxCustomCrossView(AOwner, Flags) {}
    void FillMatrix() override;
    bool IsCrossValid() const override;
    std::string GetDescription() const override;
    static void DeclareProperties(TPropertyDecl<TfrxDBCrossView>& d);
};

// Dropped on a form to make the cross-tab classes available; no behaviour of its own.
class TfrxCrossObject : public TComponent {
    ROVE_CLASS(TfrxCrossObject, TComponent)
public:
    explicit TfrxCrossObject(TComponent* AOwner) : TComponent(AOwner) {}
};

// The cross-tab unit's start-up: TfrxCrossView (image 42) and TfrxDBCrossView (image 49)
// as insertable objects of the category "Other", and the parameter lists of the four
// cross-tab event types in the four script languages in the string table (keys
// "TfrxPrintCellEvent", "TfrxPrintHeaderEvent", "TfrxCalcWidthEvent", "TfrxCalcHeightEvent").
// Every report calls it when it is created. Idempotent.
void frxRegisterCrossObjects();
