// TNameListForm: what the department, item type and unit windows share. Each shows one
// table of names in DBGrid1 through ADOTable1, adds the text of Edit1 as a new row, and
// deletes the grid's current row after a confirmation; rows are never changed. A name
// added is also offered at once by the pick lists of other windows, which read their lists
// only when they are created.
#pragma once

#include "platform/ui/Forms.h"

#include <string>
#include <string_view>

class TEdit;
class TButton;
class TDBGrid;
class TColumn;
class TADOTable;
class TDataSource;

class TNameListForm : public TForm {
    ROVE_CLASS(TNameListForm, TForm)
public:
    ~TNameListForm() override;

    TEdit* Edit1 = nullptr;
    TButton* Button1 = nullptr;   // 保存
    TButton* Button2 = nullptr;   // 删除
    TDBGrid* DBGrid1 = nullptr;
    TADOTable* ADOTable1 = nullptr;
    TDataSource* DataSource1 = nullptr;

    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Edit1KeyPress(TObject* Sender, char32_t& Key);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void DBGrid1CellClick(TColumn* Column);

    static void DeclareProperties(TPropertyDecl<TNameListForm>& d);

protected:
    explicit TNameListForm(TComponent* AOwner);
    void BindFields() override;
    // The table's name column.
    virtual const char* NameColumn() const = 0;
    // The refusal of an empty (or blank) name.
    virtual const char* EmptyNameMessage() const { return "必填字段不能为空!"; }
    // Offers a name just added to the other windows' lists.
    virtual void AddToOtherLists(const std::string& Name) = 0;
};

// Adds Text to the items of the combo box Control of the window of class WindowClass, when
// that window is part of the program and has such a control.
void AddToPickList(std::string_view WindowClass, std::string_view Control, const std::string& Text);
