// The page options window.
#include "designer/editors/PageEditor.h"

#include <memory>

#include "designer/FormResources.h"
#include "designer/editors/ComponentEditors.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "preview/PageSettingsDialog.h"
#include "report/Bands.h"
#include "report/Pages.h"
#include "report/Printer.h"
#include "report/ReportServices.h"
#include "report/Resources.h"
#include "report/Utils.h"

ROVE_IMPLEMENT_CLASS(TfrxPageEditorForm)

namespace {

void RegisterPageEditorForm() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterDesignerFormResources();
        return true;
    }();
    (void)done;
}

int NumberOf(TObject* o) { return static_cast<int>(reinterpret_cast<intptr_t>(o)); }

// A paper or bin entry: its name, or, for a paper the printer gives no name (the virtual
// printer's table), its size in millimetres.
std::string PaperText(const std::string& Name, int Number) {
    if (!Name.empty()) return Name;
    int w = 0, h = 0;
    if (!frxGetPaperDimensions(Number, w, h)) return IntToStr(Number);
    return frxFloatToStr(w / 10.0) + " x " + frxFloatToStr(h / 10.0) + " mm";
}

}  // namespace

TfrxPageEditorForm::TfrxPageEditorForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterPageEditorForm();
    InitForm();
}

void TfrxPageEditorForm::DeclareProperties(TPropertyDecl<TfrxPageEditorForm>& d) {
    d.Method("FormCreate", &TfrxPageEditorForm::FormCreate);
    d.Method("FormShow", &TfrxPageEditorForm::FormShow);
    d.Method("FormHide", &TfrxPageEditorForm::FormHide);
    d.Method("FormCloseQuery", &TfrxPageEditorForm::FormCloseQuery);
    d.Method("PortraitRBClick", &TfrxPageEditorForm::PortraitRBClick);
    d.Method("SizeCBClick", &TfrxPageEditorForm::SizeCBClick);
    d.Method("WidthEChange", &TfrxPageEditorForm::WidthEChange);
    d.Method("UpDown1Click", &TfrxPageEditorForm::UpDown1Click);
}

void TfrxPageEditorForm::BindFields() {
    Bind(PageControl, "PageControl");
    Bind(PaperTS, "PaperTS");
    Bind(OtherTS, "OtherTS");
    Bind(PaperGB, "PaperGB");
    Bind(SizeL, "SizeL");
    Bind(SizeCB, "SizeCB");
    Bind(WidthL, "WidthL");
    Bind(WidthE, "WidthE");
    Bind(HeightL, "HeightL");
    Bind(HeightE, "HeightE");
    Bind(OrientationGB, "OrientationGB");
    Bind(PortraitRB, "PortraitRB");
    Bind(LandscapeRB, "LandscapeRB");
    Bind(PortraitImg, "PortraitImg");
    Bind(LandscapeImg, "LandscapeImg");
    Bind(MarginsGB, "MarginsGB");
    Bind(MarginLeftE, "MarginLeftE");
    Bind(MarginTopE, "MarginTopE");
    Bind(MarginRightE, "MarginRightE");
    Bind(MarginBottomE, "MarginBottomE");
    Bind(SourceGB, "SourceGB");
    Bind(Tray1CB, "Tray1CB");
    Bind(Tray2CB, "Tray2CB");
    Bind(ColumnsGB, "ColumnsGB");
    Bind(ColumnsNumberE, "ColumnsNumberE");
    Bind(UpDown1, "UpDown1");
    Bind(ColumnWidthE, "ColumnWidthE");
    Bind(ColumnPositionsM, "ColumnPositionsM");
    Bind(PrintOnPrevCB, "PrintOnPrevCB");
    Bind(MirrorMarginsCB, "MirrorMarginsCB");
    Bind(LargeHeightCB, "LargeHeightCB");
    Bind(DuplexCB, "DuplexCB");
    Bind(UnitL1, "UnitL1");
    Bind(UnitL2, "UnitL2");
    Bind(UnitL3, "UnitL3");
    Bind(UnitL4, "UnitL4");
    Bind(UnitL5, "UnitL5");
    Bind(UnitL6, "UnitL6");
    Bind(UnitL7, "UnitL7");
    Bind(OkB, "OkB");
    Bind(CancelB, "CancelB");
}

TfrxCustomDesigner* TfrxPageEditorForm::Designer() const { return dynamic_cast<TfrxCustomDesigner*>(Owner()); }

double TfrxPageEditorForm::ToUnits(double MM, bool Horizontal) const {
    TfrxCustomDesigner* d = Designer();
    return d ? d->MMToUnits(MM, Horizontal) : MM / 10;
}

double TfrxPageEditorForm::ToMM(double Value, bool Horizontal) const {
    TfrxCustomDesigner* d = Designer();
    return d ? d->UnitsToMM(Value, Horizontal) : Value * 10;
}

std::string TfrxPageEditorForm::UnitsText(double MM, bool Horizontal) const {
    return frxFloatToStr(ToUnits(MM, Horizontal));
}

void TfrxPageEditorForm::FormCreate(TObject*) {
    frxResources().LocalizeForm(this);
    const char* const unitKeys[] = {"uCm", "uInch", "uPix", "uChar"};
    const int unit = Designer() ? Designer()->CurUnits() : 0;
    const std::string text = frxResources().Get(unitKeys[unit >= 0 && unit <= 3 ? unit : 0]);
    for (TLabel* l : {UnitL1, UnitL2, UnitL3, UnitL4, UnitL5, UnitL6, UnitL7}) l->SetText(text);
    frxDrawPagePicture(PortraitImg);
    frxDrawPagePicture(LandscapeImg);
}

int TfrxPageEditorForm::SelectedPaper() const {
    TfrxCustomPrinter* p = frxPrinters().Printer();
    const int i = SizeCB->ItemIndex();
    if (!p || i < 0 || i >= p->Papers().Count()) return frxCustomPaperSize;
    return NumberOf(p->Papers().Objects(i));
}

int TfrxPageEditorForm::SelectedBin(TComboBox* Box) const {
    TfrxCustomPrinter* p = frxPrinters().Printer();
    const int i = Box->ItemIndex();
    if (!p || i < 0 || i >= p->Bins().Count()) return 7;
    return NumberOf(p->Bins().Objects(i));
}

void TfrxPageEditorForm::FormShow(TObject*) {
    if (!Page) return;
    FUpdating = true;
    struct Done {
        bool& F;
        ~Done() { F = false; }
    } done{FUpdating};
    TfrxCustomPrinter* p = frxPrinters().Printer();
    SizeCB->Items()->Clear();
    Tray1CB->Items()->Clear();
    Tray2CB->Items()->Clear();
    if (p) {
        for (int i = 0; i < p->Papers().Count(); ++i)
            SizeCB->Items()->Add(PaperText(p->Papers()[i], NumberOf(p->Papers().Objects(i))));
        int index = p->PaperIndex(Page->PaperSize());
        if (index < 0) index = p->PaperIndex(frxCustomPaperSize);
        SizeCB->SetItemIndex(index);
        for (int i = 0; i < p->Bins().Count(); ++i) {
            Tray1CB->Items()->Add(p->Bins()[i]);
            Tray2CB->Items()->Add(p->Bins()[i]);
        }
        auto binIndex = [&](int Number) {
            const int i = p->BinIndex(Number);
            return i >= 0 ? i : p->BinIndex(7);
        };
        Tray1CB->SetItemIndex(binIndex(Page->Bin));
        Tray2CB->SetItemIndex(binIndex(Page->BinOtherPages));
    }
    FShown.clear();
    auto show = [&](TEdit* Edit, double MM, bool Horizontal) {
        Edit->SetText(UnitsText(MM, Horizontal));
        FShown.push_back({Edit, Edit->Text(), MM});
    };
    show(WidthE, Page->PaperWidth(), true);
    show(HeightE, Page->PaperHeight(), false);
    show(MarginLeftE, Page->LeftMargin, true);
    show(MarginRightE, Page->RightMargin, true);
    show(MarginTopE, Page->TopMargin, false);
    show(MarginBottomE, Page->BottomMargin, false);
    show(ColumnWidthE, Page->ColumnWidth, true);
    FShownLandscape = Page->Orientation() == poLandscape;
    PortraitRB->SetChecked(!FShownLandscape);
    LandscapeRB->SetChecked(FShownLandscape);
    UpDown1->SetPosition(Page->Columns());
    ColumnPositionsM->Lines()->Clear();
    FPagePositions.clear();
    for (int i = 0; i < Page->ColumnPositions()->Count(); ++i) {
        const std::string& line = (*Page->ColumnPositions())[i];
        FPagePositions.push_back(line);
        double mm = 0;
        try {
            mm = frxStrToFloat(line);
        } catch (const Exception&) {
            // A damaged position shows as stored; OK asks for a number there.
            ColumnPositionsM->Lines()->Add(line);
            continue;
        }
        ColumnPositionsM->Lines()->Add(UnitsText(mm, true));
    }
    FShownPositions = ColumnPositionsM->Text();
    PrintOnPrevCB->SetChecked(Page->PrintOnPreviousPage);
    MirrorMarginsCB->SetChecked(Page->MirrorMargins);
    LargeHeightCB->SetChecked(Page->LargeDesignHeight);
    DuplexCB->SetItemIndex(static_cast<int>(Page->Duplex));
    PortraitRBClick(nullptr);
}

void TfrxPageEditorForm::PortraitRBClick(TObject*) {
    PortraitImg->SetVisible(PortraitRB->Checked());
    LandscapeImg->SetVisible(LandscapeRB->Checked());
    SizeCBClick(nullptr);
}

void TfrxPageEditorForm::SizeCBClick(TObject*) {
    if (FUpdating) return;
    TfrxCustomPrinter* p = frxPrinters().Printer();
    if (!p) return;
    const int paper = SelectedPaper();
    double w = 0, h = 0;
    try {
        w = ToMM(frxStrToFloat(WidthE->Text()), true);
        h = ToMM(frxStrToFloat(HeightE->Text()), false);
    } catch (const EConvertError&) {
        // A named paper brings its own size; a custom one waits for complete numbers.
        if (paper == frxCustomPaperSize) return;
    }
    FUpdating = true;
    struct Done {
        bool& F;
        ~Done() { F = false; }
    } done{FUpdating};
    const bool landscape = LandscapeRB->Checked();
    // A custom size turns with the paper only when the orientation really changes.
    if (paper == frxCustomPaperSize && landscape != FShownLandscape) std::swap(w, h);
    p->SetViewParams(paper, w, h, landscape ? poLandscape : poPortrait);
    FShownLandscape = landscape;
    WidthE->SetText(UnitsText(p->PaperWidth, true));
    HeightE->SetText(UnitsText(p->PaperHeight, false));
}

void TfrxPageEditorForm::WidthEChange(TObject*) {
    if (FUpdating) return;
    TfrxCustomPrinter* p = frxPrinters().Printer();
    const int custom = p ? p->PaperIndex(frxCustomPaperSize) : 0;
    FUpdating = true;
    SizeCB->SetItemIndex(custom < 0 ? 0 : custom);
    FUpdating = false;
}

void TfrxPageEditorForm::UpDown1Click(TObject*, TUDBtnType) {
    if (FUpdating) return;
    int n = UpDown1->Position();
    if (n == 0) n = 1;
    double width = 0, left = 0, right = 0;
    try {
        width = FieldMM(WidthE, true);
        left = FieldMM(MarginLeftE, true);
        right = FieldMM(MarginRightE, true);
    } catch (const EConvertError&) {
        // The columns follow once the paper and margins are numbers again.
        return;
    }
    const double w = (width - left - right) / n;
    ColumnWidthE->SetText(UnitsText(w, true));
    ColumnPositionsM->Lines()->Clear();
    for (int i = 0; i < n; ++i) ColumnPositionsM->Lines()->Add(UnitsText(i * w, true));
}

double TfrxPageEditorForm::FieldMM(TEdit* Edit, bool Horizontal) const {
    for (const TShown& s : FShown)
        if (s.Edit == Edit && s.Text == Edit->Text()) return s.MM;
    return ToMM(frxStrToFloat(Edit->Text()), Horizontal);
}

// Every length is read before the window closes; the first that is no number (or a
// paper size that is not above 0) keeps the window open with the error and its field.
void TfrxPageEditorForm::FormCloseQuery(TObject*, bool& CanClose) {
    if (ModalResult() != mrOk) return;
    struct Field {
        TWinControl* Control;
        std::function<double()> Read;
        bool Size;
    };
    const Field fields[] = {
        {WidthE, [&] { return FieldMM(WidthE, true); }, true},
        {HeightE, [&] { return FieldMM(HeightE, false); }, true},
        {MarginLeftE, [&] { return FieldMM(MarginLeftE, true); }, false},
        {MarginTopE, [&] { return FieldMM(MarginTopE, false); }, false},
        {MarginRightE, [&] { return FieldMM(MarginRightE, true); }, false},
        {MarginBottomE, [&] { return FieldMM(MarginBottomE, false); }, false},
        {ColumnWidthE, [&] { return FieldMM(ColumnWidthE, true); }, false},
    };
    auto refuse = [&](TWinControl* Control, TTabSheet* Sheet, const std::string& Message) {
        CanClose = false;
        PageControl->SetActivePage(Sheet);
        frxErrorMsg(Message);
        SetActiveControl(Control);
    };
    for (const Field& f : fields) {
        try {
            if (f.Read() <= 0 && f.Size) {
                refuse(f.Control, f.Control == ColumnWidthE ? OtherTS : PaperTS, frxResources().Get("prInvProp"));
                return;
            }
        } catch (const EConvertError& e) {
            refuse(f.Control, f.Control == ColumnWidthE ? OtherTS : PaperTS, e.Message());
            return;
        }
    }
    if (ColumnPositionsM->Text() == FShownPositions) return;
    for (int i = 0; i < ColumnPositionsM->Lines()->Count(); ++i) {
        const std::string line = Trim((*ColumnPositionsM->Lines())[i]);
        if (line.empty()) continue;
        try {
            frxStrToFloat(line);
        } catch (const EConvertError& e) {
            refuse(ColumnPositionsM, OtherTS, e.Message());
            return;
        }
    }
}

void TfrxPageEditorForm::WritePage(TfrxReportPage* APage) const {
    APage->SetOrientation(PortraitRB->Checked() ? poPortrait : poLandscape);
    APage->SetPaperWidth(FieldMM(WidthE, true));
    APage->SetPaperHeight(FieldMM(HeightE, false));
    APage->SetPaperSize(SelectedPaper());
    APage->LeftMargin = FieldMM(MarginLeftE, true);
    APage->TopMargin = FieldMM(MarginTopE, false);
    APage->RightMargin = FieldMM(MarginRightE, true);
    APage->BottomMargin = FieldMM(MarginBottomE, false);
    if (Tray1CB->ItemIndex() >= 0) APage->Bin = SelectedBin(Tray1CB);
    if (Tray2CB->ItemIndex() >= 0) APage->BinOtherPages = SelectedBin(Tray2CB);
    int columns = 0;
    if (!TryStrToInt(Trim(ColumnsNumberE->Text()), columns)) columns = UpDown1->Position();
    APage->SetColumns(std::max(columns, 0));
    APage->ColumnWidth = FieldMM(ColumnWidthE, true);
    TStringList positions;
    if (ColumnPositionsM->Text() == FShownPositions) {
        for (const std::string& p : FPagePositions) positions.Add(p);
    } else {
        for (int i = 0; i < ColumnPositionsM->Lines()->Count(); ++i) {
            const std::string line = Trim((*ColumnPositionsM->Lines())[i]);
            if (!line.empty()) positions.Add(frxDiffFloat(ToMM(frxStrToFloat(line), true)));
        }
    }
    APage->SetColumnPositions(&positions);
    APage->PrintOnPreviousPage = PrintOnPrevCB->Checked();
    APage->MirrorMargins = MirrorMarginsCB->Checked();
    APage->LargeDesignHeight = LargeHeightCB->Checked();
    if (DuplexCB->ItemIndex() >= 0) APage->Duplex = static_cast<TfrxDuplexMode>(DuplexCB->ItemIndex());
    APage->AlignChildren();
}

void TfrxPageEditorForm::FormHide(TObject*) {
    if (ModalResult() != mrOk || !Page) return;
    // Checked by FormCloseQuery: nothing below fails half-way.
    WritePage(Page);
    for (TfrxComponent* c : Page->AllObjects())
        if (auto* sub = dynamic_cast<TfrxSubreport*>(c); sub && sub->Page() && sub->Page() != Page)
            WritePage(sub->Page());
}

bool frxShowPageEditor(TfrxReportPage* Page, TfrxCustomDesigner* Designer) {
    if (!Page) return false;
    auto form = std::make_unique<TfrxPageEditorForm>(Designer);
    form->Page = Page;
    return form->ShowModal() == mrOk;
}

// === The page's component editor ============================================================

static TfrxReportPage* EditablePage(TfrxComponent* c) {
    auto* page = dynamic_cast<TfrxReportPage*>(c);
    return page && !page->IsSubReport() ? page : nullptr;
}

bool TfrxPageEditor::HasEditor() { return EditablePage(Component()) != nullptr; }

bool TfrxPageEditor::Edit() {
    TfrxReportPage* page = EditablePage(Component());
    return page && frxShowPageEditor(page, Designer());
}
