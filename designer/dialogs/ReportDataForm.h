// The report data dialog: which of the datasets the program offers the report uses. The
// ticked ones, in the list's order, become the report's dataset list, which the data
// tree, the dataset rows of the inspector and the layout engine work with.
#pragma once

#include "platform/ui/Forms.h"

class TButton;
class TCheckListBox;
class TfrxReport;

class TfrxReportDataForm : public TForm {
    ROVE_CLASS(TfrxReportDataForm, TForm)
public:
    explicit TfrxReportDataForm(TComponent* AOwner);

    TCheckListBox* DatasetsLB = nullptr;
    TButton* OKB = nullptr;
    TButton* CancelB = nullptr;

    // Set by the caller before showing; not owned.
    TfrxReport* Report = nullptr;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormHide(TObject* Sender);
    static void DeclareProperties(TPropertyDecl<TfrxReportDataForm>& d);

protected:
    void BindFields() override;
};

// Shows the dialog (owned by Owner) for Report; true when it was closed with OK, the
// report's datasets then being the ticked ones.
bool frxShowReportDataForm(TfrxReport* Report, TComponent* Owner = nullptr);
