// The page settings dialog: paper size from the current printer's paper list, width and
// height, orientation and the four margins of one report page, shown in centimetres while
// the page keeps millimetres, and whether the change applies to the current page only or
// to all pages. Every field is checked before anything is written, so a bad number leaves
// the page as it was and the dialog open.
#pragma once

#include "platform/ui/Forms.h"

class TImage;

class TButton;
class TComboBox;
class TEdit;
class TGroupBox;
class TLabel;
class TRadioButton;
class TfrxReportPage;

class TfrxPageSettingsForm : public TForm {
    ROVE_CLASS(TfrxPageSettingsForm, TForm)
public:
    explicit TfrxPageSettingsForm(TComponent* AOwner);

    TGroupBox* SizeL = nullptr;
    TComboBox* SizeCB = nullptr;
    TLabel* WidthL = nullptr;
    TEdit* WidthE = nullptr;
    TLabel* HeightL = nullptr;
    TEdit* HeightE = nullptr;
    TGroupBox* OrientationL = nullptr;
    TRadioButton* PortraitRB = nullptr;
    TRadioButton* LandscapeRB = nullptr;
    // The orientation's picture: the one of the orientation checked shows.
    TImage* PortraitImg = nullptr;
    TImage* LandscapeImg = nullptr;
    TGroupBox* MarginsL = nullptr;
    TEdit* MarginLeftE = nullptr;
    TEdit* MarginTopE = nullptr;
    TEdit* MarginRightE = nullptr;
    TEdit* MarginBottomE = nullptr;
    TGroupBox* OtherL = nullptr;
    TRadioButton* ApplyToCurRB = nullptr;
    TRadioButton* ApplyToAllRB = nullptr;
    TButton* OKB = nullptr;
    TButton* CancelB = nullptr;

    // The page edited; set before showing, not owned.
    TfrxReportPage* Page = nullptr;
    bool ApplyToAll() const;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormHide(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void SizeCBClick(TObject* Sender);
    void PortraitRBClick(TObject* Sender);
    void WidthEChange(TObject* Sender);
    static void DeclareProperties(TPropertyDecl<TfrxPageSettingsForm>& d);

protected:
    void BindFields() override;

private:
    // The paper number of the size box's entry (the printer's list by position).
    int SelectedPaper() const;
    bool FUpdating = false;
    // The orientation the width and height edits are shown in.
    bool FShownLandscape = false;
};

// Shows the dialog for Page; on OK the page is changed and ApplyToAll tells whether the
// caller applies the settings to all pages. False (Cancel) leaves the page unchanged.
bool frxShowPageSettings(TfrxReportPage* Page, bool& ApplyToAll, TComponent* Owner = nullptr);

// A sheet of paper as the orientation pictures show it (a white page with a folded corner
// and a few grey text lines), drawn to the image's size.
void frxDrawPagePicture(TImage* Image);
