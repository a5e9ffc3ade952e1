// Tcxsrform: finds items by a part of their look-up code or name; the item list shows what
// it finds.
#pragma once

#include "platform/ui/Forms.h"

class TEdit;
class TButton;
class TRadioButton;

class Tcxsrform : public TForm {
    ROVE_CLASS(Tcxsrform, TForm)
public:
    explicit Tcxsrform(TComponent* AOwner);
    ~Tcxsrform() override;

    TRadioButton* RadioButton1 = nullptr;   // 按拼音码查找
    TRadioButton* RadioButton2 = nullptr;   // 按项目名称查找
    TEdit* Edit1 = nullptr;
    TButton* Button1 = nullptr;   // 查找
    TButton* Button2 = nullptr;   // 取消

    void RadioButtonClick(TObject* Sender);
    void Edit1KeyPress(TObject* Sender, char32_t& Key);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Tcxsrform>& d);

protected:
    void BindFields() override;
};

extern Tcxsrform* cxsrform;
