// The page options window.
#include "designer/editors/PageEditor.h"

#include <memory>

#include "designer/editors/ComponentEditors.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "report/Bands.h"
#include "report/Pages.h"
#include "report/Printer.h"
#include "report/ReportServices.h"
#include "report/Resources.h"
#include "report/Utils.h"

ROVE_IMPLEMENT_CLASS(TfrxPageEditorForm)

namespace {

const char* const kPageEditorText = R"(object frxPageEditorForm: TfrxPageEditorForm
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Page Options'
  ClientHeight = 392
  ClientWidth = 330
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
  OnCloseQuery = FormCloseQuery
  object PageControl: TPageControl
    Left = 4
    Top = 4
    Width = 322
    Height = 352
    ActivePage = PaperTS
    TabOrder = 0
    object PaperTS: TTabSheet
      PageControl = PageControl
      Caption = 'Paper'
      object PaperGB: TGroupBox
        Left = 6
        Top = 4
        Width = 302
        Height = 102
        Caption = 'Size'
        TabOrder = 0
        object SizeL: TLabel
          Left = 8
          Top = 20
          Width = 50
          Height = 13
          Caption = 'Size'
        end
        object SizeCB: TComboBox
          Left = 64
          Top = 16
          Width = 228
          Height = 21
          Style = csDropDownList
          DropDownCount = 16
          TabOrder = 0
          OnClick = SizeCBClick
        end
        object WidthL: TLabel
          Left = 8
          Top = 48
          Width = 50
          Height = 13
          Caption = 'Width'
        end
        object WidthE: TEdit
          Left = 64
          Top = 44
          Width = 64
          Height = 21
          TabOrder = 1
          OnChange = WidthEChange
        end
        object UnitL1: TLabel
          Left = 134
          Top = 48
          Width = 40
          Height = 13
          Caption = 'cm'
        end
        object HeightL: TLabel
          Left = 8
          Top = 76
          Width = 50
          Height = 13
          Caption = 'Height'
        end
        object HeightE: TEdit
          Left = 64
          Top = 72
          Width = 64
          Height = 21
          TabOrder = 2
          OnChange = WidthEChange
        end
        object UnitL2: TLabel
          Left = 134
          Top = 76
          Width = 40
          Height = 13
          Caption = 'cm'
        end
      end
      object OrientationGB: TGroupBox
        Left = 6
        Top = 110
        Width = 302
        Height = 64
        Caption = 'Orientation'
        TabOrder = 1
        object PortraitRB: TRadioButton
          Left = 8
          Top = 18
          Width = 150
          Height = 17
          Caption = 'Portrait'
          Checked = True
          TabOrder = 0
          TabStop = True
          OnClick = PortraitRBClick
        end
        object LandscapeRB: TRadioButton
          Left = 8
          Top = 40
          Width = 150
          Height = 17
          Caption = 'Landscape'
          TabOrder = 1
          OnClick = PortraitRBClick
        end
        object PortraitImg: TImage
          Left = 240
          Top = 14
          Width = 32
          Height = 44
        end
        object LandscapeImg: TImage
          Left = 234
          Top = 20
          Width = 44
          Height = 32
        end
      end
      object MarginsGB: TGroupBox
        Left = 6
        Top = 178
        Width = 302
        Height = 76
        Caption = 'Margins'
        TabOrder = 2
        object MarginLeftL: TLabel
          Left = 8
          Top = 22
          Width = 40
          Height = 13
          Caption = 'Left'
        end
        object MarginLeftE: TEdit
          Left = 50
          Top = 18
          Width = 60
          Height = 21
          TabOrder = 0
        end
        object UnitL3: TLabel
          Left = 114
          Top = 22
          Width = 30
          Height = 13
          Caption = 'cm'
        end
        object MarginTopL: TLabel
          Left = 152
          Top = 22
          Width = 40
          Height = 13
          Caption = 'Top'
        end
        object MarginTopE: TEdit
          Left = 194
          Top = 18
          Width = 60
          Height = 21
          TabOrder = 1
        end
        object UnitL4: TLabel
          Left = 258
          Top = 22
          Width = 30
          Height = 13
          Caption = 'cm'
        end
        object MarginRightL: TLabel
          Left = 8
          Top = 50
          Width = 40
          Height = 13
          Caption = 'Right'
        end
        object MarginRightE: TEdit
          Left = 50
          Top = 46
          Width = 60
          Height = 21
          TabOrder = 2
        end
        object UnitL5: TLabel
          Left = 114
          Top = 50
          Width = 30
          Height = 13
          Caption = 'cm'
        end
        object MarginBottomL: TLabel
          Left = 152
          Top = 50
          Width = 40
          Height = 13
          Caption = 'Bottom'
        end
        object MarginBottomE: TEdit
          Left = 194
          Top = 46
          Width = 60
          Height = 21
          TabOrder = 3
        end
        object UnitL6: TLabel
          Left = 258
          Top = 50
          Width = 30
          Height = 13
          Caption = 'cm'
        end
      end
      object SourceGB: TGroupBox
        Left = 6
        Top = 258
        Width = 302
        Height = 66
        Caption = 'Paper source'
        TabOrder = 3
        object Tray1L: TLabel
          Left = 8
          Top = 20
          Width = 80
          Height = 13
          Caption = 'First page'
        end
        object Tray1CB: TComboBox
          Left = 96
          Top = 16
          Width = 196
          Height = 21
          Style = csDropDownList
          TabOrder = 0
        end
        object Tray2L: TLabel
          Left = 8
          Top = 44
          Width = 80
          Height = 13
          Caption = 'Other pages'
        end
        object Tray2CB: TComboBox
          Left = 96
          Top = 40
          Width = 196
          Height = 21
          Style = csDropDownList
          TabOrder = 1
        end
      end
    end
    object OtherTS: TTabSheet
      PageControl = PageControl
      Caption = 'Other options'
      object ColumnsGB: TGroupBox
        Left = 6
        Top = 4
        Width = 302
        Height = 164
        Caption = 'Columns'
        TabOrder = 0
        object ColumnsNumberL: TLabel
          Left = 8
          Top = 22
          Width = 90
          Height = 13
          Caption = 'Number'
        end
        object ColumnsNumberE: TEdit
          Left = 110
          Top = 18
          Width = 48
          Height = 21
          TabOrder = 0
          Text = '0'
        end
        object UpDown1: TUpDown
          Left = 158
          Top = 18
          Width = 16
          Height = 21
          Associate = ColumnsNumberE
          Max = 1000
          TabOrder = 1
          OnClick = UpDown1Click
        end
        object ColumnWidthL: TLabel
          Left = 8
          Top = 50
          Width = 90
          Height = 13
          Caption = 'Width'
        end
        object ColumnWidthE: TEdit
          Left = 110
          Top = 46
          Width = 64
          Height = 21
          TabOrder = 2
        end
        object UnitL7: TLabel
          Left = 180
          Top = 50
          Width = 40
          Height = 13
          Caption = 'cm'
        end
        object ColumnPositionsL: TLabel
          Left = 8
          Top = 78
          Width = 90
          Height = 13
          Caption = 'Positions'
        end
        object ColumnPositionsM: TMemo
          Left = 110
          Top = 74
          Width = 120
          Height = 80
          ScrollBars = ssVertical
          TabOrder = 3
          WordWrap = False
        end
      end
      object PrintOnPrevCB: TCheckBox
        Left = 14
        Top = 176
        Width = 280
        Height = 17
        Caption = 'Print to previous page'
        TabOrder = 1
      end
      object MirrorMarginsCB: TCheckBox
        Left = 14
        Top = 198
        Width = 280
        Height = 17
        Caption = 'Mirror margins'
        TabOrder = 2
      end
      object LargeHeightCB: TCheckBox
        Left = 14
        Top = 220
        Width = 280
        Height = 17
        Caption = 'Large height in design mode'
        TabOrder = 3
      end
      object DuplexL: TLabel
        Left = 14
        Top = 248
        Width = 90
        Height = 13
        Caption = 'Duplex'
      end
      object DuplexCB: TComboBox
        Left = 116
        Top = 244
        Width = 120
        Height = 21
        Style = csDropDownList
        TabOrder = 4
        Items.Strings = (
          'No'
          'Vertical'
          'Horizontal')
      end
    end
  end
  object OkB: TButton
    Left = 170
    Top = 362
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
  object CancelB: TButton
    Left = 251
    Top = 362
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 2
  end
end
)";

void RegisterPageEditorForm() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterFormResource("TfrxPageEditorForm", kPageEditorText, "PageEditor.dfm");
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

// A sheet of paper as the orientation pictures show it: a white page with a folded
// corner and a few grey text lines.
void DrawPagePicture(TImage* Image) {
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
    DrawPagePicture(PortraitImg);
    DrawPagePicture(LandscapeImg);
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
