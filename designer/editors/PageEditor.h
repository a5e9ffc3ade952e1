// The page options window: paper size and orientation, margins, paper trays, columns and
// the page flags of a report page, every length in the designer's unit while the page
// keeps millimetres. OK checks every length first (a bad one keeps the window open and
// writes nothing) and writes back only what the user changed, so an untouched field keeps
// its millimetres exactly; subreport pages on the page take the same settings.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/ComCtrls.h"
#include "platform/ui/Forms.h"

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TGroupBox;
class TImage;
class TLabel;
class TMemo;
class TRadioButton;
class TfrxCustomDesigner;
class TfrxReportPage;

class TfrxPageEditorForm : public TForm {
    ROVE_CLASS(TfrxPageEditorForm, TForm)
public:
    explicit TfrxPageEditorForm(TComponent* AOwner);

    TPageControl* PageControl = nullptr;
    TTabSheet* PaperTS = nullptr;
    TTabSheet* OtherTS = nullptr;
    TGroupBox* PaperGB = nullptr;
    TLabel* SizeL = nullptr;
    TComboBox* SizeCB = nullptr;
    TLabel* WidthL = nullptr;
    TEdit* WidthE = nullptr;
    TLabel* HeightL = nullptr;
    TEdit* HeightE = nullptr;
    TGroupBox* OrientationGB = nullptr;
    TRadioButton* PortraitRB = nullptr;
    TRadioButton* LandscapeRB = nullptr;
    TImage* PortraitImg = nullptr;
    TImage* LandscapeImg = nullptr;
    TGroupBox* MarginsGB = nullptr;
    TEdit* MarginLeftE = nullptr;
    TEdit* MarginTopE = nullptr;
    TEdit* MarginRightE = nullptr;
    TEdit* MarginBottomE = nullptr;
    TGroupBox* SourceGB = nullptr;
    TComboBox* Tray1CB = nullptr;
    TComboBox* Tray2CB = nullptr;
    TGroupBox* ColumnsGB = nullptr;
    TEdit* ColumnsNumberE = nullptr;
    TUpDown* UpDown1 = nullptr;
    TEdit* ColumnWidthE = nullptr;
    TMemo* ColumnPositionsM = nullptr;
    TCheckBox* PrintOnPrevCB = nullptr;
    TCheckBox* MirrorMarginsCB = nullptr;
    TCheckBox* LargeHeightCB = nullptr;
    TComboBox* DuplexCB = nullptr;
    TLabel* UnitL1 = nullptr;
    TLabel* UnitL2 = nullptr;
    TLabel* UnitL3 = nullptr;
    TLabel* UnitL4 = nullptr;
    TLabel* UnitL5 = nullptr;
    TLabel* UnitL6 = nullptr;
    TLabel* UnitL7 = nullptr;
    TButton* OkB = nullptr;
    TButton* CancelB = nullptr;

    // The page edited; set before showing, not owned.
    TfrxReportPage* Page = nullptr;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormHide(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void PortraitRBClick(TObject* Sender);
    void SizeCBClick(TObject* Sender);
    void WidthEChange(TObject* Sender);
    void UpDown1Click(TObject* Sender, TUDBtnType Button);
    static void DeclareProperties(TPropertyDecl<TfrxPageEditorForm>& d);

protected:
    void BindFields() override;

private:
    TfrxCustomDesigner* Designer() const;
    double ToUnits(double MM, bool Horizontal) const;
    double ToMM(double Value, bool Horizontal) const;
    std::string UnitsText(double MM, bool Horizontal) const;
    // The millimetres of a length field: the page's own value while the text is the one
    // shown, else the text read in the unit (raises the conversion error).
    double FieldMM(TEdit* Edit, bool Horizontal) const;
    int SelectedPaper() const;
    int SelectedBin(TComboBox* Box) const;
    // Writes the window's settings into APage.
    void WritePage(TfrxReportPage* APage) const;

    bool FUpdating = false;
    bool FShownLandscape = false;
    // What FormShow put into the length fields, with the millimetres behind each.
    struct TShown {
        TEdit* Edit;
        std::string Text;
        double MM;
    };
    std::vector<TShown> FShown;
    std::string FShownPositions;
    std::vector<std::string> FPagePositions;
};

// Shows the window for Page; true (the page changed) on OK.
bool frxShowPageEditor(TfrxReportPage* Page, TfrxCustomDesigner* Designer);
