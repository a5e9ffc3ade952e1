// The seam every message box and standard dialog passes through. The program runs with the
// Qt implementation; tests install a responder (UiTest.h) that answers from a script and
// records what was asked, so no modal window ever blocks a test.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class TDialogKind {
    MessageBox,       // Application->MessageBox and the message boxes built on it
    MessageDlg,       // MessageDlg and ShowMessage
    InputQuery,       // InputBox and InputQuery
    OpenFile,
    SaveFile,
    Color,
    Font,
    SelectDirectory,
    Print,            // TPrintDialog: printer, copies, collation, page range
    PrinterSetup,     // TPrinterSetupDialog: printer, paper, orientation
};
const char* DialogKindName(TDialogKind kind);

// What a font dialog starts from and answers with.
struct TFontChoice {
    std::string Name;
    int Size = 0;             // points
    unsigned Style = 0;       // bits: 1 bold, 2 italic, 4 underline, 8 strike-out
    int32_t Color = 0;        // TColor
};

// What the print and printer-setup dialogs start from and answer with.
struct TPrintChoice {
    std::vector<std::string> Printers;   // the installed queues (the dialog's list)
    std::string PrinterName;             // the chosen queue ("" when there is none)
    int Copies = 1;
    bool Collate = false;
    int Range = 0;                       // TPrintRange: all pages, selection, page numbers
    int FromPage = 0, ToPage = 0, MinPage = 0, MaxPage = 0;
    bool PrintToFile = false;
    int PaperSize = 0;                   // paper number (setup)
    int Orientation = 0;                 // 0 portrait, 1 landscape (setup)
};

struct TDialogRequest {
    TDialogKind Kind = TDialogKind::MessageBox;
    std::string Caption;          // window caption (file dialogs: Title)
    std::string Text;             // message or prompt
    int Flags = 0;                // MessageBox: MB_ flags; MessageDlg: TMsgDlgButtons;
                                  // file dialogs: TOpenOptions
    int DlgType = 0;              // MessageDlg: TMsgDlgType
    std::string Value;            // default text, file name or directory
    std::string Filter;           // "desc|*.a;*.b|desc2|*.c" as the forms store it
    int FilterIndex = 1;          // 1-based
    std::string InitialDir;
    std::string DefaultExt;
    int32_t Color = 0;            // colour dialog: the starting colour
    TFontChoice Font;             // font dialog: the starting font
    TPrintChoice Print;           // print and printer-setup dialogs; Flags: TPrintDialogOptions
};

struct TDialogAnswer {
    // MessageBox: IDOK..IDNO; MessageDlg: mrOk..mrYesToAll; the other kinds: 1 when the user
    // confirmed, 0 when cancelled.
    int Result = 0;
    std::string Value;            // typed text, chosen file name or directory
    std::vector<std::string> Files;   // all chosen files (multi-select); Value is the first
    int FilterIndex = 1;
    int32_t Color = 0;
    TFontChoice Font;
    TPrintChoice Print;
};

class TDialogService {
public:
    virtual ~TDialogService() = default;
    virtual TDialogAnswer Show(const TDialogRequest& request) = 0;
};

// The service in force (the Qt one unless a test installed another).
TDialogService& DialogService();
// Installs a service for the lifetime of the returned guard object; nesting restores in order.
class TDialogServiceScope {
public:
    explicit TDialogServiceScope(TDialogService& service);
    ~TDialogServiceScope();
    TDialogServiceScope(const TDialogServiceScope&) = delete;
    TDialogServiceScope& operator=(const TDialogServiceScope&) = delete;

private:
    TDialogService* FPrevious;
};
