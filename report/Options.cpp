// Report options.
#include "report/Options.h"

#include <algorithm>
#include <optional>

#include "platform/graphics/Graphics.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringList.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxEngineOptions)
ROVE_IMPLEMENT_CLASS(TfrxPreviewOptions)
ROVE_IMPLEMENT_CLASS(TfrxPrintOptions)
ROVE_IMPLEMENT_CLASS(TfrxReportOptions)

namespace {
TfrxPasswordQuery& PasswordQuery() {
    static TfrxPasswordQuery query;
    return query;
}
}  // namespace

void SetfrxPasswordQuery(TfrxPasswordQuery Query) { PasswordQuery() = std::move(Query); }

// --- Engine options ------------------------------------------------------------------------

TfrxEngineOptions::TfrxEngineOptions() = default;

void TfrxEngineOptions::DeclareProperties(TPropertyDecl<TfrxEngineOptions>& d) {
    d.Property("ConvertNulls", &TfrxEngineOptions::ConvertNulls, &TfrxEngineOptions::ConvertNulls).Default(true);
    d.Property("DoublePass", &TfrxEngineOptions::DoublePass, &TfrxEngineOptions::DoublePass).Default(false);
    d.Property("MaxMemSize", &TfrxEngineOptions::MaxMemSize, &TfrxEngineOptions::MaxMemSize).Default(10);
    d.Property("PrintIfEmpty", &TfrxEngineOptions::PrintIfEmpty, &TfrxEngineOptions::PrintIfEmpty).Default(true);
    d.Property("SilentMode", &TfrxEngineOptions::SilentMode, &TfrxEngineOptions::SilentMode).Default(false);
    d.Property("TempDir", &TfrxEngineOptions::TempDir, &TfrxEngineOptions::TempDir);
    d.Property("UseFileCache", &TfrxEngineOptions::UseFileCache, &TfrxEngineOptions::UseFileCache).Default(false);
}

void TfrxEngineOptions::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TfrxEngineOptions*>(Source);
    if (!s) return;
    ConvertNulls = s->ConvertNulls;
    DoublePass = s->DoublePass;
    MaxMemSize = s->MaxMemSize;
    PrintIfEmpty = s->PrintIfEmpty;
    SilentMode = s->SilentMode;
    TempDir = s->TempDir;
    UseFileCache = s->UseFileCache;
}

void TfrxEngineOptions::Clear() {
    ConvertNulls = true;
    DoublePass = false;
}

// --- Preview options -----------------------------------------------------------------------

TfrxPreviewOptions::TfrxPreviewOptions()
    : Buttons{pbPrint, pbLoad, pbSave, pbExport, pbZoom, pbFind, pbOutline, pbPageSetup, pbTools,
              pbEdit, pbNavigator} {}

void TfrxPreviewOptions::DeclareProperties(TPropertyDecl<TfrxPreviewOptions>& d) {
    using T = TfrxPreviewOptions;
    d.Property("AllowEdit", &T::AllowEdit, &T::AllowEdit).Default(true);
    d.Property("Buttons", &T::Buttons, &T::Buttons).NoDefault();
    d.Property("DoubleBuffered", &T::DoubleBuffered, &T::DoubleBuffered).Default(true);
    d.Property("Maximized", &T::Maximized, &T::Maximized).Default(true);
    d.Property("MDIChild", &T::MDIChild, &T::MDIChild).Default(false);
    d.Property("Modal", &T::Modal, &T::Modal).Default(true);
    d.Property("OutlineVisible", &T::OutlineVisible, &T::OutlineVisible).Default(false);
    d.Property("OutlineWidth", &T::OutlineWidth, &T::OutlineWidth).Default(120);
    d.Property("ShowCaptions", &T::ShowCaptions, &T::ShowCaptions).Default(false);
    d.Property("Zoom", &T::Zoom, &T::Zoom);
    d.Property("ZoomMode", &T::ZoomMode, &T::ZoomMode).Default(zmDefault);
}

void TfrxPreviewOptions::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TfrxPreviewOptions*>(Source);
    if (!s) return;
    AllowEdit = s->AllowEdit;
    Buttons = s->Buttons;
    DoubleBuffered = s->DoubleBuffered;
    Maximized = s->Maximized;
    MDIChild = s->MDIChild;
    Modal = s->Modal;
    OutlineVisible = s->OutlineVisible;
    OutlineWidth = s->OutlineWidth;
    ShowCaptions = s->ShowCaptions;
    Zoom = s->Zoom;
    ZoomMode = s->ZoomMode;
}

void TfrxPreviewOptions::Clear() {
    OutlineVisible = false;
    OutlineWidth = 120;
}

// --- Print options -------------------------------------------------------------------------

TfrxPrintOptions::TfrxPrintOptions() { Clear(); }

void TfrxPrintOptions::DeclareProperties(TPropertyDecl<TfrxPrintOptions>& d) {
    using T = TfrxPrintOptions;
    d.Property("Copies", &T::Copies, &T::Copies).Default(1);
    d.Property("Collate", &T::Collate, &T::Collate).Default(true);
    d.Property("PageNumbers", &T::PageNumbers, &T::PageNumbers);
    d.Property("Printer", &T::Printer, &T::Printer);
    d.Property("PrintPages", &T::PrintPages, &T::PrintPages).Default(ppAll);
    d.Property("ShowDialog", &T::ShowDialog, &T::ShowDialog).Default(true);
}

void TfrxPrintOptions::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TfrxPrintOptions*>(Source);
    if (!s) return;
    Copies = s->Copies;
    Collate = s->Collate;
    PageNumbers = s->PageNumbers;
    Printer = s->Printer;
    PrintPages = s->PrintPages;
    ShowDialog = s->ShowDialog;
}

void TfrxPrintOptions::Clear() {
    Copies = 1;
    Collate = true;
    PageNumbers.clear();
    Printer = frxResources().Get("prDefault");
    PrintPages = ppAll;
    ShowDialog = true;
}

// --- Report options ------------------------------------------------------------------------

TfrxReportOptions::TfrxReportOptions()
    : FDescription(std::make_unique<TStringList>()), FPicture(std::make_unique<TPicture>()) {
    Clear();
}

TfrxReportOptions::~TfrxReportOptions() = default;

void TfrxReportOptions::DeclareProperties(TPropertyDecl<TfrxReportOptions>& d) {
    using T = TfrxReportOptions;
    d.Property("Author", &T::Author, &T::Author);
    d.Property("Compressed", &T::Compressed, &T::Compressed).Default(false);
    d.Property("CreateDate", DateTimeTypeInfo(), &T::CreateDate, &T::CreateDate);
    d.Property("Description", &T::Description);
    d.Property("InitString", &T::InitString, &T::InitString);
    d.Property("Name", &T::Name, &T::Name);
    d.Property("LastChange", DateTimeTypeInfo(), &T::LastChange, &T::LastChange);
    d.Property("Password", &T::Password, &T::Password);
    d.Property("Picture", &T::Picture, &T::SetPicture);
    d.Property("VersionBuild", &T::VersionBuild, &T::VersionBuild);
    d.Property("VersionMajor", &T::VersionMajor, &T::VersionMajor);
    d.Property("VersionMinor", &T::VersionMinor, &T::VersionMinor);
    d.Property("VersionRelease", &T::VersionRelease, &T::VersionRelease);
}

void TfrxReportOptions::SetPicture(TPicture* Value) { FPicture->Assign(Value); }

void TfrxReportOptions::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TfrxReportOptions*>(Source);
    if (!s) return;
    Author = s->Author;
    Compressed = s->Compressed;
    CreateDate = s->CreateDate;
    FDescription->Assign(*s->FDescription);
    InitString = s->InitString;
    Name = s->Name;
    LastChange = s->LastChange;
    Password = s->Password;
    FPicture->Assign(s->FPicture.get());
    VersionBuild = s->VersionBuild;
    VersionMajor = s->VersionMajor;
    VersionMinor = s->VersionMinor;
    VersionRelease = s->VersionRelease;
}

void TfrxReportOptions::Clear() {
    Author.clear();
    Compressed = false;
    CreateDate = Now();
    FDescription->Clear();
    InitString.clear();
    Name.clear();
    LastChange = Now();
    Password.clear();
    FPicture->Clear();
    VersionBuild.clear();
    VersionMajor.clear();
    VersionMinor.clear();
    VersionRelease.clear();
}

bool TfrxReportOptions::CheckPassword() {
    if (Password.empty()) return true;
    std::string typed;
    const bool given = PasswordQuery() ? PasswordQuery()(typed) : frxAskPassword(typed);
    std::vector<std::string> others;
    others.swap(FOtherPasswords);
    if (!given) return false;
    if (typed == Password) return true;
    // The other reading of an old file's stored form: the typed text is the password.
    if (std::find(others.begin(), others.end(), typed) == others.end()) return false;
    Password = typed;
    return true;
}

// The stored form is defined on the bytes of the password as the Windows program held
// it (GBK): each byte lowered by 10 and kept as the character of that code (0 to 255), so
// that the file stays valid UTF-8 and reads back byte for byte. An ASCII password stores
// as the old program stored it.
std::string frxEncodePassword(std::string_view Password) {
    std::string bytes;
    try {
        bytes = Utf8ToGbk(Password);
    } catch (const EEncodingError&) {
        bytes.assign(Password);   // not text: its bytes as they are
    }
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) out += CodePointToUtf8(static_cast<unsigned char>(static_cast<unsigned char>(c) - 10));
    return out;
}

namespace {
// The text of stored bytes raised by 10, or nothing when they are no password a user can
// type (bytes that are no GBK text, or control characters).
std::optional<std::string> PasswordFromBytes(std::string bytes) {
    for (char& c : bytes) c = static_cast<char>(static_cast<unsigned char>(c) + 10);
    std::string text;
    try {
        text = GbkToUtf8(bytes);
    } catch (const EEncodingError&) {
        return std::nullopt;
    }
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return std::nullopt;
    return text;
}
}  // namespace

std::vector<std::string> frxPasswordReadings(std::string_view Stored) {
    // Characters 0 to 255 are the stored bytes (the form this program writes). The same
    // value may be a file of the Windows program read as UTF-8, its shifted GBK bytes
    // happening to form valid UTF-8: then the bytes are the value's as they stood in the
    // file. A value with a character above 255 can only be that; one with characters up to
    // 255 may be either, and both readings that give a password are kept.
    std::string codes;
    codes.reserve(Stored.size());
    bool own = true;
    for (size_t pos = 0; pos < Stored.size();) {
        const char32_t c = NextCodePoint(Stored, pos);
        if (c > 0xFF) {
            own = false;
            break;
        }
        codes += static_cast<char>(c);
    }
    std::vector<std::string> readings;
    if (own)
        if (auto text = PasswordFromBytes(codes)) readings.push_back(std::move(*text));
    if (!own || codes != Stored)
        if (auto text = PasswordFromBytes(std::string(Stored)))
            if (readings.empty() || *text != readings.front()) readings.push_back(std::move(*text));
    if (readings.empty()) {
        // Bytes that are no text: a password nobody can type, so the report stays shut.
        std::string out;
        for (size_t i = 0; i < std::max<size_t>(codes.size(), 1); ++i) out += "\xEF\xBF\xBD";
        readings.push_back(std::move(out));
    }
    return readings;
}

std::string frxDecodePassword(std::string_view Stored) { return frxPasswordReadings(Stored).front(); }
