// Ini files and the registry kept in an ini file.
#include "platform/rtl/Settings.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringList.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

// --- Parsed contents ---------------------------------------------------------------

struct TIniSections {
    struct Section {
        std::string Name;
        std::vector<std::pair<std::string, std::string>> Values;
        const std::string* Find(std::string_view ident) const {
            for (const auto& [name, value] : Values)
                if (SameText(name, ident)) return &value;
            return nullptr;
        }
    };
    std::vector<Section> Sections;

    Section* Find(std::string_view name) {
        for (Section& s : Sections)
            if (SameText(s.Name, name)) return &s;
        return nullptr;
    }
    Section& Ensure(std::string_view name) {
        if (Section* s = Find(name)) return *s;
        Sections.push_back(Section{std::string(name), {}});
        return Sections.back();
    }
    const std::string* Value(std::string_view section, std::string_view ident) {
        const Section* s = Find(section);
        return s ? s->Find(ident) : nullptr;
    }
    // Returns whether anything changed.
    bool Set(std::string_view section, std::string_view ident, std::string_view value) {
        Section& s = Ensure(section);
        for (auto& [name, v] : s.Values) {
            if (!SameText(name, ident)) continue;
            if (v == value) return false;
            v = value;
            return true;
        }
        s.Values.emplace_back(std::string(ident), std::string(value));
        return true;
    }
    bool Erase(std::string_view section) {
        for (auto it = Sections.begin(); it != Sections.end(); ++it) {
            if (!SameText(it->Name, section)) continue;
            Sections.erase(it);
            return true;
        }
        return false;
    }
    bool DeleteKey(std::string_view section, std::string_view ident) {
        Section* s = Find(section);
        if (!s) return false;
        for (auto it = s->Values.begin(); it != s->Values.end(); ++it) {
            if (!SameText(it->first, ident)) continue;
            s->Values.erase(it);
            return true;
        }
        return false;
    }

    void Parse(std::string_view text);
    std::string Serialize() const;
};

namespace {

bool NeedsQuotes(std::string_view v) {
    if (v.empty()) return false;
    if (v.find_first_of("\r\n") != std::string_view::npos) return true;
    if (static_cast<unsigned char>(v.front()) <= ' ' || static_cast<unsigned char>(v.back()) <= ' ') return true;
    return v.size() >= 2 && v.front() == '"' && v.back() == '"';
}

std::string QuoteValue(std::string_view v) {
    if (!NeedsQuotes(v)) return std::string(v);
    std::string out = "\"";
    for (char c : v) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default: out += c; break;
        }
    }
    out += '"';
    return out;
}

std::string UnquoteValue(std::string_view v) {
    if (v.size() < 2 || v.front() != '"' || v.back() != '"') return std::string(v);
    std::string out;
    const std::string_view inner = v.substr(1, v.size() - 2);
    for (size_t i = 0; i < inner.size(); ++i) {
        const char c = inner[i];
        if (c != '\\' || i + 1 == inner.size()) {
            out += c;
            continue;
        }
        switch (inner[i + 1]) {
        case '\\': out += '\\'; break;
        case '"': out += '"'; break;
        case 'r': out += '\r'; break;
        case 'n': out += '\n'; break;
        default: out += c; continue;    // not an escape: keep the backslash
        }
        ++i;
    }
    return out;
}

void CheckSectionName(std::string_view section) {
    if (section.find_first_of("\r\n") != std::string_view::npos)
        throw EInOutError("Invalid settings section name \"" + std::string(section) + "\"");
}

void CheckValueName(std::string_view ident) {
    const std::string trimmed = Trim(ident);
    if (trimmed.empty() || ident.find_first_of("\r\n=") != std::string_view::npos ||
        trimmed[0] == '[' || trimmed[0] == ';')
        throw EInOutError("Invalid settings value name \"" + std::string(ident) + "\"");
}

// Integers as the class library's StrToIntDef takes them: decimal, or hexadecimal with
// '$' or "0x", optionally signed; anything else, or out of range, is no integer.
bool ParseInteger(std::string_view s, int& result) {
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == s.size()) return false;
    int64_t v = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        v = v * base + d;
        if (v > (base == 16 ? int64_t{0xFFFFFFFF} : int64_t{INT_MAX} + 1)) return false;
    }
    if (base == 16 && v > INT_MAX) v -= int64_t{1} << 32;   // $FFFFFFFF is -1
    if (negative) v = -v;
    if (v < INT_MIN || v > INT_MAX) return false;
    result = static_cast<int>(v);
    return true;
}

std::string ExpandHome(const char* sub) {
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* pw = ::getpwuid(::getuid());
        home = pw && pw->pw_dir ? pw->pw_dir : "/tmp";
    }
    return std::string(home) + sub;
}

std::string gSettingsDirectory;

// The path stamp that tells whether the file changed since it was read or written; a
// save renames a new file into place, so the inode changes with every save.
struct FileStamp {
    bool Exists = false;
    dev_t Device = 0;
    ino_t Inode = 0;
    off_t Size = 0;
    int64_t MTimeNs = 0;
    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const std::string& path) {
    FileStamp s;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return s;
    s.Exists = true;
    s.Device = st.st_dev;
    s.Inode = st.st_ino;
    s.Size = st.st_size;
    s.MTimeNs = int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec;
    return s;
}

void ReadSectionInto(TIniSections& data, std::string_view section, TStrings& idents) {
    idents.BeginUpdate();
    try {
        idents.Clear();
        if (const TIniSections::Section* s = data.Find(section))
            for (const auto& kv : s->Values) idents.Add(kv.first);
    } catch (...) {
        idents.EndUpdate();
        throw;
    }
    idents.EndUpdate();
}

void ReadSectionValuesInto(TIniSections& data, std::string_view section, TStrings& values) {
    values.BeginUpdate();
    try {
        values.Clear();
        if (const TIniSections::Section* s = data.Find(section))
            for (const auto& [name, value] : s->Values) values.Add(name + "=" + value);
    } catch (...) {
        values.EndUpdate();
        throw;
    }
    values.EndUpdate();
}

void ReadSectionsInto(const TIniSections& data, TStrings& sections) {
    sections.BeginUpdate();
    try {
        sections.Clear();
        for (const auto& s : data.Sections) sections.Add(s.Name);
    } catch (...) {
        sections.EndUpdate();
        throw;
    }
    sections.EndUpdate();
}

void SaveSections(const TIniSections& data, const std::string& path) {
    const std::string dir = ExtractFileDir(path);
    if (!dir.empty()) ForceDirectories(dir);
    SaveFileAtomically(path, data.Serialize());
}

TIniSections LoadSections(const std::string& path) {
    TIniSections data;
    if (FileExists(path)) data.Parse(DecodeLegacyText(ReadFileBytes(path)));
    return data;
}

}  // namespace

void TIniSections::Parse(std::string_view text) {
    Sections.clear();
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.remove_prefix(3);
    Section* current = nullptr;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string line = Trim(text.substr(pos, end - pos));
        pos = end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n'
                  ? end + 2 : end + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            const size_t close = line.rfind(']');
            current = &Ensure(Trim(std::string_view(line).substr(1, close == std::string::npos || close == 0
                                                                      ? std::string::npos : close - 1)));
            continue;
        }
        const size_t eq = line.find('=');
        if (!current || eq == std::string::npos) continue;   // stray lines carry nothing
        const std::string name = TrimRight(std::string_view(line).substr(0, eq));
        if (name.empty() || current->Find(name)) continue;   // the first of equal names wins
        current->Values.emplace_back(name, UnquoteValue(TrimLeft(std::string_view(line).substr(eq + 1))));
    }
}

std::string TIniSections::Serialize() const {
    std::string out;
    for (const Section& s : Sections) {
        if (!out.empty()) out += '\n';
        out += '[' + s.Name + "]\n";
        for (const auto& [name, value] : s.Values) out += name + '=' + QuoteValue(value) + '\n';
    }
    return out;
}

// --- Shared file contents -------------------------------------------------------------

class TSharedIniFile {
public:
    explicit TSharedIniFile(std::string path) : FPath(std::move(path)) {}
    ~TSharedIniFile() {
        try {
            Flush();
        } catch (const std::exception& e) {
            // Nobody is left to tell; the old file is intact.
            std::fprintf(stderr, "Settings not saved: %s\n", e.what());
        }
    }

    // The contents, reloaded first when unchanged here but changed on disk.
    TIniSections& Data() {
        if (!FDirty) {
            const FileStamp now = StampOf(FPath);
            if (!FLoaded || !(now == FStamp)) {
                FData = LoadSections(FPath);
                FStamp = now;
                FLoaded = true;
            }
        }
        return FData;
    }
    void MarkDirty() { FDirty = true; }
    void Flush() {
        if (!FDirty) return;
        SaveSections(FData, FPath);
        FDirty = false;
        FStamp = StampOf(FPath);
    }

    static std::shared_ptr<TSharedIniFile> Acquire(const std::string& path) {
        static std::map<std::string, std::weak_ptr<TSharedIniFile>> open;
        const std::string key = ExpandFileName(path);
        for (auto it = open.begin(); it != open.end();)
            it = it->second.expired() ? open.erase(it) : std::next(it);
        if (auto existing = open[key].lock()) return existing;
        auto store = std::make_shared<TSharedIniFile>(key);
        open[key] = store;
        return store;
    }

private:
    std::string FPath;
    TIniSections FData;
    FileStamp FStamp;
    bool FLoaded = false;
    bool FDirty = false;
};

// --- Settings folder -------------------------------------------------------------

std::string SettingsDirectory() {
    if (!gSettingsDirectory.empty()) return gSettingsDirectory;
    if (const char* env = std::getenv("ROVE_SETTINGS_DIR"); env && *env) return env;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string base = xdg && *xdg == '/' ? std::string(xdg) : ExpandHome("/.config");
    return base + "/rove";
}

void SetSettingsDirectory(const std::string& dir) { gSettingsDirectory = ExcludeTrailingPathDelimiter(dir); }

std::string RegistryFileName() { return SettingsDirectory() + "/registry.ini"; }

// --- TCustomIniFile ---------------------------------------------------------------

int TCustomIniFile::ReadInteger(std::string_view section, std::string_view ident, int def) {
    int v;
    return ParseInteger(ReadString(section, ident, ""), v) ? v : def;
}

void TCustomIniFile::WriteInteger(std::string_view section, std::string_view ident, int value) {
    WriteString(section, ident, std::to_string(value));
}

bool TCustomIniFile::ReadBool(std::string_view section, std::string_view ident, bool def) {
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(std::string_view section, std::string_view ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(std::string_view section, std::string_view ident, double def) {
    double v;
    const std::string s = ReadString(section, ident, "");
    return !s.empty() && TryStrToFloat(s, v) ? v : def;
}

void TCustomIniFile::WriteFloat(std::string_view section, std::string_view ident, double value) {
    WriteString(section, ident, FloatToStr(value));
}

TDateTime TCustomIniFile::ReadDateTime(std::string_view section, std::string_view ident, TDateTime def) {
    TDateTime v;
    const std::string s = ReadString(section, ident, "");
    return !s.empty() && TryStrToDateTime(s, v) ? v : def;
}

void TCustomIniFile::WriteDateTime(std::string_view section, std::string_view ident, TDateTime value) {
    WriteString(section, ident, DateTimeToStr(value));
}

bool TCustomIniFile::SectionExists(std::string_view section) {
    TStringList idents;
    ReadSection(section, idents);
    return idents.Count() > 0;
}

bool TCustomIniFile::ValueExists(std::string_view section, std::string_view ident) {
    TStringList idents;
    ReadSection(section, idents);
    return idents.IndexOf(ident) >= 0;
}

// --- TMemIniFile ---------------------------------------------------------------------

TMemIniFile::TMemIniFile(std::string fileName)
    : TCustomIniFile(std::move(fileName)), FSections(std::make_unique<TIniSections>()) {
    if (!FileName().empty()) *FSections = LoadSections(FileName());
}

TMemIniFile::~TMemIniFile() = default;

std::string TMemIniFile::ReadString(std::string_view section, std::string_view ident, std::string_view def) {
    const std::string* v = FSections->Value(section, ident);
    return v ? *v : std::string(def);
}

void TMemIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value) {
    CheckSectionName(section);
    CheckValueName(ident);
    FSections->Set(Trim(section), Trim(ident), value);
}

void TMemIniFile::ReadSection(std::string_view section, TStrings& idents) { ReadSectionInto(*FSections, section, idents); }
void TMemIniFile::ReadSections(TStrings& sections) { ReadSectionsInto(*FSections, sections); }
void TMemIniFile::ReadSectionValues(std::string_view section, TStrings& values) {
    ReadSectionValuesInto(*FSections, section, values);
}
void TMemIniFile::EraseSection(std::string_view section) { FSections->Erase(section); }
void TMemIniFile::DeleteKey(std::string_view section, std::string_view ident) { FSections->DeleteKey(section, ident); }
void TMemIniFile::UpdateFile() { SaveSections(*FSections, FileName()); }
void TMemIniFile::Clear() { FSections->Sections.clear(); }

void TMemIniFile::GetStrings(TStrings& list) const { list.SetText(FSections->Serialize()); }
void TMemIniFile::SetStrings(const TStrings& list) { FSections->Parse(list.Text()); }

// --- TIniFile ---------------------------------------------------------------------

namespace {
std::string IniPath(const std::string& fileName) {
    if (fileName.empty() || fileName[0] == '/') return fileName;
    return SettingsDirectory() + "/" + fileName;
}
}  // namespace

TIniFile::TIniFile(std::string fileName)
    : TCustomIniFile(std::move(fileName)), FStore(TSharedIniFile::Acquire(IniPath(FileName()))) {}

TIniFile::~TIniFile() = default;

std::string TIniFile::ReadString(std::string_view section, std::string_view ident, std::string_view def) {
    const std::string* v = FStore->Data().Value(section, ident);
    return v ? *v : std::string(def);
}

void TIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value) {
    CheckSectionName(section);
    CheckValueName(ident);
    if (FStore->Data().Set(Trim(section), Trim(ident), value)) FStore->MarkDirty();
}

void TIniFile::ReadSection(std::string_view section, TStrings& idents) { ReadSectionInto(FStore->Data(), section, idents); }
void TIniFile::ReadSections(TStrings& sections) { ReadSectionsInto(FStore->Data(), sections); }
void TIniFile::ReadSectionValues(std::string_view section, TStrings& values) {
    ReadSectionValuesInto(FStore->Data(), section, values);
}
void TIniFile::EraseSection(std::string_view section) {
    if (FStore->Data().Erase(section)) FStore->MarkDirty();
}
void TIniFile::DeleteKey(std::string_view section, std::string_view ident) {
    if (FStore->Data().DeleteKey(section, ident)) FStore->MarkDirty();
}
void TIniFile::UpdateFile() { FStore->Flush(); }

// --- Registry keys -----------------------------------------------------------------

namespace {

// "\Software\\X\" -> "Software\X": no leading, trailing or doubled delimiters.
std::string NormalizeKey(std::string_view key) {
    std::string out;
    size_t i = 0;
    while (i < key.size()) {
        const size_t end = std::min(key.find('\\', i), key.size());
        if (end > i) {
            if (!out.empty()) out += '\\';
            out.append(key.substr(i, end - i));
        }
        i = end + 1;
    }
    return out;
}

std::string JoinKey(std::string_view base, std::string_view sub) {
    if (sub.empty()) return std::string(base);
    if (base.empty()) return std::string(sub);
    return std::string(base) + "\\" + std::string(sub);
}

// Whether section is the key itself or lies below it.
bool IsAtOrBelow(std::string_view section, std::string_view key) {
    if (key.empty()) return true;
    if (section.size() == key.size()) return SameText(section, key);
    return section.size() > key.size() && section[key.size()] == '\\' &&
           SameText(section.substr(0, key.size()), key);
}

bool KeyExistsIn(const TIniSections& data, std::string_view key) {
    if (key.empty()) return true;
    for (const auto& s : data.Sections)
        if (IsAtOrBelow(s.Name, key)) return true;
    return false;
}

void SubKeysInto(const TIniSections& data, std::string_view key, TStrings& names) {
    TStringList seen;   // case-insensitive, in order of appearance
    for (const auto& s : data.Sections) {
        if (!IsAtOrBelow(s.Name, key) || s.Name.size() == key.size()) continue;
        const std::string_view rest = std::string_view(s.Name).substr(key.empty() ? 0 : key.size() + 1);
        const std::string child(rest.substr(0, rest.find('\\')));
        if (!child.empty() && seen.IndexOf(child) < 0) seen.Add(child);
    }
    names.Assign(seen);
}

bool EraseTree(TIniSections& data, std::string_view key) {
    const size_t before = data.Sections.size();
    std::erase_if(data.Sections, [&](const TIniSections::Section& s) { return IsAtOrBelow(s.Name, key); });
    return data.Sections.size() != before;
}

}  // namespace

TRegistryIniFile::TRegistryIniFile(std::string keyPath)
    : TCustomIniFile(std::move(keyPath)), FKey(NormalizeKey(FileName())),
      FStore(TSharedIniFile::Acquire(RegistryFileName())) {}

TRegistryIniFile::~TRegistryIniFile() = default;

std::string TRegistryIniFile::SectionKey(std::string_view section) const {
    return JoinKey(FKey, NormalizeKey(section));
}

std::string TRegistryIniFile::ReadString(std::string_view section, std::string_view ident, std::string_view def) {
    const std::string* v = FStore->Data().Value(SectionKey(section), ident);
    return v ? *v : std::string(def);
}

void TRegistryIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value) {
    CheckSectionName(section);
    CheckValueName(ident);
    if (FStore->Data().Set(SectionKey(section), Trim(ident), value)) FStore->MarkDirty();
}

void TRegistryIniFile::ReadSection(std::string_view section, TStrings& idents) {
    ReadSectionInto(FStore->Data(), SectionKey(section), idents);
}

void TRegistryIniFile::ReadSections(TStrings& sections) { SubKeysInto(FStore->Data(), FKey, sections); }

void TRegistryIniFile::ReadSectionValues(std::string_view section, TStrings& values) {
    ReadSectionValuesInto(FStore->Data(), SectionKey(section), values);
}

void TRegistryIniFile::EraseSection(std::string_view section) {
    if (EraseTree(FStore->Data(), SectionKey(section))) FStore->MarkDirty();
}

void TRegistryIniFile::DeleteKey(std::string_view section, std::string_view ident) {
    if (FStore->Data().DeleteKey(SectionKey(section), ident)) FStore->MarkDirty();
}

void TRegistryIniFile::UpdateFile() { FStore->Flush(); }

// --- TRegistry ---------------------------------------------------------------------

TRegistry::TRegistry() : FStore(TSharedIniFile::Acquire(RegistryFileName())) {}

TRegistry::~TRegistry() {
    try {
        CloseKey();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Settings not saved: %s\n", e.what());
    }
}

std::string TRegistry::Resolve(std::string_view key) const {
    if (!key.empty() && key[0] == '\\') return NormalizeKey(key);
    return NormalizeKey(JoinKey(FCurrentPath, key));
}

bool TRegistry::OpenKey(std::string_view key, bool canCreate) {
    const std::string path = Resolve(key);
    if (!KeyExistsIn(FStore->Data(), path)) {
        if (!canCreate) return false;
        CheckSectionName(path);
        FStore->Data().Ensure(path);
        FStore->MarkDirty();
    }
    FCurrentPath = path;
    FReadOnly = false;
    return true;
}

bool TRegistry::OpenKeyReadOnly(std::string_view key) {
    const std::string path = Resolve(key);
    if (!KeyExistsIn(FStore->Data(), path)) return false;
    FCurrentPath = path;
    FReadOnly = true;
    return true;
}

void TRegistry::CloseKey() {
    FStore->Flush();
    FCurrentPath.clear();
    FReadOnly = false;
}

bool TRegistry::CreateKey(std::string_view key) {
    const std::string path = Resolve(key);
    if (path.empty()) return false;
    CheckSectionName(path);
    if (!KeyExistsIn(FStore->Data(), path)) {
        FStore->Data().Ensure(path);
        FStore->MarkDirty();
    }
    return true;
}

bool TRegistry::DeleteKey(std::string_view key) {
    const std::string path = Resolve(key);
    if (path.empty() || !EraseTree(FStore->Data(), path)) return false;
    FStore->MarkDirty();
    return true;
}

bool TRegistry::KeyExists(std::string_view key) { return KeyExistsIn(FStore->Data(), Resolve(key)); }

bool TRegistry::ValueExists(std::string_view name) { return FStore->Data().Value(FCurrentPath, name) != nullptr; }

bool TRegistry::DeleteValue(std::string_view name) {
    CheckWritable();
    if (!FStore->Data().DeleteKey(FCurrentPath, name)) return false;
    FStore->MarkDirty();
    return true;
}

void TRegistry::GetValueNames(TStrings& names) { ReadSectionInto(FStore->Data(), FCurrentPath, names); }
void TRegistry::GetKeyNames(TStrings& names) { SubKeysInto(FStore->Data(), FCurrentPath, names); }

void TRegistry::CheckWritable() const {
    if (FReadOnly) throw ERegistryException("Failed to set data for key \"" + FCurrentPath + "\"");
}

std::string TRegistry::ReadString(std::string_view name) {
    const std::string* v = FStore->Data().Value(FCurrentPath, name);
    return v ? *v : std::string();
}

void TRegistry::WriteString(std::string_view name, std::string_view value) {
    CheckWritable();
    CheckValueName(name);
    if (FStore->Data().Set(FCurrentPath, Trim(name), value)) FStore->MarkDirty();
}

int TRegistry::ReadInteger(std::string_view name) {
    const std::string* v = FStore->Data().Value(FCurrentPath, name);
    int result;
    if (!v || !ParseInteger(*v, result))
        throw ERegistryException("Invalid data type for '" + std::string(name) + "'");
    return result;
}

void TRegistry::WriteInteger(std::string_view name, int value) { WriteString(name, std::to_string(value)); }
bool TRegistry::ReadBool(std::string_view name) { return ReadInteger(name) != 0; }
void TRegistry::WriteBool(std::string_view name, bool value) { WriteInteger(name, value ? 1 : 0); }

double TRegistry::ReadFloat(std::string_view name) {
    const std::string* v = FStore->Data().Value(FCurrentPath, name);
    double result;
    if (!v || !TryStrToFloat(*v, result))
        throw ERegistryException("Invalid data type for '" + std::string(name) + "'");
    return result;
}

void TRegistry::WriteFloat(std::string_view name, double value) { WriteString(name, FloatToStr(value)); }
