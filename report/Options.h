// The four option objects every report owns and stores with itself as nested attributes
// ("EngineOptions.DoublePass"): how the layout engine runs, how the preview looks, how
// printing goes, and the report's descriptive data with its password.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/Persistent.h"
#include "platform/rtl/DateTime.h"

class TPicture;
class TStringList;

ROVE_ENUM(TfrxPreviewButton, pbPrint, pbLoad, pbSave, pbExport, pbZoom, pbFind, pbOutline,
          pbPageSetup, pbTools, pbEdit, pbNavigator)
ROVE_SET(TfrxPreviewButtons, TfrxPreviewButton)
ROVE_ENUM(TfrxZoomMode, zmDefault, zmWholePage, zmPageWidth, zmManyPages)
ROVE_ENUM(TfrxPrintPages, ppAll, ppOdd, ppEven)

class TfrxEngineOptions : public TPersistent {
    ROVE_CLASS(TfrxEngineOptions, TPersistent)
public:
    TfrxEngineOptions();
    // Copies the published values (not the thread); other classes are ignored.
    void Assign(TPersistent* Source) override;
    // Resets ConvertNulls and DoublePass.
    void Clear();

    bool ConvertNulls = true;
    bool DoublePass = false;
    int MaxMemSize = 10000000;     // declared default 10: a new report writes its value
    bool PrintIfEmpty = true;
    bool SilentMode = false;
    std::string TempDir;
    bool UseFileCache = false;
    // A report thread that Clear and loading are marshalled to (never set here).
    void* ReportThread = nullptr;

    static void DeclareProperties(TPropertyDecl<TfrxEngineOptions>& d);
};

class TfrxPreviewOptions : public TPersistent {
    ROVE_CLASS(TfrxPreviewOptions, TPersistent)
public:
    TfrxPreviewOptions();
    void Assign(TPersistent* Source) override;
    // Resets OutlineVisible and OutlineWidth.
    void Clear();

    bool AllowEdit = true;
    TfrxPreviewButtons Buttons;
    bool DoubleBuffered = true;
    bool Maximized = true;
    bool MDIChild = false;
    bool Modal = true;
    bool OutlineVisible = false;
    int OutlineWidth = 120;
    bool ShowCaptions = false;
    double Zoom = 1;
    TfrxZoomMode ZoomMode = zmDefault;

    static void DeclareProperties(TPropertyDecl<TfrxPreviewOptions>& d);
};

class TfrxPrintOptions : public TPersistent {
    ROVE_CLASS(TfrxPrintOptions, TPersistent)
public:
    TfrxPrintOptions();
    void Assign(TPersistent* Source) override;
    // Everything back to its value after creation; Printer is the "default printer" text.
    void Clear();

    int Copies = 1;
    bool Collate = true;
    std::string PageNumbers;
    std::string Printer;
    TfrxPrintPages PrintPages = ppAll;
    bool ShowDialog = true;

    static void DeclareProperties(TPropertyDecl<TfrxPrintOptions>& d);
};

// Asks for a password instead of the password window (a program that answers by other
// means); false when nothing was given. Empty: the password window asks.
using TfrxPasswordQuery = std::function<bool(std::string& Password)>;
void SetfrxPasswordQuery(TfrxPasswordQuery Query);
// Shows the password window (TfrxPasswordForm) modally; true with the typed text when it
// was closed with OK. Without the window system nobody can answer: false.
bool frxAskPassword(std::string& Password);

class TfrxReportOptions : public TPersistent {
    ROVE_CLASS(TfrxReportOptions, TPersistent)
public:
    TfrxReportOptions();
    ~TfrxReportOptions() override;
    void Assign(TPersistent* Source) override;
    void Clear();
    // True at once for an empty password; otherwise the password window (or the
    // installed query) asks, and only OK with exactly the password (case counts) passes.
    bool CheckPassword();
    // Further texts the next CheckPassword takes as the password (the other reading of an
    // old file's stored form); the text typed becomes the password. Used once.
    void SetOtherPasswords(std::vector<std::string> Others) { FOtherPasswords = std::move(Others); }

    std::string Author;
    bool Compressed = false;
    TDateTime CreateDate = 0;
    TStringList* Description() const { return FDescription.get(); }
    std::string InitString;
    std::string Name;
    TDateTime LastChange = 0;
    std::string Password;
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value);
    std::string VersionBuild, VersionMajor, VersionMinor, VersionRelease;

    static void DeclareProperties(TPropertyDecl<TfrxReportOptions>& d);

private:
    std::unique_ptr<TStringList> FDescription;
    std::unique_ptr<TPicture> FPicture;
    std::vector<std::string> FOtherPasswords;
};

// The stored form of a password: each byte of its GBK form lowered by 10 (modulo 256), as
// the characters 0 to 255, and back. Kept for the files of the Windows program; it hides
// nothing.
std::string frxEncodePassword(std::string_view Password);
std::string frxDecodePassword(std::string_view Stored);
// The passwords a stored form can be, the one this program's own form gives first: a file
// of the Windows program that reads as UTF-8 can hold the same characters as one of ours.
std::vector<std::string> frxPasswordReadings(std::string_view Stored);
