// Report datasets.
#include "report/DataSet.h"

#include <algorithm>

#include "platform/graphics/Graphics.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/Forms.h"
#include "report/Images.h"
#include "report/Report.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxDataSet)
ROVE_IMPLEMENT_CLASS(TfrxUserDataSet)
ROVE_IMPLEMENT_CLASS(TfrxCustomDBDataSet)
ROVE_IMPLEMENT_CLASS(TfrxDBDataset)

namespace {
std::vector<TfrxDataSet*>& DataSetList() {
    static std::vector<TfrxDataSet*> list;
    return list;
}
}  // namespace

const std::vector<TfrxDataSet*>& frxDataSets() { return DataSetList(); }

// --- TfrxDataSet ---------------------------------------------------------------------------

TfrxDataSet::TfrxDataSet(TComponent* AOwner) : TfrxDialogComponent(AOwner) {
    DataSetList().push_back(this);
}

TfrxDataSet::~TfrxDataSet() {
    frxDataSetNamesChanged();
    auto& list = DataSetList();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    if (TfrxReport* r = dynamic_cast<TfrxReport*>(Owner())) r->DataSets()->Forget(this);
}

void TfrxDataSet::DeclareProperties(TPropertyDecl<TfrxDataSet>& d) {
    using T = TfrxDataSet;
    d.Property("Enabled", &T::Enabled, &T::Enabled).Default(true);
    d.Property("RangeBegin", &T::RangeBegin, &T::RangeBegin).Default(rbFirst);
    d.Property("RangeEnd", &T::RangeEnd, &T::RangeEnd).Default(reLast);
    d.Property("RangeEndCount", &T::RangeEndCount, &T::RangeEndCount).Default(0);
    d.Property("UserName", &T::UserName, &T::SetUserName);
    d.Event("OnCheckEOF", &T::OnCheckEOF);
    d.Event("OnFirst", &T::OnFirst);
    d.Event("OnNext", &T::OnNext);
    d.Event("OnPrior", &T::OnPrior);
}

void TfrxDataSet::SetName(const std::string& NewName) {
    frxDataSetNamesChanged();
    const std::string old = Name();
    TfrxDialogComponent::SetName(NewName);
    if (FUserName.empty() || FUserName == old) FUserName = NewName;
}

void TfrxDataSet::SetUserName(const std::string& Value) {
    if (Trim(Value).empty()) throw EfrxError(frxResources().Get("prInvProp"));
    frxDataSetNamesChanged();
    FUserName = Value;
}

std::string TfrxDataSet::GetDisplayText(const std::string&) { return {}; }
int TfrxDataSet::GetDisplayWidth(const std::string&) { return 10; }
TfrxFieldType TfrxDataSet::GetFieldType(const std::string&) { return fftNumeric; }
Variant TfrxDataSet::GetValue(const std::string&) { return Variant::Null(); }

void TfrxDataSet::Open() { OnOpen(this); }
void TfrxDataSet::Close() { OnClose(this); }

void TfrxDataSet::First() {
    FRecNo = 0;
    OnFirst(this);
}

void TfrxDataSet::Next() {
    ++FRecNo;
    if (RangeEnd == reCount && FRecNo >= RangeEndCount) return;
    OnNext(this);
}

void TfrxDataSet::Prior() {
    --FRecNo;
    OnPrior(this);
}

bool TfrxDataSet::Eof() {
    bool result = RangeEnd == reCount && FRecNo >= RangeEndCount;
    OnCheckEOF(this, result);
    return result;
}

void TfrxDataSet::GetFieldList(TStrings* List) { List->Clear(); }

bool TfrxDataSet::HasField(const std::string& Name) {
    TStringList list;
    GetFieldList(&list);
    return list.IndexOf(Name) >= 0;
}

// --- TfrxUserDataSet -----------------------------------------------------------------------

TfrxUserDataSet::TfrxUserDataSet(TComponent* AOwner)
    : TfrxDataSet(AOwner), FFields(std::make_unique<TStringList>()) {
    DropIcon();
}

TfrxUserDataSet::~TfrxUserDataSet() = default;

void TfrxUserDataSet::DeclareProperties(TPropertyDecl<TfrxUserDataSet>& d) {
    d.Property("Fields", &TfrxUserDataSet::Fields);
    d.Event("OnGetValue", &TfrxUserDataSet::OnGetValue);
}

void TfrxUserDataSet::SetFields(TStringList* Value) { FFields->Assign(*Value); }
void TfrxUserDataSet::GetFieldList(TStrings* List) { List->Assign(*FFields); }
int TfrxUserDataSet::FieldsCount() { return FFields->Count(); }

Variant TfrxUserDataSet::GetValue(const std::string& Index) {
    Variant v = Variant::Null();
    OnGetValue(Index, v);
    return v;
}

std::string TfrxUserDataSet::GetDisplayText(const std::string& Index) {
    if (!OnGetValue.Assigned()) return {};
    return VarToStr(GetValue(Index));
}

// --- TfrxCustomDBDataSet -------------------------------------------------------------------

TfrxCustomDBDataSet::TfrxCustomDBDataSet(TComponent* AOwner)
    : TfrxDataSet(AOwner), FFields(std::make_unique<TStringList>()),
      FFieldAliases(std::make_unique<TStringList>()) {
    FFields->SetSorted(true);
    FFields->SetDuplicates(dupIgnore);
}

TfrxCustomDBDataSet::~TfrxCustomDBDataSet() = default;

void TfrxCustomDBDataSet::DeclareProperties(TPropertyDecl<TfrxCustomDBDataSet>& d) {
    using T = TfrxCustomDBDataSet;
    d.Property("CloseDataSource", &T::CloseDataSource, &T::CloseDataSource).Default(false);
    d.Property("FieldAliases", &T::FieldAliases);
    d.Property("OpenDataSource", &T::OpenDataSource, &T::OpenDataSource).Default(true);
    d.Event("OnClose", &T::OnClose);
    d.Event("OnOpen", &T::OnOpen);
}

void TfrxCustomDBDataSet::SetFieldAliases(TStringList* Value) { FFieldAliases->Assign(*Value); }

std::string TfrxCustomDBDataSet::ConvertAlias(const std::string& Name) const {
    for (int i = 0; i < FFieldAliases->Count(); ++i) {
        const std::string& line = (*FFieldAliases)[i];
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        if (SameText(std::string_view(line).substr(eq + 1), Name)) return line.substr(0, eq);
    }
    return Name;
}

int TfrxCustomDBDataSet::FieldsCount() {
    TStringList list;
    GetFieldList(&list);
    return list.Count();
}

// --- TfrxDBDataset -------------------------------------------------------------------------

TfrxDBDataset::TfrxDBDataset(TComponent* AOwner) : TfrxCustomDBDataSet(AOwner) { SetImageIndex(frxObject::DBDataSet); }

TfrxDBDataset::~TfrxDBDataset() {
    if (FHooked) {
        FHooked->AfterOpen = FSaveOpenEvent;
        FHooked = nullptr;
    }
}

void TfrxDBDataset::DeclareProperties(TPropertyDecl<TfrxDBDataset>& d) {
    d.Property("DataSet", &TfrxDBDataset::DataSet, &TfrxDBDataset::SetDataSet);
    d.Property("DataSource", &TfrxDBDataset::DataSource, &TfrxDBDataset::SetDataSource);
}

void TfrxDBDataset::SetDataSet(TDataSet* Value) {
    if (FDataSet) FDataSet->RemoveFreeNotification(this);
    FDataSet = Value;
    if (Value) {
        Value->FreeNotification(this);
        SetDataSource(nullptr);
    }
}

void TfrxDBDataset::SetDataSource(TDataSource* Value) {
    if (FDataSource) FDataSource->RemoveFreeNotification(this);
    FDataSource = Value;
    if (Value) {
        Value->FreeNotification(this);
        if (FDataSet) {
            FDataSet->RemoveFreeNotification(this);
            FDataSet = nullptr;
        }
    }
}

TDataSet* TfrxDBDataset::GetDataSet() const {
    if (FDataSet) return FDataSet;
    return FDataSource ? FDataSource->DataSet() : nullptr;
}

void TfrxDBDataset::Notification(TComponent* AComponent, TOperation Operation) {
    TfrxCustomDBDataSet::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FDataSet) FDataSet = nullptr;
    if (AComponent == FDataSource) FDataSource = nullptr;
    if (AComponent == FHooked) {
        FHooked = nullptr;
        FBookmark.reset();
        FFields->Clear();
    }
}

std::string TfrxDBDataset::ReferenceText(const std::string& Field) const {
    return UserName() + ".\"" + Field + "\"";
}

void TfrxDBDataset::ReportError(const std::string& Text) const {
    TfrxReport* r = ReportRef ? ReportRef : Report();
    if (r) r->Errors()->Add(r->CurObject + ": " + Text);
}

void TfrxDBDataset::Initialize() {
    TDataSet* ds = GetDataSet();
    if (!ds) throw EfrxError(Format(frxResources().Get("dbNotConn"), {Name()}));
    if (FHooked) FHooked->AfterOpen = FSaveOpenEvent;
    FSaveOpenEvent = ds->AfterOpen;
    ds->AfterOpen = [this](TDataSet* Sender) { AfterOpen(Sender); };
    FHooked = ds;
    ds->FreeNotification(this);
    FEof = false;
    FInitialized = false;
}

void TfrxDBDataset::AfterOpen(TDataSet* Sender) {
    BuildFieldTable();
    FSaveOpenEvent(Sender);
}

void TfrxDBDataset::BuildFieldTable() {
    FFields->Clear();
    TDataSet* ds = GetDataSet();
    if (!ds) return;
    TStringList names;
    GetFieldList(&names);
    for (int i = 0; i < names.Count(); ++i) FFields->AddObject(names[i], ds->FieldByName(ConvertAlias(names[i])));
}

void TfrxDBDataset::Activate() {
    if (FInitialized) return;
    FInitialized = true;
    TDataSet* ds = GetDataSet();
    // A dataset the program opened before the run (a window's query) is read again when
    // its database was written to since: the report shows the data as they stand now. A
    // record being edited, or a range that starts or ends at the current record, keeps it.
    if (OpenDataSource && ds && ds->Active() && ds->State() == dsBrowse && RangeBegin != rbCurrent &&
        RangeEnd != reCurrent && ds->DataMayHaveChanged())
        ds->Close();
    if (OpenDataSource) Open();
    if (ds && ds->Active()) BuildFieldTable();
    FBookmark.reset();
    if (ds && (RangeBegin == rbCurrent || RangeEnd == reCurrent)) FBookmark = ds->GetBookmark();
}

void TfrxDBDataset::Open() {
    if (TDataSet* ds = GetDataSet()) ds->Open();
    TfrxCustomDBDataSet::Open();
}

void TfrxDBDataset::Close() {
    TfrxCustomDBDataSet::Close();
    if (TDataSet* ds = GetDataSet()) ds->Close();
}

void TfrxDBDataset::First() {
    if (TDataSet* ds = GetDataSet()) {
        if (RangeBegin == rbCurrent && FBookmark) ds->GotoBookmark(FBookmark);
        else ds->First();
    }
    FEof = false;
    TfrxCustomDBDataSet::First();
}

void TfrxDBDataset::Next() {
    FEof = false;
    TDataSet* ds = GetDataSet();
    if (!ds) return TfrxCustomDBDataSet::Next();
    if (RangeEnd == reCurrent && FBookmark && ds->CompareBookmarks(ds->GetBookmark(), FBookmark) == 0) {
        FEof = true;
        return;
    }
    ds->Next();
    TfrxCustomDBDataSet::Next();
}

void TfrxDBDataset::Prior() {
    if (TDataSet* ds = GetDataSet()) ds->Prior();
    TfrxCustomDBDataSet::Prior();
}

bool TfrxDBDataset::Eof() {
    bool result = TfrxCustomDBDataSet::Eof();
    TDataSet* ds = GetDataSet();
    return result || (ds && ds->Eof()) || FEof;
}

void TfrxDBDataset::Finalize() {
    TDataSet* ds = GetDataSet();
    if (FBookmark && ds) ds->GotoBookmark(FBookmark);
    FBookmark.reset();
    if (CloseDataSource) Close();
    if (FHooked) {
        FHooked->AfterOpen = FSaveOpenEvent;
        FHooked = nullptr;
    }
    FInitialized = false;
}

void TfrxDBDataset::GetFieldList(TStrings* List) {
    List->Clear();
    if (FieldAliases()->Count() > 0) {
        for (int i = 0; i < FieldAliases()->Count(); ++i) {
            const std::string& line = (*FieldAliases())[i];
            const size_t eq = line.find('=');
            List->Add(eq == std::string::npos ? line : line.substr(eq + 1));
        }
        return;
    }
    TDataSet* ds = GetDataSet();
    if (!ds) return;
    try {
        ds->GetFieldNames(List);
    } catch (const Exception&) {
    }
}

// Names are looked up in the sorted field table (case ignored) once per spelling; the
// spellings found stay until the table changes.
TField* TfrxDBDataset::TableField(const std::string& Name) const {
    if (FFoundStamp != FFields->ChangeStamp()) {
        FFound.clear();
        FFoundStamp = FFields->ChangeStamp();
    }
    if (auto it = FFound.find(Name); it != FFound.end()) return it->second;
    int i;
    if (!FFields->Find(Name, i)) return nullptr;
    auto* field = static_cast<TField*>(FFields->Objects(i));
    if (FFound.size() < 256) FFound.emplace(Name, field);
    return field;
}

Variant TfrxDBDataset::GetValue(const std::string& Index) {
    if (!FInitialized) Activate();
    TField* field = TableField(Index);
    if (!field) {
        ReportError(frxResources().Get("dbFldNotFound") + " " + ReferenceText(Index));
        return Variant::Null();
    }
    return field->Value();
}

std::string TfrxDBDataset::GetDisplayText(const std::string& Index) {
    if (!FInitialized) Activate();
    TDataSet* ds = GetDataSet();
    if (!ds || !ds->Active()) return ReferenceText(Index);
    if (FFields->Count() > 0) {
        TField* f = TableField(Index);
        if (f) return f->DisplayText();
        const std::string text = frxResources().Get("dbFldNotFound") + " " + ReferenceText(Index);
        ReportError(text);
        return text;
    }
    TField* f = ds->FindField(Index);
    return f ? f->DisplayText() : std::string();
}

TfrxFieldType TfrxDBDataset::GetFieldType(const std::string& Index) {
    TDataSet* ds = GetDataSet();
    TField* f = ds ? ds->FindField(ConvertAlias(Index)) : nullptr;
    if (!f) return fftNumeric;
    if (f->DataType() == ftString || f->DataType() == ftWideString) return fftString;
    if (f->DataType() == ftBoolean) return fftBoolean;
    return fftNumeric;
}

int TfrxDBDataset::GetDisplayWidth(const std::string& Index) {
    TDataSet* ds = GetDataSet();
    if (!ds) return 10;
    try {
        const std::string name = ConvertAlias(Index);
        if (TField* f = ds->FindField(name)) return f->DisplayWidth();
        ds->FieldDefs().Update();
        for (int i = 0; i < ds->FieldDefs().Count(); ++i) {
            const TFieldDef& def = ds->FieldDefs()[i];
            if (!SameText(def.Name, name)) continue;
            if (def.DataType == ftString || def.DataType == ftWideString) return def.Size;
            if (def.DataType == ftDateTime) return 20;
            if (def.DataType == ftLargeint) return 15;
            return 10;
        }
    } catch (const Exception&) {
    }
    return 10;
}

bool TfrxDBDataset::IsBlobField(const std::string& Index) {
    TField* f = TableField(Index);
    return f && f->IsBlob();
}

void TfrxDBDataset::AssignBlobTo(const std::string& Index, TPersistent* Target) {
    TField* f = TableField(Index);
    if (!f || !Target) return;
    if (auto* picture = dynamic_cast<TPicture*>(Target)) {
        TMemoryStream s;
        f->SaveToStream(s);
        s.SetPosition(0);
        picture->LoadFromStream(s);
        return;
    }
    Target->Assign(f);
}

void TfrxDBDataset::AssignBlobTo(const std::string& Index, TStream* Target) {
    TField* f = TableField(Index);
    if (!f || !Target) return;
    f->SaveToStream(*Target);
    Target->SetPosition(0);
}

// --- Look-ups ------------------------------------------------------------------------------

TfrxDataSet* frxFindDataSet(TfrxDataSet* DataSet, std::string_view Name, TComponent* Report) {
    if (Name.empty()) return nullptr;
    if (!Report) return DataSet;
    auto eligible = [&](TfrxDataSet* ds) {
        TComponent* owner = ds->Owner();
        return SameText(ds->UserName(), Name) && (owner == Report || !dynamic_cast<TfrxReport*>(owner));
    };
    // A reference that already answers to the name stays: windows of one program each
    // hold a dataset of the same name, and a report must keep its own window's.
    if (DataSet && std::find(DataSetList().begin(), DataSetList().end(), DataSet) != DataSetList().end() &&
        eligible(DataSet))
        return DataSet;
    for (TfrxDataSet* ds : DataSetList())
        if (eligible(ds)) return ds;
    return DataSet;
}

void frxGetDataSetList(TStrings* List) {
    List->Clear();
    for (TfrxDataSet* ds : DataSetList())
        if (!ds->UserName().empty()) List->AddObject(ds->UserName(), ds);
}
