// The lines window.
#include "designer/editors/StringsEditor.h"

#include <memory>

#include "platform/classes/Streaming.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/StdCtrls.h"
#include "report/Images.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxStringsEditorForm)

namespace {

const char* const kStringsEditorText = R"(object frxStringsEditorForm: TfrxStringsEditorForm
  Left = 200
  Top = 150
  Width = 432
  Height = 226
  Caption = 'Lines'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  ShowHint = True
  PixelsPerInch = 96
  TextHeight = 13
  OnCreate = FormCreate
  object ToolBar: TToolBar
    Left = 0
    Top = 0
    Width = 424
    Height = 26
    Align = alTop
    Flat = True
    TabOrder = 0
    object CancelB: TToolButton
      Left = 0
      Top = 0
      Hint = 'Cancel'
      ImageIndex = 55
      OnClick = CancelBClick
    end
    object OkB: TToolButton
      Left = 23
      Top = 0
      Hint = 'OK'
      ImageIndex = 56
      OnClick = OkBClick
    end
  end
  object Memo: TMemo
    Left = 0
    Top = 26
    Width = 424
    Height = 173
    Align = alClient
    ScrollBars = ssBoth
    TabOrder = 1
    WordWrap = False
    OnKeyDown = MemoKeyDown
  end
end
)";

void RegisterStringsEditorForm() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterFormResource("TfrxStringsEditorForm", kStringsEditorText, "StringsEditor.dfm");
        return true;
    }();
    (void)done;
}

}  // namespace

TfrxStringsEditorForm::TfrxStringsEditorForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterStringsEditorForm();
    InitForm();
}

void TfrxStringsEditorForm::DeclareProperties(TPropertyDecl<TfrxStringsEditorForm>& d) {
    d.Method("FormCreate", &TfrxStringsEditorForm::FormCreate);
    d.Method("OkBClick", &TfrxStringsEditorForm::OkBClick);
    d.Method("CancelBClick", &TfrxStringsEditorForm::CancelBClick);
    d.Method("MemoKeyDown", &TfrxStringsEditorForm::MemoKeyDown);
}

void TfrxStringsEditorForm::BindFields() {
    Bind(ToolBar, "ToolBar");
    Bind(CancelB, "CancelB");
    Bind(OkB, "OkB");
    Bind(Memo, "Memo");
}

void TfrxStringsEditorForm::FormCreate(TObject*) {
    ToolBar->SetImages(frxResources().MainButtonImages());
    frxResources().LocalizeForm(this);
}

void TfrxStringsEditorForm::OkBClick(TObject*) { SetModalResult(mrOk); }
void TfrxStringsEditorForm::CancelBClick(TObject*) { SetModalResult(mrCancel); }

void TfrxStringsEditorForm::MemoKeyDown(TObject*, uint16_t& Key, TShiftState Shift) {
    if (Key == VK_RETURN && (Shift & ssCtrl)) {
        Key = 0;
        SetModalResult(mrOk);
    } else if (Key == VK_ESCAPE) {
        Key = 0;
        SetModalResult(mrCancel);
    }
}

bool frxShowStringsEditor(TStrings* Lines, TComponent* Owner) {
    if (!Lines) return false;
    auto form = std::make_unique<TfrxStringsEditorForm>(Owner);
    form->Memo->Lines()->Assign(*Lines);
    if (form->ShowModal() != mrOk) return false;
    Lines->Assign(*form->Memo->Lines());
    return true;
}
