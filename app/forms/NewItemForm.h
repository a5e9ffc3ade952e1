// Txjxmform: a new chargeable item. Every field is required; an item with the same name and
// pack size (规格) is refused; a new drug starts with purchase price and stock 0 and offers the
// stock-in window.
#pragma once

#include "platform/ui/Forms.h"

class TComboBox;
class TEdit;
class TButton;
class TRadioButton;
class TADOQuery;
class TADOTable;
class TFlatButton;

class Txjxmform : public TForm {
    ROVE_CLASS(Txjxmform, TForm)
public:
    explicit Txjxmform(TComponent* AOwner);
    ~Txjxmform() override;

    TComboBox* ComboBox1 = nullptr;   // 项目类型
    TEdit* Edit1 = nullptr;           // 项目名称
    TEdit* Edit2 = nullptr;           // 拼音码
    TEdit* Edit3 = nullptr;           // 规格
    TComboBox* ComboBox2 = nullptr;   // 单位
    TEdit* Edit5 = nullptr;           // 单价
    TRadioButton* RadioButton1 = nullptr;   // 药品项目
    TRadioButton* RadioButton2 = nullptr;   // 检查项目
    TButton* Button1 = nullptr;       // 保存
    TFlatButton* FlatButton1 = nullptr;
    TADOQuery* ADOQuery1 = nullptr;   // duplicate check
    TADOQuery* ADOQuery2 = nullptr;   // type and unit lists
    TADOTable* ADOTable3 = nullptr;   // tb_yp

    // Clears Combo and fills it with the second column of every row of Sql, in table order.
    void FillList(TComboBox* Combo, const char* Sql);

    void FormCreate(TObject* Sender);
    void ComboBox1KeyPress(TObject* Sender, char32_t& Key);
    void Edit1KeyPress(TObject* Sender, char32_t& Key);
    void Edit2KeyPress(TObject* Sender, char32_t& Key);
    void Edit3KeyPress(TObject* Sender, char32_t& Key);
    void ComboBox2KeyPress(TObject* Sender, char32_t& Key);
    void Edit5KeyPress(TObject* Sender, char32_t& Key);
    void Button1Click(TObject* Sender);
    void FlatButton1Click(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Txjxmform>& d);

protected:
    void BindFields() override;
};

extern Txjxmform* xjxmform;

// Shared by the item windows: the refusal of a key (beep and the message, captioned "提示").
void RefuseItemKey(char32_t& Key, const char* Text);
