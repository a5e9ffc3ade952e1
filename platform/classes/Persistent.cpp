// TObject, class references and the registry, TPersistent, and property access by kind.
#include "platform/classes/Persistent.h"
#include "platform/rtl/ConvertErrors.h"

#include <climits>
#include <cstring>

#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringList.h"

namespace rove_detail {
namespace {
constexpr char FoldCase(char c) noexcept { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }
}  // namespace

size_t TNameHash::operator()(std::string_view name) const noexcept {
    // Eight bytes at a time with bit 5 set in each: 'A'..'Z' and 'a'..'z' hash alike
    // (other bytes may collide with their neighbours, which the equality sorts out).
    constexpr uint64_t kFold = 0x2020202020202020ull;
    uint64_t h = 0x9E3779B97F4A7C15ull ^ name.size();
    size_t i = 0;
    for (; i + 8 <= name.size(); i += 8) {
        uint64_t chunk;
        std::memcpy(&chunk, name.data() + i, 8);
        h = (h ^ (chunk | kFold)) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 32;
    }
    uint64_t tail = 0;
    if (i < name.size()) std::memcpy(&tail, name.data() + i, name.size() - i);
    h = (h ^ (tail | kFold)) * 0xFF51AFD7ED558CCDull;
    h ^= h >> 32;
    return static_cast<size_t>(h);
}

bool TNameEqual::operator()(std::string_view a, std::string_view b) const noexcept {
    if (a.size() != b.size()) return false;
    if (a.empty() || std::memcmp(a.data(), b.data(), a.size()) == 0) return true;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}
}  // namespace rove_detail

namespace {

[[noreturn, gnu::noinline, gnu::cold]] void PropAccessError(const TObject* obj, const TPropInfo* prop) {
    if (!obj || !prop) throw EPropertyError("Property access without object or property");
    throw EPropertyError(Format("Property %s belongs to %s, not to %s",
                                {prop->Name, prop->DeclaringClass->ClassName(), obj->ClassName()}));
}

// Properties are reached through the declaring class's accessors, so the object must be
// of that class; anything else is a caller's mistake that would otherwise corrupt memory.
// Inline, the message apart: the streaming of a report checks thousands of properties.
inline void CheckProp(const TObject* obj, const TPropInfo* prop) {
    if (!obj || !prop || !obj->InheritsFrom(prop->DeclaringClass)) [[unlikely]]
        PropAccessError(obj, prop);
}

[[noreturn]] void KindError(const TPropInfo* prop, const char* wanted) {
    throw EPropertyError(Format("Property %s of type %s is no %s property",
                                {prop->Name, prop->Type->Name, wanted}));
}

[[noreturn]] void ReadOnlyError(const TPropInfo* prop) {
    throw EPropertyError(Format("Property %s is read-only", {prop->Name}));
}

std::string ObjectLabel(const TObject* obj) {
    if (auto* c = dynamic_cast<const TComponent*>(obj); c && !c->Name().empty()) return c->Name();
    return obj ? obj->ClassName() : std::string("nil");
}

struct TRegistry {
    std::vector<TClass> Order;
    rove_detail::TNameMap<TClass> ByName;
};
TRegistry& Registry() {
    static TRegistry r;
    return r;
}
}  // namespace

// --- TObject ---------------------------------------------------------------------------------
TObject::~TObject() { FHandle.Release(); }

TClass TObject::StaticClass() noexcept {
    static const TClassInfo* info = new TClassInfo("TObject", nullptr, nullptr, nullptr, nullptr);
    return info;
}
static const TClassRegistrar rove_class_registrar_TObject(TObject::StaticClass());

const std::string& TObject::ClassName() const noexcept { return ClassType()->ClassName(); }
TClass TObject::ClassParent() const noexcept { return ClassType()->ClassParent(); }

TObjectHandle TObject::Handle() const { return FHandle.Get(const_cast<TObject*>(this), htObject); }

TObject* TObject::FromHandle(TObjectHandle handle) {
    if (handle == NilHandle) return nullptr;
    return LookupHandle<TObject>(handle, htObject);
}

TObject* TObject::TryFromHandle(TObjectHandle handle) noexcept {
    if (handle == NilHandle) return nullptr;
    return static_cast<TObject*>(THandleRegistry::Instance().TryLookup(handle, htObject));
}

// --- TPropInfo -----------------------------------------------------------------------------
bool TPropInfo::IsReadOnly() const {
    switch (Kind()) {
    case tkInteger:
    case tkInt64:
    case tkChar:
    case tkEnumeration:
    case tkSet: return !SetOrd;
    case tkFloat: return !SetFloat;
    case tkString: return !SetStr;
    case tkVariant: return !SetVar;
    case tkClass: return Type->IsStringList() ? false : !SetObj;
    case tkMethod: return false;
    case tkUnknown: return true;
    }
    return true;
}

bool TPropInfo::IsComponentReference() const {
    return Kind() == tkClass && Type->ClassType && Type->ClassType->InheritsFrom(TComponent::StaticClass());
}

// --- TClassInfo ------------------------------------------------------------------------------
TClassInfo::TClassInfo(std::string name, TClass parent, TCreateProc create,
                       TCreateItemProc createItem, TDeclareProc declare)
    : FName(std::move(name)), FParent(parent), FCreate(create), FCreateItem(createItem),
      FDeclare(declare) {
    if (FParent) FAncestors = FParent->FAncestors;
    FAncestors.push_back(this);
}

TObject* TClassInfo::CreateInstance(TComponent* owner) const {
    if (!FCreate) throw EClassNotFound(Format("Cannot create an instance of class %s", {FName}));
    return FCreate(owner);
}

TCollectionItem* TClassInfo::CreateItem(TCollection* collection) const {
    if (!FCreateItem)
        throw EClassNotFound(Format("Class %s is no collection item class that can be created", {FName}));
    return FCreateItem(collection);
}

void TClassInfo::Build() const {
    if (FBuilt || FBuilding) return;
    FBuilding = true;
    if (FParent) {
        FProps = FParent->Properties();
        FPropIndex.reserve(FProps.size());
        for (const TPropInfo* p : FProps) FPropIndex[p->Name] = p;
    }
    if (FDeclare) FDeclare(const_cast<TClassInfo&>(*this));
    FBuilding = false;
    FBuilt = true;
}

const std::vector<const TPropInfo*>& TClassInfo::Properties() const {
    if (!FBuilt) Build();
    return FProps;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
    if (!FBuilt) Build();
    auto it = FPropIndex.find(name);
    return it == FPropIndex.end() ? nullptr : it->second;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const {
    Build();
    for (TClass c = this; c; c = c->FParent) {
        c->Build();
        auto it = c->FMethodIndex.find(name);
        if (it != c->FMethodIndex.end()) return it->second;
    }
    return nullptr;
}

std::vector<const TMethodInfo*> TClassInfo::Methods() const {
    std::vector<const TMethodInfo*> out;
    std::vector<TClass> chain;
    for (TClass c = this; c; c = c->FParent) chain.insert(chain.begin(), c);
    for (TClass c : chain) {
        c->Build();
        for (const auto& m : c->FOwnMethods)
            if (FindMethod(m->Name) == m.get()) out.push_back(m.get());
    }
    return out;
}

TPropInfo& TClassInfo::DeclareProperty(std::string_view name) {
    auto prop = std::make_unique<TPropInfo>();
    prop->Name = std::string(name);
    prop->DeclaringClass = this;
    auto it = FPropIndex.find(name);
    if (it != FPropIndex.end()) {
        // A redeclaration (a new default in a descendant) keeps the ancestor's position.
        prop->Index = it->second->Index;
        FProps[static_cast<size_t>(prop->Index)] = prop.get();
    } else {
        prop->Index = static_cast<int>(FProps.size());
        FProps.push_back(prop.get());
    }
    if (it != FPropIndex.end()) it->second = prop.get();
    else FPropIndex.emplace(std::string(name), prop.get());
    FOwnProps.push_back(std::move(prop));
    return *FOwnProps.back();
}

void TClassInfo::DeclareMethod(TMethodInfo method) {
    method.DeclaringClass = this;
    auto m = std::make_unique<TMethodInfo>(std::move(method));
    FMethodIndex.insert_or_assign(m->Name, m.get());
    FOwnMethods.push_back(std::move(m));
}

namespace rove_detail {
void CheckDeclaredKind(const TTypeInfo* type, TTypeKind expected, std::string_view name) {
    if (!type) throw EPropertyError(Format("Property %s has no type information", {std::string(name)}));
    bool ok = type->Kind == expected || (expected == tkInteger && type->IsOrdinal());
    if (!ok)
        throw EPropertyError(Format("Property %s: type %s does not fit its accessors",
                                    {std::string(name), type->Name}));
}
}  // namespace rove_detail

// --- Registry ----------------------------------------------------------------------------
void RegisterClass(TClass cls) {
    if (!cls) return;
    TRegistry& r = Registry();
    auto it = r.ByName.find(std::string_view(cls->ClassName()));
    if (it != r.ByName.end()) {
        if (it->second == cls) return;
        throw EComponentError(Format("A class named %s already exists", {cls->ClassName()}));
    }
    r.ByName.emplace(cls->ClassName(), cls);
    r.Order.push_back(cls);
}

void RegisterClasses(std::initializer_list<TClass> classes) {
    for (TClass c : classes) RegisterClass(c);
}

void UnRegisterClass(TClass cls) {
    if (!cls) return;
    TRegistry& r = Registry();
    auto it = r.ByName.find(std::string_view(cls->ClassName()));
    if (it == r.ByName.end() || it->second != cls) return;
    r.ByName.erase(it);
    std::erase(r.Order, cls);
}

TClass GetClass(std::string_view name) {
    TRegistry& r = Registry();
    auto it = r.ByName.find(name);
    return it == r.ByName.end() ? nullptr : it->second;
}

TClass FindClass(std::string_view name) {
    TClass c = GetClass(name);
    if (!c) throw EClassNotFound(Format("Class %s not found", {std::string(name)}));
    return c;
}

std::vector<TClass> RegisteredClasses() { return Registry().Order; }

// --- TPersistent -----------------------------------------------------------------------------
ROVE_IMPLEMENT_CLASS(TPersistent)

void TPersistent::Assign(TPersistent* Source) {
    if (Source) Source->AssignTo(this);
    else AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source) {
    std::string from = Source ? Source->ClassName() : std::string("nil");
    throw EConvertError(Format("Cannot assign a %s to a %s", {from, ClassName()}));
}

std::string TPersistent::GetNamePath() const {
    std::string result = ClassName();
    if (TPersistent* owner = GetOwner()) {
        std::string path = owner->GetNamePath();
        if (!path.empty()) result = path + "." + result;
    }
    return result;
}

void TPersistent::DefineProperties(TFiler&) {}

// --- Property access ---------------------------------------------------------------------------
const TPropInfo* GetPropInfo(const TObject* obj, std::string_view name) {
    return obj ? obj->ClassType()->FindProperty(name) : nullptr;
}

const TPropInfo* FindPropInfo(const TObject* obj, std::string_view name) {
    const TPropInfo* p = GetPropInfo(obj, name);
    if (!p) throw EPropertyError(Format("Property %s does not exist", {std::string(name)}));
    return p;
}

int64_t GetOrdProp(const TObject* obj, const TPropInfo* prop) {
    CheckProp(obj, prop);
    if (!prop->GetOrd) KindError(prop, "ordinal");
    return prop->GetOrd(*obj);
}

void SetOrdProp(TObject* obj, const TPropInfo* prop, int64_t value) {
    CheckProp(obj, prop);
    if (!prop->Type->IsOrdinal()) KindError(prop, "ordinal");
    if (!prop->SetOrd) ReadOnlyError(prop);
    bool ok = true;
    switch (prop->Kind()) {
    case tkInteger: ok = value >= INT32_MIN && value <= INT32_MAX; break;
    case tkChar: ok = value >= 0 && value <= 0x10FFFF; break;
    case tkEnumeration: ok = value >= 0 && value < prop->Type->EnumCount(); break;
    case tkSet: {
        int n = prop->Type->CompType ? prop->Type->CompType->EnumCount() : 32;
        ok = value >= 0 && (n >= 32 ? value <= UINT32_MAX : value < (int64_t(1) << n));
        break;
    }
    default: break;
    }
    if (!ok)
        throw ERangeError(Format("Value %d is out of range for property %s of type %s",
                                 {static_cast<long long>(value), prop->Name, prop->Type->Name}));
    prop->SetOrd(*obj, value);
}

double GetFloatProp(const TObject* obj, const TPropInfo* prop) {
    CheckProp(obj, prop);
    if (!prop->GetFloat) KindError(prop, "float");
    return prop->GetFloat(*obj);
}

void SetFloatProp(TObject* obj, const TPropInfo* prop, double value) {
    CheckProp(obj, prop);
    if (prop->Kind() != tkFloat) KindError(prop, "float");
    if (!prop->SetFloat) ReadOnlyError(prop);
    prop->SetFloat(*obj, value);
}

std::string GetStrProp(const TObject* obj, const TPropInfo* prop) {
    CheckProp(obj, prop);
    if (!prop->GetStr) KindError(prop, "string");
    return prop->GetStr(*obj);
}

void SetStrProp(TObject* obj, const TPropInfo* prop, const std::string& value) {
    CheckProp(obj, prop);
    if (prop->Kind() != tkString) KindError(prop, "string");
    if (!prop->SetStr) ReadOnlyError(prop);
    prop->SetStr(*obj, value);
}

Variant GetVariantProp(const TObject* obj, const TPropInfo* prop) {
    CheckProp(obj, prop);
    if (!prop->GetVar) KindError(prop, "variant");
    return prop->GetVar(*obj);
}

void SetVariantProp(TObject* obj, const TPropInfo* prop, const Variant& value) {
    CheckProp(obj, prop);
    if (prop->Kind() != tkVariant) KindError(prop, "variant");
    if (!prop->SetVar) ReadOnlyError(prop);
    prop->SetVar(*obj, value);
}

TObject* GetObjectProp(const TObject* obj, const TPropInfo* prop) {
    CheckProp(obj, prop);
    if (!prop->GetObj) KindError(prop, "class");
    return prop->GetObj(*obj);
}

void SetObjectProp(TObject* obj, const TPropInfo* prop, TObject* value) {
    CheckProp(obj, prop);
    if (prop->Kind() != tkClass || prop->Type->IsStringList()) KindError(prop, "class");
    if (!prop->SetObj) ReadOnlyError(prop);
    if (value && prop->Type->ClassType && !value->InheritsFrom(prop->Type->ClassType))
        throw EPropertyError(Format("Property %s needs a %s, not a %s",
                                    {prop->Name, prop->Type->Name, value->ClassName()}));
    prop->SetObj(*obj, value);
}

TStrings* GetStringsProp(const TObject* obj, const TPropInfo* prop) {
    CheckProp(obj, prop);
    if (!prop->GetStrings) KindError(prop, "string list");
    return prop->GetStrings(*obj);
}

TEventBase* GetEventProp(TObject* obj, const TPropInfo* prop) {
    CheckProp(obj, prop);
    if (!prop->GetEvent) KindError(prop, "event");
    return prop->GetEvent(*obj);
}

std::string GetEnumProp(const TObject* obj, const TPropInfo* prop) {
    if (prop->Kind() != tkEnumeration) KindError(prop, "enumeration");
    return GetEnumName(prop->Type, GetOrdProp(obj, prop));
}

void SetEnumProp(TObject* obj, const TPropInfo* prop, std::string_view name) {
    if (prop->Kind() != tkEnumeration) KindError(prop, "enumeration");
    int v = GetEnumValue(prop->Type, name);
    if (v < 0)
        throw EConvertError(ConvertText::ValueOf(name, prop->Type->Name));
    SetOrdProp(obj, prop, v);
}

std::string GetSetProp(const TObject* obj, const TPropInfo* prop, bool brackets) {
    if (prop->Kind() != tkSet) KindError(prop, "set");
    return SetToString(prop->Type, static_cast<uint32_t>(GetOrdProp(obj, prop)), brackets);
}

void SetSetProp(TObject* obj, const TPropInfo* prop, std::string_view text) {
    if (prop->Kind() != tkSet) KindError(prop, "set");
    SetOrdProp(obj, prop, StringToSet(prop->Type, text));
}

Variant GetPropValue(const TObject* obj, const TPropInfo* prop) {
    CheckProp(obj, prop);
    switch (prop->Kind()) {
    case tkInteger: return Variant(static_cast<int>(GetOrdProp(obj, prop)));
    case tkInt64: return Variant::FromInt64(GetOrdProp(obj, prop));
    case tkChar: return Variant(CodePointToUtf8(static_cast<char32_t>(GetOrdProp(obj, prop))));
    case tkEnumeration:
        if (prop->Type->IsBoolean()) return Variant(GetOrdProp(obj, prop) != 0);
        return Variant(static_cast<int>(GetOrdProp(obj, prop)));
    case tkSet: return Variant::FromInt(GetOrdProp(obj, prop));
    case tkFloat: {
        double v = GetFloatProp(obj, prop);
        if (prop->Type->FloatType == ftDateTimeFloat) return Variant::FromDate(v);
        if (prop->Type->FloatType == ftCurr) return Variant::CurrencyFromDouble(v);
        return Variant(v);
    }
    case tkString: return Variant(GetStrProp(obj, prop));
    case tkVariant: return GetVariantProp(obj, prop);
    case tkClass: {
        if (prop->Type->IsStringList()) {
            TStrings* list = GetStringsProp(obj, prop);
            return list ? Variant(list->Text()) : Variant(std::string());
        }
        TObject* o = GetObjectProp(obj, prop);
        return Variant::FromObject(o ? o->Handle() : NilHandle);
    }
    case tkMethod: {
        TEventBase* ev = GetEventProp(const_cast<TObject*>(obj), prop);
        if (!ev->Assigned()) return Variant();
        return Variant(ev->HandlerName());
    }
    case tkUnknown: break;
    }
    return Variant();
}

void SetPropValue(TObject* obj, const TPropInfo* prop, const Variant& value) {
    CheckProp(obj, prop);
    switch (prop->Kind()) {
    case tkInteger: SetOrdProp(obj, prop, value.AsInteger()); return;
    case tkInt64: SetOrdProp(obj, prop, value.AsInt64()); return;
    case tkChar: {
        if (value.IsInteger()) {
            SetOrdProp(obj, prop, value.AsInt64());
            return;
        }
        std::string s = VarToStr(value);
        if (s.empty()) throw EConvertError(Format("An empty text is no character for %s", {prop->Name}));
        size_t pos = 0;
        SetOrdProp(obj, prop, NextCodePoint(s, pos));
        return;
    }
    case tkEnumeration:
        if (prop->Type->IsBoolean()) {
            SetOrdProp(obj, prop, value.AsBoolean() ? 1 : 0);
            return;
        }
        if (value.IsString()) {
            int v = GetEnumValue(prop->Type, value.StrValue());
            if (v >= 0) {
                SetOrdProp(obj, prop, v);
                return;
            }
        }
        SetOrdProp(obj, prop, value.AsInt64());
        return;
    case tkSet:
        if (value.IsString()) SetOrdProp(obj, prop, StringToSet(prop->Type, value.StrValue()));
        else SetOrdProp(obj, prop, value.AsInt64());
        return;
    case tkFloat:
        SetFloatProp(obj, prop, prop->Type->FloatType == ftDateTimeFloat ? value.AsDateTime() : value.AsDouble());
        return;
    case tkString: SetStrProp(obj, prop, VarToStr(value)); return;
    case tkVariant: SetVariantProp(obj, prop, value); return;
    case tkClass: {
        if (prop->Type->IsStringList()) {
            TStrings* list = GetStringsProp(obj, prop);
            if (!list) throw EPropertyError(Format("Property %s has no string list", {prop->Name}));
            list->SetText(VarToStr(value));
            return;
        }
        SetObjectProp(obj, prop, TObject::FromHandle(value.AsObject()));
        return;
    }
    case tkMethod:
        throw EPropertyError(Format("Property %s is an event; bind a handler to it", {prop->Name}));
    case tkUnknown: break;
    }
    throw EPropertyError(Format("Property %s has no value", {prop->Name}));
}

Variant GetPropValue(const TObject* obj, std::string_view name) {
    return GetPropValue(obj, FindPropInfo(obj, name));
}

void SetPropValue(TObject* obj, std::string_view name, const Variant& value) {
    SetPropValue(obj, FindPropInfo(obj, name), value);
}

bool IsStoredProp(const TObject* obj, const TPropInfo* prop) {
    CheckProp(obj, prop);
    return prop->StoredProc ? prop->StoredProc(*obj) : prop->StoredConst;
}

namespace {
bool SubObjectIsDefault(const TObject* sub, int depth) {
    if (depth > 16) return false;
    for (const TPropInfo* p : sub->ClassType()->Properties()) {
        if (!IsStoredProp(sub, p)) continue;
        if (p->Kind() == tkClass && !p->Type->IsStringList() && !p->IsComponentReference()) {
            TObject* inner = GetObjectProp(sub, p);
            if (inner && !SubObjectIsDefault(inner, depth + 1)) return false;
            continue;
        }
        if (!IsDefaultPropValue(sub, p)) return false;
    }
    return true;
}
}  // namespace

bool IsDefaultPropValue(const TObject* obj, const TPropInfo* prop) {
    CheckProp(obj, prop);
    switch (prop->Kind()) {
    case tkInteger:
    case tkInt64:
    case tkChar:
    case tkEnumeration:
    case tkSet: return prop->HasDefault && GetOrdProp(obj, prop) == prop->DefaultOrd;
    case tkFloat: return prop->HasDefault && GetFloatProp(obj, prop) == prop->DefaultFloat;
    case tkString: return GetStrProp(obj, prop).empty();
    case tkVariant: {
        Variant v = GetVariantProp(obj, prop);
        return v.IsEmpty() || v.IsNull() || (v.IsString() && v.StrValue().empty());
    }
    case tkClass: {
        if (prop->Type->IsStringList()) {
            TStrings* list = GetStringsProp(obj, prop);
            return !list || list->Count() == 0;
        }
        TObject* sub = GetObjectProp(obj, prop);
        if (!sub) return true;
        if (prop->IsComponentReference()) return false;
        if (auto* coll = dynamic_cast<const TCollection*>(sub)) return coll->Count() == 0;
        return SubObjectIsDefault(sub, 0);
    }
    case tkMethod: return !GetEventProp(const_cast<TObject*>(obj), prop)->Assigned();
    case tkUnknown: break;
    }
    return true;
}

void BindEventByName(TObject* target, const TPropInfo* eventProp, TObject* instance,
                     std::string_view handlerName) {
    TEventBase* ev = GetEventProp(target, eventProp);
    const TMethodInfo* m = instance ? instance->ClassType()->FindMethod(handlerName) : nullptr;
    if (!m)
        throw EPropertyError(Format("%s has no handler named %s",
                                    {ObjectLabel(instance), std::string(handlerName)}));
    if (*m->Signature != ev->Signature())
        throw EPropertyError(Format("Handler %s.%s does not fit event %s of type %s",
                                    {ObjectLabel(instance), m->Name, eventProp->Name, eventProp->Type->Name}));
    m->Bind(*ev, *instance);
}
