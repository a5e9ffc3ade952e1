// The highlight dialog.
#include "designer/editors/HighlightEditor.h"

#include "designer/FormResources.h"
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

void RegisterHighlightEditorForm() {
    static const bool done = [] {
        RegisterUiClasses();
        frxRegisterFlatCombos();
        RegisterDesignerFormResources();
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
