// Thintform: the help text window several windows share. A help button fills its memo
// with numbered lines and shows it modally, centred on the desktop; Esc closes it.
#pragma once

#include "platform/ui/Forms.h"

#include <initializer_list>

class TMemo;

class Thintform : public TForm {
    ROVE_CLASS(Thintform, TForm)
public:
    explicit Thintform(TComponent* AOwner);
    ~Thintform() override;

    TMemo* Memo1 = nullptr;

    // Clears the memo, adds the lines one by one and shows the window modally, as tall as
    // the lines need.
    void ShowLines(std::initializer_list<const char*> Lines);
    static constexpr int kClientHeight = 171;

    void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);

    static void DeclareProperties(TPropertyDecl<Thintform>& d);

protected:
    void BindFields() override;
};

extern Thintform* hintform;
