// File names, folders, copying and renaming, atomic saving under injected failures,
// temporary files, the command line and the tick count.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "tests/rtl/FileMode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class Files : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("rtl-files-" + std::to_string(::getpid()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override {
        SetFileFaultHook(nullptr);
        fs::remove_all(dir);
    }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    // Everything in the folder, to see that no temporary file stays behind.
    std::vector<std::string> Entries() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(dir)) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
    fs::path dir;
};

TEST(FileNames, SplitAndChange) {
    struct Case { const char* name; const char* path; const char* dir; const char* file; const char* ext; };
    const Case cases[] = {
        {"/a/b/c.txt", "/a/b/", "/a/b", "c.txt", ".txt"},
        {"/c.txt", "/", "/", "c.txt", ".txt"},
        {"c.tar.gz", "", "", "c.tar.gz", ".gz"},
        {"/a.d/file", "/a.d/", "/a.d", "file", ""},
        {"/a/b/", "/a/b/", "/a/b", "", ""},
        {"C:\\报表\\rove.bl3", "C:\\报表\\", "C:\\报表", "rove.bl3", ".bl3"},   // written on Windows
        {"C:\\rove.bl3", "C:\\", "C:\\", "rove.bl3", ".bl3"},
        {"C:rove.bl3", "C:", "C:", "rove.bl3", ".bl3"},
        {"/home/u/a:b.txt", "/home/u/", "/home/u", "a:b.txt", ".txt"},        // a colon is a letter here
        {".bashrc", "", "", ".bashrc", ".bashrc"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
        EXPECT_EQ(ExtractFileDir(c.name), c.dir) << c.name;
        EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
        EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
    }
    EXPECT_EQ(ChangeFileExt("/a.d/report.bl3", ".bp3"), "/a.d/report.bp3");
    EXPECT_EQ(ChangeFileExt("/a.d/report", ".bp3"), "/a.d/report.bp3");
    EXPECT_EQ(ChangeFileExt("x.txt", ""), "x");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a/"), "/a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a"), "/a");
}

TEST(FileNames, ExpandResolvesDotsAgainstTheWorkingDirectory) {
    const std::string cwd = fs::current_path().string();
    EXPECT_EQ(ExpandFileName("/a/./b/../c"), "/a/c");
    EXPECT_EQ(ExpandFileName("/../x"), "/x");
    EXPECT_EQ(ExpandFileName("/a//b/"), "/a/b/");
    EXPECT_EQ(ExpandFileName("x/y.txt"), (cwd == "/" ? "" : cwd) + "/x/y.txt");
    EXPECT_EQ(ExpandFileName(""), "");
}

TEST_F(Files, ExistsForceDeleteRename) {
    EXPECT_FALSE(FileExists(Path("a")));
    EXPECT_TRUE(ForceDirectories(Path("x/y/z/")));
    EXPECT_TRUE(DirectoryExists(Path("x/y/z")));
    EXPECT_FALSE(FileExists(Path("x/y")));      // a folder is no file
    EXPECT_TRUE(ForceDirectories(Path("x/y")));
    EXPECT_FALSE(ForceDirectories(""));
    SaveFileAtomically(Path("a"), "1");
    SaveFileAtomically(Path("b"), "2");
    EXPECT_TRUE(FileExists(Path("a")));
    EXPECT_FALSE(ForceDirectories(Path("a/sub")));   // a file stands in the way
    EXPECT_FALSE(RenameFile(Path("a"), Path("b")));  // never replaces
    EXPECT_EQ(ReadFileBytes(Path("b")), "2");
    EXPECT_TRUE(RenameFile(Path("a"), Path("c")));
    EXPECT_FALSE(FileExists(Path("a")));
    EXPECT_EQ(ReadFileBytes(Path("c")), "1");
    EXPECT_TRUE(DeleteFile(Path("c")));
    EXPECT_FALSE(DeleteFile(Path("c")));
    EXPECT_FALSE(DeleteFile(Path("x")));             // folders are not deleted
}

TEST_F(Files, CopyFileReplacesOrRefuses) {
    SaveFileAtomically(Path("src"), "new data");
    ::chmod(Path("src").c_str(), 0640);
    SaveFileAtomically(Path("dst"), "old");
    EXPECT_FALSE(CopyFile(Path("src"), Path("dst"), true));
    EXPECT_EQ(ReadFileBytes(Path("dst")), "old");
    EXPECT_TRUE(CopyFile(Path("src"), Path("dst"), false));
    EXPECT_EQ(ReadFileBytes(Path("dst")), "new data");
    EXPECT_TRUE(CopyFile(Path("src"), Path("fresh"), true));
    struct stat st {};
    ASSERT_EQ(::stat(Path("fresh").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640U);
    EXPECT_FALSE(CopyFile(Path("missing"), Path("d2"), false));
    EXPECT_FALSE(CopyFile(Path("src"), Path("no/folder/d"), false));
    EXPECT_EQ(Entries(), (std::vector<std::string>{"dst", "fresh", "src"}));
}

// A failure at any step of an atomic save or copy leaves the old file and no temporary file.
TEST_F(Files, FailedSaveKeepsTheOldFile) {
    const TFileStep steps[] = {TFileStep::CreateTemp, TFileStep::Write, TFileStep::Sync, TFileStep::Rename};
    SaveFileAtomically(Path("data.ini"), "old contents");
    SaveFileAtomically(Path("src"), "copy source");
    for (TFileStep failing : steps) {
        SetFileFaultHook([failing](TFileStep step) { return step == failing ? ENOSPC : 0; });
        EXPECT_THROW(SaveFileAtomically(Path("data.ini"), "new contents"), Exception);
        EXPECT_FALSE(CopyFile(Path("src"), Path("data.ini"), false));
        SetFileFaultHook(nullptr);
        EXPECT_EQ(ReadFileBytes(Path("data.ini")), "old contents") << static_cast<int>(failing);
        EXPECT_EQ(Entries(), (std::vector<std::string>{"data.ini", "src"})) << static_cast<int>(failing);
    }
    try {
        SetFileFaultHook([](TFileStep step) { return step == TFileStep::Write ? ENOSPC : 0; });
        SaveFileAtomically(Path("data.ini"), "x");
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Message(), "Cannot write file \"" + Path("data.ini") + "\". No space left on device");
    }
    SetFileFaultHook(nullptr);
    SaveFileAtomically(Path("data.ini"), "new contents");
    EXPECT_EQ(ReadFileBytes(Path("data.ini")), "new contents");
}

TEST_F(Files, SaveKeepsModeAndFollowsLinks) {
    SaveFileAtomically(Path("target"), "v1");
    ::chmod(Path("target").c_str(), 0600);
    fs::create_symlink(Path("target"), Path("link"));
    SaveFileAtomically(Path("link"), "v2");
    EXPECT_TRUE(fs::is_symlink(Path("link")));
    EXPECT_EQ(ReadFileBytes(Path("target")), "v2");
    struct stat st {};
    ASSERT_EQ(::stat(Path("target").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600U);
    const mode_t oldMask = ::umask(027);                 // a new file gets 0666 less the umask
    SaveFileAtomically(Path("new"), "v");
    ::umask(oldMask);
    ASSERT_EQ(::stat(Path("new").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640U);
    EXPECT_THROW(SaveFileAtomically(Path("no/folder/x"), "v"), EFCreateError);
    EXPECT_THROW(ReadFileBytes(Path("missing")), EFOpenError);
    EXPECT_THROW(ReadFileBytes(dir.string()), EFOpenError);
}

// Files of patients' data or a password: 0600 under any umask (0 lets everyone write what
// is made with 0666), over a file of mode 0644 too, through a link to the file it names; a
// failed save leaves the old file and its mode. CreateOwnerOnlyFile empties an existing file
// and gives it the mode.
TEST_F(Files, OwnerOnlyFilesAreTheOwnersWhateverTheUmaskAndTheOldMode) {
    const TUmaskScope mask(0);
    SaveFileAtomically(Path("new"), "v", TFileAccess::OwnerOnly);
    EXPECT_EQ(FileModeOf(Path("new")), 0600u);
    WriteFileWithMode(Path("old"), "old", 0644);
    fs::create_symlink(Path("old"), Path("link"));
    SaveFileAtomically(Path("link"), "v2", TFileAccess::OwnerOnly);
    EXPECT_TRUE(fs::is_symlink(Path("link")));
    EXPECT_EQ(FileModeOf(Path("old")), 0600u);
    EXPECT_EQ(ReadFileBytes(Path("old")), "v2");
    WriteFileWithMode(Path("kept"), "kept", 0644);
    SetFileFaultHook([](TFileStep step) { return step == TFileStep::Rename ? ENOSPC : 0; });
    EXPECT_THROW(SaveFileAtomically(Path("kept"), "lost", TFileAccess::OwnerOnly), EInOutError);
    SetFileFaultHook(nullptr);
    EXPECT_EQ(ReadFileBytes(Path("kept")), "kept");
    EXPECT_EQ(FileModeOf(Path("kept")), 0644u);
    CreateOwnerOnlyFile(Path("kept"));
    EXPECT_EQ(FileModeOf(Path("kept")), 0600u);
    EXPECT_EQ(ReadFileBytes(Path("kept")), "");
    CreateOwnerOnlyFile(Path("made"));
    EXPECT_EQ(FileModeOf(Path("made")), 0600u);
    EXPECT_THROW(CreateOwnerOnlyFile(Path("no/folder/x")), EFCreateError);
}

TEST_F(Files, TemporaryFilesAreNewAndEmpty) {
    const std::string a = CreateTempFile(dir.string(), "fr");
    const std::string b = CreateTempFile(dir.string(), "fr");
    EXPECT_NE(a, b);
    EXPECT_EQ(ExtractFilePath(a), IncludeTrailingPathDelimiter(dir.string()));
    EXPECT_EQ(ExtractFileName(a).rfind("fr", 0), 0U);
    EXPECT_EQ(ReadFileBytes(a), "");
    EXPECT_THROW(CreateTempFile(Path("missing"), "fr"), EFCreateError);
    EXPECT_EQ(GetTempDir().back(), '/');
}

TEST(Process, CommandLineAndOwnPath) {
    char a0[] = "prog", a1[] = "-x", a2[] = "参数";
    char* argv[] = {a0, a1, a2};
    SetCommandLine(3, argv);
    EXPECT_EQ(ParamCount(), 2);
    EXPECT_EQ(ParamStr(1), "-x");
    EXPECT_EQ(ParamStr(2), "参数");
    EXPECT_EQ(ParamStr(3), "");
    EXPECT_EQ(ParamStr(-1), "");
    // ParamStr(0) is the running executable, whatever argv[0] says.
    EXPECT_EQ(ParamStr(0), fs::canonical("/proc/self/exe").string());
    EXPECT_TRUE(FileExists(ExtractFilePath(ParamStr(0)) + ExtractFileName(ParamStr(0))));
}

TEST(Process, TickCountIsSteadyAndReplaceable) {
    const uint32_t t0 = GetTickCount();
    Sleep(20);
    const uint32_t elapsed = GetTickCount() - t0;
    EXPECT_GE(elapsed, 20U);
    SetTickCountSource([] { return 0xFFFFFFF0u; });
    EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);
    SetTickCountSource(nullptr);
    EXPECT_GE(GetTickCount() - t0, elapsed);
}

}  // namespace
