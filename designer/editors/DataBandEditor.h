// The data band dialog: what a data band iterates, one of the report's datasets, nothing
// ("[未赋值]", no rows) or a single pass without data ("单行").
#pragma once

#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

class TButton;
class TCanvas;
class TListBox;
class TfrxCustomDesigner;
class TfrxDataBand;

class TfrxDataBandEditorForm : public TForm {
    ROVE_CLASS(TfrxDataBandEditorForm, TForm)
public:
    explicit TfrxDataBandEditorForm(TComponent* AOwner);

    TListBox* DatasetsLB = nullptr;
    TButton* OkB = nullptr;
    TButton* CancelB = nullptr;

    // The band edited; set before showing, not owned.
    TfrxDataBand* DataBand = nullptr;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormHide(TObject* Sender);
    void DatasetsLBDblClick(TObject* Sender);
    void DatasetsLBDrawItem(TWinControl* Control, int Index, TRect ARect, TOwnerDrawState State);
    static void DeclareProperties(TPropertyDecl<TfrxDataBandEditorForm>& d);

protected:
    void BindFields() override;
};

// An entry of the list: entries from index 2 (datasets) carry the dataset icon in an
// 18 x 16 box 2 pixels from the left; every text stands at x + 20, y + 1.
void frxDrawDataBandEntry(TCanvas& Canvas, const TRect& ARect, int Index, const std::string& Text);

// Shows the dialog for Band; true (the band changed) on OK.
bool frxShowDataBandEditor(TfrxDataBand* Band, TfrxCustomDesigner* Designer);
