// Registered classes, member accessors and event bridges.
#include "script/ClassVariables.h"

#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "script/HostObjects.h"
#include "script/Statements.h"
#include "script/ValueBuffer.h"

#include <array>

namespace {

// The type code and type name of an imported published property.
void PublishedType(const TPropInfo* prop, uint8_t& typ, std::string& typeName) {
    const TTypeInfo* t = prop->Type;
    typeName.clear();
    switch (t->Kind) {
    case tkChar: typ = tcChar; break;
    case tkEnumeration:
        typeName = t->Name;
        typ = t->IsBoolean() ? uint8_t(tcBoolean) : uint8_t(tcEnum);
        break;
    case tkFloat: typ = tcExtended; break;
    case tkString: typ = tcString; break;
    case tkSet:
        typ = tcEnum;
        typeName = t->Name;
        break;
    case tkClass:
        // A string list is reached as a TStrings object (assigning a text to it sets its lines).
        if (t->IsStringList()) {
            typ = tcClass;
            typeName = "TStrings";
        } else {
            typ = tcClass;
            typeName = t->ClassType ? t->ClassType->ClassName() : std::string("TObject");
        }
        break;
    case tkVariant: typ = tcVariant; break;
    case tkInteger:
    case tkInt64:
    case tkMethod:
    case tkUnknown: typ = tcInteger; break;
    }
}

}  // namespace

int64_t fsSetToOrd(const Variant& value) {
    if (!value.IsArray()) return value.AsInt64();
    if (VarArrayDimCount(value) != 1) throw EVariantError("Invalid variant type conversion");
    int64_t mask = 0;
    for (int32_t i = VarArrayLowBound(value, 1); i <= VarArrayHighBound(value, 1); ++i) {
        const int32_t index[] = {i};
        mask |= value.GetElement(index).AsInt64();
    }
    return mask;
}

TClass fsClassOfRef(const Variant& value) {
    if (!value.IsObject()) return nullptr;
    return static_cast<TClass>(THandleRegistry::Instance().TryLookup(value.ObjectValue(), htClassRef));
}

// --- Registered classes --------------------------------------------------------------------

TfsClassVariable::TfsClassVariable(TClass cls, std::string ancestor, TfsScript* prog)
    : TfsCustomVariable(cls->ClassName(), tcClass, cls->ClassName(), TfsItemKind::Class),
      FAncestor(std::move(ancestor)), FClassRef(cls), FProg(prog) {
    IsReadOnly = true;
    AddParam(new TfsParamItem(std::string(), tcVariant, std::string(), true, false), true);
    FRefHandle = THandleRegistry::Instance().Register(const_cast<TClassInfo*>(cls), htClassRef);
    ImportPublished();
}

TfsClassVariable::~TfsClassVariable() { THandleRegistry::Instance().Unregister(FRefHandle); }

void TfsClassVariable::ImportPublished() {
    for (const TPropInfo* prop : FClassRef->Properties()) {
        if (prop->Kind() == tkMethod) continue;
        uint8_t typ = tcInteger;
        std::string typeName;
        PublishedType(prop, typ, typeName);
        auto helper = std::make_unique<TfsPropertyHelper>(prop->Name, typ, typeName);
        helper->ClassRef = FClassRef;
        helper->IsPublished = true;
        helper->PropInfo = prop;
        helper->IsReadOnly = prop->IsReadOnly();
        helper->IsStringList = prop->Type->IsStringList();
        FMembers.push_back(std::move(helper));
    }
}

Variant TfsClassVariable::GetValue() {
    TfsParamItem* cast = Params(0);
    if (!cast->Value.IsNull()) {
        Variant v = std::move(cast->Value);
        cast->Value = Variant::Null();
        return v;
    }
    return Variant::FromObject(FRefHandle);
}

TfsMethodHelper* TfsClassVariable::AddMethodHelper(const std::string& syntax, TfsCallMethodEvent callEvent) {
    auto helper = std::make_unique<TfsMethodHelper>(ParseSignature(syntax), syntax, FProg);
    helper->ClassRef = FClassRef;
    helper->OnCall = std::move(callEvent);
    helper->AddedBy = AddedBy;
    helper->SetCallNames();
    TfsMethodHelper* raw = helper.get();
    FMembers.push_back(std::move(helper));
    return raw;
}

TfsMethodHelper* TfsClassVariable::AddConstructor(const std::string& syntax, TfsCallMethodEvent callEvent) {
    std::string rest = Trim(syntax);
    const size_t blank = rest.find_first_of(" \t(");
    rest = blank == std::string::npos ? std::string() : rest.substr(blank);
    TfsMethodHelper* helper = AddMethodHelper("function" + rest + ": Constructor", std::move(callEvent));
    helper->IsConstructor = true;
    helper->Syntax = syntax;
    return helper;
}

TfsMethodHelper* TfsClassVariable::AddMethod(const std::string& syntax, TfsCallMethodEvent callEvent) {
    return AddMethodHelper(syntax, std::move(callEvent));
}

void TfsClassVariable::AddProperty(const std::string& name, const std::string& typeName, TfsGetValueEvent getEvent,
                                   TfsSetValueEvent setEvent) {
    auto helper = std::make_unique<TfsPropertyHelper>(name, FProg->TypeByName(typeName), typeName);
    helper->ClassRef = FClassRef;
    helper->IsReadOnly = !setEvent;
    helper->OnGetValue = std::move(getEvent);
    helper->OnSetValue = std::move(setEvent);
    helper->AddedBy = AddedBy;
    FMembers.push_back(std::move(helper));
}

TfsMethodHelper* TfsClassVariable::AddIndexProperty(const std::string& name, const std::string& paramTypes,
                                                    const std::string& typeName, TfsCallMethodEvent callEvent,
                                                    bool readOnly) {
    TStringList types;
    types.SetCommaText(paramTypes);
    std::string params;
    for (int i = 0; i < types.Count(); ++i) {
        if (i > 0) params += "; ";
        params += "p" + IntToStr(i) + ": " + Trim(types[i]);
    }
    TfsMethodHelper* helper = AddMethodHelper("function " + name + "(" + params + "): " + typeName, std::move(callEvent));
    helper->IsReadOnly = readOnly;
    helper->IndexMethod = true;
    helper->SetCallNames();
    return helper;
}

TfsMethodHelper* TfsClassVariable::AddDefaultProperty(const std::string& name, const std::string& paramTypes,
                                                      const std::string& typeName, TfsCallMethodEvent callEvent,
                                                      bool readOnly) {
    FDefProperty = AddIndexProperty(name, paramTypes, typeName, std::move(callEvent), readOnly);
    return FDefProperty;
}

void TfsClassVariable::AddEvent(const std::string& name, TEventClass eventClass) {
    auto helper = std::make_unique<TfsEventHelper>(name, std::move(eventClass));
    helper->ClassRef = FClassRef;
    helper->AddedBy = AddedBy;
    FMembers.push_back(std::move(helper));
}

TfsCustomHelper* TfsClassVariable::Find(std::string_view name) const {
    const TfsClassVariable* c = this;
    for (int depth = 0; c && depth < 256; ++depth) {
        for (const auto& m : c->FMembers)
            if (TfsNameEqual()(m->Name, name)) return m.get();
        if (c->FAncestor.empty()) break;
        const TfsClassVariable* next = c->FProg->FindClass(c->FAncestor);
        if (next == c) break;
        c = next;
    }
    return nullptr;
}

// --- Member accessors ----------------------------------------------------------------------

TfsCustomHelper::TfsCustomHelper(std::string name, uint8_t typ, std::string typeName, THelperKind kind)
    : TfsCustomVariable(std::move(name), typ, std::move(typeName), TfsItemKind::Helper), FHelperKind(kind) {}

TObject* TfsCustomHelper::Instance(bool allowClassRef) const {
    const uint64_t handle = ParentValue.AsObject();
    if (handle == NilHandle) throw EInvalidHandle("Object reference is nil");
    if (TObject* obj = TObject::TryFromHandle(handle)) return obj;
    if (THandleRegistry::Instance().TagOf(handle) == htClassRef) {
        if (allowClassRef) return nullptr;
        throw EScriptError(fsmsg::TypeRequired);
    }
    return TObject::FromHandle(handle);   // raises the stale-handle text
}

TfsPropertyHelper::TfsPropertyHelper(std::string name, uint8_t typ, std::string typeName)
    : TfsCustomHelper(std::move(name), typ, std::move(typeName), hkProperty) {
    FUpperName = UpperCase(Name);
}

namespace {
const TPropInfo* PublishedOf(TObject* obj, TClass registered, const TPropInfo* cached, const std::string& name) {
    if (obj->ClassType() == registered && cached) return cached;
    return GetPropInfo(obj, name);
}
}  // namespace

Variant TfsPropertyHelper::GetValue() {
    TObject* obj = Instance();
    Variant result = Variant::Null();
    if (IsPublished) {
        const TPropInfo* prop = PublishedOf(obj, ClassRef, PropInfo, Name);
        if (prop && prop->Type->IsStringList()) result = Variant::FromObject(fsPropertyStrings(obj, prop)->Handle());
        else if (prop) result = GetPropValue(obj, prop);
    } else if (OnGetValue) {
        result = OnGetValue(obj, ClassRef, FUpperName);
    }
    if (Typ == tcBoolean && !result.IsNull() && !result.IsBoolean()) result = Variant(!VarEquals(result, Variant(0)));
    return result;
}

void TfsPropertyHelper::SetValue(const Variant& value) {
    if (IsReadOnly) return;
    TObject* obj = Instance();
    if (!IsPublished) {
        if (OnSetValue) OnSetValue(obj, ClassRef, FUpperName, value);
        return;
    }
    const TPropInfo* prop = PublishedOf(obj, ClassRef, PropInfo, Name);
    if (!prop) return;
    switch (prop->Kind()) {
    case tkEnumeration:
        if (prop->Type->IsBoolean()) {
            SetOrdProp(obj, prop, VarEquals(value, Variant(true)) ? 1 : 0);
            return;
        }
        [[fallthrough]];
    case tkInteger:
    case tkInt64:
        if (value.IsString()) SetPropValue(obj, prop, value);
        else SetOrdProp(obj, prop, value.AsInt64());
        return;
    case tkSet:
        if (value.IsString()) SetPropValue(obj, prop, value);
        else SetOrdProp(obj, prop, fsSetToOrd(value));
        return;
    case tkChar: {
        const std::string text = VarToStr(value);
        SetOrdProp(obj, prop, text.empty() ? 0 : static_cast<int64_t>(Ord(text)));
        return;
    }
    case tkFloat: SetFloatProp(obj, prop, value.AsDouble()); return;
    case tkString: SetStrProp(obj, prop, VarToStr(value)); return;
    case tkVariant: SetVariantProp(obj, prop, value); return;
    case tkClass:
        if (!prop->Type->IsStringList()) {
            SetPropValue(obj, prop, value);
        } else if (value.IsObject()) {
            // Another string list: its lines (nil empties the list).
            TObject* source = value.AsObject() == NilHandle ? nullptr : TObject::FromHandle(value.AsObject());
            auto* strings = dynamic_cast<TScriptStrings*>(source);
            if (source && !strings) throw EScriptError(fsmsg::TypeRequired);
            ::TStrings& target = fsPropertyStrings(obj, prop)->Strings();
            if (!strings) target.Clear();
            else if (&strings->Strings() != &target) target.Assign(strings->Strings());
        } else {
            SetPropValue(obj, prop, Variant(VarToStr(value)));
        }
        return;
    case tkMethod:
    case tkUnknown: return;
    }
}

TfsMethodHelper::TfsMethodHelper(const TfsSignature& signature, const std::string& syntax, TfsScript* script)
    : TfsCustomHelper(signature.Name,
                      signature.IsFunction ? script->TypeByName(signature.ResultType) : uint8_t(tcVariant),
                      signature.IsFunction ? signature.ResultType : std::string(), hkMethod),
      Syntax(syntax) {
    IsReadOnly = true;
    for (const TfsSignatureParam& p : signature.Params) {
        auto* param = new TfsParamItem(p.Name, script->TypeByName(p.TypeName), p.TypeName, p.HasDefault, p.IsVarParam);
        if (p.HasDefault) {
            if (!p.DefaultIdent.empty()) {
                TfsCustomVariable* item = script->Find(p.DefaultIdent);
                param->DefValue = item ? item->Value : Variant();
            } else {
                param->DefValue = p.DefaultValue;
            }
        }
        AddParam(param, true);
    }
}

void TfsMethodHelper::SetCallNames() {
    FGetName = UpperCase(IndexMethod ? Name + ".Get" : Name);
    FSetName = UpperCase(Name + ".Set");
}

Variant TfsMethodHelper::GetValue() {
    TObject* obj = nullptr;
    TClass cls = ClassRef;
    if (IsConstructor) {
        // A constructor runs on a class reference (or an object standing for its class).
        if (TClass actual = fsClassOfRef(ParentValue)) cls = actual;
        else if (ParentValue.IsObject())
            if (TObject* o = TObject::TryFromHandle(ParentValue.ObjectValue())) cls = o->ClassType();
    } else if (ClassRef) {
        obj = Instance();
    }
    const size_t n = static_cast<size_t>(Count());
    TfsValueBuffer values(n);
    for (size_t i = 0; i < n; ++i) values.Add(Params(static_cast<int>(i))->Value);
    Variant result;
    if (OnCall) {
        TfsParams params(values.Span());
        result = OnCall(obj, cls, FGetName, params);
    } else if (IsConstructor && cls && cls->CanCreate()) {
        TComponent* owner = nullptr;
        if (n > 0 && values[0].IsObject())
            if (TObject* o = TObject::TryFromHandle(values[0].ObjectValue())) owner = dynamic_cast<TComponent*>(o);
        TObject* created = cls->CreateInstance(owner);
        result = Variant::FromObject(created->Handle());
    } else {
        result = Variant(0);
    }
    for (size_t i = 0; i < n; ++i) {
        TfsParamItem* p = Params(static_cast<int>(i));
        if (p->IsVarParam) p->Value = std::move(values[i]);
    }
    return result;
}

void TfsMethodHelper::SetValue(const Variant& value) {
    if (!IndexMethod || !OnCall || IsReadOnly) return;
    TObject* obj = ClassRef ? Instance() : nullptr;
    const size_t n = static_cast<size_t>(Count());
    TfsValueBuffer values(n + 1);
    for (size_t i = 0; i < n; ++i) values.Add(Params(static_cast<int>(i))->Value);
    values.Add(value);
    TfsParams params(values.Span());
    OnCall(obj, ClassRef, FSetName, params);
}

TfsEventHelper::TfsEventHelper(std::string name, TfsClassVariable::TEventClass eventClass)
    : TfsCustomHelper(std::move(name), tcString, std::string(), hkEvent), FEventClass(std::move(eventClass)) {}

void TfsEventHelper::SetValue(const Variant& value) {
    TObject* obj = Instance();
    const TPropInfo* prop = FindPropInfo(obj, Name);
    if (prop->Kind() != tkMethod) throw EPropertyError(Format("Property %s is not an event", {Name}));
    TEventBase* event = GetEventProp(obj, prop);
    const std::string text = VarToStr(value);
    if (text == "0") {
        event->Clear();
        return;
    }
    TfsCustomVariable* item = Prog ? Prog->Find(text) : nullptr;
    if (!item || item->Kind() != TfsItemKind::Proc || !FEventClass) throw EScriptError(fsmsg::EventHandlerProc);
    auto* proc = static_cast<TfsProcVariable*>(item);
    std::shared_ptr<TfsCustomEvent> bridge = FEventClass(obj, proc);
    if (!bridge || proc->Count() != bridge->ArgCount() || !bridge->Bind(*event, proc->Name, bridge))
        throw EScriptError(fsmsg::EventHandlerProc);
}

TfsArrayHelper::TfsArrayHelper(std::string name, int dims, int required)
    : TfsCustomHelper(std::move(name), tcVariant, std::string(), hkArray) {
    for (int i = 0; i < dims; ++i)
        AddParam(new TfsParamItem(std::string(), tcVariant, std::string(), i >= required, false), true);
}

namespace {
// The first DimCount parameter values of an element accessor as indices.
std::vector<int32_t> ElementIndices(const TfsCustomVariable& helper, const Variant& array) {
    const int dims = VarArrayDimCount(array);
    if (dims == 0) throw EVariantError("Variant is not an array");
    std::vector<int32_t> indices;
    for (int i = 0; i < helper.Count(); ++i) {
        const Variant& v = helper.Params(i)->Value;
        if (i >= dims) {
            if (!v.IsNull()) throw EVariantError("Variant or safe array index out of bounds");
            continue;
        }
        indices.push_back(v.AsInteger());
    }
    return indices;
}
}  // namespace

Variant TfsArrayHelper::GetValue() {
    const std::vector<int32_t> indices = ElementIndices(*this, ParentValue);
    return ParentValue.GetElement(indices);
}

void TfsArrayHelper::SetValue(const Variant& value) {
    if (ParentRef && ParentRef->IsPlainVariable()) {
        if (ParentRef->IsReadOnly) return;
        const std::vector<int32_t> indices = ElementIndices(*this, ParentRef->Value);
        ParentRef->Value.PutElement(indices, value);
        return;
    }
    Variant array = ParentValue;
    const std::vector<int32_t> indices = ElementIndices(*this, array);
    array.PutElement(indices, value);
    if (ParentRef) ParentRef->SetValue(array);
}

TfsStringHelper::TfsStringHelper() : TfsCustomHelper("__StringHelper", tcChar, std::string(), hkString) {
    AddParam(new TfsParamItem(std::string(), tcInteger, std::string(), false, false), true);
}

Variant TfsStringHelper::GetValue() {
    const std::string text = VarToStr(ParentValue);
    const int index = Params(0)->Value.AsInteger();
    if (index < 1 || index > Length(text)) throw EListError(Format("List index out of bounds (%d)", {index}));
    return Variant(Copy(text, index, 1));
}

void TfsStringHelper::SetValue(const Variant& value) {
    std::string text = VarToStr(ParentValue);
    const int index = Params(0)->Value.AsInteger();
    if (index < 1 || index > Length(text)) throw EListError(Format("List index out of bounds (%d)", {index}));
    const std::string c = Copy(VarToStr(value), 1, 1);
    if (c.empty()) return;
    const size_t from = CharIndexToByte(text, index);
    text.replace(from, CharIndexToByte(text, index + 1) - from, c);
    if (ParentRef) ParentRef->SetValue(Variant(std::move(text)));
}

// --- Automation ----------------------------------------------------------------------------

namespace {
constexpr int kMaxOleArgs = 64;
}

TfsOLEHelper::TfsOLEHelper(std::string name, int argCount)
    : TfsCustomHelper(std::move(name), tcVariant, std::string(), hkOLE) {
    for (int i = 0; i < argCount; ++i) AddParam(new TfsParamItem(std::string(), tcVariant, std::string(), true, false), true);
}

Variant TfsOLEHelper::GetValue() {
    if (Count() > kMaxOleArgs) throw EOleError("OLE error " + IntToHex(DISP_E_BADPARAMCOUNT, 8) + ": " + Name);
    std::vector<Variant> args;
    args.reserve(static_cast<size_t>(Count()));
    for (int i = 0; i < Count(); ++i) args.push_back(Params(i)->Value);
    return DispatchInvoke(ParentValue, Name, NeedResult ? unsigned(ikMethod | ikPropertyGet) : unsigned(ikMethod),
                          std::move(args), NeedResult);
}

void TfsOLEHelper::SetValue(const Variant& value) {
    if (Count() + 1 > kMaxOleArgs) throw EOleError("OLE error " + IntToHex(DISP_E_BADPARAMCOUNT, 8) + ": " + Name);
    std::vector<Variant> args;
    args.reserve(static_cast<size_t>(Count()) + 1);
    for (int i = 0; i < Count(); ++i) args.push_back(Params(i)->Value);
    args.push_back(value);
    DispatchInvoke(ParentValue, Name, ikPropertyPut, std::move(args), false);
}

// --- Event bridges -------------------------------------------------------------------------

TfsCustomEvent::TfsCustomEvent(TObject* instance, TfsProcVariable* handler)
    : FInstance(instance), FHandler(handler), FAlive(handler ? handler->AliveToken() : std::weak_ptr<void>()) {}

void TfsCustomEvent::CallHandler(std::span<Variant> args) {
    TfsProcVariable* handler = Handler();
    if (!handler || handler->Executing) return;
    TfsScript::ClearRunError();
    // The scripts the handler belongs to stay as they are while it runs.
    struct Running {
        TfsScript* Prog;
        explicit Running(TfsScript* p) : Prog(p) {
            for (TfsScript* s = Prog; s; s = s->Parent()) s->EnterRun();
        }
        ~Running() {
            for (TfsScript* s = Prog; s; s = s->Parent()) s->LeaveRun();
        }
    } running(handler->Prog());
    fsCallProc(handler, args, args);
}

bool TfsNotifyEvent::Bind(TEventBase& event, const std::string& handlerName, std::shared_ptr<TfsCustomEvent> self) {
    if (event.Signature() != typeid(TNotifyEvent::SignatureType)) return false;
    TfsCustomEvent* bridge = self.get();
    static_cast<TNotifyEvent&>(event).Bind(
        [bridge](TObject* Sender) {
            std::array<Variant, 1> args{Variant::FromObject(Sender ? Sender->Handle() : NilHandle)};
            bridge->CallHandler(args);
        },
        handlerName, std::move(self));
    return true;
}

TfsClassVariable::TEventClass TfsNotifyEvent::Class() {
    return [](TObject* instance, TfsProcVariable* handler) -> std::shared_ptr<TfsCustomEvent> {
        return std::make_shared<TfsNotifyEvent>(instance, handler);
    };
}
