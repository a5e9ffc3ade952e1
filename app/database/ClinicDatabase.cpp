// Creating and checking the clinic database file.
#include "app/database/ClinicDatabase.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/db/SqliteDatabase.h"
#include "platform/rtl/Variant.h"

extern const char kClinicSchemaSql[];
extern const std::size_t kClinicSchemaSqlSize;
extern const char kClinicSeedSql[];
extern const std::size_t kClinicSeedSqlSize;

namespace fs = std::filesystem;

namespace {

// The version of the schema a database was made with (PRAGMA user_version):
//   1  the first schema;
//   2  amounts of money declared with their decimals (DOUBLE(18,2), DOUBLE(18,3)).
constexpr int kSchemaVersion = 2;

std::string BaseName(const std::string& fileName) { return fs::path(fileName).filename().string(); }

[[noreturn]] void Damaged(const std::string& text) { throw EClinicDatabaseDamaged(text); }

[[noreturn]] void NotADatabase(const std::string& fileName) {
    Damaged("数据库文件 " + BaseName(fileName) + " 不是有效的数据库。");
}

// The folder of the last backup, from the damaged file's tb_bflj when it still reads.
std::string LastBackupFolder(const std::string& fileName) {
    try {
        TSqliteDatabase db;
        db.Open(fileName, TSqliteDatabase::omReadOnly);
        const Variant v = db.QueryValue("SELECT 备份路径 FROM tb_bflj LIMIT 1");
        return v.IsNull() ? std::string() : v.AsString();
    } catch (const std::exception&) {
        return {};
    }
}

// A backup's name: the stamp mmddhhmm and "bf.mdb".
bool IsBackupName(const std::string& name) {
    if (name.size() != 14 || name.compare(8, 6, "bf.mdb") != 0) return false;
    for (int i = 0; i < 8; ++i)
        if (name[i] < '0' || name[i] > '9') return false;
    return true;
}

// The most recently written backup in the folder, or "".
std::string NewestBackup(const std::string& folder) {
    std::error_code ec;
    fs::path newest;
    fs::file_time_type newestTime{};
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!IsBackupName(it->path().filename().string()) || !it->is_regular_file(ec)) continue;
        const fs::file_time_type t = it->last_write_time(ec);
        if (!ec && (newest.empty() || t > newestTime)) newest = it->path(), newestTime = t;
    }
    return newest.string();
}

struct TTableColumns {
    std::string Table;
    std::vector<std::string> Columns;
};

std::vector<TTableColumns> TablesOf(TSqliteDatabase& db) {
    std::vector<TTableColumns> tables;
    TSqliteStatement stmt = db.Prepare(
        "SELECT m.name, p.name FROM sqlite_master AS m JOIN pragma_table_info(m.name) AS p "
        "WHERE m.type = 'table' AND m.name NOT LIKE 'sqlite_%' ORDER BY m.rowid, p.cid");
    while (stmt.Step()) {
        std::string table(stmt.ColumnText(0));
        if (tables.empty() || tables.back().Table != table) tables.push_back({table, {}});
        tables.back().Columns.emplace_back(stmt.ColumnText(1));
    }
    return tables;
}

// The tables and columns the schema defines, read from the schema itself.
const std::vector<TTableColumns>& ExpectedTables() {
    static const std::vector<TTableColumns> tables = [] {
        TSqliteDatabase db;
        db.Open(":memory:", TSqliteDatabase::omReadWriteCreate);
        db.ExecScript(std::string(ClinicSchemaSql()));
        return TablesOf(db);
    }();
    return tables;
}

// Version 1 declared every amount "DOUBLE"; version 2 gives the same REAL columns their
// decimals. Only the declared type names change, not the storage (the columns keep their
// REAL affinity), so the table definitions are rewritten in place as SQLite allows for
// changes that leave the stored content as it is.
void DeclareMoneyDecimals(TSqliteDatabase& db) {
    std::vector<std::pair<std::string, std::string>> rewritten;
    TSqliteStatement tables = db.Prepare("SELECT name, sql FROM sqlite_master WHERE type = 'table'");
    while (tables.Step()) {
        const std::string table(tables.ColumnText(0));
        std::string sql(tables.ColumnText(1));
        bool changed = false;
        for (const TClinicMoneyColumn& money : ClinicMoneyColumns()) {
            if (money.Table != table) continue;
            const std::string plain = "\"" + std::string(money.Column) + "\" DOUBLE ";
            const size_t at = sql.find(plain);
            if (at == std::string::npos) continue;
            sql.insert(at + plain.size() - 1, "(18," + std::to_string(money.Decimals) + ")");
            changed = true;
        }
        if (changed) rewritten.emplace_back(table, std::move(sql));
    }
    if (rewritten.empty()) return;
    const int64_t version = db.QueryValue("PRAGMA schema_version").AsInt64();
    db.ExecScript("PRAGMA writable_schema = ON;");
    for (const auto& [table, sql] : rewritten) {
        TSqliteStatement update = db.Prepare("UPDATE sqlite_master SET sql = ?1 WHERE type = 'table' AND name = ?2");
        update.BindText(1, sql);
        update.BindText(2, table);
        update.Execute();
    }
    db.ExecScript("PRAGMA schema_version = " + std::to_string(version + 1) + ";");
    db.ExecScript("PRAGMA writable_schema = OFF;");
}

}  // namespace

const std::vector<TClinicMoneyColumn>& ClinicMoneyColumns() {
    static const std::vector<TClinicMoneyColumn> columns = {
        {"tb_yp", "进价", 3},       {"tb_yp", "单价", 3},       {"tb_yp", "进价金额", 3},
        {"tb_yp", "销价金额", 3},   {"tb_temp", "进价", 3},     {"tb_temp", "单价", 3},
        {"tb_temp", "单项累计", 3}, {"tb_sf", "进价", 3},       {"tb_sf", "销价", 3},
        {"tb_sf", "单项累计", 3},   {"tb_sf", "应收金额", 2},   {"tb_sf", "实收金额", 2},
        {"tb_sf", "应找金额", 2},   {"tb_sf", "减免金额", 2},   {"tb_zfsf", "进价", 3},
        {"tb_zfsf", "销价", 3},     {"tb_zfsf", "单项累计", 3}, {"tb_zfsf", "应收金额", 2},
        {"tb_zfsf", "实收金额", 2}, {"tb_zfsf", "应找金额", 2}, {"tb_zfsf", "减免金额", 2},
        {"tb_yprk", "进价", 3},     {"tb_yprk", "单价", 3},     {"tb_yprk", "入库金额", 3},
    };
    return columns;
}

void UpgradeClinicDatabase(const std::string& FileName) {
    TSqliteDatabase db;
    try {
        db.Open(FileName, TSqliteDatabase::omReadWrite);
        if (db.QueryValue("PRAGMA user_version").AsInt64() >= kSchemaVersion) return;
        db.ExecScript("BEGIN IMMEDIATE;");
        try {
            DeclareMoneyDecimals(db);
            db.ExecScript("PRAGMA user_version = " + std::to_string(kSchemaVersion) + ";");
            db.ExecScript("COMMIT;");
        } catch (const EDatabaseError&) {
            db.ExecScript("ROLLBACK;");
            throw;
        }
    } catch (const EDatabaseError& e) {
        DatabaseError("无法更新数据库文件 " + BaseName(FileName) + "：" + e.Message());
    }
}

std::string_view ClinicSchemaSql() { return {kClinicSchemaSql, kClinicSchemaSqlSize}; }

std::string_view ClinicSeedSql() { return {kClinicSeedSql, kClinicSeedSqlSize}; }

std::string ClinicConnectionString(const std::string& FileName) {
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + FileName +
           ";Mode=ReadWrite;Persist Security Info=False;"
           "Jet OLEDB:Database Password=qtvd1987;Jet OLEDB:Engine Type=5";
}

void ValidateClinicDatabase(const std::string& FileName) {
    std::error_code ec;
    // SQLite takes an empty file for an empty database; for the clinic it is a broken one.
    if (!fs::is_regular_file(FileName, ec) || fs::file_size(FileName, ec) == 0 || ec)
        NotADatabase(FileName);
    TSqliteDatabase db;
    try {
        db.Open(FileName, TSqliteDatabase::omReadWrite);
    } catch (const EDatabaseError& e) {
        DatabaseError("无法打开数据库文件 " + BaseName(FileName) + "：" + e.Message());
    }
    std::vector<TTableColumns> actual;
    try {
        actual = TablesOf(db);
    } catch (const EDatabaseError&) {
        NotADatabase(FileName);
    }
    for (const TTableColumns& expected : ExpectedTables()) {
        const TTableColumns* found = nullptr;
        for (const TTableColumns& t : actual)
            if (t.Table == expected.Table) found = &t;
        if (!found)
            Damaged("数据库文件 " + BaseName(FileName) + " 缺少数据表 " + expected.Table + "。");
        for (const std::string& column : expected.Columns) {
            bool present = false;
            for (const std::string& c : found->Columns) present = present || c == column;
            if (!present)
                Damaged("数据库文件 " + BaseName(FileName) + " 的数据表 " + expected.Table + " 缺少字段 " + column + "。");
        }
    }
}

void CreateClinicDatabase(const std::string& FileName) {
    const std::string temp = FileName + ".new-" + std::to_string(::getpid());
    auto fail = [&](const std::string& reason) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        fs::remove(temp + "-journal", ignored);
        DatabaseError("无法创建数据库文件 " + BaseName(FileName) + "：" + reason);
    };
    std::error_code ec;
    fs::remove(temp, ec);
    try {
        TSqliteDatabase db;
        db.Open(temp, TSqliteDatabase::omReadWriteCreate);
        db.ExecScript("PRAGMA user_version = " + std::to_string(kSchemaVersion) + ";");
        db.ExecScript("BEGIN IMMEDIATE;");
        db.ExecScript(std::string(ClinicSchemaSql()));
        db.ExecScript(std::string(ClinicSeedSql()));
        db.ExecScript("COMMIT;");
        db.Close();
    } catch (const EDatabaseError& e) {
        fail(e.Message());
    }
    // A link fails when the name exists, so a file that appeared meanwhile is kept.
    fs::create_hard_link(temp, FileName, ec);
    if (ec) {
        std::error_code exists;
        if (fs::exists(FileName, exists)) fail("文件已存在");
        ec.clear();
        fs::rename(temp, FileName, ec);
        if (ec) fail(ec.message());
        return;
    }
    fs::remove(temp, ec);
}

std::string DamagedDatabaseAdvice(const std::string& FileName) {
    std::error_code ec;
    const fs::path file = fs::absolute(FileName, ec);
    const std::string name = file.filename().string();
    std::string folder = LastBackupFolder(FileName);
    std::string text = "数据备份的文件名是备份时的“月日时分”加 bf.mdb（如 03070905bf.mdb 是 3 月 7 日 9:05 的备份），";
    if (!folder.empty()) {
        text += "上次备份存放在文件夹 " + folder + " 中。";
        if (const std::string newest = NewestBackup(folder); !newest.empty()) text += "其中最近的备份是 " + newest + "。";
    } else {
        text += "存放在做数据备份时选择的文件夹中。";
    }
    text += "\n恢复的办法：先把损坏的 " + name + " 改名留存（如 " + name + ".损坏），再把最近的一个备份文件复制到文件夹 " +
            file.parent_path().string() + " 中并改名为 " + name + "，然后重新启动本程序。";
    return text;
}

TClinicDatabaseState EnsureClinicDatabase(const std::string& Directory) {
    const std::string fileName = (fs::path(Directory) / ClinicDatabaseFileName).string();
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(fileName, ec))) {
        CreateClinicDatabase(fileName);
        return TClinicDatabaseState::Created;
    }
    ValidateClinicDatabase(fileName);
    UpgradeClinicDatabase(fileName);
    return TClinicDatabaseState::Opened;
}
