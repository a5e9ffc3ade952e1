// The object serializer.
#include "report/Serializer.h"
#include "platform/rtl/ConvertErrors.h"

#include "platform/classes/Collection.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Streams.h"
#include "report/Component.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Utils.h"
#include "report/XMLDocument.h"

#include <cmath>
#include <cstdint>

namespace {

void Attr(std::string& s, const std::string& prefix, const std::string& name, const std::string& value) {
    s += ' ';
    s += prefix;
    s += name;
    s += "=\"";
    s += value;
    s += '"';
}

// One name="value" pair at the front of an attribute text (the reader's rule: the name
// is the text before the first quote less its "=", trimmed).
bool NextAttribute(std::string_view text, size_t& pos, std::string& name, std::string_view& value) {
    const size_t q = text.find('"', pos);
    if (q == std::string_view::npos) return false;
    std::string_view left = text.substr(pos, q - pos);
    const size_t eq = left.rfind('=');
    if (eq == std::string_view::npos) return false;
    // The name trimmed and lower-cased into the caller's string, which keeps its buffer
    // from one attribute to the next.
    std::string_view raw = left.substr(0, eq);
    while (!raw.empty() && static_cast<unsigned char>(raw.front()) <= ' ') raw.remove_prefix(1);
    while (!raw.empty() && static_cast<unsigned char>(raw.back()) <= ' ') raw.remove_suffix(1);
    if (raw.empty()) return false;
    name.assign(raw);
    for (char& c : name)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    const size_t q2 = text.find('"', q + 1);
    if (q2 == std::string_view::npos) return false;
    value = text.substr(q + 1, q2 - q - 1);
    pos = q2 + 1;
    return true;
}

int64_t ParseOrd(const TPropInfo* prop, std::string_view value) {
    const TTypeInfo* type = prop->Type;
    if (type->Kind == tkEnumeration) {
        int64_t n;
        if (TryStrToInt64(Trim(value), n)) return n;
        const int v = GetEnumValue(type, Trim(value));
        if (v < 0) throw EConvertError(ConvertText::ValueOf(value, prop->Name));
        return v;
    }
    if (type->Kind == tkSet && !value.empty() && value[0] == '[') return StringToSet(type, value);
    if (type->Kind == tkInt64) return StrToInt64(value);
    return StrToInt(value);
}

}  // namespace

TfrxXMLSerializer::TfrxXMLSerializer(TStream* Stream)
    : FStream(Stream), FBinaryFixups(std::make_unique<TFixupList>()) {
    FErrors.SetSorted(true);
    FErrors.SetDuplicates(dupIgnore);
}

TfrxXMLSerializer::~TfrxXMLSerializer() = default;

void TfrxXMLSerializer::AddError(const std::string& Message) { FErrors.Add(Message); }

// --- Writing -------------------------------------------------------------------------------

std::string TfrxXMLSerializer::ObjToXML(TPersistent* Obj, const std::string& Prefix) {
    std::string s;
    for (const TPropInfo* p : Obj->ClassType()->Properties()) {
        if (!IsStoredProp(Obj, p)) continue;
        switch (p->Kind()) {
            case tkInteger:
            case tkInt64:
            case tkChar:
            case tkSet:
                if (FSerializeDefaultValues || !IsDefaultPropValue(Obj, p))
                    Attr(s, Prefix, p->Name, IntToStr(GetOrdProp(Obj, p)));
                break;
            case tkEnumeration:
                if (FSerializeDefaultValues || !IsDefaultPropValue(Obj, p))
                    Attr(s, Prefix, p->Name, GetEnumProp(Obj, p));
                break;
            case tkFloat:
                Attr(s, Prefix, p->Name, FloatToStr(GetFloatProp(Obj, p)));
                break;
            case tkString: {
                const std::string v = GetStrProp(Obj, p);
                if (!v.empty() || FSerializeDefaultValues) Attr(s, Prefix, p->Name, frxStrToXML(v));
                break;
            }
            case tkVariant: {
                const std::string v = VarToStr(GetVariantProp(Obj, p));
                if (!v.empty()) Attr(s, Prefix, p->Name, frxStrToXML(v));
                break;
            }
            case tkClass: {
                if (p->Type->IsStringList()) {
                    TStrings* list = GetStringsProp(Obj, p);
                    std::string text = list ? list->Text() : std::string();
                    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
                    Attr(s, Prefix, p->Name + ".Text", frxStrToXML(text));
                    break;
                }
                TObject* sub = GetObjectProp(Obj, p);
                if (!sub) break;
                if (p->IsComponentReference()) {
                    const std::string name = frxGetFullName(FOwner, static_cast<TComponent*>(sub));
                    if (!name.empty()) Attr(s, Prefix, p->Name, frxStrToXML(name));
                    break;
                }
                if (!sub->Is<TPersistent>() || sub->Is<TCollection>()) break;
                auto* persistent = static_cast<TPersistent*>(sub);
                s += ObjToXML(persistent, Prefix + p->Name + ".");
                break;
            }
            case tkMethod:
            case tkUnknown:
                break;
        }
    }
    const std::string data = WritePropData(Obj, FOwner);
    if (!data.empty()) Attr(s, Prefix, "PropData", BytesToHex(data));
    return s;
}

void TfrxXMLSerializer::FillItem(TfrxXMLItem* Item, TfrxComponent* Obj, bool SaveChildren) {
    Item->SetName(Obj->ClassName());
    Item->SetText("Name=\"" + frxStrToXML(Obj->Name()) + "\"" + ObjToXML(Obj));
    if (!SaveChildren) return;
    for (TfrxComponent* c : Obj->ObjectList()) FillItem(Item->Add(), c, true);
}

void TfrxXMLSerializer::WriteRootComponent(TfrxComponent* Obj, bool SaveChildren, TfrxXMLItem* Item) {
    if (!FOwner) FOwner = Obj;
    if (Item) {
        FillItem(Item, Obj, SaveChildren);
        return;
    }
    TfrxXMLDocument doc;
    doc.SetAutoIndent(true);
    FillItem(doc.Root(), Obj, SaveChildren);
    doc.SaveToStream(*FStream);
}

void TfrxXMLSerializer::WriteComponent(TfrxComponent* Obj) {
    if (!FOwner) FOwner = Obj;
    const std::string text = "<" + Obj->ClassName() + ObjToXML(Obj) + "/>";
    FStream->WriteBuffer(text);
}

// --- Reading -------------------------------------------------------------------------------

TComponent* TfrxXMLSerializer::Lookup(std::string_view Name) const {
    if (auto* root = dynamic_cast<TfrxComponent*>(FOwner))
        if (TfrxComponent* c = root->FindObject(Name)) return c;
    return frxFindComponent(FOwner, Name);
}

void TfrxXMLSerializer::ReadPropData(TPersistent* Obj, std::string_view Hex) {
    ::ReadPropData(Obj, HexToBytes(Hex), FOwner, *FBinaryFixups);
}

namespace {
// Coordinates, sizes and the other lengths of report objects (pixels or millimetres) are
// refused beyond this magnitude: no page or object is that large, and drawing, printing
// and the preview's page list stay far inside integer range at any zoom.
constexpr double kMaxLength = 1e6;

double LengthValue(std::string_view Value, const char* Name) {
    const double v = frxStrToFloat(Value);
    if (!(std::fabs(v) <= kMaxLength))
        throw EConvertError("'" + std::string(Value) + "' is out of range for " + Name);
    return v;
}
}  // namespace

const TPropInfo* TfrxXMLSerializer::FindProp(TPersistent* Obj, std::string_view Name) {
    if (!FPropSeen || !Obj || Name.empty()) return GetPropInfo(Obj, Name);
    const TClass cls = Obj->ClassType();
    const size_t slot = ((reinterpret_cast<uintptr_t>(cls) >> 4) ^ (Name.size() * 31) ^
                         (static_cast<unsigned char>(Name.front()) * 7) ^ static_cast<unsigned char>(Name.back()) ^
                         (static_cast<unsigned char>(Name[Name.size() / 2]) << 3)) %
                        FPropSeen->size();
    TPropSeen& seen = (*FPropSeen)[slot];
    if (seen.Class == cls && seen.Name == Name) return seen.Prop;
    const TPropInfo* p = GetPropInfo(Obj, Name);
    seen.Class = cls;
    seen.Name.assign(Name);
    seen.Prop = p;
    return p;
}

void TfrxXMLSerializer::ApplyAttribute(TPersistent* Obj, const std::string& Name, std::string_view Value) {
    auto* component = Name.size() == 1 ? frxAs<TfrxComponent>(Obj) : nullptr;
    if (component) {
        switch (Name[0]) {
            case 'l': component->SetLeft(LengthValue(Value, "Left")); return;
            case 't': component->SetTop(LengthValue(Value, "Top")); return;
            case 'w': component->SetWidth(LengthValue(Value, "Width")); return;
            case 'h': component->SetHeight(LengthValue(Value, "Height")); return;
            case 'x':
                if (const TPropInfo* memo = FindProp(Obj, "Memo"); memo && memo->Type->IsStringList())
                    GetStringsProp(Obj, memo)->SetText(frxXMLToStr(Value));
                return;
            default: break;
        }
    }
    TPersistent* target = Obj;
    std::string_view path = Name;
    for (size_t dot; (dot = path.find('.')) != std::string_view::npos;) {
        const std::string_view part = path.substr(0, dot);
        const std::string_view rest = path.substr(dot + 1);
        const TPropInfo* p = FindProp(target, part);
        if (!p || p->Kind() != tkClass) return;
        if (p->Type->IsStringList()) {
            if (rest == "text")
                if (TStrings* list = GetStringsProp(target, p)) list->SetText(frxXMLToStr(Value));
            return;
        }
        if (p->IsComponentReference()) return;
        auto* sub = dynamic_cast<TPersistent*>(GetObjectProp(target, p));
        if (!sub) return;
        target = sub;
        path = rest;
    }
    if (path == "propdata") {
        ReadPropData(target, Value);
        return;
    }
    const TPropInfo* p = FindProp(target, path);
    if (!p || p->IsReadOnly()) return;
    switch (p->Kind()) {
        case tkInteger:
        case tkInt64:
        case tkChar:
        case tkSet:
        case tkEnumeration:
            SetOrdProp(target, p, ParseOrd(p, Value));
            break;
        case tkFloat:
            // Every number of a report object but a date is a length.
            SetFloatProp(target, p,
                         p->Type->FloatType == ftDateTimeFloat ? frxStrToFloat(Value) : LengthValue(Value, p->Name.c_str()));
            break;
        case tkString:
            SetStrProp(target, p, frxXMLToStr(Value));
            break;
        case tkVariant:
            SetVariantProp(target, p, Variant(frxXMLToStr(Value)));
            break;
        case tkClass:
            if (p->IsComponentReference()) FFixups.push_back({target, p, frxXMLToStr(Value)});
            break;
        case tkMethod:
        case tkUnknown:
            break;
    }
}

void TfrxXMLSerializer::XMLToObj(std::string_view Text, TPersistent* Obj) {
    size_t pos = 0;
    std::string name;
    std::string_view value;
    while (NextAttribute(Text, pos, name, value)) {
        try {
            ApplyAttribute(Obj, name, value);
        } catch (const std::exception& e) {
            AddError(e.what());
        }
    }
}

void TfrxXMLSerializer::ReadItem(TfrxXMLItem* Item, TfrxComponent* Obj, std::vector<TfrxComponent*>& Read) {
    Obj->SetComponentStateFlag(csLoading, true);
    Read.push_back(Obj);
    XMLToObj(Item->Text(), Obj);
    for (int i = 0; i < Item->Count(); ++i) {
        TfrxXMLItem* child = Item->Items(i);
        TClass cls = GetClass(child->Name());
        if (!cls || !cls->InheritsFrom(TfrxComponent::StaticClass()) || !cls->CanCreate()) {
            AddError(frxResources().Get("xrCantFindClass") + " " + child->Name());
            continue;
        }
        TfrxComponent* obj = nullptr;
        try {
            obj = static_cast<TfrxComponent*>(cls->CreateInstance(Obj));
        } catch (const std::exception& e) {
            AddError(e.what());
            continue;
        }
        ReadItem(child, obj, Read);
    }
}

void TfrxXMLSerializer::FixupReferences() {
    for (const TFixup& f : FFixups) {
        TComponent* c = Lookup(f.Name);
        if (!c) continue;
        try {
            SetObjectProp(f.Obj, f.Prop, c);
        } catch (const std::exception& e) {
            AddError(e.what());
        }
    }
    FFixups.clear();
    try {
        FBinaryFixups->Resolve(FOwner, TFixupList::urIgnore,
                               [this](std::string_view name) { return Lookup(name); });
    } catch (const std::exception& e) {
        AddError(e.what());
    }
}

void TfrxXMLSerializer::ReadRootComponent(TfrxComponent* Obj, TfrxXMLItem* Item) {
    if (!FOwner) FOwner = Obj;
    std::unique_ptr<TfrxXMLDocument> doc;
    if (!Item) {
        doc = std::make_unique<TfrxXMLDocument>();
        doc->LoadFromStream(*FStream);
        Item = doc->Root();
    }
    std::vector<TfrxComponent*> read;
    if (!FPropSeen) FPropSeen = std::make_unique<std::array<TPropSeen, 128>>();
    ReadItem(Item, Obj, read);
    FixupReferences();
    for (TfrxComponent* c : read) {
        if (c->Is<TfrxReport>()) {
            c->SetComponentStateFlag(csLoading, false);
            continue;
        }
        try {
            c->Loaded();
        } catch (const std::exception& e) {
            AddError(e.what());
        }
        c->SetComponentStateFlag(csLoading, false);
    }
}

TfrxComponent* TfrxXMLSerializer::ReadComponent(TComponent* AOwner) {
    std::string name, text;
    {
        TfrxXMLReader reader(*FStream);
        if (!reader.ReadHeader(name, text)) return nullptr;
    }
    if (!text.empty() && text.back() == '/') text.pop_back();
    if (!name.empty() && name.back() == '/') name.pop_back();
    if (name.empty()) return nullptr;
    TClass cls = FindClass(name);
    if (!cls->InheritsFrom(TfrxComponent::StaticClass())) throw EClassNotFound(Format("Class %s not found", {name}));
    auto* obj = static_cast<TfrxComponent*>(cls->CreateInstance(AOwner));
    FOwner = AOwner;
    XMLToObj(text, obj);
    FixupReferences();
    if (!obj->Is<TfrxReport>()) obj->Loaded();
    return obj;
}

// --- Collections of the report -------------------------------------------------------------

void frxWriteCollection(TWriter& Writer, TCollection* Collection) {
    PackCollectionStrings(Collection, true);
    try {
        Writer.WriteCollection(Collection);
    } catch (...) {
        PackCollectionStrings(Collection, false);
        throw;
    }
    PackCollectionStrings(Collection, false);
}

void frxReadCollection(TReader& Reader, TCollection* Collection, TStrings* Errors) {
    // A value that is no collection is refused before the collection is touched.
    if (Reader.NextValue() != vaCollection) {
        Reader.ReadCollection(Collection);
        return;
    }
    std::vector<std::string> failed;
    try {
        Reader.ReadCollection(Collection);
    } catch (...) {
        // The items read before the bad one stay in the collection: they are unpacked too,
        // or their packed strings would make every later save of the report fail.
        PackCollectionStrings(Collection, false, &failed);
        if (Errors)
            for (const std::string& e : failed) Errors->Add(e);
        throw;
    }
    PackCollectionStrings(Collection, false, Errors ? &failed : nullptr);
    for (const std::string& e : failed) Errors->Add(e);
}
