// The system text dialog.
#include "designer/editors/SysMemoEditor.h"

#include <memory>

#include "designer/FormResources.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/Graphics.h"
#include "platform/ui/StdCtrls.h"
#include "preview/FlatCombo.h"
#include "report/Bands.h"
#include "report/DataSet.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/ReportServices.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxSysMemoEditorForm)

namespace {

void RegisterSysMemoEditorForm() {
    static const bool done = [] {
        RegisterUiClasses();
        frxRegisterFlatCombos();
        RegisterDesignerFormResources();
        return true;
    }();
    (void)done;
}

const char* const kSysVariableKeys[] = {"vt1", "vt2", "vt3", "vt4", "vt5", "vt6"};

}  // namespace

std::string frxWithoutTrailingLineBreak(const std::string& Text) {
    if (Text.ends_with("\r\n")) return Text.substr(0, Text.size() - 2);
    if (Text.ends_with("\n")) return Text.substr(0, Text.size() - 1);
    return Text;
}

TfrxSysMemoEditorForm::TfrxSysMemoEditorForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterSysMemoEditorForm();
    InitForm();
}

void TfrxSysMemoEditorForm::DeclareProperties(TPropertyDecl<TfrxSysMemoEditorForm>& d) {
    d.Method("FormCreate", &TfrxSysMemoEditorForm::FormCreate);
    d.Method("FormShow", &TfrxSysMemoEditorForm::FormShow);
    d.Method("FormHide", &TfrxSysMemoEditorForm::FormHide);
    d.Method("DataBandCBChange", &TfrxSysMemoEditorForm::DataBandCBChange);
    d.Method("DataSetCBChange", &TfrxSysMemoEditorForm::DataSetCBChange);
    d.Method("DataFieldCBChange", &TfrxSysMemoEditorForm::DataFieldCBChange);
    d.Method("ExpressionEButtonClick", &TfrxSysMemoEditorForm::ExpressionEButtonClick);
    d.Method("AggregateChange", &TfrxSysMemoEditorForm::AggregateChange);
}

void TfrxSysMemoEditorForm::BindFields() {
    Bind(AggregateRB, "AggregateRB");
    Bind(AggregatePanel, "AggregatePanel");
    Bind(DataBandL, "DataBandL");
    Bind(DataBandCB, "DataBandCB");
    Bind(DataSetL, "DataSetL");
    Bind(DataSetCB, "DataSetCB");
    Bind(DataFieldL, "DataFieldL");
    Bind(DataFieldCB, "DataFieldCB");
    Bind(FunctionL, "FunctionL");
    Bind(FunctionCB, "FunctionCB");
    Bind(ExpressionL, "ExpressionL");
    Bind(ExpressionE, "ExpressionE");
    Bind(CountInvisibleCB, "CountInvisibleCB");
    Bind(RunningTotalCB, "RunningTotalCB");
    Bind(SysVariableRB, "SysVariableRB");
    Bind(GroupBox1, "GroupBox1");
    Bind(SysVariableCB, "SysVariableCB");
    Bind(TextRB, "TextRB");
    Bind(GroupBox2, "GroupBox2");
    Bind(TextE, "TextE");
    Bind(OKB, "OKB");
    Bind(CancelB, "CancelB");
}

TfrxCustomDesigner* TfrxSysMemoEditorForm::Designer() const { return dynamic_cast<TfrxCustomDesigner*>(Owner()); }

void TfrxSysMemoEditorForm::FormCreate(TObject*) {
    frxResources().LocalizeForm(this);
    for (const char* key : kSysVariableKeys) SysVariableCB->Items()->Add(frxResources().Get(key));
}

void TfrxSysMemoEditorForm::FormShow(TObject*) {
    TfrxCustomDesigner* designer = Designer();
    FReport = designer ? designer->Report() : nullptr;
    // Each radio button as wide as its caption needs.
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(*Font());
    for (TRadioButton* rb : {AggregateRB, SysVariableRB, TextRB})
        rb->SetWidth(measure.Canvas()->TextWidth(rb->Text()) + 24);

    DataBandCB->Items()->Clear();
    if (designer)
        for (TfrxComponent* c : designer->Objects())
            if (auto* band = dynamic_cast<TfrxDataBand*>(c)) DataBandCB->Items()->AddObject(band->Name(), band);
    DataSetCB->Items()->Clear();
    if (FReport) FReport->GetDataSetList(DataSetCB->Items(), true);
    if (FunctionCB->ItemIndex() < 0) FunctionCB->SetItemIndex(0);

    Text = frxWithoutTrailingLineBreak(Text);
    if (AggregateOnly) {
        SetText(frxResources().Get("agAggregate"));
        AggregateRB->SetChecked(true);
        for (TControl* c : std::initializer_list<TControl*>{AggregateRB, SysVariableRB, TextRB, SysVariableCB, TextE,
                                                            GroupBox1, GroupBox2})
            c->SetVisible(false);
        AggregatePanel->SetTop(4);
        const int top = AggregatePanel->Height() + 18;
        OKB->SetTop(top);
        CancelB->SetTop(top);
        SetClientHeight(top + 33);
    } else if (Text.empty() || SysVariableCB->Items()->IndexOf(Text) >= 0) {
        SysVariableRB->SetChecked(true);
        SysVariableCB->SetText(Text);
    } else {
        TextRB->SetChecked(true);
        TextE->SetText(Text);
        SetActiveControl(TextE);
    }
    AggregateChange(nullptr);
}

void TfrxSysMemoEditorForm::DataBandCBChange(TObject*) {
    TfrxPage* page = Designer() ? Designer()->Page() : nullptr;
    auto* band = page ? dynamic_cast<TfrxDataBand*>(page->FindObject(DataBandCB->Text())) : nullptr;
    if (band && band->DataSet() && !dynamic_cast<TfrxUserDataSet*>(band->DataSet()) && FReport) {
        DataSetCB->SetItemIndex(DataSetCB->Items()->IndexOf(FReport->GetAlias(band->DataSet())));
        DataSetCBChange(nullptr);
    }
    AggregateChange(nullptr);
}

void TfrxSysMemoEditorForm::DataSetCBChange(TObject*) {
    DataFieldCB->Items()->Clear();
    if (TfrxDataSet* ds = FReport ? FReport->GetDataset(DataSetCB->Text()) : nullptr)
        ds->GetFieldList(DataFieldCB->Items());
    ExpressionE->SetText("");
    AggregateChange(nullptr);
}

void TfrxSysMemoEditorForm::DataFieldCBChange(TObject*) {
    ExpressionE->SetText("");
    AggregateChange(nullptr);
}

void TfrxSysMemoEditorForm::ExpressionEButtonClick(TObject*) {
    TfrxCustomDesigner* designer = Designer();
    if (!designer) return;
    const std::string expr = designer->InsertExpression(ExpressionE->Text());
    if (!expr.empty()) ExpressionE->SetText(expr);
}

bool TfrxSysMemoEditorForm::AggregateComplete() const {
    if (FunctionCB->Text() == "COUNT") return !DataBandCB->Text().empty();
    return !ExpressionE->Text().empty() || (!DataSetCB->Text().empty() && !DataFieldCB->Text().empty());
}

void TfrxSysMemoEditorForm::AggregateChange(TObject*) {
    OKB->SetEnabled(!AggregateRB->Checked() || AggregateComplete());
}

std::string TfrxSysMemoEditorForm::AggregateText() const {
    const std::string f = FunctionCB->Text();
    int flags = 0;
    if (CountInvisibleCB->Checked()) flags += 1;
    if (RunningTotalCB->Checked()) flags += 2;
    const std::string band = DataBandCB->Text();
    std::string s = f + "(";
    if (f == "COUNT") {
        s += band;
        if (flags != 0) s += "," + std::to_string(flags);
    } else {
        if (!ExpressionE->Text().empty())
            s += ExpressionE->Text();
        else
            s += "<" + DataSetCB->Text() + ".\"" + DataFieldCB->Text() + "\">";
        if (!band.empty()) {
            s += "," + band;
            if (flags != 0) s += "," + std::to_string(flags);
        }
    }
    return "[" + s + ")]";
}

void TfrxSysMemoEditorForm::FormHide(TObject*) {
    if (ModalResult() != mrOk) return;
    if (SysVariableRB->Checked())
        Text = SysVariableCB->Text();
    else if (TextRB->Checked())
        Text = TextE->Text();
    else
        Text = AggregateText();
}

bool frxShowSysMemoEditor(TfrxCustomDesigner* Designer, std::string& Text, bool AggregateOnly) {
    auto form = std::make_unique<TfrxSysMemoEditorForm>(Designer);
    form->AggregateOnly = AggregateOnly;
    form->Text = Text;
    if (form->ShowModal() != mrOk) return false;
    Text = form->Text;
    return true;
}
