-- The clinic database: every table and column as the clinic windows read and write them.
-- Dates are ISO text ("2024-03-07", or "2024-03-07 08:30:00" with a time); text columns
-- compare ignoring ASCII case; numeric and date columns refuse text that is no number or
-- date, so a bad value fails the statement instead of being stored.
-- Amounts of money are DOUBLE(18,3) (prices, line totals, stock values, stock-in amounts)
-- or DOUBLE(18,2) (the receipt totals): REAL in the file, read and written by the program as
-- exact decimals of that many places (the data layer's ftBCD fields).
-- A column of the form "x" INTEGER PRIMARY KEY AUTOINCREMENT is a number the database assigns.

-- Chargeable items: drugs (with stock, batch and expiry) and examinations or services.
CREATE TABLE "tb_yp" (
    "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
    "项目种类" TEXT(10) COLLATE NOCASE,
    "项目类型" TEXT(20) COLLATE NOCASE,
    "项目名称" TEXT(30) COLLATE NOCASE,
    "拼音码" TEXT(25) COLLATE NOCASE,
    "规格" TEXT(15) COLLATE NOCASE,
    "单位" TEXT(8) COLLATE NOCASE,
    "进价" DOUBLE(18,3) CONSTRAINT "tb_yp.进价 必须是数字" CHECK (typeof("进价") IN ('real', 'integer', 'null')),
    "单价" DOUBLE(18,3) CONSTRAINT "tb_yp.单价 必须是数字" CHECK (typeof("单价") IN ('real', 'integer', 'null')),
    "库存数量" DOUBLE CONSTRAINT "tb_yp.库存数量 必须是数字" CHECK (typeof("库存数量") IN ('real', 'integer', 'null')),
    "进价金额" DOUBLE(18,3) CONSTRAINT "tb_yp.进价金额 必须是数字" CHECK (typeof("进价金额") IN ('real', 'integer', 'null')),
    "销价金额" DOUBLE(18,3) CONSTRAINT "tb_yp.销价金额 必须是数字" CHECK (typeof("销价金额") IN ('real', 'integer', 'null')),
    "批号" TEXT(20) COLLATE NOCASE,
    "失效日期" DATE CONSTRAINT "tb_yp.失效日期 必须是日期" CHECK ("失效日期" IS NULL OR (typeof("失效日期") = 'text' AND coalesce(date("失效日期", '+0 days') = substr("失效日期", 1, 10), 0) AND (length("失效日期") = 10 OR datetime("失效日期") IS NOT NULL))),
    "库存下限" DOUBLE CONSTRAINT "tb_yp.库存下限 必须是数字" CHECK (typeof("库存下限") IN ('real', 'integer', 'null')),
    "药品产地" TEXT(30) COLLATE NOCASE
);

-- Lines of the receipt being entered; emptied after each save.
CREATE TABLE "tb_temp" (
    "id" INT CONSTRAINT "tb_temp.id 必须是整数" CHECK (typeof("id") IN ('integer', 'null')),
    "项目种类" TEXT(10) COLLATE NOCASE,
    "项目类型" TEXT(20) COLLATE NOCASE,
    "项目名称" TEXT(30) COLLATE NOCASE,
    "规格" TEXT(15) COLLATE NOCASE,
    "单位" TEXT(8) COLLATE NOCASE,
    "进价" DOUBLE(18,3) CONSTRAINT "tb_temp.进价 必须是数字" CHECK (typeof("进价") IN ('real', 'integer', 'null')),
    "单价" DOUBLE(18,3) CONSTRAINT "tb_temp.单价 必须是数字" CHECK (typeof("单价") IN ('real', 'integer', 'null')),
    "数量" DOUBLE CONSTRAINT "tb_temp.数量 必须是数字" CHECK (typeof("数量") IN ('real', 'integer', 'null')),
    "单项累计" DOUBLE(18,3) CONSTRAINT "tb_temp.单项累计 必须是数字" CHECK (typeof("单项累计") IN ('real', 'integer', 'null'))
);

-- Charge lines: one row per receipt line, grouped by 票据号; totals on the first row only.
CREATE TABLE "tb_sf" (
    "id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "流水号" INT CONSTRAINT "tb_sf.流水号 必须是整数" CHECK (typeof("流水号") IN ('integer', 'null')),
    "票据号" TEXT(10) COLLATE NOCASE,
    "病人id" INT CONSTRAINT "tb_sf.病人id 必须是整数" CHECK (typeof("病人id") IN ('integer', 'null')),
    "病人姓名" TEXT(8) COLLATE NOCASE,
    "病人性别" TEXT(4) COLLATE NOCASE,
    "病人年龄" TEXT(10) COLLATE NOCASE,
    "医生姓名" TEXT(8) COLLATE NOCASE,
    "医生科室" TEXT(15) COLLATE NOCASE,
    "项目种类" TEXT(10) COLLATE NOCASE,
    "项目类型" TEXT(20) COLLATE NOCASE,
    "项目ID" INT CONSTRAINT "tb_sf.项目ID 必须是整数" CHECK (typeof("项目ID") IN ('integer', 'null')),
    "项目名称" TEXT(30) COLLATE NOCASE,
    "项目规格" TEXT(15) COLLATE NOCASE,
    "数量" DOUBLE CONSTRAINT "tb_sf.数量 必须是数字" CHECK (typeof("数量") IN ('real', 'integer', 'null')),
    "进价" DOUBLE(18,3) CONSTRAINT "tb_sf.进价 必须是数字" CHECK (typeof("进价") IN ('real', 'integer', 'null')),
    "销价" DOUBLE(18,3) CONSTRAINT "tb_sf.销价 必须是数字" CHECK (typeof("销价") IN ('real', 'integer', 'null')),
    "单项累计" DOUBLE(18,3) CONSTRAINT "tb_sf.单项累计 必须是数字" CHECK (typeof("单项累计") IN ('real', 'integer', 'null')),
    "应收金额" DOUBLE(18,2) CONSTRAINT "tb_sf.应收金额 必须是数字" CHECK (typeof("应收金额") IN ('real', 'integer', 'null')),
    "实收金额" DOUBLE(18,2) CONSTRAINT "tb_sf.实收金额 必须是数字" CHECK (typeof("实收金额") IN ('real', 'integer', 'null')),
    "应找金额" DOUBLE(18,2) CONSTRAINT "tb_sf.应找金额 必须是数字" CHECK (typeof("应找金额") IN ('real', 'integer', 'null')),
    "减免金额" DOUBLE(18,2) CONSTRAINT "tb_sf.减免金额 必须是数字" CHECK (typeof("减免金额") IN ('real', 'integer', 'null')),
    "收费类型" TEXT(10) COLLATE NOCASE,
    "收费日期" DATE CONSTRAINT "tb_sf.收费日期 必须是日期" CHECK ("收费日期" IS NULL OR (typeof("收费日期") = 'text' AND coalesce(date("收费日期", '+0 days') = substr("收费日期", 1, 10), 0) AND (length("收费日期") = 10 OR datetime("收费日期") IS NOT NULL))),
    "收费时间" TEXT(8) COLLATE NOCASE,
    "收费员" TEXT(10) COLLATE NOCASE,
    "统计标致" TEXT(1) COLLATE NOCASE,
    "备用" TEXT(50) COLLATE NOCASE
);

-- Voided charge lines, copied one to one from tb_sf; they keep their day for the receipt counter.
CREATE TABLE "tb_zfsf" (
    "id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "流水号" INT CONSTRAINT "tb_zfsf.流水号 必须是整数" CHECK (typeof("流水号") IN ('integer', 'null')),
    "票据号" TEXT(10) COLLATE NOCASE,
    "病人id" INT CONSTRAINT "tb_zfsf.病人id 必须是整数" CHECK (typeof("病人id") IN ('integer', 'null')),
    "病人姓名" TEXT(8) COLLATE NOCASE,
    "病人性别" TEXT(4) COLLATE NOCASE,
    "病人年龄" TEXT(10) COLLATE NOCASE,
    "医生姓名" TEXT(8) COLLATE NOCASE,
    "医生科室" TEXT(15) COLLATE NOCASE,
    "项目种类" TEXT(10) COLLATE NOCASE,
    "项目类型" TEXT(20) COLLATE NOCASE,
    "项目ID" INT CONSTRAINT "tb_zfsf.项目ID 必须是整数" CHECK (typeof("项目ID") IN ('integer', 'null')),
    "项目名称" TEXT(30) COLLATE NOCASE,
    "项目规格" TEXT(15) COLLATE NOCASE,
    "数量" DOUBLE CONSTRAINT "tb_zfsf.数量 必须是数字" CHECK (typeof("数量") IN ('real', 'integer', 'null')),
    "进价" DOUBLE(18,3) CONSTRAINT "tb_zfsf.进价 必须是数字" CHECK (typeof("进价") IN ('real', 'integer', 'null')),
    "销价" DOUBLE(18,3) CONSTRAINT "tb_zfsf.销价 必须是数字" CHECK (typeof("销价") IN ('real', 'integer', 'null')),
    "单项累计" DOUBLE(18,3) CONSTRAINT "tb_zfsf.单项累计 必须是数字" CHECK (typeof("单项累计") IN ('real', 'integer', 'null')),
    "应收金额" DOUBLE(18,2) CONSTRAINT "tb_zfsf.应收金额 必须是数字" CHECK (typeof("应收金额") IN ('real', 'integer', 'null')),
    "实收金额" DOUBLE(18,2) CONSTRAINT "tb_zfsf.实收金额 必须是数字" CHECK (typeof("实收金额") IN ('real', 'integer', 'null')),
    "应找金额" DOUBLE(18,2) CONSTRAINT "tb_zfsf.应找金额 必须是数字" CHECK (typeof("应找金额") IN ('real', 'integer', 'null')),
    "减免金额" DOUBLE(18,2) CONSTRAINT "tb_zfsf.减免金额 必须是数字" CHECK (typeof("减免金额") IN ('real', 'integer', 'null')),
    "收费类型" TEXT(10) COLLATE NOCASE,
    "收费日期" DATE CONSTRAINT "tb_zfsf.收费日期 必须是日期" CHECK ("收费日期" IS NULL OR (typeof("收费日期") = 'text' AND coalesce(date("收费日期", '+0 days') = substr("收费日期", 1, 10), 0) AND (length("收费日期") = 10 OR datetime("收费日期") IS NOT NULL))),
    "收费时间" TEXT(8) COLLATE NOCASE,
    "收费员" TEXT(10) COLLATE NOCASE,
    "统计标致" TEXT(1) COLLATE NOCASE,
    "备用" TEXT(50) COLLATE NOCASE
);

-- Patients; id is drawn from tb_brbh, so two patients never share one.
CREATE TABLE "tb_brzl" (
    "id" INT PRIMARY KEY CONSTRAINT "tb_brzl.id 必须是整数" CHECK (typeof("id") IN ('integer', 'null')),
    "姓名" TEXT(20) COLLATE NOCASE,
    "拼音码" TEXT(25) COLLATE NOCASE,
    "年龄" TEXT(10) COLLATE NOCASE,
    "电话" TEXT(20) COLLATE NOCASE,
    "地址" TEXT(50) COLLATE NOCASE,
    "性别" TEXT(4) COLLATE NOCASE
);

-- The last patient number (one row).
CREATE TABLE "tb_brbh" (
    "brbh" INT CONSTRAINT "tb_brbh.brbh 必须是整数" CHECK (typeof("brbh") IN ('integer', 'null'))
);

-- Doctors.
CREATE TABLE "tb_doctor" (
    "姓名" TEXT(8) COLLATE NOCASE,
    "拼音码" TEXT(25) COLLATE NOCASE,
    "性别" TEXT(4) COLLATE NOCASE,
    "科室" TEXT(15) COLLATE NOCASE
);

-- Departments; the name is the second column.
CREATE TABLE "tb_ks" (
    "id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "科室名称" TEXT(15) COLLATE NOCASE
);

-- Item types, which are also the fee categories of the receipt; the name is the second column.
CREATE TABLE "tb_yplx" (
    "id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "lx" TEXT(20) COLLATE NOCASE
);

-- Units; the name is the second column.
CREATE TABLE "tb_ypunit" (
    "id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "unitname" TEXT(8) COLLATE NOCASE
);

-- Stock-in records; a reversal is a row with a negative quantity.
CREATE TABLE "tb_yprk" (
    "入库日期" DATE CONSTRAINT "tb_yprk.入库日期 必须是日期" CHECK ("入库日期" IS NULL OR (typeof("入库日期") = 'text' AND coalesce(date("入库日期", '+0 days') = substr("入库日期", 1, 10), 0) AND (length("入库日期") = 10 OR datetime("入库日期") IS NOT NULL))),
    "药品名称" TEXT(30) COLLATE NOCASE,
    "规格" TEXT(15) COLLATE NOCASE,
    "单位" TEXT(8) COLLATE NOCASE,
    "批号" TEXT(20) COLLATE NOCASE,
    "进价" DOUBLE(18,3) CONSTRAINT "tb_yprk.进价 必须是数字" CHECK (typeof("进价") IN ('real', 'integer', 'null')),
    "单价" DOUBLE(18,3) CONSTRAINT "tb_yprk.单价 必须是数字" CHECK (typeof("单价") IN ('real', 'integer', 'null')),
    "入库数量" DOUBLE CONSTRAINT "tb_yprk.入库数量 必须是数字" CHECK (typeof("入库数量") IN ('real', 'integer', 'null')),
    "入库金额" DOUBLE(18,3) CONSTRAINT "tb_yprk.入库金额 必须是数字" CHECK (typeof("入库金额") IN ('real', 'integer', 'null')),
    "产地" TEXT(30) COLLATE NOCASE,
    "药品ID" INT CONSTRAINT "tb_yprk.药品ID 必须是整数" CHECK (typeof("药品ID") IN ('integer', 'null')),
    "操作员" TEXT(10) COLLATE NOCASE
);

-- Users; the user name is the second column, pass the MD5 digest of the password.
CREATE TABLE "tb_user" (
    "id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "user" TEXT(10) COLLATE NOCASE,
    "pass" TEXT(32) COLLATE NOCASE
);

-- The function list: one row per action of the main window, numbered by its tag.
CREATE TABLE "tb_gnb" (
    "功能号" INT PRIMARY KEY CONSTRAINT "tb_gnb.功能号 必须是整数" CHECK (typeof("功能号") IN ('integer', 'null')),
    "功能名" TEXT(20) COLLATE NOCASE
);

-- User rights: one row per function a user holds.
CREATE TABLE "tb_yhgnb" (
    "用户名" TEXT(10) COLLATE NOCASE,
    "功能号" INT CONSTRAINT "tb_yhgnb.功能号 必须是整数" CHECK (typeof("功能号") IN ('integer', 'null'))
);

-- The last backup directory (one row).
CREATE TABLE "tb_bflj" (
    "备份路径" TEXT(255) COLLATE NOCASE
);

-- What the windows search and sort by.
CREATE INDEX "tb_yp_拼音码" ON "tb_yp" ("拼音码");
CREATE INDEX "tb_yp_项目名称" ON "tb_yp" ("项目名称", "规格");
CREATE INDEX "tb_sf_票据号" ON "tb_sf" ("票据号");
CREATE INDEX "tb_sf_收费日期" ON "tb_sf" ("收费日期", "流水号");
CREATE INDEX "tb_zfsf_票据号" ON "tb_zfsf" ("票据号");
CREATE INDEX "tb_zfsf_收费日期" ON "tb_zfsf" ("收费日期", "流水号");
CREATE INDEX "tb_brzl_拼音码" ON "tb_brzl" ("拼音码");
CREATE INDEX "tb_brzl_姓名" ON "tb_brzl" ("姓名");
CREATE INDEX "tb_doctor_拼音码" ON "tb_doctor" ("拼音码");
CREATE INDEX "tb_yprk_入库日期" ON "tb_yprk" ("入库日期");
CREATE INDEX "tb_user_user" ON "tb_user" ("user");
CREATE INDEX "tb_yhgnb_用户名" ON "tb_yhgnb" ("用户名", "功能号");
