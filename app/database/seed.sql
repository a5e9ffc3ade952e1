-- The initial data of a new clinic database.

-- The function list: one row per action of the main window; its number is the action's tag.
INSERT INTO "tb_gnb" ("功能号", "功能名") VALUES
    (11, '病人信息'), (12, '医生信息'), (13, '科室信息'), (14, '收费项目'), (15, '项目类型'),
    (16, '单位资料'), (21, '划价收费'), (22, '票据作废'), (31, '日报月报'), (32, '项目消耗'),
    (33, '药品消耗'), (34, '废票查询'), (35, '收费查询'), (36, '进销存一览'), (37, '缺货、有效期'),
    (41, '数据备份'), (42, '数据恢复'), (43, '用户管理'), (44, '权限管理'), (45, '数据整理'),
    (51, '药品入库'), (52, '入库查询'), (61, '调价'), (62, '优惠打折'), (63, '内部记账');

-- The administrator; the password digest is the MD5 of "tulvo".
INSERT INTO "tb_user" ("user", "pass") VALUES ('tulvo', 'fd65b1764a5de19553e54f8cf495c698');

-- The administrator holds every right.
INSERT INTO "tb_yhgnb" ("用户名", "功能号") SELECT 'tulvo', "功能号" FROM "tb_gnb" ORDER BY "功能号";

-- Counters: no patient yet, no backup directory yet.
INSERT INTO "tb_brbh" ("brbh") VALUES (0);
INSERT INTO "tb_bflj" ("备份路径") VALUES ('');

-- Item types: the ten fee categories of the receipt, in receipt order.
INSERT INTO "tb_yplx" ("lx") VALUES
    ('西药费'), ('中成药费'), ('中草药费'), ('诊查费'), ('检查费'),
    ('化验费'), ('注射费'), ('治疗费'), ('手术费'), ('其它费');

-- Common units.
INSERT INTO "tb_ypunit" ("unitname") VALUES
    ('盒'), ('瓶'), ('支'), ('板'), ('片'), ('粒'), ('袋'), ('包'), ('贴'), ('丸'),
    ('克'), ('毫升'), ('个'), ('次'), ('项');
