// The print dialog.
#include "preview/PrintDialog.h"
#include "preview/PrinterPropertiesDialog.h"

#include <memory>

#include "platform/classes/Streaming.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/ImgList.h"
#include "preview/FormResources.h"
#include "report/Images.h"
#include "report/Printer.h"
#include "report/Resources.h"
#include "report/Utils.h"

ROVE_IMPLEMENT_CLASS(TfrxPrintDialog)

namespace {

void RegisterPrintDialog() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterPreviewFormResources();
        return true;
    }();
    (void)done;
}

// One sheet of the copies picture: a white page with its number.
void DrawSheet(TCanvas* c, int x, int y, const std::string& number) {
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clWhite);
    c->Rectangle(x, y, x + 18, y + 24);
    c->Brush()->SetStyle(bsClear);
    c->TextOut(x + 5, y + 6, number);
    c->Brush()->SetStyle(bsSolid);
}

}  // namespace

TfrxPrintDialog::TfrxPrintDialog(TComponent* AOwner) : TForm(AOwner) {
    RegisterPrintDialog();
    InitForm();
}

void TfrxPrintDialog::DeclareProperties(TPropertyDecl<TfrxPrintDialog>& d) {
    d.Method("FormCreate", &TfrxPrintDialog::FormCreate);
    d.Method("FormShow", &TfrxPrintDialog::FormShow);
    d.Method("FormHide", &TfrxPrintDialog::FormHide);
    d.Method("FormCloseQuery", &TfrxPrintDialog::FormCloseQuery);
    d.Method("PrintersCBClick", &TfrxPrintDialog::PrintersCBClick);
    d.Method("PrintersCBDrawItem", &TfrxPrintDialog::PrintersCBDrawItem);
    d.Method("PropButtonClick", &TfrxPrintDialog::PropButtonClick);
    d.Method("PageNumbersEEnter", &TfrxPrintDialog::PageNumbersEEnter);
    d.Method("PageNumbersRBClick", &TfrxPrintDialog::PageNumbersRBClick);
    d.Method("CollateLClick", &TfrxPrintDialog::CollateLClick);
    d.Method("CollateCBClick", &TfrxPrintDialog::CollateCBClick);
    d.Method("CopiesPBPaint", &TfrxPrintDialog::CopiesPBPaint);
}

void TfrxPrintDialog::BindFields() {
    Bind(Label12, "Label12");
    Bind(PrintersCB, "PrintersCB");
    Bind(PropButton, "PropButton");
    Bind(TypeL, "TypeL");
    Bind(TypeL1, "TypeL1");
    Bind(WhereL, "WhereL");
    Bind(WhereL1, "WhereL1");
    Bind(FileCB, "FileCB");
    Bind(ReverseCB, "ReverseCB");
    Bind(Label1, "Label1");
    Bind(AllRB, "AllRB");
    Bind(CurPageRB, "CurPageRB");
    Bind(PageNumbersRB, "PageNumbersRB");
    Bind(PageNumbersE, "PageNumbersE");
    Bind(DescrL, "DescrL");
    Bind(Label2, "Label2");
    Bind(CopiesL, "CopiesL");
    Bind(CopiesE, "CopiesE");
    Bind(UpDown1, "UpDown1");
    Bind(CollateCB, "CollateCB");
    Bind(CollateL, "CollateL");
    Bind(CopiesPB, "CopiesPB");
    Bind(PrintL, "PrintL");
    Bind(PrintPagesCB, "PrintPagesCB");
    Bind(OkB, "OkB");
    Bind(CancelB, "CancelB");
    Bind(FileDlg, "FileDlg");
}

void TfrxPrintDialog::FormCreate(TObject*) {
    frxResources().LocalizeForm(this);
    TStringList* items = PrintPagesCB->Items();
    items->Clear();
    items->Add(frxResources().Get("ppAll"));
    items->Add(frxResources().Get("ppOdd"));
    items->Add(frxResources().Get("ppEven"));
    PrintPagesCB->SetItemIndex(0);
}

void TfrxPrintDialog::FormShow(TObject*) {
    TfrxPrinters& printers = frxPrinters();
    PrintersCB->Items()->Assign(printers.Printers());
    PrintersCB->SetItemIndex(printers.PrinterIndex());
    PrintersCBClick(nullptr);
    OldIndex = printers.PrinterIndex();
    CopiesPB->Invalidate();
    // The odd/even choice the caller set stays; only a missing one falls back to all pages.
    if (PrintPagesCB->ItemIndex() < 0) PrintPagesCB->SetItemIndex(0);
    PrintPagesCB->SetLeft(PrintL->Left() + PrintL->Width() + 11);
}

void TfrxPrintDialog::FormCloseQuery(TObject*, bool& CanClose) {
    if (ModalResult() != mrOk) return;
    // The copies must be a whole number of at least one; the dialog stays open otherwise.
    int copies = 0;
    if (!TryStrToInt(Trim(CopiesE->Text()), copies) || copies < 1) {
        CanClose = false;
        frxErrorMsg(Format(frxResources().Get("clInvalidCopies"), {CopiesE->Text()}));
        SetActiveControl(CopiesE);
        CopiesE->SelectAll();
    }
}

void TfrxPrintDialog::FormHide(TObject*) {
    TfrxPrinters& printers = frxPrinters();
    if (ModalResult() == mrOk) {
        if (TfrxCustomPrinter* p = printers.Printer()) {
            p->FileName.clear();
            if (FileCB->Checked()) {
                if (FileDlg->Execute())
                    p->FileName = ChangeFileExt(FileDlg->FileName(), ".prn");
                else
                    SetModalResult(mrCancel);
            }
        }
    }
    // Whatever does not end in printing leaves the printer chosen before.
    if (ModalResult() != mrOk) printers.SetPrinterIndex(OldIndex);
}

// A printer's row: the printer picture, then its name.
void TfrxPrintDialog::PrintersCBDrawItem(TWinControl*, int Index, TRect Rect, TOwnerDrawState) {
    TCanvas* c = PrintersCB->Canvas();
    c->FillRect(Rect);
    frxResources().MainButtonImages()->Draw(c, Rect.Left + 2, Rect.Top, frxButton::Print);
    if (Index >= 0 && Index < PrintersCB->Items()->Count())
        c->TextOut(Rect.Left + 24, Rect.Top + 1, PrintersCB->Items()->Get(Index));
}

void TfrxPrintDialog::PrintersCBClick(TObject*) {
    TfrxPrinters& printers = frxPrinters();
    printers.SetPrinterIndex(PrintersCB->ItemIndex());
    if (TfrxCustomPrinter* p = printers.Printer()) {
        TypeL1->SetCaption(p->Name());
        WhereL1->SetCaption(p->Port());
    }
    // The properties are the queue's own options: none for the virtual printer or a queue
    // that offers none.
    TfrxCustomPrinter* p = printers.Printer();
    PropButton->SetEnabled(p && p->HasProperties());
}

void TfrxPrintDialog::PropButtonClick(TObject*) {
    if (TfrxCustomPrinter* p = frxPrinters().Printer()) p->PropertiesDlg();
}

void TfrxPrintDialog::PageNumbersEEnter(TObject*) { PageNumbersRB->SetChecked(true); }

void TfrxPrintDialog::PageNumbersRBClick(TObject*) {
    if (PageNumbersE->CanFocus()) PageNumbersE->SetFocus();
}

void TfrxPrintDialog::CollateLClick(TObject*) {
    CollateCB->SetChecked(!CollateCB->Checked());
    CopiesPB->Invalidate();
}

void TfrxPrintDialog::CollateCBClick(TObject*) { CopiesPB->Invalidate(); }

void TfrxPrintDialog::CopiesPBPaint(TObject*) {
    TCanvas* c = CopiesPB->Canvas();
    if (!c) return;
    c->Brush()->SetColor(clWindow);
    c->FillRect(CopiesPB->ClientRect());
    // Collated: two sets 1-2-3; not collated: each page twice.
    const char* const collated[] = {"1", "2", "3", "1", "2", "3"};
    const char* const plain[] = {"1", "1", "2", "2", "3", "3"};
    const char* const* order = CollateCB->Checked() ? collated : plain;
    for (int i = 0; i < 6; ++i) DrawSheet(c, (i / 3) * 50 + (i % 3) * 6, (i % 3) * 4, order[i]);
}

bool frxShowPrintDialog(TfrxPreviewPages* Pages, TfrxPrintSettings& Settings, TComponent* Owner) {
    auto form = std::make_unique<TfrxPrintDialog>(Owner);
    form->CopiesE->SetText(IntToStr(Settings.Copies));
    form->CollateCB->SetChecked(Settings.Collate);
    form->PageNumbersE->SetText(Settings.PageNumbers);
    // A page list given by the caller is what gets printed unless the user changes it.
    if (!Trim(Settings.PageNumbers).empty()) form->PageNumbersRB->SetChecked(true);
    form->PrintPagesCB->SetItemIndex(static_cast<int>(Settings.PrintPages));
    form->ReverseCB->SetChecked(Settings.Reverse);
    form->ShowModal();
    if (form->ModalResult() != mrOk) return false;
    Settings.Copies = StrToInt(Trim(form->CopiesE->Text()));
    Settings.Collate = form->CollateCB->Checked();
    if (form->AllRB->Checked())
        Settings.PageNumbers.clear();
    else if (form->CurPageRB->Checked())
        Settings.PageNumbers = IntToStr(Pages ? Pages->CurPreviewPage : 1);
    else
        Settings.PageNumbers = form->PageNumbersE->Text();
    const int pp = form->PrintPagesCB->ItemIndex();
    Settings.PrintPages = pp == 1 ? ppOdd : pp == 2 ? ppEven : ppAll;
    Settings.Reverse = form->ReverseCB->Checked();
    return true;
}

void frxInstallPrintDialog() {
    frxPrintDialogProc() = [](TfrxPreviewPages* Pages, TfrxPrintSettings& Settings) {
        return frxShowPrintDialog(Pages, Settings);
    };
    frxPrinterPropertiesProc() = [](TfrxCustomPrinter& Printer) { return frxShowPrinterProperties(Printer); };
}
