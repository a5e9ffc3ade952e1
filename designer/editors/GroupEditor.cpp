// The group dialog.
#include "designer/editors/GroupEditor.h"

#include <memory>

#include "platform/classes/Streaming.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/StdCtrls.h"
#include "preview/FlatCombo.h"
#include "report/Bands.h"
#include "report/DataSet.h"
#include "report/Report.h"
#include "report/ReportServices.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxGroupEditorForm)

namespace {

const char* const kGroupEditorText = R"(object frxGroupEditorForm: TfrxGroupEditorForm
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Group'
  ClientHeight = 257
  ClientWidth = 285
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  OnCreate = FormCreate
  OnShow = FormShow
  OnHide = FormHide
  object BreakOnL: TGroupBox
    Left = 4
    Top = 4
    Width = 277
    Height = 133
    Caption = 'Break on'
    TabOrder = 0
    object DataFieldRB: TRadioButton
      Left = 8
      Top = 20
      Width = 200
      Height = 17
      Caption = 'Data field'
      Checked = True
      TabOrder = 0
      TabStop = True
      OnClick = DataFieldRBClick
    end
    object DataSetCB: TComboBox
      Left = 24
      Top = 40
      Width = 117
      Height = 21
      DropDownCount = 12
      TabOrder = 1
      OnChange = DataSetCBChange
    end
    object DataFieldCB: TComboBox
      Left = 148
      Top = 40
      Width = 117
      Height = 21
      DropDownCount = 12
      TabOrder = 2
    end
    object ExpressionRB: TRadioButton
      Left = 8
      Top = 72
      Width = 200
      Height = 17
      Caption = 'Expression'
      TabOrder = 3
      OnClick = DataFieldRBClick
    end
    object ExpressionE: TfrxComboEdit
      Left = 24
      Top = 94
      Width = 241
      Height = 21
      TabOrder = 4
      OnButtonClick = ExpressionEButtonClick
    end
  end
  object OptionsL: TGroupBox
    Left = 4
    Top = 142
    Width = 277
    Height = 79
    Caption = 'Options'
    TabOrder = 1
    object KeepGroupTogetherCB: TCheckBox
      Left = 8
      Top = 18
      Width = 260
      Height = 17
      Caption = 'Keep group together'
      TabOrder = 0
    end
    object StartNewPageCB: TCheckBox
      Left = 8
      Top = 36
      Width = 260
      Height = 17
      Caption = 'Start new page'
      TabOrder = 1
    end
    object OutlineCB: TCheckBox
      Left = 8
      Top = 54
      Width = 260
      Height = 17
      Caption = 'Show in outline'
      TabOrder = 2
    end
  end
  object OKB: TButton
    Left = 124
    Top = 227
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 2
  end
  object CancelB: TButton
    Left = 206
    Top = 227
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 3
  end
end
)";

void RegisterGroupEditorForm() {
    static const bool done = [] {
        RegisterUiClasses();
        frxRegisterFlatCombos();
        RegisterFormResource("TfrxGroupEditorForm", kGroupEditorText, "GroupEditor.dfm");
        return true;
    }();
    (void)done;
}

// The field names of the report dataset with this alias; empty when there is none.
void FillFields(TfrxReport* Report, const std::string& Alias, TStringList* List) {
    List->Clear();
    TfrxDataSet* ds = Report ? Report->GetDataset(Alias) : nullptr;
    if (ds) ds->GetFieldList(List);
}

}  // namespace

TfrxGroupEditorForm::TfrxGroupEditorForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterGroupEditorForm();
    InitForm();
}

void TfrxGroupEditorForm::DeclareProperties(TPropertyDecl<TfrxGroupEditorForm>& d) {
    d.Method("FormCreate", &TfrxGroupEditorForm::FormCreate);
    d.Method("FormShow", &TfrxGroupEditorForm::FormShow);
    d.Method("FormHide", &TfrxGroupEditorForm::FormHide);
    d.Method("DataSetCBChange", &TfrxGroupEditorForm::DataSetCBChange);
    d.Method("DataFieldRBClick", &TfrxGroupEditorForm::DataFieldRBClick);
    d.Method("ExpressionEButtonClick", &TfrxGroupEditorForm::ExpressionEButtonClick);
}

void TfrxGroupEditorForm::BindFields() {
    Bind(BreakOnL, "BreakOnL");
    Bind(DataFieldRB, "DataFieldRB");
    Bind(DataSetCB, "DataSetCB");
    Bind(DataFieldCB, "DataFieldCB");
    Bind(ExpressionRB, "ExpressionRB");
    Bind(ExpressionE, "ExpressionE");
    Bind(OptionsL, "OptionsL");
    Bind(KeepGroupTogetherCB, "KeepGroupTogetherCB");
    Bind(StartNewPageCB, "StartNewPageCB");
    Bind(OutlineCB, "OutlineCB");
    Bind(OKB, "OKB");
    Bind(CancelB, "CancelB");
}

TfrxCustomDesigner* TfrxGroupEditorForm::Designer() const { return dynamic_cast<TfrxCustomDesigner*>(Owner()); }

void TfrxGroupEditorForm::FormCreate(TObject*) { frxResources().LocalizeForm(this); }

void TfrxGroupEditorForm::FormShow(TObject*) {
    if (!GroupHeader) return;
    FReport = GroupHeader->Report();
    DataSetCB->Items()->Clear();
    if (FReport) FReport->GetDataSetList(DataSetCB->Items(), true);

    const std::string& condition = GroupHeader->Condition;
    TfrxDataSet* ds = nullptr;
    std::string field;
    if (FReport) FReport->GetDatasetAndField(condition, ds, field);
    if (condition.empty()) {
        if (DataSetCB->Items()->Count() > 0) DataSetCB->SetItemIndex(0);
        FillFields(FReport, DataSetCB->Text(), DataFieldCB->Items());
    } else if (!ds || field.empty()) {
        ExpressionE->SetText(condition);
        ExpressionRB->SetChecked(true);
    } else {
        DataSetCB->SetText(FReport->GetAlias(ds));
        FillFields(FReport, DataSetCB->Text(), DataFieldCB->Items());
        DataFieldCB->SetText(field);
    }
    KeepGroupTogetherCB->SetChecked(GroupHeader->KeepTogether);
    StartNewPageCB->SetChecked(GroupHeader->StartNewPage);
    OutlineCB->SetChecked(!Trim(GroupHeader->OutlineText).empty());
}

void TfrxGroupEditorForm::DataSetCBChange(TObject*) {
    FillFields(FReport, DataSetCB->Text(), DataFieldCB->Items());
}

void TfrxGroupEditorForm::DataFieldRBClick(TObject*) {
    const bool byField = DataFieldRB->Checked();
    DataSetCB->SetEnabled(byField);
    DataFieldCB->SetEnabled(byField);
    ExpressionE->SetEnabled(ExpressionRB->Checked());
}

void TfrxGroupEditorForm::ExpressionEButtonClick(TObject*) {
    TfrxCustomDesigner* designer = Designer();
    if (!designer) return;
    const std::string expr = designer->InsertExpression(ExpressionE->Text());
    if (!expr.empty()) ExpressionE->SetText(expr);
}

void TfrxGroupEditorForm::FormHide(TObject*) {
    if (ModalResult() != mrOk || !GroupHeader) return;
    std::string condition;
    if (DataFieldRB->Checked()) {
        // A field box left empty means no condition, not the broken text Alias."".
        if (!DataFieldCB->Text().empty()) condition = DataSetCB->Text() + ".\"" + DataFieldCB->Text() + "\"";
    } else {
        condition = ExpressionE->Text();
    }
    GroupHeader->Condition = condition;
    GroupHeader->KeepTogether = KeepGroupTogetherCB->Checked();
    GroupHeader->StartNewPage = StartNewPageCB->Checked();
    GroupHeader->OutlineText = OutlineCB->Checked() ? condition : std::string();
}

bool frxShowGroupEditor(TfrxGroupHeader* Band, TfrxCustomDesigner* Designer) {
    if (!Band) return false;
    auto form = std::make_unique<TfrxGroupEditorForm>(Designer);
    form->GroupHeader = Band;
    return form->ShowModal() == mrOk;
}
