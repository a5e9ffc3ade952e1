// Tyhsfform: the discount window. The cashier gives the amount after the discount or its
// percentage of the amount before (Enter computes the other), or chooses internal
// accounting (the main window's action nbjz, right 63), which books the receipt at 0.
// "确定" writes the amount due, the reduction and the list title into the charging window.
#pragma once

#include "platform/rtl/Currency.h"
#include "platform/ui/Forms.h"

class TEdit;
class TButton;
class TRadioButton;
class TFlatButton;

class Tyhsfform : public TForm {
    ROVE_CLASS(Tyhsfform, TForm)
public:
    explicit Tyhsfform(TComponent* AOwner);
    ~Tyhsfform() override;

    TEdit* Edit1 = nullptr;               // amount before
    TEdit* Edit2 = nullptr;               // amount after
    TEdit* Edit3 = nullptr;               // percentage
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
    TRadioButton* RadioButton1 = nullptr;  // 优惠打折
    TRadioButton* RadioButton2 = nullptr;  // 内部记账 (action nbjz)
    TFlatButton* FlatButton1 = nullptr;

    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Edit2KeyPress(TObject* Sender, char32_t& Key);
    void Edit3KeyPress(TObject* Sender, char32_t& Key);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void FlatButton1Click(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Tyhsfform>& d);

protected:
    void BindFields() override;

private:
    // The amount key filter; false when the key was refused.
    // Key passes as an amount key (for the amount after: a money key, two decimals at most).
    static bool FilterAmountKey(char32_t& Key, const TEdit* Money = nullptr);
    // The amount before, as the window shows it.
    Currency Before() const;
};

extern Tyhsfform* yhsfform;
