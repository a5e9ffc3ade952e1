// Tsjhfform: the restore window (right 42). Replaces the content of the clinic database by
// a chosen backup file and ends the program. The file is checked first: it must be a sound
// database (the database's own check) holding every clinic table and column. Until the
// content has been replaced the program keeps working on the database it has; a refusal or
// a failure leaves it open and its windows' data as they were.
#pragma once

#include "platform/ui/Forms.h"

class TLabel;
class TEdit;
class TButton;
class TSpeedButton;
class TOpenDialog;

class Tsjhfform : public TForm {
    ROVE_CLASS(Tsjhfform, TForm)
public:
    explicit Tsjhfform(TComponent* AOwner);
    ~Tsjhfform() override;

    TLabel* Label1 = nullptr;
    TEdit* Edit1 = nullptr;                // the backup file
    TSpeedButton* SpeedButton1 = nullptr;  // 浏览
    TButton* Button1 = nullptr;            // 确定恢复
    TOpenDialog* OpenDialog1 = nullptr;

    void SpeedButton1Click(TObject* Sender);
    void Button1Click(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Tsjhfform>& d);

protected:
    void BindFields() override;
};

extern Tsjhfform* sjhfform;
