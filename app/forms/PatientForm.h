// Tbrzlform: the patient records (right 11): add, change, delete and find patients. New
// patients take their number from the counter table. Opened from the main window and by
// the charging window for an unknown or empty patient code; while the charging window is
// open a new patient goes straight back into it, which then expects the doctor.
#pragma once

#include "platform/ui/Forms.h"

class TLabel;
class TEdit;
class TComboBox;
class TButton;
class TFlatButton;
class TDBGrid;
class TColumn;
class TADOQuery;
class TDataSource;

class Tbrzlform : public TForm {
    ROVE_CLASS(Tbrzlform, TForm)
public:
    explicit Tbrzlform(TComponent* AOwner);
    ~Tbrzlform() override;

    TEdit* Edit1 = nullptr;          // 姓名
    TEdit* Edit2 = nullptr;          // 拼音码
    TEdit* Edit3 = nullptr;          // 年龄
    TComboBox* ComboBox1 = nullptr;  // 性别
    TEdit* Edit4 = nullptr;          // 电话
    TEdit* Edit5 = nullptr;          // 地址
    TLabel* Label8 = nullptr;        // hidden: id of the patient edited or just added
    TDBGrid* DBGrid1 = nullptr;
    TButton* Button1 = nullptr;      // 新增资料
    TButton* Button2 = nullptr;      // 修改资料
    TButton* Button3 = nullptr;      // 删除资料
    TButton* Button4 = nullptr;      // 查找资料
    TButton* Button5 = nullptr;      // 退出
    TFlatButton* FlatButton1 = nullptr;
    TADOQuery* ADOQuery1 = nullptr;  // the list, and the change and delete statements
    TDataSource* DataSource1 = nullptr;

    void RefreshPatientList();

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Edit1KeyPress(TObject* Sender, char32_t& Key);
    void Edit2KeyPress(TObject* Sender, char32_t& Key);
    void Edit3KeyPress(TObject* Sender, char32_t& Key);
    void ComboBox1KeyPress(TObject* Sender, char32_t& Key);
    void Edit4KeyPress(TObject* Sender, char32_t& Key);
    void Edit5KeyPress(TObject* Sender, char32_t& Key);
    void DBGrid1CellClick(TColumn* Column);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button3Click(TObject* Sender);
    void Button4Click(TObject* Sender);
    void Button5Click(TObject* Sender);
    void FlatButton1Click(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Tbrzlform>& d);

protected:
    void BindFields() override;

private:
    // The required fields (name, code, age, sex); false after the message, with the first
    // empty one focused.
    bool RequiredFilled();
    void ClearFields();
    void RunStatement(const char* Sql, bool WithFields);
};

extern Tbrzlform* brzlform;
