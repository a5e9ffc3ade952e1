// The dataset model the windows, the report engine and scripts work with: TDataSet with
// buffered records, navigation, bookmarks, Locate and editing; TField and its typed
// descendants; field definitions; TDataSource and the TDataLink listener that data-aware
// controls attach to. The SQLite-backed datasets are in ADODB.h.
//
// Records hold their values as the database stores them (NULL, integer, real, text,
// blob); a field converts on the way in and out according to its DataType:
//   Value        Null for NULL; Integer (Int64 for ftLargeint), Double, Currency (ftBCD),
//                Date (date fields hold ISO text in the database), Boolean or String
//                otherwise.
//   AsString     "" for NULL; numbers as FloatToStr / IntToStr / CurrToStr; dates in the
//                short date format, with the long time format when the time of day is not 0.
//   AsInteger, AsFloat, AsCurrency, AsDateTime, AsBoolean
//                0 / 0.0 / 0 / 0 / false for NULL; text fields parse their text and raise
//                EConvertError when it is no number or date.
// An ftBCD field is an exact decimal: its Size is the number of decimals (0 to 4), its
// values are Currency rounded to them (halves away from zero) both ways, so a REAL stored
// with a double's noise (0.799999999999997) reads as the amount it stands for (0.8), and
// a value given to it is stored as the double nearest to that amount.
//   Setters      convert to the field's type: "" clears a numeric or date field, text that
//                is no number or date raises EConvertError and changes nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classes/Classes.h"
#include "platform/db/DBError.h"
#include "platform/rtl/Currency.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Variant.h"

class TDataSet;
class TDataSource;
class TStream;

// ORDER FIELDTYPE: the ordinal values are those stored files and scripts know.
ROVE_ENUM(TFieldType, ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat,
          ftCurrency, ftBCD, ftDate, ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob,
          ftMemo, ftGraphic, ftFmtMemo, ftParadoxOle, ftDBaseOle, ftTypedBinary, ftCursor,
          ftFixedChar, ftWideString, ftLargeint, ftADT, ftArray, ftReference, ftDataSet,
          ftOraBlob, ftOraClob, ftVariant, ftInterface, ftIDispatch, ftGuid, ftTimeStamp,
          ftFMTBcd)

ROVE_ENUM(TDataSetState, dsInactive, dsBrowse, dsEdit, dsInsert)

ROVE_ENUM(TLocateOption, loCaseInsensitive, loPartialKey)
ROVE_SET(TLocateOptions, TLocateOption)

using TDataSetNotifyEvent = TEvent<void(TDataSet* DataSet)>;
ROVE_EVENT_TYPE(TDataSetNotifyEvent)

bool IsStringFieldType(TFieldType type);    // ftString, ftWideString, ftFixedChar, ftMemo
bool IsIntegerFieldType(TFieldType type);   // ftSmallint, ftInteger, ftWord, ftAutoInc, ftLargeint
bool IsFloatFieldType(TFieldType type);     // ftFloat, ftCurrency, ftBCD, ftFMTBcd
bool IsDateFieldType(TFieldType type);      // ftDate, ftTime, ftDateTime, ftTimeStamp
bool IsBlobFieldType(TFieldType type);      // ftBlob, ftMemo, ftGraphic, ftFmtMemo, ...

// --- Fields ----------------------------------------------------------------------------------
// A column of a dataset. Fields created by a form resource (persistent fields, owned by the
// form) keep their class and properties across Close and Open; without them the dataset
// creates one field per column when it opens (default fields) and frees them on Close.
class TField : public TComponent {
    ROVE_CLASS(TField, TComponent)
public:
    explicit TField(TComponent* AOwner);
    ~TField() override;

    TDataSet* DataSet() const { return FDataSet; }
    // Makes this field one of DataSet's persistent fields (nullptr detaches it).
    void SetDataSet(TDataSet* Value);
    const std::string& FieldName() const { return FFieldName; }
    void SetFieldName(const std::string& Value);
    TFieldType DataType() const { return FDataType; }
    int Size() const { return FSize; }
    void SetSize(int Value);
    // The 1-based column of the open dataset's records; 0 while unbound.
    int FieldNo() const { return FFieldNo; }
    // The position in DataSet()->Fields(), -1 when not there.
    int Index() const;

    std::string DisplayLabel() const;             // FieldName unless set
    void SetDisplayLabel(const std::string& Value);
    int DisplayWidth() const;                      // by type and size unless set
    void SetDisplayWidth(int Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    bool IsBlob() const { return IsBlobFieldType(FDataType); }

    // --- The value of the current record (of the edit buffer while editing) ------------
    bool IsNull() const;
    void Clear();
    Variant Value() const;
    void SetValue(const Variant& Value);
    std::string AsString() const;
    void SetAsString(const std::string& Value);
    int32_t AsInteger() const;
    void SetAsInteger(int32_t Value);
    int64_t AsLargeInt() const;
    void SetAsLargeInt(int64_t Value);
    double AsFloat() const;
    void SetAsFloat(double Value);
    // Exact for ftBCD; a float field's value is read as its nearest ten-thousandth.
    Currency AsCurrency() const;
    void SetAsCurrency(Currency Value);
    TDateTime AsDateTime() const;
    void SetAsDateTime(TDateTime Value);
    bool AsBoolean() const;
    void SetAsBoolean(bool Value);
    Variant AsVariant() const { return Value(); }
    void SetAsVariant(const Variant& Value) { SetValue(Value); }
    // The text a grid shows; "(BLOB)" / "(MEMO)" for blob kinds.
    std::string DisplayText() const;
    // AsString and DisplayText of a value in database form (another record's value).
    std::string TextOf(const Variant& Stored) const;
    std::string DisplayTextOf(const Variant& Stored) const;
    // The text an editor edits (AsString).
    std::string Text() const { return AsString(); }
    void SetText(const std::string& Value) { SetAsString(Value); }
    // Blob kinds: the raw bytes; other kinds AsString.
    std::string AsBytes() const;
    void SaveToStream(TStream& Stream) const;

    // The value as the database stores it, and the conversion of a value into that form
    // (both used by datasets and by Locate).
    Variant StorageValue() const;
    Variant ToStorage(const Variant& Value) const;
    Variant FromStorage(const Variant& Stored) const;

    // Persistent fields stream inside their dataset's object block.
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;

    static void DeclareProperties(TPropertyDecl<TField>& d);

protected:
    TField(TComponent* AOwner, TFieldType DataType, int Size);

private:
    friend class TDataSet;
    [[noreturn]] void ConvertError(std::string (*Text)(std::string_view)) const;
    bool ReadStoredValue(std::string_view Data) const;
    bool HasDisplayLabel() const { return !FDisplayLabel.empty(); }
    bool HasDisplayWidth() const { return FDisplayWidth > 0; }
    TDataSet* FDataSet = nullptr;
    std::string FFieldName;
    TFieldType FDataType = ftUnknown;
    int FSize = 0;
    int FFieldNo = 0;
    std::string FDisplayLabel;
    int FDisplayWidth = 0;                // 0: by type and size
    bool FVisible = true;
    bool FReadOnly = false;
    bool FDefaultField = false;           // created by the dataset on Open
    // Value() of the record of this serial and content version (TDataSet::BrowsedRecord),
    // kept until either differs.
    mutable Variant FValue;
    mutable uint64_t FValueSerial = 0;
    mutable uint64_t FValueVersion = 0;
};

// One class per field type, so form resources can name them.
#define ROVE_DB_FIELD_CLASS(Class, Type, DefaultSize)                                    \
    class Class : public TField {                                                      \
        ROVE_CLASS(Class, TField)                                                      \
    public:                                                                            \
        explicit Class(TComponent* AOwner) : TField(AOwner, Type, DefaultSize) {}      \
    };
ROVE_DB_FIELD_CLASS(TStringField, ftString, 20)
ROVE_DB_FIELD_CLASS(TWideStringField, ftWideString, 20)
ROVE_DB_FIELD_CLASS(TSmallintField, ftSmallint, 0)
ROVE_DB_FIELD_CLASS(TIntegerField, ftInteger, 0)
ROVE_DB_FIELD_CLASS(TWordField, ftWord, 0)
ROVE_DB_FIELD_CLASS(TAutoIncField, ftAutoInc, 0)
ROVE_DB_FIELD_CLASS(TLargeintField, ftLargeint, 0)
ROVE_DB_FIELD_CLASS(TFloatField, ftFloat, 0)
ROVE_DB_FIELD_CLASS(TCurrencyField, ftCurrency, 0)
ROVE_DB_FIELD_CLASS(TBCDField, ftBCD, 4)
ROVE_DB_FIELD_CLASS(TBooleanField, ftBoolean, 0)
ROVE_DB_FIELD_CLASS(TDateField, ftDate, 0)
ROVE_DB_FIELD_CLASS(TTimeField, ftTime, 0)
ROVE_DB_FIELD_CLASS(TDateTimeField, ftDateTime, 0)
ROVE_DB_FIELD_CLASS(TMemoField, ftMemo, 0)
ROVE_DB_FIELD_CLASS(TBlobField, ftBlob, 0)
ROVE_DB_FIELD_CLASS(TGraphicField, ftGraphic, 0)
#undef ROVE_DB_FIELD_CLASS

// The field class for a type (default fields, FieldDefs).
TClass FieldClassOf(TFieldType type);

// The fields of a dataset in column order.
class TFields {
public:
    explicit TFields(TDataSet* DataSet) : FDataSet(DataSet) {}
    int Count() const { return static_cast<int>(FList.size()); }
    TField* Fields(int Index) const;                 // raises EListError out of range
    TField* operator[](int Index) const { return Fields(Index); }
    // Names compare ignoring ASCII case ("ID" finds "id").
    TField* FindField(std::string_view FieldName) const;
    TField* FieldByName(std::string_view FieldName) const;   // raises "Field 'x' not found"
    int IndexOf(const TField* Field) const;

private:
    friend class TDataSet;
    TDataSet* FDataSet;
    std::vector<TField*> FList;
};

// What the database says about a column of the result.
struct TFieldDef {
    std::string Name;
    TFieldType DataType = ftUnknown;
    int Size = 0;                 // characters for text, 0 otherwise
    int FieldNo = 0;              // 1-based
    std::string TableName;        // the table a plain column comes from, else empty
    std::string OriginName;       // its name in that table
};

class TFieldDefs {
public:
    explicit TFieldDefs(TDataSet* DataSet) : FDataSet(DataSet) {}
    int Count() const { return static_cast<int>(FItems.size()); }
    const TFieldDef& Items(int Index) const;         // raises EListError out of range
    const TFieldDef& operator[](int Index) const { return Items(Index); }
    const TFieldDef* FindDef(std::string_view Name) const;   // ignoring ASCII case
    const TFieldDef& Find(std::string_view Name) const;      // raises "Field 'x' not found"
    int IndexOf(std::string_view Name) const;
    // Reads the definitions from the database without opening the dataset.
    void Update();
    void Clear() { FItems.clear(); }
    void Add(TFieldDef Def);
    // Settles the type of a definition (datasets, while opening).
    void SetType(int Index, TFieldType DataType, int Size);

private:
    TDataSet* FDataSet;
    std::vector<TFieldDef> FItems;
};

// --- Records (the buffer of a dataset) -------------------------------------------------------
// A record as descendants post and delete it: its column values in database form (see
// RecordCodec in Fields.cpp), the rowid it has in its table when known, and a serial
// number that identifies it for bookmarks while the dataset stays open.
struct TRecord {
    std::string Data;
    int64_t RowId = 0;
    uint64_t Serial = 0;
};

// A buffered record: the same, its values lying in the dataset's record store. Data points
// at the bytes' length (LEB128) in the store, followed by the bytes, so that an entry takes
// 24 bytes (a million rows' entries 24 MB instead of 32); nullptr for no bytes.
struct TStoredRecord {
    const char* Data = nullptr;
    int64_t RowId = 0;
    uint64_t Serial = 0;
    std::string_view Bytes() const {
        if (!Data) return {};
        const auto* p = reinterpret_cast<const unsigned char*>(Data);
        size_t n = *p & 0x7F;
        for (int shift = 7; *p++ & 0x80; shift += 7) n |= static_cast<size_t>(*p & 0x7F) << shift;
        return std::string_view(reinterpret_cast<const char*>(p), n);
    }
};

// The bytes of a dataset's records, in blocks that never move: a record costs its bytes
// and no allocation of its own. Space of records replaced or deleted is given back only
// when the store is cleared (the dataset closes).
class TRecordStore {
public:
    // The bytes stored after their length (LEB128); the place of the length, nullptr for
    // no bytes.
    const char* Add(std::string_view Bytes);
    void Clear();

private:
    static constexpr size_t kBlockSize = 64 * 1024;
    std::vector<std::unique_ptr<char[]>> FBlocks;
    char* FFree = nullptr;      // where the current block's unused part starts
    size_t FLeft = 0;           // its size
};

// Encoding of a record's values: one tag byte per column (NULL, integer, real, text, blob)
// followed by the payload. Kept compact so a large result costs little more than its text.
namespace RecordCodec {
void AppendNull(std::string& data);
void AppendInt(std::string& data, int64_t value);
void AppendReal(std::string& data, double value);
void AppendText(std::string& data, std::string_view text);
void AppendBlob(std::string& data, std::string_view bytes);
// Appends a value given as a Variant in database form (Null, integers, Double, String).
void AppendValue(std::string& data, const Variant& value);
Variant Get(std::string_view data, int column);
std::vector<Variant> GetAll(std::string_view data, int columns);
std::string Encode(const std::vector<Variant>& values);
}  // namespace RecordCodec

// --- Bookmarks -------------------------------------------------------------------------------
struct TBookmarkData {
    uint64_t Serial;
    mutable int Hint;             // the record's last known position
};
using TBookmark = std::shared_ptr<const TBookmarkData>;

// --- Data-aware controls ---------------------------------------------------------------------
// A control follows a dataset through a TDataSource with a TDataLink. While the dataset's
// controls are disabled (DisableControls) no notification arrives except UpdateData; when
// the last EnableControls runs, the link receives what it missed as one DataSetChanged
// (preceded by ActiveChanged and LayoutChanged when those happened meanwhile).
class TDataLink {
public:
    TDataLink() = default;
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;
    virtual ~TDataLink();

    TDataSource* DataSource() const { return FDataSource; }
    void SetDataSource(TDataSource* Value);
    TDataSet* DataSet() const;
    bool Active() const;                 // the source is enabled and its dataset open

    // The dataset was opened or closed.
    virtual void ActiveChanged() {}
    // The records changed as a whole (open, post, delete, insert, cancel, refresh).
    virtual void DataSetChanged() {}
    // The current record moved by Distance records (0 when not known).
    virtual void DataSetScrolled(int Distance) {}
    // A field of the current record changed (Field null: the whole record).
    virtual void RecordChanged(TField* Field) {}
    // The fields were created, freed or reordered.
    virtual void LayoutChanged() {}
    // The dataset entered or left edit or insert state.
    virtual void EditingChanged() {}
    // Before a post: write pending edits of the control into the fields.
    virtual void UpdateData() {}

private:
    friend class TDataSource;
    TDataSource* FDataSource = nullptr;
};

class TDataSource : public TComponent {
    ROVE_CLASS(TDataSource, TComponent)
public:
    explicit TDataSource(TComponent* AOwner);
    ~TDataSource() override;

    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool AutoEdit() const { return FAutoEdit; }
    void SetAutoEdit(bool Value) { FAutoEdit = Value; }
    TDataSetState State() const;
    // Puts the dataset into edit state when AutoEdit allows it.
    void Edit();
    int DataLinkCount() const { return static_cast<int>(FLinks.size()); }
    TDataLink* DataLinks(int Index) const { return FLinks.at(static_cast<size_t>(Index)); }

    void Notification(TComponent* AComponent, TOperation Operation) override;
    static void DeclareProperties(TPropertyDecl<TDataSource>& d);

private:
    friend class TDataLink;
    friend class TDataSet;
    TDataSet* FDataSet = nullptr;
    bool FEnabled = true;
    bool FAutoEdit = true;
    std::vector<TDataLink*> FLinks;
};

// --- Datasets --------------------------------------------------------------------------------
// What a dataset tells the links of its data sources (see TDataLink).
enum class TDataLinkEvent { ActiveChanged, DataSetChanged, Scrolled, RecordChanged, LayoutChanged,
                            EditingChanged, UpdateData };

// The base of every dataset: the record buffer and everything done with it. Descendants
// supply the records (InternalOpen, InternalFetch) and write changes back (InternalPost,
// InternalDelete).
//
// Navigation follows the class library: after Open the first record is current and Bof is
// true; Next on the last record sets Eof and stays there; an empty dataset is Bof and Eof.
// Moving while a record is edited posts it when changed and cancels it otherwise.
class TDataSet : public TComponent {
    ROVE_CLASS(TDataSet, TComponent)
public:
    explicit TDataSet(TComponent* AOwner);
    ~TDataSet() override;

    // --- Opening -----------------------------------------------------------------------
    bool Active() const { return FState != dsInactive; }
    void SetActive(bool Value);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return FState; }
    // An open dataset whose records may be older than its database's content: something
    // was written there since it was opened (false when that cannot be told).
    virtual bool DataMayHaveChanged() { return false; }

    // --- Navigation --------------------------------------------------------------------
    void First();
    void Next();
    void Prior();
    void Last();
    int MoveBy(int Distance);                   // the distance actually moved
    bool Eof() const { return FEof; }
    bool Bof() const { return FBof; }
    int RecNo() const;                          // 1-based; 0 when there is no record
    void SetRecNo(int Value);
    int RecordCount();                          // every record, fetched or not
    bool IsEmpty();
    // A field's value and grid text in the record at RecNo (1-based) without moving there,
    // for painting a grid; Null and "" past the end. The stored record is read, not the
    // edit buffer.
    Variant ValueAt(int RecNo, const TField* Field);
    std::string DisplayTextAt(int RecNo, const TField* Field);

    TBookmark GetBookmark() const;              // null when there is no current record
    void GotoBookmark(const TBookmark& Bookmark);   // raises "Record not found"
    void FreeBookmark(TBookmark& Bookmark) { Bookmark.reset(); }
    bool BookmarkValid(const TBookmark& Bookmark) const;
    // Negative, 0 or positive by record order; a null bookmark sorts first.
    int CompareBookmarks(const TBookmark& A, const TBookmark& B) const;

    // Finds the first record whose fields (names separated by ";") equal the values (one
    // value, or a Variant array with one element per field); makes it current and returns
    // true, or leaves the position and returns false. Text compares exactly unless
    // loCaseInsensitive (ASCII letters) or loPartialKey (a prefix) says otherwise.
    bool Locate(std::string_view KeyFields, const Variant& KeyValues, TLocateOptions Options);

    // --- Editing -----------------------------------------------------------------------
    void Append();                              // a new record after the last one
    void Insert();                              // a new record before the current one
    void Edit();
    void Post();
    void Cancel();
    void Delete();                              // the current record
    bool Modified() const { return FModified; }
    bool CanModify() const;

    // --- Controls ----------------------------------------------------------------------
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return FDisableCount > 0; }

    // --- Fields ------------------------------------------------------------------------
    TFields& Fields() { return FFields; }
    const TFields& Fields() const { return FFields; }
    int FieldCount() const { return FFields.Count(); }
    TField* FindField(std::string_view FieldName) const { return FFields.FindField(FieldName); }
    TField* FieldByName(std::string_view FieldName) const { return FFields.FieldByName(FieldName); }
    // The field names of the open dataset, else of its persistent fields, else of its
    // field definitions.
    void GetFieldNames(TStrings* List);
    TFieldDefs& FieldDefs() { return FFieldDefs; }

    // --- Events (replace and chain: copy the event, assign your own, call the copy) ----
    TDataSetNotifyEvent AfterOpen;
    TDataSetNotifyEvent BeforePost;
    TDataSetNotifyEvent AfterPost;
    TDataSetNotifyEvent AfterDelete;
    TDataSetNotifyEvent AfterScroll;

    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void Loaded() override;
    static void DeclareProperties(TPropertyDecl<TDataSet>& d);

    // --- For fields and data sources ---------------------------------------------------
    Variant GetColumnValue(int FieldNo) const;            // database form
    // In browse state, the current record (nullptr when there is none) and the version of
    // the records' content: its serial and the version are a pair no other record or
    // content ever has (the version comes from a process-wide count, taken again on open,
    // close, post and delete). nullptr too while a record is edited or inserted.
    const TStoredRecord* BrowsedRecord(uint64_t& Version) const {
        if (FState != dsBrowse || FCurrent < 0) return nullptr;
        Version = FContentVersion;
        return &FRecords[static_cast<size_t>(FCurrent)];
    }
    void SetColumnValue(TField* Field, Variant Stored);  // database form, edit state only
    [[noreturn]] void Error(std::string_view Text) const;   // "Name: Text" when named

protected:
    // Called by Open with FieldDefs to fill (SetColumns) and the first records to add.
    virtual void InternalOpen() = 0;
    virtual void InternalClose() {}
    // Adds more records at the end of the fetched part; false when none are left.
    virtual bool InternalFetch() { return false; }
    // The number of records not yet fetched (RecordCount).
    virtual int64_t InternalPendingCount() { return 0; }
    // Reads the field definitions without opening (FieldDefs.Update).
    virtual void InternalInitFieldDefs() {}
    // Writes the edit buffer: values in database form, which of them changed, and whether
    // the record is new. Fills Record (its values as now stored, its rowid).
    virtual void InternalPost(TRecord& Record, const std::vector<Variant>& Values,
                              const std::vector<bool>& Changed, bool Inserting) = 0;
    virtual void InternalDelete(TRecord& Record) = 0;
    virtual bool InternalCanModify() const { return true; }

    // For descendants while opening and fetching.
    void AddRecord(std::string_view Data, int64_t RowId);
    // Inserts fetched records before the records that were appended by this dataset while
    // not everything was fetched (they belong after all fetched ones).
    void AddFetchedRecord(std::string_view Data, int64_t RowId);
    bool InFetchedTail(int64_t RowId) const;
    const std::vector<int64_t>& TailRowIds() const { return FTailRowIds; }
    // Called by InternalOpen of a dataset that reads its records in pages.
    void SetMoreToFetch(bool Value) { FAllFetched = !Value; }
    void DataEvent(TDataLinkEvent Event, TField* Field = nullptr, int Info = 0);

private:
    friend class TField;
    friend class TFieldDefs;
    friend class TDataSource;
    void DoOpen();
    void DoClose();
    void CreateFields();
    void DestroyFields();
    void BindFields();
    void CheckActive() const;
    void CheckBrowseMode();
    void CheckEditing() const;
    bool FetchMore();
    void FetchAll();
    void FetchThrough(int Index);
    void FetchBefore();
    // Moves to the record at Index (fetching as needed); sets Bof/Eof as the class
    // library does for the operation, fires scroll notifications.
    void MoveTo(int Index, bool Scrolled);
    void SetState(TDataSetState Value);
    void BeginEditBuffer(bool Inserting);
    int FindBookmark(const TBookmark& Bookmark) const;
    bool MatchesKeys(int Index, const std::vector<TField*>& Keys,
                     const std::vector<Variant>& Values, TLocateOptions Options) const;
    void NotifyLinks(TDataLinkEvent Event, TField* Field, int Info);
    void AddDataSource(TDataSource* Source);
    void RemoveDataSource(TDataSource* Source);
    void RemovePersistentField(TField* Field);

    TDataSetState FState = dsInactive;
    TFieldDefs FFieldDefs;
    TFields FFields;
    std::vector<TField*> FPersistentFields;          // in creation order
    std::vector<std::unique_ptr<TField>> FDefaultFields;
    std::vector<TStoredRecord> FRecords;
    TRecordStore FStore;
    // A working copy of a buffered record for a descendant's post or delete.
    TRecord CopyOf(const TStoredRecord& Record) const;
    TStoredRecord Store(const TRecord& Record);
    TStoredRecord Store(std::string_view Data, int64_t RowId, uint64_t Serial);
    size_t FTailStart = 0;                            // first record appended before all were fetched
    std::vector<int64_t> FTailRowIds;                 // rowids of records inserted while fetching
    int FCurrent = -1;
    bool FBof = true;
    bool FEof = true;
    bool FAllFetched = true;
    uint64_t FNextSerial = 1;
    uint64_t FContentVersion = 0;                     // see BrowsedRecord
    void ContentChanged();
    // Edit buffer.
    std::vector<Variant> FEditValues;
    std::vector<bool> FEditChanged;
    bool FModified = false;
    int FInsertIndex = -1;
    // Controls.
    int FDisableCount = 0;
    bool FPendingActive = false;
    bool FPendingLayout = false;
    std::vector<TDataSource*> FDataSources;
    bool FStreamedActive = false;
};

// Scope guard: DisableControls now, EnableControls on every way out.
class TDisableControls {
public:
    explicit TDisableControls(TDataSet& DataSet) : FDataSet(DataSet) { FDataSet.DisableControls(); }
    ~TDisableControls() { FDataSet.EnableControls(); }
    TDisableControls(const TDisableControls&) = delete;
    TDisableControls& operator=(const TDisableControls&) = delete;

private:
    TDataSet& FDataSet;
};

// Makes sure the data classes are linked in and registered by name (called at start-up).
void RegisterDBClasses();
