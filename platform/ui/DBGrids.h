// TDBGrid: the records of a data source's dataset in rows, one column per field or per
// TColumn of Columns (field name, title, width, visibility, read-only). The grid follows
// the dataset (opening, closing, scrolling, edits, DisableControls) and moving the grid's
// row moves the dataset's current record.
#pragma once

#include "platform/db/DB.h"
#include "platform/ui/Controls.h"

#include <memory>
#include <vector>

ROVE_ENUM(TDBGridOption, dgEditing, dgAlwaysShowEditor, dgTitles, dgIndicator, dgColumnResize, dgColLines,
          dgRowLines, dgTabs, dgRowSelect, dgAlwaysShowSelection, dgConfirmDelete, dgCancelOnExit, dgMultiSelect)
ROVE_SET(TDBGridOptions, TDBGridOption)

class TDBGrid;
class TColumn;

class TColumnTitle : public TPersistent {
    ROVE_CLASS(TColumnTitle, TPersistent)
public:
    TColumnTitle() : FFont(std::make_unique<TFont>()) {}
    explicit TColumnTitle(TColumn* Column);
    // The field's display label unless set.
    std::string Caption() const;
    void SetCaption(const std::string& Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TPersistent* GetOwner() const override;
    bool CaptionSet() const { return FCaptionSet; }
    static void DeclareProperties(TPropertyDecl<TColumnTitle>& d);

private:
    bool IsCaptionStored() const { return FCaptionSet; }
    TColumn* FColumn = nullptr;
    std::string FCaption;
    bool FCaptionSet = false;
    TAlignment FAlignment = taLeftJustify;
    std::unique_ptr<TFont> FFont;
    TColor FColor = clBtnFace;
};

class TColumn : public TCollectionItem {
    ROVE_CLASS(TColumn, TCollectionItem)
public:
    explicit TColumn(TCollection* Collection);
    ~TColumn() override;
    const std::string& FieldName() const { return FFieldName; }
    void SetFieldName(const std::string& Value);
    // The grid's dataset's field of that name (null when none).
    TField* Field() const;
    TColumnTitle* Title() const { return FTitle.get(); }
    void SetTitle(TColumnTitle* Value);
    // The field's display width in characters unless set.
    int Width() const;
    void SetWidth(int Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TDBGrid* Grid() const;
    std::string DisplayName() const override;
    // With the grid's form: a width that was set scales (one taken from the field's
    // display width follows the font by itself).
    void ChangeScale(int M, int D);
    static void DeclareProperties(TPropertyDecl<TColumn>& d);

private:
    bool IsWidthStored() const { return FWidthSet; }
    std::string FFieldName;
    std::unique_ptr<TColumnTitle> FTitle;
    int FWidth = 64;
    bool FWidthSet = false;
    bool FVisible = true;
    bool FReadOnly = false;
    TAlignment FAlignment = taLeftJustify;
    TColor FColor = clWindow;
};

class TDBGridColumns : public TCollection {
    ROVE_CLASS(TDBGridColumns, TCollection)
public:
    explicit TDBGridColumns(TDBGrid* Grid);
    TDBGridColumns() : TCollection(TColumn::StaticClass()) {}
    TColumn* Add() { return static_cast<TColumn*>(TCollection::Add()); }
    TColumn* Items(int Index) const { return static_cast<TColumn*>(TCollection::Items(Index)); }
    TDBGrid* Grid() const { return FGrid; }

protected:
    void Update(TCollectionItem* Item) override;

private:
    TDBGrid* FGrid = nullptr;
};

using TDBGridClickEvent = TEvent<void(TColumn* Column)>;
ROVE_EVENT_TYPE(TDBGridClickEvent)

struct TDBGridPeer;

class TDBGrid : public TWinControl {
    ROVE_CLASS(TDBGrid, TWinControl)
public:
    explicit TDBGrid(TComponent* AOwner);
    ~TDBGrid() override;

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* Value);
    TDBGridColumns* Columns() const { return FColumns.get(); }
    void SetColumns(TDBGridColumns* Value);
    TDBGridOptions Options() const { return FOptions; }
    void SetOptions(TDBGridOptions Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // The titles' font: the grid's own font until one is given (then it is the titles'
    // own, and scales with the form by itself).
    TFont* TitleFont() const { return FTitleFont.get(); }
    void SetTitleFont(TFont* Value) { FTitleFont->Assign(Value); }
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value) { FFixedColor = Value; }
    int DefaultRowHeight() const;
    void SetDefaultRowHeight(int Value);

    // The columns shown: Columns when it has items, else one per visible field.
    int ColumnCount() const;
    TField* ColumnField(int Index) const;
    std::string ColumnTitle(int Index) const;
    int ColumnWidth(int Index) const;
    // The focused column, by position among the shown columns.
    int SelectedIndex() const;
    void SetSelectedIndex(int Value);
    TField* SelectedField() const;
    // The dataset's current record as a row (0-based); -1 when none.
    int Row() const;
    // The row the grid marks as current on the screen (it catches up with Row when the
    // dataset's controls are enabled again).
    int ShownRow() const;
    // The text the grid shows in a cell (row and column 0-based), for tests and exports.
    std::string CellText(int Row, int Column) const;
    int RowCount() const;

    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    void ApplyFont() override;
    void ApplyColor() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;

    TDBGridClickEvent OnCellClick;
    TDBGridClickEvent OnTitleClick;
    TNotifyEvent OnColEnter;
    TNotifyEvent OnColExit;

    static void DeclareProperties(TPropertyDecl<TDBGrid>& d);

    // The layer's own.
    void LayoutChanged();
    void DataChanged();
    void Scrolled();
    void RowPicked(int Row);
    void CellClicked(int Column);

protected:
    TColor DefaultColor() const override { return clWindow; }
    // The form scales: besides bounds and font, the column widths that were set, a title
    // font of its own and a row height that was set.
    void ChangeScale(int M, int D) override;

private:
    struct TDisplayColumn {
        TField* Field = nullptr;
        TColumn* Column = nullptr;
    };
    void BuildColumns();
    void ApplyOptions();
    std::unique_ptr<TDBGridColumns> FColumns;
    std::vector<TDisplayColumn> FShown;
    std::unique_ptr<TDBGridPeer> FGridPeer;
    TDataSource* FSource = nullptr;
    TDBGridOptions FOptions{dgEditing, dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs,
                            dgConfirmDelete, dgCancelOnExit};
    bool FReadOnly = false;
    std::unique_ptr<TFont> FTitleFont;
    TColor FFixedColor = clBtnFace;
    int FDefaultRowHeight = 0;
    bool FSyncing = false;
    bool FTitleFontSet = false;
    bool FTitleFontFromFont = false;
};
