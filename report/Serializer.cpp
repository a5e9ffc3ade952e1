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
#include "script/Script.h"

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

void TfrxXMLSerializer::Answer() {
    FAnswerCountdown = kAnswerObjects;
    TfsRunWatchScope::WatchNow();
}

void TfrxXMLSerializer::FillItem(TfrxXMLItem* Item, TfrxComponent* Obj, bool SaveChildren) {
    AnswerStep();
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

// --- Compiled attribute texts ---------------------------------------------------------------

// One attribute resolved: the sub-objects to walk from the object (each a class property
// of the one before), the property it sets there and its value converted. The class the
// property was found on is kept: an object whose sub-object turns out to be of another
// class takes the attribute's text the ordinary way.
struct TfrxXMLSerializer::TCompiledStep {
    enum TAction : uint8_t { aNone, aLeft, aTop, aWidth, aHeight, aStrings, aPropData, aOrd, aFloat, aString, aVariant, aFixup, aError };
    TAction Action = aNone;
    std::vector<const TPropInfo*> Path;
    TClass TargetClass = nullptr;
    const TPropInfo* Prop = nullptr;
    int64_t Ord = 0;
    double Float = 0;
    std::string Text;    // string, list text, hexadecimal data, reference name or error message
    std::string Name;    // the attribute as written, for the ordinary way
    std::string Value;
};

TfrxCompiledAttributes::TfrxCompiledAttributes() = default;
TfrxCompiledAttributes::~TfrxCompiledAttributes() = default;

TfrxXMLSerializer::TCompiledStep TfrxXMLSerializer::CompileAttribute(TPersistent* Obj, const std::string& Name,
                                                                     std::string_view Value) {
    TCompiledStep step;
    step.Name = Name;
    step.Value = std::string(Value);
    auto fail = [&](const std::exception& e) {
        step.Action = TCompiledStep::aError;
        step.Text = e.what();
        return step;
    };
    auto* component = Name.size() == 1 ? frxAs<TfrxComponent>(Obj) : nullptr;
    if (component) {
        try {
            switch (Name[0]) {
                case 'l': step.Action = TCompiledStep::aLeft; step.Float = LengthValue(Value, "Left"); return step;
                case 't': step.Action = TCompiledStep::aTop; step.Float = LengthValue(Value, "Top"); return step;
                case 'w': step.Action = TCompiledStep::aWidth; step.Float = LengthValue(Value, "Width"); return step;
                case 'h': step.Action = TCompiledStep::aHeight; step.Float = LengthValue(Value, "Height"); return step;
                case 'x':
                    step.TargetClass = Obj->ClassType();
                    if (const TPropInfo* memo = GetPropInfo(Obj, "Memo"); memo && memo->Type->IsStringList()) {
                        step.Action = TCompiledStep::aStrings;
                        step.Prop = memo;
                        step.Text = frxXMLToStr(Value);
                    }
                    return step;
                default: break;
            }
        } catch (const std::exception& e) {
            return fail(e);
        }
    }
    TPersistent* target = Obj;
    std::string_view path = Name;
    for (size_t dot; (dot = path.find('.')) != std::string_view::npos;) {
        const std::string_view part = path.substr(0, dot);
        const std::string_view rest = path.substr(dot + 1);
        const TPropInfo* p = GetPropInfo(target, part);
        step.TargetClass = target->ClassType();
        if (!p || p->Kind() != tkClass) return step;
        if (p->Type->IsStringList()) {
            if (rest == "text") {
                step.Action = TCompiledStep::aStrings;
                step.Prop = p;
                step.Text = frxXMLToStr(Value);
            }
            return step;
        }
        if (p->IsComponentReference()) return step;
        auto* sub = dynamic_cast<TPersistent*>(GetObjectProp(target, p));
        if (!sub) {
            // Nothing to set on this object; another may have the sub-object.
            step.Action = TCompiledStep::aError;
            step.Text.clear();
            step.TargetClass = nullptr;
            return step;
        }
        step.Path.push_back(p);
        target = sub;
        path = rest;
    }
    step.TargetClass = target->ClassType();
    if (path == "propdata") {
        step.Action = TCompiledStep::aPropData;
        step.Text = std::string(Value);
        return step;
    }
    const TPropInfo* p = GetPropInfo(target, path);
    if (!p || p->IsReadOnly()) return step;
    step.Prop = p;
    try {
        switch (p->Kind()) {
            case tkInteger:
            case tkInt64:
            case tkChar:
            case tkSet:
            case tkEnumeration:
                step.Action = TCompiledStep::aOrd;
                step.Ord = ParseOrd(p, Value);
                break;
            case tkFloat:
                step.Action = TCompiledStep::aFloat;
                step.Float = p->Type->FloatType == ftDateTimeFloat ? frxStrToFloat(Value)
                                                                   : LengthValue(Value, p->Name.c_str());
                break;
            case tkString:
                step.Action = TCompiledStep::aString;
                step.Text = frxXMLToStr(Value);
                break;
            case tkVariant:
                step.Action = TCompiledStep::aVariant;
                step.Text = frxXMLToStr(Value);
                break;
            case tkClass:
                if (p->IsComponentReference()) {
                    step.Action = TCompiledStep::aFixup;
                    step.Text = frxXMLToStr(Value);
                }
                break;
            case tkMethod:
            case tkUnknown:
                break;
        }
    } catch (const std::exception& e) {
        return fail(e);
    }
    return step;
}

void TfrxXMLSerializer::ApplyStep(const TCompiledStep& Step, TPersistent* Obj) {
    switch (Step.Action) {
        case TCompiledStep::aNone: return;
        case TCompiledStep::aLeft: static_cast<TfrxComponent*>(Obj)->SetLeft(Step.Float); return;
        case TCompiledStep::aTop: static_cast<TfrxComponent*>(Obj)->SetTop(Step.Float); return;
        case TCompiledStep::aWidth: static_cast<TfrxComponent*>(Obj)->SetWidth(Step.Float); return;
        case TCompiledStep::aHeight: static_cast<TfrxComponent*>(Obj)->SetHeight(Step.Float); return;
        case TCompiledStep::aError:
            // A value that did not convert fails on every object alike; a missing
            // sub-object (no message) is looked for again on this one.
            if (!Step.Text.empty()) throw EConvertError(Step.Text);
            ApplyAttribute(Obj, Step.Name, Step.Value);
            return;
        default: break;
    }
    TPersistent* target = Obj;
    for (const TPropInfo* p : Step.Path) {
        target = dynamic_cast<TPersistent*>(GetObjectProp(target, p));
        if (!target) return;
    }
    if (target->ClassType() != Step.TargetClass) {
        ApplyAttribute(Obj, Step.Name, Step.Value);
        return;
    }
    switch (Step.Action) {
        case TCompiledStep::aStrings:
            if (TStrings* list = GetStringsProp(target, Step.Prop)) list->SetText(Step.Text);
            break;
        case TCompiledStep::aPropData: ReadPropData(target, Step.Text); break;
        case TCompiledStep::aOrd: SetOrdProp(target, Step.Prop, Step.Ord); break;
        case TCompiledStep::aFloat: SetFloatProp(target, Step.Prop, Step.Float); break;
        case TCompiledStep::aString: SetStrProp(target, Step.Prop, Step.Text); break;
        case TCompiledStep::aVariant: SetVariantProp(target, Step.Prop, Variant(Step.Text)); break;
        case TCompiledStep::aFixup: FFixups.push_back({target, Step.Prop, Step.Text}); break;
        default: break;
    }
}

std::shared_ptr<const TfrxCompiledAttributes> TfrxXMLSerializer::CompileToObj(std::string_view Text, TPersistent* Obj) {
    auto compiled = std::make_shared<TfrxCompiledAttributes>();
    size_t pos = 0;
    std::string name;
    std::string_view value;
    while (NextAttribute(Text, pos, name, value)) {
        // Each attribute is resolved on the object as the ones before it left it.
        TCompiledStep step = CompileAttribute(Obj, name, value);
        try {
            ApplyStep(step, Obj);
        } catch (const std::exception& e) {
            AddError(e.what());
        }
        compiled->Steps.push_back(std::move(step));
    }
    return compiled;
}

void TfrxXMLSerializer::ApplyCompiled(const TfrxCompiledAttributes& Compiled, TPersistent* Obj) {
    for (const TCompiledStep& step : Compiled.Steps) {
        try {
            ApplyStep(step, Obj);
        } catch (const std::exception& e) {
            AddError(e.what());
        }
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
    AnswerStep();
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
        AnswerStep();
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
