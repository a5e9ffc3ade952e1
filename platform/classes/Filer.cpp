// Filers and the mapping between objects and the value tree: applying read properties
// to objects, collecting the properties an object writes, TReader and TWriter.
#include <climits>

#include "platform/classes/FilerInternal.h"
#include "platform/rtl/ConvertErrors.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"

const char* ValueTypeName(TValueType type) {
    static const char* const names[] = {
        "end of list", "list", "integer", "integer", "integer", "float", "string", "identifier",
        "False", "True", "binary data", "set", "string", "nil", "collection", "float",
        "currency", "date", "string", "integer", "string", "float"};
    static_assert(sizeof(names) / sizeof(names[0]) == vaDouble + 1, "ORDER VALUETYPE");
    return type <= vaDouble ? names[type] : "unknown value";
}

std::string ReadPosition(const TReadContext& ctx, int position) {
    std::string where = Format(ctx.Binary ? "byte %d" : "line %d", {position});
    if (!ctx.SourceName.empty()) return ctx.SourceName + ", " + where;
    where[0] = static_cast<char>(where[0] - 'a' + 'A');
    return where;
}

void RaiseReadError(const TReadContext& ctx, int position, std::string_view place,
                    std::string_view message) {
    std::string text = ReadPosition(ctx, position) + ": ";
    if (!place.empty()) text += "Error reading " + std::string(place) + ": ";
    text += message;
    throw EReadError(text);
}

std::string ObjectPlaceName(const TObject* obj) {
    if (auto* c = dynamic_cast<const TComponent*>(obj); c && !c->Name().empty()) return c->Name();
    return obj ? obj->ClassName() : std::string("nil");
}

namespace {
std::string Join(const std::string& place, std::string_view name) {
    return place.empty() ? std::string(name) : place + "." + std::string(name);
}

// Where a property is read ("Form1.Label1" and "Font.Name"), joined only when a message or
// a fix-up needs the text: most properties read without either.
struct TPlace {
    const std::string& Path;
    std::string_view Name;
    std::string Text() const { return Join(Path, Name); }
};

[[noreturn]] void BadValue(const TReadContext& ctx, const TFilerValue& v, const std::string& place,
                           const TPropInfo* prop) {
    RaiseReadError(ctx, v.Line, place,
                   Format("Invalid property value (%s for a property of type %s)",
                          {ValueTypeName(v.Type), prop->Type->Name}));
}

bool IsFloatValue(TValueType t) {
    return t == vaExtended || t == vaSingle || t == vaDate || t == vaDouble || t == vaInt64 ||
           t == vaCurrency;
}

double FloatOf(const TFilerValue& v) {
    if (v.Type == vaInt64) return static_cast<double>(v.Int);
    if (v.Type == vaCurrency) return static_cast<double>(v.Int) / 10000.0;
    return v.Float;
}

// Sets one property from a value; exceptions of setters come back with the place.
void SetFilerValue(TReadContext& ctx, TPersistent* obj, const TPropInfo* p, const TFilerValue& v,
                   const TPlace& at) {
    auto place = [&at] { return at.Text(); };
    if (p->IsReadOnly() && p->Kind() != tkClass)
        RaiseReadError(ctx, v.Line, place(), "Property is read-only");
    try {
        switch (p->Kind()) {
        case tkInteger:
        case tkInt64: {
            int64_t n = 0;
            if (v.Type == vaInt64) n = v.Int;
            else if (v.Type == vaIdent && IdentToInt(p->Type, v.Str, n)) {
            } else BadValue(ctx, v, place(), p);
            SetOrdProp(obj, p, n);
            return;
        }
        case tkChar: {
            if (v.Type == vaInt64) {
                SetOrdProp(obj, p, v.Int);
                return;
            }
            if (v.Type != vaString) BadValue(ctx, v, place(), p);
            size_t pos = 0;
            char32_t c = v.Str.empty() ? 0 : NextCodePoint(v.Str, pos);
            if (pos != v.Str.size())
                RaiseReadError(ctx, v.Line, place(), "Invalid property value (a character needs one)");
            SetOrdProp(obj, p, c);
            return;
        }
        case tkEnumeration: {
            if (p->Type->IsBoolean() && (v.Type == vaTrue || v.Type == vaFalse)) {
                SetOrdProp(obj, p, v.Type == vaTrue ? 1 : 0);
                return;
            }
            if (v.Type == vaInt64) {
                SetOrdProp(obj, p, v.Int);
                return;
            }
            if (v.Type != vaIdent) BadValue(ctx, v, place(), p);
            int ord = GetEnumValue(p->Type, v.Str);
            if (ord < 0)
                RaiseReadError(ctx, v.Line, place(),
                               ConvertText::ValueOf(v.Str, p->Type->Name));
            SetOrdProp(obj, p, ord);
            return;
        }
        case tkSet: {
            if (v.Type == vaInt64) {
                SetOrdProp(obj, p, v.Int);
                return;
            }
            if (v.Type != vaSet) BadValue(ctx, v, place(), p);
            uint32_t mask = 0;
            for (const std::string& name : v.Names) {
                int ord = GetEnumValue(p->Type->CompType, name);
                if (ord < 0 || ord >= 32)
                    RaiseReadError(ctx, v.Line, place(),
                                   ConvertText::ElementOf(name, p->Type->Name));
                mask |= uint32_t(1) << ord;
            }
            SetOrdProp(obj, p, mask);
            return;
        }
        case tkFloat:
            if (!IsFloatValue(v.Type)) BadValue(ctx, v, place(), p);
            SetFloatProp(obj, p, FloatOf(v));
            return;
        case tkString:
            if (v.Type != vaString) BadValue(ctx, v, place(), p);
            SetStrProp(obj, p, v.Str);
            return;
        case tkVariant:
            SetVariantProp(obj, p, FilerValueToVariant(ctx, v, place()));
            return;
        case tkClass: {
            if (p->Type->IsStringList()) {
                TStrings* list = GetStringsProp(obj, p);
                if (!list || v.Type != vaList) BadValue(ctx, v, place(), p);
                list->BeginUpdate();
                try {
                    list->Clear();
                    for (const TFilerValue& line : v.List) {
                        if (line.Type != vaString)
                            RaiseReadError(ctx, line.Line, place(), "Invalid property value (a string list holds strings)");
                        list->Add(line.Str);
                    }
                } catch (...) {
                    list->EndUpdate();
                    throw;
                }
                list->EndUpdate();
                return;
            }
            if (p->IsComponentReference()) {
                if (p->IsReadOnly()) RaiseReadError(ctx, v.Line, place(), "Property is read-only");
                if (v.Type == vaNil) {
                    SetObjectProp(obj, p, nullptr);
                    return;
                }
                if (v.Type != vaIdent || !ctx.Fixups) BadValue(ctx, v, place(), p);
                ctx.Fixups->Add(obj, p, v.Str, ReadPosition(ctx, v.Line) + ": Error reading " + place());
                return;
            }
            TObject* sub = GetObjectProp(obj, p);
            if (auto* coll = dynamic_cast<TCollection*>(sub); coll && v.Type == vaCollection) {
                ReadCollectionValue(ctx, coll, v, place());
                return;
            }
            if (v.Type == vaNil && !p->IsReadOnly()) {
                SetObjectProp(obj, p, nullptr);
                return;
            }
            BadValue(ctx, v, place(), p);
        }
        case tkMethod: {
            TEventBase* ev = GetEventProp(obj, p);
            if (v.Type == vaNil) {
                ev->Clear();
                return;
            }
            if (v.Type != vaIdent) BadValue(ctx, v, place(), p);
            if (!ctx.Root)
                RaiseReadError(ctx, v.Line, place(), Format("No form to find handler %s in", {v.Str}));
            BindEventByName(obj, p, ctx.Root, v.Str);
            return;
        }
        case tkUnknown: break;
        }
        RaiseReadError(ctx, v.Line, place(), "Property of unknown type");
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& e) {
        RaiseReadError(ctx, v.Line, place(), e.Message());
    }
}

TFilerValue Scalar(TValueType type) {
    TFilerValue v;
    v.Type = type;
    return v;
}

TFilerValue IntValue(int64_t n) {
    TFilerValue v = Scalar(vaInt64);
    v.Int = n;
    return v;
}

TFilerValue StrValue(TValueType type, std::string s) {
    TFilerValue v = Scalar(type);
    v.Str = std::move(s);
    return v;
}
}  // namespace

void ApplyFilerProperty(TReadContext& ctx, TPersistent* obj, const TFilerProperty& prop,
                        const std::string& place) {
    TPersistent* target = obj;
    const std::string_view full = prop.Name;
    // The place of the name up to end ("Form1.Label1" and "Font"), for messages.
    auto at = [&](size_t end) { return TPlace{place, full.substr(0, end)}; };
    size_t start = 0;   // where the part of the name still to walk begins
    // Walk "Font.Name" and "Lines.Strings" down to the object that owns the last part.
    for (int depth = 0;; ++depth) {
        size_t dot = full.find('.', start);
        if (dot == std::string_view::npos) break;
        std::string_view head = full.substr(start, dot - start);
        std::string_view rest = full.substr(dot + 1);
        const TPropInfo* p = GetPropInfo(target, head);
        if (!p)
            RaiseReadError(ctx, prop.Line, at(dot).Text(),
                           Format("Property %s does not exist in %s", {std::string(head), target->ClassName()}));
        if (p->Kind() != tkClass)
            RaiseReadError(ctx, prop.Line, at(dot).Text(),
                           Format("Property %s is no object; '%s' cannot be set", {std::string(head), std::string(rest)}));
        if (p->Type->IsStringList() && SameText(rest, "Strings")) {
            SetFilerValue(ctx, target, p, prop.Value, at(full.size()));
            return;
        }
        if (p->IsComponentReference())
            RaiseReadError(ctx, prop.Line, at(dot).Text(),
                           "Properties of a referenced component cannot be set here");
        TObject* sub = p->Type->IsStringList() ? nullptr : GetObjectProp(target, p);
        auto* persistent = dynamic_cast<TPersistent*>(sub);
        if (!persistent)
            RaiseReadError(ctx, prop.Line, at(dot).Text(), Format("Property %s holds no object", {std::string(head)}));
        target = persistent;
        start = dot + 1;
        if (depth > 32) RaiseReadError(ctx, prop.Line, at(dot).Text(), "Property path too deep");
    }
    std::string_view name = full.substr(start);
    if (const TPropInfo* p = GetPropInfo(target, name)) {
        SetFilerValue(ctx, target, p, prop.Value, at(full.size()));
        return;
    }
    std::string where = at(full.size()).Text();
    TReader reader(ctx, prop.Value, target, where);
    bool found = false;
    try {
        found = reader.ReadDefinedProperty(std::string(name));
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& e) {
        RaiseReadError(ctx, prop.Line, where, e.Message());
    }
    if (!found)
        RaiseReadError(ctx, prop.Line, where,
                       Format("Property %s does not exist in %s", {std::string(name), target->ClassName()}));
}

void ReadCollectionValue(TReadContext& ctx, TCollection* coll, const TFilerValue& value,
                         const std::string& place) {
    if (value.Type != vaCollection)
        RaiseReadError(ctx, value.Line, place,
                       Format("Invalid property value (%s for a collection)", {ValueTypeName(value.Type)}));
    coll->BeginUpdate();
    try {
        coll->Clear();
        for (size_t i = 0; i < value.Items.size(); ++i) {
            const TFilerItem& item = value.Items[i];
            TCollectionItem* it = nullptr;
            try {
                it = coll->Add();
            } catch (const Exception& e) {
                RaiseReadError(ctx, item.Line, place, e.Message());
            }
            std::string itemPlace = Format("%s[%d]", {place, static_cast<int>(i)});
            for (const TFilerProperty& p : item.Properties) ApplyFilerProperty(ctx, it, p, itemPlace);
        }
    } catch (...) {
        coll->EndUpdate();
        throw;
    }
    coll->EndUpdate();
}

TFilerValue VariantToFilerValue(const Variant& v) {
    switch (v.Type()) {
    case varEmpty: return Scalar(vaNil);
    case varNull: return Scalar(vaNull);
    case varBoolean: return Scalar(v.BoolValue() ? vaTrue : vaFalse);
    case varSingle: {
        TFilerValue f = Scalar(vaSingle);
        f.Float = v.SingleValue();
        return f;
    }
    case varDouble: {
        TFilerValue f = Scalar(vaExtended);
        f.Float = v.DoubleValue();
        return f;
    }
    case varDate: {
        TFilerValue f = Scalar(vaDate);
        f.Float = v.DoubleValue();
        return f;
    }
    case varCurrency: {
        TFilerValue f = Scalar(vaCurrency);
        f.Int = v.CurrencyValue();
        return f;
    }
    case varString: return StrValue(vaString, v.StrValue());
    default:
        if (v.IsInteger()) return IntValue(v.IntValue());
        break;
    }
    throw EWriteError(Format("A variant of type %s cannot be stored", {VarTypeAsText(v.Type())}));
}

Variant FilerValueToVariant(const TReadContext& ctx, const TFilerValue& v, std::string_view place) {
    switch (v.Type) {
    case vaNil: return Variant();
    case vaNull: return Variant::Null();
    case vaTrue: return Variant(true);
    case vaFalse: return Variant(false);
    case vaInt64: return Variant::FromInt(v.Int);
    case vaExtended:
    case vaDouble: return Variant(v.Float);
    case vaSingle: return Variant::FromSingle(static_cast<float>(v.Float));
    case vaDate: return Variant::FromDate(v.Float);
    case vaCurrency: return Variant::FromCurrency(v.Int);
    case vaString: return Variant(v.Str);
    default: break;
    }
    RaiseReadError(ctx, v.Line, place,
                   Format("Invalid property value (%s for a variant)", {ValueTypeName(v.Type)}));
}

void CollectFilerProperties(TWriteContext& ctx, TPersistent* obj, const std::string& prefix,
                            std::vector<TFilerProperty>& out, int depth) {
    if (depth > 16) throw EWriteError(Format("Objects nested too deeply at %s", {prefix}));
    auto add = [&](const TPropInfo* p, TFilerValue v, const char* suffix = "") {
        TFilerProperty prop;
        prop.Name = prefix + p->Name + suffix;
        prop.Value = std::move(v);
        out.push_back(std::move(prop));
    };
    for (const TPropInfo* p : obj->ClassType()->Properties()) {
        if (!IsStoredProp(obj, p)) continue;
        switch (p->Kind()) {
        case tkInteger:
        case tkInt64: {
            if (p->IsReadOnly() || IsDefaultPropValue(obj, p)) break;
            int64_t n = GetOrdProp(obj, p);
            std::string ident;
            if (IntToIdent(p->Type, n, ident)) add(p, StrValue(vaIdent, ident));
            else add(p, IntValue(n));
            break;
        }
        case tkChar:
            if (p->IsReadOnly() || IsDefaultPropValue(obj, p)) break;
            add(p, StrValue(vaString, CodePointToUtf8(static_cast<char32_t>(GetOrdProp(obj, p)))));
            break;
        case tkEnumeration: {
            if (p->IsReadOnly() || IsDefaultPropValue(obj, p)) break;
            int64_t n = GetOrdProp(obj, p);
            if (p->Type->IsBoolean()) add(p, Scalar(n ? vaTrue : vaFalse));
            else add(p, StrValue(vaIdent, GetEnumName(p->Type, n)));
            break;
        }
        case tkSet: {
            if (p->IsReadOnly() || IsDefaultPropValue(obj, p)) break;
            TFilerValue v = Scalar(vaSet);
            auto mask = static_cast<uint32_t>(GetOrdProp(obj, p));
            for (unsigned bit = 0; bit < 32; ++bit)
                if (mask & (uint32_t(1) << bit)) v.Names.push_back(GetEnumName(p->Type->CompType, bit));
            add(p, std::move(v));
            break;
        }
        case tkFloat: {
            if (p->IsReadOnly() || IsDefaultPropValue(obj, p)) break;
            double f = GetFloatProp(obj, p);
            TFilerValue v;
            switch (p->Type->FloatType) {
            case ftSingle: v = Scalar(vaSingle); v.Float = f; break;
            case ftDateTimeFloat: v = Scalar(vaDate); v.Float = f; break;
            case ftCurr: v = Scalar(vaCurrency); v.Int = Round(f * 10000.0); break;
            case ftDouble:
            case ftExtended: v = Scalar(vaExtended); v.Float = f; break;
            }
            add(p, std::move(v));
            break;
        }
        case tkString:
            if (p->IsReadOnly() || IsDefaultPropValue(obj, p)) break;
            add(p, StrValue(vaString, GetStrProp(obj, p)));
            break;
        case tkVariant:
            if (p->IsReadOnly() || IsDefaultPropValue(obj, p)) break;
            add(p, VariantToFilerValue(GetVariantProp(obj, p)));
            break;
        case tkClass: {
            if (p->Type->IsStringList()) {
                TStrings* list = GetStringsProp(obj, p);
                if (!list || list->Count() == 0) break;
                TFilerValue v = Scalar(vaList);
                for (int i = 0; i < list->Count(); ++i) v.List.push_back(StrValue(vaString, list->Strings(i)));
                add(p, std::move(v), ".Strings");
                break;
            }
            TObject* sub = GetObjectProp(obj, p);
            if (!sub) break;
            if (p->IsComponentReference()) {
                if (p->IsReadOnly()) break;
                std::string name = GetComponentReferenceName(ctx.Root, static_cast<TComponent*>(sub));
                if (!name.empty()) add(p, StrValue(vaIdent, name));
                break;
            }
            if (auto* coll = dynamic_cast<TCollection*>(sub)) {
                if (coll->Count() == 0) break;
                TFilerValue v = Scalar(vaCollection);
                for (int i = 0; i < coll->Count(); ++i) {
                    TFilerItem item;
                    CollectFilerProperties(ctx, coll->Items(i), "", item.Properties, depth + 1);
                    v.Items.push_back(std::move(item));
                }
                add(p, std::move(v));
                break;
            }
            if (auto* persistent = dynamic_cast<TPersistent*>(sub))
                CollectFilerProperties(ctx, persistent, prefix + p->Name + ".", out, depth + 1);
            break;
        }
        case tkMethod: {
            TEventBase* ev = GetEventProp(obj, p);
            if (ev->Assigned() && !ev->HandlerName().empty()) add(p, StrValue(vaIdent, ev->HandlerName()));
            break;
        }
        case tkUnknown: break;
        }
    }
    TWriter writer(ctx, out);
    writer.WriteDefinedProperties(obj, prefix);
}

// --- TReader ---------------------------------------------------------------------------------
TReader::TReader(TReadContext& context, const TFilerValue& value, TPersistent* instance,
                 std::string placePath)
    : FContext(context), FInstance(instance), FPlacePath(std::move(placePath)) {
    FRoot = context.Root;
    FStack.push_back({&value, 1, 0});
}

void TReader::DefineProperty(const std::string& Name, const std::function<void(TReader&)>& ReadData,
                             const std::function<void(TWriter&)>&, bool) {
    if (FFound || !ReadData || !SameText(Name, FSought)) return;
    FFound = true;
    ReadData(*this);
}

void TReader::DefineBinaryProperty(const std::string& Name,
                                   const std::function<void(const std::string&)>& ReadData,
                                   const std::function<void(std::string&)>&, bool) {
    if (FFound || !ReadData || !SameText(Name, FSought)) return;
    FFound = true;
    ReadData(ReadBinary());
}

bool TReader::ReadDefinedProperty(const std::string& Name) {
    FSought = Name;
    FFound = false;
    FInstance->DefineProperties(*this);
    return FFound;
}

const TFilerValue& TReader::Current() const {
    const TCursor& c = FStack.back();
    if (c.Pos >= c.Count) {
        int line = c.Count ? c.Values[c.Count - 1].Line : 0;
        RaiseReadError(FContext, line, FPlacePath, "Unexpected end of list");
    }
    return c.Values[c.Pos];
}

const TFilerValue& TReader::Take() {
    const TFilerValue& v = Current();
    ++FStack.back().Pos;
    return v;
}

void TReader::Error(const std::string& Message) const {
    const TCursor& c = FStack.back();
    int line = c.Pos < c.Count ? c.Values[c.Pos].Line : (c.Count ? c.Values[c.Count - 1].Line : 0);
    RaiseReadError(FContext, line, FPlacePath, Message);
}

TValueType TReader::NextValue() const {
    const TCursor& c = FStack.back();
    return c.Pos < c.Count ? c.Values[c.Pos].Type : vaNull;
}

bool TReader::EndOfList() const { return NextValue() == vaNull && FStack.back().Pos >= FStack.back().Count; }

void TReader::ReadListBegin() {
    const TFilerValue& v = Current();
    if (v.Type != vaList) Error(Format("A list was expected, not %s", {ValueTypeName(v.Type)}));
    Take();
    FStack.push_back({v.List.data(), v.List.size(), 0});
}

void TReader::ReadListEnd() {
    if (FStack.size() < 2) Error("No list to end");
    if (!EndOfList()) Error("The list holds more values than were read");
    FStack.pop_back();
}

int32_t TReader::ReadInteger() {
    int64_t n = ReadInt64();
    if (n < INT32_MIN || n > INT32_MAX) Error(Format("Integer %d out of range", {static_cast<long long>(n)}));
    return static_cast<int32_t>(n);
}

int64_t TReader::ReadInt64() {
    const TFilerValue& v = Current();
    if (v.Type != vaInt64) Error(Format("An integer was expected, not %s", {ValueTypeName(v.Type)}));
    return Take().Int;
}

double TReader::ReadFloat() {
    const TFilerValue& v = Current();
    if (!IsFloatValue(v.Type)) Error(Format("A number was expected, not %s", {ValueTypeName(v.Type)}));
    return FloatOf(Take());
}

std::string TReader::ReadString() {
    const TFilerValue& v = Current();
    if (v.Type != vaString) Error(Format("A string was expected, not %s", {ValueTypeName(v.Type)}));
    return Take().Str;
}

bool TReader::ReadBoolean() {
    const TFilerValue& v = Current();
    if (v.Type == vaTrue || v.Type == vaFalse) return Take().Type == vaTrue;
    Error(Format("True or False was expected, not %s", {ValueTypeName(v.Type)}));
}

std::string TReader::ReadIdent() {
    const TFilerValue& v = Current();
    switch (v.Type) {
    case vaIdent: return Take().Str;
    case vaTrue: Take(); return "True";
    case vaFalse: Take(); return "False";
    case vaNil: Take(); return "nil";
    case vaNull: Take(); return "Null";
    default: break;
    }
    Error(Format("An identifier was expected, not %s", {ValueTypeName(v.Type)}));
}

char32_t TReader::ReadChar() {
    std::string s = ReadString();
    size_t pos = 0;
    char32_t c = s.empty() ? 0 : NextCodePoint(s, pos);
    if (s.empty() || pos != s.size()) Error("One character was expected");
    return c;
}

std::string TReader::ReadBinary() {
    const TFilerValue& v = Current();
    if (v.Type != vaBinary) Error(Format("Binary data was expected, not %s", {ValueTypeName(v.Type)}));
    return Take().Str;
}

Variant TReader::ReadVariant() {
    const TFilerValue& v = Current();
    Variant result = FilerValueToVariant(FContext, v, FPlacePath);
    Take();
    return result;
}

void TReader::SkipValue() { Take(); }

void TReader::ReadCollection(TCollection* Collection) {
    const TFilerValue& v = Current();
    if (v.Type != vaCollection) Error(Format("A collection was expected, not %s", {ValueTypeName(v.Type)}));
    ReadCollectionValue(FContext, Collection, Take(), FPlacePath);
}

void TReader::ReadReference(std::function<void(TComponent*)> Setter) {
    const TFilerValue& v = Current();
    if (v.Type == vaNil) {
        Take();
        Setter(nullptr);
        return;
    }
    if (v.Type != vaIdent) Error(Format("A component name was expected, not %s", {ValueTypeName(v.Type)}));
    if (!FContext.Fixups) Error("References cannot be resolved here");
    FContext.Fixups->Add(FInstance, std::move(Setter), v.Str,
                         ReadPosition(FContext, v.Line) + ": Error reading " + FPlacePath);
    Take();
}

// --- TWriter ---------------------------------------------------------------------------------
TWriter::TWriter(TWriteContext& context, std::vector<TFilerProperty>& out)
    : FContext(context), FOut(out) {
    FRoot = context.Root;
}

void TWriter::DefineProperty(const std::string& Name, const std::function<void(TReader&)>&,
                             const std::function<void(TWriter&)>& WriteData, bool HasData) {
    if (!HasData || !WriteData) return;
    FValues.clear();
    FStack.assign(1, &FValues);
    WriteData(*this);
    if (FStack.size() != 1) throw EWriteError(Format("Property %s leaves a list open", {Name}));
    FStack.clear();
    if (FValues.size() != 1)
        throw EWriteError(Format("Property %s wrote %d values instead of one",
                                 {Name, static_cast<int>(FValues.size())}));
    TFilerProperty prop;
    prop.Name = FPrefix + Name;
    prop.Value = std::move(FValues.front());
    FOut.push_back(std::move(prop));
    FValues.clear();
}

void TWriter::DefineBinaryProperty(const std::string& Name, const std::function<void(const std::string&)>&,
                                   const std::function<void(std::string&)>& WriteData, bool HasData) {
    if (!HasData || !WriteData) return;
    std::string bytes;
    WriteData(bytes);
    TFilerProperty prop;
    prop.Name = FPrefix + Name;
    prop.Value = StrValue(vaBinary, std::move(bytes));
    FOut.push_back(std::move(prop));
}

void TWriter::WriteDefinedProperties(TPersistent* Instance, const std::string& Prefix) {
    FPrefix = Prefix;
    Instance->DefineProperties(*this);
}

void TWriter::Put(TFilerValue value) {
    if (FStack.empty()) throw EWriteError("Values can only be written inside a defined property");
    FStack.back()->push_back(std::move(value));
}

void TWriter::WriteInteger(int64_t Value) { Put(IntValue(Value)); }
void TWriter::WriteFloat(double Value) {
    TFilerValue v = Scalar(vaExtended);
    v.Float = Value;
    Put(std::move(v));
}
void TWriter::WriteString(std::string_view Value) { Put(StrValue(vaString, std::string(Value))); }
void TWriter::WriteBoolean(bool Value) { Put(Scalar(Value ? vaTrue : vaFalse)); }
void TWriter::WriteIdent(std::string_view Ident) {
    if (SameText(Ident, "True")) Put(Scalar(vaTrue));
    else if (SameText(Ident, "False")) Put(Scalar(vaFalse));
    else if (SameText(Ident, "nil")) Put(Scalar(vaNil));
    else if (SameText(Ident, "Null")) Put(Scalar(vaNull));
    else {
        if (!IsValidIdent(Ident.substr(0, Ident.find('.'))))
            throw EWriteError(Format("'%s' is no identifier", {std::string(Ident)}));
        Put(StrValue(vaIdent, std::string(Ident)));
    }
}
void TWriter::WriteChar(char32_t Value) { Put(StrValue(vaString, CodePointToUtf8(Value))); }
void TWriter::WriteBinary(std::string_view Bytes) { Put(StrValue(vaBinary, std::string(Bytes))); }
void TWriter::WriteVariant(const Variant& Value) { Put(VariantToFilerValue(Value)); }

void TWriter::WriteListBegin() {
    Put(Scalar(vaList));
    std::vector<TFilerValue>* top = FStack.back();
    FStack.push_back(&top->back().List);
}

void TWriter::WriteListEnd() {
    if (FStack.size() < 2) throw EWriteError("No list to end");
    FStack.pop_back();
}

void TWriter::WriteCollection(TCollection* Collection) {
    TFilerValue v = Scalar(vaCollection);
    if (Collection)
        for (int i = 0; i < Collection->Count(); ++i) {
            TFilerItem item;
            CollectFilerProperties(FContext, Collection->Items(i), "", item.Properties, 1);
            v.Items.push_back(std::move(item));
        }
    Put(std::move(v));
}

void TWriter::WriteReference(TComponent* Component) {
    std::string name = Component ? GetComponentReferenceName(FContext.Root, Component) : std::string();
    if (name.empty()) Put(Scalar(vaNil));
    else Put(StrValue(vaIdent, std::move(name)));
}
