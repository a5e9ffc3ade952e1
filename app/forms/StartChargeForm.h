// Tsftsform: the start-charging prompt, shown when the cashier ends the item entry. "确定"
// carries the amount due into the amount received; the second button is the main
// window's discount action (right 62), which closes this prompt and opens the discount
// window.
#pragma once

#include "platform/ui/Forms.h"

class TButton;

class Tsftsform : public TForm {
    ROVE_CLASS(Tsftsform, TForm)
public:
    explicit Tsftsform(TComponent* AOwner);
    ~Tsftsform() override;

    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
    TButton* Button3 = nullptr;

    void Button1Click(TObject* Sender);
    void Button3Click(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Tsftsform>& d);

protected:
    void BindFields() override;
};

extern Tsftsform* sftsform;
