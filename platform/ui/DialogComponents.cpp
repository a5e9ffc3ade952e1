// The dialog components: their properties go into a request for the dialog service and
// the answer comes back into them.
#include <algorithm>

#include "platform/graphics/Printers.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/UiInternal.h"

ROVE_IMPLEMENT_CLASS(TCommonDialog)
ROVE_IMPLEMENT_CLASS(TOpenDialog)
ROVE_IMPLEMENT_CLASS(TSaveDialog)
ROVE_IMPLEMENT_CLASS(TColorDialog)
ROVE_IMPLEMENT_CLASS(TFontDialog)
ROVE_IMPLEMENT_CLASS(TPrintDialog)
ROVE_IMPLEMENT_CLASS(TPrinterSetupDialog)

void TCommonDialog::DeclareProperties(TPropertyDecl<TCommonDialog>& d) {
    d.Event("OnClose", &TCommonDialog::OnClose);
    d.Event("OnShow", &TCommonDialog::OnShow);
}

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFiles(std::make_unique<TStringList>()) {}

bool TOpenDialog::Run(TDialogKind Kind) {
    TDialogRequest r;
    r.Kind = Kind;
    r.Caption = FTitle;
    r.Value = FFileName;
    r.Filter = FFilter;
    r.FilterIndex = FFilterIndex;
    r.InitialDir = FInitialDir;
    r.DefaultExt = FDefaultExt;
    r.Flags = static_cast<int>(FOptions.Mask());
    OnShow(this);
    TDialogAnswer a = RunDialog(r);
    OnClose(this);
    if (a.Result == 0) return false;
    FFileName = a.Value;
    // A name without an extension gets the default one, as the platform's dialog does.
    if (!FDefaultExt.empty()) {
        const size_t slash = FFileName.find_last_of('/');
        const size_t dot = FFileName.find_last_of('.');
        if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) FFileName += "." + FDefaultExt;
    }
    FFiles->Clear();
    if (a.Files.empty()) FFiles->Add(FFileName);
    for (const std::string& f : a.Files) FFiles->Add(f);
    if (!a.Files.empty()) FFiles->Put(0, FFileName);
    FFilterIndex = a.FilterIndex;
    return true;
}

bool TOpenDialog::Execute() { return Run(TDialogKind::OpenFile); }

bool TSaveDialog::Execute() { return Run(TDialogKind::SaveFile); }

void TOpenDialog::DeclareProperties(TPropertyDecl<TOpenDialog>& d) {
    d.Property("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
    d.Property("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
    d.Property("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
    d.Property("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex).Default(1);
    d.Property("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
    d.Property("Options", &TOpenDialog::Options, &TOpenDialog::SetOptions)
        .Default(TOpenOptions{ofHideReadOnly, ofEnableSizing}.Mask());
    d.Property("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
}

TColorDialog::TColorDialog(TComponent* AOwner) : TCommonDialog(AOwner), FCustomColors(std::make_unique<TStringList>()) {}

bool TColorDialog::Execute() {
    TDialogRequest r;
    r.Kind = TDialogKind::Color;
    r.Color = ColorToRGB(FColor);
    r.Flags = static_cast<int>(FOptions.Mask());
    OnShow(this);
    TDialogAnswer a = RunDialog(r);
    OnClose(this);
    if (a.Result == 0) return false;
    FColor = a.Color;
    return true;
}

void TColorDialog::DeclareProperties(TPropertyDecl<TColorDialog>& d) {
    d.Property("Color", ColorTypeInfo(), &TColorDialog::Color, &TColorDialog::SetColor).Default(clBlack);
    d.Property("CustomColors", &TColorDialog::CustomColors, &TColorDialog::SetCustomColors);
    d.Property("Options", &TColorDialog::Options, &TColorDialog::SetOptions).Default(0);
}

TFontDialog::TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFont(std::make_unique<TFont>()) {}

bool TFontDialog::Execute() {
    TDialogRequest r;
    r.Kind = TDialogKind::Font;
    r.Font.Name = FFont->Name();
    r.Font.Size = FFont->Size();
    r.Font.Style = FFont->Style().Mask();
    r.Font.Color = FFont->Color();
    r.Flags = static_cast<int>(FOptions.Mask());
    OnShow(this);
    TDialogAnswer a = RunDialog(r);
    OnClose(this);
    if (a.Result == 0) return false;
    FFont->SetName(a.Font.Name);
    FFont->SetSize(a.Font.Size);
    FFont->SetStyle(TFontStyles::FromMask(a.Font.Style & 15u));
    FFont->SetColor(a.Font.Color);
    return true;
}

void TFontDialog::DeclareProperties(TPropertyDecl<TFontDialog>& d) {
    d.Property("Font", &TFontDialog::Font, &TFontDialog::SetFont);
    d.Property("Options", &TFontDialog::Options, &TFontDialog::SetOptions).Default(TFontDialogOptions{fdEffects}.Mask());
}

// --- Print and printer setup ------------------------------------------------------------------

TPrinterChoice& CurrentPrinterChoice() {
    static TPrinterChoice choice;
    return choice;
}

namespace {

// The installed queues and the current one (the default queue until a dialog chose one).
TPrintChoice PrinterList() {
    TPrintChoice c;
    for (const TPrinterInfo& p : EnumPrinters()) c.Printers.push_back(p.Name);
    c.PrinterName = CurrentPrinterChoice().PrinterName.empty() ? DefaultPrinterName() : CurrentPrinterChoice().PrinterName;
    c.PaperSize = CurrentPrinterChoice().PaperSize;
    c.Orientation = CurrentPrinterChoice().Orientation;
    return c;
}

}  // namespace

bool TPrintDialog::Execute() {
    TDialogRequest r;
    r.Kind = TDialogKind::Print;
    r.Flags = static_cast<int>(Options.Mask());
    r.Print = PrinterList();
    r.Print.Copies = Copies > 0 ? Copies : 1;
    r.Print.Collate = Collate;
    r.Print.Range = PrintRange;
    r.Print.FromPage = FromPage;
    r.Print.ToPage = ToPage;
    r.Print.MinPage = MinPage;
    r.Print.MaxPage = MaxPage;
    r.Print.PrintToFile = PrintToFile;
    OnShow(this);
    TDialogAnswer a = RunDialog(r);
    OnClose(this);
    if (a.Result == 0) return false;
    Copies = std::max(1, a.Print.Copies);
    Collate = a.Print.Collate;
    // A range the options do not offer falls back to all pages.
    PrintRange = static_cast<TPrintRange>(a.Print.Range);
    if ((PrintRange == prSelection && !Options.Contains(poSelection)) ||
        (PrintRange == prPageNums && !Options.Contains(poPageNums)) || PrintRange < prAllPages || PrintRange > prPageNums)
        PrintRange = prAllPages;
    if (PrintRange == prPageNums) {
        FromPage = a.Print.FromPage;
        ToPage = a.Print.ToPage;
        if (MaxPage > MinPage) {
            FromPage = std::clamp(FromPage, MinPage, MaxPage);
            ToPage = std::clamp(ToPage, FromPage, MaxPage);
        }
    }
    PrintToFile = Options.Contains(poPrintToFile) && !Options.Contains(poDisablePrintToFile) && a.Print.PrintToFile;
    CurrentPrinterChoice().PrinterName = a.Print.PrinterName;
    return true;
}

void TPrintDialog::DeclareProperties(TPropertyDecl<TPrintDialog>& d) {
    using P = TPrintDialog;
    d.Property("Collate", &P::Collate, &P::Collate).Default(false);
    d.Property("Copies", &P::Copies, &P::Copies).Default(0);
    d.Property("FromPage", &P::FromPage, &P::FromPage).Default(0);
    d.Property("MinPage", &P::MinPage, &P::MinPage).Default(0);
    d.Property("MaxPage", &P::MaxPage, &P::MaxPage).Default(0);
    d.Property("Options", &P::Options, &P::Options).Default(0);
    d.Property("PrintToFile", &P::PrintToFile, &P::PrintToFile).Default(false);
    d.Property("PrintRange", &P::PrintRange, &P::PrintRange).Default(prAllPages);
    d.Property("ToPage", &P::ToPage, &P::ToPage).Default(0);
}

bool TPrinterSetupDialog::Execute() {
    TDialogRequest r;
    r.Kind = TDialogKind::PrinterSetup;
    r.Print = PrinterList();
    OnShow(this);
    TDialogAnswer a = RunDialog(r);
    OnClose(this);
    if (a.Result == 0) return false;
    TPrinterChoice& c = CurrentPrinterChoice();
    c.PrinterName = a.Print.PrinterName;
    if (a.Print.PaperSize > 0) c.PaperSize = a.Print.PaperSize;
    c.Orientation = a.Print.Orientation == 1 ? 1 : 0;
    return true;
}
