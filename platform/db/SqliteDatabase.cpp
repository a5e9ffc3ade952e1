// The SQLite seam: handles, statements and their errors.
#include "platform/db/SqliteDatabase.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/db/JetFunctions.h"
#include "platform/rtl/DateTime.h"

void DatabaseError(std::string message) { throw EDatabaseError(std::move(message)); }

void DatabaseErrorFmt(std::string_view what, std::string_view detail) {
    std::string text(what);
    text += ": ";
    text += detail;
    throw EDatabaseError(std::move(text));
}

// --- TSqliteStatement ------------------------------------------------------------------

TSqliteStatement::TSqliteStatement(TSqliteStatement&& other) noexcept
    : FDb(other.FDb), FStmt(other.FStmt) {
    other.FStmt = nullptr;
}

TSqliteStatement& TSqliteStatement::operator=(TSqliteStatement&& other) noexcept {
    if (this != &other) {
        if (FStmt) sqlite3_finalize(FStmt);
        FDb = other.FDb;
        FStmt = other.FStmt;
        other.FStmt = nullptr;
    }
    return *this;
}

TSqliteStatement::~TSqliteStatement() {
    if (FStmt) sqlite3_finalize(FStmt);
}

void TSqliteStatement::Fail() const { DatabaseError(sqlite3_errmsg(FDb)); }

std::string TSqliteStatement::Sql() const {
    const char* s = FStmt ? sqlite3_sql(FStmt) : nullptr;
    return s ? s : "";
}

bool TSqliteStatement::ReadOnly() const { return sqlite3_stmt_readonly(FStmt) != 0; }

int TSqliteStatement::ParameterCount() const { return sqlite3_bind_parameter_count(FStmt); }

void TSqliteStatement::BindNull(int index) {
    if (sqlite3_bind_null(FStmt, index) != SQLITE_OK) Fail();
}

void TSqliteStatement::BindInt64(int index, int64_t value) {
    if (sqlite3_bind_int64(FStmt, index, value) != SQLITE_OK) Fail();
}

void TSqliteStatement::BindDouble(int index, double value) {
    if (sqlite3_bind_double(FStmt, index, value) != SQLITE_OK) Fail();
}

void TSqliteStatement::BindText(int index, std::string_view value) {
    if (sqlite3_bind_text64(FStmt, index, value.data(), value.size(), SQLITE_TRANSIENT,
                            SQLITE_UTF8) != SQLITE_OK)
        Fail();
}

void TSqliteStatement::BindBlob(int index, std::string_view bytes) {
    if (sqlite3_bind_blob64(FStmt, index, bytes.data(), bytes.size(), SQLITE_TRANSIENT) !=
        SQLITE_OK)
        Fail();
}

void TSqliteStatement::BindVariant(int index, const Variant& value) {
    switch (value.Kind()) {
    case varEmpty:
    case varNull:
        BindNull(index);
        return;
    case varBoolean:
        BindInt64(index, value.BoolValue() ? 1 : 0);
        return;
    case varSingle:
    case varDouble:
    case varCurrency:
        BindDouble(index, value.AsDouble());
        return;
    case varDate:
        BindText(index, DateTimeToIso(value.AsDateTime()));
        return;
    case varString:
        BindText(index, value.StrValue());
        return;
    default:
        break;
    }
    if (value.IsInteger()) {
        BindInt64(index, value.AsInt64());
        return;
    }
    DatabaseError("Parameter value of type " + VarTypeAsText(value.Type()) +
                  " cannot be passed to the database");
}

void TSqliteStatement::ClearBindings() { sqlite3_clear_bindings(FStmt); }

bool TSqliteStatement::Step() {
    int rc = sqlite3_step(FStmt);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    // The statement's own error text; reset so the handle can be reused.
    std::string text = sqlite3_errmsg(FDb);
    sqlite3_reset(FStmt);
    DatabaseError(std::move(text));
}

void TSqliteStatement::Execute() {
    while (Step()) {
    }
}

void TSqliteStatement::Reset() { sqlite3_reset(FStmt); }

int TSqliteStatement::ColumnCount() const { return sqlite3_column_count(FStmt); }

std::string TSqliteStatement::ColumnName(int column) const {
    const char* s = sqlite3_column_name(FStmt, column);
    return s ? s : "";
}

std::string TSqliteStatement::ColumnDeclType(int column) const {
    const char* s = sqlite3_column_decltype(FStmt, column);
    return s ? s : "";
}

std::string TSqliteStatement::ColumnTableName(int column) const {
    const char* s = sqlite3_column_table_name(FStmt, column);
    return s ? s : "";
}

std::string TSqliteStatement::ColumnOriginName(int column) const {
    const char* s = sqlite3_column_origin_name(FStmt, column);
    return s ? s : "";
}

TSqlStorage TSqliteStatement::ColumnStorage(int column) const {
    switch (sqlite3_column_type(FStmt, column)) {
    case SQLITE_INTEGER: return TSqlStorage::Integer;
    case SQLITE_FLOAT: return TSqlStorage::Real;
    case SQLITE_TEXT: return TSqlStorage::Text;
    case SQLITE_BLOB: return TSqlStorage::Blob;
    default: return TSqlStorage::Null;
    }
}

int64_t TSqliteStatement::ColumnInt64(int column) const {
    return sqlite3_column_int64(FStmt, column);
}

double TSqliteStatement::ColumnDouble(int column) const {
    return sqlite3_column_double(FStmt, column);
}

std::string_view TSqliteStatement::ColumnText(int column) const {
    const unsigned char* p = sqlite3_column_text(FStmt, column);
    int n = sqlite3_column_bytes(FStmt, column);
    return p ? std::string_view(reinterpret_cast<const char*>(p), static_cast<size_t>(n))
             : std::string_view();
}

std::string_view TSqliteStatement::ColumnBlob(int column) const {
    const void* p = sqlite3_column_blob(FStmt, column);
    int n = sqlite3_column_bytes(FStmt, column);
    return p ? std::string_view(static_cast<const char*>(p), static_cast<size_t>(n))
             : std::string_view();
}

// The column's value object is read directly: one look-up of the column instead of one
// per question. The statement is used by one thread only.
TSqliteStatement::TColumn TSqliteStatement::Column(int column) const {
    sqlite3_value* value = sqlite3_column_value(FStmt, column);
    TColumn c;
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        c.Storage = TSqlStorage::Integer;
        c.Int = sqlite3_value_int64(value);
        break;
    case SQLITE_FLOAT:
        c.Storage = TSqlStorage::Real;
        c.Real = sqlite3_value_double(value);
        break;
    case SQLITE_TEXT: {
        c.Storage = TSqlStorage::Text;
        const unsigned char* p = sqlite3_value_text(value);
        const int n = sqlite3_value_bytes(value);
        if (p) c.Bytes = std::string_view(reinterpret_cast<const char*>(p), static_cast<size_t>(n));
        break;
    }
    case SQLITE_BLOB: {
        c.Storage = TSqlStorage::Blob;
        const void* p = sqlite3_value_blob(value);
        const int n = sqlite3_value_bytes(value);
        if (p) c.Bytes = std::string_view(static_cast<const char*>(p), static_cast<size_t>(n));
        break;
    }
    default: break;
    }
    return c;
}

Variant TSqliteStatement::ColumnValue(int column) const {
    switch (ColumnStorage(column)) {
    case TSqlStorage::Null: return Variant::Null();
    case TSqlStorage::Integer: return Variant::FromInt(ColumnInt64(column));
    case TSqlStorage::Real: return Variant(ColumnDouble(column));
    case TSqlStorage::Text: return Variant(ColumnText(column));
    case TSqlStorage::Blob: return Variant(ColumnBlob(column));
    }
    return Variant::Null();
}

// --- TSqliteDatabase -------------------------------------------------------------------

TSqliteDatabase::~TSqliteDatabase() { Close(); }

void TSqliteDatabase::Open(const std::string& fileName, TOpenMode mode) {
    Close();
    // The program uses a connection from one thread only: SQLite's own lock per call
    // (taken by every step and every column read) is left out.
    int flags = SQLITE_OPEN_NOMUTEX;
    switch (mode) {
    case omReadOnly: flags |= SQLITE_OPEN_READONLY; break;
    case omReadWrite: flags |= SQLITE_OPEN_READWRITE; break;
    case omReadWriteCreate: flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE; break;
    }
    // A database file made here is its owner's alone (mode 0600): the clinic's hold
    // patients' records. SQLite gives its journal the mode of the database file.
    if (mode == omReadWriteCreate && !fileName.empty() && fileName != ":memory:" && fileName.rfind("file:", 0) != 0) {
        const int fd = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
        if (fd >= 0) ::close(fd);
    }
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(fileName.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string text = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close(db);
        DatabaseErrorFmt(fileName, text);
    }
    sqlite3_extended_result_codes(db, 1);
    FDb = db;
    FFileName = fileName;
    SetBusyTimeout(FBusyTimeout);
    try {
        RegisterJetFunctions(FDb);
    } catch (...) {
        Close();
        throw;
    }
}

void TSqliteDatabase::Close() {
    if (!FDb) return;
    sqlite3_close_v2(FDb);
    FDb = nullptr;
    FFileName.clear();
}

TSqliteStatement TSqliteDatabase::Prepare(std::string_view sql) {
    if (!FDb) DatabaseError("The database is not open");
    StartStatementWait();
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(FDb, sql.data(), static_cast<int>(sql.size()), &stmt, &tail);
    if (rc != SQLITE_OK) DatabaseError(sqlite3_errmsg(FDb));
    if (!stmt) DatabaseError("The command text holds no statement");
    TSqliteStatement result(FDb, stmt);
    // A second statement after the first would be silently ignored; refuse it instead
    // (what is left may be blanks, semicolons and comments only).
    const char* end = sql.data() + sql.size();
    while (tail && tail < end) {
        sqlite3_stmt* next = nullptr;
        const char* rest = nullptr;
        rc = sqlite3_prepare_v2(FDb, tail, static_cast<int>(end - tail), &next, &rest);
        if (next) sqlite3_finalize(next);
        if (next || rc != SQLITE_OK) DatabaseError("The command text holds more than one statement");
        if (rest == tail) break;
        tail = rest;
    }
    return result;
}

void TSqliteDatabase::ExecScript(const std::string& sql) {
    if (!FDb) DatabaseError("The database is not open");
    StartStatementWait();
    char* error = nullptr;
    if (sqlite3_exec(FDb, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string text = error ? error : sqlite3_errmsg(FDb);
        sqlite3_free(error);
        DatabaseError(std::move(text));
    }
}

Variant TSqliteDatabase::QueryValue(std::string_view sql) {
    TSqliteStatement stmt = Prepare(sql);
    if (!stmt.Step() || stmt.ColumnCount() == 0) return Variant::Null();
    return stmt.ColumnValue(0);
}

namespace {

constexpr int kCopyLockWait = 5000;   // milliseconds

// Copies every page of source into destination; raises with the destination's error text.
void CopyDatabase(sqlite3* destination, sqlite3* source) {
    sqlite3_backup* backup = sqlite3_backup_init(destination, "main", source, "main");
    if (!backup) DatabaseError(sqlite3_errmsg(destination));
    // A lock held elsewhere (another program writing, or the source being the destination's
    // own file) is waited for a while, then fails as "database is locked" instead of hanging.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kCopyLockWait);
    int rc;
    do {
        rc = sqlite3_backup_step(backup, -1);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
            if (std::chrono::steady_clock::now() >= deadline) break;
            sqlite3_sleep(20);
        }
    } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) DatabaseError(sqlite3_errstr(rc));
}

}  // namespace

void TSqliteDatabase::BackupTo(const std::string& FileName) {
    if (!FDb) DatabaseError("The database is not open");
    const std::string temp = FileName + ".new-" + std::to_string(::getpid());
    std::remove(temp.c_str());
    TSqliteDatabase target;
    try {
        target.Open(temp, omReadWriteCreate);
        CopyDatabase(target.FDb, FDb);
        target.Close();
    } catch (const EDatabaseError&) {
        target.Close();
        std::remove(temp.c_str());
        throw;
    }
    if (std::rename(temp.c_str(), FileName.c_str()) != 0) {
        std::remove(temp.c_str());
        DatabaseErrorFmt(FileName, "the backup file cannot be written");
    }
}

void TSqliteDatabase::RestoreFrom(const std::string& FileName) {
    if (!FDb) DatabaseError("The database is not open");
    if (InTransaction()) DatabaseError("A transaction is active");
    TSqliteDatabase source;
    source.Open(FileName, omReadOnly);
    Variant check;
    try {
        check = source.QueryValue("PRAGMA quick_check");
    } catch (const EDatabaseError& e) {
        DatabaseErrorFmt(FileName, e.Message());
    }
    if (!check.IsString() || check.StrValue() != "ok")
        DatabaseErrorFmt(FileName, check.IsString() ? check.StrValue() : "damaged database");
    CopyDatabase(FDb, source.FDb);
}

bool TSqliteDatabase::ColumnIsAutoIncrement(const std::string& table,
                                             const std::string& column) const {
    if (!FDb || table.empty() || column.empty()) return false;
    int notNull = 0, primaryKey = 0, autoInc = 0;
    if (sqlite3_table_column_metadata(FDb, nullptr, table.c_str(), column.c_str(), nullptr,
                                      nullptr, &notNull, &primaryKey, &autoInc) != SQLITE_OK)
        return false;
    return autoInc != 0;
}

void TSqliteDatabase::SetBusyTimeout(int milliseconds) {
    FBusyTimeout = std::max(0, milliseconds);
    if (FDb) sqlite3_busy_handler(FDb, FBusyTimeout > 0 ? &TSqliteDatabase::BusyHandler : nullptr, this);
}

// SQLite asks again and again while the lock is held elsewhere, and anew for each lock a
// statement needs (its preparation reads the schema, its step the data): the time counts
// from the statement's first question.
int TSqliteDatabase::BusyHandler(void* Self, int) {
    auto* db = static_cast<TSqliteDatabase*>(Self);
    const auto now = std::chrono::steady_clock::now();
    if (!db->FWaitStarted) {
        db->FWaitStarted = true;
        db->FBusyStart = now;
    }
    const int waited =
        static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(now - db->FBusyStart).count());
    if (waited >= db->FBusyTimeout) return 0;
    if (db->OnBusyWait) {
        try {
            db->OnBusyWait(waited);
        } catch (...) {
            return 0;
        }
    }
    sqlite3_sleep(std::min(20, db->FBusyTimeout - waited));
    return 1;
}

bool TSqliteDatabase::ReadOnly() const { return FDb && sqlite3_db_readonly(FDb, "main") == 1; }

int64_t TSqliteDatabase::LastInsertRowid() const { return sqlite3_last_insert_rowid(FDb); }

int TSqliteDatabase::Changes() const { return sqlite3_changes(FDb); }

TSqliteDatabase::TDataStamp TSqliteDatabase::DataStamp() const {
    TDataStamp stamp;
    if (!FDb) return stamp;
    stamp.Own = sqlite3_total_changes64(FDb);
    // Asked without waiting: under another program's lock the version cannot be read, and
    // the statement that follows waits for the lock itself (its wait would start over here).
    // Unknown (-1) then.
    sqlite3_busy_handler(FDb, nullptr, nullptr);
    sqlite3_stmt* stmt = nullptr;
    stamp.Others = -1;
    if (sqlite3_prepare_v2(FDb, "PRAGMA data_version", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        stamp.Others = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    if (FBusyTimeout > 0)
        sqlite3_busy_handler(FDb, &TSqliteDatabase::BusyHandler, const_cast<TSqliteDatabase*>(this));
    return stamp;
}

bool TSqliteDatabase::InTransaction() const { return FDb && !sqlite3_get_autocommit(FDb); }

std::string TSqliteDatabase::ErrorText() const { return FDb ? sqlite3_errmsg(FDb) : ""; }
