// Txmzlform: every chargeable item (tb_yp) with the stock value totals and the row count;
// sorting, the new-item, edit and find windows, delete, print and spreadsheet export. The
// grid's current row is the item the edit window changes; the find window replaces the
// list's query.
#pragma once

#include "platform/ui/Forms.h"


class TLabel;
class TButton;
class TRadioButton;
class TDBGrid;
class TADOQuery;
class TDataSource;
class TfrxDBDataset;
class TfrxReport;

class Txmzlform : public TForm {
    ROVE_CLASS(Txmzlform, TForm)
public:
    explicit Txmzlform(TComponent* AOwner);
    ~Txmzlform() override;

    TADOQuery* ADOQuery1 = nullptr;   // totals
    TADOQuery* ADOQuery2 = nullptr;   // the list
    TDataSource* DataSource1 = nullptr;
    TDBGrid* DBGrid1 = nullptr;
    TLabel* Label3 = nullptr;   // 库存进价金额总计
    TLabel* Label5 = nullptr;   // 库存销价金额总计
    TLabel* Label7 = nullptr;   // 项目记录条数
    TButton* Button1 = nullptr;   // 新建
    TButton* Button3 = nullptr;   // 编辑
    TButton* Button4 = nullptr;   // 查找
    TButton* Button5 = nullptr;   // 删除
    TButton* Button6 = nullptr;   // 打印
    TButton* Button7 = nullptr;   // 退出
    TButton* Button2 = nullptr;   // 导出到Excel
    TRadioButton* RadioButton1 = nullptr;   // 按拼音码排序
    TRadioButton* RadioButton2 = nullptr;   // 按项目类型排序
    TRadioButton* RadioButton3 = nullptr;   // 按库存数量排序
    TRadioButton* RadioButton4 = nullptr;   // 按失效日期排序
    TRadioButton* RadioButton5 = nullptr;   // 恢复原始排序
    TfrxDBDataset* frxDBDataset1 = nullptr;   // the list (ADOQuery2)
    TfrxReport* frxReport1 = nullptr;         // "药品库存一览表"

    // Totals, the list in key order and the row count.
    void RefreshItemList();

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void SortMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button3Click(TObject* Sender);
    void Button4Click(TObject* Sender);
    void Button5Click(TObject* Sender);
    void Button6Click(TObject* Sender);
    void Button7Click(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Txmzlform>& d);

protected:
    void BindFields() override;

private:
    void OpenList(const char* Sql);
    void SetControlsEnabled(bool Enabled);
};

extern Txmzlform* xmzlform;
