// The seam over SQLite 3: a database handle and a prepared statement, with RAII and
// exceptions. Nothing above platform/db includes sqlite3.h; everything goes through here.
// A failing call raises EDatabaseError carrying SQLite's error text.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/db/DBError.h"
#include "platform/rtl/Variant.h"

struct sqlite3;
struct sqlite3_stmt;

// SQLite's storage classes, as a column value of the current row reports them.
enum class TSqlStorage : uint8_t { Null, Integer, Real, Text, Blob };

class TSqliteStatement {
public:
    TSqliteStatement() = default;
    TSqliteStatement(sqlite3* db, sqlite3_stmt* stmt) : FDb(db), FStmt(stmt) {}
    TSqliteStatement(TSqliteStatement&& other) noexcept;
    TSqliteStatement& operator=(TSqliteStatement&& other) noexcept;
    TSqliteStatement(const TSqliteStatement&) = delete;
    TSqliteStatement& operator=(const TSqliteStatement&) = delete;
    ~TSqliteStatement();

    bool Valid() const { return FStmt != nullptr; }
    std::string Sql() const;
    bool ReadOnly() const;                       // the statement does not write

    // --- Parameters (1-based, as SQLite numbers them) --------------------------------
    int ParameterCount() const;
    void BindNull(int index);
    void BindInt64(int index, int64_t value);
    void BindDouble(int index, double value);
    void BindText(int index, std::string_view value);
    void BindBlob(int index, std::string_view bytes);
    // Integers and Booleans as INTEGER (True is 1), floats and Currency as REAL, text as
    // TEXT, Null and Empty as NULL, a Date as ISO text; arrays and objects raise.
    void BindVariant(int index, const Variant& value);
    void ClearBindings();

    // --- Execution -------------------------------------------------------------------
    // One step: true when a row is ready, false when the statement is done.
    bool Step();
    // Steps to the end (for statements that return no rows).
    void Execute();
    void Reset();

    // --- Result columns (0-based) ----------------------------------------------------
    int ColumnCount() const;
    std::string ColumnName(int column) const;
    // The declared type of the column ("DOUBLE", "TEXT(10)"), empty for an expression.
    std::string ColumnDeclType(int column) const;
    // The table and column a result column comes from, empty for an expression.
    std::string ColumnTableName(int column) const;
    std::string ColumnOriginName(int column) const;
    TSqlStorage ColumnStorage(int column) const;
    int64_t ColumnInt64(int column) const;
    double ColumnDouble(int column) const;
    std::string_view ColumnText(int column) const;   // valid until the next step
    std::string_view ColumnBlob(int column) const;
    // Null, an Integer (Int64 when it does not fit), a Double or a String (blobs too).
    Variant ColumnValue(int column) const;
    // A column read in one call (what the ones above give one by one): its storage class
    // with the integer, the real or the bytes of text and blobs (valid until the next step).
    struct TColumn {
        TSqlStorage Storage = TSqlStorage::Null;
        int64_t Int = 0;
        double Real = 0;
        std::string_view Bytes;
    };
    TColumn Column(int column) const;

private:
    [[noreturn]] void Fail() const;
    sqlite3* FDb = nullptr;
    sqlite3_stmt* FStmt = nullptr;
};

class TSqliteDatabase {
public:
    enum TOpenMode { omReadOnly, omReadWrite, omReadWriteCreate };

    TSqliteDatabase() = default;
    TSqliteDatabase(const TSqliteDatabase&) = delete;
    TSqliteDatabase& operator=(const TSqliteDatabase&) = delete;
    ~TSqliteDatabase();

    // Opens the file; a file that does not exist raises unless the mode creates it, and a
    // file created here can be read and written by its owner only (mode 0600).
    // The Jet-compatible functions are registered on every handle opened here.
    void Open(const std::string& fileName, TOpenMode mode);
    void Close();
    bool IsOpen() const { return FDb != nullptr; }
    sqlite3* Handle() const { return FDb; }
    const std::string& FileName() const { return FFileName; }

    TSqliteStatement Prepare(std::string_view sql);
    // Runs a script of several statements separated by semicolons.
    void ExecScript(const std::string& sql);
    // Runs one statement without parameters and returns the first column of its first
    // row (Null when there is none).
    Variant QueryValue(std::string_view sql);

    // Copies the whole database into FileName while it stays in use: written to a temporary
    // file beside it and renamed into place when complete (an older file of that name is
    // replaced only then).
    void BackupTo(const std::string& FileName);
    // Replaces the whole content of this database with the database in FileName, in one
    // step; a file that is not a sound database raises and changes nothing.
    void RestoreFrom(const std::string& FileName);

    // The column is its table's INTEGER PRIMARY KEY with AUTOINCREMENT.
    bool ColumnIsAutoIncrement(const std::string& table, const std::string& column) const;

    // Waiting for a lock that another connection holds: a statement waits up to
    // milliseconds in all, its preparation and its steps together (0: it fails at once with
    // "database is locked"), in steps of at most 20 ms, and OnBusyWait runs before each
    // step with the milliseconds waited so far (the program lets its windows repaint there
    // and says that it waits). An exception from OnBusyWait ends the wait: the statement
    // fails as at the timeout. The timeout is kept for the next Open.
    void SetBusyTimeout(int milliseconds);
    // A statement starts: its waits count from nothing (Prepare and ExecScript call it; a
    // statement prepared before and run again calls it too).
    void StartStatementWait() { FWaitStarted = false; }
    int BusyTimeout() const { return FBusyTimeout; }
    std::function<void(int WaitedMs)> OnBusyWait;
    // The handle cannot write: opened read only, or the file could only be opened for
    // reading (its permissions), as SQLite reports it.
    bool ReadOnly() const;
    int64_t LastInsertRowid() const;
    int Changes() const;
    // Changes as far as they can be told apart: rows changed through this handle, and a
    // number that moves when another connection commits to the file. Equal stamps say
    // nothing was changed in between.
    struct TDataStamp {
        int64_t Own = 0, Others = 0;
        bool operator==(const TDataStamp&) const = default;
    };
    TDataStamp DataStamp() const;
    bool InTransaction() const;               // outside autocommit mode
    std::string ErrorText() const;

private:
    static int BusyHandler(void* Self, int Count);
    sqlite3* FDb = nullptr;
    std::string FFileName;
    int FBusyTimeout = 0;
    bool FWaitStarted = false;
    std::chrono::steady_clock::time_point FBusyStart;
};
