// The find dialog.
#include "preview/SearchDialog.h"

#include <memory>

#include "platform/classes/Streaming.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxSearchDialog)

namespace {

const char* const kSearchDialogText = R"(object frxSearchDialog: TfrxSearchDialog
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Find text'
  ClientHeight = 176
  ClientWidth = 265
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 12
  OnCreate = FormCreate
  OnShow = FormShow
  OnHide = FormHide
  object Panel2: TPanel
    Left = 0
    Top = 0
    Width = 265
    Height = 48
    Align = alTop
    BevelOuter = bvNone
    TabOrder = 0
    object TextL: TLabel
      Left = 8
      Top = 6
      Width = 120
      Height = 12
      Caption = 'Text to find'
      FocusControl = TextE
    end
    object TextE: TEdit
      Left = 8
      Top = 22
      Width = 249
      Height = 20
      TabOrder = 0
    end
  end
  object ReplacePanel: TPanel
    Left = 0
    Top = 48
    Width = 265
    Height = 44
    Align = alTop
    BevelOuter = bvNone
    TabOrder = 1
    Visible = False
    object ReplaceL: TLabel
      Left = 8
      Top = 2
      Width = 120
      Height = 12
      Caption = 'Replace with'
      FocusControl = ReplaceE
    end
    object ReplaceE: TEdit
      Left = 8
      Top = 18
      Width = 249
      Height = 20
      TabOrder = 0
    end
  end
  object Panel3: TPanel
    Left = 0
    Top = 92
    Width = 265
    Height = 84
    Align = alTop
    BevelOuter = bvNone
    TabOrder = 2
    object SearchL: TGroupBox
      Left = 8
      Top = 2
      Width = 249
      Height = 44
      Caption = 'Search options'
      TabOrder = 0
      object TopCB: TCheckBox
        Left = 8
        Top = 18
        Width = 113
        Height = 17
        Caption = 'Search from top'
        TabOrder = 0
      end
      object CaseCB: TCheckBox
        Left = 128
        Top = 18
        Width = 113
        Height = 17
        Caption = 'Case sensitive'
        TabOrder = 1
      end
    end
    object OkB: TButton
      Left = 102
      Top = 52
      Width = 75
      Height = 25
      Caption = 'OK'
      Default = True
      ModalResult = 1
      TabOrder = 1
    end
    object CancelB: TButton
      Left = 182
      Top = 52
      Width = 75
      Height = 25
      Cancel = True
      Caption = 'Cancel'
      ModalResult = 2
      TabOrder = 2
    end
  end
end
)";

void RegisterSearchDialog() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterFormResource("TfrxSearchDialog", kSearchDialogText, "SearchDialog.dfm");
        return true;
    }();
    (void)done;
}

}  // namespace

std::string& frxLastSearchText() {
    static std::string text;
    return text;
}

TfrxSearchDialog::TfrxSearchDialog(TComponent* AOwner) : TForm(AOwner) {
    RegisterSearchDialog();
    InitForm();
}

void TfrxSearchDialog::DeclareProperties(TPropertyDecl<TfrxSearchDialog>& d) {
    d.Method("FormCreate", &TfrxSearchDialog::FormCreate);
    d.Method("FormShow", &TfrxSearchDialog::FormShow);
    d.Method("FormHide", &TfrxSearchDialog::FormHide);
}

void TfrxSearchDialog::BindFields() {
    Bind(Panel2, "Panel2");
    Bind(TextL, "TextL");
    Bind(TextE, "TextE");
    Bind(ReplacePanel, "ReplacePanel");
    Bind(ReplaceL, "ReplaceL");
    Bind(ReplaceE, "ReplaceE");
    Bind(Panel3, "Panel3");
    Bind(SearchL, "SearchL");
    Bind(TopCB, "TopCB");
    Bind(CaseCB, "CaseCB");
    Bind(OkB, "OkB");
    Bind(CancelB, "CancelB");
}

void TfrxSearchDialog::FormCreate(TObject*) { frxResources().LocalizeForm(this); }

void TfrxSearchDialog::FormShow(TObject*) {
    // The window fits the rows it shows.
    int h = Panel2->Height() + Panel3->Height();
    if (ReplacePanel->Visible()) h += ReplacePanel->Height();
    SetClientHeight(h);
    TextE->SetText(frxLastSearchText());
    SetActiveControl(TextE);
    TextE->SelectAll();
}

void TfrxSearchDialog::FormHide(TObject*) {
    if (ModalResult() == mrOk) frxLastSearchText() = TextE->Text();
}

bool frxShowSearchDialog(TfrxSearchOptions& Options, TComponent* Owner) {
    auto form = std::make_unique<TfrxSearchDialog>(Owner);
    form->ReplacePanel->SetVisible(Options.ShowReplace);
    form->TopCB->SetChecked(Options.FromTop);
    form->CaseCB->SetChecked(Options.MatchCase);
    form->TopCB->SetEnabled(Options.FromTopEnabled);
    if (form->ShowModal() != mrOk) return false;
    Options.Text = form->TextE->Text();
    Options.ReplaceText = form->ReplaceE->Text();
    Options.FromTop = form->TopCB->Checked();
    Options.MatchCase = form->CaseCB->Checked();
    return true;
}
