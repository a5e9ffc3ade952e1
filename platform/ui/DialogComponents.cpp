// The dialog components: their properties go into a request for the dialog service and
// the answer comes back into them.
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/UiInternal.h"

ROVE_IMPLEMENT_CLASS(TCommonDialog)
ROVE_IMPLEMENT_CLASS(TOpenDialog)
ROVE_IMPLEMENT_CLASS(TSaveDialog)
ROVE_IMPLEMENT_CLASS(TColorDialog)
ROVE_IMPLEMENT_CLASS(TFontDialog)

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
