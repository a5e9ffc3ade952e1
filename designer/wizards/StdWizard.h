// The report wizards: the standard and dot-matrix wizards ask for a dataset, its fields,
// groups, the page orientation and layout and (standard reports only) a look, then build
// the report's page, bands and text objects; the two empty wizards replace the report
// with one empty page. The New Items window lists and runs them from the wizard registry.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Forms.h"
#include "report/ReportServices.h"

class TButton;
class TCheckBox;
class TComboBox;
class TGroupBox;
class TImage;
class TLabel;
class TListBox;
class TPageControl;
class TPaintBox;
class TRadioButton;
class TScrollBox;
class TSpeedButton;
class TTabSheet;
class TfrxDataSet;
class TfrxReport;
class TfrxStyleSheet;
class TfrxStyles;

class TfrxStdWizard : public TfrxCustomWizard {
    ROVE_CLASS(TfrxStdWizard, TfrxCustomWizard)
public:
    explicit TfrxStdWizard(TComponent* AOwner) : TfrxCustomWizard(AOwner) {}
    std::string GetDescription() const override;
    bool Execute() override;
};

class TfrxDotMatrixWizard : public TfrxCustomWizard {
    ROVE_CLASS(TfrxDotMatrixWizard, TfrxCustomWizard)
public:
    explicit TfrxDotMatrixWizard(TComponent* AOwner) : TfrxCustomWizard(AOwner) {}
    std::string GetDescription() const override;
    bool Execute() override;
};

class TfrxStdEmptyWizard : public TfrxCustomWizard {
    ROVE_CLASS(TfrxStdEmptyWizard, TfrxCustomWizard)
public:
    explicit TfrxStdEmptyWizard(TComponent* AOwner) : TfrxCustomWizard(AOwner) {}
    std::string GetDescription() const override;
    bool Execute() override;
};

class TfrxDMPEmptyWizard : public TfrxCustomWizard {
    ROVE_CLASS(TfrxDMPEmptyWizard, TfrxCustomWizard)
public:
    explicit TfrxDMPEmptyWizard(TComponent* AOwner) : TfrxCustomWizard(AOwner) {}
    std::string GetDescription() const override;
    bool Execute() override;
};

// The text measures of a report wizard's columns (report pixels): per field the header
// width, the data width and the column width, as the page and the look give them.
struct TfrxWizardColumns {
    std::vector<double> Header, Data, Column;
};

class TfrxStdWizardForm : public TForm {
    ROVE_CLASS(TfrxStdWizardForm, TForm)
public:
    explicit TfrxStdWizardForm(TComponent* AOwner);
    ~TfrxStdWizardForm() override;

    TPageControl* Pages = nullptr;
    TTabSheet *DataTab = nullptr, *GroupsTab = nullptr, *LayoutTab = nullptr, *StyleTab = nullptr;
    TLabel *Step1L = nullptr, *Step2L = nullptr, *Step3L = nullptr, *Step4L = nullptr;
    TComboBox* DatasetsCB = nullptr;
    TListBox *FieldsLB = nullptr, *SelectedFieldsLB = nullptr;
    TLabel* SelectedFieldsL = nullptr;
    TButton *AddFieldB = nullptr, *AddAllFieldsB = nullptr, *RemoveFieldB = nullptr, *RemoveAllFieldsB = nullptr;
    TSpeedButton *FieldUpB = nullptr, *FieldDownB = nullptr;
    TLabel *AvailableFieldsL = nullptr, *GroupsL = nullptr;
    TListBox *AvailableFieldsLB = nullptr, *GroupsLB = nullptr;
    TButton *AddGroupB = nullptr, *RemoveGroupB = nullptr;
    TSpeedButton *GroupUpB = nullptr, *GroupDownB = nullptr;
    TGroupBox *OrientationL = nullptr, *LayoutL = nullptr;
    TRadioButton *PortraitRB = nullptr, *LandscapeRB = nullptr, *TabularRB = nullptr, *ColumnarRB = nullptr;
    TImage *PortraitImg = nullptr, *LandscapeImg = nullptr;
    TCheckBox* FitWidthCB = nullptr;
    TListBox* StyleLB = nullptr;
    TScrollBox* StyleBox = nullptr;
    TPaintBox* PaintBox = nullptr;
    TButton *CancelB = nullptr, *BackB = nullptr, *NextB = nullptr, *FinishB = nullptr;

    TfrxCustomDesigner* Designer = nullptr;
    TfrxReport* Report = nullptr;
    bool DotMatrix = false;
    TfrxReport* SampleReport() const { return FSampleReport.get(); }
    TfrxStyleSheet* StyleSheet() const { return FStyleSheet.get(); }

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void DatasetsCBClick(TObject* Sender);
    void AddFieldBClick(TObject* Sender);
    void AddAllFieldsBClick(TObject* Sender);
    void RemoveFieldBClick(TObject* Sender);
    void RemoveAllFieldsBClick(TObject* Sender);
    void FieldUpBClick(TObject* Sender);
    void FieldDownBClick(TObject* Sender);
    void AddGroupBClick(TObject* Sender);
    void RemoveGroupBClick(TObject* Sender);
    void GroupUpBClick(TObject* Sender);
    void GroupDownBClick(TObject* Sender);
    void PortraitRBClick(TObject* Sender);
    void StyleLBClick(TObject* Sender);
    void PaintBoxPaint(TObject* Sender);
    void BackBClick(TObject* Sender);
    void NextBClick(TObject* Sender);
    void PagesChange(TObject* Sender);
    void FinishBClick(TObject* Sender);
    static void DeclareProperties(TPropertyDecl<TfrxStdWizardForm>& d);

    // The dataset chosen, nullptr when none.
    TfrxDataSet* DataSet() const;
    // The look chosen (standard reports), nullptr when none.
    TfrxStyles* ChosenStyle() const;
    // The measures of the columns of Fields on a printable width W.
    TfrxWizardColumns CalcColumnWidths(const std::vector<std::string>& Fields, double W) const;
    // Builds the report from the choices (what Finish does before the window closes).
    void GenerateReport();

protected:
    void BindFields() override;

private:
    void FillDatasets();
    void FillFields();
    void SyncGroupFields();
    std::unique_ptr<TfrxReport> FSampleReport;
    std::unique_ptr<TfrxStyleSheet> FStyleSheet;
};

// The four wizards into the report engine's wizard registry with their pictures (once).
void frxRegisterWizards();
// The 22 x 22 picture of the wizards that ask ("frxSTDWIZARD") and of the empty ones
// ("frxSTDWIZARD1"); false for any other name.
bool frxLoadWizardBitmap(const std::string& Name, TBitmap& Bitmap);
