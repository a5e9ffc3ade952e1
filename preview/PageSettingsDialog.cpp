// The page settings dialog.
#include "preview/PageSettingsDialog.h"

#include <memory>

#include "platform/classes/Streaming.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/graphics/Graphics.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "preview/FormResources.h"
#include "report/Pages.h"
#include "report/Printer.h"
#include "report/Resources.h"
#include "report/Utils.h"

ROVE_IMPLEMENT_CLASS(TfrxPageSettingsForm)

namespace {

void RegisterPageSettingsForm() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterPreviewFormResources();
        return true;
    }();
    (void)done;
}

int NumberOf(TObject* o) { return static_cast<int>(reinterpret_cast<intptr_t>(o)); }

// The text of a paper entry: its name, or for a paper the printer gives no name (the
// virtual printer's table) its size in millimetres, so the entries can be told apart.
std::string PaperText(const std::string& Name, int Number) {
    if (!Name.empty()) return Name;
    int w = 0, h = 0;
    if (!frxGetPaperDimensions(Number, w, h)) return IntToStr(Number);
    return frxFloatToStr(w / 10.0) + " x " + frxFloatToStr(h / 10.0) + " mm";
}

}  // namespace

TfrxPageSettingsForm::TfrxPageSettingsForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterPageSettingsForm();
    InitForm();
}

void TfrxPageSettingsForm::DeclareProperties(TPropertyDecl<TfrxPageSettingsForm>& d) {
    d.Method("FormCreate", &TfrxPageSettingsForm::FormCreate);
    d.Method("FormShow", &TfrxPageSettingsForm::FormShow);
    d.Method("FormHide", &TfrxPageSettingsForm::FormHide);
    d.Method("FormCloseQuery", &TfrxPageSettingsForm::FormCloseQuery);
    d.Method("SizeCBClick", &TfrxPageSettingsForm::SizeCBClick);
    d.Method("PortraitRBClick", &TfrxPageSettingsForm::PortraitRBClick);
    d.Method("WidthEChange", &TfrxPageSettingsForm::WidthEChange);
}

void TfrxPageSettingsForm::BindFields() {
    Bind(SizeL, "SizeL");
    Bind(SizeCB, "SizeCB");
    Bind(WidthL, "WidthL");
    Bind(WidthE, "WidthE");
    Bind(HeightL, "HeightL");
    Bind(HeightE, "HeightE");
    Bind(OrientationL, "OrientationL");
    Bind(PortraitRB, "PortraitRB");
    Bind(LandscapeRB, "LandscapeRB");
    Bind(PortraitImg, "PortraitImg");
    Bind(LandscapeImg, "LandscapeImg");
    Bind(MarginsL, "MarginsL");
    Bind(MarginLeftE, "MarginLeftE");
    Bind(MarginTopE, "MarginTopE");
    Bind(MarginRightE, "MarginRightE");
    Bind(MarginBottomE, "MarginBottomE");
    Bind(OtherL, "OtherL");
    Bind(ApplyToCurRB, "ApplyToCurRB");
    Bind(ApplyToAllRB, "ApplyToAllRB");
    Bind(OKB, "OKB");
    Bind(CancelB, "CancelB");
}

void TfrxPageSettingsForm::FormCreate(TObject*) {
    frxResources().LocalizeForm(this);
    frxDrawPagePicture(PortraitImg);
    frxDrawPagePicture(LandscapeImg);
}

bool TfrxPageSettingsForm::ApplyToAll() const { return ApplyToAllRB->Checked(); }

int TfrxPageSettingsForm::SelectedPaper() const {
    TfrxCustomPrinter* p = frxPrinters().Printer();
    const int i = SizeCB->ItemIndex();
    if (!p || i < 0 || i >= p->Papers().Count()) return frxCustomPaperSize;
    return NumberOf(p->Papers().Objects(i));
}

void TfrxPageSettingsForm::FormShow(TObject*) {
    if (!Page) return;
    FUpdating = true;
    struct Done {
        bool& F;
        ~Done() { F = false; }
    } done{FUpdating};
    TfrxCustomPrinter* p = frxPrinters().Printer();
    SizeCB->Items()->Clear();
    int index = -1;
    if (p) {
        TStringList& papers = p->Papers();
        for (int i = 0; i < papers.Count(); ++i) SizeCB->Items()->Add(PaperText(papers[i], NumberOf(papers.Objects(i))));
        index = p->PaperIndex(Page->PaperSize());
        if (index < 0) index = p->PaperIndex(frxCustomPaperSize);
    }
    SizeCB->SetItemIndex(index);
    WidthE->SetText(frxFloatToStr(Page->PaperWidth() / 10));
    HeightE->SetText(frxFloatToStr(Page->PaperHeight() / 10));
    FShownLandscape = Page->Orientation() == poLandscape;
    PortraitRB->SetChecked(!FShownLandscape);
    LandscapeRB->SetChecked(FShownLandscape);
    MarginLeftE->SetText(frxFloatToStr(Page->LeftMargin / 10));
    MarginRightE->SetText(frxFloatToStr(Page->RightMargin / 10));
    MarginTopE->SetText(frxFloatToStr(Page->TopMargin / 10));
    MarginBottomE->SetText(frxFloatToStr(Page->BottomMargin / 10));
    PortraitRBClick(nullptr);
}

void TfrxPageSettingsForm::PortraitRBClick(TObject*) {
    PortraitImg->SetVisible(PortraitRB->Checked());
    LandscapeImg->SetVisible(LandscapeRB->Checked());
    SizeCBClick(nullptr);
}

void frxDrawPagePicture(TImage* Image) {
    const int w = Image->Width(), h = Image->Height();
    TBitmap bmp(w, h);
    TCanvas* c = bmp.Canvas();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(TRect{0, 0, w, h});
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clWhite);
    c->Polygon({TPoint{1, 1}, TPoint{w - 8, 1}, TPoint{w - 2, 7}, TPoint{w - 2, h - 2}, TPoint{1, h - 2}});
    c->MoveTo(w - 8, 1);
    c->LineTo(w - 8, 7);
    c->LineTo(w - 2, 7);
    c->Pen()->SetColor(clGray);
    for (int y = 10; y < h - 5; y += 4) {
        c->MoveTo(5, y);
        c->LineTo(w - 6, y);
    }
    Image->Picture()->SetGraphic(&bmp);
}

void TfrxPageSettingsForm::SizeCBClick(TObject*) {
    if (FUpdating) return;
    TfrxCustomPrinter* p = frxPrinters().Printer();
    if (!p) return;
    double w = 0, h = 0;
    try {
        w = frxStrToFloat(WidthE->Text()) * 10;
        h = frxStrToFloat(HeightE->Text()) * 10;
    } catch (const EConvertError&) {
        // A half-typed size: the paper is applied once the numbers are complete.
        return;
    }
    FUpdating = true;
    struct Done {
        bool& F;
        ~Done() { F = false; }
    } done{FUpdating};
    const bool landscape = LandscapeRB->Checked();
    const TPrinterOrientation orientation = landscape ? poLandscape : poPortrait;
    const int paper = SelectedPaper();
    // A custom size turns with the paper only when the orientation really changes.
    if (paper == frxCustomPaperSize && landscape != FShownLandscape)
        p->SetViewParams(paper, h, w, orientation);
    else
        p->SetViewParams(paper, w, h, orientation);
    FShownLandscape = landscape;
    WidthE->SetText(frxFloatToStr(p->PaperWidth / 10));
    HeightE->SetText(frxFloatToStr(p->PaperHeight / 10));
}

void TfrxPageSettingsForm::WidthEChange(TObject*) {
    if (FUpdating) return;
    TfrxCustomPrinter* p = frxPrinters().Printer();
    const int custom = p ? p->PaperIndex(frxCustomPaperSize) : 0;
    FUpdating = true;
    SizeCB->SetItemIndex(custom < 0 ? 0 : custom);
    FUpdating = false;
}

void TfrxPageSettingsForm::FormCloseQuery(TObject*, bool& CanClose) {
    if (ModalResult() != mrOk) return;
    struct Field {
        TEdit* Edit;
        bool Size;
    };
    const Field fields[] = {{WidthE, true},       {HeightE, true},      {MarginLeftE, false},
                            {MarginRightE, false}, {MarginTopE, false}, {MarginBottomE, false}};
    for (const Field& f : fields) {
        bool ok = true;
        try {
            const double v = frxStrToFloat(f.Edit->Text());
            ok = f.Size ? v > 0 : v >= 0;
        } catch (const EConvertError&) {
            ok = false;
        }
        if (!ok) {
            CanClose = false;
            frxErrorMsg(Format(frxResources().Get(f.Size ? "clInvalidSize" : "clInvalidMargin"), {f.Edit->Text()}));
            SetActiveControl(f.Edit);
            f.Edit->SelectAll();
            return;
        }
    }
}

void TfrxPageSettingsForm::FormHide(TObject*) {
    if (ModalResult() != mrOk || !Page) return;
    // Checked by FormCloseQuery: nothing below fails half-way.
    Page->SetOrientation(PortraitRB->Checked() ? poPortrait : poLandscape);
    Page->SetPaperWidth(frxStrToFloat(WidthE->Text()) * 10);
    Page->SetPaperHeight(frxStrToFloat(HeightE->Text()) * 10);
    Page->SetPaperSize(SelectedPaper());
    Page->LeftMargin = frxStrToFloat(MarginLeftE->Text()) * 10;
    Page->RightMargin = frxStrToFloat(MarginRightE->Text()) * 10;
    Page->TopMargin = frxStrToFloat(MarginTopE->Text()) * 10;
    Page->BottomMargin = frxStrToFloat(MarginBottomE->Text()) * 10;
    Page->AlignChildren();
}

bool frxShowPageSettings(TfrxReportPage* Page, bool& ApplyToAll, TComponent* Owner) {
    if (!Page) return false;
    auto form = std::make_unique<TfrxPageSettingsForm>(Owner);
    form->Page = Page;
    if (form->ShowModal() != mrOk) return false;
    ApplyToAll = form->ApplyToAll();
    return true;
}
