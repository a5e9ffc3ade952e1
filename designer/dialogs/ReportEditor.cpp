// The report settings dialog.
#include "designer/dialogs/ReportEditor.h"

#include <memory>

#include "designer/editors/PictureEditor.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/StdCtrls.h"
#include "report/Images.h"
#include "report/Options.h"
#include "report/Printer.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Utils.h"

ROVE_IMPLEMENT_CLASS(TfrxReportEditorForm)

namespace {

const char* const kReportEditorText = R"(object frxReportEditorForm: TfrxReportEditorForm
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Report Settings'
  ClientHeight = 397
  ClientWidth = 373
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
    Width = 365
    Height = 356
    TabOrder = 0
    object GeneralTS: TTabSheet
      Caption = 'General'
      object ReportSettingsL: TGroupBox
        Left = 4
        Top = 4
        Width = 349
        Height = 181
        Caption = 'Printer'
        TabOrder = 0
        object PrintersLB: TListBox
          Left = 8
          Top = 18
          Width = 333
          Height = 114
          ItemHeight = 17
          Style = lbOwnerDrawFixed
          TabOrder = 0
          OnDrawItem = PrintersLBDrawItem
        end
        object CopiesL: TLabel
          Left = 8
          Top = 145
          Width = 60
          Height = 13
          Caption = 'Copies'
        end
        object CopiesE: TEdit
          Left = 92
          Top = 141
          Width = 53
          Height = 21
          TabOrder = 1
          Text = '1'
        end
        object CollateCB: TCheckBox
          Left = 164
          Top = 143
          Width = 177
          Height = 17
          Caption = 'Collate'
          TabOrder = 2
        end
      end
      object GeneralL: TGroupBox
        Left = 4
        Top = 192
        Width = 349
        Height = 105
        Caption = 'General'
        TabOrder = 1
        object PasswordL: TLabel
          Left = 8
          Top = 24
          Width = 60
          Height = 13
          Caption = 'Password'
        end
        object PasswordE: TEdit
          Left = 92
          Top = 20
          Width = 249
          Height = 21
          TabOrder = 0
        end
        object DoublePassCB: TCheckBox
          Left = 8
          Top = 52
          Width = 333
          Height = 17
          Caption = 'Double pass'
          TabOrder = 1
        end
        object PrintIfEmptyCB: TCheckBox
          Left = 8
          Top = 76
          Width = 333
          Height = 17
          Caption = 'Print if empty'
          TabOrder = 2
        end
      end
    end
    object DescriptionTS: TTabSheet
      Caption = 'Description'
      object DescriptionL: TGroupBox
        Left = 4
        Top = 4
        Width = 349
        Height = 185
        Caption = 'Description'
        TabOrder = 0
        object NameL: TLabel
          Left = 8
          Top = 24
          Width = 60
          Height = 13
          Caption = 'Name'
        end
        object NameE: TEdit
          Left = 80
          Top = 20
          Width = 261
          Height = 21
          TabOrder = 0
        end
        object Description1L: TLabel
          Left = 8
          Top = 50
          Width = 60
          Height = 13
          Caption = 'Description'
        end
        object DescriptionE: TMemo
          Left = 80
          Top = 46
          Width = 261
          Height = 49
          ScrollBars = ssVertical
          TabOrder = 1
        end
        object PictureL: TLabel
          Left = 8
          Top = 104
          Width = 60
          Height = 13
          Caption = 'Picture'
        end
        object PictureImg: TImage
          Left = 80
          Top = 102
          Width = 48
          Height = 48
          Center = True
        end
        object PictureB: TButton
          Left = 136
          Top = 102
          Width = 75
          Height = 25
          Caption = 'Browse...'
          TabOrder = 2
          OnClick = PictureBClick
        end
        object AuthorL: TLabel
          Left = 8
          Top = 160
          Width = 60
          Height = 13
          Caption = 'Author'
        end
        object AuthorE: TEdit
          Left = 80
          Top = 156
          Width = 261
          Height = 21
          TabOrder = 3
        end
      end
      object VersionL: TGroupBox
        Left = 4
        Top = 194
        Width = 349
        Height = 131
        Caption = 'Version'
        TabOrder = 1
        object MajorL: TLabel
          Left = 8
          Top = 24
          Width = 60
          Height = 13
          Caption = 'Major'
        end
        object MajorE: TEdit
          Left = 80
          Top = 20
          Width = 80
          Height = 21
          TabOrder = 0
        end
        object MinorL: TLabel
          Left = 176
          Top = 24
          Width = 60
          Height = 13
          Caption = 'Minor'
        end
        object MinorE: TEdit
          Left = 256
          Top = 20
          Width = 85
          Height = 21
          TabOrder = 1
        end
        object ReleaseL: TLabel
          Left = 8
          Top = 50
          Width = 60
          Height = 13
          Caption = 'Release'
        end
        object ReleaseE: TEdit
          Left = 80
          Top = 46
          Width = 80
          Height = 21
          TabOrder = 2
        end
        object BuildL: TLabel
          Left = 176
          Top = 50
          Width = 60
          Height = 13
          Caption = 'Build'
        end
        object BuildE: TEdit
          Left = 256
          Top = 46
          Width = 85
          Height = 21
          TabOrder = 3
        end
        object CreatedL: TLabel
          Left = 8
          Top = 78
          Width = 60
          Height = 13
          Caption = 'Created'
        end
        object Created1L: TLabel
          Left = 80
          Top = 78
          Width = 261
          Height = 13
          AutoSize = False
        end
        object ModifiedL: TLabel
          Left = 8
          Top = 104
          Width = 60
          Height = 13
          Caption = 'Modified'
        end
        object Modified1L: TLabel
          Left = 80
          Top = 104
          Width = 261
          Height = 13
          AutoSize = False
        end
      end
    end
  end
  object OkB: TButton
    Left = 212
    Top = 367
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
  object CancelB: TButton
    Left = 294
    Top = 367
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 2
  end
end
)";

void RegisterReportEditorForm() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterFormResource("TfrxReportEditorForm", kReportEditorText, "ReportEditor.dfm");
        return true;
    }();
    (void)done;
}

std::string DateText(TDateTime Value) { return Value == 0 ? std::string() : DateTimeToStr(Value); }

}  // namespace

TfrxReportEditorForm::TfrxReportEditorForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterReportEditorForm();
    InitForm();
}

void TfrxReportEditorForm::DeclareProperties(TPropertyDecl<TfrxReportEditorForm>& d) {
    d.Method("FormCreate", &TfrxReportEditorForm::FormCreate);
    d.Method("FormShow", &TfrxReportEditorForm::FormShow);
    d.Method("FormHide", &TfrxReportEditorForm::FormHide);
    d.Method("FormCloseQuery", &TfrxReportEditorForm::FormCloseQuery);
    d.Method("PictureBClick", &TfrxReportEditorForm::PictureBClick);
    d.Method("PrintersLBDrawItem", &TfrxReportEditorForm::PrintersLBDrawItem);
}

void TfrxReportEditorForm::BindFields() {
    Bind(PageControl, "PageControl");
    Bind(GeneralTS, "GeneralTS");
    Bind(ReportSettingsL, "ReportSettingsL");
    Bind(PrintersLB, "PrintersLB");
    Bind(CopiesL, "CopiesL");
    Bind(CopiesE, "CopiesE");
    Bind(CollateCB, "CollateCB");
    Bind(GeneralL, "GeneralL");
    Bind(PasswordL, "PasswordL");
    Bind(PasswordE, "PasswordE");
    Bind(DoublePassCB, "DoublePassCB");
    Bind(PrintIfEmptyCB, "PrintIfEmptyCB");
    Bind(DescriptionTS, "DescriptionTS");
    Bind(DescriptionL, "DescriptionL");
    Bind(NameL, "NameL");
    Bind(NameE, "NameE");
    Bind(Description1L, "Description1L");
    Bind(DescriptionE, "DescriptionE");
    Bind(PictureL, "PictureL");
    Bind(PictureImg, "PictureImg");
    Bind(PictureB, "PictureB");
    Bind(AuthorL, "AuthorL");
    Bind(AuthorE, "AuthorE");
    Bind(VersionL, "VersionL");
    Bind(MajorL, "MajorL");
    Bind(MinorL, "MinorL");
    Bind(ReleaseL, "ReleaseL");
    Bind(BuildL, "BuildL");
    Bind(MajorE, "MajorE");
    Bind(MinorE, "MinorE");
    Bind(ReleaseE, "ReleaseE");
    Bind(BuildE, "BuildE");
    Bind(CreatedL, "CreatedL");
    Bind(Created1L, "Created1L");
    Bind(ModifiedL, "ModifiedL");
    Bind(Modified1L, "Modified1L");
    Bind(OkB, "OkB");
    Bind(CancelB, "CancelB");
}

void TfrxReportEditorForm::FormCreate(TObject*) { frxResources().LocalizeForm(this); }

void TfrxReportEditorForm::FormShow(TObject*) {
    if (!Report) return;
    TStringList* rows = PrintersLB->Items();
    rows->Assign(frxPrinters().Printers());
    rows->Insert(0, frxResources().Get("prDefault"));
    PrintersLB->SetItemIndex(rows->IndexOf(Report->PrintOptions()->Printer));

    CollateCB->SetChecked(Report->PrintOptions()->Collate);
    CopiesE->SetText(IntToStr(Report->PrintOptions()->Copies));
    DoublePassCB->SetChecked(Report->EngineOptions()->DoublePass);
    PrintIfEmptyCB->SetChecked(Report->EngineOptions()->PrintIfEmpty);
    TfrxReportOptions* options = Report->ReportOptions();
    PasswordE->SetText(options->Password);
    NameE->SetText(options->Name);
    AuthorE->SetText(options->Author);
    DescriptionE->Lines()->Assign(*options->Description());
    PictureImg->Picture()->Assign(options->Picture());
    FitPicture();
    MajorE->SetText(options->VersionMajor);
    MinorE->SetText(options->VersionMinor);
    ReleaseE->SetText(options->VersionRelease);
    BuildE->SetText(options->VersionBuild);
    Created1L->SetCaption(DateText(options->CreateDate));
    Modified1L->SetCaption(DateText(options->LastChange));
}

void TfrxReportEditorForm::FitPicture() {
    TPicture* p = PictureImg->Picture();
    const bool larger = p->Width() > PictureImg->Width() || p->Height() > PictureImg->Height();
    PictureImg->SetStretch(larger);
    PictureImg->SetProportional(larger);
}

// Checked before anything is written, so that a bad number leaves the report as it was
// and the dialog open on it.
void TfrxReportEditorForm::FormCloseQuery(TObject*, bool& CanClose) {
    if (ModalResult() != mrOk) return;
    int copies = 0;
    if (TryStrToInt(Trim(CopiesE->Text()), copies) && copies >= 1) return;
    CanClose = false;
    PageControl->SetActivePage(GeneralTS);
    frxErrorMsg(Format(frxResources().Get("clInvalidCopies"), {CopiesE->Text()}));
    SetActiveControl(CopiesE);
}

void TfrxReportEditorForm::FormHide(TObject*) {
    if (ModalResult() != mrOk || !Report) return;
    if (PrintersLB->ItemIndex() >= 0) {
        Report->PrintOptions()->Printer = PrintersLB->Items()->Get(PrintersLB->ItemIndex());
        Report->SelectPrinter();
    }
    Report->PrintOptions()->Collate = CollateCB->Checked();
    Report->PrintOptions()->Copies = StrToInt(Trim(CopiesE->Text()));
    Report->EngineOptions()->DoublePass = DoublePassCB->Checked();
    Report->EngineOptions()->PrintIfEmpty = PrintIfEmptyCB->Checked();
    TfrxReportOptions* options = Report->ReportOptions();
    options->Password = PasswordE->Text();
    options->Name = NameE->Text();
    options->Author = AuthorE->Text();
    options->Description()->Assign(*DescriptionE->Lines());
    options->SetPicture(PictureImg->Picture());
    options->VersionMajor = MajorE->Text();
    options->VersionMinor = MinorE->Text();
    options->VersionRelease = ReleaseE->Text();
    options->VersionBuild = BuildE->Text();
}

void TfrxReportEditorForm::PictureBClick(TObject*) {
    TPicture edited;
    edited.Assign(*PictureImg->Picture());
    if (!frxShowPictureEditor(&edited, Owner())) return;
    PictureImg->Picture()->Assign(edited);
    FitPicture();
}

// A printer's row: the printer picture, the name and, for installed printers with a
// port, "on <port>".
void TfrxReportEditorForm::PrintersLBDrawItem(TWinControl*, int Index, TRect ARect, TOwnerDrawState) {
    TCanvas* c = PrintersLB->Canvas();
    c->FillRect(ARect);
    frxResources().MainButtonImages()->Draw(c, ARect.Left + 2, ARect.Top, frxButton::Print);
    if (Index < 0 || Index >= PrintersLB->Items()->Count()) return;
    std::string text = PrintersLB->Items()->Get(Index);
    if (Index > 0 && Index - 1 < frxPrinters().Count()) {
        const std::string& port = frxPrinters().Items(Index - 1)->Port();
        if (!port.empty()) text += " " + frxResources().Get("rePrnOnPort") + " " + port;
    }
    c->TextOut(ARect.Left + 24, ARect.Top + 1, text);
}

bool frxShowReportEditor(TfrxReport* Report, TComponent* Owner) {
    if (!Report) return false;
    auto form = std::make_unique<TfrxReportEditorForm>(Owner);
    form->Report = Report;
    return form->ShowModal() == mrOk;
}
