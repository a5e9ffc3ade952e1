// Message boxes and the standard dialogs: MessageBox flags and answers with their Windows
// values, MessageDlg, ShowMessage, InputBox/InputQuery, SelectDirectory, and the dialog
// components (open, save, colour, font). All of them go through DialogService().
#pragma once

#include "platform/ui/DialogService.h"

#include <string>
#include <vector>

// MessageBox flags (Windows values; scripts and forms pass them as numbers).
enum : int {
    MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2, MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4, MB_RETRYCANCEL = 0x5, MB_TYPEMASK = 0xF,
    MB_ICONHAND = 0x10, MB_ICONQUESTION = 0x20, MB_ICONEXCLAMATION = 0x30, MB_ICONASTERISK = 0x40,
    MB_ICONSTOP = MB_ICONHAND, MB_ICONERROR = MB_ICONHAND, MB_ICONWARNING = MB_ICONEXCLAMATION,
    MB_ICONINFORMATION = MB_ICONASTERISK, MB_ICONMASK = 0xF0,
    MB_DEFBUTTON1 = 0x000, MB_DEFBUTTON2 = 0x100, MB_DEFBUTTON3 = 0x200, MB_DEFMASK = 0xF00,
};
// MessageBox answers.
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

// Modal results: what ShowModal and MessageDlg return.
using TModalResult = int;
enum : int {
    mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
    mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10,
};

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll,
                  mbYesToAll, mbHelp };
using TMsgDlgButtons = int;   // a set: bit (1 << TMsgDlgBtn)
constexpr TMsgDlgButtons MsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons) {
    int set = 0;
    for (TMsgDlgBtn b : buttons) set |= 1 << b;
    return set;
}
constexpr TMsgDlgButtons mbYesNoCancel = (1 << mbYes) | (1 << mbNo) | (1 << mbCancel);
constexpr TMsgDlgButtons mbOKCancel = (1 << mbOK) | (1 << mbCancel);
constexpr TMsgDlgButtons mbAbortRetryIgnore = (1 << mbAbort) | (1 << mbRetry) | (1 << mbIgnore);
constexpr TMsgDlgButtons mbYesNo = (1 << mbYes) | (1 << mbNo);

// The caption MessageDlg gives each type ("" for mtCustom: the application title).
std::string MsgDlgCaption(TMsgDlgType type);

// MessageDlg returns the modal result of the pressed button.
int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx = 0);
void ShowMessage(const std::string& msg);
// InputBox returns the default when the user cancels.
std::string InputBox(const std::string& caption, const std::string& prompt,
                     const std::string& defaultValue);
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);
// Lets the user pick a folder; on success the folder replaces directory.
bool SelectDirectory(const std::string& caption, const std::string& root, std::string& directory);

// The beep of MessageBeep: the program's hook (tests count beeps; offscreen it is silent).
void MessageBeep(unsigned type);
void Beep();
void SetBeepHook(void (*hook)(unsigned type));

// Turns a filter as the forms store it ("Text files (*.txt)|*.txt;*.log|All|*.*") into the
// list of Qt name filters ("Text files (*.txt) (*.txt *.log)", "All (*.*)").
std::vector<std::string> FilterToNameFilters(const std::string& filter);

// --- The dialog components -------------------------------------------------------------
#include "platform/classes/Classes.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/StringList.h"

#include <memory>

ROVE_ENUM(TOpenOption, ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
          ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware,
          ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog,
          ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing)
ROVE_SET(TOpenOptions, TOpenOption)
ROVE_ENUM(TColorDialogOption, cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor)
ROVE_SET(TColorDialogOptions, TColorDialogOption)
ROVE_ENUM(TFontDialogOption, fdAnsiOnly, fdTrueTypeOnly, fdEffects, fdFixedPitchOnly, fdForceFontExist, fdNoFaceSel,
          fdNoOEMFonts, fdNoSimulations, fdNoSizeSel, fdNoStyleSel, fdNoVectorFonts, fdShowHelp, fdWysiwyg, fdLimitSize,
          fdScalableOnly, fdApplyButton)
ROVE_SET(TFontDialogOptions, TFontDialogOption)
ROVE_ENUM(TPrintRange, prAllPages, prSelection, prPageNums)
ROVE_ENUM(TPrintDialogOption, poPrintToFile, poPageNums, poSelection, poWarning, poHelp, poDisablePrintToFile)
ROVE_SET(TPrintDialogOptions, TPrintDialogOption)

// The printer the print and printer-setup dialogs work on, shared by both as the class
// library's printer object is: the queue ("" = the default queue), paper and orientation
// chosen last. A print dialog starts from the queue a setup dialog chose, and back.
struct TPrinterChoice {
    std::string PrinterName;
    int PaperSize = 9;        // A4
    int Orientation = 0;      // portrait
};
TPrinterChoice& CurrentPrinterChoice();

class TCommonDialog : public TComponent {
    ROVE_CLASS(TCommonDialog, TComponent)
public:
    explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
    // Shows the dialog; true when the user confirmed.
    virtual bool Execute() = 0;
    TNotifyEvent OnShow;
    TNotifyEvent OnClose;
    static void DeclareProperties(TPropertyDecl<TCommonDialog>& d);
};

class TOpenDialog : public TCommonDialog {
    ROVE_CLASS(TOpenDialog, TCommonDialog)
public:
    explicit TOpenDialog(TComponent* AOwner);
    bool Execute() override;
    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& Value) { FFileName = Value; }
    // Every chosen file (one unless ofAllowMultiSelect).
    TStringList* Files() const { return FFiles.get(); }
    const std::string& Filter() const { return FFilter; }
    void SetFilter(const std::string& Value) { FFilter = Value; }
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int Value) { FFilterIndex = Value; }
    const std::string& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const std::string& Value) { FInitialDir = Value; }
    const std::string& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const std::string& Value) { FDefaultExt = Value; }
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& Value) { FTitle = Value; }
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions Value) { FOptions = Value; }
    static void DeclareProperties(TPropertyDecl<TOpenDialog>& d);

protected:
    bool Run(TDialogKind Kind);

private:
    std::string FFileName;
    std::unique_ptr<TStringList> FFiles;
    std::string FFilter;
    int FFilterIndex = 1;
    std::string FInitialDir;
    std::string FDefaultExt;
    std::string FTitle;
    TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
    ROVE_CLASS(TSaveDialog, TOpenDialog)
public:
    explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
    bool Execute() override;
};

class TColorDialog : public TCommonDialog {
    ROVE_CLASS(TColorDialog, TCommonDialog)
public:
    explicit TColorDialog(TComponent* AOwner);
    bool Execute() override;
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    // "ColorA=RRGGBB" lines, as the platform keeps custom colours.
    TStringList* CustomColors() const { return FCustomColors.get(); }
    void SetCustomColors(TStringList* Value) { if (Value) FCustomColors->Assign(*Value); }
    TColorDialogOptions Options() const { return FOptions; }
    void SetOptions(TColorDialogOptions Value) { FOptions = Value; }
    static void DeclareProperties(TPropertyDecl<TColorDialog>& d);

private:
    TColor FColor = clBlack;
    std::unique_ptr<TStringList> FCustomColors;
    TColorDialogOptions FOptions;
};

class TFontDialog : public TCommonDialog {
    ROVE_CLASS(TFontDialog, TCommonDialog)
public:
    explicit TFontDialog(TComponent* AOwner);
    bool Execute() override;
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TFontDialogOptions Options() const { return FOptions; }
    void SetOptions(TFontDialogOptions Value) { FOptions = Value; }
    static void DeclareProperties(TPropertyDecl<TFontDialog>& d);

private:
    std::unique_ptr<TFont> FFont;
    TFontDialogOptions FOptions{fdEffects};
};

class TPrintDialog : public TCommonDialog {
    ROVE_CLASS(TPrintDialog, TCommonDialog)
public:
    explicit TPrintDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
    // Shows the printer list with copies, collation and the page range allowed by Options;
    // on OK the values come back and the chosen queue becomes the current printer.
    bool Execute() override;
    bool Collate = false;
    int Copies = 0;           // 0: not shown as set (the dialog starts from 1)
    int FromPage = 0;
    int ToPage = 0;
    int MinPage = 0;
    int MaxPage = 0;
    TPrintDialogOptions Options;
    TPrintRange PrintRange = prAllPages;
    bool PrintToFile = false;
    static void DeclareProperties(TPropertyDecl<TPrintDialog>& d);
};

class TPrinterSetupDialog : public TCommonDialog {
    ROVE_CLASS(TPrinterSetupDialog, TCommonDialog)
public:
    explicit TPrinterSetupDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
    // Shows the printer list with paper and orientation; on OK they become the current
    // printer's.
    bool Execute() override;
};
