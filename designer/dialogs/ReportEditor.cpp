// The report settings dialog.
#include "designer/dialogs/ReportEditor.h"

#include <memory>

#include "designer/FormResources.h"
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

void RegisterReportEditorForm() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterDesignerFormResources();
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
