// The root of the class library: TObject with its class reference, the class registry
// (create by class name), the published-property tables, and TPersistent (Assign and the
// custom data hook DefineProperties).
//
// A class declares itself with ROVE_CLASS in its body and ROVE_IMPLEMENT_CLASS in its
// .cpp; it publishes properties in a static DeclareProperties function:
//
//   class TShape : public TComponent {
//       ROVE_CLASS(TShape, TComponent)
//   public:
//       explicit TShape(TComponent* AOwner);
//       int Width() const;                 void SetWidth(int Value);
//       TBrushStyle Style() const;         void SetStyle(TBrushStyle Value);
//       TFont* Font() const;               void SetFont(TFont* Value);   // Assign
//       TNotifyEvent OnChange;
//       static void DeclareProperties(TPropertyDecl<TShape>& d);
//   };
//   // .cpp
//   ROVE_IMPLEMENT_CLASS(TShape)
//   void TShape::DeclareProperties(TPropertyDecl<TShape>& d) {
//       d.Property("Width", &TShape::Width, &TShape::SetWidth).Default(65);
//       d.Property("Style", &TShape::Style, &TShape::SetStyle).Default(bsSolid);
//       d.Property("Color", ColorTypeInfo(), &TShape::Color, &TShape::SetColor);  // explicit type
//       d.Property("Font", &TShape::Font, &TShape::SetFont).Stored(&TShape::IsFontStored);
//       d.Event("OnChange", &TShape::OnChange);
//   }
//
// The table of a class is its ancestors' properties followed by its own, in declaration
// order; declaring a name an ancestor already has replaces it in place (a new default).
// ROVE_IMPLEMENT_CLASS registers the class by name at start-up and gives it a factory
// taking the owner (TComponent descendants), the collection (TCollectionItem
// descendants) or nothing (other persistent classes); abstract classes get none.
// A .cpp that only declares classes streamed by name must still be linked in: each layer
// references its classes from a registration function called at start-up.
//
// Published handler methods (the targets of "OnClick = Button1Click" in form resources)
// are declared in the same function: d.Method("Button1Click", &TForm1::Button1Click).
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <unordered_map>
#include <vector>

#include "platform/classes/Events.h"
#include "platform/classes/TypInfo.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Handles.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Variant.h"

class TObject;
class TPersistent;
class TComponent;
class TCollection;
class TCollectionItem;
class TFiler;

ROVE_DECLARE_EXCEPTION(EClassNotFound, Exception);    // "Class %s not found"
ROVE_DECLARE_EXCEPTION(EComponentError, Exception);   // names, ownership
ROVE_DECLARE_EXCEPTION(EPropertyError, Exception);    // unknown property, read-only, bad kind

// The handle tag of TObject and its descendants.
constexpr THandleTag htObject = 0x544F424A;   // "TOBJ"

// --- TObject -------------------------------------------------------------------------------
class TObject {
public:
    using inherited = void;
    TObject() = default;
    virtual ~TObject();
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    static TClass StaticClass() noexcept;
    virtual TClass ClassType() const noexcept { return StaticClass(); }
    const std::string& ClassName() const noexcept;
    TClass ClassParent() const noexcept;
    inline bool InheritsFrom(TClass ancestor) const noexcept;
    template <class T> bool Is() const noexcept { return InheritsFrom(T::StaticClass()); }

    // The object's checked 64-bit handle, assigned on first use and dropped when the
    // object is destroyed (scripts and events pass objects as these handles).
    TObjectHandle Handle() const;
    // The live object of a handle (nullptr for 0); a stale or forged handle raises
    // EInvalidHandle.
    static TObject* FromHandle(TObjectHandle handle);
    // The same without raising: nullptr for nil, stale or forged handles.
    static TObject* TryFromHandle(TObjectHandle handle) noexcept;

protected:
    // Drops the handle early (destructors of descendants call it first).
    void ReleaseHandle() noexcept { FHandle.Release(); }

private:
    mutable THandleSlot FHandle;
};

// --- Published properties ------------------------------------------------------------------
// One published property. Which accessor pair is set depends on Type->Kind:
//   ordinal kinds (integer, int64, char, enumeration, set)  GetOrd / SetOrd
//   tkFloat                                                  GetFloat / SetFloat
//   tkString                                                 GetStr / SetStr
//   tkVariant                                                GetVar / SetVar
//   tkClass (object)                                         GetObj / SetObj
//   tkClass (string list: TStrings, TStringList)             GetStrings
//   tkMethod                                                 GetEvent
// A setter is empty for a read-only property. Accessors take the object as the class
// that declared the property (checked by the callers below).
struct TPropInfo {
    std::string Name;
    const TTypeInfo* Type = nullptr;
    TClass DeclaringClass = nullptr;
    int Index = -1;                  // position in the declaring class's full table
    bool HasDefault = false;         // ordinal and float kinds: a declared default
    int64_t DefaultOrd = 0;
    double DefaultFloat = 0;
    bool StoredConst = true;         // used when StoredProc is empty
    std::function<bool(const TObject&)> StoredProc;

    std::function<int64_t(const TObject&)> GetOrd;
    std::function<void(TObject&, int64_t)> SetOrd;
    std::function<double(const TObject&)> GetFloat;
    std::function<void(TObject&, double)> SetFloat;
    std::function<std::string(const TObject&)> GetStr;
    std::function<void(TObject&, const std::string&)> SetStr;
    std::function<Variant(const TObject&)> GetVar;
    std::function<void(TObject&, const Variant&)> SetVar;
    std::function<TObject*(const TObject&)> GetObj;
    std::function<void(TObject&, TObject*)> SetObj;
    std::function<TStrings*(const TObject&)> GetStrings;
    std::function<TEventBase*(TObject&)> GetEvent;

    TTypeKind Kind() const { return Type->Kind; }
    bool IsReadOnly() const;
    // A class property holding a component reference (not an owned sub-object).
    bool IsComponentReference() const;
};

// A published handler method: binds an event of the same signature to the method of an
// instance of DeclaringClass.
struct TMethodInfo {
    std::string Name;
    const std::type_info* Signature = nullptr;
    TClass DeclaringClass = nullptr;
    std::function<void(TEventBase& event, TObject& instance)> Bind;
};

// --- Names looked up ignoring case -----------------------------------------------------------
// Hash and equality of names that ignore the case of ASCII letters, so that a table keyed
// by names is searched with a string_view as it comes (no lower-cased copy per look-up).
namespace rove_detail {
struct TNameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const noexcept;
};
struct TNameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept;
};
template <class V>
using TNameMap = std::unordered_map<std::string, V, TNameHash, TNameEqual>;
}  // namespace rove_detail

// --- Class references ----------------------------------------------------------------------
class TClassInfo {
public:
    using TCreateProc = TObject* (*)(TComponent* owner);
    using TCreateItemProc = TCollectionItem* (*)(TCollection* collection);
    using TDeclareProc = void (*)(TClassInfo& info);

    TClassInfo(std::string name, TClass parent, TCreateProc create, TCreateItemProc createItem,
               TDeclareProc declare);
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;
    template <class C> static TClassInfo* Make(const char* name);

    const std::string& ClassName() const noexcept { return FName; }
    TClass ClassParent() const noexcept { return FParent; }
    // True for the class itself. Constant time: the class keeps its chain of ancestors,
    // and an ancestor stands in it at its own depth.
    bool InheritsFrom(TClass ancestor) const noexcept {
        if (!ancestor) return false;
        const size_t depth = ancestor->FAncestors.size() - 1;
        return depth < FAncestors.size() && FAncestors[depth] == ancestor;
    }
    bool CanCreate() const noexcept { return FCreate != nullptr; }
    bool CanCreateItem() const noexcept { return FCreateItem != nullptr; }
    // The virtual constructor: a new object with the given owner (ignored by classes
    // that are no components). Raises EClassNotFound for an abstract class.
    TObject* CreateInstance(TComponent* owner) const;
    // A new item of a collection-item class, added to collection.
    TCollectionItem* CreateItem(TCollection* collection) const;

    // The full published-property table, ancestors first.
    const std::vector<const TPropInfo*>& Properties() const;
    // Case-insensitive look-up; nullptr when the class has no such property.
    const TPropInfo* FindProperty(std::string_view name) const;
    // Published handler methods of the class and its ancestors, case-insensitive.
    const TMethodInfo* FindMethod(std::string_view name) const;
    std::vector<const TMethodInfo*> Methods() const;

    // Used while the class declares its table (TPropertyDecl).
    TPropInfo& DeclareProperty(std::string_view name);
    void DeclareMethod(TMethodInfo method);

private:
    void Build() const;
    std::string FName;
    TClass FParent;
    // The root class first, this class last.
    std::vector<TClass> FAncestors;
    TCreateProc FCreate;
    TCreateItemProc FCreateItem;
    TDeclareProc FDeclare;
    mutable bool FBuilt = false;
    mutable bool FBuilding = false;
    mutable std::vector<std::unique_ptr<TPropInfo>> FOwnProps;
    mutable std::vector<const TPropInfo*> FProps;
    mutable rove_detail::TNameMap<const TPropInfo*> FPropIndex;
    mutable std::vector<std::unique_ptr<TMethodInfo>> FOwnMethods;
    mutable rove_detail::TNameMap<const TMethodInfo*> FMethodIndex;
};

inline bool TObject::InheritsFrom(TClass ancestor) const noexcept { return ClassType()->InheritsFrom(ancestor); }

// --- The class registry (names compared ignoring case) -------------------------------------
void RegisterClass(TClass cls);
void RegisterClasses(std::initializer_list<TClass> classes);
void UnRegisterClass(TClass cls);
TClass GetClass(std::string_view name);          // nullptr when not registered
TClass FindClass(std::string_view name);         // raises EClassNotFound "Class %s not found"
std::vector<TClass> RegisteredClasses();         // in registration order

struct TClassRegistrar {
    explicit TClassRegistrar(TClass cls) { RegisterClass(cls); }
};

#define ROVE_CLASS(Class, Parent)                                                      \
public:                                                                                \
    using inherited = Parent;                                                          \
    static TClass StaticClass() noexcept;                                              \
    TClass ClassType() const noexcept override { return StaticClass(); }               \
                                                                                       \
private:

#define ROVE_IMPLEMENT_CLASS(Class)                                                    \
    TClass Class::StaticClass() noexcept {                                             \
        static const TClassInfo* info = TClassInfo::Make<Class>(#Class);               \
        return info;                                                                   \
    }                                                                                  \
    static const TClassRegistrar rove_class_registrar_##Class(Class::StaticClass());

// --- Declaring properties ------------------------------------------------------------------
template <class T> class TPropertyDecl;

namespace rove_detail {
template <class T, class G>
using PropValue = std::decay_t<std::invoke_result_t<G, const T&>>;
template <class V> int64_t ToOrd(const V& v);
template <class V> V FromOrd(int64_t v);
void CheckDeclaredKind(const TTypeInfo* type, TTypeKind expected, std::string_view name);
}  // namespace rove_detail

template <class T>
class TPropBuilder {
public:
    TPropBuilder(TPropInfo& prop) : FProp(prop) {}
    // The declared default: written only when the value differs from it.
    template <class V> TPropBuilder& Default(V value) {
        FProp.HasDefault = true;
        if constexpr (std::is_floating_point_v<V>) {
            if (FProp.Kind() == tkFloat) FProp.DefaultFloat = static_cast<double>(value);
            else FProp.DefaultOrd = static_cast<int64_t>(value);
        } else {
            if (FProp.Kind() == tkFloat) FProp.DefaultFloat = static_cast<double>(rove_detail::ToOrd(value));
            else FProp.DefaultOrd = rove_detail::ToOrd(value);
        }
        return *this;
    }
    // Always written (the state without Default).
    TPropBuilder& NoDefault() { FProp.HasDefault = false; return *this; }
    TPropBuilder& Stored(bool stored) { FProp.StoredConst = stored; FProp.StoredProc = nullptr; return *this; }
    template <class C> TPropBuilder& Stored(bool (C::*test)() const) {
        static_assert(std::is_base_of_v<C, T>);
        FProp.StoredProc = [test](const TObject& o) { return (static_cast<const T&>(o).*test)(); };
        return *this;
    }
    TPropInfo& Info() { return FProp; }

private:
    TPropInfo& FProp;
};

template <class T>
class TPropertyDecl {
public:
    explicit TPropertyDecl(TClassInfo& cls) : FClass(cls) {}

    // A property read through getter and written through setter (omitted: read-only).
    // Getters are const member functions, data members or callables taking const T&;
    // setters member functions, data members or callables taking (T&, value).
    template <class G, class S = std::nullptr_t>
    TPropBuilder<T> Property(std::string_view name, G getter, S setter = nullptr) {
        using V = rove_detail::PropValue<T, G>;
        return Property(name, TypeInfoFor<V>(), getter, setter);
    }
    // The same with an explicit type (TColor over int, TDateTime over double).
    template <class G, class S = std::nullptr_t>
    TPropBuilder<T> Property(std::string_view name, const TTypeInfo* type, G getter, S setter = nullptr);

    // An event property: a TEvent member (of T or an ancestor).
    template <class E, class C>
    TPropBuilder<T> Event(std::string_view name, E C::*field) {
        static_assert(std::is_base_of_v<C, T> && std::is_base_of_v<TEventBase, E>);
        TPropInfo& p = FClass.DeclareProperty(name);
        p.Type = TypeInfoFor<E>();
        rove_detail::CheckDeclaredKind(p.Type, tkMethod, name);
        p.GetEvent = [field](TObject& o) -> TEventBase* { return &(static_cast<T&>(o).*field); };
        return TPropBuilder<T>(p);
    }

    // A published handler method, bound by name from form resources.
    template <class C, class R, class... A>
    void Method(std::string_view name, R (C::*method)(A...)) {
        static_assert(std::is_base_of_v<C, T>);
        TMethodInfo m;
        m.Name = std::string(name);
        m.Signature = &typeid(R(A...));
        m.Bind = [method, n = m.Name](TEventBase& ev, TObject& instance) {
            auto& typed = static_cast<TEvent<R(A...)>&>(ev);
            T* self = &static_cast<T&>(instance);
            typed.Bind([self, method](A... args) -> R { return (self->*method)(std::forward<A>(args)...); }, n);
        };
        FClass.DeclareMethod(std::move(m));
    }

private:
    TClassInfo& FClass;
};

// --- TPersistent ---------------------------------------------------------------------------
class TPersistent : public TObject {
    ROVE_CLASS(TPersistent, TObject)
public:
    TPersistent() = default;
    // Copies Source into this object; the base asks Source to assign itself (AssignTo),
    // which raises EConvertError "Cannot assign a %s to a %s" when neither knows how.
    virtual void Assign(TPersistent* Source);
    // The object this one belongs to (a collection's owner, an item's collection).
    virtual TPersistent* GetOwner() const { return nullptr; }
    // "Form1.Button1.Font": the owner's path and this object's name.
    virtual std::string GetNamePath() const;
    // Custom data streamed besides the published properties (binary picture data, the
    // report's collections): call Filer.DefineProperty / DefineBinaryProperty.
    virtual void DefineProperties(TFiler& Filer);

protected:
    virtual void AssignTo(TPersistent* Dest);
    [[noreturn]] void AssignError(TPersistent* Source);
};

// --- Property access by kind (the TypInfo routines) ----------------------------------------
// The property of obj's class named name (case-insensitive), or nullptr.
const TPropInfo* GetPropInfo(const TObject* obj, std::string_view name);
// The same, raising EPropertyError "Property %s does not exist" when absent.
const TPropInfo* FindPropInfo(const TObject* obj, std::string_view name);

int64_t GetOrdProp(const TObject* obj, const TPropInfo* prop);
void SetOrdProp(TObject* obj, const TPropInfo* prop, int64_t value);   // range-checked
double GetFloatProp(const TObject* obj, const TPropInfo* prop);
void SetFloatProp(TObject* obj, const TPropInfo* prop, double value);
std::string GetStrProp(const TObject* obj, const TPropInfo* prop);
void SetStrProp(TObject* obj, const TPropInfo* prop, const std::string& value);
Variant GetVariantProp(const TObject* obj, const TPropInfo* prop);
void SetVariantProp(TObject* obj, const TPropInfo* prop, const Variant& value);
TObject* GetObjectProp(const TObject* obj, const TPropInfo* prop);
void SetObjectProp(TObject* obj, const TPropInfo* prop, TObject* value);   // class-checked
TStrings* GetStringsProp(const TObject* obj, const TPropInfo* prop);
TEventBase* GetEventProp(TObject* obj, const TPropInfo* prop);
// Enumerations by name ("alClient", "True"), sets as "[a,b]".
std::string GetEnumProp(const TObject* obj, const TPropInfo* prop);
void SetEnumProp(TObject* obj, const TPropInfo* prop, std::string_view name);
std::string GetSetProp(const TObject* obj, const TPropInfo* prop, bool brackets = true);
void SetSetProp(TObject* obj, const TPropInfo* prop, std::string_view text);

// Any kind as a Variant (the script engine's and the inspector's view):
// integer, int64, enumeration and set as integers, Boolean as a Boolean, char as a
// one-character string, float as a Double (a TDateTime as a Date), string, variant as is,
// class as an object handle (varObject), string list as its Text, method as its handler
// name (Empty when none).
Variant GetPropValue(const TObject* obj, const TPropInfo* prop);
// The inverse: an enumeration accepts its name or ordinal; a Boolean any value that
// converts to Boolean; a set its text or mask; a class an object handle of a live
// object of the property's class (0 for nil); a string list its Text. Raises
// EPropertyError for a read-only property or a method.
void SetPropValue(TObject* obj, const TPropInfo* prop, const Variant& value);
Variant GetPropValue(const TObject* obj, std::string_view name);
void SetPropValue(TObject* obj, std::string_view name, const Variant& value);

bool IsStoredProp(const TObject* obj, const TPropInfo* prop);
// True when the value equals the declared default (ordinals, floats), is empty
// (strings, variants, string lists, collections), nil (references), unbound (events),
// or a sub-object whose own properties are all default. "No default" is never default.
bool IsDefaultPropValue(const TObject* obj, const TPropInfo* prop);

// Binds event property eventProp of target to the published method handlerName of
// instance's class ("an unknown handler" raises EPropertyError naming both).
void BindEventByName(TObject* target, const TPropInfo* eventProp, TObject* instance,
                     std::string_view handlerName);

// ==== Implementation of the templates ======================================================
namespace rove_detail {
template <class V>
int64_t ToOrd(const V& v) {
    if constexpr (IsTSet<V>::value) return static_cast<int64_t>(v.Mask());
    else if constexpr (std::is_enum_v<V>) return static_cast<int64_t>(v);
    else if constexpr (std::is_same_v<V, bool>) return v ? 1 : 0;
    else return static_cast<int64_t>(v);
}
template <class V>
V FromOrd(int64_t v) {
    if constexpr (IsTSet<V>::value) return V::FromMask(static_cast<uint32_t>(v));
    else if constexpr (std::is_same_v<V, bool>) return v != 0;
    else return static_cast<V>(v);
}
template <class V>
constexpr bool IsOrdinalValue =
    std::is_integral_v<V> || std::is_enum_v<V> || IsTSet<V>::value;
template <class T, class S, class V>
void Store(S setter, T& obj, V&& value) {
    if constexpr (std::is_member_object_pointer_v<S>) obj.*setter = std::forward<V>(value);
    else std::invoke(setter, obj, std::forward<V>(value));
}
template <class U>
constexpr bool IsStringsPointer =
    std::is_pointer_v<U> && std::is_base_of_v<TStrings, std::remove_cv_t<std::remove_pointer_t<U>>>;
template <class U>
constexpr bool IsObjectPointer =
    std::is_pointer_v<U> && std::is_base_of_v<TObject, std::remove_cv_t<std::remove_pointer_t<U>>>;
}  // namespace rove_detail

template <class T>
template <class G, class S>
TPropBuilder<T> TPropertyDecl<T>::Property(std::string_view name, const TTypeInfo* type, G getter,
                                           S setter) {
    using V = rove_detail::PropValue<T, G>;
    constexpr bool writable = !std::is_same_v<S, std::nullptr_t>;
    TPropInfo& p = FClass.DeclareProperty(name);
    p.Type = type;
    auto get = [getter](const TObject& o) -> V { return std::invoke(getter, static_cast<const T&>(o)); };
    if constexpr (std::is_floating_point_v<V>) {
        rove_detail::CheckDeclaredKind(type, tkFloat, name);
        p.GetFloat = [get](const TObject& o) { return static_cast<double>(get(o)); };
        if constexpr (writable)
            p.SetFloat = [setter](TObject& o, double v) { rove_detail::Store(setter, static_cast<T&>(o), static_cast<V>(v)); };
    } else if constexpr (rove_detail::IsOrdinalValue<V>) {
        if (!type->IsOrdinal())
            rove_detail::CheckDeclaredKind(type, tkInteger, name);
        p.GetOrd = [get](const TObject& o) { return rove_detail::ToOrd(get(o)); };
        if constexpr (writable)
            p.SetOrd = [setter](TObject& o, int64_t v) { rove_detail::Store(setter, static_cast<T&>(o), rove_detail::FromOrd<V>(v)); };
    } else if constexpr (std::is_same_v<V, std::string>) {
        rove_detail::CheckDeclaredKind(type, tkString, name);
        p.GetStr = get;
        if constexpr (writable)
            p.SetStr = [setter](TObject& o, const std::string& v) { rove_detail::Store(setter, static_cast<T&>(o), v); };
    } else if constexpr (std::is_same_v<V, Variant>) {
        rove_detail::CheckDeclaredKind(type, tkVariant, name);
        p.GetVar = get;
        if constexpr (writable)
            p.SetVar = [setter](TObject& o, const Variant& v) { rove_detail::Store(setter, static_cast<T&>(o), v); };
    } else if constexpr (rove_detail::IsStringsPointer<V>) {
        rove_detail::CheckDeclaredKind(type, tkClass, name);
        p.GetStrings = [get](const TObject& o) -> TStrings* { return get(o); };
    } else if constexpr (rove_detail::IsObjectPointer<V>) {
        using U = std::remove_cv_t<std::remove_pointer_t<V>>;
        rove_detail::CheckDeclaredKind(type, tkClass, name);
        p.GetObj = [get](const TObject& o) -> TObject* { return const_cast<U*>(get(o)); };
        if constexpr (writable)
            p.SetObj = [setter](TObject& o, TObject* v) {
                rove_detail::Store(setter, static_cast<T&>(o), static_cast<U*>(v));
            };
    } else {
        static_assert(sizeof(V) == 0, "unsupported published property type");
    }
    return TPropBuilder<T>(p);
}

template <class T>
const TTypeInfo* ClassTypeInfoFor() {
    static const TTypeInfo info = TTypeInfo::Class(T::StaticClass());
    return &info;
}

template <class T>
const TTypeInfo* TypeInfoFor() {
    if constexpr (std::is_same_v<T, bool>) return BooleanTypeInfo();
    else if constexpr (std::is_same_v<T, char32_t>) return CharTypeInfo();
    else if constexpr (std::is_integral_v<T> && sizeof(T) <= 4) return IntegerTypeInfo();
    else if constexpr (std::is_integral_v<T>) return Int64TypeInfo();
    else if constexpr (std::is_floating_point_v<T>) return ExtendedTypeInfo();
    else if constexpr (std::is_same_v<T, std::string>) return StringTypeInfo();
    else if constexpr (std::is_same_v<T, Variant>) return VariantTypeInfo();
    else if constexpr (rove_detail::IsStringsPointer<T>) return StringListTypeInfo();
    else if constexpr (rove_detail::IsObjectPointer<T>)
        return ClassTypeInfoFor<std::remove_cv_t<std::remove_pointer_t<T>>>();
    else return RoveTypeInfo(static_cast<T*>(nullptr));
}

template <class C>
TClassInfo* TClassInfo::Make(const char* name) {
    TCreateProc create = nullptr;
    TCreateItemProc createItem = nullptr;
    if constexpr (!std::is_abstract_v<C>) {
        if constexpr (std::is_constructible_v<C, TComponent*>)
            create = [](TComponent* owner) -> TObject* { return new C(owner); };
        else if constexpr (std::is_default_constructible_v<C>)
            create = [](TComponent*) -> TObject* { return new C(); };
        if constexpr (std::is_constructible_v<C, TCollection*> &&
                      std::is_base_of_v<TCollectionItem, C>)
            createItem = [](TCollection* c) -> TCollectionItem* { return new C(c); };
    }
    TDeclareProc declare = nullptr;
    if constexpr (requires(TPropertyDecl<C>& d) { C::DeclareProperties(d); })
        declare = [](TClassInfo& info) {
            TPropertyDecl<C> d(info);
            C::DeclareProperties(d);
        };
    TClass parent = nullptr;
    if constexpr (!std::is_void_v<typename C::inherited>) parent = C::inherited::StaticClass();
    return new TClassInfo(name, parent, create, createItem, declare);
}
