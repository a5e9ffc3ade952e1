// The settings store: typed values round-trip through every kind of ini file, the file
// format's reading rules, sections, the registry keys kept as sections, sharing between
// objects on one file, and when changes reach the disk.
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Settings.h"
#include "platform/rtl/StringList.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using V = std::vector<std::string>;

V Lines(const TStrings& list) {
    V out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list.Strings(i));
    return out;
}

class Settings : public testing::Test {
protected:
    void SetUp() override {
        // A parameterised test's name has a "/": one folder, not a folder in a folder
        // that would stay behind.
        std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        dir = fs::temp_directory_path() / ("rtl-settings-" + std::to_string(::getpid()) + "-" + name);
        fs::remove_all(dir);
        fs::create_directories(dir);
        SetSettingsDirectory((dir / "config").string());
    }
    void TearDown() override {
        SetSettingsDirectory("");
        fs::remove_all(dir);
    }
    std::string Path(const char* name) const { return (dir / name).string(); }
    fs::path dir;
};

// Each kind of store, made twice on the same place: once to write and once to read back
// after the writer is gone.
struct StoreKind {
    const char* name;
    std::function<std::unique_ptr<TCustomIniFile>(const std::string& dir)> make;
    bool needsUpdateFile;
};

class SettingsRoundTrip : public Settings, public testing::WithParamInterface<StoreKind> {};

TEST_P(SettingsRoundTrip, TypedValuesReadBackAsWritten) {
    const TDateTime when = EncodeDate(2024, 1, 5) + EncodeTime(8, 30, 15, 0);
    const std::string texts[] = {
        "plain", "中文 值", "two\r\nlines\nand\rcr", "  padded  ", "\"quoted\"", "C:\\path\\n",
        "a=b=c", "", "\\", "\"",
    };
    {
        auto ini = GetParam().make(dir.string());
        for (size_t i = 0; i < std::size(texts); ++i)
            ini->WriteString("Texts", "t" + std::to_string(i), texts[i]);
        ini->WriteInteger("Numbers", "Negative", -42);
        ini->WriteInteger("Numbers", "Max", 2147483647);
        ini->WriteBool("Numbers", "Flag", true);
        ini->WriteFloat("Numbers", "Float", 2.7);
        ini->WriteDateTime("Numbers", "When", when);
        ini->WriteString("表单.设计器", "宽度", "800");
        if (GetParam().needsUpdateFile) ini->UpdateFile();
    }
    auto ini = GetParam().make(dir.string());
    for (size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(ini->ReadString("Texts", "t" + std::to_string(i), "default"), texts[i]) << i;
    EXPECT_EQ(ini->ReadInteger("numbers", "NEGATIVE", 0), -42);    // names ignore ASCII case
    EXPECT_EQ(ini->ReadInteger("Numbers", "Max", 0), 2147483647);
    EXPECT_TRUE(ini->ReadBool("Numbers", "Flag", false));
    EXPECT_DOUBLE_EQ(ini->ReadFloat("Numbers", "Float", 0), 2.7);
    EXPECT_NEAR(ini->ReadDateTime("Numbers", "When", 0), when, 1e-8);
    EXPECT_EQ(ini->ReadString("表单.设计器", "宽度", ""), "800");
    EXPECT_EQ(ini->ReadString("Numbers", "Missing", "dflt"), "dflt");
    EXPECT_EQ(ini->ReadInteger("Texts", "t0", 7), 7);                 // "plain" is no integer
    EXPECT_FALSE(ini->ReadBool("Missing", "Flag", false));
    EXPECT_DOUBLE_EQ(ini->ReadFloat("Texts", "t0", 1.5), 1.5);
}

INSTANTIATE_TEST_SUITE_P(Rtl, SettingsRoundTrip, testing::Values(
    StoreKind{"MemIniFile", [](const std::string& d) {
        return std::make_unique<TMemIniFile>(d + "/mem.ini");
    }, true},
    StoreKind{"IniFile", [](const std::string& d) {
        return std::make_unique<TIniFile>(d + "/file.ini");
    }, false},
    StoreKind{"IniFileInSettingsFolder", [](const std::string&) {
        return std::make_unique<TIniFile>("bare.ini");
    }, false},
    StoreKind{"RegistryIniFile", [](const std::string&) {
        return std::make_unique<TRegistryIniFile>("\\Software\\Quirewell");
    }, false}),
    [](const testing::TestParamInfo<StoreKind>& info) { return std::string(info.param.name); });

TEST_F(Settings, ReadingRulesOfTheFileFormat) {
    const std::string text =
        "; comment\r\n"
        "stray=before any section\r\n"
        "[Main]\r\n"
        "  Name  =  value with blanks inside  \r\n"
        "Hex=$1F\r\n"
        "CHex=0x10\r\n"
        "Neg=-$1\r\n"
        "Big=99999999999\r\n"
        "Bool=0\r\n"
        "name=second of equal names\r\n"
        "no separator line\r\n"
        "Quoted=\"  kept  \"\r\n"
        "[ Other ]\n"
        "k=v\n"
        "[main]\n"
        "Extra=merged\n";
    SaveFileAtomically(Path("r.ini"), text);
    TMemIniFile ini(Path("r.ini"));
    EXPECT_EQ(ini.ReadString("Main", "name", ""), "value with blanks inside");
    EXPECT_EQ(ini.ReadInteger("Main", "Hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("Main", "CHex", 0), 16);
    EXPECT_EQ(ini.ReadInteger("Main", "Neg", 0), -1);
    EXPECT_EQ(ini.ReadInteger("Main", "Big", 5), 5);                // out of range: the default
    EXPECT_FALSE(ini.ReadBool("Main", "Bool", true));
    EXPECT_EQ(ini.ReadString("Main", "Quoted", ""), "  kept  ");
    EXPECT_EQ(ini.ReadString("Other", "k", ""), "v");
    EXPECT_EQ(ini.ReadString("Main", "Extra", ""), "merged");
    EXPECT_EQ(ini.ReadString("", "stray", "none"), "none");
    TStringList sections;
    ini.ReadSections(sections);
    EXPECT_EQ(Lines(sections), (V{"Main", "Other"}));

    // A file of the old program in GB18030.
    SaveFileAtomically(Path("gbk.ini"), "[\xB1\xED]\r\n\xBF\xED=1\r\n");
    TMemIniFile gbk(Path("gbk.ini"));
    EXPECT_EQ(gbk.ReadInteger("表", "宽", 0), 1);
}

TEST_F(Settings, SectionsAndValues) {
    TMemIniFile ini(Path("s.ini"));
    ini.WriteString("A", "x", "1");
    ini.WriteString("A", "y", "2");
    ini.WriteString("B", "z", "3");
    TStringList list;
    list.Add("to be cleared");
    ini.ReadSection("a", list);
    EXPECT_EQ(Lines(list), (V{"x", "y"}));
    ini.ReadSectionValues("A", list);
    EXPECT_EQ(Lines(list), (V{"x=1", "y=2"}));
    EXPECT_TRUE(ini.SectionExists("b"));
    EXPECT_FALSE(ini.SectionExists("C"));
    EXPECT_TRUE(ini.ValueExists("A", "Y"));
    EXPECT_FALSE(ini.ValueExists("A", "z"));
    ini.DeleteKey("A", "x");
    ini.EraseSection("B");
    ini.ReadSections(list);
    EXPECT_EQ(Lines(list), (V{"A"}));
    ini.ReadSection("A", list);
    EXPECT_EQ(Lines(list), (V{"y"}));

    ini.GetStrings(list);
    EXPECT_EQ(Lines(list), (V{"[A]", "y=2"}));
    TStringList text;
    text.SetText("[Form.X]\nLeft=10\n");
    ini.SetStrings(text);
    EXPECT_EQ(ini.ReadInteger("Form.X", "Left", 0), 10);
    EXPECT_FALSE(ini.SectionExists("A"));
    EXPECT_FALSE(FileExists(Path("s.ini")));                          // nothing written yet
    ini.UpdateFile();
    EXPECT_EQ(ReadFileBytes(Path("s.ini")), "[Form.X]\nLeft=10\n");
}

TEST_F(Settings, NamesAnIniLineCannotHoldAreRefused) {
    TMemIniFile ini(Path("n.ini"));
    for (const char* bad : {"a=b", "line\nbreak", "", "[x", ";x"})
        EXPECT_THROW(ini.WriteString("S", bad, "v"), EInOutError) << bad;
    EXPECT_THROW(ini.WriteString("S\r\nT", "k", "v"), EInOutError);
    TStringList sections;
    ini.ReadSections(sections);
    EXPECT_EQ(sections.Count(), 0);
}

TEST_F(Settings, RegistryKeysAreSectionsOfOneFile) {
    {
        TRegistryIniFile ini("\\Software\\Quirewell");
        ini.WriteInteger("Form.TfrxDesignerForm", "Left", 10);
        ini.WriteBool("Form.TfrxDesignerForm", "Maximized", true);
        ini.WriteString("Dock.LeftDockSite1", "Data", "0A0B");
        ini.WriteString("Form.TfrxDesignerForm\\Sub", "x", "1");

        // Another object on the same key sees the values before they are saved.
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\quirewell\\form.tfrxdesignerform", false));
        EXPECT_EQ(reg.ReadInteger("left"), 10);
        EXPECT_TRUE(reg.ReadBool("Maximized"));
        EXPECT_FALSE(fs::exists(RegistryFileName()));
    }
    const std::string saved = ReadFileBytes(RegistryFileName());
    EXPECT_NE(saved.find("[Software\\Quirewell\\Form.TfrxDesignerForm]\nLeft=10\nMaximized=1\n"),
              std::string::npos) << saved;

    TRegistryIniFile ini("\\Software\\Quirewell\\");
    TStringList keys;
    ini.ReadSections(keys);
    EXPECT_EQ(Lines(keys), (V{"Form.TfrxDesignerForm", "Dock.LeftDockSite1"}));
    EXPECT_EQ(ini.ReadString("Dock.LeftDockSite1", "Data", ""), "0A0B");
    ini.EraseSection("Form.TfrxDesignerForm");                       // with its sub-key
    EXPECT_EQ(ini.ReadString("Form.TfrxDesignerForm\\Sub", "x", "gone"), "gone");
    ini.ReadSections(keys);
    EXPECT_EQ(Lines(keys), (V{"Dock.LeftDockSite1"}));
}

TEST_F(Settings, RegistryObjectOpensReadsAndWritesKeys) {
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey("\\Software\\Brightline\\MRUFont", false));
    ASSERT_TRUE(reg.OpenKey("\\Software\\Brightline\\MRUFont", true));
    EXPECT_EQ(reg.CurrentPath(), "Software\\Brightline\\MRUFont");
    reg.WriteString("Font1", "宋体");
    reg.WriteInteger("Count", 1);
    EXPECT_EQ(reg.ReadString("Font1"), "宋体");
    EXPECT_EQ(reg.ReadString("Missing"), "");
    EXPECT_THROW(reg.ReadInteger("Missing"), ERegistryException);
    EXPECT_THROW(reg.ReadInteger("Font1"), ERegistryException);     // text, no integer
    reg.CloseKey();                                                  // saved now
    EXPECT_NE(ReadFileBytes(RegistryFileName()).find("Font1=宋体"), std::string::npos);

    EXPECT_TRUE(reg.KeyExists("\\Software\\Brightline"));
    ASSERT_TRUE(reg.OpenKey("\\Software", false));
    ASSERT_TRUE(reg.OpenKey("Brightline", false));                  // relative to the open key
    TStringList names;
    reg.GetKeyNames(names);
    EXPECT_EQ(Lines(names), (V{"MRUFont"}));
    ASSERT_TRUE(reg.OpenKeyReadOnly("MRUFont"));
    reg.GetValueNames(names);
    EXPECT_EQ(Lines(names), (V{"Font1", "Count"}));
    EXPECT_THROW(reg.WriteString("Font2", "x"), ERegistryException);
    EXPECT_TRUE(reg.DeleteKey("\\Software\\Brightline"));
    EXPECT_FALSE(reg.KeyExists("\\Software\\Brightline\\MRUFont"));
    EXPECT_FALSE(reg.DeleteKey("\\Software\\Brightline"));
}

TEST_F(Settings, UnchangedCopyFollowsTheFileOnDisk) {
    TIniFile ini(Path("shared.ini"));
    EXPECT_EQ(ini.ReadString("S", "k", "none"), "none");
    SaveFileAtomically(Path("shared.ini"), "[S]\nk=from outside\n");
    EXPECT_EQ(ini.ReadString("S", "k", "none"), "from outside");
    ini.WriteString("S", "k", "mine");
    EXPECT_EQ(ReadFileBytes(Path("shared.ini")), "[S]\nk=from outside\n");   // not yet saved
    ini.UpdateFile();
    EXPECT_EQ(ReadFileBytes(Path("shared.ini")), "[S]\nk=mine\n");
}

TEST_F(Settings, FailedSaveKeepsTheOldFileAndRaises) {
    SaveFileAtomically(Path("keep.ini"), "[S]\nk=old\n");
    TIniFile ini(Path("keep.ini"));
    ini.WriteString("S", "k", "new");
    SetFileFaultHook([](TFileStep step) { return step == TFileStep::Write ? EIO : 0; });
    EXPECT_THROW(ini.UpdateFile(), EInOutError);
    SetFileFaultHook(nullptr);
    EXPECT_EQ(ReadFileBytes(Path("keep.ini")), "[S]\nk=old\n");
    ini.UpdateFile();                                                // still pending, saved now
    EXPECT_EQ(ReadFileBytes(Path("keep.ini")), "[S]\nk=new\n");
}

TEST_F(Settings, DefaultFolderFollowsTheEnvironment) {
    SetSettingsDirectory("");
    const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string keepXdg = savedXdg ? savedXdg : "";
    const char* savedOwn = std::getenv("ROVE_SETTINGS_DIR");
    const std::string keepOwn = savedOwn ? savedOwn : "";
    ::unsetenv("ROVE_SETTINGS_DIR");
    ::setenv("XDG_CONFIG_HOME", "/xdg/home", 1);
    EXPECT_EQ(SettingsDirectory(), "/xdg/home/rove");
    ::setenv("XDG_CONFIG_HOME", "relative", 1);                      // ignored: not absolute
    if (const char* home = std::getenv("HOME"); home && *home) {
        EXPECT_EQ(SettingsDirectory(), std::string(home) + "/.config/rove");
    }
    ::setenv("ROVE_SETTINGS_DIR", "/own/dir", 1);
    EXPECT_EQ(SettingsDirectory(), "/own/dir");
    EXPECT_EQ(RegistryFileName(), "/own/dir/registry.ini");
    SetSettingsDirectory("/set/by/test/");
    EXPECT_EQ(SettingsDirectory(), "/set/by/test");
    if (keepXdg.empty()) ::unsetenv("XDG_CONFIG_HOME"); else ::setenv("XDG_CONFIG_HOME", keepXdg.c_str(), 1);
    if (keepOwn.empty()) ::unsetenv("ROVE_SETTINGS_DIR"); else ::setenv("ROVE_SETTINGS_DIR", keepOwn.c_str(), 1);
}

}  // namespace
