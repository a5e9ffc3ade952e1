// Trkform: books a delivery of an existing drug. The drug is picked by its look-up code;
// the save updates the drug (pack size (规格), unit, prices, batch, stock and stock values,
// low-stock limit, expiry, origin) and appends a stock-in record, both in one transaction
// tried up to ten times. The new stock is computed by the database from the stock it holds
// at the save, so a charge made while the window was open is not undone.
#pragma once

#include "app/charging/Transactions.h"
#include "platform/ui/Forms.h"

#include <string>

class TEdit;
class TComboBox;
class TButton;
class TDateTimePicker;
class TADOQuery;
class TADOTable;
class TFlatButton;

class Trkform : public TForm {
    ROVE_CLASS(Trkform, TForm)
public:
    explicit Trkform(TComponent* AOwner);
    ~Trkform() override;

    TEdit* Edit1 = nullptr;   // 药品名称 (typed as a look-up code)
    TDateTimePicker* DateTimePicker1 = nullptr;   // 入库日期
    TEdit* Edit2 = nullptr;   // 规格
    TComboBox* ComboBox1 = nullptr;   // 单位
    TEdit* Edit3 = nullptr;   // 批号
    TEdit* Edit4 = nullptr;   // 进价
    TEdit* Edit5 = nullptr;   // 销售单价
    TEdit* Edit6 = nullptr;   // 入库数量
    TEdit* Edit7 = nullptr;   // 当前库存 (read-only)
    TEdit* Edit9 = nullptr;   // 库存下限
    TDateTimePicker* DateTimePicker2 = nullptr;   // 失效日期
    TEdit* Edit8 = nullptr;   // 产地
    TButton* Button1 = nullptr;   // 确定
    TButton* Button2 = nullptr;   // 取消
    TFlatButton* FlatButton1 = nullptr;
    TADOQuery* ADOQuery1 = nullptr;
    TADOTable* ADOTable1 = nullptr;   // tb_yprk

    // The attempts and pause of the save (tests shorten the pause).
    static void SetRetryPolicy(const TRetryPolicy& Policy);
    // The drug picked last ("" before the first pick).
    const std::string& PickedId() const { return FItemId; }

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Edit1KeyPress(TObject* Sender, char32_t& Key);
    void Edit3KeyPress(TObject* Sender, char32_t& Key);
    void PriceKeyPress(TObject* Sender, char32_t& Key);
    void QuantityKeyPress(TObject* Sender, char32_t& Key);
    void DateTimePicker2KeyPress(TObject* Sender, char32_t& Key);
    void Edit8KeyPress(TObject* Sender, char32_t& Key);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void FlatButton1Click(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Trkform>& d);

protected:
    void BindFields() override;

private:
    void TakeDrug();
    void ClearFields();
    std::string FItemId;
};

extern Trkform* rkform;
