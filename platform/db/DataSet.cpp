// TDataSet: the record buffer, navigation, editing and the links of data-aware controls;
// TDataSource and TDataLink.
#include <algorithm>
#include <cstring>

#include "platform/db/DB.h"
#include "platform/db/JetFunctions.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"

ROVE_IMPLEMENT_CLASS(TDataSet)
ROVE_IMPLEMENT_CLASS(TDataSource)

// --- TDataLink -------------------------------------------------------------------------------

TDataLink::~TDataLink() { SetDataSource(nullptr); }

void TDataLink::SetDataSource(TDataSource* Value) {
    if (Value == FDataSource) return;
    if (FDataSource) {
        auto& links = FDataSource->FLinks;
        links.erase(std::remove(links.begin(), links.end(), this), links.end());
    }
    FDataSource = Value;
    if (Value) Value->FLinks.push_back(this);
    ActiveChanged();
}

TDataSet* TDataLink::DataSet() const { return FDataSource ? FDataSource->DataSet() : nullptr; }

bool TDataLink::Active() const {
    return FDataSource && FDataSource->Enabled() && FDataSource->DataSet() &&
           FDataSource->DataSet()->Active();
}

// --- TDataSource -----------------------------------------------------------------------------

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
    SetDataSet(nullptr);
    for (TDataLink* link : std::vector<TDataLink*>(FLinks)) link->FDataSource = nullptr;
    FLinks.clear();
}

void TDataSource::SetDataSet(TDataSet* Value) {
    if (Value == FDataSet) return;
    if (FDataSet) {
        FDataSet->RemoveDataSource(this);
        FDataSet->RemoveFreeNotification(this);
    }
    FDataSet = Value;
    if (Value) {
        Value->AddDataSource(this);
        Value->FreeNotification(this);
    }
    for (TDataLink* link : std::vector<TDataLink*>(FLinks)) link->ActiveChanged();
}

void TDataSource::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    for (TDataLink* link : std::vector<TDataLink*>(FLinks)) link->ActiveChanged();
}

TDataSetState TDataSource::State() const {
    return FDataSet && FEnabled ? FDataSet->State() : dsInactive;
}

void TDataSource::Edit() {
    if (FAutoEdit && FDataSet && FDataSet->State() == dsBrowse) FDataSet->Edit();
}

void TDataSource::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDataSet) SetDataSet(nullptr);
}

void TDataSource::DeclareProperties(TPropertyDecl<TDataSource>& d) {
    d.Property("AutoEdit", &TDataSource::AutoEdit, &TDataSource::SetAutoEdit).Default(true);
    d.Property("DataSet", &TDataSource::DataSet, &TDataSource::SetDataSet);
    d.Property("Enabled", &TDataSource::Enabled, &TDataSource::SetEnabled).Default(true);
}

// --- TDataSet: life ----------------------------------------------------------------------------

TDataSet::TDataSet(TComponent* AOwner) : TComponent(AOwner), FFieldDefs(this), FFields(this) {}

TDataSet::~TDataSet() {
    // Descendants close in their own destructors; what is left here is the buffer.
    FState = dsInactive;
    FRecords.clear();
    FStore.Clear();
    for (TDataSource* source : std::vector<TDataSource*>(FDataSources)) {
        source->FDataSet = nullptr;
        for (TDataLink* link : std::vector<TDataLink*>(source->FLinks)) link->ActiveChanged();
    }
    FDataSources.clear();
    FFields.FList.clear();
    FDefaultFields.clear();
    for (TField* f : FPersistentFields) {
        f->FDataSet = nullptr;
        f->FFieldNo = 0;
    }
    FPersistentFields.clear();
}

void TDataSet::Error(std::string_view Text) const {
    if (Name().empty()) DatabaseError(std::string(Text));
    DatabaseError(Name() + ": " + std::string(Text));
}

void TDataSet::CheckActive() const {
    if (!Active()) Error("Cannot perform this operation on a closed dataset");
}

void TDataSet::CheckEditing() const {
    if (FState != dsEdit && FState != dsInsert) Error("Dataset not in edit or insert mode");
}

void TDataSet::SetActive(bool Value) {
    if (ComponentState().Contains(csLoading)) {
        FStreamedActive = Value;
        return;
    }
    if (Value == Active()) return;
    if (Value) DoOpen();
    else DoClose();
}

void TDataSet::Loaded() {
    TComponent::Loaded();
    if (FStreamedActive) {
        FStreamedActive = false;
        Open();
    }
}

void TDataSet::ContentChanged() {
    static uint64_t versions = 0;
    FContentVersion = ++versions;
}

void TDataSet::DoOpen() {
    ContentChanged();
    FRecords.clear();
    FStore.Clear();
    FTailStart = 0;
    FTailRowIds.clear();
    FAllFetched = true;
    FFieldDefs.Clear();
    FModified = false;
    try {
        FState = dsBrowse;   // descendants add records while opening
        InternalOpen();
        CreateFields();
    } catch (...) {
        FState = dsInactive;
        FRecords.clear();
        FStore.Clear();
        DestroyFields();
        try {
            InternalClose();
        } catch (...) {
        }
        throw;
    }
    if (FRecords.empty() && !FAllFetched) FetchMore();
    FCurrent = FRecords.empty() ? -1 : 0;
    FBof = true;
    FEof = FRecords.empty();
    DataEvent(TDataLinkEvent::LayoutChanged);
    DataEvent(TDataLinkEvent::ActiveChanged);
    AfterOpen(this);
    AfterScroll(this);
}

void TDataSet::DoClose() {
    if (FState == dsEdit || FState == dsInsert) Cancel();
    FState = dsInactive;
    try {
        InternalClose();
    } catch (...) {
    }
    ContentChanged();
    FRecords.clear();
    FStore.Clear();
    FTailStart = 0;
    FTailRowIds.clear();
    FCurrent = -1;
    FBof = FEof = true;
    DestroyFields();
    DataEvent(TDataLinkEvent::ActiveChanged);
    DataEvent(TDataLinkEvent::LayoutChanged);
}

// Persistent fields bind to the columns of their names; without them every column gets a
// default field of its type.
void TDataSet::CreateFields() {
    FFields.FList.clear();
    FDefaultFields.clear();
    if (!FPersistentFields.empty()) {
        for (TField* f : FPersistentFields) {
            int index = FFieldDefs.IndexOf(f->FieldName());
            if (index < 0) Error("Field '" + f->FieldName() + "' not found");
            f->FFieldNo = index + 1;
            FFields.FList.push_back(f);
        }
        return;
    }
    for (int i = 0; i < FFieldDefs.Count(); ++i) {
        const TFieldDef& def = FFieldDefs[i];
        auto* field = static_cast<TField*>(FieldClassOf(def.DataType)->CreateInstance(nullptr));
        std::unique_ptr<TField> owned(field);
        field->FDataType = def.DataType;
        field->FFieldName = def.Name;
        field->FSize = def.Size;
        field->FFieldNo = def.FieldNo;
        field->FDataSet = this;
        field->FDefaultField = true;
        FFields.FList.push_back(field);
        FDefaultFields.push_back(std::move(owned));
    }
}

void TDataSet::DestroyFields() {
    FFields.FList.clear();
    FDefaultFields.clear();
    for (TField* f : FPersistentFields) f->FFieldNo = 0;
}

void TDataSet::RemovePersistentField(TField* Field) {
    FPersistentFields.erase(std::remove(FPersistentFields.begin(), FPersistentFields.end(), Field),
                            FPersistentFields.end());
    auto& list = FFields.FList;
    auto it = std::find(list.begin(), list.end(), Field);
    if (it != list.end()) {
        list.erase(it);
        DataEvent(TDataLinkEvent::LayoutChanged);
    }
    Field->FFieldNo = 0;
}

void TDataSet::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
    for (TField* f : FPersistentFields)
        if (f->Owner() == Root) Proc(f);
}

void TDataSet::GetFieldNames(TStrings* List) {
    List->BeginUpdate();
    List->Clear();
    if (Active()) {
        for (TField* f : FFields.FList) List->Add(f->FieldName());
    } else if (!FPersistentFields.empty()) {
        for (TField* f : FPersistentFields) List->Add(f->FieldName());
    } else {
        FFieldDefs.Update();
        for (int i = 0; i < FFieldDefs.Count(); ++i) List->Add(FFieldDefs[i].Name);
    }
    List->EndUpdate();
}

void TDataSet::DeclareProperties(TPropertyDecl<TDataSet>& d) {
    d.Property("Active", &TDataSet::Active, &TDataSet::SetActive).Default(false);
    d.Event("AfterOpen", &TDataSet::AfterOpen);
    d.Event("BeforePost", &TDataSet::BeforePost);
    d.Event("AfterPost", &TDataSet::AfterPost);
    d.Event("AfterDelete", &TDataSet::AfterDelete);
    d.Event("AfterScroll", &TDataSet::AfterScroll);
}

// --- Records ---------------------------------------------------------------------------------

const char* TRecordStore::Add(std::string_view Bytes) {
    if (Bytes.empty()) return nullptr;
    unsigned char length[10];
    size_t lengthSize = 0;
    for (size_t n = Bytes.size();; n >>= 7) {
        length[lengthSize++] = static_cast<unsigned char>((n & 0x7F) | (n > 0x7F ? 0x80 : 0));
        if (n <= 0x7F) break;
    }
    const size_t size = lengthSize + Bytes.size();
    char* at;
    // A record of more than a quarter block gets a block of its own; the current block
    // stays for the next ones.
    if (size > kBlockSize / 4) {
        FBlocks.push_back(std::make_unique<char[]>(size));
        at = FBlocks.back().get();
    } else {
        if (size > FLeft) {
            FBlocks.push_back(std::make_unique<char[]>(kBlockSize));
            FFree = FBlocks.back().get();
            FLeft = kBlockSize;
        }
        at = FFree;
        FFree += size;
        FLeft -= size;
    }
    std::memcpy(at, length, lengthSize);
    std::memcpy(at + lengthSize, Bytes.data(), Bytes.size());
    return at;
}

void TRecordStore::Clear() {
    FBlocks.clear();
    FFree = nullptr;
    FLeft = 0;
}

TRecord TDataSet::CopyOf(const TStoredRecord& Record) const {
    TRecord r;
    r.Data = std::string(Record.Bytes());
    r.RowId = Record.RowId;
    r.Serial = Record.Serial;
    return r;
}

TStoredRecord TDataSet::Store(std::string_view Data, int64_t RowId, uint64_t Serial) {
    TStoredRecord r;
    r.Data = FStore.Add(Data);
    r.RowId = RowId;
    r.Serial = Serial;
    return r;
}

TStoredRecord TDataSet::Store(const TRecord& Record) { return Store(Record.Data, Record.RowId, Record.Serial); }

void TDataSet::AddRecord(std::string_view Data, int64_t RowId) {
    FRecords.push_back(Store(Data, RowId, FNextSerial++));
    FTailStart = FRecords.size();
}

void TDataSet::AddFetchedRecord(std::string_view Data, int64_t RowId) {
    const TStoredRecord r = Store(Data, RowId, FNextSerial++);
    FRecords.insert(FRecords.begin() + static_cast<ptrdiff_t>(FTailStart), r);
    if (FCurrent >= static_cast<int>(FTailStart)) ++FCurrent;
    ++FTailStart;
}

bool TDataSet::InFetchedTail(int64_t RowId) const {
    return std::find(FTailRowIds.begin(), FTailRowIds.end(), RowId) != FTailRowIds.end();
}

bool TDataSet::FetchMore() {
    if (FAllFetched) return false;
    size_t before = FRecords.size();
    bool more = InternalFetch();
    if (!more) {
        FAllFetched = true;
        FTailRowIds.clear();
        FTailStart = FRecords.size();
    }
    return FRecords.size() > before || more;
}

void TDataSet::FetchAll() {
    while (!FAllFetched) FetchMore();
}

// Records appended while not everything was read stand after all unread ones: moving from
// the read part towards them reads on first, and moving back from them reads everything.
void TDataSet::FetchThrough(int Index) {
    while (!FAllFetched && Index >= static_cast<int>(FTailStart)) FetchMore();
}

void TDataSet::FetchBefore() {
    if (!FAllFetched && FCurrent >= static_cast<int>(FTailStart)) FetchAll();
}

Variant TDataSet::GetColumnValue(int FieldNo) const {
    size_t column = static_cast<size_t>(FieldNo - 1);
    if (FState == dsEdit || FState == dsInsert) {
        if (column < FEditValues.size()) return FEditValues[column];
        return Variant::Null();
    }
    if (FState == dsInactive || FCurrent < 0) return Variant::Null();
    return RecordCodec::Get(FRecords[static_cast<size_t>(FCurrent)].Bytes(), FieldNo - 1);
}

void TDataSet::SetColumnValue(TField* Field, Variant Stored) {
    CheckEditing();
    if (Field->ReadOnly()) Error("Field '" + Field->FieldName() + "' cannot be modified");
    size_t column = static_cast<size_t>(Field->FieldNo() - 1);
    if (column >= FEditValues.size()) Error("Field '" + Field->FieldName() + "' not found");
    FEditValues[column] = std::move(Stored);
    FEditChanged[column] = true;
    FModified = true;
    DataEvent(TDataLinkEvent::RecordChanged, Field);
}

// --- Navigation ------------------------------------------------------------------------------

void TDataSet::CheckBrowseMode() {
    CheckActive();
    if (FState == dsEdit || FState == dsInsert) {
        DataEvent(TDataLinkEvent::UpdateData);
        if (FModified) Post();
        else Cancel();
    }
}

void TDataSet::MoveTo(int Index, bool Scrolled) {
    int old = FCurrent;
    FCurrent = Index;
    if (Scrolled && old != FCurrent) DataEvent(TDataLinkEvent::Scrolled, nullptr, FCurrent - old);
}

void TDataSet::First() {
    CheckBrowseMode();
    if (FRecords.empty()) FetchMore();
    MoveTo(FRecords.empty() ? -1 : 0, true);
    FBof = true;
    FEof = FRecords.empty();
    AfterScroll(this);
}

void TDataSet::Next() {
    CheckBrowseMode();
    if (FCurrent < static_cast<int>(FTailStart)) FetchThrough(FCurrent + 1);
    if (FCurrent + 1 < static_cast<int>(FRecords.size())) {
        MoveTo(FCurrent + 1, true);
        FBof = false;
        FEof = false;
    } else {
        FEof = true;
    }
    AfterScroll(this);
}

void TDataSet::Prior() {
    CheckBrowseMode();
    FetchBefore();
    if (FCurrent > 0) {
        MoveTo(FCurrent - 1, true);
        FBof = false;
        FEof = false;
    } else {
        FBof = true;
    }
    AfterScroll(this);
}

void TDataSet::Last() {
    CheckBrowseMode();
    FetchAll();
    MoveTo(static_cast<int>(FRecords.size()) - 1, true);
    FEof = true;
    FBof = FRecords.empty();
    AfterScroll(this);
}

int TDataSet::MoveBy(int Distance) {
    CheckBrowseMode();
    int moved = 0;
    int start = FCurrent;
    if (Distance < 0) FetchBefore();
    while (Distance > 0) {
        if (FCurrent < static_cast<int>(FTailStart)) FetchThrough(FCurrent + 1);
        if (FCurrent + 1 >= static_cast<int>(FRecords.size())) {
            FEof = true;
            break;
        }
        ++FCurrent;
        ++moved;
        --Distance;
        FBof = false;
        FEof = false;
    }
    while (Distance < 0) {
        if (FCurrent <= 0) {
            FBof = true;
            break;
        }
        --FCurrent;
        --moved;
        ++Distance;
        FBof = false;
        FEof = false;
    }
    if (FCurrent != start) DataEvent(TDataLinkEvent::Scrolled, nullptr, FCurrent - start);
    AfterScroll(this);
    return moved;
}

int TDataSet::RecNo() const {
    if (!Active() || FCurrent < 0) return 0;
    if (FState == dsInsert) return FInsertIndex + 1;
    return FCurrent + 1;
}

void TDataSet::SetRecNo(int Value) {
    CheckBrowseMode();
    if (Value > static_cast<int>(FTailStart)) FetchAll();
    if (Value < 1 || Value > static_cast<int>(FRecords.size())) return;
    MoveTo(Value - 1, true);
    FBof = FEof = false;
    AfterScroll(this);
}

int TDataSet::RecordCount() {
    CheckActive();
    int64_t count = static_cast<int64_t>(FRecords.size());
    if (!FAllFetched) count += InternalPendingCount();
    return static_cast<int>(count);
}

Variant TDataSet::ValueAt(int RecNo, const TField* Field) {
    CheckActive();
    if (RecNo < 1 || !Field || Field->DataSet() != this || Field->FieldNo() <= 0) return Variant::Null();
    FetchThrough(RecNo - 1);
    if (RecNo > static_cast<int>(FRecords.size())) return Variant::Null();
    return Field->FromStorage(RecordCodec::Get(FRecords[static_cast<size_t>(RecNo - 1)].Bytes(), Field->FieldNo() - 1));
}

std::string TDataSet::DisplayTextAt(int RecNo, const TField* Field) {
    CheckActive();
    if (RecNo < 1 || !Field || Field->DataSet() != this || Field->FieldNo() <= 0) return "";
    FetchThrough(RecNo - 1);
    if (RecNo > static_cast<int>(FRecords.size())) return "";
    return Field->DisplayTextOf(RecordCodec::Get(FRecords[static_cast<size_t>(RecNo - 1)].Bytes(), Field->FieldNo() - 1));
}

bool TDataSet::IsEmpty() {
    CheckActive();
    if (FState == dsInsert) return false;
    if (FRecords.empty()) FetchMore();
    return FRecords.empty();
}

// --- Bookmarks -------------------------------------------------------------------------------

TBookmark TDataSet::GetBookmark() const {
    if (!Active() || FCurrent < 0 || FCurrent >= static_cast<int>(FRecords.size())) return nullptr;
    return std::make_shared<const TBookmarkData>(
        TBookmarkData{FRecords[static_cast<size_t>(FCurrent)].Serial, FCurrent});
}

int TDataSet::FindBookmark(const TBookmark& Bookmark) const {
    if (!Bookmark || !Active()) return -1;
    int hint = Bookmark->Hint;
    if (hint >= 0 && hint < static_cast<int>(FRecords.size()) &&
        FRecords[static_cast<size_t>(hint)].Serial == Bookmark->Serial)
        return hint;
    for (size_t i = 0; i < FRecords.size(); ++i)
        if (FRecords[i].Serial == Bookmark->Serial) {
            Bookmark->Hint = static_cast<int>(i);
            return static_cast<int>(i);
        }
    return -1;
}

void TDataSet::GotoBookmark(const TBookmark& Bookmark) {
    CheckBrowseMode();
    int index = FindBookmark(Bookmark);
    if (index < 0) Error("Record not found");
    MoveTo(index, true);
    FBof = FEof = false;
    AfterScroll(this);
}

bool TDataSet::BookmarkValid(const TBookmark& Bookmark) const { return FindBookmark(Bookmark) >= 0; }

int TDataSet::CompareBookmarks(const TBookmark& A, const TBookmark& B) const {
    if (!A && !B) return 0;
    if (!A) return -1;
    if (!B) return 1;
    if (A->Serial == B->Serial) return 0;
    int a = FindBookmark(A), b = FindBookmark(B);
    return a < b ? -1 : a > b ? 1 : 0;
}

// --- Locate ----------------------------------------------------------------------------------

namespace {

bool StartsWithText(std::string_view s, std::string_view prefix, bool ignoreCase) {
    if (prefix.size() > s.size()) return false;
    return ignoreCase ? SameText(s.substr(0, prefix.size()), prefix) : s.substr(0, prefix.size()) == prefix;
}

// A key value as a number of the field's kind; false when it is none.
bool KeyNumber(const TField* field, const Variant& key, double& value) {
    if (key.IsString()) {
        if (IsDateFieldType(field->DataType())) return TryJetTextToDate(key.StrValue(), value);
        return TryStrToFloat(Trim(key.StrValue()), value);
    }
    try {
        value = key.AsDouble();
        return true;
    } catch (const Exception&) {
        return false;
    }
}

}  // namespace

bool TDataSet::MatchesKeys(int Index, const std::vector<TField*>& Keys,
                           const std::vector<Variant>& Values, TLocateOptions Options) const {
    const std::string_view data = FRecords[static_cast<size_t>(Index)].Bytes();
    for (size_t k = 0; k < Keys.size(); ++k) {
        const TField* field = Keys[k];
        const Variant& key = Values[k];
        Variant value = field->FromStorage(RecordCodec::Get(data, field->FieldNo() - 1));
        if (key.IsNull() || key.IsEmpty()) {
            if (!value.IsNull()) return false;
            continue;
        }
        if (value.IsNull()) return false;
        if (IsStringFieldType(field->DataType()) || value.IsString()) {
            std::string text = value.AsString();
            std::string wanted = VarToStr(key);
            bool ignoreCase = Options.Contains(loCaseInsensitive);
            if (Options.Contains(loPartialKey)) {
                if (!StartsWithText(text, wanted, ignoreCase)) return false;
            } else if (ignoreCase ? !SameText(text, wanted) : text != wanted) {
                return false;
            }
            continue;
        }
        if (value.IsBoolean()) {
            bool b;
            try {
                b = key.AsBoolean();
            } catch (const Exception&) {
                return false;
            }
            if (b != value.BoolValue()) return false;
            continue;
        }
        double wanted;
        if (!KeyNumber(field, key, wanted) || value.AsDouble() != wanted) return false;
    }
    return true;
}

bool TDataSet::Locate(std::string_view KeyFields, const Variant& KeyValues, TLocateOptions Options) {
    CheckBrowseMode();
    std::vector<TField*> keys;
    size_t start = 0;
    while (start <= KeyFields.size()) {
        size_t end = KeyFields.find(';', start);
        if (end == std::string_view::npos) end = KeyFields.size();
        std::string name = Trim(KeyFields.substr(start, end - start));
        if (!name.empty()) keys.push_back(FieldByName(name));
        start = end + 1;
    }
    if (keys.empty()) return false;
    std::vector<Variant> values;
    if (KeyValues.IsArray()) {
        int low = VarArrayLowBound(KeyValues, 1), high = VarArrayHighBound(KeyValues, 1);
        for (int i = low; i <= high; ++i) values.push_back(KeyValues.GetElement({i}));
    } else {
        values.push_back(KeyValues);
    }
    if (values.size() != keys.size()) Error("The number of key values does not match the key fields");
    for (int i = 0;; ++i) {
        FetchThrough(i);
        if (i >= static_cast<int>(FRecords.size())) return false;
        if (MatchesKeys(i, keys, values, Options)) {
            MoveTo(i, true);
            FBof = FEof = false;
            AfterScroll(this);
            return true;
        }
    }
}

// --- Editing ---------------------------------------------------------------------------------

bool TDataSet::CanModify() const { return Active() && InternalCanModify(); }

void TDataSet::SetState(TDataSetState Value) {
    if (FState == Value) return;
    FState = Value;
    DataEvent(TDataLinkEvent::EditingChanged);
}

void TDataSet::BeginEditBuffer(bool Inserting) {
    size_t columns = static_cast<size_t>(FFieldDefs.Count());
    if (Inserting || FCurrent < 0)
        FEditValues.assign(columns, Variant::Null());
    else
        FEditValues = RecordCodec::GetAll(FRecords[static_cast<size_t>(FCurrent)].Bytes(),
                                          static_cast<int>(columns));
    FEditChanged.assign(columns, false);
    FModified = false;
}

void TDataSet::Append() {
    CheckBrowseMode();
    if (!CanModify()) Error("Cannot modify a read-only dataset");
    BeginEditBuffer(true);
    FInsertIndex = static_cast<int>(FRecords.size());
    SetState(dsInsert);
    DataEvent(TDataLinkEvent::DataSetChanged);
}

void TDataSet::Insert() {
    CheckBrowseMode();
    if (!CanModify()) Error("Cannot modify a read-only dataset");
    BeginEditBuffer(true);
    FInsertIndex = FCurrent < 0 ? 0 : FCurrent;
    SetState(dsInsert);
    DataEvent(TDataLinkEvent::DataSetChanged);
}

void TDataSet::Edit() {
    if (FState == dsEdit || FState == dsInsert) return;
    CheckActive();
    if (!CanModify()) Error("Cannot modify a read-only dataset");
    if (IsEmpty()) {
        Insert();
        return;
    }
    BeginEditBuffer(false);
    SetState(dsEdit);
}

void TDataSet::Post() {
    DataEvent(TDataLinkEvent::UpdateData);
    if (FState != dsEdit && FState != dsInsert) return;
    BeforePost(this);
    bool inserting = FState == dsInsert;
    TRecord record;
    if (!inserting) record = CopyOf(FRecords[static_cast<size_t>(FCurrent)]);
    // A write the database refused (another program's lock, a full disk, a constraint) has
    // stored nothing: the pending insert or edit goes, so that nothing is left for the next
    // navigation or Append to post behind the caller's back, and a second try writes once.
    try {
        InternalPost(record, FEditValues, FEditChanged, inserting);
    } catch (...) {
        Cancel();
        throw;
    }
    if (inserting) {
        record.Serial = FNextSerial++;
        size_t at = static_cast<size_t>(std::clamp(FInsertIndex, 0, static_cast<int>(FRecords.size())));
        FRecords.insert(FRecords.begin() + static_cast<ptrdiff_t>(at), Store(record));
        if (!FAllFetched) {
            FTailRowIds.push_back(FRecords[at].RowId);
            if (at < FTailStart) ++FTailStart;
        } else {
            FTailStart = FRecords.size();
        }
        FCurrent = static_cast<int>(at);
    } else {
        FRecords[static_cast<size_t>(FCurrent)] = Store(record);
    }
    ContentChanged();
    FEditValues.clear();
    FEditChanged.clear();
    FModified = false;
    FBof = FEof = false;
    SetState(dsBrowse);
    DataEvent(TDataLinkEvent::DataSetChanged);
    AfterPost(this);
}

void TDataSet::Cancel() {
    if (FState != dsEdit && FState != dsInsert) return;
    bool inserting = FState == dsInsert;
    FEditValues.clear();
    FEditChanged.clear();
    FModified = false;
    SetState(dsBrowse);
    DataEvent(TDataLinkEvent::DataSetChanged);
    if (inserting) AfterScroll(this);
}

// Deleting the last record leaves the new last record current with Eof set, so a loop
// "while not Eof: ...; Delete" ends instead of visiting a record twice.
void TDataSet::Delete() {
    CheckActive();
    if (FState == dsInsert) {
        Cancel();
        return;
    }
    if (FState == dsEdit) Cancel();
    if (FCurrent < 0) Error("Cannot perform this operation on an empty dataset");
    if (!CanModify()) Error("Cannot modify a read-only dataset");
    {
        TRecord record = CopyOf(FRecords[static_cast<size_t>(FCurrent)]);
        InternalDelete(record);
    }
    size_t at = static_cast<size_t>(FCurrent);
    FRecords.erase(FRecords.begin() + static_cast<ptrdiff_t>(at));
    ContentChanged();
    if (at < FTailStart) --FTailStart;
    if (at == FTailStart) FetchThrough(static_cast<int>(at));
    bool wasLast = at >= FRecords.size();
    if (FRecords.empty()) {
        FCurrent = -1;
        FBof = FEof = true;
    } else if (wasLast) {
        FCurrent = static_cast<int>(FRecords.size()) - 1;
        FEof = true;
        FBof = false;
    } else {
        FEof = false;
        FBof = FCurrent == 0;
    }
    DataEvent(TDataLinkEvent::DataSetChanged);
    AfterDelete(this);
    AfterScroll(this);
}

// --- Controls --------------------------------------------------------------------------------

void TDataSet::DisableControls() { ++FDisableCount; }

void TDataSet::EnableControls() {
    if (FDisableCount == 0) return;
    if (--FDisableCount > 0) return;
    if (FPendingActive) NotifyLinks(TDataLinkEvent::ActiveChanged, nullptr, 0);
    if (FPendingLayout) NotifyLinks(TDataLinkEvent::LayoutChanged, nullptr, 0);
    FPendingActive = FPendingLayout = false;
    if (Active()) NotifyLinks(TDataLinkEvent::DataSetChanged, nullptr, 0);
}

void TDataSet::DataEvent(TDataLinkEvent Event, TField* Field, int Info) {
    if (FDisableCount > 0 && Event != TDataLinkEvent::UpdateData) {
        if (Event == TDataLinkEvent::ActiveChanged) FPendingActive = true;
        if (Event == TDataLinkEvent::LayoutChanged) FPendingLayout = true;
        return;
    }
    NotifyLinks(Event, Field, Info);
}

void TDataSet::NotifyLinks(TDataLinkEvent Event, TField* Field, int Info) {
    for (TDataSource* source : std::vector<TDataSource*>(FDataSources)) {
        if (!source->Enabled()) continue;
        for (TDataLink* link : std::vector<TDataLink*>(source->FLinks)) {
            switch (Event) {
            case TDataLinkEvent::ActiveChanged: link->ActiveChanged(); break;
            case TDataLinkEvent::DataSetChanged: link->DataSetChanged(); break;
            case TDataLinkEvent::Scrolled: link->DataSetScrolled(Info); break;
            case TDataLinkEvent::RecordChanged: link->RecordChanged(Field); break;
            case TDataLinkEvent::LayoutChanged: link->LayoutChanged(); break;
            case TDataLinkEvent::EditingChanged: link->EditingChanged(); break;
            case TDataLinkEvent::UpdateData: link->UpdateData(); break;
            }
        }
    }
}

void TDataSet::AddDataSource(TDataSource* Source) { FDataSources.push_back(Source); }

void TDataSet::RemoveDataSource(TDataSource* Source) {
    FDataSources.erase(std::remove(FDataSources.begin(), FDataSources.end(), Source),
                       FDataSources.end());
}
