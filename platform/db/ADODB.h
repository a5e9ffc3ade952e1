// The connection and the datasets the windows place on their forms, over SQLite:
// TADOConnection (connection string, transactions), TADOQuery (SQL with named parameters)
// and TADOTable (a whole table, read page by page so appending to a large table reads
// almost nothing).
//
// The connection string names a provider and a data source:
//   "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=Rove.mdb;Mode=ReadWrite;..."
// Both the Windows provider name and "SQLite" select the SQLite driver; the data source is
// the database file, relative to the working directory. A file that does not exist is an
// error (it is never created here). A database password and the other provider settings
// are accepted and have no effect.
//
// Values from users always travel as bound parameters. A parameter that meets a date
// column ("收费日期 = :d", "between :d1 and :d2", "set 失效日期 = :x", an INSERT value) or
// whose DataType is a date type is converted to ISO text: text in the program's date
// formats ("2024-3-7", "24-3-7", ISO) as well as dates and day numbers; other text fails
// with a clear error instead of matching nothing.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/db/DB.h"
#include "platform/db/SqlParameters.h"
#include "platform/db/SqliteDatabase.h"

class TCustomADODataSet;
class TADOConnection;

ROVE_ENUM(TConnectMode, cmUnknown, cmRead, cmWrite, cmReadWrite, cmShareDenyRead,
          cmShareDenyWrite, cmShareExclusive, cmShareDenyNone)
ROVE_ENUM(TCursorType, ctUnspecified, ctOpenForwardOnly, ctKeyset, ctDynamic, ctStatic)

// A prepared statement borrowed from the connection's cache, reset and given back when the
// lease ends. Valid only while the connection stays open.
class TStatementLease {
public:
    TStatementLease() = default;
    TStatementLease(TADOConnection* Owner, std::string Sql, TSqliteStatement Statement,
                    uint64_t Generation);
    TStatementLease(TStatementLease&& other) noexcept = default;
    TStatementLease& operator=(TStatementLease&& other) noexcept;
    ~TStatementLease();
    TSqliteStatement& operator*() { return FStatement; }
    TSqliteStatement* operator->() { return &FStatement; }

private:
    void Release();
    TADOConnection* FOwner = nullptr;
    std::string FSql;
    TSqliteStatement FStatement;
    uint64_t FGeneration = 0;
};

class TADOConnection : public TComponent {
    ROVE_CLASS(TADOConnection, TComponent)
public:
    explicit TADOConnection(TComponent* AOwner);
    ~TADOConnection() override;

    const std::string& ConnectionString() const { return FConnectionString; }
    void SetConnectionString(const std::string& Value);
    bool Connected() const { return FDatabase.IsOpen(); }
    // Connecting while the form resource loads waits for Loaded.
    void SetConnected(bool Value);
    // There is no login: the property is kept for form resources only.
    bool LoginPrompt() const { return FLoginPrompt; }
    void SetLoginPrompt(bool Value) { FLoginPrompt = Value; }
    TConnectMode Mode() const { return FMode; }
    void SetMode(TConnectMode Value) { FMode = Value; }
    const std::string& Provider() const { return FProvider; }
    void SetProvider(const std::string& Value) { FProvider = Value; }

    void Open() { SetConnected(true); }
    void Close() { SetConnected(false); }

    // Transactions: the outermost one is BEGIN IMMEDIATE (it waits up to the busy timeout
    // for another writer), nested ones are savepoints. Each returns or ends one level.
    int BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction() const { return FTransLevel > 0; }
    int TransactionLevel() const { return FTransLevel; }

    // The whole database copied to a file while in use, and replaced by the content of a
    // file (its datasets are closed first); see TSqliteDatabase.
    void BackupTo(const std::string& FileName) { Database().BackupTo(FileName); }
    void RestoreFrom(const std::string& FileName);

    TNotifyEvent BeforeConnect;
    TNotifyEvent AfterConnect;

    // --- For the datasets of this layer -----------------------------------------------
    TSqliteDatabase& Database();                        // raises when not connected
    // A prepared statement of Sql (the hook below runs first).
    TStatementLease Prepare(const std::string& Sql);
    bool IsDateColumn(std::string_view Column) const;
    // Re-reads what the layer knows of the schema (after CREATE, ALTER, DROP).
    void SchemaChanged();
    int DataSetCount() const { return static_cast<int>(FDataSets.size()); }
    TCustomADODataSet* DataSets(int Index) const { return FDataSets.at(static_cast<size_t>(Index)); }

    // Test seam: called with the text of every statement before it runs, including
    // BEGIN, COMMIT and ROLLBACK; an exception thrown here fails that statement.
    std::function<void(const std::string& Sql)> OnStatement;
    // How long the outermost transaction and every statement wait for a lock held
    // elsewhere, in milliseconds (DefaultBusyTimeout unless set), and what runs while
    // they wait (TSqliteDatabase::OnBusyWait: the milliseconds waited so far).
    static constexpr int DefaultBusyTimeout = 5000;
    int BusyTimeout() const { return FDatabase.IsOpen() ? FDatabase.BusyTimeout() : FBusyTimeout; }
    void SetBusyTimeout(int Milliseconds);
    std::function<void(int WaitedMs)> OnBusyWait;
    // The connection cannot write the database (opened read only, or the file's
    // permissions let it be read only).
    bool ReadOnly() const { return FDatabase.IsOpen() && FDatabase.ReadOnly(); }

    void Loaded() override;
    static void DeclareProperties(TPropertyDecl<TADOConnection>& d);
    // Connects now, also while the form resource is still being loaded (a dataset that
    // opens in its Loaded before the connection had its own).
    void EnsureConnected();

private:
    friend class TStatementLease;
    friend class TCustomADODataSet;
    void DoConnect();
    void DoDisconnect();
    void RunControl(const std::string& Sql);
    void GiveBack(std::string Sql, TSqliteStatement Statement, uint64_t Generation);
    void LoadSchema();

    std::string FConnectionString;
    std::string FProvider;
    TConnectMode FMode = cmUnknown;
    bool FLoginPrompt = true;
    bool FStreamedConnected = false;
    TSqliteDatabase FDatabase;
    int FBusyTimeout = DefaultBusyTimeout;
    int FTransLevel = 0;
    uint64_t FGeneration = 1;
    std::unordered_map<std::string, TSqliteStatement> FCache;
    std::unordered_set<std::string> FDateColumns;     // ASCII lower case
    std::vector<TCustomADODataSet*> FDataSets;
};

// Key=value pairs of a connection string ("a=b; c = 'd;e'"), keys as written.
std::vector<std::pair<std::string, std::string>> ParseConnectionString(std::string_view Text);

// --- Parameters ------------------------------------------------------------------------------
class TParameter : public TCollectionItem {
    ROVE_CLASS(TParameter, TCollectionItem)
public:
    explicit TParameter(TCollection* Collection);

    const std::string& Name() const { return FName; }
    void SetName(const std::string& Value) { FName = Value; }
    // Set from the first value assigned unless set explicitly.
    TFieldType DataType() const { return FDataType; }
    void SetDataType(TFieldType Value) { FDataType = Value; }
    int Size() const { return FSize; }
    void SetSize(int Value) { FSize = Value; }
    const Variant& Value() const { return FValue; }
    void SetValue(const Variant& Value);
    std::string DisplayName() const override { return FName; }

    static void DeclareProperties(TPropertyDecl<TParameter>& d);

private:
    Variant GetValue() const { return FValue; }
    std::string FName;
    TFieldType FDataType = ftUnknown;
    int FSize = -1;
    Variant FValue = Variant::Null();
};

class TParameters : public TCollection {
    ROVE_CLASS(TParameters, TCollection)
public:
    explicit TParameters(TPersistent* Owner);
    TParameter* Items(int Index) const { return static_cast<TParameter*>(TCollection::Items(Index)); }
    TParameter* operator[](int Index) const { return Items(Index); }
    // Names compare ignoring ASCII case; Chinese names exactly.
    TParameter* FindParam(std::string_view Name) const;
    TParameter* ParamByName(std::string_view Name) const;   // raises "Parameter 'x' not found"
    TParameter* AddParameter() { return static_cast<TParameter*>(Add()); }
    // Makes the list the given names in order, keeping the type and value of a name that
    // was there before.
    void SetNames(const std::vector<std::string>& Names);
};

// --- Datasets --------------------------------------------------------------------------------
// What query and table datasets share: the connection, the execution of statements, and
// the write-back of edited records to their table (by rowid; for a query by its table's
// key or, failing that, by the record's values).
class TCustomADODataSet : public TDataSet {
    ROVE_CLASS(TCustomADODataSet, TDataSet)
public:
    explicit TCustomADODataSet(TComponent* AOwner);
    ~TCustomADODataSet() override;

    TADOConnection* Connection() const { return FConnection; }
    void SetConnection(TADOConnection* Value);
    TCursorType CursorType() const { return FCursorType; }
    void SetCursorType(TCursorType Value) { FCursorType = Value; }
    int RowsAffected() const { return FRowsAffected; }
    // Closes and opens again, keeping nothing of the old records.
    void Requery();
    // The connection's database was written to (through any connection) since this
    // dataset was opened.
    bool DataMayHaveChanged() override;

    void Notification(TComponent* AComponent, TOperation Operation) override;
    static void DeclareProperties(TPropertyDecl<TCustomADODataSet>& d);

protected:
    TADOConnection* CheckConnection() const;
    // Binds the parameters of a parsed command (see the header comment for dates).
    void BindParameters(TSqliteStatement& Statement, const TParsedSql& Parsed,
                        const TParameters& Params) const;
    // Reads the column descriptions of a prepared statement into FieldDefs, starting at
    // column First; the types of expression columns are settled by the fetched rows.
    void DescribeColumns(TSqliteStatement& Statement, int First);
    // Fetches one row of the statement (from column First) into record form in Data
    // (emptied first), noting what the values say about the columns' types.
    void ReadRow(TSqliteStatement& Statement, int First, std::string& Data);
    // Settles the field types once every row of a result has been read.
    void SettleColumnTypes();

    void InternalPost(TRecord& Record, const std::vector<Variant>& Values,
                      const std::vector<bool>& Changed, bool Inserting) override;
    // The INSERT or UPDATE of a post and the reading back of the stored row.
    void WriteRecord(TADOConnection& Connection, TRecord& Record, const std::vector<Variant>& Values,
                     const std::vector<bool>& Changed, bool Inserting);
    void InternalDelete(TRecord& Record) override;
    bool InternalCanModify() const override;

    // Finds the table of the result's plain columns (FUpdateTable) and its key.
    void FindUpdateTable();

    // The table that edited records go back to (empty: the result cannot be edited).
    std::string FUpdateTable;
    int FRowsAffected = 0;
    // The database's data stamp when the records were read (InternalOpen).
    TSqliteDatabase::TDataStamp FOpenStamp;

private:
    friend class TADOConnection;
    struct TColumnInfo {
        bool Declared = false;
        bool SawInteger = false, SawReal = false, SawText = false, SawBlob = false;
        int MaxLength = 0;
    };
    int64_t LocateRow(const TRecord& Record);
    void ReloadRecord(TRecord& Record, int64_t RowId, const std::vector<Variant>& Values);

    TADOConnection* FConnection = nullptr;
    TCursorType FCursorType = ctKeyset;
    std::vector<TColumnInfo> FColumns;
    std::string FKeyColumn;          // the update table's INTEGER PRIMARY KEY, when in the result
};

class TADOQuery : public TCustomADODataSet {
    ROVE_CLASS(TADOQuery, TCustomADODataSet)
public:
    explicit TADOQuery(TComponent* AOwner);
    ~TADOQuery() override;

    TStringList* SQL() const { return FSQL.get(); }
    TParameters* Parameters() const { return FParameters.get(); }
    bool ParamCheck() const { return FParamCheck; }
    void SetParamCheck(bool Value) { FParamCheck = Value; }
    // Runs a statement that returns no rows; returns the number of rows it changed.
    int ExecSQL();

    static void DeclareProperties(TPropertyDecl<TADOQuery>& d);

protected:
    void InternalOpen() override;
    void InternalClose() override;
    void InternalInitFieldDefs() override;

private:
    void SQLChanged();
    const TParsedSql& Parsed();
    std::unique_ptr<TStringList> FSQL;
    std::unique_ptr<TParameters> FParameters;
    bool FParamCheck = true;
    bool FParsedValid = false;
    TParsedSql FParsed;
};

class TADOTable : public TCustomADODataSet {
    ROVE_CLASS(TADOTable, TCustomADODataSet)
public:
    explicit TADOTable(TComponent* AOwner);
    ~TADOTable() override;

    const std::string& TableName() const { return FTableName; }
    void SetTableName(const std::string& Value);

    static void DeclareProperties(TPropertyDecl<TADOTable>& d);

    // Records read by the first page and by each later one.
    static constexpr int FirstPage = 100;
    static constexpr int LaterPage = 1000;

protected:
    void InternalOpen() override;
    bool InternalFetch() override;
    int64_t InternalPendingCount() override;
    void InternalInitFieldDefs() override;

private:
    bool FetchPage(TSqliteStatement& Statement, int Count);
    std::string FTableName;
    int64_t FLastRowId = 0;
};

// SQL text of a quoted identifier: "name" with embedded quotes doubled.
std::string QuoteIdentifier(std::string_view Name);
