// The back-office windows driven headless through the real windows on a fresh clinic
// database: backup, restore and data clearing; doctors, departments, item types and units;
// the about window.
#include "OtherProgram.h"
#include "app/charging/ReceiptRules.h"
#include "app/database/ClinicDatabase.h"
#include "app/forms/AboutForm.h"
#include "app/forms/BackupForm.h"
#include "app/forms/ClearDataForm.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/DataModule.h"
#include "app/forms/DepartmentForm.h"
#include "app/forms/DoctorForm.h"
#include "app/forms/ItemTypeForm.h"
#include "app/forms/MainForm.h"
#include "app/forms/PatientForm.h"
#include "app/forms/RestoreForm.h"
#include "app/forms/Startup.h"
#include "app/forms/UnitForm.h"
#include "app/widgets/GetIMCode.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ActnList.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using H = TUiTestHarness;

std::string Joined(const std::vector<std::string>& v) {
    std::string s;
    for (const std::string& x : v) s += x + "\n";
    return s;
}

// 09:05 on 7 March 2024: backups are named 03070905bf.mdb.
constexpr const char* kStampName = "03070905bf.mdb";
double Clock() { return EncodeDate(2024, 3, 7) + (9 * 60 + 5) / 1440.0 + 1.0 / 86400; }

// A clinic program started in a folder of the test's own, with a few records of each kind.
class RecordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        FOldDir = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "clinic-records-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        Dir = pattern;
        fs::current_path(Dir);
        if (const char* r = std::getenv("XDG_RUNTIME_DIR")) FOldRuntime = r;
        setenv("XDG_RUNTIME_DIR", Dir.c_str(), 1);
        harness = std::make_unique<TUiTestHarness>();
        harness->SetClock(Clock);
        // Departments are read when the doctors window is created: they go in first.
        ASSERT_EQ(EnsureClinicDatabase("."), TClinicDatabaseState::Created);
        {
            TADOConnection c(nullptr);
            c.SetConnectionString(ClinicConnectionString(ClinicDatabaseFileName));
            c.SetLoginPrompt(false);
            c.Open();
            for (const char* sql : {"insert into tb_ks (科室名称) values ('内科')",
                                    "insert into tb_ks (科室名称) values ('外科')"}) {
                TADOQuery q(nullptr);
                q.SetConnection(&c);
                q.SQL()->SetText(sql);
                q.ExecSQL();
            }
        }
        ASSERT_TRUE(CreateClinicWindows()) << Joined(harness->DialogTexts());
        Exec("insert into tb_brzl (id,姓名,拼音码,年龄,电话,地址,性别) values (1,'张三','ZS','30','','东街','男')");
        Exec("update tb_brbh set brbh=1");
        Exec("insert into tb_doctor (姓名,拼音码,性别,科室) values ('李四','LS','男','内科')");
        Exec("insert into tb_yp (项目种类,项目类型,项目名称,拼音码,规格,单位,进价,单价,库存数量) "
             "values ('药品项目','西药费','阿莫西林','AMXL','10片','盒',8,12.5,10)");
        Exec("insert into tb_sf (流水号,票据号,病人姓名,项目名称,数量,单项累计,收费日期,统计标致) "
             "values (1,'240307001','张三','阿莫西林',2,25,'2024-03-07','1')");
        Exec("insert into tb_zfsf (流水号,票据号,病人姓名,项目名称,数量,单项累计,收费日期,统计标致) "
             "values (2,'240307002','张三','阿莫西林',1,12.5,'2024-03-07','1')");
        Exec("insert into tb_yprk (入库日期,药品名称,规格,单位,入库数量,药品ID,操作员) "
             "values ('2024-03-07','阿莫西林','10片','盒',10,1,'tulvo')");
        // The doctors window opened its table at creation, before the row above.
        yszlform->ADOTable1->Requery();
    }

    void TearDown() override {
        EXPECT_TRUE(harness->Errors().empty()) << Joined(harness->Errors());
        EXPECT_EQ(harness->PendingDrivers(), 0);
        EXPECT_EQ(harness->PendingAnswers(), 0);
        if (datamoduleform) datamoduleform->ADOConnection1->OnStatement = nullptr;
        DestroyClinicForms();
        harness.reset();
        SetClock(nullptr);
        fs::current_path(FOldDir);
        if (FOldRuntime) setenv("XDG_RUNTIME_DIR", FOldRuntime->c_str(), 1);
        else unsetenv("XDG_RUNTIME_DIR");
        std::error_code ec;
        fs::remove_all(Dir, ec);
    }

    static TADOConnection& Db() { return *datamoduleform->ADOConnection1; }
    static void Exec(const std::string& sql) {
        TADOQuery q(nullptr);
        q.SetConnection(&Db());
        q.SQL()->SetText(sql);
        q.ExecSQL();
    }
    static std::vector<std::string> RowsOf(TADOConnection& c, const std::string& sql) {
        TADOQuery q(nullptr);
        q.SetConnection(&c);
        q.SQL()->SetText(sql);
        q.Open();
        std::vector<std::string> rows;
        for (; !q.Eof(); q.Next()) {
            std::string row;
            for (int i = 0; i < q.FieldCount(); ++i) row += (i ? "|" : "") + q.Fields()[i]->AsString();
            rows.push_back(row);
        }
        return rows;
    }
    static std::vector<std::string> Rows(const std::string& sql) { return RowsOf(Db(), sql); }
    // The rows of a database file, read through a connection of its own.
    static std::vector<std::string> FileRows(const std::string& file, const std::string& sql) {
        TADOConnection c(nullptr);
        c.SetConnectionString(ClinicConnectionString(file));
        c.SetLoginPrompt(false);
        c.Open();
        return RowsOf(c, sql);
    }
    // Every record the back office keeps, as text.
    static std::vector<std::string> Snapshot() {
        std::vector<std::string> all;
        for (const char* sql : {"select * from tb_sf order by id", "select * from tb_zfsf order by id",
                                "select * from tb_yprk order by rowid", "select * from tb_brzl order by id",
                                "select * from tb_doctor order by rowid", "select * from tb_yp order by ID",
                                "select * from tb_user order by 1", "select * from tb_brbh",
                                "select * from tb_bflj"}) {
            all.push_back(std::string("-- ") + sql);
            for (auto& row : Rows(sql)) all.push_back(row);
        }
        return all;
    }
    static void ShowWindow(TCustomForm* form) {
        form->Show();
        H::ProcessMessages();
    }
    std::string BackupDir() {
        const std::string dir = Dir + "/backups";
        fs::create_directories(dir);
        return dir;
    }
    // A backup through the backup window into dir (with a trailing "/").
    void MakeBackup(const std::string& dir) {
        ShowWindow(sjbfform);
        sjbfform->Edit1->SetText(dir);
        harness->AnswerMessage(IDYES);
        H::Click(sjbfform->Button1);
        ASSERT_FALSE(harness->DialogTexts().empty());
        ASSERT_EQ(harness->DialogTexts().back(), "数据库备份成功!");
        harness->ClearDialogs();
    }

    std::string Dir;
    std::unique_ptr<TUiTestHarness> harness;

private:
    fs::path FOldDir;
    std::optional<std::string> FOldRuntime;
};

// --- Backup -------------------------------------------------------------------------------

struct BackupCase {
    const char* name;
    bool storedRow;      // tb_bflj has its row (else the backup adds it)
    bool browse;         // the folder comes from the folder chooser (else it is typed)
    bool trailingSlash;  // the folder is given with its "/"
};

class Backup : public RecordsTest, public ::testing::WithParamInterface<BackupCase> {};

TEST_P(Backup, WritesTheStampedCopyAndRemembersTheFolder) {
    const BackupCase c = GetParam();
    if (!c.storedRow) Exec("delete from tb_bflj");
    const std::string dir = BackupDir();
    const std::string given = c.trailingSlash ? dir + "/" : dir;
    ShowWindow(sjbfform);
    if (c.browse) {
        harness->AnswerDirectory(given);
        H::Click(sjbfform->SpeedButton1);
        ASSERT_EQ(harness->Dialogs().size(), 1u);
        EXPECT_EQ(harness->Dialogs()[0].Kind, TDialogKind::SelectDirectory);
        EXPECT_EQ(harness->Dialogs()[0].Caption, "选择保存的路径");
        EXPECT_EQ(sjbfform->Edit1->Text(), dir + "/") << "the chooser's folder ends with the delimiter";
        harness->ClearDialogs();
    } else {
        H::TypeText(sjbfform->Edit1, given);
    }
    harness->AnswerMessage(IDYES);
    H::Click(sjbfform->Button1);

    ASSERT_EQ(harness->DialogTexts(),
              (std::vector<std::string>{"请记住数据备份存放位置,并妥善保存数据!", "数据库备份成功!"}));
    EXPECT_EQ(harness->Dialogs()[0].Caption, "提示框");
    EXPECT_EQ(harness->Dialogs()[0].Flags, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(harness->Dialogs()[1].Caption, "提示");
    // the copy is a whole clinic database holding the records
    const std::string file = dir + "/" + kStampName;
    ASSERT_TRUE(FileExists(file));
    EXPECT_NO_THROW(ValidateClinicDatabase(file));
    EXPECT_EQ(FileRows(file, "select 姓名 from tb_brzl"), std::vector<std::string>{"张三"});
    EXPECT_EQ(FileRows(file, "select 票据号 from tb_sf"), std::vector<std::string>{"240307001"});
    // the folder is remembered in the one row, the clearing window may run, the window closed
    EXPECT_EQ(Rows("select 备份路径 from tb_bflj"), std::vector<std::string>{dir + "/"});
    EXPECT_TRUE(sjzlform->CheckBox1->Checked());
    EXPECT_FALSE(sjbfform->Visible());
    // the next show offers the folder again
    ShowWindow(sjbfform);
    EXPECT_EQ(sjbfform->Edit1->Text(), dir + "/");
    sjbfform->Close();
}

INSTANTIATE_TEST_SUITE_P(Ways, Backup,
                         ::testing::Values(BackupCase{"typed_folder_without_delimiter", true, false, false},
                                           BackupCase{"typed_folder_with_delimiter", true, false, true},
                                           BackupCase{"chosen_folder", true, true, false},
                                           BackupCase{"database_without_a_path_row", false, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct BackupRefusal {
    const char* name;
    std::function<std::string(const std::string& dir)> folder;
    std::optional<int> answer;   // the answer to the question, when it is asked
    std::vector<std::string> dialogs;
};

class BackupRefused : public RecordsTest, public ::testing::WithParamInterface<BackupRefusal> {};

TEST_P(BackupRefused, LeavesEverythingAsItWas) {
    const BackupRefusal& c = GetParam();
    const std::string dir = BackupDir();
    const auto before = Snapshot();
    ShowWindow(sjbfform);
    sjbfform->Edit1->SetText(c.folder(dir));
    if (c.answer) harness->AnswerMessage(*c.answer);
    H::Click(sjbfform->Button1);
    EXPECT_EQ(harness->DialogTexts(), c.dialogs);
    for (const TDialogRequest& d : harness->Dialogs())
        EXPECT_EQ(d.Caption, d.Text == "请记住数据备份存放位置,并妥善保存数据!" ? "提示框" : "提示");
    EXPECT_TRUE(fs::is_empty(dir)) << "no backup file";
    EXPECT_EQ(Snapshot(), before);
    EXPECT_FALSE(sjzlform->CheckBox1->Checked());
    EXPECT_TRUE(sjbfform->Visible()) << "the window stays open";
    sjbfform->Close();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BackupRefused,
    ::testing::Values(
        BackupRefusal{"empty_folder", [](const std::string&) { return std::string(); }, std::nullopt,
                      {"请选择备份数据库路径!"}},
        BackupRefusal{"lone_delimiter", [](const std::string&) { return std::string("/"); }, std::nullopt,
                      {"请选择备份数据库路径!"}},
        BackupRefusal{"missing_folder", [](const std::string& d) { return d + "/nowhere/"; }, std::nullopt,
                      {"您所选择的备份目录不存在!"}},
        BackupRefusal{"answered_no", [](const std::string& d) { return d + "/"; }, IDNO,
                      {"请记住数据备份存放位置,并妥善保存数据!"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A copy that cannot be written (here a folder stands where the file would go) is reported
// and leaves the stored folder and the backup mark alone.
TEST_F(RecordsTest, FailedBackupIsReportedAndChangesNothing) {
    const std::string dir = BackupDir();
    fs::create_directory(dir + "/" + kStampName);
    const auto before = Snapshot();
    ShowWindow(sjbfform);
    sjbfform->Edit1->SetText(dir + "/");
    harness->AnswerMessage(IDYES);
    H::Click(sjbfform->Button1);
    ASSERT_EQ(harness->Dialogs().size(), 2u) << Joined(harness->DialogTexts());
    EXPECT_EQ(harness->Dialogs()[1].Text.rfind("数据库备份失败：", 0), 0u) << harness->Dialogs()[1].Text;
    EXPECT_EQ(harness->Dialogs()[1].Caption, "提示");
    EXPECT_EQ(Snapshot(), before);
    EXPECT_FALSE(sjzlform->CheckBox1->Checked());
    EXPECT_TRUE(sjbfform->Visible());
    EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(dir), fs::directory_iterator()),
              std::vector<fs::path>{dir + "/" + kStampName})
        << "no temporary file is left behind";
    sjbfform->Close();
}

// Two backups in the same minute share the name: the second replaces the first.
TEST_F(RecordsTest, SecondBackupOfTheMinuteReplacesTheFirst) {
    const std::string dir = BackupDir() + "/";
    MakeBackup(dir);
    Exec("insert into tb_brzl (id,姓名,性别) values (2,'王五','女')");
    MakeBackup(dir);
    EXPECT_EQ(FileRows(dir + kStampName, "select 姓名 from tb_brzl order by id"),
              (std::vector<std::string>{"张三", "王五"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

// The database the program made at its start and every backup hold patients' records: they
// are their owner's alone (mode 0600), whatever the umask lets others have, and so are the
// database's journal files that SQLite makes beside it.
TEST_F(RecordsTest, TheDatabaseAndItsBackupsAreTheOwnersAlone) {
    auto modeOf = [](const std::string& file) {
        return static_cast<unsigned>(fs::status(file).permissions() & fs::perms::all);
    };
    const std::string database = (fs::current_path() / ClinicDatabaseFileName).string();
    EXPECT_EQ(modeOf(database), 0600u);
    datamoduleform->ADOConnection1->BeginTrans();
    Exec("insert into tb_brzl (id,姓名,性别) values (9,'赵九','男')");
    ASSERT_TRUE(fs::exists(database + "-journal"));
    EXPECT_EQ(modeOf(database + "-journal"), 0600u);
    datamoduleform->ADOConnection1->RollbackTrans();
    const std::string dir = BackupDir() + "/";
    MakeBackup(dir);
    EXPECT_EQ(modeOf(dir + kStampName), 0600u);
    MakeBackup(dir);   // the second of the minute, written anew
    EXPECT_EQ(modeOf(dir + kStampName), 0600u);
}

// Leaving with a backup while the backup window is already open shows it modally all the
// same, and the backup made there is the one the program ends after.
TEST_F(RecordsTest, LeavingWithTheBackupWindowOpenBacksUp) {
    const std::string dir = BackupDir() + "/";
    ShowWindow(sjbfform);
    harness->AnswerMessage(IDOK);
    harness->OnModal("Tsjbfform", [&](TCustomForm&) {
        sjbfform->Edit1->SetText(dir);
        harness->AnswerMessage(IDYES);
        H::Click(sjbfform->Button1);
    });
    H::ClickMenuItem(dynamic_cast<TMenuItem*>(wqtdglzjmform->FindComponent("N7Exit")));
    EXPECT_EQ(harness->DialogTexts(), (std::vector<std::string>{"退出系统前是否备份数据?",
                                                                "请记住数据备份存放位置,并妥善保存数据!",
                                                                "数据库备份成功!"}));
    EXPECT_TRUE(FileExists(dir + kStampName));
    EXPECT_TRUE(Application->Terminated());
}

// A window of a modal action that is already showing modelessly opens modally all the same.
TEST_F(RecordsTest, ModalActionOnAShowingWindowShowsItModally) {
    ShowWindow(brzlform);
    bool wasModal = false;
    harness->OnModal("Tbrzlform", [&](TCustomForm& f) {
        wasModal = f.Modal();
        f.Close();
    });
    TAction* action = wqtdglzjmform->ActionByName("brzl");
    ASSERT_NE(action, nullptr);
    action->SetEnabled(true);
    action->Execute();
    EXPECT_TRUE(wasModal);
    EXPECT_TRUE(harness->Errors().empty());
    EXPECT_TRUE(harness->Dialogs().empty()) << Joined(harness->DialogTexts());
}

TEST(BackupName, IsMonthDayHourMinute) {
    EXPECT_EQ(BackupFileName(Clock()), kStampName);
    EXPECT_EQ(BackupFileName(EncodeDate(2023, 12, 31) + (23 * 60 + 59) / 1440.0), "12312359bf.mdb");
}

// --- Restore ------------------------------------------------------------------------------

// A database file whose tables are intact but whose data pages are damaged.
void DamageDataPages(const std::string& file) {
    {
        TADOConnection c(nullptr);
        c.SetConnectionString(ClinicConnectionString(file));
        c.SetLoginPrompt(false);
        c.Open();
        TADOQuery q(nullptr);
        q.SetConnection(&c);
        q.SQL()->SetText("insert into tb_brzl (id,姓名,地址) values (:id,'某某',:dz)");
        c.BeginTrans();
        for (int i = 100; i < 2100; ++i) {
            q.Parameters()->ParamByName("id")->SetValue(Variant(i));
            q.Parameters()->ParamByName("dz")->SetValue(Variant(std::string(300, 'x')));
            q.ExecSQL();
        }
        c.CommitTrans();
    }
    const auto size = fs::file_size(file);
    std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
    // Overwrites the second half of the file (well after the schema on the first page).
    const std::string junk(4096, '\xA5');
    for (auto at = size / 2; at + junk.size() <= size; at += junk.size()) {
        f.seekp(static_cast<std::streamoff>(at));
        f.write(junk.data(), static_cast<std::streamsize>(junk.size()));
    }
}

struct RestoreRefusal {
    const char* name;
    // Makes the file to restore from (in dir) and gives the text of Edit1.
    std::function<std::string(const std::string& dir)> file;
    std::optional<int> answer;
    // The messages; a text ending in "…" is matched by its beginning.
    std::vector<std::string> dialogs;
};

class RestoreRefused : public RecordsTest, public ::testing::WithParamInterface<RestoreRefusal> {};

TEST_P(RestoreRefused, KeepsTheDatabaseOpenAndItsRecords) {
    const RestoreRefusal& c = GetParam();
    const std::string edit = c.file(BackupDir());
    const auto before = Snapshot();
    ShowWindow(yszlform);
    ShowWindow(sjhfform);
    sjhfform->Edit1->SetText(edit);
    if (c.answer) harness->AnswerMessage(*c.answer);
    H::Click(sjhfform->Button1);
    const auto texts = harness->DialogTexts();
    ASSERT_EQ(texts.size(), c.dialogs.size()) << Joined(texts);
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::string& want = c.dialogs[i];
        if (want.size() > 3 && want.compare(want.size() - 3, 3, "…") == 0)
            EXPECT_EQ(texts[i].rfind(want.substr(0, want.size() - 3), 0), 0u) << texts[i];
        else
            EXPECT_EQ(texts[i], want);
    }
    EXPECT_FALSE(Application->Terminated());
    ASSERT_TRUE(Db().Connected());
    EXPECT_EQ(Snapshot(), before);
    // the windows' data stay usable
    ASSERT_TRUE(yszlform->ADOTable1->Active());
    EXPECT_EQ(yszlform->ADOTable1->FieldByName("姓名")->AsString(), "李四");
    EXPECT_TRUE(sjhfform->Visible());
    sjhfform->Close();
    yszlform->Close();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RestoreRefused,
    ::testing::Values(
        RestoreRefusal{"no_file_given", [](const std::string&) { return std::string(); }, std::nullopt,
                       {"请选择备份数据库文件!"}},
        RestoreRefusal{"missing_file", [](const std::string& d) { return d + "/gone.mdb"; }, std::nullopt,
                       {"您所选择的数据库文件不存在!"}},
        RestoreRefusal{"answered_no",
                       [](const std::string& d) {
                           CreateClinicDatabase(d + "/good.mdb");
                           return d + "/good.mdb";
                       },
                       IDNO, {"是否恢复为以前备份过的数据,原数据将覆盖现有数据!"}},
        RestoreRefusal{"not_a_database",
                       [](const std::string& d) {
                           std::ofstream(d + "/text.mdb") << "not a database at all, just text\n";
                           return d + "/text.mdb";
                       },
                       std::nullopt, {"数据恢复失败：数据库文件 text.mdb 不是有效的数据库。"}},
        RestoreRefusal{"database_of_another_program",
                       [](const std::string& d) {
                           CreateClinicDatabase(d + "/other.mdb");
                           TADOConnection c(nullptr);
                           c.SetConnectionString(ClinicConnectionString(d + "/other.mdb"));
                           c.SetLoginPrompt(false);
                           c.Open();
                           TADOQuery q(nullptr);
                           q.SetConnection(&c);
                           q.SQL()->SetText("drop table tb_doctor");
                           q.ExecSQL();
                           return d + "/other.mdb";
                       },
                       std::nullopt, {"数据恢复失败：数据库文件 other.mdb 缺少数据表 tb_doctor。"}},
        RestoreRefusal{"the_database_in_use", [](const std::string&) { return std::string("./Rove.mdb"); },
                       std::nullopt, {"数据恢复失败：所选文件就是正在使用的数据库文件。"}},
        // The tables are all there, so the damage shows only when the content is checked,
        // after the windows' datasets were closed for the replacement: they open again.
        RestoreRefusal{"damaged_backup",
                       [](const std::string& d) {
                           CreateClinicDatabase(d + "/damaged.mdb");
                           DamageDataPages(d + "/damaged.mdb");
                           return d + "/damaged.mdb";
                       },
                       IDYES,
                       {"是否恢复为以前备份过的数据,原数据将覆盖现有数据!", "数据恢复失败：…"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A backup taken earlier comes back whole, chosen through the open dialog; the program then
// ends.
TEST_F(RecordsTest, RestoreBringsBackTheBackupAndEndsTheProgram) {
    const std::string dir = BackupDir() + "/";
    MakeBackup(dir);
    Exec("delete from tb_brzl");
    Exec("delete from tb_sf");
    Exec("insert into tb_doctor (姓名,拼音码,性别,科室) values ('赵六','ZL','女','外科')");
    ShowWindow(sjhfform);
    harness->AnswerFile(dir + kStampName);
    H::Click(sjhfform->SpeedButton1);
    ASSERT_EQ(harness->Dialogs().size(), 1u);
    EXPECT_EQ(harness->Dialogs()[0].Kind, TDialogKind::OpenFile);
    EXPECT_EQ(harness->Dialogs()[0].Filter, "数据库文件(＊.mdb)|*.mdb");
    EXPECT_EQ(sjhfform->Edit1->Text(), dir + kStampName);
    harness->ClearDialogs();
    harness->AnswerMessage(IDYES);
    H::Click(sjhfform->Button1);
    ASSERT_EQ(harness->DialogTexts(), (std::vector<std::string>{"是否恢复为以前备份过的数据,原数据将覆盖现有数据!",
                                                                "数据恢复成功,请重新运行软件!"}));
    EXPECT_EQ(harness->Dialogs()[0].Caption, "提示框");
    EXPECT_EQ(harness->Dialogs()[0].Flags, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(harness->Dialogs()[1].Caption, "提示");
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(Db().Connected());
    const std::string db = ClinicDatabaseFileName;
    EXPECT_NO_THROW(ValidateClinicDatabase(db));
    EXPECT_EQ(FileRows(db, "select 姓名 from tb_brzl"), std::vector<std::string>{"张三"});
    EXPECT_EQ(FileRows(db, "select 票据号 from tb_sf"), std::vector<std::string>{"240307001"});
    EXPECT_EQ(FileRows(db, "select 姓名 from tb_doctor"), std::vector<std::string>{"李四"});
}

// Another program writing to the database holds its lock: the replacement gives up after a
// while instead of waiting for ever, and the windows' data open again.
TEST_F(RecordsTest, RestoreGivesUpOnADatabaseLockedByAnotherProgram) {
    const std::string backup = BackupDir() + "/good.mdb";
    CreateClinicDatabase(backup);
    TADOConnection other(nullptr);
    other.SetConnectionString(ClinicConnectionString(ClinicDatabaseFileName));
    other.SetLoginPrompt(false);
    other.Open();
    other.BeginTrans();
    TADOQuery write(nullptr);
    write.SetConnection(&other);
    write.SQL()->SetText("insert into tb_ks (科室名称) values ('眼科')");
    write.ExecSQL();
    ShowWindow(sjhfform);
    sjhfform->Edit1->SetText(backup);
    harness->AnswerMessage(IDYES);
    H::Click(sjhfform->Button1);
    other.RollbackTrans();
    ASSERT_EQ(harness->Dialogs().size(), 2u) << Joined(harness->DialogTexts());
    EXPECT_EQ(harness->Dialogs()[1].Text, "数据恢复失败：数据库正被其他程序使用，请稍后再试。");
    EXPECT_FALSE(Application->Terminated());
    ASSERT_TRUE(yszlform->ADOTable1->Active());
    EXPECT_EQ(yszlform->ADOTable1->FieldByName("姓名")->AsString(), "李四");
    EXPECT_EQ(Rows("select 姓名 from tb_brzl"), std::vector<std::string>{"张三"});
    sjhfform->Close();
}

// --- Data clearing ------------------------------------------------------------------------

struct ClearCase {
    const char* name;
    bool charges, stockIn;
};

class Clearing : public RecordsTest, public ::testing::WithParamInterface<ClearCase> {};

TEST_P(Clearing, EmptiesTheChosenRecordsAndEndsTheProgram) {
    const ClearCase c = GetParam();
    MakeBackup(BackupDir() + "/");
    const auto kept = [&] {
        std::vector<std::string> all;
        for (const char* sql : {"select * from tb_brzl", "select * from tb_doctor", "select * from tb_yp",
                                "select * from tb_user", "select * from tb_brbh", "select * from tb_yhgnb"})
            for (auto& row : Rows(sql)) all.push_back(row);
        return all;
    };
    const auto before = kept();
    ShowWindow(sjzlform);
    sjzlform->CheckBox2->SetChecked(c.charges);
    sjzlform->CheckBox3->SetChecked(c.stockIn);
    harness->AnswerMessage(IDOK);
    H::Click(sjzlform->Button1);
    ASSERT_EQ(harness->DialogTexts(), (std::vector<std::string>{"建议通知主管领导同意后再操作,如已同意请按确定!",
                                                                "操作成功,请重新运行软件!"}));
    EXPECT_EQ(harness->Dialogs()[0].Flags & MB_TYPEMASK, MB_OKCANCEL);
    EXPECT_EQ(harness->Dialogs()[0].Caption, "提示");
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(Rows("select count(*) from tb_sf").front(), c.charges ? "0" : "1");
    EXPECT_EQ(Rows("select count(*) from tb_zfsf").front(), c.charges ? "0" : "1");
    EXPECT_EQ(Rows("select count(*) from tb_yprk").front(), c.stockIn ? "0" : "1");
    EXPECT_EQ(kept(), before) << "patients, doctors, items, users and counters stay";
    // with the voided receipts gone too, the day's numbers start again
    EXPECT_EQ(NextReceiptCounter(Db(), EncodeDate(2024, 3, 7)), c.charges ? 1 : 3);
}

INSTANTIATE_TEST_SUITE_P(Choices, Clearing,
                         ::testing::Values(ClearCase{"charges", true, false}, ClearCase{"stock_in", false, true},
                                           ClearCase{"both", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ClearRefusal {
    const char* name;
    bool backedUp, charges;
    std::optional<int> answer;
    std::vector<std::string> dialogs;
};

class ClearingRefused : public RecordsTest, public ::testing::WithParamInterface<ClearRefusal> {};

TEST_P(ClearingRefused, KeepsEveryRecord) {
    const ClearRefusal& c = GetParam();
    // a backup file of an earlier run does not count
    CreateClinicDatabase(BackupDir() + "/" + kStampName);
    if (c.backedUp) MakeBackup(BackupDir() + "/");
    const auto before = Snapshot();
    ShowWindow(sjzlform);
    sjzlform->CheckBox2->SetChecked(c.charges);
    if (c.answer) harness->AnswerMessage(*c.answer);
    H::Click(sjzlform->Button1);
    EXPECT_EQ(harness->DialogTexts(), c.dialogs);
    for (const TDialogRequest& d : harness->Dialogs()) EXPECT_EQ(d.Caption, "提示");
    EXPECT_EQ(Snapshot(), before);
    EXPECT_FALSE(Application->Terminated());
    EXPECT_TRUE(sjzlform->Visible());
    H::Click(sjzlform->Button2);
    EXPECT_FALSE(sjzlform->Visible()) << "取消退出 closes the window";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClearingRefused,
    ::testing::Values(ClearRefusal{"no_backup_in_this_run", false, true, std::nullopt,
                                   {"您还没备份,请先将数据备份到一个安全的地方并妥善保存!"}},
                      ClearRefusal{"nothing_ticked", true, false, std::nullopt, {"请选择清空哪个记录!"}},
                      ClearRefusal{"cancelled", true, true, IDCANCEL,
                                   {"建议通知主管领导同意后再操作,如已同意请按确定!"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A statement that fails at any point of the clearing leaves every record: the deletes run
// in one transaction. The program goes on.
class ClearingFails : public RecordsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ClearingFails, AtAnyStatementLeavesEverything) {
    const std::string failing = GetParam();
    MakeBackup(BackupDir() + "/");
    const auto before = Snapshot();
    std::vector<std::string> seen;
    Db().OnStatement = [&](const std::string& sql) {
        seen.push_back(sql);
        if (sql.rfind(failing, 0) == 0) throw EDatabaseError("disk I/O error");
    };
    ShowWindow(sjzlform);
    sjzlform->CheckBox2->SetChecked(true);
    sjzlform->CheckBox3->SetChecked(true);
    harness->AnswerMessage(IDOK);
    H::Click(sjzlform->Button1);
    Db().OnStatement = nullptr;
    ASSERT_NE(std::find_if(seen.begin(), seen.end(), [&](const std::string& s) { return s.rfind(failing, 0) == 0; }),
              seen.end())
        << "the statement ran: " << Joined(seen);
    ASSERT_EQ(harness->Dialogs().size(), 2u) << Joined(harness->DialogTexts());
    EXPECT_EQ(harness->Dialogs()[1].Text, "数据清空失败,记录均未改动：读写数据库文件出错，请检查磁盘后再试。");
    EXPECT_EQ(Snapshot(), before);
    EXPECT_FALSE(Db().InTransaction());
    EXPECT_FALSE(Application->Terminated());
    EXPECT_TRUE(sjzlform->Visible());
    sjzlform->Close();
}

INSTANTIATE_TEST_SUITE_P(Statements, ClearingFails,
                         ::testing::Values("delete from tb_sf", "delete from tb_zfsf", "delete from tb_yprk",
                                           "COMMIT"));

TEST_F(RecordsTest, ClearingWindowShowsTheNotice) {
    ASSERT_EQ(sjzlform->Memo1->Lines()->Count(), 19);
    EXPECT_EQ(sjzlform->Memo1->Lines()->Strings(0), "　　　　　　　　　　重要提示");
    EXPECT_EQ(sjzlform->Memo1->Lines()->Strings(18), "清空数据，那么重装一次软件，所有的数据就都清空了。");
    EXPECT_TRUE(sjzlform->Memo1->ReadOnly());
    EXPECT_FALSE(sjzlform->CheckBox1->Visible());
    EXPECT_FALSE(sjzlform->CheckBox1->Checked());
}

// --- Doctors --------------------------------------------------------------------------------

class Doctors : public RecordsTest {
protected:
    void SetUp() override {
        RecordsTest::SetUp();
        ShowWindow(yszlform);
    }
    void TearDown() override {
        yszlform->Close();
        RecordsTest::TearDown();
    }
    static void Enter(TWinControl* field, const std::string& text) {
        if (!text.empty()) H::TypeText(field, text);
        H::TypeKey(field, VK_RETURN);
    }
};

// Enter in the name fills the look-up code and walks the fields to 保存; the whole entry
// adds a row.
TEST_F(Doctors, AddsADoctorWithTheLookUpCodeOfTheName) {
    EXPECT_EQ(yszlform->ComboBox1->Items()->Count(), 2);
    EXPECT_EQ(yszlform->ComboBox2->Items()->Count(), 2) << "the departments of tb_ks";
    EXPECT_EQ(yszlform->ComboBox2->Items()->Strings(1), "外科");
    Enter(yszlform->Edit1, "王小明");
    EXPECT_EQ(yszlform->Edit2->Text(), GetIMCodeUtf8("王小明", 2, 255));
    EXPECT_EQ(yszlform->Edit2->Text(), "WXM");
    EXPECT_TRUE(yszlform->Edit2->Focused());
    Enter(yszlform->Edit2, "");
    EXPECT_TRUE(yszlform->ComboBox1->Focused());
    yszlform->ComboBox1->SetText("女");
    Enter(yszlform->ComboBox1, "");
    EXPECT_TRUE(yszlform->ComboBox2->Focused());
    yszlform->ComboBox2->SetText("外科");
    Enter(yszlform->ComboBox2, "");
    EXPECT_TRUE(yszlform->Button1->Focused());
    H::Click(yszlform->Button1);
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"保存成功!"});
    EXPECT_EQ(Rows("select 姓名,拼音码,性别,科室 from tb_doctor order by rowid"),
              (std::vector<std::string>{"李四|LS|男|内科", "王小明|WXM|女|外科"}));
    EXPECT_EQ(yszlform->DBGrid1->RowCount(), 2);
    for (TWinControl* f : std::vector<TWinControl*>{yszlform->Edit1, yszlform->Edit2, yszlform->ComboBox1,
                                                    yszlform->ComboBox2})
        EXPECT_EQ(f->Text(), "");
    EXPECT_TRUE(yszlform->Edit1->Focused());
}

TEST_F(Doctors, CodeFieldTakesLettersOnly) {
    struct Key {
        char32_t key;
        bool taken;
    };
    for (const Key k : {Key{'a', true}, Key{'Z', true}, Key{'.', true}, Key{'1', false}, Key{'-', false},
                        Key{U'张', false}}) {
        harness->ClearDialogs();
        yszlform->Edit2->SetText("");
        const int beeps = harness->Beeps();
        H::Click(yszlform->Edit2);
        H::TypeText(yszlform->Edit2, CodePointToUtf8(k.key));
        EXPECT_EQ(yszlform->Edit2->Text().empty(), !k.taken) << static_cast<uint32_t>(k.key);
        EXPECT_EQ(harness->Beeps() - beeps, k.taken ? 0 : 1);
        EXPECT_EQ(harness->DialogTexts(), k.taken ? std::vector<std::string>{} : std::vector<std::string>{"请输入字母!"});
    }
}

// Each of the four is required as typed, and the first empty one takes the focus; a name of
// blanks is a name.
TEST_F(Doctors, RequiresEveryField) {
    struct Case {
        const char* name;
        const char* code;
        const char* sex;
        const char* dept;
        TWinControl* focused;
    };
    const std::vector<Case> cases = {
        {"", "WW", "男", "内科", yszlform->Edit1},
        {"王五", "", "男", "内科", yszlform->Edit2},
        {"王五", "WW", "", "内科", yszlform->ComboBox1},
        {"王五", "WW", "男", "", yszlform->ComboBox2},
        {"", "", "", "", yszlform->Edit1},
    };
    for (const Case& c : cases) {
        harness->ClearDialogs();
        yszlform->Edit1->SetText(c.name);
        yszlform->Edit2->SetText(c.code);
        yszlform->ComboBox1->SetText(c.sex);
        yszlform->ComboBox2->SetText(c.dept);
        H::Click(yszlform->Button1);
        EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"必填字段不能为空!"}) << c.name << c.code;
        EXPECT_TRUE(c.focused->Focused()) << c.name << c.code << c.sex << c.dept;
    }
    EXPECT_EQ(Rows("select count(*) from tb_doctor").front(), "1");
    harness->ClearDialogs();
    yszlform->Edit1->SetText("  ");
    yszlform->Edit2->SetText("K");
    yszlform->ComboBox1->SetText("男");
    yszlform->ComboBox2->SetText("内科");
    H::Click(yszlform->Button1);
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"保存成功!"});
    EXPECT_EQ(Rows("select 姓名 from tb_doctor order by rowid").back(), "  ");
}

// A click in the grid copies the row into the fields; saving then adds a second doctor of
// the same name (rows are never changed, and names may repeat); deleting needs a Yes.
TEST_F(Doctors, GridRowIsCopiedRepeatedAndDeleted) {
    yszlform->ADOTable1->First();
    yszlform->DBGrid1->CellClicked(0);
    EXPECT_EQ(yszlform->Edit1->Text(), "李四");
    EXPECT_EQ(yszlform->Edit2->Text(), "LS");
    EXPECT_EQ(yszlform->ComboBox1->Text(), "男");
    EXPECT_EQ(yszlform->ComboBox2->Text(), "内科");
    H::Click(yszlform->Button1);
    EXPECT_EQ(Rows("select 姓名,科室 from tb_doctor"), (std::vector<std::string>{"李四|内科", "李四|内科"}));

    harness->ClearDialogs();
    yszlform->ADOTable1->First();
    yszlform->DBGrid1->CellClicked(0);
    harness->AnswerMessage(mrNo);
    H::Click(yszlform->Button2);
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"确定删除么？"});
    EXPECT_EQ(Rows("select count(*) from tb_doctor").front(), "2");
    EXPECT_EQ(yszlform->Edit1->Text(), "") << "the fields are emptied either way";

    harness->ClearDialogs();
    harness->AnswerMessage(mrYes);
    H::Click(yszlform->Button2);
    EXPECT_EQ(harness->DialogTexts(), (std::vector<std::string>{"确定删除么？", "删除成功!"}));
    EXPECT_EQ(harness->Dialogs()[0].Kind, TDialogKind::MessageDlg);
    EXPECT_EQ(Rows("select count(*) from tb_doctor").front(), "1");
    EXPECT_EQ(yszlform->DBGrid1->RowCount(), 1);

    // closing empties the fields; 退出 closes
    yszlform->Edit1->SetText("x");
    yszlform->ComboBox2->SetText("外科");
    H::Click(yszlform->Button3);
    EXPECT_FALSE(yszlform->Visible());
    EXPECT_EQ(yszlform->Edit1->Text(), "");
    EXPECT_EQ(yszlform->ComboBox2->Text(), "");
    // showing it again puts the focus record on the name
    ShowWindow(yszlform);
    EXPECT_EQ(yszlform->ActiveControl(), yszlform->Edit1);
}

// Another program holds the write lock: the doctor is refused in the clinic's words and
// nothing stays pending; the same click once the lock is gone adds the doctor once.
TEST_F(Doctors, ADoctorRefusedUnderALockIsAddedOnceWhenTriedAgain) {
    yszlform->Edit1->SetText("王五");
    yszlform->Edit2->SetText("WW");
    yszlform->ComboBox1->SetText("男");
    yszlform->ComboBox2->SetText("外科");
    Db().SetBusyTimeout(100);
    auto other = std::make_unique<TOtherProgram>(ClinicDatabaseFileName);
    other->Run("BEGIN IMMEDIATE; INSERT INTO tb_yprk (药品名称) VALUES ('x');");
    H::Click(yszlform->Button1);
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"数据库正被其他程序使用，请稍后再试。"});
    EXPECT_EQ(yszlform->ADOTable1->State(), dsBrowse);
    EXPECT_EQ(yszlform->Edit1->Text(), "王五");
    other.reset();
    harness->ClearDialogs();
    H::Click(yszlform->Button1);
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"保存成功!"});
    EXPECT_EQ(Rows("select 姓名,科室 from tb_doctor order by rowid"),
              (std::vector<std::string>{"李四|内科", "王五|外科"}));
    EXPECT_EQ(yszlform->DBGrid1->RowCount(), 2);
}

// --- Departments, item types, units -----------------------------------------------------------

struct ListCase {
    const char* name;
    std::function<TNameListForm*()> window;
    const char* table;
    const char* column;
    const char* emptyMessage;
};

class NameLists : public RecordsTest, public ::testing::WithParamInterface<ListCase> {
protected:
    std::vector<std::string> Names() {
        return Rows(std::string("select ") + GetParam().column + " from " + GetParam().table + " order by id");
    }
};

// A blank name is refused; a name is stored as typed, may be added twice, and each row can be
// picked from the grid and deleted after a Yes.
TEST_P(NameLists, AddPickAndDelete) {
    const ListCase& c = GetParam();
    TNameListForm* w = c.window();
    ShowWindow(w);
    EXPECT_TRUE(w->Edit1->Focused());
    const auto initial = Names();
    for (const char* blank : {"", "   "}) {
        harness->ClearDialogs();
        w->Edit1->SetText(blank);
        H::Click(w->Button1);
        EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{c.emptyMessage});
        EXPECT_EQ(harness->Dialogs()[0].Caption, "提示");
    }
    EXPECT_EQ(Names(), initial);

    for (int i = 0; i < 2; ++i) {
        harness->ClearDialogs();
        w->Edit1->SetText("");
        H::Click(w->Edit1);
        H::TypeText(w->Edit1, " 甲乙 ");
        H::TypeKey(w->Edit1, VK_RETURN);
        EXPECT_TRUE(w->Button1->Focused());
        H::Click(w->Button1);
        EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"保存成功!"});
        EXPECT_EQ(w->Edit1->Text(), "");
        EXPECT_TRUE(w->Edit1->Focused());
    }
    auto expected = initial;
    expected.push_back(" 甲乙 ");
    expected.push_back(" 甲乙 ");
    EXPECT_EQ(Names(), expected);
    EXPECT_EQ(w->DBGrid1->RowCount(), static_cast<int>(expected.size()));

    w->ADOTable1->First();
    w->DBGrid1->CellClicked(0);
    EXPECT_EQ(w->Edit1->Text(), initial.empty() ? " 甲乙 " : initial.front());
    harness->ClearDialogs();
    harness->AnswerMessage(mrNo);
    H::Click(w->Button2);
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"确定删除么？"});
    EXPECT_EQ(Names(), expected);
    EXPECT_EQ(w->Edit1->Text(), "");
    harness->ClearDialogs();
    harness->AnswerMessage(mrYes);
    H::Click(w->Button2);
    EXPECT_EQ(harness->DialogTexts(), (std::vector<std::string>{"确定删除么？", "删除成功!"}));
    expected.erase(expected.begin());
    EXPECT_EQ(Names(), expected);

    w->Edit1->SetText("x");
    w->Close();
    EXPECT_EQ(w->Edit1->Text(), "");
}

// New names stand after the last row of the grid, in the order they were saved (an insert
// at the last row put each one above the row that was last).
TEST_P(NameLists, NewNamesStandAfterTheLastRow) {
    TNameListForm* w = GetParam().window();
    ShowWindow(w);
    std::vector<std::string> expected = Names();
    for (const char* name : {"甲科", "乙科", "丙科"}) {
        H::Click(w->Edit1);
        H::TypeText(w->Edit1, name);
        H::Click(w->Button1);
        expected.push_back(name);
    }
    EXPECT_EQ(Names(), expected);
    std::vector<std::string> shown;
    for (int row = 0; row < w->DBGrid1->RowCount(); ++row) shown.push_back(w->DBGrid1->CellText(row, 0));
    EXPECT_EQ(shown, expected);
    w->Close();
}

// A name refused while another program holds the write lock leaves nothing pending: the
// same click once the lock is gone stores it once, and the next name comes alone.
TEST_P(NameLists, ANameRefusedUnderALockIsAddedOnceWhenTriedAgain) {
    TNameListForm* w = GetParam().window();
    ShowWindow(w);
    std::vector<std::string> expected = Names();
    Db().SetBusyTimeout(100);
    auto other = std::make_unique<TOtherProgram>(ClinicDatabaseFileName);
    other->Run("BEGIN IMMEDIATE; INSERT INTO tb_yprk (药品名称) VALUES ('x');");
    H::Click(w->Edit1);
    H::TypeText(w->Edit1, "儿科");
    H::Click(w->Button1);
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"数据库正被其他程序使用，请稍后再试。"});
    EXPECT_EQ(w->ADOTable1->State(), dsBrowse);
    EXPECT_EQ(Names(), expected);
    other.reset();
    harness->ClearDialogs();
    H::Click(w->Button1);
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"保存成功!"});
    H::Click(w->Edit1);
    H::TypeText(w->Edit1, "眼科");
    H::Click(w->Button1);
    expected.push_back("儿科");
    expected.push_back("眼科");
    EXPECT_EQ(Names(), expected);
    EXPECT_EQ(w->DBGrid1->RowCount(), static_cast<int>(expected.size()));
    w->Close();
}

INSTANTIATE_TEST_SUITE_P(Windows, NameLists,
                         ::testing::Values(ListCase{"departments", [] { return static_cast<TNameListForm*>(kszlform); },
                                                    "tb_ks", "科室名称", "必填字段不能为空"},
                                           ListCase{"units", [] { return static_cast<TNameListForm*>(dwzlform); },
                                                    "tb_ypunit", "unitname", "必填字段不能为空!"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A department added is offered at once by the doctors window.
TEST_F(RecordsTest, NewDepartmentReachesTheDoctorsWindow) {
    ShowWindow(kszlform);
    kszlform->Edit1->SetText("儿科");
    H::Click(kszlform->Button1);
    const TStringList* list = yszlform->ComboBox2->Items();
    ASSERT_EQ(list->Count(), 3);
    EXPECT_EQ(list->Strings(2), "儿科");
    kszlform->Close();
}

// A name added goes at once into the lists of the other windows that offer it (those of
// them that are part of the program).
TEST_F(RecordsTest, NewNamesReachTheOtherWindowsLists) {
    struct Case {
        std::function<void()> add;
        const char* name;
        const char* window;
        const char* control;
    };
    const auto addName = [](TNameListForm* w, const char* name) {
        return [w, name] {
            ShowWindow(w);
            w->Edit1->SetText(name);
            H::Click(w->Button1);
            w->Close();
        };
    };
    const auto addDoctor = [] {
        ShowWindow(yszlform);
        yszlform->Edit1->SetText("钱七");
        yszlform->Edit2->SetText("QQ");
        yszlform->ComboBox1->SetText("男");
        yszlform->ComboBox2->SetText("内科");
        H::Click(yszlform->Button1);
        yszlform->Close();
    };
    const std::vector<Case> cases = {
        {addName(kszlform, "儿科"), "儿科", "Tyszlform", "ComboBox2"},
        {addName(kszlform, "儿科"), "儿科", "Tsfcxform", "ComboBox2"},
        {addName(dwzlform, "支"), "支", "Txjxmform", "ComboBox2"},
        {addName(dwzlform, "支"), "支", "Tbqxmform", "ComboBox2"},
        {addName(dwzlform, "支"), "支", "Trkform", "ComboBox1"},
        {addDoctor, "钱七", "Typxhtjform", "ComboBox1"},
    };
    int checked = 0;
    for (const Case& c : cases) {
        TCustomForm* target = FindClinicWindow(c.window);
        auto* list = target ? dynamic_cast<TComboBox*>(target->FindComponent(c.control)) : nullptr;
        if (!list) continue;
        const int before = list->Items()->Count();
        c.add();
        ASSERT_EQ(list->Items()->Count(), before + 1) << c.window << "." << c.control;
        EXPECT_EQ(list->Items()->Strings(before), c.name) << c.window << "." << c.control;
        ++checked;
    }
    EXPECT_GE(checked, 1) << "the doctors window takes new departments";
    const std::vector<std::string> saved(harness->DialogTexts());
    for (const std::string& text : saved) EXPECT_EQ(text, "保存成功!");
}

// The types window only lists: its buttons stay disabled and its grid is read-only.
TEST_F(RecordsTest, ItemTypesAreListedOnly) {
    ShowWindow(llzlform);
    EXPECT_EQ(llzlform->Caption(), "收费项目类型设置");
    EXPECT_FALSE(llzlform->Button1->Enabled());
    EXPECT_FALSE(llzlform->Button2->Enabled());
    EXPECT_TRUE(llzlform->DBGrid1->ReadOnly());
    EXPECT_EQ(llzlform->Edit1->Hint(), "本表中类型名称可根据用户要求定制修改");
    EXPECT_EQ(llzlform->DBGrid1->ColumnTitle(0), "类型");
    const auto types = Rows("select lx from tb_yplx order by id");
    ASSERT_EQ(llzlform->DBGrid1->RowCount(), static_cast<int>(types.size()));
    EXPECT_EQ(llzlform->DBGrid1->CellText(0, 0), types.front());
    // Enter in the name goes to 保存 only where it can: here the focus stays.
    H::Click(llzlform->Edit1);
    H::TypeText(H::FocusedControl(), "新类型");
    H::TypeKey(H::FocusedControl(), VK_RETURN);
    EXPECT_EQ(H::FocusedControl(), llzlform->Edit1);
    EXPECT_TRUE(harness->Dialogs().empty()) << Joined(harness->DialogTexts());
    llzlform->Edit1->SetText("新类型");
    H::Click(llzlform->Button1);
    EXPECT_TRUE(harness->Dialogs().empty());
    EXPECT_EQ(Rows("select lx from tb_yplx order by id"), types);
    llzlform->Close();
}

// The main window's actions open the record windows without waiting.
TEST_F(RecordsTest, MainWindowActionsOpenTheWindows) {
    struct Case {
        const char* action;
        std::function<TCustomForm*()> window;
        const char* caption;
    };
    const std::vector<Case> cases = {
        {"yszl", [] { return yszlform; }, "医生资料"},          {"kszl", [] { return kszlform; }, "科室设置"},
        {"llzl", [] { return llzlform; }, "收费项目类型设置"},  {"dwzl", [] { return dwzlform; }, "收费项目单位设置"},
        {"sjbf", [] { return sjbfform; }, "数据备份"},          {"sjhf", [] { return sjhfform; }, "数据恢复"},
        {"sjzl", [] { return sjzlform; }, "数据整理"},
    };
    for (const Case& c : cases) {
        TAction* action = wqtdglzjmform->ActionByName(c.action);
        ASSERT_NE(action, nullptr) << c.action;
        action->SetEnabled(true);
        action->Execute();
        TCustomForm* w = c.window();
        EXPECT_TRUE(w->Visible()) << c.action;
        EXPECT_FALSE(w->Modal()) << c.action;
        EXPECT_EQ(w->Caption(), c.caption);
        w->Close();
    }
    EXPECT_TRUE(harness->Dialogs().empty()) << Joined(harness->DialogTexts());
}

// --- About --------------------------------------------------------------------------------

TEST_F(RecordsTest, AboutWindowOpensFromTheHelpMenuAndItsLinksOpen) {
    H::ClickMenuItem(dynamic_cast<TMenuItem*>(wqtdglzjmform->FindComponent("N6About")));
    ASSERT_TRUE(aboutform->Visible());
    EXPECT_FALSE(aboutform->Modal());
    EXPECT_EQ(aboutform->Caption(), "关于");
    EXPECT_EQ(aboutform->Label1->Caption(), "岳梧门诊收费系统");
    H::Click(aboutform->Label3);
    H::Click(aboutform->Label4);
    H::Click(aboutform->Label5);
    EXPECT_EQ(harness->ShellOpened(),
              (std::vector<std::string>{ExtractFilePath(ParamStr(0)) + "help/index.html", ExtractFilePath(ParamStr(0)),
                                        fs::current_path().string() + "/"}));
    aboutform->Close();
}

}  // namespace
