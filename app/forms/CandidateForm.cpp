#include "app/forms/CandidateForm.h"

#include "app/charging/ReceiptRules.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/StdCtrls.h"

#include <memory>

ROVE_IMPLEMENT_CLASS(Tbrzlhxform)

Tbrzlhxform::Tbrzlhxform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Tbrzlhxform::~Tbrzlhxform() = default;

void Tbrzlhxform::BindFields() {
    Bind(DBGrid1, "DBGrid1");
    Bind(DBGrid2, "DBGrid2");
    Bind(DBGrid3, "DBGrid3");
}

void Tbrzlhxform::ShowGrid(int Grid) {
    DBGrid1->SetVisible(Grid == 1);
    DBGrid2->SetVisible(Grid == 2);
    DBGrid3->SetVisible(Grid == 3);
}

// The keys go to the visible grid at once.
void Tbrzlhxform::FormShow(TObject*) {
    for (TDBGrid* grid : {DBGrid1, DBGrid2, DBGrid3})
        if (grid->Visible()) grid->SetFocus();
}

void Tbrzlhxform::DBGridKeyPress(TObject*, char32_t& Key) {
    if (Key == kKeyEnter) SetModalResult(mrOk);
    else if (Key == kKeyEscape) SetModalResult(mrCancel);
}

void Tbrzlhxform::DBGridDblClick(TObject*) { SetModalResult(mrOk); }

void Tbrzlhxform::DeclareProperties(TPropertyDecl<Tbrzlhxform>& d) {
    d.Method("FormShow", &Tbrzlhxform::FormShow);
    d.Method("DBGridKeyPress", &Tbrzlhxform::DBGridKeyPress);
    d.Method("DBGridDblClick", &Tbrzlhxform::DBGridDblClick);
}

bool PickCandidateUnder(TComponent* Owner, TEdit* Field, int Grid) {
    std::unique_ptr<Tbrzlhxform> candidates(new Tbrzlhxform(Owner));
    candidates->SetBorderStyle(bsNone);
    const TPoint at = Field->ClientToScreen(TPoint{-2, Field->Height()});
    candidates->SetLeft(at.X);
    candidates->SetTop(at.Y);
    candidates->ShowGrid(Grid);
    return candidates->ShowModal() == mrOk;
}
