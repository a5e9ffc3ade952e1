// The clinic program's start-up, main window, login and rights, driven headless through
// the real windows on a fresh clinic database in a folder of each test's own.
#include "app/database/ClinicDatabase.h"
#include "app/forms/BackupForm.h"
#include "app/forms/ChargeForm.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/DataModule.h"
#include "app/forms/HelpFile.h"
#include "app/forms/LoginForm.h"
#include "app/forms/MainForm.h"
#include "app/forms/Passwords.h"
#include "app/forms/ScreenScale.h"
#include "app/forms/Startup.h"
#include "app/widgets/FlatButton.h"
#include "platform/db/ADODB.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/ActnList.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Shell.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::set<std::string> kAllActions = {
    "brzl", "yszl", "kszl", "xmzl", "llzl", "dwzl", "sf", "pjzf", "rb", "xmxhtj", "ypxhtj", "pjzfcx", "sfcx",
    "jxcyl", "qhsxcx", "sjbf", "sjhf", "user", "yhcx", "sjzl", "rk", "rkcx", "tj", "yhsf", "nbjz"};

std::string Joined(const std::vector<std::string>& v) {
    std::string s;
    for (const std::string& x : v) s += x + "\n";
    return s;
}

class ClinicTest : public ::testing::Test {
protected:
    void SetUp() override {
        FOldDir = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "clinic-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        FDir = pattern;
        fs::current_path(FDir);
        // The instance mark lives in the runtime folder: one of this test's own, so tests
        // running side by side (and a clinic program on this desktop) do not meet.
        if (const char* r = std::getenv("XDG_RUNTIME_DIR")) FOldRuntime = r;
        setenv("XDG_RUNTIME_DIR", FDir.c_str(), 1);
        harness = std::make_unique<TUiTestHarness>();
    }

    void TearDown() override {
        EXPECT_TRUE(harness->Errors().empty()) << Joined(harness->Errors());
        EXPECT_EQ(harness->PendingDrivers(), 0);
        DestroyWindows();
        harness.reset();
        fs::current_path(FOldDir);
        if (FOldRuntime) setenv("XDG_RUNTIME_DIR", FOldRuntime->c_str(), 1);
        else unsetenv("XDG_RUNTIME_DIR");
        std::error_code ec;
        fs::remove_all(FDir, ec);
    }

    // Ends a death test's child: its own folder goes with it (the child never reaches
    // TearDown).
    [[noreturn]] void ExitChild(int code) {
        std::error_code ec;
        fs::current_path(FOldDir, ec);
        fs::remove_all(FDir, ec);
        std::_Exit(code);
    }

    // The start-up's window creation, as the main block runs it.
    void StartWindows() { ASSERT_TRUE(CreateClinicWindows()) << Joined(harness->DialogTexts()); }

    static void DestroyWindows() {
        DestroyClinicForms();
    }

    // The next login shown is answered with these, typed as a user types them.
    // Fills the login as a user does: a click in the name box, its text typed over, Tab to
    // the password box (which selects what it holds), the password typed over it.
    static void TypeLogin(TLogoinForm& login, const std::string& user, const std::string& password) {
        TUiTestHarness::Click(login.ComboBox);
        TUiTestHarness::TypeKey(login.ComboBox, VK_HOME);
        TUiTestHarness::TypeKey(login.ComboBox, VK_END, ssShift);
        if (user.empty()) TUiTestHarness::TypeKey(login.ComboBox, VK_DELETE);
        else TUiTestHarness::TypeText(login.ComboBox, user);
        TUiTestHarness::TypeKey(login.ComboBox, VK_TAB);
        if (password.empty()) TUiTestHarness::TypeKey(login.edit1, VK_DELETE);
        else TUiTestHarness::TypeText(login.edit1, password);
    }

    void QueueLogin(const std::string& user, const std::string& password) {
        harness->OnModal("TLogoinForm", [user, password](TCustomForm& form) {
            auto& login = dynamic_cast<TLogoinForm&>(form);
            TypeLogin(login, user, password);
            TUiTestHarness::Click(login.Button1);
        });
    }

    // The main window's first show opens the login as soon as the window is on screen.
    static void ShowMainWindow() {
        wqtdglzjmform->Show();
        TUiTestHarness::ElapseTime(1);
        ASSERT_FALSE(wqtdglzjmform->LoginPending());
    }

    static void Exec(const std::string& sql, const std::vector<Variant>& values = {}) {
        TADOQuery q(nullptr);
        q.SetConnection(datamoduleform->ADOConnection1);
        q.SQL()->SetText(sql);
        for (size_t i = 0; i < values.size(); ++i) q.Parameters()->Items(static_cast<int>(i))->SetValue(values[i]);
        q.ExecSQL();
    }

    static void AddUser(const std::string& name, const std::string& password, const std::vector<int>& rights) {
        Exec("insert into tb_user(user, pass) values (:u, :p)", {Variant(name), Variant(PasswordDigest(password))});
        for (int right : rights) Exec("insert into tb_yhgnb(用户名, 功能号) values (:u, :f)", {Variant(name), Variant(right)});
    }

    static std::set<std::string> EnabledActions() {
        std::set<std::string> names;
        TActionList* list = wqtdglzjmform->ActionList1;
        for (int i = 0; i < list->ActionCount(); ++i) {
            auto* a = dynamic_cast<TCustomAction*>(list->Actions(i));
            if (a && a->Enabled()) names.insert(a->Name());
        }
        return names;
    }

    std::unique_ptr<TUiTestHarness> harness;

private:
    fs::path FOldDir;
    fs::path FDir;
    std::optional<std::string> FOldRuntime;
};

// --- Start-up ----------------------------------------------------------------------------------

TEST_F(ClinicTest, CreatesTheWindowsInTheirOrderOnAFreshDatabase) {
    ASSERT_FALSE(fs::exists(ClinicDatabaseFileName));
    std::vector<std::string> expected;
    for (std::string_view name : ClinicFormOrder())
        if (ClinicFormRegistered(name)) expected.emplace_back(name);
    ASSERT_GE(expected.size(), 5u);
    EXPECT_EQ(expected.front(), "Twqtdglzjmform");

    const std::vector<std::string> created = CreateClinicForms(*Application);
    EXPECT_EQ(created, expected);
    EXPECT_EQ(Application->MainForm(), wqtdglzjmform);
    for (const std::string& name : created) EXPECT_NE(FindClinicForm(name), nullptr) << name;
    EXPECT_EQ(FindClinicForm("Tbrzlhxform"), nullptr) << "the candidate window comes on demand";

    // The data module came before the login: its connection was open when the login
    // filled its user list.
    EXPECT_TRUE(fs::exists(ClinicDatabaseFileName));
    EXPECT_TRUE(datamoduleform->ADOConnection1->Connected());
    EXPECT_GE(LogoinForm->ComboBox->Items()->IndexOf("tulvo"), 0);

    // The main window: maximised, every action disabled, the tags of the function list.
    EXPECT_EQ(wqtdglzjmform->WindowState(), wsMaximized);
    EXPECT_EQ(wqtdglzjmform->Caption(), "岳梧门诊收费系统主界面");
    EXPECT_TRUE(EnabledActions().empty());
    TADOQuery functions(nullptr);
    functions.SetConnection(datamoduleform->ADOConnection1);
    functions.SQL()->SetText("select 功能号, 功能名 from tb_gnb order by 功能号");
    functions.Open();
    int listed = 0;
    for (; !functions.Eof(); functions.Next(), ++listed) {
        const int tag = functions.Fields()[0]->AsInteger();
        bool found = false;
        for (int i = 0; i < wqtdglzjmform->ActionList1->ActionCount(); ++i)
            found = found || wqtdglzjmform->ActionList1->Actions(i)->Tag() == tag;
        EXPECT_TRUE(found) << "function " << tag << " has no action";
    }
    EXPECT_EQ(listed, wqtdglzjmform->ActionList1->ActionCount());
}

// The main window's actions, menu bar and tool bar as the program defines them.
TEST_F(ClinicTest, MainWindowHasItsActionsMenusAndToolBar) {
    StartWindows();
    struct ActionRow {
        const char* name;
        int tag;
        const char* caption;
    };
    const ActionRow rows[] = {
        {"brzl", 11, "病人信息"},   {"yszl", 12, "医生信息"},   {"kszl", 13, "科室信息"},
        {"xmzl", 14, "收费项目"},   {"llzl", 15, "项目类型"},   {"dwzl", 16, "单位资料"},
        {"sf", 21, "划价收费"},     {"pjzf", 22, "票据作废"},   {"rb", 31, "日报月报"},
        {"xmxhtj", 32, "项目消耗"}, {"ypxhtj", 33, "药品消耗"}, {"pjzfcx", 34, "废票查询"},
        {"sfcx", 35, "收费查询"},   {"jxcyl", 36, "进销存一览"}, {"qhsxcx", 37, "缺货、有效期"},
        {"sjbf", 41, "数据备份"},   {"sjhf", 42, "数据恢复"},   {"user", 43, "用户管理"},
        {"yhcx", 44, "权限管理"},   {"sjzl", 45, "数据整理"},   {"rk", 51, "药品入库"},
        {"rkcx", 52, "入库查询"},   {"tj", 61, "调价"},         {"yhsf", 62, "优惠打折"},
        {"nbjz", 63, "内部记账"}};
    TActionList* list = wqtdglzjmform->ActionList1;
    ASSERT_EQ(list->ActionCount(), 25);
    for (int i = 0; i < 25; ++i) {
        auto* a = dynamic_cast<TAction*>(list->Actions(i));
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->Name(), rows[i].name);
        EXPECT_EQ(a->Tag(), rows[i].tag) << rows[i].name;
        EXPECT_EQ(a->Caption(), rows[i].caption) << rows[i].name;
        EXPECT_FALSE(a->Enabled()) << rows[i].name;
    }

    // Menus: caption, then what each item is bound to (an action's name, or its own caption).
    const std::vector<std::pair<std::string, std::vector<std::string>>> menus = {
        {"初始设置", {"brzl", "yszl", "kszl", "xmzl", "llzl", "dwzl"}},
        {"门诊收费", {"sf", "pjzf"}},
        {"统计查询", {"rb", "xmxhtj", "ypxhtj", "pjzfcx", "sfcx", "jxcyl", "qhsxcx"}},
        {"入库管理", {"rk", "rkcx"}},
        {"系统管理", {"sjbf", "sjhf", "sjzl", "user", "yhcx"}},
        {"帮助\u3000", {"使用帮助", "关于软件"}},
        {"退出", {"更换操作员", "退出系统"}}};
    TMenuItem* bar = wqtdglzjmform->MainMenu1->Items();
    ASSERT_EQ(bar->Count(), static_cast<int>(menus.size()));
    EXPECT_EQ(wqtdglzjmform->Menu(), wqtdglzjmform->MainMenu1);
    for (int m = 0; m < bar->Count(); ++m) {
        TMenuItem* menu = bar->Items(m);
        EXPECT_EQ(menu->Caption(), menus[m].first);
        std::vector<std::string> items;
        for (int i = 0; i < menu->Count(); ++i) {
            auto* a = dynamic_cast<TComponent*>(menu->Items(i)->Action());
            items.push_back(a ? a->Name() : menu->Items(i)->Caption());
            if (a) {
                EXPECT_EQ(menu->Items(i)->Caption(), dynamic_cast<TAction*>(a)->Caption());
            }
        }
        EXPECT_EQ(items, menus[m].second) << menus[m].first;
    }

    TToolBar* tools = wqtdglzjmform->ToolBar1;
    EXPECT_EQ(tools->ButtonHeight(), 54);
    EXPECT_EQ(tools->ButtonWidth(), 55);
    EXPECT_TRUE(tools->ShowCaptions());
    EXPECT_EQ(tools->Images(), wqtdglzjmform->ImageList1);
    std::vector<std::string> buttons;
    for (int i = 0; i < tools->ButtonCount(); ++i) {
        auto* a = dynamic_cast<TComponent*>(tools->Buttons(i)->Action());
        buttons.push_back(a ? a->Name() : tools->Buttons(i)->Caption());
    }
    EXPECT_EQ(buttons, (std::vector<std::string>{"brzl", "xmzl", "sf", "sfcx", "sjbf", "sjhf", "rk", "rkcx",
                                                 "使用帮助", "退出系统"}));
    EXPECT_EQ(wqtdglzjmform->Label1->Caption(), "岳梧门诊收费系统V5.58");
    EXPECT_TRUE(wqtdglzjmform->Image1->Stretch());
    EXPECT_EQ(wqtdglzjmform->Image1->Align(), alClient);
    EXPECT_FALSE(wqtdglzjmform->Image1->Picture()->Empty());
    EXPECT_EQ(wqtdglzjmform->ImageList1->Count(), 10);

    EXPECT_EQ(LogoinForm->Caption(), "岳梧门诊收费系统用户登陆");
    EXPECT_EQ(LogoinForm->BorderStyle(), bsToolWindow);
    EXPECT_EQ(LogoinForm->edit1->PasswordChar(), U'*');
    EXPECT_EQ(LogoinForm->Button1->Caption(), "确定");
    EXPECT_EQ(LogoinForm->Button2->Caption(), "取消");
    EXPECT_EQ(LogoinForm->Label3->Caption(), "[初始用户名和密码都是tulvo]");
}

TEST_F(ClinicTest, ARegisteredWindowWithoutAPlaceIsRefused) {
    RegisterClinicForm("Tnoplaceform", [](TApplication&) -> TComponent* { return nullptr; });
    EXPECT_THROW(CreateClinicForms(*Application), EComponentError);
    EXPECT_EQ(wqtdglzjmform, nullptr) << "nothing was created";
    RegisterClinicForm("Tnoplaceform", nullptr);
    EXPECT_FALSE(ClinicFormRegistered("Tnoplaceform"));
}

// The advice the start-up adds to a damaged database's message: the backups' names, where
// they are, and how to put one back by hand (the restore window is inside the program).
std::string BackupAdvice(const std::string& where) {
    return "\n数据备份的文件名是备份时的“月日时分”加 bf.mdb（如 03070905bf.mdb 是 3 月 7 日 9:05 的备份），" + where +
           "\n恢复的办法：先把损坏的 Rove.mdb 改名留存（如 Rove.mdb.损坏），再把最近的一个备份文件复制到文件夹 " +
           fs::current_path().string() + " 中并改名为 Rove.mdb，然后重新启动本程序。";
}

struct BadDatabaseCase {
    const char* name;
    std::string content;
    const char* message;
};

class ClinicBadDatabase : public ClinicTest, public ::testing::WithParamInterface<BadDatabaseCase> {};

TEST_P(ClinicBadDatabase, EndsTheStartUpWithAClearMessage) {
    {
        std::ofstream f(ClinicDatabaseFileName, std::ios::binary);
        f << GetParam().content;
    }
    EXPECT_FALSE(CreateClinicWindows());
    ASSERT_EQ(harness->Dialogs().size(), 1u);
    EXPECT_EQ(harness->Dialogs()[0].Text, GetParam().message + BackupAdvice("存放在做数据备份时选择的文件夹中。"));
    EXPECT_EQ(harness->Dialogs()[0].Caption, "提示");
    EXPECT_EQ(datamoduleform, nullptr);
    EXPECT_EQ(LogoinForm, nullptr) << "nothing after the data module is created";
    // the file is left as it was
    EXPECT_EQ(fs::file_size(ClinicDatabaseFileName), GetParam().content.size());
}

INSTANTIATE_TEST_SUITE_P(Cases, ClinicBadDatabase,
                         ::testing::Values(BadDatabaseCase{"not_a_database", std::string(4096, 'x'),
                                                           "数据库文件 Rove.mdb 不是有效的数据库。"},
                                           BadDatabaseCase{"empty_file", "", "数据库文件 Rove.mdb 不是有效的数据库。"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A database that lost a table but still holds the backup folder: the message names the
// folder and the newest backup in it (by the time it was written, not by its name).
TEST_F(ClinicTest, ADamagedDatabaseNamesTheBackupFolderAndTheNewestBackup) {
    const fs::path folder = fs::current_path() / "备份";
    fs::create_directory(folder);
    const auto write = [&](const char* name, int hoursAgo) {
        std::ofstream(folder / name) << "backup";
        fs::last_write_time(folder / name, fs::file_time_type::clock::now() - std::chrono::hours(hoursAgo));
    };
    write("12310800bf.mdb", 30);
    write("01020900bf.mdb", 2);
    write("01021000bf.mdb.old", 1);
    write("notes.txt", 0);
    {
        TSqliteDatabase db;
        db.Open(ClinicDatabaseFileName, TSqliteDatabase::omReadWriteCreate);
        db.ExecScript(std::string(ClinicSchemaSql()));
        db.ExecScript(std::string(ClinicSeedSql()));
        db.ExecScript("DROP TABLE tb_sf;");
        TSqliteStatement set = db.Prepare("UPDATE tb_bflj SET 备份路径 = ?1");
        set.BindText(1, folder.string() + "/");
        set.Execute();
    }
    EXPECT_FALSE(CreateClinicWindows());
    ASSERT_EQ(harness->Dialogs().size(), 1u);
    EXPECT_EQ(harness->Dialogs()[0].Text, "数据库文件 Rove.mdb 缺少数据表 tb_sf。" +
                                              BackupAdvice("上次备份存放在文件夹 " + folder.string() + "/ 中。其中最近的备份是 " +
                                                           (folder / "01020900bf.mdb").string() + "。"));
    EXPECT_EQ(datamoduleform, nullptr);
}

TEST_F(ClinicTest, ASecondInstanceIsRefusedUnlessGivenAParameter) {
    TSingleInstanceLock other("Twqtdglzjmform");
    ASSERT_TRUE(other.Acquire());
    char program[] = "clinic";
    char parameter[] = "/second";
    char* withParameter[] = {program, parameter, nullptr};
    char* plain[] = {program, nullptr};

    SetCommandLine(1, plain);
    EXPECT_FALSE(ClaimSingleInstance());
    ASSERT_EQ(harness->Dialogs().size(), 1u);
    EXPECT_EQ(harness->Dialogs()[0].Text, "该程序已经有一个在运行中！");
    EXPECT_EQ(harness->Dialogs()[0].Caption, "运行");
    EXPECT_EQ(harness->Dialogs()[0].Flags & MB_TYPEMASK, MB_OK);

    SetCommandLine(2, withParameter);
    EXPECT_TRUE(ClaimSingleInstance());
    EXPECT_EQ(harness->Dialogs().size(), 1u);

    other.Release();
    SetCommandLine(1, plain);
    EXPECT_TRUE(ClaimSingleInstance()) << "the only instance";
    // ... and now it holds the mark itself
    TSingleInstanceLock third("Twqtdglzjmform");
    EXPECT_FALSE(third.Acquire());
    ReleaseSingleInstance();
    EXPECT_TRUE(third.Acquire());
}

// The whole main block: a second start without parameters ends at once, no window made.
TEST_F(ClinicTest, TheMainBlockOfASecondInstanceEndsAtOnce) {
    const auto inChild = [&] {
        TSingleInstanceLock other("Twqtdglzjmform");
        if (!other.Acquire()) ExitChild(10);
        char program[] = "clinic";
        char* argv[] = {program, nullptr};
        const int code = ClinicMain(1, argv);
        const bool refused = harness->DialogTexts() == std::vector<std::string>{"该程序已经有一个在运行中！"};
        ExitChild(code == 0 && refused && !wqtdglzjmform && !fs::exists(ClinicDatabaseFileName) ? 0 : 11);
    };
    EXPECT_EXIT(inChild(), ::testing::ExitedWithCode(0), "");
}

// The whole main block of a first start: the maximised main window with the login on
// top; the user logs in, then leaves without a backup, which ends the message loop.
TEST_F(ClinicTest, TheMainBlockRunsUntilTheUserLeaves) {
    const auto inChild = [&] {
        bool loginOnTop = false;
        bool terminatedBeforeShutdown = false;
        std::string cashier;
        std::set<std::string> actions;
        harness->OnModal("TLogoinForm", [&](TCustomForm& form) {
            auto& login = dynamic_cast<TLogoinForm&>(form);
            loginOnTop = wqtdglzjmform->Showing() && wqtdglzjmform->ModalDisabled() && login.Showing() &&
                         wqtdglzjmform->WindowState() == wsMaximized;
            TypeLogin(login, "tulvo", "tulvo");
            TUiTestHarness::Click(login.Button1);
            // Leaving: "no" to the backup question. The program frees its windows once the
            // message loop ends, so what the login set is read while the question stands.
            harness->Answer([&](const TDialogRequest&) {
                cashier = sfform ? sfform->Edit12->Text() : "";
                actions = EnabledActions();
                TDialogAnswer answer;
                answer.Result = IDCANCEL;
                return answer;
            });
            wqtdglzjmform->ExitClick(nullptr);
            terminatedBeforeShutdown = Application->Terminated();
        });
        char program[] = "clinic";
        char* argv[] = {program, nullptr};
        const int code = ClinicMain(1, argv);
        // each check has a bit of its own in the exit code
        int failed = 0;
        if (code != 0) failed |= 1;
        if (!loginOnTop) failed |= 2;
        if (cashier != "tulvo") failed |= 4;
        if (actions != kAllActions) failed |= 8;
        if (!terminatedBeforeShutdown) failed |= 16;
        if (harness->DialogTexts() != std::vector<std::string>{"退出系统前是否备份数据?"}) failed |= 32;
        // The end of the program freed its windows and the window system.
        if (wqtdglzjmform || sfform || Application->Initialized()) failed |= 64;
        ExitChild(failed);
    };
    EXPECT_EXIT(inChild(), ::testing::ExitedWithCode(0), "");
}

// --- Screen scaling ----------------------------------------------------------------------------------
struct ScaleCase {
    int width;
    int m;
};

class ClinicScale : public ClinicTest, public ::testing::WithParamInterface<ScaleCase> {};

TEST_P(ClinicScale, MainWindowScalesByScreenWidth) {
    harness->SetScreenSize(GetParam().width, 768);
    const TScreenScale s = ScreenWidthScale(GetParam().width);
    EXPECT_EQ(s.M, GetParam().m);
    EXPECT_EQ(s.D, 100);
    StartWindows();
    // Label1 is designed at (160, 200), 480 x 40, font height -32.
    const int m = GetParam().m;
    TLabel* label = wqtdglzjmform->Label1;
    EXPECT_EQ(label->Left(), MulDiv(160, m, 100));
    EXPECT_EQ(label->Top(), MulDiv(200, m, 100));
    EXPECT_EQ(label->Width(), MulDiv(160 + 480, m, 100) - MulDiv(160, m, 100));
    EXPECT_EQ(label->Height(), MulDiv(200 + 40, m, 100) - MulDiv(200, m, 100));
    if (m == 100) {
        EXPECT_EQ(label->Font()->Height(), -32);
    } else {
        EXPECT_NE(label->Font()->Height(), -32) << "the title's font scales too";
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, ClinicScale,
                         ::testing::Values(ScaleCase{640, 80}, ScaleCase{800, 100}, ScaleCase{1024, 128},
                                           ScaleCase{1280, 100}),
                         [](const auto& info) { return std::to_string(info.param.width); });

// --- Login and rights ----------------------------------------------------------------------------------

TEST_F(ClinicTest, TheAdministratorGetsEveryAction) {
    StartWindows();
    QueueLogin("tulvo", "tulvo");
    ShowMainWindow();
    EXPECT_EQ(EnabledActions(), kAllActions);
    EXPECT_EQ(sfform->Edit12->Text(), "tulvo");
    EXPECT_FALSE(LogoinForm->Visible());
    EXPECT_FALSE(Application->Terminated()) << "closing after a login does not end the program";
    EXPECT_TRUE(harness->Dialogs().empty());
    EXPECT_EQ(LogoinForm->ComboBox->Text(), "") << "the login is cleared for the next time";
    EXPECT_EQ(LogoinForm->edit1->Text(), "");
}

// Two rights: exactly those two actions, their tool buttons and menu items work; every
// other action, tool button and menu item bound to an action is disabled.
TEST_F(ClinicTest, AUserGetsExactlyTheActionsOfItsRights) {
    StartWindows();
    AddUser("张收费", "abc", {21, 35});
    QueueLogin("张收费", "abc");
    ShowMainWindow();
    const std::set<std::string> held = {"sf", "sfcx"};
    EXPECT_EQ(EnabledActions(), held);
    EXPECT_EQ(sfform->Edit12->Text(), "张收费");

    TToolBar* bar = wqtdglzjmform->ToolBar1;
    ASSERT_EQ(bar->ButtonCount(), 10);
    int boundButtons = 0;
    for (int i = 0; i < bar->ButtonCount(); ++i) {
        TToolButton* b = bar->Buttons(i);
        if (auto* a = dynamic_cast<TComponent*>(b->Action())) {
            ++boundButtons;
            EXPECT_EQ(b->Enabled(), held.count(a->Name()) == 1) << a->Name();
        } else {
            EXPECT_TRUE(b->Enabled()) << b->Caption() << " needs no right";
        }
    }
    EXPECT_EQ(boundButtons, 8);

    int boundItems = 0;
    std::function<void(TMenuItem*)> walk = [&](TMenuItem* item) {
        for (int i = 0; i < item->Count(); ++i) {
            TMenuItem* sub = item->Items(i);
            if (auto* a = dynamic_cast<TComponent*>(sub->Action())) {
                ++boundItems;
                EXPECT_EQ(sub->Enabled(), held.count(a->Name()) == 1) << a->Name();
            } else {
                EXPECT_TRUE(sub->Enabled()) << sub->Caption();
            }
            walk(sub);
        }
    };
    walk(wqtdglzjmform->MainMenu1->Items());
    EXPECT_EQ(boundItems, 22);
}

TEST_F(ClinicTest, AUserWithoutRightsGetsNoAction) {
    StartWindows();
    AddUser("nobody", "pw", {});
    QueueLogin("nobody", "pw");
    ShowMainWindow();
    EXPECT_TRUE(EnabledActions().empty());
    EXPECT_EQ(sfform->Edit12->Text(), "nobody");
    // a right whose number has no action is passed over
    AddUser("odd", "pw", {99, 11});
    wqtdglzjmform->DisableAllActions();
    QueueLogin("odd", "pw");
    wqtdglzjmform->ChangeOperatorClick(nullptr);
    EXPECT_EQ(EnabledActions(), std::set<std::string>{"brzl"});
}

// Bad input keeps the login open with the message, enables nothing, and lets the user try
// again; the password is compared without leading and trailing blanks, as it was stored.
struct LoginAttempt {
    const char* name;
    std::string user;
    std::string password;
    const char* message;   // nullptr: the login succeeds
};

class ClinicLogin : public ClinicTest, public ::testing::WithParamInterface<LoginAttempt> {};

TEST_P(ClinicLogin, AnswersEachAttempt) {
    StartWindows();
    AddUser("李四", "口令 1", {11});
    const LoginAttempt& c = GetParam();
    std::set<std::string> enabledAfterAttempt;
    bool stillOpen = false;
    harness->OnModal("TLogoinForm", [&](TCustomForm& form) {
        auto& login = dynamic_cast<TLogoinForm&>(form);
        TypeLogin(login, c.user, c.password);
        TUiTestHarness::Click(login.Button1);
        enabledAfterAttempt = EnabledActions();
        stillOpen = login.Visible() && login.ModalResult() == mrNone;
        if (!stillOpen) return;
        // another try with the right name and password
        TypeLogin(login, "tulvo", "tulvo");
        TUiTestHarness::Click(login.Button1);
    });
    ShowMainWindow();
    if (c.message) {
        EXPECT_TRUE(stillOpen);
        EXPECT_TRUE(enabledAfterAttempt.empty());
        ASSERT_EQ(harness->Dialogs().size(), 1u);
        EXPECT_EQ(harness->Dialogs()[0].Text, c.message);
        EXPECT_EQ(harness->Dialogs()[0].Caption, "提示");
        EXPECT_EQ(sfform->Edit12->Text(), "tulvo");
        EXPECT_EQ(EnabledActions(), kAllActions);
    } else {
        EXPECT_FALSE(stillOpen);
        EXPECT_TRUE(harness->Dialogs().empty());
        EXPECT_EQ(sfform->Edit12->Text(), c.user);
        EXPECT_EQ(EnabledActions(), std::set<std::string>{"brzl"});
    }
    EXPECT_FALSE(Application->Terminated());
}

// Enter in the password field logs in like "确定", and a wrong password keeps the window.
TEST_F(ClinicTest, EnterInThePasswordLogsIn) {
    StartWindows();
    bool openAfterWrong = false;
    harness->OnModal("TLogoinForm", [&](TCustomForm& form) {
        auto& login = dynamic_cast<TLogoinForm&>(form);
        TypeLogin(login, "tulvo", "wrong");
        TUiTestHarness::TypeKey(login.edit1, VK_RETURN);
        openAfterWrong = login.Visible() && login.ModalResult() == mrNone;
        TypeLogin(login, "tulvo", "tulvo");
        TUiTestHarness::TypeKey(login.edit1, VK_RETURN);
    });
    ShowMainWindow();
    EXPECT_TRUE(openAfterWrong);
    ASSERT_EQ(harness->Dialogs().size(), 1u);
    EXPECT_EQ(harness->Dialogs()[0].Text, "用户名称或密码错误!");
    EXPECT_FALSE(LogoinForm->Visible());
    EXPECT_EQ(sfform->Edit12->Text(), "tulvo");
    EXPECT_EQ(EnabledActions(), kAllActions);
}

INSTANTIATE_TEST_SUITE_P(
    Attempts, ClinicLogin,
    ::testing::Values(LoginAttempt{"right", "李四", "口令 1", nullptr},
                      LoginAttempt{"blanks_around_password", "李四", "  口令 1 ", nullptr},
                      LoginAttempt{"wrong_password", "李四", "口令", "用户名称或密码错误!"},
                      LoginAttempt{"inner_blank_matters", "李四", "口令1", "用户名称或密码错误!"},
                      LoginAttempt{"unknown_user", "王五", "口令 1", "用户名称或密码错误!"},
                      LoginAttempt{"other_users_password", "李四", "tulvo", "用户名称或密码错误!"},
                      LoginAttempt{"empty_name_with_password", "", "tulvo", "请输入用户名称!"},
                      LoginAttempt{"empty_name_and_password", "", "", "请输入用户名称!"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClinicTest, ChangeOfOperatorDisablesEverythingUntilTheNextLogin) {
    StartWindows();
    AddUser("casher", "1", {21});
    QueueLogin("tulvo", "tulvo");
    ShowMainWindow();
    ASSERT_EQ(EnabledActions(), kAllActions);

    std::set<std::string> whileLoginShown = {"not looked at"};
    harness->OnModal("TLogoinForm", [&](TCustomForm& form) {
        whileLoginShown = EnabledActions();
        auto& login = dynamic_cast<TLogoinForm&>(form);
        TypeLogin(login, "casher", "1");
        TUiTestHarness::Click(login.Button1);
    });
    TUiTestHarness::ClickMenuItem(dynamic_cast<TMenuItem*>(wqtdglzjmform->FindComponent("N7ChangeOperator")));
    EXPECT_TRUE(whileLoginShown.empty());
    EXPECT_EQ(EnabledActions(), std::set<std::string>{"sf"});
    EXPECT_EQ(sfform->Edit12->Text(), "casher");
}

// The previous operator's windows follow the new operator's rights: a window whose function
// the new operator does not hold is closed, one the operator holds stays usable. The
// charging window with an unfinished receipt asks first; kept, it cannot be used until an
// operator who holds charging opens it again.
TEST_F(ClinicTest, ChangeOfOperatorClosesTheWindowsOfRightsNotHeld) {
    StartWindows();
    AddUser("casher", "1", {21, 35});
    AddUser("nobody", "2", {});
    QueueLogin("tulvo", "tulvo");
    ShowMainWindow();
    auto open = [](const char* item) {
        TUiTestHarness::ClickMenuItem(dynamic_cast<TMenuItem*>(wqtdglzjmform->FindComponent(item)));
    };
    auto changeTo = [&](const std::string& user, const std::string& password) {
        QueueLogin(user, password);
        open("N7ChangeOperator");
    };
    for (const char* item : {"N5yhcx", "N3rb", "N2sf", "N3sfcx"}) open(item);
    TCustomForm* rights = FindClinicWindow("Tyhcxform");
    TCustomForm* daily = FindClinicWindow("Trbform");
    TCustomForm* query = FindClinicWindow("Tsfcxform");
    ASSERT_TRUE(rights->Visible() && daily->Visible() && sfform->Visible() && query->Visible());

    changeTo("casher", "1");
    EXPECT_FALSE(rights->Visible());
    EXPECT_FALSE(daily->Visible());
    EXPECT_TRUE(sfform->Visible());
    EXPECT_TRUE(sfform->Enabled());
    EXPECT_TRUE(query->Visible());
    EXPECT_TRUE(harness->DialogTexts().empty()) << Joined(harness->DialogTexts());

    // An unfinished receipt, kept at the question: the window stays, out of use.
    Exec("insert into tb_temp (id,项目种类,项目类型,项目名称,规格,单位,单价,数量,单项累计)"
         " values (1,'检查项目','检查费','血常规','次','次',15,1,15)");
    harness->AnswerMessage(IDCANCEL);
    changeTo("nobody", "2");
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"有收费项目未完成，是否确定退出？"});
    EXPECT_FALSE(query->Visible());
    ASSERT_TRUE(sfform->Visible());
    EXPECT_FALSE(sfform->Enabled());
    // A click into its patient field gives the field no focus, and what is typed then goes
    // wherever the keyboard is, not into the field.
    TUiTestHarness::Click(sfform->Edit1);
    EXPECT_NE(TUiTestHarness::FocusedControl(), sfform->Edit1);
    TUiTestHarness::TypeText("ZS");
    EXPECT_EQ(sfform->Edit1->Text(), "");

    // An operator who holds charging gets it back, with the receipt's line.
    harness->ClearDialogs();
    changeTo("casher", "1");
    EXPECT_TRUE(sfform->Enabled());
    EXPECT_EQ(sfform->ADOTable2->RecordCount(), 1);
    // Answered OK, the question drops the lines and the window closes.
    harness->AnswerMessage(IDOK);
    changeTo("nobody", "2");
    EXPECT_FALSE(sfform->Visible());
    TADOQuery lines(nullptr);
    lines.SetConnection(datamoduleform->ADOConnection1);
    lines.SQL()->SetText("select count(*) from tb_temp");
    lines.Open();
    EXPECT_EQ(lines.Fields()[0]->AsInteger(), 0);
}

// Closing the login by its frame or with "取消" before a login ends the program.
struct LoginExit {
    const char* name;
    bool cancelButton;
};

class ClinicLoginExit : public ClinicTest, public ::testing::WithParamInterface<LoginExit> {};

TEST_P(ClinicLoginExit, EndsTheProgram) {
    const bool cancelButton = GetParam().cancelButton;
    const auto inChild = [&] {
        StartWindows();
        harness->OnModal("TLogoinForm", [&](TCustomForm& form) {
            auto& login = dynamic_cast<TLogoinForm&>(form);
            if (cancelButton) TUiTestHarness::Click(login.Button2);
            else login.Close();
        });
        ShowMainWindow();
        ExitChild(Application->Terminated() && EnabledActions().empty() ? 0 : 13);
    };
    EXPECT_EXIT(inChild(), ::testing::ExitedWithCode(0), "");
}

INSTANTIATE_TEST_SUITE_P(Ways, ClinicLoginExit,
                         ::testing::Values(LoginExit{"frame", false}, LoginExit{"cancel_button", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Leaving, help, actions ------------------------------------------------------------------------

// "退出系统": OK shows the backup window modally, then the program ends; Cancel ends it at once.
struct LeaveCase {
    const char* name;
    int answer;
    bool backupShown;
};

class ClinicLeave : public ClinicTest, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(ClinicLeave, AsksForABackupAndEnds) {
    const LeaveCase c = GetParam();
    const auto inChild = [&] {
        StartWindows();
        QueueLogin("tulvo", "tulvo");
        ShowMainWindow();
        bool backupShown = false;
        if (c.backupShown)
            harness->OnModal("Tsjbfform", [&](TCustomForm& form) {
                backupShown = true;
                form.Close();
            });
        harness->AnswerMessage(c.answer);
        TUiTestHarness::Click(wqtdglzjmform->ToolBar1->Buttons(9));
        const bool asked = harness->DialogTexts() == std::vector<std::string>{"退出系统前是否备份数据?"} &&
                           harness->Dialogs()[0].Caption == "提示" &&
                           (harness->Dialogs()[0].Flags & MB_TYPEMASK) == MB_OKCANCEL;
        ExitChild(asked && backupShown == c.backupShown && Application->Terminated() ? 0 : 14);
    };
    EXPECT_EXIT(inChild(), ::testing::ExitedWithCode(0), "");
}

INSTANTIATE_TEST_SUITE_P(Answers, ClinicLeave,
                         ::testing::Values(LeaveCase{"ok_backs_up", IDOK, true},
                                           LeaveCase{"cancel_leaves_at_once", IDCANCEL, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Closing the main window by its frame: Cancel lets the close go on without a backup (the
// close itself ends the program); OK backs up and ends it.
TEST_F(ClinicTest, ClosingByTheFrameAsksTheSame) {
    StartWindows();
    QueueLogin("tulvo", "tulvo");
    ShowMainWindow();
    harness->AnswerMessage(IDCANCEL);
    bool canClose = true;
    wqtdglzjmform->FormCloseQuery(wqtdglzjmform, canClose);
    EXPECT_TRUE(canClose);
    EXPECT_FALSE(Application->Terminated());
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"退出系统前是否备份数据?"});
    const auto inChild = [&] {
        bool backupShown = false;
        harness->OnModal("Tsjbfform", [&](TCustomForm& form) {
            backupShown = true;
            form.Close();
        });
        harness->AnswerMessage(IDOK);
        bool can = true;
        wqtdglzjmform->FormCloseQuery(wqtdglzjmform, can);
        ExitChild(can && backupShown && Application->Terminated() ? 0 : 15);
    };
    EXPECT_EXIT(inChild(), ::testing::ExitedWithCode(0), "");
}

TEST_F(ClinicTest, HelpOpensTheHelpFileOfTheProgramFolder) {
    StartWindows();
    AddUser("nobody", "pw", {});
    QueueLogin("nobody", "pw");
    ShowMainWindow();
    // help needs no right
    TUiTestHarness::Click(wqtdglzjmform->ToolBar1->Buttons(8));
    TUiTestHarness::ClickMenuItem(dynamic_cast<TMenuItem*>(wqtdglzjmform->FindComponent("N6Help")));
    // The help pages stand beside the program (the build puts them there, as beside the
    // clinic program).
    const std::string expected = ExtractFilePath(ParamStr(0)) + "help/index.html";
    ASSERT_TRUE(FileExists(expected));
    EXPECT_EQ(harness->ShellOpened(), (std::vector<std::string>{expected, expected}));
    EXPECT_TRUE(harness->DialogTexts().empty());
    // A desktop without a program for the pages: the user is told where they are.
    harness->SetShellOpenResult(false);
    TUiTestHarness::ClickMenuItem(dynamic_cast<TMenuItem*>(wqtdglzjmform->FindComponent("N6Help")));
    EXPECT_EQ(harness->DialogTexts(), (std::vector<std::string>{"无法打开帮助文件：" + expected + "\n请用浏览器打开该文件。"}));
    EXPECT_EQ(harness->DialogCaptions(), (std::vector<std::string>{"提示"}));
}

// Help pages that are not there are named in the message instead of nothing happening.
TEST_F(ClinicTest, MissingHelpPagesAreReported) {
    StartWindows();
    const std::string missing = fs::current_path().string() + "/no-help/index.html";
    EXPECT_FALSE(OpenHelpFile(missing));
    EXPECT_EQ(harness->DialogTexts(), (std::vector<std::string>{"找不到帮助文件：" + missing}));
    EXPECT_TRUE(harness->ShellOpened().empty());
}

// The help is in Chinese and covers the first steps and every window of the main window's
// functions, each under its caption.
TEST_F(ClinicTest, HelpPagesCoverTheFirstStepsAndEveryFunction) {
    StartWindows();
    std::ifstream in(ClinicHelpFile());
    ASSERT_TRUE(in.good()) << ClinicHelpFile();
    std::stringstream text;
    text << in.rdbuf();
    const std::string page = text.str();
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(page.find("第一次使用"), std::string::npos);
    for (const std::string& name : kAllActions) {
        TAction* action = wqtdglzjmform->ActionByName(name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_NE(page.find(action->Caption()), std::string::npos) << name << " " << action->Caption();
    }
}

// The seven help buttons show their glyph left of the caption and the window face's
// colour as their border, as drawn on screen.
TEST_F(ClinicTest, HelpButtonsShowTheirGlyphLeftOfTheCaption) {
    StartWindows();
    const TColor glyphBlue = RGB(0, 112, 192);
    for (const char* window : {"Tsfform", "Trbform", "Tyhsfform", "Txjxmform", "Tbrzlform", "Trkform", "Trkcxform"}) {
        SCOPED_TRACE(window);
        TCustomForm* form = FindClinicWindow(window);
        ASSERT_NE(form, nullptr);
        auto* button = dynamic_cast<TFlatButton*>(form->FindComponent("FlatButton1"));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->Caption(), "帮助");
        EXPECT_EQ(button->Layout(), blGlyphLeft);
        EXPECT_EQ(button->ColorBorder(), clBtnFace);
        ASSERT_EQ(button->Glyph()->Width(), 16);
        form->Show();
        TUiTestHarness::ProcessMessages();
        TBitmap drawn;
        ASSERT_TRUE(TUiTestHarness::Grab(button, drawn));
        EXPECT_EQ(drawn.Pixel(0, drawn.Height() / 2), ColorToRGB(clBtnFace));
        EXPECT_EQ(drawn.Pixel(drawn.Width() / 2, 0), ColorToRGB(clBtnFace));
        // The glyph's blue stands in the left half, none of it in the right one; the
        // glyph's own background colour shows nowhere.
        int left = 0, right = 0, background = 0;
        for (int y = 0; y < drawn.Height(); ++y)
            for (int x = 0; x < drawn.Width(); ++x) {
                const TColor c = drawn.Pixel(x, y);
                if (c == glyphBlue) ++(x < drawn.Width() / 2 ? left : right);
                if (c == clFuchsia) ++background;
            }
        EXPECT_GT(left, 100);
        EXPECT_EQ(right, 0);
        EXPECT_EQ(background, 0);
        form->Hide();
    }
}

TEST_F(ClinicTest, ActionsOpenTheirWindows) {
    StartWindows();
    QueueLogin("tulvo", "tulvo");
    ShowMainWindow();
    // the charging window is part of the program
    TUiTestHarness::Click(wqtdglzjmform->ToolBar1->Buttons(2));
    EXPECT_TRUE(sfform->Visible());
    // a window this program does not have yet says so instead of failing
    const TActionWindow* missing = nullptr;
    for (const std::string& name : kAllActions)
        if (const TActionWindow* w = FindActionWindow(name); w && !ClinicFormRegistered(w->WindowClass)) missing = w;
    if (missing) {
        wqtdglzjmform->ActionByName(missing->Action)->Execute();
        ASSERT_EQ(harness->Dialogs().size(), 1u);
        EXPECT_EQ(harness->Dialogs()[0].Text, "本程序中没有这个窗口：" + std::string(missing->WindowClass));
    }
    // the table covers every action but the three that act on other windows' controls
    int windows = 0;
    for (const std::string& name : kAllActions) {
        const TActionWindow* w = FindActionWindow(name);
        if (!w) {
            EXPECT_TRUE(name == "tj" || name == "yhsf" || name == "nbjz") << name;
            continue;
        }
        ++windows;
        EXPECT_EQ(w->Modal, name == "brzl" || name == "user") << name;
        EXPECT_NE(std::find(ClinicFormOrder().begin(), ClinicFormOrder().end(), w->WindowClass),
                  ClinicFormOrder().end())
            << w->WindowClass;
    }
    EXPECT_EQ(windows, 22);
}

// yhsf closes the start-charging prompt and opens the discount window modally; nbjz sets
// the discount window's amount after and percentage to "0".
TEST_F(ClinicTest, DiscountActionsWorkOnTheirWindows) {
    StartWindows();
    TCustomForm* prompt = FindClinicWindow("Tsftsform");
    TCustomForm* discount = FindClinicWindow("Tyhsfform");
    if (!prompt || !discount) GTEST_SKIP() << "the charging prompts are not part of this program";
    QueueLogin("tulvo", "tulvo");
    ShowMainWindow();

    bool promptClosed = false, discountShown = false;
    harness->OnModal("Tsftsform", [&](TCustomForm&) { wqtdglzjmform->ActionByName("yhsf")->Execute(); });
    harness->OnModal("Tyhsfform", [&](TCustomForm& form) {
        discountShown = true;
        promptClosed = prompt->ModalResult() != mrNone;
        form.Close();
    });
    prompt->ShowModal();
    EXPECT_TRUE(discountShown);
    EXPECT_TRUE(promptClosed);
    EXPECT_FALSE(prompt->Visible());

    auto* edit2 = dynamic_cast<TEdit*>(discount->FindComponent("Edit2"));
    auto* edit3 = dynamic_cast<TEdit*>(discount->FindComponent("Edit3"));
    ASSERT_TRUE(edit2 && edit3);
    edit2->SetText("12.50");
    edit3->SetText("80.00");
    wqtdglzjmform->ActionByName("nbjz")->Execute();
    EXPECT_EQ(edit2->Text(), "0");
    EXPECT_EQ(edit3->Text(), "0");
}

}  // namespace
