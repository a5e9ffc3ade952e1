// Tyhcxform: the rights of one user (tb_yhgnb): view them, grant more through the function
// list window, revoke the grid's current one. The grid always belongs to the user it was
// filled for: choosing another user shows that user's rights at once, so a revoke never
// aims at a right the grid does not show.
#pragma once

#include "platform/ui/Forms.h"

#include <string>

class TComboBox;
class TButton;
class TDBGrid;
class TADOQuery;
class TDataSource;

class Tyhcxform : public TForm {
    ROVE_CLASS(Tyhcxform, TForm)
public:
    explicit Tyhcxform(TComponent* AOwner);
    ~Tyhcxform() override;

    TComboBox* ComboBox1 = nullptr;
    TButton* Button1 = nullptr;   // 查看权限
    TButton* Button2 = nullptr;   // 增加权限
    TButton* Button3 = nullptr;   // 取消权限
    TButton* Button4 = nullptr;   // 关闭退出
    TDBGrid* DBGrid1 = nullptr;
    TADOQuery* ADOQuery1 = nullptr;   // the rights listed
    TADOQuery* ADOQuery2 = nullptr;   // checks and the revoke
    TDataSource* DataSource1 = nullptr;

    // The user whose rights the grid shows ("" before the first view).
    const std::string& ListedUser() const { return FListedUser; }

    void FormCreate(TObject* Sender);
    void ComboBox1Change(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button3Click(TObject* Sender);
    void Button4Click(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Tyhcxform>& d);

protected:
    void BindFields() override;

private:
    // The chosen name is filled and names a user; else the message (false).
    bool ChosenUserValid();
    // Fills the grid with the chosen user's rights; Quiet skips the "no rights" message.
    void ListRights(bool Quiet);
    std::string FListedUser;
};

extern Tyhcxform* yhcxform;
