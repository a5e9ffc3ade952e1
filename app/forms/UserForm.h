// Tuserform: the users (tb_user). Only the reserved administrator tulvo may add or delete
// users; every user may change their own password. Passwords are stored as the digest of
// the trimmed text, as the login compares them.
#pragma once

#include "platform/ui/Forms.h"

#include <string>

class TEdit;
class TButton;
class TDBGrid;
class TColumn;
class TADOTable;
class TADOQuery;
class TDataSource;

// The administrator's account: it cannot be deleted and may manage every user.
inline constexpr const char* kAdministrator = "tulvo";

class Tuserform : public TForm {
    ROVE_CLASS(Tuserform, TForm)
public:
    explicit Tuserform(TComponent* AOwner);
    ~Tuserform() override;

    TEdit* Edit1 = nullptr;       // name
    TEdit* Edit2 = nullptr;       // password
    TEdit* Edit3 = nullptr;       // confirmation
    TButton* Button1 = nullptr;   // 新增用户
    TButton* Button2 = nullptr;   // 删除用户
    TButton* Button3 = nullptr;   // 密码修改
    TDBGrid* DBGrid1 = nullptr;
    TADOTable* ADOTable1 = nullptr;
    TADOQuery* ADOQuery1 = nullptr;
    TDataSource* DataSource1 = nullptr;

    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Edit1KeyPress(TObject* Sender, char32_t& Key);
    void Edit2KeyPress(TObject* Sender, char32_t& Key);
    void Edit3KeyPress(TObject* Sender, char32_t& Key);
    void DBGrid1CellClick(TColumn* Column);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button3Click(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Tuserform>& d);

protected:
    void BindFields() override;

private:
    // The three fields filled (password and confirmation after trimming); else the message
    // and the focus on the first empty one.
    bool RequiredFilled();
    // Whether tb_user has a row for the name (compared as the database compares names).
    bool UserExists(const std::string& Name);
    void ClearFields();
};

extern Tuserform* userform;
