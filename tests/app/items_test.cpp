// The users, rights, items and stock-in windows driven headless through the real windows on
// a fresh clinic database.
#include "GridTexts.h"
#include "OtherProgram.h"
#include "PreviewCapture.h"
#include "app/database/ClinicDatabase.h"
#include "app/forms/CandidateForm.h"
#include "app/forms/ChargeForm.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/DataModule.h"
#include "app/forms/FunctionListForm.h"
#include "app/forms/ItemEditForm.h"
#include "app/forms/ItemFindForm.h"
#include "app/forms/ItemListForm.h"
#include "app/forms/NewItemForm.h"
#include "app/forms/LoginForm.h"
#include "app/forms/MainForm.h"
#include "app/forms/Passwords.h"
#include "app/forms/RightsForm.h"
#include "app/forms/Startup.h"
#include "app/forms/StockInForm.h"
#include "app/forms/UserForm.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ActnList.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using H = TUiTestHarness;
using Rows = std::vector<std::string>;

std::string Joined(const std::vector<std::string>& v) {
    std::string s;
    for (const std::string& x : v) s += x + "\n";
    return s;
}

double Clock() { return EncodeDate(2024, 3, 7) + 9.0 / 24; }

// The clinic program started in a folder of the test's own, with the operator logged in.
class ItemsTest : public ::testing::Test {
protected:
    void SetUp() override {
        FOldDir = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "clinic-items-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        Dir = pattern;
        fs::current_path(Dir);
        if (const char* r = std::getenv("XDG_RUNTIME_DIR")) FOldRuntime = r;
        setenv("XDG_RUNTIME_DIR", Dir.c_str(), 1);
        harness = std::make_unique<TUiTestHarness>();
        harness->SetClock(Clock);
        ASSERT_EQ(EnsureClinicDatabase("."), TClinicDatabaseState::Created);
        ASSERT_TRUE(CreateClinicWindows()) << Joined(harness->DialogTexts());
    }

    void TearDown() override {
        EXPECT_TRUE(harness->Errors().empty()) << Joined(harness->Errors());
        EXPECT_EQ(harness->PendingDrivers(), 0);
        EXPECT_EQ(harness->PendingAnswers(), 0);
        DestroyClinicForms();
        harness.reset();
        SetClock(nullptr);
        fs::current_path(FOldDir);
        if (FOldRuntime) setenv("XDG_RUNTIME_DIR", FOldRuntime->c_str(), 1);
        else unsetenv("XDG_RUNTIME_DIR");
        std::error_code ec;
        fs::remove_all(Dir, ec);
    }

    // The login's outcome as the windows read it: the operator in the cashier field and the
    // actions of the rights held.
    static void LogIn(const std::string& name) {
        sfform->Edit12->SetText(name);
        TADOQuery q(nullptr);
        q.SetConnection(&Db());
        q.SQL()->SetText("select 功能号 from tb_yhgnb where 用户名=:u");
        q.Parameters()->ParamByName("u")->SetValue(Variant(name));
        q.Open();
        wqtdglzjmform->DisableAllActions();
        for (; !q.Eof(); q.Next()) wqtdglzjmform->EnableActionByTag(q.Fields()[0]->AsInteger());
    }

    static TADOConnection& Db() { return *datamoduleform->ADOConnection1; }
    static void Exec(const std::string& sql) {
        TADOQuery q(nullptr);
        q.SetConnection(&Db());
        q.SQL()->SetText(sql);
        q.ExecSQL();
    }
    static Rows Select(const std::string& sql) {
        TADOQuery q(nullptr);
        q.SetConnection(&Db());
        q.SQL()->SetText(sql);
        q.Open();
        Rows rows;
        for (; !q.Eof(); q.Next()) {
            std::string row;
            for (int i = 0; i < q.FieldCount(); ++i) row += (i ? "|" : "") + q.Fields()[i]->AsString();
            rows.push_back(row);
        }
        return rows;
    }
    static void ShowWindow(TCustomForm* form) {
        form->Show();
        H::ProcessMessages();
    }
    static bool Listed(TStrings* items, const std::string& text) { return items->IndexOf(text) >= 0; }

    // Another program takes the write lock with a row of its own and keeps it; the clinic
    // waits for it a short while only.
    static std::unique_ptr<TOtherProgram> OtherProgramWrites() {
        Db().SetBusyTimeout(100);
        auto other = std::make_unique<TOtherProgram>(ClinicDatabaseFileName);
        other->Run("BEGIN IMMEDIATE; INSERT INTO tb_ks (科室名称) VALUES ('外科');");
        return other;
    }
    static constexpr const char* kLocked = "数据库正被其他程序使用，请稍后再试。";

    std::string Dir;
    std::unique_ptr<TUiTestHarness> harness;

private:
    fs::path FOldDir;
    std::optional<std::string> FOldRuntime;
};

// --- Users --------------------------------------------------------------------------------

// The users window shown (modeless here, so the test can work in it) for an operator.
class Users : public ItemsTest {
protected:
    void Open(const std::string& op) {
        LogIn(op);
        ShowWindow(userform);
    }
    void Fill(const std::string& name, const std::string& pass, const std::string& confirm) {
        userform->Edit1->SetText(name);
        userform->Edit2->SetText(pass);
        userform->Edit3->SetText(confirm);
    }
};

TEST_F(Users, AdministratorAddsAUserWithTheDigestOfTheTrimmedPassword) {
    Open("tulvo");
    ASSERT_TRUE(userform->Button1->Enabled());
    ASSERT_TRUE(userform->Button2->Enabled());
    Fill(" o'neil ", " abc ", "abc");
    harness->AnswerMessage(IDCANCEL);
    H::Click(userform->Button1);
    EXPECT_EQ(harness->DialogTexts(), Rows{"增加用户成功!现在就给该用户增加权限吗？"});
    EXPECT_EQ(harness->Dialogs()[0].Flags & MB_OKCANCEL, MB_OKCANCEL);
    // MD5 of "abc": the blanks are no part of the password
    EXPECT_EQ(Select("select user, pass from tb_user where user='o''neil'"),
              Rows{"o'neil|900150983cd24fb0d6963f7d28e17f72"});
    EXPECT_EQ(PasswordDigest(" abc "), "900150983cd24fb0d6963f7d28e17f72");
    for (TStrings* list : {LogoinForm->ComboBox->Items(), yhcxform->ComboBox1->Items()})
        EXPECT_TRUE(Listed(list, "o'neil"));
    EXPECT_EQ(userform->Edit1->Text(), "");
    EXPECT_TRUE(userform->Visible()) << "Cancel keeps the window";

    // OK to the question takes the administrator to the rights window
    Fill("wang", "x", "x");
    harness->AnswerMessage(IDOK);
    H::Click(userform->Button1);
    EXPECT_FALSE(userform->Visible());
    EXPECT_TRUE(yhcxform->Visible());
    yhcxform->Close();
}

struct AddRefusal {
    const char* name;
    const char* user;
    const char* pass;
    const char* confirm;
    const char* message;
    const char* focused;   // the field that takes the focus, or ""
};

class UserRefused : public Users, public ::testing::WithParamInterface<AddRefusal> {};

TEST_P(UserRefused, AddsNothing) {
    const AddRefusal& c = GetParam();
    Open("tulvo");
    const Rows before = Select("select * from tb_user order by id");
    Fill(c.user, c.pass, c.confirm);
    H::Click(userform->Button1);
    EXPECT_EQ(harness->DialogTexts(), Rows{c.message});
    EXPECT_EQ(harness->Dialogs()[0].Caption, "提示");
    EXPECT_EQ(Select("select * from tb_user order by id"), before);
    if (*c.focused) {
        ASSERT_NE(userform->ActiveControl(), nullptr);
        EXPECT_EQ(userform->ActiveControl()->Name(), c.focused);
    }
    userform->Close();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UserRefused,
    ::testing::Values(AddRefusal{"empty_name", "", "a", "a", "必填字段不能为空!", "Edit1"},
                      AddRefusal{"name_of_blanks", "   ", "a", "a", "必填字段不能为空!", "Edit1"},
                      AddRefusal{"blank_password", "li", "  ", "a", "必填字段不能为空!", "Edit2"},
                      AddRefusal{"empty_confirmation", "li", "a", "", "必填字段不能为空!", "Edit3"},
                      AddRefusal{"different_confirmation", "li", "a", "b", "两次密码输入不相同!", ""},
                      AddRefusal{"existing_name_in_other_case", "TULVO", "a", "a", "用户名已存在!", ""},
                      AddRefusal{"quote_in_existing_name", "tulvo", "a", "a", "用户名已存在!", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Users, OtherUsersChangeOnlyTheirOwnPassword) {
    Exec("insert into tb_user (user, pass) values ('li', '" + PasswordDigest("old") + "')");
    Exec("insert into tb_user (user, pass) values ('wang', '" + PasswordDigest("w") + "')");
    Open("li");
    EXPECT_FALSE(userform->Button1->Enabled());
    EXPECT_FALSE(userform->Button2->Enabled());

    struct Case {
        const char* user;
        const char* pass;
        const char* confirm;
        const char* message;
    };
    for (const Case& c : {Case{"wang", "n", "n", "请用所填用户名称或者tulvo登录!"},
                          Case{"li", "n", "m", "填入的两次密码不相同!"},
                          Case{"li", " new ", "new", "密码修改成功!"}}) {
        harness->ClearDialogs();
        Fill(c.user, c.pass, c.confirm);
        H::Click(userform->Button3);
        EXPECT_EQ(harness->DialogTexts(), Rows{c.message}) << c.user << "/" << c.pass;
    }
    EXPECT_EQ(Select("select pass from tb_user where user in ('li','wang') order by user"),
              (Rows{PasswordDigest("new"), PasswordDigest("w")}));
    userform->Close();

    // the administrator may change anybody's password, but not that of a user who is not there
    Open("tulvo");
    harness->ClearDialogs();
    Fill("zhao", "p", "p");
    H::Click(userform->Button3);
    EXPECT_EQ(harness->DialogTexts(), Rows{"您所填入的用户名称不存在!"});
    userform->Close();
    EXPECT_FALSE(userform->Button1->Enabled()) << "closing disables the administrator's buttons";
}

TEST_F(Users, DeletingAUserDeletesItsRightsButNeverTheAdministrator) {
    Exec("insert into tb_user (user, pass) values ('li', 'x')");
    Exec("insert into tb_yhgnb (用户名, 功能号) values ('li', 21), ('li', 22), ('wang', 21)");
    userform->ADOTable1->Requery();   // the window opened its table at creation
    Open("tulvo");
    userform->ADOTable1->First();
    ASSERT_EQ(userform->ADOTable1->FieldByName("user")->AsString(), "tulvo");
    H::Click(userform->Button2);
    EXPECT_EQ(harness->DialogTexts(), Rows{"tulvo是系统保留用户,不能删除!"});
    harness->ClearDialogs();

    // a click on the grid row of li names it; No keeps it
    userform->ADOTable1->Last();
    userform->DBGrid1CellClick(nullptr);
    EXPECT_EQ(userform->Edit1->Text(), "li");
    harness->AnswerMessage(mrNo);
    H::Click(userform->Button2);
    EXPECT_EQ(harness->DialogTexts(), Rows{"确定删除li用户吗？"});
    EXPECT_EQ(Select("select count(*) from tb_user").front(), "2");
    harness->ClearDialogs();

    userform->ADOTable1->Last();
    harness->AnswerMessage(mrYes);
    H::Click(userform->Button2);
    EXPECT_EQ(harness->DialogTexts(), (Rows{"确定删除li用户吗？", "删除用户成功!"}));
    EXPECT_EQ(Select("select user from tb_user"), Rows{"tulvo"});
    EXPECT_EQ(Select("select 用户名, 功能号 from tb_yhgnb where 用户名<>'tulvo'"), Rows{"wang|21"});
    EXPECT_EQ(userform->Edit1->Text(), "");
    userform->Close();
}

// Another program holds the write lock: the new user is refused in the clinic's words and
// nothing stays pending; once the lock is gone the same click adds the user once. A delete
// refused halfway (the rights) keeps the user and the rights, and the retry removes both.
TEST_F(Users, AUserRefusedUnderALockIsAddedOnceAndADeleteIsWholeOrNothing) {
    Open("tulvo");
    auto other = OtherProgramWrites();
    Fill("li", "a", "a");
    H::Click(userform->Button1);
    EXPECT_EQ(harness->DialogTexts(), Rows{kLocked});
    EXPECT_EQ(userform->ADOTable1->State(), dsBrowse);
    EXPECT_EQ(userform->Edit1->Text(), "li");
    other.reset();
    harness->ClearDialogs();
    harness->AnswerMessage(IDCANCEL);
    H::Click(userform->Button1);
    EXPECT_EQ(harness->DialogTexts(), Rows{"增加用户成功!现在就给该用户增加权限吗？"});
    EXPECT_EQ(Select("select user from tb_user order by id"), (Rows{"tulvo", "li"}));
    EXPECT_EQ(Select("select count(*) from tb_ks where 科室名称='外科'"), Rows{"0"});

    Exec("insert into tb_yhgnb (用户名, 功能号) values ('li', 21), ('li', 22)");
    bool refuse = true;
    Db().OnStatement = [&](const std::string& sql) {
        if (refuse && sql.find("From tb_yhgnb") != std::string::npos) {
            refuse = false;
            throw EDatabaseError("database is locked");
        }
    };
    harness->ClearDialogs();
    userform->ADOTable1->Last();
    harness->AnswerMessage(mrYes);
    H::Click(userform->Button2);
    Db().OnStatement = nullptr;
    EXPECT_EQ(harness->DialogTexts(), (Rows{"确定删除li用户吗？", kLocked}));
    EXPECT_EQ(Select("select user from tb_user order by id"), (Rows{"tulvo", "li"}));
    EXPECT_EQ(Select("select count(*) from tb_yhgnb where 用户名='li'"), Rows{"2"});
    EXPECT_EQ(userform->ADOTable1->RecordCount(), 2) << "the list shows the users as stored";
    harness->ClearDialogs();
    userform->ADOTable1->Last();
    harness->AnswerMessage(mrYes);
    H::Click(userform->Button2);
    EXPECT_EQ(harness->DialogTexts(), (Rows{"确定删除li用户吗？", "删除用户成功!"}));
    EXPECT_EQ(Select("select user from tb_user"), Rows{"tulvo"});
    EXPECT_EQ(Select("select count(*) from tb_yhgnb where 用户名='li'"), Rows{"0"});
    userform->Close();
}

// --- Rights --------------------------------------------------------------------------------

class Rights : public ItemsTest {
protected:
    void SetUp() override {
        ItemsTest::SetUp();
        Exec("insert into tb_user (user, pass) values ('li', 'x'), ('wang', 'y')");
        Exec("insert into tb_yhgnb (用户名, 功能号) values ('li', 21), ('li', 35)");
        // the list was read when the window was created
        yhcxform->ComboBox1->Items()->Add("li");
        yhcxform->ComboBox1->Items()->Add("wang");
        LogIn("tulvo");
        ShowWindow(yhcxform);
    }
    void TearDown() override {
        yhcxform->Close();
        ItemsTest::TearDown();
    }
    static Rows Held(const std::string& user) {
        return Select("select 功能号 from tb_yhgnb where 用户名='" + user + "' order by 功能号");
    }
    static Rows Listed() {
        Rows rows;
        auto* q = yhcxform->ADOQuery1;
        if (!q->Active()) return rows;
        for (q->First(); !q->Eof(); q->Next())
            rows.push_back(q->FieldByName("功能名")->AsString() + "|" + q->FieldByName("功能号")->AsString());
        q->First();
        return rows;
    }
};

TEST_F(Rights, ViewChecksTheNameAndListsTheRights) {
    struct Case {
        const char* user;
        Rows dialogs;
        Rows listed;
    };
    for (const Case& c : {Case{"", {"请先选择一个正确的用户名称!"}, {}},
                          Case{"nobody", {"无此用户名称!"}, {}},
                          Case{"wang", {"该用户无任何权限,可点击增加权限录入!"}, {}},
                          Case{"li", {}, {"划价收费|21", "收费查询|35"}}}) {
        harness->ClearDialogs();
        yhcxform->ComboBox1->SetText(c.user);
        H::Click(yhcxform->Button1);
        EXPECT_EQ(harness->DialogTexts(), c.dialogs) << c.user;
        EXPECT_EQ(Listed(), c.listed) << c.user;
    }
}

TEST_F(Rights, GrantingOffersOnlyRightsNotHeldAndTakesThemOffTheList) {
    yhcxform->ComboBox1->SetText("li");
    harness->OnModal("Tgnbform", [](TCustomForm&) {
        TListView* list = gnbform->ListView1;
        ASSERT_EQ(list->Items()->Count(), 23);
        std::vector<std::string> numbers;
        for (int i = 0; i < list->Items()->Count(); ++i) numbers.push_back(list->Items()->Item(i)->Caption());
        EXPECT_EQ(std::count(numbers.begin(), numbers.end(), "21"), 0);
        EXPECT_EQ(std::count(numbers.begin(), numbers.end(), "35"), 0);
        // grant 61 (调价) by the button, 11 by a double-click
        for (int i = 0; i < list->Items()->Count(); ++i)
            if (list->Items()->Item(i)->Caption() == "61") list->SetSelected(list->Items()->Item(i));
        EXPECT_EQ(list->Selected()->SubItems()->Strings(0), "调价");
        H::Click(gnbform->Button1);
        EXPECT_EQ(list->Items()->Count(), 22);
        list->SetSelected(list->Items()->Item(0));
        EXPECT_EQ(list->Selected()->Caption(), "11");
        gnbform->Button1Click(nullptr);
        EXPECT_EQ(list->Items()->Count(), 21);
        H::Click(gnbform->Button2);
    });
    H::Click(yhcxform->Button2);
    EXPECT_EQ(Held("li"), (Rows{"11", "21", "35", "61"}));
    EXPECT_EQ(Listed(), (Rows{"病人信息|11", "划价收费|21", "收费查询|35", "调价|61"}))
        << "the rights list is refreshed after each grant";
    EXPECT_TRUE(harness->DialogTexts().empty()) << Joined(harness->DialogTexts());
}

TEST_F(Rights, RevokeDeletesTheGridsRightOfTheChosenUser) {
    yhcxform->ComboBox1->SetText("li");
    H::Click(yhcxform->Button1);
    yhcxform->ADOQuery1->Last();   // 收费查询 35
    harness->AnswerMessage(mrNo);
    H::Click(yhcxform->Button3);
    EXPECT_EQ(harness->DialogTexts(), Rows{"确定取消收费查询权限吗？"});
    EXPECT_EQ(Held("li"), (Rows{"21", "35"}));
    harness->ClearDialogs();
    yhcxform->ADOQuery1->Last();
    harness->AnswerMessage(mrYes);
    H::Click(yhcxform->Button3);
    EXPECT_EQ(Held("li"), Rows{"21"});
    EXPECT_EQ(Listed(), Rows{"划价收费|21"});
}

// The grid still shows li's rights while wang is chosen: the revoke must not aim at wang
// with li's function (a right wang does not hold), nor fail on it.
TEST_F(Rights, RevokeForAnotherChosenUserUsesThatUsersRights) {
    Exec("insert into tb_yhgnb (用户名, 功能号) values ('wang', 12)");
    yhcxform->ComboBox1->SetText("li");
    H::Click(yhcxform->Button1);
    yhcxform->ComboBox1->SetText("wang");
    harness->AnswerMessage(mrYes);
    H::Click(yhcxform->Button3);
    EXPECT_EQ(harness->DialogTexts(), Rows{"确定取消医生信息权限吗？"});
    EXPECT_EQ(Held("li"), (Rows{"21", "35"}));
    EXPECT_EQ(Held("wang"), Rows{});
    harness->ClearDialogs();
    H::Click(yhcxform->Button3);
    EXPECT_EQ(harness->DialogTexts(), Rows{"请先查看到用户有权限后才能进行取消操作!"});
}

// A right granted while another program holds the write lock is refused and stays on the
// offer; granted again once the lock is gone, it is stored once.
TEST_F(Rights, ARightRefusedUnderALockIsGrantedOnceWhenTriedAgain) {
    yhcxform->ComboBox1->SetText("li");
    std::unique_ptr<TOtherProgram> other;
    harness->OnModal("Tgnbform", [&](TCustomForm&) {
        TListView* list = gnbform->ListView1;
        list->SetSelected(list->Items()->Item(0));
        ASSERT_EQ(list->Selected()->Caption(), "11");
        other = OtherProgramWrites();
        H::Click(gnbform->Button1);
        EXPECT_EQ(harness->DialogTexts(), Rows{kLocked});
        EXPECT_EQ(gnbform->ADOTable1->State(), dsBrowse);
        EXPECT_EQ(list->Items()->Count(), 23) << "the right stays on the offer";
        other.reset();
        harness->ClearDialogs();
        ASSERT_EQ(list->Selected()->Caption(), "11");
        H::Click(gnbform->Button1);
        EXPECT_EQ(list->Items()->Count(), 22);
        H::Click(gnbform->Button2);
    });
    H::Click(yhcxform->Button2);
    EXPECT_EQ(Held("li"), (Rows{"11", "21", "35"}));
    EXPECT_EQ(Listed(), (Rows{"病人信息|11", "划价收费|21", "收费查询|35"}));
    EXPECT_TRUE(harness->DialogTexts().empty()) << Joined(harness->DialogTexts());
}

// --- Items ---------------------------------------------------------------------------------

class Items : public ItemsTest {
protected:
    void SetUp() override {
        ItemsTest::SetUp();
        Exec("insert into tb_yp (项目种类,项目类型,项目名称,拼音码,规格,单位,进价,单价,库存数量,进价金额,销价金额) "
             "values ('药品项目','西药费','阿莫西林','AMXL','10片','盒',8,12.5,10,80,125)");
        Exec("insert into tb_yp (项目种类,项目类型,项目名称,拼音码,规格,单位,单价) "
             "values ('检查项目','检查费','B超','BC','次','次',50)");
        LogIn("tulvo");
        ShowWindow(xmzlform);
    }
    void TearDown() override {
        xmzlform->Close();
        ItemsTest::TearDown();
    }
    static Rows ListNames() {
        Rows rows;
        auto* q = xmzlform->ADOQuery2;
        for (q->First(); !q->Eof(); q->Next()) rows.push_back(q->FieldByName("项目名称")->AsString());
        q->First();
        return rows;
    }
    static void GoTo(const std::string& name) {
        auto* q = xmzlform->ADOQuery2;
        for (q->First(); !q->Eof(); q->Next())
            if (q->FieldByName("项目名称")->AsString() == name) return;
        FAIL() << name << " not listed";
    }
    // The new-item window driven once: the fields, the kind and the save.
    void NewItem(const std::string& type, const std::string& name, const std::string& packSize,
                 const std::string& price, bool drug, std::optional<int> stockInAnswer) {
        if (stockInAnswer) harness->AnswerMessage(*stockInAnswer);
        harness->OnModal("Txjxmform", [=](TCustomForm&) {
            xjxmform->ComboBox1->SetText(type);
            H::Click(xjxmform->Edit1);
            H::TypeText(xjxmform->Edit1, name);
            H::TypeKey(xjxmform->Edit1, VK_RETURN);
            xjxmform->Edit3->SetText(packSize);
            xjxmform->ComboBox2->SetText("盒");
            H::Click(xjxmform->Edit5);
            H::TypeText(xjxmform->Edit5, price);
            (drug ? xjxmform->RadioButton1 : xjxmform->RadioButton2)->SetChecked(true);
            H::Click(xjxmform->Button1);
            if (xjxmform->Visible()) xjxmform->Close();
        });
        H::Click(xmzlform->Button1);
    }
};

TEST_F(Items, ListShowsTotalsCountAndSortsDrugsOnly) {
    EXPECT_EQ(xmzlform->Label3->Caption(), "80");
    EXPECT_EQ(xmzlform->Label5->Caption(), "125");
    EXPECT_EQ(xmzlform->Label7->Caption(), "2");
    EXPECT_EQ(ListNames(), (Rows{"阿莫西林", "B超"}));
    H::Click(xmzlform->RadioButton3, TPoint{2, 2});
    EXPECT_EQ(ListNames(), Rows{"阿莫西林"});
    EXPECT_EQ(xmzlform->Label7->Caption(), "2") << "the count stays that of all items";
    H::Click(xmzlform->RadioButton1, TPoint{2, 2});
    EXPECT_EQ(ListNames(), (Rows{"阿莫西林", "B超"}));
    H::Click(xmzlform->RadioButton1, TPoint{2, 2});
    H::Click(xmzlform->RadioButton5, TPoint{2, 2});
    EXPECT_EQ(ListNames(), (Rows{"阿莫西林", "B超"}));
}

struct NewItemCase {
    const char* name;
    bool drug;
    const char* item;
    const char* price;
    const char* stored;   // 项目种类|项目名称|拼音码|单价|进价|库存数量
    Rows dialogs;
};

class NewItems : public Items, public ::testing::WithParamInterface<NewItemCase> {};

TEST_P(NewItems, IsStoredWithItsKindAndCode) {
    const NewItemCase& c = GetParam();
    NewItem(c.drug ? "西药费" : "检查费", c.item, "1x", c.price, c.drug,
            c.drug ? std::optional<int>(IDCANCEL) : std::nullopt);
    EXPECT_EQ(harness->DialogTexts(), c.dialogs);
    TADOQuery q(nullptr);
    q.SetConnection(&Db());
    q.SQL()->SetText("select 项目种类,项目名称,拼音码,单价,进价,库存数量 from tb_yp where 项目名称=:n");
    q.Parameters()->ParamByName("n")->SetValue(Variant(std::string(c.item)));
    q.Open();
    ASSERT_FALSE(q.IsEmpty());
    std::string row;
    for (int i = 0; i < q.FieldCount(); ++i) row += (i ? "|" : "") + q.Fields()[i]->AsString();
    EXPECT_EQ(row, c.stored);
    EXPECT_EQ(xmzlform->Label7->Caption(), "3") << "the list is refreshed";
    EXPECT_EQ(xjxmform->Edit1->Text(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NewItems,
    ::testing::Values(
        NewItemCase{"drug_offers_stock_in", true, "维生素C", "12.5", "药品项目|维生素C|WSSC|12.5|0|0",
                    {"新建药品项目完成，是否进行药品入库操作？"}},
        NewItemCase{"examination_asks_nothing", false, "血常规", "20", "检查项目|血常规|XCG|20||", {}},
        NewItemCase{"quote_in_the_name", false, "O'Brien's test", "3.25", "检查项目|O'Brien's test|OBRIENSTEST|3.25||", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Items, SameNameAndPackSizeIsRefusedOnCreation) {
    harness->OnModal("Txjxmform", [&](TCustomForm&) {
        struct Case {
            const char* name;
            const char* packSize;
            const char* price;
            const char* message;
        };
        for (const Case& c : {Case{"阿莫西林", "10片", "1", "相同名称和规格的项目已存在!"},
                              Case{"阿莫西林", "10片", "", "必填字段不能为空!"},
                              Case{"阿莫西林", "20片", "1.2.3", "请输入数字!"},
                              Case{"x' or '1'='1", "10片", "1", nullptr}}) {
            harness->ClearDialogs();
            xjxmform->ComboBox1->SetText("西药费");
            xjxmform->Edit1->SetText(c.name);
            xjxmform->Edit2->SetText("X");
            xjxmform->Edit3->SetText(c.packSize);
            xjxmform->ComboBox2->SetText("盒");
            xjxmform->Edit5->SetText(c.price);
            xjxmform->RadioButton2->SetChecked(true);
            H::Click(xjxmform->Button1);
            EXPECT_EQ(harness->DialogTexts(), c.message ? Rows{c.message} : Rows{}) << c.name << c.price;
        }
        xjxmform->Close();
    });
    H::Click(xmzlform->Button1);
    EXPECT_EQ(Select("select 项目名称,规格 from tb_yp order by ID"),
              (Rows{"阿莫西林|10片", "B超|次", "x' or '1'='1|10片"}));
}

TEST_F(Items, KeyFiltersOfTheNewItemWindow) {
    struct Case {
        TEdit* field;
        const char* typed;
        const char* kept;
        const char* message;
    };
    // Typed into the window as 新建 shows it.
    harness->OnModal("Txjxmform", [this](TCustomForm& f) {
        for (const Case& c : {Case{xjxmform->Edit2, "ab1", "ab", "请输入字母!"},
                              Case{xjxmform->Edit5, "1a.5", "1.5", "请输入数字!"}}) {
            harness->ClearDialogs();
            c.field->SetText("");
            const int beeps = harness->Beeps();
            H::Click(c.field);
            H::TypeText(c.field, c.typed);
            EXPECT_EQ(c.field->Text(), c.kept);
            EXPECT_EQ(harness->DialogTexts(), Rows{c.message});
            EXPECT_EQ(harness->Beeps(), beeps + 1);
        }
        f.Close();
    });
    H::Click(xmzlform->Button1);
}

// The check box bound to the price right: without it neither price can change.
TEST_F(Items, PricesUnlockOnlyUnderThePriceRight) {
    struct Case {
        const char* name;
        bool right;
        const char* item;
        bool costEditable;
    };
    for (const Case& c : {Case{"no_right", false, "阿莫西林", false}, Case{"drug", true, "阿莫西林", true},
                          Case{"examination", true, "B超", false}}) {
        SCOPED_TRACE(c.name);
        wqtdglzjmform->DisableAllActions();
        if (c.right) wqtdglzjmform->EnableActionByTag(61);
        GoTo(c.item);
        harness->OnModal("Tbqxmform", [&](TCustomForm&) {
            EXPECT_EQ(bqxmform->CheckBox1->Enabled(), c.right);
            EXPECT_TRUE(bqxmform->Edit5->ReadOnly());
            EXPECT_TRUE(bqxmform->Edit4->ReadOnly());
            if (c.right) {
                H::Click(bqxmform->CheckBox1);
                EXPECT_TRUE(bqxmform->CheckBox1->Checked());
                EXPECT_FALSE(bqxmform->Edit5->ReadOnly());
                EXPECT_EQ(bqxmform->Edit5->Color(), clWindow);
                EXPECT_EQ(!bqxmform->Edit4->ReadOnly(), c.costEditable);
                H::Click(bqxmform->CheckBox1);
                EXPECT_TRUE(bqxmform->Edit5->ReadOnly());
                EXPECT_EQ(bqxmform->Edit5->Color(), cl3DLight);
            }
            bqxmform->Close();
        });
        H::Click(xmzlform->Button3);
        EXPECT_FALSE(bqxmform->CheckBox1->Checked());
        EXPECT_EQ(bqxmform->Edit6->Text(), "");
    }
}

TEST_F(Items, EditStoresTheFieldsAndTheDrugsStockValues) {
    GoTo("阿莫西林");
    harness->OnModal("Tbqxmform", [&](TCustomForm&) {
        EXPECT_EQ(bqxmform->Edit1->Text(), "阿莫西林");
        EXPECT_EQ(bqxmform->Edit5->Text(), "12.5");
        EXPECT_EQ(bqxmform->Edit4->Text(), "8");
        EXPECT_EQ(bqxmform->Edit6->Text(), "10");
        EXPECT_TRUE(bqxmform->CheckBox2->Checked());
        bqxmform->Edit1->SetText("阿莫西林's");
        H::Click(bqxmform->CheckBox1);
        bqxmform->Edit5->SetText("");
        H::Click(bqxmform->Edit5);
        H::TypeText(bqxmform->Edit5, "15");
        bqxmform->Edit4->SetText("9.5");
        H::Click(bqxmform->Button1);
        EXPECT_NE(bqxmform->ModalResult(), mrNone) << "the save closes the window";
    });
    H::Click(xmzlform->Button3);
    EXPECT_EQ(harness->DialogTexts(), Rows{"编辑项目成功!"});
    EXPECT_EQ(Select("select 项目名称,单价,进价,库存数量,进价金额,销价金额 from tb_yp where ID=1"),
              Rows{"阿莫西林's|15|9.5|10|95|150"});
    EXPECT_EQ(xmzlform->Label3->Caption(), "95") << "the list is refreshed";
}

TEST_F(Items, FindByPartOfTheCodeOrTheName) {
    struct Case {
        bool byName;
        const char* text;
        Rows listed;
        Rows dialogs;
    };
    for (const Case& c : {Case{false, "MX", {"阿莫西林"}, {}},
                          Case{true, "莫西", {"阿莫西林"}, {}},
                          Case{true, "' or 1=1 --", {}, {"没有找到相符的记录,建议减少查询字数!"}},
                          Case{true, "  ", {"阿莫西林", "B超"}, {"查询内容不能为空!"}}}) {
        SCOPED_TRACE(c.text);
        xmzlform->RefreshItemList();
        harness->ClearDialogs();
        harness->OnModal("Tcxsrform", [&](TCustomForm&) {
            (c.byName ? cxsrform->RadioButton2 : cxsrform->RadioButton1)->SetChecked(true);
            cxsrform->Edit1->SetText(c.text);
            H::Click(cxsrform->Button1);
            const bool closed = cxsrform->ModalResult() != mrNone;
            EXPECT_EQ(closed, c.dialogs.empty()) << "only a search that finds rows closes the window";
            if (!closed) cxsrform->Close();
        });
        H::Click(xmzlform->Button4);
        EXPECT_EQ(ListNames(), c.listed);
        EXPECT_EQ(harness->DialogTexts(), c.dialogs);
    }
}

// The find window takes its text literally: "%" and "_" find names that hold them, and a
// text too long for the database is said in Chinese.
TEST_F(Items, FindTakesWildcardsLiterallyAndSaysWhenTheTextIsTooLong) {
    Exec("insert into tb_yp (项目种类,项目类型,项目名称,拼音码,单位,单价) values "
         "('药品项目','西药费','5%葡萄糖注射液','PTT','瓶',3),('药品项目','西药费','50葡萄糖','PTT','瓶',4)");
    struct Case {
        std::string Text;
        Rows Listed;
        Rows Dialogs;
    };
    const std::vector<Case> cases = {
        {"5%", {"5%葡萄糖注射液"}, {}},
        {"_", {}, {"没有找到相符的记录,建议减少查询字数!"}},
        // 20,000 characters of three bytes: more than the database takes in a pattern.
        {[] {
             std::string s;
             for (int i = 0; i < 20000; ++i) s += "药";
             return s;
         }(),
         {},
         {"查询内容太长，请缩短后再查询。"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text.substr(0, 10));
        xmzlform->RefreshItemList();
        harness->ClearDialogs();
        harness->OnModal("Tcxsrform", [&](TCustomForm&) {
            cxsrform->RadioButton2->SetChecked(true);
            H::Click(cxsrform->Edit1);
            H::Paste(H::FocusedControl(), c.Text);
            H::Click(cxsrform->Button1);
            if (cxsrform->ModalResult() == mrNone) cxsrform->Close();
        });
        H::Click(xmzlform->Button4);
        if (!c.Listed.empty()) {
            EXPECT_EQ(ListNames(), c.Listed);
        }
        EXPECT_EQ(harness->DialogTexts(), c.Dialogs);
    }
}

// The list shows whole what an item of a clinic holds: a long drug name, its code, pack
// size, maker and stock values, after the clerk asks for the original order.
TEST_F(Items, ListShowsLongNamesAndCodesWhole) {
    Exec("insert into tb_yp (项目种类,项目类型,项目名称,拼音码,规格,单位,进价,单价,库存数量,进价金额,销价金额,"
         "批号,失效日期,库存下限,药品产地) values ('药品项目','中成药费','阿莫西林克拉维酸钾分散片','AMXLKLWSJFSP',"
         "'0.2285g*12片','盒',12.345,18.5,1250.5,15437.42,23134.25,'K20260301A','2027-11-30',100,"
         "'石家庄四药有限公司')");
    H::MouseDown(xmzlform->RadioButton5, TPoint{2, 2});
    EXPECT_EQ(xmzlform->Label7->Caption(), "3");
    const Rows cut = CutGridTexts(xmzlform->DBGrid1);
    EXPECT_TRUE(cut.empty()) << Joined(cut);
}

TEST_F(Items, DeleteAfterConfirmation) {
    GoTo("B超");
    harness->AnswerMessage(mrNo);
    H::Click(xmzlform->Button5);
    EXPECT_EQ(harness->DialogTexts(), Rows{"确定删除收费项目B超吗？"});
    GoTo("B超");
    harness->AnswerMessage(mrYes);
    H::Click(xmzlform->Button5);
    EXPECT_EQ(harness->DialogTexts().back(), "删除收费项目成功!");
    EXPECT_EQ(Select("select 项目名称 from tb_yp"), Rows{"阿莫西林"});
    EXPECT_EQ(xmzlform->Label7->Caption(), "1");
}

// The printed list: every item with its fields, the totals, the date, the operator and
// the page count in the footer; the list's controls are off while the preview is up.
TEST_F(Items, PrintShowsTheListWithTotalsDateAndOperator) {
    TPreviewCapture printed;
    bool gridEnabled = true;
    CapturePreview(*harness, printed, [&] { gridEnabled = xmzlform->DBGrid1->Enabled(); });
    H::Click(xmzlform->Button6);
    EXPECT_FALSE(gridEnabled);
    EXPECT_TRUE(xmzlform->DBGrid1->Enabled());
    ASSERT_EQ(printed.Pages.size(), 1u);
    for (const std::vector<std::string>& row :
         {std::vector<std::string>{"药品库存一览表", "项目名称", "拼音码", "规格", "单位", "库存数量", "进价",
                                   "药品产地（生产商）", "失效日期", "批号", "单价"},
          std::vector<std::string>{"库存进价合计：80", "库存销价合计：125", "制表日期：2024-3-7", "制表人：tulvo",
                                   "第1页/共1页"}})
        EXPECT_TRUE(printed.HasRow(row)) << row.front() << "\n" << printed.Dump();
    EXPECT_TRUE(printed.Has("阿莫西林"));
    EXPECT_TRUE(printed.Has("B超"));
    EXPECT_EQ(printed.CutOff(), std::vector<std::string>{});
}

// --- Stock-in ------------------------------------------------------------------------------

// A new item refused under another program's lock is stored once by the second click; an
// edit whose second statement (the drug's cost and stock values) is refused stores nothing
// of it, and the retry stores it whole.
TEST_F(Items, ANewItemOrAnEditRefusedUnderALockIsStoredOnceAndWhole) {
    std::unique_ptr<TOtherProgram> other;
    harness->OnModal("Txjxmform", [&](TCustomForm&) {
        xjxmform->ComboBox1->SetText("检查费");
        H::Click(xjxmform->Edit1);
        H::TypeText(xjxmform->Edit1, "血常规");
        H::TypeKey(xjxmform->Edit1, VK_RETURN);
        xjxmform->Edit3->SetText("次");
        xjxmform->ComboBox2->SetText("次");
        H::Click(xjxmform->Edit5);
        H::TypeText(xjxmform->Edit5, "20");
        xjxmform->RadioButton2->SetChecked(true);
        other = OtherProgramWrites();
        H::Click(xjxmform->Button1);
        EXPECT_EQ(harness->DialogTexts(), Rows{kLocked});
        EXPECT_EQ(xjxmform->ADOTable3->State(), dsBrowse);
        other.reset();
        harness->ClearDialogs();
        H::Click(xjxmform->Button1);
        if (xjxmform->Visible()) xjxmform->Close();
    });
    H::Click(xmzlform->Button1);
    EXPECT_EQ(Select("select 项目名称,单价 from tb_yp where 项目名称='血常规'"), Rows{"血常规|20"});
    EXPECT_EQ(xmzlform->Label7->Caption(), "3");

    GoTo("阿莫西林");
    bool refuse = true;
    harness->OnModal("Tbqxmform", [&](TCustomForm&) {
        H::Click(bqxmform->CheckBox1);
        bqxmform->Edit5->SetText("15");
        bqxmform->Edit4->SetText("9.5");
        Db().OnStatement = [&](const std::string& sql) {
            if (refuse && sql.find("set 进价=") != std::string::npos) {
                refuse = false;
                throw EDatabaseError("database is locked");
            }
        };
        H::Click(bqxmform->Button1);
        Db().OnStatement = nullptr;
        EXPECT_EQ(harness->DialogTexts(), Rows{kLocked});
        EXPECT_EQ(Select("select 单价,进价,进价金额,销价金额 from tb_yp where ID=1"), Rows{"12.5|8|80|125"});
        harness->ClearDialogs();
        H::Click(bqxmform->Button1);
    });
    H::Click(xmzlform->Button3);
    EXPECT_EQ(harness->DialogTexts(), Rows{"编辑项目成功!"});
    EXPECT_EQ(Select("select 单价,进价,库存数量,进价金额,销价金额 from tb_yp where ID=1"), Rows{"15|9.5|10|95|150"});
}

class StockIn : public ItemsTest {
protected:
    void SetUp() override {
        ItemsTest::SetUp();
        Exec("insert into tb_yp (项目种类,项目类型,项目名称,拼音码,规格,单位,进价,单价,库存数量,进价金额,销价金额,"
             "批号,库存下限,药品产地) values ('药品项目','西药费','阿莫西林''s','AMXL','10片','盒',8,12.5,10,80,125,"
             "'B1',2,'本地')");
        Exec("insert into tb_yp (项目种类,项目类型,项目名称,拼音码,单价) values ('检查项目','检查费','阿检查','AMJC',5)");
        Trkform::SetRetryPolicy(TRetryPolicy{10, 0, [this](unsigned) { ++Pauses; }});
        LogIn("li");
        ShowWindow(rkform);
    }
    void TearDown() override {
        rkform->Close();
        Trkform::SetRetryPolicy(TRetryPolicy{});
        ItemsTest::TearDown();
    }
    // Picks the drug by its code (a click in the code box, whose text is typed over) and
    // fills the delivery.
    void Pick() {
        H::Click(rkform->Edit1);
        H::TypeKey(rkform->Edit1, VK_HOME);
        H::TypeKey(rkform->Edit1, VK_END, ssShift);
        H::TypeText(rkform->Edit1, "AMXL");
        H::TypeKey(rkform->Edit1, VK_RETURN);
    }
    void Deliver(const std::string& quantity) {
        Pick();
        rkform->Edit3->SetText("B2");
        rkform->Edit6->SetText(quantity);
        H::Click(rkform->Button1);
    }
    static Rows Drug() { return Select("select 库存数量,进价金额,销价金额,批号 from tb_yp where ID=1"); }
    int Pauses = 0;
};

TEST_F(StockIn, PickFillsTheFieldsOfTheOneMatchingDrug) {
    Pick();
    EXPECT_TRUE(harness->DialogTexts().empty()) << Joined(harness->DialogTexts());
    EXPECT_EQ(rkform->Edit1->Text(), "阿莫西林's");
    EXPECT_EQ(rkform->Edit2->Text(), "10片");
    EXPECT_EQ(rkform->ComboBox1->Text(), "盒");
    EXPECT_EQ(rkform->Edit4->Text(), "8.000");
    EXPECT_EQ(rkform->Edit5->Text(), "12.500");
    EXPECT_EQ(rkform->Edit7->Text(), "10.00");
    EXPECT_EQ(rkform->Edit9->Text(), "2.00");
    EXPECT_EQ(DateOf(rkform->DateTimePicker2->Date()), IncDay(EncodeDate(2024, 3, 7), 730))
        << "a drug without expiry proposes two years";
    EXPECT_EQ(rkform->PickedId(), "1");
    // an examination item is no drug; a name is refused key by key
    rkform->Edit1->SetText("AMJC");
    H::Click(rkform->Edit1);
    H::TypeKey(rkform->Edit1, VK_RETURN);
    EXPECT_EQ(harness->DialogTexts(), Rows{"无此药品项目!"});
    harness->ClearDialogs();
    rkform->Edit1->SetText("");
    H::Click(rkform->Edit1);
    H::TypeText(rkform->Edit1, "阿");
    EXPECT_EQ(rkform->Edit1->Text(), "");
    EXPECT_EQ(harness->DialogTexts(), Rows{"请输入拼音字母后按Enter键!"});
}

// The stock is the database's at the save: a charge made while the window was open stays.
// Several drugs of the code: the candidate list under the field shows each whole.
TEST_F(StockIn, TheCandidateListShowsLongNamesWhole) {
    Exec("insert into tb_yp (项目种类,项目类型,项目名称,拼音码,规格,单位,进价,单价,库存数量,药品产地) values "
         "('药品项目','西药费','阿莫西林克拉维酸钾分散片','AMXLKLWSJFSP','0.2285g*12片','盒',12,18.5,50,"
         "'石家庄四药有限公司')");
    harness->OnModal("Tbrzlhxform", [](TCustomForm& f) {
        auto& c = dynamic_cast<Tbrzlhxform&>(f);
        ASSERT_TRUE(c.DBGrid3->Visible());
        ASSERT_EQ(c.DBGrid3->RowCount(), 2);
        const Rows cut = CutGridTexts(c.DBGrid3);
        EXPECT_TRUE(cut.empty()) << Joined(cut);
        H::TypeKey(c.DBGrid3, VK_DOWN);
        H::TypeKey(c.DBGrid3, VK_RETURN);
    });
    Pick();
    EXPECT_EQ(rkform->Edit1->Text(), "阿莫西林克拉维酸钾分散片");
}

// The clerk reaches 失效日期 with Enter from 库存下限 and types the expiry over the date the
// window proposes: the whole date at once, then the day again after End (a full section:
// the digits replace it), and books the delivery with it.
TEST_F(StockIn, ExpiryTypedOverTheProposedDate) {
    Pick();
    H::Click(rkform->Edit6);
    H::TypeText(H::FocusedControl(), "5");
    H::Click(rkform->Edit9);
    H::TypeKey(H::FocusedControl(), VK_RETURN);
    ASSERT_EQ(H::FocusedControl(), rkform->DateTimePicker2);
    H::TypeText(H::FocusedControl(), "20271130");
    EXPECT_EQ(DateOf(rkform->DateTimePicker2->Date()), EncodeDate(2027, 11, 30));
    H::TypeKey(H::FocusedControl(), VK_END);
    H::TypeText(H::FocusedControl(), "5");
    EXPECT_EQ(DateOf(rkform->DateTimePicker2->Date()), EncodeDate(2027, 11, 5));
    H::TypeKey(H::FocusedControl(), VK_RETURN);
    EXPECT_EQ(H::FocusedControl(), rkform->Edit8);
    H::Click(rkform->Button1);
    EXPECT_EQ(harness->DialogTexts(), Rows{"入库成功!"});
    EXPECT_EQ(Select("select 失效日期 from tb_yp where ID=1"), Rows{"2027-11-5"});
}

TEST_F(StockIn, BooksOnTheStockTheDatabaseHolds) {
    struct Case {
        const char* quantity;
        Rows drug;
        const char* record;
    };
    for (const Case& c : {Case{"5", {"13|104|162.5|B2"}, "阿莫西林's|B2|8|12.5|5|40|1|li"},
                          Case{"-3", {"5|40|62.5|B2"}, "阿莫西林's|B2|8|12.5|-3|-24|1|li"}}) {
        SCOPED_TRACE(c.quantity);
        Exec("update tb_yp set 库存数量=10 where ID=1");
        harness->ClearDialogs();
        Exec("delete from tb_yprk");
        Pick();
        Exec("update tb_yp set 库存数量=8 where ID=1");   // a charge of 2 meanwhile
        rkform->Edit3->SetText("B2");
        rkform->Edit6->SetText(c.quantity);
        H::Click(rkform->Button1);
        EXPECT_EQ(harness->DialogTexts(), Rows{"入库成功!"});
        EXPECT_EQ(Drug(), c.drug);
        EXPECT_EQ(Select("select 入库日期,药品名称,批号,进价,单价,入库数量,入库金额,药品ID,操作员 from tb_yprk"),
                  Rows{DateToStr(EncodeDate(2024, 3, 7)) + "|" + c.record});
        EXPECT_EQ(rkform->Edit1->Text(), "") << "a booking empties the fields";
    }
}

// A thousand deliveries of 0.1 of a drug at 0.125: after each the stock is the tenths
// delivered and the stock values are price times stock to the thousandth, halves to the even
// one as the database rounds, from the exact product (0.125 x 0.1 = 0.0125 -> 0.012, where
// the binary product 0.01250000000000000069 gave 0.013).
TEST_F(StockIn, AThousandDeliveriesOfATenthKeepTheValuesExact) {
    Exec("insert into tb_yp (项目种类,项目类型,项目名称,拼音码,规格,单位,进价,单价,库存数量,进价金额,销价金额,库存下限)"
         " values ('药品项目','西药费','维生素','WSS','10片','盒',0.125,0.375,0,0,0,0)");
    // Thousandths of a price in thousandths times k tenths, halves to even, as text.
    auto value = [](int64_t price, int k) {
        const int64_t n = price * k;
        int64_t q = n / 10;
        const int64_t r = n % 10;
        if (r > 5 || (r == 5 && q % 2 != 0)) ++q;
        std::string text = std::to_string(q / 1000);
        std::string fraction = std::to_string(1000 + q % 1000).substr(1);
        while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
        return fraction.empty() ? text : text + "." + fraction;
    };
    std::vector<std::string> wrong;
    for (int k = 1; k <= 1000; ++k) {
        H::Click(rkform->Edit1);
        H::TypeText(rkform->Edit1, "WSS");
        H::TypeKey(rkform->Edit1, VK_RETURN);
        H::Click(rkform->Edit6);
        H::TypeText(rkform->Edit6, "0.1");
        H::Click(rkform->Button1);
        const std::string expected = value(125, k) + "|" + value(375, k);
        const Rows values = Select("select 进价金额,销价金额 from tb_yp where 拼音码='WSS'");
        if (values != Rows{expected}) wrong.push_back(std::to_string(k) + ": " + values.at(0) + " for " + expected);
    }
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " deliveries, the first " << wrong.front();
    EXPECT_EQ(Select("select 库存数量,进价金额,销价金额 from tb_yp where 拼音码='WSS'"), Rows{"100|12.5|37.5"});
    EXPECT_EQ(Select("select count(*),cast(round(sum(入库数量),2) as text) from tb_yprk"), Rows{"1000|100.0"});
    EXPECT_EQ(Pauses, 0);
}

struct StockInRefusal {
    const char* name;
    const char* field;   // Edit4, Edit5, Edit6 or Edit9
    const char* text;
    const char* message;
};

class StockInRefused : public StockIn, public ::testing::WithParamInterface<StockInRefusal> {};

TEST_P(StockInRefused, WritesNothingAndKeepsTheInput) {
    const StockInRefusal& c = GetParam();
    Pick();
    rkform->Edit6->SetText("5");
    auto* field = dynamic_cast<TEdit*>(rkform->FindComponent(c.field));
    ASSERT_NE(field, nullptr);
    field->SetText(c.text);
    H::Click(rkform->Button1);
    EXPECT_EQ(harness->DialogTexts(), Rows{c.message});
    EXPECT_EQ(Drug(), Rows{"10|80|125|B1"});
    EXPECT_EQ(Select("select count(*) from tb_yprk"), Rows{"0"});
    EXPECT_EQ(field->Text(), c.text);
    EXPECT_EQ(rkform->Edit1->Text(), "阿莫西林's");
    EXPECT_EQ(Pauses, 0) << "nothing is attempted";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StockInRefused,
    ::testing::Values(StockInRefusal{"quantity_with_two_points", "Edit6", "1.2.3", "请输入数字!"},
                      StockInRefusal{"lone_minus", "Edit6", "-", "请输入数字!"},
                      StockInRefusal{"point_as_price", "Edit4", ".", "请输入数字!"},
                      StockInRefusal{"limit_minus_only", "Edit9", "-", "请输入数字!"},
                      StockInRefusal{"missing_quantity", "Edit6", "", "除批号与产地外，其它字段均为必填项目!"},
                      StockInRefusal{"missing_sale_price", "Edit5", "", "除批号与产地外，其它字段均为必填项目!"}),
    [](const auto& info) { return std::string(info.param.name); });

// A delivery refused under another program's lock (every attempt) books nothing; the same
// click once the lock is gone books it once.
TEST_F(StockIn, ADeliveryRefusedUnderALockIsBookedOnceWhenTriedAgain) {
    auto other = OtherProgramWrites();
    Deliver("5");
    EXPECT_EQ(harness->DialogTexts(), Rows{std::string("入库失败：") + kLocked});
    EXPECT_EQ(Drug(), Rows{"10|80|125|B1"});
    EXPECT_EQ(Select("select count(*) from tb_yprk"), Rows{"0"});
    other.reset();
    harness->ClearDialogs();
    H::Click(rkform->Button1);
    EXPECT_EQ(harness->DialogTexts(), Rows{"入库成功!"});
    EXPECT_EQ(Drug(), Rows{"15|120|187.5|B2"});
    EXPECT_EQ(Select("select 入库数量,入库金额 from tb_yprk"), Rows{"5|40"});
}

TEST_F(StockIn, FailingEveryAttemptIsReportedAndWritesNothing) {
    Exec("create trigger refuse before insert on tb_yprk begin select raise(abort, 'disk full'); end");
    Deliver("5");
    ASSERT_EQ(harness->DialogTexts().size(), 1u);
    EXPECT_NE(harness->DialogTexts()[0].find("disk full"), std::string::npos) << harness->DialogTexts()[0];
    EXPECT_EQ(Pauses, 9);
    EXPECT_EQ(Drug(), Rows{"10|80|125|B1"}) << "the stock update is rolled back with the record";
    EXPECT_EQ(rkform->Edit6->Text(), "5") << "the input stays for another try";
}

}  // namespace
