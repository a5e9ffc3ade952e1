#include "app/charging/ChargeSave.h"

#include "app/charging/ReceiptRules.h"
#include "app/database/StockStatements.h"
#include "platform/db/ADODB.h"

namespace {

// One tb_sf row per tb_temp line in entry order; the receipt totals and 统计标致 "1" go
// on the first line only, the others carry 0 and "0".
constexpr const char* kInsertLinesSql =
    "insert into tb_sf (流水号,票据号,病人id,病人姓名,病人性别,病人年龄,医生姓名,医生科室,"
    "项目种类,项目类型,项目ID,项目名称,项目规格,数量,进价,销价,单项累计,"
    "应收金额,实收金额,应找金额,减免金额,收费类型,收费日期,收费时间,收费员,统计标致)"
    " select :lsh,:pjh,:brid,:brxm,:brxb,:brnl,:ysxm,:ysks,"
    "项目种类,项目类型,id,项目名称,规格,数量,进价,单价,单项累计,"
    "case when head.r is null then 0 else :ysje end,"
    "case when head.r is null then 0 else :ssje end,"
    "case when head.r is null then 0 else :yzje end,"
    "case when head.r is null then 0 else :jmje end,"
    ":sflx,:sfrq,:sfsj,:sfy,"
    "case when head.r is null then '0' else '1' end"
    " from tb_temp left join (select min(rowid) as r from tb_temp) as head"
    " on tb_temp.rowid = head.r order by tb_temp.rowid";

void SetParam(TADOQuery& Query, const char* Name, const Variant& Value) {
    Query.Parameters()->ParamByName(Name)->SetValue(Value);
}

}  // namespace

int ChargeLineCount(TADOConnection& Connection) {
    TADOQuery query(nullptr);
    query.SetConnection(&Connection);
    query.SQL()->SetText("select count(*) from tb_temp");
    query.Open();
    return query.Fields()[0]->AsInteger();
}

TChargeSaveOutcome SaveCharge(TADOConnection& Connection, const TChargeReceipt& Receipt,
                              TDateTime Today, const TRetryPolicy& Policy) {
    TChargeSaveOutcome outcome;
    TADOQuery insert(nullptr);
    insert.SetConnection(&Connection);
    insert.SQL()->SetText(kInsertLinesSql);
    TADOQuery stock(nullptr);
    stock.SetConnection(&Connection);
    stock.SQL()->SetText(kChargeStockUpdateSql);
    TADOQuery empty(nullptr);
    empty.SetConnection(&Connection);
    empty.SQL()->SetText("delete from tb_temp");

    const TDateTime today = DateOf(Today);
    static_cast<TTransactionOutcome&>(outcome) = RunWithRetries(Connection, Policy, [&] {
        // The number is the day's next one at the moment of writing: another workstation
        // may have used the drawn one, or midnight may have passed since it was drawn.
        int counter = Receipt.Counter;
        std::string number = Receipt.ReceiptNo;
        TDateTime day = DateOf(Receipt.ChargeDate);
        const int next = NextReceiptCounter(Connection, today);
        const bool renumber = day != today || next != counter;
        if (renumber) {
            counter = next;
            day = today;
            number = FormatReceiptNumber(day, counter);
        }

        SetParam(insert, "lsh", Variant(counter));
        SetParam(insert, "pjh", Variant(number));
        SetParam(insert, "brid", Variant(Receipt.PatientId));
        SetParam(insert, "brxm", Variant(Receipt.PatientName));
        SetParam(insert, "brxb", Variant(Receipt.PatientSex));
        SetParam(insert, "brnl", Variant(Receipt.PatientAge));
        SetParam(insert, "ysxm", Variant(Receipt.Doctor));
        SetParam(insert, "ysks", Variant(Receipt.Department));
        SetParam(insert, "ysje", Variant::FromCurrency(Receipt.Due));
        SetParam(insert, "ssje", Variant::FromCurrency(Receipt.Received));
        SetParam(insert, "yzje", Variant::FromCurrency(Receipt.Change));
        SetParam(insert, "jmje", Variant::FromCurrency(Receipt.Reduction));
        SetParam(insert, "sflx", Variant(Receipt.ChargeType));
        SetParam(insert, "sfrq", Variant(DateTimeToIso(day)));
        SetParam(insert, "sfsj", Variant(Receipt.ChargeTime));
        SetParam(insert, "sfy", Variant(Receipt.Cashier));
        const int lines = insert.ExecSQL();
        stock.ExecSQL();
        empty.ExecSQL();

        outcome.Counter = counter;
        outcome.ReceiptNo = number;
        outcome.ChargeDate = day;
        outcome.Renumbered = renumber;
        outcome.Lines = lines;
    });
    if (!outcome.Committed) {
        outcome.Counter = Receipt.Counter;
        outcome.ReceiptNo = Receipt.ReceiptNo;
        outcome.ChargeDate = Receipt.ChargeDate;
        outcome.Renumbered = false;
        outcome.Lines = 0;
    }
    return outcome;
}
