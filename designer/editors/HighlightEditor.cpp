// The highlight dialog.
#include "designer/editors/HighlightEditor.h"

#include "platform/classes/Streaming.h"
#include "platform/graphics/Graphics.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/StdCtrls.h"
#include "preview/FlatCombo.h"
#include "report/MemoView.h"
#include "report/ReportServices.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxHighlightEditorForm)

namespace {

const char* const kHighlightEditorText = R"(object frxHighlightEditorForm: TfrxHighlightEditorForm
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Highlight'
  ClientHeight = 213
  ClientWidth = 273
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
  OnShow = FormShow
  OnHide = FormHide
  object ConditionL: TGroupBox
    Left = 4
    Top = 4
    Width = 265
    Height = 49
    Caption = 'Condition'
    TabOrder = 0
    object ConditionE: TfrxComboEdit
      Left = 8
      Top = 18
      Width = 249
      Height = 21
      TabOrder = 0
      OnButtonClick = ConditionEButtonClick
    end
  end
  object FontGB: TGroupBox
    Left = 4
    Top = 58
    Width = 129
    Height = 117
    Caption = 'Font'
    TabOrder = 1
    object FontColorB: TSpeedButton
      Left = 8
      Top = 18
      Width = 113
      Height = 22
      Caption = 'Color...'
      OnClick = FontColorBClick
    end
    object BoldCB: TCheckBox
      Left = 8
      Top = 46
      Width = 113
      Height = 17
      Caption = 'Bold'
      TabOrder = 0
    end
    object ItalicCB: TCheckBox
      Left = 8
      Top = 68
      Width = 113
      Height = 17
      Caption = 'Italic'
      TabOrder = 1
    end
    object UnderlineCB: TCheckBox
      Left = 8
      Top = 90
      Width = 113
      Height = 17
      Caption = 'Underline'
      TabOrder = 2
    end
  end
  object BackgroundGB: TGroupBox
    Left = 140
    Top = 58
    Width = 129
    Height = 117
    Caption = 'Background'
    TabOrder = 2
    object BackColorB: TSpeedButton
      Left = 8
      Top = 18
      Width = 113
      Height = 22
      Caption = 'Color...'
      OnClick = BackColorBClick
    end
    object TransparentRB: TRadioButton
      Left = 8
      Top = 50
      Width = 113
      Height = 17
      Caption = 'Transparent'
      Checked = True
      TabOrder = 0
      TabStop = True
      OnClick = TransparentRBClick
    end
    object OtherRB: TRadioButton
      Left = 8
      Top = 72
      Width = 113
      Height = 17
      Caption = 'Other'
      TabOrder = 1
      OnClick = TransparentRBClick
    end
  end
  object OKB: TButton
    Left = 112
    Top = 183
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 3
  end
  object CancelB: TButton
    Left = 194
    Top = 183
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 4
  end
  object ColorDialog1: TColorDialog
  end
end
)";

void RegisterHighlightEditorForm() {
    static const bool done = [] {
        RegisterUiClasses();
        frxRegisterFlatCombos();
        RegisterFormResource("TfrxHighlightEditorForm", kHighlightEditorText, "HighlightEditor.dfm");
        return true;
    }();
    (void)done;
}

// The colour dialog, starting at Color; true with the chosen colour in Color.
bool PickColor(TColorDialog* Dialog, TColor& Color) {
    Dialog->SetColor(Color == clNone ? clWhite : Color);
    if (!Dialog->Execute()) return false;
    Color = Dialog->Color();
    return true;
}

}  // namespace

std::unique_ptr<TBitmap> frxColorSwatch(TColor Color) {
    auto bmp = std::make_unique<TBitmap>(14, 15);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(TRect{0, 0, 14, 15});
    c->Pen()->SetColor(static_cast<TColor>(0x808080));
    if (Color == clNone) {
        c->Brush()->SetStyle(bsClear);
    } else {
        c->Brush()->SetColor(Color);
    }
    c->Rectangle(0, 0, 14, 14);
    c->Brush()->SetStyle(bsSolid);
    return bmp;
}

TfrxHighlightEditorForm::TfrxHighlightEditorForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterHighlightEditorForm();
    InitForm();
}

void TfrxHighlightEditorForm::DeclareProperties(TPropertyDecl<TfrxHighlightEditorForm>& d) {
    d.Method("FormCreate", &TfrxHighlightEditorForm::FormCreate);
    d.Method("FormShow", &TfrxHighlightEditorForm::FormShow);
    d.Method("FormHide", &TfrxHighlightEditorForm::FormHide);
    d.Method("FontColorBClick", &TfrxHighlightEditorForm::FontColorBClick);
    d.Method("BackColorBClick", &TfrxHighlightEditorForm::BackColorBClick);
    d.Method("TransparentRBClick", &TfrxHighlightEditorForm::TransparentRBClick);
    d.Method("ConditionEButtonClick", &TfrxHighlightEditorForm::ConditionEButtonClick);
}

void TfrxHighlightEditorForm::BindFields() {
    Bind(ConditionL, "ConditionL");
    Bind(ConditionE, "ConditionE");
    Bind(FontGB, "FontGB");
    Bind(FontColorB, "FontColorB");
    Bind(BoldCB, "BoldCB");
    Bind(ItalicCB, "ItalicCB");
    Bind(UnderlineCB, "UnderlineCB");
    Bind(BackgroundGB, "BackgroundGB");
    Bind(BackColorB, "BackColorB");
    Bind(TransparentRB, "TransparentRB");
    Bind(OtherRB, "OtherRB");
    Bind(OKB, "OKB");
    Bind(CancelB, "CancelB");
    Bind(ColorDialog1, "ColorDialog1");
}

void TfrxHighlightEditorForm::FormCreate(TObject*) { frxResources().LocalizeForm(this); }

void TfrxHighlightEditorForm::FormShow(TObject*) {
    if (!MemoView) return;
    FHighlight = MemoView->Highlight();
    FBackColor = FHighlight->Color;
    FFontColor = FHighlight->Font()->Color();
    ConditionE->SetText(FHighlight->Condition);
    const TFontStyles style = FHighlight->Font()->Style();
    BoldCB->SetChecked(style.Contains(fsBold));
    ItalicCB->SetChecked(style.Contains(fsItalic));
    UnderlineCB->SetChecked(style.Contains(fsUnderline));
    FontColorB->SetGlyph(frxColorSwatch(FFontColor).get());
    if (FBackColor != clNone)
        OtherRB->SetChecked(true);
    else
        TransparentRB->SetChecked(true);
    BackColorB->SetGlyph(frxColorSwatch(FBackColor).get());
    TransparentRBClick(nullptr);
}

void TfrxHighlightEditorForm::FontColorBClick(TObject*) {
    if (!PickColor(ColorDialog1, FFontColor)) return;
    FontColorB->SetGlyph(frxColorSwatch(FFontColor).get());
}

void TfrxHighlightEditorForm::BackColorBClick(TObject*) {
    if (!PickColor(ColorDialog1, FBackColor)) return;
    BackColorB->SetGlyph(frxColorSwatch(FBackColor).get());
}

void TfrxHighlightEditorForm::TransparentRBClick(TObject*) {
    BackColorB->SetEnabled(OtherRB->Checked());
    if (TransparentRB->Checked()) {
        FBackColor = clNone;
        BackColorB->SetGlyph(frxColorSwatch(FBackColor).get());
    }
}

void TfrxHighlightEditorForm::ConditionEButtonClick(TObject*) {
    auto* designer = dynamic_cast<TfrxCustomDesigner*>(Owner());
    if (!designer) return;
    const std::string expr = designer->InsertExpression(ConditionE->Text());
    if (!expr.empty()) ConditionE->SetText(expr);
}

void TfrxHighlightEditorForm::FormHide(TObject*) {
    if (ModalResult() != mrOk || !FHighlight || !MemoView) return;
    FHighlight->Condition = ConditionE->Text();
    TFont font;
    font.Assign(*MemoView->Font());
    TFontStyles style;
    if (BoldCB->Checked()) style.Include(fsBold);
    if (ItalicCB->Checked()) style.Include(fsItalic);
    if (UnderlineCB->Checked()) style.Include(fsUnderline);
    font.SetStyle(style);
    font.SetColor(FFontColor);
    FHighlight->SetFont(&font);
    FHighlight->Color = FBackColor;
}

bool frxShowHighlightEditor(TfrxCustomMemoView* Memo, TfrxCustomDesigner* Designer) {
    if (!Memo) return false;
    auto form = std::make_unique<TfrxHighlightEditorForm>(Designer);
    form->MemoView = Memo;
    return form->ShowModal() == mrOk;
}
