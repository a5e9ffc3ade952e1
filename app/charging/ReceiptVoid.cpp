#include "app/charging/ReceiptVoid.h"

#include "app/database/MoneySql.h"
#include "platform/db/ADODB.h"
#include "platform/db/DBError.h"

namespace {

#define ROVE_CHARGE_COLUMNS                                                                  \
    "流水号,票据号,病人id,病人姓名,病人性别,病人年龄,医生姓名,医生科室,项目种类,项目类型,"   \
    "项目ID,项目名称,项目规格,数量,进价,销价,单项累计,应收金额,实收金额,应找金额,减免金额,"  \
    "收费类型,收费日期,收费时间,收费员,统计标致,备用"

// The rows are copied one to one; amounts stored with a double's noise go over as the
// amounts they stand for.
const std::string kCopySql =
    "insert into tb_zfsf (" ROVE_CHARGE_COLUMNS ") select "
    "流水号,票据号,病人id,病人姓名,病人性别,病人年龄,医生姓名,医生科室,项目种类,项目类型,项目ID,项目名称,项目规格,数量," +
    AmountSql("进价", 3) + "," + AmountSql("销价", 3) + "," + AmountSql("单项累计", 3) + "," +
    AmountSql("应收金额", 2) + "," + AmountSql("实收金额", 2) + "," + AmountSql("应找金额", 2) + "," +
    AmountSql("减免金额", 2) + ",收费类型,收费日期,收费时间,收费员,统计标致,备用"
    " from tb_sf where 票据号=:pjh order by id";

// The stock comes back from the rows about to move, added up per drug (two lines of one
// drug return both quantities); earlier voided rows of the same number do not count.
const std::string kReturnStockSql =
    "update tb_yp set"
    " 库存数量=round(tb_yp.库存数量+t.数量,2),"
    "进价金额=" + AmountTimesSql("tb_yp.进价", "tb_yp.库存数量+t.数量", 2) + ","
    "销价金额=" + AmountTimesSql("tb_yp.单价", "tb_yp.库存数量+t.数量", 2) +
    " from (select 项目ID as id, sum(数量) as 数量 from tb_sf"
    " where 票据号=:pjh and 项目种类='药品项目' group by 项目ID) as t"
    " where tb_yp.id=t.id";

constexpr const char* kDeleteSql = "delete from tb_sf where 票据号=:pjh";

#undef ROVE_CHARGE_COLUMNS

std::unique_ptr<TADOQuery> Statement(TADOConnection& Connection, const std::string& Sql,
                                     const std::string& ReceiptNo) {
    auto query = std::make_unique<TADOQuery>(nullptr);
    query->SetConnection(&Connection);
    query->SQL()->SetText(Sql);
    query->Parameters()->ParamByName("pjh")->SetValue(Variant(ReceiptNo));
    return query;
}

}  // namespace

TReceiptHead FindReceipt(TADOConnection& Connection, const std::string& ReceiptNo) {
    TADOQuery query(nullptr);
    query.SetConnection(&Connection);
    query.SQL()->SetText("Select * From tb_sf Where 票据号 = :Field1 order by id");
    query.Parameters()->ParamByName("Field1")->SetValue(Variant(ReceiptNo));
    query.Open();
    TReceiptHead head;
    if (query.IsEmpty()) return head;
    head.ReceiptNo = query.FieldByName("票据号")->AsString();
    head.PatientName = query.FieldByName("病人姓名")->AsString();
    head.Found = !head.ReceiptNo.empty();
    return head;
}

TVoidOutcome VoidReceipt(TADOConnection& Connection, const std::string& ReceiptNo,
                         const TRetryPolicy& Policy) {
    TVoidOutcome outcome;
    auto copy = Statement(Connection, kCopySql, ReceiptNo);
    auto stock = Statement(Connection, kReturnStockSql, ReceiptNo);
    auto remove = Statement(Connection, kDeleteSql, ReceiptNo);
    int moved = 0;
    static_cast<TTransactionOutcome&>(outcome) = RunWithRetries(Connection, Policy, [&] {
        moved = copy->ExecSQL();
        stock->ExecSQL();
        const int deleted = remove->ExecSQL();
        if (deleted != moved)
            DatabaseError("票据 " + ReceiptNo + " 的记录在作废时发生变化");
    });
    outcome.Lines = outcome.Committed ? moved : 0;
    return outcome;
}
