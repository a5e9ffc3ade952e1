// The settings store: ini files, and the registry keys of the Windows program kept as ini
// sections. A key path such as "\Software\Quirewell\Form.TfrxDesignerForm" is the section
// [Software\Quirewell\Form.TfrxDesignerForm] of registry.ini in the settings folder
// ($XDG_CONFIG_HOME/rove, else ~/.config/rove). Section and value names are compared
// ignoring ASCII case, as the registry and ini files of that program compare them.
//
// File format: "[section]" lines and "name=value" lines, blanks around both trimmed, ';'
// starting a comment line; written as UTF-8 with LF, read also as GB18030 and with CR LF.
// A value holding a line break, or blanks at its ends, is written in double quotes with
// \\ \" \r \n escapes, so every text reads back as it was written.
//
// TIniFile, TRegistryIniFile and TRegistry objects on the same file share one copy of its
// contents in the process, so a write through one is seen at once by the others. Changes
// reach the disk (through SaveFileAtomically) on UpdateFile, and when the last object on
// the file goes away; an unchanged copy reloads when the file changes on disk.
#pragma once

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"

#include <memory>
#include <string>
#include <string_view>

class TStrings;

ROVE_DECLARE_EXCEPTION(ERegistryException, Exception);

// The folder of the program's settings; tests point it elsewhere (an empty text restores
// the default). The environment variable ROVE_SETTINGS_DIR overrides the default too.
std::string SettingsDirectory();
void SetSettingsDirectory(const std::string& dir);
// SettingsDirectory() + "/registry.ini": where the registry keys live.
std::string RegistryFileName();

class TCustomIniFile {
public:
    explicit TCustomIniFile(std::string fileName) : FFileName(std::move(fileName)) {}
    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;
    virtual ~TCustomIniFile() = default;

    const std::string& FileName() const { return FFileName; }

    virtual std::string ReadString(std::string_view section, std::string_view ident,
                                   std::string_view def) = 0;
    // Raises EInOutError for names that an ini line cannot hold (line breaks; in a value
    // name also '=' or a leading '[' or ';').
    virtual void WriteString(std::string_view section, std::string_view ident,
                             std::string_view value) = 0;
    // The lists are cleared first. ReadSectionValues gives "name=value" lines.
    virtual void ReadSection(std::string_view section, TStrings& idents) = 0;
    virtual void ReadSections(TStrings& sections) = 0;
    virtual void ReadSectionValues(std::string_view section, TStrings& values) = 0;
    virtual void EraseSection(std::string_view section) = 0;
    virtual void DeleteKey(std::string_view section, std::string_view ident) = 0;
    virtual void UpdateFile() = 0;

    // Typed values are text: integers in decimal (read also as $hex or 0xhex), Booleans as
    // 1/0, floats as FloatToStr, dates as DateTimeToStr. Text that does not convert reads
    // as the default.
    int ReadInteger(std::string_view section, std::string_view ident, int def);
    void WriteInteger(std::string_view section, std::string_view ident, int value);
    bool ReadBool(std::string_view section, std::string_view ident, bool def);
    void WriteBool(std::string_view section, std::string_view ident, bool value);
    double ReadFloat(std::string_view section, std::string_view ident, double def);
    void WriteFloat(std::string_view section, std::string_view ident, double value);
    TDateTime ReadDateTime(std::string_view section, std::string_view ident, TDateTime def);
    void WriteDateTime(std::string_view section, std::string_view ident, TDateTime value);

    bool SectionExists(std::string_view section);     // a section with at least one value
    virtual bool ValueExists(std::string_view section, std::string_view ident);

private:
    std::string FFileName;
};

struct TIniSections;      // parsed contents: ordered sections of ordered name=value pairs
class TSharedIniFile;     // one file's contents shared in the process

// An ini file held in memory: loaded when created, written only by UpdateFile.
class TMemIniFile : public TCustomIniFile {
public:
    explicit TMemIniFile(std::string fileName);       // a missing file gives an empty store
    ~TMemIniFile() override;

    std::string ReadString(std::string_view section, std::string_view ident,
                           std::string_view def) override;
    void WriteString(std::string_view section, std::string_view ident,
                     std::string_view value) override;
    void ReadSection(std::string_view section, TStrings& idents) override;
    void ReadSections(TStrings& sections) override;
    void ReadSectionValues(std::string_view section, TStrings& values) override;
    void EraseSection(std::string_view section) override;
    void DeleteKey(std::string_view section, std::string_view ident) override;
    void UpdateFile() override;

    void Clear();
    // The contents as the lines of an ini file, and replaced by such lines.
    void GetStrings(TStrings& list) const;
    void SetStrings(const TStrings& list);

private:
    std::unique_ptr<TIniSections> FSections;
};

// An ini file on disk. A name without a folder lives in the settings folder, as such
// names lived in the system's folder on Windows.
class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(std::string fileName);
    ~TIniFile() override;

    std::string ReadString(std::string_view section, std::string_view ident,
                           std::string_view def) override;
    void WriteString(std::string_view section, std::string_view ident,
                     std::string_view value) override;
    void ReadSection(std::string_view section, TStrings& idents) override;
    void ReadSections(TStrings& sections) override;
    void ReadSectionValues(std::string_view section, TStrings& values) override;
    void EraseSection(std::string_view section) override;
    void DeleteKey(std::string_view section, std::string_view ident) override;
    void UpdateFile() override;

private:
    std::shared_ptr<TSharedIniFile> FStore;
};

// A registry key seen as an ini file: its sub-keys are the sections, their values the
// values ("\Software\Quirewell" with section "Form.X" is the key "\Software\Quirewell\Form.X").
class TRegistryIniFile : public TCustomIniFile {
public:
    explicit TRegistryIniFile(std::string keyPath);
    ~TRegistryIniFile() override;

    std::string ReadString(std::string_view section, std::string_view ident,
                           std::string_view def) override;
    void WriteString(std::string_view section, std::string_view ident,
                     std::string_view value) override;
    void ReadSection(std::string_view section, TStrings& idents) override;
    void ReadSections(TStrings& sections) override;         // the direct sub-keys
    void ReadSectionValues(std::string_view section, TStrings& values) override;
    void EraseSection(std::string_view section) override;   // with everything below it
    void DeleteKey(std::string_view section, std::string_view ident) override;
    void UpdateFile() override;

private:
    std::string SectionKey(std::string_view section) const;
    std::string FKey;
    std::shared_ptr<TSharedIniFile> FStore;
};

// The current user's registry, one key at a time. Key names starting with '\' are
// absolute, others are relative to the open key.
class TRegistry {
public:
    TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;
    ~TRegistry();

    bool OpenKey(std::string_view key, bool canCreate);   // false when absent and not created
    bool OpenKeyReadOnly(std::string_view key);
    void CloseKey();                                      // writes pending changes
    bool CreateKey(std::string_view key);
    bool DeleteKey(std::string_view key);                 // with everything below it
    bool KeyExists(std::string_view key);
    const std::string& CurrentPath() const { return FCurrentPath; }   // without a leading '\'

    bool ValueExists(std::string_view name);
    bool DeleteValue(std::string_view name);
    void GetValueNames(TStrings& names);
    void GetKeyNames(TStrings& names);

    std::string ReadString(std::string_view name);        // "" when absent
    void WriteString(std::string_view name, std::string_view value);
    // Integer, Boolean and float reads raise ERegistryException when the value is absent
    // or holds no such value.
    int ReadInteger(std::string_view name);
    void WriteInteger(std::string_view name, int value);
    bool ReadBool(std::string_view name);
    void WriteBool(std::string_view name, bool value);
    double ReadFloat(std::string_view name);
    void WriteFloat(std::string_view name, double value);

private:
    std::string Resolve(std::string_view key) const;
    void CheckWritable() const;
    std::shared_ptr<TSharedIniFile> FStore;
    std::string FCurrentPath;
    bool FReadOnly = false;
};
