// Tyszlform: the doctors (right 12). Lists tb_doctor in DBGrid1 through ADOTable1, adds a
// doctor with name, look-up code, sex and department, and deletes the grid's current row;
// rows are never changed. The department list is read from tb_ks through ADOTable2 when
// the window is created (other windows read departments from ADOTable2 too). A doctor added
// is offered at once by the drug consumption statistics window's doctor choice.
#pragma once

#include "platform/ui/Forms.h"

class TLabel;
class TEdit;
class TComboBox;
class TButton;
class TDBGrid;
class TColumn;
class TADOTable;
class TDataSource;

class Tyszlform : public TForm {
    ROVE_CLASS(Tyszlform, TForm)
public:
    explicit Tyszlform(TComponent* AOwner);
    ~Tyszlform() override;

    TEdit* Edit1 = nullptr;          // 姓名
    TEdit* Edit2 = nullptr;          // 简码
    TComboBox* ComboBox1 = nullptr;  // 性别
    TComboBox* ComboBox2 = nullptr;  // 科室
    TButton* Button1 = nullptr;      // 保存
    TButton* Button2 = nullptr;      // 删除
    TButton* Button3 = nullptr;      // 退出
    TDBGrid* DBGrid1 = nullptr;
    TADOTable* ADOTable1 = nullptr;  // tb_doctor
    TADOTable* ADOTable2 = nullptr;  // tb_ks
    TDataSource* DataSource1 = nullptr;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Edit1KeyPress(TObject* Sender, char32_t& Key);
    void Edit2KeyPress(TObject* Sender, char32_t& Key);
    void ComboBox1KeyPress(TObject* Sender, char32_t& Key);
    void ComboBox2KeyPress(TObject* Sender, char32_t& Key);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button3Click(TObject* Sender);
    void DBGrid1CellClick(TColumn* Column);

    static void DeclareProperties(TPropertyDecl<Tyszlform>& d);

protected:
    void BindFields() override;

private:
    void ClearFields();
};

extern Tyszlform* yszlform;
