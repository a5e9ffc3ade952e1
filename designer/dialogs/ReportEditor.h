// The report settings dialog: the printer the report prints on, copies and collation,
// the engine's double pass and print-if-empty switches, the report password, and the
// descriptive data (name, author, description, picture, version numbers, dates).
#pragma once

#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

class TButton;
class TCheckBox;
class TEdit;
class TGroupBox;
class TImage;
class TLabel;
class TListBox;
class TMemo;
class TPageControl;
class TTabSheet;
class TfrxReport;

class TfrxReportEditorForm : public TForm {
    ROVE_CLASS(TfrxReportEditorForm, TForm)
public:
    explicit TfrxReportEditorForm(TComponent* AOwner);

    TPageControl* PageControl = nullptr;
    TTabSheet* GeneralTS = nullptr;
    TGroupBox* ReportSettingsL = nullptr;
    TListBox* PrintersLB = nullptr;
    TLabel* CopiesL = nullptr;
    TEdit* CopiesE = nullptr;
    TCheckBox* CollateCB = nullptr;
    TGroupBox* GeneralL = nullptr;
    TLabel* PasswordL = nullptr;
    TEdit* PasswordE = nullptr;
    TCheckBox* DoublePassCB = nullptr;
    TCheckBox* PrintIfEmptyCB = nullptr;
    TTabSheet* DescriptionTS = nullptr;
    TGroupBox* DescriptionL = nullptr;
    TLabel* NameL = nullptr;
    TEdit* NameE = nullptr;
    TLabel* Description1L = nullptr;
    TMemo* DescriptionE = nullptr;
    TLabel* PictureL = nullptr;
    TImage* PictureImg = nullptr;
    TButton* PictureB = nullptr;
    TLabel* AuthorL = nullptr;
    TEdit* AuthorE = nullptr;
    TGroupBox* VersionL = nullptr;
    TLabel *MajorL = nullptr, *MinorL = nullptr, *ReleaseL = nullptr, *BuildL = nullptr;
    TEdit *MajorE = nullptr, *MinorE = nullptr, *ReleaseE = nullptr, *BuildE = nullptr;
    TLabel *CreatedL = nullptr, *Created1L = nullptr, *ModifiedL = nullptr, *Modified1L = nullptr;
    TButton* OkB = nullptr;
    TButton* CancelB = nullptr;

    // Set by the caller before showing; not owned.
    TfrxReport* Report = nullptr;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormHide(TObject* Sender);
    // OK with copies that are not a whole number of at least 1 says so and stays open.
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void PictureBClick(TObject* Sender);
    void PrintersLBDrawItem(TWinControl* Control, int Index, TRect ARect, TOwnerDrawState State);
    static void DeclareProperties(TPropertyDecl<TfrxReportEditorForm>& d);

protected:
    void BindFields() override;

private:
    // Stretches the picture only when it is larger than its box.
    void FitPicture();
};

// Shows the dialog (owned by Owner) for Report; true when it ended with OK (the values
// are then written into the report).
bool frxShowReportEditor(TfrxReport* Report, TComponent* Owner = nullptr);
