// Report files in the designer: saving and opening through the dialogs, the options
// component's hooks, the recent-file list, and files and folders that fail.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "DesignerFixture.h"
#include "platform/rtl/FileUtils.h"
#include "report/Resources.h"

namespace {
using H = TUiTestHarness;
namespace fs = std::filesystem;
std::string Res(const char* Key) { return frxResources().Get(Key); }

// A folder of its own for each test, removed afterwards.
struct TTempDir {
    std::string Path;
    TTempDir() {
        char tmpl[] = "/tmp/designer_files_XXXXXX";
        Path = mkdtemp(tmpl);
    }
    ~TTempDir() {
        std::error_code ec;
        fs::permissions(Path, fs::perms::owner_all, ec);
        fs::remove_all(Path, ec);
    }
    std::string operator/(const std::string& Name) const { return Path + "/" + Name; }
};

std::string ReadAll(const std::string& Name) { return ReadFileBytes(Name); }

void Write(const std::string& Name, const std::string& Text) { std::ofstream(Name, std::ios::binary) << Text; }

// The recent-file items of the File menu, top to bottom.
std::vector<std::string> RecentMenu(TfrxDesignerForm& F) {
    std::vector<std::string> out;
    const int from = F.FileMenu->IndexOf(F.SepMI11) + 1, to = F.FileMenu->IndexOf(F.SepMI4);
    for (int i = from; i < to; ++i) out.push_back(F.FileMenu->Items(i)->Caption());
    return out;
}

TEST(DesignerFiles, SaveAsForcesTheExtensionAndListsTheFile) {
    TTempDir dir;
    TDesignerFixture f;
    f.Form->SetModified(true);
    f.Harness.AnswerFile(dir / "receipt.txt");
    f.Form->SaveAsCmdExecute(f.Form->SaveAsCmd);
    const std::string saved = dir / "receipt.bl3";
    EXPECT_TRUE(FileExists(saved));
    EXPECT_FALSE(FileExists(dir / "receipt.txt"));
    EXPECT_EQ(f.Report->FileName(), saved);
    EXPECT_EQ(f.Form->Caption(), "Brightline - receipt.bl3");
    EXPECT_FALSE(f.Form->Modified());
    EXPECT_EQ(RecentMenu(*f.Form), std::vector<std::string>{saved});
    ASSERT_EQ(f.Harness.Dialogs().size(), 1u);
    EXPECT_EQ(f.Harness.Dialogs()[0].Filter, Res("dsRepFilter"));
    EXPECT_TRUE(f.Harness.Dialogs()[0].Flags & (1 << ofOverwritePrompt));
}

// A cancelled save dialog leaves the report modified.
TEST(DesignerFiles, CancelledSaveKeepsTheChanges) {
    TDesignerFixture f;
    f.Form->SetModified(true);
    f.Harness.AnswerFile(std::nullopt);
    f.Form->SaveCmdExecute(f.Form->SaveCmd);
    EXPECT_TRUE(f.Form->Modified());
    EXPECT_EQ(f.Form->Caption(), "Brightline - Untitled.bl3");
}

// Saved, closed and opened again: the report reads back equal.
TEST(DesignerFiles, ASavedReportOpensEqual) {
    TTempDir dir;
    std::string xml;
    {
        TDesignerFixture f;
        f.Find("TitleMemo")->SetLeft(33);
        f.Form->SetModified(true);
        f.Harness.AnswerFile(dir / "a.bl3");
        f.Form->SaveCmdExecute(f.Form->SaveCmd);
        xml = ReadAll(dir / "a.bl3");
    }
    TDesignerFixture g(false);
    g.Form->OpenReport(dir / "a.bl3");
    EXPECT_DOUBLE_EQ(g.Find("TitleMemo")->Left(), 33);
    EXPECT_FALSE(g.Form->Modified());
    g.Form->SetModified(true);
    g.Form->SaveCmdExecute(g.Form->SaveCmd);
    // The second save differs at most in the time of the last change.
    auto strip = [](std::string s) {
        const size_t at = s.find("ReportOptions.LastChange=\"");
        if (at != std::string::npos) s.erase(at, s.find('"', at + 26) - at);
        return s;
    };
    EXPECT_EQ(strip(ReadAll(dir / "a.bl3")), strip(xml));
}

// The recent files: each once, newest on top, at most eight.
TEST(DesignerFiles, RecentFilesKeepEightNewestFirst) {
    TTempDir dir;
    TDesignerFixture f;
    std::vector<std::string> names;
    for (int i = 1; i <= 9; ++i) {
        names.push_back(dir / ("r" + std::to_string(i) + ".bl3"));
        f.Report->SaveToFile(names.back());
    }
    f.Form->OpenReport(names[0]);
    f.Form->OpenReport(names[1]);
    f.Form->OpenReport(names[0]);
    EXPECT_EQ(RecentMenu(*f.Form), (std::vector<std::string>{names[0], names[1]}));
    for (int i = 2; i < 9; ++i) f.Form->OpenReport(names[i]);
    const std::vector<std::string> menu = RecentMenu(*f.Form);
    ASSERT_EQ(menu.size(), 8u);
    EXPECT_EQ(menu.front(), names[8]);
    EXPECT_EQ(menu.back(), names[0]);
    EXPECT_EQ(std::count(menu.begin(), menu.end(), names[1]), 0);
    // A recent-file item opens its file.
    H::ClickMenuItem(f.Form->FileMenu->Items(f.Form->FileMenu->IndexOf(f.Form->SepMI11) + 2));
    EXPECT_EQ(f.Report->FileName(), names[7]);
}

// Files that cannot be read: the message, and the report that was open stays as it was.
TEST(DesignerFiles, AFileThatCannotBeReadLeavesTheReportOpen) {
    TTempDir dir;
    TfrxReport good(nullptr);
    frxSmallReport(good);
    good.SaveToFile(dir / "good.bl3");
    const std::string whole = ReadAll(dir / "good.bl3");
    struct {
        const char* Name;
        std::string Text;
    } cases[] = {
        {"truncated.bl3", whole.substr(0, whole.size() / 2)},
        {"notxml.bl3", "这不是报表 at all"},
        {"empty.bl3", ""},
        {"missing.bl3", "-"},
    };
    for (const auto& c : cases) {
        TDesignerFixture f;
        f.Find("TitleMemo")->SetLeft(77);
        f.Form->SetModified(true);
        const std::string before = f.Xml();
        if (c.Text != "-") Write(dir / c.Name, c.Text);
        f.Harness.AnswerMessage(IDNO);
        f.Harness.SetAutoAnswerOk(true);
        f.Form->OpenReport(dir / c.Name);
        EXPECT_EQ(f.Xml(), before) << c.Name;
        EXPECT_TRUE(f.Form->Modified()) << c.Name;
        EXPECT_EQ(f.Report->FileName(), "") << c.Name;
        EXPECT_EQ(f.Form->Caption(), "Brightline - Untitled.bl3") << c.Name;
        ASSERT_NE(f.Form->Page(), nullptr) << c.Name;
        bool told = false;
        for (const std::string& t : f.Harness.DialogTexts()) told = told || t.find(Res("dsCantLoad")) != std::string::npos;
        EXPECT_TRUE(told) << c.Name;
    }
}

// Cancel in the save question keeps the open report; Yes saves it first.
TEST(DesignerFiles, OpeningOverChangesAsksFirst) {
    TTempDir dir;
    TfrxReport other(nullptr);
    other.SaveToFile(dir / "other.bl3");
    TDesignerFixture f;
    f.Report->SetFileName(dir / "mine.bl3");
    f.Form->SetModified(true);
    f.Harness.AnswerMessage(IDCANCEL);
    f.Form->OpenReport(dir / "other.bl3");
    EXPECT_EQ(f.Report->FileName(), dir / "mine.bl3");
    EXPECT_TRUE(f.Form->Modified());
    f.Harness.AnswerMessage(IDYES);
    f.Form->OpenReport(dir / "other.bl3");
    EXPECT_TRUE(FileExists(dir / "mine.bl3"));
    EXPECT_EQ(f.Report->FileName(), dir / "other.bl3");
    EXPECT_FALSE(f.Form->Modified());
}

// A write that fails (a folder without write permission, a full disk) leaves the old
// file whole and the report modified, and says why.
TEST(DesignerFiles, AFailedSaveKeepsTheOldFile) {
    TTempDir dir;
    struct {
        const char* What;
        bool ReadOnly;
        TFileStep Step;
        int Errno;
    } cases[] = {
        {"read-only folder", true, TFileStep::CreateTemp, 0},
        {"full disk", false, TFileStep::Write, ENOSPC},
        {"rename refused", false, TFileStep::Rename, EIO},
    };
    for (const auto& c : cases) {
        TDesignerFixture f;
        const std::string name = dir / "old.bl3";
        Write(name, "<old/>");
        f.Report->SetFileName(name);
        f.Form->SetModified(true);
        if (c.ReadOnly) {
            if (geteuid() == 0) continue;   // root writes anywhere
            fs::permissions(dir.Path, fs::perms::owner_read | fs::perms::owner_exec);
        } else {
            SetFileFaultHook([&](TFileStep s) { return s == c.Step ? c.Errno : 0; });
        }
        f.Form->SaveCmdExecute(f.Form->SaveCmd);
        SetFileFaultHook(nullptr);
        fs::permissions(dir.Path, fs::perms::owner_all);
        EXPECT_EQ(ReadAll(name), "<old/>") << c.What;
        EXPECT_TRUE(f.Form->Modified()) << c.What;
        EXPECT_EQ(f.Harness.Dialogs().size(), 1u) << c.What;
        // Nothing else is left in the folder.
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path), fs::directory_iterator{}), 1) << c.What;
        // Closing then asks, and a save that fails again keeps the window open.
        SetFileFaultHook([](TFileStep s) { return s == TFileStep::Write ? ENOSPC : 0; });
        f.Harness.AnswerMessage(IDYES);
        f.Form->Close();
        SetFileFaultHook(nullptr);
        EXPECT_FALSE(f.Form->ModalFinished) << c.What;
    }
}

// The options component's hooks replace opening and saving; its folders start the
// dialogs.
TEST(DesignerFiles, HooksAndFoldersOfTheOptionsComponent) {
    TfrxDesigner options(nullptr);
    int loads = 0, saves = 0;
    bool saveAs = false;
    options.OnLoadReport = [&](TfrxReport* R) {
        ++loads;
        R->Clear();
        auto* p = new TfrxReportPage(R);
        p->SetName("Hooked");
        return true;
    };
    options.OnSaveReport = [&](TfrxReport*, bool SaveAs) {
        ++saves;
        saveAs = SaveAs;
        return true;
    };
    options.OpenDir = "/tmp/open-here";
    options.SaveDir = "/tmp/save-here";
    TDesignerFixture f;
    f.Form->OpenCmdExecute(f.Form->OpenCmd);
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(f.Tabs(), Res("dsCode") + "|Hooked");
    f.Form->SetModified(true);
    f.Form->SaveAsCmdExecute(f.Form->SaveAsCmd);
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(saveAs);
    EXPECT_FALSE(f.Form->Modified());
    EXPECT_TRUE(f.Harness.Dialogs().empty());
    // Called from elsewhere than their own commands, the hooks are passed by.
    f.Harness.AnswerFile(std::nullopt);
    f.Form->OpenCmdExecute(nullptr);
    f.Harness.AnswerFile(std::nullopt);
    f.Form->SaveAsCmdExecute(nullptr);
    ASSERT_EQ(f.Harness.Dialogs().size(), 2u);
    EXPECT_EQ(f.Harness.Dialogs()[0].InitialDir, "/tmp/open-here");
    EXPECT_EQ(f.Harness.Dialogs()[1].InitialDir, "/tmp/save-here");
}

// With saving forbidden the Save command does nothing, but closing still saves on Yes.
TEST(DesignerFiles, SaveForbiddenStillSavesWhenClosing) {
    TTempDir dir;
    TfrxDesigner options(nullptr);
    options.Restrictions = TfrxDesignerRestrictions{drDontSaveReport};
    TDesignerFixture f;
    f.Report->SetFileName(dir / "r.bl3");
    f.Form->SetModified(true);
    f.Form->SaveCmdExecute(f.Form->SaveCmd);
    EXPECT_FALSE(FileExists(dir / "r.bl3"));
    f.Harness.AnswerMessage(IDYES);
    f.Form->Close();
    EXPECT_TRUE(FileExists(dir / "r.bl3"));
    EXPECT_TRUE(f.Form->ModalFinished);
}

// A file written by a newer program: an object class and a property this one does not
// know. What is known opens, the reader's list of what was skipped is shown, and nothing
// else is lost.
TEST(DesignerFiles, AFileOfANewerFormatOpensWhatItKnowsAndSaysWhatNot) {
    TTempDir dir;
    TfrxReport good(nullptr);
    frxSmallReport(good);
    good.SaveToFile(dir / "good.bl3");
    std::string text = ReadAll(dir / "good.bl3");
    const size_t memo = text.find("<TfrxMemoView Name=\"TitleMemo\"");
    ASSERT_NE(memo, std::string::npos);
    text.insert(memo + 30, " Hologram.Depth=\"3\"");
    text.insert(memo, "<TfrxHologramView Name=\"Holo1\" Left=\"1\" Top=\"1\" Width=\"10\" Height=\"10\"/>");
    Write(dir / "newer.bl3", text);
    TDesignerFixture f(false);
    f.Harness.SetAutoAnswerOk(true);
    f.Form->OpenReport(dir / "newer.bl3");
    ASSERT_EQ(f.Harness.DialogTexts().size(), 1u);
    EXPECT_NE(f.Harness.DialogTexts()[0].find("TfrxHologramView"), std::string::npos) << f.Harness.DialogTexts()[0];
    auto* title = dynamic_cast<TfrxMemoView*>(f.Find("TitleMemo"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->Memo()->Strings(0), "XXX医院门诊收费结算收据");
    EXPECT_NE(f.Find("Memo3"), nullptr);
    EXPECT_EQ(f.Find("Holo1"), nullptr);
    EXPECT_EQ(f.Report->FileName(), dir / "newer.bl3");
    EXPECT_EQ(f.Form->Page(), f.Report->Pages(0));
    EXPECT_FALSE(f.Form->Modified());
}
}  // namespace
