// Tsjzlform: data clearing (right 45). Empties the charge records (tb_sf with the voided
// receipts of tb_zfsf) and/or the stock-in records (tb_yprk), only after a backup was made
// in this run of the program, and then ends the program. The chosen deletes run in one
// transaction: a failure leaves every record in place and the program running.
#pragma once

#include "platform/ui/Forms.h"

class TMemo;
class TCheckBox;
class TButton;
class TADOQuery;

class Tsjzlform : public TForm {
    ROVE_CLASS(Tsjzlform, TForm)
public:
    explicit Tsjzlform(TComponent* AOwner);
    ~Tsjzlform() override;

    TMemo* Memo1 = nullptr;          // the notice
    TCheckBox* CheckBox1 = nullptr;  // hidden: a backup was made in this run (set by the backup window)
    TCheckBox* CheckBox2 = nullptr;  // 清空收费记录
    TCheckBox* CheckBox3 = nullptr;  // 清空入库记录
    TButton* Button1 = nullptr;      // 确定清空
    TButton* Button2 = nullptr;      // 取消退出
    TADOQuery* ADOQuery1 = nullptr;

    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Tsjzlform>& d);

protected:
    void BindFields() override;

private:
    void Run(const char* Sql);
};

extern Tsjzlform* sjzlform;
