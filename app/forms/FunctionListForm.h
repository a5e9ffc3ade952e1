// Tgnbform: the functions the rights window's user does not hold yet; choosing one grants
// it (a row of tb_yhgnb), refreshes the rights list and takes the function off this list.
#pragma once

#include "platform/ui/Forms.h"

class TListView;
class TButton;
class TADOTable;
class TADOQuery;

class Tgnbform : public TForm {
    ROVE_CLASS(Tgnbform, TForm)
public:
    explicit Tgnbform(TComponent* AOwner);
    ~Tgnbform() override;

    TListView* ListView1 = nullptr;
    TButton* Button1 = nullptr;   // 确定
    TButton* Button2 = nullptr;   // 退出
    TADOTable* ADOTable1 = nullptr;
    TADOQuery* ADOQuery1 = nullptr;

    void FormShow(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Tgnbform>& d);

protected:
    void BindFields() override;
};

extern Tgnbform* gnbform;
