// The SQLite-backed connection, parameters, queries and tables.
#include "platform/db/ADODB.h"
#include "platform/rtl/ConvertErrors.h"

#include <algorithm>
#include <filesystem>

#include "platform/db/JetFunctions.h"
#include "platform/rtl/StrUtils.h"

ROVE_IMPLEMENT_CLASS(TADOConnection)
ROVE_IMPLEMENT_CLASS(TParameter)
ROVE_IMPLEMENT_CLASS(TParameters)
ROVE_IMPLEMENT_CLASS(TCustomADODataSet)
ROVE_IMPLEMENT_CLASS(TADOQuery)
ROVE_IMPLEMENT_CLASS(TADOTable)

namespace {

const char* const kRowNotFound =
    "Row cannot be located for updating. Some values may have been changed since it was last read.";

std::string AsciiLower(std::string_view s) { return LowerCase(s); }

bool Contains(const std::string& upper, const char* word) { return upper.find(word) != std::string::npos; }

// The field type of a declared column type, and the size it gives: the text width, or
// for a number with decimals ("DOUBLE(18,2)", "DECIMAL(10,3)") an ftBCD of those decimals.
TFieldType MapDeclaredType(const std::string& declared, int& size) {
    std::string upper = UpperCase(declared);
    size = 0;
    int scale = -1;
    size_t open = upper.find('(');
    if (open != std::string::npos) {
        auto number = [&](size_t& i) {
            while (i < upper.size() && upper[i] == ' ') ++i;
            int n = 0;
            while (i < upper.size() && upper[i] >= '0' && upper[i] <= '9' && n < 100000)
                n = n * 10 + (upper[i++] - '0');
            return n;
        };
        size_t i = open + 1;
        size = number(i);
        while (i < upper.size() && upper[i] == ' ') ++i;
        if (i < upper.size() && upper[i] == ',') {
            ++i;
            scale = number(i);
        }
    }
    if (Contains(upper, "BIGINT")) return ftLargeint;
    if (Contains(upper, "SMALLINT") || Contains(upper, "TINYINT")) return ftSmallint;
    if (Contains(upper, "INT") || Contains(upper, "COUNTER") || Contains(upper, "LONG")) return ftInteger;
    if (Contains(upper, "BOOL") || Contains(upper, "BIT") || Contains(upper, "YESNO")) return ftBoolean;
    if (Contains(upper, "DATE") || Contains(upper, "TIME")) return ftDateTime;
    if (Contains(upper, "MEMO") || Contains(upper, "CLOB") || Contains(upper, "LONGTEXT")) return ftMemo;
    if (Contains(upper, "CHAR") || Contains(upper, "TEXT") || Contains(upper, "STRING")) {
        if (size <= 0) size = 255;
        return ftWideString;
    }
    if (Contains(upper, "BLOB") || Contains(upper, "BINARY") || Contains(upper, "IMAGE") ||
        Contains(upper, "OLE"))
        return ftBlob;
    if (Contains(upper, "CURRENCY") || Contains(upper, "MONEY")) return ftCurrency;
    if (scale >= 0 && (Contains(upper, "DOUB") || Contains(upper, "REAL") || Contains(upper, "FLOA") ||
                       Contains(upper, "DEC") || Contains(upper, "NUMERIC"))) {
        size = std::min(scale, 4);
        return ftBCD;
    }
    return ftFloat;
}

}  // namespace

std::string QuoteIdentifier(std::string_view Name) {
    std::string s = "\"";
    for (char c : Name) {
        if (c == '"') s += '"';
        s += c;
    }
    s += '"';
    return s;
}

std::vector<std::pair<std::string, std::string>> ParseConnectionString(std::string_view Text) {
    std::vector<std::pair<std::string, std::string>> result;
    size_t i = 0;
    while (i < Text.size()) {
        size_t eq = Text.find('=', i);
        size_t semi = Text.find(';', i);
        if (eq == std::string_view::npos || (semi != std::string_view::npos && semi < eq)) {
            if (semi == std::string_view::npos) break;
            i = semi + 1;
            continue;
        }
        std::string key = Trim(Text.substr(i, eq - i));
        size_t v = eq + 1;
        while (v < Text.size() && Text[v] == ' ') ++v;
        std::string value;
        if (v < Text.size() && (Text[v] == '"' || Text[v] == '\'')) {
            char quote = Text[v++];
            while (v < Text.size()) {
                if (Text[v] == quote) {
                    if (v + 1 < Text.size() && Text[v + 1] == quote) {
                        value += quote;
                        v += 2;
                        continue;
                    }
                    ++v;
                    break;
                }
                value += Text[v++];
            }
            size_t next = Text.find(';', v);
            i = next == std::string_view::npos ? Text.size() : next + 1;
        } else {
            size_t end = Text.find(';', v);
            if (end == std::string_view::npos) end = Text.size();
            value = Trim(Text.substr(v, end - v));
            i = end + 1;
        }
        if (!key.empty()) result.emplace_back(std::move(key), std::move(value));
    }
    return result;
}

// --- TStatementLease -------------------------------------------------------------------------

TStatementLease::TStatementLease(TADOConnection* Owner, std::string Sql, TSqliteStatement Statement,
                                 uint64_t Generation)
    : FOwner(Owner), FSql(std::move(Sql)), FStatement(std::move(Statement)), FGeneration(Generation) {}

TStatementLease& TStatementLease::operator=(TStatementLease&& other) noexcept {
    if (this != &other) {
        Release();
        FOwner = other.FOwner;
        FSql = std::move(other.FSql);
        FStatement = std::move(other.FStatement);
        FGeneration = other.FGeneration;
        other.FOwner = nullptr;
    }
    return *this;
}

TStatementLease::~TStatementLease() { Release(); }

void TStatementLease::Release() {
    if (FOwner && FStatement.Valid()) FOwner->GiveBack(std::move(FSql), std::move(FStatement), FGeneration);
    FOwner = nullptr;
}

// --- TADOConnection --------------------------------------------------------------------------

TADOConnection::TADOConnection(TComponent* AOwner) : TComponent(AOwner) {}

TADOConnection::~TADOConnection() {
    try {
        DoDisconnect();
    } catch (...) {
    }
    for (TCustomADODataSet* ds : std::vector<TCustomADODataSet*>(FDataSets)) ds->FConnection = nullptr;
    FDataSets.clear();
}

void TADOConnection::SetConnectionString(const std::string& Value) {
    if (Connected()) Close();
    FConnectionString = Value;
}

void TADOConnection::SetConnected(bool Value) {
    if (ComponentState().Contains(csLoading)) {
        FStreamedConnected = Value;
        return;
    }
    if (Value == Connected()) return;
    if (Value) DoConnect();
    else DoDisconnect();
}

void TADOConnection::EnsureConnected() {
    if (Connected()) return;
    FStreamedConnected = false;
    DoConnect();
}

void TADOConnection::Loaded() {
    TComponent::Loaded();
    if (FStreamedConnected) {
        FStreamedConnected = false;
        Open();
    }
}

// Provider and data source come from the connection string; the file must exist.
void TADOConnection::DoConnect() {
    BeforeConnect(this);
    std::string provider = FProvider, source;
    TConnectMode mode = FMode;
    for (const auto& [key, value] : ParseConnectionString(FConnectionString)) {
        if (SameText(key, "Provider")) provider = value;
        else if (SameText(key, "Data Source")) source = value;
        else if (SameText(key, "Mode") && StartsText("Read", value) && !ContainsText(value, "Write"))
            mode = cmRead;
    }
    if (!(StartsText("Microsoft.Jet.OLEDB", provider) || StartsText("Microsoft.ACE.OLEDB", provider) ||
          SameText(provider, "SQLite")))
        DatabaseError("Provider cannot be found. It may not be properly installed.");
    if (source != ":memory:") {
        std::error_code ec;
        if (source.empty() || !std::filesystem::is_regular_file(source, ec))
            DatabaseError("Could not find file '" +
                          (source.empty() ? source : std::filesystem::absolute(source, ec).string()) +
                          "'.");
    }
    FDatabase.Open(source, mode == cmRead ? TSqliteDatabase::omReadOnly : TSqliteDatabase::omReadWrite);
    try {
        FDatabase.SetBusyTimeout(FBusyTimeout);
        FDatabase.OnBusyWait = [this](int Waited) {
            if (OnBusyWait) OnBusyWait(Waited);
        };
        ++FGeneration;
        LoadSchema();   // also proves the file is a database
    } catch (const EDatabaseError& e) {
        FDatabase.Close();
        DatabaseError(source + ": " + e.Message());
    }
    FTransLevel = 0;
    AfterConnect(this);
}

void TADOConnection::DoDisconnect() {
    for (TCustomADODataSet* ds : std::vector<TCustomADODataSet*>(FDataSets)) ds->Close();
    if (FDatabase.IsOpen() && FDatabase.InTransaction()) {
        try {
            FDatabase.ExecScript("ROLLBACK");
        } catch (...) {
        }
    }
    FTransLevel = 0;
    FCache.clear();
    ++FGeneration;
    FDateColumns.clear();
    FDatabase.Close();
}

void TADOConnection::SetBusyTimeout(int Milliseconds) {
    FBusyTimeout = std::max(0, Milliseconds);
    if (FDatabase.IsOpen()) FDatabase.SetBusyTimeout(FBusyTimeout);
}

TSqliteDatabase& TADOConnection::Database() {
    if (!FDatabase.IsOpen()) DatabaseError("Operation is not allowed when the object is closed.");
    return FDatabase;
}

TStatementLease TADOConnection::Prepare(const std::string& Sql) {
    TSqliteDatabase& db = Database();
    if (OnStatement) OnStatement(Sql);
    auto it = FCache.find(Sql);
    if (it != FCache.end()) {
        db.StartStatementWait();
        TSqliteStatement stmt = std::move(it->second);
        FCache.erase(it);
        return TStatementLease(this, Sql, std::move(stmt), FGeneration);
    }
    return TStatementLease(this, Sql, db.Prepare(Sql), FGeneration);
}

void TADOConnection::GiveBack(std::string Sql, TSqliteStatement Statement, uint64_t Generation) {
    if (Generation != FGeneration || !FDatabase.IsOpen()) return;
    Statement.Reset();
    Statement.ClearBindings();
    if (FCache.size() >= 64) FCache.clear();
    FCache.emplace(std::move(Sql), std::move(Statement));
}

void TADOConnection::RunControl(const std::string& Sql) {
    TSqliteDatabase& db = Database();
    if (OnStatement) OnStatement(Sql);
    db.ExecScript(Sql);
}

int TADOConnection::BeginTrans() {
    if (FTransLevel == 0) RunControl("BEGIN IMMEDIATE");
    else RunControl("SAVEPOINT rove_" + std::to_string(FTransLevel + 1));
    return ++FTransLevel;
}

void TADOConnection::CommitTrans() {
    if (FTransLevel == 0) DatabaseError("No transaction is active.");
    if (FTransLevel == 1) {
        RunControl("COMMIT");
        FTransLevel = 0;
        return;
    }
    RunControl("RELEASE rove_" + std::to_string(FTransLevel));
    --FTransLevel;
}

void TADOConnection::RollbackTrans() {
    if (FTransLevel == 0) DatabaseError("No transaction is active.");
    if (FTransLevel == 1) {
        FTransLevel = 0;
        // SQLite may have ended the transaction itself after an error; nothing is left then.
        if (!Database().InTransaction()) return;
        RunControl("ROLLBACK");
        return;
    }
    std::string name = "rove_" + std::to_string(FTransLevel);
    --FTransLevel;
    RunControl("ROLLBACK TO " + name + "; RELEASE " + name);
}

void TADOConnection::RestoreFrom(const std::string& FileName) {
    TSqliteDatabase& db = Database();
    for (TCustomADODataSet* ds : std::vector<TCustomADODataSet*>(FDataSets)) ds->Close();
    FCache.clear();
    ++FGeneration;
    db.RestoreFrom(FileName);
    LoadSchema();
}

void TADOConnection::LoadSchema() {
    FDateColumns.clear();
    TSqliteStatement stmt = FDatabase.Prepare(
        "SELECT p.name, p.type FROM sqlite_master AS m JOIN pragma_table_info(m.name) AS p "
        "WHERE m.type IN ('table', 'view')");
    while (stmt.Step()) {
        std::string type = UpperCase(stmt.ColumnText(1));
        if (Contains(type, "DATE") || Contains(type, "TIME"))
            FDateColumns.insert(AsciiLower(stmt.ColumnText(0)));
    }
}

void TADOConnection::SchemaChanged() {
    if (!FDatabase.IsOpen()) return;
    FCache.clear();
    ++FGeneration;
    LoadSchema();
}

bool TADOConnection::IsDateColumn(std::string_view Column) const {
    return FDateColumns.count(AsciiLower(Column)) != 0;
}

void TADOConnection::DeclareProperties(TPropertyDecl<TADOConnection>& d) {
    d.Property("Connected", &TADOConnection::Connected, &TADOConnection::SetConnected).Default(false);
    d.Property("ConnectionString", &TADOConnection::ConnectionString,
               &TADOConnection::SetConnectionString);
    d.Property("LoginPrompt", &TADOConnection::LoginPrompt, &TADOConnection::SetLoginPrompt)
        .Default(true);
    d.Property("Mode", &TADOConnection::Mode, &TADOConnection::SetMode).Default(cmUnknown);
    d.Property("Provider", &TADOConnection::Provider, &TADOConnection::SetProvider);
    d.Event("BeforeConnect", &TADOConnection::BeforeConnect);
    d.Event("AfterConnect", &TADOConnection::AfterConnect);
}

// --- Parameters ------------------------------------------------------------------------------

TParameter::TParameter(TCollection* Collection) : TCollectionItem(Collection) {}

namespace {
TFieldType FieldTypeOfValue(const Variant& v) {
    switch (v.Kind()) {
    case varString: return ftWideString;
    case varBoolean: return ftBoolean;
    case varDate: return ftDateTime;
    case varCurrency: return ftCurrency;
    case varSingle:
    case varDouble: return ftFloat;
    case varInt64: return ftLargeint;
    case varSmallint:
    case varShortInt:
    case varByte: return ftSmallint;
    case varWord: return ftWord;
    default: return v.IsInteger() ? ftInteger : ftUnknown;
    }
}
}  // namespace

void TParameter::SetValue(const Variant& Value) {
    FValue = Value;
    if (FDataType == ftUnknown) FDataType = FieldTypeOfValue(Value);
}

void TParameter::DeclareProperties(TPropertyDecl<TParameter>& d) {
    d.Property("Name", &TParameter::Name, &TParameter::SetName);
    d.Property("DataType", &TParameter::DataType, &TParameter::SetDataType).Default(ftUnknown);
    d.Property("Size", &TParameter::Size, &TParameter::SetSize).Default(-1);
    d.Property("Value", &TParameter::GetValue, &TParameter::SetValue);
}

TParameters::TParameters(TPersistent* Owner) : TCollection(TParameter::StaticClass(), Owner) {
    SetPropName("Parameters");
}

TParameter* TParameters::FindParam(std::string_view Name) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(Items(i)->Name(), Name)) return Items(i);
    return nullptr;
}

TParameter* TParameters::ParamByName(std::string_view Name) const {
    TParameter* p = FindParam(Name);
    if (!p) DatabaseError("Parameter '" + std::string(Name) + "' not found");
    return p;
}

void TParameters::SetNames(const std::vector<std::string>& Names) {
    struct Kept {
        std::string Name;
        TFieldType DataType;
        int Size;
        Variant Value;
    };
    std::vector<Kept> kept;
    for (int i = 0; i < Count(); ++i)
        kept.push_back({Items(i)->Name(), Items(i)->DataType(), Items(i)->Size(), Items(i)->Value()});
    BeginUpdate();
    Clear();
    for (const std::string& name : Names) {
        TParameter* p = AddParameter();
        p->SetName(name);
        for (const Kept& k : kept)
            if (SameText(k.Name, name)) {
                p->SetDataType(k.DataType);
                p->SetSize(k.Size);
                p->SetValue(k.Value);
                break;
            }
    }
    EndUpdate();
}

// --- TCustomADODataSet -----------------------------------------------------------------------

TCustomADODataSet::TCustomADODataSet(TComponent* AOwner) : TDataSet(AOwner) {}

TCustomADODataSet::~TCustomADODataSet() {
    try {
        Close();
    } catch (...) {
    }
    SetConnection(nullptr);
}

void TCustomADODataSet::SetConnection(TADOConnection* Value) {
    if (Value == FConnection) return;
    if (Active()) Close();
    if (FConnection) {
        auto& list = FConnection->FDataSets;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        FConnection->RemoveFreeNotification(this);
    }
    FConnection = Value;
    if (Value) {
        Value->FDataSets.push_back(this);
        Value->FreeNotification(this);
    }
}

void TCustomADODataSet::Notification(TComponent* AComponent, TOperation Operation) {
    TDataSet::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FConnection) {
        if (Active()) Close();
        FConnection = nullptr;
    }
}

TADOConnection* TCustomADODataSet::CheckConnection() const {
    if (!FConnection) Error("Missing Connection or ConnectionString");
    FConnection->EnsureConnected();
    return FConnection;
}

void TCustomADODataSet::Requery() {
    Close();
    Open();
}

bool TCustomADODataSet::DataMayHaveChanged() {
    if (!Active() || !FConnection || !FConnection->Connected()) return false;
    return !(FConnection->Database().DataStamp() == FOpenStamp);
}

// A parameter that meets a date column, or is typed as a date, goes to the database as ISO
// text; ill-formed text is refused here rather than compared as text.
void TCustomADODataSet::BindParameters(TSqliteStatement& Statement, const TParsedSql& Parsed,
                                       const TParameters& Params) const {
    for (size_t i = 0; i < Parsed.Parameters.size(); ++i) {
        const TSqlParameterInfo& info = Parsed.Parameters[i];
        TParameter* param = Params.FindParam(info.Name);
        if (!param) Error("Parameter '" + info.Name + "' not found");
        bool dateContext = IsDateFieldType(param->DataType());
        for (const std::string& column : info.Columns)
            dateContext = dateContext || FConnection->IsDateColumn(column);
        Variant value = param->Value();
        int index = static_cast<int>(i) + 1;
        if (!dateContext || value.IsNull() || value.IsEmpty()) {
            Statement.BindVariant(index, value);
            continue;
        }
        if (value.IsString()) {
            std::string text = Trim(value.StrValue());
            TDateTime dt;
            if (text.empty()) {
                Statement.BindNull(index);
            } else if (TryJetTextToDate(text, dt)) {
                Statement.BindText(index, DateTimeToIso(dt));
            } else {
                Error(ConvertText::Date(text) + " (参数 " + info.Name + ")");
            }
            continue;
        }
        if (value.IsNumeric()) {
            Statement.BindText(index, DateTimeToIso(value.AsDateTime()));
            continue;
        }
        Error("Parameter " + info.Name + " is not a date");
    }
}

void TCustomADODataSet::DescribeColumns(TSqliteStatement& Statement, int First) {
    FieldDefs().Clear();
    FColumns.clear();
    TSqliteDatabase& db = FConnection->Database();
    for (int i = First; i < Statement.ColumnCount(); ++i) {
        TFieldDef def;
        def.Name = Statement.ColumnName(i);
        def.TableName = Statement.ColumnTableName(i);
        def.OriginName = Statement.ColumnOriginName(i);
        std::string declared = Statement.ColumnDeclType(i);
        TColumnInfo info;
        if (!declared.empty()) {
            info.Declared = true;
            def.DataType = MapDeclaredType(declared, def.Size);
            if (def.DataType == ftInteger && db.ColumnIsAutoIncrement(def.TableName, def.OriginName))
                def.DataType = ftAutoInc;
        } else {
            def.DataType = ftFloat;
        }
        FieldDefs().Add(std::move(def));
        FColumns.push_back(info);
    }
}

void TCustomADODataSet::ReadRow(TSqliteStatement& Statement, int First, std::string& Data) {
    Data.clear();
    int count = Statement.ColumnCount();
    for (int i = First; i < count; ++i) {
        TColumnInfo* info = static_cast<size_t>(i - First) < FColumns.size()
                                ? &FColumns[static_cast<size_t>(i - First)]
                                : nullptr;
        const TSqliteStatement::TColumn column = Statement.Column(i);
        switch (column.Storage) {
        case TSqlStorage::Null:
            RecordCodec::AppendNull(Data);
            break;
        case TSqlStorage::Integer:
            RecordCodec::AppendInt(Data, column.Int);
            if (info) info->SawInteger = true;
            break;
        case TSqlStorage::Real:
            RecordCodec::AppendReal(Data, column.Real);
            if (info) info->SawReal = true;
            break;
        case TSqlStorage::Text:
            RecordCodec::AppendText(Data, column.Bytes);
            if (info) {
                info->SawText = true;
                if (!info->Declared) info->MaxLength = std::max(info->MaxLength, Length(column.Bytes));
            }
            break;
        case TSqlStorage::Blob:
            RecordCodec::AppendBlob(Data, column.Bytes);
            if (info) info->SawBlob = true;
            break;
        }
    }
}

// The field type rule: a declared column keeps its declared type, widened when the values
// say otherwise (a REAL in an integer column makes it ftFloat, text in a numeric column
// ftWideString); an expression column is ftWideString when any row holds text, ftBlob for
// bytes, and ftFloat otherwise (numbers and NULL, also when there are no rows).
void TCustomADODataSet::SettleColumnTypes() {
    for (size_t i = 0; i < FColumns.size(); ++i) {
        const TColumnInfo& info = FColumns[i];
        const TFieldDef& def = FieldDefs()[static_cast<int>(i)];
        TFieldType type = def.DataType;
        int size = def.Size;
        if (!info.Declared) {
            if (info.SawBlob) type = ftBlob, size = 0;
            else if (info.SawText) type = ftWideString, size = std::max(info.MaxLength, 1);
            else type = ftFloat, size = 0;
        } else if (IsIntegerFieldType(type) || IsFloatFieldType(type) || type == ftBoolean) {
            if (info.SawText) type = ftWideString, size = 255;
            else if (IsIntegerFieldType(type) && info.SawReal) type = ftFloat, size = 0;
        }
        FieldDefs().SetType(static_cast<int>(i), type, size);
    }
}

void TCustomADODataSet::FindUpdateTable() {
    FUpdateTable.clear();
    FKeyColumn.clear();
    std::string table;
    for (int i = 0; i < FieldDefs().Count(); ++i) {
        const std::string& t = FieldDefs()[i].TableName;
        if (t.empty()) continue;
        if (table.empty()) table = t;
        else if (!SameText(table, t)) return;
    }
    if (table.empty()) return;
    FUpdateTable = table;
    TStatementLease info = FConnection->Prepare("SELECT name, type, pk FROM pragma_table_info(?1)");
    info->BindText(1, table);
    std::string key;
    int keys = 0;
    while (info->Step()) {
        if (info->ColumnInt64(2) == 0) continue;
        ++keys;
        if (SameText(info->ColumnText(1), "INTEGER")) key = std::string(info->ColumnText(0));
    }
    if (keys != 1 || key.empty()) return;
    for (int i = 0; i < FieldDefs().Count(); ++i)
        if (SameText(FieldDefs()[i].OriginName, key) && SameText(FieldDefs()[i].TableName, table))
            FKeyColumn = FieldDefs()[i].Name;
}

bool TCustomADODataSet::InternalCanModify() const { return !FUpdateTable.empty(); }

// The rowid of a record: known from the table read, the key column, or looked up by the
// record's values (exact comparison, one row).
int64_t TCustomADODataSet::LocateRow(const TRecord& Record) {
    if (Record.RowId != 0) return Record.RowId;
    int columns = FieldDefs().Count();
    std::vector<Variant> values = RecordCodec::GetAll(Record.Data, columns);
    if (!FKeyColumn.empty()) {
        const Variant& key = values[static_cast<size_t>(FieldDefs().IndexOf(FKeyColumn))];
        if (key.IsInteger()) return key.AsInt64();
    }
    std::string sql = "SELECT rowid FROM " + QuoteIdentifier(FUpdateTable) + " WHERE ";
    std::vector<Variant> binds;
    for (int i = 0; i < columns; ++i) {
        const TFieldDef& def = FieldDefs()[i];
        if (def.OriginName.empty() || IsBlobFieldType(def.DataType)) continue;
        if (!binds.empty()) sql += " AND ";
        binds.push_back(values[static_cast<size_t>(i)]);
        sql += QuoteIdentifier(def.OriginName);
        sql += " IS ?";
        sql += std::to_string(binds.size());
        sql += " COLLATE BINARY";
    }
    if (binds.empty()) Error(kRowNotFound);
    sql += " LIMIT 1";
    TStatementLease stmt = FConnection->Prepare(sql);
    for (size_t i = 0; i < binds.size(); ++i) stmt->BindVariant(static_cast<int>(i) + 1, binds[i]);
    if (!stmt->Step()) Error(kRowNotFound);
    return stmt->ColumnInt64(0);
}

// Reads the stored row back (defaults, the assigned number, conversions by the column);
// expression columns keep the values of the edit buffer.
void TCustomADODataSet::ReloadRecord(TRecord& Record, int64_t RowId, const std::vector<Variant>& Values) {
    int columns = FieldDefs().Count();
    std::string sql = "SELECT ";
    std::vector<int> origin(static_cast<size_t>(columns), -1);
    int selected = 0;
    for (int i = 0; i < columns; ++i) {
        const TFieldDef& def = FieldDefs()[i];
        if (def.OriginName.empty()) continue;
        if (selected) sql += ", ";
        sql += QuoteIdentifier(def.OriginName);
        origin[static_cast<size_t>(i)] = selected++;
    }
    std::vector<Variant> stored = Values;
    if (selected > 0) {
        sql += " FROM " + QuoteIdentifier(FUpdateTable) + " WHERE rowid = ?1";
        TStatementLease stmt = FConnection->Prepare(sql);
        stmt->BindInt64(1, RowId);
        if (stmt->Step())
            for (int i = 0; i < columns; ++i)
                if (origin[static_cast<size_t>(i)] >= 0)
                    stored[static_cast<size_t>(i)] = stmt->ColumnValue(origin[static_cast<size_t>(i)]);
    }
    Record.Data = RecordCodec::Encode(stored);
    Record.RowId = RowId;
}

// The write and the reading back of the stored row are one transaction (a savepoint inside
// the caller's): when either is refused, nothing is stored, so a refused post never leaves
// a row the dataset does not know of.
void TCustomADODataSet::InternalPost(TRecord& Record, const std::vector<Variant>& Values,
                                     const std::vector<bool>& Changed, bool Inserting) {
    if (FUpdateTable.empty()) Error("Insufficient key column information for updating or refreshing.");
    TADOConnection* conn = CheckConnection();
    conn->BeginTrans();
    try {
        WriteRecord(*conn, Record, Values, Changed, Inserting);
        conn->CommitTrans();
    } catch (...) {
        try {
            conn->RollbackTrans();
        } catch (...) {
        }
        throw;
    }
}

void TCustomADODataSet::WriteRecord(TADOConnection& Connection, TRecord& Record, const std::vector<Variant>& Values,
                                    const std::vector<bool>& Changed, bool Inserting) {
    TADOConnection* conn = &Connection;
    std::vector<int> columns;
    for (int i = 0; i < FieldDefs().Count(); ++i) {
        if (!Changed[static_cast<size_t>(i)]) continue;
        if (FieldDefs()[i].OriginName.empty())
            Error("Field '" + FieldDefs()[i].Name + "' cannot be modified");
        columns.push_back(i);
    }
    const std::string table = QuoteIdentifier(FUpdateTable);
    int64_t rowid;
    if (Inserting) {
        std::string sql = "INSERT INTO " + table;
        if (columns.empty()) {
            sql += " DEFAULT VALUES";
        } else {
            std::string names, marks;
            for (size_t k = 0; k < columns.size(); ++k) {
                if (k) names += ", ", marks += ", ";
                names += QuoteIdentifier(FieldDefs()[columns[k]].OriginName);
                marks += '?';
                marks += std::to_string(k + 1);
            }
            sql += " (" + names + ") VALUES (" + marks + ")";
        }
        TStatementLease stmt = conn->Prepare(sql);
        for (size_t k = 0; k < columns.size(); ++k)
            stmt->BindVariant(static_cast<int>(k) + 1, Values[static_cast<size_t>(columns[k])]);
        stmt->Execute();
        rowid = conn->Database().LastInsertRowid();
    } else {
        rowid = LocateRow(Record);
        if (columns.empty()) return;
        std::string sql = "UPDATE " + table + " SET ";
        for (size_t k = 0; k < columns.size(); ++k) {
            if (k) sql += ", ";
            sql += QuoteIdentifier(FieldDefs()[columns[k]].OriginName);
            sql += " = ?";
            sql += std::to_string(k + 1);
        }
        sql += " WHERE rowid = ?";
        sql += std::to_string(columns.size() + 1);
        TStatementLease stmt = conn->Prepare(sql);
        for (size_t k = 0; k < columns.size(); ++k)
            stmt->BindVariant(static_cast<int>(k) + 1, Values[static_cast<size_t>(columns[k])]);
        stmt->BindInt64(static_cast<int>(columns.size()) + 1, rowid);
        stmt->Execute();
        if (conn->Database().Changes() == 0) Error(kRowNotFound);
    }
    ReloadRecord(Record, rowid, Values);
}

void TCustomADODataSet::InternalDelete(TRecord& Record) {
    if (FUpdateTable.empty()) Error("Insufficient key column information for updating or refreshing.");
    TADOConnection* conn = CheckConnection();
    int64_t rowid = LocateRow(Record);
    TStatementLease stmt = conn->Prepare("DELETE FROM " + QuoteIdentifier(FUpdateTable) + " WHERE rowid = ?1");
    stmt->BindInt64(1, rowid);
    stmt->Execute();
    if (conn->Database().Changes() == 0) Error(kRowNotFound);
}

void TCustomADODataSet::DeclareProperties(TPropertyDecl<TCustomADODataSet>& d) {
    d.Property("Connection", &TCustomADODataSet::Connection, &TCustomADODataSet::SetConnection);
    d.Property("CursorType", &TCustomADODataSet::CursorType, &TCustomADODataSet::SetCursorType)
        .Default(ctKeyset);
}

// --- TADOQuery -------------------------------------------------------------------------------

TADOQuery::TADOQuery(TComponent* AOwner)
    : TCustomADODataSet(AOwner), FSQL(std::make_unique<TStringList>()),
      FParameters(std::make_unique<TParameters>(this)) {
    FSQL->SetOnChange([this](TStringList&) { SQLChanged(); });
}

TADOQuery::~TADOQuery() {
    try {
        Close();
    } catch (...) {
    }
    FSQL->SetOnChange(nullptr);
}

void TADOQuery::SQLChanged() {
    Close();
    FParsedValid = false;
    if (!FParamCheck) return;
    std::vector<std::string> names;
    for (const TSqlParameterInfo& p : Parsed().Parameters) names.push_back(p.Name);
    FParameters->SetNames(names);
}

const TParsedSql& TADOQuery::Parsed() {
    if (!FParsedValid) {
        FParsed = ParseSqlParameters(FSQL->Text());
        FParsedValid = true;
    }
    return FParsed;
}

void TADOQuery::InternalOpen() {
    TADOConnection* conn = CheckConnection();
    FOpenStamp = conn->Database().DataStamp();
    const TParsedSql& parsed = Parsed();
    TStatementLease stmt = conn->Prepare(parsed.Text);
    if (stmt->ColumnCount() == 0) Error("CommandText does not return a result set");
    BindParameters(*stmt, parsed, *FParameters);
    DescribeColumns(*stmt, 0);
    // Each row is put together in one buffer and copied into the record store.
    std::string row;
    while (stmt->Step()) {
        ReadRow(*stmt, 0, row);
        AddRecord(row, 0);
    }
    SettleColumnTypes();
    FindUpdateTable();
}

void TADOQuery::InternalClose() {}

void TADOQuery::InternalInitFieldDefs() {
    TADOConnection* conn = CheckConnection();
    TStatementLease stmt = conn->Prepare(Parsed().Text);
    DescribeColumns(*stmt, 0);
    SettleColumnTypes();
}

int TADOQuery::ExecSQL() {
    TADOConnection* conn = CheckConnection();
    const TParsedSql& parsed = Parsed();
    {
        TStatementLease stmt = conn->Prepare(parsed.Text);
        BindParameters(*stmt, parsed, *FParameters);
        stmt->Execute();
    }
    FRowsAffected = conn->Database().Changes();
    if (IsSchemaStatement(parsed.Text)) conn->SchemaChanged();
    return FRowsAffected;
}

void TADOQuery::DeclareProperties(TPropertyDecl<TADOQuery>& d) {
    d.Property("ParamCheck", &TADOQuery::ParamCheck, &TADOQuery::SetParamCheck).Default(true);
    d.Property("Parameters", &TADOQuery::Parameters);
    d.Property("SQL", &TADOQuery::SQL);
}

// --- TADOTable -------------------------------------------------------------------------------

TADOTable::TADOTable(TComponent* AOwner) : TCustomADODataSet(AOwner) {}

TADOTable::~TADOTable() {
    try {
        Close();
    } catch (...) {
    }
}

void TADOTable::SetTableName(const std::string& Value) {
    if (Value == FTableName) return;
    if (Active()) Error("Cannot perform this operation on an open dataset");
    FTableName = Value;
}

namespace {
std::string PageSql(const std::string& table) {
    return "SELECT rowid, * FROM " + QuoteIdentifier(table) +
           " WHERE rowid > ?1 ORDER BY rowid LIMIT ?2";
}
}  // namespace

void TADOTable::InternalOpen() {
    TADOConnection* conn = CheckConnection();
    FOpenStamp = conn->Database().DataStamp();
    if (FTableName.empty()) Error("Missing TableName");
    FLastRowId = 0;
    TStatementLease stmt = conn->Prepare(PageSql(FTableName));
    DescribeColumns(*stmt, 1);
    SetMoreToFetch(true);
    if (!FetchPage(*stmt, FirstPage)) SetMoreToFetch(false);
    SettleColumnTypes();
    FUpdateTable = FTableName;
}

// Reads the next Count rows after the last one read, skipping rows this dataset appended
// meanwhile (they are in the buffer already); true when more may follow.
bool TADOTable::FetchPage(TSqliteStatement& Statement, int Count) {
    Statement.BindInt64(1, FLastRowId);
    Statement.BindInt64(2, Count);
    int read = 0;
    std::string row;
    while (Statement.Step()) {
        ++read;
        int64_t rowid = Statement.ColumnInt64(0);
        FLastRowId = rowid;
        if (InFetchedTail(rowid)) continue;
        ReadRow(Statement, 1, row);
        AddFetchedRecord(row, rowid);
    }
    Statement.Reset();
    return read == Count;
}

bool TADOTable::InternalFetch() {
    TStatementLease stmt = Connection()->Prepare(PageSql(FTableName));
    return FetchPage(*stmt, LaterPage);
}

int64_t TADOTable::InternalPendingCount() {
    TStatementLease stmt =
        Connection()->Prepare("SELECT count(*) FROM " + QuoteIdentifier(FTableName) + " WHERE rowid > ?1");
    stmt->BindInt64(1, FLastRowId);
    int64_t count = stmt->Step() ? stmt->ColumnInt64(0) : 0;
    for (int64_t rowid : TailRowIds())
        if (rowid > FLastRowId) --count;
    return count;
}

void TADOTable::InternalInitFieldDefs() {
    TADOConnection* conn = CheckConnection();
    TStatementLease stmt = conn->Prepare(PageSql(FTableName));
    DescribeColumns(*stmt, 1);
    SettleColumnTypes();
}

void TADOTable::DeclareProperties(TPropertyDecl<TADOTable>& d) {
    d.Property("TableName", &TADOTable::TableName, &TADOTable::SetTableName);
}

// --- Registration ----------------------------------------------------------------------------

void RegisterDBClasses() {
    RegisterClasses({TField::StaticClass(), TStringField::StaticClass(),
                     TWideStringField::StaticClass(), TSmallintField::StaticClass(),
                     TIntegerField::StaticClass(), TWordField::StaticClass(),
                     TAutoIncField::StaticClass(), TLargeintField::StaticClass(),
                     TFloatField::StaticClass(), TCurrencyField::StaticClass(),
                     TBCDField::StaticClass(), TBooleanField::StaticClass(),
                     TDateField::StaticClass(), TTimeField::StaticClass(),
                     TDateTimeField::StaticClass(), TMemoField::StaticClass(),
                     TBlobField::StaticClass(), TGraphicField::StaticClass(),
                     TDataSource::StaticClass(), TADOConnection::StaticClass(),
                     TADOQuery::StaticClass(), TADOTable::StaticClass()});
}
