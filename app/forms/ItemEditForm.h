// Tbqxmform: changes the item list's current item. The prices are locked until CheckBox1,
// bound to the main window's price-adjustment action, is ticked: only a user holding that
// right can change them.
#pragma once

#include "platform/ui/Forms.h"

class TComboBox;
class TEdit;
class TButton;
class TCheckBox;
class TADOQuery;

class Tbqxmform : public TForm {
    ROVE_CLASS(Tbqxmform, TForm)
public:
    explicit Tbqxmform(TComponent* AOwner);
    ~Tbqxmform() override;

    TComboBox* ComboBox1 = nullptr;   // 项目类型
    TEdit* Edit1 = nullptr;           // 项目名称
    TEdit* Edit2 = nullptr;           // 拼音码
    TEdit* Edit3 = nullptr;           // 规格
    TComboBox* ComboBox2 = nullptr;   // 单位
    TEdit* Edit5 = nullptr;           // 单价
    TEdit* Edit4 = nullptr;           // 进价
    TEdit* Edit6 = nullptr;           // the drug's stock (hidden)
    TCheckBox* CheckBox1 = nullptr;   // 调价 (action tj)
    TCheckBox* CheckBox2 = nullptr;   // a drug with a purchase price (hidden)
    TButton* Button1 = nullptr;       // 保存
    TADOQuery* ADOQuery1 = nullptr;

    void FormCreate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void ComboBox1KeyPress(TObject* Sender, char32_t& Key);
    void Edit1KeyPress(TObject* Sender, char32_t& Key);
    void Edit2KeyPress(TObject* Sender, char32_t& Key);
    void Edit3KeyPress(TObject* Sender, char32_t& Key);
    void ComboBox2KeyPress(TObject* Sender, char32_t& Key);
    void PriceKeyPress(TObject* Sender, char32_t& Key);
    void Button1Click(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Tbqxmform>& d);

protected:
    void BindFields() override;
};

extern Tbqxmform* bqxmform;
