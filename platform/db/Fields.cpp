// Fields: conversions between the values code reads and writes and the values the database
// stores, the record encoding, the field lists and field definitions.
#include <cmath>
#include <cstring>

#include "platform/db/DB.h"
#include "platform/rtl/ConvertErrors.h"
#include "platform/db/JetFunctions.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Streams.h"

// --- Field type groups -----------------------------------------------------------------------

bool IsStringFieldType(TFieldType type) {
    return type == ftString || type == ftWideString || type == ftFixedChar || type == ftMemo ||
           type == ftFmtMemo || type == ftGuid;
}

bool IsIntegerFieldType(TFieldType type) {
    return type == ftSmallint || type == ftInteger || type == ftWord || type == ftAutoInc ||
           type == ftLargeint;
}

bool IsFloatFieldType(TFieldType type) {
    return type == ftFloat || type == ftCurrency || type == ftBCD || type == ftFMTBcd;
}

bool IsDateFieldType(TFieldType type) {
    return type == ftDate || type == ftTime || type == ftDateTime || type == ftTimeStamp;
}

bool IsBlobFieldType(TFieldType type) {
    return type == ftBlob || type == ftMemo || type == ftGraphic || type == ftFmtMemo ||
           type == ftParadoxOle || type == ftDBaseOle || type == ftTypedBinary ||
           type == ftOraBlob || type == ftOraClob;
}

// --- Record encoding -------------------------------------------------------------------------
// Tag byte, then: an integer as LEB128 of its zigzag form (small values of either sign in a
// byte or two: a million-row result's ids take 3 bytes instead of 8), a real 8 bytes, text
// and blob a length (LEB128) and the bytes.

namespace {
enum : char { tagNull = 0, tagInt = 1, tagReal = 2, tagText = 3, tagBlob = 4 };

void AppendLength(std::string& data, size_t n) {
    do {
        unsigned char b = n & 0x7F;
        n >>= 7;
        if (n) b |= 0x80;
        data += static_cast<char>(b);
    } while (n);
}

size_t ReadLength(std::string_view data, size_t& pos) {
    size_t n = 0;
    int shift = 0;
    while (pos < data.size()) {
        unsigned char b = static_cast<unsigned char>(data[pos++]);
        n |= static_cast<size_t>(b & 0x7F) << shift;
        if (!(b & 0x80)) break;
        shift += 7;
    }
    return n;
}

void AppendInteger(std::string& data, int64_t value) {
    const uint64_t u = (static_cast<uint64_t>(value) << 1) ^ static_cast<uint64_t>(value >> 63);
    AppendLength(data, u);
}

int64_t ReadInteger(std::string_view data, size_t& pos) {
    const uint64_t u = ReadLength(data, pos);
    return static_cast<int64_t>(u >> 1) ^ -static_cast<int64_t>(u & 1);
}

// Skips one value; returns the offset of the next.
size_t SkipValue(std::string_view data, size_t pos) {
    char tag = data[pos++];
    switch (tag) {
    case tagInt:
        ReadInteger(data, pos);
        return pos;
    case tagReal: return pos + 8;
    case tagText:
    case tagBlob: {
        size_t n = ReadLength(data, pos);
        return pos + n;
    }
    default: return pos;
    }
}

// The offset of a column's tag byte; data.size() when the record has no such column.
size_t ColumnOffset(std::string_view data, int column) {
    size_t pos = 0;
    for (int i = 0; i < column && pos < data.size(); ++i) pos = SkipValue(data, pos);
    return pos;
}

Variant ReadValue(std::string_view data, size_t pos) {
    char tag = data[pos++];
    switch (tag) {
    case tagInt: return Variant::FromInt(ReadInteger(data, pos));
    case tagReal: {
        double v;
        std::memcpy(&v, data.data() + pos, 8);
        return Variant(v);
    }
    case tagText:
    case tagBlob: {
        size_t n = ReadLength(data, pos);
        return Variant(data.substr(pos, n));
    }
    default: return Variant::Null();
    }
}
}  // namespace

namespace RecordCodec {
void AppendNull(std::string& data) { data += tagNull; }

void AppendInt(std::string& data, int64_t value) {
    data += tagInt;
    AppendInteger(data, value);
}

void AppendReal(std::string& data, double value) {
    data += tagReal;
    char bytes[8];
    std::memcpy(bytes, &value, 8);
    data.append(bytes, 8);
}

void AppendText(std::string& data, std::string_view text) {
    data += tagText;
    AppendLength(data, text.size());
    data.append(text);
}

void AppendBlob(std::string& data, std::string_view bytes) {
    data += tagBlob;
    AppendLength(data, bytes.size());
    data.append(bytes);
}

void AppendValue(std::string& data, const Variant& value) {
    if (value.IsNull() || value.IsEmpty()) AppendNull(data);
    else if (value.IsInteger()) AppendInt(data, value.AsInt64());
    else if (value.IsBoolean()) AppendInt(data, value.BoolValue() ? 1 : 0);
    else if (value.IsString()) AppendText(data, value.StrValue());
    else if (value.Kind() == varDate) AppendText(data, DateTimeToIso(value.AsDateTime()));
    else AppendReal(data, value.AsDouble());
}

Variant Get(std::string_view data, int column) {
    const size_t pos = ColumnOffset(data, column);
    if (pos >= data.size()) return Variant::Null();
    return ReadValue(data, pos);
}

std::vector<Variant> GetAll(std::string_view data, int columns) {
    std::vector<Variant> values;
    values.reserve(static_cast<size_t>(columns));
    size_t pos = 0;
    for (int i = 0; i < columns; ++i) {
        if (pos >= data.size()) {
            values.push_back(Variant::Null());
            continue;
        }
        values.push_back(ReadValue(data, pos));
        pos = SkipValue(data, pos);
    }
    return values;
}

std::string Encode(const std::vector<Variant>& values) {
    std::string data;
    for (const Variant& v : values) AppendValue(data, v);
    return data;
}
}  // namespace RecordCodec

// --- TField ----------------------------------------------------------------------------------

ROVE_IMPLEMENT_CLASS(TField)
ROVE_IMPLEMENT_CLASS(TStringField)
ROVE_IMPLEMENT_CLASS(TWideStringField)
ROVE_IMPLEMENT_CLASS(TSmallintField)
ROVE_IMPLEMENT_CLASS(TIntegerField)
ROVE_IMPLEMENT_CLASS(TWordField)
ROVE_IMPLEMENT_CLASS(TAutoIncField)
ROVE_IMPLEMENT_CLASS(TLargeintField)
ROVE_IMPLEMENT_CLASS(TFloatField)
ROVE_IMPLEMENT_CLASS(TCurrencyField)
ROVE_IMPLEMENT_CLASS(TBCDField)
ROVE_IMPLEMENT_CLASS(TBooleanField)
ROVE_IMPLEMENT_CLASS(TDateField)
ROVE_IMPLEMENT_CLASS(TTimeField)
ROVE_IMPLEMENT_CLASS(TDateTimeField)
ROVE_IMPLEMENT_CLASS(TMemoField)
ROVE_IMPLEMENT_CLASS(TBlobField)
ROVE_IMPLEMENT_CLASS(TGraphicField)

TClass FieldClassOf(TFieldType type) {
    switch (type) {
    case ftString: case ftFixedChar: case ftGuid: return TStringField::StaticClass();
    case ftWideString: return TWideStringField::StaticClass();
    case ftSmallint: return TSmallintField::StaticClass();
    case ftInteger: return TIntegerField::StaticClass();
    case ftWord: return TWordField::StaticClass();
    case ftAutoInc: return TAutoIncField::StaticClass();
    case ftLargeint: return TLargeintField::StaticClass();
    case ftFloat: return TFloatField::StaticClass();
    case ftCurrency: return TCurrencyField::StaticClass();
    case ftBCD: case ftFMTBcd: return TBCDField::StaticClass();
    case ftBoolean: return TBooleanField::StaticClass();
    case ftDate: return TDateField::StaticClass();
    case ftTime: return TTimeField::StaticClass();
    case ftDateTime: case ftTimeStamp: return TDateTimeField::StaticClass();
    case ftMemo: case ftFmtMemo: case ftOraClob: return TMemoField::StaticClass();
    case ftGraphic: return TGraphicField::StaticClass();
    default: return TBlobField::StaticClass();
    }
}

TField::TField(TComponent* AOwner) : TComponent(AOwner) {}

TField::TField(TComponent* AOwner, TFieldType DataType, int Size)
    : TComponent(AOwner), FDataType(DataType), FSize(Size) {}

TField::~TField() {
    if (FDataSet && !FDefaultField) FDataSet->RemovePersistentField(this);
}

void TField::SetDataSet(TDataSet* Value) {
    if (Value == FDataSet) return;
    if (Value && Value->Active()) Value->Error("Cannot perform this operation on an open dataset");
    if (FDataSet) {
        if (FDataSet->Active()) FDataSet->Error("Cannot perform this operation on an open dataset");
        FDataSet->RemovePersistentField(this);
    }
    FDataSet = Value;
    if (Value) Value->FPersistentFields.push_back(this);
}

void TField::SetFieldName(const std::string& Value) {
    if (FDataSet && FDataSet->Active())
        FDataSet->Error("Cannot perform this operation on an open dataset");
    FFieldName = Value;
}

void TField::SetSize(int Value) {
    if (FDataSet && FDataSet->Active())
        FDataSet->Error("Cannot perform this operation on an open dataset");
    FSize = Value;
}

int TField::Index() const { return FDataSet ? FDataSet->Fields().IndexOf(this) : -1; }

std::string TField::DisplayLabel() const {
    return FDisplayLabel.empty() ? FFieldName : FDisplayLabel;
}

void TField::SetDisplayLabel(const std::string& Value) {
    FDisplayLabel = Value == FFieldName ? std::string() : Value;
    if (FDataSet) FDataSet->DataEvent(TDataLinkEvent::LayoutChanged);
}

// The class library's default widths: the size for text, else by kind.
int TField::DisplayWidth() const {
    if (FDisplayWidth > 0) return FDisplayWidth;
    switch (FDataType) {
    case ftSmallint: return 6;
    case ftWord: return 5;
    case ftInteger: case ftAutoInc: return 11;
    case ftLargeint: return 15;
    case ftBoolean: return 5;
    case ftDate: case ftTime: return 10;
    case ftDateTime: case ftTimeStamp: return 18;
    case ftFloat: case ftCurrency: case ftBCD: case ftFMTBcd: return 10;
    default: break;
    }
    if (IsStringFieldType(FDataType) && !IsBlobFieldType(FDataType)) return FSize > 0 ? FSize : 10;
    return 10;
}

void TField::SetDisplayWidth(int Value) {
    FDisplayWidth = Value;
    if (FDataSet) FDataSet->DataEvent(TDataLinkEvent::LayoutChanged);
}

void TField::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    if (FDataSet) FDataSet->DataEvent(TDataLinkEvent::LayoutChanged);
}

void TField::ConvertError(std::string (*Text)(std::string_view)) const { throw EConvertError(Text(AsString())); }

Variant TField::StorageValue() const {
    if (!FDataSet || FFieldNo <= 0) return Variant::Null();
    return FDataSet->GetColumnValue(FFieldNo);
}

namespace {

std::string TrimmedText(const Variant& v) { return Trim(v.AsString()); }

Variant DateStorage(TDateTime value) { return Variant(DateTimeToIso(value)); }

// The decimals of an ftBCD field: its Size, 0 to 4.
int BcdDecimals(int size) { return size < 0 ? 0 : size > Currency::MaxDecimals ? Currency::MaxDecimals : size; }

// A number as the amount of an ftBCD field of the given decimals.
Variant BcdValue(Currency value, int size) { return Variant::FromCurrency(value.Round(BcdDecimals(size)).Scaled()); }

}  // namespace

// A value given by code, converted to what the column stores for this field type.
Variant TField::ToStorage(const Variant& Value) const {
    if (Value.IsNull() || Value.IsEmpty()) return Variant::Null();
    if (IsStringFieldType(FDataType) || FDataType == ftUnknown) {
        if (Value.Kind() == varDate) return Variant(DateTimeToStr(Value.AsDateTime()));
        return Variant(Value.AsString());
    }
    if (IsIntegerFieldType(FDataType)) {
        if (Value.IsString()) {
            std::string text = TrimmedText(Value);
            if (text.empty()) return Variant::Null();
            return Variant::FromInt(StrToInt64(text));
        }
        if (Value.IsBoolean()) return Variant::FromInt(Value.BoolValue() ? -1 : 0);
        if (Value.IsInteger()) return Variant::FromInt(Value.AsInt64());
        return Variant::FromInt(Round(Value.AsDouble()));
    }
    if (FDataType == ftBCD) {
        Currency amount;
        if (Value.IsString()) {
            std::string text = TrimmedText(Value);
            if (text.empty()) return Variant::Null();
            amount = StrToCurr(text);
        } else if (Value.Kind() == varCurrency) {
            amount = Currency::FromScaled(Value.CurrencyValue());
        } else if (Value.IsInteger() || Value.IsBoolean()) {
            amount = Currency::FromInt(Value.AsInt64());
        } else {
            amount = Currency::FromDouble(Value.AsDouble());
        }
        return Variant(amount.Round(BcdDecimals(FSize)).ToDouble());
    }
    if (IsFloatFieldType(FDataType)) {
        if (Value.IsString()) {
            std::string text = TrimmedText(Value);
            if (text.empty()) return Variant::Null();
            return Variant(StrToFloat(text));
        }
        return Variant(Value.AsDouble());
    }
    if (IsDateFieldType(FDataType)) {
        if (Value.IsString()) {
            std::string text = TrimmedText(Value);
            if (text.empty()) return Variant::Null();
            TDateTime dt;
            if (!TryJetTextToDate(text, dt))
                throw EConvertError(ConvertText::DateTime(text));
            return DateStorage(dt);
        }
        return DateStorage(Value.AsDateTime());
    }
    if (FDataType == ftBoolean) return Variant::FromInt(Value.AsBoolean() ? 1 : 0);
    // Blob kinds keep the bytes of a text.
    return Variant(Value.AsString());
}

// A stored value as Value() gives it for this field type.
Variant TField::FromStorage(const Variant& Stored) const {
    if (Stored.IsNull() || Stored.IsEmpty()) return Variant::Null();
    if (IsStringFieldType(FDataType) || IsBlobFieldType(FDataType) || FDataType == ftUnknown) {
        if (Stored.IsString()) return Stored;
        if (Stored.IsInteger()) return Variant(IntToStr(Stored.AsInt64()));
        return Variant(FloatToStr(Stored.AsDouble()));
    }
    if (IsIntegerFieldType(FDataType)) {
        if (Stored.IsInteger())
            return FDataType == ftLargeint ? Variant::FromInt64(Stored.AsInt64()) : Stored;
        if (Stored.IsString()) {
            int64_t v;
            if (TryStrToInt64(Trim(Stored.StrValue()), v)) return Variant::FromInt(v);
            return Stored;
        }
        double d = Stored.AsDouble();
        return Variant::FromInt(Round(d));
    }
    if (FDataType == ftBCD) {
        if (Stored.IsString()) {
            Currency amount;
            if (Currency::TryParse(Trim(Stored.StrValue()), amount)) return BcdValue(amount, FSize);
            return Stored;
        }
        if (Stored.IsInteger()) return BcdValue(Currency::FromInt(Stored.AsInt64()), FSize);
        return BcdValue(Currency::FromDouble(Stored.AsDouble()), FSize);
    }
    if (IsFloatFieldType(FDataType)) {
        if (Stored.IsString()) {
            double d;
            if (TryStrToFloat(Trim(Stored.StrValue()), d)) return Variant(d);
            return Stored;
        }
        return Variant(Stored.AsDouble());
    }
    if (IsDateFieldType(FDataType)) {
        if (Stored.IsString()) {
            TDateTime dt;
            if (TryIsoToDateTime(Stored.StrValue(), dt) || TryJetTextToDate(Stored.StrValue(), dt))
                return Variant::FromDate(dt);
            return Stored;
        }
        return Variant::FromDate(Stored.AsDouble());
    }
    if (FDataType == ftBoolean) {
        if (Stored.IsString()) {
            try {
                return Variant(Stored.AsBoolean());
            } catch (const EVariantError&) {
                return Stored;
            }
        }
        return Variant(Stored.AsDouble() != 0);
    }
    return Stored;
}

bool TField::IsNull() const { return StorageValue().IsNull(); }

void TField::Clear() { SetValue(Variant::Null()); }

// The value is kept for the record it came from: a report reads the same field several
// times per record (its memos, group conditions, totals).
Variant TField::Value() const {
    uint64_t version = 0;
    const TStoredRecord* record = FDataSet && FFieldNo > 0 ? FDataSet->BrowsedRecord(version) : nullptr;
    if (!record) return FromStorage(StorageValue());
    if (record->Serial != FValueSerial || version != FValueVersion) {
        if (!ReadStoredValue(record->Bytes())) FValue = FromStorage(RecordCodec::Get(record->Bytes(), FFieldNo - 1));
        FValueSerial = record->Serial;
        FValueVersion = version;
    }
    return FValue;
}

// The stored kinds that FromStorage gives back as they are (NULL; text or bytes in a text
// or blob field; an integer in an integer field; a real in a float field) are read into
// FValue straight from the record; the same text as before keeps FValue's string. False
// for every other pairing, which the general conversion handles.
bool TField::ReadStoredValue(std::string_view Data) const {
    size_t pos = ColumnOffset(Data, FFieldNo - 1);
    if (pos >= Data.size()) return false;
    const char tag = Data[pos++];
    switch (tag) {
    case tagNull:
        FValue = Variant::Null();
        return true;
    case tagText:
    case tagBlob: {
        if (!IsStringFieldType(FDataType) && !IsBlobFieldType(FDataType) && FDataType != ftUnknown) return false;
        const size_t n = ReadLength(Data, pos);
        const std::string_view text = Data.substr(pos, n);
        if (!FValue.IsString() || FValue.StrValue() != text) FValue = Variant(text);
        return true;
    }
    case tagInt: {
        if (!IsIntegerFieldType(FDataType)) return false;
        const int64_t v = ReadInteger(Data, pos);
        FValue = FDataType == ftLargeint ? Variant::FromInt64(v) : Variant::FromInt(v);
        return true;
    }
    case tagReal: {
        if (!IsFloatFieldType(FDataType)) return false;
        double v;
        std::memcpy(&v, Data.data() + pos, 8);
        FValue = FDataType == ftBCD ? BcdValue(Currency::FromDouble(v), FSize) : Variant(v);
        return true;
    }
    default: return false;
    }
}

void TField::SetValue(const Variant& Value) {
    if (!FDataSet) DatabaseError("Field '" + FFieldName + "' has no dataset");
    FDataSet->SetColumnValue(this, ToStorage(Value));
}

std::string TField::AsString() const { return TextOf(StorageValue()); }

std::string TField::TextOf(const Variant& Stored) const {
    Variant v = FromStorage(Stored);
    if (v.IsNull()) return "";
    if (v.Kind() == varDate) {
        TDateTime dt = v.AsDateTime();
        if (FDataType == ftDate) return DateToStr(dt);
        if (FDataType == ftTime) return TimeToStr(dt);
        double whole;
        return std::modf(dt, &whole) == 0 ? DateToStr(dt) : DateTimeToStr(dt);
    }
    if (v.IsBoolean()) return v.BoolValue() ? "True" : "False";
    if (v.Kind() == varDouble) return FloatToStr(v.DoubleValue());
    return v.AsString();
}

void TField::SetAsString(const std::string& Value) { SetValue(Variant(Value)); }

int32_t TField::AsInteger() const {
    int64_t v = AsLargeInt();
    if (v < INT32_MIN || v > INT32_MAX) throw ERangeError(ConvertText::Integer(AsString()));
    return static_cast<int32_t>(v);
}

void TField::SetAsInteger(int32_t Value) { SetValue(Variant(Value)); }

int64_t TField::AsLargeInt() const {
    Variant v = Value();
    if (v.IsNull()) return 0;
    if (v.IsString()) {
        int64_t r;
        if (!TryStrToInt64(Trim(v.StrValue()), r)) ConvertError(ConvertText::Integer);
        return r;
    }
    if (v.IsBoolean()) return v.BoolValue() ? 1 : 0;
    if (v.IsInteger()) return v.AsInt64();
    return Round(v.AsDouble());
}

void TField::SetAsLargeInt(int64_t Value) { SetValue(Variant::FromInt(Value)); }

double TField::AsFloat() const {
    Variant v = Value();
    if (v.IsNull()) return 0;
    if (v.IsString()) {
        double r;
        if (!TryStrToFloat(Trim(v.StrValue()), r)) ConvertError(ConvertText::Float);
        return r;
    }
    if (v.IsBoolean()) return v.BoolValue() ? 1 : 0;
    return v.AsDouble();
}

void TField::SetAsFloat(double Value) { SetValue(Variant(Value)); }

Currency TField::AsCurrency() const {
    Variant v = Value();
    if (v.IsNull()) return {};
    if (v.Kind() == varCurrency) return Currency::FromScaled(v.CurrencyValue());
    if (v.IsString()) {
        Currency r;
        if (!Currency::TryParse(Trim(v.StrValue()), r)) ConvertError(ConvertText::Float);
        return r;
    }
    if (v.IsBoolean()) return Currency::FromInt(v.BoolValue() ? 1 : 0);
    if (v.IsInteger()) return Currency::FromInt(v.AsInt64());
    return Currency::FromDouble(v.AsDouble());
}

void TField::SetAsCurrency(Currency Value) { SetValue(Variant::FromCurrency(Value.Scaled())); }

TDateTime TField::AsDateTime() const {
    Variant v = Value();
    if (v.IsNull()) return 0;
    if (v.IsString()) {
        TDateTime dt;
        if (!TryJetTextToDate(v.StrValue(), dt))
            throw EConvertError(ConvertText::DateTime(v.StrValue()));
        return dt;
    }
    return v.AsDouble();
}

void TField::SetAsDateTime(TDateTime Value) { SetValue(Variant::FromDate(Value)); }

bool TField::AsBoolean() const {
    Variant v = Value();
    if (v.IsNull()) return false;
    if (v.IsString()) {
        const std::string& s = v.StrValue();
        return !s.empty() && (s[0] == 'T' || s[0] == 't' || s[0] == 'Y' || s[0] == 'y');
    }
    if (v.IsBoolean()) return v.BoolValue();
    return v.AsDouble() != 0;
}

void TField::SetAsBoolean(bool Value) { SetValue(Variant(Value)); }

std::string TField::DisplayText() const { return DisplayTextOf(StorageValue()); }

std::string TField::DisplayTextOf(const Variant& Stored) const {
    bool null = Stored.IsNull() || Stored.IsEmpty();
    if (FDataType == ftMemo || FDataType == ftFmtMemo) return null ? "(memo)" : "(MEMO)";
    if (IsBlobFieldType(FDataType)) return null ? "(blob)" : "(BLOB)";
    return TextOf(Stored);
}

std::string TField::AsBytes() const {
    Variant v = StorageValue();
    if (v.IsNull()) return "";
    return v.IsString() ? v.StrValue() : AsString();
}

void TField::SaveToStream(TStream& Stream) const { Stream.WriteBuffer(AsBytes()); }

TComponent* TField::GetParentComponent() const { return FDataSet; }

void TField::SetParentComponent(TComponent* Value) {
    auto* ds = dynamic_cast<TDataSet*>(Value);
    if (Value && !ds) throw EComponentError("A field belongs to a dataset");
    SetDataSet(ds);
}

void TField::DeclareProperties(TPropertyDecl<TField>& d) {
    d.Property("FieldName", &TField::FieldName, &TField::SetFieldName);
    d.Property("DisplayLabel", &TField::DisplayLabel, &TField::SetDisplayLabel)
        .Stored(&TField::HasDisplayLabel);
    d.Property("DisplayWidth", &TField::DisplayWidth, &TField::SetDisplayWidth)
        .Stored(&TField::HasDisplayWidth);
    d.Property("Size", &TField::Size, &TField::SetSize).Default(0);
    d.Property("ReadOnly", &TField::ReadOnly, &TField::SetReadOnly).Default(false);
    d.Property("Visible", &TField::Visible, &TField::SetVisible).Default(true);
}

// --- TFields ---------------------------------------------------------------------------------

TField* TFields::Fields(int Index) const {
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FList[static_cast<size_t>(Index)];
}

TField* TFields::FindField(std::string_view FieldName) const {
    for (TField* f : FList)
        if (SameText(f->FieldName(), FieldName)) return f;
    return nullptr;
}

TField* TFields::FieldByName(std::string_view FieldName) const {
    TField* f = FindField(FieldName);
    if (!f) FDataSet->Error("Field '" + std::string(FieldName) + "' not found");
    return f;
}

int TFields::IndexOf(const TField* Field) const {
    for (size_t i = 0; i < FList.size(); ++i)
        if (FList[i] == Field) return static_cast<int>(i);
    return -1;
}

// --- TFieldDefs ------------------------------------------------------------------------------

const TFieldDef& TFieldDefs::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FItems[static_cast<size_t>(Index)];
}

int TFieldDefs::IndexOf(std::string_view Name) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (SameText(FItems[i].Name, Name)) return static_cast<int>(i);
    return -1;
}

const TFieldDef* TFieldDefs::FindDef(std::string_view Name) const {
    int i = IndexOf(Name);
    return i < 0 ? nullptr : &FItems[static_cast<size_t>(i)];
}

const TFieldDef& TFieldDefs::Find(std::string_view Name) const {
    const TFieldDef* def = FindDef(Name);
    if (!def) FDataSet->Error("Field '" + std::string(Name) + "' not found");
    return *def;
}

void TFieldDefs::SetType(int Index, TFieldType DataType, int Size) {
    if (Index < 0 || Index >= Count()) return;
    FItems[static_cast<size_t>(Index)].DataType = DataType;
    FItems[static_cast<size_t>(Index)].Size = Size;
}

void TFieldDefs::Update() {
    if (FDataSet->Active()) return;
    FDataSet->InternalInitFieldDefs();
}

// Names are unique: a repeated column name gets "_1", "_2", ... as the class library does.
void TFieldDefs::Add(TFieldDef Def) {
    std::string base = Def.Name;
    for (int n = 1; IndexOf(Def.Name) >= 0; ++n) Def.Name = base + "_" + std::to_string(n);
    Def.FieldNo = Count() + 1;
    FItems.push_back(std::move(Def));
}
