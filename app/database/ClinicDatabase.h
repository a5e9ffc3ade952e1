// The clinic database file: "Rove.mdb" in the working directory, an SQLite database made
// from the schema and initial data built into the program (schema.sql, seed.sql).
//
// At start-up the data module calls EnsureClinicDatabase before its connection opens: a
// missing file is created (so a first start works), an existing one is checked and never
// replaced. What goes wrong is raised as EDatabaseError with a text for the user, after
// which the program ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/db/DBError.h"

inline constexpr const char* ClinicDatabaseFileName = "Rove.mdb";

// A file that is there but is no clinic database: not an SQLite database, or a table or a
// column of the schema missing.
ROVE_DECLARE_EXCEPTION(EClinicDatabaseDamaged, EDatabaseError);

// What the start-up adds when the database is damaged: where the backups are (the folder
// the last backup went to, read from the damaged file when it still can be, and the newest
// backup found there) and how to put one back by hand, since the restore window is reached
// only inside the program.
std::string DamagedDatabaseAdvice(const std::string& FileName);

enum class TClinicDatabaseState { Opened, Created };

// Creates Directory/Rove.mdb when it is missing, else validates it. Texts raised:
//   "数据库文件 Rove.mdb 不是有效的数据库。"       not an SQLite database (also an empty file)
//   "数据库文件 Rove.mdb 缺少数据表 tb_sf。"       a table of the schema is missing
//   "数据库文件 Rove.mdb 的数据表 tb_sf 缺少字段 票据号。"
//   "无法打开数据库文件 Rove.mdb：<reason>"        no access
//   "无法创建数据库文件 Rove.mdb：<reason>"        the new file could not be written
//   "无法更新数据库文件 Rove.mdb：<reason>"        an older file could not be brought up to date
TClinicDatabaseState EnsureClinicDatabase(const std::string& Directory);

// Writes a new clinic database at FileName, which must not exist: the file appears complete
// or not at all (it is built under a temporary name and then linked into place).
void CreateClinicDatabase(const std::string& FileName);

// Checks an existing file as EnsureClinicDatabase does (without changing it); a damaged
// file raises EClinicDatabaseDamaged.
void ValidateClinicDatabase(const std::string& FileName);

// Brings a database made by an older version of the program up to the current schema
// (EnsureClinicDatabase does it at start-up); a current one is left as it is. Raises
// EDatabaseError "无法更新数据库文件 ...：<reason>" and leaves the file unchanged on failure.
void UpgradeClinicDatabase(const std::string& FileName);

// The amounts of money: their table, column and decimals. The schema declares them
// DOUBLE(18,<decimals>), which the data layer reads and writes as exact amounts.
struct TClinicMoneyColumn {
    std::string_view Table;
    std::string_view Column;
    int Decimals;
};
const std::vector<TClinicMoneyColumn>& ClinicMoneyColumns();

// The connection string of the data module's connection for a database file.
std::string ClinicConnectionString(const std::string& FileName = ClinicDatabaseFileName);

std::string_view ClinicSchemaSql();
std::string_view ClinicSeedSql();
