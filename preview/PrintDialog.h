// The print dialog: printer, pages, copies, collation, reverse order, the odd/even filter
// and printing to a file. The printing routine of the prepared pages shows it (through
// frxPrintDialogProc) with the settings of the report's print options; on OK they come
// back changed. The printer picked in the list becomes current at once, so the type and
// port labels and the properties button follow it; any outcome other than printing puts
// the printer in effect before back.
#pragma once

#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "report/PreviewPages.h"

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TGroupBox;
class TLabel;
class TPaintBox;
class TUpDown;
class TRadioButton;
class TSaveDialog;

class TfrxPrintDialog : public TForm {
    ROVE_CLASS(TfrxPrintDialog, TForm)
public:
    explicit TfrxPrintDialog(TComponent* AOwner);

    TGroupBox* Label12 = nullptr;
    TComboBox* PrintersCB = nullptr;
    TButton* PropButton = nullptr;
    TLabel* TypeL = nullptr;
    TLabel* TypeL1 = nullptr;
    TLabel* WhereL = nullptr;
    TLabel* WhereL1 = nullptr;
    TCheckBox* FileCB = nullptr;
    TCheckBox* ReverseCB = nullptr;
    TGroupBox* Label1 = nullptr;
    TRadioButton* AllRB = nullptr;
    TRadioButton* CurPageRB = nullptr;
    TRadioButton* PageNumbersRB = nullptr;
    TEdit* PageNumbersE = nullptr;
    TLabel* DescrL = nullptr;
    TGroupBox* Label2 = nullptr;
    TLabel* CopiesL = nullptr;
    TEdit* CopiesE = nullptr;
    TUpDown* UpDown1 = nullptr;
    TCheckBox* CollateCB = nullptr;
    TLabel* CollateL = nullptr;
    TPaintBox* CopiesPB = nullptr;
    TLabel* PrintL = nullptr;
    TComboBox* PrintPagesCB = nullptr;
    TButton* OkB = nullptr;
    TButton* CancelB = nullptr;
    TSaveDialog* FileDlg = nullptr;

    // The printer index in effect when the dialog was shown.
    int OldIndex = -1;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormHide(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void PrintersCBClick(TObject* Sender);
    void PrintersCBDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    void PropButtonClick(TObject* Sender);
    void PageNumbersEEnter(TObject* Sender);
    void PageNumbersRBClick(TObject* Sender);
    void CollateLClick(TObject* Sender);
    void CollateCBClick(TObject* Sender);
    void CopiesPBPaint(TObject* Sender);
    static void DeclareProperties(TPropertyDecl<TfrxPrintDialog>& d);

protected:
    void BindFields() override;
};

// Shows the dialog filled from Settings; on OK writes the user's choice back (the current
// page of Pages for "Current page") and returns true. False prints nothing.
bool frxShowPrintDialog(TfrxPreviewPages* Pages, TfrxPrintSettings& Settings, TComponent* Owner = nullptr);
// Makes the prepared pages ask through this dialog before printing.
void frxInstallPrintDialog();
