// The statements of the charge save and the void that change drug stock, in the form this
// database runs them. The Windows engine's two-table "update tb_yp, tb_temp set ..." has no
// SQLite form; UPDATE ... FROM joins one arbitrary line per drug, so two lines of the same
// drug on one receipt would move the stock by one line only (10 - 2 - 3 would leave 7).
// These statements add up the lines per drug first. Every SET expression sees the stock
// before the statement, so the values are recomputed from the new stock, all three rounded
// to 2 decimals by the database's round().
#pragma once

#include <string>

#include "app/database/MoneySql.h"

// The day's receipt counter: the largest 流水号 of today among charged and voided lines
// (NULL on a day without any); both parameters are today's date.
inline constexpr const char* kReceiptCounterSql =
    "select max(流水号) from (Select 流水号 From tb_sf where 收费日期=:date1 "
    "Union Select 流水号 From tb_zfsf where 收费日期=:date2) ";

// Charge save: lowers the stock of every drug line in tb_temp. The stock values are the
// prices times the new stock, exact to the fen (MoneySql.h).
inline const std::string kChargeStockUpdateSql =
    "update tb_yp set"
    " 库存数量=round(tb_yp.库存数量-t.数量,2),"
    "进价金额=" + AmountTimesSql("tb_yp.进价", "tb_yp.库存数量-t.数量", 2) + ","
    "销价金额=" + AmountTimesSql("tb_yp.单价", "tb_yp.库存数量-t.数量", 2) +
    " from (select id, sum(数量) as 数量 from tb_temp where 项目种类='药品项目' group by id) as t"
    " where tb_yp.id=t.id";

// Void: raises the stock by the drug lines of receipt :str1 in tb_zfsf.
inline const std::string kVoidStockUpdateSql =
    "update tb_yp set"
    " 库存数量=round(tb_yp.库存数量+t.数量,2),"
    "进价金额=" + AmountTimesSql("tb_yp.进价", "tb_yp.库存数量+t.数量", 2) + ","
    "销价金额=" + AmountTimesSql("tb_yp.单价", "tb_yp.库存数量+t.数量", 2) +
    " from (select 项目id as id, sum(数量) as 数量 from tb_zfsf"
    " where 票据号=:str1 and 项目种类='药品项目' group by 项目id) as t"
    " where tb_yp.id=t.id";
